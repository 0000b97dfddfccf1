#pragma once
// Independent reference rules for the kernel tests.

#include "primitives/IppTypes.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace kernel_test {

// exact * 2^-scaleFactor, rounded to nearest with ties to even, then saturated
// to T; computed in extended precision, which holds every 64-bit exact value.
template <typename T> T scaledReference(long double exact, int scaleFactor) {
    if (sizeof(T) == 4 && scaleFactor > 32)
        return 0;
    const long double scaled = std::nearbyintl(std::ldexp(exact, -scaleFactor));
    if (scaled <= static_cast<long double>(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    if (scaled >= static_cast<long double>(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    return static_cast<T>(scaled);
}

inline std::vector<Ipp32s> randomInts(size_t n, uint32_t seed, Ipp32s lo, Ipp32s hi) {
    std::mt19937 gen(seed);
    std::uniform_int_distribution<Ipp32s> dist(lo, hi);
    std::vector<Ipp32s> v(n);
    for (auto& x : v)
        x = dist(gen);
    return v;
}

inline std::vector<Ipp64f> randomReals(size_t n, uint32_t seed, double lo = -100.0,
                                       double hi = 100.0) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> dist(lo, hi);
    std::vector<Ipp64f> v(n);
    for (auto& x : v)
        x = dist(gen);
    return v;
}

} // namespace kernel_test
