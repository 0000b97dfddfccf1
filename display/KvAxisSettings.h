#pragma once
// The settings objects of an axis: its minimum and maximum with their limits,
// the label format, the major and minor ticks, the axis's zoom settings and
// its title. They share the display's lock; a change calls the owner's
// handler (OnChange), and the range limits lay the display out again.
//
// Floating-point settings refuse NaN (the value stays) and are held within
// +-KvAxisValueLimit, so that nothing derived from them overflows.

#include "display/KvAxisScale.h"
#include "display/KvAxisTypes.h"
#include "display/KvDisplayLabel.h"
#include "display/KvDisplayZoom.h"
#include "foundation/HxPersistentNotify.h"

class TKvDataDisplay;
class IKvDisplayAxis;
class TKvDisplayValueRange;

// One optional limit of a value range.
class TKvDisplayOptionalValue : public THxPersistent {
    Q_OBJECT
    Q_PROPERTY(double Value READ GetValue WRITE SetValue)
    Q_PROPERTY(bool Enabled READ GetEnabled WRITE SetEnabled)
public:
    TKvDisplayOptionalValue(TKvDisplayValueRange* ARange, TKvDataDisplay* ADisplay, double AValue);

    double GetValue() const;
    // Below 0 becomes 0 when the range is positive-only; a NaN is refused.
    void SetValue(double AValue);
    bool GetEnabled() const { return FLock->Getter(FEnabled); }
    void SetEnabled(bool AValue);

    TKvOptionalLimit Limit() const;

protected:
    ~TKvDisplayOptionalValue() override;

private:
    friend class TKvDisplayValueRange;
    friend class TKvDisplayAxisZoom;
    TKvDisplayValueRange* const FRange;
    TKvDataDisplay* const FDisplay;
    double FValue;
    bool FEnabled = false;
};

// Low and High limits, Low -1000 and High 1000, both disabled. Raising Low
// above High raises High with it; lowering High below Low lowers Low.
class TKvDisplayValueRange : public THxPersistent {
    Q_OBJECT
    Q_PROPERTY(TKvDisplayOptionalValue* High READ GetHigh WRITE SetHigh)
    Q_PROPERTY(TKvDisplayOptionalValue* Low READ GetLow WRITE SetLow)
public:
    TKvDisplayValueRange(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                         TKvDataDisplay* ADisplay, bool APositiveOnly = false);

    TKvDisplayOptionalValue* GetHigh() const { return FHigh.get(); }
    void SetHigh(TKvDisplayOptionalValue* AValue);
    TKvDisplayOptionalValue* GetLow() const { return FLow.get(); }
    void SetLow(TKvDisplayOptionalValue* AValue);
    bool PositiveOnly() const { return FPositiveOnly; }

    TKvValueLimits Limits() const;

protected:
    ~TKvDisplayValueRange() override;

private:
    friend class TKvDisplayOptionalValue;
    // The other end follows a value that crossed it.
    void ValueSet(TKvDisplayOptionalValue* AValue);

    const bool FPositiveOnly;
    TOwned<TKvDisplayOptionalValue> FHigh;
    TOwned<TKvDisplayOptionalValue> FLow;
};

class TKvBasicAxisValue : public THxPersistentNotify {
    Q_OBJECT
    Q_PROPERTY(bool AutoScale READ GetAutoScale WRITE SetAutoScale)
    Q_PROPERTY(double Value READ GetValue WRITE SetValue)
    Q_CLASSINFO("default:AutoScale", "True")
public:
    TKvBasicAxisValue(TPersistent* AOwnerProperty, const THxLockPtr& ALock, TNotifyEvent AOnChange);

    bool GetAutoScale() const { return FLock->Getter(FAutoScale); }
    void SetAutoScale(bool AValue) { FLock->Setter(FAutoScale, AValue, nullptr); }
    double GetValue() const;
    void SetValue(double AValue);

protected:
    ~TKvBasicAxisValue() override;

private:
    bool FAutoScale = true;
    double FValue = 0.0;
};

