#include "foundation/HxTimer.h"

#include "platform/EventBinding.h"

THxTimer::THxTimer(TComponent* AOwner) : TComponent(AOwner), FTimer(MakeOwned<TTimer>(nullptr)) {}

THxTimer::~THxTimer() {
    FTimer->SetEnabled(false);
}

void THxTimer::SetEnabled(bool AValue) {
    FTimer->SetEnabled(AValue);
}

void THxTimer::SetInterval(uint32_t AValue) {
    FTimer->SetInterval(AValue);
}

void THxTimer::SetOnTimer(TNotifyEvent AValue) {
    FOnTimerName.clear();
    SetHandler(std::move(AValue));
}

void THxTimer::DefineProperties(TFiler& AFiler) {
    TComponent::DefineProperties(AFiler);
    DefineEvent<THxTimer>(AFiler, QStringLiteral("OnTimer"), FOnTimerName,
                          [this](std::function<void(THxTimer*)> AHandler) {
                              if (!AHandler) {
                                  SetHandler(nullptr);
                                  return;
                              }
                              SetHandler([handler = std::move(AHandler)](TPersistent* ASender) {
                                  handler(static_cast<THxTimer*>(ASender));
                              });
                          });
}

void THxTimer::SetHandler(TNotifyEvent AValue) {
    FOnTimer = std::move(AValue);
    if (!FOnTimer) {
        FTimer->SetOnTimer(nullptr);
        return;
    }
    FTimer->SetOnTimer([this](TTimer*) {
        // The handler may reassign OnTimer or free this timer: call a copy.
        const TNotifyEvent handler = FOnTimer;
        if (handler)
            handler(this);
    });
}
