#pragma once
// The interfaces through which sample buffers are shared. Interfaces extend
// each other virtually, so that one buffer object answers every interface of
// its line with a single implementation of each operation.

#include <cstdint>

#include <QString>

#include "platform/Interfaces.h"

// One complex value: real part, then imaginary part.
struct TJwRealComplex {
    double Re;
    double Im;
};

enum TKvThresholdType { ttGreaterThan, ttLessThan };
enum TKvAutoCorrType { actNormal, actBiased, actUnbiased };
enum TKvNormType { ntL1Norm, ntL2Norm, ntCNorm };

class TKvBasicBuffer;
class TKvSequenceStamp;
class IKvData;
class IKvDataBuffer;
class IKvRealBuffer;
class IKvIntegerBuffer;
class IKvComplexBuffer;
class IKvBlockBuffer;
class IKvRealBufferArray;
class IKvRealMatrixBuffer;

using TKvDataPtr = TIntfPtr<IKvData>;
using TKvDataBufferPtr = TIntfPtr<IKvDataBuffer>;
using TKvRealBufferPtr = TIntfPtr<IKvRealBuffer>;
using TKvIntegerBufferPtr = TIntfPtr<IKvIntegerBuffer>;
using TKvComplexBufferPtr = TIntfPtr<IKvComplexBuffer>;
using TKvBlockBufferPtr = TIntfPtr<IKvBlockBuffer>;
using TKvRealBufferArrayPtr = TIntfPtr<IKvRealBufferArray>;
using TKvRealMatrixBufferPtr = TIntfPtr<IKvRealMatrixBuffer>;

class IKvData : public virtual IInterface {
public:
    using Parent = IInterface;
    static constexpr TGUID IID = TGUID::Parse("{B9246BCA-4961-415C-945F-257B3EA0ECFC}");

    virtual TKvBasicBuffer* GetInstance() = 0;
    // A new buffer object of the same class sharing the data.
    virtual TKvDataPtr MakeCopy() = 0;

protected:
    ~IKvData() = default;
};

class IKvDataBuffer : public virtual IKvData {
public:
    using Parent = IKvData;
    static constexpr TGUID IID = TGUID::Parse("{CA519E69-AECD-43D8-89CF-3B55E15541ED}");

    virtual void Assign(const TKvDataBufferPtr& OtherBuffer) = 0;
    virtual bool IsEqual(const TKvDataBufferPtr& Other) = 0;
    virtual const void* ByteRead() = 0;
    // The data made unique without keeping them (for overwriting).
    virtual void* ByteWrite() = 0;
    // The data made unique with their contents (for changing).
    virtual void* ByteModify() = 0;
    virtual uint32_t GetByteSize() = 0;
    virtual uint32_t GetSize() = 0;
    virtual TKvSequenceStamp* GetSequenceStamp() = 0;
    virtual void CopyDataTo(uint32_t SrcOffset, const TKvDataBufferPtr& Dest, uint32_t DestOffset,
                            uint32_t Count) = 0;
    virtual void Unique(bool PreserveData) = 0;
    virtual void SaveToFile(const QString& AFileName) = 0;
    virtual void LoadFromFile(const QString& AFileName) = 0;

protected:
    ~IKvDataBuffer() = default;
};

class IKvLinearDataBuffer : public virtual IKvDataBuffer {
public:
    using Parent = IKvDataBuffer;
    static constexpr TGUID IID = TGUID::Parse("{4C550C77-77FF-4AF4-A959-C1085B1DE2F4}");

    virtual void Resize(uint32_t Size, bool PreserveData) = 0;

protected:
    ~IKvLinearDataBuffer() = default;
};

class IKvGenericBuffer : public virtual IKvDataBuffer {
public:
    using Parent = IKvDataBuffer;
    static constexpr TGUID IID = TGUID::Parse("{D4612012-7681-404F-ACCB-1086DA16207B}");

protected:
    ~IKvGenericBuffer() = default;
};

class IKvBlockBuffer : public virtual IKvLinearDataBuffer {
public:
    using Parent = IKvLinearDataBuffer;
    static constexpr TGUID IID = TGUID::Parse("{1D7F6725-9466-43E9-9B6C-164FAB691FEA}");

