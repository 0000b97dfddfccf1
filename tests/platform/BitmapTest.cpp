#include "platform/Bitmap.h"
#include "platform/Exceptions.h"
#include "platform/ImageList.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>

namespace {

// Pixel (X, Y) of a bitmap as stored: blue, green, red bytes.
struct Bgr {
    uint8_t b, g, r;
    friend bool operator==(const Bgr&, const Bgr&) = default;
};

Bgr PixelAt(const TBitmap& ABitmap, int x, int y) {
    const uint8_t* p = ABitmap.ScanLine(y) + x * (ABitmap.PixelFormat() == pf32bit ? 4 : 3);
    return Bgr{p[0], p[1], p[2]};
}

} // namespace

TEST(Bitmap, RowsArePaddedToFourBytesWithBlueFirst) {
    const struct {
        TPixelFormat format;
        int width;
        int stride;
    } cases[] = {
        {pf24bit, 3, 12}, {pf32bit, 3, 12}, {pf24bit, 4, 12}, {pf24bit, 5, 16}, {pf24bit, 1, 4}};
    for (const auto& c : cases) {
        TBitmap bitmap(c.width, 2, c.format);
        EXPECT_EQ(bitmap.BytesPerLine(), c.stride) << c.width;
        EXPECT_EQ(bitmap.ScanLine(1) - bitmap.ScanLine(0), c.stride);
    }
    TBitmap bitmap(4, 3, pf24bit);
    bitmap.Canvas().SetPixel(2, 1, RGBColor(0x11, 0x22, 0x33));
    bitmap.Canvas().ReleasePainter();
    EXPECT_EQ(PixelAt(bitmap, 2, 1), (Bgr{0x33, 0x22, 0x11}));
    TBitmap wide(4, 3, pf32bit);
    wide.Canvas().SetPixel(2, 1, RGBColor(0x11, 0x22, 0x33));
    EXPECT_EQ(PixelAt(wide, 2, 1), (Bgr{0x33, 0x22, 0x11}));
}

TEST(Bitmap, ScanLinesAndCanvasShareThePixels) {
    TBitmap bitmap(8, 8);
    bitmap.Canvas().Brush().SetColor(clRed);
    bitmap.Canvas().FillRect(Rect(0, 0, 8, 8));
    uint8_t* row = bitmap.ScanLine(3);
    row[4 * 5 + 0] = 0xFF; // blue
    row[4 * 5 + 2] = 0x00; // no red
    EXPECT_EQ(bitmap.Canvas().Pixel(5, 3), clBlue);
    bitmap.Canvas().SetPixel(6, 3, clLime);
    EXPECT_EQ(PixelAt(bitmap, 6, 3), (Bgr{0, 0xFF, 0}));
    EXPECT_THROW(bitmap.ScanLine(8), Exception);
    EXPECT_THROW(bitmap.ScanLine(-1), Exception);
}

TEST(Bitmap, GrowingKeepsTheOldPixelsTopLeftAndWhitensTheRest) {
    for (TPixelFormat format : {pf24bit, pf32bit}) {
        TBitmap bitmap(5, 5, format);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x)
                bitmap.Canvas().SetPixel(x, y, RGBColor(uint8_t(10 * x), uint8_t(10 * y), 7));
        bitmap.SetSize(8, 8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const Bgr expected =
                    x < 5 && y < 5 ? Bgr{7, uint8_t(10 * y), uint8_t(10 * x)} : Bgr{255, 255, 255};
                EXPECT_EQ(PixelAt(bitmap, x, y), expected) << x << "," << y;
            }
        bitmap.Canvas().Brush().SetColor(clBlack);
        bitmap.Canvas().FillRect(Rect(0, 0, 8, 8)); // the canvas follows the new pixels
        EXPECT_EQ(PixelAt(bitmap, 7, 7), (Bgr{0, 0, 0}));
    }
}

TEST(Bitmap, EmptyUntilBothSidesAreSetAndBadSizesRaise) {
    TBitmap bitmap;
    bitmap.SetWidth(10);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Width(), 10);
    EXPECT_EQ(bitmap.BytesPerLine(), 0);
    EXPECT_THROW(bitmap.Canvas().FillRect(Rect(0, 0, 1, 1)), Exception);
    bitmap.SetHeight(4);
    EXPECT_FALSE(bitmap.Empty());
    EXPECT_EQ(bitmap.Width(), 10);
    EXPECT_THROW(bitmap.SetSize(-1, 4), Exception);
    EXPECT_THROW(bitmap.SetSize(100000, 100000), EOutOfResources);
    EXPECT_EQ(bitmap.Width(), 10) << "a refused size changes nothing";
}

TEST(Bitmap, FormatChangeConvertsThePixels) {
    TBitmap bitmap(3, 2, pf32bit);
    bitmap.Canvas().SetPixel(1, 1, RGBColor(1, 2, 3));
    bitmap.SetPixelFormat(pf24bit);
    EXPECT_EQ(bitmap.BytesPerLine(), 12);
    EXPECT_EQ(PixelAt(bitmap, 1, 1), (Bgr{3, 2, 1}));
}

