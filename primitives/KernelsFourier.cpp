#include "primitives/KernelsFourier.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <numbers>
#include <vector>

namespace {

// Transforms up to 2^27 points; larger orders would overflow the int lengths.
constexpr int kMaxOrder = 27;
constexpr std::uint32_t kComplexMagic = 0x4B464331u;
constexpr std::uint32_t kRealMagic = 0x4B465231u;

bool validFlag(int flag) {
    return flag == IPP_FFT_DIV_FWD_BY_N || flag == IPP_FFT_DIV_INV_BY_N ||
           flag == IPP_FFT_DIV_BY_SQRTN || flag == IPP_FFT_NODIV_BY_ANY;
}

double forwardScale(int flag, double n) {
    if (flag == IPP_FFT_DIV_FWD_BY_N)
        return 1.0 / n;
    if (flag == IPP_FFT_DIV_BY_SQRTN)
        return 1.0 / std::sqrt(n);
    return 1.0;
}

double inverseScale(int flag, double n) {
    if (flag == IPP_FFT_DIV_INV_BY_N)
        return 1.0 / n;
    if (flag == IPP_FFT_DIV_BY_SQRTN)
        return 1.0 / std::sqrt(n);
    return 1.0;
}

// Unit root e^(-2 pi i k / n), each value computed directly for accuracy.
Ipp64fc unitRoot(std::size_t k, std::size_t n) {
    const long double angle = -2.0L * std::numbers::pi_v<long double> *
                              static_cast<long double>(k) / static_cast<long double>(n);
    return {static_cast<double>(std::cos(angle)), static_cast<double>(std::sin(angle))};
}

// Iterative radix-2 complex transform of 2^order points.
class ComplexPlan {
public:
    explicit ComplexPlan(int order)
        : n_(std::size_t{1} << order), reversed_(n_), twiddles_(n_ > 1 ? n_ - 1 : 0) {
        for (std::size_t i = 0; i < n_; ++i) {
            std::size_t r = 0;
            for (int b = 0; b < order; ++b)
                r |= ((i >> b) & 1u) << (order - 1 - b);
            reversed_[i] = static_cast<std::uint32_t>(r);
        }
        // Stage with half-length h keeps its h roots contiguously at h - 1.
        for (std::size_t h = 1; h < n_; h <<= 1)
            for (std::size_t j = 0; j < h; ++j)
                twiddles_[h - 1 + j] = unitRoot(j, 2 * h);
    }

    std::size_t size() const { return n_; }

    // Out of place or in place (src == dst).
    template <bool Inverse> void run(const Ipp64fc* src, Ipp64fc* dst) const {
        if (n_ < 4) {
            permute(src, dst);
            if (n_ == 2) {
                const Ipp64fc u = dst[0], v = dst[1];
                dst[0] = {u.re + v.re, u.im + v.im};
                dst[1] = {u.re - v.re, u.im - v.im};
            }
            return;
        }
        // Out of place the bit-reversed reads feed the first pass directly.
        if (src == dst) {
            permute(src, dst);
            firstPass<Inverse, false>(dst, dst);
        } else {
            firstPass<Inverse, true>(src, dst);
        }
        laterPasses<Inverse>(dst);
    }

private:
    void permute(const Ipp64fc* src, Ipp64fc* dst) const {
        if (src == dst) {
            for (std::size_t i = 0; i < n_; ++i) {
                const std::size_t r = reversed_[i];
                if (i < r) {
                    const Ipp64fc t = dst[i];
                    dst[i] = dst[r];
                    dst[r] = t;
                }
            }
        } else {
            for (std::size_t i = 0; i < n_; ++i)
                dst[i] = src[reversed_[i]];
        }
    }

    // The first two stages together: their roots are 1 and -i (or +i).
    template <bool Inverse, bool Gather> void firstPass(const Ipp64fc* src, Ipp64fc* dst) const {
        for (std::size_t s = 0; s < n_; s += 4) {
            const Ipp64fc x0 = Gather ? src[reversed_[s]] : dst[s];
            const Ipp64fc x1 = Gather ? src[reversed_[s + 1]] : dst[s + 1];
            const Ipp64fc x2 = Gather ? src[reversed_[s + 2]] : dst[s + 2];
            const Ipp64fc x3 = Gather ? src[reversed_[s + 3]] : dst[s + 3];
            const double ar = x0.re + x1.re, ai = x0.im + x1.im;
            const double br = x0.re - x1.re, bi = x0.im - x1.im;
            const double cr = x2.re + x3.re, ci = x2.im + x3.im;
            const double er = x2.re - x3.re, ei = x2.im - x3.im;
            // (x2 - x3) times -i (forward) or +i (inverse)
            const double dr = Inverse ? -ei : ei;
            const double di = Inverse ? er : -er;
            dst[s] = {ar + cr, ai + ci};
            dst[s + 2] = {ar - cr, ai - ci};
            dst[s + 1] = {br + dr, bi + di};
            dst[s + 3] = {br - dr, bi - di};
        }
    }

