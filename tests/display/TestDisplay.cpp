#include "TestDisplay.h"

#include "platform/Exceptions.h"

#include <algorithm>
#include <utility>

TTestAxis::TTestAxis(TTestDisplay* ADisplay, bool AVertical)
    : FDisplay(ADisplay), FVertical(AVertical) {
    FDisplay->Axes().Add(this);
    (AVertical ? FDisplay->YAxes() : FDisplay->XAxes()).Add(this);
}

TTestAxis::~TTestAxis() {
    FDisplay->Axes().Remove(this);
    (FVertical ? FDisplay->YAxes() : FDisplay->XAxes()).Remove(this);
}

void TTestAxis::SetZoom(double AMin, double AMax, bool AZoomed) {
    FZoomMin = AMin;
    FZoomMax = AMax;
    FZoomed = AZoomed;
}

void TTestAxis::ZoomAtPoint(TPoint AMousePos, double AFactor) {
    double centre = 0.0;
    if (!GetValueAt(AMousePos.X, AMousePos.Y, centre))
        return;
    const double low = CurrentMin();
    const double high = CurrentMax();
    SetZoom(centre - (centre - low) * AFactor, centre + (high - centre) * AFactor, true);
}

bool TTestAxis::GetValueAt(int32_t X, int32_t Y, double& AAxisPos) const {
    const TRect r = FDisplay->GetDataView()->DrawRect();
    if (!r.Contains(Point(X, Y)))
        return false;
    const double t = FVertical ? double(r.Bottom - 1 - Y) / std::max(r.Height() - 1, 1)
                               : double(X - r.Left) / std::max(r.Width() - 1, 1);
    AAxisPos = CurrentMin() + t * (CurrentMax() - CurrentMin());
    return true;
}

TTestView::TTestView(TTestDisplay* ADisplay, const std::string& AName, int32_t AAlign,
                     int32_t ASize, TColor AColor)
    : TKvDisplayView(ADisplay), FTestDisplay(ADisplay), FName(AName), FAlign(AAlign), FSize(ASize),
      FColor(AColor) {}

TTestView::~TTestView() = default;

void TTestView::GetDefaultRect(TSize& ASize) const {
    if (FAlign == vaTop || FAlign == vaBottom)
        ASize = TSize{-1, FSize};
    else if (FAlign == vaLeft || FAlign == vaRight)
        ASize = TSize{FSize, -1};
    else
        ASize = TSize{-1, -1};
}

void TTestView::Log(const std::string& AEvent) {
    FTestDisplay->Events.push_back(FName + ":" + AEvent);
}

void TTestView::MouseMove(TShiftState Shift, int32_t X, int32_t Y, bool& Handled) {
    if (FLeftMouseDown)
        FCurrentMousePoint = Point(X, Y);
    TKvDisplayView::MouseMove(Shift, X, Y, Handled);
}

void TTestView::MouseDown(TMouseButton Button, TShiftState, bool& Handled, bool Inside, int32_t X,
                          int32_t Y) {
    Log(Inside ? "down-in" : "down-out");
    if (FAlign == KvDataViewAlign && Button == mbLeft && Inside) {
        FLeftMouseDown = true;
        FLeftMouseDownPoint = FCurrentMousePoint = Point(X, Y);
    }
    if (HandlesDown && Inside)
        Handled = true;
}

void TTestView::MouseUp(TMouseButton, TShiftState, bool Inside, int32_t, int32_t) {
    Log(Inside ? "up-in" : "up-out");
}

void TTestView::MouseEnterView() {
    Log("enter");
}

void TTestView::MouseLeaveView() {
    Log("leave");
}

void TTestView::DisplayMouseEnter() {
    Log("display-enter");
}

void TTestView::MouseWheelDown(TShiftState, TPoint) {
    Log("wheel-down");
}

void TTestView::MouseWheelUp(TShiftState, TPoint) {
    Log("wheel-up");
}

void TTestView::Render(TGmBasicBitmap& ABitmap, THxCanvas& ACanvas) {
    if (!IsVisible())
        return;
    if (FAlign != KvDataViewAlign) {
        ACanvas.GetBrush().SetStyle(lbsSolid);
        ACanvas.GetBrush().SetColor(FColor);
        ACanvas.FillRect(FDrawRect);
        return;
    }
    const int32_t right = std::min(FDrawRect.Right, ABitmap.Width());
    const int32_t bottom = std::min(FDrawRect.Bottom, ABitmap.Height());
    for (int32_t y = std::max(FDrawRect.Top, 0); y < bottom; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(ABitmap.DataPtr() +
                                                static_cast<ptrdiff_t>(y) * ABitmap.RowStride());
        for (int32_t x = std::max(FDrawRect.Left, 0); x < right; ++x)
            row[x] = TestPatternPixel(x, y);
    }
    DrawMouseSelction(&ACanvas);
}

