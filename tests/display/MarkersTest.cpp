// Marker groups and markers: names, defaults through the stored form, what
// changes ask of the display, drawing pixel by pixel against the shape
// rasteriser and the label rule, hit testing against drawing, and markers
// at absurd places.

#include "TestDisplay.h"

#include "display/KvDisplayMarkers.h"
#include "display/KvMarkerGeometry.h"
#include "foundation/HxCanvasImpl.h"
#include "foundation/MarkerShapes.h"
#include "platform/StoredForm.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

class TTestMarker : public TKvDisplayMarker {
    Q_OBJECT
public:
    explicit TTestMarker(TCollection* ACollection) : TKvDisplayMarker(ACollection) {}

    TColor GetHighlightColor() override { return HighlightColor; }
    bool IsHighlighted() override { return Highlighted; }
    bool IsSelected() override { return Selected; }

    TColor HighlightColor = clLime;
    bool Highlighted = false;
    bool Selected = false;

protected:
    ~TTestMarker() override = default;
};

class TTestMarkerGroup : public TKvDisplayMarkerGroup {
    Q_OBJECT
    Q_PROPERTY(TKvDisplayMarkers* Markers READ GetMarkers)
public:
    explicit TTestMarkerGroup(TCollection* ACollection)
        : TKvDisplayMarkerGroup(ACollection),
          FMarkers(MakeOwned<TKvDisplayMarkers>(this, ItemFactory<TTestMarker>())) {}

    TKvDisplayMarkers* GetMarkers() const { return FMarkers.get(); }
    TTestMarker* AddMarker() { return static_cast<TTestMarker*>(FMarkers->Add()); }

protected:
    ~TTestMarkerGroup() override = default;

private:
    TOwned<TKvDisplayMarkers> FMarkers;
};

class TMarkerTestDisplay : public TTestDisplay {
    Q_OBJECT
    Q_PROPERTY(TKvDisplayMarkerGroups* MarkerGroups READ GetMarkerGroups)
public:
    explicit TMarkerTestDisplay(TComponent* AOwner)
        : TTestDisplay(AOwner), FMarkerGroups(MakeOwned<TKvDisplayMarkerGroups>(
                                    this, this, Lock(), ItemFactory<TTestMarkerGroup>())) {}

    TKvDisplayMarkerGroups* GetMarkerGroups() const { return FMarkerGroups.get(); }
    TTestMarkerGroup* AddGroup() { return static_cast<TTestMarkerGroup*>(FMarkerGroups->Add()); }
    bool GetIsVertical() override { return Vertical; }
    void LaidOut() { ClearNeedsRecalc(); }

    bool Vertical = false;
    std::vector<TPersistent*> Clicked;

public slots:
    void PeaksClick(TPersistent* ASender) { Clicked.push_back(ASender); }

protected:
    ~TMarkerTestDisplay() override { FMarkerGroups.reset(); }

private:
    TOwned<TKvDisplayMarkerGroups> FMarkerGroups;
};

namespace {

constexpr TColor Background = clBlack;
const TRect DataView = Rect(50, 40, 450, 250);

// A bitmap and its canvas, cleared to the background.
struct TSurface {
    TSurface() : Canvas(Bitmap.Canvas()) {
        Bitmap.SetPixelFormat(pf32bit);
        Bitmap.SetSize(450, 280);
        Canvas.GetBrush().SetColor(Background);
        Canvas.FillRect(Rect(0, 0, 450, 280));
    }
    TColor At(int32_t X, int32_t Y) const {
        const uint8_t* p = Bitmap.DataPtr() + Y * 450 * 4 + X * 4;
        return RGBColor(p[2], p[1], p[0]);
    }
    TGmBasicBitmap Bitmap;
    THxCanvasImpl Canvas;
};

std::string Differences(const TSurface& AGot, const TSurface& AWant) {
    std::string out;
    for (int32_t y = 0; y < 280; ++y)
        for (int32_t x = 0; x < 450; ++x)
            if (AGot.At(x, y) != AWant.At(x, y) && out.size() < 300)
                out += "(" + std::to_string(x) + "," + std::to_string(y) + ") ";
    return out;
}

struct MarkersTest : ::testing::Test {
    void SetUp() override {
        display = MakeOwned<TMarkerTestDisplay>(nullptr);
        display->AddStandardViews();
        display->Layout();
        group = display->AddGroup();
        group->GetPen()->SetColor(clRed);
        group->GetBrush()->SetStyle(bsSolid);
        group->GetBrush()->SetColor(clBlue);
        marker = group->AddMarker();
    }

