#include "pins/JwBasicPin.h"

#include <algorithm>

#include "pins/JwGlobals.h"
#include "pins/JwPinList.h"
#include "pins/JwUnloadedPin.h"
#include "platform/Component.h"
#include "platform/PublishedProperties.h"

namespace {

std::vector<TJwBasicPin*>& PinList() {
    static std::vector<TJwBasicPin*> List;
    return List;
}

// The published object property of AOwner holding AObject, or empty.
QString PropertyHolding(const TComponent* AOwner, const QObject* AObject) {
    for (const QMetaProperty& Prop : PublishedProperties(*AOwner->metaObject()))
        if (IsObjectProperty(Prop) && Prop.read(AOwner).value<QObject*>() == AObject)
            return QString::fromLatin1(Prop.name());
    return {};
}

QString DropFirst(const QString& AName) {
    const auto Dot = AName.indexOf(u'.');
    return Dot < 0 ? AName : AName.mid(Dot + 1);
}

} // namespace

TJwBasicPin::TJwBasicPin() : FDestroyLock(new TJwDestroyLock(this)) {
    TJwCriticalSectionLock L(JwGlobalPinSection());
    PinList().push_back(this);
}

TJwBasicPin::~TJwBasicPin() {
    if (CurrentEditorPtr)
        *CurrentEditorPtr = nullptr;
}

void TJwBasicPin::BeforeDestruction() {
    // No lock of this pin is held while the links go: a thread connecting a
    // pin to this one holds the other end's lock and then asks for this one.
    // Calls in flight (connects included) finish before the claim stands,
    // and new ones are refused until the pin is gone.
    const auto Destroy = FDestroyLock->DestroyLock();
    Disconnect();
    Announce(TJwPinEvent::PinDestroyed);
    std::vector<TJwBasicPin*> Others;
    {
        TJwCriticalSectionLock L(JwGlobalPinSection());
        auto& List = PinList();
        List.erase(std::remove(List.begin(), List.end(), this), List.end());
        Others = List;
    }
    for (auto* Pin : Others)
        Pin->PinDestroyed(this);
    DestroyParts();
    TJwPinObject::BeforeDestruction();
}

bool TJwBasicPin::CanConnectAfter(TJwBasicPin* AOtherPin, TJwBasicPin* ANotifyAfterPin,
                                  bool AUseConverters) {
    if (!ANotifyAfterPin)
        return IsCompatible(AOtherPin, AUseConverters);
    const auto Dispatcher = FDispatcher;
    return Dispatcher && Dispatcher->CanConnectAfter(AOtherPin, ANotifyAfterPin);
}

void TJwBasicPin::Disconnect() {
    LeaveDispatcher();
}

void TJwBasicPin::DisconnectFrom(TJwBasicPin* AOtherPin) {
    if (AOtherPin && IsConnectedByStateTo(AOtherPin))
        LeaveDispatcher();
}

void TJwBasicPin::LeaveDispatcher() {
    TIntfPtr<TJwStateDispatcher> Dispatcher;
    {
        const auto Section = WriteLock();
        Dispatcher = std::exchange(FDispatcher, nullptr);
    }
    if (!Dispatcher)
        return;
    Dispatcher->RemovePin(this);
    DispatcherLeft(Dispatcher.get());
    Announce(TJwPinEvent::PinChanged);
}

bool TJwBasicPin::IsConnected() {
    return IsStateConnected();
}

bool TJwBasicPin::IsConnectedTo(TJwBasicPin* AOtherPin) {
    return IsConnectedByStateTo(AOtherPin);
}

bool TJwBasicPin::IsConnectedToAfter(TJwBasicPin* AOtherPin, TJwBasicPin* ANotifyAfterPin) {
    const auto Dispatcher = FDispatcher;
    if (!Dispatcher || !Dispatcher->IsConnectedTo(AOtherPin))
        return false;
    const int32_t Count = Dispatcher->GetPinCount();
    for (int32_t I = 0; I < Count; ++I) {
        const auto Entry = Dispatcher->GetEntry(I);
        if (Entry.ConnectionPin == AOtherPin)
            return Entry.AfterPin == ANotifyAfterPin;
    }
    return false;
}

