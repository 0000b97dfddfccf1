#include "waterfall/KvWaterfallAxisMath.h"

#include <cmath>

namespace {

bool UsableRate(double ARate) {
    return std::isfinite(ARate) && ARate > 0;
}

double Finite(double AValue) {
    return KvSoundValue(AValue);
}

} // namespace

int32_t KvFrequencyExponent(double ARate) {
    if (!UsableRate(ARate))
        return 0;
    // log10 of a finite positive double lies within +-324, so the cast is safe.
    return 3 * static_cast<int32_t>(std::trunc(std::log10(ARate) / 3.0));
}

QString KvFrequencyUnit(double ARate) {
    const int32_t E = KvFrequencyExponent(ARate);
    switch (E) {
    case -3:
        return QStringLiteral("mHz");
    case 0:
        return QStringLiteral("Hz");
    case 3:
        return QStringLiteral("kHz");
    case 6:
        return QStringLiteral("Mhz");
    default:
        return QStringLiteral("Hz (E%1)").arg(-E);
    }
}

double KvMaxFrequencyScaled(double ARate) {
    if (!UsableRate(ARate))
        return Finite(ARate / 2);
    // Halved last, so that the smallest rates do not vanish on the way.
    return Finite(ARate / std::pow(10.0, KvFrequencyExponent(ARate)) / 2);
}

double KvValueToRow(double AValue, TKvAxisRange AScaleFull, int32_t ASamples, double ADataFullMin) {
    const double Width = AScaleFull.Width();
    if (Width == 0 || !std::isfinite(Width))
        return 0;
    return Finite((AValue - AScaleFull.Min) / Width * (ASamples - 1.0) + ADataFullMin);
}

double KvValueToSample(double AValue, TKvAxisRange AScaleFull, double ASpan, double ADataFullMin) {
    const double Width = AScaleFull.Width();
    if (Width == 0 || !std::isfinite(Width))
        return 0;
    return Finite(ASpan * (AValue - AScaleFull.Min) / Width + ADataFullMin);
}

double KvSampleSpan(int32_t ASamples, bool AMaxAutoScale, double AMaxDataValue, bool AMinAutoScale,
                    double AMinDataValue) {
    const double Lo = AMinAutoScale ? 0.0 : std::nearbyint(Finite(AMinDataValue));
    const double Hi = AMaxAutoScale ? ASamples - 1.0 : std::nearbyint(Finite(AMaxDataValue));
    return Hi - Lo;
}

TKvAxisRange KvZoomedRowWindow(TKvAxisRange AUnzoomed, bool AZoomed, double AZoomMinRow,
                               double AZoomMaxRow) {
    if (!AZoomed)
        return AUnzoomed;
    TKvAxisRange Result{AUnzoomed.Min, AUnzoomed.Max};
    if (AZoomMinRow > Result.Min)
        Result.Min = AZoomMinRow;
    if (AZoomMaxRow < Result.Max)
        Result.Max = AZoomMaxRow;
    return Result;
}

double KvWholeRowStep(double AStep, double ARowsPerUnit) {
    if (!std::isfinite(AStep) || !std::isfinite(ARowsPerUnit) || ARowsPerUnit == 0)
        return AStep;
    double Rows = std::nearbyint(AStep * ARowsPerUnit);
    if (std::fabs(Rows) <= 1)
        Rows = AStep < 0 ? -1.0 : 1.0;
    return Rows / ARowsPerUnit;
}

double KvRowZoomFactor(double AFactor, double AWidth, double ARowsPerUnit) {
    const double WidthRows = AWidth * ARowsPerUnit;
    if (!std::isfinite(AFactor) || !std::isfinite(WidthRows) || WidthRows == 0)
        return AFactor;
    if (std::fabs(WidthRows * AFactor) >= 2)
        return AFactor;
    // The width's sign (a reversed axis) cancels: the factor stays positive.
    return 2.0 / std::fabs(WidthRows);
}
