#include "primitives/KernelsThreshold.h"

#include "primitives/KernelLoops.h"

#include <cmath>

namespace builtin {

using namespace support;

namespace {

template <typename T>
IppStatus thresholdReal(const T* pSrc, T* pDst, int len, T level, IppCmpOp relOp) {
    if (const IppStatus st = checkVector(len, pSrc, pDst))
        return st;
    if (relOp == ippCmpLess)
        return map1(pSrc, pDst, len, [=](T x) { return x < level ? level : x; });
    if (relOp == ippCmpGreater)
        return map1(pSrc, pDst, len, [=](T x) { return x > level ? level : x; });
    return ippStsBadArgErr;
}

Ipp64fc toMagnitude(Ipp64fc x, Ipp64f magnitude, Ipp64f level) {
    // A zero value has no phase: it takes the level on the real axis.
    if (magnitude == 0.0)
        return {level, 0.0};
    const Ipp64f k = level / magnitude;
    return {x.re * k, x.im * k};
}

} // namespace

IppStatus ippsThreshold_LT_32s_I(Ipp32s* pSrcDst, int len, Ipp32s level) {
    return thresholdReal<Ipp32s>(pSrcDst, pSrcDst, len, level, ippCmpLess);
}

IppStatus ippsThreshold_GT_32s_I(Ipp32s* pSrcDst, int len, Ipp32s level) {
    return thresholdReal<Ipp32s>(pSrcDst, pSrcDst, len, level, ippCmpGreater);
}

IppStatus ippsThreshold_32f_I(Ipp32f* pSrcDst, int len, Ipp32f level, IppCmpOp relOp) {
    return thresholdReal<Ipp32f>(pSrcDst, pSrcDst, len, level, relOp);
}

IppStatus ippsThreshold_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len, Ipp64f level,
                            IppCmpOp relOp) {
    return thresholdReal(pSrc, pDst, len, level, relOp);
}

IppStatus ippsThreshold_64f_I(Ipp64f* pSrcDst, int len, Ipp64f level, IppCmpOp relOp) {
    return thresholdReal<Ipp64f>(pSrcDst, pSrcDst, len, level, relOp);
}

IppStatus ippsThreshold_64fc(const Ipp64fc* pSrc, Ipp64fc* pDst, int len, Ipp64f level,
                             IppCmpOp relOp) {
    if (const IppStatus st = checkVector(len, pSrc, pDst))
        return st;
    if (level < 0.0)
        return ippStsThreshNegLevelErr;
    if (relOp != ippCmpLess && relOp != ippCmpGreater)
        return ippStsBadArgErr;
    const bool less = relOp == ippCmpLess;
    return map1(pSrc, pDst, len, [=](Ipp64fc x) {
        const Ipp64f m = std::hypot(x.re, x.im);
        return (less ? m < level : m > level) ? toMagnitude(x, m, level) : x;
    });
}

IppStatus ippsThreshold_64fc_I(Ipp64fc* pSrcDst, int len, Ipp64f level, IppCmpOp relOp) {
    return ippsThreshold_64fc(pSrcDst, pSrcDst, len, level, relOp);
}

} // namespace builtin
