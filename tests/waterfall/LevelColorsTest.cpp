// The level colour mapping: the ramp, grey scale and colour lists by their
// rules, the default colours of new list items, safe results for NaN,
// infinities and overflowing ranges, and the row mapper against the
// per-value mapping.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "waterfall/KvLevelColors.h"

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// A 32-bit pixel: blue in the low byte.
constexpr uint32_t Pixel(uint32_t r, uint32_t g, uint32_t b) {
    return (r << 16) | (g << 8) | b;
}

// The ramp built as a walk: each segment starts on the colour its
// predecessor ended with and moves one channel by one unit a step (blue up,
// green up, blue down, red up, green down, blue up to half).
std::vector<TColor> WalkedRamp() {
    struct TLeg {
        int Channel; // 0 red, 1 green, 2 blue
        int Delta;
        int Steps;
    };
    const TLeg Legs[] = {{2, +1, 256}, {1, +1, 256}, {2, -1, 256},
                         {0, +1, 256}, {1, -1, 256}, {2, +1, 129}};
    int c[3] = {0, 0, 0};
    std::vector<TColor> Result;
    for (const TLeg& Leg : Legs) {
        for (int i = 0; i < Leg.Steps; ++i) {
            if (i > 0)
                c[Leg.Channel] += Leg.Delta;
            Result.push_back(RGBColor(uint8_t(c[0]), uint8_t(c[1]), uint8_t(c[2])));
        }
    }
    return Result;
}

// Fractions for "many fractions" checks: ends, ties of every mode's
// rounding, and pseudo-random values, with a fixed seed.
std::vector<double> ManyFractions() {
    std::vector<double> Result{0.0, 1.0, 0.5, 0.25, 0.75, DBL_MIN, 1.0 - DBL_EPSILON / 2};
    for (int k = 0; k <= 2816; ++k)
        Result.push_back(k / 2816.0);
    for (int k = 0; k <= 510; ++k)
        Result.push_back(k / 510.0);
    std::mt19937_64 Random(20);
    std::uniform_real_distribution<double> Unit(0.0, 1.0);
    for (int i = 0; i < 20000; ++i)
        Result.push_back(Unit(Random));
    return Result;
}

std::vector<TKvLevelColorMap> EveryMode() {
    const TColor Five[] = {clNavy, RGBColor(10, 200, 30), clBtnFace, clWhite, RGBColor(250, 1, 77)};
    const TColor Single[] = {RGBColor(0, 0, 200)};
    const TColor System[] = {clBtnFace};
    return {TKvLevelColorMap(),
            TKvLevelColorMap(true, Five),
            TKvLevelColorMap(false, Single),
            TKvLevelColorMap(false, System),
            TKvLevelColorMap(false, std::span(Five, 2)),
            TKvLevelColorMap(false, Five)};
}

TEST(LevelColors, BuiltInRampFollowsTheScale) {
    EXPECT_EQ(BuiltInLevelRamp(0, 1), RGBColor(0, 0, 0));
    EXPECT_EQ(BuiltInLevelRamp(0.5, 1), RGBColor(0, 255, 63));
    EXPECT_EQ(BuiltInLevelRamp(1, 1), RGBColor(255, 0, 128));
    EXPECT_EQ(BuiltInLevelRamp(3, 0), RGBColor(0, 255, 63)); // zero range: step 704

    const std::vector<TColor> Walk = WalkedRamp();
    ASSERT_EQ(Walk.size(), 1409u);
    for (uint32_t s = 0; s <= 1408; ++s) {
        ASSERT_EQ(BuiltInLevelRamp(s, 1408), Walk[s]) << s;
        ASSERT_EQ(TKvLevelColorMap().ValueToColorGBR(s, 1408), SwapRedBlue(uint32_t(Walk[s])));
    }

    // f * 1408 lands on halves at these fractions: 16.5 and 38.5 go down
    // to even, 5.5 up.
    EXPECT_EQ(BuiltInLevelRampStep(1, 256), 6u);
    EXPECT_EQ(BuiltInLevelRampStep(3, 256), 16u);
    EXPECT_EQ(BuiltInLevelRampStep(7, 256), 38u);
}

