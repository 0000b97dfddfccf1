// ippsMove_8u over 1 MiB through the primitive table, timed against memcpy of
// the same bytes in the same run. The counter "vs_memcpy" is the ratio.

#include "primitives/IppDispatch.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kBytes = 1 << 20;

// Overlapping (range 1) is how the waterfall scrolls its screen buffer.
void Move8u(benchmark::State& state) {
    const bool overlapping = state.range(0) != 0;
    std::vector<Ipp8u> buffer(2 * kBytes + 4096);
    for (std::size_t i = 0; i < buffer.size(); ++i)
        buffer[i] = Ipp8u(i * 131 + 7);
    std::vector<Ipp8u> copy(kBytes);
    const Ipp8u* src = buffer.data() + 4096;
    Ipp8u* dst = overlapping ? buffer.data() : buffer.data() + kBytes + 4096;

    double moveSeconds = 0, memcpySeconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        const IppStatus status = ippsMove_8u(src, dst, kBytes);
        benchmark::ClobberMemory();
        const auto t1 = Clock::now();
        std::memcpy(copy.data(), src, kBytes);
        benchmark::ClobberMemory();
        const auto t2 = Clock::now();
        benchmark::DoNotOptimize(status);
        const double move = std::chrono::duration<double>(t1 - t0).count();
        moveSeconds += move;
        memcpySeconds += std::chrono::duration<double>(t2 - t1).count();
        state.SetIterationTime(move);
    }
    state.counters["vs_memcpy"] = memcpySeconds > 0 ? moveSeconds / memcpySeconds : 0.0;
    state.SetBytesProcessed(std::int64_t(state.iterations()) * kBytes);
}

} // namespace

BENCHMARK(Move8u)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMicrosecond);
