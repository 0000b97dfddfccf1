#include "waterfall/KvWaterfallAxisMath.h"

#include <cmath>
#include <cstdint>

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

bool KvIsFrequencyAxis(TKvDisplayAxisTicksMode AMode, bool AFrequencyDomain) {
    return AMode == atmFrequency || (AMode == atmAuto && AFrequencyDomain);
}

bool KvIsIntensityAxis(TKvDisplayAxisTicksMode AMode, bool AIntensityDomain) {
    return AMode == atmIntensity || (AMode == atmAuto && AIntensityDomain);
}

QString KvYAxisLabelText(const QString& AText, TKvDisplayAxisTicksMode AMode, bool ADesigning,
                         bool AFrequency, bool AIntensity, double AEffectiveRate) {
    if (!AText.isEmpty())
        return AText;
    if (AMode == atmAuto && ADesigning)
        return QStringLiteral("Y Axis");
    if (AFrequency)
        return KvFrequencyUnit(AEffectiveRate);
    if (AIntensity)
        return QStringLiteral("Intensity");
    return QStringLiteral("Samples");
}

double KvYTickScaleMin(TKvDisplayAxisTicksMode AMode, TKvAxisEnd AMinTick, bool AFrequency,
                       double ADataMin) {
    if (AMode == atmManual || !AMinTick.AutoScale)
        return AMinTick.Value;
    return AFrequency ? 0.0 : ADataMin;
}

double KvYTickScaleMax(TKvDisplayAxisTicksMode AMode, TKvAxisEnd AMaxTick, TKvAxisEnd AMax,
                       bool AFrequency, double AEffectiveRate, double ADataMax) {
    if (AMode == atmManual || !AMaxTick.AutoScale)
        return AMaxTick.Value;
    if (!AMax.AutoScale)
        return AMax.Value;
    return AFrequency ? KvMaxFrequencyScaled(AEffectiveRate) : ADataMax;
}

int32_t KvSoundRowSamples(uint32_t ALength) {
    if (ALength == 0)
        return 512;
    // A row's length may exceed what the axis's integer holds.
    return ALength > uint32_t{INT32_MAX} ? INT32_MAX : static_cast<int32_t>(ALength);
}

double KvXDataMax(int32_t ASamples, bool AMaxAutoScale, TKvMaxAxisMode AMode, double AMaxDataValue,
                  double AMaxValue, double ADataMin) {
    if (AMaxAutoScale)
        return ASamples - 1.0;
    if (AMode == mamOffset)
        return Finite(ADataMin + AMaxValue);
    return AMaxDataValue;
}
