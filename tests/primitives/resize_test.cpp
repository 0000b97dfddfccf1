#include "primitives/Resize.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <random>
#include <vector>

namespace {

constexpr std::uint32_t kUntouched = 0xA5C3E1F7u;

// A source image whose every pixel names its own column and row.
struct Source {
    int width;
    int height;
    int step; // bytes, with some padding past the last pixel
    std::vector<Ipp8u> bytes;

    Source(int w, int h, int pad = 3)
        : width(w), height(h), step((w + pad) * 4), bytes(std::size_t(step) * h, 0xEE) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                std::memcpy(&bytes[std::size_t(y) * step + std::size_t(x) * 4],
                            &(const std::uint32_t&)code(x, y), 4);
    }
    static std::uint32_t code(int x, int y) { return std::uint32_t(x) | (std::uint32_t(y) << 16); }
};

// A destination with a guard frame of untouched pixels on every side.
struct Target {
    static constexpr int kGuard = 2;
    int width;
    int height;
    int step;
    std::vector<std::uint32_t> pixels;

    Target(int w, int h)
        : width(w), height(h), step((w + 2 * kGuard) * 4),
          pixels(std::size_t(w + 2 * kGuard) * (h + 2 * kGuard), kUntouched) {}
    Ipp8u* origin() {
        return reinterpret_cast<Ipp8u*>(
            &pixels[std::size_t(kGuard) * (width + 2 * kGuard) + kGuard]);
    }
    std::uint32_t at(int x, int y) const {
        return pixels[std::size_t(y + kGuard) * (width + 2 * kGuard) + std::size_t(x + kGuard)];
    }
    bool guardIntact() const {
        for (int y = -kGuard; y < height + kGuard; ++y)
            for (int x = -kGuard; x < width + kGuard; ++x)
                if ((x < 0 || y < 0 || x >= width || y >= height) && at(x, y) != kUntouched)
                    return false;
        return true;
    }
};

// The centred nearest-neighbour sampling rule along one axis, for the
// region [lo, hi): the source index of every destination pixel, or -1
// where the destination is left unchanged.
std::vector<int> centredRule(int lo, int hi, int dstSize, double factor, double centre) {
    std::vector<int> result(dstSize, -1);
    const double half = dstSize * 0.5;
    double first = std::ceil(half + factor * (lo - centre));
    if (first < 0)
        first = 0;
    const double end = std::min<double>(dstSize, std::ceil(half + factor * (hi - centre)));
    const double position = centre + (first - half) / factor;
    const double column = std::trunc(position);
    const double offset = position - column;
    for (int i = 0; first + i < end; ++i) {
        double k = column + std::trunc(offset + (i + 0.5) / factor + 1e-07);
        // Near the far edge of a reduction the centre can pass the region's
        // last pixel; the region's edge pixel stands in.
        k = std::clamp<double>(k, lo, hi - 1);
        result[std::size_t(first) + i] = int(k);
    }
    return result;
}

IppStatus centre(const Source& s, IppiRect roi, Target& t, double xf, double yf, double xc,
                 double yc, int interpolation = IPPI_INTER_NN) {
    return builtin::ippiResizeCenter_8u_C4R(s.bytes.data(), {s.width, s.height}, s.step, roi,
                                            t.origin(), t.step, {t.width, t.height}, xf, yf, xc, yc,
                                            interpolation);
}

// Checks every destination pixel against the rule.
void expectCentredRule(const Source& s, IppiRect roi, int dw, int dh, double xf, double yf,
                       double xc, double yc) {
    Target t(dw, dh);
    ASSERT_EQ(centre(s, roi, t, xf, yf, xc, yc), ippStsNoErr);
    const int x0 = std::max(roi.x, 0), y0 = std::max(roi.y, 0);
    const auto cols = centredRule(x0, std::min(roi.x + roi.width, s.width), dw, xf, xc);
    const auto rows = centredRule(y0, std::min(roi.y + roi.height, s.height), dh, yf, yc);
    for (int y = 0; y < dh; ++y)
        for (int x = 0; x < dw; ++x) {
            const std::uint32_t expected =
                cols[x] < 0 || rows[y] < 0 ? kUntouched : Source::code(cols[x], rows[y]);
            ASSERT_EQ(t.at(x, y), expected) << "pixel " << x << "," << y << " factors " << xf << ","
                                            << yf << " centre " << xc << "," << yc;
        }
    EXPECT_TRUE(t.guardIntact());
}

} // namespace

