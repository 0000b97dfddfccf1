#include "waterfall/KvLevelAxis.h"

#include "display/KvAxisLabels.h"
#include "display/KvLockedSet.h"
#include "platform/Filer.h"

int32_t LevelPrecisionDigits(int32_t APrecision, bool AFixedPrecision, double AMin, double AMax) {
    return KvGeneralDecimals(AFixedPrecision, APrecision, AMin, AMax);
}

QString LevelTickText(int32_t APrecision, bool AFixedPrecision, double AMin, double AMax,
                      double AValue) {
    // The axis labels' fixed format: the digits are made here, not by the
    // C library, so no locale reaches them.
    return FormatAxisValue(AFixedPrecision, APrecision, false, AMin, AMax, AValue).trimmed();
}

TKvBasicLevelAxis::TKvBasicLevelAxis(THxPersistent* ALevelView, TNotifyEvent AOnChange)
    : THxPersistentNotify(ALevelView, std::move(AOnChange)), FLevelView(ALevelView),
      FFont(MakeOwned<TKvDisplayFont>()) {
    FFont->SetName(QStringLiteral("Arial"));
    FFont->SetUniSize(8);
    FFont->SetColor(clWhite);
    FFont->OnChange = [this] { LockChanged(); };
}

TKvBasicLevelAxis::~TKvBasicLevelAxis() = default;

void TKvBasicLevelAxis::SetFont(TKvDisplayFont* AValue) {
    const TJwLockSectionPtr section = FLock->WriteLock();
    if (!JwHolds(section))
        return;
    FFont->Assign(AValue);
    LockChanged();
}

void TKvBasicLevelAxis::SetPrecision(int32_t AValue) {
    FLock->SetterMinMax(FPrecision, AValue, 0, KvMaxAxisPrecision, nullptr);
}

TKvScaleMode TKvBasicLevelAxis::GetScaleMode() const {
    const TJwLockSectionPtr section = FLock->ReadLock();
    return FScaleMode;
}

void TKvBasicLevelAxis::SetScaleMode(TKvScaleMode AValue) {
    KvLockedSet(*FLock, FScaleMode, AValue, nullptr);
}

QString TKvBasicLevelAxis::TickText(double AMin, double AMax, double AValue) const {
    return LevelTickText(GetPrecision(), GetFixedPrecision(), AMin, AMax, AValue);
}

void TKvBasicLevelAxis::DefineProperties(TFiler& AFiler) {
    THxPersistentNotify::DefineProperties(AFiler);
    AFiler.DefineProperty(
        QStringLiteral("Logarithmic"),
        [this](TReader& AReader) {
            if (AReader.ReadBoolean())
                SetScaleMode(smLogarithmic);
        },
        nullptr, false);
}

TKvLevelAxis::TKvLevelAxis(THxPersistent* ALevelView, TNotifyEvent AOnChange)
    : TKvBasicLevelAxis(ALevelView, std::move(AOnChange)) {}

TKvLevelAxis::~TKvLevelAxis() = default;

double TKvLevelAxis::GetMin() const {
    const TJwLockSectionPtr section = FLock->ReadLock();
    return FMin;
}

double TKvLevelAxis::GetMax() const {
    const TJwLockSectionPtr section = FLock->ReadLock();
    return FMax;
}

void TKvLevelAxis::SetOnCustomLabel(TKvCustomAxisLabelEvent AValue) {
    const TJwLockSectionPtr section = FLock->WriteLock();
    FOnCustomLabel = std::move(AValue);
    LockChanged();
}

void TKvLevelAxis::SetTickText(const QString& AValue) {
    FNewText = true;
    FNewTickText = AValue;
}

QString TKvLevelAxis::CustomTickText(TPersistent* ASender, double AMin, double AMax,
                                     double AValue) {
    QString text = TickText(AMin, AMax, AValue);
    if (FOnCustomLabel) {
        FNewText = false;
        FOnCustomLabel(ASender, AValue, text);
        if (FNewText)
            text = FNewTickText;
    }
    return text;
}
