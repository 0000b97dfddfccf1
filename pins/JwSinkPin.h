#pragma once
// A sink pin receives from at most one source pin, through the submit
// function of the stream type negotiated when it connected.

#include <functional>
#include <vector>

#include "pins/JwPin.h"

class TJwSourcePin;
class TJwFormatConverter;

class TJwBasicSinkPin : public TJwStreamPin {
    Q_OBJECT
public:
    using TJwStreamPin::TJwStreamPin;

    TJwPinType GetPinType() const override { return ptSink; }

    // Sources whose function or data type depend on this sink.
    void AddFunctionDependant(TJwSourcePin* ASource);
    void RemoveFunctionDependant(TJwSourcePin* ASource);
    void AddDataTypeDependant(TJwSourcePin* ASource);
    void RemoveDataTypeDependant(TJwSourcePin* ASource);
    std::vector<TJwSourcePin*> GetFunctionDependants();

    // The source that really feeds this sink, or none.
    virtual TJwSourcePin* GetRealSourcePin() { return nullptr; }

    void PinDestroyed(TJwBasicPin* APin) override;

    bool FIgnoreUpstream = false;

protected:
    ~TJwBasicSinkPin() override = default;

    std::vector<TJwSourcePin*> FFunctionDependants;
    std::vector<TJwSourcePin*> FDataTypeDependants;
};

class TJwSinkPin : public TJwBasicSinkPin {
    Q_OBJECT
public:
    using TJwBasicSinkPin::TJwBasicSinkPin;

    bool ConnectAfter(TJwBasicPin* AOtherPin, TJwBasicPin* ANotifyAfterPin) override;
    bool IsCompatible(TJwBasicPin* AOtherPin, bool AUseConverters) override;
    void Disconnect() override;
    void DisconnectFrom(TJwBasicPin* AOtherPin) override;
    bool IsConnected() override;
    bool IsConnectedTo(TJwBasicPin* AOtherPin) override;
    bool IsConnectedToAfter(TJwBasicPin* AOtherPin, TJwBasicPin* ANotifyAfterPin) override;
    bool IsConnectedByConverterTo(TJwBasicPin* AOtherPin) override;
    int32_t GetConnectedPinCount() override;
    QString GetConnectionName() override;
    bool DependsOn(TJwBasicPin* AOtherPin) override;

    // The pin this sink was connected to (a source or a placeholder).
    TJwBasicPin* GetSourcePin();
    bool SetSourcePin(TJwBasicPin* ASource) { return Connect(ASource); }
    TJwSourcePin* GetRealSourcePin() override;
    // The converter between the source and this sink, or none.
    TJwFormatConverter* GetFormatConverter();
    QString GetUpStreamLinkName();
    QString GetDownStreamLinkName();
    // The type the source sends, and the type this sink receives.
    TGUID GetUpStreamID();
    TGUID GetDownStreamID();
    TGUID GetConnectedID();
    // Links to the pin named ASourceName under ARoot (stored form names,
    // ASaveForm being the form name they were stored with); "nil" disconnects.
    bool TryLinkTo(TComponent* ARoot, const QString& ASource, const QString& ASaveForm,
                   const QString& ASourceName);

    // Joins ADispatcher through a converter from AInputID to AOutputID: one
    // of the dispatcher's, else a new one of AClass. This sink receives from
    // the converter's output; the converter's input takes the shared state.
    bool JoinStateThroughConverter(TJwStateDispatcher* ADispatcher, TJwFormatConverterClass AClass,
                                   const TGUID& AInputID, const TGUID& AOutputID,
                                   TJwBasicPin* ANotifyAfterPin);
    // The converter through which this sink is joined to its dispatcher, or none.
    TJwFormatConverter* GetStateConverter();

    // The receiving function of this sink for the negotiated type.
    bool Submit(uint32_t AState, const TJwNotifyOperationPtr& AOperation);

    // "SourcePin", or "StateConverter" for a sink joined through a converter.
    void DefineProperties(TFiler& AFiler) override;
    bool HasLinkValue() override;
    bool HasStateValue() override;
    void WriteStateConverter(TWriter& AWriter);
    void ReadStateConverter(TReader& AReader);
    void WriteLinkValue(TWriter& AWriter) override;
    void ReadLinkValue(TReader& AReader) override;

    void PinDestroyed(TJwBasicPin* APin) override;

    // Run after the link changed (the owner's connect and disconnect events).
    std::function<void(TJwSinkPin*)> OnConnect;
    std::function<void(TJwSinkPin*)> OnDisconnect;

protected:
    ~TJwSinkPin() override = default;
    virtual void Connected();
    virtual void Disconnected();
    void DispatcherLeft(TJwStateDispatcher* ADispatcher) override;

private:
    bool ConnectToSource(TJwSourcePin* ASource, TJwBasicPin* ANotifyAfterPin);
    // Leaves the current source: the sink forgets it, the source drops the sink.
    void DetachSource();

    TJwBasicPin* FConnectionSourcePin = nullptr;
    TJwSourcePin* FRealSourcePin = nullptr;
    TJwFormatConverter* FFormatConverter = nullptr;
    TJwFormatConverter* FStateConverter = nullptr;
    TJwSubmitFunction FSubmitFunction;
    TGUID FConnectedID;
    TGUID FUpStreamID;
    bool FInConnect = false;
};
