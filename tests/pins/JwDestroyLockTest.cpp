#include "pins/JwDestroyLock.h"

#include <gtest/gtest.h>

#include "TestThreads.h"
#include "pins/JwObject.h"

namespace {

TEST(TJwDestroyLock, ADestroyClaimWaitsForTheCallInFlight) {
    TJwObject Object;
    const TIntfPtr<TJwDestroyLock> Guard(new TJwDestroyLock(&Object));
    TSignal InCall, Claimed;
    std::atomic<bool> CallLeft{false};
    std::thread Caller([&] {
        auto Call = Guard->Lock();
        ASSERT_TRUE(Call);
        InCall.Raise();
        WaitUntil([&] { return Guard->GetDestroying() == 1; });
        EXPECT_FALSE(Claimed.IsRaised());
        CallLeft.store(true);
        Call.reset();
    });
    InCall.Wait();
    {
        const auto Claim = Guard->DestroyLock();
        ASSERT_TRUE(Claim);
        Claimed.Raise();
        EXPECT_TRUE(CallLeft.load());
        EXPECT_EQ(Guard->GetLockCounter(), 0);
        // The destroying thread may still call in; other threads may not.
        EXPECT_TRUE(Guard->Lock());
        std::thread([&] { EXPECT_FALSE(Guard->Lock()); }).join();
        EXPECT_EQ(Guard->GetLockCounter(), 0);
    }
    Caller.join();
    EXPECT_EQ(Guard->GetDestroying(), 0);
    std::thread([&] { EXPECT_TRUE(Guard->Lock()); }).join();
}

TEST(TJwDestroyLock, AClaimDoesNotWaitForTheClaimingThreadsOwnCall) {
    // An object told to go away from inside a call into it: waiting for that
    // call to end would wait for ever.
    const TIntfPtr<TJwDestroyLock> Guard(new TJwDestroyLock(nullptr));
    TSignal InCall, Claimed;
    std::thread Other([&] {
        const auto Call = Guard->Lock();
        InCall.Raise();
        WaitUntil([&] { return Guard->GetDestroying() == 1; });
        EXPECT_FALSE(Claimed.IsRaised());
    });
    InCall.Wait();
    auto OwnCall = Guard->Lock();
    {
        const auto Claim = Guard->DestroyLock();
        Claimed.Raise();
        EXPECT_EQ(Guard->GetLockCounter(), 1);
        OwnCall.reset();
    }
    Other.join();
    EXPECT_EQ(Guard->GetLockCounter(), 0);
}

TEST(TJwDestroyLock, AWaitingClaimGivesUpTheOwnersLockForTheCallInFlight) {
    // The call in flight needs the object's lock to finish, and the
    // destroying thread holds it: the claim must let it go while it waits.
    TJwObject Object;
    const TIntfPtr<TJwDestroyLock> Guard(new TJwDestroyLock(&Object));
    auto Held = Object.WriteLock();
    TSignal InCall;
    std::thread Caller([&] {
        const auto Call = Guard->Lock();
        InCall.Raise();
        const auto Write = Object.WriteLock();
        EXPECT_TRUE(Write->GetLocked());
    });
    InCall.Wait();
    const auto Claim = Guard->DestroyLock();
    Caller.join();
    EXPECT_EQ(Object.GetIntLock()->GetOwningThread(), JwCurrentThread());
    EXPECT_EQ(Object.GetIntLock()->GetCounts().CountLocks, 1);
}

TEST(TJwDestroyLock, DestroyUnlockSuspendsTheClaimAndKeepsClaimsMadeMeanwhile) {
    const TIntfPtr<TJwDestroyLock> Guard(new TJwDestroyLock(nullptr));
    const auto Claim = Guard->DestroyLock();
    auto Suspended = Guard->DestroyUnlockLock();
    EXPECT_EQ(Guard->GetDestroying(), 0);
    std::thread([&] { EXPECT_TRUE(Guard->Lock()); }).join();

    TSignal OtherClaimed, SuspensionEnded;
    std::thread Other([&] {
        const auto OtherClaim = Guard->DestroyLock();
        OtherClaimed.Raise();
        SuspensionEnded.Wait();
    });
    OtherClaimed.Wait();
    Suspended.reset();
    SuspensionEnded.Raise();
    EXPECT_EQ(Guard->GetDestroying(), 2);
    Other.join();
    // The first claim still stands: calls from other threads stay refused.
    EXPECT_EQ(Guard->GetDestroying(), 1);
    std::thread([&] { EXPECT_FALSE(Guard->Lock()); }).join();
}

TEST(TJwDestroyLock, OnlyOneOfTwoThreadsClaimingAtOnceGetsTheClaim) {
    const TIntfPtr<TJwDestroyLock> Guard(new TJwDestroyLock(nullptr));
    TSignal Claimed, Tried;
    std::thread First([&] {
        const auto Claim = Guard->DestroyLock();
        EXPECT_TRUE(Claim);
        Claimed.Raise();
        Tried.Wait();
    });
    Claimed.Wait();
    {
        // Both would go on to free the object.
        const auto Second = Guard->DestroyLock();
        EXPECT_FALSE(Second);
        EXPECT_EQ(Guard->GetDestroying(), 1);
    }
    Tried.Raise();
    First.join();
    // Once the first claim is over, the object may be claimed again.
    const auto Later = Guard->DestroyLock();
    EXPECT_TRUE(Later);
}

TEST(TJwDestroyLock, ACallThatEntersWhileAClaimWaitsIsRefused) {
    const TIntfPtr<TJwDestroyLock> Guard(new TJwDestroyLock(nullptr));
    TSignal InCall, Refused;
    std::thread Caller([&] {
        const auto Call = Guard->Lock();
        InCall.Raise();
        WaitUntil([&] { return Guard->GetDestroying() == 1; });
        // The claim is waiting for this call: another call from any other thread is refused.
        std::thread([&] { EXPECT_FALSE(Guard->Lock()); }).join();
        Refused.Raise();
    });
    InCall.Wait();
    const auto Claim = Guard->DestroyLock();
    EXPECT_TRUE(Refused.IsRaised());
    Caller.join();
}

} // namespace
