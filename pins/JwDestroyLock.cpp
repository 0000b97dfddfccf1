#include "pins/JwDestroyLock.h"

#include <algorithm>

#include "pins/JwObject.h"

class TJwCallSection : public TInterfaced<IJwLockSection> {
public:
    TJwCallSection(TJwDestroyLock* ALock, TJwThreadToken ACaller)
        : FLock(ALock), FCaller(ACaller) {}
    ~TJwCallSection() override {
        {
            std::lock_guard<std::mutex> L(FLock->FSection);
            auto& Callers = FLock->FCallers;
            Callers.erase(std::find(Callers.begin(), Callers.end(), FCaller));
            --FLock->FLockCounter;
        }
        FLock->FCallLeft.notify_all();
    }
    bool GetLocked() const noexcept override { return true; }

private:
    TIntfPtr<TJwDestroyLock> FLock;
    TJwThreadToken FCaller;
};

class TJwDestroySection : public TInterfaced<IJwLockSection> {
public:
    TJwDestroySection(TJwDestroyLock* ALock, TJwThreadToken AClaimant)
        : FLock(ALock), FClaimant(AClaimant) {}
    ~TJwDestroySection() override {
        std::lock_guard<std::mutex> L(FLock->FSection);
        --FLock->FDestroying;
        auto& Claims = FLock->FClaims;
        Claims.erase(std::find(Claims.begin(), Claims.end(), FClaimant));
        FLock->FThreadID = Claims.empty() ? TJwThreadToken() : Claims.back();
    }
    bool GetLocked() const noexcept override { return true; }

private:
    TIntfPtr<TJwDestroyLock> FLock;
    TJwThreadToken FClaimant;
};

class TJwDestroyUnlockSection : public TInterfaced<IJwLockSection> {
public:
    explicit TJwDestroyUnlockSection(TJwDestroyLock* ALock) : FLock(ALock) {
        std::lock_guard<std::mutex> L(FLock->FSection);
        FSuspended = FLock->FDestroying.exchange(0);
    }
    // Adds the suspended claims back rather than overwriting the count, so
    // that a claim made meanwhile is not lost.
    ~TJwDestroyUnlockSection() override {
        std::lock_guard<std::mutex> L(FLock->FSection);
        FLock->FDestroying += FSuspended;
    }
    bool GetLocked() const noexcept override { return false; }

private:
    TIntfPtr<TJwDestroyLock> FLock;
    int32_t FSuspended = 0;
};

TJwDestroyLock::TJwDestroyLock(TJwObject* AOwner) : FOwner(AOwner) {}

TJwLockSectionPtr TJwDestroyLock::Lock() {
    const auto Me = JwCurrentThread();
    std::lock_guard<std::mutex> L(FSection);
    if (FDestroying.load() > 0 && FThreadID != Me)
        return {};
    ++FLockCounter;
    FCallers.push_back(Me);
    // The section takes the count over from here.
    return TJwLockSectionPtr(new TJwCallSection(this, Me));
}

TJwLockSectionPtr TJwDestroyLock::DestroyLock() {
    const auto Me = JwCurrentThread();
    ptrdiff_t Own;
    {
        // The claim is staked at once, so that new calls from other threads
        // are refused while it waits, and a second claimant is turned away.
        std::lock_guard<std::mutex> L(FSection);
        if (FDestroying.load() > 0 && FThreadID != Me)
            return {};
        ++FDestroying;
        FThreadID = Me;
        FClaims.push_back(Me);
        // The claiming thread's own calls in flight cannot end while it waits here.
        Own = std::count(FCallers.begin(), FCallers.end(), Me);
    }
    TJwLockSectionPtr Claim(new TJwDestroySection(this, Me));
    {
        // The calls in flight may need the owner's lock to finish.
        const TJwLockSectionPtr Unlocked = FOwner ? FOwner->UnlockAll() : nullptr;
        std::unique_lock<std::mutex> L(FSection);
        FCallLeft.wait(L, [&] { return FLockCounter.load() == Own; });
    }
    return Claim;
}

TJwLockSectionPtr TJwDestroyLock::DestroyUnlockLock() {
    return TJwLockSectionPtr(new TJwDestroyUnlockSection(this));
}
