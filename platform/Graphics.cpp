#include "platform/Graphics.h"

#include <QFontMetrics>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
    if (c == 0)
        return -1;
    const int64_t p = int64_t{a} * b;
    const int64_t q = (std::llabs(p) + std::llabs(int64_t{c}) / 2) / std::llabs(int64_t{c});
    const int64_t r = ((p < 0) != (c < 0)) ? -q : q;
    return static_cast<int32_t>(std::clamp<int64_t>(r, -INT32_MAX, INT32_MAX));
}

QString MapFontFamily(const QString& AName) {
    if (AName.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans");
    if (AName.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Sans Serif");
    return AName;
}

void TPen::Changed() {
    if (OnChange)
        OnChange();
}

void TPen::SetColor(TColor AValue) {
    if (FColor == AValue)
        return;
    FColor = AValue;
    Changed();
}

void TPen::SetStyle(TPenStyle AValue) {
    if (FStyle == AValue)
        return;
    FStyle = AValue;
    Changed();
}

void TPen::SetMode(TPenMode AValue) {
    if (FMode == AValue)
        return;
    FMode = AValue;
    Changed();
}

void TPen::SetWidth(int32_t AValue) {
    if (AValue < 0)
        AValue = 0;
    if (FWidth == AValue)
        return;
    FWidth = AValue;
    Changed();
}

void TPen::Assign(TPersistent* ASource) {
    auto* source = qobject_cast<TPen*>(ASource);
    if (!source) {
        TPersistent::Assign(ASource);
        return;
    }
    FColor = source->FColor;
    FStyle = source->FStyle;
    FMode = source->FMode;
    FWidth = source->FWidth;
    Changed();
}

void TBrush::Changed() {
    if (OnChange)
        OnChange();
}

void TBrush::SetColor(TColor AValue) {
    if (FColor == AValue)
        return;
    FColor = AValue;
    Changed();
}

void TBrush::SetStyle(TBrushStyle AValue) {
    if (FStyle == AValue)
        return;
    FStyle = AValue;
    Changed();
}

void TBrush::Assign(TPersistent* ASource) {
    auto* source = qobject_cast<TBrush*>(ASource);
    if (!source) {
        TPersistent::Assign(ASource);
        return;
    }
    FColor = source->FColor;
    FStyle = source->FStyle;
    Changed();
}

void TFont::Changed() {
    FCache.reset();
    if (OnChange)
        OnChange();
}

void TFont::SetName(const QString& AValue) {
    if (FName == AValue)
        return;
    FName = AValue;
    Changed();
}

void TFont::SetHeight(int32_t AValue) {
    if (FHeight == AValue)
        return;
    FHeight = AValue;
    Changed();
}

int32_t TFont::Size() const {
    return -MulDiv(FHeight, 72, ScreenPixelsPerInch);
}

void TFont::SetSize(int32_t AValue) {
    SetHeight(-MulDiv(AValue, ScreenPixelsPerInch, 72));
}

void TFont::SetStyle(TFontStyles AValue) {
    if (FStyle == AValue)
        return;
    FStyle = AValue;
    Changed();
}

void TFont::SetColor(TColor AValue) {
    if (FColor == AValue)
        return;
    FColor = AValue;
    Changed();
}

void TFont::SetEscapement(int32_t AValue) {
    if (FEscapement == AValue)
        return;
    FEscapement = AValue;
    Changed();
}

void TFont::Assign(TPersistent* ASource) {
    auto* source = qobject_cast<TFont*>(ASource);
    if (!source) {
        TPersistent::Assign(ASource);
        return;
    }
    FName = source->FName;
    FHeight = source->FHeight;
    FStyle = source->FStyle;
    FColor = source->FColor;
    FEscapement = source->FEscapement;
    Changed();
}

namespace {

constexpr int32_t DefaultCharHeight = 11; // 8 points
// Larger requests are drawn at this size rather than exhausting memory.
constexpr int64_t MaxPixelSize = 4096;

// The pixel size whose cell (ascent plus descent) comes closest to ACell
// without exceeding it where possible.
int PixelSizeForCell(QFont AFont, int32_t ACell) {
    constexpr int reference = 200;
    AFont.setPixelSize(reference);
    const double ratio = QFontMetricsF(AFont).height() / reference;
    int size = std::max(1, static_cast<int>(std::lround(ACell / (ratio > 0 ? ratio : 1.0))));
    auto cellOf = [&AFont](int s) {
        AFont.setPixelSize(s);
        return QFontMetrics(AFont).height();
    };
    while (size > 1 && cellOf(size) > ACell)
        --size;
    while (cellOf(size + 1) <= ACell)
        ++size;
    return size;
}

} // namespace

QFont TFont::ToQFont() const {
    if (FCache)
        return *FCache;
    QFont font(MapFontFamily(FName));
    font.setStyleHint(QFont::SansSerif);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setBold(FStyle.testFlag(fsBold));
    font.setItalic(FStyle.testFlag(fsItalic));
    font.setUnderline(FStyle.testFlag(fsUnderline));
    font.setStrikeOut(FStyle.testFlag(fsStrikeOut));
    const auto height =
        static_cast<int32_t>(std::clamp<int64_t>(FHeight, -MaxPixelSize, MaxPixelSize));
    if (height < 0)
        font.setPixelSize(-height);
    else if (height > 0)
        font.setPixelSize(PixelSizeForCell(font, height));
    else
        font.setPixelSize(DefaultCharHeight);
    FCache = font;
    return font;
}
