#include "pins/JwDestroyLock.h"

#include <algorithm>

#include "pins/JwObject.h"

class TJwCallSection : public TInterfaced<IJwLockSection> {
public:
    TJwCallSection(TJwDestroyLock* ALock, std::thread::id ACaller) : FLock(ALock), FCaller(ACaller) {}
    ~TJwCallSection() override {
        TJwCriticalSectionLock L(FLock->FSection);
        auto& Callers = FLock->FCallers;
        Callers.erase(std::find(Callers.begin(), Callers.end(), FCaller));
        --FLock->FLockCounter;
    }
    bool GetLocked() const noexcept override { return true; }

private:
    TIntfPtr<TJwDestroyLock> FLock;
    std::thread::id FCaller;
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
    const auto Me = std::this_thread::get_id();
    TJwCriticalSectionLock L(FSection);
    ++FLockCounter;
    if (FDestroying.load() > 0 && FThreadID != Me) {
        --FLockCounter;
        return {};
    }
    FCallers.push_back(Me);
    // The section takes the count over from here.
    return TJwLockSectionPtr(new TJwCallSection(this, Me));
}

TJwLockSectionPtr TJwDestroyLock::DestroyLock() {
    const auto Me = std::this_thread::get_id();
    ++FDestroying;
    {
        // The claiming thread's own calls in flight cannot end while it waits here.
        ptrdiff_t Own;
        {
            TJwCriticalSectionLock L(FSection);
            Own = std::count(FCallers.begin(), FCallers.end(), Me);
        }
        const TJwLockSectionPtr Unlocked = FOwner ? FOwner->UnlockAll() : nullptr;
        while (FLockCounter.load() != Own)
            std::this_thread::yield();
    }
    {
        TJwCriticalSectionLock L(FSection);
        FThreadID = Me;
        FClaims.push_back(Me);
    }
    return TJwLockSectionPtr(new TJwDestroySection(this, Me));
}

TJwLockSectionPtr TJwDestroyLock::DestroyUnlockLock() {
    return TJwLockSectionPtr(new TJwDestroyUnlockSection(this));
}
