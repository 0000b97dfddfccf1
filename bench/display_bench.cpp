// A display's paint at 1920 x 1080: with no refresh pending it only copies
// its bitmap to the target; with a refresh pending the test display renders
// everything again first. Each is timed against memcpy of the frame's bytes
// in the same run; the counter "vs_memcpy" is the ratio.

#include "BenchBaselines.h"
#include "BenchQtMain.h"
#include "TestDisplay.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int FrameWidth = 1920;
constexpr int FrameHeight = 1080;

void PaintDisplay(benchmark::State& state) {
    const bool render = state.range(0) != 0;
    const auto format =
        state.range(1) != 0 ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    TOwned<TTestDisplay> display = MakeOwned<TTestDisplay>(nullptr);
    display->AddStandardViews();
    display->SetBounds(0, 0, FrameWidth, FrameHeight);

    QImage target(FrameWidth, FrameHeight, format);
    QPainter painter(&target);
    TCanvas canvas;
    canvas.Attach(&painter);
    display->PaintWindow(canvas, display->ClientRect(), QRegion());

    const std::size_t bytes = std::size_t(FrameWidth) * FrameHeight * 4;
    std::vector<uint8_t> source(bytes, 0x5A), copy(bytes);
    TBenchRatio ratio;
    for (auto _ : state) {
        if (render)
            display->InvalidateRefresh();
        const auto t0 = BenchClock::now();
        display->PaintWindow(canvas, display->ClientRect(), QRegion());
        const double paint = BenchSeconds(t0, BenchClock::now());
        ratio.Add(paint, TimedMemcpy(copy.data(), source.data(), bytes));
        state.SetIterationTime(paint);
    }
    canvas.Detach();
    state.counters["vs_memcpy"] = ratio.Ratio();
    state.counters["renders"] = double(display->Renders);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes));
}

} // namespace

// Args: (render again, target with alpha as a screen's backing store may be)
BENCHMARK(PaintDisplay)
    ->ArgNames({"render", "argb"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
