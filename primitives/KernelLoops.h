#pragma once
// Element loops shared by the vector kernels: checks first, then one pass.

#include "primitives/KernelSupport.h"

#include <complex>

namespace builtin::support {

inline std::complex<double> toComplex(Ipp64fc v) {
    return {v.re, v.im};
}

inline Ipp64fc fromComplex(std::complex<double> v) {
    return {v.real(), v.imag()};
}

// dst[i] = op(src[i]); src and dst may be the same vector.
template <typename S, typename D, typename Op>
IppStatus map1(const S* src, D* dst, int len, Op op) {
    if (const IppStatus st = checkVector(len, src, dst))
        return st;
    for (int i = 0; i < len; ++i)
        dst[i] = op(src[i]);
    return ippStsNoErr;
}

// dst[i] = op(a[i], b[i]); dst may be one of the sources.
template <typename A, typename B, typename D, typename Op>
IppStatus map2(const A* a, const B* b, D* dst, int len, Op op) {
    if (const IppStatus st = checkVector(len, a, b, dst))
        return st;
    for (int i = 0; i < len; ++i)
        dst[i] = op(a[i], b[i]);
    return ippStsNoErr;
}

// Scaled integer forms: op gives the exact result, which is then scaled and saturated.
template <typename S, typename D, typename Op>
IppStatus map1Sfs(const S* src, D* dst, int len, int scaleFactor, Op op) {
    return map1(src, dst, len, [&](S x) { return scaleSaturate<D>(op(Int128(x)), scaleFactor); });
}

template <typename A, typename D, typename Op>
IppStatus map2Sfs(const A* a, D* dst, int len, int scaleFactor, Op op) {
    return map2(a, dst, dst, len,
                [&](A x, D y) { return scaleSaturate<D>(op(Int128(x), Int128(y)), scaleFactor); });
}

template <typename T> IppStatus fill(T* dst, int len, T value) {
    if (const IppStatus st = checkVector(len, dst))
        return st;
    for (int i = 0; i < len; ++i)
        dst[i] = value;
    return ippStsNoErr;
}

} // namespace builtin::support
