#include "primitives/KernelsConvert.h"

#include "primitives/KernelLoops.h"

#include <cfloat>

namespace builtin {

using namespace support;

namespace {

// Past 2^-1100 every product rounds to zero anyway; clamping keeps ldexp's argument sane.
int clampExponent(int scaleFactor) {
    return scaleFactor > 1100 ? 1100 : (scaleFactor < -1100 ? -1100 : scaleFactor);
}

// Finite doubles beyond the float range saturate; infinities and NaN pass through.
Ipp32f narrowToFloat(Ipp64f x) {
    if (x > FLT_MAX && x <= DBL_MAX)
        return FLT_MAX;
    if (x < -FLT_MAX && x >= -DBL_MAX)
        return -FLT_MAX;
    return static_cast<Ipp32f>(x);
}

IppStatus narrowAll(const Ipp64f* pSrc, Ipp32f* pDst, int len) {
    return map1(pSrc, pDst, len, narrowToFloat);
}

template <typename S>
IppStatus toInt32(const S* pSrc, Ipp32s* pDst, int len, IppRoundMode rndMode, int scaleFactor) {
    if (const IppStatus st = checkVector(len, pSrc, pDst))
        return st;
    if (rndMode != ippRndZero && rndMode != ippRndNear)
        return ippStsRoundModeNotSupportedErr;
    const int shift = clampExponent(scaleFactor);
    return map1(pSrc, pDst, len, [=](S x) {
        return roundSaturate<Ipp32s>(std::ldexp(static_cast<double>(x), -shift), rndMode);
    });
}

} // namespace

IppStatus ippsConvert_16s64f_Sfs(const Ipp16s* pSrc, Ipp64f* pDst, int len, int scaleFactor) {
    const int shift = clampExponent(scaleFactor);
    return map1(pSrc, pDst, len,
                [=](Ipp16s x) { return std::ldexp(static_cast<double>(x), -shift); });
}

IppStatus ippsConvert_32s64f(const Ipp32s* pSrc, Ipp64f* pDst, int len) {
    return map1(pSrc, pDst, len, [](Ipp32s x) { return static_cast<Ipp64f>(x); });
}

IppStatus ippsConvert_32f64f(const Ipp32f* pSrc, Ipp64f* pDst, int len) {
    return map1(pSrc, pDst, len, [](Ipp32f x) { return static_cast<Ipp64f>(x); });
}

IppStatus ippsConvert_32s32f(const Ipp32s* pSrc, Ipp32f* pDst, int len) {
    return map1(pSrc, pDst, len, [](Ipp32s x) { return static_cast<Ipp32f>(x); });
}

IppStatus ippsConvert_32f32s_Sfs(const Ipp32f* pSrc, Ipp32s* pDst, int len, IppRoundMode rndMode,
                                 int scaleFactor) {
    return toInt32(pSrc, pDst, len, rndMode, scaleFactor);
}

IppStatus ippsConvert_64f32f(const Ipp64f* pSrc, Ipp32f* pDst, int len) {
    return narrowAll(pSrc, pDst, len);
}

IppStatus ippsConvert_64f32s_Sfs(const Ipp64f* pSrc, Ipp32s* pDst, int len, IppRoundMode rndMode,
                                 int scaleFactor) {
    return toInt32(pSrc, pDst, len, rndMode, scaleFactor);
}

IppStatus ippsConvert_64f32f_Render(const Ipp64f* pSrc, Ipp32f* pDst, int len) {
    return narrowAll(pSrc, pDst, len);
}

IppStatus ippsConvert_64f32s_Sfs_Render(const Ipp64f* pSrc, Ipp32s* pDst, int len,
                                        IppRoundMode rndMode, int scaleFactor) {
    return toInt32(pSrc, pDst, len, rndMode, scaleFactor);
}

} // namespace builtin
