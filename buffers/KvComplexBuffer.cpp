#include "buffers/KvComplexBuffer.h"

#include "buffers/KvBufferSupport.h"
#include "buffers/KvRealBuffer.h"
#include "primitives/IppDispatch.h"

using namespace kvbuffers;

static_assert(sizeof(TJwRealComplex) == sizeof(Ipp64fc) &&
              alignof(TJwRealComplex) == alignof(Ipp64fc));

namespace {

Ipp64fc ToIpp(const TJwRealComplex& AValue) {
    return {AValue.Re, AValue.Im};
}

const Ipp64fc* ReadOf(const TKvComplexBufferPtr& ABuffer) {
    return reinterpret_cast<const Ipp64fc*>(Need(ABuffer)->Read());
}

IppCmpOp CmpOp(TKvThresholdType AType) {
    return AType == ttGreaterThan ? ippCmpGreater : ippCmpLess;
}

} // namespace

TKvComplexBuffer::TKvComplexBuffer(uint32_t ASize, const void* AData)
    : TKvLinearMemoryBuffer(uint64_t{ASize} * sizeof(TJwRealComplex), AData) {}

TKvComplexBufferPtr TKvComplexBuffer::Create() {
    return TKvComplexBufferPtr(new TKvComplexBuffer(0u));
}

TKvComplexBufferPtr TKvComplexBuffer::CreateSize(uint32_t ASize) {
    return TKvComplexBufferPtr(new TKvComplexBuffer(ASize));
}

TKvComplexBufferPtr TKvComplexBuffer::CreateData(const TJwRealComplex* AData, uint32_t ASize) {
    return TKvComplexBufferPtr(new TKvComplexBuffer(ASize, AData));
}

TKvComplexBufferPtr TKvComplexBuffer::CreateValue(const TJwRealComplex& AValue, uint32_t ASize) {
    TKvComplexBufferPtr Buffer = CreateSize(ASize);
    Buffer->SetValue(AValue);
    return Buffer;
}

TKvComplexBufferPtr TKvComplexBuffer::CreateCopy(const TKvComplexBufferPtr& Other) {
    return TKvComplexBufferPtr(new TKvComplexBuffer(Implementor(Need(Other))));
}

TKvComplexBufferPtr TKvComplexBuffer::CreateUniversal(const TKvDataPtr& Other) {
    return TKvComplexBufferPtr(new TKvComplexBuffer(Implementor(Other.get())));
}

void* TKvComplexBuffer::QueryInterface(const TGUID& AIID) noexcept {
    if (void* R = KvFindInterface<IKvComplexBuffer>(this, AIID))
        return R;
    return TKvLinearMemoryBuffer::QueryInterface(AIID);
}

TKvDataPtr TKvComplexBuffer::MakeCopy() {
    return TKvDataPtr(static_cast<IKvComplexBuffer*>(new TKvComplexBuffer(this)));
}

bool TKvComplexBuffer::IsEqual(const TKvDataBufferPtr& Other) {
    return IsEqualAs<TKvComplexBuffer>(Other);
}

TJwRealComplex TKvComplexBuffer::GetItem(int32_t AIndex) {
    CheckIndex(AIndex);
    return Read()[AIndex];
}

void TKvComplexBuffer::SetItem(int32_t AIndex, const TJwRealComplex& AValue) {
    CheckIndex(AIndex);
    Modify()[AIndex] = AValue;
}

TKvRealBufferPtr TKvComplexBuffer::ToReal(TToRealOp AOp) {
    TKvRealBufferPtr Result = TKvRealBuffer::CreateSize(GetSize());
    AOp(ReadIpp(), Result->Write(), Len(GetSize()));
    return Result;
}

TKvRealBufferPtr TKvComplexBuffer::GetReal() {
    return ToReal(ippsReal_64fc);
}

TKvRealBufferPtr TKvComplexBuffer::GetImaginary() {
    return ToReal(ippsImag_64fc);
}

TKvRealBufferPtr TKvComplexBuffer::Phase() {
    return ToReal(ippsPhase_64fc);
}

TKvRealBufferPtr TKvComplexBuffer::Magnitude() {
    return ToReal(ippsMagnitude_64fc);
}

TKvRealBufferPtr TKvComplexBuffer::PowerSpectrum() {
    return ToReal(ippsPowerSpectr_64fc);
}

// The operand is read before this buffer separates itself from shared data.
void TKvComplexBuffer::BinaryOp(const TKvComplexBufferPtr& ABuffer, TBinaryOp AOp) {
    const Ipp64fc* Src = ReadOf(ABuffer);
    const uint32_t N = MinSize(GetSize(), ABuffer->GetSize());
    AOp(Src, ModifyIpp(), Len(N));
}

void TKvComplexBuffer::FromOp(const TKvComplexBufferPtr& Src, TUnaryOp AOp) {
    const Ipp64fc* S = ReadOf(Src);
    const uint32_t N = MinSize(GetSize(), Src->GetSize());
    AOp(S, WriteIpp(), Len(N));
}

void TKvComplexBuffer::Add(const TKvComplexBufferPtr& ABuffer) {
    BinaryOp(ABuffer, ippsAdd_64fc_I);
}

void TKvComplexBuffer::Subtract(const TKvComplexBufferPtr& ABuffer) {
    BinaryOp(ABuffer, ippsSub_64fc_I);
}

void TKvComplexBuffer::Multiply(const TKvComplexBufferPtr& ABuffer) {
    BinaryOp(ABuffer, ippsMul_64fc_I);
}

