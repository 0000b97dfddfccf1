#include "pins/JwSourcePin.h"

#include <algorithm>
#include <optional>

#include "pins/JwConverterList.h"
#include "pins/JwFormatConverter.h"
#include "pins/JwPinLinks.h"
#include "pins/JwSinkPin.h"
#include "pins/JwStatePin.h"
#include "pins/JwUnloadedPin.h"
#include "platform/Filer.h"

namespace {

constexpr int32_t MaxSendNesting = 200;
constexpr int32_t MaxFirstDeliveryNesting = 10;
constexpr int32_t MaxModificationLevel = 10000;

// Gives up the calling thread's hold on the owner's lock (and the input
// lock) while the source calls into other components; on release the input
// lock is taken again before the owner's lock.
class TOwnerRelease {
public:
    TOwnerRelease(const TIntfPtr<IJwLock>& AOwnerLock, const TIntfPtr<IJwLock>& AInputLock) {
        if (AInputLock) {
            FInput = AInputLock->UnlockAll();
            if (AOwnerLock)
                FOwner = AOwnerLock->UnlockAllLockInOrder(AInputLock);
        } else if (AOwnerLock) {
            FOwner = AOwnerLock->UnlockAll();
        }
    }
    ~TOwnerRelease() {
        FOwner.reset();
        FInput.reset();
    }
    TOwnerRelease(const TOwnerRelease&) = delete;
    TOwnerRelease& operator=(const TOwnerRelease&) = delete;

private:
    TJwLockSectionPtr FInput;
    TJwLockSectionPtr FOwner;
};

// Keeps a converter alive while a send runs through it.
class TConverterHold {
public:
    TConverterHold(TJwSourcePin* ASource, TJwFormatConverter* AConverter)
        : FSource(ASource), FConverter(AConverter) {
        if (FConverter)
            FConverter->AddRef();
    }
    TConverterHold(TConverterHold&& AOther) noexcept
        : FSource(AOther.FSource), FConverter(std::exchange(AOther.FConverter, nullptr)) {}
    ~TConverterHold() {
        if (FConverter)
            FSource->ReleaseConverter(FConverter);
    }
    TConverterHold(const TConverterHold&) = delete;
    TConverterHold& operator=(const TConverterHold&) = delete;
    TConverterHold& operator=(TConverterHold&&) = delete;

private:
    TJwSourcePin* FSource;
    TJwFormatConverter* FConverter;
};

TJwFormatConverter* ConverterOf(TJwBasicPin* APin) {
    auto* Pin = dynamic_cast<TJwPin*>(APin);
    return Pin ? qobject_cast<TJwFormatConverter*>(Pin->GetPinOwner()) : nullptr;
}

} // namespace

struct TJwSourcePin::TNotifyPinEntry {
    TJwPinEntry Entry;
    TConverterHold Converter;
    // The receiver's destroy lock, held from the copy to the call.
    TJwLockSectionPtr Call;
};

TJwSourcePin::TJwSourcePin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock,
                           const TIntfPtr<IJwLock>& AInputOwnerLock)
    : TJwStreamPin(AOwner, AOwnerLock), FInputOwnerLock(AInputOwnerLock) {}

TJwSourcePin::~TJwSourcePin() = default;

void TJwSourcePin::DestroyParts() {
    TJwStreamPin::DestroyParts();
    // Converters still held by links of other threads' sends are gone with the links.
    std::vector<TJwFormatConverter*> Converters;
    {
        const auto Section = WriteLock();
        Converters.swap(FFormatConverters);
    }
    for (auto* Converter : Converters)
        TPersistent::Free(Converter);
}

bool TJwSourcePin::CanConnectAfter(TJwBasicPin* AOtherPin, TJwBasicPin* ANotifyAfterPin,
                                   bool AUseConverters) {
    if (ANotifyAfterPin) {
        const auto Section = ReadLock();
        const bool IsSink =
            std::any_of(FSinkPins.begin(), FSinkPins.end(),
                        [&](const TJwPinEntry& E) { return E.RealPin == ANotifyAfterPin; });
        if (IsSink)
            return ANotifyAfterPin != AOtherPin && IsCompatible(AOtherPin, AUseConverters);
    }
    if (TJwStreamPin::CanConnectAfter(AOtherPin, ANotifyAfterPin, AUseConverters))
        return true;
    return FInEditor || IsLoading();
}

