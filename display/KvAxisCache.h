#pragma once
// Lazily computed axis limits. An axis keeps three pairs of ranges (data
// units, scale units, tick scale units), each read through these caches and
// recomputed only after an invalidation.

#include <functional>

class TKvDisplayCachedValue {
public:
    using TGetLimit = std::function<double()>;
    // Receives the new value minus the one held before.
    using TChangeEvent = std::function<void(double ADelta)>;

    explicit TKvDisplayCachedValue(TGetLimit AGetLimit) : FGetLimit(std::move(AGetLimit)) {}

    // The held value while populated and caching; otherwise the getter's,
    // which is then held (and reported when it is watched).
    double GetValue();
    void Invalidate() { FPopulated = false; }
    bool GetCache() const { return FCahce; }
    void SetCache(bool AValue) { FCahce = AValue; }

    TChangeEvent OnChange;

private:
    bool FCahce = true;
    bool FPopulated = false;
    double FValue = 0.0;
    TGetLimit FGetLimit;
};

class TKvScaleCachedMinMaxValue {
public:
    TKvScaleCachedMinMaxValue(TKvDisplayCachedValue::TGetLimit AGetMin,
                              TKvDisplayCachedValue::TGetLimit AGetMax)
        : FMin(std::move(AGetMin)), FMax(std::move(AGetMax)) {}

    TKvDisplayCachedValue& Min() { return FMin; }
    TKvDisplayCachedValue& Max() { return FMax; }
    void Invalidate() {
        FMin.Invalidate();
        FMax.Invalidate();
    }

private:
    TKvDisplayCachedValue FMin;
    TKvDisplayCachedValue FMax;
};

// The full range and the zoomed range of one unit.
class TKvLimitCachedMinMaxValue {
public:
    TKvLimitCachedMinMaxValue(TKvScaleCachedMinMaxValue AFull, TKvScaleCachedMinMaxValue AZoomed)
        : FFull(std::move(AFull)), FZoomed(std::move(AZoomed)) {}

    TKvScaleCachedMinMaxValue& Full() { return FFull; }
    TKvScaleCachedMinMaxValue& Zoomed() { return FZoomed; }
    void Invalidate() {
        FFull.Invalidate();
        FZoomed.Invalidate();
    }

private:
    TKvScaleCachedMinMaxValue FFull;
    TKvScaleCachedMinMaxValue FZoomed;
};
