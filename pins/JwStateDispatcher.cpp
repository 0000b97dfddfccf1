#include "pins/JwStateDispatcher.h"

#include <algorithm>

#include "pins/JwConverterList.h"
#include "pins/JwFormatConverter.h"
#include "pins/JwGlobals.h"
#include "platform/Exceptions.h"

namespace {

std::vector<TJwStateDispatcher*>& Dispatchers(bool ADesignTime) {
    static std::vector<TJwStateDispatcher*> DesignTime;
    static std::vector<TJwStateDispatcher*> RunTime;
    return ADesignTime ? DesignTime : RunTime;
}

TJwStateDispatcher* FindListed(const QString& AName, bool ADesignTime) {
    const auto& List = Dispatchers(ADesignTime);
    const auto It = std::find_if(List.begin(), List.end(), [&](auto* ADispatcher) {
        return ADispatcher->GetName() == AName;
    });
    return It == List.end() ? nullptr : *It;
}

} // namespace

TJwStateDispatcher::TJwStateDispatcher(QString AName, bool ADesignTime)
    : FName(std::move(AName)), FDesignTime(ADesignTime) {}

TJwStateDispatcher::~TJwStateDispatcher() {
    // Converters that no member uses any more go with the dispatcher.
    for (auto* Converter : std::exchange(FFormatConverters, {}))
        TPersistent::Free(Converter);
}

void TJwStateDispatcher::Release() noexcept {
    {
        TJwCriticalSectionLock L(JwGlobalPinSection());
        if (FRefCount.fetch_sub(1, std::memory_order_acq_rel) != 1)
            return;
        if (FListed) {
            auto& List = Dispatchers(FDesignTime);
            List.erase(std::find(List.begin(), List.end(), this));
        }
    }
    delete this;
}

void TJwStateDispatcher::Link(const TIntfPtr<TJwStateDispatcher>& ADispatcher) {
    TJwCriticalSectionLock L(JwGlobalPinSection());
    if (ADispatcher->FListed)
        return;
    if (FindListed(ADispatcher->FName, ADispatcher->FDesignTime))
        throw Exception(
            QStringLiteral("A state dispatcher named '%1' exists already").arg(ADispatcher->FName));
    Dispatchers(ADispatcher->FDesignTime).push_back(ADispatcher.get());
    ADispatcher->FListed = true;
}

TIntfPtr<TJwStateDispatcher> TJwStateDispatcher::Create(const QString& AOwnerFormName,
                                                        bool ADesignTime) {
    TJwCriticalSectionLock L(JwGlobalPinSection());
    return CreateNamed(GetUniqueName(AOwnerFormName, ADesignTime), ADesignTime);
}

TIntfPtr<TJwStateDispatcher> TJwStateDispatcher::CreateNamed(const QString& AName,
                                                             bool ADesignTime) {
    TIntfPtr<TJwStateDispatcher> Result(new TJwStateDispatcher(AName, ADesignTime));
    Link(Result);
    return Result;
}

TIntfPtr<TJwStateDispatcher> TJwStateDispatcher::GetByName(const QString& AName, bool ADesignTime) {
    TJwCriticalSectionLock L(JwGlobalPinSection());
    return FindListed(AName, ADesignTime);
}

TIntfPtr<TJwStateDispatcher> TJwStateDispatcher::GetByNameCreate(IJwDispatcherPin* APin,
                                                                 const QString& AName,
                                                                 bool ADesignTime) {
    TJwCriticalSectionLock L(JwGlobalPinSection());
    if (auto Found = GetByName(AName, ADesignTime))
        return Found;
    auto Result = APin->NewStateDispatcher(AName, ADesignTime);
    if (!Result || Result->FName != AName || Result->FDesignTime != ADesignTime)
        throw Exception(
            QStringLiteral("The pin did not make the state dispatcher '%1'").arg(AName));
    Link(Result);
    return Result;
}

QString TJwStateDispatcher::GetUniqueName(const QString& AOwnerFormName, bool ADesignTime) {
    TJwCriticalSectionLock L(JwGlobalPinSection());
    for (int32_t N = 1;; ++N) {
        const QString Name = AOwnerFormName + QStringLiteral("Link") + QString::number(N);
        if (!FindListed(Name, ADesignTime))
            return Name;
    }
}

