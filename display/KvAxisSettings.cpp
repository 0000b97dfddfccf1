#include "display/KvAxisSettings.h"

#include "display/KvAxisLabels.h"
#include "display/KvAxisTicks.h"
#include "display/KvDataDisplay.h"
#include "display/KvDisplayAxisList.h"
#include "display/KvLockedSet.h"

#include <cmath>

namespace {

// A setting's double as stored: NaN refused (the old value stays), the rest
// held within the value limit.
bool SetSoundDouble(IHxLock& ALock, double& AField, double AValue,
                    const THxPropUpdateFunc& AUpdate) {
    if (std::isnan(AValue))
        return false;
    return ALock.Setter(AField, KvSoundValue(AValue), AUpdate);
}

} // namespace

// TKvDisplayOptionalValue

TKvDisplayOptionalValue::TKvDisplayOptionalValue(TKvDisplayValueRange* ARange,
                                                 TKvDataDisplay* ADisplay, double AValue)
    : THxPersistent(ARange, ARange->Lock()), FRange(ARange), FDisplay(ADisplay), FValue(AValue) {}

TKvDisplayOptionalValue::~TKvDisplayOptionalValue() = default;

double TKvDisplayOptionalValue::GetValue() const {
    return FLock->Getter(FValue);
}

void TKvDisplayOptionalValue::SetValue(double AValue) {
    if (FRange->PositiveOnly() && AValue < 0)
        AValue = 0;
    SetSoundDouble(*FLock, FValue, AValue, [this] {
        FRange->ValueSet(this);
        if (FDisplay)
            FDisplay->InvalidateLayout();
    });
}

void TKvDisplayOptionalValue::SetEnabled(bool AValue) {
    FLock->Setter(FEnabled, AValue, [this] {
        if (FDisplay)
            FDisplay->InvalidateLayout();
    });
}

TKvOptionalLimit TKvDisplayOptionalValue::Limit() const {
    const TJwLockSectionPtr section = FLock->ReadLock();
    return {FValue, FEnabled};
}

// TKvDisplayValueRange

TKvDisplayValueRange::TKvDisplayValueRange(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                                           TKvDataDisplay* ADisplay, bool APositiveOnly)
    : THxPersistent(AOwnerProperty, ALock), FPositiveOnly(APositiveOnly),
      FHigh(MakeOwned<TKvDisplayOptionalValue>(this, ADisplay, 1000.0)),
      FLow(MakeOwned<TKvDisplayOptionalValue>(this, ADisplay, APositiveOnly ? 0.0 : -1000.0)) {}

TKvDisplayValueRange::~TKvDisplayValueRange() = default;

void TKvDisplayValueRange::SetHigh(TKvDisplayOptionalValue* AValue) {
    FHigh->Assign(AValue);
}

void TKvDisplayValueRange::SetLow(TKvDisplayOptionalValue* AValue) {
    FLow->Assign(AValue);
}

TKvValueLimits TKvDisplayValueRange::Limits() const {
    TKvValueLimits limits;
    limits.Low = FLow->Limit();
    limits.High = FHigh->Limit();
    limits.PositiveOnly = FPositiveOnly;
    return limits;
}

void TKvDisplayValueRange::ValueSet(TKvDisplayOptionalValue* AValue) {
    // Called under the write lock, right after AValue stored its value.
    if (AValue == FLow.get() && FLow->FValue > FHigh->FValue)
        FHigh->FValue = FLow->FValue;
    else if (AValue == FHigh.get() && FHigh->FValue < FLow->FValue)
        FLow->FValue = FHigh->FValue;
}

// TKvBasicAxisValue

TKvBasicAxisValue::TKvBasicAxisValue(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                                     TNotifyEvent AOnChange)
    : THxPersistentNotify(AOwnerProperty, ALock, std::move(AOnChange)) {}

TKvBasicAxisValue::~TKvBasicAxisValue() = default;

double TKvBasicAxisValue::GetValue() const {
    return FLock->Getter(FValue);
}

void TKvBasicAxisValue::SetValue(double AValue) {
    SetSoundDouble(*FLock, FValue, AValue, nullptr);
}

// TKvBasicRangedAxisValue

TKvBasicRangedAxisValue::TKvBasicRangedAxisValue(TPersistent* AOwnerProperty,
                                                 const THxLockPtr& ALock, TKvDataDisplay* ADisplay,
                                                 TNotifyEvent AOnChange)
    : TKvBasicAxisValue(AOwnerProperty, ALock, std::move(AOnChange)),
      FRange(MakeOwned<TKvDisplayValueRange>(this, Lock(), ADisplay)) {}

TKvBasicRangedAxisValue::~TKvBasicRangedAxisValue() = default;

void TKvBasicRangedAxisValue::SetRange(TKvDisplayValueRange* AValue) {
    FRange->Assign(AValue);
}

double TKvBasicRangedAxisValue::GetDataValue() const {
    return FLock->Getter(FDataValue);
}

void TKvBasicRangedAxisValue::SetDataValue(double AValue) {
    SetSoundDouble(*FLock, FDataValue, AValue, nullptr);
}

// TKvAxisValue

TKvAxisValue::TKvAxisValue(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                           TKvDataDisplay* ADisplay, TNotifyEvent AOnChange)
    : TKvBasicRangedAxisValue(AOwnerProperty, ALock, ADisplay, std::move(AOnChange)),
      FTick(MakeOwned<TKvBasicAxisValue>(this, Lock(), [this](TPersistent*) { LockChanged(); })) {}

TKvAxisValue::~TKvAxisValue() = default;

void TKvAxisValue::SetTick(TKvBasicAxisValue* AValue) {
    FTick->Assign(AValue);
}

// TKvMaxAxisValue

