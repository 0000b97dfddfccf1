#include "display/KvAxisScale.h"

#include "primitives/IppDispatch.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr long double Ln10 = 2.302585092994045684017991454684364208L;

// Pixels beyond this are far outside any axis; holding them here keeps the
// conversions to integers defined.
constexpr long double PixelLimit = 1073741824.0L;

long double Sound(long double AValue) {
    if (std::isnan(AValue))
        return 0.0L;
    return std::clamp<long double>(AValue, -KvAxisValueLimit, KvAxisValueLimit);
}

TKvAxisRange FromLong(long double AMin, long double AMax) {
    return {KvSoundValue(AMin), KvSoundValue(AMax)};
}

// Widens a range narrower than KvMinZoomWidth upwards from its minimum,
// downwards when that would pass the value limit.
TKvAxisRange WidenFromMin(TKvAxisRange ARange) {
    const double w = KvMinZoomWidth(ARange.Min);
    if (static_cast<long double>(ARange.Min) + w > ARange.Max) {
        ARange.Max = KvSoundValue(static_cast<long double>(ARange.Min) + w);
        // Only at the value limit: a sum that rounds a little short of the
        // width is still a range.
        if (!(ARange.Max > ARange.Min)) {
            ARange.Max = KvAxisValueLimit;
            ARange.Min = KvAxisValueLimit - w;
        }
    }
    return ARange;
}

// Moves both ends by the same amount so that AEnd becomes ATarget.
TKvAxisRange Shift(TKvAxisRange ARange, double AEnd, double ATarget) {
    const long double d = static_cast<long double>(ATarget) - AEnd;
    return FromLong(ARange.Min + d, ARange.Max + d);
}

TKvAxisRange AroundCentre(TKvAxisRange ARange, double AWidth) {
    const long double centre = (static_cast<long double>(ARange.Min) + ARange.Max) / 2.0L;
    return FromLong(centre - AWidth / 2.0L, centre + AWidth / 2.0L);
}

int32_t RoundPixel(long double APixel) {
    if (std::isnan(APixel))
        return 0;
    return static_cast<int32_t>(std::nearbyint(std::clamp(APixel, -PixelLimit, PixelLimit)));
}

} // namespace

long double SLog(long double x) {
    // log1p keeps the precision of small values.
    return x >= 0 ? std::log1p(x) / Ln10 : -std::log1p(-x) / Ln10;
}

long double SExp10m1(long double x) {
    return x >= 0 ? std::expm1(x * Ln10) : -std::expm1(-x * Ln10);
}

long double SPow10(long double x) {
    return x >= 0 ? std::pow(10.0L, x) : -std::pow(10.0L, -x);
}

double KvSoundValue(long double AValue, double ADefault) {
    if (std::isnan(AValue))
        return ADefault;
    return static_cast<double>(
        std::clamp<long double>(AValue, -KvAxisValueLimit, KvAxisValueLimit));
}

TKvAxisRange KvSoundRange(double AMin, double AMax, TKvAxisRange ADefault) {
    const double a = KvSoundValue(AMin, KvSoundValue(ADefault.Min));
    const double b = KvSoundValue(AMax, KvSoundValue(ADefault.Max));
    return a <= b ? TKvAxisRange{a, b} : TKvAxisRange{b, a};
}

double KvRangeWidth(TKvAxisRange ARange, bool ALog) {
    if (ALog)
        return static_cast<double>(SLog(ARange.Max) - SLog(ARange.Min));
    return ARange.Max - ARange.Min;
}

double KvDataToScale(double AValue, TKvAxisRange AData, TKvAxisRange AScale) {
    const long double span = static_cast<long double>(AData.Max) - AData.Min;
    if (span == 0)
        return AValue;
    return KvSoundValue(AScale.Min + (AValue - static_cast<long double>(AData.Min)) *
                                         (static_cast<long double>(AScale.Max) - AScale.Min) /
                                         span);
}

double KvScaleToData(double AValue, TKvAxisRange AData, TKvAxisRange AScale) {
    const long double span = static_cast<long double>(AScale.Max) - AScale.Min;
    if (span == 0)
        return AValue;
    return KvSoundValue(AData.Min + (AValue - static_cast<long double>(AScale.Min)) *
                                        (static_cast<long double>(AData.Max) - AData.Min) / span);
}

