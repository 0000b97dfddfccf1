#pragma once
// A component that calls OnTimer(self) every Interval milliseconds on the
// user-interface thread. It runs while Enabled, Interval is not 0 and OnTimer
// is assigned; an exception raised by the handler ends that tick only.
// The stored form keeps OnTimer as the name of a method of the root
// component (OnTimer = Timer1Timer).

#include "foundation/HxTypes.h"
#include "platform/Component.h"
#include "platform/Timer.h"

class THxTimer : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ GetEnabled WRITE SetEnabled)
    Q_PROPERTY(uint32_t Interval READ GetInterval WRITE SetInterval)
    Q_CLASSINFO("default:Enabled", "True")
    Q_CLASSINFO("default:Interval", "1000")
public:
    explicit THxTimer(TComponent* AOwner);

    bool GetEnabled() const { return FTimer->Enabled(); }
    // The setters raise EOutOfResources "Not enough timers available" when
    // the timer cannot be started.
    void SetEnabled(bool AValue);
    uint32_t GetInterval() const { return FTimer->Interval(); }
    void SetInterval(uint32_t AValue);
    const TNotifyEvent& GetOnTimer() const { return FOnTimer; }
    // A handler set in code is not stored.
    void SetOnTimer(TNotifyEvent AValue);

    void DefineProperties(TFiler& AFiler) override;

protected:
    ~THxTimer() override;

private:
    void SetHandler(TNotifyEvent AValue);

    TNotifyEvent FOnTimer;
    // The root method OnTimer was read as, written back with the form.
    QString FOnTimerName;
    // Owned, not a member by value: components are freed through their
    // destruction protocol.
    TOwned<TTimer> FTimer;
};