bool TJwStateDispatcher::IsUniqueName(const QString& AName, bool ADesignTime) {
    TJwCriticalSectionLock L(JwGlobalPinSection());
    return FindListed(AName, ADesignTime) == nullptr;
}

const TJwStateEntry* TJwStateDispatcher::FindEntry(IJwDispatcherPin* AConnectionPin) const {
    const auto It = std::find_if(FPins.begin(), FPins.end(), [&](const TJwStateEntry& AEntry) {
        return AEntry.ConnectionPin == AConnectionPin;
    });
    return It == FPins.end() ? nullptr : &*It;
}

void TJwStateDispatcher::AddPin(IJwDispatcherPin* APin) {
    AddPinAfter(APin, APin, nullptr);
}

void TJwStateDispatcher::AddPinAfter(IJwDispatcherPin* AConnectionPin, IJwDispatcherPin* ARealPin,
                                     IJwDispatcherPin* ANotifyAfterPin) {
    const auto Section = WriteLock();
    // Several sinks may join through the input of one converter.
    const bool Member = std::any_of(FPins.begin(), FPins.end(), [&](const TJwStateEntry& AEntry) {
        return AEntry.ConnectionPin == AConnectionPin &&
               (AEntry.RealPin == ARealPin || AConnectionPin == ARealPin);
    });
    if (!Member)
        FPins.push_back({AConnectionPin, ARealPin, ANotifyAfterPin});
}

void TJwStateDispatcher::RemovePin(IJwDispatcherPin* APin) {
    // The pins' references may be all that keeps this dispatcher.
    const TIntfPtr<TJwStateDispatcher> Self(this);
    const auto Section = WriteLock();
    for (;;) {
        const auto It = std::find_if(FPins.begin(), FPins.end(), [&](const TJwStateEntry& AEntry) {
            return AEntry.ConnectionPin == APin || AEntry.RealPin == APin;
        });
        if (It == FPins.end())
            return;
        IJwDispatcherPin* const Gone = It->ConnectionPin;
        IJwDispatcherPin* const After = It->AfterPin;
        FPins.erase(It);
        // Members told after the leaving pin keep their place in the order.
        for (auto& Entry : FPins)
            if (Entry.AfterPin == APin || Entry.AfterPin == Gone)
                Entry.AfterPin = After;
    }
}

TJwFormatConverter* TJwStateDispatcher::AcquireConverter(TJwFormatConverterClass AClass,
                                                         const TGUID& AInputID,
                                                         const TGUID& AOutputID) {
    const auto Section = WriteLock();
    return JwShareConverter(FFormatConverters, AClass, AInputID, AOutputID);
}

void TJwStateDispatcher::ReleaseConverter(TJwFormatConverter* AConverter) {
    {
        const auto Section = WriteLock();
        if (!JwUnshareConverter(FFormatConverters, AConverter))
            return;
    }
    // Freed without the dispatcher's lock: its pins leave their links.
    TPersistent::Free(AConverter);
}

std::vector<TJwFormatConverter*> TJwStateDispatcher::GetFormatConverters() {
    const auto Section = ReadLock();
    return FFormatConverters;
}

int32_t TJwStateDispatcher::GetConverterCount() {
    const auto Section = ReadLock();
    return static_cast<int32_t>(FFormatConverters.size());
}

void TJwStateDispatcher::DisconnectAll() {
    const TIntfPtr<TJwStateDispatcher> Self(this);
    std::vector<TJwStateEntry> Dropped;
    {
        const auto Section = WriteLock();
        Dropped.swap(FPins);
    }
    for (const auto& Entry : Dropped)
        Entry.ConnectionPin->DispatcherDropped(this);
}

bool TJwStateDispatcher::IsConnectedTo(IJwDispatcherPin* APin) {
    const auto Section = ReadLock();
    return std::any_of(FPins.begin(), FPins.end(), [&](const TJwStateEntry& AEntry) {
        return AEntry.ConnectionPin == APin || AEntry.RealPin == APin;
    });
}