TEST(ResizeCenterNearest, HandWorkedEnlargementAndReduction) {
    // Twice as wide, centred: every source column shows twice.
    Source s(4, 1);
    Target wide(8, 1);
    ASSERT_EQ(centre(s, {0, 0, 4, 1}, wide, 2.0, 1.0, 2.0, 0.5), ippStsNoErr);
    const int twice[] = {0, 0, 1, 1, 2, 2, 3, 3};
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(wide.at(x, 0), Source::code(twice[x], 0)) << x;

    // Half as wide: each destination centre falls on the edge between a pair
    // and takes the right-hand pixel of it.
    Target narrow(2, 1);
    ASSERT_EQ(centre(s, {0, 0, 4, 1}, narrow, 0.5, 1.0, 2.0, 0.5), ippStsNoErr);
    EXPECT_EQ(narrow.at(0, 0), Source::code(1, 0));
    EXPECT_EQ(narrow.at(1, 0), Source::code(3, 0));

    // Same size, centre moved left by half a pixel: the region's mapped left
    // edge is 0.5, so the area starts at column 1 and column 0 keeps its old
    // content; each centre then lies on a pixel edge and takes the right pixel.
    Target shifted(4, 1);
    ASSERT_EQ(centre(s, {0, 0, 4, 1}, shifted, 1.0, 1.0, 1.5, 0.5), ippStsNoErr);
    EXPECT_EQ(shifted.at(0, 0), kUntouched);
    for (int x = 1; x < 4; ++x)
        EXPECT_EQ(shifted.at(x, 0), Source::code(x, 0));
    EXPECT_TRUE(shifted.guardIntact());
}

TEST(ResizeCenterNearest, WaterfallPlacementsFollowTheRule) {
    // The data view's calls: a screen buffer of rows by samples scaled into
    // the plot, centred on the zoom window, with the half-pixel offsets.
    Source s(128, 100);
    expectCentredRule(s, {0, 0, 128, 100}, 586, 350, 586.0 / 128, 350.0 / 100, 64.5, 50 - 0.5);
    expectCentredRule(s, {0, 0, 128, 100}, 586, 350, 586.0 / 127, 350.0 / 99, 63.5 + 0.5,
                      49.5 + 0.5);
    expectCentredRule(s, {0, 0, 128, 100}, 586, 350, 586.0 / 20, 350.0 / 10, 40.5, 70 - 0.5);
    expectCentredRule(s, {0, 0, 128, 100}, 100, 60, 100.0 / 128, 60.0 / 100, 64.5, 49.5);
    Source tall(300, 40);
    expectCentredRule(tall, {0, 0, 300, 40}, 200, 350, 200.0 / 300, 350.0 / 40, 150.5, 20.5);
}

// The placement worked out from the geometry alone, not from the kernel's
// arithmetic: destination pixel d spans [d, d + 1) around the destination
// centre, which maps onto the source centre scaled by the factor. It is drawn
// when its left edge maps inside the region [lo, hi), and shows the source
// pixel under its centre (the region's edge pixel where the centre passes
// the edge). Answers the admissible source pixels, none when not drawn; a
// position within rounding of a pixel edge admits both neighbours.
std::vector<int> underCentre(int d, int lo, int hi, int dstSize, double factor, double centre) {
    constexpr double kTie = 1e-6;
    const double leftEdge = centre + (d - dstSize * 0.5) / factor;
    const bool inside = leftEdge >= lo && leftEdge < hi;
    const bool onBoundary = std::abs(leftEdge - lo) < kTie || std::abs(leftEdge - hi) < kTie;
    if (!inside && !onBoundary)
        return {};
    const double at = centre + (d + 0.5 - dstSize * 0.5) / factor;
    const auto pixel = [&](double x) { return std::clamp(int(std::floor(x)), lo, hi - 1); };
    std::vector<int> result{pixel(at)};
    if (std::abs(at - std::round(at)) < kTie)
        result.push_back(pixel(std::round(at) - 0.5));
    if (onBoundary)
        result.push_back(-1);
    return result;
}

