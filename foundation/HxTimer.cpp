#include "foundation/HxTimer.h"

THxTimer::THxTimer(TComponent* AOwner) : TComponent(AOwner) {}

THxTimer::~THxTimer() {
    FTimer.SetEnabled(false);
}

void THxTimer::SetEnabled(bool AValue) {
    FTimer.SetEnabled(AValue);
}

void THxTimer::SetInterval(uint32_t AValue) {
    FTimer.SetInterval(AValue);
}

void THxTimer::SetOnTimer(TNotifyEvent AValue) {
    FOnTimer = std::move(AValue);
    if (!FOnTimer) {
        FTimer.SetOnTimer(nullptr);
        return;
    }
    FTimer.SetOnTimer([this] {
        // The handler may reassign OnTimer or free this timer: call a copy.
        const TNotifyEvent handler = FOnTimer;
        if (handler)
            handler(this);
    });
}