bool TJwStateDispatcher::CanConnectAfter(IJwDispatcherPin* AOtherPin,
                                         IJwDispatcherPin* ANotifyAfterPin) {
    const auto Section = ReadLock();
    // Follows the chain of after-pins; a chain longer than the member list
    // runs in a circle and cannot take another pin.
    size_t Steps = 0;
    for (auto* Pin = ANotifyAfterPin; Pin; ++Steps) {
        if (Pin == AOtherPin || Steps > FPins.size())
            return false;
        const auto* Entry = FindEntry(Pin);
        if (!Entry)
            return false;
        Pin = Entry->AfterPin;
    }
    return true;
}

int32_t TJwStateDispatcher::GetPinCount() {
    const auto Section = ReadLock();
    return static_cast<int32_t>(FPins.size());
}

TJwStateEntry TJwStateDispatcher::GetEntry(int32_t AIndex) {
    const auto Section = ReadLock();
    if (AIndex < 0 || static_cast<size_t>(AIndex) >= FPins.size())
        ListIndexError(AIndex);
    return FPins[static_cast<size_t>(AIndex)];
}

IJwDispatcherPin* TJwStateDispatcher::GetPin(int32_t AIndex) {
    return GetEntry(AIndex).ConnectionPin;
}

bool TJwStateDispatcher::IsCrosForm() {
    const auto Section = ReadLock();
    if (FPins.empty())
        return false;
    const QString First = FPins.front().ConnectionPin->GetRootName();
    return std::any_of(FPins.begin() + 1, FPins.end(), [&](const TJwStateEntry& AEntry) {
        return AEntry.ConnectionPin->GetRootName() != First;
    });
}

bool TJwStateDispatcher::ConnectedToForm(const QString& AFormName) {
    const auto Section = ReadLock();
    return std::any_of(FPins.begin(), FPins.end(), [&](const TJwStateEntry& AEntry) {
        return AEntry.ConnectionPin->GetRootName() == AFormName;
    });
}

QString TJwStateDispatcher::GetAfterPinDisplayName(IJwDispatcherPin* APin) {
    const auto Section = ReadLock();
    const auto* Entry = FindEntry(APin);
    return Entry && Entry->AfterPin ? Entry->AfterPin->GetFullName(true) : QString();
}

void TJwStateDispatcher::StateUpdate(IJwDispatcherPin* AUpdatingPin) {
    const TIntfPtr<TJwStateDispatcher> Self(this);
    std::vector<IJwDispatcherPin*> Receivers;
    {
        const auto Section = ReadLock();
        const auto Source =
            std::find_if(FPins.begin(), FPins.end(), [](const TJwStateEntry& AEntry) {
                return AEntry.ConnectionPin->GetPinType() == ptSource;
            });
        if (Source != FPins.end()) {
            Receivers.push_back(Source->RealPin);
        } else {
            for (const auto& Entry : FPins) {
                const auto Type = Entry.ConnectionPin->GetPinType();
                if (Type != ptSink && Type != ptMultiSink)
                    Receivers.push_back(Entry.RealPin);
            }
        }
    }
    // Members are called without the dispatcher's lock: they call on into their connections.
    const TJwNotifyOperationPtr Operation(new TJwNotifyOperation);
    for (auto* Receiver : Receivers)
        Receiver->ReceiveStateUpdate(Operation, Receiver == AUpdatingPin ? nullptr : AUpdatingPin);
}

TJwStateReceivers::TJwStateReceivers(TJwStateDispatcher* ADispatcher, IJwDispatcherPin* AExcept)
    : FDispatcher(ADispatcher) {
    if (!ADispatcher)
        return;
    const auto Section = ADispatcher->ReadLock();
    for (const auto& Entry : ADispatcher->FPins) {
        if (Entry.ConnectionPin == AExcept || Entry.RealPin == AExcept ||
            std::find(Pins.begin(), Pins.end(), Entry.ConnectionPin) != Pins.end())
            continue;
        Pins.push_back(Entry.ConnectionPin);
        for (auto* Converter : ADispatcher->FFormatConverters)
            if (static_cast<IJwDispatcherPin*>(Converter->GetInputPin()) == Entry.ConnectionPin) {
                Converter->AddRef();
                FHeld.push_back(Converter);
            }
    }
}

TJwStateReceivers::~TJwStateReceivers() {
    for (auto* Converter : FHeld)
        FDispatcher->ReleaseConverter(Converter);
}
