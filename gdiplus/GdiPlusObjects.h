#pragma once
// The GDI+ object wrapper, as far as this library draws with it: a
// reference-counted graphics object over a painter someone else began (a
// canvas's surface, a printer page). It draws antialiased unless told
// otherwise and leaves the painter's state as it found it, so the canvas
// sharing the painter keeps drawing with GDI's unsmoothed pixels.

#include "platform/Interfaces.h"

#include <QImage>
#include <QPainter>
#include <cstdint>

// A colour with alpha: 0xAARRGGBB.
using TGPColor = uint32_t;

constexpr TGPColor MakeColor(uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
    return (TGPColor{a} << 24) | (TGPColor{r} << 16) | (TGPColor{g} << 8) | TGPColor{b};
}

enum TGPSmoothingMode { SmoothingModeNone, SmoothingModeAntiAlias };

class IGPGraphics : public IInterface {
public:
    using Parent = IInterface;
    static constexpr TGUID IID = TGUID::Parse("{343EC842-592A-45CC-A4B8-05544D88C3A5}");

    virtual TGPSmoothingMode GetSmoothingMode() const = 0;
    virtual void SetSmoothingMode(TGPSmoothingMode AValue) = 0;
    // Fills the whole surface (within the painter's clip).
    virtual void Clear(TGPColor AColor) = 0;
    virtual void DrawLine(TGPColor AColor, float AWidth, float X1, float Y1, float X2,
                          float Y2) = 0;
    virtual void FillRectangle(TGPColor AColor, float X, float Y, float AWidth, float AHeight) = 0;
    // 32-bit pixels without alpha are drawn opaque whatever their fourth byte holds.
    virtual void DrawImage(const QImage& AImage, float X, float Y) = 0;
    // The painter underneath.
    virtual QPainter* GetPainter() const = 0;

protected:
    ~IGPGraphics() = default;
};

using TGPGraphicsPtr = TIntfPtr<IGPGraphics>;

class TGPGraphics : public TInterfaced<IGPGraphics> {
public:
    // APainter must be active and outlive this object, as a device context
    // outlives the graphics made on it. Raises Exception for a painter that
    // is missing or not painting.
    explicit TGPGraphics(QPainter* APainter);

    TGPSmoothingMode GetSmoothingMode() const override { return FSmoothingMode; }
    void SetSmoothingMode(TGPSmoothingMode AValue) override { FSmoothingMode = AValue; }
    void Clear(TGPColor AColor) override;
    void DrawLine(TGPColor AColor, float AWidth, float X1, float Y1, float X2, float Y2) override;
    void FillRectangle(TGPColor AColor, float X, float Y, float AWidth, float AHeight) override;
    void DrawImage(const QImage& AImage, float X, float Y) override;
    QPainter* GetPainter() const override { return FPainter; }

private:
    // Saves the painter's state and sets the smoothing; restores on destruction.
    class TStateGuard;

    QPainter* const FPainter;
    TGPSmoothingMode FSmoothingMode = SmoothingModeAntiAlias;
};
