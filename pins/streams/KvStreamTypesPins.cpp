#include "pins/streams/KvStreamTypesPins.h"

#include "pins/streams/KvStreamTypes.h"
#include "pins/streams/KvStreamTypesOperations.h"

namespace {

template <class TOp> TOp* As(const TJwNotifyOperationPtr& AOperation) {
    return AOperation ? dynamic_cast<TOp*>(AOperation->Instance()) : nullptr;
}

} // namespace

TKvJwSourcePin::TKvJwSourcePin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock,
                               const TIntfPtr<IJwLock>& AInputOwnerLock)
    : TJwSourcePin(AOwner, AOwnerLock, AInputOwnerLock) {
    KvStreamTypesInitialize();
    StreamType.AddType(JwStdTypeID::Clock);
    StreamType.AddType(KvStreamTypeID::Universal);
}

bool TKvJwSourcePin::SubmitBuffer(const TKvDataPtr& ABuffer) {
    if (!ABuffer)
        return false;
    try {
        return Notify(TJwNotifyOperationPtr(new TJwSuppliedBufferOperation(ABuffer)));
    } catch (const std::exception&) {
        return false;
    }
}

bool TKvJwSourcePin::Stop() {
    return Notify(TJwNotifyOperationPtr(new TJwStopOperation));
}

bool TKvJwSourcePin::EndStop() {
    return Notify(TJwNotifyOperationPtr(new TJwEndStopOperation));
}

bool TKvJwSourcePin::FileEndNoStop() {
    return Notify(TJwNotifyOperationPtr(new TJwFileEndNoStopOperation));
}

bool TKvJwSourcePin::Notify(const TJwNotifyOperationPtr& AOperation) {
    {
        const auto Section = WriteLock();
        if (As<TJwStartOperation>(AOperation))
            FLastStart = AOperation;
        else if (As<TJwStopOperation>(AOperation))
            FLastStart.reset();
    }
    return TJwSourcePin::Notify(AOperation);
}

TJwNotifyOperationPtr TKvJwSourcePin::GetLastStartOperation() {
    const auto Section = ReadLock();
    return FLastStart;
}

bool TKvJwSourcePin::DispatchData(const TGUID& ADataTypeID, const TJwNotifyOperationPtr& AOperation,
                                  uint32_t AState) {
    if (!OnOperation)
        return false;
    OnOperation(this, ADataTypeID, AState, AOperation);
    return true;
}

TKvJwBinarySourcePin::TKvJwBinarySourcePin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock)
    : TKvJwSourcePin(AOwner, AOwnerLock) {
    StreamType.AddType(KvStreamTypeID::Binary);
}

TKvJwRealSourcePin::TKvJwRealSourcePin(TComponent* AOwner, bool AUseFloat,
                                       const TIntfPtr<IJwLock>& AOwnerLock)
    : TKvJwSourcePin(AOwner, AOwnerLock) {
    if (AUseFloat)
        StreamType.AddType(JwStdTypeID::Float);
    StreamType.AddType(KvStreamTypeID::Real);
}

TJwNotifyOperationPtr TKvJwRealSourcePin::AdaptOperation(TJwPin* AReceiver, const TGUID& AID,
                                                         const TJwNotifyOperationPtr& AOperation) {
    auto* Op = As<TJwSuppliedBufferOperation>(AOperation);
    const bool ToReal = AReceiver && AReceiver->OffersStream(JwStdTypeID::Real);
    const bool ToFloat = AReceiver && AReceiver->OffersStream(JwStdTypeID::Float);
    // Receivers of buffers get the buffer itself.
    if (!Op || (AID != JwStdTypeID::Real && AID != JwStdTypeID::Float) || !(ToReal || ToFloat))
        return AOperation;
    TIntfPtr<IKvRealBuffer> Samples;
    if (!Supports(Op->GetBuffer(), Samples) || Samples->GetSize() == 0)
        return AOperation;
    const double Last = Samples->GetItem(static_cast<int32_t>(Samples->GetSize() - 1));
    if (ToReal)
        return TJwNotifyOperationPtr(new TJwSuppliedRealOperation(Last));
    return TJwNotifyOperationPtr(new TJwSuppliedSingleOperation(static_cast<float>(Last)));
}

TKvJwIntegerSourcePin::TKvJwIntegerSourcePin(TComponent* AOwner,
                                             const TIntfPtr<IJwLock>& AOwnerLock)
    : TKvJwSourcePin(AOwner, AOwnerLock) {
    StreamType.AddType(KvStreamTypeID::Integer);
}

TKvJwRealMatrixSourcePin::TKvJwRealMatrixSourcePin(TComponent* AOwner,
                                                   const TIntfPtr<IJwLock>& AOwnerLock)
    : TKvJwSourcePin(AOwner, AOwnerLock) {
    StreamType.AddType(KvStreamTypeID::RealMatrix);
}

TKvJwStringSourcePin::TKvJwStringSourcePin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock)
    : TKvJwSourcePin(AOwner, AOwnerLock) {
    StreamType.AddType(JwStdTypeID::String);
    StreamType.AddType(KvStreamTypeID::String);
}

