// Pixel tests of the canvas: every expectation is computed here from GDI's
// rules, not taken from a rendering.
#include "platform/Canvas.h"
#include "platform/Exceptions.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <utility>

namespace {

using Pixels = std::set<std::pair<int, int>>;

const QRgb White = qRgb(255, 255, 255);
const QRgb Red = qRgb(255, 0, 0);
const QRgb Blue = qRgb(0, 0, 255);

struct Surface {
    QImage image;
    TCanvas canvas;
    explicit Surface(int w = 24, int h = 24) : image(w, h, QImage::Format_RGB32) {
        image.fill(White);
        canvas.SetImage(&image);
        canvas.Pen().SetColor(clRed);
        canvas.Brush().SetColor(clBlue);
    }
    Pixels Of(QRgb c) {
        canvas.ReleasePainter();
        Pixels out;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == c)
                    out.insert({x, y});
        return out;
    }
    Pixels NotWhite() {
        canvas.ReleasePainter();
        Pixels out;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != White)
                    out.insert({x, y});
        return out;
    }
};

Pixels Box(int x0, int y0, int x1, int y1) { // inclusive
    Pixels out;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            out.insert({x, y});
    return out;
}

Pixels Minus(Pixels a, const Pixels& b) {
    for (const auto& p : b)
        a.erase(p);
    return a;
}

// i * d / n rounded to the nearest integer, a half going toward 0.
int NearestTowardZero(int i, int d, int n) {
    const int magnitude = i * std::abs(d);
    const int q = magnitude / n + (2 * (magnitude % n) > n ? 1 : 0);
    return d < 0 ? -q : q;
}

// The pixels GDI sets for a one-pixel line: every step of the major axis
// from the start, the nearest pixel on the minor axis (a step exactly
// halfway between two stays on the start point's side), the end point left out.
Pixels ReferenceLine(int x0, int y0, int x1, int y1) {
    Pixels out;
    const int n = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i < n; ++i)
        out.insert({x0 + NearestTowardZero(i, x1 - x0, n), y0 + NearestTowardZero(i, y1 - y0, n)});
    return out;
}

struct Ink {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

Ink InkOf(const Pixels& p) {
    Ink ink;
    for (const auto& [x, y] : p) {
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x);
        ink.top = std::min(ink.top, y);
        ink.bottom = std::max(ink.bottom, y);
    }
    return ink;
}

} // namespace

TEST(CanvasLines, StraightLinesLeaveOutTheirLastPixelInEitherDirection) {
    Surface s;
    s.canvas.MoveTo(2, 3);
    s.canvas.LineTo(9, 3);
    s.canvas.MoveTo(9, 5);
    s.canvas.LineTo(2, 5);
    s.canvas.MoveTo(4, 8);
    s.canvas.LineTo(4, 14);
    s.canvas.MoveTo(6, 14);
    s.canvas.LineTo(6, 8);
    s.canvas.MoveTo(20, 20);
    s.canvas.LineTo(20, 20); // zero length: nothing
    Pixels expected = Box(2, 3, 8, 3);
    expected.merge(Box(3, 5, 9, 5));
    expected.merge(Box(4, 8, 4, 13));
    expected.merge(Box(6, 9, 6, 14));
    EXPECT_EQ(s.Of(Red), expected);
    EXPECT_EQ(s.canvas.PenPos(), Point(20, 20));
}