bool TJwSourcePin::IsCompatible(TJwBasicPin* AOtherPin, bool AUseConverters) {
    if (!AOtherPin || dynamic_cast<TJwUnloadedPin*>(AOtherPin))
        return true;
    if (auto* Sink = dynamic_cast<TJwBasicSinkPin*>(AOtherPin))
        return Sink->IsCompatible(this, AUseConverters);
    if (auto* State = dynamic_cast<TJwStatePin*>(AOtherPin))
        return !FindStateConnectionType(State, AUseConverters, false).ID.IsNull() ||
               !State->FindStateConnectionType(this, AUseConverters, false).ID.IsNull();
    return false;
}

bool TJwSourcePin::ConnectAfter(TJwBasicPin* AOtherPin, TJwBasicPin* ANotifyAfterPin) {
    if (AOtherPin == this)
        return false;
    if (AOtherPin && !CanConnectAfter(AOtherPin, ANotifyAfterPin, true))
        return false;
    TJwBasicPin* Evicted = nullptr;
    {
        const auto Section = WriteLock();
        const bool Linkable = dynamic_cast<TJwBasicSinkPin*>(AOtherPin) ||
                              dynamic_cast<TJwStatePin*>(AOtherPin) ||
                              dynamic_cast<TJwUnloadedPin*>(AOtherPin);
        if (!Linkable)
            return false;
        const bool Linked =
            std::any_of(FSinkPins.begin(), FSinkPins.end(),
                        [&](const TJwPinEntry& E) { return E.RealPin == AOtherPin; });
        if (FMaxConnections > 0 && static_cast<int32_t>(FSinkPins.size()) >= FMaxConnections &&
            !Linked)
            Evicted = FSinkPins.front().RealPin;
    }
    // The two ends are locked one after the other, never one inside the other.
    if (Evicted)
        Evicted->DisconnectFrom(this);
    return AOtherPin->ConnectAfter(this, ANotifyAfterPin);
}

void TJwSourcePin::Disconnect() {
    std::vector<TJwBasicPin*> Sinks;
    {
        const auto Section = WriteLock();
        FInDisconnect = true;
        for (const auto& Entry : FSinkPins)
            if (std::find(Sinks.begin(), Sinks.end(), Entry.RealPin) == Sinks.end())
                Sinks.push_back(Entry.RealPin);
    }
    for (auto* Sink : Sinks)
        Sink->DisconnectFrom(this);
    {
        const auto Section = WriteLock();
        FInDisconnect = false;
    }
    TJwStreamPin::Disconnect();
}

void TJwSourcePin::DisconnectFrom(TJwBasicPin* AOtherPin) {
    if (IsConnectedTo(AOtherPin) && !IsConnectedByStateTo(AOtherPin))
        AOtherPin->DisconnectFrom(this);
    else
        TJwStreamPin::DisconnectFrom(AOtherPin);
}

bool TJwSourcePin::IsConnected() {
    return GetSinkCount() > 0 || TJwStreamPin::IsConnected();
}

bool TJwSourcePin::IsConnectedTo(TJwBasicPin* AOtherPin) {
    {
        const auto Section = ReadLock();
        if (AOtherPin && std::any_of(FSinkPins.begin(), FSinkPins.end(),
                                     [&](const TJwPinEntry& E) { return E.RealPin == AOtherPin; }))
            return true;
    }
    return TJwStreamPin::IsConnectedTo(AOtherPin);
}

bool TJwSourcePin::IsConnectedToAfter(TJwBasicPin* AOtherPin, TJwBasicPin* ANotifyAfterPin) {
    {
        const auto Section = ReadLock();
        for (const auto& Entry : FSinkPins)
            if (Entry.RealPin == AOtherPin)
                return Entry.NotifyAfterPin == ANotifyAfterPin;
    }
    return TJwStreamPin::IsConnectedToAfter(AOtherPin, ANotifyAfterPin);
}

bool TJwSourcePin::IsConnectedByConverterTo(TJwBasicPin* AOtherPin) {
    const auto Section = ReadLock();
    return std::any_of(FSinkPins.begin(), FSinkPins.end(), [&](const TJwPinEntry& E) {
        return E.RealPin == AOtherPin && E.ConnectionPin != E.RealPin;
    });
}

