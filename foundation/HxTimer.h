#pragma once
// A component that calls OnTimer(self) every Interval milliseconds on the
// user-interface thread. It runs while Enabled, Interval is not 0 and OnTimer
// is assigned; an exception raised by the handler ends that tick only.

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

    bool GetEnabled() const { return FTimer.Enabled(); }
    // The setters raise EOutOfResources "Not enough timers available" when
    // the timer cannot be started.
    void SetEnabled(bool AValue);
    uint32_t GetInterval() const { return FTimer.Interval(); }
    void SetInterval(uint32_t AValue);
    const TNotifyEvent& GetOnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent AValue);

protected:
    ~THxTimer() override;

private:
    TNotifyEvent FOnTimer;
    TTimer FTimer;
};
