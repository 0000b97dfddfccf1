#pragma once
// The window-message timer: calls OnTimer every Interval milliseconds on the
// thread that created it (the user-interface thread), through its event loop.
// It runs while Enabled, Interval is not 0 and OnTimer is assigned.

#include <cstdint>
#include <functional>
#include <memory>

class TTimerReceiver;

class TTimer {
public:
    TTimer();
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    uint32_t Interval() const { return FInterval; }
    // Raises EOutOfResources "Not enough timers available" when the platform
    // refuses to start the timer (as do the other setters).
    void SetInterval(uint32_t AValue);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool AValue);
    const std::function<void()>& OnTimer() const { return FOnTimer; }
    void SetOnTimer(std::function<void()> AValue);
    // Whether a platform timer is running.
    bool Active() const { return FTimerId != 0; }

private:
    friend class TTimerReceiver;
    void UpdateTimer();
    void Stop();
    void Tick();

    uint32_t FInterval = 1000;
    bool FEnabled = true;
    std::function<void()> FOnTimer;
    int FTimerId = 0;
    TTimerReceiver* FReceiver;
};