int32_t TJwSourcePin::GetConnectedPinCount() {
    return GetSinkCount() + TJwStreamPin::GetConnectedPinCount();
}

QString TJwSourcePin::GetConnectionName() {
    if (IsStateConnected())
        return TJwStreamPin::GetConnectionName();
    const auto Section = ReadLock();
    if (FSinkPins.empty())
        return QStringLiteral("(Disconnected)");
    if (FSinkPins.size() == 1)
        return FSinkPins.front().RealPin->GetFullName(true);
    return QStringLiteral("( ") + QString::number(FSinkPins.size()) + QStringLiteral(" Links )");
}

int32_t TJwSourcePin::GetSinkCount() {
    const auto Section = ReadLock();
    return static_cast<int32_t>(FSinkPins.size());
}

int32_t TJwSourcePin::GetConverterCount() {
    const auto Section = ReadLock();
    return static_cast<int32_t>(FFormatConverters.size());
}

TJwPinEntry TJwSourcePin::GetSinkEntry(int32_t AIndex) {
    const auto Section = ReadLock();
    if (AIndex < 0 || AIndex >= static_cast<int32_t>(FSinkPins.size()))
        ListIndexError(AIndex);
    return FSinkPins[static_cast<size_t>(AIndex)];
}

TJwBasicPin* TJwSourcePin::GetSink(int32_t AIndex) {
    return GetSinkEntry(AIndex).RealPin;
}

int32_t TJwSourcePin::GetMaxConnections() {
    const auto Section = ReadLock();
    return FMaxConnections;
}

void TJwSourcePin::SetMaxConnections(int32_t AValue) {
    const auto Section = WriteLock();
    FMaxConnections = std::max(0, AValue);
}

std::vector<TGUID> TJwSourcePin::OfferedIDs() {
    std::vector<TGUID> IDs = GetStreamIDs();
    std::vector<TJwBasicSinkPin*> Sources;
    {
        const auto Section = ReadLock();
        Sources = FDataTypeSources;
    }
    for (auto* Sink : Sources) {
        auto* Upstream = Sink->GetRealSourcePin();
        if (!Upstream || Upstream == this)
            continue;
        const auto Allowed = Upstream->OfferedIDs();
        std::erase_if(IDs, [&](const TGUID& ID) {
            return std::find(Allowed.begin(), Allowed.end(), ID) == Allowed.end();
        });
    }
    return IDs;
}

TJwConnectionType TJwSourcePin::FindConnectionType(TJwPin* ASink, bool AUseOwnConverters,
                                                   bool AUseRegistered) {
    const auto Offered = OfferedIDs();
    for (auto It = Offered.rbegin(); It != Offered.rend(); ++It)
        if (ASink->OffersStream(*It))
            return {*It, nullptr, nullptr, {}};
    if (AUseOwnConverters) {
        std::vector<TJwFormatConverter*> Converters;
        {
            const auto Section = ReadLock();
            Converters = FFormatConverters;
        }
        for (auto It = Converters.rbegin(); It != Converters.rend(); ++It) {
            const auto Out = (*It)->GetOutputPin()->FindConnectionType(ASink, false, false);
            if (Out.ID.IsNull())
                continue;
            const auto In = FindConnectionType((*It)->GetInputPin(), false, false);
            if (!In.ID.IsNull())
                return {In.ID, *It, nullptr, {}};
        }
    }
    if (AUseRegistered) {
        const auto Entries = GetFormatConverterEntries();
        for (auto E = Entries.rbegin(); E != Entries.rend(); ++E)
            for (auto It = Offered.rbegin(); It != Offered.rend(); ++It)
                if (E->InputID == *It && ASink->OffersStream(E->OutputID))
                    return {*It, nullptr, E->ConverterClass, E->OutputID};
    }
    return {};
}

TJwFormatConverter* TJwSourcePin::AcquireConverter(TJwFormatConverterClass AClass,
                                                   const TGUID& AInputID, const TGUID& AOutputID) {
    const auto Section = WriteLock();
    return JwShareConverter(FFormatConverters, AClass, AInputID, AOutputID);
}

void TJwSourcePin::ReleaseConverter(TJwFormatConverter* AConverter) {
    {
        const auto Section = WriteLock();
        if (!JwUnshareConverter(FFormatConverters, AConverter))
            return;
    }
    TPersistent::Free(AConverter);
}