TKvMaxAxisValue::TKvMaxAxisValue(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                                 TKvDataDisplay* ADisplay, TNotifyEvent AOnChange)
    : TKvAxisValue(AOwnerProperty, ALock, ADisplay, std::move(AOnChange)) {}

TKvMaxAxisValue::~TKvMaxAxisValue() = default;

TKvMaxAxisMode TKvMaxAxisValue::GetMode() const {
    const TJwLockSectionPtr section = FLock->ReadLock();
    return FMode;
}

void TKvMaxAxisValue::SetMode(TKvMaxAxisMode AValue) {
    KvLockedSet(*FLock, FMode, AValue, nullptr);
}

// TKvAxisFormat

TKvAxisFormat::TKvAxisFormat(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                             TKvDataDisplay* ADisplay)
    : THxPersistent(AOwnerProperty, ALock), FDisplay(ADisplay) {}

TKvAxisFormat::~TKvAxisFormat() = default;

void TKvAxisFormat::Changed() {
    if (FDisplay)
        FDisplay->InvalidateLayout();
}

TKvPrecisionMode TKvAxisFormat::GetPrecisionMode() const {
    const TJwLockSectionPtr section = FLock->ReadLock();
    return FPrecisionMode;
}

void TKvAxisFormat::SetPrecisionMode(TKvPrecisionMode AValue) {
    KvLockedSet(*FLock, FPrecisionMode, AValue, [this] { Changed(); });
}

void TKvAxisFormat::SetPrecision(int32_t AValue) {
    FLock->SetterMinMax(FPrecision, AValue, 0, KvMaxAxisPrecision, [this] { Changed(); });
}

void TKvAxisFormat::SetFixedPrecision(bool AValue) {
    FLock->Setter(FFixedPrecision, AValue, [this] { Changed(); });
}

// Ticks

TKvMajorTicksParam::TKvMajorTicksParam(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                                       TNotifyEvent AOnChange)
    : THxPersistentNotify(AOwnerProperty, ALock, std::move(AOnChange)) {}

TKvMajorTicksParam::~TKvMajorTicksParam() = default;

TKvMajorTicksMode TKvMajorTicksParam::GetMode() const {
    const TJwLockSectionPtr section = FLock->ReadLock();
    return FMode;
}

void TKvMajorTicksParam::SetMode(TKvMajorTicksMode AValue) {
    KvLockedSet(*FLock, FMode, AValue, nullptr);
}

TKvTicksStart::TKvTicksStart(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                             TNotifyEvent AOnChange)
    : TKvMajorTicksParam(AOwnerProperty, ALock, std::move(AOnChange)) {}

TKvTicksStart::~TKvTicksStart() = default;

double TKvTicksStart::GetStartFrom() const {
    return FLock->Getter(FStartFrom);
}

void TKvTicksStart::SetStartFrom(double AValue) {
    SetSoundDouble(*FLock, FStartFrom, AValue, nullptr);
}

TKvMajorTicks::TKvMajorTicks(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                             TNotifyEvent AOnChange)
    : TKvMajorTicksParam(AOwnerProperty, ALock, std::move(AOnChange)),
      FStartFrom(MakeOwned<TKvTicksStart>(this, Lock(), [this](TPersistent*) { LockChanged(); })) {}

TKvMajorTicks::~TKvMajorTicks() = default;

double TKvMajorTicks::GetStep() const {
    return FLock->Getter(FStep);
}

void TKvMajorTicks::SetStep(double AValue) {
    FLock->Setter(FStep, KvSoundMajorStep(KvSoundValue(AValue, 1.0)), nullptr);
}

void TKvMajorTicks::SetStartFrom(TKvTicksStart* AValue) {
    FStartFrom->Assign(AValue);
}

TKvMinorTicks::TKvMinorTicks(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                             TNotifyEvent AOnChange)
    : THxPersistentNotify(AOwnerProperty, ALock, std::move(AOnChange)) {}

TKvMinorTicks::~TKvMinorTicks() = default;

void TKvMinorTicks::SetCount(int32_t AValue) {
    FLock->Setter(FCount, KvSoundMinorCount(AValue), nullptr);
}

// TKvDisplayAxisZoom

TKvDisplayAxisZoom::TKvDisplayAxisZoom(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                                       TKvDataDisplay* ADisplay, const IKvDisplayAxis* AAxis)
    : TKvBasicDisplayZoom(AOwnerProperty, ALock), FAxis(AAxis),
      FRange(MakeOwned<TKvDisplayValueRange>(this, Lock(), ADisplay, true)) {
    FRange->GetLow()->FValue = 1e-07;
    FRange->GetLow()->FEnabled = true;
    FRange->GetHigh()->FValue = 1e+08;
}

TKvDisplayAxisZoom::~TKvDisplayAxisZoom() = default;

void TKvDisplayAxisZoom::SetRange(TKvDisplayValueRange* AValue) {
    FRange->Assign(AValue);
}

bool TKvDisplayAxisZoom::IsZoomed() const {
    return FAxis && FAxis->GetIsZoomed();
}

double TKvDisplayAxisZoom::Min() const {
    return FAxis ? FAxis->GetZoomMin() : 0.0;
}

double TKvDisplayAxisZoom::Max() const {
    return FAxis ? FAxis->GetZoomMax() : 0.0;
}

// TKvDisplayTitleLabel

TKvDisplayTitleLabel::TKvDisplayTitleLabel(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                                           TNotifyEvent AOnChange)
    : TKvDisplayLabel(AOwnerProperty, ALock, nullptr) {
    // The owner hears changes from here on, not the defaults.
    GetFont()->SetStyle(TFont::fsBold);
    SetOnChange(std::move(AOnChange));
}

TKvDisplayTitleLabel::~TKvDisplayTitleLabel() = default;
