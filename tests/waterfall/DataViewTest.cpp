// The data view inside a data display: the painted control shows under
// every pixel the colour of the value read back there, and the mouse zooms
// with a dragged rectangle and pans, in both layouts and directions.

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include <memory>

#include "ViewHost.h"
#include "display/KvDisplayZoom.h"

namespace {

std::vector<double> NumberedRow(int ARow, uint32_t ALength) {
    std::vector<double> Values(ALength);
    for (uint32_t j = 0; j < ALength; ++j)
        Values[j] = double((ARow * 53 + int(j) * 11) % 1400) + 0.5;
    return Values;
}

class DataView : public ::testing::Test {
protected:
    void SetUp() override {
        Display = MakeOwned<TViewDisplay>(nullptr, 40);
        Display->SetBounds(0, 0, 200, 120);
        Display->SetColor(clNavy);
        Display->OnZoomChanged = [this](TPersistent*, TKvZoomOperation AOperation,
                                        const TKvRealRanges&) { Operations.push_back(AOperation); };
        for (int i = 0; i < 30; ++i)
            Display->AddRow(NumberedRow(i, 16));
    }

    QImage Painted() {
        return Display->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    void Drag(TPoint AFrom, TPoint ATo) {
        Display->MouseDown(mbLeft, {}, AFrom.X, AFrom.Y);
        Display->MouseMove({}, ATo.X, ATo.Y);
        Display->MouseUp(mbLeft, {}, ATo.X, ATo.Y);
    }

    TOwned<TViewDisplay> Display;
    std::vector<TKvZoomOperation> Operations;
};

TEST_F(DataView, PaintedPixelsShowTheColourOfTheValueReadBackThere) {
    for (const bool Vertical : {false, true}) {
        SCOPED_TRACE(Vertical ? "vertical" : "horizontal");
        Display->Vertical = Vertical;
        Display->Reversed = !Vertical;
        Display->InvalidateRefresh();
        const QImage Image = Painted();
        ASSERT_EQ(Display->View->DrawRect(), Bounds(0, 0, 200, 120));
        const TKvLevelRange Range(0, 1408, false);
        int Wrong = 0, Values = 0, AfterLast = 0;
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 200; ++x) {
                bool Hit = false;
                const double Value = Display->View->GetIntValueAt(x, y, Hit);
                uint32_t Expected = SwapRedBlue(ColorToRGB(clNavy));
                if (Hit) {
                    const TKvLevelRange::TArgs Args = Range.Reduce(Value);
                    Expected = Display->Colors.ValueToColorGBR(Args.AValue, Args.MaxValue);
                    ++Values;
                } else {
                    EXPECT_TRUE(Display->View->Image().MouseAfterLastBuffer());
                    ++AfterLast;
                }
                Wrong += (Image.pixel(x, y) & 0xFFFFFFu) != Expected;
            }
        EXPECT_EQ(Wrong, 0);
        // 30 of 40 rows are stored: about a quarter of the view lies past
        // the newest row.
        EXPECT_GT(Values, 0);
        EXPECT_GT(AfterLast, 0);

        // The value functions agree: view-relative, by axis values, and
        // under the mouse.
        EXPECT_EQ(Display->View->GetValueAt(5, 7), Display->View->GetIntValueAt(5, 7));
        EXPECT_EQ(Display->View->GetValueAtScale(3.2, 4.7), NumberedRow(3, 16)[5]);
        EXPECT_EQ(Display->View->GetValueAtScale(30.4, 1), 0); // the level minimum
        EXPECT_EQ(Display->View->GetValueAtScale(2, 16), KvNoWaterfallValue);
        Display->MouseMove({}, 5, 7);
        bool Hit = false;
        const double Under = Display->View->GetIntValueAt(5, 7, Hit);
        EXPECT_EQ(Display->View->UpdateMouseValue(), Hit);
        EXPECT_EQ(Display->View->ZValue(), Under);
        EXPECT_EQ(Display->View->IsHighlighted(), Hit);
    }
}

TEST_F(DataView, DraggedRectangleZoomsIntoTheRowsAndSamplesItCovers) {
    struct TCase {
        bool Vertical, Reversed;
        TKvDisplayZoomMode Mode;
        TKvWaterfallWindow Expected;
    };
    // The view is 200 x 120; the full window 0..39 rows, 0..15 samples; the
    // drag runs from (20, 30) to (120, 102).
    const TCase Cases[] = {
        {false, false, zmBoth, {0.1 * 39, 0.6 * 39, 15 - 0.85 * 15, 15 - 0.25 * 15}},
        {false, true, zmBoth, {39 - 0.6 * 39, 39 - 0.1 * 39, 15 - 0.85 * 15, 15 - 0.25 * 15}},
        {true, false, zmBoth, {0.25 * 39, 0.85 * 39, 0.1 * 15, 0.6 * 15}},
        {true, true, zmBoth, {39 - 0.85 * 39, 39 - 0.25 * 39, 0.1 * 15, 0.6 * 15}},
        {false, false, zmXAxis, {0.1 * 39, 0.6 * 39, 0, 15}},
        {false, false, zmYAxis, {0, 39, 15 - 0.85 * 15, 15 - 0.25 * 15}},
    };
    Painted();
    for (const TCase& C : Cases) {
        Display->Vertical = C.Vertical;
        Display->Reversed = C.Reversed;
        Display->Zoomed = false;
        Display->GetZooming()->SetMode(C.Mode);
        Display->ClearZoomUndo();
        Operations.clear();
        Display->MouseDown(mbLeft, {}, 20, 30);
        EXPECT_TRUE(Display->View->ZoomDragging());
        Display->MouseMove({}, 120, 102);
        Display->MouseUp(mbLeft, {}, 120, 102);
        EXPECT_FALSE(Display->View->ZoomDragging());
        ASSERT_TRUE(Display->Zoomed);
        EXPECT_DOUBLE_EQ(Display->Window.XMin, C.Expected.XMin);
        EXPECT_DOUBLE_EQ(Display->Window.XMax, C.Expected.XMax);
        EXPECT_DOUBLE_EQ(Display->Window.YMin, C.Expected.YMin);
        EXPECT_DOUBLE_EQ(Display->Window.YMax, C.Expected.YMax);
        EXPECT_TRUE(Display->CanUndoZoom());
        EXPECT_EQ(Operations, std::vector<TKvZoomOperation>{zoZoom});
    }

    // Under 5 pixels both ways, and with mouse zooming off, nothing zooms.
    Display->Zoomed = false;
    Drag(Point(50, 50), Point(54, 46));
    EXPECT_FALSE(Display->Zoomed);
    Display->GetZooming()->SetMouseZoom(false);
    Drag(Point(10, 10), Point(150, 100));
    EXPECT_FALSE(Display->Zoomed);
    // A press outside the view is not the view's.
    Display->MouseDown(mbLeft, {}, 250, 10);
    EXPECT_FALSE(Display->View->ZoomDragging());
}

TEST_F(DataView, PanMovesBothAxesByTheMouseAndReportsOnceAtTheEnd) {
    Painted();
    Display->SetNavigateMode(nmPan);
    Display->GetZooming()->SetHoldOnPan(true);
    Display->MouseDown(mbLeft, {}, 50, 50);
    EXPECT_EQ(Display->Drags, 1);
    EXPECT_FALSE(Display->View->ZoomDragging());
    Display->MouseMove({}, 60, 45);
    Display->MouseMove({}, 70, 40);
    Display->MouseMove({}, 70, 40); // no movement, no pan
    EXPECT_TRUE(Display->GetHold());
    EXPECT_TRUE(Display->CanUndoZoom());
    EXPECT_TRUE(Operations.empty());
    Display->MouseUp(mbLeft, {}, 70, 40);
    EXPECT_EQ(Display->Pans, (std::vector<std::pair<int32_t, int32_t>>{{10, -5}, {10, -5}}));
    EXPECT_EQ(Operations, std::vector<TKvZoomOperation>{zoMousePan});
    EXPECT_FALSE(Display->View->ViewMouseMoved());

    // A click without movement neither pans nor reports.
    Display->MouseDown(mbLeft, {}, 80, 80);
    Display->MouseUp(mbLeft, {}, 80, 80);
    EXPECT_EQ(Display->Pans.size(), 2u);
    EXPECT_EQ(Operations.size(), 1u);
}

} // namespace
