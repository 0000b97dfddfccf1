// Hatched brushes and pen modes of the canvas. Expectations follow GDI's
// rules: a hatch draws lines of the brush colour 8 pixels apart and leaves
// the pixels between alone; a pen mode mixes the pen's colour (P) bit by bit
// with what is there (D).
#include "platform/Canvas.h"

#include <gtest/gtest.h>

namespace {

const QRgb White = qRgb(255, 255, 255);

struct Surface {
    QImage image;
    TCanvas canvas;
    explicit Surface(int w = 24, int h = 24, QRgb fill = White)
        : image(w, h, QImage::Format_RGB32) {
        image.fill(fill);
        canvas.SetImage(&image);
    }
    QRgb At(int x, int y) {
        canvas.ReleasePainter();
        return image.pixel(x, y) | 0xFF000000u;
    }
};

// Which rows (or columns) of a 16 by 16 fill at the origin are wholly in the
// brush colour; every other pixel must be untouched.
std::vector<int> HatchLines(Surface& s, QRgb ink, bool rows) {
    std::vector<int> lines;
    for (int i = 0; i < 16; ++i) {
        int inked = 0;
        for (int j = 0; j < 16; ++j) {
            const QRgb p = rows ? s.At(j, i) : s.At(i, j);
            EXPECT_TRUE(p == ink || p == White);
            inked += p == ink ? 1 : 0;
        }
        if (inked == 16)
            lines.push_back(i);
    }
    return lines;
}

} // namespace

TEST(CanvasHatch, HorizontalAndVerticalHatchesDrawLinesEightApart) {
    const QRgb blue = qRgb(0, 0, 255);
    for (const bool horizontal : {true, false}) {
        Surface s;
        s.canvas.Brush().SetColor(clBlue);
        s.canvas.Brush().SetStyle(horizontal ? bsHorizontal : bsVertical);
        s.canvas.FillRect(TRect{0, 0, 16, 16});
        const std::vector<int> lines = HatchLines(s, blue, horizontal);
        ASSERT_EQ(lines.size(), 2u) << horizontal;
        EXPECT_EQ(lines[1] - lines[0], 8);
        // nothing outside the lines
        int inked = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                inked += s.At(x, y) == blue ? 1 : 0;
        EXPECT_EQ(inked, 32);
    }
}

TEST(CanvasHatch, CrossIsBothHatchesAndDiagonalsLeaveGaps) {
    Surface cross;
    cross.canvas.Brush().SetColor(clBlue);
    cross.canvas.Brush().SetStyle(bsCross);
    cross.canvas.FillRect(TRect{0, 0, 16, 16});
    const QRgb blue = qRgb(0, 0, 255);
    int inked = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            inked += cross.At(x, y) == blue ? 1 : 0;
    EXPECT_EQ(inked, 2 * 16 + 2 * 16 - 4);

    for (const TBrushStyle style : {bsFDiagonal, bsBDiagonal, bsDiagCross}) {
        Surface s;
        s.canvas.Brush().SetColor(clBlue);
        s.canvas.Brush().SetStyle(style);
        s.canvas.FillRect(TRect{0, 0, 16, 16});
        int n = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                n += s.At(x, y) == blue ? 1 : 0;
        EXPECT_GT(n, 0) << style;
        EXPECT_LT(n, 256 / 2) << style;
    }
}

TEST(CanvasHatch, TextOverAHatchedBrushLeavesItsCellAlone) {
    Surface s(80, 40);
    s.canvas.Brush().SetColor(clBlue);
    s.canvas.Brush().SetStyle(bsHorizontal);
    s.canvas.Font().SetColor(clRed);
    s.canvas.TextOut(3, 4, "Wg");
    s.canvas.ReleasePainter();
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 80; ++x)
            ASSERT_NE(s.At(x, y), qRgb(0, 0, 255)) << x << "," << y;
}

TEST(CanvasPenMode, ModesMixThePenWithWhatIsThereBitByBit) {
    const uint32_t P = 0xC35A0F; // RGB of the pen
    const uint32_t D = 0x3C99F0; // RGB of the ground
    struct Case {
        TPenMode mode;
        uint32_t expected;
    };
    const Case cases[] = {
        {pmBlack, 0},
        {pmWhite, ~0u},
        {pmNop, D},
        {pmNot, ~D},
        {pmCopy, P},
        {pmNotCopy, ~P},
        {pmMergePenNot, P | ~D},
        {pmMaskPenNot, P & ~D},
        {pmMergeNotPen, ~P | D},
        {pmMaskNotPen, ~P & D},
        {pmMerge, P | D},
        {pmNotMerge, ~(P | D)},
        {pmMask, P & D},
        {pmNotMask, ~(P & D)},
        {pmXor, P ^ D},
        {pmNotXor, ~(P ^ D)},
    };
    for (const Case& c : cases) {
        Surface s(12, 12, 0xFF000000u | D);
        s.canvas.Pen().SetColor(RGBColor(0xC3, 0x5A, 0x0F));
        s.canvas.Pen().SetMode(c.mode);
        s.canvas.MoveTo(1, 5);
        s.canvas.LineTo(9, 5);
        EXPECT_EQ(s.At(4, 5), 0xFF000000u | (c.expected & 0xFFFFFFu)) << c.mode;
        EXPECT_EQ(s.At(9, 5), 0xFF000000u | D) << c.mode; // the last pixel stays out
        EXPECT_EQ(s.At(4, 6), 0xFF000000u | D) << c.mode;
    }
}

TEST(CanvasPenMode, XorShapesDrawnTwiceLeaveNoTraceAndTheModeEndsWithTheShape) {
    Surface s;
    s.canvas.Pen().SetColor(clRed);
    s.canvas.Brush().SetColor(clBlue);
    s.canvas.Pen().SetMode(pmXor);
    s.canvas.Rectangle(2, 2, 12, 10);
    EXPECT_EQ(s.At(2, 2), qRgb(0, 255, 255)); // red ^ white
    EXPECT_EQ(s.At(5, 5), qRgb(255, 255, 0)); // blue ^ white fills too
    s.canvas.Rectangle(2, 2, 12, 10);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x)
            ASSERT_EQ(s.At(x, y), White) << x << "," << y;
    // text and plain fills are not mixed
    s.canvas.FillRect(TRect{0, 0, 4, 4});
    EXPECT_EQ(s.At(1, 1), qRgb(0, 0, 255));
}

TEST(CanvasPenMode, AssignCopiesTheMode) {
    auto pen = MakeOwned<TPen>();
    auto other = MakeOwned<TPen>();
    int changes = 0;
    pen->OnChange = [&] { ++changes; };
    pen->SetMode(pmCopy); // unchanged
    EXPECT_EQ(changes, 0);
    other->SetMode(pmNotXor);
    pen->Assign(other.get());
    EXPECT_EQ(pen->Mode(), pmNotXor);
    EXPECT_EQ(changes, 1);
}
