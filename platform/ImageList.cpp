#include "platform/ImageList.h"

#include "platform/Exceptions.h"

#include <QPainter>

TImageList::TImageList(int32_t AWidth, int32_t AHeight) : FWidth(AWidth), FHeight(AHeight) {
    if (AWidth <= 0 || AHeight <= 0)
        throw Exception(QStringLiteral("Invalid image size %1 x %2").arg(AWidth).arg(AHeight));
}

QImage TImageList::Prepared(const QImage& AImage, TColor AMaskColor) const {
    // the image placed in a transparent cell of the list's size
    QImage cell(FWidth, FHeight, QImage::Format_ARGB32);
    cell.fill(Qt::transparent);
    const QImage source = AImage.convertToFormat(QImage::Format_ARGB32);
    {
        QPainter painter(&cell);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, source);
    }
    if (AMaskColor == clNone || source.isNull())
        return cell;
    QRgb mask;
    if (AMaskColor == clDefault) {
        const int bottom = std::min(FHeight, source.height()) - 1;
        mask = cell.pixel(0, bottom);
    } else {
        mask = ColorToQColor(AMaskColor).rgb();
    }
    for (int y = 0; y < FHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(cell.scanLine(y));
        for (int x = 0; x < FWidth; ++x)
            if (row[x] == mask)
                row[x] = 0;
    }
    return cell;
}

int32_t TImageList::AddMasked(const QImage& AStrip, TColor AMaskColor) {
    const int32_t first = Count();
    if (AStrip.isNull())
        return first;
    const int32_t pieces = std::max(1, AStrip.width() / FWidth);
    for (int32_t i = 0; i < pieces; ++i)
        FImages.push_back(
            Prepared(AStrip.copy(i * FWidth, 0, std::min(FWidth, AStrip.width()), AStrip.height()),
                     AMaskColor));
    return first;
}

bool TImageList::LoadBitmap(const QString& AFileName, TColor AMaskColor) {
    QImage strip;
    if (!strip.load(AFileName))
        return false;
    AddMasked(strip, AMaskColor);
    return true;
}

void TImageList::ReplaceMasked(int32_t AIndex, const QImage& AImage, TColor AMaskColor) {
    if (AIndex < 0 || AIndex >= Count())
        ListIndexError(AIndex);
    FImages[static_cast<size_t>(AIndex)] = Prepared(AImage, AMaskColor);
}

void TImageList::Delete(int32_t AIndex) {
    if (AIndex < 0 || AIndex >= Count())
        ListIndexError(AIndex);
    FImages.erase(FImages.begin() + AIndex);
}

QImage TImageList::Image(int32_t AIndex) const {
    if (AIndex < 0 || AIndex >= Count())
        return QImage();
    return FImages[static_cast<size_t>(AIndex)];
}

void TImageList::Draw(TCanvas& ACanvas, int32_t X, int32_t Y, int32_t AIndex, bool AEnabled) const {
    QImage image = Image(AIndex);
    if (image.isNull())
        return;
    if (!AEnabled) {
        // grey, half way to white, keeping the mask
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int g = (qGray(row[x]) + 255) / 2;
                row[x] = qRgba(g, g, g, qAlpha(row[x]));
            }
        }
    }
    ACanvas.Draw(X, Y, image);
}

bool TImageList::GetBitmap(int32_t AIndex, TBitmap& ABitmap) const {
    if (AIndex < 0 || AIndex >= Count())
        return false;
    ABitmap.SetSize(FWidth, FHeight);
    Draw(ABitmap.Canvas(), 0, 0, AIndex);
    return true;
}
