#include "display/KvAxisTicks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

TKvAxisStepInput Axis(uint32_t ALength, TKvAxisRange ARange, double ASpacing, double ALabel,
                      TKvScaleMode AMode = smLinear) {
    TKvAxisStepInput axis;
    axis.PixelLength = ALength;
    axis.Range = ARange;
    axis.MinTickSpacing = ASpacing;
    axis.LabelSize = ALabel;
    axis.ScaleMode = AMode;
    return axis;
}

// A vertical (Y) axis over the data view rows ATop..ATop+ALength.
TKvTickPassInput YPass(TKvAxisRange ARange, double AStep, int32_t ATop, int32_t ALength) {
    TKvTickPassInput pass;
    pass.Range = ARange;
    pass.Step = AStep;
    pass.Mapping = KvGetPixelMapping(ARange, ALength, false, false);
    pass.Start = ATop;
    pass.End = ATop + ALength;
    return pass;
}

std::vector<TKvAxisTick> Majors(const std::vector<TKvAxisTick>& ATicks) {
    std::vector<TKvAxisTick> majors;
    std::copy_if(ATicks.begin(), ATicks.end(), std::back_inserter(majors),
                 [](const TKvAxisTick& t) { return !t.Minor; });
    std::sort(majors.begin(), majors.end(),
              [](const TKvAxisTick& a, const TKvAxisTick& b) { return a.Value < b.Value; });
    return majors;
}

std::vector<double> Values(const std::vector<TKvAxisTick>& ATicks) {
    std::vector<double> values;
    for (const TKvAxisTick& t : Majors(ATicks))
        values.push_back(t.Value);
    return values;
}

TEST(AxisTicks, AutoStepLeavesRoomForTheLabels) {
    // 0..1000 over 500 pixels, spacing 20, labels 30: d = 40, whose candidate
    // 50 lies 25 pixels apart (below 32), so 100 (50 pixels apart) is chosen.
    EXPECT_EQ(KvCalcAutoStep(Axis(500, {0, 1000}, 20, 30)), 100);
    // With room for the labels the first candidate stands.
    EXPECT_EQ(KvCalcAutoStep(Axis(500, {0, 1000}, 20, 10)), 50);
    EXPECT_EQ(KvCalcAutoStep(Axis(1000, {0, 1000}, 21, 5)), 25);
    // A spacing value that is a power of ten takes mantissa 1.
    EXPECT_EQ(KvCalcAutoStep(Axis(200, {0, 1000}, 20, 0)), 100);
    EXPECT_EQ(KvCalcAutoStep(Axis(20000, {0, 1}, 20, 0)), 0.001);
    // Steps are the doubles of their decimal: 0.1, not 10^-1 computed.
    EXPECT_EQ(KvCalcAutoStep(Axis(200, {0, 1}, 20, 0)), 0.1);
    EXPECT_EQ(KvCalcAutoStep(Axis(1000, {-0.003, 0.003}, 20, 0)), 0.0002);
}

TEST(AxisTicks, AutoStepHasSoundDefaults) {
    EXPECT_EQ(KvCalcAutoStep(Axis(0, {0, 1000}, 20, 30)), 1);
    EXPECT_EQ(KvCalcAutoStep(Axis(500, {5, 5}, 20, 30)), 1);
    EXPECT_EQ(KvCalcAutoStep(Axis(500, {NaN, 5}, 20, 30)), 1);
    EXPECT_EQ(KvCalcAutoStep(Axis(500, {0, 1000}, 1, 30, smLogDecascale)), 1);
    // A 1-pixel axis gets a step at least as wide as its range.
    EXPECT_GE(KvCalcAutoStep(Axis(1, {0, 1000}, 20, 12)), 1000);
    // Huge and tiny ranges give finite steps; labels that never fit end the search.
    const double wide = KvCalcAutoStep(Axis(1920, {-1e300, 1e300}, 20, 12));
    EXPECT_TRUE(std::isfinite(wide));
    EXPECT_GT(wide, 1e298);
    const double narrow = KvCalcAutoStep(Axis(1920, {1, 1 + 1e-12}, 20, 12));
    EXPECT_GT(narrow, 0);
    EXPECT_LT(narrow, 1e-12);
    EXPECT_TRUE(std::isfinite(KvCalcAutoStep(Axis(500, {0, 1000}, 20, 1e308))));
    EXPECT_EQ(KvCalcAutoStep(Axis(500, {0, 1000}, 20, NaN)), 50);
    // On a logarithmic axis the spacing is taken through SLog: d = SLog(5e4)
    // = 4.7 gives the candidate 5, and labels need rnd(SLog(14)) = 1 decade.
    EXPECT_EQ(KvCalcAutoStep(Axis(400, {0, 1e6}, 20, 12, smLogarithmic)), 5);
}

