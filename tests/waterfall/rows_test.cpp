// The row store through the Data object of the waterfall control: queueing,
// the history bound, hold and clear, replacement, copies and the running
// range.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <numeric>

#include "ObservedWaterfall.h"
#include "buffers/KvBufferErrors.h"
#include "buffers/KvIntegerBuffer.h"
#include "platform/Exceptions.h"

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

std::vector<double> Range(double AFirst, double ALast) {
    std::vector<double> Result;
    for (double V = AFirst; V <= ALast; ++V)
        Result.push_back(V);
    return Result;
}

void AddNumbered(TObservedWaterfall& AHost, int AFirst, int ALast) {
    for (int I = AFirst; I <= ALast; ++I) {
        const double Value = I;
        AHost.Data().AddData(&Value, 1);
    }
}

QString RangeErrorOf(TObservedWaterfall& AHost, uint32_t AIndex) {
    try {
        AHost.Data().SetData(AIndex, Row({42}));
    } catch (const ERangeError& E) {
        return E.Message();
    }
    return QString();
}

TEST(RealQueue, KeepsOrderAcrossGrowthAndWrap) {
    TKvRealQueue Queue;
    double Next = 0;
    double Expected = 0;
    // Interleaving adds and removals wraps the ring before it grows.
    for (int Round = 0; Round < 50; ++Round) {
        for (int I = 0; I < 7; ++I)
            Queue.Add(Next++);
        for (int I = 0; I < 5; ++I)
            EXPECT_EQ(Queue.Pop(), Expected++);
    }
    ASSERT_EQ(Queue.GetCount(), 100);
    for (int32_t I = 0; I < Queue.GetCount(); ++I)
        EXPECT_EQ(Queue.GetItem(I), Expected + I);
    Queue.SetItem(99, -1);
    EXPECT_EQ(Queue.GetItem(99), -1);

    EXPECT_THROW(Queue.GetItem(100), EListError);
    EXPECT_THROW(Queue.SetItem(-1, 0), EListError);
    Queue.Clear();
    EXPECT_THROW(Queue.Pop(), EListError);
    Queue.Remove(); // nothing to remove is not an error
    EXPECT_EQ(Queue.GetCount(), 0);
}

TEST(RealBufferList, DeletesAnywhereAndHoldsEmptyItems) {
    TRnRealBufferList List;
    for (int I = 0; I < 20; ++I)
        List.Add(Row({double(I)}));
    List.Delete(0);
    List.Delete(0);
    for (int I = 20; I < 30; ++I) // wraps behind the two deleted
        List.Add(Row({double(I)}));
    List.Delete(5); // value 7
    List.SetItem(0, nullptr);
    ASSERT_EQ(List.Count(), 27);
    EXPECT_FALSE(List.GetItem(0));
    std::vector<double> Seen;
    for (int32_t I = 1; I < List.Count(); ++I)
        Seen.push_back(List.GetItem(I)->GetItem(0));
    std::vector<double> Expected = Range(3, 29);
    Expected.erase(Expected.begin() + 4); // 7
    EXPECT_EQ(Seen, Expected);
    EXPECT_THROW(List.Delete(27), EListError);
    EXPECT_THROW(List.GetItem(-1), EListError);
}

TEST(RowStore, InputKeepsTheNewestRowsUpToTheHistoryDepth) {
    auto Host = MakeWaterfall(256);
    AddNumbered(*Host, 0, 299);
    EXPECT_TRUE(Host->Rows().TakeBuffersAdded());
    EXPECT_FALSE(Host->Rows().TakeBuffersAdded());
    EXPECT_EQ(Host->InputCount(), 256);
    EXPECT_EQ(Host->Rows().GetRowCount(), 0); // nothing moves before a paint

    Host->MoveRows();
    EXPECT_EQ(Host->InputCount(), 0);
    EXPECT_EQ(Firsts(Host->Data().GetDrawData()), Range(44, 299));
    EXPECT_EQ(Host->Rows().GetNewBuffersCount(), 256);
    Host->Rows().ResetNewBuffersCount();

    // A full history scrolls: one in, the oldest out.
    AddNumbered(*Host, 300, 304);
    Host->MoveRows();
    EXPECT_EQ(Firsts(Host->Data().GetDrawData()), Range(49, 304));
    EXPECT_EQ(Host->Rows().GetNewBuffersCount(), 5);
    EXPECT_TRUE(Host->Rows().GetBuffersChanged());
}

