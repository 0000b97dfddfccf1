// The waterfall's marker groups on the real control: their settings, the
// colours new groups take, markers that follow the scrolling image, the
// stored form, and where markers and their lines land in the picture.

#include "waterfall/KvWaterfall.h"

#include "platform/StoredForm.h"

#include <QWidget>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <memory>
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
}

} // namespace
