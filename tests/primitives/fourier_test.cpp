#include "primitives/KernelsFourier.h"

#include <fftw3.h>
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <vector>

namespace {

using Complex = std::complex<double>;

std::vector<Ipp64fc> randomComplex(std::size_t n, unsigned seed) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    std::vector<Ipp64fc> v(n);
    for (auto& c : v)
        c = {value(random), value(random)};
    return v;
}

std::vector<double> randomReal(std::size_t n, unsigned seed) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    std::vector<double> v(n);
    for (auto& x : v)
        x = value(random);
    return v;
}

// FFTW's unnormalised forward (sign -1) or backward (sign +1) transform.
std::vector<Complex> fftwComplex(const std::vector<Ipp64fc>& in, int sign) {
    const int n = int(in.size());
    std::vector<Complex> a(n), b(n);
    for (int i = 0; i < n; ++i)
        a[i] = {in[i].re, in[i].im};
    fftw_plan plan =
        fftw_plan_dft_1d(n, reinterpret_cast<fftw_complex*>(a.data()),
                         reinterpret_cast<fftw_complex*>(b.data()), sign, FFTW_ESTIMATE);
    fftw_execute(plan);
    fftw_destroy_plan(plan);
    return b;
}

std::vector<Complex> fftwReal(std::vector<double> in) {
    const int n = int(in.size());
    std::vector<Complex> out(n / 2 + 1);
    fftw_plan plan = fftw_plan_dft_r2c_1d(n, in.data(), reinterpret_cast<fftw_complex*>(out.data()),
                                          FFTW_ESTIMATE);
    fftw_execute(plan);
    fftw_destroy_plan(plan);
    return out;
}

double maxMagnitude(const std::vector<Complex>& v) {
    double m = 0;
    for (const auto& c : v)
        m = std::max(m, std::abs(c));
    return m;
}

// Rounding error of a radix-2 transform grows with log2(n); the bound is
// relative to the largest output.
double tolerance(std::size_t n, double scale) {
    return 1e-14 * (std::log2(double(n)) + 1) * scale;
}

struct ComplexSpec {
    IppsFFTSpec_C_64fc* spec = nullptr;
    ComplexSpec(int order, int flag) {
        EXPECT_EQ(builtin::ippsFFTInitAlloc_C_64fc(&spec, order, flag, ippAlgHintNone),
                  ippStsNoErr);
    }
    ~ComplexSpec() { EXPECT_EQ(builtin::ippsFFTFree_C_64fc(spec), ippStsNoErr); }
};

struct RealSpec {
    IppsFFTSpec_R_64f* spec = nullptr;
    RealSpec(int order, int flag) {
        EXPECT_EQ(builtin::ippsFFTInitAlloc_R_64f(&spec, order, flag, ippAlgHintAccurate),
                  ippStsNoErr);
    }
    ~RealSpec() { EXPECT_EQ(builtin::ippsFFTFree_R_64f(spec), ippStsNoErr); }
};

} // namespace

TEST(FourierComplex, MatchesFftwForEveryPowerOfTwoUpTo65536) {
    for (int order = 0; order <= 16; ++order) {
        const std::size_t n = std::size_t{1} << order;
        const auto x = randomComplex(n, unsigned(order) + 1);
        ComplexSpec fft(order, IPP_FFT_NODIV_BY_ANY);
        std::vector<Ipp64fc> forward(n), inverse(n);
        ASSERT_EQ(builtin::ippsFFTFwd_CToC_64fc(x.data(), forward.data(), fft.spec, nullptr),
                  ippStsNoErr);
        ASSERT_EQ(builtin::ippsFFTInv_CToC_64fc(x.data(), inverse.data(), fft.spec, nullptr),
                  ippStsNoErr);
        const auto expectedForward = fftwComplex(x, FFTW_FORWARD);
        const auto expectedInverse = fftwComplex(x, FFTW_BACKWARD);
        const double tol = tolerance(n, maxMagnitude(expectedForward));
        for (std::size_t k = 0; k < n; ++k) {
            ASSERT_NEAR(forward[k].re, expectedForward[k].real(), tol)
                << "order " << order << " bin " << k;
            ASSERT_NEAR(forward[k].im, expectedForward[k].imag(), tol)
                << "order " << order << " bin " << k;
            ASSERT_NEAR(inverse[k].re, expectedInverse[k].real(), tol)
                << "order " << order << " bin " << k;
            ASSERT_NEAR(inverse[k].im, expectedInverse[k].imag(), tol)
                << "order " << order << " bin " << k;
        }
    }
}

TEST(FourierComplex, ForwardThenInverseGivesTheInputBackUpToOrder20) {
    for (const int order : {0, 1, 2, 3, 10, 17, 20}) {
        const std::size_t n = std::size_t{1} << order;
        const auto x = randomComplex(n, 99u + unsigned(order));
        ComplexSpec fft(order, IPP_FFT_DIV_INV_BY_N);
        std::vector<Ipp64fc> y(n), back(n);
        ASSERT_EQ(builtin::ippsFFTFwd_CToC_64fc(x.data(), y.data(), fft.spec, nullptr),
                  ippStsNoErr);
        ASSERT_EQ(builtin::ippsFFTInv_CToC_64fc(y.data(), back.data(), fft.spec, nullptr),
                  ippStsNoErr);
        for (std::size_t i = 0; i < n; ++i) {
            ASSERT_NEAR(back[i].re, x[i].re, 1e-9) << order;
            ASSERT_NEAR(back[i].im, x[i].im, 1e-9) << order;
        }
    }
}

