// Integer, complex, block and matrix buffers: element access, arithmetic and
// the zero divisors.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "BufferTestSupport.h"

namespace {

std::vector<int32_t> Values(const TKvIntegerBufferPtr& ABuffer) {
    return {ABuffer->Read(), ABuffer->Read() + ABuffer->GetSize()};
}

std::vector<double> Values(const TKvRealBufferPtr& ABuffer) {
    return {ABuffer->Read(), ABuffer->Read() + ABuffer->GetSize()};
}

std::vector<uint8_t> Values(const TKvBlockBufferPtr& ABuffer) {
    return {ABuffer->Read(), ABuffer->Read() + ABuffer->GetSize()};
}

TKvIntegerBufferPtr Ints(std::vector<int32_t> AValues) {
    return TKvIntegerBuffer::CreateData(AValues.data(), static_cast<uint32_t>(AValues.size()));
}

TKvRealBufferPtr Real(std::vector<double> AValues) {
    return TKvRealBuffer::CreateData(AValues.data(), static_cast<uint32_t>(AValues.size()));
}

TKvBlockBufferPtr Bytes(std::vector<uint8_t> AValues) {
    return TKvBlockBuffer::CreateData(AValues.data(), static_cast<uint32_t>(AValues.size()));
}

TKvComplexBufferPtr Complex(std::vector<TJwRealComplex> AValues) {
    return TKvComplexBuffer::CreateData(AValues.data(), static_cast<uint32_t>(AValues.size()));
}

bool operator==(const TJwRealComplex& A, const TJwRealComplex& B) {
    return A.Re == B.Re && A.Im == B.Im;
}

TEST(TypedElementTest, EveryVectorTypeRaisesTheSameRangeErrorOutsideItsValues) {
    TKvIntegerBufferPtr Integers = Ints({1, 2, 3});
    EXPECT_EQ(MessageOf<ERangeError>([&] { Integers->GetItem(3); }), "Index out of range = 3");
    EXPECT_EQ(MessageOf<ERangeError>([&] { Integers->SetItem(-2, 9); }),
              "Index out of range = 4294967294");
    EXPECT_EQ(Values(Integers), (std::vector<int32_t>{1, 2, 3}));

    TKvComplexBufferPtr Complexes = Complex({{1, 2}});
    EXPECT_EQ(MessageOf<ERangeError>([&] { Complexes->GetItem(1); }), "Index out of range = 1");
    EXPECT_EQ(MessageOf<ERangeError>([&] {
                  Complexes->SetItem(-1, {0, 0});
              }),
              "Index out of range = 4294967295");
    EXPECT_TRUE(Complexes->GetItem(0) == (TJwRealComplex{1, 2}));

    TKvBlockBufferPtr Block = Bytes({1, 2});
    EXPECT_EQ(MessageOf<ERangeError>([&] { Block->GetItem(2); }), "Index out of range = 2");
    EXPECT_EQ(MessageOf<ERangeError>([&] { Block->SetItem(2, 0); }), "Index out of range = 2");
    Block->SetItem(1, 200);
    EXPECT_EQ(Block->GetItem(1), 200);
}

TEST(TypedElementTest, SetItemSeparatesASharedBuffer) {
    TKvIntegerBufferPtr First = Ints({1, 2});
    TKvIntegerBufferPtr Copy = As<IKvIntegerBuffer>(First->MakeCopy());
    Copy->SetItem(0, 5);
    EXPECT_EQ(First->GetItem(0), 1);
    TKvComplexBufferPtr Complexes = Complex({{1, 1}});
    TKvComplexBufferPtr ComplexCopy = TKvComplexBuffer::CreateCopy(Complexes);
    ComplexCopy->SetItem(0, {2, 2});
    EXPECT_TRUE(Complexes->GetItem(0) == (TJwRealComplex{1, 1}));
    TKvBlockBufferPtr Block = Bytes({1});
    TKvBlockBufferPtr BlockCopy = As<IKvBlockBuffer>(Block->MakeCopy());
    BlockCopy->SetItem(0, 2);
    EXPECT_EQ(Block->GetItem(0), 1);
}

TEST(IntegerBufferTest, ZeroDivisorsRaiseAndChangeNothing) {
    TKvIntegerBufferPtr Buffer = Ints({7, 8, 9});
    TKvIntegerBufferPtr Copy = TKvIntegerBuffer::CreateCopy(Buffer);
    EXPECT_EQ(MessageOf<EDivByZero>([&] { Buffer->Divide(Ints({1, 0, 1})); }), "Division by zero");
    EXPECT_THROW(Buffer->ModBuffer(Ints({2, 2, 0})), EDivByZero);
    EXPECT_THROW(Buffer->ModValue(0), EDivByZero);
    EXPECT_EQ(Values(Buffer), (std::vector<int32_t>{7, 8, 9}));
    EXPECT_EQ(ContainerOf(Buffer), ContainerOf(Copy)) << "nothing was separated either";
    // Only the common length counts: a zero beyond it is never used.
    Buffer->Divide(Ints({7, 2}));
    EXPECT_EQ(Values(Buffer), (std::vector<int32_t>{1, 4, 9}));
}

TEST(IntegerBufferTest, DivisionAndRemainderTruncateTowardZero) {
    TKvIntegerBufferPtr Buffer = Ints({7, -7, 7, INT_MIN});
    Buffer->ModBuffer(Ints({3, 3, -3, -1}));
    EXPECT_EQ(Values(Buffer), (std::vector<int32_t>{1, -1, 1, 0}));
    Buffer = Ints({7, -7, INT_MIN});
    Buffer->DivideValue(-1);
    EXPECT_EQ(Values(Buffer), (std::vector<int32_t>{-7, 7, INT_MIN}))
        << "the one overflowing quotient wraps";
    Buffer = Ints({7, -7});
    Buffer->DivideValue(2);
    EXPECT_EQ(Values(Buffer), (std::vector<int32_t>{3, -3}));
    Buffer->ModValue(2);
    EXPECT_EQ(Values(Buffer), (std::vector<int32_t>{1, -1}));
}

TEST(IntegerBufferTest, ArithmeticAndBitOperations) {
    TKvIntegerBufferPtr Buffer = Ints({6, 12, -8});
    Buffer->Add(Ints({1, 1, 1}));
    Buffer->Subtract(Ints({1, 2}));
    Buffer->Multiply(Ints({2, 2, 2}));
    EXPECT_EQ(Values(Buffer), (std::vector<int32_t>{12, 22, -14}));
    Buffer->AndBuffer(Ints({0xF, 0xF, -1}));
    Buffer->OrBuffer(Ints({0x10, 0, 0}));
    Buffer->XorBuffer(Ints({0, 1, 0}));
    EXPECT_EQ(Values(Buffer), (std::vector<int32_t>{12 | 0x10, (22 & 0xF) ^ 1, -14}));
    Buffer = Ints({1, -8, -8});
    Buffer->LShift(Ints({33, 0, 0}));
    Buffer->RShift(Ints({0, 1, 0}));
    EXPECT_EQ(Values(Buffer), (std::vector<int32_t>{2, 0x7FFFFFFC, -8}))
        << "low 5 bits; logical right shift";
    Buffer->RShiftValue(1);
    EXPECT_EQ(Buffer->GetItem(2), -4) << "the scalar right shift is arithmetic";
    Buffer->LShiftValue(2);
    EXPECT_EQ(Buffer->GetItem(0), 4);
    Buffer->AndValue(0x7);
    Buffer->OrValue(0x100);
    Buffer->XorValue(0x1);
    EXPECT_EQ(Buffer->GetItem(0), 0x105);
}

TEST(IntegerBufferTest, IdentityScalarsLeaveASharedBufferShared) {
    TKvIntegerBufferPtr Buffer = Ints({5, 6});
    TKvIntegerBufferPtr Copy = TKvIntegerBuffer::CreateCopy(Buffer);
    Copy->AddValue(0);
    Copy->MultiplyValue(1);
    Copy->DivideValue(1);
    Copy->DivideValue(0);
    Copy->AndValue(-1);
    Copy->OrValue(0);
    Copy->XorValue(0);
    Copy->LShiftValue(0);
    Copy->RShiftValue(0);
    EXPECT_EQ(ContainerOf(Copy), ContainerOf(Buffer));
}

TEST(IntegerBufferTest, ScalarsStatisticsAndZero) {
    TKvIntegerBufferPtr Buffer = TKvIntegerBuffer::CreateValue(3, 4);
    Buffer->SubtractValue(1);
    Buffer->AddValue(2);
    Buffer->MultiplyValue(-3);
    EXPECT_EQ(Values(Buffer), (std::vector<int32_t>{-12, -12, -12, -12}));
    EXPECT_EQ(Buffer->Dot(Ints({1, 2})), -36);
    Buffer->SetItem(2, 40);
    EXPECT_EQ(Buffer->GetMinValue(), -12);
    EXPECT_EQ(Buffer->GetMaxValue(), 40);
    Buffer->Zero();
    EXPECT_EQ(Values(Buffer), (std::vector<int32_t>{0, 0, 0, 0}));
    EXPECT_EQ(TKvIntegerBuffer::Create()->GetMaxValue(), 0);
    // extremes in the last place, which a scan stopping one short misses
    EXPECT_EQ(Ints({3, 1, 7, -5})->GetMinValue(), -5);
    EXPECT_EQ(Ints({3, 1, -7, 50})->GetMaxValue(), 50);
}

TEST(IntegerBufferTest, CopyDataToCountsValuesBetweenIntegerBuffers) {
    TKvIntegerBufferPtr Source = Ints({1, 2, 3});
    TKvIntegerBufferPtr Dest = Ints({0, 0, 0});
    Source->CopyDataTo(1, Dest, 0, 2);
    EXPECT_EQ(Values(Dest), (std::vector<int32_t>{2, 3, 0}));
    EXPECT_THROW(Source->CopyDataTo(2, Dest, 0, 2), ERangeError);
}

TEST(ComplexBufferTest, PartsAndDerivedRealBuffers) {
    TKvComplexBufferPtr Buffer = TKvComplexBuffer::CreateSize(0);
    Buffer->SetBuffer(Real({3, 0, -1}), Real({4, 2}));
    ASSERT_EQ(Buffer->GetSize(), 2u);
    EXPECT_EQ(Values(Buffer->GetReal()), (std::vector<double>{3, 0}));
    EXPECT_EQ(Values(Buffer->GetImaginary()), (std::vector<double>{4, 2}));
    EXPECT_EQ(Values(Buffer->Magnitude()), (std::vector<double>{5, 2}));
    EXPECT_EQ(Values(Buffer->PowerSpectrum()), (std::vector<double>{25, 4}));
    EXPECT_NEAR(Buffer->Phase()->GetItem(1), std::acos(0.0), 1e-15);
}

TEST(ComplexBufferTest, ArithmeticFollowsComplexRules) {
    TKvComplexBufferPtr Buffer = Complex({{1, 2}, {3, -1}});
    Buffer->Multiply(Complex({{0, 1}, {2, 0}}));
    EXPECT_TRUE(Buffer->GetItem(0) == (TJwRealComplex{-2, 1}));
    EXPECT_TRUE(Buffer->GetItem(1) == (TJwRealComplex{6, -2}));
    Buffer->Divide(Complex({{0, 1}, {2, 0}}));
    EXPECT_TRUE(Buffer->GetItem(0) == (TJwRealComplex{1, 2}));
    Buffer->AddValue({1, 1});
    Buffer->SubtractValue({0, 2});
    Buffer->MultiplyValue({2, 0});
    Buffer->DivideValue({1, 0});
    EXPECT_TRUE(Buffer->GetItem(0) == (TJwRealComplex{4, 2}));
    const TJwRealComplex Dot = Buffer->Dot(Complex({{1, 0}, {0, 0}}));
    EXPECT_TRUE(Dot == (TJwRealComplex{4, 2}));
    Buffer->SetValue(1, -1);
    Buffer->Sqr();
    EXPECT_TRUE(Buffer->GetItem(1) == (TJwRealComplex{0, -2}));
    Buffer->Zero();
    EXPECT_TRUE(Buffer->GetItem(0) == (TJwRealComplex{0, 0}));
}

TEST(ComplexBufferTest, NormalizeLeavesTheOtherOwnerAlone) {
    TKvComplexBufferPtr Buffer = TKvComplexBuffer::CreateValue({5, 3}, 2);
    TKvComplexBufferPtr Copy = TKvComplexBuffer::CreateCopy(Buffer);
    Buffer->Normalize({1, 1}, 2);
    EXPECT_TRUE(Buffer->GetItem(1) == (TJwRealComplex{2, 1}));
    EXPECT_TRUE(Copy->GetItem(1) == (TJwRealComplex{5, 3}));
}

TEST(BlockBufferTest, ArithmeticSaturatesAndDivisionByZeroRaises) {
    TKvBlockBufferPtr Block = Bytes({200, 10, 9});
    Block->Add(Bytes({100, 5, 0}));
    EXPECT_EQ(Values(Block), (std::vector<uint8_t>{255, 15, 9}));
    Block->Subtract(Bytes({0, 20, 1}));
    EXPECT_EQ(Values(Block), (std::vector<uint8_t>{255, 0, 8}));
    Block->Divide(Bytes({2, 1, 3}));
    EXPECT_EQ(Values(Block), (std::vector<uint8_t>{127, 0, 2}));
    EXPECT_THROW(Block->Divide(Bytes({1, 0, 1})), EDivByZero);
    EXPECT_EQ(Values(Block), (std::vector<uint8_t>{127, 0, 2}));
    Block->Multiply(Bytes({3, 3, 3}));
    EXPECT_EQ(Values(Block), (std::vector<uint8_t>{255, 0, 6}));
    Block->SetValue(7);
    EXPECT_EQ(Values(Block), (std::vector<uint8_t>{7, 7, 7}));
    Block->Zero();
    EXPECT_EQ(Values(Block), (std::vector<uint8_t>{0, 0, 0}));
}

// A 2 x 3 matrix holding 0 .. 5 row by row.
TKvRealMatrixBufferPtr Matrix23() {
    const double Data[] = {0, 1, 2, 3, 4, 5};
    return TKvRealMatrixBuffer::CreateData(Data, 2, 3);
}

TEST(MatrixBufferTest, CellAccessChecksTheColumnFirstThenTheRow) {
    TKvRealMatrixBufferPtr Matrix = Matrix23();
    EXPECT_EQ(Matrix->GetValue(1, 2), 5);
    EXPECT_EQ(MessageOf<ERangeError>([&] { Matrix->GetValue(1, 3); }), "Column out of range = 3");
    EXPECT_EQ(MessageOf<ERangeError>([&] { Matrix->GetValue(2, 3); }), "Column out of range = 3");
    EXPECT_EQ(MessageOf<ERangeError>([&] { Matrix->GetValue(2, 0); }), "Row out of range = 2");
    EXPECT_EQ(MessageOf<ERangeError>([&] { Matrix->SetValue(-1, 0, 9); }),
              "Row out of range = 4294967295");
    EXPECT_EQ(MessageOf<ERangeError>([&] { Matrix->SetValue(0, -1, 9); }),
              "Column out of range = 4294967295");
    Matrix->SetValue(1, 0, 9);
    EXPECT_EQ(Matrix->Read()[3], 9);
}

TEST(MatrixBufferTest, RowAccessOutsideTheMatrixRaises) {
    TKvRealMatrixBufferPtr Matrix = Matrix23();
    EXPECT_EQ(Values(Matrix->GetRow(1)), (std::vector<double>{3, 4, 5}));
    EXPECT_EQ(MessageOf<ERangeError>([&] { Matrix->GetRow(2); }), "Row out of range = 2");
    EXPECT_EQ(MessageOf<ERangeError>([&] { Matrix->SetRow(-1, Real({1})); }),
              "Row out of range = 4294967295");
    EXPECT_EQ(Matrix->GetRowLength(0), 3);
    Matrix->SetRow(0, Real({7, 8}));
    EXPECT_EQ(Values(Matrix->GetRow(0)), (std::vector<double>{7, 8, 2}))
        << "a short row keeps the rest";
    Matrix->SetRow(1, Real({1, 1, 1, 1, 1}));
    EXPECT_EQ(Values(Matrix->GetRow(1)), (std::vector<double>{1, 1, 1}));
}

TEST(MatrixBufferTest, CopiesShareUntilOneWrites) {
    TKvRealMatrixBufferPtr Matrix = Matrix23();
    TKvRealMatrixBufferPtr Copy = As<IKvRealMatrixBuffer>(Matrix->MakeCopy());
    EXPECT_EQ(Copy->GetRows(), 2);
    EXPECT_EQ(Copy->GetCols(), 3);
    EXPECT_EQ(ContainerOf(Copy), ContainerOf(Matrix));
    Copy->SetValue(0, 0, 42);
    EXPECT_EQ(Matrix->GetValue(0, 0), 0);
    EXPECT_TRUE(As<IKvDataBuffer>(Matrix)->IsEqual(As<IKvDataBuffer>(Matrix23())));
    EXPECT_FALSE(As<IKvDataBuffer>(Matrix)->IsEqual(TKvRealBuffer::CreateUniversal(Matrix)))
        << "a real buffer is not a matrix";
}

TEST(MatrixBufferTest, ArrayOperationsGoRowByRowOverTheCommonPart) {
    TKvRealMatrixBufferPtr Matrix = Matrix23();
    const double Ones[] = {1, 1};
    TKvRealMatrixBufferPtr Small = TKvRealMatrixBuffer::CreateData(Ones, 1, 2);
    Matrix->AddArray(Small);
    EXPECT_EQ(Values(Matrix->GetRow(0)), (std::vector<double>{1, 2, 2}));
    EXPECT_EQ(Values(Matrix->GetRow(1)), (std::vector<double>{3, 4, 5}));
    Matrix->MultiplyArray(TKvRealMatrixBuffer::CreateValue(2, 3, 3));
    EXPECT_EQ(Values(Matrix->GetRow(1)), (std::vector<double>{6, 8, 10}));
    Matrix->SubtractArray(TKvRealMatrixBuffer::CreateValue(1, 2, 3));
    EXPECT_EQ(Values(Matrix->GetRow(0)), (std::vector<double>{1, 3, 3}));
    const double Divisors[] = {0, 0, 1, 1, 1, 1};
    Matrix->SetValue(0, 1, -3);
    Matrix->DivideArray(TKvRealMatrixBuffer::CreateData(Divisors, 2, 3));
    EXPECT_EQ(Values(Matrix->GetRow(0)), (std::vector<double>{1e15, -1e14, 3}));
}

TEST(MatrixBufferTest, ConstantsFollowTheRealSkipRules) {
    TKvRealMatrixBufferPtr Matrix = Matrix23();
    TKvRealMatrixBufferPtr Copy = TKvRealMatrixBuffer::CreateCopy(Matrix);
    Matrix->AddConstant(0);
    Matrix->SubtractConstant(0);
    Matrix->MultiplyConstant(1);
    Matrix->DivideConstant(1);
    Matrix->DivideConstant(0);
    EXPECT_EQ(ContainerOf(Matrix), ContainerOf(Copy));
    Matrix->AddConstant(1);
    Matrix->MultiplyConstant(2);
    Matrix->SubtractConstant(2);
    Matrix->DivideConstant(2);
    EXPECT_EQ(Values(Matrix->GetRow(1)), (std::vector<double>{3, 4, 5}));
    EXPECT_EQ(Values(Copy->GetRow(1)), (std::vector<double>{3, 4, 5}));
    EXPECT_EQ(Matrix->GetValue(0, 0), 0);
    Matrix->SetConstant(4);
    EXPECT_EQ(Matrix->GetValue(1, 2), 4);
    Matrix->Zero();
    EXPECT_EQ(Matrix->GetValue(1, 2), 0);
}

TEST(MatrixBufferTest, ResizeMatrixFollowsTheVectorRules) {
    TKvRealMatrixBufferPtr Matrix = Matrix23();
    TKvSmartBuffer* Before = ContainerOf(Matrix);
    Matrix->ResizeMatrix(3, 2, true);
    EXPECT_EQ(ContainerOf(Matrix), Before) << "the same number of values";
    EXPECT_EQ(Matrix->GetValue(2, 1), 5);
    Matrix->ResizeMatrix(4, 4, true);
    EXPECT_EQ(As<IKvDataBuffer>(Matrix)->GetSize(), 16u);
    EXPECT_EQ(Matrix->Read()[5], 5) << "kept on reallocation";
    Matrix->ResizeMatrix(0, 4, true);
    EXPECT_EQ(As<IKvDataBuffer>(Matrix)->GetByteSize(), 0u);
    EXPECT_THROW(Matrix->GetRow(0), ERangeError);
    EXPECT_THROW(Matrix->ResizeMatrix(-1, 2, true), ERangeError);
    EXPECT_EQ(Matrix->GetRows(), 0);
}

TEST(MatrixBufferTest, CreateUniversalFromAMatrixAnArrayViewOrAnyDataBuffer) {
    TKvRealMatrixBufferPtr Matrix = Matrix23();
    TKvRealMatrixBufferPtr Shared = TKvRealMatrixBuffer::CreateUniversal(Matrix);
    EXPECT_EQ(ContainerOf(Shared), ContainerOf(Matrix));
    EXPECT_EQ(Shared->GetRows(), 2);
    TKvRealMatrixBufferPtr Row = TKvRealMatrixBuffer::CreateUniversal(Real({1, 2, 3, 4}));
    EXPECT_EQ(Row->GetRows(), 1);
    EXPECT_EQ(Row->GetCols(), 4);
    EXPECT_EQ(Row->GetValue(0, 3), 4);
    EXPECT_THROW(TKvRealMatrixBuffer::CreateUniversal(TKvDataPtr()), EIntfCastError);
}

TEST(MatrixBufferTest, AssignArrayOfASquareMatrixCopiesItsRows) {
    const double Data[] = {1, 2, 3, 4};
    TKvRealMatrixBufferPtr Source = TKvRealMatrixBuffer::CreateData(Data, 2, 2);
    TKvRealMatrixBufferPtr Target = TKvRealMatrixBuffer::Create();
    Target->AssignArray(Source);
    EXPECT_TRUE(As<IKvDataBuffer>(Target)->IsEqual(As<IKvDataBuffer>(Source)));
    EXPECT_NE(ContainerOf(Target), ContainerOf(Source));
    Target->AssignArray(Target);
    EXPECT_TRUE(As<IKvDataBuffer>(Target)->IsEqual(As<IKvDataBuffer>(Source)));
    // Swapped answers of a non-square source: whatever comes of it stays inside the matrix.
    Target->AssignArray(Matrix23());
    EXPECT_EQ(Target->GetRows(), 3);
    EXPECT_EQ(Target->GetCols(), 2);
}

TEST(MatrixBufferTest, AMatrixViewingTooFewValuesRefusesTheRowsItCannotHold) {
    TKvRealMatrixBufferPtr Matrix = Matrix23();
    // A generic assign takes the bytes but not the shape.
    dynamic_cast<TKvGenericBuffer*>(Matrix->GetInstance())->Assign(Real({1, 2, 3, 4}));
    EXPECT_EQ(Matrix->GetValue(0, 2), 3);
    EXPECT_THROW(Matrix->GetValue(1, 0), ERangeError);
    EXPECT_THROW(Matrix->GetRow(1), ERangeError);
    Matrix->AddArray(Matrix23());
    EXPECT_EQ(Matrix->GetValue(0, 2), 5);
}

} // namespace
