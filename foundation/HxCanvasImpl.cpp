#include "foundation/HxCanvasImpl.h"

#include "platform/Canvas.h"

TColor THxCanvasPenImpl::GetColor() const {
    return FCanvas.Pen().Color();
}

void THxCanvasPenImpl::SetColor(TColor AValue) {
    FCanvas.Pen().SetColor(AValue);
}

THxPenStyle THxCanvasPenImpl::GetStyle() const {
    return FCanvas.Pen().Style() == psClear ? lpsClear : lpsSolid;
}

void THxCanvasPenImpl::SetStyle(THxPenStyle AValue) {
    FCanvas.Pen().SetStyle(AValue == lpsClear ? psClear : psSolid);
}

TColor THxCanvasBrushImpl::GetColor() const {
    return FCanvas.Brush().Color();
}

void THxCanvasBrushImpl::SetColor(TColor AValue) {
    FCanvas.Brush().SetColor(AValue);
}

THxBrushStyle THxCanvasBrushImpl::GetStyle() const {
    return FCanvas.Brush().Style() == bsClear ? lbsClear : lbsSolid;
}

void THxCanvasBrushImpl::SetStyle(THxBrushStyle AValue) {
    FCanvas.Brush().SetStyle(AValue == lbsClear ? bsClear : bsSolid);
}

THxCanvasImpl::THxCanvasImpl(TCanvas& ACanvas)
    : FCanvas(ACanvas), FPen(std::make_unique<THxCanvasPenImpl>(ACanvas)),
      FBrush(std::make_unique<THxCanvasBrushImpl>(ACanvas)),
      FFont(std::make_unique<THxCanvasFontImpl>()) {}

THxCanvasImpl::~THxCanvasImpl() = default;

TColor THxCanvasImpl::GetFontColor() const {
    return FCanvas.Font().Color();
}

void THxCanvasImpl::SetFontColor(TColor AValue) {
    FCanvas.Font().SetColor(AValue);
}

QPainter* THxCanvasImpl::GetHandle() {
    return FCanvas.Painter();
}

void THxCanvasImpl::SetHandle(QPainter* AValue) {
    if (AValue)
        FCanvas.Attach(AValue);
    else
        FCanvas.Detach();
}

int32_t THxCanvasImpl::GetStrokeThickness() const {
    return FCanvas.Pen().Width();
}

void THxCanvasImpl::SetStrokeThickness(int32_t AValue) {
    FCanvas.Pen().SetWidth(AValue);
}

THxStrokeDash THxCanvasImpl::GetStrokeDash() const {
    switch (FCanvas.Pen().Style()) {
    case psDash:
        return sdDashDash;
    case psDot:
        return sdDashDot;
    case psDashDot:
        return sdDashDashDot;
    case psDashDotDot:
        return sdDashDashDotDot;
    case psUserStyle:
        return sdDashCustom;
    default:
        return sdDashSolid;
    }
}

void THxCanvasImpl::SetStrokeDash(THxStrokeDash AValue) {
    TPenStyle style = psSolid;
    switch (AValue) {
    case sdDashSolid:
        style = psSolid;
        break;
    case sdDashDash:
        style = psDash;
        break;
    case sdDashDot:
        style = psDot;
        break;
    case sdDashDashDot:
        style = psDashDot;
        break;
    case sdDashDashDotDot:
        style = psDashDotDot;
        break;
    case sdDashCustom:
        style = psUserStyle;
        break;
    }
    FCanvas.Pen().SetStyle(style);
}

void THxCanvasImpl::SetPixel(int32_t X, int32_t Y, TColor AColor) {
    FCanvas.SetPixel(X, Y, AColor);
}

void THxCanvasImpl::Ellipse(const TRect& ARect) {
    FCanvas.Ellipse(ARect);
}

void THxCanvasImpl::Ellipse(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    FCanvas.Ellipse(X1, Y1, X2, Y2);
}

void THxCanvasImpl::Rectangle(const TRect& ARect) {
    FCanvas.Rectangle(ARect);
}

void THxCanvasImpl::Rectangle(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    FCanvas.Rectangle(X1, Y1, X2, Y2);
}

void THxCanvasImpl::FillRect(const TRect& ARect) {
    FCanvas.FillRect(ARect);
}

void THxCanvasImpl::DrawFocusRect(const TRect& ARect) {
    FCanvas.DrawFocusRect(ARect);
}

void THxCanvasImpl::Polygon(const std::vector<TPoint>& APoints) {
    FCanvas.Polygon(APoints);
}

void THxCanvasImpl::LineTo(int32_t X, int32_t Y) {
    FCanvas.LineTo(X, Y);
}

void THxCanvasImpl::MoveTo(int32_t X, int32_t Y) {
    FCanvas.MoveTo(X, Y);
}

TSize THxCanvasImpl::TextExtent(const QString& AText) {
    return FCanvas.TextExtent(AText);
}

int32_t THxCanvasImpl::TextWidth(const QString& AText) {
    return FCanvas.TextWidth(AText);
}

int32_t THxCanvasImpl::TextHeight(const QString& AText) {
    return FCanvas.TextHeight(AText);
}

void THxCanvasImpl::TextOut(int32_t X, int32_t Y, const QString& AText) {
    FCanvas.TextOut(X, Y, AText);
}

void THxCanvasImpl::ExcludeClipRect(int32_t LeftRect, int32_t TopRect, int32_t RightRect,
                                    int32_t BottomRect) {
    FCanvas.ExcludeClipRect(LeftRect, TopRect, RightRect, BottomRect);
}

void THxCanvasImpl::ResetClipRect() {
    FCanvas.ResetClipRect();
}

void THxCanvasImpl::SelectClipRgn(const QRegion& hUpdateRgn) {
    FCanvas.SelectClipRgn(hUpdateRgn);
}

void THxCanvasImpl::SetFontAngle(int32_t AValue) {
    // A whole turn changes nothing; reducing first keeps tenths of a degree in range.
    FCanvas.Font().SetEscapement((AValue % 360) * 10);
}

void THxCanvasImpl::SetFromDisplayPen(TPersistent* AValue) {
    FCanvas.Pen().Assign(AValue);
}

void THxCanvasImpl::SetFromDisplayBrush(TPersistent* AValue) {
    FCanvas.Brush().Assign(AValue);
}

void THxCanvasImpl::SetFromDisplayFont(TPersistent* AValue) {
    FCanvas.Font().Assign(AValue);
}

TGPGraphicsPtr THxCanvasImpl::GetGraphics() {
    return TGPGraphicsPtr(new TGPGraphics(FCanvas.Painter()));
}
