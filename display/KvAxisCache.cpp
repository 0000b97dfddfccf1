#include "display/KvAxisCache.h"

double TKvDisplayCachedValue::GetValue() {
    if (FPopulated && FCahce)
        return FValue;
    const double old = FValue;
    FValue = FGetLimit ? FGetLimit() : 0.0;
    FPopulated = true;
    if (OnChange)
        OnChange(FValue - old);
    return FValue;
}
