// Who holds a lock: sections that say so truthfully, owners that do not
// outlive their threads, and monitors that may take what they are shown.

#include "pins/JwLocks.h"

#include <gtest/gtest.h>

#include "TestThreads.h"
#include "pins/JwLockEvents.h"

namespace {

TEST(TJwLock, AThreadThatEndedHoldingTheLockLeavesNoOwnerForANewThread) {
    const TIntfPtr<TJwLock> Lock(new TJwLock);
    TJwLockSectionPtr Leaked;
    std::thread::id Ended;
    std::thread([&] {
        Leaked = Lock->WriteLock();
        Ended = std::this_thread::get_id();
    }).join();
    // The system hands the ended thread's id to a later thread, often the next one.
    bool Reused = false;
    for (int I = 0; I < 100 && !Reused; ++I)
        std::thread([&] {
            if (std::this_thread::get_id() != Ended)
                return;
            Reused = true;
            const auto Section = Lock->WriteLock();
            ASSERT_TRUE(JwHolds(Section));
            // Its own entry only: the ended thread's count is void, not added to.
            EXPECT_EQ(Lock->GetCounts().CountLocks, 1);
        }).join();
    Leaked.reset();
    EXPECT_EQ(Lock->GetOwningThread(), JwNoThread);
    if (!Reused)
        GTEST_SKIP() << "no thread id was reused in 100 threads";
}

TEST(TJwLock, AnOuterSectionThatCouldNotBeRestoredSaysItHoldsNothing) {
    const TIntfPtr<TJwLock> Lock(new TJwLock);
    const auto Outer = Lock->ReadSection(nullptr);
    ASSERT_TRUE(JwHolds(Outer));
    auto Unlock = Lock->UnlockAll();
    TSignal Stopped, Restored;
    std::thread Stopper([&] {
        const auto Stop = Lock->StopLock();
        Stopped.Raise();
        Restored.Wait();
    });
    Stopped.Wait();
    // A stop lock came while the hold was given up: the outer section goes on
    // as a counted entry without the mutex, and must say so.
    Unlock.reset();
    EXPECT_FALSE(JwHolds(Outer));
    EXPECT_EQ(Lock->GetCounts().CountStopLocks, 1);
    Restored.Raise();
    Stopper.join();
}

// Wraps everything it is shown, as a monitor keeping a log of references would.
class TWrappingMonitor : public TInterfaced<IJwLockMonitor> {
public:
    void LockEvent(IJwLock* ALock, IJwLockSection* ASection, TJwLockEvent,
                   std::thread::id) override {
        const TIntfPtr<IJwLock> Lock(ALock);
        const TIntfPtr<IJwLockSection> Section(ASection);
        ++Events;
    }
    int Events = 0;
};

TEST(JwLockEvents, AMonitorMayTakeReferencesToWhatItIsShown) {
    const TIntfPtr<TWrappingMonitor> Monitor(new TWrappingMonitor);
    JwRegisterLockMonitor(TIntfPtr<IJwLockMonitor>(Monitor.get()));
    {
        const TIntfPtr<TJwLock> Lock(new TJwLock);
        {
            const auto Write = Lock->WriteLock();
            const auto Unlock = Lock->UnlockAll();
        }
        const auto Stop = Lock->StopLock();
    }
    JwUnregisterLockMonitor(TIntfPtr<IJwLockMonitor>(Monitor.get()));
    // Create, write and unlock pairs of pairs, stop pair of pairs, Destroy.
    EXPECT_EQ(Monitor->Events, 2 + 4 + 4 + 4);
}

} // namespace