    virtual const uint8_t* Read() = 0;
    virtual uint8_t* Write() = 0;
    virtual uint8_t* Modify() = 0;
    virtual void Add(const TKvBlockBufferPtr& ABuffer) = 0;
    virtual void Subtract(const TKvBlockBufferPtr& ABuffer) = 0;
    virtual void Multiply(const TKvBlockBufferPtr& ABuffer) = 0;
    virtual void Divide(const TKvBlockBufferPtr& ABuffer) = 0;
    virtual void SetValue(uint8_t AValue) = 0;
    virtual void Zero() = 0;
    virtual uint8_t GetItem(int32_t AIndex) = 0;
    virtual void SetItem(int32_t AIndex, uint8_t AValue) = 0;

protected:
    ~IKvBlockBuffer() = default;
};

class IKvRealBuffer : public virtual IKvLinearDataBuffer {
public:
    using Parent = IKvLinearDataBuffer;
    static constexpr TGUID IID = TGUID::Parse("{032C61EC-364E-4739-A2FE-E7DA0BA64939}");

    virtual const double* Read() = 0;
    virtual double* Write() = 0;
    virtual double* Modify() = 0;
    virtual double GetItem(int32_t AIndex) = 0;
    virtual void SetItem(int32_t AIndex, double AValue) = 0;
    virtual void VectorJaehne(double AMagnitude) = 0;
    virtual void Add(const TKvRealBufferPtr& ABuffer) = 0;
    virtual void Subtract(const TKvRealBufferPtr& ABuffer) = 0;
    virtual void Multiply(const TKvRealBufferPtr& ABuffer) = 0;
    virtual void Divide(const TKvRealBufferPtr& ABuffer) = 0;
    virtual void SetValue(double AValue) = 0;
    virtual void AddValue(double AValue) = 0;
    virtual void SubtractValue(double AValue) = 0;
    virtual void MultiplyValue(double AValue) = 0;
    virtual void DivideValue(double AValue) = 0;
    virtual void Zero() = 0;
    // The conversions read or write GetSize values at the caller's pointer.
    virtual void ToInt(int32_t* OutBuffer, bool ARound) = 0;
    virtual void ToShort(int16_t* OutBuffer, bool ARound) = 0;
    virtual void ToSingle(float* OutBuffer) = 0;
    virtual void FromInt(const int32_t* InBuffer) = 0;
    virtual void FromShort(const int16_t* InBuffer) = 0;
    virtual void FromSingle(const float* InBuffer) = 0;
    virtual void NormalizeFrom(const TKvRealBufferPtr& Src, double Offset, double Factor) = 0;
    virtual void Normalize(double Offset, double Factor) = 0;
    virtual double Dot(const TKvRealBufferPtr& Right) = 0;
    virtual void Threshold(double AThreshold, TKvThresholdType AType) = 0;
    virtual void ThresholdFrom(const TKvRealBufferPtr& Src, double AThreshold,
                               TKvThresholdType AType) = 0;
    virtual void Sqr() = 0;
    virtual void SqrFrom(const TKvRealBufferPtr& Src) = 0;
    virtual void Sqrt() = 0;
    virtual void SqrtFrom(const TKvRealBufferPtr& Src) = 0;
    virtual void AutoCorr(const TKvRealBufferPtr& Src, TKvAutoCorrType AType) = 0;
    virtual void CrossCorr(const TKvRealBufferPtr& Src1, const TKvRealBufferPtr& Src2,
                           int32_t LoLag) = 0;
    virtual void Abs() = 0;
    virtual void AbsFrom(const TKvRealBufferPtr& Src) = 0;
    virtual void Exp() = 0;
    virtual void ExpFrom(const TKvRealBufferPtr& Src) = 0;
    virtual void Ln() = 0;
    virtual void LnFrom(const TKvRealBufferPtr& Src) = 0;
    virtual double Mean() = 0;
    virtual double StdDev() = 0;
    virtual void Convolve(const TKvRealBufferPtr& Src, const TKvRealBufferPtr& H) = 0;
    virtual double Norm(const TKvRealBufferPtr& Src, TKvNormType AType) = 0;
    virtual double GetMinValue() = 0;
    virtual double GetMaxValue() = 0;
    virtual double GetMinIndex(int32_t& AIndex) = 0;
    virtual double GetMaxIndex(int32_t& AIndex) = 0;
    virtual double GetMin(int32_t IndexBegin, int32_t IndexEnd) = 0;
    virtual double GetMax(int32_t IndexBegin, int32_t IndexEnd) = 0;
    virtual double GetMinRestricted(int32_t IndexBegin, int32_t IndexEnd) = 0;
    virtual double GetMaxRestricted(int32_t IndexBegin, int32_t IndexEnd) = 0;

protected:
    ~IKvRealBuffer() = default;
};

