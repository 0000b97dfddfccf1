#pragma once
// The canvas abstraction over the framework canvas. The framework canvas is
// not owned: a canvas lives for one drawing surface, typically as long as
// the off-screen bitmap it wraps.

#include "foundation/HxCanvas.h"

#include <memory>

class THxCanvasPenImpl : public THxCanvasPen {
public:
    explicit THxCanvasPenImpl(TCanvas& ACanvas) : FCanvas(ACanvas) {}
    TColor GetColor() const override;
    void SetColor(TColor AValue) override;
    // Clear only for a clear framework pen: dashed pens read solid.
    THxPenStyle GetStyle() const override;
    void SetStyle(THxPenStyle AValue) override;

private:
    TCanvas& FCanvas;
};

class THxCanvasBrushImpl : public THxCanvasBrush {
public:
    explicit THxCanvasBrushImpl(TCanvas& ACanvas) : FCanvas(ACanvas) {}
    TColor GetColor() const override;
    void SetColor(TColor AValue) override;
    THxBrushStyle GetStyle() const override;
    void SetStyle(THxBrushStyle AValue) override;

private:
    TCanvas& FCanvas;
};

// The font has no operations of its own: the canvas sets it.
class THxCanvasFontImpl : public THxCanvasFont {};

class THxCanvasImpl : public THxCanvas {
public:
    explicit THxCanvasImpl(TCanvas& ACanvas);
    ~THxCanvasImpl() override;
    THxCanvasImpl(const THxCanvasImpl&) = delete;
    THxCanvasImpl& operator=(const THxCanvasImpl&) = delete;

    THxCanvasPen& GetPen() override { return *FPen; }
    THxCanvasBrush& GetBrush() override { return *FBrush; }
    THxCanvasFont& GetFont() override { return *FFont; }
    TCanvas& GetCanvas() override { return FCanvas; }
    TColor GetFontColor() const override;
    void SetFontColor(TColor AValue) override;
    QPainter* GetHandle() override;
    void SetHandle(QPainter* AValue) override;
    int32_t GetStrokeThickness() const override;
    void SetStrokeThickness(int32_t AValue) override;
    // Clear, inside-frame and alternate pens read solid.
    THxStrokeDash GetStrokeDash() const override;
    void SetStrokeDash(THxStrokeDash AValue) override;
    void SetPixel(int32_t X, int32_t Y, TColor AColor) override;
    void Ellipse(const TRect& ARect) override;
    void Ellipse(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) override;
    void Rectangle(const TRect& ARect) override;
    void Rectangle(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) override;
    void FillRect(const TRect& ARect) override;
    void DrawFocusRect(const TRect& ARect) override;
    void Polygon(const std::vector<TPoint>& APoints) override;
    void LineTo(int32_t X, int32_t Y) override;
    void MoveTo(int32_t X, int32_t Y) override;
    TSize TextExtent(const QString& AText) override;
    int32_t TextWidth(const QString& AText) override;
    int32_t TextHeight(const QString& AText) override;
    void TextOut(int32_t X, int32_t Y, const QString& AText) override;
    void ExcludeClipRect(int32_t LeftRect, int32_t TopRect, int32_t RightRect,
                         int32_t BottomRect) override;
    void ResetClipRect() override;
    void SelectClipRgn(const QRegion& hUpdateRgn) override;
    void SetFontAngle(int32_t AValue) override;
    void SetFromDisplayPen(TPersistent* AValue) override;
    void SetFromDisplayBrush(TPersistent* AValue) override;
    void SetFromDisplayFont(TPersistent* AValue) override;
    TGPGraphicsPtr GetGraphics() override;

private:
    TCanvas& FCanvas;
    std::unique_ptr<THxCanvasPenImpl> FPen;
    std::unique_ptr<THxCanvasBrushImpl> FBrush;
    std::unique_ptr<THxCanvasFontImpl> FFont;
};