TEST(Bitmap, PixelsWithAZeroFourthByteShowOpaque) {
    TBitmap bitmap(2, 1);
    auto* p = reinterpret_cast<uint32_t*>(bitmap.ScanLine(0));
    p[0] = 0x00112233; // as raw pixel writers leave them
    p[1] = 0x00445566;
    QImage screen(2, 1, QImage::Format_ARGB32_Premultiplied);
    screen.fill(Qt::transparent);
    TCanvas canvas;
    canvas.SetImage(&screen);
    canvas.Draw(0, 0, bitmap.Image());
    canvas.ReleasePainter();
    EXPECT_EQ(screen.pixel(0, 0), qRgba(0x11, 0x22, 0x33, 0xFF));
    EXPECT_EQ(screen.pixel(1, 0), qRgba(0x44, 0x55, 0x66, 0xFF));

    QTemporaryDir dir;
    const QString file = dir.filePath("x.png");
    bitmap.SaveToFile(file);
    QImage saved(file);
    EXPECT_EQ(saved.pixel(0, 0), qRgba(0x11, 0x22, 0x33, 0xFF));
}

TEST(Bitmap, FilesRoundTripAndMissingOnesRaise) {
    QTemporaryDir dir;
    TBitmap bitmap(3, 2, pf24bit);
    bitmap.Canvas().SetPixel(2, 1, RGBColor(9, 8, 7));
    bitmap.SaveToFile(dir.filePath("a.bmp"));
    TBitmap loaded;
    loaded.LoadFromFile(dir.filePath("a.bmp"));
    EXPECT_EQ(loaded.Width(), 3);
    EXPECT_EQ(loaded.PixelFormat(), pf32bit);
    EXPECT_EQ(loaded.Canvas().Pixel(2, 1), RGBColor(9, 8, 7));
    EXPECT_THROW(loaded.LoadFromFile(dir.filePath("none.bmp")), EFOpenError);
    QFile junk(dir.filePath("junk.bmp"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not an image");
    junk.close();
    EXPECT_THROW(loaded.LoadFromFile(junk.fileName()), EReadError);
    EXPECT_THROW(bitmap.SaveToFile(dir.filePath("no/such/dir/b.bmp")), EFOpenError);
}

TEST(ImageList, StripsSplitIntoImagesAndTheMaskColourIsTransparent) {
    // three 4x3 images side by side: red, green, blue, each with a fuchsia corner
    QImage strip(12, 3, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    for (int i = 0; i < 3; ++i)
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                strip.setPixel(4 * i + x, y, x == 0 && y == 0 ? qRgb(255, 0, 255) : colours[i]);
    TImageList list(4, 3);
    EXPECT_EQ(list.AddMasked(strip, clFuchsia), 0);
    EXPECT_EQ(list.Count(), 3);

    QImage target(20, 10, QImage::Format_RGB32);
    target.fill(Qt::white);
    TCanvas canvas;
    canvas.SetImage(&target);
    list.Draw(canvas, 2, 1, 1);
    list.Draw(canvas, 10, 1, 7); // no such image: nothing
    canvas.ReleasePainter();
    EXPECT_EQ(target.pixel(2, 1), qRgb(255, 255, 255)) << "masked corner";
    EXPECT_EQ(target.pixel(3, 1), colours[1]);
    EXPECT_EQ(target.pixel(5, 3), colours[1]);
    EXPECT_EQ(target.pixel(6, 3), qRgb(255, 255, 255)) << "right of the image";
    EXPECT_EQ(target.pixel(11, 2), qRgb(255, 255, 255));

    TBitmap bitmap;
    EXPECT_TRUE(list.GetBitmap(2, bitmap));
    EXPECT_EQ(bitmap.Width(), 4);
    EXPECT_EQ(bitmap.Canvas().Pixel(3, 2), clBlue);
    EXPECT_FALSE(list.GetBitmap(3, bitmap));
}

TEST(ImageList, ReplaceDisabledDrawingAndBadIndexes) {
    TImageList list(2, 2);
    QImage black(2, 2, QImage::Format_RGB32);
    black.fill(Qt::black);
    list.Add(black);
    QImage red(2, 2, QImage::Format_RGB32);
    red.fill(Qt::red);
    list.ReplaceMasked(0, red, clDefault); // bottom-left pixel's colour: all masked
    EXPECT_EQ(qAlpha(list.Image(0).pixel(1, 1)), 0);
    EXPECT_THROW(list.ReplaceMasked(1, red, clNone), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);

    list.ReplaceMasked(0, black, clNone);
    QImage target(2, 2, QImage::Format_RGB32);
    TCanvas canvas;
    canvas.SetImage(&target);
    list.Draw(canvas, 0, 0, 0, false);
    canvas.ReleasePainter();
    EXPECT_EQ(target.pixel(0, 0), qRgb(127, 127, 127)) << "greyed half way to white";
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_THROW(TImageList(0, 4), Exception);
}
