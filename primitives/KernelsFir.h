#pragma once
// Built-in single-rate FIR filter with a delay line kept between calls.

#include "primitives/IppTypes.h"

enum : IppStatus {
    ippStsFIRLenErr = -26,
};

namespace builtin {

IppStatus ippsFIRInitAlloc_64f(IppsFIRState_64f** ppState, const Ipp64f* pTaps, int tapsLen,
                               const Ipp64f* pDlyLine);
IppStatus ippsFIR_64f(const Ipp64f* pSrc, Ipp64f* pDst, int numIters, IppsFIRState_64f* pState);
IppStatus ippsFIRFree_64f(IppsFIRState_64f* pState);

} // namespace builtin
