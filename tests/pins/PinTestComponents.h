#pragma once
// Pins and components for the pin tests: sinks that record what they get,
// and a component publishing one source and one sink pin.

#include <vector>

#include "pins/JwPins.h"
#include "platform/Component.h"

namespace PinTest {
inline constexpr TGUID TypeA = TGUID::Parse("{5B0C1B0E-7C61-4B7E-9A0B-1F7A2D3C4E01}");
inline constexpr TGUID TypeB = TGUID::Parse("{5B0C1B0E-7C61-4B7E-9A0B-1F7A2D3C4E02}");
inline constexpr TGUID TypeC = TGUID::Parse("{5B0C1B0E-7C61-4B7E-9A0B-1F7A2D3C4E03}");
} // namespace PinTest

// An operation carrying a number, and what a converter makes of it.
class TTestValueOperation : public TJwSuppliedOperation {
public:
    explicit TTestValueOperation(int32_t AValue) : FValue(AValue) {}
    int32_t GetValue() const { return FValue; }

private:
    int32_t FValue;
};

struct TReceived {
    TGUID ID;
    uint32_t State;
    TJwNotifyOperationPtr Operation;
};

class TRecordingSinkPin : public TJwSinkPin {
    Q_OBJECT
public:
    explicit TRecordingSinkPin(TComponent* AOwner, std::vector<TGUID> ATypes = {PinTest::TypeA},
                               const TIntfPtr<IJwLock>& AOwnerLock = {});

    std::vector<TReceived> Received;
    // What the submit function answers (bit 0 pushes the sink later).
    bool Answer = false;
    // Runs inside each delivery.
    std::function<void(const TJwNotifyOperationPtr&)> OnReceive;

protected:
    ~TRecordingSinkPin() override = default;
};

class TPinComponent : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TJwSourcePin* Output READ GetOutput)
    Q_PROPERTY(TRecordingSinkPin* Input READ GetInput)
public:
    explicit TPinComponent(TComponent* AOwner);

    TJwSourcePin* GetOutput() const { return FOutput.get(); }
    TRecordingSinkPin* GetInput() const { return FInput.get(); }

private:
    TOwned<TJwSourcePin> FOutput;
    TOwned<TRecordingSinkPin> FInput;
};

// A component whose inputs are a pin list.
class TListComponent : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TJwPinList* Inputs READ GetInputs)
public:
    explicit TListComponent(TComponent* AOwner);
    TJwPinList* GetInputs() const { return FInputs.get(); }

private:
    TOwned<TJwPinList> FInputs;
};

// A shared state of TypeB and a sink of TypeC only, which joins that state
// through a converter.
class TStateComponent : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TJwStatePin* State READ GetState)
public:
    explicit TStateComponent(TComponent* AOwner);
    TJwStatePin* GetState() const { return FState.get(); }

private:
    TOwned<TJwStatePin> FState;
};

class TTypeCComponent : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TRecordingSinkPin* Input READ GetInput)
public:
    explicit TTypeCComponent(TComponent* AOwner);
    TRecordingSinkPin* GetInput() const { return FInput.get(); }

private:
    TOwned<TRecordingSinkPin> FInput;
};

class TPinForm : public TComponent {
    Q_OBJECT
public:
    explicit TPinForm(TComponent* AOwner) : TComponent(AOwner) {}
};

// Adds 1000 to the value of a test operation.
class TTestConverter : public TJwFormatConverter {
    Q_OBJECT
public:
    using TJwFormatConverter::TJwFormatConverter;

protected:
    TJwNotifyOperationPtr Convert(const TJwNotifyOperationPtr& AOperation) override;
};

// A source pin offering ATypes, in that order.
TOwned<TJwSourcePin> MakeSource(TComponent* AOwner, std::vector<TGUID> ATypes);
// The value of a recorded test operation, or -1 for another kind.
int32_t ValueOf(const TReceived& AReceived);
