#pragma once
// What the benchmarks measure themselves against in the same run: timing,
// the memcpy baseline and the ratio of the sums.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstring>

using BenchClock = std::chrono::steady_clock;

inline double BenchSeconds(BenchClock::time_point A, BenchClock::time_point B) {
    return std::chrono::duration<double>(B - A).count();
}

// The memcpy baseline: copies ABytes and returns the seconds it took.
inline double TimedMemcpy(void* ADestination, const void* ASource, std::size_t ABytes) {
    const auto start = BenchClock::now();
    std::memcpy(ADestination, ASource, ABytes);
    benchmark::ClobberMemory();
    return BenchSeconds(start, BenchClock::now());
}

// A measured piece and its baseline summed over the iterations; the ratio
// is what is reported (0 before the baseline took any time).
struct TBenchRatio {
    double Measured = 0;
    double Baseline = 0;

    void Add(double AMeasured, double ABaseline) {
        Measured += AMeasured;
        Baseline += ABaseline;
    }
    double Ratio() const { return Baseline > 0 ? Measured / Baseline : 0.0; }
};

// Bytes that are neither zero nor repeating in short runs.
inline void FillBytePattern(uint8_t* AData, std::size_t ACount) {
    for (std::size_t i = 0; i < ACount; ++i)
        AData[i] = uint8_t(i * 131 + 7);
}