TEST(FourierComplex, NormalisationFlagsScaleTheRightDirection) {
    const int order = 5;
    const double n = 32;
    const auto x = randomComplex(32, 7);
    const auto plainForward = fftwComplex(x, FFTW_FORWARD);
    const auto plainInverse = fftwComplex(x, FFTW_BACKWARD);
    const struct {
        int flag;
        double forward, inverse;
    } cases[] = {{IPP_FFT_DIV_FWD_BY_N, 1 / n, 1},
                 {IPP_FFT_DIV_INV_BY_N, 1, 1 / n},
                 {IPP_FFT_DIV_BY_SQRTN, 1 / std::sqrt(n), 1 / std::sqrt(n)},
                 {IPP_FFT_NODIV_BY_ANY, 1, 1}};
    for (const auto& c : cases) {
        ComplexSpec fft(order, c.flag);
        std::vector<Ipp64fc> f(32), i(32);
        ASSERT_EQ(builtin::ippsFFTFwd_CToC_64fc(x.data(), f.data(), fft.spec, nullptr),
                  ippStsNoErr);
        ASSERT_EQ(builtin::ippsFFTInv_CToC_64fc(x.data(), i.data(), fft.spec, nullptr),
                  ippStsNoErr);
        for (int k = 0; k < 32; ++k) {
            EXPECT_NEAR(f[k].re, plainForward[k].real() * c.forward, 1e-12) << c.flag;
            EXPECT_NEAR(i[k].im, plainInverse[k].imag() * c.inverse, 1e-12) << c.flag;
        }
    }
}

TEST(FourierComplex, InPlaceEqualsOutOfPlace) {
    const auto x = randomComplex(256, 3);
    ComplexSpec fft(8, IPP_FFT_NODIV_BY_ANY);
    std::vector<Ipp64fc> out(256), inPlace = x;
    ASSERT_EQ(builtin::ippsFFTFwd_CToC_64fc(x.data(), out.data(), fft.spec, nullptr), ippStsNoErr);
    ASSERT_EQ(builtin::ippsFFTFwd_CToC_64fc(inPlace.data(), inPlace.data(), fft.spec, nullptr),
              ippStsNoErr);
    for (int k = 0; k < 256; ++k) {
        EXPECT_EQ(inPlace[k].re, out[k].re);
        EXPECT_EQ(inPlace[k].im, out[k].im);
    }
}

TEST(FourierReal, CcsMatchesFftwAndRoundTrips) {
    for (int order = 0; order <= 16; ++order) {
        const std::size_t n = std::size_t{1} << order;
        const auto x = randomReal(n, 1000u + unsigned(order));
        RealSpec fft(order, IPP_FFT_DIV_INV_BY_N);
        // CCS: n + 2 values; a guard value after them must survive.
        std::vector<double> ccs(n + 3, 12345.0), back(n + 1, 12345.0);
        ASSERT_EQ(builtin::ippsFFTFwd_RToCCS_64f(x.data(), ccs.data(), fft.spec, nullptr),
                  ippStsNoErr);
        const auto expected = fftwReal(x);
        const double tol = tolerance(n, maxMagnitude(expected));
        for (std::size_t k = 0; k <= n / 2; ++k) {
            ASSERT_NEAR(ccs[2 * k], expected[k].real(), tol) << "order " << order << " bin " << k;
            ASSERT_NEAR(ccs[2 * k + 1], expected[k].imag(), tol)
                << "order " << order << " bin " << k;
        }
        if (n == 1) {
            EXPECT_EQ(ccs[1], 0.0);
        }
        EXPECT_EQ(ccs[n + 2], 12345.0);
        ASSERT_EQ(builtin::ippsFFTInv_CCSToR_64f(ccs.data(), back.data(), fft.spec, nullptr),
                  ippStsNoErr);
        for (std::size_t i = 0; i < n; ++i)
            ASSERT_NEAR(back[i], x[i], 1e-9 * std::max(1.0, std::fabs(x[i]))) << "order " << order;
        EXPECT_EQ(back[n], 12345.0);
    }
}

