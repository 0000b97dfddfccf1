#include "pins/JwLockEvents.h"

#include <algorithm>
#include <atomic>
#include <vector>

#include "pins/JwGlobals.h"

namespace {

constexpr const char* GEventNames[JwLockEventCount] = {
    "None",
    "Error",
    "Create",
    "Destroy",
    "BeginWriteCreate",
    "WriteCreate",
    "BeginWriteDestroy",
    "WriteDestroy",
    "BeginReadCreate",
    "ReadCreate",
    "BeginReadDestroy",
    "ReadDestroy",
    "BeginStopCreate",
    "StopCreate",
    "BeginStopDestroy",
    "StopDestroy",
    "BeginUnlockCreate",
    "UnlockCreate",
    "BeginUnlockDestroy",
    "UnlockDestroy",
};

std::vector<TIntfPtr<IJwLockMonitor>>& Monitors() {
    static std::vector<TIntfPtr<IJwLockMonitor>> List;
    return List;
}

// Lets the common case (no monitor) skip the global section.
std::atomic<int32_t> GMonitorCount{0};

} // namespace

QString JwLockEventName(TJwLockEvent AEvent) {
    const auto Index = static_cast<int32_t>(AEvent);
    const char* Name = Index >= 0 && Index < JwLockEventCount ? GEventNames[Index] : GEventNames[0];
    return QString::fromLatin1(Name).leftJustified(JwLockEventNameWidth, QLatin1Char(' '));
}

void JwRegisterLockMonitor(const TIntfPtr<IJwLockMonitor>& AMonitor) {
    if (!AMonitor)
        return;
    TJwCriticalSectionLock L(JwLockMonitorSection());
    auto& List = Monitors();
    if (std::find(List.begin(), List.end(), AMonitor) != List.end())
        return;
    List.push_back(AMonitor);
    GMonitorCount.store(static_cast<int32_t>(List.size()));
}

void JwUnregisterLockMonitor(const TIntfPtr<IJwLockMonitor>& AMonitor) {
    TJwCriticalSectionLock L(JwLockMonitorSection());
    auto& List = Monitors();
    const auto It = std::find(List.begin(), List.end(), AMonitor);
    if (It == List.end())
        return;
    List.erase(It);
    GMonitorCount.store(static_cast<int32_t>(List.size()));
}

void JwReportLockEvent(IJwLock* ALock, IJwLockSection* ASection, TJwLockEvent AEvent) {
    if (GMonitorCount.load() == 0)
        return;
    const auto Me = std::this_thread::get_id();
    TJwCriticalSectionLock L(JwLockMonitorSection());
    // A copy, so that a monitor may unregister itself while it is told.
    const auto List = Monitors();
    for (const auto& Monitor : List)
        Monitor->LockEvent(ALock, ASection, AEvent, Me);
}
