#include "pins/JwSinkPin.h"

#include <algorithm>

#include "pins/JwFormatConverter.h"
#include "pins/JwPinLinks.h"
#include "pins/JwSourcePin.h"
#include "pins/JwStatePin.h"
#include "pins/JwUnloadedPin.h"
#include "platform/Filer.h"

void TJwBasicSinkPin::AddFunctionDependant(TJwSourcePin* ASource) {
    const auto Section = WriteLock();
    if (std::find(FFunctionDependants.begin(), FFunctionDependants.end(), ASource) ==
        FFunctionDependants.end())
        FFunctionDependants.push_back(ASource);
}

void TJwBasicSinkPin::RemoveFunctionDependant(TJwSourcePin* ASource) {
    const auto Section = WriteLock();
    std::erase(FFunctionDependants, ASource);
}

void TJwBasicSinkPin::AddDataTypeDependant(TJwSourcePin* ASource) {
    const auto Section = WriteLock();
    if (std::find(FDataTypeDependants.begin(), FDataTypeDependants.end(), ASource) ==
        FDataTypeDependants.end())
        FDataTypeDependants.push_back(ASource);
}

void TJwBasicSinkPin::RemoveDataTypeDependant(TJwSourcePin* ASource) {
    const auto Section = WriteLock();
    std::erase(FDataTypeDependants, ASource);
}

std::vector<TJwSourcePin*> TJwBasicSinkPin::GetFunctionDependants() {
    const auto Section = ReadLock();
    return FFunctionDependants;
}

void TJwBasicSinkPin::PinDestroyed(TJwBasicPin* APin) {
    {
        const auto Section = WriteLock();
        std::erase(FFunctionDependants, APin);
        std::erase(FDataTypeDependants, APin);
    }
    TJwStreamPin::PinDestroyed(APin);
}

bool TJwSinkPin::IsCompatible(TJwBasicPin* AOtherPin, bool AUseConverters) {
    if (!AOtherPin || dynamic_cast<TJwUnloadedPin*>(AOtherPin))
        return true;
    if (auto* Source = dynamic_cast<TJwSourcePin*>(AOtherPin))
        return !Source->FindConnectionType(this, AUseConverters, AUseConverters).ID.IsNull();
    if (auto* State = dynamic_cast<TJwStatePin*>(AOtherPin))
        return !State->FindStateConnectionType(this, AUseConverters, AUseConverters).ID.IsNull();
    return false;
}

bool TJwSinkPin::ConnectAfter(TJwBasicPin* AOtherPin, TJwBasicPin* ANotifyAfterPin) {
    if (AOtherPin == this)
        return false;
    TJwSourcePin* Real;
    {
        const auto Section = ReadLock();
        if (!AOtherPin && !FConnectionSourcePin)
            return true;
        if (AOtherPin && AOtherPin == FConnectionSourcePin)
            return true;
        Real = FRealSourcePin;
    }
    // The source is asked with this pin's lock let go: a source being
    // destroyed holds its own lock while it asks its sinks.
    if (AOtherPin && AOtherPin == Real && Real->IsConnectedToAfter(this, ANotifyAfterPin))
        return true;
    if (!AOtherPin) {
        DetachSource();
        return true;
    }
    if (dynamic_cast<TJwStatePin*>(AOtherPin))
        return AOtherPin->Connect(this);
    if (!CanConnectTo(AOtherPin, true))
        return false;
    if (IsStateConnected())
        LeaveDispatcher();
    DetachSource();
    bool Result = true;
    if (auto* Source = dynamic_cast<TJwSourcePin*>(AOtherPin)) {
        Result = ConnectToSource(Source, ANotifyAfterPin);
    } else {
        if (dynamic_cast<TJwUnloadedPin*>(AOtherPin)) {
            const auto Section = WriteLock();
            FConnectionSourcePin = AOtherPin;
        }
        Result = AOtherPin->ConnectAfter(this, ANotifyAfterPin);
    }
    Announce(TJwPinEvent::PinChanged);
    return Result;
}

