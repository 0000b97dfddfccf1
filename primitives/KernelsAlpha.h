#pragma once
// Built-in Porter-Duff alpha composition of two 8-bit four-channel images;
// channel 3 holds alpha.

#include "primitives/IppTypes.h"

namespace builtin {

IppStatus ippiAlphaComp_8u_AC4R(const Ipp8u* pSrc1, int src1Step, const Ipp8u* pSrc2, int src2Step,
                                Ipp8u* pDst, int dstStep, IppiSize roiSize,
                                IppiAlphaType alphaType);

} // namespace builtin
