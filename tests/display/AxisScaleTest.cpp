#include "display/KvAxisCache.h"
#include "display/KvAxisScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

TEST(AxisScale, SignedLogarithmIsOddAndInvertible) {
    EXPECT_EQ(SLog(0), 0);
    EXPECT_NEAR(double(SLog(9)), 1.0, 1e-15);
    EXPECT_NEAR(double(SLog(-99)), -2.0, 1e-15);
    EXPECT_NEAR(double(SPow10(2)), 100.0, 1e-12);
    EXPECT_NEAR(double(SPow10(-2)), -100.0, 1e-12);
    for (const double x : {-1e300, -12345.678, -1.0, -1e-12, 1e-12, 0.5, 7.0, 1e300})
        EXPECT_NEAR(double(SExp10m1(SLog(x)) / x), 1.0, 1e-15) << x;
}

TEST(AxisScale, SoundRangeOrdersLimitsAndReplacesNonFiniteOnes) {
    EXPECT_EQ(KvSoundRange(5, -3), (TKvAxisRange{-3, 5}));
    EXPECT_EQ(KvSoundRange(NaN, 7, {-1, 1}), (TKvAxisRange{-1, 7}));
    EXPECT_EQ(KvSoundRange(NaN, NaN, {2, 4}), (TKvAxisRange{2, 4}));
    EXPECT_EQ(KvSoundRange(-Inf, Inf), (TKvAxisRange{-KvAxisValueLimit, KvAxisValueLimit}));
    EXPECT_EQ(KvSoundRange(2, 2), (TKvAxisRange{2, 2}));
    const TKvAxisRange wide = KvSoundRange(-1e300, 1e300);
    EXPECT_TRUE(std::isfinite(wide.Width()));
    EXPECT_TRUE(std::isfinite(KvRangeWidth(wide, true)));
}

TEST(AxisScale, AnEmptySourceRangeMapsAsTheCachesAndConversionsSay) {
    // Conversions pass the value unchanged; the cached ranges count it as 1 wide.
    EXPECT_EQ(KvDataToScale(7, {3, 3}, {0, 22050}), 7);
    EXPECT_EQ(KvScaleToData(7, {0, 1024}, {3, 3}), 7);
    EXPECT_DOUBLE_EQ(KvMapLinear(4, {3, 3}, {0, 10}), 10);
    EXPECT_DOUBLE_EQ(KvDataToScale(512, {0, 1024}, {0, 22050}), 11025);
    EXPECT_EQ(KvDataToScale(1e300, {0, 1e-300}, {0, 1e300}), KvAxisValueLimit);
}

TEST(AxisScale, PublicConversionFollowsTheAxisDirection) {
    // Vertical: top + height * (max - value) / (max - min), rounded.
    const TKvAxisScaleMap vertical({0, 1000}, 10, 500, false, true);
    EXPECT_EQ(vertical.ValueToPixel(250), 10 + 375);
    EXPECT_EQ(vertical.ValueToPixel(1000), 10);
    EXPECT_EQ(vertical.ValueToPixel(0), 510);
    // Horizontal: left + width * (value - min) / (max - min).
    const TKvAxisScaleMap horizontal({-100, 100}, 20, 400, false, false);
    EXPECT_EQ(horizontal.ValueToPixel(-50), 20 + 100);
    EXPECT_DOUBLE_EQ(horizontal.PixelToValue(120), -50);
    // On a logarithmic axis equal SLog steps are equal pixel steps.
    const TKvAxisScaleMap log({0, 999}, 0, 300, true, false);
    EXPECT_EQ(log.ValueToPixel(9), 100);
    EXPECT_EQ(log.ValueToPixel(99), 200);
    EXPECT_NEAR(log.PixelToValue(100), 9, 1e-12);
}

