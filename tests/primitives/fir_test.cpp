#include "primitives/KernelsFir.h"
#include "primitives/KernelsFourier.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

std::vector<double> randomVector(std::size_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    std::vector<double> v(n);
    for (auto& x : v)
        x = value(random);
    return v;
}

// y[n] = sum h[k] x[n - k] over one long signal, in long double; samples
// before the signal come from `before` (before[0] is the newest).
std::vector<long double> directFilter(const std::vector<double>& h,
                                      const std::vector<double>& before,
                                      const std::vector<double>& x) {
    std::vector<long double> y(x.size());
    for (std::size_t n = 0; n < x.size(); ++n) {
        long double sum = 0;
        for (std::size_t k = 0; k < h.size(); ++k) {
            const long long i = static_cast<long long>(n) - static_cast<long long>(k);
            const double sample = i >= 0 ? x[std::size_t(i)] : before[std::size_t(-i - 1)];
            sum += static_cast<long double>(h[k]) * sample;
        }
        y[n] = sum;
    }
    return y;
}

struct Fir {
    IppsFIRState_64f* state = nullptr;
    Fir(const std::vector<double>& taps, const double* delay) {
        EXPECT_EQ(builtin::ippsFIRInitAlloc_64f(&state, taps.data(), int(taps.size()), delay),
                  ippStsNoErr);
    }
    ~Fir() { EXPECT_EQ(builtin::ippsFIRFree_64f(state), ippStsNoErr); }
};

} // namespace

TEST(Fir, DelayLineCarriesAcrossCalls) {
    for (const std::size_t taps : {1u, 2u, 5u, 33u}) {
        const auto h = randomVector(taps, unsigned(taps));
        const auto x = randomVector(200, 7);
        const std::vector<double> zeros(taps, 0.0);
        const auto expected = directFilter(h, zeros, x);
        Fir fir(h, nullptr);
        // Blocks of uneven sizes, some shorter than the filter.
        std::vector<double> y(x.size());
        std::size_t at = 0;
        for (const std::size_t block : {1u, 3u, 50u, 7u, 2u, 137u}) {
            ASSERT_EQ(builtin::ippsFIR_64f(x.data() + at, y.data() + at, int(block), fir.state),
                      ippStsNoErr);
            at += block;
        }
        ASSERT_EQ(at, x.size());
        for (std::size_t n = 0; n < x.size(); ++n)
            ASSERT_NEAR(y[n], double(expected[n]), 1e-13) << "taps " << taps << " n " << n;
    }
}

TEST(Fir, InitialDelayLineHoldsThePastNewestFirst) {
    const std::vector<double> h = {0.5, -1.0, 2.0, 0.25};
    const std::vector<double> past = {1.0, 2.0, 3.0, 4.0}; // x[-1], x[-2], x[-3], x[-4]
    const std::vector<double> x = {10.0, 20.0, 30.0, 40.0, 50.0};
    Fir fir(h, past.data());
    std::vector<double> y(x.size());
    ASSERT_EQ(builtin::ippsFIR_64f(x.data(), y.data(), int(x.size()), fir.state), ippStsNoErr);
    // By hand: y[0] = 0.5*10 - 1*1 + 2*2 + 0.25*3 = 8.75
    EXPECT_DOUBLE_EQ(y[0], 8.75);
    const auto expected = directFilter(h, past, x);
    for (std::size_t n = 0; n < x.size(); ++n)
        EXPECT_NEAR(y[n], double(expected[n]), 1e-13);
}

TEST(Fir, FiltersInPlace) {
    const auto h = randomVector(9, 3);
    auto x = randomVector(64, 4);
    const auto expected = directFilter(h, std::vector<double>(9, 0.0), x);
    Fir fir(h, nullptr);
    ASSERT_EQ(builtin::ippsFIR_64f(x.data(), x.data(), 64, fir.state), ippStsNoErr);
    for (std::size_t n = 0; n < x.size(); ++n)
        EXPECT_NEAR(x[n], double(expected[n]), 1e-13);
}

TEST(Fir, StatusCodes) {
    const double taps[2] = {1, 2};
    double buffer[4] = {};
    IppsFIRState_64f* state = nullptr;
    EXPECT_EQ(builtin::ippsFIRInitAlloc_64f(nullptr, taps, 2, nullptr), ippStsNullPtrErr);
    EXPECT_EQ(builtin::ippsFIRInitAlloc_64f(&state, nullptr, 0, nullptr), ippStsNullPtrErr);
    EXPECT_EQ(builtin::ippsFIRInitAlloc_64f(&state, taps, 0, nullptr), ippStsFIRLenErr);
    EXPECT_EQ(builtin::ippsFIRFree_64f(nullptr), ippStsNullPtrErr);
    Fir fir({1.0, 2.0}, nullptr);
    EXPECT_EQ(builtin::ippsFIR_64f(nullptr, buffer, 0, fir.state), ippStsNullPtrErr);
    EXPECT_EQ(builtin::ippsFIR_64f(buffer, buffer, 4, nullptr), ippStsNullPtrErr);
    EXPECT_EQ(builtin::ippsFIR_64f(buffer, buffer, 0, fir.state), ippStsSizeErr);
}
