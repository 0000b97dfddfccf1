#include "BitmapTestSupport.h"

#include "platform/Exceptions.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

uint32_t U32(const QByteArray& AData, int AOffset) {
    const auto* p = reinterpret_cast<const uint8_t*>(AData.constData()) + AOffset;
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

int32_t I32(const QByteArray& AData, int AOffset) {
    return static_cast<int32_t>(U32(AData, AOffset));
}

uint16_t U16(const QByteArray& AData, int AOffset) {
    const auto* p = reinterpret_cast<const uint8_t*>(AData.constData()) + AOffset;
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

QByteArray SaveToBytes(const TGmBasicBitmap& ABitmap) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ABitmap.SaveToStream(buffer);
    return buffer.data();
}

// An independent reader of uncompressed 24- and 32-bit bitmap files: the
// colour of each pixel (0x00BBGGRR) and its fourth byte, rows in picture order.
struct TParsedBitmap {
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t BitCount = 0;
    std::vector<TColor> Colors;
    std::vector<uint8_t> Fourth;
};

TParsedBitmap ParseBitmapFile(const QByteArray& AData) {
    TParsedBitmap r;
    EXPECT_EQ(AData.left(2), QByteArray("BM"));
    EXPECT_EQ(U32(AData, 2), static_cast<uint32_t>(AData.size()));
    const uint32_t offset = U32(AData, 10);
    r.Width = I32(AData, 18);
    const int32_t height = I32(AData, 22);
    r.BitCount = U16(AData, 28);
    EXPECT_EQ(U32(AData, 30), 0u) << "uncompressed";
    const bool topDown = height < 0;
    r.Height = topDown ? -height : height;
    const int32_t bytes = r.BitCount / 8;
    const int32_t stride = (r.Width * bytes + 3) / 4 * 4;
    EXPECT_GE(AData.size(), static_cast<qsizetype>(offset) + qsizetype{stride} * r.Height);
    for (int32_t y = 0; y < r.Height; ++y) {
        const int32_t fileRow = topDown ? y : r.Height - 1 - y;
        for (int32_t x = 0; x < r.Width; ++x) {
            const auto* p = reinterpret_cast<const uint8_t*>(AData.constData()) + offset +
                            fileRow * stride + x * bytes;
            r.Colors.push_back(RGBColor(p[2], p[1], p[0]));
            r.Fourth.push_back(bytes == 4 ? p[3] : 0);
        }
    }
    return r;
}

TEST(BitmapFile, TwoByTwoFileHasTheDocumentedHeader) {
    TGmBasicBitmap bitmap;
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(2, 2);
    FillPattern(bitmap);
    const QByteArray data = SaveToBytes(bitmap);
    ASSERT_EQ(data.size(), 14 + 40 + 16);
    EXPECT_EQ(data.left(2), QByteArray("BM"));
    EXPECT_EQ(U32(data, 2), 70u);
    EXPECT_EQ(U32(data, 6), 0u);
    EXPECT_EQ(U32(data, 10), 54u);
    EXPECT_EQ(U32(data, 14), 40u);
    EXPECT_EQ(I32(data, 18), 2);
    EXPECT_EQ(I32(data, 22), -2);
    EXPECT_EQ(U16(data, 26), 1);
    EXPECT_EQ(U16(data, 28), 32);
    EXPECT_EQ(U32(data, 30), 0u);
    EXPECT_EQ(U32(data, 34), 16u);
    for (int offset : {38, 42, 46, 50})
        EXPECT_EQ(U32(data, offset), 0u) << offset;
    EXPECT_EQ(data.mid(54), QByteArray(reinterpret_cast<const char*>(bitmap.DataPtr()), 16));
}

TEST(BitmapFile, RowsAreWrittenWithTheirPadding) {
    TGmBasicBitmap bitmap(5, 3); // 15 bytes of pixels, stride 16
    FillPattern(bitmap);
    const QByteArray data = SaveToBytes(bitmap);
    ASSERT_EQ(data.size(), 54 + 48);
    EXPECT_EQ(U32(data, 34), 48u);
    EXPECT_EQ(data.mid(54), QByteArray(reinterpret_cast<const char*>(bitmap.DataPtr()), 48));
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(data[54 + row * 16 + 15], 0) << "padding byte of row " << row;
}

TEST(BitmapFile, EmptyBitmapWritesOnlyTheHeaders) {
    TGmBasicBitmap bitmap;
    bitmap.SetWidth(7);
    const QByteArray data = SaveToBytes(bitmap);
    ASSERT_EQ(data.size(), 54);
    EXPECT_EQ(U32(data, 2), 54u);
    EXPECT_EQ(I32(data, 18), 7);
    EXPECT_EQ(U32(data, 34), 0u);
}

TEST(BitmapFile, SavedFilesReadBackWithTheSamePixels) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Case {
        TPixelFormat Format;
        int32_t Width, Height;
    };
    for (const Case& c :
         {Case{pf24bit, 5, 3}, Case{pf32bit, 3, 4}, Case{pf24bit, 1, 1}, Case{pf32bit, 7, 2}}) {
        TGmBasicBitmap bitmap;
        bitmap.SetPixelFormat(c.Format);
        bitmap.SetSize(c.Width, c.Height);
        FillPattern(bitmap); // 32-bit pixels keep 0 in their fourth byte
        const QString name =
            dir.filePath(QStringLiteral("picture%1x%2.bmp").arg(c.Width).arg(c.Height));
        bitmap.SaveToFile(name);

        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const TParsedBitmap parsed = ParseBitmapFile(file.readAll());
        EXPECT_EQ(parsed.BitCount, c.Format == pf32bit ? 32 : 24);
        ASSERT_EQ(parsed.Width, c.Width);
        ASSERT_EQ(parsed.Height, c.Height);

        QImage image;
        ASSERT_TRUE(image.load(name, "BMP")) << name.toStdString();
        ASSERT_EQ(image.size(), QSize(c.Width, c.Height));
        for (int32_t y = 0; y < c.Height; ++y)
            for (int32_t x = 0; x < c.Width; ++x) {
                const TColor expected = PatternColor(x, y);
                EXPECT_EQ(parsed.Colors[static_cast<size_t>(y * c.Width + x)], expected)
                    << x << "," << y;
                const QRgb pixel = image.pixel(x, y);
                EXPECT_EQ(RGBColor(static_cast<uint8_t>(qRed(pixel)),
                                   static_cast<uint8_t>(qGreen(pixel)),
                                   static_cast<uint8_t>(qBlue(pixel))),
                          expected)
                    << x << "," << y;
                EXPECT_EQ(qAlpha(pixel), 255) << "Qt shows the pixels opaque";
            }
    }
}