TEST(RowStore, HistoryDepthZeroMeans1024) {
    auto Host = MakeWaterfall(0);
    EXPECT_EQ(Host->Rows().GetSamples(), 1024u);
    AddNumbered(*Host, 0, 1099);
    Host->MoveRows();
    EXPECT_EQ(Host->Rows().GetRowCount(), 1024);
}

TEST(RowStore, HoldKeepsThePictureAndReleaseAppendsThePendingRows) {
    auto Host = MakeWaterfall(4);
    AddNumbered(*Host, 0, 1);
    Host->MoveRows();
    Host->SetHold(true);
    AddNumbered(*Host, 2, 4);
    Host->MoveRows();
    EXPECT_EQ(Firsts(Host->Data().GetDrawData()), Range(0, 1));
    EXPECT_EQ(Host->PendingCount(), 3);
    // GetData shows what release will show while the history has room.
    EXPECT_EQ(Firsts(Host->Data().GetData()), Range(0, 4));

    // The pending rows are bounded like the input.
    AddNumbered(*Host, 5, 9);
    Host->MoveRows();
    EXPECT_EQ(Host->PendingCount(), 4);
    EXPECT_EQ(Firsts(Host->Data().GetDrawData()), Range(0, 1));

    Host->SetHold(false);
    EXPECT_EQ(Firsts(Host->Data().GetDrawData()), Range(6, 9));
    EXPECT_EQ(Host->PendingCount(), 0);
}

TEST(RowStore, ClearWhileHeldKeepsThePictureUntilRelease) {
    auto Host = MakeWaterfall(8);
    Host->Data().AddData(Row({1, 5}));
    Host->Data().AddData(Row({-3, 2}));
    Host->MoveRows();
    Host->SetHold(true);
    Host->Data().AddData(Row({100}));
    Host->Data().Clear();
    EXPECT_EQ(Host->ClearSteps, (std::vector<char>{'b', 'c', 'i'}));
    EXPECT_TRUE(Host->Rows().GetForcedFullRedraw());
    EXPECT_EQ(Host->Data().GetDrawData().size(), 2u);
    EXPECT_EQ(Host->Rows().GetLevelMin(true, -7), -3);
    EXPECT_EQ(Host->Rows().GetLevelMax(true, 7), 5);
    EXPECT_EQ(Host->PendingCount(), 0); // the row that waited is cleared too

    // A replacement set after the clear has no row left to replace.
    Host->Data().SetData(1, Row({50}));
    Host->SetHold(false);
    EXPECT_EQ(Host->Rows().GetRowCount(), 0);
    EXPECT_EQ(Host->Buffers().FCurrentMin, 0);
    EXPECT_EQ(Host->Buffers().FCurrentMax, 0);
    EXPECT_EQ(Host->Rows().GetLevelMin(true, -7), -7);
    EXPECT_EQ(Host->Rows().GetLevelMax(true, 7), 7);

    Host->Data().AddData(Row({4, 6}));
    Host->MoveRows();
    EXPECT_EQ(Host->Rows().GetLevelMin(true, -7), 4);
    EXPECT_EQ(Host->Rows().GetLevelMax(true, 7), 6);
}

TEST(RowStore, ClearNotHeldEmptiesAtOnce) {
    auto Host = MakeWaterfall(8);
    Host->Data().AddData(Row({1, 2}));
    Host->MoveRows();
    Host->Data().AddData(Row({3})); // still queued: the clear takes it too
    Host->Data().Clear();
    EXPECT_EQ(Host->Rows().GetRowCount(), 0);
    EXPECT_EQ(Host->Rows().GetNewBuffersCount(), 0);
    EXPECT_EQ(Host->Rows().GetLevelMax(true, 9), 9);
}

