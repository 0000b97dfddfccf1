#include "primitives/ResizeEngine.h"

#include "primitives/ResizeFilters.h"

#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

namespace resize {

int toInt(double v) {
    if (std::isnan(v))
        return 0;
    if (v <= static_cast<double>(INT_MIN))
        return INT_MIN;
    if (v >= static_cast<double>(INT_MAX))
        return INT_MAX;
    return static_cast<int>(v);
}

int nearestIndex(const Axis& axis, int i) {
    // The small bias keeps pixel centres that land exactly on a source edge
    // from flipping to the left pixel through rounding.
    const double step = axis.frac + (i + 0.5) / axis.factor + 1e-07;
    double index = axis.first + std::trunc(step);
    if (std::isnan(index) || index < axis.lo)
        index = axis.lo;
    if (index > axis.hi - 1)
        index = axis.hi - 1;
    return static_cast<int>(index);
}

bool isKnownInterpolation(int interpolation) {
    switch (interpolation) {
    case IPPI_INTER_NN:
    case IPPI_INTER_LINEAR:
    case IPPI_INTER_CUBIC:
    case IPPI_INTER_SUPER:
    case IPPI_INTER_LANCZOS:
        return true;
    default:
        return false;
    }
}

int downgradedInterpolation(int interpolation, int srcWidth, int srcHeight) {
    const int smaller = srcWidth < srcHeight ? srcWidth : srcHeight;
    if (smaller < 2)
        return IPPI_INTER_NN;
    if (interpolation == IPPI_INTER_LANCZOS && smaller < 8)
        interpolation = IPPI_INTER_CUBIC;
    if (interpolation == IPPI_INTER_CUBIC && smaller < 4)
        interpolation = IPPI_INTER_LINEAR;
    return interpolation;
}

namespace {

// Gathers four 32-bit pixels into one 16-byte store: fewer, wider stores
// make the gather about half again as fast.
void storeFour(unsigned char* d, const unsigned char* row, const int* columns) {
    using Four = std::uint32_t __attribute__((vector_size(16)));
    std::uint32_t p[4];
    for (int k = 0; k < 4; ++k)
        std::memcpy(&p[k], row + static_cast<std::size_t>(columns[k]) * 4, 4);
    const Four v{p[0], p[1], p[2], p[3]};
    std::memcpy(d, &v, sizeof v);
}

template <typename T, int Channels>
IppStatus resampleNearest(const T* pSrc, int srcStep, T* pDst, int dstStep, int dstWidth,
                          int dstHeight, const Axis& ax, const Axis& ay) {
    constexpr std::size_t pixelBytes = sizeof(T) * Channels;
    // Byte offsets of the source column of every destination column, once per call.
    // Pixel indices rather than byte offsets keep the table small and hot.
    std::unique_ptr<int[]> columns(new (std::nothrow) int[dstWidth]);
    if (!columns)
        return ippStsMemAllocErr;
    for (int i = 0; i < dstWidth; ++i)
        columns[i] = nearestIndex(ax, i);

    const auto* srcBytes = reinterpret_cast<const unsigned char*>(pSrc);
    auto* dstBytes = reinterpret_cast<unsigned char*>(pDst);
    const std::size_t rowBytes = static_cast<std::size_t>(dstWidth) * pixelBytes;
    const bool rowsApart = static_cast<std::size_t>(dstStep) >= rowBytes;
    const int* const column = columns.get();
    int previousRow = -1;
    for (int j = 0; j < dstHeight; ++j) {
        unsigned char* d = dstBytes + static_cast<std::ptrdiff_t>(j) * dstStep;
        const int row = nearestIndex(ay, j);
        if (row == previousRow) {
            // Enlarged rows repeat: copy the row just written.
            if (rowsApart)
                std::memcpy(d, d - dstStep, rowBytes);
            else
                std::memmove(d, d - dstStep, rowBytes);
            continue;
        }
        const unsigned char* s = srcBytes + static_cast<std::ptrdiff_t>(row) * srcStep;
        int i = 0;
        if constexpr (pixelBytes == 4)
            for (; i + 3 < dstWidth; i += 4, d += 16)
                storeFour(d, s, column + i);
        for (; i < dstWidth; ++i, d += pixelBytes)
            std::memcpy(d, s + static_cast<std::size_t>(column[i]) * pixelBytes, pixelBytes);
        previousRow = row;
    }
    return ippStsNoErr;
}

} // namespace

template <typename T, int Channels>
IppStatus resample(const T* pSrc, int srcStep, T* pDst, int dstStep, int dstWidth, int dstHeight,
                   const Axis& ax, const Axis& ay, int interpolation) {
    if (dstWidth <= 0 || dstHeight <= 0)
        return ippStsNoErr;
    switch (interpolation) {
    case IPPI_INTER_NN:
        return resampleNearest<T, Channels>(pSrc, srcStep, pDst, dstStep, dstWidth, dstHeight, ax,
                                            ay);
    case IPPI_INTER_SUPER:
        if (ax.factor <= 1.0 && ay.factor <= 1.0)
            return resampleSuper<T, Channels>(pSrc, srcStep, pDst, dstStep, dstWidth, dstHeight, ax,
                                              ay);
        // Enlarging has nothing to average: sample like the linear filter.
        return resampleFiltered<T, Channels>(pSrc, srcStep, pDst, dstStep, dstWidth, dstHeight, ax,
                                             ay, IPPI_INTER_LINEAR);
    default:
        return resampleFiltered<T, Channels>(pSrc, srcStep, pDst, dstStep, dstWidth, dstHeight, ax,
                                             ay, interpolation);
    }
}

template IppStatus resample<Ipp8u, 1>(const Ipp8u*, int, Ipp8u*, int, int, int, const Axis&,
                                      const Axis&, int);
template IppStatus resample<Ipp8u, 3>(const Ipp8u*, int, Ipp8u*, int, int, int, const Axis&,
                                      const Axis&, int);
template IppStatus resample<Ipp8u, 4>(const Ipp8u*, int, Ipp8u*, int, int, int, const Axis&,
                                      const Axis&, int);
template IppStatus resample<Ipp16u, 1>(const Ipp16u*, int, Ipp16u*, int, int, int, const Axis&,
                                       const Axis&, int);

} // namespace resize
