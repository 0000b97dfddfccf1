#include "pins/streams/JwStdTypesPins.h"

#include "pins/streams/JwStdTypes.h"

namespace {

template <class TOp> TOp* As(const TJwNotifyOperationPtr& AOperation) {
    return AOperation ? dynamic_cast<TOp*>(AOperation->Instance()) : nullptr;
}

} // namespace

TJwClockSourcePin::TJwClockSourcePin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock,
                                     const TIntfPtr<IJwLock>& AInputOwnerLock)
    : TJwClockSourcePin(AOwner, nullptr, AOwnerLock, AInputOwnerLock) {}

TJwClockSourcePin::TJwClockSourcePin(TComponent* AOwner, TJwNotifyEvent AOnNotify,
                                     const TIntfPtr<IJwLock>& AOwnerLock,
                                     const TIntfPtr<IJwLock>& AInputOwnerLock)
    : TJwSourcePin(AOwner, AOwnerLock, AInputOwnerLock), FOnNotify(std::move(AOnNotify)) {
    JwStdTypesInitialize();
    StreamType.AddType(JwStdTypeID::Clock);
}

bool TJwClockSourcePin::Clock() {
    return Notify(TJwNotifyOperationPtr(new TJwClockOperation));
}

bool TJwClockSourcePin::Notify(const TJwNotifyOperationPtr& AOperation) {
    return FOnNotify ? FOnNotify(this, AOperation) : TJwSourcePin::Notify(AOperation);
}

TJwFloatSourcePin::TJwFloatSourcePin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock,
                                     const TIntfPtr<IJwLock>& AInputOwnerLock)
    : TJwFloatSourcePin(AOwner, nullptr, AOwnerLock, AInputOwnerLock) {}

TJwFloatSourcePin::TJwFloatSourcePin(TComponent* AOwner, TJwNotifyEvent AOnNotify,
                                     const TIntfPtr<IJwLock>& AOwnerLock,
                                     const TIntfPtr<IJwLock>& AInputOwnerLock)
    : TJwClockSourcePin(AOwner, std::move(AOnNotify), AOwnerLock, AInputOwnerLock) {
    StreamType.AddType(JwStdTypeID::Float);
}

float TJwFloatSourcePin::GetValue() {
    const auto Section = ReadLock();
    return FValue;
}

void TJwFloatSourcePin::SetValue(float AValue) {
    {
        const auto Section = WriteLock();
        if (FValue == AValue)
            return;
        FValue = AValue;
    }
    Notify(TJwNotifyOperationPtr(new TJwSuppliedSingleOperation(AValue)));
}

TJwNotifyOperationPtr TJwFloatSourcePin::CurrentValueOperation() {
    return TJwNotifyOperationPtr(new TJwSuppliedSingleOperation(GetValue()));
}

TJwRealSourcePin::TJwRealSourcePin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock,
                                   const TIntfPtr<IJwLock>& AInputOwnerLock)
    : TJwRealSourcePin(AOwner, nullptr, AOwnerLock, AInputOwnerLock) {}

TJwRealSourcePin::TJwRealSourcePin(TComponent* AOwner, TJwNotifyEvent AOnNotify,
                                   const TIntfPtr<IJwLock>& AOwnerLock,
                                   const TIntfPtr<IJwLock>& AInputOwnerLock)
    : TJwClockSourcePin(AOwner, std::move(AOnNotify), AOwnerLock, AInputOwnerLock) {
    StreamType.AddType(JwStdTypeID::Float);
    StreamType.AddType(JwStdTypeID::Real);
}

double TJwRealSourcePin::GetValue() {
    const auto Section = ReadLock();
    return FValue;
}

void TJwRealSourcePin::SetValue(double AValue) {
    {
        const auto Section = WriteLock();
        if (FValue == AValue)
            return;
        FValue = AValue;
    }
    Notify(TJwNotifyOperationPtr(new TJwSuppliedRealOperation(AValue)));
}

void TJwRealSourcePin::SubmitReal(double AValue) {
    {
        const auto Section = WriteLock();
        FValue = AValue;
    }
    Notify(TJwNotifyOperationPtr(new TJwSuppliedRealOperation(AValue)));
}

TJwNotifyOperationPtr TJwRealSourcePin::AdaptOperation(TJwPin*, const TGUID& AID,
                                                       const TJwNotifyOperationPtr& AOperation) {
    if (auto* Op = As<TJwSuppliedRealOperation>(AOperation); Op && AID == JwStdTypeID::Float)
        return TJwNotifyOperationPtr(
            new TJwSuppliedSingleOperation(static_cast<float>(Op->GetValue())));
    return AOperation;
}

