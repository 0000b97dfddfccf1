// Many threads creating, sharing, copying, writing and releasing buffers:
// every writer separates itself, no write is lost or seen by another holder,
// and every block is back in the pool at the end.

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "BufferTestSupport.h"
#include "buffers/KvInternalStore.h"

namespace {

constexpr int ThreadCount = 4;
constexpr int Iterations = 400;
constexpr uint32_t Length = 16;

// Published buffers: once a buffer is here its creator never writes to it again.
struct TShelf {
    std::mutex Lock;
    std::array<TKvRealBufferPtr, ThreadCount> Slots;

    void Put(int ASlot, const TKvRealBufferPtr& ABuffer) {
        std::lock_guard Guard(Lock);
        Slots[static_cast<size_t>(ASlot)] = ABuffer;
    }
    TKvRealBufferPtr Take(int ASlot) {
        std::lock_guard Guard(Lock);
        return Slots[static_cast<size_t>(ASlot)];
    }
};

bool AllEqual(const TKvRealBufferPtr& ABuffer, double AValue, int32_t AExcept = -1) {
    const double* Data = ABuffer->Read();
    for (uint32_t I = 0; I < ABuffer->GetSize(); ++I)
        if (static_cast<int32_t>(I) != AExcept && Data[I] != AValue)
            return false;
    return true;
}

void Worker(TShelf& AShelf, int AThread, std::atomic<int>& AFailures, std::atomic<int>& AChecked) {
    for (int I = 0; I < Iterations; ++I) {
        const double Own = AThread * Iterations + I;
        TKvRealBufferPtr Fresh = TKvRealBuffer::CreateValue(Own, Length);
        AShelf.Put(AThread, TKvRealBuffer::CreateCopy(Fresh));

        // Keep writing the own buffer: it shares its data with the published copy.
        Fresh->AddValue(0.5);
        if (!AllEqual(Fresh, Own + 0.5))
            ++AFailures;

        TKvRealBufferPtr Seen = AShelf.Take((AThread + 1 + I) % ThreadCount);
        if (!Seen)
            continue;
        const double Published = Seen->GetItem(0);
        TKvRealBufferPtr Copy = As<IKvRealBuffer>(Seen->MakeCopy());
        const int32_t Index = I % static_cast<int32_t>(Length);
        Copy->SetItem(Index, -1);
        if (Copy->GetItem(Index) != -1 || !AllEqual(Copy, Published, Index))
            ++AFailures;
        if (I % 3 == 0) {
            Copy->Resize(Length * 3, true);
            if (Copy->GetItem(Index) != -1 || Copy->GetItem(0) != (Index == 0 ? -1 : Published))
                ++AFailures;
        }
        if (!AllEqual(Seen, Published))
            ++AFailures;
        ++AChecked;
    }
}

TEST(BufferThreadsTest, SharingWritersNeverSeeEachOthersWritesAndReturnEveryBlock) {
    const int64_t InUseBefore = KvBufferManager().GetCounts().BlocksInUse;
    std::atomic<int> Failures{0};
    std::atomic<int> Checked{0};
    {
        TShelf Shelf;
        std::vector<std::thread> Threads;
        for (int T = 0; T < ThreadCount; ++T)
            Threads.emplace_back(Worker, std::ref(Shelf), T, std::ref(Failures), std::ref(Checked));
        // The pool's trimming runs alongside, as its timer would.
        for (int Tick = 0; Tick < 50; ++Tick)
            KvBufferManager().DownSizeTimer();
        for (auto& Thread : Threads)
            Thread.join();
    }
    EXPECT_EQ(Failures.load(), 0);
    EXPECT_GT(Checked.load(), ThreadCount * Iterations / 2);
    EXPECT_EQ(KvBufferManager().GetCounts().BlocksInUse, InUseBefore);
}

TEST(BufferThreadsTest, ContainerCountsStayBalancedUnderConcurrentCopies) {
    TKvRealBufferPtr Original = TKvRealBuffer::CreateValue(1, 8);
    TKvSmartBuffer* Container = ContainerOf(Original);
    std::vector<std::thread> Threads;
    for (int T = 0; T < ThreadCount; ++T)
        Threads.emplace_back([&Original] {
            for (int I = 0; I < Iterations; ++I) {
                TKvRealBufferPtr Copy = TKvRealBuffer::CreateCopy(Original);
                TKvRealBufferPtr Viewer = As<IKvRealBuffer>(Copy->MakeCopy());
                ImplOf(Viewer)->RemoveOwnerShip();
            }
        });
    for (auto& Thread : Threads)
        Thread.join();
    EXPECT_EQ(Container->CountOwners(), 1);
    EXPECT_EQ(Container->CountTransports(), 1);
}

} // namespace