TEST(AxisScale, DegenerateRangesAndAxesConvertWithoutFault) {
    // Equal limits are widened by 1 on each side.
    const TKvAxisScaleMap empty({5, 5}, 0, 100, false, false);
    EXPECT_EQ(empty.ValueToPixel(5), 50);
    EXPECT_EQ(empty.ValueToPixel(6), 100);
    // At a magnitude where +-1 vanishes the widening still takes effect.
    const TKvAxisScaleMap huge({1e300, 1e300}, 0, 100, false, false);
    EXPECT_EQ(huge.ValueToPixel(1e300), 50);
    // Values far outside, infinite or NaN give bounded pixels.
    const TKvAxisScaleMap map({0, 1}, 0, 100, false, true);
    for (const double v : {1e300, -1e300, Inf, -Inf, NaN}) {
        const int32_t p = map.ValueToPixel(v);
        EXPECT_LE(std::abs(int64_t(p)), int64_t(1) << 30) << v;
        EXPECT_TRUE(std::isfinite(map.PixelToValue(p))) << v;
    }
    // A 0-pixel axis counts as one pixel.
    const TKvAxisScaleMap none({0, 10}, 7, 0, false, false);
    EXPECT_EQ(none.ValueToPixel(0), 7);
    EXPECT_EQ(none.ValueToPixel(10), 8);
    EXPECT_DOUBLE_EQ(none.PixelToValue(7), 0);
}

// A pixel goes to a value and back unchanged, and a value comes back within
// half a pixel, over linear and logarithmic, normal and reversed axes.
TEST(AxisScale, PixelsAndValuesRoundTripWithinHalfAPixel) {
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<int32_t> lengths(1, 4000), starts(-2000, 2000);
    for (int n = 0; n < 20000; ++n) {
        const bool log = n % 2 == 1, descending = n % 4 >= 2;
        // Magnitudes from 1e-6 to 1e12, either sign, either side of 0.
        const double centre = (unit(random) < 0.5 ? -1 : 1) * std::pow(10.0, unit(random) * 18 - 6);
        // Wide enough that doubles resolve every pixel of the axis.
        const double width =
            std::max(std::pow(10.0, unit(random) * 18 - 6), std::fabs(centre) * 1e-9);
        const double min = unit(random) < 0.3 ? centre - width / 2 : centre;
        const TKvAxisRange range{min, min + width};
        if (!(range.Max > range.Min))
            continue;
        const int32_t start = starts(random), length = lengths(random);
        const TKvAxisScaleMap map(range, start, length, log, descending);

        const int32_t pixel = start + int32_t(unit(random) * length);
        ASSERT_EQ(map.ValueToPixel(map.PixelToValue(pixel)), pixel)
            << "range " << range.Min << ".." << range.Max << " log " << log << " desc "
            << descending << " length " << length;

        const double value = range.Min + unit(random) * width;
        const double back = map.PixelToValue(map.ValueToPixel(value));
        ASSERT_LE(std::fabs(double(map.PixelOffset(back) - map.PixelOffset(value))), 0.5 + 1e-6)
            << "value " << value << " range " << range.Min << ".." << range.Max << " log " << log;
    }
}

TEST(AxisScale, TickMappingPutsTheEndsOnTheFirstAndLastPixel) {
    auto pixel = [](const TKvPixelMapping& AMapping, double AValue, int32_t AEnd, bool ALog) {
        int32_t p = 0;
        KvTickPixels(&AValue, 1, AMapping, AEnd, ALog, &p);
        return p;
    };
    // A Y axis over 200..700: the minimum at the bottom pixel, the maximum at the top.
    const TKvPixelMapping y = KvGetPixelMapping({-1000, 1000}, 500, false, false);
    EXPECT_EQ(pixel(y, -1000, 700, false), 699);
    EXPECT_EQ(pixel(y, 1000, 700, false), 200);
    EXPECT_EQ(pixel(y, 0, 700, false), int32_t(std::nearbyint(699 - 1000 * 499.0 / 2000)));
    EXPECT_DOUBLE_EQ(y.Offset, 1000 * 499.0 / 2000);
    // An X axis, whose pixels are reversed: the minimum at the left.
    const TKvPixelMapping x = KvGetPixelMapping({0, 1024}, 800, false, true);
    EXPECT_EQ(pixel(x, 0, 850, false), 50);
    EXPECT_EQ(pixel(x, 1024, 850, false), 849);
    EXPECT_EQ(pixel(x, 512, 850, false), int32_t(std::nearbyint(849 - 512 * 799.0 / 1024)));
    // Logarithmic: SLog values spread evenly.
    const TKvPixelMapping lx = KvGetPixelMapping({0, 999}, 301, true, true);
    EXPECT_EQ(pixel(lx, 9, 301, true), 100);
    EXPECT_EQ(pixel(lx, 99, 301, true), 200);
    // Far from 0 the pixels stay exact although single precision could not
    // hold base - value * scale there.
    const TKvPixelMapping far = KvGetPixelMapping({1e9, 1e9 + 1000}, 1001, false, true);
    for (int k = 0; k <= 1000; k += 125)
        EXPECT_EQ(pixel(far, 1e9 + k, 1001, false), k) << k;
    // An empty range puts its value in the middle; a 1-pixel axis on its pixel.
    EXPECT_EQ(pixel(KvGetPixelMapping({3, 3}, 101, false, false), 0, 101, false), 50);
    EXPECT_EQ(pixel(KvGetPixelMapping({0, 10}, 1, false, false), 10, 1, false), 0);
    // Values beyond any axis saturate instead of wrapping.
    EXPECT_GT(pixel(x, 1e300, 850, false), 1000000);
    EXPECT_LT(pixel(x, -1e300, 850, false), -1000000);
}

