#include "buffers/KvBlockBuffer.h"

#include "buffers/KvBufferSupport.h"
#include "primitives/IppDispatch.h"

using namespace kvbuffers;

TKvBlockBufferPtr TKvBlockBuffer::Create() {
    return TKvBlockBufferPtr(new TKvBlockBuffer(0u));
}

TKvBlockBufferPtr TKvBlockBuffer::CreateSize(uint32_t ASize) {
    return TKvBlockBufferPtr(new TKvBlockBuffer(ASize));
}

TKvBlockBufferPtr TKvBlockBuffer::CreateData(const void* Data, uint32_t Size) {
    return TKvBlockBufferPtr(new TKvBlockBuffer(Size, Data));
}

TKvBlockBufferPtr TKvBlockBuffer::CreateCopy(const TKvBlockBufferPtr& Other) {
    return TKvBlockBufferPtr(new TKvBlockBuffer(Implementor(Need(Other))));
}

TKvBlockBufferPtr TKvBlockBuffer::CreateUniversal(const TKvDataPtr& Other) {
    return TKvBlockBufferPtr(new TKvBlockBuffer(Implementor(Other.get())));
}

void* TKvBlockBuffer::QueryInterface(const TGUID& AIID) noexcept {
    if (void* R = KvFindInterface<IKvBlockBuffer>(this, AIID))
        return R;
    return TKvLinearMemoryBuffer::QueryInterface(AIID);
}

TKvDataPtr TKvBlockBuffer::MakeCopy() {
    return TKvDataPtr(static_cast<IKvBlockBuffer*>(new TKvBlockBuffer(this)));
}

bool TKvBlockBuffer::IsEqual(const TKvDataBufferPtr& Other) {
    return IsEqualAs<TKvBlockBuffer>(Other);
}

// The operand is read before this buffer separates itself from shared data.
void TKvBlockBuffer::BinaryOp(const TKvBlockBufferPtr& ABuffer, TBinaryOp AOp) {
    const uint32_t N = MinSize(GetSize(), Need(ABuffer)->GetSize());
    const uint8_t* Src = ABuffer->Read();
    AOp(Src, Modify(), Len(N), 0);
}

void TKvBlockBuffer::Add(const TKvBlockBufferPtr& ABuffer) {
    BinaryOp(ABuffer, ippsAdd_8u_ISfs);
}

void TKvBlockBuffer::Subtract(const TKvBlockBufferPtr& ABuffer) {
    BinaryOp(ABuffer, ippsSub_8u_ISfs);
}

void TKvBlockBuffer::Multiply(const TKvBlockBufferPtr& ABuffer) {
    BinaryOp(ABuffer, ippsMul_8u_ISfs);
}

void TKvBlockBuffer::Divide(const TKvBlockBufferPtr& ABuffer) {
    const uint32_t N = MinSize(GetSize(), Need(ABuffer)->GetSize());
    const uint8_t* Src = ABuffer->Read();
    CheckDivisors(Src, N);
    uint8_t* Dst = Modify();
    for (uint32_t I = 0; I < N; ++I)
        Dst[I] = static_cast<uint8_t>(Dst[I] / Src[I]);
}

void TKvBlockBuffer::SetValue(uint8_t AValue) {
    ippsSet_8u(AValue, Write(), Len(GetSize()));
}

void TKvBlockBuffer::Zero() {
    ippsZero_8u(Write(), Len(GetSize()));
}

uint8_t TKvBlockBuffer::GetItem(int32_t AIndex) {
    CheckIndex(AIndex);
    return Read()[AIndex];
}

void TKvBlockBuffer::SetItem(int32_t AIndex, uint8_t AValue) {
    CheckIndex(AIndex);
    Modify()[AIndex] = AValue;
}
