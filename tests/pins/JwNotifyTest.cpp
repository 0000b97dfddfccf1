#include "pins/JwNotify.h"

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
                const TJwNotifyOperationPtr Operation = I % 2 ? TJwNotifyOperationPtr(new TJwStopOperation)
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
    const TJwNotifyOperationPtr SampleRate(new TJwStartSampleRateOperation(8000.0));
    auto* Start = dynamic_cast<TJwStartRateOperation*>(SampleRate->Instance());
    ASSERT_NE(Start, nullptr);
    EXPECT_EQ(Start->GetRate(), 8000.0);
    EXPECT_NE(dynamic_cast<TJwStartOperation*>(SampleRate->Instance()), nullptr);
    EXPECT_EQ(dynamic_cast<TJwStopOperation*>(SampleRate->Instance()), nullptr);

    const TJwNotifyOperationPtr Range(new TJwSuppliedRealValueRangeOperation(0.5, -1.0, 2.0));
    auto* Ranged = dynamic_cast<TJwSuppliedRealRangeOperation*>(Range->Instance());
    ASSERT_NE(Ranged, nullptr);
    EXPECT_EQ(Ranged->GetMin(), -1.0);
    EXPECT_EQ(Ranged->GetMax(), 2.0);
    EXPECT_EQ(static_cast<TJwSuppliedRealValueRangeOperation*>(Ranged)->GetValue(), 0.5);
    EXPECT_NE(dynamic_cast<TJwSuppliedOperation*>(Range->Instance()), nullptr);

    TIntfPtr<IJwNotifyOperation> Asked;
    EXPECT_TRUE(Supports(Range, Asked));
    EXPECT_EQ(TJwSuppliedStringOperation(QStringLiteral("text")).GetValue(), QStringLiteral("text"));
}

} // namespace