TEST(RowStore, RangeFollowsTheRowsThatHoldTheExtremes) {
    auto Host = MakeWaterfall(3);
    Host->Data().AddData(Row({0, 9}));
    Host->Data().AddData(Row({-4, 5}));
    Host->Data().AddData(Row({2, 7}));
    Host->MoveRows();
    EXPECT_EQ(Host->Rows().GetLevelMin(true, 0), -4);
    EXPECT_EQ(Host->Rows().GetLevelMax(true, 0), 9);
    // Autoscale off: the level axis's own limits.
    EXPECT_EQ(Host->Rows().GetLevelMin(false, -1), -1);
    EXPECT_EQ(Host->Rows().GetLevelMax(false, 1000), 1000);

    Host->RangeChanges = 0;
    Host->Data().AddData(Row({1, 3})); // the row holding 9 leaves
    Host->MoveRows();
    EXPECT_EQ(Host->Rows().GetLevelMax(true, 0), 7);
    EXPECT_EQ(Host->Rows().GetLevelMin(true, 0), -4);
    EXPECT_EQ(Host->RangeChanges, 1);

    Host->Data().AddData(Row({1, 3})); // and the one holding -4
    Host->MoveRows();
    EXPECT_EQ(Host->Rows().GetLevelMin(true, 0), 1);

    // Replacing the row that holds an extreme searches the rest again.
    Host->RangeChanges = 0;
    Host->Data().SetData(0, Row({5, 6}));
    EXPECT_EQ(Host->Rows().GetLevelMax(true, 0), 6);
    EXPECT_EQ(Host->Rows().GetLevelMin(true, 0), 1);
    EXPECT_EQ(Host->RangeChanges, 1);
    Host->Data().SetData(1, Row({-10, 20}));
    EXPECT_EQ(Host->Rows().GetLevelMin(true, 0), -10);
    EXPECT_EQ(Host->Rows().GetLevelMax(true, 0), 20);
    EXPECT_EQ(Host->Rows().GetNewBuffersCount(), 3);
}

TEST(RowStore, SetDataPastTheRowsRaisesAndChangesNothing) {
    auto Host = MakeWaterfall(8);
    AddNumbered(*Host, 0, 2);
    Host->MoveRows();
    Host->SetHold(true);
    AddNumbered(*Host, 3, 4);
    Host->MoveRows(); // 3 rows in the history, 2 pending

    EXPECT_EQ(RangeErrorOf(*Host, 5), QStringLiteral("Index out of range = 5"));
    EXPECT_EQ(RangeErrorOf(*Host, 0xFFFFFFFFu), QStringLiteral("Index out of range = 4294967295"));
    EXPECT_EQ(Firsts(Host->Data().GetData()), Range(0, 4));

    // At the end of the history the index reaches into the pending rows; a
    // held history row waits as a replacement.
    Host->Data().SetData(4, Row({40}));
    Host->Data().SetData(1, Row({10}));
    EXPECT_EQ(Firsts(Host->Data().GetData()), (std::vector<double>{0, 10, 2, 3, 40}));
    EXPECT_EQ(Firsts(Host->Data().GetDrawData()), Range(0, 2));
    EXPECT_EQ(Host->Rows().GetNewBuffersCount(), 5);

    Host->SetHold(false);
    EXPECT_EQ(Firsts(Host->Data().GetDrawData()), (std::vector<double>{0, 10, 2, 3, 40}));
    EXPECT_EQ(Host->Rows().GetLevelMax(true, 0), 40);
}