TEST(LevelColors, GrayScaleRoundsTiesToEven) {
    const TKvLevelColorMap Gray(true, {});
    EXPECT_EQ(Gray.ValueToColor(1, 1), clWhite);
    EXPECT_EQ(Gray.ValueToColor(0, 1), clBlack);
    EXPECT_EQ(Gray.ValueToColor(0.5, 1), RGBColor(128, 128, 128));
    EXPECT_EQ(Gray.ValueToColor(5, 0), RGBColor(128, 128, 128)); // zero range: the middle
    for (const double f : ManyFractions()) {
        const auto g = uint8_t(std::nearbyint(f * 255));
        ASSERT_EQ(Gray.ValueToColor(f, 1), RGBColor(g, g, g)) << f;
    }
    // Grey wins over a colour list.
    const TColor Colors[] = {clRed, clBlue};
    EXPECT_EQ(TKvLevelColorMap(true, Colors).ValueToColor(1, 1), clWhite);
}

TEST(LevelColors, ColourListInterpolatesSegments) {
    const TColor BlackWhite[] = {clBlack, clWhite};
    EXPECT_EQ(TKvLevelColorMap(false, BlackWhite).ValueToColor(0.5, 1), RGBColor(128, 128, 128));
    const TColor WhiteBlack[] = {clWhite, clBlack};
    // 255 + rnd(-127.5) = 255 - 128
    EXPECT_EQ(TKvLevelColorMap(false, WhiteBlack).ValueToColor(0.5, 1), RGBColor(127, 127, 127));

    const TColor Three[] = {clBlack, RGBColor(100, 200, 50), clWhite};
    const TKvLevelColorMap Map(false, Three);
    EXPECT_EQ(Map.ValueToColor(0, 8), clBlack);
    EXPECT_EQ(Map.ValueToColor(4, 8), RGBColor(100, 200, 50));
    EXPECT_EQ(Map.ValueToColor(8, 8), clWhite); // the end, not a segment past it
    EXPECT_EQ(Map.ValueToColor(2, 8), RGBColor(50, 100, 25));
    // 100 + rnd(77.5), 200 + rnd(27.5), 50 + rnd(102.5)
    EXPECT_EQ(Map.ValueToColor(6, 8), RGBColor(178, 228, 152));

    // Ends of a list are resolved: a system colour shows as the palette's.
    const TColor WithSystem[] = {clBtnFace, clBlack};
    const QColor Face = QGuiApplication::palette().color(QPalette::Button);
    EXPECT_EQ(TKvLevelColorMap(false, WithSystem).ValueToColor(0, 1),
              RGBColor(uint8_t(Face.red()), uint8_t(Face.green()), uint8_t(Face.blue())));
}

TEST(LevelColors, OneColourRampsFromBlackAsStored) {
    const TColor Single[] = {RGBColor(0, 0, 200)};
    const TKvLevelColorMap Map(false, Single);
    EXPECT_EQ(Map.ValueToColor(0.5, 1), RGBColor(0, 0, 100));
    EXPECT_EQ(Map.ValueToColorGBR(0.5, 1), Pixel(0, 0, 100));
    EXPECT_EQ(Map.ValueToColor(0, 1), clBlack);
    // 201 * 0.5 = 100.5 goes to 100, 3 * 0.5 = 1.5 to 2.
    const TColor Odd[] = {RGBColor(201, 3, 255)};
    EXPECT_EQ(TKvLevelColorMap(false, Odd).ValueToColor(0.5, 1), RGBColor(100, 2, 128));
    // A system colour is not resolved here: its low bytes ramp.
    const TColor System[] = {clBtnFace};
    EXPECT_EQ(TKvLevelColorMap(false, System).ValueToColor(1, 1), RGBColor(15, 0, 0));
}

TEST(LevelColors, PixelsAreColoursWithRedAndBlueExchanged) {
    const std::vector<double> Fractions = ManyFractions();
    for (const TKvLevelColorMap& Map : EveryMode()) {
        for (const double f : Fractions) {
            ASSERT_EQ(Map.ValueToColorGBR(f, 1), SwapRedBlue(uint32_t(Map.ValueToColor(f, 1))))
                << f;
            // Scaling both arguments by a power of two keeps the fraction.
            ASSERT_EQ(Map.ValueToColor(f * 1024, 1024), Map.ValueToColor(f, 1)) << f;
        }
    }
}