TEST(CanvasLines, SlopedLinesTakeTheNearestPixelOfEachStep) {
    const int lines[][4] = {{3, 3, 10, 6},
                            {10, 6, 3, 3},
                            {1, 1, 4, 12},
                            {20, 2, 13, 9},
                            {22, 22, 15, 19},
                            // steps exactly halfway, in each direction along either axis
                            {2, 2, 6, 3},
                            {6, 3, 2, 2},
                            {2, 9, 6, 8},
                            {5, 12, 6, 16},
                            {8, 20, 5, 14}};
    // worked by hand: the middle step of a 4-by-1 line stays on the start row
    ASSERT_EQ(ReferenceLine(2, 2, 6, 3), (Pixels{{2, 2}, {3, 2}, {4, 2}, {5, 3}}));
    ASSERT_EQ(ReferenceLine(6, 3, 2, 2), (Pixels{{6, 3}, {5, 3}, {4, 3}, {3, 2}}));
    for (const auto& l : lines) {
        Surface s;
        s.canvas.MoveTo(l[0], l[1]);
        s.canvas.LineTo(l[2], l[3]);
        EXPECT_EQ(s.Of(Red), ReferenceLine(l[0], l[1], l[2], l[3]))
            << l[0] << "," << l[1] << " -> " << l[2] << "," << l[3];
    }
}

TEST(CanvasLines, ConnectedLinesDrawEveryCornerButTheLast) {
    Surface s;
    s.canvas.Polyline({{1, 1}, {8, 1}, {8, 8}});
    Pixels expected = Box(1, 1, 8, 1);
    expected.merge(Box(8, 2, 8, 7));
    EXPECT_EQ(s.Of(Red), expected);
}

TEST(CanvasLines, LinesFarOutsideTheSurfaceAreClippedNotWalked) {
    Surface s;
    s.canvas.MoveTo(-2000000000, 5);
    s.canvas.LineTo(2000000000, 5);
    EXPECT_EQ(s.Of(Red), Box(0, 5, 23, 5));
}

TEST(CanvasShapes, HugeCoordinatesDrawTheVisiblePart) {
    Surface s;
    s.canvas.Rectangle(INT32_MIN, 10, INT32_MAX, INT32_MAX);
    s.canvas.Ellipse(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    s.canvas.DrawFocusRect(Rect(-2000000000, 20, 2000000000, 22));
    s.canvas.FrameRect(Rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX));
    s.canvas.Polygon({{INT32_MIN, 0}, {INT32_MAX, 0}, {0, INT32_MAX}});
    s.canvas.TextOut(INT32_MAX, INT32_MIN, "x");
    s.canvas.StretchDraw(Rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX),
                         QImage(2, 2, QImage::Format_RGB32));
    s.canvas.Brush().SetColor(clLime);
    s.canvas.FillRect(Rect(INT32_MIN, INT32_MIN, INT32_MAX, 5));
    EXPECT_EQ(s.Of(qRgb(0, 255, 0)), Box(0, 0, 23, 4));
}

TEST(CanvasLines, DashPatternsLeaveGapsAndRunOnAcrossLineTo) {
    for (TPenStyle style : {psDash, psDot, psDashDot, psDashDotDot}) {
        Surface whole(64, 4), split(64, 4);
        whole.canvas.Pen().SetStyle(style);
        split.canvas.Pen().SetStyle(style);
        whole.canvas.MoveTo(0, 1);
        whole.canvas.LineTo(60, 1);
        split.canvas.MoveTo(0, 1);
        split.canvas.LineTo(7, 1);
        split.canvas.LineTo(60, 1);
        const Pixels drawn = whole.Of(Red);
        EXPECT_GT(drawn.size(), 10u) << style;
        EXPECT_LT(drawn.size(), 55u) << style;
        EXPECT_TRUE(drawn.count({0, 1})) << "patterns start with a dash";
        EXPECT_EQ(drawn, split.Of(Red)) << style;
    }
}

TEST(CanvasLines, ClearPenDrawsNothingButMovesThePen) {
    Surface s;
    s.canvas.Pen().SetStyle(psClear);
    s.canvas.MoveTo(1, 1);
    s.canvas.LineTo(10, 10);
    EXPECT_TRUE(s.NotWhite().empty());
    EXPECT_EQ(s.canvas.PenPos(), Point(10, 10));
}

