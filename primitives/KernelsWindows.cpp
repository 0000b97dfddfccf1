#include "primitives/KernelsWindows.h"

#include <cmath>
#include <numbers>

namespace builtin {

namespace {

// Windows of the cosine family and Bartlett need three points; Kaiser one.
constexpr int kMinCosineLength = 3;

// Multiplies element n of src by weight(n) into dst (which may be src).
template <typename Weight> void applyReal(const Ipp64f* src, Ipp64f* dst, int len, Weight weight) {
    for (int n = 0; n < len; ++n)
        dst[n] = src[n] * weight(n);
}

template <typename Weight> void applyComplex(Ipp64fc* srcDst, int len, Weight weight) {
    for (int n = 0; n < len; ++n) {
        const double w = weight(n);
        srcDst[n].re *= w;
        srcDst[n].im *= w;
    }
}

// Phase 2 pi n / (len - 1) of the cosine windows.
struct Phase {
    double step;
    explicit Phase(int len) : step(2.0 * std::numbers::pi / (len - 1)) {}
    double operator()(int n) const { return step * n; }
};

struct Bartlett {
    double half; // (len - 1) / 2
    explicit Bartlett(int len) : half(0.5 * (len - 1)) {}
    double operator()(int n) const { return n <= half ? n / half : 2.0 - n / half; }
};

struct Hann {
    Phase phase;
    explicit Hann(int len) : phase(len) {}
    double operator()(int n) const { return 0.5 - 0.5 * std::cos(phase(n)); }
};

struct Hamming {
    Phase phase;
    explicit Hamming(int len) : phase(len) {}
    double operator()(int n) const { return 0.54 - 0.46 * std::cos(phase(n)); }
};

// (alpha + 1) / 2 - cos(phase) / 2 - alpha / 2 cos(2 phase); alpha = -0.16 is
// the classic Blackman window.
struct Blackman {
    Phase phase;
    double alpha;
    Blackman(int len, double a) : phase(len), alpha(a) {}
    double operator()(int n) const {
        const double p = phase(n);
        return 0.5 * (alpha + 1.0) - 0.5 * std::cos(p) - 0.5 * alpha * std::cos(2.0 * p);
    }
};

// Modified Bessel function of the first kind, order 0, by its power series.
double besselI0(double x) {
    const double q = 0.25 * x * x;
    double term = 1.0, sum = 1.0;
    for (int k = 1; k < 1000; ++k) {
        term *= q / (double(k) * double(k));
        sum += term;
        if (term < sum * 1e-17)
            break;
    }
    return sum;
}

// I0(beta sqrt(1 - ((n - a) / a)^2)) / I0(beta) with a = (len - 1) / 2 and
// beta = alpha * a.
struct Kaiser {
    double a;
    double beta;
    double norm;
    Kaiser(int len, double alpha) : a(0.5 * (len - 1)), beta(alpha * a), norm(besselI0(beta)) {}
    bool representable() const { return std::isfinite(norm); }
    double operator()(int n) const {
        if (a == 0.0)
            return 1.0;
        const double x = (n - a) / a;
        const double r = 1.0 - x * x;
        return besselI0(beta * std::sqrt(r > 0.0 ? r : 0.0)) / norm;
    }
};

IppStatus checkCosine(const void* p, const void* q, int len) {
    if (!p || !q)
        return ippStsNullPtrErr;
    if (len < kMinCosineLength)
        return ippStsSizeErr;
    return ippStsNoErr;
}

IppStatus checkKaiser(const void* p, const void* q, int len, const Kaiser& window) {
    if (!p || !q)
        return ippStsNullPtrErr;
    if (len < 1)
        return ippStsSizeErr;
    if (!window.representable())
        return ippStsHugeWinErr;
    return ippStsNoErr;
}

template <typename Window, typename... Args>
IppStatus realWindow(const Ipp64f* pSrc, Ipp64f* pDst, int len, Args... args) {
    const IppStatus status = checkCosine(pSrc, pDst, len);
    if (status == ippStsNoErr)
        applyReal(pSrc, pDst, len, Window(len, args...));
    return status;
}

template <typename Window, typename... Args>
IppStatus complexWindow(Ipp64fc* pSrcDst, int len, Args... args) {
    const IppStatus status = checkCosine(pSrcDst, pSrcDst, len);
    if (status == ippStsNoErr)
        applyComplex(pSrcDst, len, Window(len, args...));
    return status;
}

} // namespace

IppStatus ippsWinBartlett_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len) {
    return realWindow<Bartlett>(pSrc, pDst, len);
}
IppStatus ippsWinBartlett_64f_I(Ipp64f* pSrcDst, int len) {
    return realWindow<Bartlett>(pSrcDst, pSrcDst, len);
}
IppStatus ippsWinBartlett_64fc_I(Ipp64fc* pSrcDst, int len) {
    return complexWindow<Bartlett>(pSrcDst, len);
}

IppStatus ippsWinBlackman_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len, Ipp64f alpha) {
    return realWindow<Blackman>(pSrc, pDst, len, alpha);
}
IppStatus ippsWinBlackman_64f_I(Ipp64f* pSrcDst, int len, Ipp64f alpha) {
    return realWindow<Blackman>(pSrcDst, pSrcDst, len, alpha);
}
IppStatus ippsWinBlackman_64fc_I(Ipp64fc* pSrcDst, int len, Ipp64f alpha) {
    return complexWindow<Blackman>(pSrcDst, len, alpha);
}

IppStatus ippsWinHamming_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len) {
    return realWindow<Hamming>(pSrc, pDst, len);
}
IppStatus ippsWinHamming_64f_I(Ipp64f* pSrcDst, int len) {
    return realWindow<Hamming>(pSrcDst, pSrcDst, len);
}
IppStatus ippsWinHamming_64fc_I(Ipp64fc* pSrcDst, int len) {
    return complexWindow<Hamming>(pSrcDst, len);
}

IppStatus ippsWinHann_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len) {
    return realWindow<Hann>(pSrc, pDst, len);
}
IppStatus ippsWinHann_64f_I(Ipp64f* pSrcDst, int len) {
    return realWindow<Hann>(pSrcDst, pSrcDst, len);
}
IppStatus ippsWinHann_64fc_I(Ipp64fc* pSrcDst, int len) {
    return complexWindow<Hann>(pSrcDst, len);
}

IppStatus ippsWinKaiser_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len, Ipp32f alpha) {
    const Kaiser window(len > 0 ? len : 1, alpha);
    const IppStatus status = checkKaiser(pSrc, pDst, len, window);
    if (status == ippStsNoErr)
        applyReal(pSrc, pDst, len, window);
    return status;
}

IppStatus ippsWinKaiser_64f_I(Ipp64f* pSrcDst, int len, Ipp32f alpha) {
    return ippsWinKaiser_64f(pSrcDst, pSrcDst, len, alpha);
}

IppStatus ippsWinKaiser_64fc_I(Ipp64fc* pSrcDst, int len, Ipp32f alpha) {
    const Kaiser window(len > 0 ? len : 1, alpha);
    const IppStatus status = checkKaiser(pSrcDst, pSrcDst, len, window);
    if (status == ippStsNoErr)
        applyComplex(pSrcDst, len, window);
    return status;
}

} // namespace builtin
