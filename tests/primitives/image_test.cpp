// Image set, copy, mirror, linear look-up and alpha composition.

#include "primitives/KernelsAlpha.h"
#include "primitives/KernelsImage.h"

#include <gtest/gtest.h>

#include <array>
#include <numeric>
#include <vector>

using namespace builtin;

namespace {

constexpr Ipp8u kGuard = 0xEE;

// An image of w x h pixels of the given channel count inside rows of `step`
// bytes, with guard bytes after every row and at the end.
struct Image {
    Image(int w, int h, int channels, int padding = 5)
        : width(w), height(h), channels(channels), step(w * channels + padding),
          bytes(static_cast<size_t>(step * h + 8), kGuard) {}
    Ipp8u* row(int y) { return bytes.data() + static_cast<ptrdiff_t>(y) * step; }
    Ipp8u* at(int x, int y) { return row(y) + x * channels; }
    void fillPattern(int seed) {
        for (int y = 0; y < height; ++y)
            for (int i = 0; i < width * channels; ++i)
                row(y)[i] = static_cast<Ipp8u>(seed + 7 * y + 3 * i);
    }
    bool guardsIntact() {
        for (int y = 0; y < height; ++y)
            for (int i = width * channels; i < step; ++i)
                if (row(y)[i] != kGuard)
                    return false;
        for (size_t i = static_cast<size_t>(step * height); i < bytes.size(); ++i)
            if (bytes[i] != kGuard)
                return false;
        return true;
    }
    IppiSize size() const { return {width, height}; }

    int width, height, channels, step;
    std::vector<Ipp8u> bytes;
};

TEST(ImageKernels, SetFillsTheRegionOnly) {
    Image img(5, 3, 4);
    const Ipp8u value[4] = {1, 2, 3, 4};
    ASSERT_EQ(ippiSet_8u_C4R(value, img.at(1, 1), img.step, {3, 2}), ippStsNoErr);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const bool inside = x >= 1 && x < 4 && y >= 1;
            for (int c = 0; c < 4; ++c)
                EXPECT_EQ(img.at(x, y)[c], inside ? value[c] : kGuard) << x << "," << y;
        }
    EXPECT_TRUE(img.guardsIntact());
    Image other(5, 3, 4);
    ASSERT_EQ(ippiSet_8u_C4R_Render(value, other.row(0), other.step, other.size()), ippStsNoErr);
    EXPECT_EQ(other.at(4, 2)[3], 4);
}

TEST(ImageKernels, ChecksPointersThenSizeThenStep) {
    Image img(2, 2, 4);
    const Ipp8u value[4] = {};
    EXPECT_EQ(ippiSet_8u_C4R(nullptr, img.row(0), 0, {0, 0}), ippStsNullPtrErr);
    EXPECT_EQ(ippiSet_8u_C4R(value, img.row(0), 0, {0, 2}), ippStsSizeErr);
    EXPECT_EQ(ippiSet_8u_C4R(value, img.row(0), 0, {2, 2}), ippStsStepErr);
    EXPECT_EQ(ippiSet_8u_C4R(value, img.row(0), -8, {2, 2}), ippStsStepErr);
    EXPECT_EQ(ippiCopy_8u_C4R(img.row(0), img.step, img.row(0), 0, {2, 2}), ippStsStepErr);
    EXPECT_EQ(ippiMirror_8u_C3IR(img.row(0), img.step, {2, -1}, ippAxsBoth), ippStsSizeErr);
    EXPECT_EQ(ippiAlphaComp_8u_AC4R(img.row(0), 0, nullptr, 8, img.row(0), 8, {1, 1}, ippAlphaOver),
              ippStsNullPtrErr);
    EXPECT_TRUE(
        std::all_of(img.bytes.begin(), img.bytes.end(), [](Ipp8u b) { return b == kGuard; }));
}

TEST(ImageKernels, CopyHonoursBothSteps) {
    Image src(4, 3, 4, 3), dst(4, 3, 4, 9);
    src.fillPattern(1);
    ASSERT_EQ(ippiCopy_8u_C4R(src.row(0), src.step, dst.row(0), dst.step, src.size()), ippStsNoErr);
    for (int y = 0; y < 3; ++y)
        EXPECT_TRUE(std::equal(src.row(y), src.row(y) + 16, dst.row(y)));
    EXPECT_TRUE(dst.guardsIntact());

    std::vector<Ipp32s> a(12), b(20, -1);
    std::iota(a.begin(), a.end(), 100);
    ASSERT_EQ(ippiCopy_32s_C1R(a.data(), 12, b.data(), 20, {3, 4}),
              ippStsNoErr); // 3 of 3 columns, 5-wide rows
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(b[static_cast<size_t>(5 * y + x)],
                      x < 3 ? a[static_cast<size_t>(3 * y + x)] : -1);
}