TEST(CanvasLines, WidePenIsCentredOnTheLine) {
    Surface s;
    s.canvas.Pen().SetWidth(3);
    s.canvas.MoveTo(6, 10);
    s.canvas.LineTo(16, 10);
    const Ink ink = InkOf(s.Of(Red));
    EXPECT_EQ(ink.top, 9);
    EXPECT_EQ(ink.bottom, 11);
    EXPECT_LE(ink.left, 6);
    EXPECT_GE(ink.right, 15);
}

TEST(CanvasShapes, RectangleOutlinesWithThePenAndFillsInsideExcludingRightAndBottom) {
    Surface s;
    s.canvas.Rectangle(2, 2, 6, 5);
    const Pixels outline = Minus(Box(2, 2, 5, 4), Box(3, 3, 4, 3));
    EXPECT_EQ(s.Of(Red), outline);
    EXPECT_EQ(s.Of(Blue), Box(3, 3, 4, 3));
    EXPECT_EQ(s.NotWhite(), Box(2, 2, 5, 4));
}

TEST(CanvasShapes, RectangleCornersMayComeInAnyOrder) {
    Surface a, b;
    a.canvas.Rectangle(Rect(3, 4, 12, 9));
    b.canvas.Rectangle(12, 9, 3, 4);
    EXPECT_EQ(a.Of(Red), b.Of(Red));
    EXPECT_EQ(a.Of(Blue), b.Of(Blue));
}

TEST(CanvasShapes, RectangleWithoutPenFillsOnePixelLessEachWay) {
    Surface s;
    s.canvas.Pen().SetStyle(psClear);
    s.canvas.Rectangle(2, 2, 6, 5);
    EXPECT_EQ(s.NotWhite(), Box(2, 2, 4, 3));
}

TEST(CanvasShapes, ClearBrushLeavesTheInsideAlone) {
    Surface s;
    s.canvas.Brush().SetStyle(bsClear);
    s.canvas.Rectangle(2, 2, 8, 8);
    EXPECT_EQ(s.NotWhite(), Minus(Box(2, 2, 7, 7), Box(3, 3, 6, 6)));
}

TEST(CanvasShapes, FillRectAndFrameRectExcludeRightAndBottom) {
    Surface s;
    s.canvas.FillRect(Rect(2, 2, 6, 5));
    EXPECT_EQ(s.Of(Blue), Box(2, 2, 5, 4));
    Surface f;
    f.canvas.FrameRect(Rect(3, 3, 9, 7));
    EXPECT_EQ(f.Of(Blue), Minus(Box(3, 3, 8, 6), Box(4, 4, 7, 5)));
    Surface e;
    e.canvas.FillRect(Rect(6, 5, 2, 2)); // inverted: empty
    EXPECT_TRUE(e.NotWhite().empty());
}

TEST(CanvasShapes, PolygonOutlineIsOnePixelAndIncludesEveryVertex) {
    Surface s;
    s.canvas.Brush().SetStyle(bsClear);
    s.canvas.Polygon({{10, 8}, {8, 10}, {10, 12}, {12, 10}});
    const Pixels diamond = {{10, 8},  {9, 9},   {8, 10},  {9, 11},
                            {10, 12}, {11, 11}, {12, 10}, {11, 9}};
    EXPECT_EQ(s.Of(Red), diamond);
    EXPECT_EQ(s.NotWhite(), diamond);

    Surface r;
    r.canvas.Polygon({{2, 2}, {6, 2}, {6, 5}, {2, 5}});
    EXPECT_EQ(r.Of(Red), Minus(Box(2, 2, 6, 5), Box(3, 3, 5, 4)));
    EXPECT_EQ(r.Of(Blue), Box(3, 3, 5, 4));
}

