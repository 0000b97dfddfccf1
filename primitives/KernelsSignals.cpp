#include "primitives/KernelsSignals.h"

#include "primitives/KernelSupport.h"

#include <numbers>

namespace builtin {

using namespace support;

IppStatus ippsVectorJaehne_64f(Ipp64f* pDst, int len, Ipp64f magn) {
    if (const IppStatus st = checkVector(len, pDst))
        return st;
    if (magn < 0.0)
        return ippStsJaehneErr;
    const double k = std::numbers::pi / 2.0 / len;
    for (int n = 0; n < len; ++n)
        pDst[n] = magn * std::sin(k * n * n);
    return ippStsNoErr;
}

IppStatus ippsRandUniform_Direct_64f(Ipp64f* pDst, int len, Ipp64f low, Ipp64f high,
                                     unsigned int* pSeed) {
    if (const IppStatus st = checkVector(len, pDst, pSeed))
        return st;
    // A full-period 32-bit linear congruential generator; the seed is its state.
    uint32_t state = *pSeed;
    const double range = high - low;
    for (int i = 0; i < len; ++i) {
        state = state * 1664525u + 1013904223u;
        pDst[i] = low + range * (state * 0x1p-32);
    }
    *pSeed = state;
    return ippStsNoErr;
}

IppCpuType ippGetCpuType() {
    return ippCpuUnknown;
}

} // namespace builtin
