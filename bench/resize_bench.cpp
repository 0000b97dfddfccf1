// The waterfall's scaling step: ippiResizeCenter_8u_C4R (nearest neighbour)
// from a screen buffer into a plot, timed against memcpy of the same
// destination bytes in the same run. The counter "vs_memcpy" is the ratio.

#include "primitives/Resize.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

void ResizeCenterNearest(benchmark::State& state) {
    const int sw = int(state.range(0)), sh = int(state.range(1));
    const int dw = int(state.range(2)), dh = int(state.range(3));
    std::vector<Ipp8u> src(std::size_t(sw) * sh * 4);
    for (std::size_t i = 0; i < src.size(); ++i)
        src[i] = Ipp8u(i * 131 + 7);
    const std::size_t dstBytes = std::size_t(dw) * dh * 4;
    std::vector<Ipp8u> dst(dstBytes), copy(dstBytes);
    const double xf = double(dw) / sw, yf = double(dh) / sh;

    double resizeSeconds = 0, memcpySeconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        const IppStatus status = builtin::ippiResizeCenter_8u_C4R(
            src.data(), {sw, sh}, sw * 4, {0, 0, sw, sh}, dst.data(), dw * 4, {dw, dh}, xf, yf,
            sw * 0.5 + 0.5, sh * 0.5 - 0.5, IPPI_INTER_NN);
        const auto t1 = Clock::now();
        std::memcpy(copy.data(), dst.data(), dstBytes);
        benchmark::ClobberMemory();
        const auto t2 = Clock::now();
        benchmark::DoNotOptimize(status);
        const double resize = std::chrono::duration<double>(t1 - t0).count();
        resizeSeconds += resize;
        memcpySeconds += std::chrono::duration<double>(t2 - t1).count();
        state.SetIterationTime(resize);
    }
    state.counters["vs_memcpy"] = memcpySeconds > 0 ? resizeSeconds / memcpySeconds : 0.0;
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
