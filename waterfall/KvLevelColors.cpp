#include "waterfall/KvLevelColors.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define KV_LEVEL_X86 1
#endif

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

constexpr std::array<uint32_t, 256> MakeGrayTable() {
    std::array<uint32_t, 256> Table{};
    for (uint32_t g = 0; g < 256; ++g)
        Table[g] = g * 0x010101u;
    return Table;
}

constexpr std::array<uint32_t, 256> GrayTable = MakeGrayTable();

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
    return {ReduceTransformed(FLogarithmic ? LevelTransform(AValue) : AValue), FWidth};
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

namespace {

std::atomic<int> RowLanes{4};

#ifdef KV_LEVEL_X86
// The kernels below give the rule's steps without its division: one
// multiplication by (scale / width) differs from dividing by the width and
// then multiplying by the scale by at most 4 units in the last place of the
// fraction times the scale (below 1e-12 for scales up to 1408). Unless that
// lands within 1e-9 of a half, both round to the same step; groups holding
// one that does are redone the rule's way.
//
// maxpd and minpd return their second operand when one is NaN: clamping
// towards the minimum first turns NaN into the minimum, which reduces to 0
// and so gives step 0, as the rule does.
struct TStepConstants {
    double Low;
    double High;
    double Scale;
    double ScaledMin;
    double Factor;
};

constexpr double RoundShift = 6755399441055744.0; // as in LevelRound
constexpr double NearHalf = 0.5 - 1e-9;

template <bool Reversed, class TExact>
std::size_t MapStepsSse2(const double* AValues, uint32_t* APixels, std::size_t ACount,
                         const TStepConstants& K, const uint32_t* ATable, const TExact& AExact) {
    const __m128d Low = _mm_set1_pd(K.Low);
    const __m128d High = _mm_set1_pd(K.High);
    const __m128d Scale = _mm_set1_pd(K.Scale);
    const __m128d ScaledMin = _mm_set1_pd(K.ScaledMin);
    const __m128d Factor = _mm_set1_pd(K.Factor);
    const __m128d Shift = _mm_set1_pd(RoundShift);
    const __m128d Near = _mm_set1_pd(NearHalf);
    const __m128d Sign = _mm_set1_pd(-0.0);
    const auto Steps = [&](__m128d v, __m128d& ANear) {
        const __m128d c =
            Reversed ? _mm_max_pd(_mm_min_pd(v, High), Low) : _mm_min_pd(_mm_max_pd(v, Low), High);
        const __m128d s = _mm_mul_pd(_mm_sub_pd(_mm_mul_pd(c, Scale), ScaledMin), Factor);
        const __m128d r = _mm_sub_pd(_mm_add_pd(s, Shift), Shift);
        ANear = _mm_cmpge_pd(_mm_andnot_pd(Sign, _mm_sub_pd(s, r)), Near);
        return static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_cvttpd_epi32(r)));
    };
    std::size_t i = 0;
    for (; i + 4 <= ACount; i += 4) {
        __m128d Near01, Near23;
        const uint64_t s01 = Steps(_mm_loadu_pd(AValues + i), Near01);
        const uint64_t s23 = Steps(_mm_loadu_pd(AValues + i + 2), Near23);
        APixels[i] = ATable[static_cast<uint32_t>(s01)];
        APixels[i + 1] = ATable[static_cast<uint32_t>(s01 >> 32)];
        APixels[i + 2] = ATable[static_cast<uint32_t>(s23)];
        APixels[i + 3] = ATable[static_cast<uint32_t>(s23 >> 32)];
        if (_mm_movemask_pd(_mm_or_pd(Near01, Near23)) != 0)
            for (std::size_t j = i; j < i + 4; ++j)
                APixels[j] = AExact(AValues[j]);
    }
    return i;
}

