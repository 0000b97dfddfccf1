#include "buffers/KvPoolTimer.h"

#include <utility>

TKvPoolTimer::TKvPoolTimer(std::chrono::milliseconds AInterval, std::function<void()> AOnTimer)
    : FInterval(AInterval), FOnTimer(std::move(AOnTimer)) {}

TKvPoolTimer::~TKvPoolTimer() {
    Stop();
}

bool TKvPoolTimer::GetEnabled() {
    std::lock_guard Guard(FLock);
    return FEnabled;
}

void TKvPoolTimer::SetEnabled(bool AValue) {
    std::lock_guard Guard(FLock);
    if (FStopped || FEnabled == AValue)
        return;
    FEnabled = AValue;
    // The thread starts with the first enabling: a process that never trims
    // never runs it.
    if (FEnabled && !FThread.joinable())
        FThread = std::thread([this] { Run(); });
    FWake.notify_all();
}

void TKvPoolTimer::Stop() {
    {
        std::lock_guard Guard(FLock);
        FStopped = true;
        FEnabled = false;
        FWake.notify_all();
    }
    if (FThread.joinable())
        FThread.join();
}

void TKvPoolTimer::Run() {
    std::unique_lock Guard(FLock);
    while (!FStopped) {
        if (!FEnabled) {
            FWake.wait(Guard, [this] { return FStopped || FEnabled; });
            continue;
        }
        // Woken early only to stop or to be disabled.
        if (FWake.wait_for(Guard, FInterval, [this] { return FStopped || !FEnabled; }))
            continue;
        // The tick runs under FLock, so SetEnabled(false) waits for it.
        FOnTimer();
    }
}