TTestDisplay::TTestDisplay(TComponent* AOwner)
    : TKvDataDisplay(AOwner), FXAxis(this, false), FYAxis(this, true) {}

TTestDisplay::~TTestDisplay() {
    while (!FViewsOwned.empty())
        FViewsOwned.pop_back();
}

TTestView* TTestDisplay::AddView(const std::string& AName, int32_t AAlign, int32_t ASize,
                                 TColor AColor) {
    auto* view = new TTestView(this, AName, AAlign, ASize, AColor);
    FViewsOwned.emplace_back(view);
    if (AAlign == KvDataViewAlign)
        FDataView = view;
    return view;
}

void TTestDisplay::AddStandardViews() {
    AddView("title", vaTop, 40, clRed);
    TTestView* left = AddView("left", vaLeft, 50, clLime);
    left->MarginA = 8;
    left->MarginB = 6;
    AddView("bottom", vaBottom, 30, clBlue);
    AddView("data", KvDataViewAlign, 0, clBlack);
}

bool TTestDisplay::UpdateData() {
    ++UpdateDataCalls;
    return std::exchange(NewData, false);
}

void TTestDisplay::ZoomBy(double XValue, double YValue, bool SaveHistory) {
    if (SaveHistory)
        SaveZoomHistory(false);
    const TKvRealRanges old = CurrentRanges();
    for (auto [axis, factor] : {std::pair{&FXAxis, XValue}, std::pair{&FYAxis, YValue}}) {
        const double centre = (axis->CurrentMin() + axis->CurrentMax()) / 2;
        const double half = (axis->CurrentMax() - axis->CurrentMin()) / 2 * factor;
        axis->SetZoom(centre - half, centre + half, true);
    }
    DoZoomChanged(old, zoZoom);
}

void TTestDisplay::ZoomTo(double XMin, double XMax, double YMin, double YMax, bool SaveHistory) {
    if (SaveHistory)
        SaveZoomHistory(false);
    DoZoom(zoZoom, true, XMin, XMax, YMin, YMax);
}

void TTestDisplay::ZoomToData(double XMin, double XMax, double YMin, double YMax,
                              bool SaveHistory) {
    if (SaveHistory)
        SaveZoomHistory(false);
    DoZoom(zoZoom, false, XMin, XMax, YMin, YMax);
}

void TTestDisplay::DoZoom(TKvZoomOperation AOperation, bool, double XMin, double XMax, double YMin,
                          double YMax) {
    const TKvRealRanges old = CurrentRanges();
    FXAxis.SetZoom(XMin, XMax, true);
    FYAxis.SetZoom(YMin, YMax, true);
    DoZoomChanged(old, AOperation);
}

void TTestDisplay::DoZoomOff() {
    FXAxis.SetZoom(0.0, 100.0, false);
    FYAxis.SetZoom(0.0, 100.0, false);
}

void TTestDisplay::DrawDisplay(TGmBasicBitmap& ABitmap, THxCanvas& ACanvas, bool APrinting,
                               const QRegion&, const TRect& ARect) {
    ++Renders;
    LastPlotSize = TSize{PlotWidth(), PlotHeight()};
    LastPrinting = APrinting;
    if (FailDraw)
        throw Exception(QStringLiteral("drawing failed"));
    if (NeedsRecalc()) {
        CalculateLayout();
        ClearNeedsRecalc();
    }
    ACanvas.GetBrush().SetStyle(lbsSolid);
    ACanvas.GetBrush().SetColor(Color());
    ACanvas.FillRect(ARect);
    for (const auto& view : FViewsOwned)
        view->Render(ABitmap, ACanvas);
    DrawToolBar(ACanvas, APrinting);
}

void TTestDisplay::ApplyZoomList(const TKvAxisZoomList& AAxisList, bool) {
    for (int32_t i = 0; i < AAxisList.Count(); ++i) {
        const TKvAxisZoomListItem& item = AAxisList.Items(i);
        static_cast<TTestAxis*>(item.Axis)->SetZoom(item.Min, item.Max, item.Zoomed);
    }
}

TKvAxisZoomListPtr TTestDisplay::CaptureZoomList() {
    auto list = std::make_unique<TKvAxisZoomList>();
    for (IKvDisplayAxis* axis : Axes())
        list->Add(axis);
    return list;
}
