#include "waterfall/KvLevelColors.h"

#include <algorithm>
#include <cmath>

namespace {

using TArgs = TKvLevelRange::TArgs;

constexpr uint32_t RGB(uint32_t r, uint32_t g, uint32_t b) {
    return r | (g << 8) | (b << 16);
}

constexpr uint32_t RampRGB(uint32_t s) {
    const uint32_t b = s % 256;
    if (s < 256)
        return RGB(0, 0, b);
    if (s < 512)
        return RGB(0, b, 255);
    if (s < 768)
        return RGB(0, 255, 255 - b);
    if (s < 1024)
        return RGB(b, 255, 0);
    if (s < 1280)
        return RGB(255, 255 - b, 0);
    return RGB(255, 0, b);
}

struct TRampTables {
    std::array<uint32_t, LevelRampSteps + 1> Rgb{};
    std::array<uint32_t, LevelRampSteps + 1> Gbr{};
};

constexpr TRampTables MakeRampTables() {
    TRampTables Tables;
    for (uint32_t s = 0; s <= LevelRampSteps; ++s) {
        Tables.Rgb[s] = RampRGB(s);
        Tables.Gbr[s] = SwapRedBlue(RampRGB(s));
    }
    return Tables;
}

constexpr TRampTables RampTables = MakeRampTables();

// The arguments the rules may use unchanged: both finite and the fraction
// within 0..1, which callers normally guarantee. Anything else becomes a
// fraction over 1 that the rules cannot turn into NaN or an index past the
// end: NaN the bottom, infinities and overflowing fractions an end, a zero
// MaxValue the middle (where the built-in ramp puts it).
TArgs SafeArgs(double AValue, double MaxValue) {
    if (std::isnan(AValue) || std::isnan(MaxValue))
        return {0.0, 1.0};
    if (MaxValue == 0.0)
        return {0.5, 1.0};
    const double f = AValue / MaxValue;
    if (std::isfinite(AValue) && std::isfinite(MaxValue) && f >= 0.0 && f <= 1.0)
        return {AValue, MaxValue};
    if (std::isnan(f)) // both infinite
        return {(AValue > 0) == (MaxValue > 0) ? 1.0 : 0.0, 1.0};
    return {std::clamp(f, 0.0, 1.0), 1.0};
}

// A value of a safe fraction's rule, rounded; the rules keep it within
// 0..1408, so the conversion is exact.
uint32_t RoundedStep(double x) {
    return static_cast<uint32_t>(LevelRound(x));
}

double Clamp(double AValue, double ALow, double AHigh) {
    // NaN passes both comparisons unchanged; the mapping gives it the bottom.
    const double c = AValue < ALow ? ALow : AValue;
    return c > AHigh ? AHigh : c;
}

} // namespace

double LevelTransform(double x) {
    return x >= 0.0 ? std::log10(x + 1.0) : -std::log10(1.0 - x);
}

uint32_t BuiltInLevelRampStep(double AValue, double MaxValue) {
    const TArgs a = SafeArgs(AValue, MaxValue);
    return std::min(RoundedStep(a.AValue / a.MaxValue * LevelRampSteps), LevelRampSteps);
}

TColor LevelRampColor(uint32_t s) {
    return static_cast<TColor>(RampTables.Rgb[std::min(s, LevelRampSteps)]);
}

TColor BuiltInLevelRamp(double AValue, double MaxValue) {
    return static_cast<TColor>(RampTables.Rgb[BuiltInLevelRampStep(AValue, MaxValue)]);
}

TColor DefaultLevelColor(std::span<const TColor> AOtherColors) {
    TColor Best = DefaultLevelColorPalette[0];
    std::ptrdiff_t BestCount = -1;
    for (const TColor Candidate : DefaultLevelColorPalette) {
        const std::ptrdiff_t Count =
            std::count(AOtherColors.begin(), AOtherColors.end(), Candidate);
        if (BestCount < 0 || Count < BestCount) {
            Best = Candidate;
            BestCount = Count;
        }
    }
    return Best;
}

TKvLevelRange::TKvLevelRange(double AMin, double AMax, bool ALogarithmic)
    : FMin(ALogarithmic ? LevelTransform(AMin) : AMin),
      FMax(ALogarithmic ? LevelTransform(AMax) : AMax), FLogarithmic(ALogarithmic),
      FLow(std::min(FMin, FMax)), FHigh(std::max(FMin, FMax)), FScale(1.0), FScaledMin(FMin),
      FWidth(FMax - FMin) {
    if (std::isinf(FWidth) && std::isfinite(FMin) && std::isfinite(FMax)) {
        // At half scale the width fits; halving loses at most the last bit of
        // a subnormal, which no fraction of so wide a range can show.
        FScale = 0.5;
        FScaledMin = FMin * 0.5;
        FWidth = FMax * 0.5 - FScaledMin;
    }
    if (FWidth == 0.0)
        FWidth = 1.0;
}

TArgs TKvLevelRange::Reduce(double AValue) const {
    const double v = FLogarithmic ? LevelTransform(AValue) : AValue;
    return {Clamp(v, FLow, FHigh) * FScale - FScaledMin, FWidth};
}

std::optional<int32_t> TKvLevelRange::BarPosition(double AValue, int32_t ALength) const {
    const double v = FLogarithmic ? LevelTransform(AValue) : AValue;
    const double p = (v * FScale - FScaledMin) / FWidth * ALength;
    if (std::isnan(p))
        return 0;
    if (!(p > -2147483648.5 && p < 2147483647.5))
        return std::nullopt;
    return static_cast<int32_t>(LevelRound(p));
}