TEST(AxisTicks, UserStepIsDoubledUntilTheLabelsFit) {
    const TKvAxisStepInput axis = Axis(500, {0, 1000}, 20, 30);
    // 10 is 5 pixels apart; 80 is the first power-of-two multiple above 32.
    EXPECT_EQ(KvAdjustStep(mtmCustom, false, 10, axis), 80);
    // Override only needs more than a pixel.
    EXPECT_EQ(KvAdjustStep(mtmOverride, false, 10, axis), 10);
    EXPECT_EQ(KvAdjustStep(mtmOverride, false, 1, axis), 4);
    EXPECT_EQ(KvAdjustStep(mtmCustom, true, 10, Axis(500, {0, 1000}, 1, 30, smLogDecascale)), 10);
    EXPECT_EQ(KvAdjustStep(mtmCustom, false, 0, Axis(500, {0, 100}, 20, 0)), 1);
    EXPECT_EQ(KvAdjustStep(mtmCustom, false, NaN, Axis(500, {0, 100}, 20, 0)), 1);
    // A tiny step over a wide range ends after its doublings.
    const double doubled = KvAdjustStep(mtmCustom, false, 1e-300, Axis(1920, {0, 1e300}, 20, 12));
    EXPECT_TRUE(std::isfinite(doubled));
    EXPECT_GT(1920 * doubled / 1e300, 14);
    // Without pixels nothing is to be gained.
    EXPECT_EQ(KvAdjustStep(mtmCustom, false, 10, Axis(0, {0, 1000}, 20, 30)), 10);
}

TEST(AxisTicks, StoredSettingsAreClamped) {
    for (const double step : {0.0, -5.0, NaN, Inf})
        EXPECT_EQ(KvSoundMajorStep(step), 1) << step;
    EXPECT_EQ(KvSoundMinorCount(-3), 0);
    EXPECT_EQ(KvMinTickSpacing(12, smLinear), 20);
    EXPECT_EQ(KvMinTickSpacing(48, smLogDecascale), 1);
}

TEST(AxisTicks, AutomaticStepIsRecomputedOnlyWhenItsInputsChange) {
    TKvAxisStep step(16.0);
    EXPECT_EQ(step.GetStep(mtmAuto, 10, Axis(500, {0, 1000}, 20, 30)), 100);
    // A shift of the range keeps its width, and so the step.
    EXPECT_TRUE(step.IsValid(Axis(500, {200, 1200}, 20, 30)));
    EXPECT_FALSE(step.IsValid(Axis(250, {0, 1000}, 20, 30)));
    EXPECT_EQ(step.GetStep(mtmAuto, 10, Axis(250, {0, 1000}, 20, 30)), 200);
    step.Invalidate();
    EXPECT_FALSE(step.IsValid(Axis(250, {0, 1000}, 20, 30)));
    EXPECT_EQ(step.GetStep(mtmCustom, 10, Axis(500, {0, 1000}, 20, 30)), 80);
}

TEST(AxisTicks, TicksStartAtZeroAcrossASignChange) {
    // A Y axis from -250 at the bottom row to 1000 at the top row.
    const TKvTickPassInput pass = YPass({-250, 1000}, 300, 50, 500);
    EXPECT_EQ(KvTickStart(pass), 0);
    const std::vector<TKvAxisTick> ticks = KvTickPass(pass);
    EXPECT_EQ(Values(ticks), (std::vector<double>{0, 300, 600, 900}));
    for (const TKvAxisTick& t : Majors(ticks)) {
        const double expected = 549 - (t.Value + 250) * 499 / 1250;
        EXPECT_EQ(t.Pixel, int32_t(std::nearbyint(expected))) << t.Value;
    }
    EXPECT_TRUE(Majors(ticks)[0].NearZero);
    EXPECT_FALSE(Majors(ticks)[1].NearZero);

    // Both passes include 0; it is drawn once.
    const std::vector<double> both = Values(KvTickPass(YPass({-1000, 1000}, 500, 0, 400)));
    EXPECT_EQ(both, (std::vector<double>{-1000, -500, 0, 500, 1000}));
}

