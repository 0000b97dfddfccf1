// A 4096-value row mapped into 32-bit pixels by the level colours (built-in
// ramp, grey scale, a five-colour list), timed against a plain loop that
// writes the same number of pixels from a 1409-entry table through
// precomputed indices, in the same run. The counter "vs_table" is the ratio.

#include "waterfall/KvLevelColors.h"

#include "BenchBaselines.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <random>
#include <vector>

namespace {

constexpr std::size_t RowLength = 4096;

TKvLevelColorMap MapOf(int64_t AMode) {
    static const TColor Five[] = {clNavy, clBlue, clLime, clYellow, clRed};
    switch (AMode) {
    case 1:
        return TKvLevelColorMap(true, {});
    case 2:
        return TKvLevelColorMap(false, Five);
    default:
        return TKvLevelColorMap();
    }
}

void MapLevelRow(benchmark::State& state) {
    const TKvLevelColorMap Map = MapOf(state.range(0));
    SetLevelRowLanes(static_cast<int>(state.range(1)));
    const TKvLevelRange Range(0, 1000, false);

    std::mt19937_64 Random(7);
    // A little outside the range on both sides, as spectra with an
    // autoscaled level range are not.
    std::uniform_real_distribution<double> Values(-50.0, 1050.0);
    std::uniform_int_distribution<uint32_t> Steps(0, LevelRampSteps);
    std::vector<double> Row(RowLength);
    std::vector<uint16_t> Indices(RowLength);
    for (std::size_t i = 0; i < RowLength; ++i) {
        Row[i] = Values(Random);
        Indices[i] = static_cast<uint16_t>(Steps(Random));
    }
    std::array<uint32_t, LevelRampSteps + 1> Table{};
    for (uint32_t s = 0; s <= LevelRampSteps; ++s)
        Table[s] = SwapRedBlue(static_cast<uint32_t>(LevelRampColor(s)));
    std::vector<uint32_t> Pixels(RowLength), Plain(RowLength);

    TBenchRatio Ratio;
    for (auto _ : state) {
        const auto t0 = BenchClock::now();
        Map.MapRow(Row.data(), Pixels.data(), RowLength, Range);
        benchmark::ClobberMemory();
        const auto t1 = BenchClock::now();
        for (std::size_t i = 0; i < RowLength; ++i)
            Plain[i] = Table[Indices[i]];
        benchmark::ClobberMemory();
        const auto t2 = BenchClock::now();
        const double Mapped = BenchSeconds(t0, t1);
        Ratio.Add(Mapped, BenchSeconds(t1, t2));
        state.SetIterationTime(Mapped);
    }
    benchmark::DoNotOptimize(Pixels.data());
    benchmark::DoNotOptimize(Plain.data());
    SetLevelRowLanes(4);
    state.counters["vs_table"] = Ratio.Ratio();
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(RowLength));
}

} // namespace

// mode 0: built-in ramp (the default), 1: grey scale, 2: five-colour list;
// lanes: the widest row kernel allowed (4 AVX2 where available, 2 SSE2, 1 none)
BENCHMARK(MapLevelRow)
    ->ArgNames({"mode", "lanes"})
    ->ArgsProduct({{0, 1}, {4, 2, 1}})
    ->Args({2, 4})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
