#include "pins/JwDestroyLock.h"

#include "pins/JwObject.h"

class TJwCallSection : public TInterfaced<IJwLockSection> {
public:
    explicit TJwCallSection(TJwDestroyLock* ALock) : FLock(ALock) {}
    ~TJwCallSection() override { --FLock->FLockCounter; }
    bool GetLocked() const noexcept override { return true; }

private:
    TIntfPtr<TJwDestroyLock> FLock;
};

class TJwDestroySection : public TInterfaced<IJwLockSection> {
public:
    explicit TJwDestroySection(TJwDestroyLock* ALock) : FLock(ALock) {}
    ~TJwDestroySection() override {
        TJwCriticalSectionLock L(FLock->FSection);
        if (--FLock->FDestroying == 0)
            FLock->FThreadID = std::thread::id();
    }
    bool GetLocked() const noexcept override { return true; }

private:
    TIntfPtr<TJwDestroyLock> FLock;
};

class TJwDestroyUnlockSection : public TInterfaced<IJwLockSection> {
public:
    explicit TJwDestroyUnlockSection(TJwDestroyLock* ALock) : FLock(ALock), FSuspended(ALock->FDestroying.exchange(0)) {}
    // Adds the suspended claims back rather than overwriting the count, so
    // that a claim made meanwhile is not lost.
    ~TJwDestroyUnlockSection() override { FLock->FDestroying += FSuspended; }
    bool GetLocked() const noexcept override { return false; }

private:
    TIntfPtr<TJwDestroyLock> FLock;
    int32_t FSuspended;
};

TJwDestroyLock::TJwDestroyLock(TJwObject* AOwner) : FOwner(AOwner) {}

TJwLockSectionPtr TJwDestroyLock::Lock() {
    TJwCriticalSectionLock L(FSection);
    ++FLockCounter;
    if (FDestroying.load() > 0 && FThreadID != std::this_thread::get_id()) {
        --FLockCounter;
        return {};
    }
    // The section takes the count over from here.
    TJwLockSectionPtr Result(new TJwCallSection(this));
    return Result;
}

TJwLockSectionPtr TJwDestroyLock::DestroyLock() {
    ++FDestroying;
    {
        const TJwLockSectionPtr Unlocked = FOwner ? FOwner->UnlockAll() : nullptr;
        while (FLockCounter.load() != 0)
            std::this_thread::yield();
    }
    {
        TJwCriticalSectionLock L(FSection);
        FThreadID = std::this_thread::get_id();
    }
    return TJwLockSectionPtr(new TJwDestroySection(this));
}

TJwLockSectionPtr TJwDestroyLock::DestroyUnlockLock() {
    return TJwLockSectionPtr(new TJwDestroyUnlockSection(this));
}
