#pragma once
// The operations every pin answers, and the process-wide list of live pins.

#include <vector>

#include <QString>

#include "pins/JwDestroyLock.h"
#include "pins/JwPinObject.h"
#include "pins/JwPinObservers.h"
#include "pins/JwPinTypes.h"
#include "pins/JwStateDispatcher.h"

class TComponent;
class TJwPinList;

class TJwBasicPin : public TJwPinObject, public IJwDispatcherPin {
    Q_OBJECT
public:
    TJwBasicPin();

    TJwPinType GetPinType() const override = 0;

    bool Connect(TJwBasicPin* AOtherPin) { return ConnectAfter(AOtherPin, nullptr); }
    // Connects, placing this link in the notification order after ANotifyAfterPin.
    virtual bool ConnectAfter(TJwBasicPin* AOtherPin, TJwBasicPin* ANotifyAfterPin) = 0;
    bool CanConnectTo(TJwBasicPin* AOtherPin, bool AUseConverters = true) {
        return CanConnectAfter(AOtherPin, nullptr, AUseConverters);
    }
    // Without ANotifyAfterPin: compatibility; with one, only through the
    // pin's state dispatcher.
    virtual bool CanConnectAfter(TJwBasicPin* AOtherPin, TJwBasicPin* ANotifyAfterPin,
                                 bool AUseConverters);
    // None is compatible with every pin.
    virtual bool IsCompatible(TJwBasicPin* AOtherPin, bool AUseConverters) = 0;

    // Leaves the state dispatcher; pins with links drop them too.
    virtual void Disconnect();
    virtual void DisconnectFrom(TJwBasicPin* AOtherPin);

    virtual bool IsConnected();
    virtual bool IsConnectedTo(TJwBasicPin* AOtherPin);
    virtual bool IsConnectedToAfter(TJwBasicPin* AOtherPin, TJwBasicPin* ANotifyAfterPin);
    virtual bool IsConnectedByConverterTo(TJwBasicPin* AOtherPin);
    virtual int32_t GetConnectedPinCount();

    // State dispatchers.
    bool IsStateConnected();
    bool IsConnectedToState(TJwStateDispatcher* ADispatcher);
    bool IsConnectedByStateTo(TJwBasicPin* AOtherPin);
    int32_t GetConnectedDispatcherCount();
    bool CanConnectToState(TJwStateDispatcher* ADispatcher);
    bool ConnectToState(TJwStateDispatcher* ADispatcher) {
        return ConnectToStateAfter(ADispatcher, nullptr);
    }
    virtual bool ConnectToStateAfter(TJwStateDispatcher* ADispatcher, TJwBasicPin* ANotifyAfterPin);
    bool ConnectByState(TJwBasicPin* AOtherPin) { return ConnectByStateAfter(AOtherPin, nullptr); }
    // Joins both pins to AOtherPin's dispatcher, or to a new one.
    bool ConnectByStateAfter(TJwBasicPin* AOtherPin, TJwBasicPin* ANotifyAfterPin);
    TJwStateDispatcher* GetDispatcher() const { return FDispatcher.get(); }
    // Whether the two pins can share a state dispatcher.
    virtual bool IsStateCompatible(TJwBasicPin* AOtherPin);

    // Functional dependency: a pin depends on another when data it sends are
    // computed from what the other receives.
    virtual bool DependsOn(TJwBasicPin* AOtherPin);
    virtual bool DirectDependsOn(TJwBasicPin* AOtherPin);

    // Hands an operation to the pin.
    virtual bool Notify(const TJwNotifyOperationPtr& AOperation);

    // Names: "Owner.Property" (and ".Name" or "._Pin<n>" inside a pin list);
    // AIncludeRootForm prefixes the root form's name.
    QString GetFullName(bool AIncludeRootForm) const override;
    virtual QString GetFullIdentName(bool AIncludeRootForm) const;
    QString GetName() const;
    QString GetSaveName() const;
    QString GetRootName() const override;
    virtual QString GetOwnerName() const;
    virtual TComponent* GetRoot() const;
    virtual TComponent* GetPinOwner() const { return nullptr; }
    // What an editor shows for the pin's links.
    virtual QString GetConnectionName();
    QString GetAfterPinDisplayName();
    bool IsLinkedTo(const QString& AName);

    TJwPinList* GetOwnerPinList() const { return FOwnerPinList; }
    void SetOwnerPinList(TJwPinList* AList) { FOwnerPinList = AList; }
    IJwDestroyLock* GetDestroyLock() const { return FDestroyLock.get(); }

    // Another pin is going away: drop every reference to it.
    virtual void PinDestroyed(TJwBasicPin* APin);

    // IJwDispatcherPin
    void ReceiveStateUpdate(const TJwNotifyOperationPtr& AOperation,
                            IJwDispatcherPin* AOrigin) override;
    void DispatcherDropped(TJwStateDispatcher* ADispatcher) override;
    TIntfPtr<TJwStateDispatcher> NewStateDispatcher(const QString& AName,
                                                    bool ADesignTime) override;

    // Cleared on destruction when an editor holds the pin.
    TJwBasicPin** CurrentEditorPtr = nullptr;
    QObject* FCustomData = nullptr;

protected:
    ~TJwBasicPin() override;
    // Claims the destroy lock, drops every link, leaves the pin list, tells
    // the other pins and frees the pin's own parts; the claim lasts until then.
    void BeforeDestruction() override;
    // The parts a pin frees while its destroy claim still stands.
    virtual void DestroyParts() {}
    void Announce(TJwPinEvent AEvent) { JwAnnounce(AEvent, this); }
    // Leaves the dispatcher.
    void LeaveDispatcher();
    // Runs after the pin left ADispatcher: pins joined through one of its
    // converters let that converter go.
    virtual void DispatcherLeft(TJwStateDispatcher*) {}
    // The name path below the root; empty for a pin without owner.
    virtual QStringList NamePath(bool AIdentForm) const;

    TJwPinList* FOwnerPinList = nullptr;
    QString FLoadFormName;
    TIntfPtr<TJwDestroyLock> FDestroyLock;
    TIntfPtr<TJwStateDispatcher> FDispatcher;
};

// The live pins, in order of creation.
std::vector<TJwBasicPin*> JwAllPins();
// The pin under ARoot whose full identifier or display name (with the root
// form) is AName, or none.
TJwBasicPin* JwFindPinByName(TComponent* ARoot, const QString& AName);
