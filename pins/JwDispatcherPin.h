#pragma once
// What a state dispatcher needs of the pins joined to it.

#include <cstdint>

#include <QString>

#include "pins/JwNotify.h"

class TJwStateDispatcher;

enum TJwPinType : int32_t { ptSource, ptSink, ptState, ptMultiSink, ptDispatcher };

class IJwDispatcherPin {
public:
    virtual TJwPinType GetPinType() const = 0;
    // Name of the form the pin's owner belongs to.
    virtual QString GetRootName() const = 0;
    virtual QString GetFullName(bool AIncludeRootForm) const = 0;
    // Another member's state update, passed on; AOrigin is the member that
    // updated, or none when this pin is that member.
    virtual void ReceiveStateUpdate(const TJwNotifyOperationPtr& AOperation,
                                    IJwDispatcherPin* AOrigin) = 0;
    // The dispatcher has let the pin go (DisconnectAll): the pin forgets it.
    virtual void DispatcherDropped(TJwStateDispatcher* ADispatcher) = 0;
    // Makes the dispatcher named AName when the pin asks for one that does not
    // exist yet, so that a pin class can bring its own kind of dispatcher.
    virtual TIntfPtr<TJwStateDispatcher> NewStateDispatcher(const QString& AName,
                                                            bool ADesignTime) = 0;

protected:
    ~IJwDispatcherPin() = default;
};
