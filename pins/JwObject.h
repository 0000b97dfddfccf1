#pragma once
// Base of pins, pin lists and state dispatchers: an object with its own lock.

#include "pins/JwLocks.h"

class TJwObject {
public:
    TJwObject();
    virtual ~TJwObject();
    TJwObject(const TJwObject&) = delete;
    TJwObject& operator=(const TJwObject&) = delete;

    // Sections on the object's own lock. They are returned also when a
    // pending stop lock let the entry through without the mutex, so that
    // callers keep their entries balanced while the object is being stopped.
    virtual TJwLockSectionPtr ReadLock();
    virtual TJwLockSectionPtr WriteLock();
    virtual TJwLockSectionPtr UnlockAll();

    TJwLock* GetIntLock() const { return FIntLock.get(); }

protected:
    TIntfPtr<TJwLock> FIntLock;
    TJwCriticalSection FIntLockSection;
};
