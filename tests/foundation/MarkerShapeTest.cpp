#include "BitmapTestSupport.h"

#include "foundation/HxCanvasImpl.h"
#include "foundation/MarkerShapes.h"

#include <gtest/gtest.h>
#include <map>
#include <utility>
#include <vector>

namespace {

using TPixels = std::map<std::pair<int32_t, int32_t>, TColor>;

constexpr TColor PenColor = clRed;
constexpr TColor BrushColor = clBlue;
// Interior pixels next to a slanted edge: whether the fill reaches them is the
// framework's fill rule, not the shape's geometry; brush or background.
constexpr TColor EdgeFill = -2;

// A one-pixel line as the framework draws it: the first point up to, not
// including, the last; one pixel per step of the longer axis, the other
// coordinate the nearest to the ideal line, halfway going toward the start.
std::vector<TPoint> LinePixels(TPoint A, TPoint B) {
    const int32_t dx = B.X - A.X, dy = B.Y - A.Y;
    const int32_t n = std::max(std::abs(dx), std::abs(dy));
    std::vector<TPoint> result;
    for (int32_t i = 0; i < n; ++i) {
        auto along = [&](int32_t d) {
            const int32_t total = std::abs(d) * i;
            int32_t m = total / n;
            if (2 * (total - m * n) > n)
                ++m;
            return d < 0 ? -m : m;
        };
        result.push_back(Point(A.X + along(dx), A.Y + along(dy)));
    }
    return result;
}

void AddLine(TPixels& APixels, TPoint A, TPoint B) {
    for (const TPoint& p : LinePixels(A, B))
        APixels[{p.X, p.Y}] = PenColor;
}

// Pen outline over a brush fill of the integer points strictly inside the
// (convex) polygon.
void AddPolygon(TPixels& APixels, const std::vector<TPoint>& APoints) {
    int32_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
    for (const TPoint& p : APoints) {
        left = std::min(left, p.X);
        right = std::max(right, p.X);
        top = std::min(top, p.Y);
        bottom = std::max(bottom, p.Y);
    }
    for (int32_t y = top; y <= bottom; ++y)
        for (int32_t x = left; x <= right; ++x) {
            int positive = 0, negative = 0;
            for (size_t i = 0; i < APoints.size(); ++i) {
                const TPoint a = APoints[i], b = APoints[(i + 1) % APoints.size()];
                const int64_t cross =
                    int64_t{b.X - a.X} * (y - a.Y) - int64_t{b.Y - a.Y} * (x - a.X);
                positive += cross > 0;
                negative += cross < 0;
            }
            if (positive == static_cast<int>(APoints.size()) ||
                negative == static_cast<int>(APoints.size()))
                APixels[{x, y}] = BrushColor;
        }
    TPixels outline;
    std::vector<TPoint> slanted; // pixels of edges steeper or flatter than 45 degrees
    for (size_t i = 0; i < APoints.size(); ++i) {
        const TPoint a = APoints[i], b = APoints[(i + 1) % APoints.size()];
        for (const TPoint& p : LinePixels(a, b)) {
            outline[{p.X, p.Y}] = PenColor;
            if (a.X != b.X && a.Y != b.Y && std::abs(b.X - a.X) != std::abs(b.Y - a.Y))
                slanted.push_back(p);
        }
    }
    for (const TPoint& p : slanted)
        for (auto [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}})
            APixels[{p.X + dx, p.Y + dy}] = EdgeFill;
    for (const auto& [p, color] : outline)
        APixels[p] = color;
}

enum class TTriangleKind { Up, Down, Left, Right };

// The shapes' geometry, worked out from the point (already exchanged for a
// vertical display), grow amount e and half-size r = size + e.
struct TShapeModel {
    int32_t x, y, e, r;
    int32_t L() const { return x - r; }
    int32_t T() const { return y - r; }
    int32_t R() const { return x + r + 1; }
    int32_t B() const { return y + r + 1; }

