#include "buffers/KvMemoryBuffer.h"

#include "buffers/KvBufferErrors.h"
#include "buffers/KvSmartBufferManager.h"

TKvMemoryBuffer::TKvMemoryBuffer(uint64_t AByteSize, const void* AData)
    : TKvGenericBuffer(NewContainer(AByteSize, AData), static_cast<uint32_t>(AByteSize)) {}

TKvSmartMemoryBuffer* TKvMemoryBuffer::NewContainer(uint64_t AByteSize, const void* AData) {
    if (AByteSize > KvMaxBlockSize)
        KvOutOfMemory();
    return new TKvSmartMemoryBuffer(AData, static_cast<uint32_t>(AByteSize));
}

TKvSmartMemoryBuffer* TKvMemoryBuffer::CreateDataContainer(uint32_t ASize) {
    return NewContainer(uint64_t{ASize} * GetElementSize(), nullptr);
}

void TKvMemoryBuffer::ResizeElements(uint64_t ASize, bool PreserveData) {
    const uint32_t ElementSize = GetElementSize();
    if (ASize == 0) {
        FCharSize = 0;
        RefreshDataPtr();
        return;
    }
    if (ASize == GetSize())
        return;
    const uint64_t Bytes = ASize * ElementSize;
    if (Bytes > KvMaxBlockSize)
        KvOutOfMemory();
    if (PreserveData && ASize < GetSize()) {
        FCharSize = static_cast<uint32_t>(Bytes);
        return;
    }
    if (PreserveData && pDataContainer->SingleOwner() &&
        MemoryContainer()->AllocatedSize() / ElementSize >= ASize) {
        FCharSize = static_cast<uint32_t>(Bytes);
        return;
    }
    TKvSmartMemoryBuffer* Container = CreateDataContainer(static_cast<uint32_t>(ASize));
    if (PreserveData)
        Container->CopyFrom(MemoryContainer());
    SetDataContainer(Container);
    FCharSize = static_cast<uint32_t>(Bytes);
}

void TKvMemoryBuffer::CheckIndex(int32_t AIndex) {
    if (AIndex < 0 || static_cast<uint32_t>(AIndex) >= GetSize())
        KvRangeError("Index out of range = %u", AIndex);
}

void* TKvLinearMemoryBuffer::QueryInterface(const TGUID& AIID) noexcept {
    if (void* R = KvFindInterface<IKvLinearDataBuffer>(this, AIID))
        return R;
    return TKvMemoryBuffer::QueryInterface(AIID);
}