TJwNotifyOperationPtr TJwRealSourcePin::CurrentValueOperation() {
    return TJwNotifyOperationPtr(new TJwSuppliedRealOperation(GetValue()));
}

TJwRealRangedSourcePin::TJwRealRangedSourcePin(TComponent* AOwner,
                                               const TIntfPtr<IJwLock>& AOwnerLock,
                                               const TIntfPtr<IJwLock>& AInputOwnerLock)
    : TJwSourcePin(AOwner, AOwnerLock, AInputOwnerLock) {
    JwStdTypesInitialize();
    StreamType.AddType(JwStdTypeID::RangedReal);
}

double TJwRealRangedSourcePin::GetValue() {
    const auto Section = ReadLock();
    return FValue;
}

double TJwRealRangedSourcePin::GetMin() {
    const auto Section = ReadLock();
    return FMin;
}

double TJwRealRangedSourcePin::GetMax() {
    const auto Section = ReadLock();
    return FMax;
}

void TJwRealRangedSourcePin::Change(double AValue, double AMin, double AMax) {
    {
        const auto Section = WriteLock();
        if (FValue == AValue && FMin == AMin && FMax == AMax)
            return;
        FValue = AValue;
        FMin = AMin;
        FMax = AMax;
    }
    Notify(TJwNotifyOperationPtr(new TJwSuppliedRealValueRangeOperation(AValue, AMin, AMax)));
}

void TJwRealRangedSourcePin::SetValue(double AValue) {
    Change(AValue, GetMin(), GetMax());
}

void TJwRealRangedSourcePin::SetMin(double AValue) {
    Change(GetValue(), AValue, GetMax());
}

void TJwRealRangedSourcePin::SetMax(double AValue) {
    Change(GetValue(), GetMin(), AValue);
}

void TJwRealRangedSourcePin::SubmitValueRange(double AValue, double AMin, double AMax) {
    Change(AValue, AMin, AMax);
}

void TJwRealRangedSourcePin::SubmitRange(double AMin, double AMax) {
    Change(GetValue(), AMin, AMax);
}

TJwNotifyOperationPtr TJwRealRangedSourcePin::CurrentValueOperation() {
    const auto Section = ReadLock();
    return TJwNotifyOperationPtr(new TJwSuppliedRealValueRangeOperation(FValue, FMin, FMax));
}

TJwValueSinkPin::TJwValueSinkPin(TComponent* AOwner, std::initializer_list<TGUID> ATypes,
                                 const TIntfPtr<IJwLock>& AOwnerLock)
    : TJwSinkPin(AOwner, AOwnerLock) {
    JwStdTypesInitialize();
    for (const auto& ID : ATypes)
        StreamType.AddType(ID, JwDefaultDispatcher(this));
}

bool TJwValueSinkPin::DispatchData(const TGUID& ADataTypeID,
                                   const TJwNotifyOperationPtr& AOperation, uint32_t) {
    {
        const auto Section = WriteLock();
        if (!TakeValue(ADataTypeID, AOperation))
            return false;
    }
    if (OnData)
        OnData(this);
    return true;
}

TJwRealSinkPin::TJwRealSinkPin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock)
    : TJwValueSinkPin(AOwner, {JwStdTypeID::Float, JwStdTypeID::Real}, AOwnerLock) {}

double TJwRealSinkPin::GetValue() {
    const auto Section = ReadLock();
    return FValue;
}

bool TJwRealSinkPin::TakeValue(const TGUID&, const TJwNotifyOperationPtr& AOperation) {
    if (auto* Op = As<TJwSuppliedRealOperation>(AOperation))
        FValue = Op->GetValue();
    else if (auto* Single = As<TJwSuppliedSingleOperation>(AOperation))
        FValue = Single->GetValue();
    else
        return false;
    return true;
}

TJwFloatSinkPin::TJwFloatSinkPin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock)
    : TJwValueSinkPin(AOwner, {JwStdTypeID::Float}, AOwnerLock) {}

float TJwFloatSinkPin::GetValue() {
    const auto Section = ReadLock();
    return FValue;
}