TEST(AxisScale, ValueUnderAPointFollowsTheDirectionCode) {
    EXPECT_EQ(KvValueDirection(true, true), 2);
    EXPECT_TRUE(KvIsValueFlipped(true, true, true));
    EXPECT_TRUE(KvIsValueFlipped(false, true, false));
    const TRect view{10, 20, 210, 120};
    EXPECT_EQ(KvAxisPixelMap({0, 100}, view, true, false, false).ValueToPixel(100), 20);
    EXPECT_EQ(KvAxisPixelMap({0, 100}, view, true, true, false).ValueToPixel(100), 120);
    EXPECT_EQ(KvAxisPixelMap({0, 100}, view, false, false, false).ValueToPixel(25), 60);
    EXPECT_EQ(KvAxisPixelMap({0, 100}, view, false, true, false).ValueToPixel(25), 160);
    const TRect rect{10, 20, 110, 220};
    double pos = -1;
    EXPECT_TRUE(KvGetValueAt(rect, 60, 50, 0, {0, 1000}, pos));
    EXPECT_DOUBLE_EQ(pos, 500);
    EXPECT_TRUE(KvGetValueAt(rect, 30, 20, 2, {0, 1000}, pos));
    EXPECT_DOUBLE_EQ(pos, 1000);
    EXPECT_TRUE(KvGetValueAt(rect, 30, 70, 3, {-100, 100}, pos));
    EXPECT_DOUBLE_EQ(pos, -50);
    pos = 123;
    EXPECT_FALSE(KvGetValueAt(rect, 110, 50, 0, {0, 1000}, pos));
    EXPECT_FALSE(KvGetValueAt(TRect{5, 5, 5, 5}, 5, 5, 0, {0, 1}, pos));
    EXPECT_EQ(pos, 123);
}

TEST(AxisScale, ValueLimitsFollowTheirSetterRules) {
    TKvValueLimits limits;
    limits.SetLow(1500);
    EXPECT_EQ(limits.High.Value, 1500);
    limits.SetHigh(-2000);
    EXPECT_EQ(limits.Low.Value, -2000);
    limits.SetHigh(NaN);
    EXPECT_EQ(limits.High.Value, -2000);
    TKvValueLimits positive = TKvZoomLimits().ZoomRange;
    positive.SetLow(-5);
    EXPECT_EQ(positive.Low.Value, 0);
}