class IKvIntegerBuffer : public virtual IKvLinearDataBuffer {
public:
    using Parent = IKvLinearDataBuffer;
    static constexpr TGUID IID = TGUID::Parse("{51D45274-AF18-4746-BBF1-94C82F07139B}");

    virtual const int32_t* Read() = 0;
    virtual int32_t* Write() = 0;
    virtual int32_t* Modify() = 0;
    virtual int32_t GetItem(int32_t AIndex) = 0;
    virtual void SetItem(int32_t AIndex, int32_t AValue) = 0;
    virtual void Add(const TKvIntegerBufferPtr& ABuffer) = 0;
    virtual void Subtract(const TKvIntegerBufferPtr& ABuffer) = 0;
    virtual void Multiply(const TKvIntegerBufferPtr& ABuffer) = 0;
    virtual void Divide(const TKvIntegerBufferPtr& ABuffer) = 0;
    virtual void ModBuffer(const TKvIntegerBufferPtr& ABuffer) = 0;
    virtual void AndBuffer(const TKvIntegerBufferPtr& ABuffer) = 0;
    virtual void OrBuffer(const TKvIntegerBufferPtr& ABuffer) = 0;
    virtual void XorBuffer(const TKvIntegerBufferPtr& ABuffer) = 0;
    virtual void LShift(const TKvIntegerBufferPtr& ABuffer) = 0;
    virtual void RShift(const TKvIntegerBufferPtr& ABuffer) = 0;
    virtual void SetValue(int32_t AValue) = 0;
    virtual void AddValue(int32_t AValue) = 0;
    virtual void SubtractValue(int32_t AValue) = 0;
    virtual void MultiplyValue(int32_t AValue) = 0;
    virtual void DivideValue(int32_t AValue) = 0;
    virtual void ModValue(int32_t AValue) = 0;
    virtual void AndValue(int32_t AValue) = 0;
    virtual void OrValue(int32_t AValue) = 0;
    virtual void XorValue(int32_t AValue) = 0;
    virtual void LShiftValue(int32_t AValue) = 0;
    virtual void RShiftValue(int32_t AValue) = 0;
    virtual void Zero() = 0;
    virtual int32_t Dot(const TKvIntegerBufferPtr& Right) = 0;
    virtual int32_t GetMinValue() = 0;
    virtual int32_t GetMaxValue() = 0;

protected:
    ~IKvIntegerBuffer() = default;
};

class IKvComplexBuffer : public virtual IKvLinearDataBuffer {
public:
    using Parent = IKvLinearDataBuffer;
    static constexpr TGUID IID = TGUID::Parse("{FA61019A-FF10-4472-9F8C-89DC48D5C792}");

