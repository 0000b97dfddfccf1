#pragma once
// Integer points, sizes and rectangles as the framework uses them: a
// rectangle's Right and Bottom lie just outside it.

#include <QPoint>
#include <QRect>
#include <cstdint>

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;

    friend bool operator==(const TPoint&, const TPoint&) = default;
    QPoint ToQPoint() const { return QPoint(X, Y); }
};

struct TSize {
    int32_t cx = 0;
    int32_t cy = 0;

    friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    friend bool operator==(const TRect&, const TRect&) = default;
    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(const TPoint& P) const {
        return P.X >= Left && P.X < Right && P.Y >= Top && P.Y < Bottom;
    }
    // The pixels of this rectangle (right and bottom excluded) as a QRect;
    // null when empty.
    QRect ToQRect() const {
        return IsEmpty() ? QRect() : QRect(QPoint(Left, Top), QPoint(Right - 1, Bottom - 1));
    }
    static TRect FromQRect(const QRect& R) {
        return TRect{R.left(), R.top(), R.left() + R.width(), R.top() + R.height()};
    }
};

constexpr TPoint Point(int32_t AX, int32_t AY) {
    return TPoint{AX, AY};
}
constexpr TRect Rect(int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom) {
    return TRect{ALeft, ATop, ARight, ABottom};
}
constexpr TRect Bounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
    return TRect{ALeft, ATop, ALeft + AWidth, ATop + AHeight};
}
