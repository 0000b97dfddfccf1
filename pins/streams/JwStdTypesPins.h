#pragma once
// Value pins: sources that send a value when it changes and answer a request
// for the current value, and sinks that keep the last value received.

#include <functional>

#include "pins/JwSinkPin.h"
#include "pins/JwSourcePin.h"

// Replaces a source's default sending (the CreateEx forms).
using TJwNotifyEvent =
    std::function<bool(TJwSourcePin* ASender, const TJwNotifyOperationPtr& AOperation)>;

class TJwClockSourcePin : public TJwSourcePin {
    Q_OBJECT
public:
    explicit TJwClockSourcePin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock = {},
                               const TIntfPtr<IJwLock>& AInputOwnerLock = {});
    TJwClockSourcePin(TComponent* AOwner, TJwNotifyEvent AOnNotify,
                      const TIntfPtr<IJwLock>& AOwnerLock = {},
                      const TIntfPtr<IJwLock>& AInputOwnerLock = {});

    bool Clock();
    bool Notify(const TJwNotifyOperationPtr& AOperation) override;

protected:
    ~TJwClockSourcePin() override = default;

private:
    TJwNotifyEvent FOnNotify;
};

class TJwFloatSourcePin : public TJwClockSourcePin {
    Q_OBJECT
public:
    explicit TJwFloatSourcePin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock = {},
                               const TIntfPtr<IJwLock>& AInputOwnerLock = {});
    TJwFloatSourcePin(TComponent* AOwner, TJwNotifyEvent AOnNotify,
                      const TIntfPtr<IJwLock>& AOwnerLock = {},
                      const TIntfPtr<IJwLock>& AInputOwnerLock = {});

    float GetValue();
    // Sends only when AValue differs from the value held.
    void SetValue(float AValue);

protected:
    ~TJwFloatSourcePin() override = default;
    TJwNotifyOperationPtr CurrentValueOperation() override;

private:
    float FValue = 0;
};

class TJwRealSourcePin : public TJwClockSourcePin {
    Q_OBJECT
public:
    explicit TJwRealSourcePin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock = {},
                              const TIntfPtr<IJwLock>& AInputOwnerLock = {});
    TJwRealSourcePin(TComponent* AOwner, TJwNotifyEvent AOnNotify,
                     const TIntfPtr<IJwLock>& AOwnerLock = {},
                     const TIntfPtr<IJwLock>& AInputOwnerLock = {});

    double GetValue();
    // Sends only when AValue differs from the value held.
    void SetValue(double AValue);
    // Stores and sends, changed or not.
    void SubmitReal(double AValue);

protected:
    ~TJwRealSourcePin() override = default;
    // "Float" receivers get the value narrowed to single precision.
    TJwNotifyOperationPtr AdaptOperation(TJwPin* AReceiver, const TGUID& AID,
                                         const TJwNotifyOperationPtr& AOperation) override;
    TJwNotifyOperationPtr CurrentValueOperation() override;

private:
    double FValue = 0;
};

class TJwRealRangedSourcePin : public TJwSourcePin {
    Q_OBJECT
public:
    explicit TJwRealRangedSourcePin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock = {},
                                    const TIntfPtr<IJwLock>& AInputOwnerLock = {});

    double GetValue();
    double GetMin();
    double GetMax();
    // Each sends the value with its range when something changed.
    void SetValue(double AValue);
    void SetMin(double AValue);
    void SetMax(double AValue);
    void SubmitValueRange(double AValue, double AMin, double AMax);
    void SubmitRange(double AMin, double AMax);

protected:
    ~TJwRealRangedSourcePin() override = default;
    TJwNotifyOperationPtr CurrentValueOperation() override;

private:
    void Change(double AValue, double AMin, double AMax);
    double FValue = 0;
    double FMin = 0;
    double FMax = 0;
};