TEST(ImageKernels, MirrorAboutEachAxis) {
    for (IppiSize size : {IppiSize{4, 3}, IppiSize{3, 4}, IppiSize{1, 1}}) {
        for (IppiAxis axis : {ippAxsHorizontal, ippAxsVertical, ippAxsBoth}) {
            const bool flipRows = axis != ippAxsVertical;
            const bool flipCols = axis != ippAxsHorizontal;
            for (int channels : {3, 4}) {
                Image src(size.width, size.height, channels),
                    dst(size.width, size.height, channels);
                src.fillPattern(channels);
                const IppStatus st =
                    channels == 3
                        ? ippiMirror_8u_C3R(src.row(0), src.step, dst.row(0), dst.step, size, axis)
                        : ippiMirror_8u_C4R(src.row(0), src.step, dst.row(0), dst.step, size, axis);
                ASSERT_EQ(st, ippStsNoErr);
                for (int y = 0; y < size.height; ++y)
                    for (int x = 0; x < size.width; ++x) {
                        const int sx = flipCols ? size.width - 1 - x : x;
                        const int sy = flipRows ? size.height - 1 - y : y;
                        EXPECT_TRUE(
                            std::equal(dst.at(x, y), dst.at(x, y) + channels, src.at(sx, sy)));
                    }
                EXPECT_TRUE(dst.guardsIntact());
                if (channels == 3) {
                    Image inPlace = src;
                    ASSERT_EQ(ippiMirror_8u_C3IR(inPlace.row(0), inPlace.step, size, axis),
                              ippStsNoErr);
                    EXPECT_EQ(inPlace.bytes, dst.bytes);
                }
            }
        }
    }
    Image img(2, 2, 3);
    EXPECT_EQ(ippiMirror_8u_C3IR(img.row(0), img.step, img.size(), static_cast<IppiAxis>(3)),
              ippStsMirrorFlipErr);
}

TEST(ImageKernels, LinearLookUpInterpolatesBetweenLevels) {
    Image src(4, 1, 4), dst(4, 1, 4);
    const Ipp8u pixels[16] = {50, 0, 0, 9, 150, 100, 255, 9, 199, 200, 1, 9, 250, 99, 2, 9};
    std::copy(pixels, pixels + 16, src.row(0));
    const Ipp32s levels0[3] = {0, 100, 200}, values0[3] = {0, 50, 250};
    const Ipp32s levels1[2] = {0, 256}, values1[2] = {255, -1}; // inversion
    const Ipp32s levels2[2] = {0, 2}, values2[2] = {300, 300};  // saturates
    const Ipp32s levels3[2] = {10, 20}, values3[2] = {0, 0};    // 9 is below every level
    const Ipp32s* values[4] = {values0, values1, values2, values3};
    const Ipp32s* levels[4] = {levels0, levels1, levels2, levels3};
    int counts[4] = {3, 2, 2, 2};
    ASSERT_EQ(ippiLUT_Linear_8u_C4R(src.row(0), src.step, dst.row(0), dst.step, {4, 1}, values,
                                    levels, counts),
              ippStsNoErr);
    // Channel 0: 50 -> 25, 150 -> 50 + 50 * 200 / 100 = 150, 199 -> 248, 250 beyond the levels:
    // kept.
    const Ipp8u expected[16] = {25, 255, 255, 9, 150, 155, 255, 9, 248, 55, 255, 9, 250, 156, 2, 9};
    EXPECT_TRUE(std::equal(expected, expected + 16, dst.row(0)));
    EXPECT_TRUE(dst.guardsIntact());
    counts[2] = 1;
    EXPECT_EQ(ippiLUT_Linear_8u_C4R(src.row(0), src.step, dst.row(0), dst.step, {4, 1}, values,
                                    levels, counts),
              ippStsLUTNofLevelsErr);
    levels[1] = nullptr;
    EXPECT_EQ(ippiLUT_Linear_8u_C4R(src.row(0), src.step, dst.row(0), dst.step, {4, 1}, values,
                                    levels, counts),
              ippStsNullPtrErr);
}

unsigned div255(unsigned x) {
    return (x + (x >> 8) + 1) >> 8;
}

TEST(AlphaKernels, OverFollowsTheIntegerRuleForEveryAlphaPair) {
    // Every pair of alphas against a few colours, in one row of pixels.
    std::vector<Ipp8u> a, b;
    for (unsigned alphaA = 0; alphaA < 256; alphaA += 5)
        for (unsigned alphaB = 0; alphaB < 256; alphaB += 3) {
            const Ipp8u ca = static_cast<Ipp8u>(alphaA * 7 + 13),
                        cb = static_cast<Ipp8u>(alphaB * 11 + 200);
            a.insert(a.end(), {ca, static_cast<Ipp8u>(255 - ca), 255, static_cast<Ipp8u>(alphaA)});
            b.insert(b.end(), {cb, 0, static_cast<Ipp8u>(cb / 2), static_cast<Ipp8u>(alphaB)});
        }
    const int n = static_cast<int>(a.size() / 4);
    std::vector<Ipp8u> over(a.size()), premul(a.size());
    ASSERT_EQ(ippiAlphaComp_8u_AC4R(a.data(), 4 * n, b.data(), 4 * n, over.data(), 4 * n, {n, 1},
                                    ippAlphaOver),
              ippStsNoErr);
    ASSERT_EQ(ippiAlphaComp_8u_AC4R(a.data(), 4 * n, b.data(), 4 * n, premul.data(), 4 * n, {n, 1},
                                    ippAlphaOverPremul),
              ippStsNoErr);
    for (int p = 0; p < n; ++p) {
        const size_t i = 4 * static_cast<size_t>(p);
        const unsigned alphaA = a[i + 3], alphaB = b[i + 3];
        for (size_t c = 0; c < 3; ++c) {
            EXPECT_EQ(over[i + c], div255(a[i + c] * alphaA) +
                                       div255(div255(b[i + c] * alphaB) * (255 - alphaA)));
            EXPECT_EQ(premul[i + c], std::min(255u, a[i + c] + div255(b[i + c] * (255 - alphaA))));
        }
        EXPECT_EQ(over[i + 3], alphaA + div255(alphaB * (255 - alphaA)));
        EXPECT_EQ(premul[i + 3], over[i + 3]);
    }
}

