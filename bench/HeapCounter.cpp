#include "HeapCounter.h"

#include <cstddef>

std::atomic<long> gHeapAllocations{0};

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
