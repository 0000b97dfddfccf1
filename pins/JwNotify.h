#pragma once
// Notify operations: what travels along connections. Every operation object
// carries an ID drawn from one process-wide counter; receivers tell the kinds
// apart by class (dynamic_cast on Instance()).

#include <cstdint>

#include <QString>

#include "platform/Interfaces.h"

class TJwNotifyOperation;

class IJwNotifyOperation : public IInterface {
public:
    using Parent = IInterface;
    static constexpr TGUID IID = TGUID::Parse("{379C0399-EF2D-420C-81C3-B5321F1B4418}");

    virtual uint32_t GetOperationID() const = 0;
    virtual TJwNotifyOperation* Instance() = 0;

protected:
    ~IJwNotifyOperation() = default;
};

using TJwNotifyOperationPtr = TIntfPtr<IJwNotifyOperation>;

class TJwNotifyOperation : public TInterfaced<IJwNotifyOperation> {
public:
    TJwNotifyOperation();
    uint32_t GetOperationID() const override { return FOperationID; }
    TJwNotifyOperation* Instance() override { return this; }

private:
    uint32_t FOperationID;
};

class TJwStartOperation : public TJwNotifyOperation {};

// A start that tells the rate of what follows.
class TJwStartRateOperation : public TJwStartOperation {
public:
    explicit TJwStartRateOperation(double ARate) : FRate(ARate) {}
    double GetRate() const { return FRate; }

private:
    double FRate;
};

class TJwStartSampleRateOperation : public TJwStartRateOperation {
public:
    using TJwStartRateOperation::TJwStartRateOperation;
};

class TJwStopOperation : public TJwNotifyOperation {};
class TJwEndStopOperation : public TJwNotifyOperation {};
class TJwFileEndNoStopOperation : public TJwNotifyOperation {};
// Sent upstream by a sink to ask for data.
class TJwMasterPumpOperation : public TJwNotifyOperation {};
class TJwClockOperation : public TJwNotifyOperation {};

// Base of the operations that carry data.
class TJwSuppliedOperation : public TJwNotifyOperation {};

class TJwSuppliedRealOperation : public TJwSuppliedOperation {
public:
    explicit TJwSuppliedRealOperation(double AValue) : FValue(AValue) {}
    double GetValue() const { return FValue; }

private:
    double FValue;
};

class TJwSuppliedSingleOperation : public TJwSuppliedOperation {
public:
    explicit TJwSuppliedSingleOperation(float AValue) : FValue(AValue) {}
    float GetValue() const { return FValue; }

private:
    float FValue;
};

class TJwSuppliedStringOperation : public TJwSuppliedOperation {
public:
    explicit TJwSuppliedStringOperation(QString AValue) : FValue(std::move(AValue)) {}
    const QString& GetValue() const { return FValue; }

private:
    QString FValue;
};

class TJwSuppliedRealRangeOperation : public TJwSuppliedOperation {
public:
    TJwSuppliedRealRangeOperation(double AMin, double AMax) : FMin(AMin), FMax(AMax) {}
    double GetMin() const { return FMin; }
    double GetMax() const { return FMax; }

private:
    double FMin;
    double FMax;
};

class TJwSuppliedRealValueRangeOperation : public TJwSuppliedRealRangeOperation {
public:
    TJwSuppliedRealValueRangeOperation(double AValue, double AMin, double AMax)
        : TJwSuppliedRealRangeOperation(AMin, AMax), FValue(AValue) {}
    double GetValue() const { return FValue; }

private:
    double FValue;
};
