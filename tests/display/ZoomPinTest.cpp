// Axes of several displays linked through their zoom pins, the axis
// toolbar, and the zoom history's snapshots.

#include "AxisTestDisplay.h"
#include "TestDisplay.h"

#include <QWidget>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <array>

namespace {

class ZoomPinTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (auto& d : displays) {
            d = MakeOwned<TAxisTestDisplay>(nullptr);
            d->SetBounds(0, 0, 600, 400);
            d->Layout();
        }
        for (size_t i = 0; i < displays.size(); ++i) {
            displays[i]->X().OnZoomNotify = [this, i](TKvDisplayAxis*, TKvZoomOperation) {
                ++sent[i];
            };
            displays[i]->OnZoomChanged = [this, i](TPersistent*, TKvZoomOperation,
                                                   const TKvRealRanges&) { ++changed[i]; };
        }
    }

    TAxisTestXAxis& X(size_t AIndex) { return displays[AIndex]->X(); }
    TKvZoomPin* Pin(size_t AIndex) { return X(AIndex).GetZoomPin(); }
    void ExpectSameZoom(size_t A, size_t B) {
        EXPECT_EQ(X(A).GetZoomed(), X(B).GetZoomed());
        if (X(A).GetZoomed()) {
            EXPECT_DOUBLE_EQ(X(A).GetZoomMin(), X(B).GetZoomMin());
            EXPECT_DOUBLE_EQ(X(A).GetZoomMax(), X(B).GetZoomMax());
        }
    }
    void ResetCounts() {
        sent.fill(0);
        changed.fill(0);
    }

    std::array<TOwned<TAxisTestDisplay>, 3> displays;
    std::array<int, 3> sent{};
    std::array<int, 3> changed{};
};

TEST_F(ZoomPinTest, ZoomOffThroughThePinUnzoomsWithoutAnEcho) {
    ASSERT_TRUE(Pin(0)->Connect(Pin(1)));
    ResetCounts();
    X(0).ZoomTo(10, 30);
    EXPECT_TRUE(X(1).GetZoomed());
    ExpectSameZoom(0, 1);
    // the follower made a history entry of its own and sent nothing
    EXPECT_EQ(displays[1]->UndoList().Count(), 1);
    EXPECT_EQ(sent[1], 0);
    EXPECT_EQ(changed[1], 1);

    ResetCounts();
    // zoZoomOff arriving at the pin
    Pin(1)->DispatchData(TKvZoomPin::ZoomTypeID,
                         TJwNotifyOperationPtr(new TJwSuppliedZoomOperation(&X(0), zoZoomOff)),
                         JwStateLast);
    EXPECT_FALSE(X(1).GetZoomed());
    EXPECT_TRUE(X(0).GetZoomed());
    EXPECT_EQ(sent[1], 0);
    EXPECT_EQ(sent[0], 0);
}

TEST_F(ZoomPinTest, LinkedDisplaysZoomPanUndoAndUnzoomTogether) {
    ASSERT_TRUE(Pin(0)->Connect(Pin(1)));
    X(0).ZoomBy(0.5);
    ExpectSameZoom(0, 1);
    const double halfMin = X(0).GetZoomMin();
    X(1).ZoomTo(40, 60);
    ExpectSameZoom(0, 1);
    EXPECT_DOUBLE_EQ(X(0).GetZoomMin(), 40);

    // Drag the X axis of the first display to the right: the range moves
    // left, and the second display follows.
    const TRect axis = X(0).DrawRect();
    const int y = (axis.Top + axis.Bottom) / 2;
    bool handled = false;
    X(0).MouseDown(mbLeft, {}, handled, true, 300, y);
    X(0).MouseMove({}, 350, y, handled);
    X(0).MouseUp(mbLeft, {}, true, 350, y);
    EXPECT_LT(X(0).GetZoomMin(), 40);
    ExpectSameZoom(0, 1);

    ResetCounts();
    // back to before the second display's zoom reached the first
    displays[0]->UndoZoom();
    EXPECT_DOUBLE_EQ(X(0).GetZoomMin(), halfMin);
    ExpectSameZoom(0, 1);
    EXPECT_EQ(sent[1], 0);
    displays[0]->RedoZoom();
    ExpectSameZoom(0, 1);

    // Unzooming the display (as its toolbar does) unzooms the other one.
    displays[0]->ZoomOff();
    EXPECT_FALSE(X(1).GetZoomed());
    // and an axis toolbar's zoom off does too
    X(1).ZoomTo(20, 30);
    X(1).ToolBarZoomOff();
    EXPECT_FALSE(X(0).GetZoomed());
    // an undo back to an unzoomed state is followed as well
    X(0).ZoomTo(5, 6);
    displays[0]->UndoZoom();
    EXPECT_FALSE(X(0).GetZoomed());
    EXPECT_FALSE(X(1).GetZoomed());
}

