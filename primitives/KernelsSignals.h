#pragma once
// Built-in test signals and the processor query.

#include "primitives/IppTypes.h"

namespace builtin {

// dst[n] = magn * sin(pi/2 * n^2 / len); a negative magnitude is ippStsJaehneErr.
IppStatus ippsVectorJaehne_64f(Ipp64f* pDst, int len, Ipp64f magn);
// Uniform values in [low, high); *pSeed carries the generator state between calls.
IppStatus ippsRandUniform_Direct_64f(Ipp64f* pDst, int len, Ipp64f low, Ipp64f high,
                                     unsigned int* pSeed);
// Stands in for the core library's query: the processor is unknown.
IppCpuType ippGetCpuType();

} // namespace builtin
