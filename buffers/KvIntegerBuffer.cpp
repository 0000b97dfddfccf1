#include "buffers/KvIntegerBuffer.h"

#include "buffers/KvBufferSupport.h"
#include "primitives/IppDispatch.h"

using namespace kvbuffers;

namespace {

// Through 64 bits, so that the one quotient that overflows 32 bits
// (the smallest value divided by -1) wraps instead of trapping.
int32_t Quotient(int32_t A, int32_t B) {
    return static_cast<int32_t>(static_cast<int64_t>(A) / B);
}

int32_t Remainder(int32_t A, int32_t B) {
    return static_cast<int32_t>(static_cast<int64_t>(A) % B);
}

Ipp32u* AsUnsigned(int32_t* AData) {
    return reinterpret_cast<Ipp32u*>(AData);
}

const Ipp32u* AsUnsigned(const int32_t* AData) {
    return reinterpret_cast<const Ipp32u*>(AData);
}

} // namespace

TKvIntegerBuffer::TKvIntegerBuffer(uint32_t ASize, const void* AData)
    : TKvLinearMemoryBuffer(uint64_t{ASize} * sizeof(int32_t), AData) {}

TKvIntegerBufferPtr TKvIntegerBuffer::Create() {
    return TKvIntegerBufferPtr(new TKvIntegerBuffer(0u));
}

TKvIntegerBufferPtr TKvIntegerBuffer::CreateSize(uint32_t ASize) {
    return TKvIntegerBufferPtr(new TKvIntegerBuffer(ASize));
}

TKvIntegerBufferPtr TKvIntegerBuffer::CreateData(const int32_t* AData, uint32_t ASize) {
    return TKvIntegerBufferPtr(new TKvIntegerBuffer(ASize, AData));
}

TKvIntegerBufferPtr TKvIntegerBuffer::CreateValue(int32_t AValue, uint32_t ASize) {
    TKvIntegerBufferPtr Buffer = CreateSize(ASize);
    Buffer->SetValue(AValue);
    return Buffer;
}

TKvIntegerBufferPtr TKvIntegerBuffer::CreateCopy(const TKvIntegerBufferPtr& Other) {
    return TKvIntegerBufferPtr(new TKvIntegerBuffer(Implementor(Need(Other))));
}

TKvIntegerBufferPtr TKvIntegerBuffer::CreateUniversal(const TKvDataPtr& Other) {
    return TKvIntegerBufferPtr(new TKvIntegerBuffer(Implementor(Other.get())));
}

void* TKvIntegerBuffer::QueryInterface(const TGUID& AIID) noexcept {
    if (void* R = KvFindInterface<IKvIntegerBuffer>(this, AIID))
        return R;
    return TKvLinearMemoryBuffer::QueryInterface(AIID);
}

TKvDataPtr TKvIntegerBuffer::MakeCopy() {
    return TKvDataPtr(static_cast<IKvIntegerBuffer*>(new TKvIntegerBuffer(this)));
}

bool TKvIntegerBuffer::IsEqual(const TKvDataBufferPtr& Other) {
    return IsEqualAs<TKvIntegerBuffer>(Other);
}

void TKvIntegerBuffer::CopyDataTo(uint32_t SrcOffset, const TKvDataBufferPtr& Dest,
                                  uint32_t DestOffset, uint32_t Count) {
    TKvIntegerBufferPtr Integer;
    if (!Supports(Dest, Integer)) {
        TKvLinearMemoryBuffer::CopyDataTo(SrcOffset, Dest, DestOffset, Count);
        return;
    }
    if (uint64_t{SrcOffset} + Count > GetSize())
        KvRangeError("Index out of range = %u", int64_t{SrcOffset} + Count - 1);
    if (uint64_t{DestOffset} + Count > Integer->GetSize())
        KvRangeError("Index out of range = %u", int64_t{DestOffset} + Count - 1);
    if (Count == 0)
        return;
    const auto* Src = reinterpret_cast<const Ipp8u*>(Read() + SrcOffset);
    ippsCopy_8u(Src, reinterpret_cast<Ipp8u*>(Integer->Modify() + DestOffset),
                Len(uint64_t{Count} * sizeof(int32_t)));
}