bool TJwSinkPin::ConnectToSource(TJwSourcePin* ASource, TJwBasicPin* ANotifyAfterPin) {
    // A source being destroyed takes no new links; one that starts to be
    // destroyed now waits until this link is made, and then drops it.
    const auto SourceCall = ASource->GetDestroyLock()->Lock();
    if (!SourceCall)
        return false;
    auto Type = ASource->FindConnectionType(this, true, false);
    TJwFormatConverter* Converter = nullptr;
    if (Type.Converter) {
        Converter = ASource->AcquireConverter(nullptr, Type.Converter->GetInputID(),
                                              Type.Converter->GetOutputID());
    } else if (Type.ID.IsNull()) {
        Type = ASource->FindConnectionType(this, true, true);
        if (Type.ID.IsNull() || !Type.ConverterClass)
            return false;
        Converter = ASource->AcquireConverter(Type.ConverterClass, Type.ID, Type.ConverterOutputID);
    }
    if (Converter) {
        TJwSourcePin* Output = Converter->GetOutputPin();
        const TGUID OutID = Output->FindConnectionType(this, false, false).ID;
        TJwPinEntry Entry{Converter->GetInputPin(), this, ANotifyAfterPin, Type.ID,
                          Converter->GetInputPin()->GetSubmitFunction(Type.ID)};
        {
            const auto Section = WriteLock();
            FConnectionSourcePin = ASource;
            FRealSourcePin = Output;
            FFormatConverter = Converter;
            FUpStreamID = Type.ID;
            FConnectedID = OutID;
            FSubmitFunction = StreamType.FindSubmitFunc(OutID);
        }
        ASource->AddSinkEntry(Entry);
        Output->AddSinkEntry({this, this, nullptr, OutID, GetSubmitFunction(OutID)});
    } else {
        {
            const auto Section = WriteLock();
            FConnectionSourcePin = ASource;
            FRealSourcePin = ASource;
            FUpStreamID = Type.ID;
            FConnectedID = Type.ID;
            FSubmitFunction = StreamType.FindSubmitFunc(Type.ID);
        }
        ASource->AddSinkEntry({this, this, ANotifyAfterPin, Type.ID, GetSubmitFunction(Type.ID)});
    }
    Connected();
    ASource->FirstDelivery(this);
    return true;
}

bool TJwSinkPin::JoinStateThroughConverter(TJwStateDispatcher* ADispatcher,
                                           TJwFormatConverterClass AClass, const TGUID& AInputID,
                                           const TGUID& AOutputID, TJwBasicPin* ANotifyAfterPin) {
    if (!ADispatcher || !OffersStream(AOutputID))
        return false;
    const TIntfPtr<TJwStateDispatcher> Dispatcher(ADispatcher);
    {
        const auto Section = ReadLock();
        if (FDispatcher == Dispatcher && FStateConverter &&
            FStateConverter->GetInputID() == AInputID &&
            FStateConverter->GetOutputID() == AOutputID)
            return true;
    }
    if (!Dispatcher->CanConnectAfter(this, ANotifyAfterPin))
        return false;
    // Taken before the old links go: when it is the converter this sink
    // used so far, it stays.
    auto* Converter = Dispatcher->AcquireConverter(AClass, AInputID, AOutputID);
    if (!Converter)
        return false;
    LeaveDispatcher();
    DetachSource();
    if (!ConnectToSource(Converter->GetOutputPin(), nullptr)) {
        Dispatcher->ReleaseConverter(Converter);
        return false;
    }
    {
        const auto Section = WriteLock();
        FDispatcher = Dispatcher;
        FStateConverter = Converter;
    }
    Dispatcher->AddPinAfter(Converter->GetInputPin(), this, ANotifyAfterPin);
    Announce(TJwPinEvent::PinChanged);
    Dispatcher->StateUpdate(this);
    return true;
}

TJwFormatConverter* TJwSinkPin::GetStateConverter() {
    const auto Section = ReadLock();
    return FStateConverter;
}

void TJwSinkPin::DispatcherLeft(TJwStateDispatcher* ADispatcher) {
    TJwFormatConverter* Converter;
    bool FromConverter;
    {
        const auto Section = WriteLock();
        Converter = std::exchange(FStateConverter, nullptr);
        FromConverter = Converter && FRealSourcePin == Converter->GetOutputPin();
    }
    if (!Converter)
        return;
    if (FromConverter)
        DetachSource();
    ADispatcher->ReleaseConverter(Converter);
}

