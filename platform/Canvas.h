#pragma once
// The framework canvas: GDI's drawing model over a QPainter. Pixels follow
// GDI's rules, never antialiased: a line stops before its last point;
// rectangles, ellipses and fills leave out their right and bottom edge;
// text is placed by the top-left corner of its cell. Coordinates of shapes,
// text and images are held to GDI's range of +-2^27.

#include "platform/Geometry.h"
#include "platform/Graphics.h"

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// AImage as Qt must see it to show it opaque: 32-bit pixels whose fourth
// byte is not 0xFF (raw pixel writers leave 0 there) get it set.
QImage OpaqueImage(const QImage& AImage);

class TCanvas {
public:
    TCanvas();
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // Draw into AImage (or nothing when null); the painter starts on first use.
    void SetImage(QImage* AImage);
    // Called each time before the canvas begins its own painter on the image,
    // so the image's holder can make sure the image still wraps its pixels
    // (a painter's begin detaches an image someone has copied).
    void SetBeforeBegin(std::function<void()> AHook) { FBeforeBegin = std::move(AHook); }
    QImage* Image() const { return FImage; }
    // Draw through a painter someone else began (a widget's paint pass);
    // the clip region starts empty. Detach ends that.
    void Attach(QPainter* APainter);
    void Detach();
    // Ends a painter this canvas began on its image, so the image can be
    // replaced; the next drawing begins a new one with the same clip.
    void ReleasePainter();
    bool HandleAllocated() const { return FPainter != nullptr || FImage != nullptr; }
    // The painter underneath, for drawing that this canvas does not offer.
    // Whoever changes its state restores it. Raises when there is no surface.
    QPainter* Painter();

    TPen& Pen() { return *FPen; }
    TBrush& Brush() { return *FBrush; }
    TFont& Font() { return *FFont; }

    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(TPoint AValue) { MoveTo(AValue.X, AValue.Y); }
    void MoveTo(int32_t X, int32_t Y);
    void LineTo(int32_t X, int32_t Y);
    void Polyline(const std::vector<TPoint>& APoints);
    void Polygon(const std::vector<TPoint>& APoints);
    void Rectangle(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2);
    void Rectangle(const TRect& ARect) {
        Rectangle(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom);
    }
    void Ellipse(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2);
    void Ellipse(const TRect& ARect) { Ellipse(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom); }
    void FillRect(const TRect& ARect);
    // A one-pixel border in the brush colour.
    void FrameRect(const TRect& ARect);
    // A dotted border that inverts what is under it; drawing it twice removes it.
    void DrawFocusRect(const TRect& ARect);

    // The pixel's colour, or -1 outside the image or without one.
    TColor Pixel(int32_t X, int32_t Y) const;
    void SetPixel(int32_t X, int32_t Y, TColor AColor);

    // Text with its cell's top-left corner at (X, Y), turned by the font's
    // escapement; with a solid brush the cell is filled first. The pen
    // position moves to the end of the text.
    void TextOut(int32_t X, int32_t Y, const QString& AText);
    // TextOut clipped to ARect.
    void TextRect(const TRect& ARect, int32_t X, int32_t Y, const QString& AText);
    TSize TextExtent(const QString& AText) const;
    int32_t TextWidth(const QString& AText) const { return TextExtent(AText).cx; }
    int32_t TextHeight(const QString& AText) const { return TextExtent(AText).cy; }

    // Copies AImage with its top-left corner at (X, Y); images with an alpha
    // channel are blended, 32-bit images without one are opaque whatever
    // their fourth bytes hold.
    void Draw(int32_t X, int32_t Y, const QImage& AImage);
    // Copies AImage scaled to ARect, nearest pixel.
    void StretchDraw(const TRect& ARect, const QImage& AImage);

    // Clipping, in surface coordinates.
    void SelectClipRgn(const QRegion& ARegion);
    void ExcludeClipRect(int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom);
    void IntersectClipRect(int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom);
    void ResetClipRect();
    bool HasClipRegion() const { return FClip.has_value(); }
    // The region drawing reaches: the clip region, or the whole surface.
    QRegion ClipRegion() const;
    TRect ClipRect() const { return TRect::FromQRect(ClipRegion().boundingRect()); }

private:
    QRect SurfaceRect() const;
    void ApplyClip();
    QColor PenColor() const;
    bool PenIsCosmetic() const;
    QPen WidePen() const;
    QBrush FillBrush() const;
    void CosmeticLine(TPoint AFrom, TPoint ATo, int64_t& AStylePos);
    void CosmeticOutline(const std::vector<TPoint>& APoints, bool AClosed);
    void DrawText(int32_t X, int32_t Y, const QString& AText, bool AOpaque);
    QImage Displayable(const QImage& AImage) const;

    QImage* FImage = nullptr;
    QPainter* FPainter = nullptr;
    std::unique_ptr<QPainter> FOwnPainter;
    std::function<void()> FBeforeBegin;
    TOwned<TPen> FPen;
    TOwned<TBrush> FBrush;
    TOwned<TFont> FFont;
    TPoint FPenPos;
    int64_t FStylePos = 0;
    std::optional<QRegion> FClip;
};
