// The waterfall's scaling step: ippiResizeCenter_8u_C4R (nearest neighbour)
// from a screen buffer into a plot, timed against memcpy of the same
// destination bytes in the same run. The counter "vs_memcpy" is the ratio.

#include "primitives/Resize.h"

#include "BenchBaselines.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

void ResizeCenterNearest(benchmark::State& state) {
    const int sw = int(state.range(0)), sh = int(state.range(1));
    const int dw = int(state.range(2)), dh = int(state.range(3));
    std::vector<Ipp8u> src(std::size_t(sw) * sh * 4);
    FillBytePattern(src.data(), src.size());
    const std::size_t dstBytes = std::size_t(dw) * dh * 4;
    std::vector<Ipp8u> dst(dstBytes), copy(dstBytes);
    const double xf = double(dw) / sw, yf = double(dh) / sh;

    TBenchRatio ratio;
    for (auto _ : state) {
        const auto t0 = BenchClock::now();
        const IppStatus status = builtin::ippiResizeCenter_8u_C4R(
            src.data(), {sw, sh}, sw * 4, {0, 0, sw, sh}, dst.data(), dw * 4, {dw, dh}, xf, yf,
            sw * 0.5 + 0.5, sh * 0.5 - 0.5, IPPI_INTER_NN);
        const double resize = BenchSeconds(t0, BenchClock::now());
        ratio.Add(resize, TimedMemcpy(copy.data(), dst.data(), dstBytes));
        benchmark::DoNotOptimize(status);
        state.SetIterationTime(resize);
    }
    state.counters["vs_memcpy"] = ratio.Ratio();
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(dstBytes));
}

} // namespace

BENCHMARK(ResizeCenterNearest)
    ->Args({256, 128, 586, 350})
    ->Args({256, 128, 1920, 1080})
    ->Args({4096, 1024, 586, 350})
    ->Args({4096, 1024, 1920, 1080})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
