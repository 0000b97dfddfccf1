#include "pins/streams/JwStdTypesConverters.h"

#include "pins/streams/JwStdTypesOperations.h"

namespace {

template <class TIn> TIn* As(const TJwNotifyOperationPtr& AOperation) {
    return dynamic_cast<TIn*>(AOperation->Instance());
}

TJwNotifyOperationPtr Real(double AValue) {
    return TJwNotifyOperationPtr(new TJwSuppliedRealOperation(AValue));
}

TJwNotifyOperationPtr Single(double AValue) {
    return TJwNotifyOperationPtr(new TJwSuppliedSingleOperation(static_cast<float>(AValue)));
}

} // namespace

TJwNotifyOperationPtr
TJwIntToFloatFormatConverter::Convert(const TJwNotifyOperationPtr& AOperation) {
    if (auto* Op = As<TJwSuppliedIntegerOperation>(AOperation))
        return Single(Op->GetValue());
    return AOperation;
}

TJwNotifyOperationPtr
TJwIntToRealFormatConverter::Convert(const TJwNotifyOperationPtr& AOperation) {
    if (auto* Op = As<TJwSuppliedIntegerOperation>(AOperation))
        return Real(Op->GetValue());
    return AOperation;
}

TJwNotifyOperationPtr
TJwInt64ToFloatFormatConverter::Convert(const TJwNotifyOperationPtr& AOperation) {
    if (auto* Op = As<TJwSuppliedInt64Operation>(AOperation))
        return Single(static_cast<double>(Op->GetValue()));
    return AOperation;
}

TJwNotifyOperationPtr
TJwInt64ToRealFormatConverter::Convert(const TJwNotifyOperationPtr& AOperation) {
    if (auto* Op = As<TJwSuppliedInt64Operation>(AOperation))
        return Real(static_cast<double>(Op->GetValue()));
    return AOperation;
}

TJwNotifyOperationPtr
TJwFloatToRealFormatConverter::Convert(const TJwNotifyOperationPtr& AOperation) {
    if (auto* Op = As<TJwSuppliedSingleOperation>(AOperation))
        return Real(Op->GetValue());
    return AOperation;
}

TJwNotifyOperationPtr
TJwIntToRealRangedFormatConverter::Convert(const TJwNotifyOperationPtr& AOperation) {
    if (auto* Op = As<TJwSuppliedIntegerRangeOperation>(AOperation))
        return TJwNotifyOperationPtr(
            new TJwSuppliedRealValueRangeOperation(Op->GetValue(), Op->GetMin(), Op->GetMax()));
    return AOperation;
}

TJwNotifyOperationPtr
TJwInt64ToRealRangedFormatConverter::Convert(const TJwNotifyOperationPtr& AOperation) {
    if (auto* Op = As<TJwSuppliedInt64RangeOperation>(AOperation))
        return TJwNotifyOperationPtr(new TJwSuppliedRealValueRangeOperation(
            static_cast<double>(Op->GetValue()), static_cast<double>(Op->GetMin()),
            static_cast<double>(Op->GetMax())));
    return AOperation;
}
