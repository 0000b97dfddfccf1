// The waterfall's marker groups on the real control: their settings, the
// colours new groups take, markers that follow the scrolling image, the
// stored form, and where markers and their lines land in the picture.

#include "waterfall/KvWaterfall.h"

#include "display/KvMarkerGeometry.h"
#include "platform/StoredForm.h"

#include <QApplication>
#include <QWidget>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <memory>
#include <thread>
#include <vector>

namespace {

TKvWaterfallMarker* AddMarker(TKvWaterfallMarkerGroup& AGroup, double X, double Y) {
    TKvWaterfallMarker* marker = AGroup.GetMarkers()->Add();
    marker->GetPosition()->SetX(X);
    marker->GetPosition()->SetY(Y);
    return marker;
}

std::vector<double> Xs(const TKvWaterfallMarkerGroup& AGroup) {
    std::vector<double> out;
    for (int i = 0; i < AGroup.GetMarkers()->Count(); ++i)
        out.push_back(AGroup.GetMarkers()->Items(i)->GetPosition()->GetX());
    return out;
}

TEST(WaterfallMarkerGroupsTest, NewGroupsTakeTheLeastUsedPaletteColourAndTheDefaults) {
    TOwned<TKvWaterfall> waterfall = MakeOwned<TKvWaterfall>(nullptr);
    TKvWaterfallMarkerGroups& groups = *waterfall->GetMarkerGroups();
    EXPECT_EQ(groups.Count(), 0);
    EXPECT_EQ(waterfall->LevelsPageIndex(), 1);

    const TColor expected[] = {RGBColor(255, 255, 255), RGBColor(192, 192, 192),
                               RGBColor(0, 255, 0)};
    for (const TColor color : expected) {
        TKvWaterfallMarkerGroup* group = groups.Add();
        EXPECT_EQ(group->GetPen()->Color(), color);
        EXPECT_EQ(group->GetBrush()->Color(), color);
    }
    EXPECT_EQ(groups.Items(0)->GetName(), QStringLiteral("MarkerGroup1"));
    EXPECT_EQ(waterfall->LevelsPageIndex(), 2);
    EXPECT_EQ(waterfall->GetLegend()->GetMarkerGroups()->GetItemCount(), 3);

    // A colour given back is the first to be taken again.
    groups.Items(1)->GetPen()->SetColor(clRed);
    EXPECT_EQ(groups.Add()->GetPen()->Color(), RGBColor(192, 192, 192));

    const TKvWaterfallMarkerGroup& group = *groups.Items(0);
    EXPECT_EQ(group.GetMode(), mmRelative);
    const TKvWaterfallMarkerGroupLine& line = *group.GetLine();
    EXPECT_FALSE(line.GetVisible());
    EXPECT_EQ(line.GetColor(), RGBColor(255, 0, 0));
    EXPECT_EQ(line.GetWidth(), 1);
    EXPECT_TRUE(line.GetUsePointsColor());
}

TEST(WaterfallMarkerGroupsTest, LineWidthStaysWithinOneToTwoThousand) {
    TOwned<TKvWaterfall> waterfall = MakeOwned<TKvWaterfall>(nullptr);
    TKvWaterfallMarkerGroupLine& line = *waterfall->GetMarkerGroups()->Add()->GetLine();
    line.SetWidth(0);
    EXPECT_EQ(line.GetWidth(), 1);
    line.SetWidth(5000);
    EXPECT_EQ(line.GetWidth(), 2000);
    line.SetWidth(-7);
    EXPECT_EQ(line.GetWidth(), 1);
    line.SetWidth(2000);
    EXPECT_EQ(line.GetWidth(), 2000);
}

TEST(WaterfallMarkerGroupsTest, RelativeMarkersMoveBackAndLeaveTheHistoryAbsoluteOnesStay) {
    TOwned<TKvWaterfall> waterfall = MakeOwned<TKvWaterfall>(nullptr);
    TKvWaterfallMarkerGroups& groups = *waterfall->GetMarkerGroups();
    TKvWaterfallMarkerGroup& relative = *groups.Add();
    TKvWaterfallMarkerGroup& absolute = *groups.Add();
    absolute.SetMode(mmAbsolute);
    for (TKvWaterfallMarkerGroup* group : {&relative, &absolute}) {
        AddMarker(*group, 3, 10);
        AddMarker(*group, 9, 20);
        AddMarker(*group, 4, 30);
    }

    groups.ShiftRelativeMarkers(4);
    EXPECT_EQ(Xs(relative), (std::vector<double>{5, 0}));
    EXPECT_EQ(relative.GetMarkers()->Items(1)->GetPosition()->GetY(), 30);
    EXPECT_EQ(Xs(absolute), (std::vector<double>{3, 9, 4}));

    groups.ClearAllMarkers();
    EXPECT_EQ(relative.GetMarkers()->Count(), 0);
    EXPECT_EQ(absolute.GetMarkers()->Count(), 0);
}

TEST(WaterfallMarkerGroupsTest, GroupsWithMarkersGoThroughTheStoredForm) {
    TOwned<TKvWaterfall> waterfall = MakeOwned<TKvWaterfall>(nullptr);
    waterfall->SetName(QStringLiteral("KvWaterfall1"));
    TKvWaterfallMarkerGroups& groups = *waterfall->GetMarkerGroups();
    TKvWaterfallMarkerGroup& peaks = *groups.Add();
    peaks.SetName(QStringLiteral("Peaks"));
    peaks.SetMode(mmAbsolute);
    peaks.GetLine()->SetVisible(true);
    peaks.GetLine()->SetWidth(3);
    peaks.GetLine()->SetUsePointsColor(false);
    peaks.GetLine()->SetColor(clBlue);
    AddMarker(peaks, 0, 2.5);
    AddMarker(peaks, 12, -0.0);
    AddMarker(*groups.Add(), 7, 1e300);

    const QString text = ComponentToText(waterfall.get());
    TOwned<TKvWaterfall> copy = MakeOwned<TKvWaterfall>(nullptr);
    ReadComponentFromText(text, copy.get());

    const TKvWaterfallMarkerGroups& read = *copy->GetMarkerGroups();
    ASSERT_EQ(read.Count(), 2);
    const TKvWaterfallMarkerGroup& readPeaks = *read.Items(0);
    EXPECT_EQ(readPeaks.GetName(), QStringLiteral("Peaks"));
    EXPECT_EQ(readPeaks.GetMode(), mmAbsolute);
    EXPECT_TRUE(readPeaks.GetLine()->GetVisible());
    EXPECT_EQ(readPeaks.GetLine()->GetWidth(), 3);
    EXPECT_FALSE(readPeaks.GetLine()->GetUsePointsColor());
    EXPECT_EQ(readPeaks.GetLine()->GetColor(), clBlue);
    EXPECT_EQ(readPeaks.GetPen()->Color(), RGBColor(255, 255, 255));
    EXPECT_EQ(Xs(readPeaks), (std::vector<double>{0, 12}));
    EXPECT_EQ(readPeaks.GetMarkers()->Items(0)->GetPosition()->GetY(), 2.5);
    EXPECT_EQ(read.Items(1)->GetPen()->Color(), RGBColor(192, 192, 192));
    EXPECT_EQ(read.Items(1)->GetMarkers()->Items(0)->GetPosition()->GetY(), 1e300);
    EXPECT_EQ(ComponentToText(copy.get()), text);

    // Assigning copies groups, lines and markers.
    TOwned<TKvWaterfall> assigned = MakeOwned<TKvWaterfall>(nullptr);
    assigned->SetMarkerGroups(waterfall->GetMarkerGroups());
    ASSERT_EQ(assigned->GetMarkerGroups()->Count(), 2);
    const TKvWaterfallMarkerGroup& assignedPeaks = *assigned->GetMarkerGroups()->Items(0);
    EXPECT_EQ(assignedPeaks.GetMode(), mmAbsolute);
    EXPECT_EQ(assignedPeaks.GetLine()->GetWidth(), 3);
    EXPECT_EQ(Xs(assignedPeaks), (std::vector<double>{0, 12}));
    EXPECT_NE(assignedPeaks.GetMarkers(), peaks.GetMarkers());
}

} // namespace

