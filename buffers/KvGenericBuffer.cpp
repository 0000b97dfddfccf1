#include "buffers/KvGenericBuffer.h"

#include <cstring>

#include <QFile>

#include "buffers/KvBufferErrors.h"
#include "buffers/KvSmartBufferManager.h"
#include "primitives/IppDispatch.h"

void TKvBasicBuffer::Release() noexcept {
    if (FRefCount.fetch_sub(1, std::memory_order_acq_rel) == 1)
        delete this;
}

void* TKvBasicBuffer::QueryInterface(const TGUID& AIID) noexcept {
    return KvFindInterface<IKvData>(this, AIID);
}

void* TKvBasicBuffer::operator new(size_t ASize) {
    return KvBufferManager().Allocate(static_cast<uint32_t>(ASize));
}

void TKvBasicBuffer::operator delete(void* APtr, size_t ASize) noexcept {
    KvBufferManager().Deallocate(APtr, static_cast<uint32_t>(ASize));
}

bool TKvSequenceStamp::GetAvailable() const {
    return FIntBuffer->pDataContainer->GetBufferNumberAvailable();
}

void TKvSequenceStamp::SetAvailable(bool AValue) {
    FIntBuffer->pDataContainer->SetBufferNumberAvailable(AValue);
}

int64_t TKvSequenceStamp::GetBufferNumber() const {
    return FIntBuffer->pDataContainer->GetBufferNumber();
}

void TKvSequenceStamp::SetBufferNumber(int64_t AValue) {
    FIntBuffer->pDataContainer->SetBufferNumber(AValue);
}

TKvGenericBuffer::TKvGenericBuffer(TKvSmartBuffer* AContainer, uint32_t ACharSize)
    : FCharSize(ACharSize), pDataContainer(AContainer) {
    pDataContainer->AddReff(FOwnsData);
    TKvGenericBuffer::RefreshDataPtr();
}

TKvGenericBuffer::TKvGenericBuffer(TKvGenericBuffer* AOther)
    : TKvGenericBuffer(AOther->pDataContainer, AOther->FCharSize) {}

TKvGenericBuffer::~TKvGenericBuffer() {
    pDataContainer->RemoveReff(FOwnsData);
}

void* TKvGenericBuffer::QueryInterface(const TGUID& AIID) noexcept {
    if (void* R = KvFindInterface<IKvGenericBuffer>(this, AIID))
        return R;
    return TKvBasicBuffer::QueryInterface(AIID);
}

TKvGenericBuffer* TKvGenericBuffer::Implementor(IKvData* ABuffer) {
    auto* Generic = ABuffer ? dynamic_cast<TKvGenericBuffer*>(ABuffer->GetInstance()) : nullptr;
    if (!Generic)
        KvIntfCastError();
    return Generic;
}

void TKvGenericBuffer::RefreshDataPtr() {
    FDataPtr = static_cast<uint8_t*>(pDataContainer->GetRawData());
}

void TKvGenericBuffer::SetDataContainer(TKvSmartBuffer* AContainer) {
    if (AContainer == pDataContainer)
        return;
    AContainer->AddReff(FOwnsData);
    TKvSmartBuffer* Old = pDataContainer;
    pDataContainer = AContainer;
    Old->RemoveReff(FOwnsData);
    RefreshDataPtr();
}

bool TKvGenericBuffer::MakeUnique(bool PreserveData) {
    pDataContainer->EnterRead();
    const bool Single = pDataContainer->SingleOwner();
    pDataContainer->LeaveRead();
    if (Single)
        return false;
    SetDataContainer(pDataContainer->Clone(PreserveData));
    return true;
}

void* TKvGenericBuffer::ByteWrite() {
    MakeUnique(false);
    return FDataPtr;
}

void* TKvGenericBuffer::ByteModify() {
    MakeUnique(true);
    return FDataPtr;
}

void TKvGenericBuffer::RemoveOwnerShip() {
    if (!FOwnsData)
        return;
    pDataContainer->RemoveOwnerShip();
    FOwnsData = false;
}

void TKvGenericBuffer::Assign(const TKvDataBufferPtr& OtherBuffer) {
    TIntfPtr<IKvGenericBuffer> Generic;
    if (!Supports(OtherBuffer, Generic))
        KvIntfCastError();
    TKvGenericBuffer* Other = Implementor(Generic.get());
    if (Other != this && Other->pDataContainer != pDataContainer) {
        TKvSmartBuffer* Old = pDataContainer;
        pDataContainer = Other->pDataContainer;
        pDataContainer->AddReff(FOwnsData);
        Old->RemoveReff(FOwnsData);
        RefreshDataPtr();
    }
    FCharSize = Other->FCharSize;
    FDataPtr = Other->FDataPtr;
}

bool TKvGenericBuffer::IsEqual(const TKvDataBufferPtr& Other) {
    if (!Other || Other->GetByteSize() != FCharSize)
        return false;
    return FCharSize == 0 || std::memcmp(Other->ByteRead(), FDataPtr, FCharSize) == 0;
}

namespace {

void CheckByteRange(uint32_t AOffset, uint32_t ACount, uint32_t ASize) {
    const uint64_t End = uint64_t{AOffset} + ACount;
    if (End > ASize)
        KvRangeError("Index out of range = %u", static_cast<int64_t>(End > 0 ? End - 1 : 0));
}

} // namespace

void TKvGenericBuffer::CopyDataTo(uint32_t SrcOffset, const TKvDataBufferPtr& Dest,
                                  uint32_t DestOffset, uint32_t Count) {
    if (!Dest)
        KvIntfCastError();
    CheckByteRange(SrcOffset, Count, FCharSize);
    CheckByteRange(DestOffset, Count, Dest->GetByteSize());
    if (Count == 0)
        return;
    const uint8_t* Src = FDataPtr + SrcOffset;
    auto* Dst = static_cast<uint8_t*>(Dest->ByteModify()) + DestOffset;
    ippsCopy_8u(Src, Dst, static_cast<int>(Count));
}

void TKvGenericBuffer::SaveToFile(const QString& AFileName) {
    QFile File(AFileName);
    if (!File.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EFOpenError(
            QStringLiteral("Cannot create file \"%1\". %2").arg(AFileName, File.errorString()));
    const auto Size = static_cast<qint64>(FCharSize);
    if (File.write(reinterpret_cast<const char*>(FDataPtr), Size) != Size)
        throw EWriteError(QStringLiteral("Stream write error"));
}

void TKvGenericBuffer::LoadFromFile(const QString& AFileName) {
    QFile File(AFileName);
    if (!File.open(QIODevice::ReadOnly))
        throw EFOpenError(
            QStringLiteral("Cannot open file \"%1\". %2").arg(AFileName, File.errorString()));
    // Read into a block of its own first: a short file must leave the data,
    // and any buffer sharing them, untouched.
    TKvSmartMemoryBuffer Staging(FCharSize);
    const auto Size = static_cast<qint64>(FCharSize);
    if (File.read(static_cast<char*>(Staging.RawData()), Size) != Size)
        throw EReadError(QStringLiteral("Stream read error"));
    if (Size > 0)
        ippsCopy_8u(static_cast<const uint8_t*>(Staging.RawData()),
                    static_cast<uint8_t*>(ByteWrite()), static_cast<int>(Size));
}
