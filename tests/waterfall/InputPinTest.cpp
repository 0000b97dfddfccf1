// The waterfall's input pin: rows, integer rows and matrices sent by source
// pins, start operations, and sends once destruction began.

#include <gtest/gtest.h>

#include <vector>

#include "ObservedWaterfall.h"
#include "buffers/KvBlockBuffer.h"
#include "buffers/KvIntegerBuffer.h"
#include "buffers/KvRealMatrixBuffer.h"
#include "pins/streams/KvStreamTypes.h"
#include "pins/streams/KvStreamTypesOperations.h"

namespace {

std::vector<double> Seq(double AFirst, int ACount) {
    std::vector<double> Result;
    for (int I = 0; I < ACount; ++I)
        Result.push_back(AFirst + I);
    return Result;
}

// ARows rows of two values; row i holds AFirst + i and its negation.
TKvDataPtr Matrix(double AFirst, int32_t ARows) {
    std::vector<double> Values;
    for (int32_t I = 0; I < ARows; ++I) {
        Values.push_back(AFirst + I);
        Values.push_back(-(AFirst + I));
    }
    return TKvDataPtr(TKvRealMatrixBuffer::CreateData(Values.data(), ARows, 2));
}

TKvDataPtr Data(const TKvRealBufferPtr& ABuffer) {
    return TKvDataPtr(ABuffer);
}

// As the pin hands on what a source of stream type AID supplied.
void Send(TKvWaterfall& AWaterfall, const TGUID& AID, const TKvDataPtr& AData) {
    AWaterfall.GetInputPin()->DispatchData(
        AID, TJwNotifyOperationPtr(new TJwSuppliedBufferOperation(AData)), 0);
}

TEST(InputPin, MatrixAppendsToAnEmptyHistoryThenReplacesFromTheOldest) {
    auto Host = MakeWaterfall(8);
    auto Source = MakeOwned<TKvJwRealMatrixSourcePin>(nullptr);
    ASSERT_TRUE(Source->Connect(Host->GetInputPin()));

    Source->SubmitBuffer(Matrix(0, 3));
    Host->MoveRows();
    const TKvRealBufferArray First = Host->Data().GetDrawData();
    ASSERT_EQ(First.size(), 3u);
    EXPECT_EQ(Values(First[2]), (std::vector<double>{2, -2}));

    Source->SubmitBuffer(Matrix(10, 3));
    Host->MoveRows();
    EXPECT_EQ(Firsts(Host->Data().GetDrawData()), Seq(10, 3));
    EXPECT_EQ(Host->Rows().GetLevelMin(true, 0), -12);
    EXPECT_EQ(Host->Rows().GetLevelMax(true, 0), 12);

    // Longer than the history: the rows past its end are appended.
    Source->SubmitBuffer(Matrix(20, 5));
    Host->MoveRows();
    EXPECT_EQ(Firsts(Host->Data().GetDrawData()), Seq(20, 5));

    // Shorter: only the oldest rows change.
    Source->SubmitBuffer(Matrix(30, 2));
    Host->MoveRows();
    EXPECT_EQ(Firsts(Host->Data().GetDrawData()), (std::vector<double>{30, 31, 22, 23, 24}));
}

TEST(InputPin, MatrixWhileHeldWaitsForTheRelease) {
    auto Host = MakeWaterfall(8);
    auto Source = MakeOwned<TKvJwRealMatrixSourcePin>(nullptr);
    ASSERT_TRUE(Source->Connect(Host->GetInputPin()));
    Source->SubmitBuffer(Matrix(0, 2));
    Host->MoveRows();

    Host->SetHold(true);
    Source->SubmitBuffer(Matrix(10, 4));
    Host->MoveRows();
    EXPECT_EQ(Firsts(Host->Data().GetDrawData()), Seq(0, 2));
    EXPECT_EQ(Firsts(Host->Data().GetData()), Seq(10, 4));
    Host->SetHold(false);
    EXPECT_EQ(Firsts(Host->Data().GetDrawData()), Seq(10, 4));
}

TEST(InputPin, RealAndIntegerBuffersBecomeNewRows) {
    auto Host = MakeWaterfall(8);
    auto Reals = MakeOwned<TKvJwRealSourcePin>(nullptr);
    auto Integers = MakeOwned<TKvJwIntegerSourcePin>(nullptr);
    auto Other = MakeWaterfall(8);
    ASSERT_TRUE(Reals->Connect(Host->GetInputPin()));
    ASSERT_TRUE(Integers->Connect(Other->GetInputPin()));

    TKvRealBufferPtr Sent = Row({1.5, -2.5});
    Reals->SubmitBuffer(Data(Sent));
    Sent->SetItem(0, 99); // the sender keeps using its buffer
    Reals->SubmitBuffer(Data(Row({3})));
    const int32_t IntValues[] = {-7, 2147483647, 0};
    Integers->SubmitBuffer(TKvDataPtr(TKvIntegerBuffer::CreateData(IntValues, 3)));
    Host->MoveRows();
    Other->MoveRows();

    const TKvRealBufferArray Rows = Host->Data().GetDrawData();
    ASSERT_EQ(Rows.size(), 2u);
    EXPECT_EQ(Values(Rows[0]), (std::vector<double>{1.5, -2.5}));
    EXPECT_EQ(Values(Rows[1]), (std::vector<double>{3}));
    const TKvRealBufferArray IntRows = Other->Data().GetDrawData();
    ASSERT_EQ(IntRows.size(), 1u);
    EXPECT_EQ(Values(IntRows[0]), (std::vector<double>{-7, 2147483647, 0}));

    // A single row always appends, even where a matrix row would replace.
    Reals->SubmitBuffer(Data(Row({4})));
    Host->MoveRows();
    EXPECT_EQ(Firsts(Host->Data().GetDrawData()), (std::vector<double>{1.5, 3, 4}));
}

TEST(InputPin, DataOfTheWrongShapeIsReadWithinItsBytes) {
    auto Host = MakeWaterfall(8);
    // Three bytes sent as integers hold no whole integer.
    Send(*Host, KvStreamTypeID::Integer, TKvDataPtr(TKvBlockBuffer::CreateSize(3)));
    // Raw memory on a stream of another type is read as doubles.
    Send(*Host, KvStreamTypeID::Universal, Data(Row({6, 7})));
    // Neither raw memory nor a matrix: nothing.
    Send(*Host, KvStreamTypeID::RealMatrix, Data(Row({8})));
    Host->MoveRows();
    const TKvRealBufferArray Rows = Host->Data().GetDrawData();
    ASSERT_EQ(Rows.size(), 2u);
    EXPECT_EQ(Rows[0]->GetSize(), 0u);
    EXPECT_EQ(Values(Rows[1]), (std::vector<double>{6, 7}));
}

TEST(InputPin, StartSetsTheRateAndClearsTheRows) {
    auto Host = MakeWaterfall(8);
    auto Source = MakeOwned<TKvJwRealSourcePin>(nullptr);
    ASSERT_TRUE(Source->Connect(Host->GetInputPin()));
    Source->SubmitBuffer(Data(Row({1})));
    Host->MoveRows();
    Source->SubmitBuffer(Data(Row({2}))); // still queued

    const uint32_t Stamp = Host->Rows().GetSampleRateStamp();
    Source->Notify(TJwNotifyOperationPtr(new TJwStartRateOperation(2000000)));
    EXPECT_EQ(Host->Data().GetSampleRate(), 2000000);
    EXPECT_NE(Host->Rows().GetSampleRateStamp(), Stamp);
    EXPECT_FALSE(Host->AxisFrequencyDomain());
    EXPECT_FALSE(Host->AxisIntensityDomain());
    Host->MoveRows();
    EXPECT_TRUE(Host->Data().GetDrawData().empty());
    EXPECT_EQ(Host->ClearSteps, (std::vector<char>{'b', 'c', 'i'}));

    // A start without a rate means the default rate.
    Source->SubmitBuffer(Data(Row({3})));
    Source->Notify(TJwNotifyOperationPtr(new TJwStartOperation));
    EXPECT_EQ(Host->Data().GetSampleRate(), 0);
    EXPECT_EQ(Host->Rows().EffectiveSampleRate(), 10000);
    EXPECT_TRUE(Host->Data().GetData().empty());

    // Other operations change nothing.
    Source->SubmitBuffer(Data(Row({4})));
    Source->Notify(TJwNotifyOperationPtr(new TJwStopOperation));
    EXPECT_EQ(Firsts(Host->Data().GetData()), (std::vector<double>{4}));
}

TEST(InputPin, SendsDuringDestructionAreDropped) {
    auto Host = MakeWaterfall(8);
    auto Source = MakeOwned<TKvJwRealMatrixSourcePin>(nullptr);
    ASSERT_TRUE(Source->Connect(Host->GetInputPin()));
    Source->SubmitBuffer(Matrix(0, 2));
    Host->MoveRows();
    bool Checked = false;
    Host->WhileDestroying = [&](TObservedWaterfall& W) {
        Checked = true;
        Source->SubmitBuffer(Matrix(10, 3));
        Source->Notify(TJwNotifyOperationPtr(new TJwStartRateOperation(5)));
        EXPECT_EQ(W.Data().GetSampleRate(), 0);
        EXPECT_EQ(Firsts(W.Data().GetDrawData()), Seq(0, 2));
    };
    Host.reset();
    EXPECT_TRUE(Checked);
    EXPECT_FALSE(Source->IsConnected());
    EXPECT_FALSE(Source->SubmitBuffer(Matrix(0, 1)));
}

} // namespace
