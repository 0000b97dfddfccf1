// ippsMove_8u over 1 MiB against memcpy of the same bytes in the same run.
// Compare the two timings' ratio, not their absolute values.

#include "primitives/IppDispatch.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr int kBytes = 1 << 20;

void BM_Memcpy(benchmark::State& state) {
    std::vector<Ipp8u> src(kBytes, 1), dst(kBytes);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), kBytes);
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kBytes);
}

void BM_Move8u(benchmark::State& state) {
    std::vector<Ipp8u> src(kBytes, 1), dst(kBytes);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ippsMove_8u(src.data(), dst.data(), kBytes));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kBytes);
}

// The waterfall scrolls its screen buffer within itself: overlapping regions.
void BM_Move8uOverlapping(benchmark::State& state) {
    std::vector<Ipp8u> buffer(kBytes + 4096, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ippsMove_8u(buffer.data() + 4096, buffer.data(), kBytes));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kBytes);
}

} // namespace

BENCHMARK(BM_Memcpy);
BENCHMARK(BM_Move8u);
BENCHMARK(BM_Move8uOverlapping);
