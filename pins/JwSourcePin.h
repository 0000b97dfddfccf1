#pragma once
// A source pin sends operations to the sink pins connected to it, in an
// order that follows the sinks' answers and their notify-after places.

#include <vector>

#include "pins/JwPin.h"
#include "pins/JwStreamTypeRegistry.h"

class TJwBasicSinkPin;
class TJwFormatConverter;

// One connected sink of a source pin.
struct TJwPinEntry {
    TJwBasicPin* ConnectionPin; // the pin that receives from this source (a converter's input for
                                // converted links)
    TJwBasicPin* RealPin;       // the sink the link was made for
    TJwBasicPin* NotifyAfterPin;
    TGUID ConnectedID;
    TJwSubmitFunction SubmitFunction;
    int32_t ModificationLevel = 0; // 0..10000; higher goes later in the order
};

class TJwSourcePin : public TJwStreamPin {
    Q_OBJECT
public:
    explicit TJwSourcePin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock = {},
                          const TIntfPtr<IJwLock>& AInputOwnerLock = {});

    TJwPinType GetPinType() const override { return ptSource; }
    bool ConnectAfter(TJwBasicPin* AOtherPin, TJwBasicPin* ANotifyAfterPin) override;
    bool CanConnectAfter(TJwBasicPin* AOtherPin, TJwBasicPin* ANotifyAfterPin,
                         bool AUseConverters) override;
    bool IsCompatible(TJwBasicPin* AOtherPin, bool AUseConverters) override;
    // Drops every sink and leaves the dispatcher.
    void Disconnect() override;
    void DisconnectFrom(TJwBasicPin* AOtherPin) override;
    bool IsConnected() override;
    bool IsConnectedTo(TJwBasicPin* AOtherPin) override;
    bool IsConnectedToAfter(TJwBasicPin* AOtherPin, TJwBasicPin* ANotifyAfterPin) override;
    bool IsConnectedByConverterTo(TJwBasicPin* AOtherPin) override;
    int32_t GetConnectedPinCount() override;
    QString GetConnectionName() override;

    int32_t GetSinkCount();
    int32_t GetConverterCount();
    // The sink at AIndex of the current order; EListError out of range.
    TJwBasicPin* GetSink(int32_t AIndex);
    TJwPinEntry GetSinkEntry(int32_t AIndex);

    // 0: unlimited; otherwise a new link beyond the limit replaces the first sink.
    int32_t GetMaxConnections();
    void SetMaxConnections(int32_t AValue);
    void SetInEditor(bool AValue) { FInEditor = AValue; }

    bool Notify(const TJwNotifyOperationPtr& AOperation) override {
        return Send(nullptr, AOperation);
    }
    // Hands AOperation to every sink (or only to AOnlyToPin); answers whether
    // any receiver took it.
    bool Send(TJwBasicPin* AOnlyToPin, const TJwNotifyOperationPtr& AOperation);
    // One delivery to ASink alone, asking for the current value.
    void FirstDelivery(TJwBasicPin* ASink);

    // The offered IDs: the own list narrowed by the data type sources.
    std::vector<TGUID> OfferedIDs();
    TJwConnectionType FindConnectionType(TJwPin* ASink, bool AUseOwnConverters,
                                         bool AUseRegistered);

    // Functional and data type dependencies on sink pins.
    void AddFunctionSource(TJwBasicSinkPin* ASink);
    void RemoveFunctionSource(TJwBasicSinkPin* ASink);
    void AddDataTypeSource(TJwBasicSinkPin* ASink);
    void RemoveDataTypeSource(TJwBasicSinkPin* ASink);
    bool DependsOn(TJwBasicPin* AOtherPin) override;
    bool DirectDependsOn(TJwBasicPin* AOtherPin) override;

    // "SinkPins".
    void DefineProperties(TFiler& AFiler) override;
    bool HasLinkValue() override;
    void WriteLinkValue(TWriter& AWriter) override;
    void ReadLinkValue(TReader& AReader) override;

    void PinDestroyed(TJwBasicPin* APin) override;

    // Used by sink pins while linking. The entry goes after the entry of
    // ANotifyAfterPin when there is one, else to the end.
    void AddSinkEntry(const TJwPinEntry& AEntry);
    void RemoveSinkEntries(TJwBasicPin* ARealPin);
    // A converter from AInputID to AOutputID for a new link: one of the
    // source's own when one fits, else a new one of AClass. One reference
    // is added for the caller.
    TJwFormatConverter* AcquireConverter(TJwFormatConverterClass AClass, const TGUID& AInputID,
                                         const TGUID& AOutputID);
    // Drops one reference; the last frees the converter.
    void ReleaseConverter(TJwFormatConverter* AConverter);

protected:
    ~TJwSourcePin() override;
    void DestroyParts() override;

    // What a receiver gets of an operation: sources that send differently
    // to different stream types convert here.
    virtual TJwNotifyOperationPtr AdaptOperation(TJwPin* AReceiver, const TGUID& AID,
                                                 const TJwNotifyOperationPtr& AOperation);
    // The operation of a first delivery: value sources answer with their value.
    virtual TJwNotifyOperationPtr CurrentValueOperation();

    TIntfPtr<IJwLock> FInputOwnerLock;

private:
    struct TNotifyPinEntry;
    void ReorderSinks();
    // The sinks the stored form lists: linked ones, then placeholders waiting for this source.
    std::vector<TJwBasicPin*> StoredSinks();
    bool Deliver(TNotifyPinEntry& AEntry, uint32_t AState, const TJwNotifyOperationPtr& AOperation);

    std::vector<TJwPinEntry> FSinkPins;
    std::vector<TJwFormatConverter*> FFormatConverters;
    std::vector<TJwBasicSinkPin*> FFunctionSources;
    std::vector<TJwBasicSinkPin*> FDataTypeSources;
    bool FInDependOn = false;
    bool FInDisconnect = false;
    bool FInEditor = false;
    int32_t FMaxConnections = 0;
};