void TJwSourcePin::AddSinkEntry(const TJwPinEntry& AEntry) {
    {
        const auto Section = WriteLock();
        auto Position = FSinkPins.end();
        if (AEntry.NotifyAfterPin) {
            const auto After =
                std::find_if(FSinkPins.begin(), FSinkPins.end(), [&](const TJwPinEntry& E) {
                    return E.RealPin == AEntry.NotifyAfterPin;
                });
            if (After != FSinkPins.end())
                Position = After + 1;
        }
        FSinkPins.insert(Position, AEntry);
    }
    Announce(TJwPinEvent::PinChanged);
}

void TJwSourcePin::RemoveSinkEntries(TJwBasicPin* ARealPin) {
    {
        const auto Section = WriteLock();
        std::erase_if(FSinkPins, [&](const TJwPinEntry& E) { return E.RealPin == ARealPin; });
        for (auto& Entry : FSinkPins)
            if (Entry.NotifyAfterPin == ARealPin)
                Entry.NotifyAfterPin = nullptr;
    }
    Announce(TJwPinEvent::PinChanged);
}

TJwNotifyOperationPtr TJwSourcePin::AdaptOperation(TJwPin*, const TGUID&,
                                                   const TJwNotifyOperationPtr& AOperation) {
    return AOperation;
}

TJwNotifyOperationPtr TJwSourcePin::CurrentValueOperation() {
    return TJwNotifyOperationPtr(new TJwNotifyOperation);
}

bool TJwSourcePin::Deliver(TNotifyPinEntry& AEntry, uint32_t AState,
                           const TJwNotifyOperationPtr& AOperation) {
    auto* Receiver = dynamic_cast<TJwPin*>(AEntry.Entry.ConnectionPin);
    return AEntry.Entry.SubmitFunction(
        Receiver, AEntry.Entry.ConnectedID, AState,
        AdaptOperation(Receiver, AEntry.Entry.ConnectedID, AOperation));
}

bool TJwSourcePin::Send(TJwBasicPin* AOnlyToPin, const TJwNotifyOperationPtr& AOperation) {
    const auto Call = FDestroyLock->Lock();
    if (!Call)
        return false;
    TOwnerRelease Release(FOwnerLock, FInputOwnerLock);
    auto Read = ReadLock();
    // A pin being stopped sends nothing: its sink list is not ours to read.
    if (!JwHolds(Read))
        return false;
    std::vector<TNotifyPinEntry> Array;
    Array.reserve(FSinkPins.size());
    for (const auto& Entry : FSinkPins) {
        auto* Receiver = dynamic_cast<TJwBasicPin*>(Entry.ConnectionPin);
        Array.push_back({Entry, TConverterHold(this, ConverterOf(Entry.ConnectionPin)),
                         Receiver ? Receiver->GetDestroyLock()->Lock() : TJwLockSectionPtr()});
    }
    // One delivery per connection pin: links through one converter share it.
    for (size_t I = Array.size(); I-- > 0;) {
        auto& Entry = Array[I].Entry;
        if (Entry.ConnectionPin == Entry.RealPin)
            continue;
        for (size_t J = 0; J < I; ++J)
            if (Array[J].Entry.ConnectionPin == Entry.ConnectionPin) {
                Entry.SubmitFunction = nullptr;
                break;
            }
    }
    TSendingGuard Guard(this, MaxSendNesting);
    bool Result = false;

    // Kept to the end: the last hold on a converter may free it, which must
    // not happen under this pin's lock.
    std::optional<TJwStateReceivers> Receivers;
    if (const auto Dispatcher = FDispatcher) {
        Receivers.emplace(Dispatcher.get(), this);
        std::vector<TJwBasicPin*> Members;
        for (auto* Receiver : Receivers->Pins)
            if (auto* Member = dynamic_cast<TJwBasicPin*>(Receiver))
                Members.push_back(Member);
        Read.reset();
        for (size_t I = 0; I < Members.size(); ++I) {
            auto* Member = dynamic_cast<TJwPin*>(Members[I]);
            if (!Member)
                continue;
            const TGUID ID = NegotiateTowards(Member);
            const auto Submit = Member->GetSubmitFunction(ID);
            const auto MemberCall = Member->GetDestroyLock()->Lock();
            if (!Submit || !MemberCall)
                continue;
            const uint32_t State = I + 1 == Members.size() ? JwStateLast : 0;
            Result = Submit(Member, ID, State, AdaptOperation(Member, ID, AOperation)) || Result;
        }
        Read = ReadLock();
    }

    for (size_t I = 0; I < Array.size(); ++I) {
        auto& Item = Array[I];
        if ((AOnlyToPin && AOnlyToPin != Item.Entry.RealPin) || !Item.Entry.SubmitFunction ||
            !Item.Call)
            continue;
        Read.reset();
        const bool Answer = Deliver(Item, I + 1 == Array.size() ? JwStateLast : 0, AOperation);
        Read = ReadLock();
        Result = Result || Answer;
        if (!Answer || !JwHolds(Read))
            continue;
        for (auto& Entry : FSinkPins)
            if (Entry.RealPin == Item.Entry.RealPin &&
                Entry.ConnectionPin == Item.Entry.ConnectionPin &&
                Entry.ModificationLevel < MaxModificationLevel)
                Entry.ModificationLevel += 4;
    }
    Read.reset();
    {
        const auto Write = WriteLock();
        if (JwHolds(Write) && !FInDisconnect)
            ReorderSinks();
    }
    return Result;
}