    void Plus(TPixels& P) const {
        VLine(P);
        HLine(P);
    }
    void VLine(TPixels& P) const { AddLine(P, Point(x, T()), Point(x, B() - e)); }
    void HLine(TPixels& P) const { AddLine(P, Point(L(), y), Point(R() - e, y)); }
    void Cross(TPixels& P) const {
        AddLine(P, Point(L(), T()), Point(R() - e, B() - e));
        AddLine(P, Point(R() - 1, T()), Point(L() + e - 1, B() - e));
    }
    void Triangle(TPixels& P, TTriangleKind AKind) const {
        switch (AKind) {
        case TTriangleKind::Up:
            AddPolygon(P, {{x, y - e}, {x - r, y + 2 * r - e}, {x + r, y + 2 * r - e}});
            break;
        case TTriangleKind::Down:
            AddPolygon(P, {{x, y + e}, {x - r, y + e - 2 * r}, {x + r, y + e - 2 * r}});
            break;
        case TTriangleKind::Left:
            AddPolygon(P, {{x - e, y}, {x + 2 * r - e, y - r}, {x + 2 * r - e, y + r}});
            break;
        case TTriangleKind::Right:
            AddPolygon(P, {{x + e, y}, {x + e - 2 * r, y - r}, {x + e - 2 * r, y + r}});
            break;
        }
    }
};

TPixels Expected(TKvDisplayMarkerShape AShape, int32_t X, int32_t Y, bool AVertical, int32_t AExtra,
                 int32_t ASize) {
    const TShapeModel m = AVertical ? TShapeModel{Y, X, AExtra, ASize + AExtra}
                                    : TShapeModel{X, Y, AExtra, ASize + AExtra};
    TPixels p;
    switch (AShape) {
    case msPoint:
        p[{m.x, m.y}] = PenColor;
        break;
    case msSquare:
        for (int32_t y = m.T(); y < m.B(); ++y)
            for (int32_t x = m.L(); x < m.R(); ++x) {
                const bool edge = x == m.L() || x == m.R() - 1 || y == m.T() || y == m.B() - 1;
                p[{x, y}] = edge ? PenColor : BrushColor;
            }
        break;
    case msDiamond:
        AddPolygon(p, {{m.x, m.T()}, {m.L(), m.y}, {m.x, m.B() - 1}, {m.R() - 1, m.y}});
        break;
    case msPlus:
        m.Plus(p);
        break;
    case msCross:
        m.Cross(p);
        break;
    case msStar:
        m.Plus(p);
        m.Cross(p);
        break;
    // a vertical display turns the triangles: up is drawn left, down right, left down, right up
    case msTriangleUp:
        m.Triangle(p, AVertical ? TTriangleKind::Left : TTriangleKind::Up);
        break;
    case msTriangleDown:
        m.Triangle(p, AVertical ? TTriangleKind::Right : TTriangleKind::Down);
        break;
    case msTriangleLeft:
        m.Triangle(p, AVertical ? TTriangleKind::Down : TTriangleKind::Left);
        break;
    case msTriangleRight:
        m.Triangle(p, AVertical ? TTriangleKind::Up : TTriangleKind::Right);
        break;
    case msHLine:
        AVertical ? m.VLine(p) : m.HLine(p);
        break;
    case msVLine:
        AVertical ? m.HLine(p) : m.VLine(p);
        break;
    case msCircle:
        break;
    }
    return p;
}

struct TMarkerSurface {
    TMarkerSurface() : Canvas(Bitmap.Canvas()) {
        Bitmap.SetPixelFormat(pf32bit);
        Bitmap.SetSize(48, 48);
        Canvas.GetBrush().SetColor(clWhite);
        Canvas.FillRect(Rect(0, 0, 48, 48));
        Canvas.GetPen().SetColor(PenColor);
        Canvas.GetBrush().SetColor(BrushColor);
    }
    // Every pixel that differs from the expected picture, as text.
    std::string Differences(const TPixels& AExpected) const {
        std::string out;
        for (int32_t y = 0; y < 48; ++y)
            for (int32_t x = 0; x < 48; ++x) {
                const auto it = AExpected.find({x, y});
                const TColor want = it == AExpected.end() ? clWhite : it->second;
                const TColor got = ColorAt(Bitmap, x, y);
                if (want == EdgeFill ? got != BrushColor && got != clWhite : got != want)
                    out += "(" + std::to_string(x) + "," + std::to_string(y) + ":" +
                           std::to_string(got) + ") ";
            }
        return out;
    }
    TGmBasicBitmap Bitmap;
    THxCanvasImpl Canvas;
};

