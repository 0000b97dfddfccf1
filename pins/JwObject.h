#pragma once
// Base of pins, pin lists and state dispatchers: a persistent object with its
// own lock, so pins can store their links with their owner's form.

#include "pins/JwLocks.h"
#include "platform/Persistent.h"

class TJwObject : public TPersistent {
    Q_OBJECT
public:
    TJwObject();
    // Public, unlike other persistents: a plain lock holder may live on the
    // stack; pins hide it again so that they always go through Free.
    ~TJwObject() override;
    TJwObject(const TJwObject&) = delete;
    TJwObject& operator=(const TJwObject&) = delete;

    // Sections on the object's own lock. They are returned also when a
    // pending stop lock let the entry through without the mutex, so that
    // callers keep their entries balanced while the object is being stopped.
    [[nodiscard]] virtual TJwLockSectionPtr ReadLock();
    [[nodiscard]] virtual TJwLockSectionPtr WriteLock();
    [[nodiscard]] virtual TJwLockSectionPtr UnlockAll();

    TJwLock* GetIntLock() const { return FIntLock.get(); }

protected:
    TIntfPtr<TJwLock> FIntLock;
    TJwCriticalSection FIntLockSection;
};
