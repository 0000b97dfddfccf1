#include "primitives/KernelsCopy.h"

#include "primitives/KernelLoops.h"

#include <cstring>

namespace builtin {

using namespace support;

namespace {

template <typename T> IppStatus zeroBytes(T* dst, int len) {
    if (const IppStatus st = checkVector(len, dst))
        return st;
    std::memset(dst, 0, sizeof(T) * static_cast<size_t>(len));
    return ippStsNoErr;
}

template <typename T> IppStatus moveBytes(const T* src, T* dst, int len) {
    if (const IppStatus st = checkVector(len, src, dst))
        return st;
    std::memmove(dst, src, sizeof(T) * static_cast<size_t>(len));
    return ippStsNoErr;
}

} // namespace

IppStatus ippsSet_8u(Ipp8u val, Ipp8u* pDst, int len) {
    return fill(pDst, len, val);
}

IppStatus ippsSet_32s(Ipp32s val, Ipp32s* pDst, int len) {
    return fill(pDst, len, val);
}

IppStatus ippsSet_32f(Ipp32f val, Ipp32f* pDst, int len) {
    return fill(pDst, len, val);
}

IppStatus ippsSet_64f(Ipp64f val, Ipp64f* pDst, int len) {
    return fill(pDst, len, val);
}

IppStatus ippsSet_64fc(Ipp64fc val, Ipp64fc* pDst, int len) {
    return fill(pDst, len, val);
}

IppStatus ippsZero_8u(Ipp8u* pDst, int len) {
    return zeroBytes(pDst, len);
}

IppStatus ippsZero_16s(Ipp16s* pDst, int len) {
    return zeroBytes(pDst, len);
}

IppStatus ippsZero_32s(Ipp32s* pDst, int len) {
    return zeroBytes(pDst, len);
}

IppStatus ippsZero_32f(Ipp32f* pDst, int len) {
    return zeroBytes(pDst, len);
}

IppStatus ippsZero_64f(Ipp64f* pDst, int len) {
    return zeroBytes(pDst, len);
}

IppStatus ippsZero_64fc(Ipp64fc* pDst, int len) {
    return zeroBytes(pDst, len);
}

// Copies use memmove too: an overlapping call must not corrupt the data.
IppStatus ippsCopy_8u(const Ipp8u* pSrc, Ipp8u* pDst, int len) {
    return moveBytes(pSrc, pDst, len);
}

IppStatus ippsCopy_32f(const Ipp32f* pSrc, Ipp32f* pDst, int len) {
    return moveBytes(pSrc, pDst, len);
}

IppStatus ippsCopy_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len) {
    return moveBytes(pSrc, pDst, len);
}

IppStatus ippsMove_8u(const Ipp8u* pSrc, Ipp8u* pDst, int len) {
    return moveBytes(pSrc, pDst, len);
}

IppStatus ippsMove_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len) {
    return moveBytes(pSrc, pDst, len);
}

IppStatus ippsSwapBytes_16u(const Ipp16u* pSrc, Ipp16u* pDst, int len) {
    return map1(pSrc, pDst, len, [](Ipp16u x) { return __builtin_bswap16(x); });
}

IppStatus ippsSwapBytes_24u(const Ipp8u* pSrc, Ipp8u* pDst, int len) {
    if (const IppStatus st = checkVector(len, pSrc, pDst))
        return st;
    for (int i = 0; i < len; ++i) {
        const Ipp8u* s = pSrc + 3 * static_cast<std::ptrdiff_t>(i);
        Ipp8u* d = pDst + 3 * static_cast<std::ptrdiff_t>(i);
        const Ipp8u first = s[0];
        const Ipp8u middle = s[1];
        d[0] = s[2];
        d[1] = middle;
        d[2] = first;
    }
    return ippStsNoErr;
}

IppStatus ippsSwapBytes_32u(const Ipp32u* pSrc, Ipp32u* pDst, int len) {
    return map1(pSrc, pDst, len, [](Ipp32u x) { return __builtin_bswap32(x); });
}

IppStatus ippsSwapBytes_32u_I(Ipp32u* pSrcDst, int len) {
    return ippsSwapBytes_32u(pSrcDst, pSrcDst, len);
}

} // namespace builtin
