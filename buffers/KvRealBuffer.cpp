#include "buffers/KvRealBuffer.h"

#include <cmath>

#include "buffers/KvBufferSupport.h"
#include "primitives/IppDispatch.h"

using namespace kvbuffers;

namespace {

// Marks of a missing value, skipped by the restricted searches.
constexpr double MissingHigh = 1.7e308;
constexpr double MissingLow = -1.7e308;

bool IsMissing(double AValue) {
    return AValue == MissingHigh || AValue == MissingLow;
}

IppCmpOp CmpOp(TKvThresholdType AType) {
    return AType == ttGreaterThan ? ippCmpGreater : ippCmpLess;
}

// Rounds ties to even (the default rounding mode) and saturates, so that
// values outside the 16-bit range cannot wrap.
int16_t ToInt16(double AValue, bool ARound) {
    const double Value = ARound ? std::nearbyint(AValue) : std::trunc(AValue);
    if (std::isnan(Value))
        return 0;
    if (Value <= -32768.0)
        return -32768;
    if (Value >= 32767.0)
        return 32767;
    return static_cast<int16_t>(Value);
}

template <class T> TKvRealBufferPtr FromLoop(TKvRealBufferPtr ABuffer, const T* AData) {
    double* Dst = ABuffer->Write();
    for (uint32_t I = 0, N = ABuffer->GetSize(); I < N; ++I)
        Dst[I] = static_cast<double>(AData[I]);
    return ABuffer;
}

} // namespace

TKvRealBuffer::TKvRealBuffer(uint32_t ASize, const void* AData)
    : TKvLinearMemoryBuffer(uint64_t{ASize} * sizeof(double), AData) {}

TKvRealBufferPtr TKvRealBuffer::Create() {
    return TKvRealBufferPtr(new TKvRealBuffer(0u));
}

TKvRealBufferPtr TKvRealBuffer::CreateSize(uint32_t ASize) {
    return TKvRealBufferPtr(new TKvRealBuffer(ASize));
}

TKvRealBufferPtr TKvRealBuffer::CreateData(const double* AData, uint32_t ASize) {
    return TKvRealBufferPtr(new TKvRealBuffer(ASize, AData));
}

TKvRealBufferPtr TKvRealBuffer::CreateValue(double AValue, uint32_t ASize) {
    TKvRealBufferPtr Buffer = CreateSize(ASize);
    Buffer->SetValue(AValue);
    return Buffer;
}

TKvRealBufferPtr TKvRealBuffer::CreateCopy(const TKvRealBufferPtr& Other) {
    return TKvRealBufferPtr(new TKvRealBuffer(Implementor(Need(Other))));
}

TKvRealBufferPtr TKvRealBuffer::CreateUniversal(const TKvDataPtr& Other) {
    return TKvRealBufferPtr(new TKvRealBuffer(Implementor(Other.get())));
}

TKvRealBufferPtr TKvRealBuffer::CreateWordData(const uint16_t* AData, uint32_t ASize) {
    return FromLoop(CreateSize(ASize), AData);
}

TKvRealBufferPtr TKvRealBuffer::CreateSmallIntData(const int16_t* AData, uint32_t ASize) {
    TKvRealBufferPtr Buffer = CreateSize(ASize);
    Buffer->FromShort(AData);
    return Buffer;
}

TKvRealBufferPtr TKvRealBuffer::CreateCardinalData(const uint32_t* AData, uint32_t ASize) {
    return FromLoop(CreateSize(ASize), AData);
}

TKvRealBufferPtr TKvRealBuffer::CreateIntegerData(const int32_t* AData, uint32_t ASize) {
    TKvRealBufferPtr Buffer = CreateSize(ASize);
    Buffer->FromInt(AData);
    return Buffer;
}

TKvRealBufferPtr TKvRealBuffer::CreateSingleData(const float* AData, uint32_t ASize) {
    TKvRealBufferPtr Buffer = CreateSize(ASize);
    Buffer->FromSingle(AData);
    return Buffer;
}

void* TKvRealBuffer::QueryInterface(const TGUID& AIID) noexcept {
    if (void* R = KvFindInterface<IKvRealBuffer>(this, AIID))
        return R;
    return TKvLinearMemoryBuffer::QueryInterface(AIID);
}

TKvDataPtr TKvRealBuffer::MakeCopy() {
    return TKvDataPtr(static_cast<IKvRealBuffer*>(new TKvRealBuffer(this)));
}

bool TKvRealBuffer::IsEqual(const TKvDataBufferPtr& Other) {
    return IsEqualAs<TKvRealBuffer>(Other);
}

