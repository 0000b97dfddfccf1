#include "pins/JwStatePin.h"

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
    if (auto* Sink = dynamic_cast<TJwSinkPin*>(AOtherPin); Sink && Sink->GetSourcePin())
        Sink->Connect(nullptr);
    if (!AOtherPin->GetDispatcher() && !GetDispatcher())
        return AOtherPin->ConnectByStateAfter(this, nullptr) && IsConnectedByStateTo(AOtherPin);
    if (auto* Dispatcher = GetDispatcher())
        return AOtherPin->ConnectToStateAfter(Dispatcher, ANotifyAfterPin);
    return ConnectToStateAfter(AOtherPin->GetDispatcher(), ANotifyAfterPin);
}

bool TJwStatePin::IsCompatible(TJwBasicPin* AOtherPin, bool) {
    if (!AOtherPin || dynamic_cast<TJwUnloadedPin*>(AOtherPin))
        return true;
    auto* Other = dynamic_cast<TJwPin*>(AOtherPin);
    if (!Other)
        return false;
    switch (Other->GetPinType()) {
    case ptSink:
    case ptMultiSink:
        return !NegotiateTowards(Other).IsNull();
    case ptSource:
        return !Other->NegotiateTowards(this).IsNull();
    default:
        return !NegotiateTowards(Other).IsNull() || !Other->NegotiateTowards(this).IsNull();
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
    std::vector<TJwPin*> Members;
    const int32_t Count = Dispatcher->GetPinCount();
    for (int32_t I = 0; I < Count; ++I)
        if (auto* Member = dynamic_cast<TJwPin*>(Dispatcher->GetEntry(I).RealPin);
            Member && Member != this)
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