class TKvBasicRangedAxisValue : public TKvBasicAxisValue {
    Q_OBJECT
    Q_PROPERTY(TKvDisplayValueRange* Range READ GetRange WRITE SetRange)
    Q_PROPERTY(double DataValue READ GetDataValue WRITE SetDataValue)
public:
    TKvBasicRangedAxisValue(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                            TKvDataDisplay* ADisplay, TNotifyEvent AOnChange);

    TKvDisplayValueRange* GetRange() const { return FRange.get(); }
    void SetRange(TKvDisplayValueRange* AValue);
    double GetDataValue() const;
    void SetDataValue(double AValue);

protected:
    ~TKvBasicRangedAxisValue() override;

private:
    TOwned<TKvDisplayValueRange> FRange;
    double FDataValue = 0.0;
};

class TKvAxisValue : public TKvBasicRangedAxisValue {
    Q_OBJECT
    Q_PROPERTY(TKvBasicAxisValue* Tick READ GetTick WRITE SetTick)
public:
    TKvAxisValue(TPersistent* AOwnerProperty, const THxLockPtr& ALock, TKvDataDisplay* ADisplay,
                 TNotifyEvent AOnChange);

    TKvBasicAxisValue* GetTick() const { return FTick.get(); }
    void SetTick(TKvBasicAxisValue* AValue);

protected:
    ~TKvAxisValue() override;

private:
    TOwned<TKvBasicAxisValue> FTick;
};

class TKvMaxAxisValue : public TKvAxisValue {
    Q_OBJECT
    Q_PROPERTY(KvAxis::TKvMaxAxisMode Mode READ GetMode WRITE SetMode)
    Q_CLASSINFO("default:Mode", "mamValue")
public:
    TKvMaxAxisValue(TPersistent* AOwnerProperty, const THxLockPtr& ALock, TKvDataDisplay* ADisplay,
                    TNotifyEvent AOnChange);

    TKvMaxAxisMode GetMode() const;
    void SetMode(TKvMaxAxisMode AValue);

protected:
    ~TKvMaxAxisValue() override;

private:
    TKvMaxAxisMode FMode = mamValue;
};

// How tick labels are written; any change lays the display out again.
class TKvAxisFormat : public THxPersistent {
    Q_OBJECT
    Q_PROPERTY(KvAxis::TKvPrecisionMode PrecisionMode READ GetPrecisionMode WRITE SetPrecisionMode)
    Q_PROPERTY(int32_t Precision READ GetPrecision WRITE SetPrecision)
    Q_PROPERTY(bool FixedPrecision READ GetFixedPrecision WRITE SetFixedPrecision)
    Q_CLASSINFO("default:PrecisionMode", "dpmGeneral")
    Q_CLASSINFO("default:Precision", "3")
    Q_CLASSINFO("default:FixedPrecision", "False")
public:
    TKvAxisFormat(TPersistent* AOwnerProperty, const THxLockPtr& ALock, TKvDataDisplay* ADisplay);

    TKvPrecisionMode GetPrecisionMode() const;
    void SetPrecisionMode(TKvPrecisionMode AValue);
    int32_t GetPrecision() const { return FLock->Getter(FPrecision); }
    // Held to 0..18.
    void SetPrecision(int32_t AValue);
    bool GetFixedPrecision() const { return FLock->Getter(FFixedPrecision); }
    void SetFixedPrecision(bool AValue);

protected:
    ~TKvAxisFormat() override;

private:
    void Changed();

    TKvDataDisplay* const FDisplay;
    TKvPrecisionMode FPrecisionMode = dpmGeneral;
    int32_t FPrecision = 3;
    bool FFixedPrecision = false;
};

class TKvMajorTicksParam : public THxPersistentNotify {
    Q_OBJECT
    Q_PROPERTY(KvAxis::TKvMajorTicksMode Mode READ GetMode WRITE SetMode)
    Q_CLASSINFO("default:Mode", "mtmAuto")
public:
    TKvMajorTicksParam(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                       TNotifyEvent AOnChange);