void TKvRealBuffer::CopyDataTo(uint32_t SrcOffset, const TKvDataBufferPtr& Dest,
                               uint32_t DestOffset, uint32_t Count) {
    TKvRealBufferPtr Real;
    if (!Supports(Dest, Real)) {
        TKvLinearMemoryBuffer::CopyDataTo(SrcOffset, Dest, DestOffset, Count);
        return;
    }
    if (uint64_t{SrcOffset} + Count > GetSize())
        KvRangeError("Index out of range = %u", int64_t{SrcOffset} + Count - 1);
    if (uint64_t{DestOffset} + Count > Real->GetSize())
        KvRangeError("Index out of range = %u", int64_t{DestOffset} + Count - 1);
    if (Count == 0)
        return;
    const double* Src = Read() + SrcOffset;
    ippsCopy_64f(Src, Real->Modify() + DestOffset, Len(Count));
}

double TKvRealBuffer::GetItem(int32_t AIndex) {
    CheckIndex(AIndex);
    return Read()[AIndex];
}

void TKvRealBuffer::SetItem(int32_t AIndex, double AValue) {
    CheckIndex(AIndex);
    Modify()[AIndex] = AValue;
}

void TKvRealBuffer::VectorJaehne(double AMagnitude) {
    ippsVectorJaehne_64f(Write(), Len(GetSize()), AMagnitude);
}

// The operand's data are read before this buffer separates itself: if the
// operand shares the data, the old container stays alive with its other owner.
void TKvRealBuffer::Add(const TKvRealBufferPtr& ABuffer) {
    const uint32_t N = MinSize(GetSize(), Need(ABuffer)->GetSize());
    const double* Src = ABuffer->Read();
    ippsAdd_64f_I(Src, Modify(), Len(N));
}

void TKvRealBuffer::Subtract(const TKvRealBufferPtr& ABuffer) {
    const uint32_t N = MinSize(GetSize(), Need(ABuffer)->GetSize());
    const double* Src = ABuffer->Read();
    ippsSub_64f_I(Src, Modify(), Len(N));
}

void TKvRealBuffer::Multiply(const TKvRealBufferPtr& ABuffer) {
    const uint32_t N = MinSize(GetSize(), Need(ABuffer)->GetSize());
    const double* Src = ABuffer->Read();
    ippsMul_64f_I(Src, Modify(), Len(N));
}

void TKvRealBuffer::Divide(const TKvRealBufferPtr& ABuffer) {
    const uint32_t N = MinSize(GetSize(), Need(ABuffer)->GetSize());
    const double* Src = ABuffer->Read();
    DivideReal(Src, Modify(), Len(N));
}

void TKvRealBuffer::SetValue(double AValue) {
    ippsSet_64f(AValue, Write(), Len(GetSize()));
}

void TKvRealBuffer::AddValue(double AValue) {
    if (AValue != 0)
        ippsAddC_64f_I(AValue, Modify(), Len(GetSize()));
}

void TKvRealBuffer::SubtractValue(double AValue) {
    if (AValue != 0)
        ippsSubC_64f_I(AValue, Modify(), Len(GetSize()));
}

void TKvRealBuffer::MultiplyValue(double AValue) {
    if (AValue != 1)
        ippsMulC_64f_I(AValue, Modify(), Len(GetSize()));
}

void TKvRealBuffer::DivideValue(double AValue) {
    if (AValue != 0 && AValue != 1)
        ippsDivC_64f_I(AValue, Modify(), Len(GetSize()));
}

void TKvRealBuffer::Zero() {
    ippsZero_64f(Write(), Len(GetSize()));
}

void TKvRealBuffer::ToInt(int32_t* OutBuffer, bool ARound) {
    ippsConvert_64f32s_Sfs(Read(), OutBuffer, Len(GetSize()), ARound ? ippRndNear : ippRndZero, 0);
}

void TKvRealBuffer::ToShort(int16_t* OutBuffer, bool ARound) {
    const double* Src = Read();
    for (uint32_t I = 0, N = GetSize(); I < N; ++I)
        OutBuffer[I] = ToInt16(Src[I], ARound);
}

void TKvRealBuffer::ToSingle(float* OutBuffer) {
    ippsConvert_64f32f(Read(), OutBuffer, Len(GetSize()));
}

void TKvRealBuffer::FromInt(const int32_t* InBuffer) {
    ippsConvert_32s64f(InBuffer, Write(), Len(GetSize()));
}

