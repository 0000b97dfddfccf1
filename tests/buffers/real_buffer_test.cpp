// Real buffers: copy-on-write, resizing, element access, arithmetic,
// statistics, conversions and files.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <limits>
#include <vector>

#include "BufferTestSupport.h"

namespace {

std::vector<double> Values(const TKvRealBufferPtr& ABuffer) {
    return {ABuffer->Read(), ABuffer->Read() + ABuffer->GetSize()};
}

TKvRealBufferPtr Real(std::vector<double> AValues) {
    return TKvRealBuffer::CreateData(AValues.data(), static_cast<uint32_t>(AValues.size()));
}

TEST(RealCopyOnWriteTest, AWritingCopySeparatesItselfFromTheOriginal) {
    TKvRealBufferPtr First = Real({1, 2, 3, 4});
    TKvRealBufferPtr Copy = As<IKvRealBuffer>(First->MakeCopy());
    EXPECT_EQ(ContainerOf(Copy), ContainerOf(First)) << "a copy shares the data";
    Copy->SetItem(0, 5);
    EXPECT_EQ(Values(First), (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(Values(Copy), (std::vector<double>{5, 2, 3, 4}));
    EXPECT_NE(ContainerOf(Copy), ContainerOf(First));
}

TEST(RealCopyOnWriteTest, AfterRemoveOwnerShipTheOwnerWritesInPlaceAndTheCopySeesIt) {
    TKvRealBufferPtr First = Real({1, 2, 3, 4});
    TKvRealBufferPtr Copy = As<IKvRealBuffer>(First->MakeCopy());
    ImplOf(Copy)->RemoveOwnerShip();
    EXPECT_FALSE(ImplOf(Copy)->OwnsData());
    First->SetItem(0, 5);
    EXPECT_EQ(ContainerOf(Copy), ContainerOf(First));
    EXPECT_EQ(Copy->GetItem(0), 5);
    // The non-owner writing does not force a copy on the owner either.
    Copy->SetItem(1, 7);
    EXPECT_EQ(First->GetItem(1), 7);
}

TEST(RealCopyOnWriteTest, TwoOwnersEachGetTheirOwnCopyOnFirstWrite) {
    TKvRealBufferPtr First = Real({1, 2});
    TKvRealBufferPtr Second = TKvRealBuffer::CreateCopy(First);
    TKvSmartBuffer* Shared = ContainerOf(First);
    First->SetItem(0, 10);
    EXPECT_NE(ContainerOf(First), Shared);
    EXPECT_EQ(ContainerOf(Second), Shared);
    Second->SetItem(0, 20);
    EXPECT_EQ(ContainerOf(Second), Shared) << "now the single owner: in place";
    EXPECT_EQ(First->GetItem(0), 10);
    EXPECT_EQ(Second->GetItem(0), 20);
}

TEST(RealCopyOnWriteTest, WriteDropsTheOldValuesModifyKeepsThem) {
    TKvRealBufferPtr First = Real({1, 2, 3});
    TKvRealBufferPtr Copy = TKvRealBuffer::CreateCopy(First);
    double* Modified = Copy->Modify();
    EXPECT_EQ(Modified[2], 3);
    TKvRealBufferPtr Other = TKvRealBuffer::CreateCopy(First);
    Other->Write();
    EXPECT_NE(ContainerOf(Other), ContainerOf(First));
    EXPECT_EQ(Values(First), (std::vector<double>{1, 2, 3}));
}

TEST(RealCopyOnWriteTest, TheSequenceStampLivesWithTheSharedData) {
    TKvRealBufferPtr First = Real({1});
    TKvRealBufferPtr Copy = TKvRealBuffer::CreateCopy(First);
    First->GetSequenceStamp()->SetBufferNumber(42);
    First->GetSequenceStamp()->SetAvailable(true);
    EXPECT_TRUE(Copy->GetSequenceStamp()->GetAvailable());
    EXPECT_EQ(Copy->GetSequenceStamp()->GetBufferNumber(), 42);
}

TEST(RealCopyOnWriteTest, IdentityOperationsLeaveASharedBufferShared) {
    TKvRealBufferPtr First = Real({1, 2, 3});
    TKvRealBufferPtr Copy = TKvRealBuffer::CreateCopy(First);
    Copy->AddValue(0);
    Copy->SubtractValue(0);
    Copy->MultiplyValue(1);
    Copy->DivideValue(1);
    Copy->DivideValue(0);
    EXPECT_EQ(ContainerOf(Copy), ContainerOf(First));
    Copy->AddValue(1);
    EXPECT_NE(ContainerOf(Copy), ContainerOf(First));
    EXPECT_EQ(Values(Copy), (std::vector<double>{2, 3, 4}));
    EXPECT_EQ(Values(First), (std::vector<double>{1, 2, 3}));
}

TEST(RealCopyOnWriteTest, AssignSharesTheOtherBuffersData) {
    TKvRealBufferPtr Target = Real({1});
    TKvRealBufferPtr Source = Real({7, 8, 9});
    Target->Assign(Source);
    EXPECT_EQ(ContainerOf(Target), ContainerOf(Source));
    EXPECT_EQ(Values(Target), (std::vector<double>{7, 8, 9}));
    Target->SetItem(0, 0);
    EXPECT_EQ(Source->GetItem(0), 7);
    EXPECT_THROW(Target->Assign(TKvDataBufferPtr()), EIntfCastError);
}

TEST(RealResizeTest, GrowingBeyondTheBlockReallocatesAndKeepsTheValues) {
    TKvRealBufferPtr Buffer = Real({1, 2, 3});
    auto* Memory = dynamic_cast<TKvMemoryBuffer*>(Buffer->GetInstance());
    ASSERT_EQ(Memory->MemoryContainer()->AllocatedSize(), 32u);
    TKvSmartBuffer* Before = ContainerOf(Buffer);
    Buffer->Resize(10, true);
    EXPECT_NE(ContainerOf(Buffer), Before);
    EXPECT_EQ(Memory->MemoryContainer()->AllocatedSize(), 128u);
    EXPECT_EQ(Buffer->GetSize(), 10u);
    EXPECT_EQ(Values(Buffer)[0], 1);
    EXPECT_EQ(Values(Buffer)[2], 3);
}

TEST(RealResizeTest, GrowingWithinTheBlockStaysInPlace) {
    TKvRealBufferPtr Buffer = Real({1, 2, 3});
    TKvSmartBuffer* Before = ContainerOf(Buffer);
    Buffer->Resize(4, true);
    EXPECT_EQ(ContainerOf(Buffer), Before);
    EXPECT_EQ(Buffer->GetSize(), 4u);
    EXPECT_EQ(Buffer->GetItem(2), 3);
}

TEST(RealResizeTest, SharedDataAreNeverGrownInPlace) {
    TKvRealBufferPtr Buffer = Real({1, 2, 3});
    TKvRealBufferPtr Copy = TKvRealBuffer::CreateCopy(Buffer);
    Buffer->Resize(4, true);
    EXPECT_NE(ContainerOf(Buffer), ContainerOf(Copy));
    EXPECT_EQ(Copy->GetSize(), 3u);
    EXPECT_EQ(Buffer->GetItem(2), 3);
}

TEST(RealResizeTest, ShrinkingAndEmptyingKeepTheContainer) {
    TKvRealBufferPtr Buffer = Real({1, 2, 3});
    TKvSmartBuffer* Before = ContainerOf(Buffer);
    Buffer->Resize(2, true);
    EXPECT_EQ(ContainerOf(Buffer), Before);
    EXPECT_EQ(Buffer->GetByteSize(), 16u);
    Buffer->Resize(0, true);
    EXPECT_EQ(ContainerOf(Buffer), Before);
    EXPECT_EQ(Buffer->GetByteSize(), 0u);
    EXPECT_NE(Buffer->ByteRead(), nullptr);
}

TEST(RealResizeTest, MoreThanTheLargestBlockRaisesOutOfMemory) {
    TKvRealBufferPtr Buffer = Real({1});
    EXPECT_THROW(Buffer->Resize((1u << 27) + 1, true), EOutOfMemory);
    EXPECT_EQ(Buffer->GetItem(0), 1) << "unchanged";
    EXPECT_THROW(TKvRealBuffer::CreateSize(0x20000001u), EOutOfMemory);
}

TEST(RealElementTest, IndicesOutsideTheBufferRaiseWithTheIndexAsUnsigned) {
    TKvRealBufferPtr Buffer = Real({1, 2, 3});
    EXPECT_EQ(MessageOf<ERangeError>([&] { Buffer->GetItem(3); }), "Index out of range = 3");
    EXPECT_EQ(MessageOf<ERangeError>([&] { Buffer->GetItem(-1); }),
              "Index out of range = 4294967295");
    EXPECT_EQ(MessageOf<ERangeError>([&] { Buffer->SetItem(7, 0); }), "Index out of range = 7");
    EXPECT_EQ(Values(Buffer), (std::vector<double>{1, 2, 3}));
    EXPECT_THROW(TKvRealBuffer::Create()->GetItem(0), ERangeError);
}

TEST(RealArithmeticTest, DivisionByZerosGivesTheLargeMarkers) {
    TKvRealBufferPtr Buffer = Real({1, -1, 0, 6});
    Buffer->Divide(Real({0, 0, 0, 3}));
    EXPECT_EQ(Values(Buffer), (std::vector<double>{1e15, -1e14, -1e14, 2}));
}

TEST(RealArithmeticTest, BinaryOperationsWorkOverTheSmallerSize) {
    TKvRealBufferPtr Buffer = Real({1, 2, 3});
    Buffer->Add(Real({10, 20}));
    EXPECT_EQ(Values(Buffer), (std::vector<double>{11, 22, 3}));
    Buffer->Subtract(Real({1, 1, 1, 1}));
    EXPECT_EQ(Values(Buffer), (std::vector<double>{10, 21, 2}));
    Buffer->Multiply(Real({2, 2, 2}));
    EXPECT_EQ(Values(Buffer), (std::vector<double>{20, 42, 4}));
}

TEST(RealArithmeticTest, AnOperandSharingTheDataIsReadBeforeTheBufferSeparates) {
    TKvRealBufferPtr Buffer = Real({1, 2});
    TKvRealBufferPtr Copy = TKvRealBuffer::CreateCopy(Buffer);
    Buffer->Add(Copy);
    EXPECT_EQ(Values(Buffer), (std::vector<double>{2, 4}));
    EXPECT_EQ(Values(Copy), (std::vector<double>{1, 2}));
    Copy->Multiply(Copy);
    EXPECT_EQ(Values(Copy), (std::vector<double>{1, 4}));
}

TEST(RealArithmeticTest, ScalarOperationsAndTheirFromForms) {
    TKvRealBufferPtr Buffer = TKvRealBuffer::CreateValue(4, 3);
    EXPECT_EQ(Values(Buffer), (std::vector<double>{4, 4, 4}));
    Buffer->SubtractValue(1);
    Buffer->MultiplyValue(6);
    Buffer->DivideValue(2);
    EXPECT_EQ(Values(Buffer), (std::vector<double>{9, 9, 9}));
    Buffer->Sqrt();
    EXPECT_EQ(Values(Buffer), (std::vector<double>{3, 3, 3}));
    TKvRealBufferPtr Target = TKvRealBuffer::CreateSize(3);
    Target->SqrFrom(Real({-2, 3, 0.5}));
    EXPECT_EQ(Values(Target), (std::vector<double>{4, 9, 0.25}));
    Target->AbsFrom(Real({-2, 3, -0.5}));
    EXPECT_EQ(Values(Target), (std::vector<double>{2, 3, 0.5}));
    Target->ThresholdFrom(Real({-2, 3, 1}), 1.5, ttGreaterThan);
    EXPECT_EQ(Values(Target), (std::vector<double>{-2, 1.5, 1}));
    Target->Threshold(0, ttLessThan);
    EXPECT_EQ(Values(Target), (std::vector<double>{0, 1.5, 1}));
    Target->ExpFrom(Real({0, 1, 2}));
    Target->Ln();
    EXPECT_NEAR(Target->GetItem(2), 2, 1e-12);
    Target->Zero();
    EXPECT_EQ(Values(Target), (std::vector<double>{0, 0, 0}));
}

TEST(RealArithmeticTest, NormalizeOfASharedBufferLeavesTheOtherOwnerAlone) {
    TKvRealBufferPtr Buffer = Real({3, 5, 7});
    TKvRealBufferPtr Copy = TKvRealBuffer::CreateCopy(Buffer);
    Buffer->Normalize(1, 2);
    EXPECT_EQ(Values(Buffer), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(Values(Copy), (std::vector<double>{3, 5, 7}));
    // Alone, in place.
    Copy.reset();
    Buffer->Normalize(1, 0.5);
    EXPECT_EQ(Values(Buffer), (std::vector<double>{0, 2, 4}));
}

TEST(RealArithmeticTest, ConvolutionNeedsRoomForTheFullResult) {
    TKvRealBufferPtr Result = TKvRealBuffer::CreateSize(4);
    Result->Convolve(Real({1, 2, 3}), Real({1, 1}));
    EXPECT_EQ(Values(Result), (std::vector<double>{1, 3, 5, 3}));
    TKvRealBufferPtr Short = Real({9, 9, 9});
    EXPECT_EQ(MessageOf<ERangeError>([&] {
                  Short->Convolve(Real({1, 2, 3}), Real({1, 1}));
              }),
              "Index out of range = 3");
    EXPECT_EQ(Values(Short), (std::vector<double>{9, 9, 9}));
}

TEST(RealArithmeticTest, AutoCorrelationNeedsASourceAtLeastAsLong) {
    TKvRealBufferPtr Result = TKvRealBuffer::CreateSize(2);
    Result->AutoCorr(Real({1, 2, 3}), actNormal);
    // r[k] = sum x[n] x[n+k] over the first two samples.
    EXPECT_EQ(Values(Result), (std::vector<double>{1 + 4, 2}));
    TKvRealBufferPtr Long = TKvRealBuffer::CreateSize(4);
    EXPECT_THROW(Long->AutoCorr(Real({1, 2}), actNormal), ERangeError);
}

TEST(RealStatisticsTest, WholeBufferStatistics) {
    TKvRealBufferPtr Buffer = Real({4, -2, 8, 2});
    EXPECT_EQ(Buffer->Mean(), 3);
    // Sample deviation: sqrt(((1 + 25 + 25 + 1)) / 3).
    EXPECT_NEAR(Buffer->StdDev(), std::sqrt(52.0 / 3), 1e-12);
    EXPECT_EQ(Buffer->GetMinValue(), -2);
    EXPECT_EQ(Buffer->GetMaxValue(), 8);
    int32_t Index = -5;
    EXPECT_EQ(Buffer->GetMinIndex(Index), -2);
    EXPECT_EQ(Index, 1);
    EXPECT_EQ(Buffer->GetMaxIndex(Index), 8);
    EXPECT_EQ(Index, 2);
    EXPECT_EQ(Buffer->Dot(Real({1, 1, 1})), 10);
    EXPECT_EQ(Buffer->Norm(Real({4, -2, 8, 0}), ntL1Norm), 2);
    EXPECT_EQ(Buffer->Norm(Real({1, 2, 8, 2}), ntL2Norm), 5);
    EXPECT_EQ(Buffer->Norm(Real({4, 0, 1, 2}), ntCNorm), 7);
}

TEST(RealStatisticsTest, AnEmptyBufferAnswersZero) {
    TKvRealBufferPtr Empty = TKvRealBuffer::Create();
    int32_t Index = 9;
    EXPECT_EQ(Empty->GetMinValue(), 0);
    EXPECT_EQ(Empty->GetMaxIndex(Index), 0);
    EXPECT_EQ(Index, 0);
    EXPECT_EQ(Empty->GetMin(0, 5), 0);
    EXPECT_EQ(Empty->GetMaxRestricted(0, 5), 0);
    EXPECT_EQ(Empty->Mean(), 0);
}

TEST(RealStatisticsTest, RangeSearchesClampTheirBounds) {
    TKvRealBufferPtr Buffer = Real({5, 1, 9, 3});
    EXPECT_EQ(Buffer->GetMax(1, 2), 1) << "the end is excluded";
    EXPECT_EQ(Buffer->GetMax(-4, 100), 9);
    EXPECT_EQ(Buffer->GetMin(2, 100), 3);
    EXPECT_EQ(Buffer->GetMin(7, 100), 3) << "a begin past the end becomes the last index";
    EXPECT_EQ(Buffer->GetMin(2, 2), 0);
    EXPECT_EQ(Buffer->GetMin(4, 100), 3) << "a begin equal to the size is past the end";
    EXPECT_EQ(Buffer->GetMax(4, 4), 3);
    EXPECT_EQ(Buffer->GetMinRestricted(4, 100), 3);
    EXPECT_EQ(Buffer->GetMaxRestricted(4, 4), 3);
}

TEST(RealStatisticsTest, ExtremesAtTheLastIndexAreFound) {
    // a scan that stops one short misses these
    TKvRealBufferPtr Rising = Real({1, 2, 3, 9});
    TKvRealBufferPtr Falling = Real({5, 4, 3, -9});
    int32_t Index = -1;
    EXPECT_EQ(Rising->GetMaxValue(), 9);
    EXPECT_EQ(Rising->GetMaxIndex(Index), 9);
    EXPECT_EQ(Index, 3);
    EXPECT_EQ(Falling->GetMinValue(), -9);
    EXPECT_EQ(Falling->GetMinIndex(Index), -9);
    EXPECT_EQ(Index, 3);
    EXPECT_EQ(Rising->GetMax(0, 4), 9);
    EXPECT_EQ(Falling->GetMin(1, 4), -9);
    EXPECT_EQ(Rising->GetMaxRestricted(0, 4), 9);
    EXPECT_EQ(Falling->GetMinRestricted(0, 4), -9);
}

TEST(RealStatisticsTest, RestrictedSearchesSkipTheMissingValueMarkers) {
    EXPECT_EQ(Real({1.7e308, 2, 5})->GetMaxRestricted(0, 3), 5);
    EXPECT_EQ(Real({1.7e308, -3, -4})->GetMaxRestricted(0, 3), 0);
    EXPECT_EQ(Real({-1.7e308, 3, 4})->GetMinRestricted(0, 3), 0);
    EXPECT_EQ(Real({2, -1.7e308, 1.7e308, 1})->GetMinRestricted(0, 4), 1);
    EXPECT_EQ(Real({2, -1.7e308, 1.7e308, 1})->GetMaxRestricted(0, 4), 2);
    EXPECT_EQ(Real({2, 7})->GetMaxRestricted(1, 1), 0) << "equal bounds";
    EXPECT_EQ(Real({2, 7})->GetMaxRestricted(-3, 50), 7);
}

TEST(RealConversionTest, EveryCreateDataConstructorConvertsItsInput) {
    const uint16_t Words[] = {0, 65535};
    EXPECT_EQ(Values(TKvRealBuffer::CreateWordData(Words, 2)), (std::vector<double>{0, 65535}));
    const int16_t Shorts[] = {-32768, 5};
    EXPECT_EQ(Values(TKvRealBuffer::CreateSmallIntData(Shorts, 2)),
              (std::vector<double>{-32768, 5}));
    const uint32_t Cardinals[] = {4294967295u, 1};
    EXPECT_EQ(Values(TKvRealBuffer::CreateCardinalData(Cardinals, 2)),
              (std::vector<double>{4294967295.0, 1}));
    const int32_t Integers[] = {-2147483647 - 1, 7};
    EXPECT_EQ(Values(TKvRealBuffer::CreateIntegerData(Integers, 2)),
              (std::vector<double>{-2147483648.0, 7}));
    const float Singles[] = {0.5f, 1e-3f};
    EXPECT_EQ(Values(TKvRealBuffer::CreateSingleData(Singles, 2)),
              (std::vector<double>{0.5, static_cast<double>(1e-3f)}));
}

TEST(RealConversionTest, ToShortRoundsTiesToEvenAndSaturates) {
    TKvRealBufferPtr Buffer = Real({2.5, 3.5, -2.5, 2.7, 40000, -1e10, std::nan("")});
    int16_t Out[7];
    Buffer->ToShort(Out, true);
    EXPECT_EQ((std::vector<int16_t>(Out, Out + 7)),
              (std::vector<int16_t>{2, 4, -2, 3, 32767, -32768, 0}));
    Buffer->ToShort(Out, false);
    EXPECT_EQ((std::vector<int16_t>(Out, Out + 4)), (std::vector<int16_t>{2, 3, -2, 2}));
}

TEST(RealConversionTest, IntegerAndSingleRoundTrips) {
    TKvRealBufferPtr Buffer = Real({1.5, -2.7, 3.2});
    int32_t Ints[3];
    Buffer->ToInt(Ints, false);
    EXPECT_EQ((std::vector<int32_t>(Ints, Ints + 3)), (std::vector<int32_t>{1, -2, 3}));
    Buffer->ToInt(Ints, true);
    EXPECT_EQ((std::vector<int32_t>(Ints, Ints + 3)), (std::vector<int32_t>{2, -3, 3}));
    Buffer->FromInt(Ints);
    EXPECT_EQ(Values(Buffer), (std::vector<double>{2, -3, 3}));
    float Singles[3];
    Buffer->ToSingle(Singles);
    Singles[0] = 0.25f;
    Buffer->FromSingle(Singles);
    EXPECT_EQ(Values(Buffer), (std::vector<double>{0.25, -3, 3}));
}

TEST(RealConversionTest, CreateUniversalViewsAnotherTypesBytes) {
    const int32_t Integers[] = {0, 0x3FF00000};
    TKvIntegerBufferPtr Source = TKvIntegerBuffer::CreateData(Integers, 2);
    TKvRealBufferPtr View = TKvRealBuffer::CreateUniversal(Source);
    EXPECT_EQ(ContainerOf(View), ContainerOf(Source));
    ASSERT_EQ(View->GetSize(), 1u);
    EXPECT_EQ(View->GetItem(0), 1.0) << "the bits of 1.0 on a little-endian machine";
    EXPECT_THROW(TKvRealBuffer::CreateUniversal(TKvDataPtr()), EIntfCastError);
}

TEST(RealCompareTest, IsEqualNeedsTheSameTypeAndTheSameBytes) {
    TKvRealBufferPtr Buffer = Real({1.0});
    const int32_t SameBytes[] = {0, 0x3FF00000};
    TKvIntegerBufferPtr Integers = TKvIntegerBuffer::CreateData(SameBytes, 2);
    EXPECT_FALSE(Buffer->IsEqual(Integers));
    EXPECT_TRUE(Integers->IsEqual(TKvIntegerBuffer::CreateData(SameBytes, 2)));
    EXPECT_TRUE(Buffer->IsEqual(TKvRealBuffer::CreateUniversal(Integers)));
    EXPECT_TRUE(Buffer->IsEqual(Real({1.0})));
    EXPECT_FALSE(Buffer->IsEqual(Real({1.0, 1.0})));
    EXPECT_FALSE(Buffer->IsEqual(Real({2.0})));
    EXPECT_FALSE(Buffer->IsEqual(TKvDataBufferPtr()));
}

TEST(RealCopyTest, CopyDataToCountsValuesBetweenRealBuffers) {
    TKvRealBufferPtr Source = Real({1, 2, 3, 4});
    TKvRealBufferPtr Dest = Real({0, 0, 0});
    TKvRealBufferPtr DestCopy = TKvRealBuffer::CreateCopy(Dest);
    Source->CopyDataTo(1, Dest, 1, 2);
    EXPECT_EQ(Values(Dest), (std::vector<double>{0, 2, 3}));
    EXPECT_EQ(Values(DestCopy), (std::vector<double>{0, 0, 0}))
        << "the destination separated first";
    EXPECT_THROW(Source->CopyDataTo(3, Dest, 0, 2), ERangeError);
    EXPECT_THROW(Source->CopyDataTo(0, Dest, 2, 2), ERangeError);
    // Into a block buffer the offsets and count are bytes.
    TKvBlockBufferPtr Bytes = TKvBlockBuffer::CreateSize(8);
    Source->CopyDataTo(8, Bytes, 0, 8);
    EXPECT_EQ(TKvRealBuffer::CreateUniversal(Bytes)->GetItem(0), 2);
    EXPECT_EQ(MessageOf<ERangeError>([&] { Source->CopyDataTo(0, Bytes, 1, 8); }),
              "Index out of range = 8")
        << "the last byte the copy would reach";
    EXPECT_EQ(MessageOf<ERangeError>([&] { Source->CopyDataTo(25, Bytes, 0, 8); }),
              "Index out of range = 32");
}

class RealFileTest : public ::testing::Test {
protected:
    QString PathOf(const char* AName) {
        return QDir(FDir.path()).filePath(QString::fromLatin1(AName));
    }
    QTemporaryDir FDir;
};

TEST_F(RealFileTest, SaveWritesTheRawBytesAndLoadReadsThemBack) {
    TKvRealBufferPtr Buffer = Real({1.5, -2, 1e300});
    Buffer->SaveToFile(PathOf("values.bin"));
    QFile File(PathOf("values.bin"));
    ASSERT_TRUE(File.open(QIODevice::ReadOnly));
    const QByteArray Bytes = File.readAll();
    ASSERT_EQ(Bytes.size(), 24);
    EXPECT_EQ(std::memcmp(Bytes.constData(), Buffer->Read(), 24), 0);
    TKvRealBufferPtr Loaded = TKvRealBuffer::CreateSize(3);
    Loaded->LoadFromFile(PathOf("values.bin"));
    EXPECT_TRUE(Loaded->IsEqual(Buffer));
    // The size of the buffer, not of the file, decides what is read.
    TKvRealBufferPtr Shorter = TKvRealBuffer::CreateSize(2);
    Shorter->LoadFromFile(PathOf("values.bin"));
    EXPECT_EQ(Values(Shorter), (std::vector<double>{1.5, -2}));
}

TEST_F(RealFileTest, AShortFileRaisesAndLeavesTheBufferAndItsSharersAlone) {
    Real({7, 8})->SaveToFile(PathOf("short.bin"));
    TKvRealBufferPtr Buffer = Real({1, 2, 3});
    TKvRealBufferPtr Copy = TKvRealBuffer::CreateCopy(Buffer);
    EXPECT_EQ(MessageOf<EReadError>([&] { Buffer->LoadFromFile(PathOf("short.bin")); }),
              "Stream read error");
    EXPECT_EQ(Values(Buffer), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(ContainerOf(Buffer), ContainerOf(Copy));
}

TEST_F(RealFileTest, MissingFilesAndDirectoriesRaiseOpenErrors) {
    TKvRealBufferPtr Buffer = Real({1});
    EXPECT_THROW(Buffer->LoadFromFile(PathOf("absent.bin")), EFOpenError);
    EXPECT_THROW(Buffer->SaveToFile(PathOf("no/such/dir.bin")), EFOpenError);
    EXPECT_EQ(Buffer->GetItem(0), 1);
}

} // namespace
