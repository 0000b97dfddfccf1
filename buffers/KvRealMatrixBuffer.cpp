#include "buffers/KvRealMatrixBuffer.h"

#include "buffers/KvBufferSupport.h"
#include "buffers/KvRealBuffer.h"
#include "primitives/IppDispatch.h"

using namespace kvbuffers;

namespace {

uint64_t CheckedCount(int32_t ARows, int32_t ACols) {
    if (ACols < 0)
        KvRangeError("Column out of range = %u", ACols);
    if (ARows < 0)
        KvRangeError("Row out of range = %u", ARows);
    return uint64_t(uint32_t(ARows)) * uint32_t(ACols);
}

} // namespace

TKvRealMatrixBuffer::TKvRealMatrixBuffer(int32_t ARows, int32_t ACols, const void* AData)
    : TKvMemoryBuffer(CheckedCount(ARows, ACols) * sizeof(double), AData), FCols(ACols),
      FRows(ARows) {}

TKvRealMatrixBuffer::TKvRealMatrixBuffer(TKvGenericBuffer* AOther, int32_t ARows, int32_t ACols)
    : TKvMemoryBuffer(AOther), FCols(ACols), FRows(ARows) {}

TKvRealMatrixBufferPtr TKvRealMatrixBuffer::Create() {
    return TKvRealMatrixBufferPtr(new TKvRealMatrixBuffer(0, 0, nullptr));
}

TKvRealMatrixBufferPtr TKvRealMatrixBuffer::CreateSize(int32_t ARows, int32_t ACols) {
    return TKvRealMatrixBufferPtr(new TKvRealMatrixBuffer(ARows, ACols, nullptr));
}

TKvRealMatrixBufferPtr TKvRealMatrixBuffer::CreateData(const double* AData, int32_t ARows,
                                                       int32_t ACols) {
    return TKvRealMatrixBufferPtr(new TKvRealMatrixBuffer(ARows, ACols, AData));
}

TKvRealMatrixBufferPtr TKvRealMatrixBuffer::CreateValue(double AValue, int32_t ARows,
                                                        int32_t ACols) {
    TKvRealMatrixBufferPtr Matrix = CreateSize(ARows, ACols);
    Matrix->SetConstant(AValue);
    return Matrix;
}

TKvRealMatrixBufferPtr TKvRealMatrixBuffer::CreateCopy(const TKvRealMatrixBufferPtr& Other) {
    auto* Matrix = static_cast<TKvRealMatrixBuffer*>(Implementor(Need(Other)));
    return TKvRealMatrixBufferPtr(new TKvRealMatrixBuffer(Matrix, Matrix->FRows, Matrix->FCols));
}

TKvRealMatrixBufferPtr TKvRealMatrixBuffer::CreateUniversal(const TKvDataPtr& Other) {
    if (!Other)
        KvIntfCastError();
    if (auto* Matrix = dynamic_cast<TKvRealMatrixBuffer*>(Other->GetInstance()))
        return TKvRealMatrixBufferPtr(
            new TKvRealMatrixBuffer(Matrix, Matrix->FRows, Matrix->FCols));
    TKvRealBufferArrayPtr Array;
    if (Supports(Other, Array)) {
        const int32_t Cols = Array->GetRows();
        TKvRealMatrixBufferPtr Result = CreateSize(Array->GetCols(), Cols);
        double* Data = Result->Write();
        for (int32_t I = 0; I < Result->GetRows(); ++I) {
            double* Row = Data + int64_t{I} * Cols;
            uint32_t N = 0;
            if (I < Array->GetRows()) {
                TKvRealBufferPtr Item = Array->GetRow(I);
                N = MinSize(Item->GetSize(), static_cast<uint32_t>(Cols));
                ippsCopy_64f(Item->Read(), Row, Len(N));
            }
            ippsZero_64f(Row + N, Cols - Len(N));
        }
        return Result;
    }
    TKvDataBufferPtr Buffer;
    if (!Supports(Other, Buffer))
        KvIntfCastError();
    TKvGenericBuffer* Generic = Implementor(Buffer.get());
    return TKvRealMatrixBufferPtr(new TKvRealMatrixBuffer(
        Generic, 1, static_cast<int32_t>(Generic->GetByteSize() / sizeof(double))));
}

void* TKvRealMatrixBuffer::QueryInterface(const TGUID& AIID) noexcept {
    if (void* R = KvFindInterface<IKvRealMatrixBuffer>(this, AIID))
        return R;
    return TKvMemoryBuffer::QueryInterface(AIID);
}

TKvDataPtr TKvRealMatrixBuffer::MakeCopy() {
    return TKvDataPtr(
        static_cast<IKvRealMatrixBuffer*>(new TKvRealMatrixBuffer(this, FRows, FCols)));
}

bool TKvRealMatrixBuffer::IsEqual(const TKvDataBufferPtr& Other) {
    return IsEqualAs<TKvRealMatrixBuffer>(Other);
}

int32_t TKvRealMatrixBuffer::RowsHeld() {
    if (FCols <= 0)
        return FRows;
    const int64_t Held = GetSize() / static_cast<uint32_t>(FCols);
    return Held < FRows ? static_cast<int32_t>(Held) : FRows;
}