void TJwSinkPin::DetachSource() {
    // A sink joined through a converter receives from the converter's
    // output: leaving the dispatcher lets both go.
    if (GetStateConverter()) {
        LeaveDispatcher();
        return;
    }
    TJwBasicPin* Connection;
    TJwSourcePin* Real;
    TJwFormatConverter* Converter;
    {
        const auto Section = WriteLock();
        Connection = std::exchange(FConnectionSourcePin, nullptr);
        Real = std::exchange(FRealSourcePin, nullptr);
        Converter = std::exchange(FFormatConverter, nullptr);
        FSubmitFunction = nullptr;
        FConnectedID = {};
        FUpStreamID = {};
    }
    if (!Connection)
        return;
    if (Real)
        Real->RemoveSinkEntries(this);
    if (auto* Source = dynamic_cast<TJwSourcePin*>(Connection); Source && Source != Real)
        Source->RemoveSinkEntries(this);
    if (Converter)
        dynamic_cast<TJwSourcePin*>(Connection)->ReleaseConverter(Converter);
    if (dynamic_cast<TJwUnloadedPin*>(Connection))
        Connection->DisconnectFrom(this);
    Disconnected();
    Announce(TJwPinEvent::PinChanged);
}

void TJwSinkPin::Disconnect() {
    LeaveDispatcher();
    Connect(nullptr);
}

void TJwSinkPin::DisconnectFrom(TJwBasicPin* AOtherPin) {
    if (AOtherPin && (AOtherPin == GetSourcePin() || AOtherPin == GetRealSourcePin()))
        Disconnect();
    else
        TJwBasicSinkPin::DisconnectFrom(AOtherPin);
}

bool TJwSinkPin::IsConnected() {
    return GetSourcePin() || TJwBasicSinkPin::IsConnected();
}

bool TJwSinkPin::IsConnectedTo(TJwBasicPin* AOtherPin) {
    if (AOtherPin && (AOtherPin == GetSourcePin() || AOtherPin == GetRealSourcePin()))
        return true;
    return TJwBasicSinkPin::IsConnectedTo(AOtherPin);
}

bool TJwSinkPin::IsConnectedToAfter(TJwBasicPin* AOtherPin, TJwBasicPin* ANotifyAfterPin) {
    if (auto* Source = dynamic_cast<TJwSourcePin*>(AOtherPin); Source && Source == GetSourcePin())
        return Source->IsConnectedToAfter(this, ANotifyAfterPin);
    return TJwBasicSinkPin::IsConnectedToAfter(AOtherPin, ANotifyAfterPin);
}

bool TJwSinkPin::IsConnectedByConverterTo(TJwBasicPin* AOtherPin) {
    const auto Section = ReadLock();
    return FFormatConverter && AOtherPin == FConnectionSourcePin;
}

int32_t TJwSinkPin::GetConnectedPinCount() {
    // The output of the converter a sink joins its state through is no link of its own.
    const bool Direct = GetSourcePin() && !GetStateConverter();
    return (Direct ? 1 : 0) + TJwBasicSinkPin::GetConnectedPinCount();
}

QString TJwSinkPin::GetConnectionName() {
    if (GetStateConverter())
        return TJwBasicSinkPin::GetConnectionName();
    if (auto* Source = GetSourcePin())
        return Source->GetFullName(true);
    return TJwBasicSinkPin::GetConnectionName();
}

bool TJwSinkPin::DependsOn(TJwBasicPin* AOtherPin) {
    auto* Source = GetRealSourcePin();
    if (!Source)
        return false;
    return Source == AOtherPin || Source->DependsOn(AOtherPin);
}

TJwBasicPin* TJwSinkPin::GetSourcePin() {
    const auto Section = ReadLock();
    return FConnectionSourcePin;
}

TJwSourcePin* TJwSinkPin::GetRealSourcePin() {
    const auto Section = ReadLock();
    return FRealSourcePin;
}

TJwFormatConverter* TJwSinkPin::GetFormatConverter() {
    const auto Section = ReadLock();
    return FFormatConverter;
}

