#pragma once
// Vectors of 32-bit signed integers.

#include <cstdint>

#include "buffers/KvMemoryBuffer.h"

class TKvIntegerBuffer : public TKvLinearMemoryBuffer, public virtual IKvIntegerBuffer {
public:
    static TKvIntegerBufferPtr Create();
    static TKvIntegerBufferPtr CreateSize(uint32_t ASize);
    static TKvIntegerBufferPtr CreateData(const int32_t* AData, uint32_t ASize);
    static TKvIntegerBufferPtr CreateValue(int32_t AValue, uint32_t ASize);
    static TKvIntegerBufferPtr CreateCopy(const TKvIntegerBufferPtr& Other);
    static TKvIntegerBufferPtr CreateUniversal(const TKvDataPtr& Other);

    void* QueryInterface(const TGUID& AIID) noexcept override;
    TKvDataPtr MakeCopy() override;
    bool IsEqual(const TKvDataBufferPtr& Other) override;
    // Between two integer buffers the offsets and count are in values.
    void CopyDataTo(uint32_t SrcOffset, const TKvDataBufferPtr& Dest, uint32_t DestOffset,
                    uint32_t Count) override;
    uint32_t GetElementSize() const override { return sizeof(int32_t); }

    const int32_t* Read() override { return reinterpret_cast<const int32_t*>(ByteRead()); }
    int32_t* Write() override { return static_cast<int32_t*>(ByteWrite()); }
    int32_t* Modify() override { return static_cast<int32_t*>(ByteModify()); }
    // Both raise ERangeError outside 0 .. Size - 1.
    int32_t GetItem(int32_t AIndex) override;
    void SetItem(int32_t AIndex, int32_t AValue) override;
    // Divide, ModBuffer and ModValue raise EDivByZero, changing nothing, for a zero divisor.
    void Add(const TKvIntegerBufferPtr& ABuffer) override;
    void Subtract(const TKvIntegerBufferPtr& ABuffer) override;
    void Multiply(const TKvIntegerBufferPtr& ABuffer) override;
    void Divide(const TKvIntegerBufferPtr& ABuffer) override;
    void ModBuffer(const TKvIntegerBufferPtr& ABuffer) override;
    void AndBuffer(const TKvIntegerBufferPtr& ABuffer) override;
    void OrBuffer(const TKvIntegerBufferPtr& ABuffer) override;
    void XorBuffer(const TKvIntegerBufferPtr& ABuffer) override;
    void LShift(const TKvIntegerBufferPtr& ABuffer) override;
    void RShift(const TKvIntegerBufferPtr& ABuffer) override;
    void SetValue(int32_t AValue) override;
    void AddValue(int32_t AValue) override;
    void SubtractValue(int32_t AValue) override;
    void MultiplyValue(int32_t AValue) override;
    void DivideValue(int32_t AValue) override;
    void ModValue(int32_t AValue) override;
    void AndValue(int32_t AValue) override;
    void OrValue(int32_t AValue) override;
    void XorValue(int32_t AValue) override;
    void LShiftValue(int32_t AValue) override;
    void RShiftValue(int32_t AValue) override;
    void Zero() override;
    int32_t Dot(const TKvIntegerBufferPtr& Right) override;
    int32_t GetMinValue() override;
    int32_t GetMaxValue() override;

protected:
    explicit TKvIntegerBuffer(uint32_t ASize, const void* AData = nullptr);
    explicit TKvIntegerBuffer(TKvGenericBuffer* AOther) : TKvLinearMemoryBuffer(AOther) {}

private:
    // Applies AOp to this buffer's values (first) and ABuffer's, over the smaller size.
    template <class TOp> void ElementLoop(const TKvIntegerBufferPtr& ABuffer, TOp AOp);
};
