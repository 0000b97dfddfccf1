#pragma once
// Counts the process's heap allocations for the benchmarks that report them.
// Sanitizer runtimes own the heap functions, so there nothing is counted.

#include <atomic>

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#define KV_COUNT_HEAP 1
#endif

// Heap allocations of the whole process so far.
extern std::atomic<long> gHeapAllocations;
