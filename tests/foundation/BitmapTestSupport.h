#pragma once
// Pixel helpers for the bitmap and canvas tests: reading and writing the raw
// pixel memory by the row layout (blue, green, red, fourth byte; 24-bit rows
// padded to four bytes).

#include "foundation/GmBasicBitmap.h"

#include <QString>
#include <cstdint>
#include <ostream>

inline void PrintTo(const QString& AValue, std::ostream* AStream) {
    *AStream << '"' << AValue.toStdString() << '"';
}

inline int32_t ExpectedStride(int32_t AWidth, int32_t ABytesPerPixel) {
    return (AWidth * ABytesPerPixel + 3) / 4 * 4;
}

inline int32_t PixelBytes(const TGmBasicBitmap& ABitmap) {
    return ABitmap.PixelFormat() == pf32bit ? 4 : 3;
}

inline const uint8_t* PixelAt(const TGmBasicBitmap& ABitmap, int32_t X, int32_t Y) {
    return ABitmap.DataPtr() + Y * ExpectedStride(ABitmap.Width(), PixelBytes(ABitmap)) +
           X * PixelBytes(ABitmap);
}

// The pixel's colour as a stored colour (0x00BBGGRR).
inline TColor ColorAt(const TGmBasicBitmap& ABitmap, int32_t X, int32_t Y) {
    const uint8_t* p = PixelAt(ABitmap, X, Y);
    return RGBColor(p[2], p[1], p[0]);
}

inline void PutColor(TGmBasicBitmap& ABitmap, int32_t X, int32_t Y, TColor AColor) {
    auto* p = const_cast<uint8_t*>(PixelAt(ABitmap, X, Y));
    p[0] = static_cast<uint8_t>(AColor >> 16);
    p[1] = static_cast<uint8_t>(AColor >> 8);
    p[2] = static_cast<uint8_t>(AColor);
}

// A colour that differs from pixel to pixel.
inline TColor PatternColor(int32_t X, int32_t Y) {
    return RGBColor(static_cast<uint8_t>(10 + X * 17), static_cast<uint8_t>(20 + Y * 23),
                    static_cast<uint8_t>(X * 7 + Y * 11 + 1));
}

inline void FillPattern(TGmBasicBitmap& ABitmap) {
    for (int32_t y = 0; y < ABitmap.Height(); ++y)
        for (int32_t x = 0; x < ABitmap.Width(); ++x)
            PutColor(ABitmap, x, y, PatternColor(x, y));
}