TEST(ResizeCenterNearest, RandomPlacementsFollowTheRule) {
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> size(1, 40);
    std::uniform_real_distribution<double> factor(0.2, 5.0);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int drawn = 0;
    for (int n = 0; n < 300; ++n) {
        Source s(size(random), size(random));
        const int rx = int(unit(random) * s.width), ry = int(unit(random) * s.height);
        const IppiRect roi{rx, ry, 1 + int(unit(random) * (s.width - rx + 3)),
                           1 + int(unit(random) * (s.height - ry + 3))};
        const double xc = -5 + unit(random) * (s.width + 10),
                     yc = -5 + unit(random) * (s.height + 10);
        const double xf = factor(random), yf = factor(random);
        Target t(size(random), size(random));
        ASSERT_EQ(centre(s, roi, t, xf, yf, xc, yc), ippStsNoErr);
        const int x1 = std::min(roi.x + roi.width, s.width),
                  y1 = std::min(roi.y + roi.height, s.height);
        for (int y = 0; y < t.height; ++y) {
            const std::vector<int> rows = underCentre(y, roi.y, y1, t.height, yf, yc);
            for (int x = 0; x < t.width; ++x) {
                const std::vector<int> cols = underCentre(x, roi.x, x1, t.width, xf, xc);
                const std::uint32_t p = t.at(x, y);
                bool admissible = false;
                for (int c : cols)
                    for (int r : rows)
                        admissible = admissible ||
                                     (c < 0 || r < 0 ? p == kUntouched : p == Source::code(c, r));
                if (cols.empty() || rows.empty())
                    admissible = p == kUntouched;
                drawn += p != kUntouched;
                ASSERT_TRUE(admissible)
                    << "pixel " << x << "," << y << " shows " << (p & 0xFFFF) << "," << (p >> 16)
                    << "; factors " << xf << "," << yf << " centre " << xc << "," << yc
                    << " region " << roi.x << "," << roi.y << " to " << x1 << "," << y1;
            }
        }
        ASSERT_TRUE(t.guardIntact());
    }
    EXPECT_GT(drawn, 3000) << "the placements must draw enough to mean something";
}

TEST(ResizeCenterNearest, EachPixelShowsTheSourcePixelUnderItsCentre) {
    // Independent of the rule's arithmetic: the centre of destination pixel d
    // lies, in source coordinates, inside the source pixel it shows.
    Source s(50, 30);
    Target t(173, 91);
    const double xf = 173.0 / 37, yf = 91.0 / 23, xc = 25.25, yc = 14.75;
    ASSERT_EQ(centre(s, {0, 0, 50, 30}, t, xf, yf, xc, yc), ippStsNoErr);
    for (int y = 0; y < t.height; ++y)
        for (int x = 0; x < t.width; ++x) {
            const std::uint32_t p = t.at(x, y);
            if (p == kUntouched)
                continue;
            const double sx = xc + (x + 0.5 - t.width * 0.5) / xf;
            const double sy = yc + (y + 0.5 - t.height * 0.5) / yf;
            EXPECT_NEAR(int(p & 0xFFFF) + 0.5, sx, 0.5 + 1e-6) << x << "," << y;
            EXPECT_NEAR(int(p >> 16) + 0.5, sy, 0.5 + 1e-6) << x << "," << y;
        }
}