TEST_F(ZoomPinTest, ACycleOfThreeFollowsOnceEach) {
    ASSERT_TRUE(Pin(0)->Connect(Pin(1)));
    ASSERT_TRUE(Pin(1)->Connect(Pin(2)));
    // closing the cycle joins nothing new: all three share one dispatcher
    Pin(2)->Connect(Pin(0));
    EXPECT_EQ(Pin(0)->GetPinCount(), 3);
    ResetCounts();
    X(2).ZoomTo(12, 18);
    ExpectSameZoom(0, 2);
    ExpectSameZoom(1, 2);
    EXPECT_EQ(changed, (std::array<int, 3>{1, 1, 1}));
    EXPECT_EQ(sent, (std::array<int, 3>{0, 0, 1}));

    ResetCounts();
    X(1).ZoomOffAndNotify();
    EXPECT_FALSE(X(0).GetZoomed());
    EXPECT_FALSE(X(2).GetZoomed());
    EXPECT_EQ(sent, (std::array<int, 3>{0, 1, 0}));
}

TEST_F(ZoomPinTest, AConnectingPinHandsItsRangeToThePeer) {
    X(0).ZoomTo(50, 70);
    ASSERT_TRUE(Pin(0)->Connect(Pin(1)));
    ExpectSameZoom(0, 1);
    EXPECT_EQ(displays[1]->UndoList().Count(), 1);

    // An axis that never zoomed has no range to hand over: its peer shows everything.
    Pin(0)->Disconnect();
    X(2).ZoomTo(1, 2);
    ASSERT_TRUE(Pin(1)->Connect(Pin(2)));
    EXPECT_TRUE(X(2).GetZoomed());
    ExpectSameZoom(1, 2);
    auto fresh = MakeOwned<TAxisTestDisplay>(nullptr);
    fresh->SetBounds(0, 0, 600, 400);
    fresh->Layout();
    ASSERT_TRUE(fresh->X().GetZoomPin()->Connect(Pin(2)));
    EXPECT_FALSE(X(2).GetZoomed());
    // a linked axis going away leaves the others working
    fresh.reset();
    X(1).ZoomTo(3, 4);
    ExpectSameZoom(1, 2);
}

