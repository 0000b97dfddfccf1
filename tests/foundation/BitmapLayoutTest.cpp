#include "BitmapTestSupport.h"

#include "platform/Exceptions.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

TEST(BitmapLayout, RowStrideFollowsFormatAndWidth) {
    for (int32_t width : {1, 2, 3, 4, 5, 6, 7, 8, 13}) {
        TGmBasicBitmap b24(width, 3);
        EXPECT_EQ(b24.RowStride(), ExpectedStride(width, 3)) << width;
        EXPECT_EQ(b24.BitmapInfo().biSizeImage, static_cast<uint32_t>(ExpectedStride(width, 3) * 3))
            << width;
        TGmBasicBitmap b32;
        b32.SetPixelFormat(pf32bit);
        b32.SetSize(width, 3);
        EXPECT_EQ(b32.RowStride(), 4 * width) << width;
        EXPECT_EQ(b32.BitmapInfo().biSizeImage, static_cast<uint32_t>(12 * width)) << width;
    }
    // the widths worked out by hand
    EXPECT_EQ(TGmBasicBitmap(3, 1).RowStride(), 12);
    EXPECT_EQ(TGmBasicBitmap(4, 1).RowStride(), 12);
    EXPECT_EQ(TGmBasicBitmap(5, 1).RowStride(), 16);
    EXPECT_EQ(TGmBasicBitmap::RowStride(3, pf32bit), 12);
}

TEST(BitmapLayout, CanvasDrawsIntoTheAddressedRows) {
    // a pixel set through the canvas lands where the row layout says, for both formats
    for (TPixelFormat format : {pf24bit, pf32bit}) {
        TGmBasicBitmap bitmap;
        bitmap.SetPixelFormat(format);
        bitmap.SetSize(5, 4);
        bitmap.Canvas().SetPixel(3, 2, RGBColor(0x11, 0x22, 0x33));
        bitmap.Canvas().SetPixel(4, 3, clRed);
        EXPECT_EQ(ColorAt(bitmap, 3, 2), RGBColor(0x11, 0x22, 0x33));
        EXPECT_EQ(ColorAt(bitmap, 4, 3), clRed);
        EXPECT_EQ(ColorAt(bitmap, 0, 0), clBlack) << "new pixels start black";
        // and raw writes are what the canvas reads
        PutColor(bitmap, 1, 1, clLime);
        EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), clLime);
    }
}

TEST(BitmapLayout, PixelFormatIs24Or32Bits) {
    TGmBasicBitmap bitmap;
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    EXPECT_EQ(bitmap.BitmapInfo().biBitCount, 24);
    bitmap.SetPixelFormat(pf32bit);
    EXPECT_EQ(bitmap.PixelFormat(), pf32bit);
    EXPECT_EQ(bitmap.BitmapInfo().biBitCount, 32);
    for (TPixelFormat other : {pf8bit, pf1bit, pf16bit, pfDevice, pfCustom}) {
        bitmap.SetPixelFormat(pf32bit);
        bitmap.SetPixelFormat(other);
        EXPECT_EQ(bitmap.PixelFormat(), pf24bit) << other;
    }
}

TEST(BitmapLayout, NoMemoryUntilBothDimensionsAreSet) {
    TGmBasicBitmap bitmap;
    bitmap.SetWidth(10);
    EXPECT_EQ(bitmap.Width(), 10);
    EXPECT_EQ(bitmap.DataPtr(), nullptr);
    EXPECT_EQ(bitmap.GetDC(), nullptr);
    std::vector<uint8_t> buffer(64, 0xAB);
    bitmap.ToBuffer(buffer.data(), 32); // nothing to copy yet
    bitmap.FromBuffer(buffer.data(), 32);
    EXPECT_EQ(buffer, std::vector<uint8_t>(64, 0xAB));

    bitmap.SetHeight(2);
    ASSERT_NE(bitmap.DataPtr(), nullptr);
    EXPECT_NE(bitmap.GetDC(), nullptr);
    const TGmBitmapInfoHeader& info = bitmap.BitmapInfo();
    EXPECT_EQ(info.biSize, 40u);
    EXPECT_EQ(info.biWidth, 10);
    EXPECT_EQ(info.biHeight, -2);
    EXPECT_EQ(info.biPlanes, 1);
    EXPECT_EQ(info.biCompression, 0u);
    EXPECT_EQ(info.biSizeImage, 64u);
}

