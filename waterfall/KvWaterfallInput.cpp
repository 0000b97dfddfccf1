#include "waterfall/KvWaterfallInput.h"

#include <algorithm>

#include "buffers/KvIntegerBuffer.h"
#include "buffers/KvMemoryBuffer.h"
#include "buffers/KvRealBuffer.h"
#include "pins/streams/KvStreamTypes.h"
#include "pins/streams/KvStreamTypesOperations.h"

namespace {

template <class T> T* As(TJwNotifyOperation* AOperation) {
    return dynamic_cast<T*>(AOperation);
}

// The doubles of any generic buffer, sharing its data; none for other data.
TKvRealBufferPtr RealView(const TKvDataPtr& AData) {
    if (!dynamic_cast<TKvGenericBuffer*>(AData->GetInstance()))
        return nullptr;
    return TKvRealBuffer::CreateUniversal(AData);
}

// The integers of an integer buffer. Any other data buffer is read as
// integers too, but never past its last byte, whatever its size in its own
// elements says.
TKvRealBufferPtr IntegerRow(const TKvDataPtr& AData) {
    TKvIntegerBufferPtr Integers;
    if (Supports(AData, Integers))
        return TKvRealBuffer::CreateIntegerData(Integers->Read(), Integers->GetSize());
    TKvDataBufferPtr Data;
    if (!Supports(AData, Data))
        return nullptr;
    const uint32_t Count =
        std::min(Data->GetSize(), Data->GetByteSize() / uint32_t{sizeof(int32_t)});
    return TKvRealBuffer::CreateIntegerData(static_cast<const int32_t*>(Data->ByteRead()), Count);
}

} // namespace

TKvWaterfallInput::TKvWaterfallInput(TComponent* AOwner, TKvWaterfallRowStore& ARows,
                                     const TIntfPtr<IJwLock>& AOwnerLock)
    : FRows(ARows) {
    FPin = MakeOwned<TKvJwComboRealIntMatrixSinkPin>(
        AOwner,
        [this](TJwPin*, const TGUID& AID, uint32_t, const TJwNotifyOperationPtr& AOperation) {
            Notification(AID, AOperation);
        },
        nullptr, AOwnerLock);
    FPin->FIgnoreUpstream = true;
}

TKvWaterfallInput::~TKvWaterfallInput() {
    FPin.reset();
}

void TKvWaterfallInput::Notification(const TGUID& ADataTypeID,
                                     const TJwNotifyOperationPtr& AOperation) {
    if (!AOperation)
        return;
    // The destroying thread still gets the lock; a closed store tells it
    // that nothing may come in any more.
    const TJwLockSectionPtr Lock = FRows.WriteLock();
    if (!Lock || FRows.GetClosed())
        return;
    TJwNotifyOperation* Operation = AOperation->Instance();
    if (As<TJwStartOperation>(Operation))
        Start(Operation);
    else if (auto* Supplied = As<TJwSuppliedBufferOperation>(Operation))
        if (Supplied->GetBuffer())
            Buffer(ADataTypeID, Supplied->GetBuffer());
}

void TKvWaterfallInput::Start(TJwNotifyOperation* AOperation) {
    auto* Rate = As<TJwStartRateOperation>(AOperation);
    FRows.SetSampleRate(Rate ? Rate->GetRate() : 0.0);
    FFrequencyDomain.store(false);
    FIntensityDomain.store(false);
    FRows.ClearBuffers();
}

void TKvWaterfallInput::Buffer(const TGUID& ADataTypeID, const TKvDataPtr& AData) {
    if (ADataTypeID == KvStreamTypeID::Integer) {
        if (TKvRealBufferPtr Row = IntegerRow(AData))
            FRows.QueueNewBuffer(std::move(Row));
        return;
    }
    if (ADataTypeID == KvStreamTypeID::RealMatrix) {
        MatrixRows(AData);
        return;
    }
    // Any other type carries rows only as raw memory.
    if (ADataTypeID != KvStreamTypeID::Real &&
        !dynamic_cast<TKvMemoryBuffer*>(AData->GetInstance()))
        return;
    if (TKvRealBufferPtr Row = RealView(AData))
        FRows.QueueInputBuffer(Row);
}

void TKvWaterfallInput::MatrixRows(const TKvDataPtr& AData) {
    // A matrix buffer is an array of rows as well, so every matrix goes this way.
    TKvRealBufferArrayPtr Array;
    if (!Supports(AData, Array))
        return;
    const int32_t Rows = Array->GetRows();
    for (int32_t I = 0; I < Rows; ++I)
        if (TKvRealBufferPtr Row = Array->GetRow(I))
            OfferRow(I, Row);
}

void TKvWaterfallInput::OfferRow(int32_t AIndex, const TKvRealBufferPtr& ARow) {
    if (!FRows.SetBufferAt(static_cast<uint32_t>(AIndex), ARow))
        FRows.QueueInputBuffer(ARow);
}