TEST(AxisScale, ZoomRangeIsOrderedWidenedAndKeptWithinTheWidthLimits) {
    const TKvZoomLimits defaults;

    EXPECT_EQ(KvSetZoomRange({0, 1}, 300, 100, defaults), (TKvAxisRange{100, 300}));
    // Equal ends are widened to 0.0001 upwards.
    const TKvAxisRange equal = KvSetZoomRange({0, 1}, 2, 2, defaults);
    EXPECT_EQ(equal.Min, 2);
    EXPECT_DOUBLE_EQ(equal.Max, 2.0001);
    // Where the sum rounds a little short of the width the range stays put.
    for (const double at : {10.0, 0.3, -7.0, 123456.789}) {
        const TKvAxisRange r = KvSetZoomRange({0, 1}, at, at + 1e-9, defaults);
        EXPECT_EQ(r.Min, at);
        EXPECT_NEAR(r.Width(), 0.0001, 1e-10) << at;
    }
    // Narrower than Zooming.Range.Low: the centre stays, the width becomes the limit.
    TKvZoomLimits narrow;
    narrow.ZoomRange.SetLow(0.5);
    const TKvAxisRange r = KvSetZoomRange({0, 1}, 10.1, 10.3, narrow);
    EXPECT_DOUBLE_EQ((r.Min + r.Max) / 2, 10.2);
    EXPECT_DOUBLE_EQ(r.Width(), 0.5);
    const TKvAxisRange tiny = KvClampZoom({5 - 1e-9, 5 + 1e-9}, defaults);
    EXPECT_NEAR((tiny.Min + tiny.Max) / 2, 5, 1e-15);
    EXPECT_NEAR(tiny.Width(), 1e-07, 1e-15);
    // Where the magnitude cannot hold such a width the range still is not empty.
    const TKvAxisRange far = KvSetZoomRange({0, 1}, 1e10, 1e10, defaults);
    EXPECT_GT(far.Max, far.Min);
    const TKvAxisRange top = KvSetZoomRange({0, 1}, Inf, Inf, defaults);
    EXPECT_TRUE(top.Max == KvAxisValueLimit && top.Max > top.Min);
    // Zooming.Range.High caps the width around the centre.
    TKvZoomLimits capped;
    capped.ZoomRange.High.Enabled = true;
    EXPECT_EQ(KvSetZoomRange({0, 1}, -1e9, 1e9, capped), (TKvAxisRange{-5e7, 5e7}));
    // A NaN end keeps the current zoom.
    EXPECT_EQ(KvSetZoomRange({3, 4}, NaN, 10, defaults), (TKvAxisRange{3, 4}));
}

TEST(AxisScale, ClampZoomAppliesTheMinAndMaxRangesInOrder) {
    TKvZoomLimits limits;
    limits.MinRange.Low = {0, true};
    limits.MaxRange.High = {100, true};
    // Below Min.Range.Low: shifted up; then Max.Range.High cuts the top.
    EXPECT_EQ(KvClampZoom({-30, 20}, limits), (TKvAxisRange{0, 50}));
    EXPECT_EQ(KvClampZoom({-30, 120}, limits), (TKvAxisRange{0, 100}));

    TKvZoomLimits inner;
    inner.MinRange.High = {10, true};
    inner.MaxRange.Low = {50, true};
    // Min above Min.Range.High: shifted down.
    EXPECT_EQ(KvClampZoom({20, 80}, inner), (TKvAxisRange{10, 70}));
    // Max below Max.Range.Low: shifted up; then Min.Range.High cuts the bottom.
    EXPECT_EQ(KvClampZoom({0, 30}, inner), (TKvAxisRange{10, 50}));
    // Conflicting limits leave a range that is not empty.
    TKvZoomLimits conflict;
    conflict.MinRange.Low = {100, true};
    conflict.MaxRange.High = {0, true};
    const TKvAxisRange r = KvClampZoom({-5, 5}, conflict);
    EXPECT_GT(r.Max, r.Min);
}

TEST(AxisScale, FactorZoomKeepsTheCentreAndIgnoresUnusableFactors) {
    const TKvZoomLimits limits;
    EXPECT_EQ(KvIntZoom({0, 100}, 0.5, limits), (TKvAxisRange{25, 75}));
    EXPECT_EQ(KvIntZoom({0, 100}, 2, limits), (TKvAxisRange{-50, 150}));
    for (const double factor : {0.0, -2.0, NaN, Inf})
        EXPECT_EQ(KvIntZoom({0, 100}, factor, limits), (TKvAxisRange{0, 100})) << factor;
    // Zooming out of a huge range stays finite.
    const TKvAxisRange out = KvIntZoom({-1e300, 1e300}, 1e10, limits);
    EXPECT_EQ(out, (TKvAxisRange{-KvAxisValueLimit, KvAxisValueLimit}));
    // Zooming in without end stops at Zooming.Range.Low around the centre.
    TKvAxisRange in{0, 1};
    for (int i = 0; i < 200; ++i)
        in = KvIntZoom(in, 0.5, limits);
    EXPECT_NEAR(in.Width(), 1e-07, 1e-15);
    EXPECT_NEAR((in.Min + in.Max) / 2, 0.5, 1e-12);
}

