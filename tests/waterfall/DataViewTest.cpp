// The data view inside the waterfall control: the painted control shows
// under every pixel the colour of the value read back there, and the mouse
// zooms with a dragged rectangle and pans, in both layouts and directions.

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include <algorithm>
#include <memory>

#include "ObservedWaterfall.h"
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
        Display = MakeWaterfall(40);
        Display->SetBounds(0, 0, 200, 120);
        Display->SetColor(clNavy);
        // The data view alone fills the control.
        Display->GetTitle()->SetVisible(false);
        Display->GetLegend()->SetVisible(false);
        Display->GetLevels()->SetVisible(false);
        Display->GetXAxisObject()->SetVisible(false);
        Display->GetYAxisObject()->SetVisible(false);
        // The toolbar shows while the mouse is over the control; it is not
        // the data view's.
        Display->GetToolBar()->SetVisible(false);
        Display->GetHighlighting()->GetMouseHitPoint()->SetEnabled(false);
        TKvLevelAxis* Levels = Display->GetLevels()->GetAxis();
        Levels->SetAutoscale(false);
        Levels->SetMin(0);
        Levels->SetMax(1408);
        Display->OnZoomChanged = [this](TPersistent*, TKvZoomOperation AOperation,
                                        const TKvRealRanges&) { Operations.push_back(AOperation); };
        for (int i = 0; i < 30; ++i) {
            const std::vector<double> Row = NumberedRow(i, 16);
            Display->Data().AddData(Row.data(), static_cast<uint32_t>(Row.size()));
        }
        Display->RefreshView();
    }

    QImage Painted() {
        return Display->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    TKvWaterfallDataView& View() { return *Display->DataView(); }

    void Drag(TPoint AFrom, TPoint ATo) {
        Display->MouseDown(mbLeft, {}, AFrom.X, AFrom.Y);
        Display->MouseMove({}, ATo.X, ATo.Y);
        Display->MouseUp(mbLeft, {}, ATo.X, ATo.Y);
    }

    TOwned<TObservedWaterfall> Display;
    std::vector<TKvZoomOperation> Operations;
};

