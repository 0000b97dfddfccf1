#include "buffers/KvSmartBufferManager.h"

#include <bit>
#include <chrono>
#include <cstdlib>
#include <cstring>

#include "buffers/KvBufferErrors.h"

namespace {

constexpr uintptr_t BlockAlignment = 32;
// Room below the usable address for the heap address, a full pointer wide.
constexpr size_t BlockHeader = sizeof(void*);
// Idle ticks a chain keeps its blocks before it gives any back.
constexpr uint32_t IdleTicks = 8;

} // namespace

uint32_t RoundAllocationSize(uint32_t ASize) {
    if (ASize <= 4)
        return 4;
    if (ASize > KvMaxBlockSize)
        return KvMaxBlockSize;
    return std::bit_ceil(ASize);
}

void* AllocateAlignedBlock(uint32_t ASize) {
    const size_t HeapSize = size_t{ASize} + BlockHeader + BlockAlignment - 1;
    void* HeapPtr = std::malloc(HeapSize);
    if (!HeapPtr)
        return nullptr;
    const uintptr_t Usable =
        (reinterpret_cast<uintptr_t>(HeapPtr) + BlockHeader + BlockAlignment - 1) &
        ~(BlockAlignment - 1);
    void* DataPtr = reinterpret_cast<void*>(Usable);
    std::memcpy(static_cast<char*>(DataPtr) - BlockHeader, &HeapPtr, sizeof HeapPtr);
    return DataPtr;
}

void FreeAlignedBlock(void* ADataPtr) noexcept {
    if (!ADataPtr)
        return;
    void* HeapPtr;
    std::memcpy(&HeapPtr, static_cast<char*>(ADataPtr) - BlockHeader, sizeof HeapPtr);
    std::free(HeapPtr);
}

TKvSmartBufferList::TKvSmartBufferList(uint32_t ASize) : FSize(ASize) {}

TKvSmartBufferList::~TKvSmartBufferList() {
    for (void* Block : BufferList)
        FreeAlignedBlock(Block);
}

void TKvSmartBufferList::ResetCountDown() {
    FCountDown = static_cast<uint32_t>(BufferList.size()) + IdleTicks;
}

void* TKvSmartBufferList::Allocate() {
    ResetCountDown();
    if (BufferList.empty()) {
        void* Block = AllocateAlignedBlock(FSize);
        if (!Block)
            KvOutOfMemory();
        return Block;
    }
    void* Block = BufferList.back();
    BufferList.pop_back();
    return Block;
}

void TKvSmartBufferList::Deallocate(void* DataPtr) {
    BufferList.push_back(DataPtr);
    ResetCountDown();
}

bool TKvSmartBufferList::DownSize() {
    if (FCountDown > 0) {
        --FCountDown;
        while (FCountDown < BufferList.size()) {
            FreeAlignedBlock(BufferList.back());
            BufferList.pop_back();
        }
    }
    return FCountDown == 0;
}

TKvSmartBufferManager::TKvSmartBufferManager(bool ATrimTimer)
    : FTimer(std::chrono::milliseconds(200), [this] { DownSizeTimer(); }) {
    FTimer.SetEnabled(ATrimTimer);
}

TKvSmartBufferManager::~TKvSmartBufferManager() {
    FTimer.Stop();
    ReleaseMemory();
}

TKvSmartBufferList& TKvSmartBufferManager::ChainFor(uint32_t ASize) {
    for (auto& Chain : ChainsList)
        if (Chain->Size() == ASize)
            return *Chain;
    ChainsList.push_back(std::make_unique<TKvSmartBufferList>(ASize));
    return *ChainsList.back();
}

void* TKvSmartBufferManager::Allocate(uint32_t ASize) {
    if (ASize == 0)
        return nullptr;
    std::lock_guard Guard(FChainsLock);
    void* Block = ChainFor(ASize).Allocate();
    ++FBlocksInUse;
    return Block;
}

void TKvSmartBufferManager::Deallocate(void* DataPtr, uint32_t ASize) {
    if (!DataPtr)
        return;
    std::lock_guard Guard(FChainsLock);
    ChainFor(ASize).Deallocate(DataPtr);
    --FBlocksInUse;
}

void TKvSmartBufferManager::ReleaseMemory() {
    std::lock_guard Guard(FChainsLock);
    ChainsList.clear();
}

void TKvSmartBufferManager::DownSizeTimer() noexcept {
    std::lock_guard Guard(FChainsLock);
    for (size_t I = ChainsList.size(); I-- > 0;)
        if (ChainsList[I]->DownSize())
            ChainsList.erase(ChainsList.begin() + static_cast<std::ptrdiff_t>(I));
}

bool TKvSmartBufferManager::GetTimerEnabled() {
    return FTimer.GetEnabled();
}

void TKvSmartBufferManager::SetTimerEnabled(bool AValue) {
    FTimer.SetEnabled(AValue);
}

TKvSmartBufferManager::TCounts TKvSmartBufferManager::GetCounts() {
    std::lock_guard Guard(FChainsLock);
    TCounts Counts{FBlocksInUse, 0, ChainsList.size()};
    for (auto& Chain : ChainsList)
        Counts.FreeBlocks += Chain->FreeCount();
    return Counts;
}

std::optional<size_t> TKvSmartBufferManager::ChainFreeCount(uint32_t ASize) {
    std::lock_guard Guard(FChainsLock);
    for (auto& Chain : ChainsList)
        if (Chain->Size() == ASize)
            return Chain->FreeCount();
    return std::nullopt;
}

TKvSmartBufferManager& KvBufferManager() {
    static TKvSmartBufferManager Manager;
    return Manager;
}
