#include "buffers/KvSmartBuffer.h"

#include <cstring>

#include "buffers/KvBufferErrors.h"
#include "buffers/KvSmartBufferManager.h"

TKvSmartBuffer::TKvSmartBuffer(TKvSmartBuffer*, bool) {}

void TKvSmartBuffer::AddReff(bool OwnsData) {
    TJwCriticalSectionLock Guard(FCriticalSection);
    if (OwnsData)
        ++FCountOwners;
    ++FCountTransports;
}

void TKvSmartBuffer::RemoveReff(bool OwnsData) {
    bool LastReference = false;
    {
        TJwCriticalSectionLock Guard(FCriticalSection);
        if (OwnsData && FCountOwners > 0)
            --FCountOwners;
        if (FCountTransports <= 0)
            return;
        LastReference = --FCountTransports == 0;
    }
    // Nobody else refers to the container once the count is 0.
    if (LastReference)
        delete this;
}

void TKvSmartBuffer::RemoveOwnerShip() {
    TJwCriticalSectionLock Guard(FCriticalSection);
    if (FCountOwners > 0)
        --FCountOwners;
}

bool TKvSmartBuffer::SingleOwner() {
    TJwCriticalSectionLock Guard(FCriticalSection);
    return FCountOwners < 2;
}

TKvSmartBuffer* TKvSmartBuffer::Clone(bool Preserve) {
    return new TKvSmartBuffer(this, Preserve);
}

int32_t TKvSmartBuffer::CountOwners() {
    TJwCriticalSectionLock Guard(FCriticalSection);
    return FCountOwners;
}

int32_t TKvSmartBuffer::CountTransports() {
    TJwCriticalSectionLock Guard(FCriticalSection);
    return FCountTransports;
}

TKvSmartMemoryBuffer::TKvSmartMemoryBuffer(uint32_t ASize, bool) {
    // Rounding caps at the largest block; a bigger request must not quietly
    // get less than it asked for.
    if (ASize > KvMaxBlockSize)
        KvOutOfMemory();
    FAllocatedSize = RoundAllocationSize(ASize);
    FDataPtr = KvBufferManager().Allocate(FAllocatedSize);
}

TKvSmartMemoryBuffer::TKvSmartMemoryBuffer(const void* Data, uint32_t ASize, bool ExactSize)
    : TKvSmartMemoryBuffer(ASize, ExactSize) {
    if (Data && ASize > 0)
        std::memcpy(FDataPtr, Data, ASize);
}

TKvSmartMemoryBuffer::TKvSmartMemoryBuffer(TKvSmartMemoryBuffer* AOther, bool APreserve)
    : TKvSmartBuffer(AOther, APreserve), FAllocatedSize(AOther->FAllocatedSize) {
    FDataPtr = KvBufferManager().Allocate(FAllocatedSize);
    if (APreserve)
        std::memcpy(FDataPtr, AOther->FDataPtr, FAllocatedSize);
}

TKvSmartMemoryBuffer::~TKvSmartMemoryBuffer() {
    if (FDataPtr)
        KvBufferManager().Deallocate(FDataPtr, FAllocatedSize);
    FDataPtr = nullptr;
}

TKvSmartBuffer* TKvSmartMemoryBuffer::Clone(bool Preserve) {
    return new TKvSmartMemoryBuffer(this, Preserve);
}

void TKvSmartMemoryBuffer::CopyFrom(TKvSmartMemoryBuffer* AOther) {
    const uint32_t Count =
        FAllocatedSize < AOther->FAllocatedSize ? FAllocatedSize : AOther->FAllocatedSize;
    if (AOther != this)
        std::memcpy(FDataPtr, AOther->FDataPtr, Count);
}

void TKvSmartMemoryBuffer::ReleaseMemory() {
    KvBufferManager().ReleaseMemory();
}

void* TKvSmartMemoryBuffer::operator new(size_t ASize) {
    void* Storage = KvBufferManager().Allocate(static_cast<uint32_t>(ASize));
    std::memset(Storage, 0, ASize);
    return Storage;
}

void TKvSmartMemoryBuffer::operator delete(void* APtr, size_t ASize) noexcept {
    KvBufferManager().Deallocate(APtr, static_cast<uint32_t>(ASize));
}