double KvDataToScaleSpan(double AValue, TKvAxisRange AData, TKvAxisRange AScale) {
    const long double span = static_cast<long double>(AData.Max) - AData.Min;
    if (span == 0)
        return AValue;
    return KvSoundValue(AValue * (static_cast<long double>(AScale.Max) - AScale.Min) / span);
}

double KvScaleToDataSpan(double AValue, TKvAxisRange AData, TKvAxisRange AScale) {
    const long double span = static_cast<long double>(AScale.Max) - AScale.Min;
    if (span == 0)
        return AValue;
    return KvSoundValue(AValue * (static_cast<long double>(AData.Max) - AData.Min) / span);
}

double KvMapLinear(double AValue, TKvAxisRange AFrom, TKvAxisRange ATo) {
    long double span = static_cast<long double>(AFrom.Max) - AFrom.Min;
    if (span == 0)
        span = 1;
    return KvSoundValue(ATo.Min + (AValue - static_cast<long double>(AFrom.Min)) *
                                      (static_cast<long double>(ATo.Max) - ATo.Min) / span);
}

TKvAxisScaleMap::TKvAxisScaleMap(TKvAxisRange ARange, int32_t AStart, int32_t ALength, bool ALog,
                                 bool ADescending)
    : FStart(AStart), FLength(std::max(ALength, 1)), FLog(ALog), FDescending(ADescending) {
    FLow = Transform(ARange.Min);
    const long double high = Transform(ARange.Max);
    FSpan = high - FLow;
    if (FSpan == 0) {
        // At large magnitudes a widening by 1 would vanish.
        const long double w = std::max(1.0L, std::fabs(FLow) * 1e-15L);
        FLow -= w;
        FSpan = 2 * w;
    }
}

long double TKvAxisScaleMap::Transform(double AValue) const {
    const long double v = Sound(AValue);
    return FLog ? SLog(v) : v;
}

long double TKvAxisScaleMap::PixelOffset(double AValue) const {
    const long double t = (Transform(AValue) - FLow) / FSpan;
    return FLength * (FDescending ? 1.0L - t : t);
}

int32_t TKvAxisScaleMap::ValueToPixel(double AValue) const {
    return RoundPixel(FStart + PixelOffset(AValue));
}

double TKvAxisScaleMap::PixelToValue(double APixel) const {
    long double t = (Sound(APixel) - FStart) / FLength;
    if (FDescending)
        t = 1.0L - t;
    const long double u = FLow + t * FSpan;
    return KvSoundValue(FLog ? SExp10m1(u) : u);
}

TKvPixelMapping KvGetPixelMapping(TKvAxisRange ARange, int32_t ALength, bool ALog,
                                  bool APixelReversed) {
    long double low = Sound(ARange.Min), high = Sound(ARange.Max);
    if (APixelReversed) {
        const long double t = low;
        low = -high;
        high = -t;
    }
    if (ALog) {
        low = SLog(low);
        high = SLog(high);
    }
    const long double g = high - low;
    const long double pixels = std::max(ALength - 1, 0);
    long double scale = 1.0L, origin = -pixels * 0.5L;
    if (g != 0) {
        scale = pixels / g;
        origin = low;
    }
    if (APixelReversed) {
        scale = -scale;
        origin = -origin;
    }
    TKvPixelMapping m;
    m.Low = KvSoundValue(origin);
    m.Scale = static_cast<double>(std::clamp<long double>(scale, -1e300L, 1e300L));
    m.Offset = KvSoundValue(-origin * scale);
    return m;
}

void KvTickPixels(const double* AValues, int32_t ACount, const TKvPixelMapping& AMapping,
                  int32_t AEnd, bool ALog, int32_t* APixels) {
    // The distance from the mapping's origin is formed in extended precision
    // first; single precision only ever sees pixel-sized numbers.
    constexpr int32_t chunk = 256;
    Ipp32f buffer[chunk];
    for (int32_t done = 0; done < ACount; done += chunk) {
        const int32_t n = std::min(chunk, ACount - done);
        for (int32_t i = 0; i < n; ++i) {
            long double t = Sound(AValues[done + i]);
            if (ALog)
                t = SLog(t);
            const long double u = (t - AMapping.Low) * AMapping.Scale;
            buffer[i] =
                static_cast<Ipp32f>(std::isnan(u) ? 0.0L : std::clamp(u, -PixelLimit, PixelLimit));
        }
        ippsSubCRev_32f_I(static_cast<Ipp32f>(AEnd) - 1.0f, buffer, n);
        ippsConvert_32f32s_Sfs(buffer, APixels + done, n, ippRndNear, 0);
    }
}

