// ippsMove_8u over 1 MiB through the primitive table, timed against memcpy of
// the same bytes in the same run. The counter "vs_memcpy" is the ratio.

#include "primitives/IppDispatch.h"

#include "BenchBaselines.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

constexpr int kBytes = 1 << 20;

// Overlapping (range 1) is how the waterfall scrolls its screen buffer.
void Move8u(benchmark::State& state) {
    const bool overlapping = state.range(0) != 0;
    std::vector<Ipp8u> buffer(2 * kBytes + 4096);
    FillBytePattern(buffer.data(), buffer.size());
    std::vector<Ipp8u> copy(kBytes);
    const Ipp8u* src = buffer.data() + 4096;
    Ipp8u* dst = overlapping ? buffer.data() : buffer.data() + kBytes + 4096;

    TBenchRatio ratio;
    for (auto _ : state) {
        const auto t0 = BenchClock::now();
        const IppStatus status = ippsMove_8u(src, dst, kBytes);
        benchmark::ClobberMemory();
        const double move = BenchSeconds(t0, BenchClock::now());
        ratio.Add(move, TimedMemcpy(copy.data(), src, kBytes));
        benchmark::DoNotOptimize(status);
        state.SetIterationTime(move);
    }
    state.counters["vs_memcpy"] = ratio.Ratio();
    state.SetBytesProcessed(std::int64_t(state.iterations()) * kBytes);
}

} // namespace

BENCHMARK(Move8u)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMicrosecond);