    TKvMajorTicksMode GetMode() const;
    void SetMode(TKvMajorTicksMode AValue);

protected:
    ~TKvMajorTicksParam() override;

private:
    TKvMajorTicksMode FMode = mtmAuto;
};

// Ticks start at StartFrom when Mode is not mtmAuto.
class TKvTicksStart : public TKvMajorTicksParam {
    Q_OBJECT
    Q_PROPERTY(double StartFrom READ GetStartFrom WRITE SetStartFrom)
public:
    TKvTicksStart(TPersistent* AOwnerProperty, const THxLockPtr& ALock, TNotifyEvent AOnChange);

    double GetStartFrom() const;
    void SetStartFrom(double AValue);

protected:
    ~TKvTicksStart() override;

private:
    double FStartFrom = 0.0;
};

class TKvMajorTicks : public TKvMajorTicksParam {
    Q_OBJECT
    Q_PROPERTY(double Step READ GetStep WRITE SetStep)
    Q_PROPERTY(TKvTicksStart* StartFrom READ GetStartFrom WRITE SetStartFrom)
public:
    TKvMajorTicks(TPersistent* AOwnerProperty, const THxLockPtr& ALock, TNotifyEvent AOnChange);

    double GetStep() const;
    // A step that is not a positive number is stored as 1.
    void SetStep(double AValue);
    TKvTicksStart* GetStartFrom() const { return FStartFrom.get(); }
    void SetStartFrom(TKvTicksStart* AValue);

protected:
    ~TKvMajorTicks() override;

private:
    double FStep = 10.0;
    TOwned<TKvTicksStart> FStartFrom;
};

class TKvMinorTicks : public THxPersistentNotify {
    Q_OBJECT
    Q_PROPERTY(int32_t Count READ GetCount WRITE SetCount)
    Q_CLASSINFO("default:Count", "0")
public:
    TKvMinorTicks(TPersistent* AOwnerProperty, const THxLockPtr& ALock, TNotifyEvent AOnChange);

    int32_t GetCount() const { return FLock->Getter(FCount); }
    // A negative count is stored as 0.
    void SetCount(int32_t AValue);

protected:
    ~TKvMinorTicks() override;

private:
    int32_t FCount = 0;
};

// The zoom settings of one axis; IsZoomed, Min and Max read the axis.
class TKvDisplayAxisZoom : public TKvBasicDisplayZoom {
    Q_OBJECT
    Q_PROPERTY(bool MousePan READ GetMousePan WRITE SetMousePan)
    Q_PROPERTY(TKvDisplayValueRange* Range READ GetRange WRITE SetRange)
    Q_CLASSINFO("default:MousePan", "True")
public:
    TKvDisplayAxisZoom(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                       TKvDataDisplay* ADisplay, const IKvDisplayAxis* AAxis);

    bool GetMousePan() const { return FLock->Getter(FMousePan); }
    void SetMousePan(bool AValue) { FLock->Setter(FMousePan, AValue, nullptr); }
    // Positive-only; Low 1e-07 enabled, High 1e+08 disabled.
    TKvDisplayValueRange* GetRange() const { return FRange.get(); }
    void SetRange(TKvDisplayValueRange* AValue);

    bool IsZoomed() const;
    double Min() const;
    double Max() const;

protected:
    ~TKvDisplayAxisZoom() override;

private:
    const IKvDisplayAxis* const FAxis;
    bool FMousePan = true;
    TOwned<TKvDisplayValueRange> FRange;
};

// An axis title: visible, "Arial" 10 points bold, white.
class TKvDisplayTitleLabel : public TKvDisplayLabel {
    Q_OBJECT
public:
    TKvDisplayTitleLabel(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                         TNotifyEvent AOnChange);

protected:
    ~TKvDisplayTitleLabel() override;
};
