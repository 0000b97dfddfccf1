#pragma once
// The base of every sample buffer: a reference-counted object that views the
// data of a shared container and separates itself from the other owners
// before it writes (copy-on-write).

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "buffers/KvBufferInterfaces.h"
#include "buffers/KvSmartBuffer.h"

// The interface of AIntf's line that AIID names, or null.
template <class TIntf> void* KvFindInterface(TIntf* AIntf, const TGUID& AIID) noexcept {
    if (TIntf::IID == AIID)
        return AIntf;
    if constexpr (!std::is_void_v<typename TIntf::Parent>)
        return KvFindInterface<typename TIntf::Parent>(AIntf, AIID);
    else
        return nullptr;
}

// Reference counting for the buffer classes: the count lives in the object,
// starts at 0, and the last Release deletes it. The interfaces extend each
// other virtually, so the count is implemented here rather than by
// TInterfaced, whose interface bases are not virtual. Objects are pooled.
class TKvBasicBuffer : public virtual IKvData {
public:
    TKvBasicBuffer() = default;
    virtual ~TKvBasicBuffer() = default;
    TKvBasicBuffer(const TKvBasicBuffer&) = delete;
    TKvBasicBuffer& operator=(const TKvBasicBuffer&) = delete;

    void AddRef() noexcept override { FRefCount.fetch_add(1, std::memory_order_relaxed); }
    void Release() noexcept override;
    void* QueryInterface(const TGUID& AIID) noexcept override;
    TKvBasicBuffer* GetInstance() override { return this; }

    static void* operator new(size_t ASize);
    static void operator delete(void* APtr, size_t ASize) noexcept;

private:
    std::atomic<int32_t> FRefCount{0};
};

class TKvGenericBuffer;

// The sequence number of the data; it lives in the container, so every
// buffer sharing the data sees the same stamp.
class TKvSequenceStamp {
public:
    explicit TKvSequenceStamp(TKvGenericBuffer* AIntBuffer) : FIntBuffer(AIntBuffer) {}
    bool GetAvailable() const;
    void SetAvailable(bool AValue);
    int64_t GetBufferNumber() const;
    void SetBufferNumber(int64_t AValue);

private:
    TKvGenericBuffer* FIntBuffer;
};

class TKvGenericBuffer : public TKvBasicBuffer, public virtual IKvGenericBuffer {
public:
    ~TKvGenericBuffer() override;

    void* QueryInterface(const TGUID& AIID) noexcept override;

    void Assign(const TKvDataBufferPtr& OtherBuffer) override;
    bool IsEqual(const TKvDataBufferPtr& Other) override;
    const void* ByteRead() override { return FDataPtr; }
    void* ByteWrite() override;
    void* ByteModify() override;
    uint32_t GetByteSize() override { return FCharSize; }
    TKvSequenceStamp* GetSequenceStamp() override { return &FSequenceStamp; }
    // Offsets and count in bytes; raises ERangeError when either range
    // reaches past its buffer.
    void CopyDataTo(uint32_t SrcOffset, const TKvDataBufferPtr& Dest, uint32_t DestOffset,
                    uint32_t Count) override;
    void Unique(bool PreserveData) override { MakeUnique(PreserveData); }
    void SaveToFile(const QString& AFileName) override;
    // Raises, leaving the data as they were, when the file is shorter than the buffer.
    void LoadFromFile(const QString& AFileName) override;

    // Copies the data into a container of its own when another owner shares
    // them; true when it did.
    virtual bool MakeUnique(bool PreserveData);
    virtual void RefreshDataPtr();
    // Takes a reference on AContainer and releases the current one.
    virtual void SetDataContainer(TKvSmartBuffer* AContainer);
    virtual void RemoveOwnerShip();

    bool OwnsData() const { return FOwnsData; }
    TKvDataBufferPtr GetDataBufferIntf() { return TKvDataBufferPtr(this); }
    TKvSmartBuffer* DataContainer() const { return pDataContainer; }

    // The implementing object of ABuffer; raises EIntfCastError when it is
    // not a generic buffer.
    static TKvGenericBuffer* Implementor(IKvData* ABuffer);

protected:
    friend class TKvSequenceStamp;

    // Takes the first reference on AContainer.
    TKvGenericBuffer(TKvSmartBuffer* AContainer, uint32_t ACharSize);
    // Shares AOther's container and byte size.
    explicit TKvGenericBuffer(TKvGenericBuffer* AOther);

    // IsEqual of the typed classes: Other must be a T as well.
    template <class T> bool IsEqualAs(const TKvDataBufferPtr& Other) {
        return Other && dynamic_cast<T*>(Other->GetInstance()) && TKvGenericBuffer::IsEqual(Other);
    }

    TKvSequenceStamp FSequenceStamp{this};
    uint8_t* FDataPtr = nullptr;
    uint32_t FCharSize = 0;
    TKvSmartBuffer* pDataContainer = nullptr;
    bool FOwnsData = true;
};