uint32_t TKvRealMatrixBuffer::ValueCount() {
    const uint64_t Count = uint64_t(uint32_t(FRows)) * uint32_t(FCols);
    return Count < GetSize() ? static_cast<uint32_t>(Count) : GetSize();
}

void TKvRealMatrixBuffer::CheckRow(int32_t ARow) {
    if (ARow < 0 || ARow >= RowsHeld())
        KvRangeError("Row out of range = %u", ARow);
}

void TKvRealMatrixBuffer::AssignArray(const TKvRealBufferArrayPtr& Source) {
    if (Need(Source)->GetInstance() == GetInstance())
        return;
    const int32_t SourceRows = Source->GetRows();
    ResizeMatrix(Source->GetCols(), SourceRows, false);
    const int32_t Rows = SourceRows < FRows ? SourceRows : FRows;
    for (int32_t I = 0; I < Rows; ++I)
        SetRow(I, Source->GetRow(I));
}

TKvRealBufferPtr TKvRealMatrixBuffer::GetRow(int32_t ARow) {
    CheckRow(ARow);
    return TKvRealBuffer::CreateData(Read() + int64_t{ARow} * FCols, static_cast<uint32_t>(FCols));
}

void TKvRealMatrixBuffer::SetRow(int32_t ARow, const TKvRealBufferPtr& ABuffer) {
    CheckRow(ARow);
    const uint32_t N = MinSize(static_cast<uint32_t>(FCols), Need(ABuffer)->GetSize());
    const double* Src = ABuffer->Read();
    ippsCopy_64f(Src, Modify() + int64_t{ARow} * FCols, Len(N));
}

double TKvRealMatrixBuffer::GetValue(int32_t ARow, int32_t ACol) {
    if (ACol < 0 || ACol >= FCols)
        KvRangeError("Column out of range = %u", ACol);
    CheckRow(ARow);
    return Read()[int64_t{ARow} * FCols + ACol];
}

void TKvRealMatrixBuffer::SetValue(int32_t ARow, int32_t ACol, double AValue) {
    if (ACol < 0 || ACol >= FCols)
        KvRangeError("Column out of range = %u", ACol);
    CheckRow(ARow);
    Modify()[int64_t{ARow} * FCols + ACol] = AValue;
}

template <class TOp>
void TKvRealMatrixBuffer::ArrayOp(const TKvRealBufferArrayPtr& Source, TOp AOp) {
    const int32_t SourceRows = Need(Source)->GetRows();
    const int32_t Held = RowsHeld();
    const int32_t Rows = SourceRows < Held ? SourceRows : Held;
    for (int32_t I = 0; I < Rows; ++I) {
        TKvRealBufferPtr Item = Source->GetRow(I);
        const uint32_t N = MinSize(Item->GetSize(), static_cast<uint32_t>(FCols));
        const double* Src = Item->Read();
        AOp(Src, Modify() + int64_t{I} * FCols, Len(N));
    }
}

void TKvRealMatrixBuffer::AddArray(const TKvRealBufferArrayPtr& Source) {
    ArrayOp(Source, ippsAdd_64f_I);
}

void TKvRealMatrixBuffer::SubtractArray(const TKvRealBufferArrayPtr& Source) {
    ArrayOp(Source, ippsSub_64f_I);
}

void TKvRealMatrixBuffer::MultiplyArray(const TKvRealBufferArrayPtr& Source) {
    ArrayOp(Source, ippsMul_64f_I);
}

void TKvRealMatrixBuffer::DivideArray(const TKvRealBufferArrayPtr& Source) {
    ArrayOp(Source, DivideReal);
}

void TKvRealMatrixBuffer::SetConstant(double AValue) {
    ippsSet_64f(AValue, Write(), Len(ValueCount()));
}

void TKvRealMatrixBuffer::AddConstant(double AValue) {
    if (AValue != 0)
        ippsAddC_64f_I(AValue, Modify(), Len(ValueCount()));
}

void TKvRealMatrixBuffer::SubtractConstant(double AValue) {
    if (AValue != 0)
        ippsSubC_64f_I(AValue, Modify(), Len(ValueCount()));
}

void TKvRealMatrixBuffer::MultiplyConstant(double AValue) {
    if (AValue != 1)
        ippsMulC_64f_I(AValue, Modify(), Len(ValueCount()));
}

void TKvRealMatrixBuffer::DivideConstant(double AValue) {
    if (AValue != 0 && AValue != 1)
        ippsDivC_64f_I(AValue, Modify(), Len(ValueCount()));
}

void TKvRealMatrixBuffer::Zero() {
    ippsZero_64f(Write(), Len(ValueCount()));
}

void TKvRealMatrixBuffer::ResizeMatrix(int32_t ARows, int32_t ACols, bool Preserve) {
    const uint64_t Count = CheckedCount(ARows, ACols);
    if (ARows == FRows && ACols == FCols)
        return;
    if (Count == 0) {
        FCharSize = 0;
        RefreshDataPtr();
    } else {
        ResizeElements(Count, Preserve);
    }
    FRows = ARows;
    FCols = ACols;
}