bool KvIsValueFlipped(bool AIsYAxis, bool AVerticalDirection, bool AReversed) {
    return AIsYAxis ? !AVerticalDirection != AReversed : AReversed != AVerticalDirection;
}

TKvAxisScaleMap KvAxisPixelMap(TKvAxisRange AZoomed, const TRect& ADataView,
                               bool AVerticalDirection, bool AValueFlipped, bool ALog) {
    if (AVerticalDirection)
        return TKvAxisScaleMap(AZoomed, ADataView.Top, ADataView.Height(), ALog, !AValueFlipped);
    return TKvAxisScaleMap(AZoomed, ADataView.Left, ADataView.Width(), ALog, AValueFlipped);
}

int32_t KvValueDirection(bool AVerticalDirection, bool AReversedForTicks) {
    const int32_t code = AVerticalDirection ? 3 : 0;
    return AReversedForTicks ? code ^ 1 : code;
}

bool KvGetValueAt(const TRect& ARect, int32_t X, int32_t Y, int32_t ADirection,
                  TKvAxisRange AZoomed, double& AAxisPos) {
    if (!ARect.Contains(TPoint{X, Y}))
        return false;
    long double p, length;
    switch (ADirection) {
    case 0:
        p = X - ARect.Left;
        length = ARect.Width();
        break;
    case 1:
        p = ARect.Left + ARect.Width() - X;
        length = ARect.Width();
        break;
    case 2:
        p = ARect.Top + ARect.Height() - Y;
        length = ARect.Height();
        break;
    default:
        p = Y - ARect.Top;
        length = ARect.Height();
        break;
    }
    AAxisPos = KvSoundValue(AZoomed.Min +
                            p * (static_cast<long double>(AZoomed.Max) - AZoomed.Min) / length);
    return true;
}

void TKvValueLimits::SetLow(double AValue) {
    if (std::isnan(AValue))
        return;
    if (PositiveOnly && AValue < 0)
        AValue = 0;
    Low.Value = KvSoundValue(AValue);
    if (Low.Value > High.Value)
        High.Value = Low.Value;
}

void TKvValueLimits::SetHigh(double AValue) {
    if (std::isnan(AValue))
        return;
    if (PositiveOnly && AValue < 0)
        AValue = 0;
    High.Value = KvSoundValue(AValue);
    if (High.Value < Low.Value)
        Low.Value = High.Value;
}

double KvMinZoomWidth(double AMin) {
    return std::max(0.0001, std::fabs(AMin) * 1e-12);
}

TKvAxisRange KvClampZoom(TKvAxisRange ARange, const TKvZoomLimits& ALimits) {
    const TKvValueLimits& minRange = ALimits.MinRange;
    const TKvValueLimits& maxRange = ALimits.MaxRange;
    TKvAxisRange r = KvSoundRange(ARange.Min, ARange.Max);
    if (minRange.High.Enabled && r.Min > minRange.High.Value)
        r = Shift(r, r.Min, minRange.High.Value);
    if (minRange.Low.Enabled && r.Min < minRange.Low.Value) {
        r = Shift(r, r.Min, minRange.Low.Value);
        if (maxRange.High.Enabled && r.Max > maxRange.High.Value)
            r.Max = maxRange.High.Value;
    }
    if (maxRange.High.Enabled && r.Max > maxRange.High.Value)
        r = Shift(r, r.Max, maxRange.High.Value);
    if (maxRange.Low.Enabled && r.Max < maxRange.Low.Value) {
        r = Shift(r, r.Max, maxRange.Low.Value);
        if (minRange.High.Enabled && r.Min > minRange.High.Value)
            r.Min = minRange.High.Value;
    }
    const TKvValueLimits& width = ALimits.ZoomRange;
    if (width.Low.Enabled && r.Width() < width.Low.Value)
        r = AroundCentre(r, width.Low.Value);
    if (width.High.Enabled && r.Width() > width.High.Value)
        r = AroundCentre(r, width.High.Value);
    // Conflicting limits, or a width the magnitude cannot hold, must not
    // leave an empty or inverted range behind.
    if (!(r.Max > r.Min))
        r = WidenFromMin({std::min(r.Min, r.Max), std::min(r.Min, r.Max)});
    return r;
}