TEST(RowStore, RowsGoInAndComeOutAsCopies) {
    auto Host = MakeWaterfall(8);
    double Frame[3] = {1, 2, 3};
    Host->Data().AddData(Frame, 3);
    Frame[0] = 100; // the caller reuses its memory at once
    TKvRealBufferPtr Source = Row({7, 8});
    Host->Data().AddData(Source);
    Source->SetItem(0, -7);
    Host->MoveRows();

    TKvRealBufferArray Out = Host->Data().GetData();
    ASSERT_EQ(Out.size(), 2u);
    EXPECT_EQ(Values(Out[0]), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(Values(Out[1]), (std::vector<double>{7, 8}));
    Out[0]->SetItem(1, -2);
    Host->Data().GetDrawData()[1]->Modify()[0] = -8;
    EXPECT_EQ(Values(Host->Data().GetData()[0]), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(Values(Host->Data().GetDrawData()[1]), (std::vector<double>{7, 8}));

    TKvRealBufferPtr Replacement = Row({5});
    Host->Data().SetData(0, Replacement);
    Replacement->SetItem(0, 6);
    EXPECT_EQ(Values(Host->Data().GetData()[0]), (std::vector<double>{5}));
}

TEST(RowStore, TypedOverloadsConvertEveryElementType) {
    auto Host = MakeWaterfall(32);
    TKvWaterfallData& Data = Host->Data();
    const uint16_t Words[] = {0, 65535};
    const int16_t Smalls[] = {-32768, 32767};
    const uint32_t Cardinals[] = {0, 4294967295u};
    const int32_t Integers[] = {-2147483647 - 1, 2147483647};
    const float Singles[] = {-1.5f, 3.25f};
    const double Doubles[] = {-0.0, DBL_MAX};
    Data.AddData(Words, 2);
    Data.AddData(Smalls, 2);
    Data.AddData(Cardinals, 2);
    Data.AddData(Integers, 2);
    Data.AddData(Singles, 2);
    Data.AddData(Doubles, 2);
    TKvIntegerBufferPtr Ints = TKvIntegerBuffer::CreateSize(2);
    Ints->SetItem(0, -5);
    Ints->SetItem(1, 6);
    Data.AddData(Ints);
    Data.AddData(static_cast<const double*>(nullptr), 5); // no row at all
    Data.AddData(TKvRealBufferPtr());
    const std::vector<std::vector<double>> Expected = {{0, 65535},
                                                       {-32768, 32767},
                                                       {0, 4294967295.0},
                                                       {-2147483648.0, 2147483647},
                                                       {-1.5, 3.25},
                                                       {-0.0, DBL_MAX},
                                                       {-5, 6}};
    TKvRealBufferArray Out = Data.GetData();
    ASSERT_EQ(Out.size(), Expected.size());
    for (size_t I = 0; I < Out.size(); ++I)
        EXPECT_EQ(Values(Out[I]), Expected[I]) << I;
    EXPECT_TRUE(std::signbit(Out[5]->GetItem(0)));

    // The same conversions replace rows, in reverse order.
    Data.SetData(6, Words, 2);
    Data.SetData(5, Smalls, 2);
    Data.SetData(4, Cardinals, 2);
    Data.SetData(3, Integers, 2);
    Data.SetData(2, Singles, 2);
    Data.SetData(1, Doubles, 2);
    Data.SetData(0, Ints);
    Out = Data.GetData();
    ASSERT_EQ(Out.size(), Expected.size());
    for (size_t I = 0; I < Out.size(); ++I)
        EXPECT_EQ(Values(Out[I]), Expected[Expected.size() - 1 - I]) << I;
    EXPECT_THROW(Data.SetData(7, Ints), ERangeError);
}

TEST(RowStore, RangeIgnoresValuesThatAreNotFinite) {
    auto Host = MakeWaterfall(4);
    Host->Data().AddData(Row({NaN, NaN}));
    Host->MoveRows();
    // Nothing finite yet: the level axis's own limits.
    EXPECT_EQ(Host->Rows().GetLevelMin(true, -1), -1);
    EXPECT_EQ(Host->Rows().GetLevelMax(true, 1), 1);

    Host->Data().AddData(Row({NaN, 3, Inf, 1, -Inf}));
    Host->MoveRows();
    EXPECT_EQ(Host->Rows().GetLevelMin(true, -1), 1);
    EXPECT_EQ(Host->Rows().GetLevelMax(true, 1), 3);
    Host->Data().AddData(Row({Inf}));
    Host->Data().AddData(Row({}));
    Host->MoveRows();
    EXPECT_EQ(Host->Rows().GetLevelMax(true, 1), 3);

    // The only finite row leaves: back to the axis's limits, not to a NaN.
    Host->Data().AddData(Row({NaN}));
    Host->Data().AddData(Row({NaN}));
    Host->MoveRows();
    EXPECT_EQ(Host->Rows().GetLevelMin(true, -1), -1);
    EXPECT_EQ(Host->Rows().GetLevelMax(true, 1), 1);
    EXPECT_EQ(Host->Buffers().FCurrentMin, 0);
    EXPECT_EQ(Host->Buffers().FCurrentMax, 0);

    // A finite replacement starts the range again; replacing it with NaN
    // ends it.
    Host->Data().SetData(2, Row({-2, NaN, 8}));
    EXPECT_EQ(Host->Rows().GetLevelMin(true, -1), -2);
    EXPECT_EQ(Host->Rows().GetLevelMax(true, 1), 8);
    Host->Data().SetData(2, Row({NaN}));
    EXPECT_EQ(Host->Rows().GetLevelMax(true, 1), 1);

    // The extremes of the doubles are finite and count.
    const double Tiny = std::numeric_limits<double>::denorm_min();
    Host->Data().AddData(Row({Tiny, -0.0, DBL_MAX}));
    Host->Data().AddData(Row({-DBL_MAX, -Tiny}));
    Host->MoveRows();
    EXPECT_EQ(Host->Rows().GetLevelMin(true, -1), -DBL_MAX);
    EXPECT_EQ(Host->Rows().GetLevelMax(true, 1), DBL_MAX);
}

TEST(RowStore, RowsOfAnyLengthAreReadWithinTheirEnds) {
    auto Host = MakeWaterfall(3);
    Host->Data().AddData(Row({}));
    Host->MoveRows();
    EXPECT_EQ(Host->SampleCount, 0u);
    EXPECT_EQ(Host->Rows().GetOldestRowLength(), 0u);

    std::vector<double> Big(1000000);
    std::iota(Big.begin(), Big.end(), 0.0);
    Host->Data().AddData(Big.data(), static_cast<uint32_t>(Big.size()));
    Host->Data().AddData(Row({7}));
    Host->Data().AddData(Row({1, 2, 3, 4}));
    Host->MoveRows();
    // The empty row left; the oldest is now the long one.
    EXPECT_EQ(Host->SampleCount, 1000000u);
    EXPECT_EQ(Host->Rows().GetLevelMax(true, 0), 999999);

    TJwCriticalSectionLock Section(Host->Rows().BufferSection());
    const uint32_t Length = Host->Rows().GetOldestRowLength();
    EXPECT_EQ(Host->Rows().RowSamples(0, Length).size(), 1000000u);
    EXPECT_EQ(Host->Rows().RowSamples(1, Length).size(), 1u);
    EXPECT_EQ(Host->Rows().RowSamples(2, Length).size(), 4u);
    EXPECT_EQ(Host->Rows().RowSamples(2, 2).size(), 2u);
    EXPECT_TRUE(Host->Rows().RowSamples(3, Length).empty());
    double Value = -1;
    EXPECT_TRUE(Host->Rows().GetRowValue(1, 0, Value));
    EXPECT_EQ(Value, 7);
    EXPECT_FALSE(Host->Rows().GetRowValue(1, 1, Value));
    EXPECT_FALSE(Host->Rows().GetRowValue(1, -1, Value));
    EXPECT_FALSE(Host->Rows().GetRowValue(-1, 0, Value));
    EXPECT_TRUE(Host->Rows().GetRowValue(0, 999999, Value));
    EXPECT_EQ(Value, 999999);
}

TEST(RowStore, HistoryDepthOfOneAndOfAMillion) {
    auto One = MakeWaterfall(1);
    One->Data().AddData(Row({1, 2}));
    One->Data().AddData(Row({3}));
    One->MoveRows();
    One->Data().AddData(Row({-5, 4, 4}));
    One->MoveRows();
    EXPECT_EQ(Firsts(One->Data().GetDrawData()), (std::vector<double>{-5}));
    EXPECT_EQ(One->Rows().GetLevelMin(true, 0), -5);
    EXPECT_EQ(One->SampleCount, 3u);

    auto Million = MakeWaterfall(1000000);
    AddNumbered(*Million, 0, 2999);
    Million->MoveRows();
    EXPECT_EQ(Million->Rows().GetRowCount(), 3000);
    EXPECT_EQ(Million->Rows().GetLevelMax(true, 0), 2999);
}

TEST(RowStore, SampleRateChangesAreStamped) {
    auto Host = MakeWaterfall(512);
    EXPECT_EQ(Host->Data().GetSampleRate(), 0);
    EXPECT_EQ(Host->Rows().EffectiveSampleRate(), 10000);
    const uint32_t Stamp = Host->Rows().GetSampleRateStamp();
    Host->Data().SetSampleRate(48000);
    EXPECT_EQ(Host->Data().GetSampleRate(), 48000);
    EXPECT_EQ(Host->Rows().EffectiveSampleRate(), 48000);
    EXPECT_NE(Host->Rows().GetSampleRateStamp(), Stamp);
    const uint32_t Changed = Host->Rows().GetSampleRateStamp();
    Host->Data().SetSampleRate(48000);
    EXPECT_EQ(Host->Rows().GetSampleRateStamp(), Changed);
}

TEST(RowStore, DestructionRefusesRowsAndLeavesTheHistory) {
    auto Host = MakeWaterfall(8);
    AddNumbered(*Host, 0, 1);
    Host->MoveRows();
    Host->Data().AddData(Row({5}));
    bool Checked = false;
    Host->WhileDestroying = [&Checked](TObservedWaterfall& W) {
        Checked = true;
        EXPECT_EQ(W.InputCount(), 0);
        W.Data().AddData(Row({6}));
        EXPECT_FALSE(W.Rows().QueueInputBuffer(Row({6})));
        EXPECT_EQ(W.InputCount(), 0);
        W.Data().SetData(0, Row({9}));
        W.MoveRows();
        EXPECT_EQ(Firsts(W.Data().GetDrawData()), Range(0, 1));
    };
    Host.reset();
    EXPECT_TRUE(Checked);
}

} // namespace
