#pragma once
// Buffers whose container is a pooled memory block, counted in elements of
// a fixed size; the linear ones can change their length.

#include <cstdint>

#include "buffers/KvGenericBuffer.h"

class TKvMemoryBuffer : public TKvGenericBuffer {
public:
    uint32_t GetSize() override { return FCharSize / GetElementSize(); }
    // A new container for ASize elements.
    virtual TKvSmartMemoryBuffer* CreateDataContainer(uint32_t ASize);
    virtual uint32_t GetElementSize() const { return 1; }

    TKvSmartMemoryBuffer* MemoryContainer() const {
        return static_cast<TKvSmartMemoryBuffer*>(pDataContainer);
    }

protected:
    // A new container of AByteSize bytes, filled from AData unless it is null.
    explicit TKvMemoryBuffer(uint64_t AByteSize, const void* AData = nullptr);
    explicit TKvMemoryBuffer(TKvGenericBuffer* AOther) : TKvGenericBuffer(AOther) {}

    // Raises EOutOfMemory beyond the largest block.
    static TKvSmartMemoryBuffer* NewContainer(uint64_t AByteSize, const void* AData);
    // The length change shared by vectors and matrices; ASize in elements.
    void ResizeElements(uint64_t ASize, bool PreserveData);
    void CheckIndex(int32_t AIndex);
};

class TKvLinearMemoryBuffer : public TKvMemoryBuffer, public virtual IKvLinearDataBuffer {
public:
    void* QueryInterface(const TGUID& AIID) noexcept override;
    void Resize(uint32_t Size, bool PreserveData) override { ResizeElements(Size, PreserveData); }

protected:
    using TKvMemoryBuffer::TKvMemoryBuffer;
};
