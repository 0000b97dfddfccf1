// A full refresh of a 1920 x 1080 waterfall whose history holds 2048 rows of
// 4096 samples, with 10 new rows: the paint pass lays out, draws title,
// axes, level bar and legend, moves the rows on and brings the image into
// the plot. Counter vs_memcpy: its time as a ratio to memcpy of the frame's
// bytes, measured in the same run.

#include "waterfall/KvWaterfall.h"

#include "BenchBaselines.h"
#include "BenchQtMain.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

constexpr int32_t FrameWidth = 1920;
constexpr int32_t FrameHeight = 1080;
constexpr uint32_t Depth = 2048;
constexpr uint32_t Length = 4096;

void AddRows(TKvWaterfall& AWaterfall, int ACount, int& ANext) {
    std::vector<double> row(Length);
    for (int i = 0; i < ACount; ++i, ++ANext)
        for (uint32_t j = 0; j < Length; ++j)
            row[j] = 500 + 480 * std::sin(0.01 * double(j) + 0.05 * ANext);
    for (int i = 0; i < ACount; ++i)
        AWaterfall.Data().AddData(row.data(), Length);
}

double MemcpySeconds(std::size_t ABytes, int ARepeats) {
    std::vector<uint8_t> from(ABytes, 1);
    std::vector<uint8_t> to(ABytes);
    double seconds = 0;
    for (int i = 0; i < ARepeats; ++i)
        seconds += TimedMemcpy(to.data(), from.data(), ABytes);
    return seconds / ARepeats;
}

void BM_FullRefresh(benchmark::State& state) {
    auto waterfall = MakeOwned<TKvWaterfall>(nullptr);
    waterfall->SetBounds(0, 0, FrameWidth, FrameHeight);
    waterfall->GetXAxisObject()->SetSamples(int32_t(Depth));
    TGmBasicBitmap bitmap;
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(FrameWidth, FrameHeight);
    int next = 0;
    for (uint32_t filled = 0; filled < Depth; filled += 256) {
        AddRows(*waterfall, 256, next);
        waterfall->DrawToBitmap(bitmap, bitmap.Canvas(), false);
    }
    double paint = 0;
    int64_t paints = 0;
    for (auto _ : state) {
        state.PauseTiming();
        AddRows(*waterfall, 10, next);
        waterfall->InvalidateRefresh();
        state.ResumeTiming();
        const auto start = BenchClock::now();
        waterfall->DrawToBitmap(bitmap, bitmap.Canvas(), false);
        paint += BenchSeconds(start, BenchClock::now());
        ++paints;
    }
    const double copy = MemcpySeconds(std::size_t(FrameWidth) * FrameHeight * 4, 50);
    state.counters["vs_memcpy"] = (paint / double(paints)) / copy;
    state.counters["paint_ms"] = 1000 * paint / double(paints);
    state.counters["memcpy_ms"] = 1000 * copy;
}
BENCHMARK(BM_FullRefresh)->Unit(benchmark::kMillisecond)->Iterations(40);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
