#include "platform/Bitmap.h"

#include "platform/Exceptions.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <climits>
#include <cstring>

TBitmap::TBitmap() {
    FCanvas.SetImage(&FImage);
}

TBitmap::TBitmap(int32_t AWidth, int32_t AHeight, TPixelFormat AFormat) : FFormat(AFormat) {
    FCanvas.SetImage(&FImage);
    SetSize(AWidth, AHeight);
}

QImage::Format TBitmap::QtFormat(TPixelFormat AFormat) {
    // Format_RGB32 is blue, green, red, 0xFF in memory; Format_BGR888 blue,
    // green, red: the byte orders of the framework's 32- and 24-bit pixels.
    return AFormat == pf24bit ? QImage::Format_BGR888 : QImage::Format_RGB32;
}

void TBitmap::Replace(QImage AImage) {
    FCanvas.ReleasePainter();
    FImage = std::move(AImage);
}

void TBitmap::SetSize(int32_t AWidth, int32_t AHeight) {
    if (AWidth < 0 || AHeight < 0)
        throw Exception(QStringLiteral("Invalid bitmap size %1 x %2").arg(AWidth).arg(AHeight));
    if (AWidth == FWidth && AHeight == FHeight)
        return;
    if (AWidth == 0 || AHeight == 0) {
        FWidth = AWidth;
        FHeight = AHeight;
        Replace(QImage());
        return;
    }
    // pixel memory stays addressable by 32-bit offsets, as device-independent sections are
    const int64_t stride = (int64_t{AWidth} * (FFormat == pf24bit ? 3 : 4) + 3) / 4 * 4;
    QImage image;
    if (stride * AHeight <= INT32_MAX)
        image = QImage(AWidth, AHeight, QtFormat(FFormat));
    if (image.isNull())
        throw EOutOfResources(QStringLiteral("Out of system resources"));
    image.fill(Qt::white);
    if (!FImage.isNull()) {
        const int rows = std::min(AHeight, FImage.height());
        const auto bytes = static_cast<size_t>(std::min(AWidth, FImage.width())) *
                           static_cast<size_t>(FImage.depth() / 8);
        for (int y = 0; y < rows; ++y)
            std::memcpy(image.scanLine(y), FImage.constScanLine(y), bytes);
    }
    FWidth = AWidth;
    FHeight = AHeight;
    Replace(std::move(image));
}

void TBitmap::SetPixelFormat(TPixelFormat AValue) {
    if (AValue == FFormat)
        return;
    FFormat = AValue;
    if (!FImage.isNull())
        Replace(FImage.convertToFormat(QtFormat(FFormat)));
}

uint8_t* TBitmap::ScanLine(int32_t ARow) {
    if (ARow < 0 || ARow >= FImage.height())
        throw Exception(QStringLiteral("Scan line index out of range"));
    // writing into shared pixels would leave an active painter on the old copy
    if (!FImage.isDetached())
        FCanvas.ReleasePainter();
    return FImage.scanLine(ARow);
}

const uint8_t* TBitmap::ScanLine(int32_t ARow) const {
    if (ARow < 0 || ARow >= FImage.height())
        throw Exception(QStringLiteral("Scan line index out of range"));
    return FImage.constScanLine(ARow);
}

void TBitmap::Assign(const TBitmap& ASource) {
    if (&ASource == this)
        return;
    FFormat = ASource.FFormat;
    FWidth = ASource.FWidth;
    FHeight = ASource.FHeight;
    Replace(ASource.FImage.copy());
}

void TBitmap::Assign(const QImage& AImage) {
    FWidth = AImage.width();
    FHeight = AImage.height();
    if (AImage.isNull()) {
        Replace(QImage());
        return;
    }
    // pixels with alpha are shown as they would appear over white
    QImage opaque(AImage.size(), QtFormat(FFormat));
    opaque.fill(Qt::white);
    {
        QPainter painter(&opaque);
        painter.drawImage(0, 0, AImage);
    }
    Replace(std::move(opaque));
}

void TBitmap::LoadFromFile(const QString& AFileName) {
    if (!QFileInfo::exists(AFileName))
        throw EFOpenError(
            QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(AFileName));
    QImage image;
    if (!image.load(AFileName) || image.isNull())
        throw EReadError(QStringLiteral("Bitmap image is not valid: %1").arg(AFileName));
    Assign(image);
}

void TBitmap::SaveToFile(const QString& AFileName) const {
    const QByteArray suffix = QFileInfo(AFileName).suffix().toLatin1();
    if (!OpaqueImage(FImage).save(AFileName, suffix.isEmpty() ? "BMP" : suffix.constData()))
        throw EFOpenError(QStringLiteral("Cannot create file \"%1\"").arg(AFileName));
}