TEST_F(ZoomPinTest, AxisToolBarSitsOnItsAxisAndZoomsIt) {
    TAxisTestDisplay& d = *displays[0];
    TKvAxisToolBar* xbar = d.X().GetToolBar();
    TKvAxisToolBar* ybar = d.Y().GetToolBar();
    const TRect data = d.GetDataView()->DrawRect();
    // along the bottom axis: one row from the data view's left, 3 above the axis's bottom
    const TRect xr = xbar->ToolRect();
    EXPECT_EQ(xr, Rect(data.Left, d.X().DrawRect().Bottom - 16 - 3, data.Left + 4 * 17,
                       d.X().DrawRect().Bottom - 16 - 3 + 18));
    // along the left axis: a column 3 in from its left, from the data view's top
    const TRect yr = ybar->ToolRect();
    EXPECT_EQ(yr, Rect(d.Y().DrawRect().Left + 3, data.Top, d.Y().DrawRect().Left + 3 + 17,
                       data.Top + 4 * 17 + 1));
    EXPECT_EQ(ybar->ButtonRect(ybar->ZoomOneDirButton()),
              Bounds(yr.Left + 1, yr.Top + 1 + 3 * 17, 16, 16));
    ybar->UpdateButtons();
    xbar->UpdateButtons();
    EXPECT_EQ(ybar->ZoomOneDirButton()->FImageIndex, biVerticalArrows);
    EXPECT_EQ(xbar->ZoomOneDirButton()->FImageIndex, biHorizontalArrows);
    EXPECT_FALSE(xbar->ZoomOffButton()->FEnabled);

    // Clicked through the display's routing, as the mouse does.
    auto click = [&](TKvAxisToolBar* ABar, TKvDisplayIntToolBarButton* AButton) {
        const TRect cell = ABar->ButtonRect(AButton);
        const int x = (cell.Left + cell.Right) / 2, y = (cell.Top + cell.Bottom) / 2;
        d.MouseMove({}, x, y);
        d.MouseDown(mbLeft, {}, x, y);
        d.MouseUp(mbLeft, {}, x, y);
    };
    click(ybar, ybar->ZoomInButton());
    EXPECT_TRUE(d.Y().GetZoomed());
    EXPECT_FALSE(d.X().GetZoomed());
    EXPECT_EQ(d.Y().GetCurrentMax() - d.Y().GetCurrentMin(), 1000);
    click(ybar, ybar->ZoomOutButton());
    EXPECT_EQ(d.Y().GetCurrentMax() - d.Y().GetCurrentMin(), 2000);
    click(ybar, ybar->ZoomOffButton());
    EXPECT_FALSE(d.Y().GetZoomed());
    EXPECT_EQ(d.UndoList().Count(), 3);
    click(ybar, ybar->ZoomOneDirButton());
    EXPECT_EQ(d.GetZooming()->GetMode(), zmYAxis);
    click(xbar, xbar->ZoomOneDirButton());
    EXPECT_EQ(d.GetZooming()->GetMode(), zmXAxis);
    // pressing the toolbar did not start a drag of the axis
    EXPECT_FALSE(d.X().LeftMouseButtonDown());

    // Hidden with its axis.
    d.Y().SetVisible(false);
    EXPECT_FALSE(ybar->IsVisible());
    EXPECT_TRUE(xbar->IsVisible());
}

TEST(ZoomHistoryTest, SnapshotsCompareByZoomAndTheListKeepsAHundred) {
    auto display = MakeOwned<TTestDisplay>(nullptr);
    TTestAxis& x = display->XAxis();
    auto snapshot = [&] {
        auto list = std::make_unique<TKvAxisZoomList>();
        list->Add(&x);
        return list;
    };
    TKvDisplayZoomList history;
    x.SetZoom(1, 2, false);
    history.Add(snapshot());
    // unzoomed ranges do not count
    x.SetZoom(3, 4, false);
    history.Add(snapshot());
    EXPECT_EQ(history.Count(), 1);
    x.SetZoom(3, 4, true);
    history.Add(snapshot());
    history.Add(snapshot());
    EXPECT_EQ(history.Count(), 2);
    x.SetZoom(3, 5, true);
    history.Add(snapshot());
    EXPECT_EQ(history.Count(), 3);

    for (int i = 0; i < 150; ++i) {
        x.SetZoom(i, i + 10, true);
        history.Add(snapshot());
    }
    EXPECT_EQ(history.Count(), TKvDisplayZoomList::MaxEntries);
    EXPECT_EQ(history.Items(0).Items(0).Min, 50);
    TKvAxisZoomListPtr top;
    ASSERT_TRUE(history.Get(top));
    EXPECT_EQ(top->Items(0).Min, 149);
    history.Clear();
    EXPECT_FALSE(history.Get(top));
    EXPECT_FALSE(top);
}

} // namespace