TKvAxisRange KvSetZoomRange(TKvAxisRange ACurrent, double A, double B,
                            const TKvZoomLimits& ALimits) {
    if (std::isnan(A) || std::isnan(B))
        return ACurrent;
    const double a = KvSoundValue(A), b = KvSoundValue(B);
    return KvClampZoom(WidenFromMin({std::min(a, b), std::max(a, b)}), ALimits);
}

double KvSoundZoomFactor(double AFactor) {
    return std::isfinite(AFactor) && AFactor > 0 ? AFactor : 1.0;
}

TKvAxisRange KvIntZoom(TKvAxisRange AZoomed, double AFactor, const TKvZoomLimits& ALimits) {
    const long double width = static_cast<long double>(AZoomed.Max) - AZoomed.Min;
    const long double a = (width * KvSoundZoomFactor(AFactor) - width) / 2;
    return KvClampZoom(FromLong(AZoomed.Min - a, AZoomed.Max + a), ALimits);
}

TKvAxisRange KvZoomAtPoint(TKvAxisRange AZoomed, int32_t ALength, double APos, double AFactor,
                           const TKvZoomLimits& ALimits) {
    const long double half = ALength / 2.0L;
    const long double rel = half > 0 && std::isfinite(APos) ? (APos - half) / half : 0.0L;
    const long double factor = KvSoundZoomFactor(AFactor);
    const long double width = static_cast<long double>(AZoomed.Max) - AZoomed.Min;
    const long double growth = width * (factor - 1) / 2;
    const long double shift = width * rel * (1 - factor) / 2;
    const long double max = AZoomed.Max + growth - shift;
    const long double min = AZoomed.Min - growth - shift;
    return KvSetZoomRange(AZoomed, KvSoundValue(max), KvSoundValue(min), ALimits);
}

double KvPanShift(TKvAxisRange AZoomed, double ADifference, int32_t ALength) {
    if (ALength <= 0 || !std::isfinite(ADifference))
        return 0.0;
    return KvSoundValue((static_cast<long double>(AZoomed.Max) - AZoomed.Min) * ADifference /
                        ALength);
}

TKvAxisRange KvPanBy(TKvAxisRange AMouseZoom, double AShift, bool AReversed,
                     TKvAxisRange AScaleFull, const TKvZoomLimits& ALimits) {
    long double shift = std::isnan(AShift) ? 0.0L : AShift;
    if (AReversed)
        shift = -shift;
    const long double most = static_cast<long double>(AMouseZoom.Min) - AScaleFull.Min;
    const long double least = static_cast<long double>(AMouseZoom.Max) - AScaleFull.Max;
    shift = least > most ? 0.0L : std::clamp(shift, least, most);
    return KvClampZoom(FromLong(AMouseZoom.Min - shift, AMouseZoom.Max - shift), ALimits);
}

bool KvCanZoomIn(TKvAxisRange AZoomed, const TKvZoomLimits& ALimits) {
    const TKvOptionalLimit& least = ALimits.ZoomRange.Low;
    // A range clamped to the least width comes out a rounding above it: that
    // is the limit all the same, and a zoom in would change nothing.
    if (least.Enabled && !(AZoomed.Width() > least.Value * (1 + 1e-6)))
        return false;
    const TKvOptionalLimit& maxLow = ALimits.MaxRange.Low;
    const TKvOptionalLimit& minHigh = ALimits.MinRange.High;
    return !(maxLow.Enabled && minHigh.Enabled && AZoomed.Max <= maxLow.Value &&
             AZoomed.Min >= minHigh.Value);
}

bool KvCanZoomOut(TKvAxisRange AZoomed, const TKvZoomLimits& ALimits) {
    const TKvOptionalLimit& most = ALimits.ZoomRange.High;
    if (most.Enabled && AZoomed.Width() >= most.Value)
        return false;
    const TKvOptionalLimit& maxHigh = ALimits.MaxRange.High;
    const TKvOptionalLimit& minLow = ALimits.MinRange.Low;
    return !(maxHigh.Enabled && minLow.Enabled && AZoomed.Max >= maxHigh.Value &&
             AZoomed.Min <= minLow.Value);
}

int32_t KvSoundSamples(int32_t AValue) {
    return AValue > 0 ? AValue : 1024;
}
