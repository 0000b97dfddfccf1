// Sends from a worker thread into a sink whose owner the user-interface
// thread locks at the same time, and into sinks that join and leave a shared
// state through a converter meanwhile.

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

TEST(PinThreads, SendsThroughAStateConverterWhileSinksJoinAndLeave) {
    using namespace PinTest;
    RegisterFormatConverter(TypeB, TypeC, &JwConverterClass<TTestConverter>);
    constexpr int Cycles = 40;
    auto Source = MakeSource(nullptr, {TypeB});
    const auto Dispatcher = TJwStateDispatcher::CreateNamed(QStringLiteral("Threads"), false);
    ASSERT_TRUE(Source->ConnectToState(Dispatcher.get()));
    std::atomic<int> Converted{0};
    std::atomic<int> Unconverted{0};
    auto Sink = MakeOwned<TJwSinkPin>(nullptr);
    Sink->StreamType.AddType(
        TypeC, [&](TJwPin*, const TGUID&, uint32_t, const TJwNotifyOperationPtr& AOperation) {
            if (auto* Value = dynamic_cast<TTestValueOperation*>(AOperation->Instance()))
                (Value->GetValue() >= 1000 ? Converted : Unconverted).fetch_add(1);
            return false;
        });

    TSignal Started;
    TSignal Done;
    std::thread Worker([&] {
        Started.Raise();
        for (int I = 0; !Done.IsRaised(); I = (I + 1) % 1000)
            Source->Notify(TJwNotifyOperationPtr(new TTestValueOperation(I)));
    });
    Started.Wait();
    // Each cycle makes the converter and frees it again, while sends may be inside it.
    for (int I = 0; I < Cycles; ++I) {
        ASSERT_TRUE(Sink->JoinStateThroughConverter(
            Dispatcher.get(), FindFormatConverter(TypeB, TypeC), TypeB, TypeC, nullptr));
        const int Before = Converted.load();
        WaitUntil([&] { return Converted.load() > Before; });
        Sink->Disconnect();
    }
    Done.Raise();
    Worker.join();
    EXPECT_EQ(Unconverted.load(), 0);
    EXPECT_EQ(Dispatcher->GetConverterCount(), 0);
    EXPECT_EQ(Dispatcher->GetPinCount(), 1);
    EXPECT_EQ(Source->GetInSending(), 0);
    Source->Disconnect();
}

} // namespace
