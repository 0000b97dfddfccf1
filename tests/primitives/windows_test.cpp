#include "primitives/KernelsWindows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <random>
#include <vector>

namespace {

using Weight = std::function<long double(int n, int len)>;

constexpr long double kPi = std::numbers::pi_v<long double>;

long double cosine(int n, int len, int harmonic) {
    return std::cos(2 * kPi * harmonic * n / (len - 1));
}

long double i0(long double x) {
    long double sum = 0, term = 1;
    for (int k = 1; term > sum * 1e-22L; ++k) {
        sum += term;
        term *= (x / 2) * (x / 2) / (static_cast<long double>(k) * k);
    }
    return sum;
}

std::vector<double> randomSignal(int len) {
    std::mt19937 random(unsigned(len) * 7u + 1u);
    std::uniform_real_distribution<double> value(-3.0, 3.0);
    std::vector<double> v(len);
    for (auto& x : v)
        x = value(random);
    return v;
}

// Checks the out-of-place, in-place and complex in-place forms against the
// window's closed formula for several lengths.
void expectWindow(const Weight& weight,
                  const std::function<IppStatus(const Ipp64f*, Ipp64f*, int)>& real,
                  const std::function<IppStatus(Ipp64f*, int)>& inPlace,
                  const std::function<IppStatus(Ipp64fc*, int)>& complexInPlace,
                  std::initializer_list<int> lengths) {
    for (const int len : lengths) {
        const auto x = randomSignal(len);
        std::vector<double> out(len + 1, 99.0), in = x;
        std::vector<Ipp64fc> c(len);
        for (int n = 0; n < len; ++n)
            c[n] = {x[n], -2 * x[n]};
        ASSERT_EQ(real(x.data(), out.data(), len), ippStsNoErr) << len;
        ASSERT_EQ(inPlace(in.data(), len), ippStsNoErr) << len;
        ASSERT_EQ(complexInPlace(c.data(), len), ippStsNoErr) << len;
        for (int n = 0; n < len; ++n) {
            const long double w = weight(n, len);
            EXPECT_NEAR(out[n], double(x[n] * w), 1e-13) << "len " << len << " n " << n;
            EXPECT_NEAR(in[n], double(x[n] * w), 1e-13) << "len " << len << " n " << n;
            EXPECT_NEAR(c[n].re, double(x[n] * w), 1e-13) << "len " << len << " n " << n;
            EXPECT_NEAR(c[n].im, double(-2 * x[n] * w), 1e-13) << "len " << len << " n " << n;
        }
        EXPECT_EQ(out[len], 99.0);
    }
}

} // namespace

TEST(Windows, BartlettIsTheTriangleThroughZeroAtBothEnds) {
    const Weight triangle = [](int n, int len) {
        const long double h = (len - 1) / 2.0L;
        return n <= h ? n / h : 2 - n / h;
    };
    expectWindow(triangle, builtin::ippsWinBartlett_64f, builtin::ippsWinBartlett_64f_I,
                 builtin::ippsWinBartlett_64fc_I, {3, 4, 5, 10, 31});
    // By hand for five points: 0, 0.5, 1, 0.5, 0.
    std::vector<double> ones(5, 1.0);
    ASSERT_EQ(builtin::ippsWinBartlett_64f_I(ones.data(), 5), ippStsNoErr);
    EXPECT_DOUBLE_EQ(ones[1], 0.5);
    EXPECT_DOUBLE_EQ(ones[2], 1.0);
    EXPECT_DOUBLE_EQ(ones[4], 0.0);
}

TEST(Windows, HannAndHammingRaisedCosines) {
    expectWindow([](int n, int len) { return 0.5L - 0.5L * cosine(n, len, 1); },
                 builtin::ippsWinHann_64f, builtin::ippsWinHann_64f_I, builtin::ippsWinHann_64fc_I,
                 {3, 4, 16, 33});
    expectWindow([](int n, int len) { return 0.54L - 0.46L * cosine(n, len, 1); },
                 builtin::ippsWinHamming_64f, builtin::ippsWinHamming_64f_I,
                 builtin::ippsWinHamming_64fc_I, {3, 8, 17});
}