namespace {

// A control in a window with four rows of eight samples; the history is full.
class WaterfallMarkerPictureTest : public ::testing::Test {
protected:
    static constexpr int Depth = 4;
    static constexpr int RowLength = 8;

    void SetUp() override {
        host = std::make_unique<QWidget>();
        host->resize(500, 320);
        waterfall = MakeOwned<TKvWaterfall>(nullptr);
        waterfall->Widget()->setParent(host.get());
        waterfall->SetBounds(0, 0, 450, 280);
        waterfall->Widget()->show();
        host->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
        waterfall->GetXAxisObject()->SetSamples(Depth);
        TKvLevelAxis* axis = waterfall->GetLevels()->GetAxis();
        axis->SetAutoscale(false);
        axis->SetMin(0);
        axis->SetMax(1000);
        // the hit point and its label would cover what is looked at
        waterfall->GetHighlighting()->GetMouseHitPoint()->SetEnabled(false);
        for (int k = 0; k < Depth; ++k)
            AddRow(100.0 + 100.0 * k);
        waterfall->RefreshView();
        // the rows' length changes the value axis's width: the next paint
        // lays the display out for them
        Painted();
    }

    void TearDown() override {
        waterfall.reset();
        host.reset();
    }

    void AddRow(double AValue) {
        const std::vector<double> row(RowLength, AValue);
        waterfall->Data().AddData(row.data(), RowLength);
    }

