#pragma once
// Observers (editors) that want to hear about pins, pin lists and state
// dispatchers coming, going and changing. Errors an observer raises are
// swallowed: an editor must not break a connection.

#include "platform/Interfaces.h"

class TJwObject;

enum class TJwPinEvent {
    PinCreated,
    PinDestroyed,
    PinChanged,
    DispatcherCreated,
    DispatcherDestroyed,
    DispatcherChanged,
    PinListCreated,
    PinListDestroyed,
    PinListChanged,
};

class IJwPinObserver : public IInterface {
public:
    using Parent = IInterface;
    static constexpr TGUID IID = TGUID::Parse("{0E0F9C8B-6B0A-4F53-9D0C-2B9E3F1A7C41}");

    virtual void PinNotify(TJwPinEvent AEvent, TJwObject* AObject) = 0;

protected:
    ~IJwPinObserver() = default;
};

void JwRegisterPinObserver(const TIntfPtr<IJwPinObserver>& AObserver);
void JwUnregisterPinObserver(const TIntfPtr<IJwPinObserver>& AObserver);
// Tells every observer, under the global pin section.
void JwAnnounce(TJwPinEvent AEvent, TJwObject* AObject);
