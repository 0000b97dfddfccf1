#include "display/KvAxisTicks.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// log10 of the mantissas 1, 2, 2.5 and 5.
constexpr long double LogMantissa[4] = {0.0L, 0.301029995663981L, 0.397940008672038L,
                                        0.698970004336019L};
constexpr const char* MantissaText[4] = {"1", "2", "2.5", "5"};

// mantissa x 10^exponent as the double nearest to the decimal, so that a step
// of 0.1 is the same double as the literal 0.1.
double DecimalStep(int AIndex, long double AExponent) {
    if (AExponent > 307)
        return KvAxisValueLimit;
    char text[32];
    const int n = std::snprintf(text, sizeof text, "%se%d", MantissaText[AIndex],
                                static_cast<int>(AExponent));
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text, text + n, value);
    if (ec == std::errc() && end == text + n && value > 0)
        return value;
    // Below the normal range: close enough for a step that no axis can show.
    return std::max(static_cast<double>(std::pow(10.0L, AExponent + LogMantissa[AIndex])), 5e-324);
}

// trunc of a decade number that may lie a rounding error off an integer
// (SLog(9) is 1 only up to rounding).
long double TruncDecade(long double ADecade) {
    const long double nearest = std::nearbyint(ADecade);
    return std::fabs(ADecade - nearest) < 1e-12L ? nearest : std::trunc(ADecade);
}

// The double nearest to AValue's first 15 significant digits: n x 0.1
// computed is 0.30000000000000004 at n = 3, the tick stands for 0.3. Where
// 15 digits cannot tell neighbouring ticks apart the value stays as computed.
double DecimalValue(long double AValue, double AStep) {
    const double value = KvSoundValue(AValue);
    char text[40];
    const auto written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 14);
    double decimal = value;
    std::from_chars(text, written.ptr, decimal);
    return std::fabs(decimal - value) <= std::fabs(AStep) * 1e-6 ? decimal : value;
}

struct TPassEntry {
    double Value;
    bool Draw;
};

// The values of one pass (ADirection -1 towards lower values, +1 towards
// higher) with their drawing flags.
std::vector<TPassEntry> PassValues(const TKvTickPassInput& APass, double AStep, double AStart,
                                   int ADirection) {
    std::vector<TPassEntry> entries;
    const bool log = IsLogarithmicScale(APass.ScaleMode);
    const long double offset = APass.ScaleMode == smLogDecascale ? 1.0L : 0.0L;
    const double lowest = APass.Range.Min - AStep;
    const double highest = APass.Range.Max + AStep;
    // Linear values are anchor + n x step rather than a running sum, so that
    // the tenth tick of 0.1 is 1 and not 0.9999999999999999.
    long double anchor = AStart;
    double base = AStep;
    int64_t n = 0;
    double value = AStart;
    for (int32_t i = 0; i < KvMaxTickValues; ++i) {
        if (ADirection < 0 ? !(value >= lowest) : !(highest >= value))
            break;
        double step = AStep;
        bool draw = true;
        if (APass.CustomStep) {
            APass.CustomStep(value, step, draw);
            if (step != AStep && APass.AdjustStep)
                step = APass.AdjustStep(step);
        }
        entries.push_back({value, draw});
        long double next;
        if (log) {
            const long double decade =
                std::fabs(SPow10(TruncDecade(SLog(value - ADirection * offset))));
            next = value + ADirection * decade * step;
        } else {
            if (step != base) {
                anchor = value;
                base = step;
                n = 0;
            }
            ++n;
            next = anchor + ADirection * static_cast<long double>(n) * base;
            next = std::fabs(next) < std::fabs(base) * 1e-9L ? 0.0L : DecimalValue(next, base);
        }
        const double nextValue = KvSoundValue(next, value);
        if (nextValue == value)
            break;
        value = nextValue;
    }
    return entries;
}

