#pragma once
// Checks of text drawn into a picture: where glyphs may be, from the font's
// metrics, and which colour everything else must have.

#include <QFontMetrics>
#include <QImage>
#include <gtest/gtest.h>

#include "platform/Colors.h"
#include "platform/Geometry.h"

#include <vector>

// Within AArea every pixel outside the text cells (each grown by one pixel
// for the rasteriser's rounding) and outside AOther must be ABackground; each
// text cell must hold pixels of ATextColor.
inline void ExpectTextOnlyInCells(const QImage& AImage, const TRect& AArea,
                                  const std::vector<TRect>& ACells, uint32_t ABackground,
                                  uint32_t ATextColor, const std::vector<TRect>& AOther = {}) {
    int wrong = 0;
    for (int y = AArea.Top; y < AArea.Bottom; ++y)
        for (int x = AArea.Left; x < AArea.Right; ++x) {
            bool inCell = false;
            for (const TRect& c : ACells)
                inCell =
                    inCell || (x >= c.Left - 1 && x <= c.Right && y >= c.Top - 1 && y <= c.Bottom);
            for (const TRect& c : AOther)
                inCell = inCell || c.Contains(Point(x, y));
            if (!inCell && (AImage.pixel(x, y) & 0xFFFFFFu) != ABackground && wrong++ < 5)
                ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex
                              << (AImage.pixel(x, y) & 0xFFFFFFu);
        }
    for (const TRect& c : ACells) {
        int ink = 0;
        for (int y = std::max(c.Top, 0); y < std::min(c.Bottom, AImage.height()); ++y)
            for (int x = std::max(c.Left, 0); x < std::min(c.Right, AImage.width()); ++x)
                ink += (AImage.pixel(x, y) & 0xFFFFFFu) == ATextColor;
        EXPECT_GT(ink, 0) << "no text in cell " << c.Left << "," << c.Top << " - " << c.Right << ","
                          << c.Bottom;
    }
}

inline uint32_t PixelOf(TColor AColor) {
    const auto c = static_cast<uint32_t>(AColor);
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