TKvJwSinkPin::TKvJwSinkPin(TComponent* AOwner, TKvJwLinkEvent AOnDisconnect,
                           TKvJwLinkEvent AOnConnect, TKvJwOperationEvent AOperationEvent,
                           const TIntfPtr<IJwLock>& AOwnerLock)
    : TJwSinkPin(AOwner, AOwnerLock), FOnDisconnect(std::move(AOnDisconnect)),
      FOnConnect(std::move(AOnConnect)), FOperationEvent(std::move(AOperationEvent)) {
    KvStreamTypesInitialize();
    FIgnoreUpstream = true;
    AddSinkType(KvStreamTypeID::Universal);
}

void TKvJwSinkPin::AddSinkType(const TGUID& AID) {
    StreamType.AddType(AID, [this](TJwPin* AStream, const TGUID& ATypeID, uint32_t AState,
                                   const TJwNotifyOperationPtr& AOperation) {
        return SinkSubmit(AStream, ATypeID, AState, AOperation);
    });
}

bool TKvJwSinkPin::SinkSubmit(TJwPin* AStream, const TGUID& AID, uint32_t AState,
                              const TJwNotifyOperationPtr& AOperation) {
    if (AState & JwStateRequest)
        return false;
    auto* Stream = dynamic_cast<IJwKvGenericStream*>(AStream);
    return Stream ? Stream->DispatchData(AID, AOperation, AState) : false;
}

bool TKvJwSinkPin::DispatchData(const TGUID& ADataTypeID, const TJwNotifyOperationPtr& AOperation,
                                uint32_t AState) {
    if (FOperationEvent)
        FOperationEvent(this, ADataTypeID, AState, AOperation);
    return false;
}

bool TKvJwSinkPin::MasterPump(TJwPin*) {
    auto* Source = dynamic_cast<IJwKvGenericStream*>(GetRealSourcePin());
    return Source ? Source->DispatchData(GetConnectedID(),
                                         TJwNotifyOperationPtr(new TJwMasterPumpOperation), 0)
                  : false;
}

void TKvJwSinkPin::Connected() {
    TJwSinkPin::Connected();
    if (FOnConnect)
        FOnConnect(this);
}

void TKvJwSinkPin::Disconnected() {
    TJwSinkPin::Disconnected();
    if (FOnDisconnect)
        FOnDisconnect(this);
}

TKvJwRealSinkPin::TKvJwRealSinkPin(TComponent* AOwner, TKvJwOperationEvent AOperationEvent,
                                   void* AEventData, const TIntfPtr<IJwLock>& AOwnerLock)
    : TKvJwSinkPin(AOwner, nullptr, nullptr, std::move(AOperationEvent), AOwnerLock) {
    FEventData = AEventData;
    AddSinkType(KvStreamTypeID::Real);
}

TKvJwComboRealSinkPin::TKvJwComboRealSinkPin(TComponent* AOwner,
                                             TKvJwOperationEvent AOperationEvent, void* AEventData,
                                             const TIntfPtr<IJwLock>& AOwnerLock)
    : TKvJwRealSinkPin(AOwner, std::move(AOperationEvent), AEventData, AOwnerLock) {
    AddSinkType(JwStdTypeID::Float);
    AddSinkType(JwStdTypeID::Real);
}

TKvJwComboRealIntSinkPin::TKvJwComboRealIntSinkPin(TComponent* AOwner,
                                                   TKvJwOperationEvent AOperationEvent,
                                                   void* AEventData,
                                                   const TIntfPtr<IJwLock>& AOwnerLock)
    : TKvJwComboRealSinkPin(AOwner, std::move(AOperationEvent), AEventData, AOwnerLock) {
    AddSinkType(KvStreamTypeID::Integer);
    AddSinkType(JwStdTypeID::Integer);
}

TKvJwComboRealIntMatrixSinkPin::TKvJwComboRealIntMatrixSinkPin(TComponent* AOwner,
                                                               TKvJwOperationEvent AOperationEvent,
                                                               void* AEventData,
                                                               const TIntfPtr<IJwLock>& AOwnerLock)
    : TKvJwComboRealIntSinkPin(AOwner, std::move(AOperationEvent), AEventData, AOwnerLock) {
    AddSinkType(KvStreamTypeID::RealMatrix);
}

TKvJwIntegerSinkPin::TKvJwIntegerSinkPin(TComponent* AOwner, TKvJwOperationEvent AOperationEvent,
                                         void* AEventData, const TIntfPtr<IJwLock>& AOwnerLock)
    : TKvJwSinkPin(AOwner, nullptr, nullptr, std::move(AOperationEvent), AOwnerLock) {
    FEventData = AEventData;
    AddSinkType(KvStreamTypeID::Integer);
}

TKvJwComplexSinkPin::TKvJwComplexSinkPin(TComponent* AOwner, TKvJwOperationEvent AOperationEvent,
                                         void* AEventData, const TIntfPtr<IJwLock>& AOwnerLock)
    : TKvJwSinkPin(AOwner, nullptr, nullptr, std::move(AOperationEvent), AOwnerLock) {
    FEventData = AEventData;
    AddSinkType(KvStreamTypeID::Complex);
}
