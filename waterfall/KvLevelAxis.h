#pragma once
// The value axis beside the level view's colour bar: its look (colour, font,
// label precision, visibility, scale mode) and, in TKvLevelAxis, the level
// range the waterfall uses when it does not autoscale, and the label hook.
//
// The axis does not know the range it shows; its owner passes the minimum
// and maximum to the tick text. Changes raise the axis's OnChange, which the
// owning view answers.

#include "display/KvAxisTypes.h"
#include "foundation/HxPersistentNotify.h"
#include "foundation/KvDisplayFont.h"

#include <QString>

// The decimals of a tick text: Precision with FixedPrecision; otherwise
// Precision less the digits before the point of the span |AMax - AMin|
// (none for an empty span), one more below a span of 1, never below 0.
int32_t LevelPrecisionDigits(int32_t APrecision, bool AFixedPrecision, double AMin, double AMax);

// AValue with LevelPrecisionDigits decimals in fixed notation, a point as
// separator whatever the locale.
QString LevelTickText(int32_t APrecision, bool AFixedPrecision, double AMin, double AMax,
                      double AValue);

class TKvBasicLevelAxis : public THxPersistentNotify {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)
    Q_PROPERTY(TKvDisplayFont* Font READ GetFont WRITE SetFont)
    Q_PROPERTY(int32_t Precision READ GetPrecision WRITE SetPrecision)
    Q_PROPERTY(bool FixedPrecision READ GetFixedPrecision WRITE SetFixedPrecision)
    Q_PROPERTY(bool Visible READ GetVisible WRITE SetVisible)
    Q_PROPERTY(KvAxis::TKvScaleMode ScaleMode READ GetScaleMode WRITE SetScaleMode)
    Q_CLASSINFO("type:Color", "TColor")
    Q_CLASSINFO("default:Color", "clWhite")
    Q_CLASSINFO("default:Precision", "3")
    Q_CLASSINFO("default:FixedPrecision", "False")
    Q_CLASSINFO("default:Visible", "True")
    Q_CLASSINFO("default:ScaleMode", "smLinear")
public:
    // ALevelView: the owning view, whose lock the axis shares.
    TKvBasicLevelAxis(THxPersistent* ALevelView, TNotifyEvent AOnChange);

    THxPersistent* LevelView() const { return FLevelView; }

    TColor GetColor() const { return FLock->Getter(FColor); }
    void SetColor(TColor AValue) { FLock->SetterColor(FColor, AValue, nullptr); }
    TKvDisplayFont* GetFont() const { return FFont.get(); }
    // Copies AValue into the owned font.
    void SetFont(TKvDisplayFont* AValue);
    int32_t GetPrecision() const { return FLock->Getter(FPrecision); }
    // Held to 0..18.
    void SetPrecision(int32_t AValue);
    bool GetFixedPrecision() const { return FLock->Getter(FFixedPrecision); }
    void SetFixedPrecision(bool AValue) { FLock->Setter(FFixedPrecision, AValue, nullptr); }
    bool GetVisible() const { return FLock->Getter(FVisible); }
    void SetVisible(bool AValue) { FLock->Setter(FVisible, AValue, nullptr); }
    TKvScaleMode GetScaleMode() const;
    void SetScaleMode(TKvScaleMode AValue);
    // Every mode but the linear one maps through the signed logarithm.
    bool IsLogarithmic() const { return IsLogarithmicScale(GetScaleMode()); }

    // The tick text of AValue on a scale from AMin to AMax.
    QString TickText(double AMin, double AMax, double AValue) const;

    // Reads "Logarithmic" of older forms (never written).
    void DefineProperties(TFiler& AFiler) override;

protected:
    ~TKvBasicLevelAxis() override;

private:
    THxPersistent* const FLevelView;
    TColor FColor = clWhite;
    TOwned<TKvDisplayFont> FFont;
    int32_t FPrecision = 3;
    bool FFixedPrecision = false;
    bool FVisible = true;
    TKvScaleMode FScaleMode = smLinear;
};

class TKvLevelAxis : public TKvBasicLevelAxis {
    Q_OBJECT
    Q_PROPERTY(bool Autoscale READ GetAutoscale WRITE SetAutoscale)
    Q_PROPERTY(double Min READ GetMin WRITE SetMin)
    Q_PROPERTY(double Max READ GetMax WRITE SetMax)
    Q_CLASSINFO("default:Autoscale", "True")
public:
    TKvLevelAxis(THxPersistent* ALevelView, TNotifyEvent AOnChange);

    bool GetAutoscale() const { return FLock->Getter(FAutoscale); }
    void SetAutoscale(bool AValue) { FLock->Setter(FAutoscale, AValue, nullptr); }
    double GetMin() const;
    void SetMin(double AValue) { FLock->Setter(FMin, AValue, nullptr); }
    double GetMax() const;
    void SetMax(double AValue) { FLock->Setter(FMax, AValue, nullptr); }

    const TKvCustomAxisLabelEvent& GetOnCustomLabel() const { return FOnCustomLabel; }
    void SetOnCustomLabel(TKvCustomAxisLabelEvent AValue);

    // Called by an OnCustomLabel handler: the tick gets AValue as its text.
    void SetTickText(const QString& AValue);

    // The tick text of TickText, then, when OnCustomLabel is assigned, the
    // handler's (ASender is passed on as the event's sender).
    QString CustomTickText(TPersistent* ASender, double AMin, double AMax, double AValue);

protected:
    ~TKvLevelAxis() override;

private:
    bool FAutoscale = true;
    double FMin = 0.0;
    double FMax = 1000.0;
    TKvCustomAxisLabelEvent FOnCustomLabel;
    bool FNewText = false;
    QString FNewTickText;
};