    // A group of plus markers without labels.
    TKvWaterfallMarkerGroup* AddGroup() {
        TKvWaterfallMarkerGroup* group = waterfall->GetMarkerGroups()->Add();
        group->GetLabels()->SetVisible(false);
        return group;
    }

    QImage Painted() {
        return waterfall->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    static uint32_t Rgb(TColor AColor) {
        return ((AColor & 0xFFu) << 16) | (AColor & 0xFF00u) | ((AColor >> 16) & 0xFFu);
    }
    static uint32_t At(const QImage& AImage, TPoint P) {
        return AImage.pixel(P.X, P.Y) & 0xFFFFFFu;
    }

    // Where a marker for row ARow and value AValue belongs: the row's centre
    // as the image shows it (row r of the window [s, s + n] at r - s of n
    // parts of the view's length, from the far end when reversed) and the
    // value's place on the value scale (upwards, or rightwards when
    // vertical).
    TPoint Expected(double ARow, double AValue) {
        TKvDisplayView& view = *waterfall->DataView();
        const TKvAxisRange rows = waterfall->GetXAxisObject()->RowWindow();
        const TKvAxisRange values = waterfall->GetYAxisObject()->ScaleRealZoomed();
        const bool vertical = waterfall->GetVertical();
        const double n = rows.Max - rows.Min;
        const double o =
            waterfall->GetXAxisObject()->GetReversed() ? n - (ARow - rows.Min) : ARow - rows.Min;
        const int along = vertical ? view.Height() : view.Width();
        const int across = vertical ? view.Width() : view.Height();
        const int h = static_cast<int>(std::nearbyint(along * o / n));
        const int v = static_cast<int>(
            std::nearbyint(across * (AValue - values.Min) / (values.Max - values.Min)));
        if (vertical)
            return Point(view.Left() + v, view.Top() + h);
        return Point(view.Left() + h, view.Top() + across - v);
    }

    // The pixels of a size-3 plus at P are all AColor, the ones just past
    // its arms are not.
    void ExpectPlus(const QImage& AImage, TPoint P, TColor AColor) {
        for (int d = -3; d <= 3; ++d) {
            EXPECT_EQ(At(AImage, Point(P.X + d, P.Y)), Rgb(AColor)) << P.X + d << "," << P.Y;
            EXPECT_EQ(At(AImage, Point(P.X, P.Y + d)), Rgb(AColor)) << P.X << "," << P.Y + d;
        }
        EXPECT_NE(At(AImage, Point(P.X + 4, P.Y)), Rgb(AColor));
        EXPECT_NE(At(AImage, Point(P.X, P.Y - 4)), Rgb(AColor));
        EXPECT_NE(At(AImage, Point(P.X + 1, P.Y + 1)), Rgb(AColor));
    }

    // Moves the real mouse to P in the control.
    void MouseTo(TPoint P) { QTest::mouseMove(waterfall->Widget(), QPoint(P.X, P.Y)); }

    std::unique_ptr<QWidget> host;
    TOwned<TKvWaterfall> waterfall;
};

TEST_F(WaterfallMarkerPictureTest, MarkersSitOnTheirRowAndValueAndTheLineJoinsThem) {
    TKvWaterfallMarkerGroup& group = *AddGroup();
    AddMarker(group, 1, 3.5);
    AddMarker(group, 2, 3.5);
    AddMarker(*AddGroup(), 3, 6);
    QImage image = Painted();
    // on the view's last column: its right arm is cut off
    const TPoint c = Expected(3, 6);
    EXPECT_EQ(c.X, waterfall->DataView()->DrawRect().Right - 1);
    for (int d = -3; d <= 0; ++d)
        EXPECT_EQ(At(image, Point(c.X + d, c.Y)), Rgb(RGBColor(192, 192, 192))) << d;

    const TPoint a = Expected(1, 3.5);
    const TPoint b = Expected(2, 3.5);
    ExpectPlus(image, a, clWhite);
    ExpectPlus(image, b, clWhite);
    // The marker's pixel shows its row: the value lookup there reads it.
    EXPECT_EQ(waterfall->DataView()->GetIntValueAt(a.X, a.Y - 5), 200.0);
    EXPECT_EQ(waterfall->DataView()->GetIntValueAt(b.X, b.Y - 5), 300.0);

    // The line runs from the previous marker, over it, to the next, which
    // is drawn over the line.
    group.GetLine()->SetVisible(true);
    group.GetLine()->SetUsePointsColor(false);
    group.GetLine()->SetColor(clBlue);
    image = Painted();
    ASSERT_EQ(a.Y, b.Y);
    for (int x = a.X; x <= b.X - 4; ++x)
        EXPECT_EQ(At(image, Point(x, a.Y)), Rgb(clBlue)) << x;
    EXPECT_NE(At(image, Point((a.X + b.X) / 2, a.Y - 1)), Rgb(clBlue));
    ExpectPlus(image, b, clWhite);

    group.GetLine()->SetWidth(3);
    image = Painted();
    EXPECT_EQ(At(image, Point((a.X + b.X) / 2, a.Y - 1)), Rgb(clBlue));
    EXPECT_EQ(At(image, Point((a.X + b.X) / 2, a.Y + 1)), Rgb(clBlue));
    EXPECT_NE(At(image, Point((a.X + b.X) / 2, a.Y + 2)), Rgb(clBlue));

    // In the points' colour once asked, gone once hidden.
    group.GetLine()->SetUsePointsColor(true);
    image = Painted();
    EXPECT_EQ(At(image, Point((a.X + b.X) / 2, a.Y)), Rgb(clWhite));
    group.GetLine()->SetVisible(false);
    image = Painted();
    EXPECT_NE(At(image, Point((a.X + b.X) / 2, a.Y)), Rgb(clWhite));
}

TEST_F(WaterfallMarkerPictureTest, AVerticalDisplayExchangesTheCoordinatesAReversedAxisTheRows) {
    TKvWaterfallMarkerGroup& group = *AddGroup();
    AddMarker(group, 1, 2);
    AddMarker(group, 2, 5);

    waterfall->GetXAxisObject()->SetReversed(true);
    QImage image = Painted();
    ExpectPlus(image, Expected(1, 2), clWhite);
    ExpectPlus(image, Expected(2, 5), clWhite);
    EXPECT_EQ(waterfall->DataView()->GetIntValueAt(Expected(1, 2).X, Expected(1, 2).Y - 5), 200.0);

    waterfall->GetXAxisObject()->SetReversed(false);
    waterfall->SetVertical(true);
    image = Painted();
    const TPoint p = Expected(1, 2);
    ExpectPlus(image, p, clWhite);
    ExpectPlus(image, Expected(2, 5), clWhite);
    EXPECT_EQ(waterfall->DataView()->GetIntValueAt(p.X + 5, p.Y), 200.0);

    // Hits answer in screen pixels: on the first marker, and as far from
    // the line between the two as the screen says.
    TKvWaterfallMarker* selected = nullptr;
    EXPECT_EQ(group.HitTest(p.X + 1, p.Y - 2, selected), 0.0);
    EXPECT_EQ(selected, group.GetMarkers()->Items(0));
    const TPoint q = Point(p.X + 20, p.Y);
    TPoint nearest;
    double t = 0;
    const double d = SegmentDistance(q, p, Expected(2, 5), nearest, t);
    ASSERT_GT(d, 4.0);
    selected = nullptr;
    EXPECT_DOUBLE_EQ(group.HitTest(q.X, q.Y, selected), d);
    EXPECT_EQ(selected, nullptr);
}

TEST_F(WaterfallMarkerPictureTest, ScrollingMovesRelativeMarkersWithTheirRows) {
    TKvWaterfallMarkerGroup& relative = *AddGroup();
    TKvWaterfallMarkerGroup& absolute = *AddGroup();
    absolute.SetMode(mmAbsolute);
    AddMarker(relative, 3, 2);
    AddMarker(relative, 1, 2);
    AddMarker(absolute, 2, 5);
    Painted();

    // Two rows come in, two leave: the marker of row 3 now marks row 1.
    AddRow(900);
    AddRow(900);
    waterfall->RefreshView();
    const QImage image = Painted();
    EXPECT_EQ(Xs(relative), (std::vector<double>{1}));
    EXPECT_EQ(Xs(absolute), (std::vector<double>{2}));
    ExpectPlus(image, Expected(1, 2), clWhite);
    ExpectPlus(image, Expected(2, 5), RGBColor(192, 192, 192));
    EXPECT_EQ(waterfall->DataView()->GetIntValueAt(Expected(1, 2).X, Expected(1, 2).Y - 5), 400.0);
}

TEST_F(WaterfallMarkerPictureTest, TheNearestGroupWithinThreePixelsOfTheMouseIsHighlighted) {
    TKvWaterfallMarkerGroups& groups = *waterfall->GetMarkerGroups();
    TKvWaterfallMarkerGroup& near = *AddGroup();
    TKvWaterfallMarkerGroup& far = *AddGroup();
    AddMarker(near, 0, 2);
    AddMarker(near, 3, 2);
    AddMarker(far, 0, 2);
    AddMarker(far, 3, 2);
    Painted();

    TKvWaterfallMarker* selected = nullptr;
    const TPoint a = Expected(0, 2);
    const TPoint b = Expected(3, 2);
    // a single marker is hit only on itself
    TKvWaterfallMarkerGroup& single = *AddGroup();
    TKvWaterfallMarker* lone = AddMarker(single, 1, 5);
    Painted();
    const TPoint l = Expected(1, 5);
    EXPECT_EQ(single.HitTest(l.X + 2, l.Y - 3, selected), 0.0);
    EXPECT_EQ(selected, lone);
    selected = nullptr;
    EXPECT_EQ(single.HitTest(l.X + 5, l.Y, selected), 10000.0);
    EXPECT_EQ(selected, nullptr);
    single.SetVisible(false);

    // The far group's line moves 6 pixels down: from a point 1 pixel below
    // the near one it is 5 away.
    const double valuesPerPixel = (waterfall->GetYAxisObject()->ScaleRealZoomed().Max -
                                   waterfall->GetYAxisObject()->ScaleRealZoomed().Min) /
                                  waterfall->DataView()->Height();
    far.GetMarkers()->Items(0)->GetPosition()->SetY(2 - 6 * valuesPerPixel);
    far.GetMarkers()->Items(1)->GetPosition()->SetY(2 - 6 * valuesPerPixel);
    Painted();
    const TPoint fa = Expected(0, 2 - 6 * valuesPerPixel);
    ASSERT_EQ(fa.Y, a.Y + 6);
    const TPoint mid = Point((a.X + b.X) / 2, a.Y + 1);
    EXPECT_DOUBLE_EQ(near.HitTest(mid.X, mid.Y, selected), 1.0);
    EXPECT_DOUBLE_EQ(far.HitTest(mid.X, mid.Y, selected), 5.0);
    MouseTo(mid);
    EXPECT_EQ(groups.HighlightedGroup(), &near);
    EXPECT_TRUE(near.IsHighlighted());
    EXPECT_FALSE(far.IsHighlighted());

    // The highlighted group's line gets a 3-pixel band in the highlight
    // colour (the line itself is only drawn when visible).
    near.GetLine()->SetVisible(true);
    near.GetLine()->SetUsePointsColor(false);
    near.GetLine()->SetColor(clBlue);
    QImage image = Painted();
    const int x = (a.X + b.X) / 2 + 10;
    EXPECT_EQ(At(image, Point(x, a.Y)), Rgb(clBlue));
    EXPECT_EQ(At(image, Point(x, a.Y - 1)), Rgb(clLime));
    EXPECT_EQ(At(image, Point(x, a.Y + 1)), Rgb(clLime));
    EXPECT_NE(At(image, Point(x, a.Y + 2)), Rgb(clLime));

    // 4 pixels from the near group and 2 below the far one's: the far one.
    MouseTo(Point(mid.X, a.Y + 4));
    EXPECT_EQ(groups.HighlightedGroup(), &far);
    // Farther than 3 pixels from both: none, and the band is gone.
    MouseTo(Point(mid.X, a.Y - 4));
    EXPECT_EQ(groups.HighlightedGroup(), nullptr);
    image = Painted();
    EXPECT_NE(At(image, Point(x, a.Y - 1)), Rgb(clLime));

    // Groups at the same distance: the later one.
    far.GetMarkers()->Items(0)->GetPosition()->SetY(2);
    far.GetMarkers()->Items(1)->GetPosition()->SetY(2);
    Painted();
    MouseTo(mid);
    EXPECT_EQ(groups.HighlightedGroup(), &far);

    // On a marker, with HiglightFromMouse, that marker too.
    MouseTo(a);
    EXPECT_EQ(groups.HighlightedMarker(), far.GetMarkers()->Items(0));
    EXPECT_TRUE(far.GetMarkers()->Items(0)->IsHighlighted());
    EXPECT_FALSE(far.GetMarkers()->Items(1)->IsHighlighted());
    waterfall->GetHighlighting()->GetMarkers()->SetHiglightFromMouse(false);
    MouseTo(Point(a.X, a.Y + 1));
    EXPECT_EQ(groups.HighlightedGroup(), &far);
    EXPECT_EQ(groups.HighlightedMarker(), nullptr);

    // Leaving the control forgets it all.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(waterfall->Widget(), &leave);
    EXPECT_EQ(groups.HighlightedGroup(), nullptr);
}

TEST_F(WaterfallMarkerPictureTest, TheLegendHighlightsAGroupFromOutsideWhenAllowed) {
    TKvWaterfallMarkerGroup& first = *AddGroup();
    TKvWaterfallMarkerGroup& second = *AddGroup();
    TKvWaterfallMarker* marker = AddMarker(second, 2, 3);
    TKvWaterfallMarkerGroupsLegendGroup& legend = *waterfall->GetLegend()->GetMarkerGroups();
    ASSERT_EQ(legend.GetItemCount(), 2);

    legend.SetItemHighlighted(1, true);
    EXPECT_TRUE(second.IsHighlighted());
    EXPECT_TRUE(legend.GetItemHighlighted(1));
    EXPECT_FALSE(first.IsHighlighted());
    EXPECT_TRUE(marker->IsHighlighted());
    // A highlighted marker is drawn enlarged in the highlight colour first.
    QImage image = Painted();
    const TPoint p = Expected(2, 3);
    EXPECT_EQ(At(image, Point(p.X + 2, p.Y + 1)), Rgb(clLime));

    legend.SetItemHighlighted(0, false);
    EXPECT_FALSE(second.IsHighlighted());
    image = Painted();
    EXPECT_NE(At(image, Point(p.X + 2, p.Y + 1)), Rgb(clLime));

    waterfall->GetHighlighting()->GetMarkers()->SetHiglightFromLegend(false);
    legend.SetItemHighlighted(1, true);
    EXPECT_FALSE(second.IsHighlighted());

    // A deleted group is no longer highlighted from anywhere.
    waterfall->GetHighlighting()->GetMarkers()->SetHiglightFromLegend(true);
    second.SetExternalHighlight(true);
    waterfall->GetMarkerGroups()->Delete(1);
    EXPECT_EQ(waterfall->GetMarkerGroups()->ExtHighlightGroup(), nullptr);
    Painted();
}

TEST_F(WaterfallMarkerPictureTest, RowsFromAWorkerWhileTheUserInterfaceAddsMarkers) {
    TKvWaterfallMarkerGroup& group = *AddGroup();
    group.GetLine()->SetVisible(true);
    std::atomic<bool> stop{false};
    std::thread producer([&] {
        const std::vector<double> row(RowLength, 500.0);
        for (int i = 0; i < 400 && !stop; ++i)
            waterfall->Data().AddData(row.data(), RowLength);
    });
    for (int i = 0; i < 40; ++i) {
        AddMarker(group, Depth - 1, i % RowLength);
        waterfall->RefreshView();
        Painted();
    }
    stop = true;
    producer.join();
    waterfall->RefreshView();
    Painted();
    // Every marker was added on the newest row: those still there moved
    // back by whole rows and stayed in the history.
    for (const double x : Xs(group)) {
        EXPECT_GE(x, 0.0);
        EXPECT_LE(x, Depth - 1.0);
        EXPECT_EQ(x, std::trunc(x));
    }
}

} // namespace
