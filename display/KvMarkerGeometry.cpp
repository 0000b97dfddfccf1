#include "display/KvMarkerGeometry.h"

#include <algorithm>
#include <cmath>

TPoint MarkerLabelOrigin(TKvCoordinateMode AMode, int32_t ACX, int32_t ACY, int32_t X, int32_t Y,
                         TSize ATextSize) {
    const int32_t w = ATextSize.cx, h = ATextSize.cy;
    TPoint p;
    switch (AMode) {
    case cmLeftTop:
    case cmTopCenter:
    case cmRightTop:
        p.Y = Y - h - ACY;
        break;
    case cmLeftBottom:
    case cmBottomCenter:
    case cmRightBottom:
        p.Y = Y + ACY;
        break;
    case cmLeftCenter:
    case cmCenter:
    case cmRightCenter:
        p.Y = Y - h / 2 + ACY;
        break;
    }
    switch (AMode) {
    case cmLeftTop:
    case cmLeftCenter:
    case cmLeftBottom:
        p.X = X - w - ACX;
        break;
    case cmRightTop:
    case cmRightCenter:
    case cmRightBottom:
        p.X = X + ACX;
        break;
    case cmTopCenter:
    case cmCenter:
    case cmBottomCenter:
        p.X = X - w / 2 + ACX;
        break;
    }
    return p;
}

TRect MarkerHotRect(TKvDisplayMarkerShape AShape, uint32_t ASize, int32_t PX, int32_t PY) {
    const int32_t a = static_cast<int32_t>(std::clamp<uint32_t>(ASize, 3, KvFarPixel));
    switch (AShape) {
    case msCircle:
    case msSquare:
    case msDiamond:
    case msStar:
        return Rect(PX - a, PY - a, PX + a, PY + a);
    case msTriangleUp:
        return Rect(PX - a, PY, PX + a, PY + 2 * a);
    case msTriangleDown:
        return Rect(PX - a, PY - 2 * a, PX + a, PY);
    case msTriangleLeft:
        return Rect(PX, PY - a, PX + 2 * a, PY + a);
    case msTriangleRight:
        return Rect(PX - 2 * a, PY - a, PX, PY + a);
    case msHLine:
        return Rect(PX - a, PY - 3, PX + a, PY + 3);
    case msVLine:
        return Rect(PX - 3, PY - a, PX + 3, PY + a);
    case msPoint:
    case msPlus:
    case msCross:
        break;
    }
    return Rect(PX - 3, PY - 3, PX + 3, PY + 3);
}

bool HotRectContains(const TRect& AHot, int32_t X, int32_t Y) {
    return X >= AHot.Left && X <= AHot.Right && Y >= AHot.Top && Y <= AHot.Bottom;
}

double SegmentDistance(TPoint P, TPoint A, TPoint B, TPoint& ANearest, double& AT) {
    const int64_t dx = int64_t{B.X} - A.X, dy = int64_t{B.Y} - A.Y;
    const int64_t px = int64_t{P.X} - A.X, py = int64_t{P.Y} - A.Y;
    const int64_t dot = px * dx + py * dy;
    const int64_t length2 = dx * dx + dy * dy;
    if (dot <= 0) {
        ANearest = A;
        AT = 0.0;
    } else if (dot < length2) {
        AT = static_cast<double>(dot) / static_cast<double>(length2);
        // ties to even, as rounding goes everywhere else
        ANearest = Point(static_cast<int32_t>(std::nearbyint(A.X + AT * static_cast<double>(dx))),
                         static_cast<int32_t>(std::nearbyint(A.Y + AT * static_cast<double>(dy))));
    } else {
        ANearest = B;
        AT = 1.0;
    }
    return std::hypot(static_cast<double>(int64_t{P.X} - ANearest.X),
                      static_cast<double>(int64_t{P.Y} - ANearest.Y));
}

TPoint HitPointLabelOrigin(TPoint AMousePoint, TSize ATextSize, int32_t AViewLeft, int32_t AViewTop,
                           int32_t AViewWidth) {
    const int32_t w = ATextSize.cx, h = ATextSize.cy;
    TPoint p = Point(AMousePoint.X + 4, AMousePoint.Y - h);
    const bool beyondRight = AViewLeft + AViewWidth < p.X + w + 3;
    const bool aboveTop = p.Y < AViewTop;
    if (beyondRight || aboveTop) {
        if (aboveTop)
            p.Y += h;
        const int32_t left = AMousePoint.X - w - 11;
        if (left > AViewLeft)
            p.X = left;
    }
    return p;
}

bool ValueToPixel(double AValue, double AMin, double AMax, int32_t AStart, int32_t ALength,
                  bool AReversed, int32_t& APixel) {
    const double span = AMax - AMin;
    if (std::isnan(AValue) || !std::isfinite(span) || span == 0.0)
        return false;
    double offset = std::nearbyint(static_cast<double>(ALength) * ((AValue - AMin) / span));
    if (std::isnan(offset)) // an infinite value on a view of no length
        return false;
    offset = std::clamp(offset, -2.0 * KvFarPixel, 2.0 * KvFarPixel);
    const int64_t pixel = AReversed ? int64_t{AStart} + ALength - static_cast<int64_t>(offset)
                                    : int64_t{AStart} + static_cast<int64_t>(offset);
    APixel = static_cast<int32_t>(std::clamp<int64_t>(pixel, -KvFarPixel, KvFarPixel));
    return true;
}
