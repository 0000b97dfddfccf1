#pragma once
// Fences an object's destruction against calls in flight: a call enters
// through Lock, the destroying thread claims the object with DestroyLock,
// which waits until every call has left and refuses new ones.

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "pins/JwLocks.h"

class TJwObject;
class TJwDestroyLock;

class IJwDestroyLock : public IInterface {
public:
    using Parent = IInterface;
    static constexpr TGUID IID = TGUID::Parse("{6D34880E-A668-4FF7-8CCF-AAC2FCD20CA0}");

    // Empty while another thread destroys the object: the caller must skip its call.
    virtual TJwLockSectionPtr Lock() = 0;
    virtual TJwLockSectionPtr DestroyLock() = 0;
    // Suspends the destroy claim while the section lives.
    virtual TJwLockSectionPtr DestroyUnlockLock() = 0;
    virtual TJwDestroyLock* Instance() = 0;

protected:
    ~IJwDestroyLock() = default;
};

class TJwDestroyLock : public TInterfaced<IJwDestroyLock> {
public:
    // AOwner (may be none) is the guarded object; its locks are given up
    // while a destroy claim waits for the calls in flight.
    explicit TJwDestroyLock(TJwObject* AOwner);

    TJwLockSectionPtr Lock() override;
    TJwLockSectionPtr DestroyLock() override;
    TJwLockSectionPtr DestroyUnlockLock() override;
    TJwDestroyLock* Instance() override { return this; }

    int32_t GetLockCounter() const { return FLockCounter.load(); }
    int32_t GetDestroying() const { return FDestroying.load(); }

private:
    friend class TJwCallSection;
    friend class TJwDestroySection;
    friend class TJwDestroyUnlockSection;

    std::atomic<int32_t> FLockCounter{0};
    std::atomic<int32_t> FDestroying{0};
    TJwObject* FOwner;
    TJwCriticalSection FSection;
    // The thread of the latest claim still held: when it ends its claim, an
    // earlier claimant that is still destroying holds the right again.
    std::thread::id FThreadID;
    std::vector<std::thread::id> FClaims;
    // One entry per call in flight.
    std::vector<std::thread::id> FCallers;
};