bool TJwBasicPin::IsConnectedByConverterTo(TJwBasicPin*) {
    return false;
}

int32_t TJwBasicPin::GetConnectedPinCount() {
    const auto Dispatcher = FDispatcher;
    return Dispatcher ? std::max(0, Dispatcher->GetPinCount() - 1) : 0;
}

bool TJwBasicPin::IsStateConnected() {
    const auto Section = ReadLock();
    return static_cast<bool>(FDispatcher);
}

bool TJwBasicPin::IsConnectedToState(TJwStateDispatcher* ADispatcher) {
    const auto Section = ReadLock();
    return ADispatcher && FDispatcher.get() == ADispatcher;
}

bool TJwBasicPin::IsConnectedByStateTo(TJwBasicPin* AOtherPin) {
    const auto Dispatcher = FDispatcher;
    return Dispatcher && AOtherPin != this && Dispatcher->IsConnectedTo(AOtherPin);
}

int32_t TJwBasicPin::GetConnectedDispatcherCount() {
    return IsStateConnected() ? 1 : 0;
}

bool TJwBasicPin::CanConnectToState(TJwStateDispatcher* ADispatcher) {
    if (!ADispatcher)
        return false;
    const int32_t Count = ADispatcher->GetPinCount();
    for (int32_t I = 0; I < Count; ++I) {
        auto* Member = dynamic_cast<TJwBasicPin*>(ADispatcher->GetPin(I));
        if (Member && Member != this && !IsStateCompatible(Member))
            return false;
    }
    return true;
}

bool TJwBasicPin::ConnectToStateAfter(TJwStateDispatcher* ADispatcher,
                                      TJwBasicPin* ANotifyAfterPin) {
    if (!ADispatcher)
        return false;
    if (FDispatcher.get() == ADispatcher)
        return true;
    if (!CanConnectToState(ADispatcher) || !ADispatcher->CanConnectAfter(this, ANotifyAfterPin))
        return false;
    LeaveDispatcher();
    {
        const auto Section = WriteLock();
        FDispatcher = ADispatcher;
    }
    ADispatcher->AddPinAfter(this, this, ANotifyAfterPin);
    Announce(TJwPinEvent::PinChanged);
    ADispatcher->StateUpdate(this);
    return true;
}

bool TJwBasicPin::ConnectByStateAfter(TJwBasicPin* AOtherPin, TJwBasicPin* ANotifyAfterPin) {
    if (!AOtherPin || AOtherPin == this || !IsStateCompatible(AOtherPin))
        return false;
    auto Dispatcher = TIntfPtr<TJwStateDispatcher>(AOtherPin->GetDispatcher());
    if (!Dispatcher) {
        Dispatcher = TJwStateDispatcher::Create(AOtherPin->GetRootName(), false);
        if (!AOtherPin->ConnectToState(Dispatcher.get()))
            return false;
    }
    return ConnectToStateAfter(Dispatcher.get(), ANotifyAfterPin);
}

bool TJwBasicPin::IsStateCompatible(TJwBasicPin*) {
    return true;
}

bool TJwBasicPin::DependsOn(TJwBasicPin* AOtherPin) {
    return DirectDependsOn(AOtherPin);
}

bool TJwBasicPin::DirectDependsOn(TJwBasicPin*) {
    return false;
}

bool TJwBasicPin::Notify(const TJwNotifyOperationPtr&) {
    return false;
}

QStringList TJwBasicPin::NamePath(bool AIdentForm) const {
    const TComponent* Owner = GetPinOwner();
    if (!Owner)
        return {};
    QStringList Path{Owner->GetName()};
    if (FOwnerPinList) {
        Path << PropertyHolding(Owner, FOwnerPinList);
        auto* List = FOwnerPinList;
        Path << (AIdentForm ? QStringLiteral("_Pin") + QString::number(List->IndexOf(this))
                            : List->NameOf(this));
    } else {
        const QString Property = PropertyHolding(Owner, this);
        Path << (Property.isEmpty() ? objectName() : Property);
    }
    return Path;
}

