#include "primitives/KernelsElementFunctions.h"

#include "primitives/KernelLoops.h"

#include <cmath>

namespace builtin {

using namespace support;

IppStatus ippsAbs_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len) {
    return map1(pSrc, pDst, len, [](Ipp64f x) { return std::fabs(x); });
}

IppStatus ippsAbs_64f_I(Ipp64f* pSrcDst, int len) {
    return ippsAbs_64f(pSrcDst, pSrcDst, len);
}

IppStatus ippsSqr_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len) {
    return map1(pSrc, pDst, len, [](Ipp64f x) { return x * x; });
}

IppStatus ippsSqr_64f_I(Ipp64f* pSrcDst, int len) {
    return ippsSqr_64f(pSrcDst, pSrcDst, len);
}

IppStatus ippsSqrt_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len) {
    bool negative = false;
    const IppStatus st = map1(pSrc, pDst, len, [&](Ipp64f x) {
        negative = negative || x < 0.0;
        return std::sqrt(x);
    });
    return st == ippStsNoErr && negative ? ippStsSqrtNegArg : st;
}

IppStatus ippsSqrt_64f_I(Ipp64f* pSrcDst, int len) {
    return ippsSqrt_64f(pSrcDst, pSrcDst, len);
}

IppStatus ippsExp_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len) {
    return map1(pSrc, pDst, len, [](Ipp64f x) { return std::exp(x); });
}

IppStatus ippsExp_64f_I(Ipp64f* pSrcDst, int len) {
    return ippsExp_64f(pSrcDst, pSrcDst, len);
}

IppStatus ippsLn_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len) {
    bool zero = false;
    bool negative = false;
    const IppStatus st = map1(pSrc, pDst, len, [&](Ipp64f x) {
        zero = zero || x == 0.0;
        negative = negative || x < 0.0;
        return std::log(x);
    });
    if (st != ippStsNoErr)
        return st;
    return negative ? ippStsLnNegArg : (zero ? ippStsLnZeroArg : ippStsNoErr);
}

IppStatus ippsLn_64f_I(Ipp64f* pSrcDst, int len) {
    return ippsLn_64f(pSrcDst, pSrcDst, len);
}

IppStatus ippsSqr_64fc(const Ipp64fc* pSrc, Ipp64fc* pDst, int len) {
    return map1(pSrc, pDst, len, [](Ipp64fc x) {
        return Ipp64fc{x.re * x.re - x.im * x.im, 2.0 * x.re * x.im};
    });
}

IppStatus ippsSqr_64fc_I(Ipp64fc* pSrcDst, int len) {
    return ippsSqr_64fc(pSrcDst, pSrcDst, len);
}

IppStatus ippsSqrt_64fc(const Ipp64fc* pSrc, Ipp64fc* pDst, int len) {
    return map1(pSrc, pDst, len, [](Ipp64fc x) { return fromComplex(std::sqrt(toComplex(x))); });
}

IppStatus ippsSqrt_64fc_I(Ipp64fc* pSrcDst, int len) {
    return ippsSqrt_64fc(pSrcDst, pSrcDst, len);
}

} // namespace builtin
