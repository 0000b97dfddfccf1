#include "primitives/ResizeFilters.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <new>
#include <numbers>
#include <vector>

namespace resize {

namespace {

// The source pixels and weights that make up each destination pixel along one axis.
struct TapTable {
    std::vector<std::size_t> begin; // taps of pixel i are [begin[i], begin[i + 1])
    std::vector<int> index;
    std::vector<double> weight;

    void add(long long i, double w, const Axis& axis) {
        index.push_back(i < axis.lo ? axis.lo : (i >= axis.hi ? axis.hi - 1 : static_cast<int>(i)));
        weight.push_back(w);
    }
};

// Source coordinate of destination pixel i, measured between pixel centres.
double centreCoordinate(const Axis& axis, int i) {
    return axis.first + axis.frac + (i + 0.5) / axis.factor - 0.5;
}

// Lagrange weights of the cubic through the four neighbours at -1, 0, 1, 2
// for the fraction t.
void cubicWeights(double t, double w[4]) {
    w[0] = -t * (t - 1.0) * (t - 2.0) / 6.0;
    w[1] = (t + 1.0) * (t - 1.0) * (t - 2.0) / 2.0;
    w[2] = -(t + 1.0) * t * (t - 2.0) / 2.0;
    w[3] = (t + 1.0) * t * (t - 1.0) / 6.0;
}

TapTable interpolationTaps(const Axis& axis, int count, int interpolation) {
    TapTable table;
    table.begin.reserve(static_cast<std::size_t>(count) + 1);
    for (int i = 0; i < count; ++i) {
        table.begin.push_back(table.index.size());
        const double x = centreCoordinate(axis, i);
        double base = std::floor(x);
        double t = x - base;
        // Far outside the source every neighbour is the edge pixel.
        if (!(base >= axis.lo - 3.0 && base <= axis.hi + 3.0)) {
            base = base > axis.hi ? axis.hi : axis.lo;
            t = 0.0;
        }
        const long long k = toInt(base);
        switch (interpolation) {
        case IPPI_INTER_LINEAR:
            table.add(k, 1.0 - t, axis);
            table.add(k + 1, t, axis);
            break;
        case IPPI_INTER_CUBIC: {
            double w[4];
            cubicWeights(t, w);
            for (int n = 0; n < 4; ++n)
                table.add(k - 1 + n, w[n], axis);
            break;
        }
        default: // Lanczos, three lobes: six neighbours
            for (int n = -2; n <= 3; ++n)
                table.add(k + n, lanczos3(t - n), axis);
            break;
        }
    }
    table.begin.push_back(table.index.size());
    return table;
}

TapTable areaTaps(const Axis& axis, int count) {
    TapTable table;
    table.begin.reserve(static_cast<std::size_t>(count) + 1);
    const double origin = axis.first + axis.frac;
    for (int i = 0; i < count; ++i) {
        table.begin.push_back(table.index.size());
        double from = origin + i / axis.factor;
        double to = origin + (i + 1) / axis.factor;
        if (from < axis.lo)
            from = axis.lo;
        if (to > axis.hi)
            to = axis.hi;
        if (!(to > from)) {
            // Nothing left of the span inside the source: take the nearest edge pixel.
            table.add(toInt(std::floor(from)), 1.0, axis);
            continue;
        }
        const double span = to - from;
        for (long long k = toInt(std::floor(from)); static_cast<double>(k) < to; ++k) {
            const double left = static_cast<double>(k) > from ? static_cast<double>(k) : from;
            const double right = static_cast<double>(k + 1) < to ? static_cast<double>(k + 1) : to;
            if (right > left)
                table.add(k, (right - left) / span, axis);
        }
    }
    table.begin.push_back(table.index.size());
    return table;
}

template <typename T> T saturate(double v) {
    constexpr double top = std::numeric_limits<T>::max();
    if (!(v > 0.0))
        return 0;
    if (v >= top)
        return static_cast<T>(top);
    return static_cast<T>(std::floor(v + 0.5));
}

template <typename T, int Channels>
void apply(const T* pSrc, int srcStep, T* pDst, int dstStep, int dstWidth, int dstHeight,
           const TapTable& xs, const TapTable& ys) {
    const auto* srcBytes = reinterpret_cast<const unsigned char*>(pSrc);
    auto* dstBytes = reinterpret_cast<unsigned char*>(pDst);
    for (int j = 0; j < dstHeight; ++j) {
        T* d = reinterpret_cast<T*>(dstBytes + static_cast<std::ptrdiff_t>(j) * dstStep);
        for (int i = 0; i < dstWidth; ++i) {
            double sum[Channels] = {};
            for (std::size_t ty = ys.begin[j]; ty < ys.begin[j + 1]; ++ty) {
                const T* row = reinterpret_cast<const T*>(
                    srcBytes + static_cast<std::ptrdiff_t>(ys.index[ty]) * srcStep);
                for (std::size_t tx = xs.begin[i]; tx < xs.begin[i + 1]; ++tx) {
                    const double w = ys.weight[ty] * xs.weight[tx];
                    const T* p = row + static_cast<std::ptrdiff_t>(xs.index[tx]) * Channels;
                    for (int c = 0; c < Channels; ++c)
                        sum[c] += w * p[c];
                }
            }
            for (int c = 0; c < Channels; ++c)
                d[static_cast<std::ptrdiff_t>(i) * Channels + c] = saturate<T>(sum[c]);
        }
    }
}

} // namespace

double lanczos3(double d) {
    if (d == 0.0)
        return 1.0;
    if (d <= -3.0 || d >= 3.0)
        return 0.0;
    const double x = std::numbers::pi * d;
    return 3.0 * std::sin(x) * std::sin(x / 3.0) / (x * x);
}

template <typename T, int Channels>
IppStatus resampleFiltered(const T* pSrc, int srcStep, T* pDst, int dstStep, int dstWidth,
                           int dstHeight, const Axis& ax, const Axis& ay, int interpolation) {
    try {
        const TapTable xs = interpolationTaps(ax, dstWidth, interpolation);
        const TapTable ys = interpolationTaps(ay, dstHeight, interpolation);
        apply<T, Channels>(pSrc, srcStep, pDst, dstStep, dstWidth, dstHeight, xs, ys);
    } catch (const std::bad_alloc&) {
        return ippStsMemAllocErr;
    }
    return ippStsNoErr;
}

template <typename T, int Channels>
IppStatus resampleSuper(const T* pSrc, int srcStep, T* pDst, int dstStep, int dstWidth,
                        int dstHeight, const Axis& ax, const Axis& ay) {
    try {
        const TapTable xs = areaTaps(ax, dstWidth);
        const TapTable ys = areaTaps(ay, dstHeight);
        apply<T, Channels>(pSrc, srcStep, pDst, dstStep, dstWidth, dstHeight, xs, ys);
    } catch (const std::bad_alloc&) {
        return ippStsMemAllocErr;
    }
    return ippStsNoErr;
}

#define KV_RESIZE_INSTANTIATE(T, C)                                                                \
    template IppStatus resampleFiltered<T, C>(const T*, int, T*, int, int, int, const Axis&,       \
                                              const Axis&, int);                                   \
    template IppStatus resampleSuper<T, C>(const T*, int, T*, int, int, int, const Axis&,          \
                                           const Axis&);

KV_RESIZE_INSTANTIATE(Ipp8u, 1)
KV_RESIZE_INSTANTIATE(Ipp8u, 3)
KV_RESIZE_INSTANTIATE(Ipp8u, 4)
KV_RESIZE_INSTANTIATE(Ipp16u, 1)

#undef KV_RESIZE_INSTANTIATE

} // namespace resize