TEST_F(DataView, PaintedPixelsShowTheColourOfTheValueReadBackThere) {
    for (const bool Vertical : {false, true}) {
        SCOPED_TRACE(Vertical ? "vertical" : "horizontal");
        Display->SetVertical(Vertical);
        Display->GetXAxisObject()->SetReversed(!Vertical);
        Display->InvalidateRefresh();
        const QImage Image = Painted();
        ASSERT_EQ(View().DrawRect(), Bounds(0, 0, 200, 120));
        const TKvLevelRange Range(0, 1408, false);
        int Wrong = 0, Values = 0, AfterLast = 0;
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 200; ++x) {
                bool Hit = false;
                const double Value = View().GetIntValueAt(x, y, Hit);
                uint32_t Expected = SwapRedBlue(ColorToRGB(clNavy));
                if (Hit) {
                    const TKvLevelRange::TArgs Args = Range.Reduce(Value);
                    Expected = Display->GetLevels()->ValueToColorGBR(Args.AValue, Args.MaxValue);
                    ++Values;
                } else {
                    EXPECT_TRUE(View().Image().MouseAfterLastBuffer());
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
        // under the mouse. Axis values map onto rows 0..39 and samples
        // 0..15 over the axes' full scales.
        EXPECT_EQ(View().GetValueAt(5, 7), View().GetIntValueAt(5, 7));
        const TKvAxisRange Rows = Display->GetXAxisObject()->ScaleTickFull();
        const TKvAxisRange Samples = Display->GetYAxisObject()->ScaleTickFull();
        const auto AtScale = [&](double ARow, double ASample) {
            return View().GetValueAtScale(Rows.Min + ARow * Rows.Width() / 39,
                                          Samples.Min + ASample * Samples.Width() / 15);
        };
        EXPECT_EQ(AtScale(3.2, 4.7), NumberedRow(3, 16)[5]);
        EXPECT_EQ(AtScale(30.4, 1), 0); // the level minimum
        EXPECT_EQ(AtScale(2, 16), KvNoWaterfallValue);
        Display->MouseMove({}, 5, 7);
        bool Hit = false;
        const double Under = View().GetIntValueAt(5, 7, Hit);
        EXPECT_EQ(View().UpdateMouseValue(), Hit);
        EXPECT_EQ(View().ZValue(), Under);
        EXPECT_EQ(View().IsHighlighted(), Hit);
    }
}

TEST_F(DataView, DraggedRectangleZoomsIntoTheRowsAndSamplesItCovers) {
    struct TCase {
        bool Vertical, Reversed;
        TKvDisplayZoomMode Mode;
        // Fractions of the full history and value scales.
        double X0, X1, Y0, Y1;
    };
    // The view is 200 x 120; the drag runs from (20, 30) to (120, 102), a
    // tenth to six tenths across and a quarter to 0.85 down.
    const TCase Cases[] = {
        {false, false, zmBoth, 0.1, 0.6, 0.15, 0.75}, {false, true, zmBoth, 0.4, 0.9, 0.15, 0.75},
        {true, false, zmBoth, 0.25, 0.85, 0.1, 0.6},  {true, true, zmBoth, 0.15, 0.75, 0.1, 0.6},
        {false, false, zmXAxis, 0.1, 0.6, 0, 1},      {false, false, zmYAxis, 0, 1, 0.15, 0.75},
    };
    Painted();
    for (const TCase& C : Cases) {
        SCOPED_TRACE(&C - Cases);
        Display->SetVertical(C.Vertical);
        Display->GetXAxisObject()->SetReversed(C.Reversed);
        Display->ZoomOff();
        Painted();
        const TKvWaterfallWindow Full = Display->ViewZoomedScale();
        Display->GetZooming()->SetMode(C.Mode);
        Display->ClearZoomUndo();
        Operations.clear();
        Display->MouseDown(mbLeft, {}, 20, 30);
        EXPECT_TRUE(View().ZoomDragging());
        Display->MouseMove({}, 120, 102);
        Display->MouseUp(mbLeft, {}, 120, 102);
        EXPECT_FALSE(View().ZoomDragging());
        const double Rows = Full.XMax - Full.XMin;
        const double Values = Full.YMax - Full.YMin;
        const double Tolerance = 1e-9;
        EXPECT_NEAR(Display->GetXMin(), Full.XMin + C.X0 * Rows, Tolerance * Rows);
        EXPECT_NEAR(Display->GetXMax(), Full.XMin + C.X1 * Rows, Tolerance * Rows);
        EXPECT_NEAR(Display->GetYMin(), Full.YMin + C.Y0 * Values, Tolerance * Values);
        EXPECT_NEAR(Display->GetYMax(), Full.YMin + C.Y1 * Values, Tolerance * Values);
        EXPECT_TRUE(Display->CanUndoZoom());
        ASSERT_FALSE(Operations.empty());
        EXPECT_TRUE(std::all_of(Operations.begin(), Operations.end(),
                                [](TKvZoomOperation AOperation) { return AOperation == zoZoom; }));
    }

    // Under 5 pixels both ways, and with mouse zooming off, nothing zooms.
    Display->ZoomOff();
    Drag(Point(50, 50), Point(54, 46));
    EXPECT_FALSE(Display->GetZooming()->IsZoomed());
    Display->GetZooming()->SetMouseZoom(false);
    Drag(Point(10, 10), Point(150, 100));
    EXPECT_FALSE(Display->GetZooming()->IsZoomed());
    // A press outside the view is not the view's.
    Display->MouseDown(mbLeft, {}, 250, 10);
    EXPECT_FALSE(View().ZoomDragging());
}

TEST_F(DataView, PanMovesBothAxesByTheMouseAndReportsOnceAtTheEnd) {
    Painted();
    const TKvWaterfallWindow Full = Display->ViewZoomedScale();
    const double Rows = Full.XMax - Full.XMin;
    const double Values = Full.YMax - Full.YMin;
    Display->ZoomTo(Full.XMin + Rows / 4, Full.XMax - Rows / 4, Full.YMin + Values / 4,
                    Full.YMax - Values / 4, false);
    Display->SetHold(false); // the zoom held the picture
    Operations.clear();
    Display->SetNavigateMode(nmPan);
    Display->GetZooming()->SetHoldOnPan(true);
    Display->MouseDown(mbLeft, {}, 50, 50);
    EXPECT_FALSE(View().ZoomDragging());
    EXPECT_FALSE(Display->CanUndoZoom());
    Display->MouseMove({}, 60, 45);
    Display->MouseMove({}, 70, 40);
    Display->MouseMove({}, 70, 40); // no movement, no pan
    EXPECT_TRUE(Display->GetHold());
    EXPECT_TRUE(Display->CanUndoZoom());
    EXPECT_TRUE(Operations.empty());
    Display->MouseUp(mbLeft, {}, 70, 40);
    // 20 pixels right and 10 up of a 200 x 120 view showing half of each
    // scale: the picture followed the mouse.
    EXPECT_NEAR(Display->GetXMin(), Full.XMin + Rows / 4 - Rows / 2 * 20 / 200, 1e-9 * Rows);
    EXPECT_NEAR(Display->GetYMin(), Full.YMin + Values / 4 - Values / 2 * 10 / 120, 1e-9 * Values);
    EXPECT_EQ(Operations, std::vector<TKvZoomOperation>{zoMousePan});
    EXPECT_FALSE(View().ViewMouseMoved());

    // A click without movement neither pans nor reports.
    const double XMin = Display->GetXMin();
    const std::size_t Reported = Operations.size();
    Display->MouseDown(mbLeft, {}, 80, 80);
    Display->MouseUp(mbLeft, {}, 80, 80);
    EXPECT_EQ(Display->GetXMin(), XMin);
    EXPECT_EQ(Operations.size(), Reported);
}

} // namespace