// Base of the value sinks: the standard value send function delivers to
// DispatchData, which keeps the value and raises OnData.
class TJwValueSinkPin : public TJwSinkPin, public IJwDataStream {
    Q_OBJECT
public:
    TJwValueSinkPin(TComponent* AOwner, std::initializer_list<TGUID> ATypes,
                    const TIntfPtr<IJwLock>& AOwnerLock);

    bool DispatchData(const TGUID& ADataTypeID, const TJwNotifyOperationPtr& AOperation,
                      uint32_t AState) override;

    std::function<void(TJwValueSinkPin* ASender)> OnData;

protected:
    ~TJwValueSinkPin() override = default;
    // Keeps the value of AOperation; false for an operation without one.
    virtual bool TakeValue(const TGUID& ADataTypeID, const TJwNotifyOperationPtr& AOperation) = 0;
};

class TJwRealSinkPin : public TJwValueSinkPin {
    Q_OBJECT
public:
    explicit TJwRealSinkPin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock = {});
    double GetValue();

protected:
    ~TJwRealSinkPin() override = default;
    bool TakeValue(const TGUID& ADataTypeID, const TJwNotifyOperationPtr& AOperation) override;

private:
    double FValue = 0;
};

class TJwFloatSinkPin : public TJwValueSinkPin {
    Q_OBJECT
public:
    explicit TJwFloatSinkPin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock = {});
    float GetValue();

protected:
    ~TJwFloatSinkPin() override = default;
    bool TakeValue(const TGUID& ADataTypeID, const TJwNotifyOperationPtr& AOperation) override;

private:
    float FValue = 0;
};

class TJwIntegerSinkPin : public TJwValueSinkPin {
    Q_OBJECT
public:
    explicit TJwIntegerSinkPin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock = {});
    int32_t GetValue();

protected:
    ~TJwIntegerSinkPin() override = default;
    bool TakeValue(const TGUID& ADataTypeID, const TJwNotifyOperationPtr& AOperation) override;

private:
    int32_t FValue = 0;
};

class TJwInt64SinkPin : public TJwValueSinkPin {
    Q_OBJECT
public:
    explicit TJwInt64SinkPin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock = {});
    int64_t GetValue();

protected:
    ~TJwInt64SinkPin() override = default;
    bool TakeValue(const TGUID& ADataTypeID, const TJwNotifyOperationPtr& AOperation) override;

private:
    int64_t FValue = 0;
};

class TJwDateTimeSinkPin : public TJwValueSinkPin {
    Q_OBJECT
public:
    explicit TJwDateTimeSinkPin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock = {});
    double GetValue();

protected:
    ~TJwDateTimeSinkPin() override = default;
    bool TakeValue(const TGUID& ADataTypeID, const TJwNotifyOperationPtr& AOperation) override;

private:
    double FValue = 0;
};

class TJwIntAndRangedSinkPin : public TJwValueSinkPin {
    Q_OBJECT
public:
    explicit TJwIntAndRangedSinkPin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock = {});
    int32_t GetValue();
    int32_t GetMin();
    int32_t GetMax();

protected:
    ~TJwIntAndRangedSinkPin() override = default;
    bool TakeValue(const TGUID& ADataTypeID, const TJwNotifyOperationPtr& AOperation) override;

private:
    int32_t FValue = 0;
    int32_t FMin = 0;
    int32_t FMax = 0;
};

class TJwInt64AndRangedSinkPin : public TJwValueSinkPin {
    Q_OBJECT
public:
    explicit TJwInt64AndRangedSinkPin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock = {});
    int64_t GetValue();
    int64_t GetMin();
    int64_t GetMax();

protected:
    ~TJwInt64AndRangedSinkPin() override = default;
    bool TakeValue(const TGUID& ADataTypeID, const TJwNotifyOperationPtr& AOperation) override;

private:
    int64_t FValue = 0;
    int64_t FMin = 0;
    int64_t FMax = 0;
};
