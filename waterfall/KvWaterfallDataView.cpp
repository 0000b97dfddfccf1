#include "waterfall/KvWaterfallDataView.h"

#include <algorithm>
#include <cstdlib>

#include "display/KvDisplayZoom.h"

TKvBasicWaterfallDataView::TKvBasicWaterfallDataView(TKvDataDisplay* ADisplay,
                                                     TKvWaterfallViewOwner& AOwner)
    : TKvDisplayView(ADisplay), FOwner(AOwner),
      FImage(std::make_unique<TKvWaterfallImage>(AOwner)) {
    FCurrentMousePoint = Point(-100, 0);
}

TKvBasicWaterfallDataView::~TKvBasicWaterfallDataView() = default;

void TKvBasicWaterfallDataView::DirectDraw(TGmBasicBitmap& ABitmap) {
    TRect Rect;
    GetDrawRect(Rect);
    FImage->DirectDraw(ABitmap, Rect);
}

bool TKvBasicWaterfallDataView::ZoomDragging() const {
    return FLeftMouseDown && FDisplay->GetNavigateMode() == nmZoom &&
           FDisplay->GetZooming()->GetMouseZoom();
}

void TKvBasicWaterfallDataView::MouseDown(TMouseButton Button, TShiftState Shift, bool& Handled,
                                          bool Inside, int32_t X, int32_t Y) {
    TKvDisplayView::MouseDown(Button, Shift, Handled, Inside, X, Y);
    if (Button != mbLeft || Handled || !Inside)
        return;
    FViewMouseMoved = false;
    Handled = true;
    FLeftMouseDown = true;
    FLeftMouseDownPoint = Point(X, Y);
    FCurrentMousePoint = FLeftMouseDownPoint;
    FOwner.ViewPrepareDrag();
}

void TKvBasicWaterfallDataView::MouseMove(TShiftState Shift, int32_t X, int32_t Y, bool& Handled) {
    TKvDisplayView::MouseMove(Shift, X, Y, Handled);
    const TPoint Previous = FCurrentMousePoint;
    const TPoint Current = Point(X, Y);
    if (Current == Previous)
        return;
    FCurrentMousePoint = Current;
    FOwner.ViewTrackCursor();
    if (FLeftMouseDown) {
        if (FDisplay->GetNavigateMode() == nmPan) {
            if (!FViewMouseMoved) {
                FPanRanges = FDisplay->CurrentRanges();
                FDisplay->SaveZoomHistory(false);
                if (FDisplay->GetZooming()->GetHoldOnPan())
                    FDisplay->SetHold(true);
                FViewMouseMoved = true;
            }
            FOwner.ViewPan(X - Previous.X, Y - Previous.Y);
        } else if (FDisplay->GetZooming()->GetMouseZoom()) {
            // The rubber band follows the mouse.
            FDisplay->InvalidateRefresh();
        }
    }
    FOwner.ViewRefreshHighlighting();
}

void TKvBasicWaterfallDataView::MouseUp(TMouseButton Button, TShiftState Shift, bool Inside,
                                        int32_t X, int32_t Y) {
    TKvDisplayView::MouseUp(Button, Shift, Inside, X, Y);
    if (Button != mbLeft || !FLeftMouseDown)
        return;
    FLeftMouseDown = false;
    if (FDisplay->GetNavigateMode() == nmZoom) {
        DragZoom(X, Y);
    } else if (FViewMouseMoved) {
        FDisplay->DoZoomChanged(FPanRanges, zoMousePan);
        FViewMouseMoved = false;
    }
}

void TKvBasicWaterfallDataView::MouseLeaveView() {
    TKvDisplayView::MouseLeaveView();
    FIsHighlighted = false;
}

