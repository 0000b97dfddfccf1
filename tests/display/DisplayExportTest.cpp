#include "display/KvDisplayExport.h"
#include "platform/Exceptions.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>

namespace {

struct TRgb {
    int R, G, B;
};

// Writes AColour(x, y) into every pixel, blue first; 32-bit pixels keep 0 in
// their fourth byte, as the display's renderers leave it.
void Fill(TGmBasicBitmap& ABitmap, const std::function<TRgb(int, int)>& AColour) {
    const int bytes = ABitmap.PixelFormat() == pf32bit ? 4 : 3;
    for (int y = 0; y < ABitmap.Height(); ++y) {
        uint8_t* p = ABitmap.DataPtr() + static_cast<ptrdiff_t>(y) * ABitmap.RowStride();
        for (int x = 0; x < ABitmap.Width(); ++x, p += bytes) {
            const TRgb c = AColour(x, y);
            p[0] = static_cast<uint8_t>(c.B);
            p[1] = static_cast<uint8_t>(c.G);
            p[2] = static_cast<uint8_t>(c.R);
            if (bytes == 4)
                p[3] = 0;
        }
    }
}

TRgb PixelAt(const TGmBasicBitmap& ABitmap, int AX, int AY) {
    const int bytes = ABitmap.PixelFormat() == pf32bit ? 4 : 3;
    const uint8_t* p =
        ABitmap.DataPtr() + static_cast<ptrdiff_t>(AY) * ABitmap.RowStride() + AX * bytes;
    return {p[2], p[1], p[0]};
}

std::unique_ptr<TGmBasicBitmap> MakeBitmap(int AWidth, int AHeight, TPixelFormat AFormat) {
    auto bitmap = std::make_unique<TGmBasicBitmap>();
    bitmap->SetPixelFormat(AFormat);
    bitmap->SetSize(AWidth, AHeight);
    return bitmap;
}

TRgb Smooth(int AX, int AY) {
    return {AX * 2 % 256, AY * 3 % 256, (AX + AY) % 256};
}

struct TDecoded {
    int Width = 0;
    int Height = 0;
    int Components = 0;
    std::vector<uint8_t> Samples;
};

struct TDecodeError {
    jpeg_error_mgr Pub;
    std::jmp_buf Jump;
};

void DecodeErrorExit(j_common_ptr AInfo) {
    std::longjmp(reinterpret_cast<TDecodeError*>(AInfo->err)->Jump, 1);
}

// Decodes AData with libjpeg; false when libjpeg rejects it.
bool DecodeJpeg(const QByteArray& AData, TDecoded& AOut) {
    jpeg_decompress_struct info{};
    TDecodeError error{};
    info.err = jpeg_std_error(&error.Pub);
    error.Pub.error_exit = DecodeErrorExit;
    if (setjmp(error.Jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(AData.constData()),
                 static_cast<unsigned long>(AData.size()));
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    AOut.Width = static_cast<int>(info.output_width);
    AOut.Height = static_cast<int>(info.output_height);
    AOut.Components = info.output_components;
    AOut.Samples.resize(static_cast<size_t>(AOut.Width) * static_cast<size_t>(AOut.Height) *
                        static_cast<size_t>(AOut.Components));
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = AOut.Samples.data() + static_cast<size_t>(info.output_scanline) *
                                                 static_cast<size_t>(AOut.Width) *
                                                 static_cast<size_t>(AOut.Components);
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

// The reference encoding: libjpeg's defaults on the bitmap's red, green, blue.
QByteArray EncodeWithDefaults(const TGmBasicBitmap& ABitmap) {
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(ABitmap.Width());
    info.image_height = static_cast<JDIMENSION>(ABitmap.Height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(ABitmap.Width()) * 3);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < ABitmap.Width(); ++x) {
            const TRgb c = PixelAt(ABitmap, x, static_cast<int>(info.next_scanline));
            row[3 * static_cast<size_t>(x)] = static_cast<JSAMPLE>(c.R);
            row[3 * static_cast<size_t>(x) + 1] = static_cast<JSAMPLE>(c.G);
            row[3 * static_cast<size_t>(x) + 2] = static_cast<JSAMPLE>(c.B);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray result(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return result;
}

QByteArray ReadAll(const QString& AFileName) {
    QFile file(AFileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(DisplayExportJpeg, DecodesCloseToTheBitmapInBothPixelFormats) {
    QTemporaryDir dir;
    for (const TPixelFormat format : {pf32bit, pf24bit}) {
        auto bitmap = MakeBitmap(97, 61, format);
        Fill(*bitmap, Smooth);
        const QString name = dir.filePath(QStringLiteral("smooth.jpg"));
        KvSaveBitmapToJpeg(*bitmap, name);

        TDecoded decoded;
        ASSERT_TRUE(DecodeJpeg(ReadAll(name), decoded));
        ASSERT_EQ(decoded.Width, 97);
        ASSERT_EQ(decoded.Height, 61);
        ASSERT_EQ(decoded.Components, 3);
        double error[3] = {0, 0, 0};
        for (int y = 0; y < 61; ++y)
            for (int x = 0; x < 97; ++x) {
                const TRgb c = PixelAt(*bitmap, x, y);
                const uint8_t* d = decoded.Samples.data() +
                                   (static_cast<size_t>(y) * 97 + static_cast<size_t>(x)) * 3;
                error[0] += std::abs(d[0] - c.R);
                error[1] += std::abs(d[1] - c.G);
                error[2] += std::abs(d[2] - c.B);
            }
        for (const double e : error)
            EXPECT_LT(e / (97.0 * 61.0), 3.0) << (format == pf32bit ? "32-bit" : "24-bit");
    }
}

TEST(DisplayExportJpeg, FileIsLibjpegDefaultEncodingAcrossManyOutputBuffers) {
    // a noisy picture makes the file far larger than one output buffer
    auto bitmap = MakeBitmap(800, 600, pf32bit);
    uint32_t seed = 12345;
    Fill(*bitmap, [&seed](int, int) {
        seed = seed * 1664525u + 1013904223u;
        return TRgb{static_cast<int>(seed >> 24), static_cast<int>((seed >> 16) & 0xFF),
                    static_cast<int>((seed >> 8) & 0xFF)};
    });
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("noise.jpg"));
    KvSaveBitmapToJpeg(*bitmap, name);
    const QByteArray written = ReadAll(name);
    EXPECT_GT(written.size(), 3 * 64 * 1024);
    EXPECT_TRUE(written == EncodeWithDefaults(*bitmap));
}

template <class E>
void ExpectSaveRaisesNaming(const TGmBasicBitmap& ABitmap, const QString& AFileName) {
    try {
        KvSaveBitmapToJpeg(ABitmap, AFileName);
        ADD_FAILURE() << "no exception saving " << AFileName.toStdString();
    } catch (const E& e) {
        EXPECT_TRUE(e.Message().contains(AFileName)) << e.what();
    }
}

TEST(DisplayExportJpeg, FailuresRaiseNameTheFileAndLeaveNoFile) {
    QTemporaryDir dir;
    auto bitmap = MakeBitmap(8, 8, pf32bit);
    Fill(*bitmap, Smooth);

    ExpectSaveRaisesNaming<EFCreateError>(*bitmap,
                                          dir.filePath(QStringLiteral("missing/picture.jpg")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("missing"))));
    // a file where the directory should be; fails for any user, root included
    QFile blocker(dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ExpectSaveRaisesNaming<EFCreateError>(*bitmap,
                                          dir.filePath(QStringLiteral("blocker/picture.jpg")));

    // libjpeg refuses an empty picture after the file was opened: the old
    // file stays and no temporary file is left beside it
    const QString existing = dir.filePath(QStringLiteral("existing.jpg"));
    KvSaveBitmapToJpeg(*bitmap, existing);
    const QByteArray before = ReadAll(existing);
    ExpectSaveRaisesNaming<EWriteError>(*MakeBitmap(0, 0, pf32bit), existing);
    EXPECT_TRUE(ReadAll(existing) == before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("blocker"), QStringLiteral("existing.jpg")}));
}

TEST(DisplayExportClipboard, ImageIsTheBitmapExactlyAndOpaque) {
    for (const TPixelFormat format : {pf32bit, pf24bit}) {
        auto bitmap = MakeBitmap(23, 17, format);
        Fill(*bitmap, [](int x, int y) { return TRgb{x * 11, y * 15, (x * y) % 256}; });
        KvCopyBitmapToClipboard(*bitmap);
        const QImage image =
            QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), QSize(23, 17));
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 23; ++x) {
                const TRgb c = PixelAt(*bitmap, x, y);
                ASSERT_EQ(image.pixel(x, y), qRgba(c.R, c.G, c.B, 255)) << x << "," << y;
            }
    }
    // an empty picture leaves nothing stale behind
    KvCopyBitmapToClipboard(*MakeBitmap(0, 0, pf32bit));
    EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());
}