TEST(AxisTicks, AllNegativeAndAllPositiveRangesStartAtAMultipleOfTheStep) {
    const TKvTickPassInput negative = YPass({-1050, -120}, 100, 0, 931);
    EXPECT_EQ(KvTickStart(negative), -100);
    EXPECT_EQ(Values(KvTickPass(negative)),
              (std::vector<double>{-1000, -900, -800, -700, -600, -500, -400, -300, -200}));
    const TKvTickPassInput positive = YPass({130, 420}, 100, 0, 291);
    EXPECT_EQ(KvTickStart(positive), 100);
    EXPECT_EQ(Values(KvTickPass(positive)), (std::vector<double>{200, 300, 400}));
    TKvTickPassInput from = positive;
    from.StartFromSet = true;
    from.StartFrom = 155;
    EXPECT_EQ(Values(KvTickPass(from)), (std::vector<double>{155, 255, 355}));
    // A start far outside the range reaches it on the same grid.
    from.StartFrom = -1e7 + 55;
    EXPECT_EQ(Values(KvTickPass(from)), (std::vector<double>{155, 255, 355}));
    TKvTickPassInput above = negative;
    above.StartFromSet = true;
    above.StartFrom = 1e9 + 50;
    EXPECT_EQ(Values(KvTickPass(above)),
              (std::vector<double>{-1050, -950, -850, -750, -650, -550, -450, -350, -250, -150}));
}

TEST(AxisTicks, TickValuesAreExactMultiplesOfTheStep) {
    // Summing 0.1 ten times gives 0.9999999999999999; the pass does not.
    std::vector<double> expected;
    for (int k = 0; k <= 10; ++k)
        expected.push_back(k / 10.0);
    EXPECT_EQ(Values(KvTickPass(YPass({0, 1}, 0.1, 0, 1000))), expected);
    const std::vector<double> negative = Values(KvTickPass(YPass({-0.7, 0.7}, 0.1, 0, 1000)));
    ASSERT_EQ(negative.size(), 15u);
    for (std::size_t i = 0; i < negative.size(); ++i)
        EXPECT_EQ(negative[i], (int(i) - 7) / 10.0);
    // Where 15 digits cannot tell the ticks apart they keep their own values.
    const std::vector<double> narrow =
        Values(KvTickPass(YPass({1e10, 1e10 + 1e-3}, 1e-4, 0, 1000)));
    ASSERT_GE(narrow.size(), 10u); // the last one may round past the top row
    for (std::size_t i = 1; i < narrow.size(); ++i)
        EXPECT_NEAR(narrow[i] - narrow[i - 1], 1e-4, 4e-6);
}

TEST(AxisTicks, MajorTicksKeepTheirDistanceAndMinorTicksFillTheGaps) {
    // Step 10 lies 5 pixels apart; with 12 pixels between majors every third is kept.
    TKvTickPassInput pass = YPass({0, 100}, 10, 0, 51);
    pass.MinDistance = 12;
    pass.MinorCount = 2;
    const std::vector<TKvAxisTick> ticks = KvTickPass(pass);
    const std::vector<TKvAxisTick> majors = Majors(ticks);
    EXPECT_EQ(Values(ticks), (std::vector<double>{0, 30, 60, 90}));
    std::multiset<int32_t> minors;
    for (const TKvAxisTick& t : ticks)
        if (t.Minor)
            minors.insert(t.Pixel);
    // Two minor ticks in each 15-pixel gap, at E + (J - E) div 3, then div 2.
    EXPECT_EQ(minors, (std::multiset<int32_t>{45, 40, 30, 25, 15, 10}));

    // A huge minor count puts at most one minor tick on each pixel between.
    pass.MinorCount = 1000000000;
    std::set<int32_t> many;
    std::size_t count = 0;
    for (const TKvAxisTick& t : KvTickPass(pass))
        if (t.Minor) {
            many.insert(t.Pixel);
            ++count;
        }
    EXPECT_EQ(count, many.size());
    EXPECT_EQ(count, 3u * 14u);
}