void TKvRealBuffer::FromShort(const int16_t* InBuffer) {
    ippsConvert_16s64f_Sfs(InBuffer, Write(), Len(GetSize()), 0);
}

void TKvRealBuffer::FromSingle(const float* InBuffer) {
    ippsConvert_32f64f(InBuffer, Write(), Len(GetSize()));
}

void TKvRealBuffer::NormalizeFrom(const TKvRealBufferPtr& Src, double Offset, double Factor) {
    const uint32_t N = MinSize(GetSize(), Need(Src)->GetSize());
    const double* S = Src->Read();
    ippsNormalize_64f(S, Write(), Len(N), Offset, Factor);
}

void TKvRealBuffer::Normalize(double Offset, double Factor) {
    // A shared copy as the source: writing separates this buffer from it.
    TKvRealBufferPtr Source(new TKvRealBuffer(this));
    NormalizeFrom(Source, Offset, Factor);
}

double TKvRealBuffer::Dot(const TKvRealBufferPtr& Right) {
    double Result = 0;
    ippsDotProd_64f(Read(), Need(Right)->Read(), Len(MinSize(GetSize(), Right->GetSize())),
                    &Result);
    return Result;
}

void TKvRealBuffer::Threshold(double AThreshold, TKvThresholdType AType) {
    ippsThreshold_64f_I(Modify(), Len(GetSize()), AThreshold, CmpOp(AType));
}

void TKvRealBuffer::ThresholdFrom(const TKvRealBufferPtr& Src, double AThreshold,
                                  TKvThresholdType AType) {
    const uint32_t N = MinSize(GetSize(), Need(Src)->GetSize());
    const double* S = Src->Read();
    ippsThreshold_64f(S, Write(), Len(N), AThreshold, CmpOp(AType));
}

void TKvRealBuffer::FromOp(const TKvRealBufferPtr& Src, TUnaryOp AOp) {
    const uint32_t N = MinSize(GetSize(), Need(Src)->GetSize());
    const double* S = Src->Read();
    AOp(S, Write(), Len(N));
}

void TKvRealBuffer::Sqr() {
    ippsSqr_64f_I(Modify(), Len(GetSize()));
}

void TKvRealBuffer::SqrFrom(const TKvRealBufferPtr& Src) {
    FromOp(Src, ippsSqr_64f);
}

void TKvRealBuffer::Sqrt() {
    ippsSqrt_64f_I(Modify(), Len(GetSize()));
}

void TKvRealBuffer::SqrtFrom(const TKvRealBufferPtr& Src) {
    FromOp(Src, ippsSqrt_64f);
}

void TKvRealBuffer::AutoCorr(const TKvRealBufferPtr& Src, TKvAutoCorrType AType) {
    const uint32_t Size = GetSize();
    const uint32_t SrcSize = Need(Src)->GetSize();
    // The source is read over this buffer's length.
    if (SrcSize < Size)
        KvRangeError("Index out of range = %u", SrcSize);
    const double* S = Src->Read();
    double* D = Write();
    switch (AType) {
    case actNormal:
        ippsAutoCorr_64f(S, Len(Size), D, Len(Size));
        break;
    case actBiased:
        ippsAutoCorr_NormA_64f(S, Len(Size), D, Len(Size));
        break;
    case actUnbiased:
        ippsAutoCorr_NormB_64f(S, Len(Size), D, Len(Size));
        break;
    }
}

void TKvRealBuffer::CrossCorr(const TKvRealBufferPtr& Src1, const TKvRealBufferPtr& Src2,
                              int32_t LoLag) {
    const double* S1 = Need(Src1)->Read();
    const double* S2 = Need(Src2)->Read();
    ippsCrossCorr_64f(S1, Len(Src1->GetSize()), S2, Len(Src2->GetSize()), Write(), Len(GetSize()),
                      LoLag);
}

void TKvRealBuffer::Abs() {
    ippsAbs_64f_I(Modify(), Len(GetSize()));
}

void TKvRealBuffer::AbsFrom(const TKvRealBufferPtr& Src) {
    FromOp(Src, ippsAbs_64f);
}

void TKvRealBuffer::Exp() {
    ippsExp_64f_I(Modify(), Len(GetSize()));
}

void TKvRealBuffer::ExpFrom(const TKvRealBufferPtr& Src) {
    FromOp(Src, ippsExp_64f);
}

void TKvRealBuffer::Ln() {
    ippsLn_64f_I(Modify(), Len(GetSize()));
}

void TKvRealBuffer::LnFrom(const TKvRealBufferPtr& Src) {
    FromOp(Src, ippsLn_64f);
}