TEST(CanvasShapes, PolygonFillSamplesPixelsAtTheirCornerAndStaysInsideTheOutline) {
    // A triangle with edges steeper and flatter than 45 degrees: the brush
    // takes exactly the pixels whose integer point lies strictly inside,
    // apart from those the outline covers.
    const std::vector<TPoint> tri = {{4, 14}, {9, 2}, {18, 14}};
    Surface s;
    s.canvas.Polygon(tri);
    auto inside = [&](int x, int y) {
        int positive = 0, negative = 0;
        for (size_t i = 0; i < tri.size(); ++i) {
            const TPoint a = tri[i], b = tri[(i + 1) % tri.size()];
            const long cross = long{b.X - a.X} * (y - a.Y) - long{b.Y - a.Y} * (x - a.X);
            positive += cross > 0;
            negative += cross < 0;
        }
        return positive == 3 || negative == 3;
    };
    const Pixels outline = s.Of(Red);
    Pixels expected;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 24; ++x)
            if (inside(x, y) && !outline.count({x, y}))
                expected.insert({x, y});
    EXPECT_EQ(s.Of(Blue), expected);
}

TEST(CanvasShapes, EllipseStaysInsideItsBoxWithoutRightAndBottom) {
    Surface s;
    s.canvas.Ellipse(2, 3, 14, 12);
    const Ink ink = InkOf(s.NotWhite());
    EXPECT_EQ(ink.left, 2);
    EXPECT_EQ(ink.top, 3);
    EXPECT_EQ(ink.right, 13);
    EXPECT_EQ(ink.bottom, 11);
    EXPECT_EQ(s.image.pixel(8, 7), Blue);
    EXPECT_EQ(s.image.pixel(2, 3), White) << "corner of the box";
}

TEST(CanvasPixels, SetPixelAndReadBack) {
    Surface s;
    s.canvas.SetPixel(3, 4, RGBColor(10, 20, 30));
    EXPECT_EQ(s.canvas.Pixel(3, 4), RGBColor(10, 20, 30));
    EXPECT_EQ(s.canvas.Pixel(0, 0), clWhite);
    EXPECT_EQ(s.canvas.Pixel(-1, 0), -1);
    EXPECT_EQ(s.canvas.Pixel(24, 0), -1);
    EXPECT_EQ(s.NotWhite(), Pixels({{3, 4}}));
}

TEST(CanvasPixels, FocusRectInvertsDotsAndDrawingItTwiceRemovesIt) {
    Surface s;
    s.canvas.DrawFocusRect(Rect(2, 2, 10, 8));
    const Pixels dots = s.NotWhite();
    EXPECT_FALSE(dots.empty());
    for (const auto& [x, y] : dots) {
        EXPECT_TRUE(x == 2 || x == 9 || y == 2 || y == 7) << x << "," << y;
        EXPECT_EQ(s.image.pixel(x, y), qRgb(0, 0, 0));
    }
    EXPECT_FALSE(dots.count({3, 2})) << "dotted";
    s.canvas.DrawFocusRect(Rect(2, 2, 10, 8));
    EXPECT_TRUE(s.NotWhite().empty());
}

TEST(CanvasClip, ExcludedRectangleStaysUntouched) {
    Surface s;
    s.canvas.ExcludeClipRect(4, 5, 10, 9);
    s.canvas.FillRect(Rect(0, 0, 24, 24));
    s.canvas.MoveTo(0, 6);
    s.canvas.LineTo(24, 6);
    EXPECT_EQ(s.Of(White), Box(4, 5, 9, 8));
    EXPECT_EQ(s.canvas.ClipRegion(), QRegion(0, 0, 24, 24).subtracted(QRegion(4, 5, 6, 4)));
}

TEST(CanvasClip, SelectedRegionLimitsDrawingAndResetLiftsIt) {
    Surface s;
    s.canvas.SelectClipRgn(QRegion(2, 2, 4, 4));
    s.canvas.FillRect(Rect(0, 0, 24, 24));
    EXPECT_EQ(s.Of(Blue), Box(2, 2, 5, 5));
    s.canvas.ResetClipRect();
    s.canvas.Brush().SetColor(clRed);
    s.canvas.FillRect(Rect(0, 0, 24, 24));
    EXPECT_EQ(s.Of(Red).size(), 24u * 24u);
}

