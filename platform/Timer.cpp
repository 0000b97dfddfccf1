#include "platform/Timer.h"

#include "platform/EventBinding.h"
#include "platform/Exceptions.h"
#include "platform/SilentFailure.h"
#include "platform/UiThread.h"

#include <QCoreApplication>
#include <QObject>
#include <QThread>
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

TTimer::TTimer(TComponent* AOwner)
    : TComponent(AOwner), FReceiver(new TTimerReceiver(this)),
      FAlive(std::make_shared<std::atomic<TTimer*>>(this)) {}

TTimer::~TTimer() {
    FAlive->store(nullptr);
    Stop();
    FReceiver->FTimer = nullptr;
    if (!FReceiver->FInTick)
        delete FReceiver;
}

bool TTimer::InOwnThread() const {
    return QThread::currentThread() == FReceiver->thread();
}

bool TTimer::PostedToUiThread(std::function<void(TTimer*)> AOperation) {
    if (InOwnThread())
        return false;
    // only a timer of the user-interface thread can be reached from elsewhere
    Q_ASSERT_X(FReceiver->thread() == QCoreApplication::instance()->thread(), Q_FUNC_INFO,
               "a timer made off the user-interface thread set from another thread");
    PostToUiThread([Alive = FAlive, Operation = std::move(AOperation)] {
        if (TTimer* timer = Alive->load())
            Operation(timer);
    });
    return true;
}

void TTimer::SetInterval(uint32_t AValue) {
    if (PostedToUiThread([AValue](TTimer* ATimer) { ATimer->SetInterval(AValue); }))
        return;
    if (FInterval == AValue)
        return;
    FInterval = AValue;
    UpdateTimer();
}

void TTimer::SetEnabled(bool AValue) {
    if (PostedToUiThread([AValue](TTimer* ATimer) { ATimer->SetEnabled(AValue); }))
        return;
    if (FEnabled == AValue)
        return;
    FEnabled = AValue;
    UpdateTimer();
}

void TTimer::SetOnTimer(TTimerEvent AValue) {
    if (!InOwnThread() && PostedToUiThread([Handler = std::move(AValue)](TTimer* ATimer) {
            ATimer->SetOnTimer(Handler);
        }))
        return;
    FOnTimer = std::move(AValue);
    FOnTimerName.clear();
    UpdateTimer();
}

void TTimer::DefineProperties(TFiler& AFiler) {
    TComponent::DefineProperties(AFiler);
    DefineEvent<TTimer>(AFiler, QStringLiteral("OnTimer"), FOnTimerName,
                        [this](TTimerEvent AHandler) {
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
    Q_ASSERT(InOwnThread());
    Stop();
    if (FInterval == 0 || !FEnabled || !FOnTimer)
        return;
    // longer intervals are clamped, as window timers are
    const int interval =
        FInterval > static_cast<uint32_t>(INT_MAX) ? INT_MAX : static_cast<int>(FInterval);
    FTimerId = FReceiver->startTimer(interval, Qt::PreciseTimer);
    if (FTimerId == 0)
        throw EOutOfResources(QStringLiteral("Not enough timers available"));
}

void TTimer::Tick() {
    // the handler may reassign OnTimer or destroy this timer
    const TTimerEvent handler = FOnTimer;
    // a failing handler ends this tick only
    Silently("a timer's OnTimer", [&] {
        if (handler)
            handler(this);
    });
}
