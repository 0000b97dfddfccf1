#include "PinTestComponents.h"

TRecordingSinkPin::TRecordingSinkPin(TComponent* AOwner, std::vector<TGUID> ATypes,
                                     const TIntfPtr<IJwLock>& AOwnerLock)
    : TJwSinkPin(AOwner, AOwnerLock) {
    for (const auto& ID : ATypes)
        StreamType.AddType(ID, [this](TJwPin*, const TGUID& AID, uint32_t AState,
                                      const TJwNotifyOperationPtr& AOperation) {
            Received.push_back({AID, AState, AOperation});
            if (OnReceive)
                OnReceive(AOperation);
            return Answer;
        });
}

TPinComponent::TPinComponent(TComponent* AOwner)
    : TComponent(AOwner), FOutput(MakeSource(this, {PinTest::TypeA})),
      FInput(MakeOwned<TRecordingSinkPin>(this)) {}

TListComponent::TListComponent(TComponent* AOwner)
    : TComponent(AOwner), FInputs(MakeOwned<TJwPinList>(this)) {
    FInputs->Add(QStringLiteral("Left"), MakeOwned<TRecordingSinkPin>(this).release());
    FInputs->Add(QStringLiteral("Right"), MakeOwned<TRecordingSinkPin>(this).release());
}

TStateComponent::TStateComponent(TComponent* AOwner)
    : TComponent(AOwner), FState(MakeOwned<TJwStatePin>(this)) {
    FState->StreamType.AddType(PinTest::TypeB);
}

TTypeCComponent::TTypeCComponent(TComponent* AOwner)
    : TComponent(AOwner),
      FInput(MakeOwned<TRecordingSinkPin>(this, std::vector<TGUID>{PinTest::TypeC})) {}

TJwNotifyOperationPtr TTestConverter::Convert(const TJwNotifyOperationPtr& AOperation) {
    if (auto* Value = dynamic_cast<TTestValueOperation*>(AOperation->Instance()))
        return TJwNotifyOperationPtr(new TTestValueOperation(Value->GetValue() + 1000));
    return AOperation;
}

TOwned<TJwSourcePin> MakeSource(TComponent* AOwner, std::vector<TGUID> ATypes) {
    auto Source = MakeOwned<TJwSourcePin>(AOwner);
    for (const auto& ID : ATypes)
        Source->StreamType.AddType(ID);
    return Source;
}

int32_t ValueOf(const TReceived& AReceived) {
    auto* Value = dynamic_cast<TTestValueOperation*>(AReceived.Operation->Instance());
    return Value ? Value->GetValue() : -1;
}
