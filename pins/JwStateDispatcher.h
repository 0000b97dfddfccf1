#pragma once
// A named state dispatcher joins several pins to one shared state. Names are
// unique among the dispatchers of one kind (design time or run time); each
// kind has its process-wide list, guarded by the global pin section. A
// dispatcher lives while it is referenced, normally by the pins joined to it.

#include <vector>

#include <QString>

#include "pins/JwDispatcherPin.h"
#include "pins/JwObject.h"
#include "pins/JwStreamTypeRegistry.h"

class TJwFormatConverter;

struct TJwStateEntry {
    IJwDispatcherPin* ConnectionPin;
    IJwDispatcherPin* RealPin;
    IJwDispatcherPin* AfterPin;
};

class TJwStateDispatcher : public TJwObject, public TInterfaced<IInterface> {
public:
    // Not yet listed: a dispatcher joins its list through Create, CreateNamed
    // or GetByNameCreate.
    TJwStateDispatcher(QString AName, bool ADesignTime);
    ~TJwStateDispatcher() override;

    // Named with GetUniqueName of the owner's form.
    static TIntfPtr<TJwStateDispatcher> Create(const QString& AOwnerFormName, bool ADesignTime);
    // Raises Exception when the name is already used by a dispatcher of the kind.
    static TIntfPtr<TJwStateDispatcher> CreateNamed(const QString& AName, bool ADesignTime);
    // The first dispatcher of the kind named exactly AName, or none.
    static TIntfPtr<TJwStateDispatcher> GetByName(const QString& AName, bool ADesignTime);
    // As GetByName; when there is none, APin makes it.
    static TIntfPtr<TJwStateDispatcher> GetByNameCreate(IJwDispatcherPin* APin,
                                                        const QString& AName, bool ADesignTime);
    // The form's name + "Link" + n for the first n = 1, 2, ... not in use.
    static QString GetUniqueName(const QString& AOwnerFormName, bool ADesignTime);
    static bool IsUniqueName(const QString& AName, bool ADesignTime);

    const QString& GetName() const { return FName; }
    bool GetDesignTime() const { return FDesignTime; }

    void AddPin(IJwDispatcherPin* APin);
    // Joins AConnectionPin unless it is a member already (for ARealPin); it
    // is told of updates after ANotifyAfterPin.
    void AddPinAfter(IJwDispatcherPin* AConnectionPin, IJwDispatcherPin* ARealPin,
                     IJwDispatcherPin* ANotifyAfterPin);
    // Removes the entries whose connection or real pin is APin.
    void RemovePin(IJwDispatcherPin* APin);
    void DisconnectAll();

    bool IsConnectedTo(IJwDispatcherPin* APin);
    bool CanConnectAfter(IJwDispatcherPin* AOtherPin, IJwDispatcherPin* ANotifyAfterPin);
    int32_t GetPinCount();
    // The connection pin of member AIndex; raises EListError out of range.
    IJwDispatcherPin* GetPin(int32_t AIndex);
    TJwStateEntry GetEntry(int32_t AIndex);
    bool IsCrosForm();
    bool ConnectedToForm(const QString& AFormName);
    // Full name of the pin APin is told after, or empty.
    QString GetAfterPinDisplayName(IJwDispatcherPin* APin);

    // Passes a member's state update on as a new operation: to the first
    // source member alone when there is one, else to every member that is not
    // a sink; each receiver gets AUpdatingPin as origin unless it is that pin.
    void StateUpdate(IJwDispatcherPin* AUpdatingPin);

    // Format converters shared by the members: a sink whose types the shared
    // state does not carry joins through one. A converter from AInputID to
    // AOutputID: one of the list when one fits, else a new one of AClass
    // (none when AClass is none). One reference is added for the caller.
    TJwFormatConverter* AcquireConverter(TJwFormatConverterClass AClass, const TGUID& AInputID,
                                         const TGUID& AOutputID);
    // Drops one reference; the last frees the converter.
    void ReleaseConverter(TJwFormatConverter* AConverter);
    std::vector<TJwFormatConverter*> GetFormatConverters();
    int32_t GetConverterCount();

    // Leaving the list and the last reference are one step under the global
    // pin section, so a lookup never finds a dispatcher that is going away.
    void Release() noexcept override;

private:
    friend class TJwStateReceivers;
    static void Link(const TIntfPtr<TJwStateDispatcher>& ADispatcher);
    const TJwStateEntry* FindEntry(IJwDispatcherPin* AConnectionPin) const;

    QString FName;
    bool FDesignTime;
    bool FListed = false;
    std::vector<TJwStateEntry> FPins;
    std::vector<TJwFormatConverter*> FFormatConverters;
};

// The pins that get what a member shares, once per connection pin: members
// joined through a converter are reached through its input. The converters
// stay alive until this is gone.
class TJwStateReceivers {
public:
    TJwStateReceivers(TJwStateDispatcher* ADispatcher, IJwDispatcherPin* AExcept);
    ~TJwStateReceivers();
    TJwStateReceivers(const TJwStateReceivers&) = delete;
    TJwStateReceivers& operator=(const TJwStateReceivers&) = delete;

    std::vector<IJwDispatcherPin*> Pins;

private:
    TIntfPtr<TJwStateDispatcher> FDispatcher;
    std::vector<TJwFormatConverter*> FHeld;
};
