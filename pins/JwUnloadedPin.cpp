#include "pins/JwUnloadedPin.h"

#include <algorithm>
#include <iterator>

#include "pins/JwGlobals.h"
#include "pins/JwPin.h"
#include "platform/Component.h"

namespace {

struct TPlaceholders {
    TPlaceholders() {
        // The pin list must outlive the placeholders freed at exit.
        JwAllPins();
    }
    ~TPlaceholders() {
        for (auto* Pin : std::exchange(List, {}))
            TPersistent::Free(Pin);
    }
    TPlaceholders(const TPlaceholders&) = delete;
    TPlaceholders& operator=(const TPlaceholders&) = delete;

    std::vector<TJwUnloadedPin*> List;
};

TPlaceholders& Placeholders() {
    static TPlaceholders P;
    return P;
}

// Placeholders whose form is gone wait for nothing: they are freed before
// the list is looked at, so reading many forms does not make it grow.
std::vector<TJwUnloadedPin*> Snapshot() {
    std::vector<TJwUnloadedPin*> Orphans;
    std::vector<TJwUnloadedPin*> Live;
    {
        TJwCriticalSectionLock L(JwGlobalPinSection());
        auto& List = Placeholders().List;
        const auto Orphaned = [](TJwUnloadedPin* APin) { return APin->IsOrphaned(); };
        std::copy_if(List.begin(), List.end(), std::back_inserter(Orphans), Orphaned);
        std::erase_if(List, Orphaned);
        Live = List;
    }
    for (auto* Pin : Orphans)
        TPersistent::Free(Pin);
    return Live;
}

void Forget(TJwUnloadedPin* APin) {
    TJwCriticalSectionLock L(JwGlobalPinSection());
    std::erase(Placeholders().List, APin);
}

bool Matches(TJwPinType APlaceholder, TJwPinType APin) {
    if (APlaceholder == ptSink || APlaceholder == ptMultiSink)
        return APin == ptSink || APin == ptMultiSink;
    return APlaceholder == APin;
}

} // namespace

TJwUnloadedPin::TJwUnloadedPin(TComponent* ARoot, QString AIdentName, QString ADisplayName,
                               TJwPinType AType, QString ACreatedFrom)
    : FDisplayName(std::move(ADisplayName)), FIdentName(std::move(AIdentName)), FRoot(ARoot),
      FHadRoot(ARoot), FType(AType), FCreatedFrom(std::move(ACreatedFrom)) {}

TJwUnloadedPin* TJwUnloadedPin::FindOrCreate(TComponent* ARoot, const QString& AIdentName,
                                             const QString& ADisplayName, TJwPinType AType,
                                             const QString& ACreatedFrom) {
    for (auto* Pin : Snapshot())
        if (Pin->FRoot == ARoot && Pin->FIdentName == AIdentName && Pin->FType == AType)
            return Pin;
    auto* Pin = new TJwUnloadedPin(ARoot, AIdentName, ADisplayName, AType, ACreatedFrom);
    TJwCriticalSectionLock L(JwGlobalPinSection());
    Placeholders().List.push_back(Pin);
    return Pin;
}

std::vector<TJwUnloadedPin*> TJwUnloadedPin::Pending() {
    return Snapshot();
}

void TJwUnloadedPin::ResolveFor(TJwPin* APin) {
    TComponent* Root = APin->GetRoot();
    if (!Root)
        return;
    const QString Ident = APin->GetFullIdentName(true);
    const QString Display = APin->GetFullName(true);
    for (auto* Pin : Snapshot())
        if (Pin->FRoot == Root && Matches(Pin->FType, APin->GetPinType()) &&
            (Pin->FIdentName == Ident || Pin->FDisplayName == Display))
            Pin->PopulatePinAndDestroy(APin);
}

void TJwUnloadedPin::PopulatePinAndDestroy(TJwBasicPin* APin) {
    std::vector<TLink> Links;
    {
        const auto Section = ReadLock();
        Links = FConnectedPins;
    }
    for (const auto& Link : Links) {
        Link.Pin->DisconnectFrom(this);
        if (FType == ptSource || FType == ptState)
            Link.Pin->ConnectAfter(APin, Link.NotifyAfterPin);
        else
            APin->ConnectAfter(Link.Pin, Link.NotifyAfterPin);
    }
    Forget(this);
    TPersistent::Free(this);
}

bool TJwUnloadedPin::ConnectAfter(TJwBasicPin* AOtherPin, TJwBasicPin* ANotifyAfterPin) {
    if (!AOtherPin || AOtherPin == this)
        return false;
    const auto Section = WriteLock();
    const auto It = std::find_if(FConnectedPins.begin(), FConnectedPins.end(),
                                 [&](const TLink& L) { return L.Pin == AOtherPin; });
    if (It == FConnectedPins.end())
        FConnectedPins.push_back({AOtherPin, ANotifyAfterPin});
    return true;
}

bool TJwUnloadedPin::IsCompatible(TJwBasicPin*, bool) {
    return true;
}

void TJwUnloadedPin::Disconnect() {
    std::vector<TLink> Links;
    {
        const auto Section = WriteLock();
        Links.swap(FConnectedPins);
    }
    for (const auto& Link : Links)
        Link.Pin->DisconnectFrom(this);
    TJwBasicPin::Disconnect();
}

void TJwUnloadedPin::DisconnectFrom(TJwBasicPin* AOtherPin) {
    const auto Section = WriteLock();
    std::erase_if(FConnectedPins, [&](const TLink& L) { return L.Pin == AOtherPin; });
}

bool TJwUnloadedPin::IsConnected() {
    const auto Section = ReadLock();
    return !FConnectedPins.empty();
}

bool TJwUnloadedPin::IsConnectedTo(TJwBasicPin* AOtherPin) {
    const auto Section = ReadLock();
    return std::any_of(FConnectedPins.begin(), FConnectedPins.end(),
                       [&](const TLink& L) { return L.Pin == AOtherPin; });
}

int32_t TJwUnloadedPin::GetConnectedPinCount() {
    const auto Section = ReadLock();
    return static_cast<int32_t>(FConnectedPins.size());
}

namespace {

QString WithoutRoot(const QString& AName, const TComponent* ARoot) {
    const QString Prefix = ARoot ? ARoot->GetName() + u'.' : QString();
    return !Prefix.isEmpty() && AName.startsWith(Prefix) ? AName.mid(Prefix.size()) : AName;
}

} // namespace

QString TJwUnloadedPin::GetFullName(bool AIncludeRootForm) const {
    return AIncludeRootForm ? FDisplayName : WithoutRoot(FDisplayName, FRoot);
}

QString TJwUnloadedPin::GetFullIdentName(bool AIncludeRootForm) const {
    return AIncludeRootForm ? FIdentName : WithoutRoot(FIdentName, FRoot);
}

void TJwUnloadedPin::PinDestroyed(TJwBasicPin* APin) {
    DisconnectFrom(APin);
    TJwBasicPin::PinDestroyed(APin);
}