QString TJwSinkPin::GetUpStreamLinkName() {
    return GetStreamTypeName(GetUpStreamID());
}

QString TJwSinkPin::GetDownStreamLinkName() {
    return GetStreamTypeName(GetDownStreamID());
}

TGUID TJwSinkPin::GetUpStreamID() {
    const auto Section = ReadLock();
    return FUpStreamID;
}

TGUID TJwSinkPin::GetDownStreamID() {
    return GetConnectedID();
}

TGUID TJwSinkPin::GetConnectedID() {
    const auto Section = ReadLock();
    return FConnectedID;
}

bool TJwSinkPin::Submit(uint32_t AState, const TJwNotifyOperationPtr& AOperation) {
    TJwSubmitFunction Function;
    TGUID ID;
    {
        const auto Section = ReadLock();
        Function = FSubmitFunction;
        ID = FConnectedID;
    }
    return Function ? Function(this, ID, AState, AOperation) : false;
}

bool TJwSinkPin::TryLinkTo(TComponent* ARoot, const QString& ASource, const QString& ASaveForm,
                           const QString& ASourceName) {
    if (ASource.compare(QStringLiteral("nil"), Qt::CaseInsensitive) == 0) {
        Disconnect();
        return true;
    }
    auto Rename = [&](const QString& AName) {
        const QString Prefix = ASaveForm + u'.';
        const QString RootName = ARoot ? ARoot->GetName() : GetRootName();
        return !ASaveForm.isEmpty() && AName.startsWith(Prefix)
                   ? RootName + u'.' + AName.mid(Prefix.size())
                   : AName;
    };
    const QString Ident = Rename(ASource);
    const QString Display = Rename(ASourceName.isEmpty() ? ASource : ASourceName);
    TComponent* Root = ARoot ? ARoot : GetRoot();
    TJwBasicPin* Pin = JwFindPinByName(Root, Ident);
    if (!Pin)
        Pin = JwFindPinByName(Root, Display);
    if (!Pin)
        Pin = TJwUnloadedPin::FindOrCreate(Root, Ident, Display, ptSource, GetFullName(true));
    return Connect(Pin);
}

void TJwSinkPin::DefineProperties(TFiler& AFiler) {
    TJwBasicSinkPin::DefineProperties(AFiler);
    AFiler.DefineProperty(
        QStringLiteral("SourcePin"), [this](TReader& R) { ReadLinkValue(R); },
        [this](TWriter& W) { WriteLinkValue(W); }, HasLinkValue());
    AFiler.DefineProperty(
        QStringLiteral("StateConverter"), [this](TReader& R) { ReadStateConverter(R); },
        [this](TWriter& W) { WriteStateConverter(W); }, GetStateConverter() && IsStateConnected());
}

bool TJwSinkPin::HasLinkValue() {
    return GetSourcePin() != nullptr && !GetStateConverter();
}

bool TJwSinkPin::HasStateValue() {
    return IsStateConnected() && !GetStateConverter();
}

void TJwSinkPin::WriteStateConverter(TWriter& AWriter) {
    TIntfPtr<TJwStateDispatcher> Dispatcher;
    TJwFormatConverter* Converter;
    {
        const auto Section = ReadLock();
        Dispatcher = FDispatcher;
        Converter = FStateConverter;
    }
    if (!Dispatcher || !Converter)
        return;
    AWriter.WriteListBegin();
    AWriter.WriteString(Dispatcher->GetName());
    AWriter.WriteString(GuidToText(Converter->GetInputID()));
    AWriter.WriteString(GuidToText(Converter->GetOutputID()));
    AWriter.WriteListEnd();
}

