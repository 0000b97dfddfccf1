#pragma once
// A pin whose links are memberships of a state dispatcher: it shares one
// value with the other members.

#include "pins/JwPin.h"

class TJwSinkPin;

class TJwStatePin : public TJwPin {
    Q_OBJECT
public:
    using TJwPin::TJwPin;

    TJwPinType GetPinType() const override { return ptState; }
    // Joins AOtherPin's dispatcher (or a new one with it); none leaves.
    bool ConnectAfter(TJwBasicPin* AOtherPin, TJwBasicPin* ANotifyAfterPin) override;
    bool IsCompatible(TJwBasicPin* AOtherPin, bool AUseConverters) override;
    int32_t GetPinCount();
    // Hands AOperation to every other member of the dispatcher.
    bool Notify(const TJwNotifyOperationPtr& AOperation) override;
    // Connects to the first pin under ARoot (or the pin's own root) named
    // ASinkName, with or without the root form's name; an empty name disconnects.
    bool TryLinkTo(TComponent* ARoot, const QString& ASinkName);

protected:
    ~TJwStatePin() override = default;

private:
    // Joins ASink, whose types the state does not carry, through a converter
    // of the dispatcher or a new one of the registered class.
    bool ConnectThroughConverter(TJwSinkPin* ASink, TJwBasicPin* ANotifyAfterPin);
};
