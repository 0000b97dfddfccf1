#include "gdiplus/GdiPlusObjects.h"

#include "platform/Canvas.h"
#include "platform/Exceptions.h"

#include <QColor>
#include <QLineF>
#include <QPen>
#include <QRectF>

namespace {

QColor ToQColor(TGPColor AColor) {
    return QColor::fromRgba(AColor); // QRgb is 0xAARRGGBB as well
}

} // namespace

class TGPGraphics::TStateGuard {
public:
    TStateGuard(QPainter* APainter, TGPSmoothingMode AMode) : FPainter(APainter) {
        FPainter->save();
        const bool smooth = AMode == SmoothingModeAntiAlias;
        FPainter->setRenderHint(QPainter::Antialiasing, smooth);
        FPainter->setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    }
    ~TStateGuard() { FPainter->restore(); }
    TStateGuard(const TStateGuard&) = delete;
    TStateGuard& operator=(const TStateGuard&) = delete;

private:
    QPainter* const FPainter;
};

TGPGraphics::TGPGraphics(QPainter* APainter) : FPainter(APainter) {
    if (!FPainter || !FPainter->isActive())
        throw Exception(
            QStringLiteral("Cannot create a graphics object without an active painter"));
}

void TGPGraphics::Clear(TGPColor AColor) {
    const TStateGuard guard(FPainter, FSmoothingMode);
    FPainter->setCompositionMode(QPainter::CompositionMode_Source);
    const QPaintDevice* device = FPainter->device();
    FPainter->fillRect(QRect(0, 0, device->width(), device->height()), ToQColor(AColor));
}

void TGPGraphics::DrawLine(TGPColor AColor, float AWidth, float X1, float Y1, float X2, float Y2) {
    const TStateGuard guard(FPainter, FSmoothingMode);
    QPen pen(ToQColor(AColor), static_cast<qreal>(AWidth));
    pen.setCapStyle(Qt::FlatCap);
    FPainter->setPen(pen);
    FPainter->drawLine(QLineF(X1, Y1, X2, Y2));
}

void TGPGraphics::FillRectangle(TGPColor AColor, float X, float Y, float AWidth, float AHeight) {
    const TStateGuard guard(FPainter, FSmoothingMode);
    FPainter->fillRect(QRectF(X, Y, AWidth, AHeight), ToQColor(AColor));
}

void TGPGraphics::DrawImage(const QImage& AImage, float X, float Y) {
    if (AImage.isNull())
        return;
    const TStateGuard guard(FPainter, FSmoothingMode);
    FPainter->drawImage(QPointF(X, Y), OpaqueImage(AImage));
}
