#pragma once
// A custom control with a float and an integer property set through its
// root lock, counting the lock's change notifications.

#include "foundation/HxControl.h"
#include "platform/Forms.h"

#include <atomic>

class TProbeControl : public THxCustomControl {
    Q_OBJECT
    Q_PROPERTY(double Gain READ GetGain WRITE SetGain)
    Q_PROPERTY(int32_t Steps READ GetSteps WRITE SetSteps)
public:
    Q_INVOKABLE explicit TProbeControl(TComponent* AOwner);

    double GetGain() const { return FGain; }
    void SetGain(double AValue) { Lock()->Setter(FGain, AValue, nullptr); }
    int32_t GetSteps() const { return FSteps; }
    void SetSteps(int32_t AValue) { Lock()->Setter(FSteps, AValue, nullptr); }

    TPoint LastMousePos() const { return FLastMousePos; }
    bool Polling() const { return MouseTimerEnabled(); }

    std::atomic<int32_t> changes{0};

protected:
    ~TProbeControl() override = default;
    void LockChanged() override { ++changes; }

private:
    double FGain = 2.5;
    int32_t FSteps = 4;
};

class TProbeForm : public TForm {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TProbeForm(TComponent* AOwner);

    Q_INVOKABLE void ProbeEntered(TControl*) { ++entered; }
    Q_INVOKABLE void ProbeLeft() { ++left; }

    int32_t entered = 0;
    int32_t left = 0;

protected:
    ~TProbeForm() override = default;
};