TEST(BitmapFile, SavingReplacesAnExistingFile) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("again.bmp"));
    {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(500, 'x'));
    }
    TGmBasicBitmap bitmap(2, 2);
    bitmap.SaveToFile(name);
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), SaveToBytes(bitmap));
}

TEST(BitmapFile, UnwritablePathsRaiseAndLeaveNoFile) {
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("plain"));
    {
        QFile file(plain);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    TGmBasicBitmap bitmap(4, 4);
    const QString underFile = plain + QStringLiteral("/picture.bmp");
    const QString missingDir = dir.filePath(QStringLiteral("missing/picture.bmp"));
    for (const QString& name : {underFile, missingDir, dir.path()}) {
        try {
            bitmap.SaveToFile(name);
            ADD_FAILURE() << "no exception for " << name.toStdString();
        } catch (const EFCreateError& e) {
            EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Cannot create file \"") + name))
                << e.what();
        }
    }
    EXPECT_FALSE(QFile::exists(missingDir));
    // nothing was left behind beside the target either
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{QStringLiteral("plain")});
}

TEST(BitmapFile, StreamThatRefusesBytesRaises) {
    TGmBasicBitmap bitmap(2, 2);
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    EXPECT_THROW(bitmap.SaveToStream(readOnly), EWriteError);
}

TEST(BitmapFile, FrameworkBitmapRoundTrip) {
    TBitmap source(4, 3, pf32bit);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 4; ++x)
            source.Canvas().SetPixel(x, y, PatternColor(x, y));
    const auto bitmap = TGmBasicBitmap::CreateFromBitmap(source);
    EXPECT_EQ(bitmap->PixelFormat(), pf24bit);
    ASSERT_EQ(bitmap->Width(), 4);
    ASSERT_EQ(bitmap->Height(), 3);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 4; ++x)
            EXPECT_EQ(ColorAt(*bitmap, x, y), PatternColor(x, y));

    // 32-bit pixels with 0 in the fourth byte reach the framework bitmap opaque
    TGmBasicBitmap raw;
    raw.SetPixelFormat(pf32bit);
    raw.SetSize(3, 2);
    FillPattern(raw);
    TBitmap target(1, 1, pf32bit);
    raw.ToBitmap(target);
    ASSERT_EQ(target.Width(), 3);
    ASSERT_EQ(target.Height(), 2);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x) {
            EXPECT_EQ(target.Canvas().Pixel(x, y), PatternColor(x, y));
            EXPECT_EQ(target.ScanLine(y)[x * 4 + 3], 0xFF);
        }
    TBitmap sized;
    TGmBasicBitmap widthOnly;
    widthOnly.SetWidth(6);
    widthOnly.ToBitmap(sized);
    EXPECT_EQ(sized.Width(), 6);
    EXPECT_EQ(sized.Height(), 0);
}

TEST(BitmapFile, ImageForQtIsOpaque) {
    const auto bitmap = TGmBasicBitmap::CreateSizeColorAlpha(2, 2, clRed, 0);
    const QImage image = bitmap->ToImage();
    ASSERT_EQ(image.size(), QSize(2, 2));
    EXPECT_EQ(image.pixel(1, 1), qRgba(255, 0, 0, 255));
    EXPECT_NE(image.constBits(), bitmap->DataPtr()) << "a copy, so later drawing cannot reach it";
    TGmBasicBitmap b24(3, 1);
    PutColor(b24, 2, 0, clBlue);
    EXPECT_EQ(b24.ToImage().pixel(2, 0), qRgba(0, 0, 255, 255));
}

} // namespace
