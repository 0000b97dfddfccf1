#pragma once
// The level scale's colour mapping: which colour a value gets, for the colour
// bar (red in the low byte, the stored-colour layout) and for the waterfall
// image (blue in the low byte, the 32-bit pixel layout). The level view
// forwards its GrayScale flag and its colour list here, so the bar and the
// image always agree.
//
// The mapping is defined for every input: NaN takes the bottom colour of the
// scale, fractions outside 0..1 (infinities, unclamped callers) take the end
// colours, and a zero MaxValue counts as the middle of the scale.
//
// rnd is round to nearest with ties to even, under the default rounding mode
// (as everywhere in this library).

#include "platform/Colors.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// rnd(x) for |x| < 2^51. Adding and removing 1.5 * 2^52 leaves the integer
// the FPU rounds to, ties to even; std::nearbyint gives the same but is a
// library call on baseline x86-64, and this runs for every pixel.
inline double LevelRound(double x) {
    constexpr double Shift = 6755399441055744.0;
    return (x + Shift) - Shift;
}

// The widest kernel the row mapper may use: 4 (AVX2 where the processor has
// it; the default), 2 (SSE2) or 1 (one value at a time). The pixels are the
// same with each; tests and benchmarks compare them.
void SetLevelRowLanes(int ALanes);

// The signed logarithm of logarithmic level scales: log10(x + 1) for x >= 0,
// -log10(1 - x) below.
double LevelTransform(double x);

// The built-in ramp has this many steps past its first (black).
constexpr uint32_t LevelRampSteps = 1408;

// The ramp step s = rnd(AValue / MaxValue * 1408), capped to 0..1408; 704
// for a zero MaxValue, 0 for NaN.
uint32_t BuiltInLevelRampStep(double AValue, double MaxValue);
// The colour of ramp step s (0..1408), red in the low byte.
TColor LevelRampColor(uint32_t s);
// The built-in ramp, used when the colour list is empty: black, blue, cyan,
// green, yellow, red, and red with half blue at the top. Red in the low byte.
TColor BuiltInLevelRamp(double AValue, double MaxValue);

// Exchanges the first and third byte: stored colour <-> 32-bit pixel.
constexpr uint32_t SwapRedBlue(uint32_t AColor) {
    return (AColor & 0x0000FF00u) | ((AColor & 0xFFu) << 16) | ((AColor >> 16) & 0xFFu);
}

// New colour-list items take the first of these that the other items use
// least often. Aqua is listed twice; the second never wins.
constexpr std::array<TColor, 15> DefaultLevelColorPalette = {
    clBlack, clBlue,   clLime,   clYellow,  clRed,  clAqua, clCream, clOlive,
    clWhite, clSilver, clPurple, clFuchsia, clAqua, clTeal, clNavy};

// The colour a new item gets when AOtherColors are the colours of the
// items already in the list.
TColor DefaultLevelColor(std::span<const TColor> AOtherColors);

// A level range as the image and the bar use it: the minimum and maximum,
// transformed in a logarithmic scale, and the values reduced to the pair
// (value - minimum, maximum - minimum) that the mapping takes.
//
// A range of 0 counts as 1. A range that overflows (as -DBL_MAX..DBL_MAX)
// is taken at half scale, which keeps every fraction. A minimum above the
// maximum gives a reversed scale: values are clamped between the two.
class TKvLevelRange {
public:
    struct TArgs {
        double AValue;
        double MaxValue;
    };

    TKvLevelRange(double AMin, double AMax, bool ALogarithmic);

    double Min() const { return FMin; }
    double Max() const { return FMax; }
    bool Logarithmic() const { return FLogarithmic; }

    // The mapping's arguments for AValue, clamped into the range.
    TArgs Reduce(double AValue) const;

    // Where AValue lies on a bar of ALength pixels counted from its minimum
    // end: rnd(fraction * ALength), not clamped. A NaN lies at the minimum
    // end, as it takes the bottom colour; nothing is returned for a value
    // whose position is infinite or beyond the integer range.
    std::optional<int32_t> BarPosition(double AValue, int32_t ALength) const;

private:
    friend class TKvLevelColorMap;

    // A value already transformed, clamped and reduced.
    double ReduceTransformed(double AValue) const {
        // NaN passes both comparisons unchanged; the mapping gives it the bottom.
        const double c = AValue < FLow ? FLow : AValue;
        return (c > FHigh ? FHigh : c) * FScale - FScaledMin;
    }

    double FMin;
    double FMax;
    bool FLogarithmic;
    double FLow;       // the lesser of FMin and FMax, for clamping
    double FHigh;      // the greater
    double FScale;     // 1, or 0.5 when the range overflows
    double FScaledMin; // FMin * FScale
    double FWidth;     // (FMax - FMin) at FScale; 1 for an empty range
};

// The mapping of one level view's settings: grey scale, one colour (a ramp
// from black), a list of colours equally spaced, or the built-in ramp.
// Colours of a list are resolved (system colours) once, when the map is made.
class TKvLevelColorMap {
public:
    // The built-in ramp.
    TKvLevelColorMap();
    TKvLevelColorMap(bool AGrayScale, std::span<const TColor> AColors);

    // The colour for AValue / MaxValue, red in the low byte.
    TColor ValueToColor(double AValue, double MaxValue) const;
    // The same with red and blue exchanged: a 32-bit pixel (fourth byte 0).
    uint32_t ValueToColorGBR(double AValue, double MaxValue) const;

    // The colour of the minimum, which NaN values also take.
    TColor BottomColor() const { return ValueToColor(0.0, 1.0); }

    // APixels[i] = ValueToColorGBR(ARange.Reduce(AValues[i])) for ACount
    // values.
    void MapRow(const double* AValues, uint32_t* APixels, std::size_t ACount,
                const TKvLevelRange& ARange) const;

private:
    enum class TMode { Ramp, Gray, Single, List };

    // 0x00BBGGRR for arguments already made safe by the caller.
    uint32_t MapSafe(double AValue, double MaxValue) const;
    uint32_t ListColor(double AValue, double MaxValue) const;
    uint32_t SingleColor(double AValue, double MaxValue) const;

    // ATable[rnd(fraction * AScale)] for values (transformed) reduced into
    // a range of finite bounds and width; NaN takes ATable[0].
    template <bool Reversed>
    static void MapSteps(const double* AValues, uint32_t* APixels, std::size_t ACount,
                         const TKvLevelRange& ARange, double AScale, const uint32_t* ATable);
    void MapListRow(const double* AValues, uint32_t* APixels, std::size_t ACount,
                    const TKvLevelRange& ARange) const;

    TMode FMode = TMode::Ramp;
    TColor FSingle = clBlack;      // as stored, not resolved
    std::vector<uint32_t> FColors; // resolved, 0x00BBGGRR
};