void TJwSourcePin::FirstDelivery(TJwBasicPin* ASink) {
    const auto Call = FDestroyLock->Lock();
    if (!Call)
        return;
    TSendingGuard Guard(this, MaxFirstDeliveryNesting);
    TOwnerRelease Release(FOwnerLock, FInputOwnerLock);
    std::vector<TNotifyPinEntry> Array;
    {
        const auto Read = ReadLock();
        if (!JwHolds(Read))
            return;
        for (const auto& Entry : FSinkPins)
            if (Entry.RealPin == ASink && Entry.SubmitFunction) {
                auto* Receiver = dynamic_cast<TJwBasicPin*>(Entry.ConnectionPin);
                Array.push_back(
                    {Entry, TConverterHold(this, ConverterOf(Entry.ConnectionPin)),
                     Receiver ? Receiver->GetDestroyLock()->Lock() : TJwLockSectionPtr()});
                break;
            }
    }
    for (auto& Item : Array)
        if (Item.Call)
            Deliver(Item, JwStateRequest | JwStateLast, CurrentValueOperation());
}

void TJwSourcePin::ReorderSinks() {
    for (auto& Entry : FSinkPins)
        if (Entry.ModificationLevel > 0)
            --Entry.ModificationLevel;
    std::stable_sort(FSinkPins.begin(), FSinkPins.end(),
                     [](const TJwPinEntry& A, const TJwPinEntry& B) {
                         return A.ModificationLevel < B.ModificationLevel;
                     });
    // Each entry told after another pin goes directly after that pin's entry.
    for (size_t Pass = 0; Pass < FSinkPins.size(); ++Pass) {
        bool Moved = false;
        for (size_t I = 0; I < FSinkPins.size(); ++I) {
            const auto After = FSinkPins[I].NotifyAfterPin;
            if (!After)
                continue;
            size_t J = I + 1;
            while (J < FSinkPins.size() && FSinkPins[J].RealPin != After)
                ++J;
            if (J == FSinkPins.size())
                continue;
            auto Entry = std::move(FSinkPins[I]);
            FSinkPins.erase(FSinkPins.begin() + static_cast<std::ptrdiff_t>(I));
            FSinkPins.insert(FSinkPins.begin() + static_cast<std::ptrdiff_t>(J), std::move(Entry));
            Moved = true;
            break;
        }
        if (!Moved)
            break;
    }
}

void TJwSourcePin::AddFunctionSource(TJwBasicSinkPin* ASink) {
    {
        const auto Section = WriteLock();
        if (!ASink || std::find(FFunctionSources.begin(), FFunctionSources.end(), ASink) !=
                          FFunctionSources.end())
            return;
        FFunctionSources.push_back(ASink);
    }
    ASink->AddFunctionDependant(this);
}

void TJwSourcePin::RemoveFunctionSource(TJwBasicSinkPin* ASink) {
    {
        const auto Section = WriteLock();
        std::erase(FFunctionSources, ASink);
    }
    ASink->RemoveFunctionDependant(this);
}