TEST(AxisTicks, DegenerateInputEndsWithFewTicks) {
    // A step of 1e-300 over a wide range: every value falls on the first pixel.
    const std::vector<TKvAxisTick> tiny = KvTickPass(YPass({0, 1e300}, 1e-300, 0, 1920));
    EXPECT_LE(tiny.size(), 1u);
    TKvTickPassInput wide = YPass({-1e300, 1e300}, 1e-300, 0, 1920);
    wide.MinorCount = 5;
    EXPECT_LE(KvTickPass(wide).size(), 12u);
    // A range of 0, a 1-pixel and a 0-pixel axis.
    EXPECT_LE(KvTickPass(YPass({5, 5}, 1, 0, 100)).size(), 3u);
    EXPECT_LE(KvTickPass(YPass({0, 1000}, 100, 0, 1)).size(), 1u);
    EXPECT_TRUE(KvTickPass(YPass({0, 1000}, 100, 0, 0)).empty());
    // An unusable step is taken as 1.
    EXPECT_EQ(Values(KvTickPass(YPass({0, 3}, NaN, 0, 300))), (std::vector<double>{0, 1, 2, 3}));
    EXPECT_EQ(Values(KvTickPass(YPass({0, 3}, 0, 0, 300))), (std::vector<double>{0, 1, 2, 3}));
    // Ticks beyond the value limit stop the pass.
    EXPECT_LE(KvTickPass(YPass({9e299, 1e300}, 1e299, 0, 500)).size(), 2u);
}

TEST(AxisTicks, CustomStepChangesTheNextValueAndCanHideATick) {
    TKvTickPassInput pass = YPass({0, 1000}, 100, 0, 1001);
    std::vector<double> adjusted;
    pass.CustomStep = [](double AValue, double& AStep, bool& ADraw) {
        if (AValue == 200)
            AStep = 250;
        ADraw = AValue != 700;
    };
    pass.AdjustStep = [&](double AStep) {
        adjusted.push_back(AStep);
        return AStep * 2;
    };
    EXPECT_EQ(Values(KvTickPass(pass)), (std::vector<double>{0, 100, 200, 800, 900, 1000}));
    EXPECT_EQ(adjusted, (std::vector<double>{250}));
}

TEST(AxisTicks, ReversedPixelsRunTheOtherWay) {
    // An X axis over columns 100..600: the minimum at the left.
    TKvTickPassInput pass;
    pass.Range = {0, 1000};
    pass.Step = 250;
    pass.Mapping = KvGetPixelMapping(pass.Range, 500, false, true);
    pass.Start = 100;
    pass.End = 600;
    pass.MinDistance = 20;
    const std::vector<TKvAxisTick> majors = Majors(KvTickPass(pass));
    ASSERT_EQ(majors.size(), 5u);
    for (const TKvAxisTick& t : majors)
        EXPECT_EQ(t.Pixel, int32_t(std::nearbyint(599 - (1000 - t.Value) * 499 / 1000)));
}

TEST(AxisTicks, DecadeStepsGrowByDecade) {
    TKvTickPassInput pass;
    pass.Range = {0, 1000};
    pass.Step = 1;
    pass.ScaleMode = smLogDecascale;
    pass.Mapping = KvGetPixelMapping(pass.Range, 3000, true, true);
    pass.Start = 0;
    pass.End = 3000;
    pass.MinDistance = 1;
    const std::vector<double> values = Values(KvTickPass(pass));
    const std::set<double> seen(values.begin(), values.end());
    for (const double v : {1.0, 2.0, 9.0, 10.0, 20.0, 90.0, 100.0, 200.0, 1000.0})
        EXPECT_TRUE(seen.count(v)) << v;
    for (const double v : {11.0, 101.0, 110.0})
        EXPECT_FALSE(seen.count(v)) << v;
    // 0..10 by 1, 20..100 by 10, 200..1000 by 100.
    EXPECT_EQ(values.size(), 29u);
}

} // namespace
