#pragma once
// The process-wide pool of raw blocks: one chain of free blocks per block
// size, reused last in first out, handed back to the heap gradually by a
// 200 ms trimming tick once a chain stands idle.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "buffers/KvPoolTimer.h"

// The largest block the pool hands out.
inline constexpr uint32_t KvMaxBlockSize = 1u << 30;

// The smallest power of two from 4 to 2^30 that holds ASize; 2^30 above that.
uint32_t RoundAllocationSize(uint32_t ASize);

// A heap block of ASize usable bytes starting on a 32-byte boundary, or null.
void* AllocateAlignedBlock(uint32_t ASize);
void FreeAlignedBlock(void* ADataPtr) noexcept;

// One chain: the free blocks of one size.
class TKvSmartBufferList {
public:
    explicit TKvSmartBufferList(uint32_t ASize);
    ~TKvSmartBufferList();
    TKvSmartBufferList(const TKvSmartBufferList&) = delete;
    TKvSmartBufferList& operator=(const TKvSmartBufferList&) = delete;

    // Raises EOutOfMemory when the heap has no block to give.
    void* Allocate();
    void Deallocate(void* DataPtr);
    // One trimming tick; true once the chain has stood idle long enough to go.
    bool DownSize();

    uint32_t Size() const { return FSize; }
    size_t FreeCount() const { return BufferList.size(); }

private:
    void ResetCountDown();

    uint32_t FSize;
    std::vector<void*> BufferList;
    uint32_t FCountDown = 0;
};

class TKvSmartBufferManager {
public:
    // The trimming timer runs when ATrimTimer is set; a pool without it is
    // trimmed only by explicit DownSizeTimer calls.
    explicit TKvSmartBufferManager(bool ATrimTimer = true);
    ~TKvSmartBufferManager();
    TKvSmartBufferManager(const TKvSmartBufferManager&) = delete;
    TKvSmartBufferManager& operator=(const TKvSmartBufferManager&) = delete;

    // Null for 0 bytes; raises EOutOfMemory when the heap refuses.
    void* Allocate(uint32_t ASize);
    // ASize must be the size the block was allocated with.
    void Deallocate(void* DataPtr, uint32_t ASize);
    // Gives every free block back to the heap; blocks in use are unaffected.
    void ReleaseMemory();
    // One trimming tick over all chains, last to first.
    void DownSizeTimer() noexcept;

    bool GetTimerEnabled();
    // Disabling returns after any running tick has finished.
    void SetTimerEnabled(bool AValue);

    struct TCounts {
        int64_t BlocksInUse; // handed out and not yet returned
        size_t FreeBlocks;   // held in chains
        size_t Chains;
    };
    TCounts GetCounts();
    // Free blocks in the chain of exactly ASize; empty when there is no such chain.
    std::optional<size_t> ChainFreeCount(uint32_t ASize);

private:
    TKvSmartBufferList& ChainFor(uint32_t ASize);

    std::mutex FChainsLock;
    std::vector<std::unique_ptr<TKvSmartBufferList>> ChainsList;
    int64_t FBlocksInUse = 0;
    TKvPoolTimer FTimer;
};

// The one pool of the process; created on first use and destroyed at exit.
TKvSmartBufferManager& KvBufferManager();
