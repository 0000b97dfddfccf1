#include "display/KvDisplayExport.h"

#include "platform/Exceptions.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QThread>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <vector>

// jpeglib.h needs FILE and size_t declared first
#include <jerror.h>
#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors through error_exit, which must not return;
// we jump back to the encoder's frame, since unwinding C++ exceptions through
// libjpeg's C frames is not safe.
struct TJpegError {
    jpeg_error_mgr Pub;
    std::jmp_buf Jump;
};

void JpegErrorExit(j_common_ptr AInfo) {
    std::longjmp(reinterpret_cast<TJpegError*>(AInfo->err)->Jump, 1);
}

// Warnings would otherwise go to stderr.
void JpegOutputMessage(j_common_ptr) {}

struct TJpegDestination {
    jpeg_destination_mgr Pub;
    QIODevice* Device;
    JOCTET* Buffer;
    size_t Size;
};

TJpegDestination& Destination(j_compress_ptr AInfo) {
    return *reinterpret_cast<TJpegDestination*>(AInfo->dest);
}

void JpegInitDestination(j_compress_ptr AInfo) {
    TJpegDestination& dest = Destination(AInfo);
    dest.Pub.next_output_byte = dest.Buffer;
    dest.Pub.free_in_buffer = dest.Size;
}

// Called with the buffer full, whatever free_in_buffer says.
boolean JpegEmptyOutputBuffer(j_compress_ptr AInfo) {
    TJpegDestination& dest = Destination(AInfo);
    const auto bytes = static_cast<qint64>(dest.Size);
    if (dest.Device->write(reinterpret_cast<const char*>(dest.Buffer), bytes) != bytes)
        ERREXIT(AInfo, JERR_FILE_WRITE);
    JpegInitDestination(AInfo);
    return TRUE;
}

void JpegTermDestination(j_compress_ptr AInfo) {
    TJpegDestination& dest = Destination(AInfo);
    const auto bytes = static_cast<qint64>(dest.Size - dest.Pub.free_in_buffer);
    if (bytes > 0 && dest.Device->write(reinterpret_cast<const char*>(dest.Buffer), bytes) != bytes)
        ERREXIT(AInfo, JERR_FILE_WRITE);
}

// Encodes ABitmap into ADest's device. Only trivially destructible objects
// live in this frame, so the jump back from an error skips no destructor.
// On failure AMessage holds libjpeg's text.
bool EncodeJpeg(jpeg_compress_struct& AInfo, TJpegError& AError, TJpegDestination& ADest,
                const TGmBasicBitmap& ABitmap, JSAMPLE* ARow, char (&AMessage)[JMSG_LENGTH_MAX]) {
    AInfo.err = jpeg_std_error(&AError.Pub);
    AError.Pub.error_exit = JpegErrorExit;
    AError.Pub.output_message = JpegOutputMessage;
    if (setjmp(AError.Jump)) {
        (*AInfo.err->format_message)(reinterpret_cast<j_common_ptr>(&AInfo), AMessage);
        jpeg_destroy_compress(&AInfo);
        return false;
    }
    jpeg_create_compress(&AInfo);
    AInfo.dest = &ADest.Pub;
    AInfo.image_width = static_cast<JDIMENSION>(ABitmap.Width());
    AInfo.image_height = static_cast<JDIMENSION>(ABitmap.Height());
    AInfo.input_components = 3;
    AInfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&AInfo);
    jpeg_start_compress(&AInfo, TRUE);

    const int32_t pixelBytes = ABitmap.PixelFormat() == pf32bit ? 4 : 3;
    const int32_t width = ABitmap.Width();
    while (AInfo.next_scanline < AInfo.image_height) {
        // the bitmap holds blue, green, red; JPEG takes red first
        const uint8_t* source =
            ABitmap.DataPtr() + static_cast<ptrdiff_t>(AInfo.next_scanline) * ABitmap.RowStride();
        for (int32_t x = 0; x < width; ++x, source += pixelBytes) {
            ARow[3 * x] = source[2];
            ARow[3 * x + 1] = source[1];
            ARow[3 * x + 2] = source[0];
        }
        JSAMPROW rows[1] = {ARow};
        jpeg_write_scanlines(&AInfo, rows, 1);
    }
    jpeg_finish_compress(&AInfo);
    jpeg_destroy_compress(&AInfo);
    return true;
}

class TKvQtDisplayDialogs final : public IKvDisplayDialogs {
public:
    bool ExecutePrintDialog(QPrinter& APrinter) override {
        QPrintDialog dialog(&APrinter, QApplication::activeWindow());
        return dialog.exec() == QDialog::Accepted;
    }

    bool ExecuteSaveDialog(const QString& AFilter, const QString& ADefaultExt,
                           QString& AFileName) override {
        QFileDialog dialog(QApplication::activeWindow());
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        const QStringList filters = KvDialogNameFilters(AFilter);
        if (!filters.isEmpty())
            dialog.setNameFilters(filters);
        dialog.setDefaultSuffix(KvDialogSuffix(filters.value(0), ADefaultExt));
        // a name typed without extension takes the one of the chosen type
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, ADefaultExt](const QString& AName) {
                             dialog.setDefaultSuffix(KvDialogSuffix(AName, ADefaultExt));
                         });
        if (!AFileName.isEmpty())
            dialog.selectFile(AFileName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        AFileName = dialog.selectedFiles().constFirst();
        return true;
    }
};

