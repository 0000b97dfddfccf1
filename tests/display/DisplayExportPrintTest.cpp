#include "display/KvDisplayExport.h"
#include "platform/Exceptions.h"

#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

namespace {

// Runs a poppler tool; its standard output, or nothing on failure.
std::optional<QByteArray> RunPoppler(const QString& ATool, const QStringList& AArguments) {
    const QString program = QStandardPaths::findExecutable(ATool);
    if (program.isEmpty()) {
        ADD_FAILURE() << ATool.toStdString() << " not found (poppler-utils)";
        return std::nullopt;
    }
    QProcess process;
    process.start(program, AArguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

// The single page of APdf, rasterised at ADpi.
QImage Rasterise(const QString& APdf, int ADpi) {
    const QString prefix = APdf + QStringLiteral(".page");
    if (!RunPoppler(QStringLiteral("pdftoppm"),
                    {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(ADpi),
                     QStringLiteral("-singlefile"), APdf, prefix}))
        return {};
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// A PDF printer on a 120 x 90 mm page with no margins, at 300 dpi.
void SetUpPdf(QPrinter& APrinter, const QString& AFileName) {
    APrinter.setOutputFormat(QPrinter::PdfFormat);
    APrinter.setOutputFileName(AFileName);
    APrinter.setResolution(300);
    APrinter.setFullPage(true);
    APrinter.setPageLayout(QPageLayout(QPageSize(QSizeF(120, 90), QPageSize::Millimeter),
                                       QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
}

constexpr QRgb Red = 0xFFE01010;
constexpr QRgb Green = 0xFF10C020;
constexpr QRgb Blue = 0xFF2020D0;

// The picture: the left quarter red; the rest green above a third of the
// height and blue below. Pixels keep 0 in their fourth byte.
QRgb PictureColour(int AX, int AY, QSize ASize) {
    if (AX * 4 < ASize.width())
        return Red;
    return AY * 3 < ASize.height() ? Green : Blue;
}

void DrawPicture(TGmBasicBitmap& ABitmap, QSize ASize) {
    for (int y = 0; y < ABitmap.Height(); ++y) {
        auto* row = reinterpret_cast<uint32_t*>(ABitmap.DataPtr() +
                                                static_cast<ptrdiff_t>(y) * ABitmap.RowStride());
        for (int x = 0; x < ABitmap.Width(); ++x)
            row[x] = PictureColour(x, y, ASize) & 0x00FFFFFF;
    }
}

bool Near(QRgb AActual, QRgb AExpected) {
    return std::abs(qRed(AActual) - qRed(AExpected)) <= 3 &&
           std::abs(qGreen(AActual) - qGreen(AExpected)) <= 3 &&
           std::abs(qBlue(AActual) - qBlue(AExpected)) <= 3;
}

TEST(DisplayExportPrint, PageShowsThePictureStretchedOverTheWholePage) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdf(printer, pdf);

    QSize rendered;
    int format = -1;
    KvPrintPage(printer, QStringLiteral("Waterfall print"),
                [&](TGmBasicBitmap& ABitmap, QSize APrintSize) {
                    rendered = APrintSize;
                    format = ABitmap.PixelFormat();
                    ASSERT_EQ(QSize(ABitmap.Width(), ABitmap.Height()), APrintSize);
                    DrawPicture(ABitmap, APrintSize);
                });
    EXPECT_EQ(format, pf32bit);
    // 120 x 90 mm at 300 dpi is 1417 x 1063 printer pixels; at 96 screen dpi
    // that stands for 453 x 340 pixels
    EXPECT_EQ(QSize(printer.width(), printer.height()), QSize(1417, 1063));
    EXPECT_EQ(rendered, QSize(453, 340));

    EXPECT_TRUE(RunPoppler(QStringLiteral("pdfinfo"), {pdf})
                    .value_or(QByteArray())
                    .contains("Waterfall print"));

    // at 60 dpi the page is 283.5 x 212.6 pixels
    const QImage page = Rasterise(pdf, 60);
    ASSERT_NEAR(page.width(), 283.5, 1.0);
    ASSERT_NEAR(page.height(), 212.6, 1.0);
    const int w = page.width();
    const int h = page.height();
    // inside each area, including right up to the page's corners
    const struct {
        int X, Y;
        QRgb Colour;
    } samples[] = {{1, 1, Red},
                   {w / 8, h / 2, Red},
                   {1, h - 2, Red},
                   {w / 2, h / 6, Green},
                   {w - 2, 1, Green},
                   {w - 2, h / 3 - 3, Green},
                   {w / 2, h * 2 / 3, Blue},
                   {w - 2, h - 2, Blue},
                   {w / 4 + 3, h - 2, Blue}};
    for (const auto& s : samples) {
        EXPECT_TRUE(Near(page.pixel(s.X, s.Y), s.Colour))
            << s.X << "," << s.Y << ": " << std::hex << page.pixel(s.X, s.Y) << " expected "
            << s.Colour;
    }
    // the edges of the areas lie where the page scale puts them
    int redEnd = 0;
    while (redEnd < w && Near(page.pixel(redEnd, h / 6), Red))
        ++redEnd;
    EXPECT_NEAR(redEnd, w / 4.0, 1.5);
    int greenEnd = 0;
    while (greenEnd < h && Near(page.pixel(w / 2, greenEnd), Green))
        ++greenEnd;
    EXPECT_NEAR(greenEnd, h / 3.0, 1.5);
}

TEST(DisplayExportPrint, ThrowingRenderStillEndsTheJob) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("failed.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdf(printer, pdf);
    EXPECT_THROW(
        KvPrintPage(printer, QStringLiteral("Failing"),
                    [](TGmBasicBitmap&, QSize) { throw std::runtime_error("render failed"); }),
        std::runtime_error);
    EXPECT_NE(printer.printerState(), QPrinter::Active);
    if (QFile::exists(pdf)) {
        EXPECT_TRUE(RunPoppler(QStringLiteral("pdfinfo"), {pdf}))
            << "the file left must be a closed PDF";
    }

    // the printer takes the next job
    bool rendered = false;
    KvPrintPage(printer, QStringLiteral("Again"), [&](TGmBasicBitmap&, QSize) { rendered = true; });
    EXPECT_TRUE(rendered);
    EXPECT_TRUE(RunPoppler(QStringLiteral("pdfinfo"), {pdf}));
}

TEST(DisplayExportPrint, JobThatCannotStartRaisesWithoutRendering) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("missing/page.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdf(printer, pdf);
    bool rendered = false;
    try {
        KvPrintPage(printer, QStringLiteral("Nowhere"),
                    [&](TGmBasicBitmap&, QSize) { rendered = true; });
        ADD_FAILURE() << "an output file that cannot be created must raise";
    } catch (const Exception& e) {
        EXPECT_TRUE(e.Message().contains(pdf)) << e.what();
    }
    EXPECT_FALSE(rendered);
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace
