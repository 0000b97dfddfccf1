#pragma once
// Vectors of complex doubles.

#include <cstdint>

#include "buffers/KvMemoryBuffer.h"
#include "primitives/IppTypes.h"

class TKvComplexBuffer : public TKvLinearMemoryBuffer, public virtual IKvComplexBuffer {
public:
    static TKvComplexBufferPtr Create();
    static TKvComplexBufferPtr CreateSize(uint32_t ASize);
    static TKvComplexBufferPtr CreateData(const TJwRealComplex* AData, uint32_t ASize);
    static TKvComplexBufferPtr CreateValue(const TJwRealComplex& AValue, uint32_t ASize);
    static TKvComplexBufferPtr CreateCopy(const TKvComplexBufferPtr& Other);
    static TKvComplexBufferPtr CreateUniversal(const TKvDataPtr& Other);

    void* QueryInterface(const TGUID& AIID) noexcept override;
    TKvDataPtr MakeCopy() override;
    bool IsEqual(const TKvDataBufferPtr& Other) override;
    uint32_t GetElementSize() const override { return sizeof(TJwRealComplex); }

    const TJwRealComplex* Read() override {
        return reinterpret_cast<const TJwRealComplex*>(ByteRead());
    }
    TJwRealComplex* Write() override { return static_cast<TJwRealComplex*>(ByteWrite()); }
    TJwRealComplex* Modify() override { return static_cast<TJwRealComplex*>(ByteModify()); }
    // Both raise ERangeError outside 0 .. Size - 1.
    TJwRealComplex GetItem(int32_t AIndex) override;
    void SetItem(int32_t AIndex, const TJwRealComplex& AValue) override;
    TKvRealBufferPtr GetReal() override;
    TKvRealBufferPtr GetImaginary() override;
    void Add(const TKvComplexBufferPtr& ABuffer) override;
    void Subtract(const TKvComplexBufferPtr& ABuffer) override;
    void Multiply(const TKvComplexBufferPtr& ABuffer) override;
    void Divide(const TKvComplexBufferPtr& ABuffer) override;
    void AddValue(const TJwRealComplex& AValue) override;
    void SubtractValue(const TJwRealComplex& AValue) override;
    void MultiplyValue(const TJwRealComplex& AValue) override;
    void DivideValue(const TJwRealComplex& AValue) override;
    void SetBuffer(const TKvRealBufferPtr& AReal, const TKvRealBufferPtr& AImag) override;
    void SetValue(double AReal, double AImag) override;
    void SetValue(const TJwRealComplex& AValue) override;
    void Zero() override;
    void NormalizeFrom(const TKvComplexBufferPtr& Src, const TJwRealComplex& Offset,
                       double Factor) override;
    void Normalize(const TJwRealComplex& Offset, double Factor) override;
    TJwRealComplex Dot(const TKvComplexBufferPtr& Right) override;
    void Threshold(double AThreshold, TKvThresholdType AType) override;
    void ThresholdFrom(const TKvComplexBufferPtr& Src, double AThreshold,
                       TKvThresholdType AType) override;
    void Sqr() override;
    void SqrFrom(const TKvComplexBufferPtr& Src) override;
    void Sqrt() override;
    void SqrtFrom(const TKvComplexBufferPtr& Src) override;
    // Src must hold at least as many values as this buffer.
    void AutoCorr(const TKvComplexBufferPtr& Src, TKvAutoCorrType AType) override;
    void CrossCorr(const TKvComplexBufferPtr& Src1, const TKvComplexBufferPtr& Src2,
                   int32_t LoLag) override;
    TKvRealBufferPtr Phase() override;
    TKvRealBufferPtr Magnitude() override;
    TKvRealBufferPtr PowerSpectrum() override;

protected:
    explicit TKvComplexBuffer(uint32_t ASize, const void* AData = nullptr);
    explicit TKvComplexBuffer(TKvGenericBuffer* AOther) : TKvLinearMemoryBuffer(AOther) {}

private:
    using TBinaryOp = IppStatus (*)(const Ipp64fc*, Ipp64fc*, int);
    using TUnaryOp = IppStatus (*)(const Ipp64fc*, Ipp64fc*, int);
    using TToRealOp = IppStatus (*)(const Ipp64fc*, Ipp64f*, int);
    void BinaryOp(const TKvComplexBufferPtr& ABuffer, TBinaryOp AOp);
    void FromOp(const TKvComplexBufferPtr& Src, TUnaryOp AOp);
    TKvRealBufferPtr ToReal(TToRealOp AOp);
    const Ipp64fc* ReadIpp() { return reinterpret_cast<const Ipp64fc*>(Read()); }
    Ipp64fc* WriteIpp() { return reinterpret_cast<Ipp64fc*>(Write()); }
    Ipp64fc* ModifyIpp() { return reinterpret_cast<Ipp64fc*>(Modify()); }
};
