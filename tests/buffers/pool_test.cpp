// The pool: block sizes, alignment, chain reuse, trimming ticks, and the
// containers' owner and transport counts.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "buffers/KvBufferErrors.h"
#include "buffers/KvInternalStore.h"

namespace {

bool Aligned32(const void* APtr) {
    return reinterpret_cast<uintptr_t>(APtr) % 32 == 0;
}

// Holds the process pool's own timer off, so that the test's ticks are the only ones.
class GlobalPoolTest : public ::testing::Test {
protected:
    void SetUp() override { KvBufferManager().SetTimerEnabled(false); }
    void TearDown() override { KvBufferManager().SetTimerEnabled(true); }
};

TEST(RoundAllocationSizeTest, PowersOfTwoFromFourUpToTheLargestBlock) {
    EXPECT_EQ(RoundAllocationSize(0), 4u);
    EXPECT_EQ(RoundAllocationSize(1), 4u);
    EXPECT_EQ(RoundAllocationSize(4), 4u);
    EXPECT_EQ(RoundAllocationSize(5), 8u);
    EXPECT_EQ(RoundAllocationSize(1000), 1024u);
    EXPECT_EQ(RoundAllocationSize(1024), 1024u);
    EXPECT_EQ(RoundAllocationSize(1025), 2048u);
    EXPECT_EQ(RoundAllocationSize((1u << 30) + 1), 1u << 30);
    EXPECT_EQ(RoundAllocationSize(0xFFFFFFFFu), 1u << 30);
}

TEST(PoolTest, EveryBlockIsAlignedAndUsableToItsLastByte) {
    TKvSmartBufferManager Pool(false);
    std::vector<std::pair<void*, uint32_t>> Blocks;
    for (uint32_t Size : {1u, 3u, 4u, 31u, 32u, 33u, 100u, 4096u, 65537u})
        for (int I = 0; I < 3; ++I) {
            void* Block = Pool.Allocate(Size);
            ASSERT_TRUE(Aligned32(Block)) << Size;
            // Touch both ends: the address sanitizer objects to a short block.
            std::memset(Block, 0xA5, Size);
            Blocks.emplace_back(Block, Size);
        }
    EXPECT_EQ(Pool.GetCounts().BlocksInUse, static_cast<int64_t>(Blocks.size()));
    // Returned blocks go back to the heap through the address stored below
    // each one; a truncated address would fail here under the sanitizer.
    for (auto [Block, Size] : Blocks)
        Pool.Deallocate(Block, Size);
    EXPECT_EQ(Pool.GetCounts().BlocksInUse, 0);
    Pool.ReleaseMemory();
    EXPECT_EQ(Pool.GetCounts().FreeBlocks, 0u);
    EXPECT_EQ(Pool.GetCounts().Chains, 0u);
}

TEST(PoolTest, ZeroBytesYieldNull) {
    TKvSmartBufferManager Pool(false);
    EXPECT_EQ(Pool.Allocate(0), nullptr);
    EXPECT_EQ(Pool.GetCounts().Chains, 0u);
}

TEST(PoolTest, FreedBlocksAreReusedLastInFirstOut) {
    TKvSmartBufferManager Pool(false);
    void* A = Pool.Allocate(128);
    void* B = Pool.Allocate(128);
    Pool.Deallocate(A, 128);
    Pool.Deallocate(B, 128);
    EXPECT_EQ(Pool.ChainFreeCount(128), 2u);
    EXPECT_EQ(Pool.Allocate(128), B);
    EXPECT_EQ(Pool.Allocate(128), A);
    EXPECT_EQ(Pool.ChainFreeCount(128), 0u);
    // Chains are kept per exact size: a 64-byte block never serves 128.
    void* C = Pool.Allocate(64);
    Pool.Deallocate(C, 64);
    EXPECT_EQ(Pool.ChainFreeCount(128), 0u);
    EXPECT_EQ(Pool.ChainFreeCount(64), 1u);
    Pool.Deallocate(A, 128);
    Pool.Deallocate(B, 128);
}

TEST(PoolTest, AnIdleChainKeepsItsBlocksForEightTicksThenGivesOneBackPerTick) {
    TKvSmartBufferManager Pool(false);
    void* Blocks[3] = {Pool.Allocate(256), Pool.Allocate(256), Pool.Allocate(256)};
    for (void* Block : Blocks)
        Pool.Deallocate(Block, 256);
    const size_t Expected[] = {3, 3, 3, 3, 3, 3, 3, 3, 2, 1};
    for (size_t Tick = 0; Tick < std::size(Expected); ++Tick) {
        Pool.DownSizeTimer();
        ASSERT_EQ(Pool.ChainFreeCount(256), Expected[Tick]) << "after tick " << Tick + 1;
    }
    Pool.DownSizeTimer();
    EXPECT_EQ(Pool.ChainFreeCount(256), std::nullopt) << "the chain is destroyed at tick 11";
    EXPECT_EQ(Pool.GetCounts().Chains, 0u);
}

TEST(PoolTest, ActivityRestartsTheIdleCountdown) {
    TKvSmartBufferManager Pool(false);
    void* Block = Pool.Allocate(512);
    Pool.Deallocate(Block, 512);
    for (int Tick = 0; Tick < 8; ++Tick)
        Pool.DownSizeTimer();
    ASSERT_EQ(Pool.ChainFreeCount(512), 1u);
    // A use of the chain resets its countdown to free blocks + 8.
    Pool.Deallocate(Pool.Allocate(512), 512);
    for (int Tick = 0; Tick < 8; ++Tick)
        Pool.DownSizeTimer();
    EXPECT_EQ(Pool.ChainFreeCount(512), 1u);
    Pool.DownSizeTimer();
    EXPECT_EQ(Pool.ChainFreeCount(512), std::nullopt);
}

TEST(PoolTest, AChainWhoseBlocksAreAllInUseStillGoesAfterEightIdleTicks) {
    TKvSmartBufferManager Pool(false);
    void* Block = Pool.Allocate(1024);
    for (int Tick = 0; Tick < 8; ++Tick)
        Pool.DownSizeTimer();
    EXPECT_EQ(Pool.ChainFreeCount(1024), std::nullopt);
    // The block in use comes back into a new chain.
    Pool.Deallocate(Block, 1024);
    EXPECT_EQ(Pool.ChainFreeCount(1024), 1u);
}

TEST(PoolTest, ReleaseMemoryLeavesBlocksInUseAlone) {
    TKvSmartBufferManager Pool(false);
    void* InUse = Pool.Allocate(64);
    Pool.Deallocate(Pool.Allocate(64), 64);
    Pool.ReleaseMemory();
    EXPECT_EQ(Pool.GetCounts().FreeBlocks, 0u);
    EXPECT_EQ(Pool.GetCounts().BlocksInUse, 1);
    std::memset(InUse, 1, 64);
    Pool.Deallocate(InUse, 64);
    EXPECT_EQ(Pool.ChainFreeCount(64), 1u);
}

TEST_F(GlobalPoolTest, ContainersOfSimilarSizesShareAChainAndReuseTheLastReleasedBlock) {
    auto* First = new TKvSmartMemoryBuffer(100);
    auto* Second = new TKvSmartMemoryBuffer(100);
    EXPECT_EQ(First->AllocatedSize(), 128u);
    EXPECT_EQ(Second->AllocatedSize(), 128u);
    EXPECT_TRUE(Aligned32(First->RawData()));
    void* SecondBlock = Second->RawData();
    const size_t FreeBefore = KvBufferManager().ChainFreeCount(128).value_or(0);
    First->AddReff(true);
    Second->AddReff(true);
    First->RemoveReff(true);
    Second->RemoveReff(true);
    EXPECT_EQ(KvBufferManager().ChainFreeCount(128), FreeBefore + 2);
    TKvSmartMemoryBuffer Next(120);
    EXPECT_EQ(Next.RawData(), SecondBlock);
}

TEST_F(GlobalPoolTest, AContainerNeverHoldsANullBlock) {
    TKvSmartMemoryBuffer Empty(0);
    EXPECT_EQ(Empty.AllocatedSize(), 4u);
    EXPECT_NE(Empty.RawData(), nullptr);
}

TEST_F(GlobalPoolTest, ARequestBeyondTheLargestBlockRaisesInsteadOfShrinking) {
    const auto Before = KvBufferManager().GetCounts().BlocksInUse;
    try {
        TKvSmartMemoryBuffer TooLarge((1u << 30) + 1);
        FAIL() << "a block smaller than asked for was handed out";
    } catch (const EOutOfMemory& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Out of memory"));
    }
    EXPECT_EQ(KvBufferManager().GetCounts().BlocksInUse, Before);
}

TEST_F(GlobalPoolTest, ContainerStorageComesFromThePoolAndReturnsToIt) {
    const auto Before = KvBufferManager().GetCounts().BlocksInUse;
    auto* Container = new TKvSmartMemoryBuffer(16);
    // The object and its block.
    EXPECT_EQ(KvBufferManager().GetCounts().BlocksInUse, Before + 2);
    Container->AddReff(true);
    Container->RemoveReff(true);
    EXPECT_EQ(KvBufferManager().GetCounts().BlocksInUse, Before);
}

TEST_F(GlobalPoolTest, CopyFromCopiesWhatTheSmallerBlockHolds) {
    TKvSmartMemoryBuffer Small(64);
    TKvSmartMemoryBuffer Large(128);
    std::memset(Small.RawData(), 0x11, 64);
    std::memset(Large.RawData(), 0x22, 128);
    Large.CopyFrom(&Small);
    const auto* L = static_cast<const uint8_t*>(Large.RawData());
    EXPECT_EQ(L[0], 0x11);
    EXPECT_EQ(L[63], 0x11);
    EXPECT_EQ(L[64], 0x22);
    EXPECT_EQ(L[127], 0x22);
    std::memset(Large.RawData(), 0x33, 128);
    Small.CopyFrom(&Large);
    const auto* S = static_cast<const uint8_t*>(Small.RawData());
    EXPECT_EQ(S[0], 0x33);
    EXPECT_EQ(S[63], 0x33);
}

TEST_F(GlobalPoolTest, CloneCopiesTheDataOnlyWhenPreserving) {
    TKvSmartMemoryBuffer Original("abcdefg", 8);
    TKvSmartBuffer* Kept = Original.Clone(true);
    TKvSmartBuffer* Fresh = Original.Clone(false);
    ASSERT_NE(Kept->GetRawData(), Original.RawData());
    EXPECT_STREQ(static_cast<const char*>(Kept->GetRawData()), "abcdefg");
    EXPECT_EQ(static_cast<TKvSmartMemoryBuffer*>(Fresh)->AllocatedSize(), 8u);
    EXPECT_EQ(Kept->CountTransports(), 0);
    Kept->AddReff(true);
    Kept->RemoveReff(true);
    Fresh->AddReff(false);
    Fresh->RemoveReff(false);
}

TEST(SmartBufferTest, OwnerAndTransportCounts) {
    auto* Container = new TKvSmartBuffer;
    Container->AddReff(true);
    EXPECT_TRUE(Container->SingleOwner()) << "one owner";
    Container->AddReff(true);
    EXPECT_FALSE(Container->SingleOwner()) << "two owners";
    Container->RemoveOwnerShip();
    EXPECT_TRUE(Container->SingleOwner());
    EXPECT_EQ(Container->CountTransports(), 2) << "giving up ownership keeps the reference";
    Container->RemoveOwnerShip();
    Container->RemoveOwnerShip();
    EXPECT_EQ(Container->CountOwners(), 0) << "never below 0";
    EXPECT_TRUE(Container->SingleOwner()) << "no owner at all";
    // 0 owners and 2 transports: an owning release leaves owners at 0.
    Container->RemoveReff(true);
    EXPECT_EQ(Container->CountOwners(), 0);
    EXPECT_EQ(Container->CountTransports(), 1);
    Container->RemoveReff(false);
}

TEST(SmartBufferTest, ReleasingAContainerWithNoTransportsDoesNothing) {
    // Not heap-allocated: a second destruction would be caught at once.
    TKvSmartBuffer Container;
    Container.RemoveReff(true);
    EXPECT_EQ(Container.CountOwners(), 0);
    EXPECT_EQ(Container.CountTransports(), 0);
}

} // namespace
