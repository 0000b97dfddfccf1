#include "primitives/KernelsCorrelation.h"

#include <gtest/gtest.h>

#include <complex>
#include <random>
#include <vector>

namespace {

using LongComplex = std::complex<long double>;

std::vector<double> randomReal(int n, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    std::vector<double> v(n);
    for (auto& x : v)
        x = value(random);
    return v;
}

std::vector<Ipp64fc> randomComplex(int n, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    std::vector<Ipp64fc> v(n);
    for (auto& c : v)
        c = {value(random), value(random)};
    return v;
}

LongComplex at(const std::vector<Ipp64fc>& v, long long i) {
    return i >= 0 && i < static_cast<long long>(v.size()) ? LongComplex(v[i].re, v[i].im)
                                                          : LongComplex();
}
long double at(const std::vector<double>& v, long long i) {
    return i >= 0 && i < static_cast<long long>(v.size()) ? v[i] : 0.0L;
}

// The lag-L correlation sum over every i of conj(x[i]) y[i + L].
LongComplex crossSum(const std::vector<Ipp64fc>& x, const std::vector<Ipp64fc>& y, long long lag) {
    LongComplex sum;
    for (long long i = 0; i < static_cast<long long>(x.size()); ++i)
        sum += std::conj(at(x, i)) * at(y, i + lag);
    return sum;
}
long double crossSum(const std::vector<double>& x, const std::vector<double>& y, long long lag) {
    long double sum = 0;
    for (long long i = 0; i < static_cast<long long>(x.size()); ++i)
        sum += at(x, i) * at(y, i + lag);
    return sum;
}

} // namespace

TEST(Correlation, AutoCorrelationAndItsNormalisations) {
    // Small lengths take the direct sums, long ones the transform path.
    for (const int len : {1, 5, 40, 3000}) {
        const auto x = randomReal(len, unsigned(len));
        const int dstLen = len + 3; // lags past the end are 0
        std::vector<double> plain(dstLen + 1, 7.0), a(dstLen), b(dstLen);
        ASSERT_EQ(builtin::ippsAutoCorr_64f(x.data(), len, plain.data(), dstLen), ippStsNoErr);
        ASSERT_EQ(builtin::ippsAutoCorr_NormA_64f(x.data(), len, a.data(), dstLen), ippStsNoErr);
        ASSERT_EQ(builtin::ippsAutoCorr_NormB_64f(x.data(), len, b.data(), dstLen), ippStsNoErr);
        const double tol = 1e-12 * len;
        for (int n = 0; n < dstLen; ++n) {
            const long double r = crossSum(x, x, n);
            ASSERT_NEAR(plain[n], double(r), tol) << len << " lag " << n;
            ASSERT_NEAR(a[n], double(r / len), tol) << len << " lag " << n;
            ASSERT_NEAR(b[n], n < len ? double(r / (len - n)) : 0.0, tol) << len << " lag " << n;
        }
        EXPECT_EQ(plain[dstLen], 7.0);
    }
}

TEST(Correlation, ComplexAutoCorrelationConjugatesTheLeadingFactor) {
    for (const int len : {3, 17, 2500}) {
        const auto x = randomComplex(len, 11u + unsigned(len));
        std::vector<Ipp64fc> plain(len), b(len);
        ASSERT_EQ(builtin::ippsAutoCorr_64fc(x.data(), len, plain.data(), len), ippStsNoErr);
        ASSERT_EQ(builtin::ippsAutoCorr_NormB_64fc(x.data(), len, b.data(), len), ippStsNoErr);
        std::vector<Ipp64fc> a(len);
        ASSERT_EQ(builtin::ippsAutoCorr_NormA_64fc(x.data(), len, a.data(), len), ippStsNoErr);
        const double tol = 1e-12 * len;
        for (int n = 0; n < len; ++n) {
            const LongComplex r = crossSum(x, x, n);
            ASSERT_NEAR(plain[n].re, double(r.real()), tol);
            ASSERT_NEAR(plain[n].im, double(r.imag()), tol);
            ASSERT_NEAR(a[n].im, double(r.imag() / len), tol);
            ASSERT_NEAR(b[n].re, double(r.real() / (len - n)), tol);
        }
        // Lag 0 is the energy: real.
        EXPECT_NEAR(plain[0].im, 0.0, 1e-12);
    }
}

