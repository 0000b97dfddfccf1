// The arithmetic of one axis redraw on a 1920-pixel axis: the automatic step,
// the tick pass (values and pixels) and every major tick's label text,
// timed against drawing one line of text per tick with the canvas on a
// bitmap in the same run. The counter "vs_text" is the ratio.

#include "display/KvAxisLabels.h"
#include "display/KvAxisTicks.h"
#include "platform/Bitmap.h"

#include "BenchBaselines.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <vector>

namespace {

// Text needs a font database, and so an application object.
void EnsureApplication() {
    static int argc = 1;
    static char name[] = "axis_ticks_bench";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static QGuiApplication app(argc, argv);
    }
}

struct TAxisCase {
    TKvAxisRange Range;
    int32_t MinorCount;
};

const TAxisCase Cases[] = {{{0, 1024}, 0}, {{-1000, 1000}, 4}, {{0, 0.5}, 0}, {{-1e-3, 7e-3}, 9}};

void AxisTickPass(benchmark::State& state) {
    EnsureApplication();
    const TAxisCase& axisCase = Cases[state.range(0)];
    const int32_t length = 1920;
    TBitmap bitmap(length, 40);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font().SetName(QStringLiteral("Liberation Sans"));
    canvas.Font().SetSize(8);
    const TKvAxisRange range = axisCase.Range;
    // What the axis measures once per layout, not per pass.
    const QString widest = FormatAxisValue(false, 3, false, range.Min, range.Max, range.Min);
    TKvAxisStepInput axis;
    axis.PixelLength = length;
    axis.Range = range;
    axis.MinTickSpacing = KvMinTickSpacing(canvas.TextWidth(widest) + 8, smLinear);
    axis.LabelSize = canvas.TextWidth(widest);

    TBenchRatio ratio;
    std::size_t ticks = 0;
    for (auto _ : state) {
        const auto t0 = BenchClock::now();
        TKvTickPassInput pass;
        pass.Range = range;
        pass.Step = KvCalcAutoStep(axis);
        pass.Mapping = KvGetPixelMapping(range, length, false, true);
        pass.Start = 0;
        pass.End = length;
        pass.MinDistance = axis.LabelSize;
        pass.MinorCount = axisCase.MinorCount;
        const std::vector<TKvAxisTick> result = KvTickPass(pass);
        std::vector<QString> labels;
        labels.reserve(result.size());
        for (const TKvAxisTick& tick : result)
            if (!tick.Minor)
                labels.push_back(
                    FormatAxisValue(false, 3, false, range.Min, range.Max, tick.Value));
        const auto t1 = BenchClock::now();
        // The baseline: one line of text per major tick.
        for (std::size_t i = 0; i < labels.size(); ++i)
            canvas.TextOut(int32_t(i * 37 % length), 10, labels[i]);
        benchmark::DoNotOptimize(canvas.Pixel(0, 0));
        const auto t2 = BenchClock::now();
        ticks = labels.size();
        const double seconds = BenchSeconds(t0, t1);
        ratio.Add(seconds, BenchSeconds(t1, t2));
        state.SetIterationTime(seconds);
    }
    state.counters["vs_text"] = ratio.Ratio();
    state.counters["major_ticks"] = double(ticks);
}

} // namespace

BENCHMARK(AxisTickPass)->DenseRange(0, 3)->UseManualTime()->Unit(benchmark::kMicrosecond);
