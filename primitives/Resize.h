#pragma once
// Built-in image resize kernels (one shared engine) and the centred
// nearest-neighbour resize that maps stored rows onto screen pixels.

#include "primitives/IppTypes.h"

enum : IppStatus {
    ippStsInterpolationErr = -22,
    ippStsResizeFactorErr = -23,
    ippStsWrongIntersectROI = 29,
};

namespace builtin {

IppStatus ippiResize_8u_C1R(const Ipp8u* pSrc, IppiSize srcSize, int srcStep, IppiRect srcRoi,
                            Ipp8u* pDst, int dstStep, IppiSize dstRoiSize, double xFactor,
                            double yFactor, int interpolation);
IppStatus ippiResize_8u_C3R(const Ipp8u* pSrc, IppiSize srcSize, int srcStep, IppiRect srcRoi,
                            Ipp8u* pDst, int dstStep, IppiSize dstRoiSize, double xFactor,
                            double yFactor, int interpolation);
IppStatus ippiResize_8u_C4R(const Ipp8u* pSrc, IppiSize srcSize, int srcStep, IppiRect srcRoi,
                            Ipp8u* pDst, int dstStep, IppiSize dstRoiSize, double xFactor,
                            double yFactor, int interpolation);
IppStatus ippiResize_16u_C1R(const Ipp16u* pSrc, IppiSize srcSize, int srcStep, IppiRect srcRoi,
                             Ipp16u* pDst, int dstStep, IppiSize dstRoiSize, double xFactor,
                             double yFactor, int interpolation);
IppStatus ippiResizeCenter_8u_C4R(const Ipp8u* pSrc, IppiSize srcSize, int srcStep, IppiRect srcRoi,
                                  Ipp8u* pDst, int dstStep, IppiSize dstRoiSize, double xFactor,
                                  double yFactor, double xCenter, double yCenter,
                                  int interpolation);

} // namespace builtin