TEST(FourierReal, InPlaceAndLargeOrders) {
    for (const int order : {1, 2, 9, 20}) {
        const std::size_t n = std::size_t{1} << order;
        const auto x = randomReal(n, 5);
        RealSpec fft(order, IPP_FFT_DIV_BY_SQRTN);
        std::vector<double> buffer(n + 2);
        std::copy(x.begin(), x.end(), buffer.begin());
        ASSERT_EQ(builtin::ippsFFTFwd_RToCCS_64f(buffer.data(), buffer.data(), fft.spec, nullptr),
                  ippStsNoErr);
        if (order == 9) {
            const auto expected = fftwReal(x);
            for (std::size_t k = 0; k <= n / 2; ++k)
                ASSERT_NEAR(buffer[2 * k + 1], expected[k].imag() / std::sqrt(double(n)), 1e-12);
        }
        ASSERT_EQ(builtin::ippsFFTInv_CCSToR_64f(buffer.data(), buffer.data(), fft.spec, nullptr),
                  ippStsNoErr);
        for (std::size_t i = 0; i < n; ++i)
            ASSERT_NEAR(buffer[i], x[i], 1e-9) << order;
    }
}

TEST(FourierReal, ConjCcsUnpacksToTheFullSpectrum) {
    for (const int n : {1, 2, 7, 8, 64}) {
        const auto x = randomReal(std::size_t(n), unsigned(n));
        const auto expected = fftwReal(x);
        // The packed half, as CCS complex pairs, at the front of the full-length vector.
        std::vector<Ipp64fc> v(std::size_t(n) + 1, Ipp64fc{77, 77});
        for (int k = 0; k <= n / 2; ++k)
            v[k] = {expected[k].real(), expected[k].imag()};
        ASSERT_EQ(builtin::ippsConjCcs_64fc_I(v.data(), n), ippStsNoErr);
        std::vector<Ipp64fc> asComplex(n);
        for (int i = 0; i < n; ++i)
            asComplex[i] = {x[i], 0};
        const auto full = fftwComplex(asComplex, FFTW_FORWARD);
        for (int k = 0; k < n; ++k) {
            EXPECT_NEAR(v[k].re, full[k].real(), 1e-12) << n << " " << k;
            EXPECT_NEAR(v[k].im, full[k].imag(), 1e-12) << n << " " << k;
        }
        EXPECT_EQ(v[n].re, 77);
    }
    EXPECT_EQ(builtin::ippsConjCcs_64fc_I(nullptr, 0), ippStsNullPtrErr);
    Ipp64fc one{1, 1};
    EXPECT_EQ(builtin::ippsConjCcs_64fc_I(&one, 0), ippStsSizeErr);
}

TEST(FourierStatus, BadArgumentsAreReportedAndNothingLeaks) {
    IppsFFTSpec_C_64fc* c = nullptr;
    IppsFFTSpec_R_64f* r = nullptr;
    EXPECT_EQ(builtin::ippsFFTInitAlloc_C_64fc(nullptr, 3, IPP_FFT_NODIV_BY_ANY, ippAlgHintNone),
              ippStsNullPtrErr);
    EXPECT_EQ(builtin::ippsFFTInitAlloc_C_64fc(&c, -1, IPP_FFT_NODIV_BY_ANY, ippAlgHintNone),
              ippStsFftOrderErr);
    EXPECT_EQ(builtin::ippsFFTInitAlloc_R_64f(&r, 40, IPP_FFT_NODIV_BY_ANY, ippAlgHintNone),
              ippStsFftOrderErr);
    EXPECT_EQ(builtin::ippsFFTInitAlloc_C_64fc(&c, 3, 0, ippAlgHintNone), ippStsFftFlagErr);
    EXPECT_EQ(builtin::ippsFFTInitAlloc_R_64f(&r, 3, 3, ippAlgHintNone), ippStsFftFlagErr);
    EXPECT_EQ(builtin::ippsFFTFree_C_64fc(nullptr), ippStsNullPtrErr);
    EXPECT_EQ(builtin::ippsFFTFree_R_64f(nullptr), ippStsNullPtrErr);

    ComplexSpec complexSpec(2, IPP_FFT_NODIV_BY_ANY);
    RealSpec realSpec(2, IPP_FFT_NODIV_BY_ANY);
    std::vector<Ipp64fc> a(4), b(4);
    std::vector<double> ra(6), rb(6);
    EXPECT_EQ(builtin::ippsFFTFwd_CToC_64fc(nullptr, b.data(), complexSpec.spec, nullptr),
              ippStsNullPtrErr);
    EXPECT_EQ(builtin::ippsFFTInv_CToC_64fc(a.data(), nullptr, complexSpec.spec, nullptr),
              ippStsNullPtrErr);
    EXPECT_EQ(builtin::ippsFFTFwd_CToC_64fc(a.data(), b.data(), nullptr, nullptr),
              ippStsNullPtrErr);
    EXPECT_EQ(builtin::ippsFFTFwd_RToCCS_64f(ra.data(), nullptr, realSpec.spec, nullptr),
              ippStsNullPtrErr);
    EXPECT_EQ(builtin::ippsFFTInv_CCSToR_64f(nullptr, rb.data(), realSpec.spec, nullptr),
              ippStsNullPtrErr);
    // A real state handed to a complex transform is refused.
    EXPECT_EQ(builtin::ippsFFTFwd_CToC_64fc(
                  a.data(), b.data(), reinterpret_cast<const IppsFFTSpec_C_64fc*>(realSpec.spec),
                  nullptr),
              ippStsContextMatchErr);
}