    // What the group's look gives for a shape at (X, Y), drawn by the rasteriser.
    void ReferenceShape(TSurface& AWant, TPoint P, int32_t AExtra = 0) {
        AWant.Canvas.SetFromDisplayPen(group->GetPen());
        AWant.Canvas.SetFromDisplayBrush(group->GetBrush());
        DrawMarkerShape(AWant.Canvas, P.X, P.Y, display->Vertical, AExtra,
                        static_cast<int32_t>(group->GetSize()), group->GetShape());
    }
    // The label text with its top-left corner at P, in the label font.
    void ReferenceText(TSurface& AWant, TPoint P, const QString& AText) {
        AWant.Canvas.SetFromDisplayFont(group->GetLabels()->GetFont());
        AWant.Canvas.GetBrush().SetStyle(lbsClear);
        AWant.Canvas.TextOut(P.X, P.Y, AText);
    }
    TSize TextSize(const QString& AText) {
        TSurface s;
        s.Canvas.SetFromDisplayFont(group->GetLabels()->GetFont());
        return s.Canvas.TextExtent(AText);
    }

    TOwned<TMarkerTestDisplay> display;
    TTestMarkerGroup* group = nullptr;
    TTestMarker* marker = nullptr;
};

TEST_F(MarkersTest, NewGroupsAndMarkersAreNamedAfterTheItemCount) {
    EXPECT_EQ(group->GetName(), QStringLiteral("MarkerGroup1"));
    EXPECT_EQ(marker->GetName(), QStringLiteral("Marker1"));
    EXPECT_EQ(display->AddGroup()->GetName(), QStringLiteral("MarkerGroup2"));
    group->AddMarker();
    EXPECT_EQ(group->AddMarker()->GetName(), QStringLiteral("Marker3"));
    EXPECT_EQ(marker->Group(), group);
    EXPECT_FALSE(marker->WasDrawn());
    EXPECT_EQ(marker->DrawPoint().X, -10000);
}

TEST_F(MarkersTest, DefaultsStayOutOfTheStoredFormAndChangesRoundTrip) {
    const TOwned<TMarkerTestDisplay> fresh = MakeOwned<TMarkerTestDisplay>(nullptr);
    TTestMarkerGroup* g = fresh->AddGroup();
    EXPECT_EQ(g->GetBrush()->Style(), bsClear);
    EXPECT_EQ(g->GetBrush()->Color(), 255);
    EXPECT_EQ(g->GetPen()->Style(), psSolid);
    EXPECT_EQ(g->GetPen()->Color(), 255);
    EXPECT_EQ(g->GetShape(), msPlus);
    EXPECT_EQ(g->GetSize(), 3u);
    EXPECT_FALSE(g->GetCanDrag());
    EXPECT_TRUE(g->GetVisible());
    for (TKvDisplayMarkerCrosshairLine* line :
         {g->GetCrosshairLines()->GetLeft(), g->GetCrosshairLines()->GetTop(),
          g->GetCrosshairLines()->GetRight(), g->GetCrosshairLines()->GetBottom()}) {
        EXPECT_FALSE(line->GetVisible());
        EXPECT_EQ(line->GetPen()->Color(), 0x00FFFF);
    }
    TKvMarkerGroupLabel& labels = *g->GetLabels();
    EXPECT_TRUE(labels.GetVisible());
    EXPECT_EQ(labels.GetFont()->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(labels.GetFont()->Size(), 8);
    EXPECT_EQ(labels.GetFont()->Color(), clWhite);
    EXPECT_EQ(labels.GetPosition()->GetCoordinateMode(), cmRightTop);
    EXPECT_EQ(labels.GetPosition()->GetCX(), 4);
    EXPECT_EQ(labels.GetPosition()->GetCY(), 0);
    const QString text = ComponentToText(fresh.get());
    for (const char* name : {"Shape", "Size", "CanDrag", "Visible", "CoordinateMode", "CX", "CY"})
        EXPECT_FALSE(text.contains(QLatin1String(name) + QLatin1String(" =")))
            << name << "\n"
            << text.toStdString();

    g->SetShape(msTriangleLeft);
    g->SetSize(9);
    g->SetCanDrag(true);
    g->SetVisible(false);
    g->GetPen()->SetWidth(2);
    g->GetCrosshairLines()->GetTop()->SetVisible(true);
    g->GetCrosshairLines()->GetTop()->GetPen()->SetColor(clFuchsia);
    labels.SetText(QStringLiteral("%X"));
    labels.GetPosition()->SetCoordinateMode(cmLeftBottom);
    labels.GetPosition()->SetCX(0);
    labels.GetPosition()->SetCY(-2);
    g->SetName(QStringLiteral("Peaks"));
    static_cast<TTestMarkerGroup*>(g)->AddMarker()->SetTag(7);
    const TOwned<TMarkerTestDisplay> read = MakeOwned<TMarkerTestDisplay>(nullptr);
    ReadComponentFromText(ComponentToText(fresh.get()), read.get());
    ASSERT_EQ(read->GetMarkerGroups()->Count(), 1);
    auto* r = static_cast<TTestMarkerGroup*>(read->GetMarkerGroups()->Group(0));
    EXPECT_EQ(r->GetName(), QStringLiteral("Peaks"));
    EXPECT_EQ(r->GetShape(), msTriangleLeft);
    EXPECT_EQ(r->GetSize(), 9u);
    EXPECT_TRUE(r->GetCanDrag());
    EXPECT_FALSE(r->GetVisible());
    EXPECT_EQ(r->GetPen()->Width(), 2);
    EXPECT_TRUE(r->GetCrosshairLines()->GetTop()->GetVisible());
    EXPECT_FALSE(r->GetCrosshairLines()->GetLeft()->GetVisible());
    EXPECT_EQ(r->GetCrosshairLines()->GetTop()->GetPen()->Color(), clFuchsia);
    EXPECT_EQ(r->GetLabels()->GetText(), QStringLiteral("%X"));
    EXPECT_EQ(r->GetLabels()->GetPosition()->GetCoordinateMode(), cmLeftBottom);
    EXPECT_EQ(r->GetLabels()->GetPosition()->GetCX(), 0);
    EXPECT_EQ(r->GetLabels()->GetPosition()->GetCY(), -2);
    ASSERT_EQ(r->GetMarkers()->Count(), 1);
    EXPECT_EQ(r->GetMarkers()->Marker(0)->GetTag(), 7);
}

TEST_F(MarkersTest, ClickHandlerIsStoredByTheNameOfTheRootsMethod) {
    const QString form = ComponentToText(display.get());
    ASSERT_TRUE(form.contains(QStringLiteral("Name = 'MarkerGroup1'"))) << form.toStdString();
    QString text = form;
    text.replace(QStringLiteral("Name = 'MarkerGroup1'"),
                 QStringLiteral("Name = 'MarkerGroup1'\n        OnClick = PeaksClick"));
    const TOwned<TMarkerTestDisplay> read = MakeOwned<TMarkerTestDisplay>(nullptr);
    ReadComponentFromText(text, read.get());
    TKvDisplayMarkerGroup* g = read->GetMarkerGroups()->Group(0);
    ASSERT_TRUE(g->OnClick);
    g->ItemMouseDown(mbLeft, TShiftState{}, 1, 1);
    ASSERT_EQ(read->Clicked.size(), 1u);
    EXPECT_EQ(read->Clicked[0], g);
    EXPECT_TRUE(ComponentToText(read.get()).contains(QStringLiteral("OnClick = PeaksClick")));
}

TEST_F(MarkersTest, GroupChangesLayOutOrRepaintAndAFreedGroupMarksTheLayout) {
    display->LaidOut();
    group->SetCanDrag(true);
    EXPECT_TRUE(display->NeedsRecalc()) << "the group's own change lays out again";
    display->LaidOut();
    group->GetCrosshairLines()->GetRight()->GetPen()->SetWidth(3);
    group->GetLabels()->GetPosition()->SetCX(9);
    group->GetBrush()->SetColor(clGray);
    EXPECT_FALSE(display->NeedsRecalc()) << "look changes only repaint";
    EXPECT_TRUE(display->RefreshPending());
    marker->SetTag(3);
    EXPECT_TRUE(display->NeedsRecalc()) << "a marker's change lays out again";
    display->LaidOut();
    display->GetMarkerGroups()->Delete(0);
    EXPECT_TRUE(display->NeedsRecalc());
}

TEST_F(MarkersTest, ShapeAndLabelAtEachPositionPixelByPixel) {
    group->GetLabels()->SetText(QStringLiteral("Peak 1"));
    const TSize t = TextSize(QStringLiteral("Peak 1"));
    const TPoint P = Point(200, 120);
    struct TCase {
        TKvCoordinateMode Mode;
        TPoint Origin; // by the rule, with CX 6, CY 3
    };
    const TCase cases[] = {{cmRightTop, Point(P.X + 6, P.Y - t.cy - 3)},
                           {cmLeftTop, Point(P.X - t.cx - 6, P.Y - t.cy - 3)},
                           {cmRightBottom, Point(P.X + 6, P.Y + 3)},
                           {cmLeftBottom, Point(P.X - t.cx - 6, P.Y + 3)},
                           {cmCenter, Point(P.X - t.cx / 2 + 6, P.Y - t.cy / 2 + 3)}};
    group->GetLabels()->GetPosition()->SetCX(6);
    group->GetLabels()->GetPosition()->SetCY(3);
    for (TKvDisplayMarkerShape shape : {msPlus, msSquare, msTriangleDown})
        for (const TCase& c : cases) {
            group->SetShape(shape);
            group->GetLabels()->GetPosition()->SetCoordinateMode(c.Mode);
            TSurface got, want;
            marker->Draw(got.Canvas, DataView, P, TKvRealPoint{}, false);
            ReferenceShape(want, P);
            ReferenceText(want, c.Origin, QStringLiteral("Peak 1"));
            EXPECT_EQ(Differences(got, want), "") << "shape " << shape << " mode " << c.Mode;
            EXPECT_EQ(marker->DrawPoint(), P);
        }
}

TEST_F(MarkersTest, VerticalDisplayDrawsAtTheExchangedPointAndHitsThere) {
    display->Vertical = true;
    group->SetShape(msTriangleUp);
    group->GetLabels()->SetText(QStringLiteral("v"));
    const TSize t = TextSize(QStringLiteral("v"));
    TSurface got, want;
    marker->Draw(got.Canvas, DataView, Point(120, 200), TKvRealPoint{}, false);
    ReferenceShape(want, Point(120, 200)); // the rasteriser exchanges and turns it
    ReferenceText(want, Point(200 + 4, 120 - t.cy), QStringLiteral("v"));
    EXPECT_EQ(Differences(got, want), "");
    EXPECT_EQ(marker->DrawPoint(), Point(120, 200));
    // the apex sits at screen (200, 120); up turns to left, so it opens rightwards
    EXPECT_TRUE(MarkerHitTest(*marker, 200, 120));
    EXPECT_TRUE(MarkerHitTest(*marker, 206, 120));
    EXPECT_FALSE(MarkerHitTest(*marker, 194, 120));
    EXPECT_FALSE(MarkerHitTest(*marker, 120, 200));
    // left turns to down: the triangle hangs above its apex, and is hot there
    group->SetShape(msTriangleLeft);
    TSurface left;
    marker->Draw(left.Canvas, DataView, Point(120, 200), TKvRealPoint{}, false);
    EXPECT_NE(left.At(200, 114), Background);
    EXPECT_TRUE(MarkerHitTest(*marker, 200, 114));
    EXPECT_FALSE(MarkerHitTest(*marker, 200, 126));
}

TEST_F(MarkersTest, CrosshairLinesRunToTheDataViewEdgesAndEverythingStaysInsideItsClip) {
    TKvDisplayMarkerCrosshairLines& lines = *group->GetCrosshairLines();
    lines.GetLeft()->SetVisible(true);
    lines.GetBottom()->SetVisible(true);
    lines.GetBottom()->GetPen()->SetColor(clAqua);
    group->GetLabels()->SetText(QStringLiteral("edge"));
    const TSize t = TextSize(QStringLiteral("edge"));
    // close to the top right corner: the label and the plus run out of the view
    const TPoint P = Point(446, 44);
    TSurface got, want;
    got.Canvas.SelectClipRgn(QRegion(DataView.ToQRect()));
    marker->Draw(got.Canvas, DataView, P, TKvRealPoint{}, false);
    want.Canvas.SetFromDisplayPen(lines.GetLeft()->GetPen());
    want.Canvas.MoveTo(DataView.Left, P.Y);
    want.Canvas.LineTo(P.X, P.Y);
    want.Canvas.SetFromDisplayPen(lines.GetBottom()->GetPen());
    want.Canvas.MoveTo(P.X, DataView.Bottom);
    want.Canvas.LineTo(P.X, P.Y);
    ReferenceShape(want, P);
    ReferenceText(want, Point(P.X + 4, P.Y - t.cy), QStringLiteral("edge"));
    // what the clip lets through
    for (int32_t y = 0; y < 280; ++y)
        for (int32_t x = 0; x < 450; ++x)
            if (!DataView.Contains(Point(x, y))) {
                uint8_t* p = const_cast<uint8_t*>(want.Bitmap.DataPtr()) + y * 450 * 4 + x * 4;
                p[0] = p[1] = p[2] = 0;
            }
    EXPECT_EQ(Differences(got, want), "");
    EXPECT_EQ(got.At(60, P.Y), clYellow) << "the left line is in its own pen";
    EXPECT_EQ(got.At(P.X, 200), clAqua);
}

TEST_F(MarkersTest, HighlightedMarkerGetsAnEnlargedCopyUnderneathButNotWhenPrinting) {
    group->SetSize(4);
    const TPoint P = Point(200, 120);
    for (bool printing : {false, true})
        for (int state = 0; state < 2; ++state) {
            marker->Highlighted = state == 0;
            marker->Selected = state == 1;
            TSurface got;
            marker->Draw(got.Canvas, DataView, P, TKvRealPoint{}, printing);
            // the normal plus starts 4 pixels out, the highlight one 5, 3 pixels wide
            const TColor tip = printing ? Background : clLime;
            EXPECT_EQ(got.At(P.X - 5, P.Y), tip) << printing << state;
            EXPECT_EQ(got.At(P.X, P.Y - 5), tip) << printing << state;
            EXPECT_EQ(got.At(P.X + 3, P.Y + 1), tip) << "wider stroke; " << printing << state;
            EXPECT_EQ(got.At(P.X, P.Y - 4), clRed) << "the normal shape is drawn over it";
            EXPECT_EQ(got.At(P.X, P.Y), clRed);
        }
}

TEST_F(MarkersTest, LegendSymbolIsTheShapeOfSizeThreeOrASmallBoxForAPoint) {
    group->SetSize(8); // the legend ignores the size
    group->SetShape(msDiamond);
    TSurface got, want;
    EXPECT_TRUE(group->DrawLegendSymbol(&got.Canvas, 100, 30));
    want.Canvas.SetFromDisplayPen(group->GetPen());
    want.Canvas.SetFromDisplayBrush(group->GetBrush());
    DrawMarkerShape(want.Canvas, 36, 100, false, 0, 3, msDiamond);
    EXPECT_EQ(Differences(got, want), "");

    group->SetShape(msPoint);
    TSurface point;
    EXPECT_TRUE(group->DrawLegendSymbol(&point.Canvas, 100, 30));
    for (int32_t y = 95; y < 105; ++y)
        for (int32_t x = 30; x < 45; ++x) {
            const bool box = x >= 35 && x < 38 && y >= 99 && y < 102;
            EXPECT_EQ(point.At(x, y), box ? clBlue : Background) << x << "," << y;
        }
}

// Every pixel a marker draws is a hit, except the arms of pluses and crosses
// larger than 3, which are hot only 3 pixels about their centre; nothing
// farther than twice the (at least 3) size is ever a hit.
TEST_F(MarkersTest, HitTestingAgreesWithDrawingOverManyMarkers) {
    group->GetLabels()->SetVisible(false);
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> shapeOf(msPoint, msVLine), sizeOf(0, 9), place(60, 160);
    for (int i = 0; i < 200; ++i) {
        const auto shape = static_cast<TKvDisplayMarkerShape>(shapeOf(random));
        const int32_t size = sizeOf(random);
        display->Vertical = i % 2 == 1;
        group->SetShape(shape);
        group->SetSize(static_cast<uint32_t>(size));
        const TPoint P = Point(place(random), place(random));
        TSurface s;
        marker->Draw(s.Canvas, DataView, P, TKvRealPoint{}, false);
        const TPoint screen = display->Vertical ? Point(P.Y, P.X) : P;
        const int32_t a = std::max(size, 3);
        const bool cappedArms = (shape == msPlus || shape == msCross) && size > 3;
        const int32_t reach = 2 * a + 2; // beyond anything drawn or hot
        for (int32_t y = screen.Y - reach; y <= screen.Y + reach; ++y)
            for (int32_t x = screen.X - reach; x <= screen.X + reach; ++x) {
                const int32_t dx = std::abs(x - screen.X), dy = std::abs(y - screen.Y);
                const bool hit = MarkerHitTest(*marker, x, y);
                if (s.At(x, y) != Background && (!cappedArms || (dx <= 3 && dy <= 3))) {
                    ASSERT_TRUE(hit)
                        << "shape " << shape << " size " << size << " vertical "
                        << display->Vertical << " at " << x - screen.X << "," << y - screen.Y;
                }
                if (hit) {
                    ASSERT_TRUE(dx <= 2 * a && dy <= 2 * a)
                        << "shape " << shape << " size " << size << " hit at " << dx << "," << dy;
                }
            }
    }
    marker->ClearDrawData();
    EXPECT_FALSE(MarkerHitTest(*marker, 100, 100)) << "a marker that is not drawn is never hit";
}

TEST_F(MarkersTest, AbsurdPositionsLabelsAndCountsNeitherFaultNorDraw) {
    group->GetLabels()->SetText(QStringLiteral("%"));
    group->GetCrosshairLines()->GetLeft()->SetVisible(true);
    const double inf = std::numeric_limits<double>::infinity();
    TPoint at;
    EXPECT_FALSE(MarkerDrawPosition(*display, TKvRealPoint{std::nan(""), 50.0}, at));
    EXPECT_FALSE(MarkerDrawPosition(*display, TKvRealPoint{50.0, std::nan("")}, at));
    ASSERT_TRUE(MarkerDrawPosition(*display, TKvRealPoint{25.0, 25.0}, at));
    // X axis 0..100 over the data view's width 399 from 50; Y upwards over its height 209
    EXPECT_EQ(at, Point(50 + 100, 40 + 209 - 52));
    for (TKvRealPoint far : {TKvRealPoint{1e300, 50.0}, TKvRealPoint{50.0, -inf},
                             TKvRealPoint{inf, inf}, TKvRealPoint{-1e300, 1e300}}) {
        ASSERT_TRUE(MarkerDrawPosition(*display, far, at));
        TSurface s;
        s.Canvas.SelectClipRgn(QRegion(DataView.ToQRect()));
        marker->Draw(s.Canvas, DataView, at, far, false);
        for (int32_t y = 0; y < 280; ++y)
            for (int32_t x = 0; x < 450; ++x)
                if (s.At(x, y) != Background) {
                    // only a crosshair line may cross the view
                    EXPECT_TRUE(s.At(x, y) == clYellow) << x << "," << y;
                }
    }
    // a long label
    group->GetLabels()->SetText(QString(10000, QLatin1Char('W')));
    {
        TSurface s;
        marker->Draw(s.Canvas, DataView, Point(100, 100), TKvRealPoint{}, false);
        const int32_t h = TextSize(QStringLiteral("W")).cy;
        int inside = 0, outside = 0;
        for (int32_t y = 0; y < 280; ++y)
            for (int32_t x = 0; x < 450; ++x)
                if (s.At(x, y) == clWhite)
                    ++(x >= 104 && y >= 100 - h && y < 100 ? inside : outside);
        EXPECT_GT(inside, 0);
        EXPECT_EQ(outside, 0) << "the label starts right of and above the marker";
    }
    // many markers in one group
    group->GetLabels()->SetText(QStringLiteral("m"));
    for (int i = 0; i < 9999; ++i)
        group->AddMarker();
    TSurface s;
    for (int i = 0; i < group->GetMarkers()->Count(); ++i)
        group->GetMarkers()->Marker(i)->Draw(s.Canvas, DataView, Point(50 + i % 400, 40 + i % 200),
                                             TKvRealPoint{}, false);
    EXPECT_TRUE(group->GetMarkers()->Marker(9999)->WasDrawn());
}

} // namespace

#include "MarkersTest.moc"