TEST(AxisScale, WheelZoomKeepsTheValueUnderTheMouse) {
    const TKvZoomLimits limits;
    const TKvAxisRange before{-200, 600};
    const int32_t length = 400;
    for (const double pos : {0.0, 57.0, 200.0, 333.0, 400.0}) {
        for (const double factor : {1.1, 0.9}) {
            // The distance grows as the value falls.
            const auto valueAt = [&](TKvAxisRange ARange) {
                return ARange.Max - pos / length * ARange.Width();
            };
            const TKvAxisRange after = KvZoomAtPoint(before, length, pos, factor, limits);
            EXPECT_NEAR(valueAt(after), valueAt(before), 1e-9) << pos << " " << factor;
            EXPECT_NEAR(after.Width(), before.Width() * factor, 1e-9);
        }
    }
    // Without pixels the zoom is about the centre; a NaN factor changes nothing.
    EXPECT_EQ(KvZoomAtPoint({0, 100}, 0, 10, 0.5, limits), (TKvAxisRange{25, 75}));
    EXPECT_EQ(KvZoomAtPoint({0, 100}, 400, 10, NaN, limits), (TKvAxisRange{0, 100}));
}

TEST(AxisScale, PanStaysInsideTheFullRange) {
    const TKvZoomLimits limits;
    EXPECT_DOUBLE_EQ(KvPanShift({100, 300}, 50, 400), 25);
    EXPECT_EQ(KvPanShift({100, 300}, 50, 0), 0);

    const TKvAxisRange full{0, 1000};
    EXPECT_EQ(KvPanBy({100, 300}, 25, false, full, limits), (TKvAxisRange{75, 275}));
    EXPECT_EQ(KvPanBy({100, 300}, 25, true, full, limits), (TKvAxisRange{125, 325}));
    EXPECT_EQ(KvPanBy({100, 300}, -5000, false, full, limits), (TKvAxisRange{800, 1000}));
    // A range wider than the full range has nowhere to go.
    EXPECT_EQ(KvPanBy({-100, 1100}, 30, false, full, limits), (TKvAxisRange{-100, 1100}));
}

TEST(AxisScale, ZoomInAndOutAreRefusedAtTheLimits) {
    TKvZoomLimits limits;
    EXPECT_TRUE(KvCanZoomIn({0, 1}, limits));
    EXPECT_FALSE(KvCanZoomIn({0, 1e-07}, limits));
    limits.MinRange.Low = {0, true};
    limits.MaxRange.High = {100, true};
    EXPECT_FALSE(KvCanZoomOut({0, 100}, limits));
    EXPECT_TRUE(KvCanZoomOut({0, 99}, limits));
    EXPECT_EQ(KvSoundSamples(0), 1024);
}

TEST(AxisScale, CachedLimitsAreRecomputedOnlyAfterAnInvalidation) {
    double full = 5, zoomed = 2;
    int calls = 0;
    TKvLimitCachedMinMaxValue cache({[&] { return ++calls, full; }, [&] { return full; }},
                                    {[&] { return zoomed; }, [&] { return zoomed; }});
    std::vector<double> deltas;
    cache.Full().Min().OnChange = [&](double ADelta) { deltas.push_back(ADelta); };
    EXPECT_EQ(cache.Full().Min().GetValue(), 5);
    full = 8;
    zoomed = 3;
    EXPECT_EQ(cache.Full().Min().GetValue(), 5);
    EXPECT_EQ(cache.Zoomed().Max().GetValue(), 3);
    cache.Zoomed().Invalidate();
    EXPECT_EQ(cache.Full().Min().GetValue(), 5);
    cache.Invalidate();
    EXPECT_EQ(cache.Full().Min().GetValue(), 8);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(deltas, (std::vector<double>{5, 3}));
    // Without caching every read asks the getter.
    cache.Full().Min().SetCache(false);
    cache.Full().Min().GetValue();
    EXPECT_EQ(calls, 3);
}

} // namespace
