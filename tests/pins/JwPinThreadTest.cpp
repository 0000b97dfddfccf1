// Sends from a worker thread into a sink whose owner the user-interface
// thread locks at the same time.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "PinTestComponents.h"
#include "TestThreads.h"

namespace {

TEST(PinThreads, SendsIntoASinkWhoseOwnerIsLockedElsewhereFinish) {
    constexpr int Sends = 40;
    constexpr int Locks = 40;
    const TIntfPtr<IJwLock> OwnerLock(new TJwLock);
    auto Source = MakeSource(nullptr, {PinTest::TypeA});
    auto Sink =
        MakeOwned<TRecordingSinkPin>(nullptr, std::vector<TGUID>{PinTest::TypeA}, OwnerLock);
    ASSERT_TRUE(Source->Connect(Sink.get()));
    Sink->Received.clear();

    std::atomic<int> Delivered{0};
    // The receiving owner takes its pin's lock and then its own lock, the
    // opposite order of the user-interface thread below.
    Sink->OnReceive = [&](const TJwNotifyOperationPtr&) {
        const auto PinSection = Sink->WriteLock();
        const auto OwnerSection = OwnerLock->WriteLock();
        Delivered.fetch_add(1);
    };

    TSignal Started;
    std::thread Worker([&] {
        Started.Raise();
        for (int I = 0; I < Sends; ++I)
            Source->Notify(TJwNotifyOperationPtr(new TTestValueOperation(I)));
    });
    Started.Wait();
    for (int I = 0; I < Locks; ++I) {
        const auto OwnerSection = OwnerLock->WriteLock();
        const auto PinSection = Sink->WriteLock();
        std::this_thread::yield();
    }
    Worker.join();
    EXPECT_EQ(Delivered.load(), Sends);
    EXPECT_EQ(Sink->Received.size(), static_cast<size_t>(Sends));
    EXPECT_EQ(Source->GetInSending(), 0);
}

} // namespace
