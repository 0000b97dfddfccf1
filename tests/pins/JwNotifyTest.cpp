#include "pins/JwNotify.h"

#include "PinTestComponents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

namespace {

TEST(TJwNotifyOperation, IDsAreDistinctAcrossThreads) {
    constexpr int Threads = 4, PerThread = 500;
    std::vector<std::vector<uint32_t>> IDs(Threads);
    std::vector<std::thread> Workers;
    for (int T = 0; T < Threads; ++T)
        Workers.emplace_back([&IDs, T] {
            for (int I = 0; I < PerThread; ++I) {
                // Each kind draws from the same counter.
                const TJwNotifyOperationPtr Operation =
                    I % 2 ? TJwNotifyOperationPtr(new TJwStopOperation)
                          : TJwNotifyOperationPtr(new TJwSuppliedRealOperation(I));
                IDs[static_cast<size_t>(T)].push_back(Operation->GetOperationID());
            }
        });
    for (auto& Worker : Workers)
        Worker.join();
    std::vector<uint32_t> All;
    for (const auto& List : IDs) {
        // A thread's own operations are numbered in the order it made them.
        EXPECT_TRUE(std::is_sorted(List.begin(), List.end()));
        All.insert(All.end(), List.begin(), List.end());
    }
    std::sort(All.begin(), All.end());
    EXPECT_EQ(std::adjacent_find(All.begin(), All.end()), All.end());
    EXPECT_EQ(All.size(), size_t{Threads * PerThread});
}

TEST(TJwNotifyOperation, ReceiversTellKindsApartByClass) {
    // What a sink receives is the operation that was sent, kind and values
    // intact, whatever it passed through on the way.
    auto Source = MakeSource(nullptr, {PinTest::TypeA});
    auto Sink = MakeOwned<TRecordingSinkPin>(nullptr);
    ASSERT_TRUE(Source->Connect(Sink.get()));
    Sink->Received.clear();
    const TJwNotifyOperationPtr SampleRate(new TJwStartSampleRateOperation(8000.0));
    const TJwNotifyOperationPtr Range(new TJwSuppliedRealValueRangeOperation(0.5, -1.0, 2.0));
    const TJwNotifyOperationPtr Stop(new TJwStopOperation);
    for (const auto& Operation : {SampleRate, Range, Stop})
        Source->Notify(Operation);
    ASSERT_EQ(Sink->Received.size(), 3u);

    auto* Start = dynamic_cast<TJwStartRateOperation*>(Sink->Received[0].Operation->Instance());
    ASSERT_NE(Start, nullptr);
    EXPECT_EQ(Start->GetRate(), 8000.0);
    EXPECT_EQ(Sink->Received[0].Operation->GetOperationID(), SampleRate->GetOperationID());
    // A start with a rate is a start, and not a supplied value.
    EXPECT_NE(dynamic_cast<TJwStartOperation*>(Start), nullptr);
    EXPECT_EQ(dynamic_cast<TJwSuppliedOperation*>(Sink->Received[0].Operation->Instance()),
              nullptr);

    auto* Ranged =
        dynamic_cast<TJwSuppliedRealValueRangeOperation*>(Sink->Received[1].Operation->Instance());
    ASSERT_NE(Ranged, nullptr);
    EXPECT_EQ(Ranged->GetValue(), 0.5);
    EXPECT_EQ(Ranged->GetMin(), -1.0);
    EXPECT_EQ(Ranged->GetMax(), 2.0);

    EXPECT_NE(dynamic_cast<TJwStopOperation*>(Sink->Received[2].Operation->Instance()), nullptr);
    EXPECT_EQ(dynamic_cast<TJwStartOperation*>(Sink->Received[2].Operation->Instance()), nullptr);
}

} // namespace
