#include "pins/JwStatePin.h"

#include "pins/JwFormatConverter.h"
#include "pins/JwSinkPin.h"
#include "pins/JwSourcePin.h"
#include "pins/JwUnloadedPin.h"
#include "platform/Component.h"

bool TJwStatePin::ConnectAfter(TJwBasicPin* AOtherPin, TJwBasicPin* ANotifyAfterPin) {
    if (AOtherPin == this)
        return false;
    if (!AOtherPin) {
        Disconnect();
        return true;
    }
    if (dynamic_cast<TJwUnloadedPin*>(AOtherPin))
        return AOtherPin->ConnectAfter(this, ANotifyAfterPin);
    if (!IsCompatible(AOtherPin, true))
        return false;
    auto* Sink = dynamic_cast<TJwSinkPin*>(AOtherPin);
    if (Sink && NegotiateTowards(Sink).IsNull())
        return ConnectThroughConverter(Sink, ANotifyAfterPin);
    if (Sink && Sink->GetSourcePin())
        Sink->Connect(nullptr);
    if (!AOtherPin->GetDispatcher() && !GetDispatcher())
        return AOtherPin->ConnectByStateAfter(this, nullptr) && IsConnectedByStateTo(AOtherPin);
    if (auto* Dispatcher = GetDispatcher())
        return AOtherPin->ConnectToStateAfter(Dispatcher, ANotifyAfterPin);
    return ConnectToStateAfter(AOtherPin->GetDispatcher(), ANotifyAfterPin);
}

bool TJwStatePin::ConnectThroughConverter(TJwSinkPin* ASink, TJwBasicPin* ANotifyAfterPin) {
    TIntfPtr<TJwStateDispatcher> Dispatcher(GetDispatcher());
    const bool Made = !Dispatcher;
    if (Made) {
        Dispatcher = TJwStateDispatcher::Create(GetRootName(), false);
        if (!ConnectToState(Dispatcher.get()))
            return false;
    }
    const auto Type = FindStateConnectionType(ASink, true, true);
    bool Result = false;
    if (Type.Converter)
        Result = ASink->JoinStateThroughConverter(Dispatcher.get(), nullptr,
                                                  Type.Converter->GetInputID(),
                                                  Type.Converter->GetOutputID(), ANotifyAfterPin);
    else if (Type.ConverterClass)
        Result = ASink->JoinStateThroughConverter(Dispatcher.get(), Type.ConverterClass, Type.ID,
                                                  Type.ConverterOutputID, ANotifyAfterPin);
    // A failed link leaves no dispatcher of its own behind.
    if (!Result && Made)
        LeaveDispatcher();
    return Result;
}

bool TJwStatePin::IsCompatible(TJwBasicPin* AOtherPin, bool AUseConverters) {
    if (!AOtherPin || dynamic_cast<TJwUnloadedPin*>(AOtherPin))
        return true;
    auto* Other = dynamic_cast<TJwPin*>(AOtherPin);
    if (!Other)
        return false;
    switch (Other->GetPinType()) {
    case ptSink:
    case ptMultiSink:
        return !FindStateConnectionType(Other, AUseConverters, AUseConverters).ID.IsNull();
    case ptSource:
        return !Other->FindStateConnectionType(this, AUseConverters, false).ID.IsNull();
    default:
        return !FindStateConnectionType(Other, AUseConverters, false).ID.IsNull() ||
               !Other->FindStateConnectionType(this, AUseConverters, false).ID.IsNull();
    }
}

int32_t TJwStatePin::GetPinCount() {
    const TIntfPtr<TJwStateDispatcher> Dispatcher(GetDispatcher());
    return Dispatcher ? Dispatcher->GetPinCount() : 0;
}

bool TJwStatePin::Notify(const TJwNotifyOperationPtr& AOperation) {
    const TIntfPtr<TJwStateDispatcher> Dispatcher(GetDispatcher());
    if (!Dispatcher)
        return false;
    const auto Call = FDestroyLock->Lock();
    if (!Call)
        return false;
    TSendingGuard Guard(this, 200);
    const TJwStateReceivers Receivers(Dispatcher.get(), this);
    std::vector<TJwPin*> Members;
    for (auto* Receiver : Receivers.Pins)
        if (auto* Member = dynamic_cast<TJwPin*>(Receiver))
            Members.push_back(Member);
    bool Result = false;
    for (size_t I = 0; I < Members.size(); ++I) {
        const TGUID ID = NegotiateTowards(Members[I]);
        const auto Submit = Members[I]->GetSubmitFunction(ID);
        const auto MemberCall = Members[I]->GetDestroyLock()->Lock();
        if (Submit && MemberCall)
            Result =
                Submit(Members[I], ID, I + 1 == Members.size() ? JwStateLast : 0, AOperation) ||
                Result;
    }
    return Result;
}

bool TJwStatePin::TryLinkTo(TComponent* ARoot, const QString& ASinkName) {
    if (ASinkName.isEmpty()) {
        Disconnect();
        return true;
    }
    TComponent* Root = ARoot ? ARoot : GetRoot();
    const QString RootName = Root ? Root->GetName() : QString();
    for (auto* Pin : JwAllPins()) {
        if (Pin == this || Pin->GetRoot() != Root || dynamic_cast<TJwUnloadedPin*>(Pin))
            continue;
        const QString Name = Pin->GetFullName(false);
        if (Name == ASinkName || RootName + u'.' + Name == ASinkName)
            return Connect(Pin);
    }
    return false;
}