TEST(AlphaKernels, OpaqueSourceOverAnythingIsTheSource) {
    const std::array<Ipp8u, 8> a{10, 128, 255, 255, 0, 1, 254, 255};
    const std::array<Ipp8u, 8> b{200, 7, 99, 13, 255, 255, 255, 255};
    std::array<Ipp8u, 8> out{};
    ASSERT_EQ(ippiAlphaComp_8u_AC4R(a.data(), 8, b.data(), 8, out.data(), 8, {2, 1}, ippAlphaOver),
              ippStsNoErr);
    EXPECT_EQ(out, a);
}

TEST(AlphaKernels, PorterDuffTypesApproximateTheirRealValuedDefinitions) {
    // Fractions of A and B kept by each type, with alphas in 0..1.
    struct Rule {
        IppiAlphaType type;
        double (*fa)(double, double);
        double (*fb)(double, double);
    };
    const Rule rules[] = {
        {ippAlphaIn, [](double, double ab) { return ab; }, [](double, double) { return 0.0; }},
        {ippAlphaOut, [](double, double ab) { return 1 - ab; }, [](double, double) { return 0.0; }},
        {ippAlphaATop, [](double, double ab) { return ab; },
         [](double aa, double) { return 1 - aa; }},
        {ippAlphaXor, [](double, double ab) { return 1 - ab; },
         [](double aa, double) { return 1 - aa; }},
        {ippAlphaPlus, [](double, double) { return 1.0; }, [](double, double) { return 1.0; }},
    };
    const Ipp8u colours[][2] = {{200, 40}, {0, 255}, {128, 128}, {255, 255}};
    const Ipp8u alphas[][2] = {{255, 0}, {0, 255}, {128, 200}, {30, 90}, {255, 255}};
    for (const Rule& r : rules)
        for (bool premultiplied : {false, true})
            for (auto& col : colours)
                for (auto& al : alphas) {
                    const double aa = al[0] / 255.0, ab = al[1] / 255.0;
                    // Premultiplied input must not exceed its alpha.
                    const Ipp8u ca = premultiplied ? std::min(col[0], al[0]) : col[0];
                    const Ipp8u cb = premultiplied ? std::min(col[1], al[1]) : col[1];
                    const Ipp8u pa[4] = {ca, ca, ca, al[0]}, pb[4] = {cb, cb, cb, al[1]};
                    Ipp8u out[4] = {};
                    const auto type = static_cast<IppiAlphaType>(
                        r.type + (premultiplied ? ippAlphaOverPremul : 0));
                    ASSERT_EQ(ippiAlphaComp_8u_AC4R(pa, 4, pb, 4, out, 4, {1, 1}, type),
                              ippStsNoErr);
                    const double wa = premultiplied ? ca : ca * aa,
                                 wb = premultiplied ? cb : cb * ab;
                    const double colour = std::min(255.0, wa * r.fa(aa, ab) + wb * r.fb(aa, ab));
                    const double alpha =
                        std::min(255.0, 255.0 * (aa * r.fa(aa, ab) + ab * r.fb(aa, ab)));
                    EXPECT_NEAR(out[0], colour, 2.0) << r.type << " premul " << premultiplied;
                    EXPECT_NEAR(out[3], alpha, 2.0) << r.type << " premul " << premultiplied;
                }
}

TEST(AlphaKernels, UnknownTypeIsRejectedWithoutDrawing) {
    std::array<Ipp8u, 4> a{1, 2, 3, 4}, out{9, 9, 9, 9};
    EXPECT_EQ(ippiAlphaComp_8u_AC4R(a.data(), 4, a.data(), 4, out.data(), 4, {1, 1},
                                    static_cast<IppiAlphaType>(12)),
              ippStsAlphaTypeErr);
    EXPECT_EQ(ippiAlphaComp_8u_AC4R(a.data(), 4, a.data(), 4, out.data(), 4, {1, 1},
                                    static_cast<IppiAlphaType>(-1)),
              ippStsAlphaTypeErr);
    EXPECT_EQ(out, (std::array<Ipp8u, 4>{9, 9, 9, 9}));
}

} // namespace
