#include "pins/JwDestroyLock.h"

#include <algorithm>

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
    TJwDestroySection(TJwDestroyLock* ALock, std::thread::id AClaimant) : FLock(ALock), FClaimant(AClaimant) {}
    ~TJwDestroySection() override {
        TJwCriticalSectionLock L(FLock->FSection);
        --FLock->FDestroying;
        auto& Claims = FLock->FClaims;
        Claims.erase(std::find(Claims.begin(), Claims.end(), FClaimant));
        FLock->FThreadID = Claims.empty() ? std::thread::id() : Claims.back();
    }
    bool GetLocked() const noexcept override { return true; }

private:
    TIntfPtr<TJwDestroyLock> FLock;
    std::thread::id FClaimant;
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
        FClaims.push_back(FThreadID);
    }
    return TJwLockSectionPtr(new TJwDestroySection(this, std::this_thread::get_id()));
}

TJwLockSectionPtr TJwDestroyLock::DestroyUnlockLock() {
    return TJwLockSectionPtr(new TJwDestroyUnlockSection(this));
}