const TKvDisplayMarkerShape ExactShapes[] = {
    msPoint,      msSquare,       msDiamond,      msPlus,          msCross, msStar,
    msTriangleUp, msTriangleDown, msTriangleLeft, msTriangleRight, msHLine, msVLine};

TEST(MarkerShape, EveryShapeMatchesItsGeometryPixelByPixel) {
    for (TKvDisplayMarkerShape shape : ExactShapes)
        for (bool vertical : {false, true})
            for (int32_t extra : {0, 1, 2})
                for (int32_t size : {2, 5}) {
                    const TPixels expected = Expected(shape, 21, 17, vertical, extra, size);
                    TMarkerSurface s;
                    DrawMarkerShape(s.Canvas, 21, 17, vertical, extra, size, shape);
                    EXPECT_EQ(s.Differences(expected), "")
                        << "shape " << shape << " vertical " << vertical << " extra " << extra
                        << " size " << size;
                    // with a clear brush only the pen's pixels remain, exactly
                    TPixels outline;
                    for (const auto& [p, color] : expected)
                        if (color == PenColor)
                            outline[p] = color;
                    TMarkerSurface clear;
                    clear.Canvas.GetBrush().SetStyle(lbsClear);
                    DrawMarkerShape(clear.Canvas, 21, 17, vertical, extra, size, shape);
                    EXPECT_EQ(clear.Differences(outline), "")
                        << "outline of shape " << shape << " vertical " << vertical << " extra "
                        << extra << " size " << size;
                }
}

TEST(MarkerShape, DiamondOfSizeTwoHasItsCornersTwoPixelsOut) {
    TMarkerSurface s;
    s.Canvas.GetBrush().SetStyle(lbsClear);
    DrawMarkerShape(s.Canvas, 10, 10, false, 0, 2, msDiamond);
    for (TPoint corner : {Point(10, 8), Point(8, 10), Point(10, 12), Point(12, 10)})
        EXPECT_EQ(ColorAt(s.Bitmap, corner.X, corner.Y), PenColor) << corner.X << "," << corner.Y;
    for (TPoint outside : {Point(10, 7), Point(7, 10), Point(10, 13), Point(13, 10), Point(10, 10)})
        EXPECT_EQ(ColorAt(s.Bitmap, outside.X, outside.Y), clWhite)
            << outside.X << "," << outside.Y;
}

TEST(MarkerShape, CircleFillsItsBoxSymmetrically) {
    for (bool vertical : {false, true})
        for (int32_t extra : {0, 1}) {
            TMarkerSurface s;
            DrawMarkerShape(s.Canvas, 21, 17, vertical, extra, 6, msCircle);
            const int32_t x = vertical ? 17 : 21, y = vertical ? 21 : 17, r = 6 + extra;
            int32_t left = 48, top = 48, right = -1, bottom = -1;
            for (int32_t py = 0; py < 48; ++py)
                for (int32_t px = 0; px < 48; ++px) {
                    const TColor c = ColorAt(s.Bitmap, px, py);
                    if (c == clWhite)
                        continue;
                    left = std::min(left, px), right = std::max(right, px);
                    top = std::min(top, py), bottom = std::max(bottom, py);
                    // mirrored about the centre the picture is the same
                    EXPECT_EQ(ColorAt(s.Bitmap, 2 * x - px, py), c) << px << "," << py;
                    EXPECT_EQ(ColorAt(s.Bitmap, px, 2 * y - py), c) << px << "," << py;
                }
            EXPECT_EQ(left, x - r);
            EXPECT_EQ(right, x + r);
            EXPECT_EQ(top, y - r);
            EXPECT_EQ(bottom, y + r);
            EXPECT_EQ(ColorAt(s.Bitmap, x, y - r), PenColor);
            EXPECT_EQ(ColorAt(s.Bitmap, x - r, y), PenColor);
            EXPECT_EQ(ColorAt(s.Bitmap, x, y), BrushColor);
            EXPECT_EQ(ColorAt(s.Bitmap, x - r, y - r), clWhite) << "corners of the box stay free";
        }
}

TEST(MarkerShape, UnknownShapeDrawsNothing) {
    TMarkerSurface s;
    DrawMarkerShape(s.Canvas, 21, 17, false, 1, 4, static_cast<TKvDisplayMarkerShape>(13));
    EXPECT_EQ(s.Differences({}), "");
}

} // namespace
