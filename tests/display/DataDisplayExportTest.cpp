// The display's picture leaving the program: bitmap and JPEG files, the
// clipboard, a bitmap, a printed page, a graphics target and a host layer,
// each checked against the rule the test display draws by.

#include "DisplayFixture.h"

#include "foundation/HxCanvasImpl.h"
#include "platform/Bitmap.h"
#include "platform/Exceptions.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

// Decodes a JPEG file with libjpeg into 0x00RRGGBB pixels.
QImage DecodeJpeg(const QString& AFileName) {
    FILE* file = std::fopen(QFile::encodeName(AFileName).constData(), "rb");
    if (!file)
        return QImage();
    jpeg_decompress_struct info{};
    jpeg_error_mgr err{};
    info.err = jpeg_std_error(&err);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    QImage image(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                 QImage::Format_RGB32);
    std::vector<JSAMPLE> row(info.output_width * 3);
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(row[x * 3], row[x * 3 + 1], row[x * 3 + 2]));
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return image;
}

class DataDisplayExport : public DisplayFixture {
protected:
    void SetUp() override {
        DisplayFixture::SetUp();
        display->AddStandardViews();
        ASSERT_TRUE(dir.isValid());
    }

    QString Path(const QString& AName) const { return dir.filePath(AName); }

    // Every pixel of AImage (0x00RRGGBB) as the rule gives it.
    static void ExpectPicture(const QImage& AImage) {
        ASSERT_EQ(AImage.size(), QSize(450, 280));
        for (int y = 0; y < 280; ++y)
            for (int x = 0; x < 450; ++x)
                ASSERT_EQ(Rgb(AImage, x, y), Expected(x, y)) << x << "," << y;
    }

    // After a failed export the display still paints its picture.
    void ExpectStillPainting() {
        Show();
        display->InvalidateRefresh();
        const QImage image = Painted();
        EXPECT_EQ(Rgb(image, 200, 100), Expected(200, 100));
        EXPECT_EQ(Rgb(image, 10, 10), Expected(10, 10));
    }

    QTemporaryDir dir;
};

TEST_F(DataDisplayExport, BitmapFileHoldsTheRenderedPixelsExactly) {
    display->SaveToBitmap(Path("picture.bmp"));
    EXPECT_TRUE(display->LastPrinting);
    QFile file(Path("picture.bmp"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GE(bytes.size(), 54);
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    const uint32_t offset = qFromLittleEndian<uint32_t>(data + 10);
    EXPECT_EQ(qFromLittleEndian<int32_t>(data + 18), 450);
    const int32_t height = qFromLittleEndian<int32_t>(data + 22);
    EXPECT_EQ(std::abs(height), 280);
    ASSERT_EQ(qFromLittleEndian<uint16_t>(data + 28), 32);
    ASSERT_EQ(bytes.size(), qsizetype(offset + 450 * 280 * 4));
    QImage image(450, 280, QImage::Format_RGB32);
    for (int row = 0; row < 280; ++row) {
        const int y = height < 0 ? row : 279 - row;
        for (int x = 0; x < 450; ++x)
            image.setPixel(x, y, qFromLittleEndian<uint32_t>(data + offset + (row * 450 + x) * 4));
    }
    ExpectPicture(image);
}

TEST_F(DataDisplayExport, JpegFileDecodesCloseToTheRenderedPicture) {
    display->SaveToJpeg(Path("picture.jpg"));
    const QImage image = DecodeJpeg(Path("picture.jpg"));
    ASSERT_EQ(image.size(), QSize(450, 280));
    // Inside the data view the pattern is smooth away from its wrap at 256.
    double error[3] = {0, 0, 0};
    int count = 0;
    for (int y = 48; y < 242; ++y)
        for (int x = 58; x < 248; ++x) {
            const uint32_t want = Expected(x, y);
            const QRgb got = image.pixel(x, y);
            error[0] += std::abs(qRed(got) - int((want >> 16) & 0xFF));
            error[1] += std::abs(qGreen(got) - int((want >> 8) & 0xFF));
            error[2] += std::abs(qBlue(got) - int(want & 0xFF));
            ++count;
        }
    for (double e : error)
        EXPECT_LT(e / count, 2.0);
}

TEST_F(DataDisplayExport, ClipboardAndBitmapCopiesAreThePictureOpaque) {
    display->CopyToClipboard();
    const QImage clip = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(clip.isNull());
    EXPECT_EQ(qAlpha(clip.convertToFormat(QImage::Format_ARGB32).pixel(200, 100)), 0xFF);
    ExpectPicture(clip.convertToFormat(QImage::Format_RGB32));

    TBitmap bitmap;
    display->CopyToBitmap(bitmap);
    ExpectPicture(bitmap.Image().convertToFormat(QImage::Format_RGB32));
}

TEST_F(DataDisplayExport, FilesThatCannotBeWrittenRaiseAndLeaveNothing) {
    const QString bmp = Path("missing/picture.bmp");
    const QString jpg = Path("missing/picture.jpg");
    try {
        display->SaveToBitmap(bmp);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(bmp)) << e.what();
    }
    try {
        display->SaveToJpeg(jpg);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(jpg)) << e.what();
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    ExpectStillPainting();
}

TEST_F(DataDisplayExport, PrintedPageShowsThePictureLaidOutForThePage) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Path("page.pdf"));
    printer.setFullPage(true);
    display->Print(printer);
    EXPECT_FALSE(display->Printing());
    EXPECT_TRUE(display->LastPrinting);
    EXPECT_TRUE(display->RefreshPending());
    EXPECT_EQ(printer.printerState(), QPrinter::Idle);

    // The picture is rendered at the page's size in screen pixels.
    const QSize size = KvPrintSize(printer.width(), printer.height(), 96, 96, printer.logicalDpiX(),
                                   printer.logicalDpiY());
    const TSize plot = display->LastPlotSize;
    ASSERT_EQ(QSize(plot.cx, plot.cy), size);

