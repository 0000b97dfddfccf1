#include "pins/JwMutex.h"

#include <gtest/gtest.h>

#include "TestThreads.h"
#include "pins/JwGlobals.h"
#include "platform/Exceptions.h"

namespace {

TEST(TJwMutex, TimedAcquireFailsOnlyWhileAnotherThreadHoldsIt) {
    TJwMutex Mutex;
    ASSERT_TRUE(Mutex.Acquire(0));
    // The owner may take it again; each Acquire needs its Release.
    ASSERT_TRUE(Mutex.Acquire(0));
    bool WhileHeldTwice = true, WhileHeldOnce = true, AfterRelease = false;
    std::thread([&] { WhileHeldTwice = Mutex.Acquire(1); }).join();
    Mutex.Release();
    std::thread([&] { WhileHeldOnce = Mutex.Acquire(1); }).join();
    EXPECT_FALSE(WhileHeldTwice);
    EXPECT_FALSE(WhileHeldOnce);
    Mutex.Release();
    std::thread([&] {
        AfterRelease = Mutex.Acquire(1);
        Mutex.Release();
    }).join();
    EXPECT_TRUE(AfterRelease);
}

TEST(TJwMutex, ReleaseByAThreadNotHoldingItRaises) {
    TJwMutex Mutex;
    EXPECT_THROW(Mutex.Release(), Exception);
    ASSERT_TRUE(Mutex.Acquire(JwInfinite));
    bool Raised = false;
    std::thread([&] {
        try {
            Mutex.Release();
        } catch (const Exception&) {
            Raised = true;
        }
    }).join();
    EXPECT_TRUE(Raised);
    Mutex.Release();
}

TEST(TJwMutex, AMutexAbandonedByItsEndedThreadCountsAsAcquired) {
    TJwMutex Mutex;
    std::thread([&] { ASSERT_TRUE(Mutex.Acquire(JwInfinite)); }).join();
    EXPECT_TRUE(Mutex.Acquire(JwInfinite));
    Mutex.Release();
}

TEST(TJwMutex, MutexesOfOneNameAreOneMutex) {
    TJwMutex First(QStringLiteral("KvTestMutex"));
    TJwMutex Second(QStringLiteral("KvTestMutex"));
    TJwMutex Other(QStringLiteral("KvOtherMutex"));
    ASSERT_TRUE(First.Acquire(0));
    bool SameName = true, OtherName = false;
    std::thread([&] {
        SameName = Second.Acquire(1);
        OtherName = Other.Acquire(1);
        if (OtherName)
            Other.Release();
    }).join();
    EXPECT_FALSE(SameName);
    EXPECT_TRUE(OtherName);
    EXPECT_EQ(Second.Name(), QStringLiteral("KvTestMutex"));
    First.Release();
}

TEST(JwGlobals, TheMainThreadIsTheOneThatStartedTheProgram) {
    // GoogleTest runs the tests on the thread that ran main.
    EXPECT_EQ(JwMainThreadID(), std::this_thread::get_id());
    std::thread::id Seen;
    std::thread([&] { Seen = JwMainThreadID(); }).join();
    EXPECT_EQ(Seen, std::this_thread::get_id());
}

} // namespace
