#pragma once
// Shared argument checks and integer scaling rules of the built-in kernels.

#include "primitives/IppTypes.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace builtin::support {

__extension__ using Int128 = __int128;

// Checks in the order every vector kernel reports them: pointers, then length.
template <typename... Ptrs> constexpr bool anyNull(const Ptrs*... ptrs) {
    return ((ptrs == nullptr) || ...);
}

template <typename... Ptrs> constexpr IppStatus checkVector(int len, const Ptrs*... ptrs) {
    if (anyNull(ptrs...))
        return ippStsNullPtrErr;
    if (len < 1)
        return ippStsSizeErr;
    return ippStsNoErr;
}

// Pointers, then region size, then every row step.
template <typename... Steps> IppStatus checkImage(bool anyNullPtr, IppiSize roi, Steps... steps) {
    if (anyNullPtr)
        return ippStsNullPtrErr;
    if (roi.width < 1 || roi.height < 1)
        return ippStsSizeErr;
    if (((steps < 1) || ...))
        return ippStsStepErr;
    return ippStsNoErr;
}

template <typename T> T* rowAt(T* base, int step, int row) {
    using Byte = std::conditional_t<std::is_const_v<T>, const uint8_t, uint8_t>;
    return reinterpret_cast<T*>(reinterpret_cast<Byte*>(base) +
                                static_cast<std::ptrdiff_t>(step) * row);
}

// Exact integer result times 2^-scaleFactor, rounded to nearest with ties to
// even, saturated to T. Results wider than 32 bits never arise: the callers'
// exact values fit in 64 bits plus the sum of a dot product.
template <typename T> T scaleSaturate(Int128 exact, int scaleFactor) {
    constexpr Int128 lo = std::numeric_limits<T>::min();
    constexpr Int128 hi = std::numeric_limits<T>::max();
    if (scaleFactor > 0) {
        if (sizeof(T) == 4 && scaleFactor > 32)
            return 0;
        if (scaleFactor >= 126)
            return 0;
        const Int128 q = exact >> scaleFactor; // floor
        const Int128 r = exact - (q << scaleFactor);
        const Int128 half = Int128(1) << (scaleFactor - 1);
        Int128 rounded = q;
        if (r > half || (r == half && (q & 1) != 0))
            ++rounded;
        exact = rounded;
    } else if (scaleFactor < 0) {
        if (exact == 0)
            return 0;
        // Anything shifted this far is beyond every destination range.
        if (scaleFactor < -64)
            return static_cast<T>(exact > 0 ? hi : lo);
        exact *= Int128(1) << -scaleFactor;
    }
    if (exact < lo)
        return static_cast<T>(lo);
    if (exact > hi)
        return static_cast<T>(hi);
    return static_cast<T>(exact);
}

// Rounds a floating value to the integer type T by the given mode, saturating
// at the range ends. NaN has no integer value and becomes 0.
template <typename T> T roundSaturate(double v, IppRoundMode mode) {
    if (v != v)
        return 0;
    const double r = mode == ippRndNear ? std::nearbyint(v) : std::trunc(v);
    if (r <= static_cast<double>(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    if (r >= static_cast<double>(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    return static_cast<T>(r);
}

} // namespace builtin::support
