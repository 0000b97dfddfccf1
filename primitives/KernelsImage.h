#pragma once
// Built-in image set, copy, mirror and linear look-up kernels. Steps are in bytes.

#include "primitives/IppTypes.h"

namespace builtin {

IppStatus ippiSet_8u_C4R(const Ipp8u value[4], Ipp8u* pDst, int dstStep, IppiSize roiSize);
// The rendering group's own kernel of the same name.
IppStatus ippiSet_8u_C4R_Render(const Ipp8u value[4], Ipp8u* pDst, int dstStep, IppiSize roiSize);
IppStatus ippiCopy_8u_C4R(const Ipp8u* pSrc, int srcStep, Ipp8u* pDst, int dstStep,
                          IppiSize roiSize);
IppStatus ippiCopy_32s_C1R(const Ipp32s* pSrc, int srcStep, Ipp32s* pDst, int dstStep,
                           IppiSize roiSize);
IppStatus ippiMirror_8u_C3R(const Ipp8u* pSrc, int srcStep, Ipp8u* pDst, int dstStep,
                            IppiSize roiSize, IppiAxis flip);
IppStatus ippiMirror_8u_C4R(const Ipp8u* pSrc, int srcStep, Ipp8u* pDst, int dstStep,
                            IppiSize roiSize, IppiAxis flip);
IppStatus ippiMirror_8u_C3IR(Ipp8u* pSrcDst, int srcDstStep, IppiSize roiSize, IppiAxis flip);
// Per channel: values in [pLevels[k], pLevels[k+1]) are interpolated linearly
// between pValues[k] and pValues[k+1]; values outside the levels are kept.
IppStatus ippiLUT_Linear_8u_C4R(const Ipp8u* pSrc, int srcStep, Ipp8u* pDst, int dstStep,
                                IppiSize roiSize, const Ipp32s* pValues[4],
                                const Ipp32s* pLevels[4], int nLevels[4]);

} // namespace builtin
