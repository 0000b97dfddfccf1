// Input routing with real Qt events, wheel and keyboard zoom, the mouse
// zoom selection, and the zoom history.

#include "DisplayFixture.h"

#include <QApplication>
#include <QWheelEvent>
#include <algorithm>

namespace {

constexpr int WaitMs = 5000;

class DisplayInputTest : public DisplayFixture {
protected:
    void SetUp() override {
        DisplayFixture::SetUp();
        display->AddStandardViews();
        Show();
        Painted();
        display->Events.clear();
    }

    // One notch; negative rolls towards the user (wheel down).
    void Wheel(QPoint APos, int ADelta) {
        QWidget* w = display->Widget();
        QWheelEvent event(QPointF(APos), QPointF(w->mapToGlobal(APos)), QPoint(), QPoint(0, ADelta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w, &event);
    }

    bool Logged(const std::string& AEvent) const {
        return std::find(display->Events.begin(), display->Events.end(), AEvent) !=
               display->Events.end();
    }

    std::vector<std::string> Only(const std::string& ASuffix) const {
        std::vector<std::string> result;
        for (const std::string& e : display->Events)
            if (e.ends_with(ASuffix))
                result.push_back(e);
        return result;
    }
};

TEST_F(DisplayInputTest, MouseMovesTrackTheViewUnderTheMouseAndRenderAgain) {
    // Start outside the display, on the window around it.
    QTest::mouseMove(host.get(), QPoint(480, 300));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !display->MouseIsIn(); }, WaitMs));
    display->Events.clear();

    QTest::mouseMove(display->Widget(), QPoint(200, 100));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Logged("data:enter"); }, WaitMs));
    EXPECT_TRUE(Logged("title:display-enter"));
    EXPECT_TRUE(display->RefreshPending());

    QTest::mouseMove(display->Widget(), QPoint(20, 100));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Logged("left:enter"); }, WaitMs));
    EXPECT_TRUE(Logged("data:leave"));
    EXPECT_FALSE(Logged("title:enter"));
}

TEST_F(DisplayInputTest, MouseDownStopsAtTheFirstHandlerAndMouseUpReachesEveryone) {
    auto* data = static_cast<TTestView*>(display->GetDataView());
    QTest::mouseClick(display->Widget(), Qt::RightButton, Qt::NoModifier, QPoint(200, 100));
    // Last component first; nobody handles it, so all visible views hear it.
    EXPECT_EQ(Only("down-in").size() + Only("down-out").size(), 4u);
    EXPECT_EQ(Only("down-in"), std::vector<std::string>{"data:down-in"});
    EXPECT_EQ(Only("up-in"), std::vector<std::string>{"data:up-in"});
    EXPECT_EQ(Only("up-out").size(), 3u);
    EXPECT_TRUE(QTest::qWaitFor([&] { return display->Focused(); }, WaitMs));

    display->Events.clear();
    data->HandlesDown = true;
    QTest::mouseClick(display->Widget(), Qt::RightButton, Qt::NoModifier, QPoint(200, 100));
    EXPECT_EQ(Only("down-in").size() + Only("down-out").size(), 1u);
    EXPECT_EQ(Only("up-in").size() + Only("up-out").size(), 4u);
}

TEST_F(DisplayInputTest, WheelStepsZoomAboutTheMouseAndMakeOneUndoEntryPerRun) {
    // (249.5, 144.5) would be the middle; x = 250 is 200/399 of the way.
    const double cx = 100.0 * 200 / 399;
    Wheel(QPoint(250, 145), -120);
    EXPECT_TRUE(Logged("data:wheel-down"));
    EXPECT_NEAR(display->GetXMin(), cx - cx * 1.1, 1e-9);
    EXPECT_NEAR(display->GetXMax(), cx + (100 - cx) * 1.1, 1e-9);
    Wheel(QPoint(250, 145), -120);
    EXPECT_EQ(display->UndoList().Count(), 1);

    display->ZoomBy(0.5);
    EXPECT_EQ(display->UndoList().Count(), 2);
    display->UndoZoom();
    EXPECT_EQ(display->UndoList().Count(), 1);
    Wheel(QPoint(250, 145), 120);
    EXPECT_TRUE(Logged("data:wheel-up"));
    EXPECT_EQ(display->UndoList().Count(), 2);

    // Only along X in that mode; not at all without the wheel switch.
    const double yMin = display->GetYMin();
    display->GetZooming()->SetMode(zmXAxis);
    Wheel(QPoint(250, 145), 120);
    EXPECT_EQ(display->GetYMin(), yMin);
    const double xMin = display->GetXMin();
    display->GetZooming()->SetMouseWheelEnabled(false);
    Wheel(QPoint(250, 145), 120);
    EXPECT_EQ(display->GetXMin(), xMin);
}

TEST_F(DisplayInputTest, AWheelOutsideTheDataViewReachesOnlyTheViewsUnderTheMouse) {
    Wheel(QPoint(20, 100), -120);
    EXPECT_EQ(display->Events, std::vector<std::string>{"left:wheel-down"});
    EXPECT_FALSE(display->XAxis().GetZoomed());
    EXPECT_FALSE(display->CanUndoZoom());
}