void TKvBasicWaterfallDataView::DragZoom(int32_t X, int32_t Y) {
    const TKvDisplayZoom& Zooming = *FDisplay->GetZooming();
    const TPoint Down = FLeftMouseDownPoint;
    if (!Zooming.GetMouseZoom())
        return;
    if (std::abs(X - Down.X) < 5 && std::abs(Y - Down.Y) < 5) {
        FDisplay->InvalidateRefresh();
        return;
    }
    TRect Rect;
    GetDrawRect(Rect);
    if (Rect.IsEmpty())
        return;
    const TKvWaterfallWindow Scale = FOwner.ViewZoomedScale();
    const bool Vertical = FOwner.ImageVertical();
    const bool Reversed = FOwner.ImageReversed();
    // Fractions of the view from its left and top edges.
    const double X0 = double(std::min(X, Down.X) - Rect.Left) / Rect.Width();
    const double X1 = double(std::max(X, Down.X) - Rect.Left) / Rect.Width();
    const double Y0 = double(std::min(Y, Down.Y) - Rect.Top) / Rect.Height();
    const double Y1 = double(std::max(Y, Down.Y) - Rect.Top) / Rect.Height();
    // The history runs left to right (top to bottom when vertical), the
    // other way when reversed; values run bottom to top (left to right).
    const double H0 = Vertical ? Y0 : X0;
    const double H1 = Vertical ? Y1 : X1;
    const double Rows = Scale.XMax - Scale.XMin;
    double XMin = Reversed ? Scale.XMax - H1 * Rows : Scale.XMin + H0 * Rows;
    double XMax = Reversed ? Scale.XMax - H0 * Rows : Scale.XMin + H1 * Rows;
    const double Values = Scale.YMax - Scale.YMin;
    double YMin = Vertical ? Scale.YMin + X0 * Values : Scale.YMax - Y1 * Values;
    double YMax = Vertical ? Scale.YMin + X1 * Values : Scale.YMax - Y0 * Values;
    switch (Zooming.GetMode()) {
    case zmXAxis:
        YMin = Scale.YMin;
        YMax = Scale.YMax;
        break;
    case zmYAxis:
        XMin = Scale.XMin;
        XMax = Scale.XMax;
        break;
    case zmBoth:
        break;
    }
    // ZoomTo keeps the undo entry and tells OnZoomChanged.
    FDisplay->ZoomTo(XMin, XMax, YMin, YMax, true);
}

TKvWaterfallDataView::TKvWaterfallDataView(TKvDataDisplay* ADisplay, TKvWaterfallViewOwner& AOwner)
    : TKvBasicWaterfallDataView(ADisplay, AOwner) {
    FZValues = &FZValue;
}

TKvWaterfallDataView::~TKvWaterfallDataView() = default;

double TKvWaterfallDataView::GetIntValueAt(int32_t X, int32_t Y, bool& AHit) const {
    TRect Rect;
    GetDrawRect(Rect);
    return FImage->GetIntValueAt(X, Y, Rect, AHit);
}

double TKvWaterfallDataView::GetIntValueAt(int32_t X, int32_t Y) const {
    bool Hit = false;
    return GetIntValueAt(X, Y, Hit);
}

double TKvWaterfallDataView::GetPointValueAt(int32_t X, int32_t Y) const {
    TRect Rect;
    GetDrawRect(Rect);
    bool Hit = false;
    return FImage->GetPointValueAt(X, Y, Rect, Hit);
}

double TKvWaterfallDataView::GetValueAt(int32_t X, int32_t Y) const {
    return GetIntValueAt(X + Left(), Y + Top());
}

double TKvWaterfallDataView::GetValueAtScale(double X, double Y) const {
    return FImage->GetValueAtRowSample(FOwner.ViewValueToRow(X), FOwner.ViewValueToSample(Y));
}

double TKvWaterfallDataView::GetMinValue() const {
    return FOwner.ImageLevelMin();
}

double TKvWaterfallDataView::GetMaxValue() const {
    return FOwner.ImageLevelMax();
}

bool TKvWaterfallDataView::UpdateMouseValue() {
    bool Hit = false;
    FCurrentMouseValue = GetIntValueAt(FCurrentMousePoint.X, FCurrentMousePoint.Y, Hit);
    FZValue = FCurrentMouseValue;
    FIsHighlighted = Hit;
    if (Hit)
        FHighlightedPoint = FCurrentMousePoint;
    return Hit;
}
