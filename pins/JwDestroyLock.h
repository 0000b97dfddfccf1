#pragma once
// Fences an object's destruction against calls in flight: a call enters
// through Lock, the destroying thread claims the object with DestroyLock,
// which waits until every call has left and refuses new ones.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include "pins/JwLocks.h"

class TJwObject;
class TJwDestroyLock;

class IJwDestroyLock : public IInterface {
public:
    using Parent = IInterface;
    static constexpr TGUID IID = TGUID::Parse("{6D34880E-A668-4FF7-8CCF-AAC2FCD20CA0}");

    // Empty while another thread destroys the object: the caller must skip its call.
    [[nodiscard]] virtual TJwLockSectionPtr Lock() = 0;
    // Empty when another thread holds or waits for a claim on the object:
    // only one may destroy it.
    [[nodiscard]] virtual TJwLockSectionPtr DestroyLock() = 0;
    // Suspends the destroy claim while the section lives.
    [[nodiscard]] virtual TJwLockSectionPtr DestroyUnlockLock() = 0;
    virtual TJwDestroyLock* Instance() = 0;

protected:
    ~IJwDestroyLock() = default;
};

class TJwDestroyLock : public TInterfaced<IJwDestroyLock> {
public:
    // AOwner (may be none) is the guarded object; its locks are given up
    // while a destroy claim waits for the calls in flight.
    explicit TJwDestroyLock(TJwObject* AOwner);

    [[nodiscard]] TJwLockSectionPtr Lock() override;
    [[nodiscard]] TJwLockSectionPtr DestroyLock() override;
    [[nodiscard]] TJwLockSectionPtr DestroyUnlockLock() override;
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
    std::mutex FSection;
    // Told whenever a call leaves.
    std::condition_variable FCallLeft;
    // The thread of the latest claim still held: when it ends its claim, an
    // earlier claimant that is still destroying holds the right again.
    TJwThreadToken FThreadID = JwNoThread;
    std::vector<TJwThreadToken> FClaims;
    // One entry per call in flight.
    std::vector<TJwThreadToken> FCallers;
};
