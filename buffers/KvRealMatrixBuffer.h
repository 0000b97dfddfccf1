#pragma once
// Row-major matrices of doubles.

#include <cstdint>

#include "buffers/KvMemoryBuffer.h"

class TKvRealMatrixBuffer : public TKvMemoryBuffer, public virtual IKvRealMatrixBuffer {
public:
    static TKvRealMatrixBufferPtr Create();
    // Negative counts raise ERangeError; contents undefined.
    static TKvRealMatrixBufferPtr CreateSize(int32_t ARows, int32_t ACols);
    static TKvRealMatrixBufferPtr CreateData(const double* AData, int32_t ARows, int32_t ACols);
    static TKvRealMatrixBufferPtr CreateValue(double AValue, int32_t ARows, int32_t ACols);
    static TKvRealMatrixBufferPtr CreateCopy(const TKvRealMatrixBufferPtr& Other);
    // A matrix shares Other's data and shape; any other array is copied row
    // by row (rows = its GetCols answer, columns = its GetRows answer, short
    // rows filled with zeros); any other data buffer is shared as one row.
    static TKvRealMatrixBufferPtr CreateUniversal(const TKvDataPtr& Other);

    void* QueryInterface(const TGUID& AIID) noexcept override;
    TKvDataPtr MakeCopy() override;
    bool IsEqual(const TKvDataBufferPtr& Other) override;
    uint32_t GetElementSize() const override { return sizeof(double); }

    const double* Read() override { return reinterpret_cast<const double*>(ByteRead()); }
    double* Write() override { return static_cast<double*>(ByteWrite()); }
    double* Modify() override { return static_cast<double*>(ByteModify()); }

    void AssignArray(const TKvRealBufferArrayPtr& Source) override;
    int32_t GetCols() override { return FCols; }
    int32_t GetRows() override { return FRows; }
    int32_t GetRowLength(int32_t) override { return FCols; }
    // GetRow and SetRow raise ERangeError for a row outside the matrix.
    TKvRealBufferPtr GetRow(int32_t ARow) override;
    void SetRow(int32_t ARow, const TKvRealBufferPtr& ABuffer) override;
    // The column is checked first, then the row.
    double GetValue(int32_t ARow, int32_t ACol) override;
    void SetValue(int32_t ARow, int32_t ACol, double AValue) override;
    void AddArray(const TKvRealBufferArrayPtr& Source) override;
    void SubtractArray(const TKvRealBufferArrayPtr& Source) override;
    void MultiplyArray(const TKvRealBufferArrayPtr& Source) override;
    void DivideArray(const TKvRealBufferArrayPtr& Source) override;
    void SetConstant(double AValue) override;
    void AddConstant(double AValue) override;
    void SubtractConstant(double AValue) override;
    void MultiplyConstant(double AValue) override;
    void DivideConstant(double AValue) override;
    void Zero() override;
    void ResizeMatrix(int32_t ARows, int32_t ACols, bool Preserve) override;

protected:
    TKvRealMatrixBuffer(int32_t ARows, int32_t ACols, const void* AData);
    // Shares AOther's data, seen as ARows x ACols.
    TKvRealMatrixBuffer(TKvGenericBuffer* AOther, int32_t ARows, int32_t ACols);

private:
    // Rows whose values all lie within the data.
    int32_t RowsHeld();
    uint32_t ValueCount();
    void CheckRow(int32_t ARow);
    template <class TOp> void ArrayOp(const TKvRealBufferArrayPtr& Source, TOp AOp);

    int32_t FCols = 0;
    int32_t FRows = 0;
};
