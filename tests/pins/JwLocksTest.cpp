#include "pins/JwLocks.h"

#include <gtest/gtest.h>

#include <vector>

#include "TestThreads.h"
#include "pins/JwLockEvents.h"
#include "pins/JwObject.h"

namespace {

using TCounts = TJwLock::TCounts;

TIntfPtr<TJwLock> NewLock() {
    return TIntfPtr<TJwLock>(new TJwLock);
}

bool Unowned(TJwLock& ALock) {
    return ALock.GetOwningThread() == JwNoThread;
}

TEST(TJwLock, NestedSectionsOfOneThreadReleaseOnlyAtTheOutermost) {
    const auto Lock = NewLock();
    const auto Me = JwCurrentThread();
    auto Outer = Lock->WriteLock();
    auto Middle = Lock->ReadLock();
    auto Inner = Lock->WriteLock();
    ASSERT_TRUE(Outer && Middle && Inner);
    EXPECT_TRUE(Inner->GetLocked());
    EXPECT_EQ(Lock->GetCounts().CountLocks, 3);

    TSignal Entered;
    std::thread Other([&] {
        const auto Section = Lock->WriteLock();
        EXPECT_TRUE(Section && Section->GetLocked());
        Entered.Raise();
    });
    Inner.reset();
    Middle.reset();
    EXPECT_EQ(Lock->GetOwningThread(), Me);
    EXPECT_EQ(Lock->GetCounts().CountLocks, 1);
    EXPECT_FALSE(Entered.IsRaised());
    Outer.reset();
    Other.join();
    EXPECT_TRUE(Entered.IsRaised());
    EXPECT_TRUE(Unowned(*Lock));
    EXPECT_EQ(Lock->GetCounts().CountLocks, 0);
}

TEST(TJwLock, ALockLeftHeldByAnEndedThreadCanBeTakenAgain) {
    const auto Lock = NewLock();
    TJwLockSectionPtr Leaked, LeakedNested;
    std::thread([&] {
        Leaked = Lock->WriteLock();
        LeakedNested = Lock->ReadLock();
    }).join();
    {
        const auto Section = Lock->WriteLock();
        ASSERT_TRUE(Section && Section->GetLocked());
        EXPECT_EQ(Lock->GetCounts().CountLocks, 1);
    }
    EXPECT_TRUE(Unowned(*Lock));
    // The ended thread's sections, dropped late by another thread, change nothing.
    LeakedNested.reset();
    Leaked.reset();
    EXPECT_EQ(Lock->GetCounts().CountLocks, 0);
    std::thread([&] { EXPECT_TRUE(Lock->WriteLock()); }).join();
}

TEST(TJwLock, WhileAStopLockIsHeldOtherThreadsEnterAtOnceWithoutTheMutex) {
    TJwObject Object;
    TJwLock& Lock = *Object.GetIntLock();
    const auto Stop = Lock.StopLock();
    ASSERT_TRUE(Stop && Stop->GetLocked());
    EXPECT_EQ(Lock.GetCounts().InStopCount, 1);

    std::thread([&] {
        // Through the interface: refused, and nothing is left counted.
        EXPECT_FALSE(Lock.ReadLock());
        EXPECT_FALSE(Lock.WriteLock());
        EXPECT_EQ(Lock.GetCounts().CountStopLocks, 0);
        // The object's sections come back all the same, counted as stop entries.
        auto Read = Object.ReadLock();
        auto Write = Object.WriteLock();
        ASSERT_TRUE(Read && Write);
        EXPECT_FALSE(Read->GetLocked());
        EXPECT_EQ(Lock.GetCounts().CountStopLocks, 2);
        Write.reset();
        EXPECT_EQ(Lock.GetCounts().CountStopLocks, 1);
        Read.reset();
        EXPECT_EQ(Lock.GetCounts().CountStopLocks, 0);
    }).join();
    // The stopping thread itself nests normally.
    EXPECT_TRUE(Lock.ReadLock()->GetLocked());
    EXPECT_EQ(Lock.GetCounts().CountLocks, 1);
}

TEST(TJwLock, ReleasingAStopLockLetsTheMutexGoWhileAnotherThreadsStopEntryIsOpen) {
    // Another thread's entry must not be mistaken for a count of the stopping
    // thread, or the mutex would stay held and every later entry wait forever.
    TJwObject Object;
    TJwLock& Lock = *Object.GetIntLock();
    auto Stop = Lock.StopLock();
    TSignal Entered, StopReleased;
    std::thread Other([&] {
        auto Entry = Object.ReadLock();
        Entered.Raise();
        StopReleased.Wait();
        Entry.reset();
    });
    Entered.Wait();
    Stop.reset();
    EXPECT_TRUE(Unowned(Lock));
    const TCounts During = Lock.GetCounts();
    EXPECT_EQ(During.CountLocks, 0);
    EXPECT_EQ(During.CountStopLocks, 1);
    EXPECT_EQ(During.InStopCount, 0);
    StopReleased.Raise();
    Other.join();
    EXPECT_EQ(Lock.GetCounts().CountStopLocks, 0);
    std::thread([&] { EXPECT_TRUE(Lock.WriteLock()->GetLocked()); }).join();
}

TEST(TJwLock, APendingStopLockMakesWaitersGiveUpInsteadOfQueueing) {
    const auto Lock = NewLock();
    auto Holder = Lock->WriteLock();
    TSignal Stopped, StopMayEnd;
    std::thread Stopper([&] {
        auto Stop = Lock->StopLock();
        Stopped.Raise();
        StopMayEnd.Wait();
    });
    WaitUntil([&] { return Lock->GetCounts().InStopCount == 1; });
    // The stop waits for the holder; an entry of a third thread does not.
    std::thread([&] { EXPECT_FALSE(Lock->ReadLock()); }).join();
    EXPECT_FALSE(Stopped.IsRaised());
    Holder.reset();
    Stopped.Wait();
    EXPECT_NE(Lock->GetOwningThread(), JwCurrentThread());
    StopMayEnd.Raise();
    Stopper.join();
    EXPECT_TRUE(Unowned(*Lock));
    EXPECT_EQ(Lock->GetCounts().InStopCount, 0);
}

TEST(TJwLock, UnlockSectionAtDepthThreeReleasesTheMutexAndRestoresDepthThree) {
    const auto Lock = NewLock();
    const auto Me = JwCurrentThread();
    auto S1 = Lock->WriteLock();
    auto S2 = Lock->ReadLock();
    auto S3 = Lock->WriteLock();
    {
        const auto Unlock = Lock->UnlockAll();
        ASSERT_TRUE(Unlock);
        EXPECT_FALSE(Unlock->GetLocked());
        EXPECT_TRUE(Unowned(*Lock));
        EXPECT_EQ(Lock->GetCounts().CountLocks, 0);
        std::thread([&] {
            const auto Section = Lock->WriteLock();
            EXPECT_TRUE(Section && Section->GetLocked());
        }).join();
    }
    EXPECT_EQ(Lock->GetOwningThread(), Me);
    EXPECT_EQ(Lock->GetCounts().CountLocks, 3);
    S3.reset();
    S2.reset();
    EXPECT_EQ(Lock->GetOwningThread(), Me);
    S1.reset();
    EXPECT_TRUE(Unowned(*Lock));
}

TEST(TJwLock, UnlockSectionOfAThreadNotOwningTheLockReleasesNothing) {
    const auto Lock = NewLock();
    auto Held = Lock->WriteLock();
    std::thread([&] {
        const auto Unlock = Lock->UnlockAll();
        EXPECT_TRUE(Unlock);
    }).join();
    EXPECT_EQ(Lock->GetOwningThread(), JwCurrentThread());
    EXPECT_EQ(Lock->GetCounts().CountLocks, 1);
}

TEST(TJwLock, AThreadRestoringDuringAnotherThreadsStopGoesOnAsAStopEntry) {
    const auto Lock = NewLock();
    auto Held = Lock->WriteLock();
    auto Unlock = Lock->UnlockAll();
    TSignal Stopped, StopMayEnd;
    std::thread Stopper([&] {
        const auto Stop = Lock->StopLock();
        Stopped.Raise();
        StopMayEnd.Wait();
    });
    Stopped.Wait();
    // Waiting here for the mutex could deadlock with the stopping thread.
    Unlock.reset();
    EXPECT_EQ(Lock->GetCounts().CountStopLocks, 1);
    StopMayEnd.Raise();
    Stopper.join();
    Held.reset();
    const TCounts After = Lock->GetCounts();
    EXPECT_EQ(After.CountStopLocks, 0);
    EXPECT_EQ(After.CountLocks, 0);
    EXPECT_TRUE(Unowned(*Lock));
}

TEST(TJwLock, TheStoppingThreadTakesItsStopBackAfterAnUnlockSection) {
    TJwObject Object;
    TJwLock& Lock = *Object.GetIntLock();
    const auto Me = JwCurrentThread();
    auto Stop = Lock.StopLock();
    {
        const auto Unlock = Lock.UnlockAll();
        EXPECT_TRUE(Unowned(Lock));
        // Still stopping: others are let through without the mutex, and so
        // is the stopping thread's own re-entry while it has given up its hold.
        std::thread([&] { EXPECT_FALSE(Lock.WriteLock()); }).join();
        const auto Own = Object.ReadLock();
        EXPECT_FALSE(Own->GetLocked());
        EXPECT_EQ(Lock.GetCounts().CountStopLocksOwner, 1);
    }
    EXPECT_EQ(Lock.GetOwningThread(), Me);
    const TCounts During = Lock.GetCounts();
    EXPECT_EQ(During.CountLocks, 1);
    EXPECT_EQ(During.CountStopLocksOwner, 0);
    EXPECT_EQ(During.InStopCount, 1);
    Stop.reset();
    EXPECT_TRUE(Unowned(Lock));
    EXPECT_EQ(Lock.GetCounts().InStopCount, 0);
}

class TEventLog : public TInterfaced<IJwLockMonitor> {
public:
    struct TRecord {
        IJwLock* Lock;
        IJwLockSection* Section;
        TJwLockEvent Event;
        std::thread::id Thread;
    };
    void LockEvent(IJwLock* ALock, IJwLockSection* ASection, TJwLockEvent AEvent,
                   std::thread::id AThreadID) override {
        if (AEvent == FFailOn)
            throw std::runtime_error("monitor failed");
        FRecords.push_back({ALock, ASection, AEvent, AThreadID});
    }
    std::vector<TJwLockEvent> Events(IJwLock* ALock) const {
        std::vector<TJwLockEvent> R;
        for (const auto& Record : FRecords)
            if (Record.Lock == ALock)
                R.push_back(Record.Event);
        return R;
    }
    std::vector<TRecord> FRecords;
    TJwLockEvent FFailOn = TJwLockEvent::None;
};

// Registers a monitor for one test's lifetime.
class TMonitored {
public:
    TMonitored() : FLog(new TEventLog) { JwRegisterLockMonitor(FLog); }
    ~TMonitored() { JwUnregisterLockMonitor(FLog); }
    TEventLog& Log() { return *static_cast<TEventLog*>(FLog.get()); }

private:
    TIntfPtr<IJwLockMonitor> FLog;
};

TEST(JwLockEvents, EveryLockAndSectionIsReportedWithItsEvent) {
    using E = TJwLockEvent;
    TMonitored Monitor;
    IJwLock* Raw = nullptr;
    {
        const auto Lock = NewLock();
        Raw = Lock.get();
        {
            const auto Write = Lock->WriteLock();
            const auto Read = Lock->ReadLock();
            const auto Unlock = Lock->UnlockAll();
        }
        const auto Stop = Lock->StopLock();
    }
    const std::vector<E> Expected{E::Create,           E::BeginWriteCreate,   E::WriteCreate,
                                  E::BeginReadCreate,  E::ReadCreate,         E::BeginUnlockCreate,
                                  E::UnlockCreate,     E::BeginUnlockDestroy, E::UnlockDestroy,
                                  E::BeginReadDestroy, E::ReadDestroy,        E::BeginWriteDestroy,
                                  E::WriteDestroy,     E::BeginStopCreate,    E::StopCreate,
                                  E::BeginStopDestroy, E::StopDestroy,        E::Destroy};
    EXPECT_EQ(Monitor.Log().Events(Raw), Expected);
    for (const auto& Record : Monitor.Log().FRecords) {
        EXPECT_EQ(Record.Thread, std::this_thread::get_id());
        const bool LockEvent = Record.Event == E::Create || Record.Event == E::Destroy;
        EXPECT_EQ(Record.Section == nullptr, LockEvent);
    }
}

TEST(JwLockEvents, NoReportsAfterTheMonitorIsUnregistered) {
    TIntfPtr<TEventLog> Log(new TEventLog);
    JwRegisterLockMonitor(Log.get());
    JwRegisterLockMonitor(Log.get());
    { const auto Section = NewLock()->ReadLock(); }
    const size_t Registered = Log->FRecords.size();
    EXPECT_EQ(Registered, 6u); // Create, read create and release pairs, Destroy: each once
    JwUnregisterLockMonitor(Log.get());
    { const auto Section = NewLock()->ReadLock(); }
    EXPECT_EQ(Log->FRecords.size(), Registered);
}

TEST(JwLockEvents, AMonitorsErrorReachesTheCallerAndLeavesTheLockFree) {
    TMonitored Monitor;
    Monitor.Log().FFailOn = TJwLockEvent::WriteCreate;
    const auto Lock = NewLock();
    EXPECT_THROW(Lock->WriteLock(), std::runtime_error);
    EXPECT_TRUE(Unowned(*Lock));
    EXPECT_EQ(Lock->GetCounts().CountLocks, 0);
}

TEST(JwLockEvents, NamesArePaddedToEighteenCharacters) {
    EXPECT_EQ(JwLockEventName(TJwLockEvent::None), QStringLiteral("None              "));
    EXPECT_EQ(JwLockEventName(TJwLockEvent::BeginUnlockDestroy),
              QStringLiteral("BeginUnlockDestroy"));
    EXPECT_EQ(JwLockEventName(TJwLockEvent::ReadDestroy).trimmed(), QStringLiteral("ReadDestroy"));
    for (int32_t I = 0; I < JwLockEventCount; ++I)
        EXPECT_EQ(JwLockEventName(static_cast<TJwLockEvent>(I)).size(), 18);
}

TEST(TJwLock, UnlockInOrderTakesTheFirstLockBeforeThisOne) {
    using E = TJwLockEvent;
    const auto Input = NewLock();
    const auto Owner = NewLock();
    auto Held = Owner->WriteLock();
    TMonitored Monitor;
    { const auto Unlock = Owner->UnlockAllLockInOrder(TIntfPtr<IJwLock>(Input.get())); }
    std::vector<std::pair<IJwLock*, E>> Seen;
    for (const auto& Record : Monitor.Log().FRecords)
        Seen.emplace_back(Record.Lock, Record.Event);
    const std::vector<std::pair<IJwLock*, E>> Expected{
        {Owner.get(), E::BeginUnlockCreate},  {Owner.get(), E::UnlockCreate},
        {Owner.get(), E::BeginUnlockDestroy}, {Input.get(), E::BeginWriteCreate},
        {Input.get(), E::WriteCreate},        {Input.get(), E::BeginWriteDestroy},
        {Input.get(), E::WriteDestroy},       {Owner.get(), E::UnlockDestroy}};
    EXPECT_EQ(Seen, Expected);
    EXPECT_EQ(Owner->GetCounts().CountLocks, 1);
    EXPECT_TRUE(Unowned(*Input));
}

TEST(TJwLock, AWaiterGivesUpItsSlaveLockSoThatTheHolderCanFinish) {
    // Crossed order: one thread holds the owner's lock and wants the pin's,
    // the other holds the pin's and wants the owner's.
    const auto Pin = NewLock();
    const auto Owner = NewLock();
    TSignal PinHeld, OwnerHeld, HolderDone;
    std::thread Holder([&] {
        auto PinSection = Pin->WriteLock();
        PinHeld.Raise();
        OwnerHeld.Wait();
        const auto OwnerSection = Owner->WriteLock();
        EXPECT_TRUE(OwnerSection && OwnerSection->GetLocked());
        HolderDone.Raise();
    });
    const auto Me = JwCurrentThread();
    auto OwnerSection = Owner->WriteLock();
    PinHeld.Wait();
    OwnerHeld.Raise();
    {
        const auto PinSection = Pin->WriteSection(Owner.get());
        ASSERT_TRUE(PinSection->GetLocked());
        EXPECT_TRUE(HolderDone.IsRaised());
    }
    Holder.join();
    EXPECT_EQ(Owner->GetOwningThread(), Me);
    EXPECT_EQ(Owner->GetCounts().CountLocks, 1);
    OwnerSection.reset();
    EXPECT_TRUE(Unowned(*Owner));
    EXPECT_TRUE(Unowned(*Pin));
}

} // namespace