TEST(BitmapLayout, SettingTheSameSizeKeepsThePixelMemory) {
    TGmBasicBitmap bitmap(4, 4);
    const uint8_t* before = bitmap.DataPtr();
    bitmap.SetSize(4, 4);
    bitmap.Resize(4, 4);
    bitmap.SetWidth(4);
    bitmap.SetPixelFormat(pf24bit);
    EXPECT_EQ(bitmap.DataPtr(), before);
}

TEST(BitmapLayout, GrowingAndShrinkingKeepTheTopLeftPixels) {
    for (TPixelFormat format : {pf24bit, pf32bit}) {
        TGmBasicBitmap bitmap;
        bitmap.SetPixelFormat(format);
        bitmap.SetSize(5, 5);
        FillPattern(bitmap);
        bitmap.Resize(8, 8);
        for (int32_t y = 0; y < 8; ++y)
            for (int32_t x = 0; x < 8; ++x)
                EXPECT_EQ(ColorAt(bitmap, x, y), x < 5 && y < 5 ? PatternColor(x, y) : clBlack)
                    << x << "," << y;
        bitmap.SetHeight(3);
        bitmap.SetWidth(2);
        for (int32_t y = 0; y < 3; ++y)
            for (int32_t x = 0; x < 2; ++x)
                EXPECT_EQ(ColorAt(bitmap, x, y), PatternColor(x, y));
    }
}

TEST(BitmapLayout, ChangingTheFormatKeepsThePixelColours) {
    TGmBasicBitmap bitmap(5, 3);
    FillPattern(bitmap);
    bitmap.SetPixelFormat(pf32bit);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 5; ++x)
            EXPECT_EQ(ColorAt(bitmap, x, y), PatternColor(x, y));
    bitmap.SetPixelFormat(pf24bit);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 5; ++x)
            EXPECT_EQ(ColorAt(bitmap, x, y), PatternColor(x, y));
}

TEST(BitmapLayout, CanvasDrawsOnTheNewPixelsAfterAResize) {
    TGmBasicBitmap bitmap(4, 4);
    bitmap.Canvas().Brush().SetColor(clBlue);
    bitmap.Canvas().FillRect(Rect(0, 0, 4, 4)); // starts a painter on the old pixels
    bitmap.Resize(9, 6);
    bitmap.Canvas().Brush().SetColor(clRed);
    bitmap.Canvas().FillRect(Rect(6, 4, 9, 6));
    EXPECT_EQ(ColorAt(bitmap, 8, 5), clRed);
    EXPECT_EQ(ColorAt(bitmap, 3, 3), clBlue);
    EXPECT_EQ(ColorAt(bitmap, 5, 5), clBlack);
}

TEST(BitmapLayout, ZeroSizeAfterPixelsLeavesAnEmptyBitmap) {
    TGmBasicBitmap bitmap(4, 4);
    bitmap.SetHeight(0);
    EXPECT_EQ(bitmap.DataPtr(), nullptr);
    EXPECT_EQ(bitmap.BitmapInfo().biSizeImage, 0u);
    bitmap.SetHeight(2);
    ASSERT_NE(bitmap.DataPtr(), nullptr);
    EXPECT_EQ(ColorAt(bitmap, 3, 1), clBlack);
}

TEST(BitmapLayout, BadSizesRaiseAndChangeNothing) {
    TGmBasicBitmap bitmap(3, 3);
    FillPattern(bitmap);
    EXPECT_THROW(bitmap.SetWidth(-1), Exception);
    EXPECT_THROW(bitmap.SetSize(2, -5), Exception);
    // more pixel bytes than a bitmap file can describe
    bitmap.SetPixelFormat(pf32bit);
    try {
        bitmap.SetSize(40000, 40000);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot create device-independant bitmap"));
    }
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Height(), 3);
    EXPECT_EQ(ColorAt(bitmap, 2, 2), PatternColor(2, 2));
}

TEST(BitmapLayout, BuffersCopyRowsAtTheirOwnStep) {
    TGmBasicBitmap bitmap(3, 4); // 24-bit: rows of 9 bytes, stride 12
    constexpr int32_t step = 20;
    std::vector<uint8_t> source(step * 4, 0);
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t i = 0; i < 9; ++i)
            source[static_cast<size_t>(y * step + i)] = static_cast<uint8_t>(y * 16 + i + 1);
    bitmap.FromBuffer(source.data(), step);
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t i = 0; i < 9; ++i)
            EXPECT_EQ(bitmap.DataPtr()[y * 12 + i], y * 16 + i + 1);

    // bottom-up: the last buffer row receives the top row
    std::vector<uint8_t> dest(step * 4, 0xEE);
    bitmap.ToBuffer(dest.data() + 3 * step, -step);
    for (int32_t y = 0; y < 4; ++y) {
        for (int32_t i = 0; i < 9; ++i)
            EXPECT_EQ(dest[static_cast<size_t>((3 - y) * step + i)], y * 16 + i + 1);
        for (int32_t i = 9; i < step; ++i)
            EXPECT_EQ(dest[static_cast<size_t>((3 - y) * step + i)], 0xEE)
                << "beyond the row's bytes";
    }
    EXPECT_THROW(bitmap.ToBuffer(nullptr, 12), Exception);
    EXPECT_THROW(bitmap.FromBuffer(nullptr, 12), Exception);
}