TEST(ResizeCenterNearest, StatusOrderAndNothingDrawnOnFailure) {
    Source s(8, 8);
    Target t(8, 8);
    const IppiRect all{0, 0, 8, 8};
    // Sizes come first, even before null pointers.
    EXPECT_EQ(builtin::ippiResizeCenter_8u_C4R(nullptr, {0, 8}, 32, all, nullptr, 32, {8, 8}, 1, 1,
                                               4, 4, 1),
              ippStsSizeErr);
    EXPECT_EQ(builtin::ippiResizeCenter_8u_C4R(nullptr, {8, 8}, 32, {0, 0, 8, -1}, nullptr, 32,
                                               {8, 8}, 1, 1, 4, 4, 1),
              ippStsSizeErr);
    EXPECT_EQ(builtin::ippiResizeCenter_8u_C4R(nullptr, {8, 8}, 32, all, nullptr, 32, {8, 0}, 1, 1,
                                               4, 4, 1),
              ippStsSizeErr);
    // A region starting at or past the right or bottom edge: warning, nothing drawn.
    EXPECT_EQ(centre(s, {8, 0, 4, 4}, t, 1, 1, 4, 4), ippStsWrongIntersectROI);
    EXPECT_EQ(centre(s, {0, 8, 4, 4}, t, 1, 1, 4, 4), ippStsWrongIntersectROI);
    EXPECT_EQ(builtin::ippiResizeCenter_8u_C4R(nullptr, {8, 8}, 32, {9, 0, 1, 1}, nullptr, 32,
                                               {8, 8}, 0, 1, 4, 4, 1),
              ippStsWrongIntersectROI);
    // Factors before pointers.
    EXPECT_EQ(builtin::ippiResizeCenter_8u_C4R(nullptr, {8, 8}, 32, all, nullptr, 32, {8, 8}, 0, 1,
                                               4, 4, 1),
              ippStsResizeFactorErr);
    EXPECT_EQ(centre(s, all, t, 1, -2, 4, 4), ippStsResizeFactorErr);
    EXPECT_EQ(centre(s, all, t, std::nan(""), 1, 4, 4), ippStsResizeFactorErr);
    EXPECT_EQ(builtin::ippiResizeCenter_8u_C4R(s.bytes.data(), {8, 8}, 32, all, nullptr, 32, {8, 8},
                                               1, 1, 4, 4, 1),
              ippStsNullPtrErr);
    EXPECT_EQ(builtin::ippiResizeCenter_8u_C4R(s.bytes.data(), {8, 8}, 0, all, t.origin(), t.step,
                                               {8, 8}, 1, 1, 4, 4, 1),
              ippStsStepErr);
    EXPECT_EQ(centre(s, all, t, 1, 1, 4, 4, 3), ippStsInterpolationErr);
    for (int y = -Target::kGuard; y < 8 + Target::kGuard; ++y)
        for (int x = -Target::kGuard; x < 8 + Target::kGuard; ++x)
            ASSERT_EQ(t.at(x, y), kUntouched);
}

TEST(ResizeCenterNearest, ExtremeArgumentsStayInsideBothImages) {
    Source s(16, 9);
    for (const double f : {1e-300, 1e-9, 1e9, 1e300})
        for (const double c :
             {-1e300, -1e6, 0.0, 8.0, 1e6, 1e300, std::numeric_limits<double>::infinity()}) {
            Target t(13, 7);
            EXPECT_EQ(centre(s, {0, 0, 16, 9}, t, f, f, c, c), ippStsNoErr);
            EXPECT_TRUE(t.guardIntact());
            for (int y = 0; y < t.height; ++y)
                for (int x = 0; x < t.width; ++x) {
                    const std::uint32_t p = t.at(x, y);
                    ASSERT_TRUE(p == kUntouched || ((p & 0xFFFF) < 16 && (p >> 16) < 9));
                }
        }
    // A region hanging off the image on every side uses only its overlap.
    expectCentredRule(s, {-5, -3, 40, 40}, 30, 20, 1.7, 2.1, 8, 4.5);
}

