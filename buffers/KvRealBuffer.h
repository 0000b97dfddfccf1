#pragma once
// Vectors of doubles.

#include <cstdint>

#include "buffers/KvMemoryBuffer.h"
#include "primitives/IppTypes.h"

class TKvRealBuffer : public TKvLinearMemoryBuffer, public virtual IKvRealBuffer {
public:
    // An empty buffer (its container still holds a 4-byte block).
    static TKvRealBufferPtr Create();
    // ASize values, contents undefined.
    static TKvRealBufferPtr CreateSize(uint32_t ASize);
    static TKvRealBufferPtr CreateData(const double* AData, uint32_t ASize);
    static TKvRealBufferPtr CreateValue(double AValue, uint32_t ASize);
    // A new object sharing Other's data.
    static TKvRealBufferPtr CreateCopy(const TKvRealBufferPtr& Other);
    // A new object sharing the data of any generic buffer, viewed as doubles.
    static TKvRealBufferPtr CreateUniversal(const TKvDataPtr& Other);
    static TKvRealBufferPtr CreateWordData(const uint16_t* AData, uint32_t ASize);
    static TKvRealBufferPtr CreateSmallIntData(const int16_t* AData, uint32_t ASize);
    static TKvRealBufferPtr CreateCardinalData(const uint32_t* AData, uint32_t ASize);
    static TKvRealBufferPtr CreateIntegerData(const int32_t* AData, uint32_t ASize);
    static TKvRealBufferPtr CreateSingleData(const float* AData, uint32_t ASize);

    void* QueryInterface(const TGUID& AIID) noexcept override;
    TKvDataPtr MakeCopy() override;
    bool IsEqual(const TKvDataBufferPtr& Other) override;
    // Between two real buffers the offsets and count are in values.
    void CopyDataTo(uint32_t SrcOffset, const TKvDataBufferPtr& Dest, uint32_t DestOffset,
                    uint32_t Count) override;
    uint32_t GetElementSize() const override { return sizeof(double); }

    const double* Read() override { return reinterpret_cast<const double*>(ByteRead()); }
    double* Write() override { return static_cast<double*>(ByteWrite()); }
    double* Modify() override { return static_cast<double*>(ByteModify()); }
    double GetItem(int32_t AIndex) override;
    void SetItem(int32_t AIndex, double AValue) override;
    void VectorJaehne(double AMagnitude) override;
    void Add(const TKvRealBufferPtr& ABuffer) override;
    void Subtract(const TKvRealBufferPtr& ABuffer) override;
    void Multiply(const TKvRealBufferPtr& ABuffer) override;
    void Divide(const TKvRealBufferPtr& ABuffer) override;
    void SetValue(double AValue) override;
    void AddValue(double AValue) override;
    void SubtractValue(double AValue) override;
    void MultiplyValue(double AValue) override;
    void DivideValue(double AValue) override;
    void Zero() override;
    void ToInt(int32_t* OutBuffer, bool ARound) override;
    void ToShort(int16_t* OutBuffer, bool ARound) override;
    void ToSingle(float* OutBuffer) override;
    void FromInt(const int32_t* InBuffer) override;
    void FromShort(const int16_t* InBuffer) override;
    void FromSingle(const float* InBuffer) override;
    void NormalizeFrom(const TKvRealBufferPtr& Src, double Offset, double Factor) override;
    void Normalize(double Offset, double Factor) override;
    double Dot(const TKvRealBufferPtr& Right) override;
    void Threshold(double AThreshold, TKvThresholdType AType) override;
    void ThresholdFrom(const TKvRealBufferPtr& Src, double AThreshold,
                       TKvThresholdType AType) override;
    void Sqr() override;
    void SqrFrom(const TKvRealBufferPtr& Src) override;
    void Sqrt() override;
    void SqrtFrom(const TKvRealBufferPtr& Src) override;
    // Src must hold at least as many values as this buffer.
    void AutoCorr(const TKvRealBufferPtr& Src, TKvAutoCorrType AType) override;
    void CrossCorr(const TKvRealBufferPtr& Src1, const TKvRealBufferPtr& Src2,
                   int32_t LoLag) override;
    void Abs() override;
    void AbsFrom(const TKvRealBufferPtr& Src) override;
    void Exp() override;
    void ExpFrom(const TKvRealBufferPtr& Src) override;
    void Ln() override;
    void LnFrom(const TKvRealBufferPtr& Src) override;
    double Mean() override;
    double StdDev() override;
    // This buffer must hold Src.Size + H.Size - 1 values.
    void Convolve(const TKvRealBufferPtr& Src, const TKvRealBufferPtr& H) override;
    double Norm(const TKvRealBufferPtr& Src, TKvNormType AType) override;
    double GetMinValue() override;
    double GetMaxValue() override;
    double GetMinIndex(int32_t& AIndex) override;
    double GetMaxIndex(int32_t& AIndex) override;
    double GetMin(int32_t IndexBegin, int32_t IndexEnd) override;
    double GetMax(int32_t IndexBegin, int32_t IndexEnd) override;
    double GetMinRestricted(int32_t IndexBegin, int32_t IndexEnd) override;
    double GetMaxRestricted(int32_t IndexBegin, int32_t IndexEnd) override;

protected:
    explicit TKvRealBuffer(uint32_t ASize, const void* AData = nullptr);
    explicit TKvRealBuffer(TKvGenericBuffer* AOther) : TKvLinearMemoryBuffer(AOther) {}

private:
    using TUnaryOp = IppStatus (*)(const double*, double*, int);
    void FromOp(const TKvRealBufferPtr& Src, TUnaryOp AOp);
};