TKvQtDisplayDialogs& QtDialogs() {
    static TKvQtDisplayDialogs dialogs;
    return dialogs;
}

IKvDisplayDialogs* CurrentDialogs = nullptr;

} // namespace

void KvSaveBitmapToJpeg(const TGmBasicBitmap& ABitmap, const QString& AFileName) {
    // written beside the target and renamed over it once complete
    QSaveFile file(AFileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EFCreateError(
            QStringLiteral("Cannot create file \"%1\". %2").arg(AFileName, file.errorString()));

    std::vector<JOCTET> buffer(64 * 1024);
    TJpegDestination dest{};
    dest.Pub.init_destination = JpegInitDestination;
    dest.Pub.empty_output_buffer = JpegEmptyOutputBuffer;
    dest.Pub.term_destination = JpegTermDestination;
    dest.Device = &file;
    dest.Buffer = buffer.data();
    dest.Size = buffer.size();
    std::vector<JSAMPLE> row(static_cast<size_t>(std::max(ABitmap.Width(), 1)) * 3);
    jpeg_compress_struct info{};
    TJpegError error{};
    char message[JMSG_LENGTH_MAX] = {};
    if (!EncodeJpeg(info, error, dest, ABitmap, row.data(), message)) {
        file.cancelWriting();
        throw EWriteError(QStringLiteral("Cannot write file \"%1\". %2")
                              .arg(AFileName, QString::fromLocal8Bit(message)));
    }
    if (!file.commit())
        throw EWriteError(
            QStringLiteral("Cannot write file \"%1\". %2").arg(AFileName, file.errorString()));
}

void KvCopyBitmapToClipboard(const TGmBasicBitmap& ABitmap) {
    Q_ASSERT(QThread::currentThread() == qApp->thread());
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QImage image = ABitmap.ToImage();
    if (image.isNull())
        clipboard->clear();
    else
        clipboard->setImage(image);
}

QSize KvPrintSize(int APageWidth, int APageHeight, int AScreenDpiX, int AScreenDpiY,
                  int APrinterDpiX, int APrinterDpiY) {
    constexpr int DefaultDpi = 96;
    const auto scale = [](int APage, int AScreen, int APrinter) {
        const int64_t screen = AScreen > 0 ? AScreen : DefaultDpi;
        const int64_t printer = APrinter > 0 ? APrinter : DefaultDpi;
        // 64-bit product: a large page at a high screen resolution overflows int
        return static_cast<int>(std::max<int64_t>(APage, 0) * screen / printer);
    };
    return QSize(scale(APageWidth, AScreenDpiX, APrinterDpiX),
                 scale(APageHeight, AScreenDpiY, APrinterDpiY));
}

QStringList KvDialogNameFilters(const QString& AFilter) {
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    const QStringList parts = AFilter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        // Qt reads the patterns from the parentheses at the end of the text
        QString text = parts[i];
        text.remove(trailingPatterns);
        const QString patterns =
            parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        result.append(QStringLiteral("%1 (%2)").arg(text.trimmed(), patterns.trimmed()));
    }
    return result;
}

QString KvDialogSuffix(const QString& ANameFilter, const QString& ADefaultExt) {
    static const QRegularExpression firstPattern(
        QStringLiteral("\\(\\s*\\*\\.([^*?\\s;()]+)[\\s)]"));
    const QRegularExpressionMatch match = firstPattern.match(ANameFilter);
    return match.hasMatch() ? match.captured(1) : ADefaultExt;
}

IKvDisplayDialogs::~IKvDisplayDialogs() = default;

IKvDisplayDialogs& KvDisplayDialogs() {
    return CurrentDialogs ? *CurrentDialogs : QtDialogs();
}

void KvSetDisplayDialogs(IKvDisplayDialogs* ADialogs) {
    CurrentDialogs = ADialogs;
}

void KvPrintPage(QPrinter& APrinter, const QString& ATitle,
                 const std::function<void(TGmBasicBitmap& ABitmap, QSize APrintSize)>& ARender) {
    TGmBasicBitmap bitmap;
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(10, 10);
    int screenDpiX = 0;
    int screenDpiY = 0;
    if (QPainter* dc = bitmap.GetDC()) {
        screenDpiX = dc->device()->logicalDpiX();
        screenDpiY = dc->device()->logicalDpiY();
    }

    APrinter.setDocName(ATitle);
    QPainter painter;
    if (!painter.begin(&APrinter)) {
        const QString target = APrinter.outputFileName().isEmpty() ? APrinter.printerName()
                                                                   : APrinter.outputFileName();
        throw Exception(
            QStringLiteral("Cannot start printing \"%1\" on \"%2\"").arg(ATitle, target));
    }
    try {
        const int pageWidth = APrinter.width();
        const int pageHeight = APrinter.height();
        const QSize printSize = KvPrintSize(pageWidth, pageHeight, screenDpiX, screenDpiY,
                                            APrinter.logicalDpiX(), APrinter.logicalDpiY());
        bitmap.SetSize(printSize.width(), printSize.height());
        ARender(bitmap, printSize);
        // stretched by the print engine, not resampled here
        const QImage image = bitmap.ToImage();
        if (!image.isNull())
            painter.drawImage(QRect(0, 0, pageWidth, pageHeight), image);
    } catch (...) {
        painter.end();
        throw;
    }
    if (!painter.end())
        throw Exception(QStringLiteral("Cannot finish printing \"%1\"").arg(ATitle));
}
