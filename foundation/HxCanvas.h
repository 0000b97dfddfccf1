#pragma once
// The drawing surface everything in the display library draws on: pen,
// brush and font, simple shapes, text, clipping and a bridge to the GDI+
// wrapper. THxCanvasImpl adapts the framework canvas.

#include "foundation/HxCanvasTypes.h"
#include "foundation/HxTypes.h"
#include "gdiplus/GdiPlusObjects.h"
#include "platform/Colors.h"
#include "platform/Geometry.h"

#include <QRegion>
#include <QString>
#include <vector>

class QPainter;
class TCanvas;
class TPersistent;

class THxCanvasPen {
public:
    virtual ~THxCanvasPen() = default;
    virtual TColor GetColor() const = 0;
    virtual void SetColor(TColor AValue) = 0;
    virtual THxPenStyle GetStyle() const = 0;
    virtual void SetStyle(THxPenStyle AValue) = 0;
};

class THxCanvasBrush {
public:
    virtual ~THxCanvasBrush() = default;
    virtual TColor GetColor() const = 0;
    virtual void SetColor(TColor AValue) = 0;
    virtual THxBrushStyle GetStyle() const = 0;
    virtual void SetStyle(THxBrushStyle AValue) = 0;
};

// The canvas's font; set it with SetFromDisplayFont, FontColor and FontAngle.
class THxCanvasFont {
public:
    virtual ~THxCanvasFont() = default;
};

class THxCanvas {
public:
    virtual ~THxCanvas() = default;

    virtual THxCanvasPen& GetPen() = 0;
    virtual THxCanvasBrush& GetBrush() = 0;
    virtual THxCanvasFont& GetFont() = 0;
    // The framework canvas underneath.
    virtual TCanvas& GetCanvas() = 0;
    virtual TColor GetFontColor() const = 0;
    virtual void SetFontColor(TColor AValue) = 0;
    // The painter drawing goes through (the device context); raises when the
    // canvas has no surface. Setting one draws through a painter begun
    // elsewhere, null ends that.
    virtual QPainter* GetHandle() = 0;
    virtual void SetHandle(QPainter* AValue) = 0;
    // Pen width in pixels.
    virtual int32_t GetStrokeThickness() const = 0;
    virtual void SetStrokeThickness(int32_t AValue) = 0;
    virtual THxStrokeDash GetStrokeDash() const = 0;
    virtual void SetStrokeDash(THxStrokeDash AValue) = 0;
    virtual void SetPixel(int32_t X, int32_t Y, TColor AColor) = 0;
    virtual void Ellipse(const TRect& ARect) = 0;
    virtual void Ellipse(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) = 0;
    // Outlined with the pen, filled with the brush.
    virtual void Rectangle(const TRect& ARect) = 0;
    virtual void Rectangle(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) = 0;
    // Filled with the brush, no outline.
    virtual void FillRect(const TRect& ARect) = 0;
    // Dotted and inverting: drawing it twice removes it.
    virtual void DrawFocusRect(const TRect& ARect) = 0;
    // Closed; outlined with the pen, filled with the brush.
    virtual void Polygon(const std::vector<TPoint>& APoints) = 0;
    // From the current position, which becomes (X, Y).
    virtual void LineTo(int32_t X, int32_t Y) = 0;
    virtual void MoveTo(int32_t X, int32_t Y) = 0;
    virtual TSize TextExtent(const QString& AText) = 0;
    virtual int32_t TextWidth(const QString& AText) = 0;
    virtual int32_t TextHeight(const QString& AText) = 0;
    // Text with its top-left corner at (X, Y); the cell is filled first unless the brush is clear.
    virtual void TextOut(int32_t X, int32_t Y, const QString& AText) = 0;
    virtual void ExcludeClipRect(int32_t LeftRect, int32_t TopRect, int32_t RightRect,
                                 int32_t BottomRect) = 0;
    virtual void ResetClipRect() = 0;
    virtual void SelectClipRgn(const QRegion& hUpdateRgn) = 0;
    // Degrees counter-clockwise of the text's base line.
    virtual void SetFontAngle(int32_t AValue) = 0;
    // Copy a display pen, brush or font (or any framework one) into the canvas's.
    virtual void SetFromDisplayPen(TPersistent* AValue) = 0;
    virtual void SetFromDisplayBrush(TPersistent* AValue) = 0;
    virtual void SetFromDisplayFont(TPersistent* AValue) = 0;
    // A new graphics object on the current painter each call; valid while
    // that painter is (the surface keeps it until it is resized or freed).
    virtual TGPGraphicsPtr GetGraphics() = 0;
};