template <bool Reversed>
__attribute__((target("avx2"))) inline __m128i StepsAvx2(__m256d v, const TStepConstants& K,
                                                         __m256d& ANear) {
    const __m256d Low = _mm256_set1_pd(K.Low);
    const __m256d High = _mm256_set1_pd(K.High);
    const __m256d c = Reversed ? _mm256_max_pd(_mm256_min_pd(v, High), Low)
                               : _mm256_min_pd(_mm256_max_pd(v, Low), High);
    const __m256d s = _mm256_mul_pd(
        _mm256_sub_pd(_mm256_mul_pd(c, _mm256_set1_pd(K.Scale)), _mm256_set1_pd(K.ScaledMin)),
        _mm256_set1_pd(K.Factor));
    const __m256d Shift = _mm256_set1_pd(RoundShift);
    const __m256d r = _mm256_sub_pd(_mm256_add_pd(s, Shift), Shift);
    const __m256d Distance = _mm256_andnot_pd(_mm256_set1_pd(-0.0), _mm256_sub_pd(s, r));
    ANear = _mm256_cmp_pd(Distance, _mm256_set1_pd(NearHalf), _CMP_GE_OQ);
    return _mm256_cvttpd_epi32(r);
}

template <bool Reversed, class TExact>
__attribute__((target("avx2"))) std::size_t
MapStepsAvx2(const double* AValues, uint32_t* APixels, std::size_t ACount, const TStepConstants& K,
             const uint32_t* ATable, const TExact& AExact) {
    std::size_t i = 0;
    for (; i + 8 <= ACount; i += 8) {
        __m256d Near0, Near1;
        const __m128i s0 = StepsAvx2<Reversed>(_mm256_loadu_pd(AValues + i), K, Near0);
        const __m128i s1 = StepsAvx2<Reversed>(_mm256_loadu_pd(AValues + i + 4), K, Near1);
        alignas(32) uint32_t Steps[8];
        _mm256_store_si256(reinterpret_cast<__m256i*>(Steps), _mm256_set_m128i(s1, s0));
        for (int j = 0; j < 8; ++j)
            APixels[i + j] = ATable[Steps[j]];
        if (_mm256_movemask_pd(_mm256_or_pd(Near0, Near1)) != 0)
            for (std::size_t j = i; j < i + 8; ++j)
                APixels[j] = AExact(AValues[j]);
    }
    return i;
}

bool HasAvx2() {
    static const bool Has = __builtin_cpu_supports("avx2");
    return Has;
}
#endif

} // namespace

void SetLevelRowLanes(int ALanes) {
    RowLanes.store(ALanes, std::memory_order_relaxed);
}

template <bool Reversed>
void TKvLevelColorMap::MapSteps(const double* AValues, uint32_t* APixels, std::size_t ACount,
                                const TKvLevelRange& ARange, double AScale,
                                const uint32_t* ATable) {
    const double Width = ARange.FWidth;
    // The rule's step; NaN at step 0 (the bottom).
    const auto Exact = [&](double AValue) {
        const double s = ARange.ReduceTransformed(AValue) / Width * AScale;
        return ATable[static_cast<uint32_t>(LevelRound(s == s ? s : 0.0))];
    };
    std::size_t i = 0;
#ifdef KV_LEVEL_X86
    const TStepConstants K{ARange.FLow, ARange.FHigh, ARange.FScale, ARange.FScaledMin,
                           AScale / Width};
    const int Lanes = RowLanes.load(std::memory_order_relaxed);
    if (std::isfinite(K.Factor)) {
        if (Lanes >= 4 && HasAvx2())
            i = MapStepsAvx2<Reversed>(AValues, APixels, ACount, K, ATable, Exact);
        else if (Lanes >= 2)
            i = MapStepsSse2<Reversed>(AValues, APixels, ACount, K, ATable, Exact);
    }
#endif
    for (; i < ACount; ++i)
        APixels[i] = Exact(AValues[i]);
}

