#pragma once
// The pixels of a one-pixel-wide line as GDI rasterises it: from the first
// point up to, but not including, the last one. Each step advances the
// major coordinate by one; the minor coordinate is the nearest pixel to the
// ideal line, halfway cases going toward the start point.

#include "platform/Geometry.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

// Calls AVisit(X, Y, Step) for the line's pixels that lie inside ABounds,
// Step counting pixels from the start point (dash patterns run on it). The
// work is bounded by the size of ABounds, not by the length of the line.
template <class Visit>
void ForEachLinePixel(TPoint AFrom, TPoint ATo, const TRect& ABounds, Visit&& AVisit) {
    const int64_t dx = int64_t{ATo.X} - AFrom.X;
    const int64_t dy = int64_t{ATo.Y} - AFrom.Y;
    const int64_t adx = dx < 0 ? -dx : dx;
    const int64_t ady = dy < 0 ? -dy : dy;
    const int64_t n = std::max(adx, ady);
    if (n == 0 || ABounds.IsEmpty())
        return;
    const bool xMajor = adx >= ady;
    const int64_t minor = xMajor ? ady : adx;
    const int64_t sMajor = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int64_t sMinor = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int64_t start = xMajor ? AFrom.X : AFrom.Y;
    const int64_t lo = xMajor ? ABounds.Left : ABounds.Top;
    const int64_t hi = (xMajor ? ABounds.Right : ABounds.Bottom) - 1;
    // steps whose major coordinate lies inside the bounds
    int64_t first = sMajor > 0 ? lo - start : start - hi;
    int64_t last = sMajor > 0 ? hi - start : start - lo;
    first = std::max<int64_t>(first, 0);
    last = std::min<int64_t>(last, n - 1);
    // 2 * i * minor needs up to 66 bits for the longest lines
    __extension__ using Wide = __int128;
    for (int64_t i = first; i <= last; ++i) {
        const Wide num = Wide{2} * i * minor + (n - 1);
        const auto m = static_cast<int64_t>(num / (Wide{2} * n));
        const int64_t major = start + sMajor * i;
        const int64_t other = (xMajor ? AFrom.Y : AFrom.X) + sMinor * m;
        const int64_t x = xMajor ? major : other;
        const int64_t y = xMajor ? other : major;
        if (x >= ABounds.Left && x < ABounds.Right && y >= ABounds.Top && y < ABounds.Bottom)
            AVisit(static_cast<int32_t>(x), static_cast<int32_t>(y), i);
    }
}

// On/off lengths in pixels of a cosmetic pen style, starting "on"; an empty
// pattern is solid.
struct TDashPattern {
    const int* Lengths = nullptr;
    int Count = 0;
    // Whether the pixel at APosition, counted from the pattern's start, is drawn.
    bool IsOn(int64_t APosition) const;
};
