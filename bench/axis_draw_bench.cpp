// What an X axis does for every render of a display whose data view is
// 1920 pixels wide: the step (cached), the tick pass, each label's text,
// its measurement and the drawing of ticks, labels and line through the
// canvas. The baseline, timed in the same run, draws one line of text per
// major tick with the same canvas; the counter "vs_text" is the ratio.

#include "AxisTestDisplay.h"
#include "BenchBaselines.h"

#include "foundation/GmBasicBitmap.h"
#include "foundation/HxCanvasImpl.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int32_t AxisPixels = 1920;

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "axis_draw_bench";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static QApplication app(argc, argv);
    }
}

// Range 0 is the X axis's own 0..1024, 1 a range across zero, with the
// minor-tick count of range(1).
void AxisDrawTicks(benchmark::State& state) {
    EnsureApplication();
    TOwned<TAxisTestDisplay> display = MakeOwned<TAxisTestDisplay>(nullptr);
    TAxisTestXAxis& x = display->X();
    if (state.range(0) == 1) {
        x.GetMin()->SetAutoScale(false);
        x.GetMin()->SetDataValue(-1000);
        x.GetMax()->SetDataValue(1000);
    }
    x.GetMinorTicks()->SetCount(static_cast<int32_t>(state.range(1)));
    display->SetBounds(0, 0, AxisPixels, 300);
    display->Layout();
    const int32_t width = display->GetDataView()->DrawRect().Width();
    display->SetBounds(0, 0, 2 * AxisPixels - width, 300);
    display->Layout();
    if (display->GetDataView()->DrawRect().Width() != AxisPixels) {
        state.SkipWithError("the data view is not 1920 pixels wide");
        return;
    }

    TGmBasicBitmap bitmap;
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(display->Width(), display->Height());
    THxCanvasImpl canvas(bitmap.Canvas());
    x.GetStep();

    TBenchRatio ratio;
    std::size_t majors = 0;
    for (auto _ : state) {
        const auto t0 = BenchClock::now();
        x.DrawAxis(&canvas, false, false);
        x.DrawTicks(&canvas);
        x.DrawAxis(&canvas, true, false);
        const auto t1 = BenchClock::now();
        std::vector<std::pair<int32_t, QString>> labels;
        for (const TKvAxisTick& tick : x.TickPass())
            if (!tick.Minor)
                labels.emplace_back(tick.Pixel, x.GetTickText(tick.Value));
        const auto t2 = BenchClock::now();
        for (const auto& [pixel, text] : labels)
            canvas.TextOut(pixel, 270, text);
        const auto t3 = BenchClock::now();
        benchmark::DoNotOptimize(bitmap.Canvas().Pixel(0, 0));
        majors = labels.size();
        const double seconds = BenchSeconds(t0, t1);
        ratio.Add(seconds, BenchSeconds(t2, t3));
        state.SetIterationTime(seconds);
    }
    state.counters["vs_text"] = ratio.Ratio();
    state.counters["major_ticks"] = double(majors);
}

} // namespace

BENCHMARK(AxisDrawTicks)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({1, 4})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
