#include "primitives/KernelsStatistics.h"

#include "primitives/KernelLoops.h"

#include <cfloat>
#include <cmath>

namespace builtin {

using namespace support;

namespace {

// Sums are accumulated in extended precision so long rows keep their accuracy.
template <typename T, typename Term> long double accumulate(const T* src, int len, Term term) {
    long double sum = 0.0L;
    for (int i = 0; i < len; ++i)
        sum += term(src[i]);
    return sum;
}

template <typename Better>
IppStatus extremeIndex(const Ipp64f* pSrc, int len, Ipp64f* pValue, int* pIndx, Better better) {
    if (const IppStatus st = checkVector(len, pSrc, pValue))
        return st;
    int best = 0;
    for (int i = 1; i < len; ++i)
        if (better(pSrc[i], pSrc[best]))
            best = i;
    *pValue = pSrc[best];
    if (pIndx)
        *pIndx = best;
    return ippStsNoErr;
}

template <typename Term>
IppStatus sumOfDifferences(const Ipp64f* pSrc1, const Ipp64f* pSrc2, int len, Ipp64f* pNorm,
                           Term term) {
    if (const IppStatus st = checkVector(len, pSrc1, pSrc2, pNorm))
        return st;
    long double sum = 0.0L;
    for (int i = 0; i < len; ++i)
        sum += term(static_cast<long double>(pSrc1[i]) - pSrc2[i]);
    *pNorm = static_cast<Ipp64f>(sum);
    return ippStsNoErr;
}

} // namespace

IppStatus ippsMean_64f(const Ipp64f* pSrc, int len, Ipp64f* pMean) {
    if (const IppStatus st = checkVector(len, pSrc, pMean))
        return st;
    *pMean = static_cast<Ipp64f>(accumulate(pSrc, len, [](Ipp64f x) { return x; }) / len);
    return ippStsNoErr;
}

IppStatus ippsMean_32f(const Ipp32f* pSrc, int len, Ipp32f* pMean, IppHintAlgorithm) {
    if (const IppStatus st = checkVector(len, pSrc, pMean))
        return st;
    *pMean = static_cast<Ipp32f>(accumulate(pSrc, len, [](Ipp32f x) { return x; }) / len);
    return ippStsNoErr;
}

IppStatus ippsStdDev_64f(const Ipp64f* pSrc, int len, Ipp64f* pStdDev) {
    if (const IppStatus st = checkVector(len < 2 ? 0 : len, pSrc, pStdDev))
        return st;
    const long double n = len;
    const long double sum =
        accumulate(pSrc, len, [](Ipp64f x) { return static_cast<long double>(x); });
    const long double sumSq =
        accumulate(pSrc, len, [](Ipp64f x) { return static_cast<long double>(x) * x; });
    const long double numerator = n * sumSq - sum * sum;
    *pStdDev =
        numerator > 0.0L ? static_cast<Ipp64f>(std::sqrt(numerator / (n * (n - 1.0L)))) : 0.0;
    return ippStsNoErr;
}

IppStatus ippsSum_64f(const Ipp64f* pSrc, int len, Ipp64f* pSum) {
    if (const IppStatus st = checkVector(len, pSrc, pSum))
        return st;
    *pSum = static_cast<Ipp64f>(accumulate(pSrc, len, [](Ipp64f x) { return x; }));
    return ippStsNoErr;
}

IppStatus ippsMax_64f(const Ipp64f* pSrc, int len, Ipp64f* pMax) {
    return ippsMaxIndx_64f(pSrc, len, pMax, nullptr);
}

IppStatus ippsMin_64f(const Ipp64f* pSrc, int len, Ipp64f* pMin) {
    return ippsMinIndx_64f(pSrc, len, pMin, nullptr);
}

IppStatus ippsMaxIndx_64f(const Ipp64f* pSrc, int len, Ipp64f* pMax, int* pIndx) {
    return extremeIndex(pSrc, len, pMax, pIndx, [](Ipp64f a, Ipp64f b) { return a > b; });
}

IppStatus ippsMinIndx_64f(const Ipp64f* pSrc, int len, Ipp64f* pMin, int* pIndx) {
    return extremeIndex(pSrc, len, pMin, pIndx, [](Ipp64f a, Ipp64f b) { return a < b; });
}

IppStatus ippsNormDiff_L1_64f(const Ipp64f* pSrc1, const Ipp64f* pSrc2, int len, Ipp64f* pNorm) {
    return sumOfDifferences(pSrc1, pSrc2, len, pNorm, [](long double d) { return std::fabs(d); });
}

IppStatus ippsNormDiff_L2_64f(const Ipp64f* pSrc1, const Ipp64f* pSrc2, int len, Ipp64f* pNorm) {
    const IppStatus st =
        sumOfDifferences(pSrc1, pSrc2, len, pNorm, [](long double d) { return d * d; });
    if (st == ippStsNoErr)
        *pNorm = std::sqrt(*pNorm);
    return st;
}

IppStatus ippsNormDiff_Inf_64f(const Ipp64f* pSrc1, const Ipp64f* pSrc2, int len, Ipp64f* pNorm) {
    if (const IppStatus st = checkVector(len, pSrc1, pSrc2, pNorm))
        return st;
    Ipp64f norm = 0.0;
    for (int i = 0; i < len; ++i)
        norm = std::fmax(norm, std::fabs(pSrc1[i] - pSrc2[i]));
    *pNorm = norm;
    return ippStsNoErr;
}

IppStatus ippsNorm_L2_64fc64f(const Ipp64fc* pSrc, int len, Ipp64f* pNorm) {
    if (const IppStatus st = checkVector(len, pSrc, pNorm))
        return st;
    const long double sumSq = accumulate(pSrc, len, [](Ipp64fc x) {
        return static_cast<long double>(x.re) * x.re + static_cast<long double>(x.im) * x.im;
    });
    *pNorm = static_cast<Ipp64f>(std::sqrt(sumSq));
    return ippStsNoErr;
}

IppStatus ippsDotProd_64f(const Ipp64f* pSrc1, const Ipp64f* pSrc2, int len, Ipp64f* pDp) {
    if (const IppStatus st = checkVector(len, pSrc1, pSrc2, pDp))
        return st;
    long double sum = 0.0L;
    for (int i = 0; i < len; ++i)
        sum += static_cast<long double>(pSrc1[i]) * pSrc2[i];
    *pDp = static_cast<Ipp64f>(sum);
    return ippStsNoErr;
}

IppStatus ippsDotProd_64fc(const Ipp64fc* pSrc1, const Ipp64fc* pSrc2, int len, Ipp64fc* pDp) {
    if (const IppStatus st = checkVector(len, pSrc1, pSrc2, pDp))
        return st;
    long double re = 0.0L;
    long double im = 0.0L;
    for (int i = 0; i < len; ++i) {
        const long double ar = pSrc1[i].re, ai = pSrc1[i].im, br = pSrc2[i].re, bi = pSrc2[i].im;
        re += ar * br - ai * bi;
        im += ar * bi + ai * br;
    }
    *pDp = {static_cast<Ipp64f>(re), static_cast<Ipp64f>(im)};
    return ippStsNoErr;
}

IppStatus ippsDotProd_32s_Sfs(const Ipp32s* pSrc1, const Ipp32s* pSrc2, int len, Ipp32s* pDp,
                              int scaleFactor) {
    if (const IppStatus st = checkVector(len, pSrc1, pSrc2, pDp))
        return st;
    Int128 sum = 0;
    for (int i = 0; i < len; ++i)
        sum += Int128(pSrc1[i]) * pSrc2[i];
    *pDp = scaleSaturate<Ipp32s>(sum, scaleFactor);
    return ippStsNoErr;
}

IppStatus ippsNormalize_32f(const Ipp32f* pSrc, Ipp32f* pDst, int len, Ipp32f vSub, Ipp32f vDiv) {
    if (const IppStatus st = checkVector(len, pSrc, pDst))
        return st;
    if (std::fabs(vDiv) < FLT_MIN)
        return ippStsDivByZeroErr;
    const Ipp32f inv = 1.0f / vDiv;
    return map1(pSrc, pDst, len, [=](Ipp32f x) { return (x - vSub) * inv; });
}

IppStatus ippsNormalize_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len, Ipp64f vSub, Ipp64f vDiv) {
    if (const IppStatus st = checkVector(len, pSrc, pDst))
        return st;
    if (std::fabs(vDiv) < DBL_MIN)
        return ippStsDivByZeroErr;
    const Ipp64f inv = 1.0 / vDiv;
    return map1(pSrc, pDst, len, [=](Ipp64f x) { return (x - vSub) * inv; });
}

IppStatus ippsNormalize_64fc(const Ipp64fc* pSrc, Ipp64fc* pDst, int len, Ipp64fc vSub,
                             Ipp64f vDiv) {
    if (const IppStatus st = checkVector(len, pSrc, pDst))
        return st;
    if (std::fabs(vDiv) < DBL_MIN)
        return ippStsDivByZeroErr;
    const Ipp64f inv = 1.0 / vDiv;
    return map1(pSrc, pDst, len, [=](Ipp64fc x) {
        return Ipp64fc{(x.re - vSub.re) * inv, (x.im - vSub.im) * inv};
    });
}

} // namespace builtin