TEST_F(DisplayInputTest, PlusAndMinusKeysZoomOnlyWithKeyboardZoom) {
    QTest::keyClick(display->Widget(), '+');
    EXPECT_DOUBLE_EQ(display->GetXMax() - display->GetXMin(), 50.0);
    QTest::keyClick(display->Widget(), '-');
    EXPECT_DOUBLE_EQ(display->GetXMax() - display->GetXMin(), 100.0);
    EXPECT_EQ(display->UndoList().Count(), 2);

    display->GetZooming()->SetKeyboardZoom(false);
    QTest::keyClick(display->Widget(), '+');
    QTest::keyClick(display->Widget(), '-');
    EXPECT_DOUBLE_EQ(display->GetXMax() - display->GetXMin(), 100.0);
    EXPECT_EQ(display->UndoList().Count(), 2);
}

TEST_F(DisplayInputTest, ADragDrawsTheZoomSelectionInTheSelectionColour) {
    QWidget* w = display->Widget();
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QTest::mouseMove(w, QPoint(150, 130));
    ASSERT_TRUE(QTest::qWaitFor([&] { return display->RefreshPending(); }, WaitMs));
    QImage image = Painted();
    // Corners inclusive: the rectangle reaches one past the larger point.
    EXPECT_EQ(Rgb(image, 100, 100), 0xFFFFFFu);
    EXPECT_EQ(Rgb(image, 150, 130), 0xFFFFFFu);
    EXPECT_EQ(Rgb(image, 151, 131), TestPatternPixel(151, 131) & 0xFFFFFF);
    EXPECT_EQ(Rgb(image, 120, 115), TestPatternPixel(120, 115) & 0xFFFFFF);

    display->GetZooming()->SetSelectionColor(clYellow);
    display->GetZooming()->SetMode(zmXAxis);
    image = Painted();
    // Two lines across the whole data view at the two X positions.
    EXPECT_EQ(Rgb(image, 100, 40), 0xFFFF00u);
    EXPECT_EQ(Rgb(image, 150, 248), 0xFFFF00u);
    EXPECT_EQ(Rgb(image, 120, 100), TestPatternPixel(120, 100) & 0xFFFFFF);

    display->SetNavigateMode(nmPan);
    image = Painted();
    EXPECT_EQ(Rgb(image, 100, 40), TestPatternPixel(100, 40) & 0xFFFFFF);
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, QPoint(150, 130));
}

TEST_F(DisplayInputTest, HistoryKeepsTheLastHundredDistinctStates) {
    std::vector<std::pair<TKvZoomOperation, TKvRealRanges>> changes;
    display->OnZoomChanged = [&](TPersistent*, TKvZoomOperation AOperation,
                                 const TKvRealRanges& ARanges) {
        changes.emplace_back(AOperation, ARanges);
    };
    // Undo with nothing to undo only records the present for redo.
    display->UndoZoom();
    EXPECT_TRUE(display->CanRedoZoom());
    EXPECT_FALSE(display->XAxis().GetZoomed());
    EXPECT_TRUE(changes.empty());

    // The same state twice is one entry.
    display->ClearZoomUndo();
    for (int i = 0; i < 3; ++i)
        display->ZoomTo(10, 20, 30, 40);
    EXPECT_EQ(display->UndoList().Count(), 2);

    display->ClearZoomUndo();
    for (int i = 0; i < 101; ++i)
        display->ZoomTo(i, i + 1, 0, 1);
    ASSERT_EQ(display->UndoList().Count(), 100);
    // The unzoomed start dropped out; the oldest kept is the first zoom.
    const TKvAxisZoomList& oldest = display->UndoList().Items(0);
    EXPECT_TRUE(oldest.Items(0).Zoomed);
    EXPECT_DOUBLE_EQ(oldest.Items(0).Min, 0.0);
    EXPECT_DOUBLE_EQ(oldest.Items(0).Max, 1.0);

    display->ZoomTo(10, 20, 30, 40);
    changes.clear();
    display->ZoomTo(1, 2, 3, 4);
    display->UndoZoom();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[1].first, zoUndo);
    EXPECT_DOUBLE_EQ(changes[1].second.XOldMin, 1.0);
    EXPECT_DOUBLE_EQ(changes[1].second.XMin, 10.0);
    EXPECT_DOUBLE_EQ(changes[1].second.YMax, 40.0);
    display->RedoZoom();
    EXPECT_EQ(changes.back().first, zoRedo);
    EXPECT_DOUBLE_EQ(display->GetYMin(), 3.0);

    display->ZoomOff();
    EXPECT_EQ(changes.back().first, zoZoomOff);
    EXPECT_FALSE(display->GetZooming()->IsZoomed());
    display->UndoZoom();
    EXPECT_DOUBLE_EQ(display->GetXMax(), 2.0);
    display->ClearZoomUndo();
    EXPECT_FALSE(display->CanUndoZoom());
    EXPECT_FALSE(display->CanRedoZoom());
}

} // namespace