TEST(Windows, BlackmanFollowsItsParameter) {
    for (const double alpha : {-0.16, 0.0, -0.5, 0.3}) {
        const Weight blackman = [alpha](int n, int len) {
            return (alpha + 1) / 2.0L - 0.5L * cosine(n, len, 1) - alpha / 2.0L * cosine(n, len, 2);
        };
        using namespace std::placeholders;
        expectWindow(blackman, std::bind(builtin::ippsWinBlackman_64f, _1, _2, _3, alpha),
                     std::bind(builtin::ippsWinBlackman_64f_I, _1, _2, alpha),
                     std::bind(builtin::ippsWinBlackman_64fc_I, _1, _2, alpha), {3, 6, 21});
    }
    // alpha = -0.16 is the classic 0.42 / 0.5 / 0.08 window.
    std::vector<double> w(9, 1.0);
    ASSERT_EQ(builtin::ippsWinBlackman_64f_I(w.data(), 9, -0.16), ippStsNoErr);
    for (int n = 0; n < 9; ++n)
        EXPECT_NEAR(w[n],
                    0.42 - 0.5 * std::cos(2 * std::numbers::pi * n / 8) +
                        0.08 * std::cos(4 * std::numbers::pi * n / 8),
                    1e-15);
}

TEST(Windows, KaiserUsesTheBesselFunctionWithBetaFromAlpha) {
    for (const float alpha : {0.0f, 0.5f, 1.0f, 3.0f}) {
        const Weight kaiser = [alpha](int n, int len) {
            if (len == 1)
                return 1.0L;
            const long double a = (len - 1) / 2.0L, beta = alpha * a;
            const long double x = (n - a) / a;
            return i0(beta * std::sqrt(1 - x * x)) / i0(beta);
        };
        using namespace std::placeholders;
        expectWindow(kaiser, std::bind(builtin::ippsWinKaiser_64f, _1, _2, _3, alpha),
                     std::bind(builtin::ippsWinKaiser_64f_I, _1, _2, alpha),
                     std::bind(builtin::ippsWinKaiser_64fc_I, _1, _2, alpha), {1, 2, 3, 10, 25});
    }
    // A window whose Bessel normaliser overflows is refused and leaves the data alone.
    std::vector<double> v(2001, 1.0);
    EXPECT_EQ(builtin::ippsWinKaiser_64f_I(v.data(), 2001, 5.0f), ippStsHugeWinErr);
    EXPECT_EQ(v[1000], 1.0);
}

TEST(Windows, StatusCodes) {
    double d[4] = {1, 1, 1, 1};
    Ipp64fc c[4] = {};
    EXPECT_EQ(builtin::ippsWinHann_64f(nullptr, d, 0), ippStsNullPtrErr);
    EXPECT_EQ(builtin::ippsWinHann_64f(d, nullptr, 4), ippStsNullPtrErr);
    EXPECT_EQ(builtin::ippsWinHann_64f_I(d, 2), ippStsSizeErr);
    EXPECT_EQ(builtin::ippsWinBartlett_64fc_I(nullptr, 4), ippStsNullPtrErr);
    EXPECT_EQ(builtin::ippsWinBartlett_64fc_I(c, -1), ippStsSizeErr);
    EXPECT_EQ(builtin::ippsWinHamming_64f_I(d, 2), ippStsSizeErr);
    EXPECT_EQ(builtin::ippsWinBlackman_64fc_I(c, 2, -0.16), ippStsSizeErr);
    EXPECT_EQ(builtin::ippsWinKaiser_64f(d, d, 0, 1.0f), ippStsSizeErr);
    EXPECT_EQ(builtin::ippsWinKaiser_64fc_I(nullptr, 0, 1.0f), ippStsNullPtrErr);
    EXPECT_EQ(d[0], 1.0);
}
