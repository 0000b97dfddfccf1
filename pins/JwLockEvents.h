#pragma once
// Lock events and the lock monitors that receive them. Every lock, and every
// section's creation and release, is reported while at least one monitor is
// registered; reports are serialised by one global critical section.

#include <cstdint>
#include <thread>

#include <QString>

#include "platform/Interfaces.h"

class IJwLock;
class IJwLockSection;

enum class TJwLockEvent : int32_t {
    None = 0,
    Error = 1,
    Create = 2,
    Destroy = 3,
    BeginWriteCreate = 4,
    WriteCreate = 5,
    BeginWriteDestroy = 6,
    WriteDestroy = 7,
    BeginReadCreate = 8,
    ReadCreate = 9,
    BeginReadDestroy = 10,
    ReadDestroy = 11,
    BeginStopCreate = 12,
    StopCreate = 13,
    BeginStopDestroy = 14,
    StopDestroy = 15,
    BeginUnlockCreate = 16,
    UnlockCreate = 17,
    BeginUnlockDestroy = 18,
    UnlockDestroy = 19,
};

inline constexpr int32_t JwLockEventCount = 20;
// Monitors show event names in a column of this width.
inline constexpr int32_t JwLockEventNameWidth = 18;

// The event's name padded with blanks to JwLockEventNameWidth characters.
QString JwLockEventName(TJwLockEvent AEvent);

// Receives lock events. ALock and ASection (none for the lock's own Create and
// Destroy) are valid during the call only, and a monitor must not take
// references to them: a lock reports Create and Destroy from its constructor
// and destructor, when a reference would free it twice.
// Errors a monitor raises reach the caller of the lock operation, except
// during a section's release, which cannot fail and drops them.
class IJwLockMonitor : public IInterface {
public:
    using Parent = IInterface;
    static constexpr TGUID IID = TGUID::Parse("{5FBA564C-7B48-4B37-A793-D57F901DC7FB}");

    virtual void LockEvent(IJwLock* ALock, IJwLockSection* ASection, TJwLockEvent AEvent,
                           std::thread::id AThreadID) = 0;

protected:
    ~IJwLockMonitor() = default;
};

// A monitor registered twice is told once; unregistering an unknown monitor does nothing.
void JwRegisterLockMonitor(const TIntfPtr<IJwLockMonitor>& AMonitor);
void JwUnregisterLockMonitor(const TIntfPtr<IJwLockMonitor>& AMonitor);

// Tells every registered monitor, on the calling thread.
void JwReportLockEvent(IJwLock* ALock, IJwLockSection* ASection, TJwLockEvent AEvent);
