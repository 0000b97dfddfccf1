#include "primitives/KernelsCorrelation.h"

#include "primitives/KernelsFourier.h"

#include <algorithm>
#include <complex>
#include <cstddef>
#include <new>
#include <vector>

namespace builtin {

namespace {

using Complex = std::complex<double>;

// Below this many multiply-adds the direct sums beat the transforms.
constexpr double kDirectWork = 65536.0;

Complex toComplex(const Ipp64f& x) {
    return {x, 0.0};
}
Complex toComplex(const Ipp64fc& x) {
    return {x.re, x.im};
}
Complex conjugate(const Ipp64f& x) {
    return {x, 0.0};
}
Complex conjugate(const Ipp64fc& x) {
    return {x.re, -x.im};
}
void store(Ipp64f& d, Complex v) {
    d = v.real();
}
void store(Ipp64fc& d, Complex v) {
    d = {v.real(), v.imag()};
}

// Full linear convolution of a and b through power-of-two transforms.
// Throws std::bad_alloc when memory runs out.
std::vector<Complex> convolveByTransform(const std::vector<Complex>& a,
                                         const std::vector<Complex>& b) {
    const std::size_t length = a.size() + b.size() - 1;
    int order = 0;
    while ((std::size_t{1} << order) < length)
        ++order;
    const std::size_t n = std::size_t{1} << order;
    std::vector<Complex> fa(n), fb(n);
    std::copy(a.begin(), a.end(), fa.begin());
    std::copy(b.begin(), b.end(), fb.begin());
    IppsFFTSpec_C_64fc* spec = nullptr;
    if (ippsFFTInitAlloc_C_64fc(&spec, order, IPP_FFT_DIV_INV_BY_N, ippAlgHintNone) != ippStsNoErr)
        throw std::bad_alloc();
    auto* pa = reinterpret_cast<Ipp64fc*>(fa.data());
    auto* pb = reinterpret_cast<Ipp64fc*>(fb.data());
    ippsFFTFwd_CToC_64fc(pa, pa, spec, nullptr);
    ippsFFTFwd_CToC_64fc(pb, pb, spec, nullptr);
    for (std::size_t k = 0; k < n; ++k)
        fa[k] *= fb[k];
    ippsFFTInv_CToC_64fc(pa, pa, spec, nullptr);
    ippsFFTFree_C_64fc(spec);
    fa.resize(length);
    return fa;
}

// dst[n] = sum over i of conj(x[i]) y[i + n + lowLag], for n = 0 .. dstLen - 1,
// where y is zero outside 0 .. yLen - 1.
template <typename T>
IppStatus correlate(const T* x, int xLen, const T* y, int yLen, T* dst, int dstLen,
                    long long lowLag) {
    const double work = static_cast<double>(dstLen) * std::min(xLen, yLen);
    if (work <= kDirectWork) {
        for (int n = 0; n < dstLen; ++n) {
            const long long lag = n + lowLag;
            Complex sum = 0.0;
            const long long first = std::max(0LL, -lag);
            const long long last = std::min<long long>(xLen, yLen - lag); // exclusive
            for (long long i = first; i < last; ++i)
                sum += conjugate(x[i]) * toComplex(y[i + lag]);
            store(dst[n], sum);
        }
        return ippStsNoErr;
    }
    try {
        // Correlation is the convolution with x reversed and conjugated:
        // lag L sits at index L + xLen - 1 of the full result.
        std::vector<Complex> a(static_cast<std::size_t>(xLen)), b(static_cast<std::size_t>(yLen));
        for (int i = 0; i < xLen; ++i)
            a[static_cast<std::size_t>(xLen - 1 - i)] = conjugate(x[i]);
        for (int i = 0; i < yLen; ++i)
            b[static_cast<std::size_t>(i)] = toComplex(y[i]);
        const std::vector<Complex> full = convolveByTransform(a, b);
        for (int n = 0; n < dstLen; ++n) {
            const long long index = n + lowLag + xLen - 1;
            store(dst[n], index >= 0 && index < static_cast<long long>(full.size())
                              ? full[static_cast<std::size_t>(index)]
                              : Complex{});
        }
    } catch (const std::bad_alloc&) {
        return ippStsMemAllocErr;
    }
    return ippStsNoErr;
}

enum class Norm { None, A, B };

template <typename T>
IppStatus autoCorrelate(const T* pSrc, int srcLen, T* pDst, int dstLen, Norm norm) {
    if (!pSrc || !pDst)
        return ippStsNullPtrErr;
    if (srcLen <= 0 || dstLen <= 0)
        return ippStsSizeErr;
    const IppStatus status = correlate(pSrc, srcLen, pSrc, srcLen, pDst, dstLen, 0);
    if (status != ippStsNoErr || norm == Norm::None)
        return status;
    for (int n = 0; n < dstLen && n < srcLen; ++n) {
        // NormA divides every lag by the length, NormB by the number of products in it.
        const double divisor = norm == Norm::A ? srcLen : srcLen - n;
        store(pDst[n], toComplex(pDst[n]) / divisor);
    }
    return ippStsNoErr;
}

template <typename T>
IppStatus crossCorrelate(const T* pSrc1, int src1Len, const T* pSrc2, int src2Len, T* pDst,
                         int dstLen, int lowLag) {
    if (!pSrc1 || !pSrc2 || !pDst)
        return ippStsNullPtrErr;
    if (src1Len <= 0 || src2Len <= 0 || dstLen <= 0)
        return ippStsSizeErr;
    return correlate(pSrc1, src1Len, pSrc2, src2Len, pDst, dstLen, lowLag);
}

} // namespace

IppStatus ippsAutoCorr_64f(const Ipp64f* pSrc, int srcLen, Ipp64f* pDst, int dstLen) {
    return autoCorrelate(pSrc, srcLen, pDst, dstLen, Norm::None);
}

IppStatus ippsAutoCorr_NormA_64f(const Ipp64f* pSrc, int srcLen, Ipp64f* pDst, int dstLen) {
    return autoCorrelate(pSrc, srcLen, pDst, dstLen, Norm::A);
}

IppStatus ippsAutoCorr_NormB_64f(const Ipp64f* pSrc, int srcLen, Ipp64f* pDst, int dstLen) {
    return autoCorrelate(pSrc, srcLen, pDst, dstLen, Norm::B);
}

IppStatus ippsAutoCorr_64fc(const Ipp64fc* pSrc, int srcLen, Ipp64fc* pDst, int dstLen) {
    return autoCorrelate(pSrc, srcLen, pDst, dstLen, Norm::None);
}

IppStatus ippsAutoCorr_NormA_64fc(const Ipp64fc* pSrc, int srcLen, Ipp64fc* pDst, int dstLen) {
    return autoCorrelate(pSrc, srcLen, pDst, dstLen, Norm::A);
}

IppStatus ippsAutoCorr_NormB_64fc(const Ipp64fc* pSrc, int srcLen, Ipp64fc* pDst, int dstLen) {
    return autoCorrelate(pSrc, srcLen, pDst, dstLen, Norm::B);
}

IppStatus ippsCrossCorr_64f(const Ipp64f* pSrc1, int src1Len, const Ipp64f* pSrc2, int src2Len,
                            Ipp64f* pDst, int dstLen, int lowLag) {
    return crossCorrelate(pSrc1, src1Len, pSrc2, src2Len, pDst, dstLen, lowLag);
}

IppStatus ippsCrossCorr_64fc(const Ipp64fc* pSrc1, int src1Len, const Ipp64fc* pSrc2, int src2Len,
                             Ipp64fc* pDst, int dstLen, int lowLag) {
    return crossCorrelate(pSrc1, src1Len, pSrc2, src2Len, pDst, dstLen, lowLag);
}

// dst[n] = sum over k of src1[k] src2[n - k], src1Len + src2Len - 1 values.
IppStatus ippsConv_64f(const Ipp64f* pSrc1, int src1Len, const Ipp64f* pSrc2, int src2Len,
                       Ipp64f* pDst) {
    if (!pSrc1 || !pSrc2 || !pDst)
        return ippStsNullPtrErr;
    if (src1Len <= 0 || src2Len <= 0)
        return ippStsSizeErr;
    const long long length = static_cast<long long>(src1Len) + src2Len - 1;
    if (static_cast<double>(src1Len) * src2Len <= kDirectWork) {
        for (long long n = 0; n < length; ++n) {
            const long long first = std::max(0LL, n - (src2Len - 1));
            const long long last = std::min<long long>(src1Len - 1, n);
            double sum = 0.0;
            for (long long k = first; k <= last; ++k)
                sum += pSrc1[k] * pSrc2[n - k];
            pDst[n] = sum;
        }
        return ippStsNoErr;
    }
    try {
        const std::vector<Complex> a(pSrc1, pSrc1 + src1Len), b(pSrc2, pSrc2 + src2Len);
        const std::vector<Complex> full = convolveByTransform(a, b);
        for (long long n = 0; n < length; ++n)
            pDst[n] = full[static_cast<std::size_t>(n)].real();
    } catch (const std::bad_alloc&) {
        return ippStsMemAllocErr;
    }
    return ippStsNoErr;
}

} // namespace builtin