    template <bool Inverse> void laterPasses(Ipp64fc* a) const {
        // Then two stages per pass while they fit, and a last single stage if left.
        std::size_t h = 4;
        for (; 4 * h <= n_; h *= 4)
            radix4Pass<Inverse>(a, h);
        if (h < n_)
            radix2Pass<Inverse>(a, h);
    }

    // One complex value in a two-lane vector; g++ maps the lane arithmetic to
    // SSE2 on x86-64 and to plain code elsewhere.
    using Lanes = double __attribute__((vector_size(16)));
    using LaneIndex = long long __attribute__((vector_size(16)));

    static Lanes load(const Ipp64fc* p) {
        Lanes v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    static void put(Ipp64fc* p, Lanes v) { std::memcpy(p, &v, sizeof v); }
    static Lanes swapped(Lanes v) { return __builtin_shuffle(v, LaneIndex{1, 0}); }

    // a times the root w, or times its conjugate for the inverse transform.
    template <bool Inverse> static Lanes times(Lanes a, const Ipp64fc& w) {
        const Lanes real{w.re, w.re};
        const Lanes imag = Inverse ? Lanes{w.im, -w.im} : Lanes{-w.im, w.im};
        return a * real + swapped(a) * imag;
    }

    // Stages of half-length h and 2h in one sweep over groups of 4h points.
    template <bool Inverse> void radix4Pass(Ipp64fc* a, std::size_t h) const {
        const Ipp64fc* w1s = twiddles_.data() + (h - 1);
        const Ipp64fc* w2s = twiddles_.data() + (2 * h - 1);
        // The second stage's odd root is w2 times -i (forward) or +i (inverse).
        const Lanes quarterTurn = Inverse ? Lanes{-1.0, 1.0} : Lanes{1.0, -1.0};
        for (std::size_t s = 0; s < n_; s += 4 * h) {
            Ipp64fc* p0 = a + s;
            Ipp64fc* p1 = p0 + h;
            Ipp64fc* p2 = p1 + h;
            Ipp64fc* p3 = p2 + h;
            for (std::size_t j = 0; j < h; ++j) {
                const Lanes x0 = load(p0 + j);
                const Lanes b1 = times<Inverse>(load(p1 + j), w1s[j]);
                const Lanes x2 = load(p2 + j);
                const Lanes b3 = times<Inverse>(load(p3 + j), w1s[j]);
                const Lanes t0 = x0 + b1, t1 = x0 - b1;
                const Lanes u2 = times<Inverse>(x2 + b3, w2s[j]);
                const Lanes u3 = swapped(times<Inverse>(x2 - b3, w2s[j])) * quarterTurn;
                put(p0 + j, t0 + u2);
                put(p2 + j, t0 - u2);
                put(p1 + j, t1 + u3);
                put(p3 + j, t1 - u3);
            }
        }
    }

    template <bool Inverse> void radix2Pass(Ipp64fc* a, std::size_t h) const {
        const Ipp64fc* w = twiddles_.data() + (h - 1);
        for (std::size_t s = 0; s < n_; s += 2 * h) {
            Ipp64fc* lo = a + s;
            Ipp64fc* hi = lo + h;
            for (std::size_t j = 0; j < h; ++j) {
                const Lanes v = times<Inverse>(load(hi + j), w[j]);
                const Lanes u = load(lo + j);
                put(lo + j, u + v);
                put(hi + j, u - v);
            }
        }
    }

    std::size_t n_;
    std::vector<std::uint32_t> reversed_;
    std::vector<Ipp64fc> twiddles_;
};

void scale(Ipp64f* data, std::size_t count, double factor) {
    if (factor == 1.0)
        return;
    for (std::size_t i = 0; i < count; ++i)
        data[i] *= factor;
}

} // namespace

struct IppsFFTSpec_C_64fc {
    std::uint32_t magic;
    int flag;
    double forward;
    double inverse;
    ComplexPlan plan;
};

// A real transform of N points runs as a complex transform of N / 2 points
// on the even and odd samples, then separates the two spectra.
struct IppsFFTSpec_R_64f {
    std::uint32_t magic;
    int order;
    int flag;
    double forward;
    double inverse;
    ComplexPlan half;
    std::vector<Ipp64fc> roots; // e^(-2 pi i k / N) for k = 0 .. N / 4
};

namespace builtin {

namespace {

bool validSpec(const IppsFFTSpec_C_64fc* spec) {
    return spec->magic == kComplexMagic;
}
bool validSpec(const IppsFFTSpec_R_64f* spec) {
    return spec->magic == kRealMagic;
}

IppStatus checkInit(const void* ppSpec, int order, int flag) {
    if (!ppSpec)
        return ippStsNullPtrErr;
    if (order < 0 || order > kMaxOrder)
        return ippStsFftOrderErr;
    if (!validFlag(flag))
        return ippStsFftFlagErr;
    return ippStsNoErr;
}

// Root W^k = e^(-2 pi i k / N) for 0 <= k <= N / 2 from the quarter table.
Ipp64fc root(const IppsFFTSpec_R_64f& spec, std::size_t k, std::size_t quarter) {
    if (k <= quarter)
        return spec.roots[k];
    // W^k = -conj(W^(N/2 - k))
    const Ipp64fc w = spec.roots[2 * quarter - k];
    return {-w.re, w.im};
}

} // namespace

IppStatus ippsFFTInitAlloc_C_64fc(IppsFFTSpec_C_64fc** ppFFTSpec, int order, int flag,
                                  IppHintAlgorithm) {
    const IppStatus status = checkInit(ppFFTSpec, order, flag);
    if (status != ippStsNoErr)
        return status;
    const double n = std::ldexp(1.0, order);
    try {
        *ppFFTSpec = new IppsFFTSpec_C_64fc{kComplexMagic, flag, forwardScale(flag, n),
                                            inverseScale(flag, n), ComplexPlan(order)};
    } catch (const std::bad_alloc&) {
        *ppFFTSpec = nullptr;
        return ippStsMemAllocErr;
    }
    return ippStsNoErr;
}

IppStatus ippsFFTInitAlloc_R_64f(IppsFFTSpec_R_64f** ppFFTSpec, int order, int flag,
                                 IppHintAlgorithm) {
    const IppStatus status = checkInit(ppFFTSpec, order, flag);
    if (status != ippStsNoErr)
        return status;
    const double n = std::ldexp(1.0, order);
    try {
        const std::size_t points = std::size_t{1} << order;
        std::vector<Ipp64fc> roots(points / 4 + 1);
        for (std::size_t k = 0; k < roots.size(); ++k)
            roots[k] = unitRoot(k, points);
        *ppFFTSpec = new IppsFFTSpec_R_64f{kRealMagic,
                                           order,
                                           flag,
                                           forwardScale(flag, n),
                                           inverseScale(flag, n),
                                           ComplexPlan(order > 0 ? order - 1 : 0),
                                           std::move(roots)};
    } catch (const std::bad_alloc&) {
        *ppFFTSpec = nullptr;
        return ippStsMemAllocErr;
    }
    return ippStsNoErr;
}

namespace {

// Both state kinds are freed alike; the magic is cleared so that a second
// free of the same pointer is refused while the memory is still ours to read.
template <class TSpec> IppStatus freeSpec(TSpec* pFFTSpec) {
    if (!pFFTSpec)
        return ippStsNullPtrErr;
    if (!validSpec(pFFTSpec))
        return ippStsContextMatchErr;
    pFFTSpec->magic = 0;
    delete pFFTSpec;
    return ippStsNoErr;
}

} // namespace

IppStatus ippsFFTFree_C_64fc(IppsFFTSpec_C_64fc* pFFTSpec) {
    return freeSpec(pFFTSpec);
}

IppStatus ippsFFTFree_R_64f(IppsFFTSpec_R_64f* pFFTSpec) {
    return freeSpec(pFFTSpec);
}

IppStatus ippsFFTFwd_CToC_64fc(const Ipp64fc* pSrc, Ipp64fc* pDst,
                               const IppsFFTSpec_C_64fc* pFFTSpec, Ipp8u*) {
    if (!pSrc || !pDst || !pFFTSpec)
        return ippStsNullPtrErr;
    if (!validSpec(pFFTSpec))
        return ippStsContextMatchErr;
    pFFTSpec->plan.run<false>(pSrc, pDst);
    scale(&pDst->re, 2 * pFFTSpec->plan.size(), pFFTSpec->forward);
    return ippStsNoErr;
}

IppStatus ippsFFTInv_CToC_64fc(const Ipp64fc* pSrc, Ipp64fc* pDst,
                               const IppsFFTSpec_C_64fc* pFFTSpec, Ipp8u*) {
    if (!pSrc || !pDst || !pFFTSpec)
        return ippStsNullPtrErr;
    if (!validSpec(pFFTSpec))
        return ippStsContextMatchErr;
    pFFTSpec->plan.run<true>(pSrc, pDst);
    scale(&pDst->re, 2 * pFFTSpec->plan.size(), pFFTSpec->inverse);
    return ippStsNoErr;
}

// CCS output: N / 2 + 1 complex values (re, im) for the frequencies 0 .. N / 2,
// N + 2 doubles in all.
IppStatus ippsFFTFwd_RToCCS_64f(const Ipp64f* pSrc, Ipp64f* pDst, const IppsFFTSpec_R_64f* pFFTSpec,
                                Ipp8u*) {
    if (!pSrc || !pDst || !pFFTSpec)
        return ippStsNullPtrErr;
    if (!validSpec(pFFTSpec))
        return ippStsContextMatchErr;
    const IppsFFTSpec_R_64f& spec = *pFFTSpec;
    if (spec.order == 0) {
        const double x = pSrc[0];
        pDst[0] = x * spec.forward;
        pDst[1] = 0.0;
        return ippStsNoErr;
    }
    const std::size_t m = spec.half.size(); // N / 2
    // Even samples as real parts, odd samples as imaginary parts.
    auto* z = reinterpret_cast<Ipp64fc*>(pDst);
    spec.half.run<false>(reinterpret_cast<const Ipp64fc*>(pSrc), z);
    const std::size_t quarter = m / 2;
    const Ipp64fc z0 = z[0];
    z[0] = {z0.re + z0.im, 0.0};
    z[m] = {z0.re - z0.im, 0.0};
    for (std::size_t k = 1; k <= m / 2; ++k) {
        const std::size_t j = m - k;
        const Ipp64fc a = z[k], b = z[j];
        // Even part E = (Z[k] + conj Z[m-k]) / 2, odd part O = -i (Z[k] - conj Z[m-k]) / 2.
        const double er = 0.5 * (a.re + b.re), ei = 0.5 * (a.im - b.im);
        const double or_ = 0.5 * (a.im + b.im), oi = -0.5 * (a.re - b.re);
        const Ipp64fc w = root(spec, k, quarter);
        const double tr = w.re * or_ - w.im * oi, ti = w.re * oi + w.im * or_;
        z[k] = {er + tr, ei + ti};
        // X[m-k] = conj(E[k] - W^k O[k])
        z[j] = {er - tr, -(ei - ti)};
    }
    scale(pDst, 2 * m + 2, spec.forward);
    return ippStsNoErr;
}

IppStatus ippsFFTInv_CCSToR_64f(const Ipp64f* pSrc, Ipp64f* pDst, const IppsFFTSpec_R_64f* pFFTSpec,
                                Ipp8u*) {
    if (!pSrc || !pDst || !pFFTSpec)
        return ippStsNullPtrErr;
    if (!validSpec(pFFTSpec))
        return ippStsContextMatchErr;
    const IppsFFTSpec_R_64f& spec = *pFFTSpec;
    if (spec.order == 0) {
        pDst[0] = pSrc[0] * spec.inverse;
        return ippStsNoErr;
    }
    const std::size_t m = spec.half.size();
    const std::size_t quarter = m / 2;
    const auto* x = reinterpret_cast<const Ipp64fc*>(pSrc);
    // The packed spectrum needs m complex values of room; pDst holds exactly 2m doubles.
    auto* z = reinterpret_cast<Ipp64fc*>(pDst);
    const double x0 = x[0].re, xm = x[m].re;
    // Z = E + iO with E[0] = X0 + Xm, O[0] = X0 - Xm (both doubled).
    const Ipp64fc first{x0 + xm, x0 - xm};
    // Pairs (k, m - k) are read before they are written, so this also works in place.
    for (std::size_t k = 1; k <= m / 2; ++k) {
        const std::size_t j = m - k;
        const Ipp64fc a = x[k], b = x[j];
        // 2E = X[k] + conj X[m-k]; 2O = (X[k] - conj X[m-k]) conj(W^k)
        const double er = a.re + b.re, ei = a.im - b.im;
        const double dr = a.re - b.re, di = a.im + b.im;
        const Ipp64fc w = root(spec, k, quarter);
        const double or_ = dr * w.re + di * w.im, oi = di * w.re - dr * w.im;
        // Z[k] = E + iO; Z[m-k] = conj(E) + i conj(O)
        z[k] = {er - oi, ei + or_};
        z[j] = {er + oi, -ei + or_};
    }
    z[0] = first;
    spec.half.run<true>(z, z);
    scale(pDst, 2 * m, spec.inverse);
    return ippStsNoErr;
}

IppStatus ippsConjCcs_64fc_I(Ipp64fc* pSrcDst, int lenDst) {
    if (!pSrcDst)
        return ippStsNullPtrErr;
    if (lenDst < 1)
        return ippStsSizeErr;
    // The first lenDst / 2 + 1 values hold the packed half; the rest mirror it.
    for (int k = lenDst / 2 + 1; k < lenDst; ++k)
        pSrcDst[k] = {pSrcDst[lenDst - k].re, -pSrcDst[lenDst - k].im};
    return ippStsNoErr;
}

} // namespace builtin
