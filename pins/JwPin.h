#pragma once
// A pin owned by a component: its stream types, its owner's lock and the
// links it stores with the owner's form.

#include <atomic>

#include "pins/JwBasicPin.h"
#include "pins/JwPinStreamType.h"
#include "pins/JwStreamTypeRegistry.h"

class TJwFormatConverter;

// The answer of the stream type negotiation: the null ID means incompatible.
struct TJwConnectionType {
    TGUID ID;
    // One of the source's (or the dispatcher's) converters to place between
    // the pins, or none.
    TJwFormatConverter* Converter = nullptr;
    // A registered converter class to create for the link, or none.
    TJwFormatConverterClass ConverterClass = nullptr;
    TGUID ConverterOutputID;
};

class TReader;
class TWriter;

class TJwPin : public TJwBasicPin {
    Q_OBJECT
public:
    explicit TJwPin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock = {});

    // Sections on the pin's lock naming the owner's lock as slave lock.
    [[nodiscard]] TJwLockSectionPtr ReadLock() override;
    [[nodiscard]] TJwLockSectionPtr WriteLock() override;

    TComponent* GetPinOwner() const override { return FOwner; }
    const TIntfPtr<IJwLock>& GetOwnerLock() const { return FOwnerLock; }

    // True when the pin offers the stream interface AID.
    virtual bool OffersStream(const TGUID& AID);
    std::vector<TGUID> GetStreamIDs();
    // The pin's own function for AID, or an empty one.
    TJwSubmitFunction GetSubmitFunction(const TGUID& AID);
    // The last of the pin's own IDs that AOther accepts (null when none):
    // how a pin negotiates towards a state pin or a dispatcher member.
    TGUID NegotiateTowards(TJwPin* AOther);
    // The same search with the converters of the pin's state dispatcher, and
    // with the registered converters when AOther is a sink.
    TJwConnectionType FindStateConnectionType(TJwPin* AOther, bool AUseOwnConverters,
                                              bool AUseRegistered);
    // Members of one dispatcher must have a type in common in one direction.
    bool IsStateCompatible(TJwBasicPin* AOtherPin) override;

    int32_t GetInSending() const { return FInSending.load(); }
    // True while the owner is being read from a stored form.
    bool IsLoading() const;

    // "Form" and "State"; the link of the pin kind (SinkPins or SourcePin)
    // through the link value below.
    void DefineProperties(TFiler& AFiler) override;
    virtual bool HasLinkValue() { return false; }
    // Whether "State" is stored: the pin is joined to a dispatcher directly.
    virtual bool HasStateValue() { return IsStateConnected(); }
    virtual void WriteLinkValue(TWriter&) {}
    virtual void ReadLinkValue(TReader&) {}
    // The stored form name of the last load (see ReadLoadFormName).
    void SetLoadFormName(const QString& AName);
    // A stored link name with the stored form's name replaced by the current root's.
    QString LoadedName(const QString& AName) const;
    // Moves the links of placeholders waiting for this pin onto it.
    void ResolveUnloadedPins();

    TJwPinStreamType StreamType;
    QString FLastRootName;
    bool FIsLoaded = false;

protected:
    ~TJwPin() override = default;

    // Guards FInSending around a send; raises the self-dependency error
    // when the nesting passes ALimit.
    class TSendingGuard {
    public:
        TSendingGuard(TJwPin* APin, int32_t ALimit);
        ~TSendingGuard() { FPin->FInSending.fetch_sub(1); }
        TSendingGuard(const TSendingGuard&) = delete;
        TSendingGuard& operator=(const TSendingGuard&) = delete;

    private:
        TJwPin* FPin;
    };

    TComponent* FOwner;
    TIntfPtr<IJwLock> FOwnerLock;
    std::atomic<int32_t> FInSending{0};
};

class TJwStreamPin : public TJwPin {
    Q_OBJECT
public:
    using TJwPin::TJwPin;

protected:
    ~TJwStreamPin() override = default;
};

// "The pin depends on itself. Please protect with functional dependency."
[[noreturn]] void JwSelfDependencyError();
