#include "platform/Timer.h"

#include "platform/EventBinding.h"
#include "platform/Exceptions.h"

#include <QObject>
#include <QTimerEvent>
#include <climits>

// Receives the timer events in place of the hidden window. It outlives its
// timer when the timer is destroyed by its own handler.
class TTimerReceiver : public QObject {
public:
    explicit TTimerReceiver(TTimer* ATimer) : FTimer(ATimer) {}

    TTimer* FTimer;
    bool FInTick = false;

protected:
    void timerEvent(QTimerEvent* AEvent) override {
        if (!FTimer || AEvent->timerId() != FTimer->FTimerId)
            return;
        FInTick = true;
        FTimer->Tick();
        if (!FTimer) {
            deleteLater();
            return;
        }
        FInTick = false;
    }
};

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), FReceiver(new TTimerReceiver(this)) {}

TTimer::~TTimer() {
    Stop();
    FReceiver->FTimer = nullptr;
    if (!FReceiver->FInTick)
        delete FReceiver;
}

void TTimer::SetInterval(uint32_t AValue) {
    if (FInterval == AValue)
        return;
    FInterval = AValue;
    UpdateTimer();
}

void TTimer::SetEnabled(bool AValue) {
    if (FEnabled == AValue)
        return;
    FEnabled = AValue;
    UpdateTimer();
}

void TTimer::SetOnTimer(TTimerEvent AValue) {
    FOnTimer = std::move(AValue);
    FOnTimerName.clear();
    UpdateTimer();
}

void TTimer::DefineProperties(TFiler& AFiler) {
    TComponent::DefineProperties(AFiler);
    DefineEvent<TTimer>(AFiler, QStringLiteral("OnTimer"), FOnTimerName, [this](TTimerEvent AHandler) {
        const QString name = FOnTimerName;
        SetOnTimer(std::move(AHandler));
        FOnTimerName = name;
    });
}

void TTimer::Stop() {
    if (FTimerId != 0) {
        FReceiver->killTimer(FTimerId);
        FTimerId = 0;
    }
}

void TTimer::UpdateTimer() {
    Stop();
    if (FInterval == 0 || !FEnabled || !FOnTimer)
        return;
    // longer intervals are clamped, as window timers are
    const int interval = FInterval > static_cast<uint32_t>(INT_MAX) ? INT_MAX : static_cast<int>(FInterval);
    FTimerId = FReceiver->startTimer(interval, Qt::PreciseTimer);
    if (FTimerId == 0)
        throw EOutOfResources(QStringLiteral("Not enough timers available"));
}

void TTimer::Tick() {
    // the handler may reassign OnTimer or destroy this timer
    const TTimerEvent handler = FOnTimer;
    try {
        if (handler)
            handler(this);
    } catch (...) {
        // a failing handler ends this tick only
    }
}