// ---- the plain resize kernels ----

namespace {

// Nearest source index of destination pixel i, and the output count, as the
// plain resize defines them.
int plainNearest(int x0, int i, double f) {
    return x0 + int(std::trunc((i + 0.5) / f + 1e-07));
}
int plainCount(int n, double f, int dst) {
    return std::min(dst, int(std::trunc(n * f + 1e-07)));
}

template <typename T> std::vector<T> gradientImage(int w, int h, int channels, int step) {
    std::vector<T> img(std::size_t(step / sizeof(T)) * h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < channels; ++c)
                img[std::size_t(y) * (step / sizeof(T)) + std::size_t(x) * channels + c] =
                    T((37 * x + 91 * y + 53 * c + (x * y) % 17) % (sizeof(T) == 1 ? 256 : 65536));
    return img;
}

// The reference filters evaluated for one source coordinate (between pixel
// centres), with edge pixels repeated.
long double filterWeight(int interpolation, long double d) {
    d = std::fabs(d);
    switch (interpolation) {
    case IPPI_INTER_LINEAR:
        return d < 1 ? 1 - d : 0;
    case IPPI_INTER_LANCZOS: {
        if (d == 0)
            return 1;
        if (d >= 3)
            return 0;
        const long double x = std::numbers::pi_v<long double> * d;
        return std::sin(x) / x * std::sin(x / 3) / (x / 3);
    }
    default:
        return 0;
    }
}

// Lagrange weights through the pixels at base - 1 .. base + 2.
long double cubicWeight(long double t, int n) {
    const long double nodes[4] = {-1, 0, 1, 2};
    long double w = 1;
    for (int m = 0; m < 4; ++m)
        if (m != n)
            w *= (t - nodes[m]) / (nodes[n] - nodes[m]);
    return w;
}

std::vector<std::pair<int, long double>> referenceTaps(int interpolation, long double x, int lo,
                                                       int hi) {
    std::vector<std::pair<int, long double>> taps;
    const long double base = std::floor(x);
    const int k = int(base);
    auto edge = [&](int i) { return std::clamp(i, lo, hi - 1); };
    if (interpolation == IPPI_INTER_CUBIC) {
        for (int n = 0; n < 4; ++n)
            taps.push_back({edge(k - 1 + n), cubicWeight(x - base, n)});
    } else {
        const int reach = interpolation == IPPI_INTER_LANCZOS ? 3 : 1;
        for (int i = k - reach + 1; i <= k + reach; ++i)
            taps.push_back({edge(i), filterWeight(interpolation, x - i)});
    }
    return taps;
}

template <typename T, int C>
void expectFilteredResize(IppStatus (*kernel)(const T*, IppiSize, int, IppiRect, T*, int, IppiSize,
                                              double, double, int),
                          int w, int h, double xf, double yf, int interpolation,
                          int expectedFilter) {
    const int srcStep = (w * C + 2) * int(sizeof(T));
    const auto src = gradientImage<T>(w, h, C, srcStep);
    const int dw = plainCount(w, xf, 1000), dh = plainCount(h, yf, 1000);
    const int dstStep = (dw * C + 1) * int(sizeof(T));
    std::vector<T> dst(std::size_t(dstStep / sizeof(T)) * dh + 1, T(7));
    ASSERT_EQ(kernel(src.data(), {w, h}, srcStep, {0, 0, w, h}, dst.data(), dstStep, {dw, dh}, xf,
                     yf, interpolation),
              ippStsNoErr);
    const std::size_t srcRow = srcStep / sizeof(T), dstRow = dstStep / sizeof(T);
    for (int y = 0; y < dh; ++y)
        for (int x = 0; x < dw; ++x)
            for (int c = 0; c < C; ++c) {
                long double expected;
                if (expectedFilter == IPPI_INTER_NN) {
                    expected = src[std::size_t(plainNearest(0, y, yf)) * srcRow +
                                   std::size_t(plainNearest(0, x, xf)) * C + c];
                } else {
                    expected = 0;
                    for (auto [iy, wy] :
                         referenceTaps(expectedFilter, (y + 0.5L) / yf - 0.5L, 0, h))
                        for (auto [ix, wx] :
                             referenceTaps(expectedFilter, (x + 0.5L) / xf - 0.5L, 0, w))
                            expected +=
                                wy * wx * src[std::size_t(iy) * srcRow + std::size_t(ix) * C + c];
                    expected = std::clamp<long double>(expected, 0, sizeof(T) == 1 ? 255 : 65535);
                }
                ASSERT_NEAR(double(dst[std::size_t(y) * dstRow + std::size_t(x) * C + c]),
                            double(expected), 0.5001)
                    << "filter " << interpolation << " size " << w << "x" << h << " pixel " << x
                    << "," << y;
            }
    EXPECT_EQ(dst.back(), T(7));
}

} // namespace