void TKvLevelColorMap::MapListRow(const double* AValues, uint32_t* APixels, std::size_t ACount,
                                  const TKvLevelRange& ARange) const {
    // The rules of SingleColor and ListColor with what depends only on the
    // width computed once; NaN takes the bottom colour.
    const double Width = ARange.FWidth;
    if (FMode == TMode::Single) {
        const auto Stored = static_cast<uint32_t>(FSingle);
        const double r = Stored & 0xFF, g = (Stored >> 8) & 0xFF, b = (Stored >> 16) & 0xFF;
        for (std::size_t i = 0; i < ACount; ++i) {
            double f = ARange.ReduceTransformed(AValues[i]) / Width;
            f = f == f ? f : 0.0;
            APixels[i] =
                (RoundedStep(r * f) << 16) | (RoundedStep(g * f) << 8) | RoundedStep(b * f);
        }
        return;
    }
    const auto n = static_cast<uint32_t>(FColors.size());
    const double Segments = n - 1;
    const double SegmentWidth = Width / Segments;
    std::array<double, 64> Few;
    std::vector<double> Many;
    double* Starts = Few.data();
    if (n - 1 > Few.size()) {
        Many.resize(n - 1);
        Starts = Many.data();
    }
    bool Finite = SegmentWidth != 0.0 && std::isfinite(SegmentWidth);
    for (uint32_t k = 0; k + 1 < n; ++k) {
        Starts[k] = Width * k / Segments;
        Finite = Finite && std::isfinite(Starts[k]);
    }
    if (!Finite) {
        for (std::size_t i = 0; i < ACount; ++i)
            APixels[i] = ValueToColorGBR(ARange.ReduceTransformed(AValues[i]), Width);
        return;
    }
    const uint32_t Bottom = SwapRedBlue(FColors[0]);
    for (std::size_t i = 0; i < ACount; ++i) {
        const double a = ARange.ReduceTransformed(AValues[i]);
        if (a != a) {
            APixels[i] = Bottom;
            continue;
        }
        const double f = a / Width;
        const uint32_t k = f != 1.0 ? std::min(static_cast<uint32_t>(f * Segments), n - 2) : n - 2;
        const double t = std::min(std::max((a - Starts[k]) / SegmentWidth, 0.0), 1.0);
        const uint32_t From = FColors[k];
        const uint32_t To = FColors[k + 1];
        uint32_t Color = 0;
        for (int Shift = 0; Shift <= 16; Shift += 8) {
            const auto c0 = static_cast<int32_t>((From >> Shift) & 0xFF);
            const auto c1 = static_cast<int32_t>((To >> Shift) & 0xFF);
            const auto c = c0 + static_cast<int32_t>(LevelRound((c1 - c0) * t));
            Color |= (static_cast<uint32_t>(c) & 0xFF) << Shift;
        }
        APixels[i] = SwapRedBlue(Color);
    }
}

void TKvLevelColorMap::MapRow(const double* AValues, uint32_t* APixels, std::size_t ACount,
                              const TKvLevelRange& ARange) const {
    // With finite bounds and width every reduced value lies within the
    // range, so the rules' arguments are safe as they come, NaN aside (it
    // goes to the bottom), and the rules' arithmetic runs directly. The
    // expressions are the per-value ones, operation for operation, so the
    // pixels are the same.
    const bool Finite =
        std::isfinite(ARange.FLow) && std::isfinite(ARange.FHigh) && std::isfinite(ARange.FWidth);
    if (!Finite) {
        for (std::size_t i = 0; i < ACount; ++i) {
            const TArgs a = ARange.Reduce(AValues[i]);
            APixels[i] = ValueToColorGBR(a.AValue, a.MaxValue);
        }
        return;
    }
    // A logarithmic scale goes in chunks of transformed values, a linear one
    // in one piece.
    constexpr std::size_t Chunk = 256;
    double Transformed[Chunk];
    const std::size_t Step = ARange.FLogarithmic ? Chunk : ACount;
    for (std::size_t Base = 0; Base < ACount; Base += Step) {
        const std::size_t n = std::min(Step, ACount - Base);
        const double* Values = AValues + Base;
        uint32_t* Pixels = APixels + Base;
        if (ARange.FLogarithmic) {
            for (std::size_t i = 0; i < n; ++i)
                Transformed[i] = LevelTransform(Values[i]);
            Values = Transformed;
        }
        switch (FMode) {
        case TMode::Ramp:
        case TMode::Gray: {
            const double Scale = FMode == TMode::Ramp ? LevelRampSteps : 255;
            const uint32_t* Table = FMode == TMode::Ramp ? RampTables.Gbr.data() : GrayTable.data();
            if (ARange.FMin <= ARange.FMax)
                MapSteps<false>(Values, Pixels, n, ARange, Scale, Table);
            else
                MapSteps<true>(Values, Pixels, n, ARange, Scale, Table);
            break;
        }
        case TMode::Single:
        case TMode::List:
            MapListRow(Values, Pixels, n, ARange);
            break;
        }
    }
}