TEST(LevelColors, UndefinedInputsTakeDefinedColours) {
    const TColor Three[] = {clRed, clLime, clBlue};
    for (const TKvLevelColorMap& Map : EveryMode()) {
        const TColor Bottom = Map.ValueToColor(0, 1);
        const TColor Top = Map.ValueToColor(1, 1);
        EXPECT_EQ(Map.BottomColor(), Bottom);
        EXPECT_EQ(Map.ValueToColor(NaN, 10), Bottom);
        EXPECT_EQ(Map.ValueToColor(5, NaN), Bottom);
        EXPECT_EQ(Map.ValueToColorGBR(NaN, 10), SwapRedBlue(uint32_t(Bottom)));
        EXPECT_EQ(Map.ValueToColor(Inf, 10), Top);
        EXPECT_EQ(Map.ValueToColor(-Inf, 10), Bottom);
        EXPECT_EQ(Map.ValueToColor(Inf, Inf), Top);
        EXPECT_EQ(Map.ValueToColor(5, Inf), Bottom);
        // Callers that do not clamp get the ends.
        EXPECT_EQ(Map.ValueToColor(25, 10), Top);
        EXPECT_EQ(Map.ValueToColor(-5, 10), Bottom);
        EXPECT_EQ(Map.ValueToColor(DBL_MAX, DBL_MIN), Top);
    }
    const TKvLevelColorMap List(false, Three);
    EXPECT_EQ(List.BottomColor(), clRed);
    // MaxValue * k overflows, MaxValue / (n - 1) underflows: still the rule's point.
    EXPECT_EQ(List.ValueToColor(0.9 * DBL_MAX, DBL_MAX), List.ValueToColor(0.9, 1));
    const double Tiny = std::numeric_limits<double>::denorm_min();
    EXPECT_EQ(List.ValueToColor(Tiny, Tiny), clBlue);
}

TEST(LevelColors, NewItemsTakeTheLeastUsedPaletteColour) {
    std::vector<TColor> Items;
    for (int i = 0; i < 16; ++i)
        Items.push_back(DefaultLevelColor(Items));
    // Aqua's second entry never wins; after all fourteen the palette restarts.
    const std::vector<TColor> Expected{clBlack, clBlue,  clLime,  clYellow, clRed,    clAqua,
                                       clCream, clOlive, clWhite, clSilver, clPurple, clFuchsia,
                                       clTeal,  clNavy,  clBlack, clBlue};
    EXPECT_EQ(Items, Expected);
    EXPECT_EQ(DefaultLevelColor(std::vector<TColor>{clBlack, clBlack, clBlue}), clLime);
    EXPECT_EQ(DefaultLevelColor(std::vector<TColor>{clBlue, RGBColor(1, 2, 3)}), clBlack);
}

TEST(LevelRange, ReducesClampsAndKeepsFractionsOfWideRanges) {
    const TKvLevelColorMap Ramp;
    const auto Gbr = [&](const TKvLevelRange& R, double v) {
        const TKvLevelRange::TArgs a = R.Reduce(v);
        return Ramp.ValueToColorGBR(a.AValue, a.MaxValue);
    };
    const uint32_t Bottom = Pixel(0, 0, 0), Middle = Pixel(0, 255, 63), Top = Pixel(255, 0, 128);

    const TKvLevelRange Wide(-DBL_MAX, DBL_MAX, false);
    EXPECT_EQ(Gbr(Wide, 0), Middle);
    EXPECT_EQ(Gbr(Wide, DBL_MAX), Top);
    EXPECT_EQ(Gbr(Wide, -DBL_MAX), Bottom);
    EXPECT_EQ(Gbr(Wide, Inf), Top);
    EXPECT_EQ(Gbr(Wide, -Inf), Bottom);
    EXPECT_EQ(Gbr(Wide, NaN), Bottom);
    EXPECT_EQ(Gbr(Wide, DBL_MAX / 2), Pixel(255, 223, 0)); // 0.75: step 1056

    const TKvLevelRange Reversed(10, 0, false);
    EXPECT_EQ(Gbr(Reversed, 10), Bottom);
    EXPECT_EQ(Gbr(Reversed, 0), Top);
    EXPECT_EQ(Gbr(Reversed, -3), Top);
    EXPECT_EQ(Gbr(Reversed, 2.5), Pixel(255, 223, 0));

    const TKvLevelRange Empty(5, 5, false); // width 1, everything clamped to the minimum
    EXPECT_EQ(Gbr(Empty, 7), Bottom);

    const TKvLevelRange Log(0, 999, true);      // 0..3 after the transform
    EXPECT_EQ(Gbr(Log, 9), Pixel(0, 213, 255)); // 1/3: step 469
    EXPECT_EQ(Gbr(Log, -5), Bottom);
    EXPECT_DOUBLE_EQ(LevelTransform(-99), -2.0);
}