// A linear pass that begins more than a step outside the range skips, by
// whole steps, to one step before it: a StartFrom far below the range would
// otherwise spend every value of the pass before reaching it.
double Approach(const TKvTickPassInput& APass, double AStep, double AStart, int ADirection) {
    if (IsLogarithmicScale(APass.ScaleMode))
        return AStart;
    const long double gap = ADirection > 0 ? static_cast<long double>(APass.Range.Min) - AStart
                                           : AStart - static_cast<long double>(APass.Range.Max);
    const long double steps = std::floor(gap / AStep) - 1;
    if (!(steps > 0))
        return AStart;
    return DecimalValue(AStart + ADirection * steps * AStep, AStep);
}

} // namespace

double KvSoundMajorStep(double AValue) {
    return std::isfinite(AValue) && AValue > 0 ? AValue : 1.0;
}

int32_t KvSoundMinorCount(int32_t AValue) {
    return std::max(AValue, 0);
}

double KvMinTickSpacing(double AMeasured, TKvScaleMode AMode) {
    if (AMode == smLogDecascale)
        return 1.0;
    return std::isnan(AMeasured) ? 20.0 : std::max(AMeasured, 20.0);
}

double KvCalcAutoStep(const TKvAxisStepInput& AAxis) {
    if (AAxis.PixelLength == 0)
        return 1.0;
    const bool log = IsLogarithmicScale(AAxis.ScaleMode);
    const long double width = KvRangeWidth(AAxis.Range, false);
    if (width == 0 || !std::isfinite(width))
        return 1.0;
    const long double c = AAxis.PixelLength;
    long double d = AAxis.MinTickSpacing * width / c;
    if (log)
        d = SLog(d);
    if (!std::isfinite(d))
        return 1.0;
    const long double e = d != 0 ? std::log10(std::fabs(d)) : -5.0L;
    long double f = std::floor(e);
    long double frac = e - f;
    // A spacing that is a power of ten up to rounding takes mantissa 1.
    if (frac > 1.0L - 1e-12L) {
        f += 1;
        frac = 0;
    } else if (frac < 1e-12L) {
        frac = 0;
    }
    int index;
    if (frac > LogMantissa[3]) {
        index = 0;
        f += 1;
    } else if (frac > LogMantissa[2]) {
        index = 3;
    } else if (frac > LogMantissa[1]) {
        index = 2;
    } else if (frac > 0) {
        index = 1;
    } else {
        index = 0;
    }
    if (AAxis.ScaleMode == smLogDecascale)
        return 1.0;
    const long double g = std::isfinite(AAxis.LabelSize) ? AAxis.LabelSize : 0.0L;
    const long double l = log ? std::nearbyint(SLog(g + 2)) : g + 2;
    long double m = KvRangeWidth(AAxis.Range, log);
    if (m == 0)
        m = 1e-6L;
    double step = 1.0;
    // Four candidates a decade; the candidates run out at the value limit.
    for (int i = 0; i < 4 * 700; ++i) {
        step = DecimalStep(index, f);
        if (d < 0)
            step = -step;
        if (l <= c * step / m || std::fabs(step) >= KvAxisValueLimit)
            break;
        if (index == 3) {
            index = 0;
            f += 1;
        } else {
            ++index;
        }
    }
    return step;
}

double KvAdjustStep(TKvMajorTicksMode AMode, bool ASkipInDecascale, double AStep,
                    const TKvAxisStepInput& AAxis) {
    if (AAxis.ScaleMode == smLogDecascale && ASkipInDecascale)
        return AStep;
    double step = std::isfinite(AStep) && AStep != 0 ? AStep : 1.0;
    const long double e =
        AMode == mtmOverride ? 1.0L : (std::isfinite(AAxis.LabelSize) ? AAxis.LabelSize : 0.0L) + 2;
    const long double width = KvRangeWidth(AAxis.Range, IsLogarithmicScale(AAxis.ScaleMode));
    if (AAxis.PixelLength == 0 || width == 0 || !std::isfinite(width))
        return step;
    // Doubling reaches any width from the smallest step in about 2100 rounds.
    for (int i = 0; i < 2200; ++i) {
        if (std::fabs(std::trunc(AAxis.PixelLength * static_cast<long double>(step) / width)) > e)
            break;
        const double doubled = step * 2;
        if (!std::isfinite(doubled) || std::fabs(doubled) > KvAxisValueLimit)
            break;
        step = doubled;
    }
    return step;
}