TEST(CanvasClip, ClipSurvivesAFreshPainter) {
    Surface s;
    s.canvas.IntersectClipRect(0, 0, 5, 5);
    s.canvas.ReleasePainter();
    s.canvas.FillRect(Rect(0, 0, 24, 24));
    EXPECT_EQ(s.Of(Blue), Box(0, 0, 4, 4));
}

TEST(CanvasText, CellTopIsAtYAndHeightIsTheCell) {
    Surface s(80, 40);
    s.canvas.Brush().SetStyle(bsClear);
    s.canvas.Font().SetName("Arial");
    s.canvas.Font().SetHeight(-20);
    s.canvas.Font().SetColor(clRed);
    s.canvas.TextOut(5, 7, "H");

    // whichever face "Arial" resolves to here, at the 20-pixel cell the height asks for
    QFont reference(QFontInfo(s.canvas.Font().ToQFont()).family());
    reference.setPixelSize(20);
    reference.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics metrics(reference);
    const QRect glyph = metrics.tightBoundingRect("H");
    const Ink ink = InkOf(s.Of(Red));
    EXPECT_EQ(ink.top, 7 + metrics.ascent() + glyph.top());
    EXPECT_EQ(ink.bottom, 7 + metrics.ascent() + glyph.bottom());
    EXPECT_NEAR(ink.left, 5 + glyph.left(), 1);
    EXPECT_EQ(s.canvas.TextHeight("H"), metrics.height());
    EXPECT_EQ(s.canvas.TextWidth("Hello"), metrics.horizontalAdvance("Hello"));
    EXPECT_EQ(s.canvas.PenPos(), Point(5 + metrics.horizontalAdvance("H"), 7));
}

TEST(CanvasText, SolidBrushFillsTheCell) {
    Surface s(80, 40);
    s.canvas.Font().SetColor(clRed);
    s.canvas.TextOut(3, 4, "Wg");
    const TSize cell = s.canvas.TextExtent("Wg");
    EXPECT_EQ(s.NotWhite(), Box(3, 4, 3 + cell.cx - 1, 4 + cell.cy - 1));
    EXPECT_FALSE(s.Of(Red).empty());
}

TEST(CanvasText, EscapementOf900RunsBottomToTop) {
    auto inkOf = [](const QString& text, int escapement) {
        Surface s(120, 120);
        s.canvas.Brush().SetStyle(bsClear);
        s.canvas.Font().SetName("Arial");
        s.canvas.Font().SetHeight(-16);
        s.canvas.Font().SetColor(clRed);
        s.canvas.Font().SetEscapement(escapement);
        s.canvas.TextOut(40, 100, text);
        return InkOf(s.Of(Red));
    };
    const Ink flat = inkOf("H", 0);
    const Ink up = inkOf("H", 900);
    const Ink upLong = inkOf("HHHH", 900);
    // turned a quarter counter-clockwise about (40, 100): (u, v) -> (40 + v, 100 - u)
    EXPECT_NEAR(up.left, 40 + (flat.top - 100), 1);
    EXPECT_NEAR(up.right, 40 + (flat.bottom - 100), 1);
    EXPECT_NEAR(up.bottom, 100 - (flat.left - 40), 1);
    EXPECT_NEAR(up.top, 100 - (flat.right - 40), 1);
    EXPECT_NEAR(upLong.bottom, up.bottom, 1) << "starts at the same place";
    EXPECT_LT(upLong.top, up.top - 20) << "and goes upward";
}