int32_t TKvIntegerBuffer::GetItem(int32_t AIndex) {
    CheckIndex(AIndex);
    return Read()[AIndex];
}

void TKvIntegerBuffer::SetItem(int32_t AIndex, int32_t AValue) {
    CheckIndex(AIndex);
    Modify()[AIndex] = AValue;
}

template <class TOp>
void TKvIntegerBuffer::ElementLoop(const TKvIntegerBufferPtr& ABuffer, TOp AOp) {
    const uint32_t N = MinSize(GetSize(), Need(ABuffer)->GetSize());
    const int32_t* Src = ABuffer->Read();
    int32_t* Dst = Modify();
    for (uint32_t I = 0; I < N; ++I)
        Dst[I] = AOp(Dst[I], Src[I]);
}

void TKvIntegerBuffer::Add(const TKvIntegerBufferPtr& ABuffer) {
    const uint32_t N = MinSize(GetSize(), Need(ABuffer)->GetSize());
    const int32_t* Src = ABuffer->Read();
    ippsAdd_32s_ISfs(Src, Modify(), Len(N), 0);
}

void TKvIntegerBuffer::Subtract(const TKvIntegerBufferPtr& ABuffer) {
    const uint32_t N = MinSize(GetSize(), Need(ABuffer)->GetSize());
    const int32_t* Src = ABuffer->Read();
    ippsSub_32s_ISfs(Src, Modify(), Len(N), 0);
}

void TKvIntegerBuffer::Multiply(const TKvIntegerBufferPtr& ABuffer) {
    const uint32_t N = MinSize(GetSize(), Need(ABuffer)->GetSize());
    const int32_t* Src = ABuffer->Read();
    ippsMul_32s_ISfs(Src, Modify(), Len(N), 0);
}

void TKvIntegerBuffer::Divide(const TKvIntegerBufferPtr& ABuffer) {
    const uint32_t N = MinSize(GetSize(), Need(ABuffer)->GetSize());
    const int32_t* Src = ABuffer->Read();
    CheckDivisors(Src, N);
    ippsDiv_32s_ISfs(Src, Modify(), Len(N), 0);
}

void TKvIntegerBuffer::ModBuffer(const TKvIntegerBufferPtr& ABuffer) {
    CheckDivisors(Need(ABuffer)->Read(), MinSize(GetSize(), ABuffer->GetSize()));
    ElementLoop(ABuffer, Remainder);
}

void TKvIntegerBuffer::AndBuffer(const TKvIntegerBufferPtr& ABuffer) {
    const uint32_t N = MinSize(GetSize(), Need(ABuffer)->GetSize());
    const int32_t* Src = ABuffer->Read();
    ippsAnd_32u_I(AsUnsigned(Src), AsUnsigned(Modify()), Len(N));
}

void TKvIntegerBuffer::OrBuffer(const TKvIntegerBufferPtr& ABuffer) {
    const uint32_t N = MinSize(GetSize(), Need(ABuffer)->GetSize());
    const int32_t* Src = ABuffer->Read();
    ippsOr_32u_I(AsUnsigned(Src), AsUnsigned(Modify()), Len(N));
}

void TKvIntegerBuffer::XorBuffer(const TKvIntegerBufferPtr& ABuffer) {
    const uint32_t N = MinSize(GetSize(), Need(ABuffer)->GetSize());
    const int32_t* Src = ABuffer->Read();
    ippsXor_32u_I(AsUnsigned(Src), AsUnsigned(Modify()), Len(N));
}

void TKvIntegerBuffer::LShift(const TKvIntegerBufferPtr& ABuffer) {
    ElementLoop(ABuffer, [](int32_t A, int32_t B) {
        return static_cast<int32_t>(static_cast<uint32_t>(A) << (static_cast<uint32_t>(B) & 31u));
    });
}

