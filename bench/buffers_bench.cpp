// The life of a 128-value real buffer (create, fill, copy, release) timed
// against new double[128] / fill / delete[] in the same run. Counters:
//   vs_new_delete        cost per buffer as a ratio to the plain heap round trip
//   heap_allocs_per_1000 heap allocations per thousand buffers after warm-up
//                        (counted by wrapping the C heap; left out in sanitizer
//                        builds, whose runtimes own the heap functions)
//   baseline_allocs_per_1000  the same count for the plain round trip

#include "buffers/KvSimpleDataBuffer.h"

#include "HeapCounter.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstddef>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kValues = 128;
constexpr int kBatch = 1000;

void BufferCycle(int ASeed) {
    TKvRealBufferPtr Buffer = TKvRealBuffer::CreateSize(kValues);
    double* Data = Buffer->Write();
    for (int I = 0; I < kValues; ++I)
        Data[I] = ASeed + I;
    TKvDataPtr Copy = Buffer->MakeCopy();
    benchmark::DoNotOptimize(Copy.get());
}

void HeapCycle(int ASeed) {
    double* Data = new double[kValues];
    benchmark::DoNotOptimize(Data);
    for (int I = 0; I < kValues; ++I)
        Data[I] = ASeed + I;
    benchmark::ClobberMemory();
    delete[] Data;
}

void RealBufferLifecycle(benchmark::State& AState) {
    // Warm-up: the pool's chains for the block, the container and the buffer object.
    for (int I = 0; I < kBatch; ++I)
        BufferCycle(I);

    double BufferSeconds = 0, HeapSeconds = 0;
    long Allocations = 0;
    long BaselineAllocations = 0;
    for (auto _ : AState) {
        const long Before = gHeapAllocations.load(std::memory_order_relaxed);
        const auto T0 = Clock::now();
        for (int I = 0; I < kBatch; ++I)
            BufferCycle(I);
        const auto T1 = Clock::now();
        const long Middle = gHeapAllocations.load(std::memory_order_relaxed);
        Allocations += Middle - Before;
        for (int I = 0; I < kBatch; ++I)
            HeapCycle(I);
        const auto T2 = Clock::now();
        BaselineAllocations += gHeapAllocations.load(std::memory_order_relaxed) - Middle;
        const double Buffers = std::chrono::duration<double>(T1 - T0).count();
        BufferSeconds += Buffers;
        HeapSeconds += std::chrono::duration<double>(T2 - T1).count();
        AState.SetIterationTime(Buffers);
    }
    AState.counters["vs_new_delete"] = HeapSeconds > 0 ? BufferSeconds / HeapSeconds : 0.0;
    AState.counters["ns_per_buffer"] = BufferSeconds * 1e9 / (double(AState.iterations()) * kBatch);
#ifdef KV_COUNT_HEAP
    AState.counters["heap_allocs_per_1000"] = double(Allocations) / double(AState.iterations());
    // Proves the count works: the baseline allocates once per round trip.
    AState.counters["baseline_allocs_per_1000"] =
        double(BaselineAllocations) / double(AState.iterations());
#else
    (void)Allocations;
    (void)BaselineAllocations;
#endif
    AState.SetItemsProcessed(int64_t(AState.iterations()) * kBatch);
}

} // namespace

BENCHMARK(RealBufferLifecycle)->UseManualTime()->Unit(benchmark::kMicrosecond);