TEST(CanvasText, TextRectClipsToItsRectangle) {
    Surface s(80, 40);
    s.canvas.Brush().SetStyle(bsClear);
    s.canvas.Font().SetColor(clRed);
    s.canvas.Font().SetHeight(-20);
    s.canvas.TextRect(Rect(0, 0, 80, 12), 2, 2, "HHHH");
    const Ink ink = InkOf(s.Of(Red));
    EXPECT_LE(ink.bottom, 11);
    s.canvas.Brush().SetStyle(bsSolid);
    s.canvas.FillRect(Rect(0, 30, 80, 40));
    EXPECT_EQ(s.Of(Blue), Box(0, 30, 79, 39)) << "clip restored";
}

TEST(CanvasFonts, HeightsAndSizes) {
    auto owned = MakeOwned<TFont>();
    TFont& font = *owned;
    font.SetName("Arial");
    font.SetSize(8);
    EXPECT_EQ(font.Height(), -11); // 8 * 96 / 72 = 10.67
    EXPECT_EQ(font.Size(), 8);
    font.SetHeight(-13);
    EXPECT_EQ(font.Size(), 10); // 13 * 72 / 96 = 9.75
    EXPECT_EQ(font.ToQFont().pixelSize(), 13);
    EXPECT_EQ(QFontInfo(font.ToQFont()).family(), "Liberation Sans");

    font.SetHeight(24); // cell height
    const int cell = QFontMetrics(font.ToQFont()).height();
    EXPECT_LE(cell, 24);
    EXPECT_GE(cell, 23);
    EXPECT_LT(font.ToQFont().pixelSize(), 24);

    font.SetHeight(INT32_MIN);
    EXPECT_GT(font.ToQFont().pixelSize(), 0);

    EXPECT_EQ(MapFontFamily("MS Sans Serif"), "Sans Serif");
    EXPECT_EQ(MapFontFamily("Courier New"), "Courier New");
}

TEST(CanvasFonts, ChangesNotifyAndAssignCopies) {
    auto owned = MakeOwned<TFont>();
    TFont& font = *owned;
    int changes = 0;
    font.OnChange = [&] { ++changes; };
    font.SetHeight(-11); // unchanged
    font.SetStyle(fsBold | fsItalic);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(font.ToQFont().bold());
    EXPECT_TRUE(font.ToQFont().italic());

    auto copy = MakeOwned<TFont>();
    copy->SetEscapement(900);
    copy->Assign(&font);
    EXPECT_EQ(copy->Style(), fsBold | fsItalic);
    EXPECT_EQ(copy->Escapement(), 0);
    auto pen = MakeOwned<TPen>();
    EXPECT_THROW(copy->Assign(pen.get()), EConvertError);
    auto otherPen = MakeOwned<TPen>();
    otherPen->SetWidth(4);
    pen->Assign(otherPen.get());
    EXPECT_EQ(pen->Width(), 4);
}

TEST(CanvasImages, DrawCopiesAndStretchDrawScalesByNearestPixel) {
    QImage source(2, 2, QImage::Format_RGB32);
    source.setPixel(0, 0, Red);
    source.setPixel(1, 0, Blue);
    source.setPixel(0, 1, Blue);
    source.setPixel(1, 1, Red);
    Surface s;
    s.canvas.Draw(1, 1, source);
    s.canvas.StretchDraw(Rect(10, 10, 14, 14), source);
    Pixels red = {{1, 1}, {2, 2}};
    red.merge(Box(10, 10, 11, 11));
    red.merge(Box(12, 12, 13, 13));
    EXPECT_EQ(s.Of(Red), red);
    EXPECT_EQ(s.NotWhite().size(), 4u + 16u);
}

TEST(CanvasSurface, DrawingWithoutASurfaceRaises) {
    TCanvas canvas;
    EXPECT_THROW(canvas.FillRect(Rect(0, 0, 2, 2)), Exception);
    EXPECT_EQ(canvas.Pixel(0, 0), -1);
    EXPECT_EQ(canvas.TextHeight("x"), QFontMetrics(canvas.Font().ToQFont()).height());
}