TEST(ResizePlain, NearestPicksTheSourcePixelUnderEachCentre) {
    expectFilteredResize<Ipp8u, 1>(builtin::ippiResize_8u_C1R, 13, 9, 2.5, 0.7, IPPI_INTER_NN,
                                   IPPI_INTER_NN);
    expectFilteredResize<Ipp8u, 3>(builtin::ippiResize_8u_C3R, 13, 9, 1.0 / 3, 3.0, IPPI_INTER_NN,
                                   IPPI_INTER_NN);
    expectFilteredResize<Ipp8u, 4>(builtin::ippiResize_8u_C4R, 20, 11, 0.45, 1.9, IPPI_INTER_NN,
                                   IPPI_INTER_NN);
    expectFilteredResize<Ipp16u, 1>(builtin::ippiResize_16u_C1R, 17, 12, 1.3, 0.5, IPPI_INTER_NN,
                                    IPPI_INTER_NN);
}

TEST(ResizePlain, FiltersMatchTheReferenceDefinitions) {
    for (const int filter : {IPPI_INTER_LINEAR, IPPI_INTER_CUBIC, IPPI_INTER_LANCZOS}) {
        expectFilteredResize<Ipp8u, 1>(builtin::ippiResize_8u_C1R, 12, 10, 2.3, 1.7, filter,
                                       filter);
        expectFilteredResize<Ipp8u, 3>(builtin::ippiResize_8u_C3R, 16, 9, 0.6, 1.25, filter,
                                       filter);
        expectFilteredResize<Ipp8u, 4>(builtin::ippiResize_8u_C4R, 9, 14, 1.5, 0.8, filter, filter);
        expectFilteredResize<Ipp16u, 1>(builtin::ippiResize_16u_C1R, 10, 8, 3.0, 2.0, filter,
                                        filter);
    }
}

TEST(ResizePlain, SmallSourcesDowngradeTheFilter) {
    // Under 8 pixels Lanczos becomes cubic, under 4 cubic becomes linear,
    // under 2 everything is nearest-neighbour.
    expectFilteredResize<Ipp8u, 1>(builtin::ippiResize_8u_C1R, 7, 12, 2.0, 1.5, IPPI_INTER_LANCZOS,
                                   IPPI_INTER_CUBIC);
    expectFilteredResize<Ipp8u, 1>(builtin::ippiResize_8u_C1R, 12, 3, 2.0, 1.5, IPPI_INTER_LANCZOS,
                                   IPPI_INTER_LINEAR);
    expectFilteredResize<Ipp8u, 1>(builtin::ippiResize_8u_C1R, 3, 5, 2.0, 1.5, IPPI_INTER_CUBIC,
                                   IPPI_INTER_LINEAR);
    expectFilteredResize<Ipp8u, 1>(builtin::ippiResize_8u_C1R, 1, 5, 3.0, 1.5, IPPI_INTER_LINEAR,
                                   IPPI_INTER_NN);
    expectFilteredResize<Ipp8u, 4>(builtin::ippiResize_8u_C4R, 6, 1, 2.0, 4.0, IPPI_INTER_LANCZOS,
                                   IPPI_INTER_NN);
    expectFilteredResize<Ipp8u, 1>(builtin::ippiResize_8u_C1R, 8, 8, 2.0, 1.5, IPPI_INTER_LANCZOS,
                                   IPPI_INTER_LANCZOS);
}

