// Adding a 128-value row to the waterfall from one and from four threads,
// against copying the row into a std::vector<double> and pushing it onto a
// mutex-guarded std::deque in the same run. Both stores are bounded at the
// history depth, so that both run in their steady state. Counters:
//   vs_vector_deque      cost per row as a ratio to the baseline
//   ns_per_row           the row store's cost per row
//   buffer_vs_vector_deque  making and releasing the row's real buffer alone,
//                        as a ratio to the same baseline: the share of the
//                        cost that the pooled buffers take
//   heap_allocs_per_1000 heap allocations per thousand rows after warm-up
//                        (counted by wrapping the C heap, which operator new
//                        uses too; left out in sanitizer builds)
//   baseline_allocs_per_1000  the same count for the baseline

#include "buffers/KvRealBuffer.h"
#include "waterfall/KvWaterfallData.h"
#include "waterfall/KvWaterfallRows.h"

#include "BenchRowStore.h"
#include "HeapCounter.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr uint32_t kValues = 128;
constexpr int kBatch = 1000;
constexpr size_t kDepth = 512;

class TBaseline {
public:
    void Add(const double* AData, uint32_t ASize) {
        std::vector<double> Row(AData, AData + ASize);
        std::vector<double> Dropped;
        {
            std::lock_guard<std::mutex> Lock(FMutex);
            FRows.push_back(std::move(Row));
            if (FRows.size() > kDepth) {
                Dropped = std::move(FRows.front());
                FRows.pop_front();
            }
        }
    }

private:
    std::mutex FMutex;
    std::deque<std::vector<double>> FRows;
};

std::vector<double> Frame(int ASeed) {
    std::vector<double> Result(kValues);
    for (uint32_t I = 0; I < kValues; ++I)
        Result[I] = ASeed + I;
    return Result;
}

// Runs AAdd for kBatch rows on each of AThreads threads; the seconds taken.
template <class TAdd> double TimeBatch(int AThreads, TAdd AAdd) {
    const auto T0 = Clock::now();
    if (AThreads == 1) {
        const std::vector<double> Row = Frame(0);
        for (int I = 0; I < kBatch; ++I)
            AAdd(Row.data());
    } else {
        std::vector<std::thread> Threads;
        for (int T = 0; T < AThreads; ++T)
            Threads.emplace_back([&AAdd, T] {
                const std::vector<double> Row = Frame(T);
                for (int I = 0; I < kBatch; ++I)
                    AAdd(Row.data());
            });
        for (std::thread& Thread : Threads)
            Thread.join();
    }
    return std::chrono::duration<double>(Clock::now() - T0).count();
}

void AddRows(benchmark::State& AState) {
    const int Threads = static_cast<int>(AState.range(0));
    TBenchRowStore Waterfall(static_cast<uint32_t>(kDepth));
    TBaseline Baseline;
    const auto AddRow = [&Waterfall](const double* ARow) {
        Waterfall.Data().AddData(ARow, kValues);
    };
    const auto AddBaseline = [&Baseline](const double* ARow) { Baseline.Add(ARow, kValues); };
    const auto MakeBuffer = [](const double* ARow) {
        TKvRealBufferPtr Buffer = TKvRealBuffer::CreateData(ARow, kValues);
        benchmark::DoNotOptimize(Buffer.get());
    };
    // Warm-up: both stores full, the pool's chains and the rings grown.
    for (int I = 0; I < 2; ++I) {
        TimeBatch(Threads, AddRow);
        TimeBatch(Threads, AddBaseline);
    }

    double RowSeconds = 0;
    double BaselineSeconds = 0;
    double BufferSeconds = 0;
    long Allocations = 0;
    long BaselineAllocations = 0;
    for (auto _ : AState) {
        // Thread start-up allocates the same in both halves; it is measured
        // separately and taken off.
        const long Before = gHeapAllocations.load(std::memory_order_relaxed);
        TimeBatch(Threads, [](const double*) {});
        const long Spawn = gHeapAllocations.load(std::memory_order_relaxed) - Before;

        const long B0 = gHeapAllocations.load(std::memory_order_relaxed);
        const double Rows = TimeBatch(Threads, AddRow);
        const long B1 = gHeapAllocations.load(std::memory_order_relaxed);
        const double Base = TimeBatch(Threads, AddBaseline);
        const long B2 = gHeapAllocations.load(std::memory_order_relaxed);
        Allocations += B1 - B0 - Spawn;
        BaselineAllocations += B2 - B1 - Spawn;
        RowSeconds += Rows;
        BaselineSeconds += Base;
        BufferSeconds += TimeBatch(Threads, MakeBuffer);
        AState.SetIterationTime(Rows);
    }
    const double RowsAdded = double(AState.iterations()) * kBatch * Threads;
    AState.counters["vs_vector_deque"] = BaselineSeconds > 0 ? RowSeconds / BaselineSeconds : 0.0;
    AState.counters["buffer_vs_vector_deque"] =
        BaselineSeconds > 0 ? BufferSeconds / BaselineSeconds : 0.0;
    AState.counters["ns_per_row"] = RowSeconds * 1e9 / RowsAdded;
#ifdef KV_COUNT_HEAP
    AState.counters["heap_allocs_per_1000"] = double(Allocations) * 1000 / RowsAdded;
    AState.counters["baseline_allocs_per_1000"] = double(BaselineAllocations) * 1000 / RowsAdded;
#else
    (void)Allocations;
    (void)BaselineAllocations;
#endif
    AState.SetItemsProcessed(int64_t(RowsAdded));
}

} // namespace

BENCHMARK(AddRows)->Arg(1)->Arg(4)->UseManualTime()->Unit(benchmark::kMicrosecond);
