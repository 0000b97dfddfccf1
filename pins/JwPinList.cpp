#include "pins/JwPinList.h"

#include <algorithm>

#include "pins/JwPin.h"
#include "platform/Component.h"
#include "platform/Filer.h"

TJwPinList::TJwPinList(TComponent* AOwner, bool APinsOwner, const TIntfPtr<IJwLock>& AOwnerLock)
    : FOwner(AOwner), FOwnerLock(AOwnerLock), FPinsOwner(APinsOwner) {
    JwAnnounce(TJwPinEvent::PinListCreated, this);
}

TJwPinList::~TJwPinList() = default;

void TJwPinList::BeforeDestruction() {
    Clear();
    JwAnnounce(TJwPinEvent::PinListDestroyed, this);
    TJwPinObject::BeforeDestruction();
}

TJwLockSectionPtr TJwPinList::ReadLock() {
    return FIntLock->ReadSection(FOwnerLock.get());
}

TJwLockSectionPtr TJwPinList::WriteLock() {
    return FIntLock->WriteSection(FOwnerLock.get());
}

void TJwPinList::Add(const QString& AName, TJwBasicPin* APin) {
    if (!APin)
        throw EJwPinError(QStringLiteral("A pin list cannot hold a missing pin"));
    {
        const auto Section = WriteLock();
        if (AName.isEmpty() || std::any_of(FPinsList.begin(), FPinsList.end(),
                                           [&](const auto& Entry) { return Entry.first == AName; }))
            throw EJwPinError(QStringLiteral("Invalid or duplicate pin name '%1'").arg(AName));
        FPinsList.emplace_back(AName, APin);
        APin->SetOwnerPinList(this);
    }
    JwAnnounce(TJwPinEvent::PinListChanged, this);
}

void TJwPinList::Remove(TJwBasicPin* APin) {
    {
        const auto Section = WriteLock();
        const auto It = std::find_if(FPinsList.begin(), FPinsList.end(),
                                     [&](const auto& Entry) { return Entry.second == APin; });
        if (It == FPinsList.end())
            return;
        FPinsList.erase(It);
        APin->SetOwnerPinList(nullptr);
    }
    if (FPinsOwner)
        TPersistent::Free(APin);
    JwAnnounce(TJwPinEvent::PinListChanged, this);
}

void TJwPinList::Clear() {
    decltype(FPinsList) Pins;
    {
        const auto Section = WriteLock();
        Pins.swap(FPinsList);
        for (auto& Entry : Pins)
            Entry.second->SetOwnerPinList(nullptr);
    }
    if (FPinsOwner)
        for (auto& Entry : Pins)
            TPersistent::Free(Entry.second);
    if (!Pins.empty())
        JwAnnounce(TJwPinEvent::PinListChanged, this);
}

int32_t TJwPinList::Count() {
    const auto Section = ReadLock();
    return static_cast<int32_t>(FPinsList.size());
}

TJwBasicPin* TJwPinList::Pins(int32_t AIndex) {
    const auto Section = ReadLock();
    if (AIndex < 0 || AIndex >= static_cast<int32_t>(FPinsList.size()))
        ListIndexError(AIndex);
    return FPinsList[static_cast<size_t>(AIndex)].second;
}

TJwBasicPin* TJwPinList::Find(const QString& AName) {
    const auto Section = ReadLock();
    for (const auto& Entry : FPinsList)
        if (Entry.first == AName)
            return Entry.second;
    return nullptr;
}

int32_t TJwPinList::IndexOf(const TJwBasicPin* APin) {
    const auto Section = ReadLock();
    for (size_t I = 0; I < FPinsList.size(); ++I)
        if (FPinsList[I].second == APin)
            return static_cast<int32_t>(I);
    return -1;
}

QString TJwPinList::NameOf(const TJwBasicPin* APin) {
    const auto Section = ReadLock();
    for (const auto& Entry : FPinsList)
        if (Entry.second == APin)
            return Entry.first;
    return {};
}

void TJwPinList::DefineProperties(TFiler& AFiler) {
    TJwPinObject::DefineProperties(AFiler);
    std::vector<std::pair<QString, TJwPin*>> Linked;
    {
        const auto Section = ReadLock();
        for (const auto& [Name, Pin] : FPinsList)
            if (auto* Stored = dynamic_cast<TJwPin*>(Pin); Stored && Stored->HasLinkValue())
                Linked.emplace_back(Name, Stored);
    }
    const QString RootName = Linked.empty() ? QString() : Linked.front().second->GetRootName();
    AFiler.DefineProperty(
        QStringLiteral("Form"), [this](TReader& R) { FLoadFormName = R.ReadString(); },
        [RootName](TWriter& W) { W.WriteString(RootName); }, !Linked.empty());
    AFiler.DefineProperty(
        QStringLiteral("Pins"), [this](TReader& R) { ReadPins(R); },
        [Linked](TWriter& W) {
            W.WriteListBegin();
            for (const auto& [Name, Pin] : Linked) {
                W.WriteListBegin();
                W.WriteString(Name);
                Pin->WriteLinkValue(W);
                W.WriteListEnd();
            }
            W.WriteListEnd();
        },
        !Linked.empty());
    AFiler.DefineProperty(
        QStringLiteral("PinsOwner"), [this](TReader& R) { FPinsOwner = R.ReadBoolean(); }, {},
        false);
}

void TJwPinList::ReadPins(TReader& AReader) {
    AReader.ReadListBegin();
    while (!AReader.EndOfList()) {
        AReader.ReadListBegin();
        const QString Name = AReader.ReadString();
        auto* Pin = dynamic_cast<TJwPin*>(Find(Name));
        if (!Pin)
            AReader.Error(QStringLiteral("The pin list has no pin named '%1'").arg(Name));
        Pin->SetLoadFormName(FLoadFormName);
        Pin->ReadLinkValue(AReader);
        AReader.ReadListEnd();
    }
    AReader.ReadListEnd();
}
