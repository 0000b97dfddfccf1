#pragma once
// Filtered resampling paths of the resize engine: linear, cubic and Lanczos
// interpolation, and the area-averaging super-sampling path for reductions.

#include "primitives/ResizeEngine.h"

namespace resize {

// Interpolating filters. The destination pixel centre i + 0.5 maps to the
// source coordinate first + frac + (i + 0.5) / factor - 0.5, measured
// between source pixel centres; neighbours beyond [lo, hi) repeat the edge.
template <typename T, int Channels>
IppStatus resampleFiltered(const T* pSrc, int srcStep, T* pDst, int dstStep, int dstWidth,
                           int dstHeight, const Axis& ax, const Axis& ay, int interpolation);

// Each destination pixel is the area-weighted mean of the source pixels it
// covers: pixel i spans the source edges first + frac + i / factor to
// first + frac + (i + 1) / factor, clipped to [lo, hi).
template <typename T, int Channels>
IppStatus resampleSuper(const T* pSrc, int srcStep, T* pDst, int dstStep, int dstWidth,
                        int dstHeight, const Axis& ax, const Axis& ay);

// Weight of a source pixel at signed distance d from the sampling point.
double lanczos3(double d);

} // namespace resize