double TKvRealBuffer::Mean() {
    double Result = 0;
    ippsMean_64f(Read(), Len(GetSize()), &Result);
    return Result;
}

double TKvRealBuffer::StdDev() {
    double Result = 0;
    ippsStdDev_64f(Read(), Len(GetSize()), &Result);
    return Result;
}

void TKvRealBuffer::Convolve(const TKvRealBufferPtr& Src, const TKvRealBufferPtr& H) {
    const uint32_t SrcSize = Need(Src)->GetSize();
    const uint32_t HSize = Need(H)->GetSize();
    if (SrcSize == 0 || HSize == 0)
        return;
    const uint64_t Needed = uint64_t{SrcSize} + HSize - 1;
    if (Needed > GetSize())
        KvRangeError("Index out of range = %u", static_cast<int64_t>(Needed - 1));
    const double* S = Src->Read();
    const double* Taps = H->Read();
    ippsConv_64f(S, Len(SrcSize), Taps, Len(HSize), Write());
}

double TKvRealBuffer::Norm(const TKvRealBufferPtr& Src, TKvNormType AType) {
    const int N = Len(MinSize(GetSize(), Need(Src)->GetSize()));
    double Result = 0;
    switch (AType) {
    case ntL1Norm:
        ippsNormDiff_L1_64f(Read(), Src->Read(), N, &Result);
        break;
    case ntL2Norm:
        ippsNormDiff_L2_64f(Read(), Src->Read(), N, &Result);
        break;
    case ntCNorm:
        ippsNormDiff_Inf_64f(Read(), Src->Read(), N, &Result);
        break;
    }
    return Result;
}

double TKvRealBuffer::GetMinValue() {
    double Result = 0;
    if (GetSize() > 0)
        ippsMin_64f(Read(), Len(GetSize()), &Result);
    return Result;
}

double TKvRealBuffer::GetMaxValue() {
    double Result = 0;
    if (GetSize() > 0)
        ippsMax_64f(Read(), Len(GetSize()), &Result);
    return Result;
}

double TKvRealBuffer::GetMinIndex(int32_t& AIndex) {
    AIndex = 0;
    double Result = 0;
    int Index = 0;
    if (GetSize() > 0 && ippsMinIndx_64f(Read(), Len(GetSize()), &Result, &Index) == ippStsNoErr)
        AIndex = Index;
    return Result;
}

double TKvRealBuffer::GetMaxIndex(int32_t& AIndex) {
    AIndex = 0;
    double Result = 0;
    int Index = 0;
    if (GetSize() > 0 && ippsMaxIndx_64f(Read(), Len(GetSize()), &Result, &Index) == ippStsNoErr)
        AIndex = Index;
    return Result;
}

double TKvRealBuffer::GetMin(int32_t IndexBegin, int32_t IndexEnd) {
    const TIndexRange Range = ClampRange(IndexBegin, IndexEnd, GetSize());
    double Result = 0;
    if (!Range.Empty())
        ippsMin_64f(Read() + Range.Begin, Range.End - Range.Begin, &Result);
    return Result;
}

double TKvRealBuffer::GetMax(int32_t IndexBegin, int32_t IndexEnd) {
    const TIndexRange Range = ClampRange(IndexBegin, IndexEnd, GetSize());
    double Result = 0;
    if (!Range.Empty())
        ippsMax_64f(Read() + Range.Begin, Range.End - Range.Begin, &Result);
    return Result;
}

double TKvRealBuffer::GetMinRestricted(int32_t IndexBegin, int32_t IndexEnd) {
    const TIndexRange Range = ClampRange(IndexBegin, IndexEnd, GetSize());
    if (Range.Empty())
        return 0;
    const double* Data = Read();
    double Result = IsMissing(Data[Range.Begin]) ? 0 : Data[Range.Begin];
    for (int32_t I = Range.Begin + 1; I < Range.End; ++I)
        if (!IsMissing(Data[I]) && Data[I] < Result)
            Result = Data[I];
    return Result;
}

double TKvRealBuffer::GetMaxRestricted(int32_t IndexBegin, int32_t IndexEnd) {
    const TIndexRange Range = ClampRange(IndexBegin, IndexEnd, GetSize());
    if (Range.Empty())
        return 0;
    const double* Data = Read();
    double Result = IsMissing(Data[Range.Begin]) ? 0 : Data[Range.Begin];
    for (int32_t I = Range.Begin + 1; I < Range.End; ++I)
        if (!IsMissing(Data[I]) && Data[I] > Result)
            Result = Data[I];
    return Result;
}
