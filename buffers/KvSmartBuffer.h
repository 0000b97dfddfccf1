#pragma once
// Data containers shared by sample buffers. A container counts the buffer
// objects that refer to it (transports) and how many of them may write
// (owners); copy-on-write decides on those counts. The last release destroys
// the container.

#include <cstddef>
#include <cstdint>

#include "pins/JwMutex.h"

class TKvSmartBuffer {
public:
    TKvSmartBuffer() = default;
    // Takes nothing from AOther; derived containers copy what they hold.
    TKvSmartBuffer(TKvSmartBuffer* AOther, bool APreserve);
    virtual ~TKvSmartBuffer() = default;
    TKvSmartBuffer(const TKvSmartBuffer&) = delete;
    TKvSmartBuffer& operator=(const TKvSmartBuffer&) = delete;

    virtual void AddReff(bool OwnsData);
    // The transport count going from 1 to 0 destroys the container.
    virtual void RemoveReff(bool OwnsData);
    // The holder stays a reference but no longer counts as an owner.
    virtual void RemoveOwnerShip();
    // True for 0 or 1 owners: a writer may write in place.
    virtual bool SingleOwner();
    // A new container of the same class; the caller takes the first reference.
    virtual TKvSmartBuffer* Clone(bool Preserve);
    // The data held; a plain container holds none.
    virtual void* GetRawData() const { return nullptr; }

    // One re-entrant mutex serves readers and writers alike.
    void EnterRead() { FCriticalSection.Enter(); }
    void LeaveRead() { FCriticalSection.Leave(); }
    void EnterWrite() { FCriticalSection.Enter(); }
    void LeaveWrite() { FCriticalSection.Leave(); }

    bool GetBufferNumberAvailable() const { return FBufferNumberAvailable; }
    void SetBufferNumberAvailable(bool AValue) { FBufferNumberAvailable = AValue; }
    int64_t GetBufferNumber() const { return FBufferNumber; }
    void SetBufferNumber(int64_t AValue) { FBufferNumber = AValue; }

    int32_t CountOwners();
    int32_t CountTransports();

private:
    int32_t FCountOwners = 0;
    int32_t FCountTransports = 0;
    TJwCriticalSection FCriticalSection;
    bool FBufferNumberAvailable = false;
    int64_t FBufferNumber = 0;
};

// A container that owns one pooled raw block. Its own storage is pooled too,
// so creating and dropping containers at data rate stays off the heap.
class TKvSmartMemoryBuffer : public TKvSmartBuffer {
public:
    // A block of RoundAllocationSize(ASize) bytes, contents undefined. Sizes
    // are always rounded: ExactSize has no effect. Raises EOutOfMemory for
    // more than the largest block.
    explicit TKvSmartMemoryBuffer(uint32_t ASize, bool ExactSize = false);
    // As above, then ASize bytes copied from Data unless it is null.
    TKvSmartMemoryBuffer(const void* Data, uint32_t ASize, bool ExactSize = false);
    // A new block of AOther's size, holding a copy of AOther's block when APreserve.
    TKvSmartMemoryBuffer(TKvSmartMemoryBuffer* AOther, bool APreserve);
    ~TKvSmartMemoryBuffer() override;

    TKvSmartBuffer* Clone(bool Preserve) override;
    void* GetRawData() const override { return FDataPtr; }
    // Copies as many bytes as the smaller of the two blocks holds.
    void CopyFrom(TKvSmartMemoryBuffer* AOther);

    uint32_t AllocatedSize() const { return FAllocatedSize; }
    void* RawData() const { return FDataPtr; }

    static void ReleaseMemory();

    // Storage from the pool at the exact instance size, zero-filled.
    static void* operator new(size_t ASize);
    static void operator delete(void* APtr, size_t ASize) noexcept;

private:
    void* FDataPtr = nullptr;
    uint32_t FAllocatedSize = 0;
};
