// Entry points of the resize kernels: argument checks in the documented
// order, clipping of the source region, and the sampling set-up that the
// shared engine then carries out.

#include "primitives/Resize.h"
#include "primitives/ResizeEngine.h"

#include <cmath>

namespace builtin {

namespace {

// The part of the source region that lies inside the source image.
struct Clip {
    int x0, y0, x1, y1;
};

IppStatus checkResize(const void* pSrc, IppiSize srcSize, int srcStep, IppiRect srcRoi,
                      const void* pDst, int dstStep, IppiSize dstRoiSize, double xFactor,
                      double yFactor, int interpolation, Clip& clip) {
    if (srcSize.width <= 0 || srcSize.height <= 0 || srcRoi.width <= 0 || srcRoi.height <= 0 ||
        dstRoiSize.width <= 0 || dstRoiSize.height <= 0)
        return ippStsSizeErr;
    if (srcRoi.x >= srcSize.width || srcRoi.y >= srcSize.height)
        return ippStsWrongIntersectROI;
    const long long right = static_cast<long long>(srcRoi.x) + srcRoi.width;
    const long long bottom = static_cast<long long>(srcRoi.y) + srcRoi.height;
    // A region reaching in from the left or top is used where it overlaps the image.
    if (right <= 0 || bottom <= 0)
        return ippStsWrongIntersectROI;
    clip.x0 = srcRoi.x > 0 ? srcRoi.x : 0;
    clip.y0 = srcRoi.y > 0 ? srcRoi.y : 0;
    clip.x1 = right < srcSize.width ? static_cast<int>(right) : srcSize.width;
    clip.y1 = bottom < srcSize.height ? static_cast<int>(bottom) : srcSize.height;
    if (!(xFactor > 0.0) || !(yFactor > 0.0) || !std::isfinite(xFactor) || !std::isfinite(yFactor))
        return ippStsResizeFactorErr;
    if (!pSrc || !pDst)
        return ippStsNullPtrErr;
    if (srcStep <= 0 || dstStep <= 0)
        return ippStsStepErr;
    if (!resize::isKnownInterpolation(interpolation))
        return ippStsInterpolationErr;
    return ippStsNoErr;
}

// Output count along one axis: the scaled source extent, with a small bias so
// that products like 3 * (1/3.0) still count whole pixels.
int outputCount(int srcCount, double factor, int dstCount) {
    const int scaled = resize::toInt(std::trunc(srcCount * factor + 1e-07));
    return scaled < dstCount ? scaled : dstCount;
}

template <typename T, int Channels>
IppStatus resizePlain(const T* pSrc, IppiSize srcSize, int srcStep, IppiRect srcRoi, T* pDst,
                      int dstStep, IppiSize dstRoiSize, double xFactor, double yFactor,
                      int interpolation) {
    Clip clip{};
    const IppStatus status = checkResize(pSrc, srcSize, srcStep, srcRoi, pDst, dstStep, dstRoiSize,
                                         xFactor, yFactor, interpolation, clip);
    if (status != ippStsNoErr)
        return status;
    const int width = clip.x1 - clip.x0;
    const int height = clip.y1 - clip.y0;
    const resize::Axis ax{clip.x0, 0.0, xFactor, clip.x0, clip.x1};
    const resize::Axis ay{clip.y0, 0.0, yFactor, clip.y0, clip.y1};
    return resize::resample<T, Channels>(
        pSrc, srcStep, pDst, dstStep, outputCount(width, xFactor, dstRoiSize.width),
        outputCount(height, yFactor, dstRoiSize.height), ax, ay,
        resize::downgradedInterpolation(interpolation, width, height));
}

// Placement of the centred resize along one axis.
struct CentredAxis {
    int dstBegin; // first destination pixel of the area
    int dstEnd;   // one past the last
    resize::Axis axis;
};

// The source point `centre` maps to the middle of the destination: source x
// goes to dstSize / 2 + factor * (x - centre).
CentredAxis centredAxis(int lo, int hi, int dstSize, double factor, double centre) {
    const double half = dstSize * 0.5;
    int begin = resize::toInt(std::ceil(half + factor * (lo - centre)));
    if (begin < 0)
        begin = 0;
    int end = resize::toInt(std::ceil(half + factor * (hi - centre)));
    if (end > dstSize)
        end = dstSize;
    const double position = centre + (begin - half) / factor;
    const double first = std::trunc(position);
    const double frac = std::isfinite(position) ? position - first : 0.0;
    return {begin, end, resize::Axis{resize::toInt(first), frac, factor, lo, hi}};
}

} // namespace

IppStatus ippiResize_8u_C1R(const Ipp8u* pSrc, IppiSize srcSize, int srcStep, IppiRect srcRoi,
                            Ipp8u* pDst, int dstStep, IppiSize dstRoiSize, double xFactor,
                            double yFactor, int interpolation) {
    return resizePlain<Ipp8u, 1>(pSrc, srcSize, srcStep, srcRoi, pDst, dstStep, dstRoiSize, xFactor,
                                 yFactor, interpolation);
}

IppStatus ippiResize_8u_C3R(const Ipp8u* pSrc, IppiSize srcSize, int srcStep, IppiRect srcRoi,
                            Ipp8u* pDst, int dstStep, IppiSize dstRoiSize, double xFactor,
                            double yFactor, int interpolation) {
    return resizePlain<Ipp8u, 3>(pSrc, srcSize, srcStep, srcRoi, pDst, dstStep, dstRoiSize, xFactor,
                                 yFactor, interpolation);
}

IppStatus ippiResize_8u_C4R(const Ipp8u* pSrc, IppiSize srcSize, int srcStep, IppiRect srcRoi,
                            Ipp8u* pDst, int dstStep, IppiSize dstRoiSize, double xFactor,
                            double yFactor, int interpolation) {
    return resizePlain<Ipp8u, 4>(pSrc, srcSize, srcStep, srcRoi, pDst, dstStep, dstRoiSize, xFactor,
                                 yFactor, interpolation);
}

IppStatus ippiResize_16u_C1R(const Ipp16u* pSrc, IppiSize srcSize, int srcStep, IppiRect srcRoi,
                             Ipp16u* pDst, int dstStep, IppiSize dstRoiSize, double xFactor,
                             double yFactor, int interpolation) {
    return resizePlain<Ipp16u, 1>(pSrc, srcSize, srcStep, srcRoi, pDst, dstStep, dstRoiSize,
                                  xFactor, yFactor, interpolation);
}

IppStatus ippiResizeCenter_8u_C4R(const Ipp8u* pSrc, IppiSize srcSize, int srcStep, IppiRect srcRoi,
                                  Ipp8u* pDst, int dstStep, IppiSize dstRoiSize, double xFactor,
                                  double yFactor, double xCenter, double yCenter,
                                  int interpolation) {
    Clip clip{};
    const IppStatus status = checkResize(pSrc, srcSize, srcStep, srcRoi, pDst, dstStep, dstRoiSize,
                                         xFactor, yFactor, interpolation, clip);
    if (status != ippStsNoErr)
        return status;
    const CentredAxis cx = centredAxis(clip.x0, clip.x1, dstRoiSize.width, xFactor, xCenter);
    const CentredAxis cy = centredAxis(clip.y0, clip.y1, dstRoiSize.height, yFactor, yCenter);
    if (cx.dstEnd <= cx.dstBegin || cy.dstEnd <= cy.dstBegin)
        return ippStsNoErr;
    Ipp8u* area = pDst + static_cast<long long>(cy.dstBegin) * dstStep +
                  static_cast<long long>(cx.dstBegin) * 4;
    return resize::resample<Ipp8u, 4>(
        pSrc, srcStep, area, dstStep, cx.dstEnd - cx.dstBegin, cy.dstEnd - cy.dstBegin, cx.axis,
        cy.axis,
        resize::downgradedInterpolation(interpolation, clip.x1 - clip.x0, clip.y1 - clip.y0));
}

} // namespace builtin