TEST(LevelRange, BarPositionIsUnclampedAndNaNSitsAtTheBottom) {
    const TKvLevelRange Linear(0, 100, false);
    EXPECT_EQ(Linear.BarPosition(25, 200), 50);
    EXPECT_EQ(Linear.BarPosition(1.25, 200), 2); // 2.5 to even
    EXPECT_EQ(Linear.BarPosition(-50, 200), -100);
    EXPECT_EQ(Linear.BarPosition(NaN, 200), 0);
    EXPECT_EQ(Linear.BarPosition(Inf, 200), std::nullopt);
    EXPECT_EQ(Linear.BarPosition(-1e300, 200), std::nullopt);
    EXPECT_EQ(TKvLevelRange(5, 5, false).BarPosition(5.5, 10), 5);
    EXPECT_EQ(TKvLevelRange(-DBL_MAX, DBL_MAX, false).BarPosition(0, 100), 50);
    EXPECT_EQ(TKvLevelRange(-DBL_MAX, DBL_MAX, false).BarPosition(DBL_MAX, 100), 100);
    EXPECT_EQ(TKvLevelRange(0, 999, true).BarPosition(9, 300), 100);
}

TEST(LevelRowMapper, EqualsThePerValueMappingOnEveryRange) {
    std::vector<double> Row{
        NaN,      Inf,     -Inf,        DBL_MAX,
        -DBL_MAX, DBL_MIN, -DBL_MIN,    0.0,
        -0.0,     1000.0,  -1000.0,     1e-300,
        5.0,      1e6,     DBL_MAX / 2, std::numeric_limits<double>::denorm_min()};
    // Values whose step lands on or next to a half on the 0..1000 range,
    // where any shortcut in the arithmetic (a reciprocal, a fused multiply)
    // would round differently.
    for (const double Steps : {1408.0, 255.0}) {
        for (int k = 0; k < int(Steps); ++k) {
            const double v = (k + 0.5) * 1000 / Steps;
            Row.insert(Row.end(), {std::nextafter(v, -Inf), v, std::nextafter(v, Inf)});
        }
    }
    // Quarter points of the five-colour list's segments, where channel
    // steps land on halves.
    for (int k = 0; k < 16; ++k)
        Row.insert(Row.end(),
                   {std::nextafter(62.5 * k, -Inf), 62.5 * k, std::nextafter(62.5 * k, Inf)});
    std::mt19937_64 Random(4096);
    std::uniform_real_distribution<double> Spread(-1200.0, 1200.0);
    for (int i = 0; i < 4097; ++i)
        Row.push_back(Spread(Random));
    const TKvLevelRange Ranges[] = {
        {0, 1000, false},   {1000, 0, false},         {-DBL_MAX, DBL_MAX, false}, {5, 5, false},
        {0, 1e6, true},     {-1e3, 1e3, true},        {NaN, 10, false},           {0, Inf, false},
        {-Inf, Inf, false}, {-1e-300, 1e-300, false}, {-3.3, 1e3 / 3, false}};
    std::vector<uint32_t> Pixels(Row.size());
    for (const int Lanes : {4, 2, 1}) {
        SetLevelRowLanes(Lanes);
        for (const TKvLevelColorMap& Map : EveryMode()) {
            for (const TKvLevelRange& Range : Ranges) {
                // An odd count and offset leave a tail for the plain loop.
                Map.MapRow(Row.data() + 1, Pixels.data() + 1, Row.size() - 1, Range);
                for (std::size_t i = 1; i < Row.size(); ++i) {
                    const TKvLevelRange::TArgs a = Range.Reduce(Row[i]);
                    ASSERT_EQ(Pixels[i], Map.ValueToColorGBR(a.AValue, a.MaxValue))
                        << "value " << Row[i] << " range " << Range.Min() << ".." << Range.Max()
                        << " lanes " << Lanes;
                }
            }
        }
    }
    SetLevelRowLanes(4);
}

} // namespace
