#pragma once
// Blocks of bytes.

#include <cstdint>

#include "buffers/KvMemoryBuffer.h"
#include "primitives/IppTypes.h"

class TKvBlockBuffer : public TKvLinearMemoryBuffer, public virtual IKvBlockBuffer {
public:
    static TKvBlockBufferPtr Create();
    static TKvBlockBufferPtr CreateSize(uint32_t ASize);
    static TKvBlockBufferPtr CreateData(const void* Data, uint32_t Size);
    static TKvBlockBufferPtr CreateCopy(const TKvBlockBufferPtr& Other);
    static TKvBlockBufferPtr CreateUniversal(const TKvDataPtr& Other);

    void* QueryInterface(const TGUID& AIID) noexcept override;
    TKvDataPtr MakeCopy() override;
    bool IsEqual(const TKvDataBufferPtr& Other) override;

    const uint8_t* Read() override { return static_cast<const uint8_t*>(ByteRead()); }
    uint8_t* Write() override { return static_cast<uint8_t*>(ByteWrite()); }
    uint8_t* Modify() override { return static_cast<uint8_t*>(ByteModify()); }
    void Add(const TKvBlockBufferPtr& ABuffer) override;
    void Subtract(const TKvBlockBufferPtr& ABuffer) override;
    void Multiply(const TKvBlockBufferPtr& ABuffer) override;
    // Raises EDivByZero, changing nothing, for a zero divisor.
    void Divide(const TKvBlockBufferPtr& ABuffer) override;
    void SetValue(uint8_t AValue) override;
    void Zero() override;
    uint8_t GetItem(int32_t AIndex) override;
    void SetItem(int32_t AIndex, uint8_t AValue) override;

protected:
    explicit TKvBlockBuffer(uint32_t ASize, const void* AData = nullptr)
        : TKvLinearMemoryBuffer(ASize, AData) {}
    explicit TKvBlockBuffer(TKvGenericBuffer* AOther) : TKvLinearMemoryBuffer(AOther) {}

private:
    using TBinaryOp = IppStatus (*)(const Ipp8u*, Ipp8u*, int, int);
    void BinaryOp(const TKvBlockBufferPtr& ABuffer, TBinaryOp AOp);
};
