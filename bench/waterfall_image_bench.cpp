// The waterfall image's paint: bringing 10 new rows into a full history and
// scaling it into the plot, against memcpy of the plot's bytes and against
// rebuilding the whole image (every row converted and scaled again), all in
// the same run. Counters:
//   vs_memcpy        paint time as a ratio to memcpy of the destination
//                    rectangle's bytes
//   rebuild_vs_paint a full rebuild's time as a ratio to the paint's
// The stream benchmark feeds 1000 rows a second of 4096 samples, painted by
// the 100 ms refresh (100 rows a paint):
//   core_share_render  share of one core the image's paints take
//   core_share_rows    the same for adding the rows and moving them into the
//                      history (the row store's part)

#include "buffers/KvRealBuffer.h"
#include "foundation/GmBasicBitmap.h"
#include "pins/JwLocks.h"
#include "waterfall/KvWaterfallData.h"
#include "waterfall/KvWaterfallImage.h"
#include "waterfall/KvWaterfallRows.h"

#include "BenchBaselines.h"
#include "BenchRowStore.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

// The waterfall's side of the image: a row store, the built-in colour ramp,
// the whole history in view.
class TBenchWaterfall : public TBenchRowStore, public TKvWaterfallImageOwner {
public:
    TBenchWaterfall(uint32_t ADepth, uint32_t ALength)
        : TBenchRowStore(ADepth), FImage(*this), FLength(ALength) {
        FRow.resize(ALength);
    }

    TKvWaterfallImage& Image() { return FImage; }

    void AddRows(int ACount) {
        for (int i = 0; i < ACount; ++i) {
            ++FNext;
            for (uint32_t j = 0; j < FLength; ++j)
                FRow[j] = 500 + 480 * std::sin(0.01 * double(j) + 0.05 * FNext);
            FData.AddData(FRow.data(), FLength);
        }
    }

    // TKvWaterfallImageOwner
    TKvWaterfallRowStore& ImageRows() override { return FRows; }
    double ImageLevelMin() override { return 0; }
    double ImageLevelMax() override { return 1000; }
    bool ImageLogarithmic() override { return false; }
    void ImageMapRow(const double* AValues, uint32_t* APixels, std::size_t ACount,
                     const TKvLevelRange& ARange) override {
        FColors.MapRow(AValues, APixels, ACount, ARange);
    }
    bool ImageVertical() override { return false; }
    bool ImageReversed() override { return false; }
    TColor ImageBackground() override { return clBlack; }
    TKvWaterfallWindow ImageWindow() override {
        return {0, double(FRows.GetSamples()) - 1, 0, double(FLength) - 1};
    }

private:
    TKvLevelColorMap FColors;
    TKvWaterfallImage FImage;
    uint32_t FLength;
    std::vector<double> FRow;
    int FNext = 0;
};

std::unique_ptr<TGmBasicBitmap> PlotBitmap(int AWidth, int AHeight) {
    auto Bitmap = std::make_unique<TGmBasicBitmap>();
    Bitmap->SetPixelFormat(pf32bit);
    Bitmap->SetSize(AWidth, AHeight);
    return Bitmap;
}

void PaintTenNewRows(benchmark::State& AState) {
    const auto Depth = uint32_t(AState.range(0));
    const auto Length = uint32_t(AState.range(1));
    const int Width = int(AState.range(2));
    const int Height = int(AState.range(3));
    TBenchWaterfall W(Depth, Length);
    auto Bitmap = PlotBitmap(Width, Height);
    const TRect Rect = Bounds(0, 0, Width, Height);
    const std::size_t Bytes = std::size_t(Width) * std::size_t(Height) * 4;
    std::vector<uint8_t> Copy(Bytes);
    W.AddRows(int(Depth));
    W.Rows().ProcessInputBuffers();
    W.Image().DirectDraw(*Bitmap, Rect);

    TBenchRatio VsMemcpy, Rebuild;
    for (auto _ : AState) {
        W.AddRows(10);
        W.Rows().ProcessInputBuffers();
        const auto T0 = BenchClock::now();
        W.Image().DirectDraw(*Bitmap, Rect);
        const double Paint = BenchSeconds(T0, BenchClock::now());
        VsMemcpy.Add(Paint, TimedMemcpy(Copy.data(), Bitmap->DataPtr(), Bytes));
        const auto T2 = BenchClock::now();
        W.Rows().SetForcedFullRedraw(true);
        W.Image().DirectDraw(*Bitmap, Rect);
        Rebuild.Add(BenchSeconds(T2, BenchClock::now()), Paint);
        AState.SetIterationTime(Paint);
    }
    AState.counters["vs_memcpy"] = VsMemcpy.Ratio();
    AState.counters["rebuild_vs_paint"] = Rebuild.Ratio();
}

// One simulated second: 1000 rows of 4096 samples, ten paints of 100 rows.
void StreamThousandRowsPerSecond(benchmark::State& AState) {
    TBenchWaterfall W(2048, 4096);
    auto Bitmap = PlotBitmap(1920, 1080);
    const TRect Rect = Bounds(0, 0, 1920, 1080);
    W.AddRows(2048);
    W.Rows().ProcessInputBuffers();
    W.Image().DirectDraw(*Bitmap, Rect);

    double Render = 0, Rows = 0;
    for (auto _ : AState) {
        double Second = 0;
        for (int Paint = 0; Paint < 10; ++Paint) {
            const auto T0 = BenchClock::now();
            W.AddRows(100);
            W.Rows().ProcessInputBuffers();
            const auto T1 = BenchClock::now();
            W.Image().DirectDraw(*Bitmap, Rect);
            const auto T2 = BenchClock::now();
            Rows += BenchSeconds(T0, T1);
            Render += BenchSeconds(T1, T2);
            Second += BenchSeconds(T0, T2);
        }
        AState.SetIterationTime(Second);
    }
    const double Simulated = double(AState.iterations());
    AState.counters["core_share_render"] = Render / Simulated;
    AState.counters["core_share_rows"] = Rows / Simulated;
}

} // namespace

BENCHMARK(PaintTenNewRows)
    ->Args({256, 128, 586, 350})
    ->Args({2048, 4096, 1920, 1080})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(StreamThousandRowsPerSecond)->UseManualTime()->Unit(benchmark::kMillisecond);