void TKvComplexBuffer::Divide(const TKvComplexBufferPtr& ABuffer) {
    BinaryOp(ABuffer, ippsDiv_64fc_I);
}

void TKvComplexBuffer::AddValue(const TJwRealComplex& AValue) {
    ippsAddC_64fc_I(ToIpp(AValue), ModifyIpp(), Len(GetSize()));
}

void TKvComplexBuffer::SubtractValue(const TJwRealComplex& AValue) {
    ippsSubC_64fc_I(ToIpp(AValue), ModifyIpp(), Len(GetSize()));
}

void TKvComplexBuffer::MultiplyValue(const TJwRealComplex& AValue) {
    ippsMulC_64fc_I(ToIpp(AValue), ModifyIpp(), Len(GetSize()));
}

void TKvComplexBuffer::DivideValue(const TJwRealComplex& AValue) {
    ippsDivC_64fc_I(ToIpp(AValue), ModifyIpp(), Len(GetSize()));
}

void TKvComplexBuffer::SetBuffer(const TKvRealBufferPtr& AReal, const TKvRealBufferPtr& AImag) {
    const uint32_t N = MinSize(Need(AReal)->GetSize(), Need(AImag)->GetSize());
    // Held across the resize, in case either part views this buffer's data.
    const TKvRealBufferPtr Real = TKvRealBuffer::CreateCopy(AReal);
    const TKvRealBufferPtr Imag = TKvRealBuffer::CreateCopy(AImag);
    Resize(N, false);
    ippsRealToCplx_64f(Real->Read(), Imag->Read(), WriteIpp(), Len(N));
}

void TKvComplexBuffer::SetValue(double AReal, double AImag) {
    ippsSet_64fc({AReal, AImag}, WriteIpp(), Len(GetSize()));
}

void TKvComplexBuffer::SetValue(const TJwRealComplex& AValue) {
    ippsSet_64fc(ToIpp(AValue), WriteIpp(), Len(GetSize()));
}

void TKvComplexBuffer::Zero() {
    ippsZero_64fc(WriteIpp(), Len(GetSize()));
}

void TKvComplexBuffer::NormalizeFrom(const TKvComplexBufferPtr& Src, const TJwRealComplex& Offset,
                                     double Factor) {
    const Ipp64fc* S = ReadOf(Src);
    const uint32_t N = MinSize(GetSize(), Src->GetSize());
    ippsNormalize_64fc(S, WriteIpp(), Len(N), ToIpp(Offset), Factor);
}

void TKvComplexBuffer::Normalize(const TJwRealComplex& Offset, double Factor) {
    // A shared copy as the source: writing separates this buffer from it.
    TKvComplexBufferPtr Source(new TKvComplexBuffer(this));
    NormalizeFrom(Source, Offset, Factor);
}

TJwRealComplex TKvComplexBuffer::Dot(const TKvComplexBufferPtr& Right) {
    Ipp64fc Result{0, 0};
    ippsDotProd_64fc(ReadIpp(), ReadOf(Right), Len(MinSize(GetSize(), Right->GetSize())), &Result);
    return {Result.re, Result.im};
}

void TKvComplexBuffer::Threshold(double AThreshold, TKvThresholdType AType) {
    ippsThreshold_64fc_I(ModifyIpp(), Len(GetSize()), AThreshold, CmpOp(AType));
}

void TKvComplexBuffer::ThresholdFrom(const TKvComplexBufferPtr& Src, double AThreshold,
                                     TKvThresholdType AType) {
    const Ipp64fc* S = ReadOf(Src);
    const uint32_t N = MinSize(GetSize(), Src->GetSize());
    ippsThreshold_64fc(S, WriteIpp(), Len(N), AThreshold, CmpOp(AType));
}

void TKvComplexBuffer::Sqr() {
    ippsSqr_64fc_I(ModifyIpp(), Len(GetSize()));
}

void TKvComplexBuffer::SqrFrom(const TKvComplexBufferPtr& Src) {
    FromOp(Src, ippsSqr_64fc);
}

void TKvComplexBuffer::Sqrt() {
    ippsSqrt_64fc_I(ModifyIpp(), Len(GetSize()));
}

void TKvComplexBuffer::SqrtFrom(const TKvComplexBufferPtr& Src) {
    FromOp(Src, ippsSqrt_64fc);
}

void TKvComplexBuffer::AutoCorr(const TKvComplexBufferPtr& Src, TKvAutoCorrType AType) {
    const uint32_t Size = GetSize();
    const Ipp64fc* S = ReadOf(Src);
    if (Src->GetSize() < Size)
        KvRangeError("Index out of range = %u", Src->GetSize());
    Ipp64fc* D = WriteIpp();
    switch (AType) {
    case actNormal:
        ippsAutoCorr_64fc(S, Len(Size), D, Len(Size));
        break;
    case actBiased:
        ippsAutoCorr_NormA_64fc(S, Len(Size), D, Len(Size));
        break;
    case actUnbiased:
        ippsAutoCorr_NormB_64fc(S, Len(Size), D, Len(Size));
        break;
    }
}

void TKvComplexBuffer::CrossCorr(const TKvComplexBufferPtr& Src1, const TKvComplexBufferPtr& Src2,
                                 int32_t LoLag) {
    const Ipp64fc* S1 = ReadOf(Src1);
    const Ipp64fc* S2 = ReadOf(Src2);
    ippsCrossCorr_64fc(S1, Len(Src1->GetSize()), S2, Len(Src2->GetSize()), WriteIpp(),
                       Len(GetSize()), LoLag);
}
