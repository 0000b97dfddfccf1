// Painting one group of 10 000 markers (a plus of size 3, with or without a
// label) onto a display-sized bitmap, timed against 10 000 fills of the
// marker's 7 x 7 box through the same canvas in the same run; the counter
// "vs_fills" is the ratio.

#include "BenchBaselines.h"
#include "BenchQtMain.h"
#include "TestDisplay.h"

#include "display/KvDisplayMarkers.h"
#include "foundation/HxCanvasImpl.h"

#include <benchmark/benchmark.h>

#include <vector>

class TBenchMarker : public TKvDisplayMarker {
    Q_OBJECT
public:
    explicit TBenchMarker(TCollection* ACollection) : TKvDisplayMarker(ACollection) {}
    TColor GetHighlightColor() override { return clLime; }

protected:
    ~TBenchMarker() override = default;
};

class TBenchMarkerGroup : public TKvDisplayMarkerGroup {
    Q_OBJECT
public:
    explicit TBenchMarkerGroup(TCollection* ACollection)
        : TKvDisplayMarkerGroup(ACollection),
          Markers(MakeOwned<TKvDisplayMarkers>(this, ItemFactory<TBenchMarker>())) {}

    TOwned<TKvDisplayMarkers> Markers;

protected:
    ~TBenchMarkerGroup() override = default;
};

namespace {

constexpr int Count = 10000;
constexpr int Width = 1920;
constexpr int Height = 1080;

void PaintMarkers(benchmark::State& state) {
    TOwned<TTestDisplay> display = MakeOwned<TTestDisplay>(nullptr);
    TOwned<TKvDisplayMarkerGroups> groups = MakeOwned<TKvDisplayMarkerGroups>(
        display.get(), display.get(), display->Lock(), ItemFactory<TBenchMarkerGroup>());
    auto* group = static_cast<TBenchMarkerGroup*>(groups->Add());
    if (state.range(0) != 0)
        group->GetLabels()->SetText(QStringLiteral("Peak"));
    std::vector<TPoint> points;
    for (int i = 0; i < Count; ++i) {
        group->Markers->Add();
        points.push_back(Point(10 + (i * 37) % (Width - 20), 10 + (i * 53) % (Height - 20)));
    }
    TGmBasicBitmap bitmap;
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(Width, Height);
    THxCanvasImpl canvas(bitmap.Canvas());
    const TRect view = Rect(0, 0, Width, Height);

    TBenchRatio ratio;
    for (auto _ : state) {
        const auto t0 = BenchClock::now();
        for (int i = 0; i < Count; ++i)
            group->Markers->Marker(i)->Draw(canvas, view, points[size_t(i)], TKvRealPoint{}, false);
        const auto t1 = BenchClock::now();
        canvas.GetBrush().SetStyle(lbsSolid);
        canvas.GetBrush().SetColor(clBlue);
        for (const TPoint& p : points)
            canvas.FillRect(Rect(p.X - 3, p.Y - 3, p.X + 4, p.Y + 4));
        const auto t2 = BenchClock::now();
        const double paint = BenchSeconds(t0, t1);
        ratio.Add(paint, BenchSeconds(t1, t2));
        state.SetIterationTime(paint);
    }
    state.counters["vs_fills"] = ratio.Ratio();
    groups.reset();
}

} // namespace

// Arg: with a label
BENCHMARK(PaintMarkers)
    ->ArgNames({"label"})
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}

#include "markers_bench.moc"
