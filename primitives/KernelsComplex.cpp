#include "primitives/KernelsComplex.h"

#include "primitives/KernelLoops.h"

#include <cmath>

namespace builtin {

using namespace support;

namespace {

template <typename R, typename C>
IppStatus realToComplex(const R* pSrcRe, const R* pSrcIm, C* pDst, int len) {
    if (pDst == nullptr || (pSrcRe == nullptr && pSrcIm == nullptr))
        return ippStsNullPtrErr;
    if (len < 1)
        return ippStsSizeErr;
    for (int i = 0; i < len; ++i)
        pDst[i] = C{pSrcRe ? pSrcRe[i] : R(0), pSrcIm ? pSrcIm[i] : R(0)};
    return ippStsNoErr;
}

} // namespace

IppStatus ippsPowerSpectr_64fc(const Ipp64fc* pSrc, Ipp64f* pDst, int len) {
    return map1(pSrc, pDst, len, [](Ipp64fc x) { return x.re * x.re + x.im * x.im; });
}

IppStatus ippsPhase_64fc(const Ipp64fc* pSrc, Ipp64f* pDst, int len) {
    return map1(pSrc, pDst, len, [](Ipp64fc x) { return std::atan2(x.im, x.re); });
}

// hypot keeps very large and very small parts from overflowing or flushing to zero.
IppStatus ippsMagnitude_64fc(const Ipp64fc* pSrc, Ipp64f* pDst, int len) {
    return map1(pSrc, pDst, len, [](Ipp64fc x) { return std::hypot(x.re, x.im); });
}

IppStatus ippsReal_64fc(const Ipp64fc* pSrc, Ipp64f* pDstRe, int len) {
    return map1(pSrc, pDstRe, len, [](Ipp64fc x) { return x.re; });
}

IppStatus ippsImag_64fc(const Ipp64fc* pSrc, Ipp64f* pDstIm, int len) {
    return map1(pSrc, pDstIm, len, [](Ipp64fc x) { return x.im; });
}

IppStatus ippsRealToCplx_64f(const Ipp64f* pSrcRe, const Ipp64f* pSrcIm, Ipp64fc* pDst, int len) {
    return realToComplex(pSrcRe, pSrcIm, pDst, len);
}

IppStatus ippsRealToCplx_32f(const Ipp32f* pSrcRe, const Ipp32f* pSrcIm, Ipp32fc* pDst, int len) {
    return realToComplex(pSrcRe, pSrcIm, pDst, len);
}

} // namespace builtin