TKvLevelColorMap::TKvLevelColorMap() = default;

TKvLevelColorMap::TKvLevelColorMap(bool AGrayScale, std::span<const TColor> AColors) {
    if (AGrayScale)
        FMode = TMode::Gray;
    else if (AColors.size() == 1) {
        FMode = TMode::Single;
        FSingle = AColors[0];
    } else if (AColors.size() >= 2) {
        FMode = TMode::List;
        FColors.reserve(AColors.size());
        for (const TColor Color : AColors)
            FColors.push_back(ColorToRGB(Color));
    }
}

uint32_t TKvLevelColorMap::ListColor(double AValue, double MaxValue) const {
    const auto n = static_cast<uint32_t>(FColors.size());
    const double Segments = n - 1;
    const double f = AValue / MaxValue;
    const uint32_t k =
        f != 1.0 ? std::min(static_cast<uint32_t>(std::trunc(f * Segments)), n - 2) : n - 2;
    double t = (AValue - MaxValue * k / Segments) / (MaxValue / Segments);
    // Only extreme magnitudes (MaxValue * k overflowing, MaxValue / (n - 1)
    // underflowing) leave t undefined; the fraction gives the same point.
    if (!std::isfinite(t))
        t = f * Segments - k;
    // Rounding may step just outside the segment; the ends are its colours.
    t = std::clamp(t, 0.0, 1.0);
    const uint32_t From = FColors[k];
    const uint32_t To = FColors[k + 1];
    uint32_t Result = 0;
    for (int Shift = 0; Shift <= 16; Shift += 8) {
        const auto c0 = static_cast<int32_t>((From >> Shift) & 0xFF);
        const auto c1 = static_cast<int32_t>((To >> Shift) & 0xFF);
        const auto c = c0 + static_cast<int32_t>(LevelRound((c1 - c0) * t));
        Result |= (static_cast<uint32_t>(c) & 0xFF) << Shift;
    }
    return Result;
}

uint32_t TKvLevelColorMap::SingleColor(double AValue, double MaxValue) const {
    // The stored value, not resolved: a system colour's low bytes are used
    // as they are.
    const auto Stored = static_cast<uint32_t>(FSingle);
    const double f = AValue / MaxValue;
    uint32_t Result = 0;
    for (int Shift = 0; Shift <= 16; Shift += 8)
        Result |= RoundedStep(((Stored >> Shift) & 0xFF) * f) << Shift;
    return Result;
}

uint32_t TKvLevelColorMap::MapSafe(double AValue, double MaxValue) const {
    switch (FMode) {
    case TMode::Gray:
        return (RoundedStep(AValue / MaxValue * 255) & 0xFF) * 0x010101u;
    case TMode::List:
        return ListColor(AValue, MaxValue);
    case TMode::Single:
        return SingleColor(AValue, MaxValue);
    case TMode::Ramp:
        break;
    }
    return RampTables
        .Rgb[std::min(RoundedStep(AValue / MaxValue * LevelRampSteps), LevelRampSteps)];
}

TColor TKvLevelColorMap::ValueToColor(double AValue, double MaxValue) const {
    const TArgs a = SafeArgs(AValue, MaxValue);
    return static_cast<TColor>(MapSafe(a.AValue, a.MaxValue));
}

uint32_t TKvLevelColorMap::ValueToColorGBR(double AValue, double MaxValue) const {
    const TArgs a = SafeArgs(AValue, MaxValue);
    return SwapRedBlue(MapSafe(a.AValue, a.MaxValue));
}

template <class TStep>
void TKvLevelColorMap::MapRowByStep(const double* AValues, uint32_t* APixels, std::size_t ACount,
                                    const TKvLevelRange& ARange, TStep AStep) const {
    const double Low = ARange.FLow;
    const double High = ARange.FHigh;
    const double Scale = ARange.FScale;
    const double ScaledMin = ARange.FScaledMin;
    const double Width = ARange.FWidth;
    const bool Logarithmic = ARange.FLogarithmic;
    for (std::size_t i = 0; i < ACount; ++i) {
        const double v = Logarithmic ? LevelTransform(AValues[i]) : AValues[i];
        APixels[i] = AStep(Clamp(v, Low, High) * Scale - ScaledMin, Width);
    }
}

void TKvLevelColorMap::MapRow(const double* AValues, uint32_t* APixels, std::size_t ACount,
                              const TKvLevelRange& ARange) const {
    // With finite bounds and width the reduced value lies within the range,
    // so the arguments are already safe except for NaN: the rule's
    // arithmetic can run directly, with NaN sent to step 0 (the bottom).
    const bool Finite =
        std::isfinite(ARange.FLow) && std::isfinite(ARange.FHigh) && std::isfinite(ARange.FWidth);
    if (Finite && FMode == TMode::Ramp) {
        MapRowByStep(AValues, APixels, ACount, ARange, [](double AValue, double MaxValue) {
            const double s = AValue / MaxValue * LevelRampSteps;
            return RampTables.Gbr[RoundedStep(s == s ? s : 0.0)];
        });
    } else if (Finite && FMode == TMode::Gray) {
        MapRowByStep(AValues, APixels, ACount, ARange, [](double AValue, double MaxValue) {
            const double g = AValue / MaxValue * 255;
            return RoundedStep(g == g ? g : 0.0) * 0x010101u;
        });
    } else {
        MapRowByStep(AValues, APixels, ACount, ARange, [this](double AValue, double MaxValue) {
            return ValueToColorGBR(AValue, MaxValue);
        });
    }
}
