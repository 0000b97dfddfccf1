#pragma once
// The resampling engine shared by the resize kernels. Callers check their
// arguments, clip the source region and work out where each destination
// pixel samples; the engine only reads inside [lo, hi) of each axis and
// only writes the destination area it is given.

#include "primitives/IppTypes.h"

namespace resize {

// Sampling along one axis: destination pixel i (from 0) has its centre at
// the source edge coordinate first + frac + (i + 0.5) / factor.
struct Axis {
    int first;
    double frac;
    double factor;
    int lo; // first source pixel that may be read
    int hi; // one past the last source pixel that may be read
};

// Clamps a double to the int range; NaN becomes 0.
int toInt(double v);

// Source pixel of destination pixel i for nearest-neighbour sampling.
int nearestIndex(const Axis& axis, int i);

// The interpolation actually used for a source region of the given size:
// small regions cannot support the wider filters.
int downgradedInterpolation(int interpolation, int srcWidth, int srcHeight);

bool isKnownInterpolation(int interpolation);

// Resamples into the dstWidth x dstHeight area at pDst. pSrc points at source
// pixel (0, 0). Steps are in bytes. Returns 0 or a memory allocation error.
template <typename T, int Channels>
IppStatus resample(const T* pSrc, int srcStep, T* pDst, int dstStep, int dstWidth, int dstHeight,
                   const Axis& ax, const Axis& ay, int interpolation);

} // namespace resize