TEST(Correlation, CrossCorrelationFromTheLowestLag) {
    struct Case {
        int len1, len2, dstLen, lowLag;
    };
    for (const Case c : {Case{4, 6, 12, -5}, Case{7, 3, 5, 2}, Case{1, 1, 3, -1},
                         Case{10, 10, 4, 20}, Case{600, 900, 1600, -650}}) {
        const auto x = randomReal(c.len1, 1), y = randomReal(c.len2, 2);
        std::vector<double> d(c.dstLen);
        ASSERT_EQ(builtin::ippsCrossCorr_64f(x.data(), c.len1, y.data(), c.len2, d.data(), c.dstLen,
                                             c.lowLag),
                  ippStsNoErr);
        const auto cx = randomComplex(c.len1, 3), cy = randomComplex(c.len2, 4);
        std::vector<Ipp64fc> cd(c.dstLen);
        ASSERT_EQ(builtin::ippsCrossCorr_64fc(cx.data(), c.len1, cy.data(), c.len2, cd.data(),
                                              c.dstLen, c.lowLag),
                  ippStsNoErr);
        const double tol = 1e-12 * c.len1;
        for (int n = 0; n < c.dstLen; ++n) {
            ASSERT_NEAR(d[n], double(crossSum(x, y, n + c.lowLag)), tol) << n;
            const LongComplex r = crossSum(cx, cy, n + c.lowLag);
            ASSERT_NEAR(cd[n].re, double(r.real()), tol) << n;
            ASSERT_NEAR(cd[n].im, double(r.imag()), tol) << n;
        }
    }
    // By hand: x = (1, 2), y = (3, 4, 5), lag 1 -> 1*4 + 2*5 = 14.
    const double x[] = {1, 2}, y[] = {3, 4, 5};
    double lag1 = 0;
    ASSERT_EQ(builtin::ippsCrossCorr_64f(x, 2, y, 3, &lag1, 1, 1), ippStsNoErr);
    EXPECT_EQ(lag1, 14.0);
}

TEST(Correlation, ConvolutionIsTheFullLinearConvolution) {
    const double a[] = {1, 2, 3}, b[] = {0, 1, 0.5};
    double c[5] = {};
    ASSERT_EQ(builtin::ippsConv_64f(a, 3, b, 3, c), ippStsNoErr);
    const double byHand[] = {0, 1, 2.5, 4, 1.5};
    for (int i = 0; i < 5; ++i)
        EXPECT_DOUBLE_EQ(c[i], byHand[i]);
    for (const auto& [n1, n2] : {std::pair{1, 9}, std::pair{13, 4}, std::pair{700, 500}}) {
        const auto x = randomReal(n1, 5), y = randomReal(n2, 6);
        std::vector<double> out(n1 + n2, 42.0);
        ASSERT_EQ(builtin::ippsConv_64f(x.data(), n1, y.data(), n2, out.data()), ippStsNoErr);
        for (int n = 0; n < n1 + n2 - 1; ++n) {
            long double sum = 0;
            for (int k = 0; k < n1; ++k)
                sum += x[k] * at(y, n - k);
            ASSERT_NEAR(out[n], double(sum), 1e-12 * n1) << n;
        }
        EXPECT_EQ(out[n1 + n2 - 1], 42.0);
    }
}

TEST(Correlation, StatusCodes) {
    double v[4] = {1, 2, 3, 4}, d[4] = {};
    Ipp64fc cv[2] = {}, cd[2] = {};
    EXPECT_EQ(builtin::ippsAutoCorr_64f(nullptr, 0, d, 4), ippStsNullPtrErr);
    EXPECT_EQ(builtin::ippsAutoCorr_64f(v, 0, d, 4), ippStsSizeErr);
    EXPECT_EQ(builtin::ippsAutoCorr_NormB_64f(v, 4, d, 0), ippStsSizeErr);
    EXPECT_EQ(builtin::ippsAutoCorr_NormA_64fc(cv, 2, nullptr, 2), ippStsNullPtrErr);
    EXPECT_EQ(builtin::ippsCrossCorr_64f(v, 4, nullptr, 4, d, 4, 0), ippStsNullPtrErr);
    EXPECT_EQ(builtin::ippsCrossCorr_64fc(cv, 2, cv, -1, cd, 2, 0), ippStsSizeErr);
    EXPECT_EQ(builtin::ippsConv_64f(v, 4, v, 4, nullptr), ippStsNullPtrErr);
    EXPECT_EQ(builtin::ippsConv_64f(v, 0, v, 4, d), ippStsSizeErr);
    // Extreme lags neither overflow nor read outside the inputs.
    EXPECT_EQ(builtin::ippsCrossCorr_64f(v, 4, v, 4, d, 4, 2147483647), ippStsNoErr);
    EXPECT_EQ(d[3], 0.0);
    EXPECT_EQ(builtin::ippsCrossCorr_64f(v, 4, v, 4, d, 4, -2147483647 - 1), ippStsNoErr);
    EXPECT_EQ(d[0], 0.0);
}
