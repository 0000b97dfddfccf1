#include "display/KvBasicDisplayAxes.h"

#include "display/KvDataDisplay.h"
#include "platform/Filer.h"

namespace {

// A side as it shows on a vertical display: turned a quarter.
TKvViewAlign Rotated(TKvViewAlign AAlign) {
    switch (AAlign) {
    case vaBottom:
        return vaLeft;
    case vaLeft:
        return vaBottom;
    case vaRight:
        return vaTop;
    case vaTop:
        return vaRight;
    }
    return AAlign;
}

} // namespace

// TKvBasicDisplayYAxis

TKvBasicDisplayYAxis::TKvBasicDisplayYAxis(TKvDataDisplay* ADisplay) : TKvDisplayAxis(ADisplay) {
    FMin->SetValue(-1000);
    FMin->SetDataValue(-1000);
    FMax->SetValue(1000);
    FMax->SetDataValue(1000);
    FAlign = vaLeft;
    FDisplay->YAxes().Add(this);
}

TKvBasicDisplayYAxis::~TKvBasicDisplayYAxis() {
    FDisplay->YAxes().Remove(this);
}

bool TKvBasicDisplayYAxis::IsVerticalDirection() const {
    return !FDisplay->GetIsVertical();
}

bool TKvBasicDisplayYAxis::IsValueFlipped() const {
    return KvIsValueFlipped(true, IsVerticalDirection(), IsReversedForTicks());
}

int32_t TKvBasicDisplayYAxis::VerticalValueDirection() const {
    return 2;
}

int32_t TKvBasicDisplayYAxis::HorizontalValueDirection() const {
    return 1;
}

int32_t TKvBasicDisplayYAxis::GetAlign() const {
    const TKvViewAlign side = GetViewAlign();
    return FDisplay->GetIsVertical() ? Rotated(side) : side;
}

void TKvBasicDisplayYAxis::ApplyAlign(TKvViewAlign AValue) {
    if (AValue == vaTop)
        AValue = vaLeft;
    else if (AValue == vaBottom)
        AValue = vaRight;
    TKvDisplayAxis::ApplyAlign(AValue);
}

void TKvBasicDisplayYAxis::DefineProperties(TFiler& AFiler) {
    TKvDisplayAxis::DefineProperties(AFiler);
    // Older forms kept the label format on the axis itself.
    AFiler.DefineProperty(
        QStringLiteral("FixedPrecision"),
        [this](TReader& AReader) { FFormat->SetFixedPrecision(AReader.ReadBoolean()); }, nullptr,
        false);
    AFiler.DefineProperty(
        QStringLiteral("Precision"),
        [this](TReader& AReader) { FFormat->SetPrecision(AReader.ReadInteger()); }, nullptr, false);
}

// TKvBasicDisplayXAxis

TKvBasicDisplayXAxis::TKvBasicDisplayXAxis(TKvDataDisplay* ADisplay) : TKvDisplayAxis(ADisplay) {
    FMax->SetValue(1024);
    FMax->SetDataValue(1024);
    FMax->GetTick()->SetValue(1024);
    FAlign = vaBottom;
    FStepCache = TKvAxisStep(16.0);
    FStep = 16.0;
    FDisplay->XAxes().Add(this);
}

TKvBasicDisplayXAxis::~TKvBasicDisplayXAxis() {
    FDisplay->XAxes().Remove(this);
}

int32_t TKvBasicDisplayXAxis::GetSamples() const {
    return FLock->Getter(FSamples);
}

void TKvBasicDisplayXAxis::SetSamples(int32_t AValue) {
    FLock->Setter(FSamples, KvSoundSamples(AValue), [this] {
        FStepCache.Invalidate();
        InvalidateCaches(true);
        DisplayInvalidateLayout();
    });
}

double TKvBasicDisplayXAxis::GetSamplesMin() {
    return 0.0;
}

double TKvBasicDisplayXAxis::GetSamplesMax() {
    const int32_t samples = GetSamples();
    return samples > 0 ? samples : FMax->GetDataValue();
}

bool TKvBasicDisplayXAxis::IsVerticalDirection() const {
    return FDisplay->GetIsVertical();
}

bool TKvBasicDisplayXAxis::IsValueFlipped() const {
    return KvIsValueFlipped(false, IsVerticalDirection(), IsReversedForTicks());
}

bool TKvBasicDisplayXAxis::IsPixelReversed() const {
    return !GetReversed();
}

int32_t TKvBasicDisplayXAxis::GetAlign() const {
    const TKvViewAlign side = GetViewAlign();
    return FDisplay->GetIsVertical() ? Rotated(side) : side;
}

void TKvBasicDisplayXAxis::ApplyAlign(TKvViewAlign AValue) {
    if (AValue == vaLeft)
        AValue = vaTop;
    else if (AValue == vaRight)
        AValue = vaBottom;
    TKvDisplayAxis::ApplyAlign(AValue);
}

QString TKvBasicDisplayXAxis::GetAxisLabelText() {
    const QString text = FAxisLabel->GetText();
    return text.isEmpty() ? QStringLiteral("X Axis") : text;
}