namespace {

QString JoinedName(const TJwBasicPin* APin, const QStringList& APath, bool AIncludeRootForm) {
    if (APath.isEmpty())
        return QStringLiteral("(No owner)");
    const TComponent* Root = APin->GetRoot();
    if (AIncludeRootForm && Root && Root != APin->GetPinOwner())
        return Root->GetName() + u'.' + APath.join(u'.');
    return APath.join(u'.');
}

} // namespace

QString TJwBasicPin::GetFullName(bool AIncludeRootForm) const {
    return JoinedName(this, NamePath(false), AIncludeRootForm);
}

QString TJwBasicPin::GetFullIdentName(bool AIncludeRootForm) const {
    return JoinedName(this, NamePath(true), AIncludeRootForm);
}

QString TJwBasicPin::GetName() const {
    return GetPinOwner() ? DropFirst(GetFullName(false)) : GetFullName(false);
}

QString TJwBasicPin::GetSaveName() const {
    return GetPinOwner() ? DropFirst(GetFullIdentName(false)) : GetFullIdentName(false);
}

TComponent* TJwBasicPin::GetRoot() const {
    TComponent* Root = GetPinOwner();
    while (Root && Root->Owner())
        Root = Root->Owner();
    return Root;
}

QString TJwBasicPin::GetRootName() const {
    const TComponent* Root = GetRoot();
    return Root ? Root->GetName() : QString();
}

QString TJwBasicPin::GetOwnerName() const {
    const TComponent* Owner = GetPinOwner();
    return Owner ? Owner->GetName() : QString();
}

QString TJwBasicPin::GetConnectionName() {
    const auto Dispatcher = FDispatcher;
    if (!Dispatcher)
        return QStringLiteral("(Disconnected)");
    if (Dispatcher->GetPinCount() == 2) {
        for (int32_t I = 0; I < 2; ++I)
            if (auto* Other = Dispatcher->GetEntry(I).RealPin; Other != this)
                return Other->GetFullName(true);
    }
    return Dispatcher->GetName();
}

QString TJwBasicPin::GetAfterPinDisplayName() {
    const auto Dispatcher = FDispatcher;
    return Dispatcher ? Dispatcher->GetAfterPinDisplayName(this) : QString();
}

bool TJwBasicPin::IsLinkedTo(const QString& AName) {
    for (auto* Pin : JwAllPins())
        if (Pin != this &&
            (Pin->GetFullName(true) == AName || Pin->GetFullIdentName(true) == AName))
            return IsConnectedTo(Pin);
    return false;
}

void TJwBasicPin::PinDestroyed(TJwBasicPin*) {}

void TJwBasicPin::ReceiveStateUpdate(const TJwNotifyOperationPtr& AOperation, IJwDispatcherPin*) {
    Notify(AOperation);
}

void TJwBasicPin::DispatcherDropped(TJwStateDispatcher* ADispatcher) {
    // The dispatcher is going through its list: it must not be freed here.
    TIntfPtr<TJwStateDispatcher> Keep;
    {
        const auto Section = WriteLock();
        if (FDispatcher.get() != ADispatcher)
            return;
        Keep = std::exchange(FDispatcher, nullptr);
    }
    DispatcherLeft(ADispatcher);
    Announce(TJwPinEvent::PinChanged);
}

TIntfPtr<TJwStateDispatcher> TJwBasicPin::NewStateDispatcher(const QString& AName,
                                                             bool ADesignTime) {
    return TIntfPtr<TJwStateDispatcher>(new TJwStateDispatcher(AName, ADesignTime));
}

std::vector<TJwBasicPin*> JwAllPins() {
    TJwCriticalSectionLock L(JwGlobalPinSection());
    return PinList();
}

TJwBasicPin* JwFindPinByName(TComponent* ARoot, const QString& AName) {
    if (AName.isEmpty())
        return nullptr;
    for (auto* Pin : JwAllPins())
        if (Pin->GetRoot() == ARoot && !dynamic_cast<TJwUnloadedPin*>(Pin) &&
            (Pin->GetFullIdentName(true) == AName || Pin->GetFullName(true) == AName))
            return Pin;
    return nullptr;
}
