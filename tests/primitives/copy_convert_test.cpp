// Set, zero, copy, move, byte swaps and conversions.

#include "kernel_test_support.h"

#include "primitives/KernelsConvert.h"
#include "primitives/KernelsCopy.h"

#include <gtest/gtest.h>

#include <array>
#include <cfloat>
#include <numeric>

using namespace builtin;

namespace {

constexpr Ipp32s kMax = std::numeric_limits<Ipp32s>::max();
constexpr Ipp32s kMin = std::numeric_limits<Ipp32s>::min();

TEST(CopyKernels, ZeroChecksPointerBeforeLength) {
    std::array<Ipp64f, 3> v{1.0, 2.0, 3.0};
    EXPECT_EQ(ippsZero_64f(nullptr, 0), ippStsNullPtrErr);
    EXPECT_EQ(ippsZero_64f(v.data(), 0), ippStsSizeErr);
    EXPECT_EQ(v[0], 1.0);
    EXPECT_EQ(ippsZero_64f(v.data(), 2), ippStsNoErr);
    EXPECT_EQ(v, (std::array<Ipp64f, 3>{0.0, 0.0, 3.0}));
    std::array<Ipp64fc, 2> c{{{1, 2}, {3, 4}}};
    EXPECT_EQ(ippsZero_64fc(c.data(), 2), ippStsNoErr);
    EXPECT_EQ(c[1].im, 0.0);
}

TEST(CopyKernels, SetFillsExactlyLenElements) {
    std::array<Ipp32s, 4> v{9, 9, 9, 9};
    EXPECT_EQ(ippsSet_32s(-5, v.data(), 3), ippStsNoErr);
    EXPECT_EQ(v, (std::array<Ipp32s, 4>{-5, -5, -5, 9}));
    std::array<Ipp64fc, 2> c{};
    EXPECT_EQ(ippsSet_64fc({1.5, -2.5}, c.data(), 2), ippStsNoErr);
    EXPECT_EQ(c[1].re, 1.5);
    EXPECT_EQ(c[1].im, -2.5);
    EXPECT_EQ(ippsSet_8u(1, nullptr, -1), ippStsNullPtrErr);
}

TEST(CopyKernels, MoveHandlesOverlapInBothDirections) {
    std::vector<Ipp8u> base(64);
    std::iota(base.begin(), base.end(), Ipp8u{0});
    for (int shift : {-7, -1, 1, 13}) {
        std::vector<Ipp8u> buffer = base;
        const int from = shift > 0 ? 0 : -shift;
        const int to = shift > 0 ? shift : 0;
        const int len = 64 - std::abs(shift);
        ASSERT_EQ(ippsMove_8u(buffer.data() + from, buffer.data() + to, len), ippStsNoErr);
        for (int i = 0; i < 64; ++i) {
            const bool moved = i >= to && i < to + len;
            EXPECT_EQ(buffer[static_cast<size_t>(i)], moved
                                                          ? base[static_cast<size_t>(i - to + from)]
                                                          : base[static_cast<size_t>(i)])
                << "shift " << shift << " at " << i;
        }
    }
    std::array<Ipp64f, 4> d{1, 2, 3, 4};
    ASSERT_EQ(ippsMove_64f(d.data(), d.data() + 1, 3), ippStsNoErr);
    EXPECT_EQ(d, (std::array<Ipp64f, 4>{1, 1, 2, 3}));
    std::array<Ipp32f, 2> f{};
    const std::array<Ipp32f, 2> g{0.5f, 7.0f};
    ASSERT_EQ(ippsCopy_32f(g.data(), f.data(), 2), ippStsNoErr);
    EXPECT_EQ(f, g);
}

TEST(CopyKernels, ByteSwapsReverseEachUnit) {
    const std::array<Ipp16u, 2> s16{0x1234, 0xABCD};
    std::array<Ipp16u, 2> d16{};
    ASSERT_EQ(ippsSwapBytes_16u(s16.data(), d16.data(), 2), ippStsNoErr);
    EXPECT_EQ(d16, (std::array<Ipp16u, 2>{0x3412, 0xCDAB}));
    const std::array<Ipp8u, 7> s24{1, 2, 3, 4, 5, 6, 99};
    std::array<Ipp8u, 7> d24{0, 0, 0, 0, 0, 0, 42};
    ASSERT_EQ(ippsSwapBytes_24u(s24.data(), d24.data(), 2), ippStsNoErr);
    EXPECT_EQ(d24, (std::array<Ipp8u, 7>{3, 2, 1, 6, 5, 4, 42}));
    std::array<Ipp32u, 1> s32{0x11223344u};
    ASSERT_EQ(ippsSwapBytes_32u_I(s32.data(), 1), ippStsNoErr);
    EXPECT_EQ(s32[0], 0x44332211u);
    EXPECT_EQ(ippsSwapBytes_24u(s24.data(), nullptr, 0), ippStsNullPtrErr);
}

TEST(ConvertKernels, RoundingModesAndSaturation) {
    const std::array<Ipp64f, 10> src{2.5,  3.5,   -2.5,         -3.7, 3.7,
                                     1e10, -1e10, 2147483647.4, -0.5, 0.5};
    std::array<Ipp32s, 10> nearest{}, toward{};
    ASSERT_EQ(ippsConvert_64f32s_Sfs(src.data(), nearest.data(), 10, ippRndNear, 0), ippStsNoErr);
    ASSERT_EQ(ippsConvert_64f32s_Sfs(src.data(), toward.data(), 10, ippRndZero, 0), ippStsNoErr);
    EXPECT_EQ(nearest, (std::array<Ipp32s, 10>{2, 4, -2, -4, 4, kMax, kMin, kMax, 0, 0}));
    EXPECT_EQ(toward, (std::array<Ipp32s, 10>{2, 3, -2, -3, 3, kMax, kMin, kMax, 0, 0}));
}

TEST(ConvertKernels, ScaleFactorsApplyBeforeRounding) {
    const std::array<Ipp64f, 3> src{5.0, 7.0, 3.0};
    std::array<Ipp32s, 3> out{};
    ASSERT_EQ(ippsConvert_64f32s_Sfs(src.data(), out.data(), 3, ippRndNear, 1),
              ippStsNoErr); // 2.5, 3.5, 1.5
    EXPECT_EQ(out, (std::array<Ipp32s, 3>{2, 4, 2}));
    ASSERT_EQ(ippsConvert_64f32s_Sfs(src.data(), out.data(), 3, ippRndNear, -2), ippStsNoErr);
    EXPECT_EQ(out, (std::array<Ipp32s, 3>{20, 28, 12}));
    const std::array<Ipp32f, 3> f{2.5f, -1.5f, 1e20f};
    ASSERT_EQ(ippsConvert_32f32s_Sfs(f.data(), out.data(), 3, ippRndNear, 0), ippStsNoErr);
    EXPECT_EQ(out, (std::array<Ipp32s, 3>{2, -2, kMax}));
    const std::array<Ipp16s, 2> s{-3, 32767};
    std::array<Ipp64f, 2> d{};
    ASSERT_EQ(ippsConvert_16s64f_Sfs(s.data(), d.data(), 2, 1), ippStsNoErr);
    EXPECT_EQ(d, (std::array<Ipp64f, 2>{-1.5, 16383.5}));
}

TEST(ConvertKernels, UnrepresentableValuesGetASoundResult) {
    const std::array<Ipp64f, 4> src{std::nan(""), HUGE_VAL, -HUGE_VAL, 1e300};
    std::array<Ipp32s, 4> ints{};
    ASSERT_EQ(ippsConvert_64f32s_Sfs(src.data(), ints.data(), 4, ippRndNear, 0), ippStsNoErr);
    EXPECT_EQ(ints, (std::array<Ipp32s, 4>{0, kMax, kMin, kMax}));
    std::array<Ipp32f, 4> floats{};
    ASSERT_EQ(ippsConvert_64f32f(src.data(), floats.data(), 4), ippStsNoErr);
    EXPECT_TRUE(std::isnan(floats[0]));
    EXPECT_EQ(floats[1], HUGE_VALF);
    EXPECT_EQ(floats[2], -HUGE_VALF);
    EXPECT_EQ(floats[3], FLT_MAX);
    EXPECT_EQ(ippsConvert_64f32s_Sfs(src.data(), ints.data(), 4, static_cast<IppRoundMode>(7), 0),
              ippStsRoundModeNotSupportedErr);
}

TEST(ConvertKernels, WideningConversionsAndTheRenderingGroupsOwnKernels) {
    const std::array<Ipp32s, 2> i{-7, 16777217};
    std::array<Ipp64f, 2> d{};
    std::array<Ipp32f, 2> f{};
    ASSERT_EQ(ippsConvert_32s64f(i.data(), d.data(), 2), ippStsNoErr);
    EXPECT_EQ(d, (std::array<Ipp64f, 2>{-7.0, 16777217.0}));
    ASSERT_EQ(ippsConvert_32s32f(i.data(), f.data(), 2), ippStsNoErr);
    EXPECT_EQ(f, (std::array<Ipp32f, 2>{-7.0f, 16777216.0f}));
    ASSERT_EQ(ippsConvert_32f64f(f.data(), d.data(), 2), ippStsNoErr);
    EXPECT_EQ(d[1], 16777216.0);

    const auto src = kernel_test::randomReals(50, 9, -1e6, 1e6);
    std::vector<Ipp32f> a(50), b(50);
    std::vector<Ipp32s> x(50), y(50);
    ASSERT_EQ(ippsConvert_64f32f(src.data(), a.data(), 50), ippStsNoErr);
    ASSERT_EQ(ippsConvert_64f32f_Render(src.data(), b.data(), 50), ippStsNoErr);
    ASSERT_EQ(ippsConvert_64f32s_Sfs(src.data(), x.data(), 50, ippRndNear, 0), ippStsNoErr);
    ASSERT_EQ(ippsConvert_64f32s_Sfs_Render(src.data(), y.data(), 50, ippRndNear, 0), ippStsNoErr);
    EXPECT_EQ(a, b);
    EXPECT_EQ(x, y);
    for (size_t k = 0; k < 50; ++k) {
        EXPECT_EQ(a[k], static_cast<Ipp32f>(src[k]));
        EXPECT_EQ(x[k], static_cast<Ipp32s>(std::nearbyint(src[k])));
    }
    EXPECT_EQ(ippsConvert_64f32f_Render(nullptr, b.data(), 0), ippStsNullPtrErr);
}

} // namespace
