#include "display/KvDisplayComponent.h"

#include "display/KvDataDisplay.h"
#include "foundation/HxCanvas.h"

#include <algorithm>

TKvDisplayComponent::TKvDisplayComponent(TKvDataDisplay* ADisplay)
    : THxPersistent(static_cast<TComponent*>(ADisplay), ADisplay->Lock()), FDisplay(ADisplay) {
    FDisplay->Components().Add(this);
}

TKvDisplayComponent::~TKvDisplayComponent() {
    FDisplay->ForgetComponent(this);
}

void TKvDisplayComponent::SetDrawRect(const TRect&) {}

bool TKvDisplayComponent::IsVisible() const {
    return true;
}

void TKvDisplayComponent::MouseMove(TShiftState, int32_t X, int32_t Y, bool& Handled) {
    TRect r;
    GetDrawRect(r);
    if (!Handled && r.Contains(Point(X, Y))) {
        Handled = true;
        if (!FMouseIsInView) {
            FMouseIsInView = true;
            MouseEnterView();
        }
    } else if (FMouseIsInView) {
        FMouseIsInView = false;
        MouseLeaveView();
    }
}

void TKvDisplayComponent::MouseDown(TMouseButton, TShiftState, bool&, bool, int32_t, int32_t) {}

void TKvDisplayComponent::MouseUp(TMouseButton, TShiftState, bool, int32_t, int32_t) {}

void TKvDisplayComponent::DisplayMouseLeave() {
    if (FMouseIsInView) {
        FMouseIsInView = false;
        MouseLeaveView();
    }
}

void TKvDisplayComponent::DisplayMouseEnter() {}

void TKvDisplayComponent::MouseLeaveView() {}

void TKvDisplayComponent::MouseEnterView() {}

void TKvDisplayComponent::MouseWheelDown(TShiftState, TPoint) {}

void TKvDisplayComponent::MouseWheelUp(TShiftState, TPoint) {}

TKvDisplayView::TKvDisplayView(TKvDataDisplay* ADisplay) : TKvDisplayComponent(ADisplay) {
    FDisplay->Views().Add(this);
}

TKvDisplayView::~TKvDisplayView() {
    FDisplay->ForgetView(this);
}

void TKvDisplayView::GetDrawRect(TRect& ARect) const {
    ARect = IsVisible() ? FDrawRect : TRect{};
}

void TKvDisplayView::SetDrawRect(const TRect& ARect) {
    FDrawRect = ARect;
}

bool TKvDisplayView::IsVisible() const {
    return FDrawRect.Width() >= 1 && FDrawRect.Height() >= 1;
}

int32_t TKvDisplayView::GetMarginA() const {
    return 0;
}

int32_t TKvDisplayView::GetMarginB() const {
    return 0;
}

int32_t TKvDisplayView::GetLeft() const {
    return FDrawRect.Left;
}

int32_t TKvDisplayView::GetTop() const {
    return FDrawRect.Top;
}

int32_t TKvDisplayView::GetWidth() const {
    return std::max(FDrawRect.Right - FDrawRect.Left - 1, 0);
}

int32_t TKvDisplayView::GetHeight() const {
    return std::max(FDrawRect.Bottom - FDrawRect.Top - 1, 0);
}

void TKvDisplayView::InvalidateView() {
    FDisplay->InvalidateIntRect(FDrawRect);
}

bool TKvDisplayView::IsVisibleForced() const {
    return true;
}

double TKvDisplayView::GetIntValueAt(int32_t, int32_t) const {
    return -1000.0;
}

double TKvDisplayView::GetMinValue() const {
    return 0.0;
}

double TKvDisplayView::GetMaxValue() const {
    return 0.0;
}

void TKvDisplayView::Draw(TKvDisplayDrawPart, THxCanvas*, bool, bool) {}

void TKvDisplayView::DrawEx(TKvDisplayDrawPart, THxCanvas*, bool) {}

void TKvDisplayView::DrawMouseSelction(THxCanvas* ACanvas) {
    const TKvDisplayZoom& zooming = *FDisplay->GetZooming();
    if (FDisplay->GetNavigateMode() != nmZoom || !FLeftMouseDown || !zooming.GetMouseZoom())
        return;
    ACanvas->GetPen().SetColor(zooming.GetSelectionColor());
    ACanvas->GetPen().SetStyle(lpsSolid);
    ACanvas->GetBrush().SetStyle(lbsClear);
    const TPoint a = FLeftMouseDownPoint;
    const TPoint b = FCurrentMousePoint;
    switch (zooming.GetMode()) {
    case zmBoth:
        ACanvas->Rectangle(std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X) + 1,
                           std::max(a.Y, b.Y) + 1);
        break;
    case zmXAxis:
        for (const int32_t x : {a.X, b.X}) {
            ACanvas->MoveTo(x, FDrawRect.Top);
            ACanvas->LineTo(x, FDrawRect.Bottom);
        }
        break;
    case zmYAxis:
        for (const int32_t y : {a.Y, b.Y}) {
            ACanvas->MoveTo(FDrawRect.Left, y);
            ACanvas->LineTo(FDrawRect.Right, y);
        }
        break;
    }
}

TRect TKvDisplayView::DrawRect() const {
    TRect r;
    GetDrawRect(r);
    return r;
}

TSize TKvDisplayView::DefaultRect() const {
    TSize s;
    GetDefaultRect(s);
    return s;
}

int32_t TKvDisplayView::AlongLength() const {
    return FDisplay->GetIsVertical() ? GetHeight() : GetWidth();
}

int32_t TKvDisplayView::AcrossLength() const {
    return FDisplay->GetIsVertical() ? GetWidth() : GetHeight();
}

int32_t TKvDisplayView::AlongStart() const {
    return FDisplay->GetIsVertical() ? GetTop() : GetLeft();
}

int32_t TKvDisplayView::AcrossStart() const {
    return FDisplay->GetIsVertical() ? GetLeft() : GetTop();
}

void TKvDisplayView::DisplayInvalidateLayout() {
    FDisplay->InvalidateLayout();
}

void TKvDisplayView::DisplayInvalidateRefresh() {
    FDisplay->InvalidateRefresh();
}

void TKvDisplayViews::AddAfter(TKvDisplayView* AAfterObject, TKvDisplayView* AObject) {
    const int32_t index = IndexOf(AAfterObject);
    if (index < 0 || index == Count() - 1)
        FList.push_back(AObject);
    else
        FList.insert(FList.begin() + index + 1, AObject);
}

void TKvDisplayViews::AddBefore(TKvDisplayView* AAfterObject, TKvDisplayView* AObject) {
    const int32_t index = IndexOf(AAfterObject);
    if (index < 0)
        FList.push_back(AObject);
    else
        FList.insert(FList.begin() + index, AObject);
}

void TKvDisplayViews::Reassign(TKvDisplayView* AObject) {
    FList.push_back(AObject);
    Remove(AObject);
}