void TJwSourcePin::AddDataTypeSource(TJwBasicSinkPin* ASink) {
    {
        const auto Section = WriteLock();
        if (!ASink || std::find(FDataTypeSources.begin(), FDataTypeSources.end(), ASink) !=
                          FDataTypeSources.end())
            return;
        FDataTypeSources.push_back(ASink);
    }
    ASink->AddDataTypeDependant(this);
}

void TJwSourcePin::RemoveDataTypeSource(TJwBasicSinkPin* ASink) {
    {
        const auto Section = WriteLock();
        std::erase(FDataTypeSources, ASink);
    }
    ASink->RemoveDataTypeDependant(this);
}

bool TJwSourcePin::DirectDependsOn(TJwBasicPin* AOtherPin) {
    const auto Section = ReadLock();
    return std::find(FFunctionSources.begin(), FFunctionSources.end(), AOtherPin) !=
           FFunctionSources.end();
}

bool TJwSourcePin::DependsOn(TJwBasicPin* AOtherPin) {
    std::vector<TJwBasicSinkPin*> Sources;
    {
        const auto Section = WriteLock();
        // A circle of dependencies ends here instead of recursing without end.
        if (FInDependOn)
            return false;
        Sources = FFunctionSources;
        FInDependOn = true;
    }
    bool Result = false;
    try {
        for (auto* Sink : Sources)
            if (Sink == AOtherPin || Sink->DependsOn(AOtherPin)) {
                Result = true;
                break;
            }
    } catch (...) {
        const auto Section = WriteLock();
        FInDependOn = false;
        throw;
    }
    const auto Section = WriteLock();
    FInDependOn = false;
    return Result;
}

void TJwSourcePin::DefineProperties(TFiler& AFiler) {
    TJwStreamPin::DefineProperties(AFiler);
    AFiler.DefineProperty(
        QStringLiteral("SinkPins"), [this](TReader& R) { ReadLinkValue(R); },
        [this](TWriter& W) { WriteLinkValue(W); }, HasLinkValue());
}

bool TJwSourcePin::HasLinkValue() {
    return !StoredSinks().empty();
}

std::vector<TJwBasicPin*> TJwSourcePin::StoredSinks() {
    std::vector<TJwBasicPin*> Sinks;
    {
        const auto Section = ReadLock();
        if (!JwHolds(Section))
            return Sinks;
        for (const auto& Entry : FSinkPins)
            if (std::find(Sinks.begin(), Sinks.end(), Entry.RealPin) == Sinks.end())
                Sinks.push_back(Entry.RealPin);
    }
    // Links to sinks that were not there when the form was read live on the
    // placeholders; they are stored all the same, or a save would lose them.
    for (auto* Placeholder : TJwUnloadedPin::Pending())
        if ((Placeholder->GetPinType() == ptSink || Placeholder->GetPinType() == ptMultiSink) &&
            Placeholder->IsConnectedTo(this))
            Sinks.push_back(Placeholder);
    return Sinks;
}

void TJwSourcePin::WriteLinkValue(TWriter& AWriter) {
    const auto Sinks = StoredSinks();
    AWriter.WriteListBegin();
    for (auto* Sink : Sinks)
        JwWritePinReference(AWriter, Sink);
    AWriter.WriteListEnd();
}

void TJwSourcePin::ReadLinkValue(TReader& AReader) {
    std::vector<TJwBasicPin*> Sinks;
    AReader.ReadListBegin();
    while (!AReader.EndOfList())
        Sinks.push_back(JwResolvePinReference(this, JwReadPinReference(AReader), ptSink));
    AReader.ReadListEnd();
    for (auto* Sink : Sinks)
        if (!IsConnectedTo(Sink))
            Connect(Sink);
}

void TJwSourcePin::PinDestroyed(TJwBasicPin* APin) {
    {
        const auto Section = WriteLock();
        std::erase_if(FSinkPins, [&](const TJwPinEntry& E) {
            return E.RealPin == APin || E.ConnectionPin == APin;
        });
        for (auto& Entry : FSinkPins)
            if (Entry.NotifyAfterPin == APin)
                Entry.NotifyAfterPin = nullptr;
        std::erase(FFunctionSources, APin);
        std::erase(FDataTypeSources, APin);
    }
    TJwStreamPin::PinDestroyed(APin);
}