void TJwSinkPin::ReadStateConverter(TReader& AReader) {
    AReader.ReadListBegin();
    QString Name;
    if (AReader.NextValue() == TValueType::vaList) {
        // Entries saved after the name are not ours to restore.
        AReader.ReadListBegin();
        Name = AReader.ReadString();
        while (!AReader.EndOfList())
            AReader.SkipValue();
        AReader.ReadListEnd();
    } else {
        Name = AReader.ReadString();
    }
    const QString InputText = AReader.ReadString();
    const QString OutputText = AReader.ReadString();
    AReader.ReadListEnd();
    if (Name.isEmpty())
        AReader.Error(QStringLiteral("State converter without a state dispatcher name"));
    auto ToID = [&](const QString& AText) {
        try {
            return TGUID::FromString(AText);
        } catch (const EConvertError&) {
            AReader.Error(QStringLiteral("'%1' is not a stream type ID").arg(AText));
        }
    };
    const TGUID InputID = ToID(InputText);
    const TGUID OutputID = ToID(OutputText);
    const auto Class = FindFormatConverter(InputID, OutputID);
    if (!Class)
        AReader.Error(QStringLiteral("No format converter from %1 to %2")
                          .arg(GetStreamTypeName(InputID), GetStreamTypeName(OutputID)));
    const auto Dispatcher = TJwStateDispatcher::GetByNameCreate(this, Name, false);
    if (!JoinStateThroughConverter(Dispatcher.get(), Class, InputID, OutputID, nullptr))
        AReader.Error(QStringLiteral("%1 cannot join '%2' through a converter to %3")
                          .arg(GetFullName(true), Name, GetStreamTypeName(OutputID)));
}

void TJwSinkPin::WriteLinkValue(TWriter& AWriter) {
    TJwBasicPin* Source = GetSourcePin();
    if (!Source)
        return;
    TJwBasicPin* After = nullptr;
    if (auto* Real = dynamic_cast<TJwSourcePin*>(Source)) {
        const int32_t Count = Real->GetSinkCount();
        for (int32_t I = 0; I < Count; ++I)
            if (const auto Entry = Real->GetSinkEntry(I); Entry.RealPin == this)
                After = Entry.NotifyAfterPin;
    }
    if (!After) {
        JwWritePinReference(AWriter, Source);
        return;
    }
    AWriter.WriteListBegin();
    JwWritePinReference(AWriter, Source);
    AWriter.WriteIdent(After->GetFullIdentName(true));
    AWriter.WriteListEnd();
}

void TJwSinkPin::ReadLinkValue(TReader& AReader) {
    TJwPinReference Source;
    QString AfterName;
    if (AReader.NextValue() != TValueType::vaList) {
        Source = JwReadPinReference(AReader);
    } else {
        // Either (ident 'display') or (reference after-ident).
        AReader.ReadListBegin();
        if (AReader.NextValue() == TValueType::vaList) {
            Source = JwReadPinReference(AReader);
            AfterName = AReader.ReadIdent();
        } else {
            Source.IdentName = AReader.ReadIdent();
            if (AReader.NextValue() == TValueType::vaString) {
                Source.DisplayName = AReader.ReadString();
            } else {
                Source.DisplayName = Source.IdentName;
                AfterName = AReader.ReadIdent();
            }
        }
        AReader.ReadListEnd();
    }
    TJwBasicPin* SourcePin = JwResolvePinReference(this, Source, ptSource);
    TJwBasicPin* AfterPin =
        AfterName.isEmpty() ? nullptr : JwResolvePinReference(this, {AfterName, AfterName}, ptSink);
    ConnectAfter(SourcePin, dynamic_cast<TJwUnloadedPin*>(AfterPin) ? nullptr : AfterPin);
}

void TJwSinkPin::PinDestroyed(TJwBasicPin* APin) {
    bool Dropped = false;
    {
        const auto Section = WriteLock();
        if (APin == FConnectionSourcePin || APin == FRealSourcePin) {
            FConnectionSourcePin = nullptr;
            FRealSourcePin = nullptr;
            FFormatConverter = nullptr;
            FSubmitFunction = nullptr;
            FConnectedID = {};
            FUpStreamID = {};
            Dropped = true;
        }
        if (FStateConverter &&
            (APin == FStateConverter->GetInputPin() || APin == FStateConverter->GetOutputPin()))
            FStateConverter = nullptr;
    }
    if (Dropped)
        Disconnected();
    TJwBasicSinkPin::PinDestroyed(APin);
}

void TJwSinkPin::Connected() {
    if (OnConnect)
        OnConnect(this);
}

void TJwSinkPin::Disconnected() {
    if (OnDisconnect)
        OnDisconnect(this);
}