void TKvIntegerBuffer::RShift(const TKvIntegerBufferPtr& ABuffer) {
    ElementLoop(ABuffer, [](int32_t A, int32_t B) {
        return static_cast<int32_t>(static_cast<uint32_t>(A) >> (static_cast<uint32_t>(B) & 31u));
    });
}

void TKvIntegerBuffer::SetValue(int32_t AValue) {
    ippsSet_32s(AValue, Write(), Len(GetSize()));
}

void TKvIntegerBuffer::AddValue(int32_t AValue) {
    if (AValue != 0)
        ippsAddC_32s_ISfs(AValue, Modify(), Len(GetSize()), 0);
}

void TKvIntegerBuffer::SubtractValue(int32_t AValue) {
    ippsSubC_32s_ISfs(AValue, Modify(), Len(GetSize()), 0);
}

void TKvIntegerBuffer::MultiplyValue(int32_t AValue) {
    if (AValue != 1)
        ippsMulC_32s_ISfs(AValue, Modify(), Len(GetSize()), 0);
}

void TKvIntegerBuffer::DivideValue(int32_t AValue) {
    if (AValue == 0 || AValue == 1)
        return;
    int32_t* Data = Modify();
    for (uint32_t I = 0, N = GetSize(); I < N; ++I)
        Data[I] = Quotient(Data[I], AValue);
}

void TKvIntegerBuffer::ModValue(int32_t AValue) {
    if (AValue == 0)
        KvDivByZero();
    int32_t* Data = Modify();
    for (uint32_t I = 0, N = GetSize(); I < N; ++I)
        Data[I] = Remainder(Data[I], AValue);
}

void TKvIntegerBuffer::AndValue(int32_t AValue) {
    if (AValue != -1)
        ippsAndC_32u_I(static_cast<Ipp32u>(AValue), AsUnsigned(Modify()), Len(GetSize()));
}

void TKvIntegerBuffer::OrValue(int32_t AValue) {
    if (AValue != 0)
        ippsOrC_32u_I(static_cast<Ipp32u>(AValue), AsUnsigned(Modify()), Len(GetSize()));
}

void TKvIntegerBuffer::XorValue(int32_t AValue) {
    if (AValue != 0)
        ippsXorC_32u_I(static_cast<Ipp32u>(AValue), AsUnsigned(Modify()), Len(GetSize()));
}

void TKvIntegerBuffer::LShiftValue(int32_t AValue) {
    if (AValue != 0)
        ippsLShiftC_32s_I(AValue, Modify(), Len(GetSize()));
}

void TKvIntegerBuffer::RShiftValue(int32_t AValue) {
    if (AValue != 0)
        ippsRShiftC_32s_I(AValue, Modify(), Len(GetSize()));
}

void TKvIntegerBuffer::Zero() {
    ippsZero_16s(reinterpret_cast<Ipp16s*>(Write()), Len(uint64_t{GetSize()} * 2));
}

int32_t TKvIntegerBuffer::Dot(const TKvIntegerBufferPtr& Right) {
    Ipp32s Result = 0;
    ippsDotProd_32s_Sfs(Read(), Need(Right)->Read(), Len(MinSize(GetSize(), Right->GetSize())),
                        &Result, 0);
    return Result;
}

int32_t TKvIntegerBuffer::GetMinValue() {
    const int32_t* Data = Read();
    const uint32_t N = GetSize();
    int32_t Result = N > 0 ? Data[0] : 0;
    for (uint32_t I = 1; I < N; ++I)
        if (Data[I] < Result)
            Result = Data[I];
    return Result;
}

int32_t TKvIntegerBuffer::GetMaxValue() {
    const int32_t* Data = Read();
    const uint32_t N = GetSize();
    int32_t Result = N > 0 ? Data[0] : 0;
    for (uint32_t I = 1; I < N; ++I)
        if (Data[I] > Result)
            Result = Data[I];
    return Result;
}
