// Statistics, norms and normalisation.

#include "kernel_test_support.h"

#include "primitives/KernelsStatistics.h"

#include <gtest/gtest.h>

#include <array>
#include <cfloat>

using namespace builtin;

namespace {

TEST(StatisticsKernels, StdDevNeedsTwoValues) {
    const std::array<Ipp64f, 4> v{1, 2, 3, 4};
    Ipp64f sd = -1.0;
    EXPECT_EQ(ippsStdDev_64f(v.data(), 1, &sd), ippStsSizeErr);
    EXPECT_EQ(ippsStdDev_64f(nullptr, 1, &sd), ippStsNullPtrErr);
    EXPECT_EQ(sd, -1.0);
    ASSERT_EQ(ippsStdDev_64f(v.data(), 4, &sd), ippStsNoErr);
    EXPECT_NEAR(sd, 1.2909944487358056, 1e-15);
    const std::array<Ipp64f, 3> same{0.1, 0.1, 0.1};
    ASSERT_EQ(ippsStdDev_64f(same.data(), 3, &sd), ippStsNoErr);
    EXPECT_EQ(sd, 0.0);
}

TEST(StatisticsKernels, MomentsMatchTwoPassReferences) {
    const auto v = kernel_test::randomReals(1000, 5, -3.0, 11.0);
    long double sum = 0.0L;
    for (double x : v)
        sum += x;
    const long double mean = sum / 1000;
    long double squares = 0.0L;
    for (double x : v)
        squares += (x - mean) * (x - mean);
    Ipp64f got = 0.0;
    ASSERT_EQ(ippsSum_64f(v.data(), 1000, &got), ippStsNoErr);
    EXPECT_NEAR(got, static_cast<double>(sum), 1e-9);
    ASSERT_EQ(ippsMean_64f(v.data(), 1000, &got), ippStsNoErr);
    EXPECT_NEAR(got, static_cast<double>(mean), 1e-12);
    ASSERT_EQ(ippsStdDev_64f(v.data(), 1000, &got), ippStsNoErr);
    EXPECT_NEAR(got, std::sqrt(static_cast<double>(squares / 999)), 1e-10);
    std::vector<Ipp32f> f(v.begin(), v.end());
    Ipp32f fmean = 0.0f;
    ASSERT_EQ(ippsMean_32f(f.data(), 1000, &fmean, ippAlgHintAccurate), ippStsNoErr);
    EXPECT_NEAR(fmean, static_cast<double>(mean), 1e-5);
}

TEST(StatisticsKernels, ExtremesReportTheFirstIndex) {
    const std::array<Ipp64f, 6> v{3, -1, 7, 7, -1, 2};
    Ipp64f value = 0.0;
    int index = -1;
    ASSERT_EQ(ippsMaxIndx_64f(v.data(), 6, &value, &index), ippStsNoErr);
    EXPECT_EQ(value, 7.0);
    EXPECT_EQ(index, 2);
    ASSERT_EQ(ippsMinIndx_64f(v.data(), 6, &value, &index), ippStsNoErr);
    EXPECT_EQ(value, -1.0);
    EXPECT_EQ(index, 1);
    ASSERT_EQ(ippsMinIndx_64f(v.data(), 6, &value, nullptr), ippStsNoErr);
    EXPECT_EQ(value, -1.0);
    ASSERT_EQ(ippsMax_64f(v.data(), 6, &value), ippStsNoErr);
    EXPECT_EQ(value, 7.0);
    ASSERT_EQ(ippsMin_64f(v.data(), 1, &value), ippStsNoErr);
    EXPECT_EQ(value, 3.0);
    EXPECT_EQ(ippsMax_64f(v.data(), 6, nullptr), ippStsNullPtrErr);
    EXPECT_EQ(ippsMax_64f(v.data(), 0, &value), ippStsSizeErr);
}

TEST(StatisticsKernels, ExtremesAtTheLastIndexAreFound) {
    // a scan that stops one short misses these
    const std::array<Ipp64f, 5> rising{1, 2, 3, 4, 9}, falling{5, 4, 3, 2, -9};
    Ipp64f value = 0.0;
    int index = -1;
    ASSERT_EQ(ippsMaxIndx_64f(rising.data(), 5, &value, &index), ippStsNoErr);
    EXPECT_EQ(value, 9.0);
    EXPECT_EQ(index, 4);
    ASSERT_EQ(ippsMinIndx_64f(falling.data(), 5, &value, &index), ippStsNoErr);
    EXPECT_EQ(value, -9.0);
    EXPECT_EQ(index, 4);
    ASSERT_EQ(ippsMax_64f(rising.data(), 5, &value), ippStsNoErr);
    EXPECT_EQ(value, 9.0);
    ASSERT_EQ(ippsMin_64f(falling.data(), 5, &value), ippStsNoErr);
    EXPECT_EQ(value, -9.0);
    // and a single value is its own extreme at index 0
    ASSERT_EQ(ippsMaxIndx_64f(falling.data() + 4, 1, &value, &index), ippStsNoErr);
    EXPECT_EQ(index, 0);
}

TEST(StatisticsKernels, NormsOfDifferencesAndDotProducts) {
    const std::array<Ipp64f, 3> a{1, -2, 3}, b{4, 2, 3};
    Ipp64f n = 0.0;
    ASSERT_EQ(ippsNormDiff_L1_64f(a.data(), b.data(), 3, &n), ippStsNoErr);
    EXPECT_EQ(n, 7.0);
    ASSERT_EQ(ippsNormDiff_L2_64f(a.data(), b.data(), 3, &n), ippStsNoErr);
    EXPECT_EQ(n, 5.0);
    ASSERT_EQ(ippsNormDiff_Inf_64f(a.data(), b.data(), 3, &n), ippStsNoErr);
    EXPECT_EQ(n, 4.0);
    ASSERT_EQ(ippsDotProd_64f(a.data(), b.data(), 3, &n), ippStsNoErr);
    EXPECT_EQ(n, 9.0);

    const std::array<Ipp64fc, 2> z{{{1, 2}, {0, 1}}}, w{{{3, -1}, {0, 1}}};
    Ipp64fc dp{};
    ASSERT_EQ(ippsDotProd_64fc(z.data(), w.data(), 2, &dp), ippStsNoErr); // (5+5i) + (-1)
    EXPECT_EQ(dp.re, 4.0);
    EXPECT_EQ(dp.im, 5.0);
    const std::array<Ipp64fc, 2> v{{{3, 4}, {0, 12}}};
    ASSERT_EQ(ippsNorm_L2_64fc64f(v.data(), 2, &n), ippStsNoErr);
    EXPECT_EQ(n, 13.0);

    const std::array<Ipp32s, 3> p{1 << 30, 1 << 30, 3}, q{4, 4, 1};
    Ipp32s ip = 0;
    ASSERT_EQ(ippsDotProd_32s_Sfs(p.data(), q.data(), 3, &ip, 0), ippStsNoErr);
    EXPECT_EQ(ip, std::numeric_limits<Ipp32s>::max());
    ASSERT_EQ(ippsDotProd_32s_Sfs(p.data(), q.data(), 3, &ip, 4), ippStsNoErr); // (2^33 + 3) / 16
    EXPECT_EQ(ip, 1 << 29);
    ASSERT_EQ(ippsDotProd_32s_Sfs(q.data(), q.data(), 3, &ip, 1), ippStsNoErr); // 33 / 2 = 16.5
    EXPECT_EQ(ip, 16);
}

TEST(StatisticsKernels, NormalizeSubtractsThenDivides) {
    const std::array<Ipp64f, 3> v{1, 3, -5};
    std::array<Ipp64f, 3> out{};
    ASSERT_EQ(ippsNormalize_64f(v.data(), out.data(), 3, 1.0, 2.0), ippStsNoErr);
    EXPECT_EQ(out, (std::array<Ipp64f, 3>{0.0, 1.0, -3.0}));
    EXPECT_EQ(ippsNormalize_64f(v.data(), out.data(), 3, 0.0, 2.2250738585072014e-308),
              ippStsNoErr);
    EXPECT_EQ(ippsNormalize_64f(v.data(), out.data(), 3, 0.0, -1e-309), ippStsDivByZeroErr);
    EXPECT_EQ(ippsNormalize_64f(nullptr, out.data(), 0, 0.0, 0.0), ippStsNullPtrErr);
    EXPECT_EQ(ippsNormalize_64f(v.data(), out.data(), 0, 0.0, 0.0), ippStsSizeErr);

    const std::array<Ipp32f, 2> f{2.0f, 6.0f};
    std::array<Ipp32f, 2> fo{};
    ASSERT_EQ(ippsNormalize_32f(f.data(), fo.data(), 2, 2.0f, 4.0f), ippStsNoErr);
    EXPECT_EQ(fo, (std::array<Ipp32f, 2>{0.0f, 1.0f}));
    EXPECT_EQ(ippsNormalize_32f(f.data(), fo.data(), 2, 2.0f, 0.0f), ippStsDivByZeroErr);

    const std::array<Ipp64fc, 1> c{{{3, 5}}};
    std::array<Ipp64fc, 1> co{};
    ASSERT_EQ(ippsNormalize_64fc(c.data(), co.data(), 1, {1, 1}, 2.0), ippStsNoErr);
    EXPECT_EQ(co[0].re, 1.0);
    EXPECT_EQ(co[0].im, 2.0);
}

} // namespace
