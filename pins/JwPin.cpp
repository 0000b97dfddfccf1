#include "pins/JwPin.h"

#include "pins/JwFormatConverter.h"
#include "pins/JwUnloadedPin.h"
#include "platform/Component.h"
#include "platform/Filer.h"

TJwPin::TJwPin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock)
    : FOwner(AOwner), FOwnerLock(AOwnerLock) {
    const auto Section = WriteLock();
    Announce(TJwPinEvent::PinCreated);
}

TJwLockSectionPtr TJwPin::ReadLock() {
    return FIntLock->ReadSection(FOwnerLock.get());
}

TJwLockSectionPtr TJwPin::WriteLock() {
    return FIntLock->WriteSection(FOwnerLock.get());
}

bool TJwPin::OffersStream(const TGUID& AID) {
    const auto Section = ReadLock();
    return StreamType.Contains(AID);
}

std::vector<TGUID> TJwPin::GetStreamIDs() {
    const auto Section = ReadLock();
    return StreamType.GetIDs();
}

TJwSubmitFunction TJwPin::GetSubmitFunction(const TGUID& AID) {
    const auto Section = ReadLock();
    return StreamType.FindSubmitFunc(AID);
}

TGUID TJwPin::NegotiateTowards(TJwPin* AOther) {
    const auto IDs = GetStreamIDs();
    for (auto It = IDs.rbegin(); It != IDs.rend(); ++It)
        if (AOther->OffersStream(*It))
            return *It;
    return {};
}

TJwConnectionType TJwPin::FindStateConnectionType(TJwPin* AOther, bool AUseOwnConverters,
                                                  bool AUseRegistered) {
    const auto IDs = GetStreamIDs();
    for (auto It = IDs.rbegin(); It != IDs.rend(); ++It)
        if (AOther->OffersStream(*It))
            return {*It, nullptr, nullptr, {}};
    const TIntfPtr<TJwStateDispatcher> Dispatcher(GetDispatcher());
    if (AUseOwnConverters && Dispatcher) {
        const auto Converters = Dispatcher->GetFormatConverters();
        for (auto It = Converters.rbegin(); It != Converters.rend(); ++It) {
            if ((*It)->GetOutputPin()->FindConnectionType(AOther, false, false).ID.IsNull())
                continue;
            const TGUID In = NegotiateTowards((*It)->GetInputPin());
            if (!In.IsNull())
                return {In, *It, nullptr, {}};
        }
    }
    const auto Type = AOther->GetPinType();
    if (AUseRegistered && (Type == ptSink || Type == ptMultiSink)) {
        const auto Entries = GetFormatConverterEntries();
        for (auto E = Entries.rbegin(); E != Entries.rend(); ++E)
            for (auto It = IDs.rbegin(); It != IDs.rend(); ++It)
                if (E->InputID == *It && AOther->OffersStream(E->OutputID))
                    return {*It, nullptr, E->ConverterClass, E->OutputID};
    }
    return {};
}

bool TJwPin::IsStateCompatible(TJwBasicPin* AOtherPin) {
    auto* Other = dynamic_cast<TJwPin*>(AOtherPin);
    return !Other || !NegotiateTowards(Other).IsNull() || !Other->NegotiateTowards(this).IsNull();
}

bool TJwPin::IsLoading() const {
    return FOwner && FOwner->ComponentState().testFlag(csLoading);
}

TJwPin::TSendingGuard::TSendingGuard(TJwPin* APin, int32_t ALimit) : FPin(APin) {
    if (FPin->FInSending.load() > ALimit)
        JwSelfDependencyError();
    FPin->FInSending.fetch_add(1);
}

void TJwPin::SetLoadFormName(const QString& AName) {
    FLoadFormName = AName;
    ResolveUnloadedPins();
}

QString TJwPin::LoadedName(const QString& AName) const {
    const QString Prefix = FLoadFormName + u'.';
    if (!FLoadFormName.isEmpty() && AName.startsWith(Prefix))
        return GetRootName() + u'.' + AName.mid(Prefix.size());
    return AName;
}

void TJwPin::ResolveUnloadedPins() {
    TJwUnloadedPin::ResolveFor(this);
}

void TJwPin::DefineProperties(TFiler& AFiler) {
    TJwBasicPin::DefineProperties(AFiler);
    const bool Linked = HasLinkValue() || IsStateConnected();
    AFiler.DefineProperty(
        QStringLiteral("Form"), [this](TReader& R) { SetLoadFormName(R.ReadString()); },
        [this](TWriter& W) { W.WriteString(GetRootName()); }, Linked);
    AFiler.DefineProperty(
        QStringLiteral("State"),
        [this](TReader& R) {
            const QString Name = R.ReadString();
            ConnectToState(TJwStateDispatcher::GetByNameCreate(this, Name, false).get());
        },
        [this](TWriter& W) {
            const auto Dispatcher = TIntfPtr<TJwStateDispatcher>(GetDispatcher());
            W.WriteString(Dispatcher ? Dispatcher->GetName() : QString());
        },
        HasStateValue());
}

void JwSelfDependencyError() {
    throw EJwPinError(
        QStringLiteral("The pin depends on itself. Please protect with functional dependency."));
}