bool TJwFloatSinkPin::TakeValue(const TGUID&, const TJwNotifyOperationPtr& AOperation) {
    auto* Op = As<TJwSuppliedSingleOperation>(AOperation);
    if (Op)
        FValue = Op->GetValue();
    return Op != nullptr;
}

TJwIntegerSinkPin::TJwIntegerSinkPin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock)
    : TJwValueSinkPin(AOwner, {JwStdTypeID::Integer}, AOwnerLock) {}

int32_t TJwIntegerSinkPin::GetValue() {
    const auto Section = ReadLock();
    return FValue;
}

bool TJwIntegerSinkPin::TakeValue(const TGUID&, const TJwNotifyOperationPtr& AOperation) {
    auto* Op = As<TJwSuppliedIntegerOperation>(AOperation);
    if (Op)
        FValue = Op->GetValue();
    return Op != nullptr;
}

TJwInt64SinkPin::TJwInt64SinkPin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock)
    : TJwValueSinkPin(AOwner, {JwStdTypeID::Int64}, AOwnerLock) {}

int64_t TJwInt64SinkPin::GetValue() {
    const auto Section = ReadLock();
    return FValue;
}

bool TJwInt64SinkPin::TakeValue(const TGUID&, const TJwNotifyOperationPtr& AOperation) {
    auto* Op = As<TJwSuppliedInt64Operation>(AOperation);
    if (Op)
        FValue = Op->GetValue();
    return Op != nullptr;
}

TJwDateTimeSinkPin::TJwDateTimeSinkPin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock)
    : TJwValueSinkPin(AOwner, {JwStdTypeID::DateTime}, AOwnerLock) {}

double TJwDateTimeSinkPin::GetValue() {
    const auto Section = ReadLock();
    return FValue;
}

bool TJwDateTimeSinkPin::TakeValue(const TGUID&, const TJwNotifyOperationPtr& AOperation) {
    auto* Op = As<TJwSuppliedDateTimeOperation>(AOperation);
    if (Op)
        FValue = Op->GetValue();
    return Op != nullptr;
}

TJwIntAndRangedSinkPin::TJwIntAndRangedSinkPin(TComponent* AOwner,
                                               const TIntfPtr<IJwLock>& AOwnerLock)
    : TJwValueSinkPin(AOwner, {JwStdTypeID::Integer, JwStdTypeID::RangedInteger}, AOwnerLock) {}

int32_t TJwIntAndRangedSinkPin::GetValue() {
    const auto Section = ReadLock();
    return FValue;
}

int32_t TJwIntAndRangedSinkPin::GetMin() {
    const auto Section = ReadLock();
    return FMin;
}

int32_t TJwIntAndRangedSinkPin::GetMax() {
    const auto Section = ReadLock();
    return FMax;
}

bool TJwIntAndRangedSinkPin::TakeValue(const TGUID&, const TJwNotifyOperationPtr& AOperation) {
    if (auto* Ranged = As<TJwSuppliedIntegerRangeOperation>(AOperation)) {
        FValue = Ranged->GetValue();
        FMin = Ranged->GetMin();
        FMax = Ranged->GetMax();
    } else if (auto* Op = As<TJwSuppliedIntegerOperation>(AOperation)) {
        FValue = Op->GetValue();
    } else {
        return false;
    }
    return true;
}

TJwInt64AndRangedSinkPin::TJwInt64AndRangedSinkPin(TComponent* AOwner,
                                                   const TIntfPtr<IJwLock>& AOwnerLock)
    : TJwValueSinkPin(AOwner, {JwStdTypeID::Int64, JwStdTypeID::RangedInt64}, AOwnerLock) {}

int64_t TJwInt64AndRangedSinkPin::GetValue() {
    const auto Section = ReadLock();
    return FValue;
}

int64_t TJwInt64AndRangedSinkPin::GetMin() {
    const auto Section = ReadLock();
    return FMin;
}

int64_t TJwInt64AndRangedSinkPin::GetMax() {
    const auto Section = ReadLock();
    return FMax;
}

bool TJwInt64AndRangedSinkPin::TakeValue(const TGUID&, const TJwNotifyOperationPtr& AOperation) {
    if (auto* Ranged = As<TJwSuppliedInt64RangeOperation>(AOperation)) {
        FValue = Ranged->GetValue();
        FMin = Ranged->GetMin();
        FMax = Ranged->GetMax();
    } else if (auto* Op = As<TJwSuppliedInt64Operation>(AOperation)) {
        FValue = Op->GetValue();
    } else {
        return false;
    }
    return true;
}