bool TKvAxisStep::IsValid(const TKvAxisStepInput& AAxis) const {
    return FValidStep && FOldScaleMode == AAxis.ScaleMode &&
           FOldRangeWidth == KvRangeWidth(AAxis.Range, false) && FOldSizeWidth == AAxis.PixelLength;
}

double TKvAxisStep::GetStep(TKvMajorTicksMode AMode, double AMajorStep,
                            const TKvAxisStepInput& AAxis) {
    if (AMode != mtmAuto) {
        FStep = KvAdjustStep(AMode, false, AMajorStep, AAxis);
        return FStep;
    }
    if (IsValid(AAxis))
        return FStep;
    FOldRangeWidth = KvRangeWidth(AAxis.Range, false);
    FOldSizeWidth = AAxis.PixelLength;
    FOldScaleMode = AAxis.ScaleMode;
    FStep = KvCalcAutoStep(AAxis);
    FValidStep = true;
    return FStep;
}

double KvTickStart(const TKvTickPassInput& APass) {
    if (APass.StartFromSet)
        return KvSoundValue(APass.StartFrom);
    const double min = APass.Range.Min, max = APass.Range.Max;
    const double d = min < 0 && 0 < max ? 0.0 : (min >= 0 ? min : max);
    const double step = KvSoundMajorStep(std::fabs(APass.Step));
    const long double q = static_cast<long double>(d) / step;
    // Beyond 2^63 steps every double is already a multiple of the step.
    if (!(std::fabs(q) < 9.2e18L))
        return d;
    return KvSoundValue(std::trunc(q) * step);
}

std::vector<TKvAxisTick> KvTickPass(const TKvTickPassInput& APass) {
    std::vector<TKvAxisTick> ticks;
    const double step = KvSoundMajorStep(std::fabs(APass.Step));
    const double start = KvTickStart(APass);
    const bool log = IsLogarithmicScale(APass.ScaleMode);
    const double nearZero = std::min(step / 2, 1.5e-45);
    const int32_t minorCount = std::min(KvSoundMinorCount(APass.MinorCount), KvMaxMinorTicks);
    const double h = std::isnan(APass.MinDistance) ? 0.0 : std::max(APass.MinDistance, 0.0);
    auto inside = [&](int32_t APixel) { return APass.Start <= APixel && APixel < APass.End; };

    bool lowerRan = false;
    for (const int direction : {-1, 1}) {
        if (direction < 0 ? !(APass.Range.Min < 0) : !(APass.Range.Max > 0))
            continue;
        const std::vector<TPassEntry> entries =
            PassValues(APass, step, Approach(APass, step, start, direction), direction);
        std::vector<double> values(entries.size());
        std::vector<int32_t> pixels(entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i)
            values[i] = entries[i].Value;
        KvTickPixels(values.data(), static_cast<int32_t>(values.size()), APass.Mapping, APass.End,
                     log, pixels.data());
        // The direction pixels move in as this pass's values move.
        const int32_t pixelDirection = (APass.Mapping.Scale > 0) == (direction < 0) ? 1 : -1;
        bool havePrevious = false;
        int32_t last = 0;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const int32_t j = pixels[i];
            if (havePrevious &&
                !(static_cast<double>((static_cast<int64_t>(j) - last) * pixelDirection) > h))
                continue;
            // The start value belongs to both passes; the lower one drew it.
            const bool duplicate = i == 0 && lowerRan;
            if (entries[i].Draw && inside(j) && !duplicate)
                ticks.push_back(
                    {j, entries[i].Value, false, std::fabs(entries[i].Value) < nearZero});
            if (havePrevious) {
                const int64_t gap = std::abs(static_cast<int64_t>(j) - last);
                const int32_t count = static_cast<int32_t>(std::min<int64_t>(minorCount, gap - 1));
                int64_t e = last;
                for (int32_t k = 0; k < count; ++k) {
                    e += (j - e) / (count - k + 1);
                    if (inside(static_cast<int32_t>(e)))
                        ticks.push_back({static_cast<int32_t>(e), entries[i].Value, true, false});
                }
            }
            last = j;
            havePrevious = true;
        }
        if (direction < 0)
            lowerRan = true;
    }
    return ticks;
}
