#pragma once
// Expected pictures of views: the background, plain rectangles and texts
// drawn with Qt's painter at the positions the layout rules give, compared
// pixel for pixel with what the display painted.

#include "platform/Colors.h"
#include "platform/Geometry.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <vector>

// 0x00RRGGBB of a stored colour (0x00BBGGRR).
inline uint32_t PixelOf(TColor AColor) {
    const auto c = static_cast<uint32_t>(AColor);
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

struct TExpectedText {
    QString Text;
    QFont Font;
    // The top-left corner of the text's cell before it is turned.
    int32_t X = 0;
    int32_t Y = 0;
    // Degrees counter-clockwise.
    int32_t Angle = 0;
    uint32_t Color = 0xFFFFFF;
};

struct TExpectedFill {
    TRect Rect;
    uint32_t Color = 0;
};

class TExpectedPicture {
public:
    TExpectedPicture(const QSize& ASize, uint32_t ABackground)
        : FImage(ASize, QImage::Format_RGB32) {
        FImage.fill(ABackground);
    }
    void Fill(const TRect& ARect, uint32_t AColor) {
        QPainter p(&FImage);
        p.fillRect(ARect.ToQRect(), QColor::fromRgb(AColor));
    }
    void Text(const TExpectedText& AText) {
        QPainter p(&FImage);
        p.translate(AText.X, AText.Y);
        p.rotate(-AText.Angle);
        p.setFont(AText.Font);
        p.setPen(QColor::fromRgb(AText.Color));
        p.drawText(QPoint(0, QFontMetrics(AText.Font).ascent()), AText.Text);
    }
    uint32_t At(int32_t X, int32_t Y) const { return FImage.pixel(X, Y) & 0xFFFFFFu; }

    // Every pixel of AArea in AActual equals the expected one.
    void ExpectSame(const QImage& AActual, const TRect& AArea) const {
        int wrong = 0;
        for (int32_t y = AArea.Top; y < AArea.Bottom; ++y)
            for (int32_t x = AArea.Left; x < AArea.Right; ++x) {
                const uint32_t actual = AActual.pixel(x, y) & 0xFFFFFFu;
                if (actual != At(x, y) && wrong++ < 5)
                    ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << actual
                                  << ", expected " << At(x, y);
            }
        EXPECT_EQ(wrong, 0) << "pixels differ";
    }

private:
    QImage FImage;
};
