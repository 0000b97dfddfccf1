// Thresholds, element functions, complex parts and test signals.

#include "kernel_test_support.h"

#include "primitives/KernelsComplex.h"
#include "primitives/KernelsElementFunctions.h"
#include "primitives/KernelsSignals.h"
#include "primitives/KernelsThreshold.h"

#include <gtest/gtest.h>

#include <array>
#include <numbers>

using namespace builtin;

namespace {

TEST(ThresholdKernels, RealFormsClampOnOneSide) {
    std::array<Ipp32s, 4> v{-5, 0, 5, 10};
    ASSERT_EQ(ippsThreshold_LT_32s_I(v.data(), 4, 1), ippStsNoErr);
    EXPECT_EQ(v, (std::array<Ipp32s, 4>{1, 1, 5, 10}));
    ASSERT_EQ(ippsThreshold_GT_32s_I(v.data(), 4, 6), ippStsNoErr);
    EXPECT_EQ(v, (std::array<Ipp32s, 4>{1, 1, 5, 6}));

    const std::array<Ipp64f, 3> d{-1.5, 0.5, 2.5};
    std::array<Ipp64f, 3> out{};
    ASSERT_EQ(ippsThreshold_64f(d.data(), out.data(), 3, 0.5, ippCmpGreater), ippStsNoErr);
    EXPECT_EQ(out, (std::array<Ipp64f, 3>{-1.5, 0.5, 0.5}));
    std::array<Ipp32f, 2> f{-1.0f, 1.0f};
    ASSERT_EQ(ippsThreshold_32f_I(f.data(), 2, 0.0f, ippCmpLess), ippStsNoErr);
    EXPECT_EQ(f, (std::array<Ipp32f, 2>{0.0f, 1.0f}));
    EXPECT_EQ(ippsThreshold_64f(d.data(), out.data(), 3, 0.5, ippCmpEq), ippStsBadArgErr);
    EXPECT_EQ(ippsThreshold_64f_I(nullptr, 0, 0.5, ippCmpEq), ippStsNullPtrErr);
}

TEST(ThresholdKernels, ComplexFormsLimitTheMagnitudeKeepingThePhase) {
    std::array<Ipp64fc, 3> v{{{3, 4}, {0.3, -0.4}, {0, 0}}};
    ASSERT_EQ(ippsThreshold_64fc_I(v.data(), 3, 1.0, ippCmpGreater), ippStsNoErr);
    EXPECT_NEAR(v[0].re, 0.6, 1e-15);
    EXPECT_NEAR(v[0].im, 0.8, 1e-15);
    EXPECT_EQ(v[1].re, 0.3);
    std::array<Ipp64fc, 3> out{};
    ASSERT_EQ(ippsThreshold_64fc(v.data(), out.data(), 3, 2.0, ippCmpLess), ippStsNoErr);
    EXPECT_NEAR(out[1].re, 1.2, 1e-15);
    EXPECT_NEAR(out[1].im, -1.6, 1e-15);
    EXPECT_EQ(out[2].re, 2.0) << "zero has no phase and takes the level on the real axis";
    EXPECT_EQ(out[2].im, 0.0);
    EXPECT_EQ(ippsThreshold_64fc(v.data(), out.data(), 3, -1.0, ippCmpLess),
              ippStsThreshNegLevelErr);
}

TEST(ElementFunctionKernels, MatchTheMathLibraryAndWarnOutsideTheDomain) {
    const auto v = kernel_test::randomReals(32, 6, 0.001, 20.0);
    std::vector<Ipp64f> sq(32), rt(32), ex(32), ln(32), ab(32);
    ASSERT_EQ(ippsSqr_64f(v.data(), sq.data(), 32), ippStsNoErr);
    ASSERT_EQ(ippsSqrt_64f(v.data(), rt.data(), 32), ippStsNoErr);
    ASSERT_EQ(ippsExp_64f(v.data(), ex.data(), 32), ippStsNoErr);
    ASSERT_EQ(ippsLn_64f(v.data(), ln.data(), 32), ippStsNoErr);
    for (size_t i = 0; i < 32; ++i) {
        EXPECT_EQ(sq[i], v[i] * v[i]);
        EXPECT_NEAR(rt[i] * rt[i], v[i], 1e-12 * v[i]);
        EXPECT_NEAR(std::log(ex[i]), v[i], 1e-12);
        EXPECT_NEAR(std::exp(ln[i]), v[i], 1e-12 * v[i]);
    }
    std::array<Ipp64f, 2> neg{-4.0, 9.0};
    EXPECT_EQ(ippsSqrt_64f_I(neg.data(), 2), ippStsSqrtNegArg);
    EXPECT_TRUE(std::isnan(neg[0]));
    EXPECT_EQ(neg[1], 3.0);
    std::array<Ipp64f, 2> zero{0.0, 1.0};
    EXPECT_EQ(ippsLn_64f_I(zero.data(), 2), ippStsLnZeroArg);
    EXPECT_EQ(zero[0], -HUGE_VAL);
    std::array<Ipp64f, 2> negLn{-1.0, 0.0};
    EXPECT_EQ(ippsLn_64f_I(negLn.data(), 2), ippStsLnNegArg);
    std::array<Ipp64f, 2> signs{-2.5, 2.5};
    ASSERT_EQ(ippsAbs_64f_I(signs.data(), 2), ippStsNoErr);
    EXPECT_EQ(signs, (std::array<Ipp64f, 2>{2.5, 2.5}));
}

TEST(ElementFunctionKernels, ComplexSquareAndPrincipalRoot) {
    std::array<Ipp64fc, 2> v{{{1, 2}, {-4, 0}}};
    std::array<Ipp64fc, 2> sq{}, rt{};
    ASSERT_EQ(ippsSqr_64fc(v.data(), sq.data(), 2), ippStsNoErr);
    EXPECT_EQ(sq[0].re, -3.0);
    EXPECT_EQ(sq[0].im, 4.0);
    ASSERT_EQ(ippsSqrt_64fc(sq.data(), rt.data(), 1), ippStsNoErr);
    EXPECT_NEAR(rt[0].re, 1.0, 1e-15);
    EXPECT_NEAR(rt[0].im, 2.0, 1e-15);
    ASSERT_EQ(ippsSqrt_64fc_I(v.data() + 1, 1), ippStsNoErr);
    EXPECT_NEAR(v[1].re, 0.0, 1e-15);
    EXPECT_NEAR(v[1].im, 2.0, 1e-15);
}

TEST(ComplexPartKernels, SplitAndJoin) {
    const std::array<Ipp64fc, 3> z{{{3, 4}, {-1, 0}, {0, -2}}};
    std::array<Ipp64f, 3> mag{}, pow{}, ph{}, re{}, im{};
    ASSERT_EQ(ippsMagnitude_64fc(z.data(), mag.data(), 3), ippStsNoErr);
    ASSERT_EQ(ippsPowerSpectr_64fc(z.data(), pow.data(), 3), ippStsNoErr);
    ASSERT_EQ(ippsPhase_64fc(z.data(), ph.data(), 3), ippStsNoErr);
    ASSERT_EQ(ippsReal_64fc(z.data(), re.data(), 3), ippStsNoErr);
    ASSERT_EQ(ippsImag_64fc(z.data(), im.data(), 3), ippStsNoErr);
    EXPECT_EQ(mag, (std::array<Ipp64f, 3>{5, 1, 2}));
    EXPECT_EQ(pow, (std::array<Ipp64f, 3>{25, 1, 4}));
    EXPECT_NEAR(ph[0], 0.9272952180016122, 1e-15);
    EXPECT_EQ(ph[1], std::numbers::pi);
    EXPECT_EQ(ph[2], -std::numbers::pi / 2);
    EXPECT_EQ(re, (std::array<Ipp64f, 3>{3, -1, 0}));
    EXPECT_EQ(im, (std::array<Ipp64f, 3>{4, 0, -2}));

    // Magnitudes beyond the square's range still come out right.
    const Ipp64fc huge{3e200, 4e200};
    Ipp64f m = 0.0;
    ASSERT_EQ(ippsMagnitude_64fc(&huge, &m, 1), ippStsNoErr);
    EXPECT_NEAR(m, 5e200, 1e186);

    std::array<Ipp64fc, 3> joined{};
    ASSERT_EQ(ippsRealToCplx_64f(re.data(), nullptr, joined.data(), 3), ippStsNoErr);
    EXPECT_EQ(joined[0].re, 3.0);
    EXPECT_EQ(joined[0].im, 0.0);
    const std::array<Ipp32f, 2> fim{1.0f, 2.0f};
    std::array<Ipp32fc, 2> fj{};
    ASSERT_EQ(ippsRealToCplx_32f(nullptr, fim.data(), fj.data(), 2), ippStsNoErr);
    EXPECT_EQ(fj[1].re, 0.0f);
    EXPECT_EQ(fj[1].im, 2.0f);
    EXPECT_EQ(ippsRealToCplx_64f(nullptr, nullptr, joined.data(), 3), ippStsNullPtrErr);
}

TEST(SignalKernels, JaehneChirp) {
    Ipp64f one = 5.0;
    ASSERT_EQ(ippsVectorJaehne_64f(&one, 1, 3.0), ippStsNoErr);
    EXPECT_EQ(one, 0.0);
    std::array<Ipp64f, 16> v{};
    ASSERT_EQ(ippsVectorJaehne_64f(v.data(), 16, 2.0), ippStsNoErr);
    for (int n = 0; n < 16; ++n)
        EXPECT_NEAR(
            v[static_cast<size_t>(n)],
            static_cast<double>(2.0L * std::sin(std::numbers::pi_v<long double> / 2 * n * n / 16)),
            1e-14);
    EXPECT_EQ(ippsVectorJaehne_64f(v.data(), 16, -1.0), ippStsJaehneErr);
    EXPECT_EQ(ippsVectorJaehne_64f(nullptr, 0, -1.0), ippStsNullPtrErr);
    EXPECT_EQ(ippsVectorJaehne_64f(v.data(), 0, -1.0), ippStsSizeErr);
}

TEST(SignalKernels, UniformNoiseStaysInRangeAndFollowsTheSeed) {
    unsigned int seed = 42, again = 42;
    std::vector<Ipp64f> a(4000), b(4000);
    ASSERT_EQ(ippsRandUniform_Direct_64f(a.data(), 2000, -2.0, 6.0, &seed), ippStsNoErr);
    ASSERT_EQ(ippsRandUniform_Direct_64f(a.data() + 2000, 2000, -2.0, 6.0, &seed), ippStsNoErr);
    ASSERT_EQ(ippsRandUniform_Direct_64f(b.data(), 4000, -2.0, 6.0, &again), ippStsNoErr);
    EXPECT_EQ(a, b) << "the seed carries the state from call to call";
    EXPECT_EQ(seed, again);
    long double sum = 0.0L;
    for (double x : a) {
        EXPECT_GE(x, -2.0);
        EXPECT_LT(x, 6.0);
        sum += x;
    }
    EXPECT_NEAR(static_cast<double>(sum / 4000), 2.0, 0.15);
    EXPECT_EQ(ippsRandUniform_Direct_64f(a.data(), 1, 0.0, 1.0, nullptr), ippStsNullPtrErr);
}

} // namespace