TEST(ResizePlain, OutputCountsTolerateRoundingOfTheFactor) {
    // 3 * (1 / 3.0) is just below 1; the bias still counts a whole pixel.
    std::vector<Ipp8u> src(9 * 3, 1), dst(4, 0);
    ASSERT_EQ(builtin::ippiResize_8u_C1R(src.data(), {9, 3}, 9, {0, 0, 9, 3}, dst.data(), 3, {3, 1},
                                         1.0 / 3, 1.0 / 3, IPPI_INTER_NN),
              ippStsNoErr);
    EXPECT_EQ(dst[0], 1);
    EXPECT_EQ(dst[2], 1);
    EXPECT_EQ(dst[3], 0);
}

TEST(ResizePlain, SuperSamplingAveragesTheCoveredArea) {
    // 6x4 reduced by 1/3 and 1/2: every destination pixel is the mean of a 3x2 block.
    const int w = 6, h = 4;
    std::vector<Ipp8u> src(w * h);
    for (int i = 0; i < w * h; ++i)
        src[i] = Ipp8u(i * 10);
    std::vector<Ipp8u> dst(2 * 2, 0);
    ASSERT_EQ(builtin::ippiResize_8u_C1R(src.data(), {w, h}, w, {0, 0, w, h}, dst.data(), 2, {2, 2},
                                         1.0 / 3, 0.5, IPPI_INTER_SUPER),
              ippStsNoErr);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            double sum = 0;
            for (int j = 0; j < 2; ++j)
                for (int i = 0; i < 3; ++i)
                    sum += src[(2 * y + j) * w + 3 * x + i];
            EXPECT_NEAR(dst[y * 2 + x], sum / 6, 0.5001) << x << "," << y;
        }
    // A reduction by 0.4 splits source pixels between neighbours by area.
    std::vector<Ipp8u> line = {0, 50, 100, 150, 200, 0, 50, 100, 150, 200}, two(2, 0);
    ASSERT_EQ(builtin::ippiResize_8u_C1R(line.data(), {5, 2}, 5, {0, 0, 5, 2}, two.data(), 2,
                                         {2, 1}, 0.4, 0.5, IPPI_INTER_SUPER),
              ippStsNoErr);
    EXPECT_NEAR(two[0], (0 + 50 + 0.5 * 100) / 2.5, 0.5001);
    EXPECT_NEAR(two[1], (0.5 * 100 + 150 + 200) / 2.5, 0.5001);
}

