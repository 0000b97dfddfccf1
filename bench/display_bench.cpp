// A display's paint at 1920 x 1080: with no refresh pending it only copies
// its bitmap to the target; with a refresh pending the test display renders
// everything again first. Each is timed against memcpy of the frame's bytes
// in the same run; the counter "vs_memcpy" is the ratio.

#include "TestDisplay.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

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
    double paintSeconds = 0, memcpySeconds = 0;
    for (auto _ : state) {
        if (render)
            display->InvalidateRefresh();
        const auto t0 = Clock::now();
        display->PaintWindow(canvas, display->ClientRect(), QRegion());
        const auto t1 = Clock::now();
        std::memcpy(copy.data(), source.data(), bytes);
        benchmark::ClobberMemory();
        const auto t2 = Clock::now();
        const double paint = std::chrono::duration<double>(t1 - t0).count();
        paintSeconds += paint;
        memcpySeconds += std::chrono::duration<double>(t2 - t1).count();
        state.SetIterationTime(paint);
    }
    canvas.Detach();
    state.counters["vs_memcpy"] = memcpySeconds > 0 ? paintSeconds / memcpySeconds : 0.0;
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
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