TEST(BitmapLayout, ColourAndAlphaFillAllPixels) {
    const auto bitmap =
        TGmBasicBitmap::CreateSizeColorAlpha(3, 2, RGBColor(0x10, 0x20, 0x30), 0x80);
    ASSERT_EQ(bitmap->PixelFormat(), pf32bit);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x) {
            const uint8_t* p = PixelAt(*bitmap, x, y);
            EXPECT_EQ(p[0], 0x30); // blue
            EXPECT_EQ(p[1], 0x20);
            EXPECT_EQ(p[2], 0x10); // red
            EXPECT_EQ(p[3], 0x80);
        }
    // system colours are resolved
    const auto face = TGmBasicBitmap::CreateSizeColorAlpha(1, 1, clBtnFace, 0);
    EXPECT_EQ(ColorAt(*face, 0, 0), static_cast<TColor>(ColorToRGB(clBtnFace)));
}

TEST(BitmapLayout, CopyKeepsSizeFormatAndPixels) {
    for (TPixelFormat format : {pf24bit, pf32bit}) {
        TGmBasicBitmap source;
        source.SetPixelFormat(format);
        source.SetSize(3, 5);
        FillPattern(source);
        const auto copy = TGmBasicBitmap::CreateCopy(source);
        EXPECT_EQ(copy->PixelFormat(), format);
        EXPECT_EQ(copy->Width(), 3);
        EXPECT_EQ(copy->Height(), 5);
        EXPECT_NE(copy->DataPtr(), source.DataPtr());
        for (int32_t y = 0; y < 5; ++y)
            for (int32_t x = 0; x < 3; ++x)
                EXPECT_EQ(ColorAt(*copy, x, y), PatternColor(x, y));
    }
    const auto empty = TGmBasicBitmap::CreateCopy(TGmBasicBitmap());
    EXPECT_EQ(empty->DataPtr(), nullptr);
}

} // namespace

namespace {

TEST(BitmapLayout, CopiesOfTheCanvasImageDoNotTakeThePixelsAway) {
    for (TPixelFormat format : {pf24bit, pf32bit}) {
        auto bitmap = std::make_unique<TGmBasicBitmap>();
        bitmap->SetPixelFormat(format);
        bitmap->SetSize(6, 3);
        const uint8_t* pixels = bitmap->DataPtr();

        // a copy taken before the first painter, then one while a painter is active
        QImage before = *bitmap->Canvas().Image();
        bitmap->Canvas().SetPixel(1, 1, clRed);
        QImage during = *bitmap->Canvas().Image();
        bitmap->Canvas().SetPixel(2, 1, clLime);
        bitmap->Canvas().ReleasePainter();
        bitmap->Canvas().SetPixel(3, 1, clBlue);

        EXPECT_EQ(bitmap->DataPtr(), pixels) << "the bitmap keeps its memory";
        EXPECT_EQ(ColorAt(*bitmap, 1, 1), clRed) << format;
        EXPECT_EQ(ColorAt(*bitmap, 2, 1), clLime) << format;
        EXPECT_EQ(ColorAt(*bitmap, 3, 1), clBlue) << format;
        PutColor(*bitmap, 4, 2, clYellow);
        EXPECT_EQ(bitmap->Canvas().Pixel(4, 2), clYellow) << "raw writes are what the canvas sees";

        // drawing on a copy gives the copy pixels of its own
        {
            QPainter painter(&during);
            painter.fillRect(0, 0, 6, 3, Qt::white);
        }
        EXPECT_EQ(ColorAt(*bitmap, 1, 1), clRed) << format;

        // copies keep the pixels they wrap alive after a resize and after the bitmap
        bitmap->SetSize(2, 2);
        EXPECT_EQ(QColor(before.pixel(1, 1)), QColor(Qt::red));
        bitmap.reset();
        EXPECT_EQ(QColor(before.pixel(3, 1)), QColor(Qt::blue));
    }
}

} // namespace