TEST(ResizePlain, StatusOrderAndRegionClipping) {
    std::vector<Ipp8u> src(16, 9), dst(64, 0);
    EXPECT_EQ(
        builtin::ippiResize_8u_C1R(nullptr, {4, 4}, 4, {0, 0, 0, 4}, nullptr, 8, {8, 8}, 2, 2, 1),
        ippStsSizeErr);
    EXPECT_EQ(
        builtin::ippiResize_8u_C1R(nullptr, {4, 4}, 4, {4, 0, 4, 4}, nullptr, 8, {8, 8}, 2, 2, 1),
        ippStsWrongIntersectROI);
    EXPECT_EQ(
        builtin::ippiResize_8u_C1R(nullptr, {4, 4}, 4, {0, 0, 4, 4}, nullptr, 8, {8, 8}, 0, 2, 1),
        ippStsResizeFactorErr);
    EXPECT_EQ(builtin::ippiResize_8u_C1R(nullptr, {4, 4}, 4, {0, 0, 4, 4}, dst.data(), 8, {8, 8}, 2,
                                         2, 1),
              ippStsNullPtrErr);
    EXPECT_EQ(builtin::ippiResize_8u_C1R(src.data(), {4, 4}, -4, {0, 0, 4, 4}, dst.data(), 8,
                                         {8, 8}, 2, 2, 1),
              ippStsStepErr);
    EXPECT_EQ(builtin::ippiResize_8u_C1R(src.data(), {4, 4}, 4, {0, 0, 4, 4}, dst.data(), 8, {8, 8},
                                         2, 2, 5),
              ippStsInterpolationErr);
    EXPECT_EQ(std::count(dst.begin(), dst.end(), 0), 64);
    // A region larger than the image reads only the image and writes only the
    // scaled overlap: 4x4 at factor 2 fills 8x8 of a 8x8 destination.
    ASSERT_EQ(builtin::ippiResize_8u_C1R(src.data(), {4, 4}, 4, {0, 0, 100, 100}, dst.data(), 8,
                                         {8, 8}, 2, 2, IPPI_INTER_CUBIC),
              ippStsNoErr);
    EXPECT_EQ(std::count(dst.begin(), dst.end(), 9), 64);
}

TEST(ResizeCenterFiltered, InterpolatesAroundTheCentre) {
    // An 8-bit ramp in every channel: 10 * x + y.
    const int w = 12, h = 9;
    std::vector<Ipp8u> src(std::size_t(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 4; ++c)
                src[(std::size_t(y) * w + x) * 4 + c] = Ipp8u(10 * x + y);
    for (const int filter : {IPPI_INTER_LINEAR, IPPI_INTER_CUBIC, IPPI_INTER_LANCZOS}) {
        // Unit scale with the centre on the middle: a plain copy.
        std::vector<Ipp8u> same(src.size(), 0);
        ASSERT_EQ(builtin::ippiResizeCenter_8u_C4R(src.data(), {w, h}, w * 4, {0, 0, w, h},
                                                   same.data(), w * 4, {w, h}, 1.0, 1.0, w / 2.0,
                                                   h / 2.0, filter),
                  ippStsNoErr);
        EXPECT_EQ(same, src) << filter;
    }
    // Moving the centre right by half a pixel samples between columns: the
    // linear filter gives the mean of neighbours, 10 * x + 5 + y, away from
    // the right edge where the area ends.
    std::vector<Ipp8u> shifted(src.size(), 0);
    ASSERT_EQ(builtin::ippiResizeCenter_8u_C4R(src.data(), {w, h}, w * 4, {0, 0, w, h},
                                               shifted.data(), w * 4, {w, h}, 1.0, 1.0,
                                               w / 2.0 + 0.5, h / 2.0, IPPI_INTER_LINEAR),
              ippStsNoErr);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x + 1 < w; ++x)
            EXPECT_NEAR(shifted[(std::size_t(y) * w + x) * 4], 10 * x + 5 + y, 0.5001)
                << x << "," << y;
}

TEST(ResizePlain, SuperSamplingWhileEnlargingInterpolatesLinearly) {
    std::vector<Ipp8u> src = {0, 100, 200, 50, 150, 250, 0, 60, 120, 30, 90, 180};
    std::vector<Ipp8u> super(6 * 8), linear(6 * 8);
    ASSERT_EQ(builtin::ippiResize_8u_C1R(src.data(), {3, 4}, 3, {0, 0, 3, 4}, super.data(), 6,
                                         {6, 8}, 2.0, 2.0, IPPI_INTER_SUPER),
              ippStsNoErr);
    ASSERT_EQ(builtin::ippiResize_8u_C1R(src.data(), {3, 4}, 3, {0, 0, 3, 4}, linear.data(), 6,
                                         {6, 8}, 2.0, 2.0, IPPI_INTER_LINEAR),
              ippStsNoErr);
    EXPECT_EQ(super, linear);
}