#if defined(__SANITIZE_THREAD__)
    // ThreadSanitizer cannot start threads after this process forked, and
    // later tests start threads; the address-sanitizer run rasterises.
    GTEST_SKIP() << "page rasterised in the other sanitizer run";
#endif
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"),
                    QStringLiteral("-singlefile"), Path("page.pdf"), Path("page")});
    ASSERT_TRUE(pdftoppm.waitForFinished(60000));
    ASSERT_EQ(pdftoppm.exitCode(), 0) << pdftoppm.readAllStandardError().toStdString();
    const QImage page(Path("page.png"));
    ASSERT_FALSE(page.isNull());

    // Plot point (px, py) lands at the same fraction of the page.
    auto at = [&](int px, int py) {
        return page.pixel(int((px + 0.5) * page.width() / plot.cx),
                          int((py + 0.5) * page.height() / plot.cy));
    };
    auto near = [](QRgb AGot, uint32_t AWant) {
        return std::abs(qRed(AGot) - int((AWant >> 16) & 0xFF)) <= 12 &&
               std::abs(qGreen(AGot) - int((AWant >> 8) & 0xFF)) <= 12 &&
               std::abs(qBlue(AGot) - int(AWant & 0xFF)) <= 12;
    };
    EXPECT_TRUE(near(at(plot.cx / 2, 20), 0xFF0000));
    EXPECT_TRUE(near(at(25, plot.cy / 2), 0x00FF00));
    EXPECT_TRUE(near(at(plot.cx / 2, plot.cy - 15), 0x0000FF));
    EXPECT_TRUE(near(at(150, 450), TestPatternPixel(150, 450) & 0xFFFFFF))
        << std::hex << at(150, 450);
}

TEST_F(DataDisplayExport, APrintThatFailsStillEndsTheJobAndThePrintingState) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Path("failed.pdf"));
    display->FailDraw = true;
    EXPECT_THROW(display->Print(printer), Exception);
    EXPECT_FALSE(display->Printing());
    EXPECT_TRUE(display->NeedsRecalc());
    EXPECT_EQ(printer.printerState(), QPrinter::Idle);
    display->FailDraw = false;
    ExpectStillPainting();
    EXPECT_EQ(display->GetDataView()->DrawRect(), Rect(50, 40, 450, 250));
}

TEST_F(DataDisplayExport, GraphicsTargetsAndHostLayersGetTheWholePicture) {
    QImage target(200, 100, QImage::Format_RGB32);
    target.fill(Qt::gray);
    {
        QPainter painter(&target);
        TGPGraphics graphics(&painter);
        display->DrawToGraphics(graphics, 200, 100);
    }
    EXPECT_FALSE(display->Printing());
    EXPECT_EQ(display->LastPlotSize, (TSize{200, 100}));
    EXPECT_EQ(Rgb(target, 100, 10), 0xFF0000u);
    EXPECT_EQ(Rgb(target, 10, 60), 0x00FF00u);

    display->SetBounds(30, 20, 450, 280);
    QImage hostImage(600, 400, QImage::Format_RGB32);
    hostImage.fill(Qt::gray);
    TCanvas hostCanvas;
    hostCanvas.SetImage(&hostImage);
    {
        THxCanvasImpl canvas(hostCanvas);
        display->DoLayerDraw(&canvas, 450, 280, 1.0f, 1.0f, false);
    }
    hostCanvas.SetImage(nullptr);
    EXPECT_EQ(Rgb(hostImage, 29, 19), QColor(Qt::gray).rgb() & 0xFFFFFFu);
    EXPECT_EQ(Rgb(hostImage, 30, 20), 0xFF0000u);
    EXPECT_EQ(Rgb(hostImage, 30 + 200, 20 + 100), Expected(200, 100));
    EXPECT_TRUE(display->GetOperations().testFlag(dlmInvertAlpha));
}

} // namespace
