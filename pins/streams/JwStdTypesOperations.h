#pragma once
// Operations that carry the integer, date/time and ranged values.

#include <cstdint>

#include "pins/JwNotify.h"

class TJwSuppliedIntegerOperation : public TJwSuppliedOperation {
public:
    explicit TJwSuppliedIntegerOperation(int32_t AValue) : FValue(AValue) {}
    int32_t GetValue() const { return FValue; }

private:
    int32_t FValue;
};

class TJwSuppliedInt64Operation : public TJwSuppliedOperation {
public:
    explicit TJwSuppliedInt64Operation(int64_t AValue) : FValue(AValue) {}
    int64_t GetValue() const { return FValue; }

private:
    int64_t FValue;
};

// A date and time as days since 1899-12-30, the fraction being the time of day.
class TJwSuppliedDateTimeOperation : public TJwSuppliedOperation {
public:
    explicit TJwSuppliedDateTimeOperation(double AValue) : FValue(AValue) {}
    double GetValue() const { return FValue; }

private:
    double FValue;
};

class TJwSuppliedIntegerRangeOperation : public TJwSuppliedOperation {
public:
    TJwSuppliedIntegerRangeOperation(int32_t AValue, int32_t AMin, int32_t AMax)
        : FValue(AValue), FMin(AMin), FMax(AMax) {}
    int32_t GetValue() const { return FValue; }
    int32_t GetMin() const { return FMin; }
    int32_t GetMax() const { return FMax; }

private:
    int32_t FValue;
    int32_t FMin;
    int32_t FMax;
};

class TJwSuppliedInt64RangeOperation : public TJwSuppliedOperation {
public:
    TJwSuppliedInt64RangeOperation(int64_t AValue, int64_t AMin, int64_t AMax)
        : FValue(AValue), FMin(AMin), FMax(AMax) {}
    int64_t GetValue() const { return FValue; }
    int64_t GetMin() const { return FMin; }
    int64_t GetMax() const { return FMax; }

private:
    int64_t FValue;
    int64_t FMin;
    int64_t FMax;
};