TEST(DisplayExportPrintSize, EachDirectionScalesByItsOwnResolutions) {
    // truncated: 4960 * 96 / 600 = 793.6, 7016 * 96 / 300 = 2245.12
    EXPECT_EQ(KvPrintSize(4960, 7016, 96, 96, 600, 300), QSize(793, 2245));
    EXPECT_EQ(KvPrintSize(4960, 7016, 96, 120, 600, 600), QSize(793, 1403));
    // no resolution known counts as 96 dpi
    EXPECT_EQ(KvPrintSize(1200, 900, 0, 96, 300, -1), QSize(384, 900));
    // the products exceed 32 bits
    EXPECT_EQ(KvPrintSize(2000000, 1000000, 2400, 2400, 1200, 2400), QSize(4000000, 1000000));
}

TEST(DisplayExportDialogs, QtNameFiltersAndSuffixesFromPairs) {
    const QStringList filters = KvDialogNameFilters(
        QStringLiteral("Bitmap (*.bmp)|*.bmp|JPEG File Interchange Format (*.jpg)|*.jpg"));
    EXPECT_EQ(filters, (QStringList{QStringLiteral("Bitmap (*.bmp)"),
                                    QStringLiteral("JPEG File Interchange Format (*.jpg)")}));
    EXPECT_EQ(KvDialogNameFilters(QStringLiteral("Images|*.jpg;*.jpeg|All|*.*")),
              (QStringList{QStringLiteral("Images (*.jpg *.jpeg)"), QStringLiteral("All (*.*)")}));
    EXPECT_EQ(KvDialogSuffix(filters[1], QStringLiteral("bmp")), QStringLiteral("jpg"));
    EXPECT_EQ(KvDialogSuffix(QStringLiteral("All (*.*)"), QStringLiteral("bmp")),
              QStringLiteral("bmp"));
}

} // namespace
