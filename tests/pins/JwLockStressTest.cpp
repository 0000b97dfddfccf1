// Several threads nest read, write and unlock sections on two shared locks.
// Counters are updated without atomics under the lock: if two threads were
// ever inside at once, updates would be lost (and ThreadSanitizer reports the race).

#include "pins/JwLocks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

TEST(TJwLockStress, NestedSectionsKeepMutualExclusionAndFinish) {
    constexpr int Threads = 4;
    constexpr int Rounds = 1500;
    const TIntfPtr<TJwLock> Owner(new TJwLock);
    const TIntfPtr<TJwLock> Input(new TJwLock);
    int64_t OwnerCount = 0;
    int64_t InputCount = 0;

    auto Work = [&](int AThread) {
        for (int I = 0; I < Rounds; ++I) {
            const auto Outer = (I + AThread) % 2 ? Owner->ReadLock() : Owner->WriteLock();
            ASSERT_TRUE(Outer && Outer->GetLocked());
            OwnerCount = OwnerCount + 1;
            {
                const auto Nested = Owner->WriteLock();
                OwnerCount = OwnerCount + 1;
                {
                    // Calling out: the owner's lock is free for others meanwhile.
                    const auto Unlock = Owner->UnlockAll();
                    const auto InputWrite = Input->WriteLock();
                    const auto InputRead = Input->ReadLock();
                    InputCount = InputCount + 1;
                }
                OwnerCount = OwnerCount + 1;
                {
                    const auto Unlock = Owner->UnlockAllLockInOrder(TIntfPtr<IJwLock>(Input.get()));
                    const auto InputRead = Input->ReadLock();
                    InputCount = InputCount + 1;
                }
            }
            OwnerCount = OwnerCount + 1;
        }
    };
    std::vector<std::thread> Workers;
    for (int T = 0; T < Threads; ++T)
        Workers.emplace_back(Work, T);
    for (auto& Worker : Workers)
        Worker.join();

    EXPECT_EQ(OwnerCount, int64_t{Threads} * Rounds * 4);
    EXPECT_EQ(InputCount, int64_t{Threads} * Rounds * 2);
    for (const auto& Lock : {Owner, Input}) {
        const auto Counts = Lock->GetCounts();
        EXPECT_EQ(Counts.CountLocks, 0);
        EXPECT_EQ(Counts.CountStopLocks, 0);
        EXPECT_EQ(Lock->GetOwningThread(), JwNoThread);
    }
}

} // namespace

namespace {

// While one thread keeps taking a stop section, others come in (and are let
// through as counted entries) and read the counts. Every count is written
// under the counter lock: ThreadSanitizer reports any that is not.
TEST(TJwLockStress, EntriesDuringAStopAreCountedUnderTheCounterLock) {
    constexpr int Readers = 3;
    constexpr int Rounds = 200;
    const TIntfPtr<TJwLock> Lock(new TJwLock);
    std::atomic<bool> Done{false};
    std::atomic<int64_t> StopEntries{0};
    std::vector<std::thread> Workers;
    for (int T = 0; T < Readers; ++T)
        Workers.emplace_back([&] {
            while (!Done.load()) {
                const auto Section = Lock->ReadSection(nullptr);
                const auto Counts = Lock->GetCounts();
                EXPECT_GE(Counts.CountStopLocks, 0);
                if (!JwHolds(Section))
                    ++StopEntries;
            }
        });
    for (int I = 0; I < Rounds; ++I) {
        const auto Stop = Lock->StopLock();
        // Hold the section until other threads have come in during it a few times.
        const int64_t Before = StopEntries.load();
        while (StopEntries.load() < Before + 20)
            std::this_thread::yield();
    }
    Done.store(true);
    for (auto& Worker : Workers)
        Worker.join();
    const auto Counts = Lock->GetCounts();
    EXPECT_EQ(Counts.CountLocks, 0);
    EXPECT_EQ(Counts.CountStopLocks, 0);
    EXPECT_EQ(Counts.InStopCount, 0);
    EXPECT_GE(StopEntries.load(), 1);
}

} // namespace
