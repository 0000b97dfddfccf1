// The life of a 128-value real buffer (create, fill, copy, release) timed
// against new double[128] / fill / delete[] in the same run. Counters:
//   vs_new_delete        cost per buffer as a ratio to the plain heap round trip
//   heap_allocs_per_1000 heap allocations per thousand buffers after warm-up
//                        (counted by wrapping the C heap; left out in sanitizer
//                        builds, whose runtimes own the heap functions)
//   baseline_allocs_per_1000  the same count for the plain round trip

#include "buffers/KvSimpleDataBuffer.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstddef>

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#define KV_COUNT_HEAP 1
#endif

namespace {

std::atomic<long> gHeapAllocations{0};

} // namespace

#ifdef KV_COUNT_HEAP
// Every heap allocation of the process passes through these (operator new
// included), so the count covers the library, Qt and the standard library.
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* __libc_memalign(size_t, size_t);
void __libc_free(void*);

void* malloc(size_t ASize) {
    gHeapAllocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(ASize);
}

void* calloc(size_t ACount, size_t ASize) {
    gHeapAllocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(ACount, ASize);
}

void* realloc(void* APtr, size_t ASize) {
    gHeapAllocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(APtr, ASize);
}

void* memalign(size_t AAlignment, size_t ASize) {
    gHeapAllocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_memalign(AAlignment, ASize);
}

void* aligned_alloc(size_t AAlignment, size_t ASize) {
    return memalign(AAlignment, ASize);
}

int posix_memalign(void** APtr, size_t AAlignment, size_t ASize) {
    void* Ptr = memalign(AAlignment, ASize);
    if (!Ptr)
        return 12; // ENOMEM
    *APtr = Ptr;
    return 0;
}

void free(void* APtr) {
    __libc_free(APtr);
}
}
#endif

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
