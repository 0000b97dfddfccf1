#pragma once
// The window-message timer: a component that calls OnTimer every Interval
// milliseconds on the thread that created it (the user-interface thread),
// through its event loop. It runs while Enabled, Interval is not 0 and
// OnTimer is assigned. OnTimer is stored with the form as a root method.
// A timer of the user-interface thread set from another thread has the
// setters posted there; they take effect once it runs them.

#include "platform/Component.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

class TTimerReceiver;

class TTimer : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(uint32_t Interval READ Interval WRITE SetInterval)
    Q_CLASSINFO("default:Enabled", "True")
    Q_CLASSINFO("default:Interval", "1000")

public:
    using TTimerEvent = std::function<void(TTimer* Sender)>;

    Q_INVOKABLE explicit TTimer(TComponent* AOwner);

    uint32_t Interval() const { return FInterval; }
    // Raises EOutOfResources "Not enough timers available" when the platform
    // refuses to start the timer (as do the other setters).
    void SetInterval(uint32_t AValue);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool AValue);
    const TTimerEvent& OnTimer() const { return FOnTimer; }
    void SetOnTimer(TTimerEvent AValue);
    // Whether a platform timer is running.
    bool Active() const { return FTimerId != 0; }

    void DefineProperties(TFiler& AFiler) override;

protected:
    ~TTimer() override;

private:
    friend class TTimerReceiver;
    bool InOwnThread() const;
    // Posts AOperation when called off the timer's thread (answering true).
    bool PostedToUiThread(std::function<void(TTimer*)> AOperation);
    void UpdateTimer();
    void Stop();
    void Tick();

    uint32_t FInterval = 1000;
    bool FEnabled = true;
    TTimerEvent FOnTimer;
    QString FOnTimerName;
    int FTimerId = 0;
    TTimerReceiver* FReceiver;
    // What posted setters check before they run.
    std::shared_ptr<std::atomic<TTimer*>> FAlive;
};