    virtual const TJwRealComplex* Read() = 0;
    virtual TJwRealComplex* Write() = 0;
    virtual TJwRealComplex* Modify() = 0;
    virtual TJwRealComplex GetItem(int32_t AIndex) = 0;
    virtual void SetItem(int32_t AIndex, const TJwRealComplex& AValue) = 0;
    virtual TKvRealBufferPtr GetReal() = 0;
    virtual TKvRealBufferPtr GetImaginary() = 0;
    virtual void Add(const TKvComplexBufferPtr& ABuffer) = 0;
    virtual void Subtract(const TKvComplexBufferPtr& ABuffer) = 0;
    virtual void Multiply(const TKvComplexBufferPtr& ABuffer) = 0;
    virtual void Divide(const TKvComplexBufferPtr& ABuffer) = 0;
    virtual void AddValue(const TJwRealComplex& AValue) = 0;
    virtual void SubtractValue(const TJwRealComplex& AValue) = 0;
    virtual void MultiplyValue(const TJwRealComplex& AValue) = 0;
    virtual void DivideValue(const TJwRealComplex& AValue) = 0;
    virtual void SetBuffer(const TKvRealBufferPtr& AReal, const TKvRealBufferPtr& AImag) = 0;
    virtual void SetValue(double AReal, double AImag) = 0;
    virtual void SetValue(const TJwRealComplex& AValue) = 0;
    virtual void Zero() = 0;
    virtual void NormalizeFrom(const TKvComplexBufferPtr& Src, const TJwRealComplex& Offset,
                               double Factor) = 0;
    virtual void Normalize(const TJwRealComplex& Offset, double Factor) = 0;
    virtual TJwRealComplex Dot(const TKvComplexBufferPtr& Right) = 0;
    virtual void Threshold(double AThreshold, TKvThresholdType AType) = 0;
    virtual void ThresholdFrom(const TKvComplexBufferPtr& Src, double AThreshold,
                               TKvThresholdType AType) = 0;
    virtual void Sqr() = 0;
    virtual void SqrFrom(const TKvComplexBufferPtr& Src) = 0;
    virtual void Sqrt() = 0;
    virtual void SqrtFrom(const TKvComplexBufferPtr& Src) = 0;
    virtual void AutoCorr(const TKvComplexBufferPtr& Src, TKvAutoCorrType AType) = 0;
    virtual void CrossCorr(const TKvComplexBufferPtr& Src1, const TKvComplexBufferPtr& Src2,
                           int32_t LoLag) = 0;
    virtual TKvRealBufferPtr Phase() = 0;
    virtual TKvRealBufferPtr Magnitude() = 0;
    virtual TKvRealBufferPtr PowerSpectrum() = 0;

protected:
    ~IKvComplexBuffer() = default;
};

class IKvRealBufferArray : public virtual IKvData {
public:
    using Parent = IKvData;
    static constexpr TGUID IID = TGUID::Parse("{7917F92D-A6A1-4209-9491-F36F589B1006}");

    virtual void AssignArray(const TKvRealBufferArrayPtr& Source) = 0;
    virtual int32_t GetCols() = 0;
    virtual int32_t GetRows() = 0;
    virtual int32_t GetRowLength(int32_t ARow) = 0;
    virtual TKvRealBufferPtr GetRow(int32_t ARow) = 0;
    virtual void SetRow(int32_t ARow, const TKvRealBufferPtr& ABuffer) = 0;
    virtual double GetValue(int32_t ARow, int32_t ACol) = 0;
    virtual void SetValue(int32_t ARow, int32_t ACol, double AValue) = 0;
    virtual void AddArray(const TKvRealBufferArrayPtr& Source) = 0;
    virtual void SubtractArray(const TKvRealBufferArrayPtr& Source) = 0;
    virtual void MultiplyArray(const TKvRealBufferArrayPtr& Source) = 0;
    virtual void DivideArray(const TKvRealBufferArrayPtr& Source) = 0;
    virtual void SetConstant(double AValue) = 0;
    virtual void AddConstant(double AValue) = 0;
    virtual void SubtractConstant(double AValue) = 0;
    virtual void MultiplyConstant(double AValue) = 0;
    virtual void DivideConstant(double AValue) = 0;
    virtual void Zero() = 0;
    virtual void ResizeMatrix(int32_t ARows, int32_t ACols, bool Preserve) = 0;

protected:
    ~IKvRealBufferArray() = default;
};

class IKvRealMatrixBuffer : public virtual IKvRealBufferArray {
public:
    using Parent = IKvRealBufferArray;
    static constexpr TGUID IID = TGUID::Parse("{F3CA41F1-2B7E-49F4-8E08-7B78E6031B57}");

    virtual const double* Read() = 0;
    virtual double* Write() = 0;
    virtual double* Modify() = 0;

protected:
    ~IKvRealMatrixBuffer() = default;
};
