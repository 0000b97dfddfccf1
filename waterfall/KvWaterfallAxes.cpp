#include "waterfall/KvWaterfallAxes.h"

#include <cmath>

#include "display/KvDataDisplay.h"
#include "display/KvLockedSet.h"
#include "platform/Filer.h"
#include "waterfall/KvWaterfallAxisMath.h"

namespace {

bool UsableFactor(double AFactor) {
    return std::isfinite(AFactor) && AFactor > 0;
}

// Per axis unit, over the full tick scale; 0 over an empty one.
double PerUnit(double ACount, TKvAxisRange AScale) {
    const double Width = AScale.Width();
    return Width != 0 && std::isfinite(Width) ? ACount / Width : 0.0;
}

} // namespace

// TKvWaterfallUnitAxis

template <class TBase> TKvWaterfallAxisOwner* TKvWaterfallUnitAxis<TBase>::Owner() const {
    return dynamic_cast<TKvWaterfallAxisOwner*>(this->FDisplay);
}

template <class TBase> double TKvWaterfallUnitAxis<TBase>::GetStep() {
    const double Step = TBase::GetStep();
    if (this->FMajorTicks->GetMode() != mtmAuto)
        return Step;
    this->FStep = KvWholeRowStep(Step, UnitsPerAxisUnit());
    return this->FStep;
}

template <class TBase>
void TKvWaterfallUnitAxis<TBase>::AdjustZoomFactor(double& Factor, double Width) {
    Factor = KvRowZoomFactor(Factor, Width, UnitsPerAxisUnit());
}

template <class TBase> void TKvWaterfallUnitAxis<TBase>::ZoomByFactor(double Factor) {
    if (!UsableFactor(Factor))
        return;
    AdjustZoomFactor(Factor, this->ScaleTickZoomed().Width());
    TBase::ZoomByFactor(Factor);
}

template <class TBase> bool TKvWaterfallUnitAxis<TBase>::GetCanZoomOut() {
    const TKvOptionalLimit High = this->ZoomLimits().ZoomRange.High;
    if (High.Enabled && this->ScaleTickZoomed().Width() >= High.Value)
        return false;
    if (!this->GetZoomed())
        return false;
    const TKvAxisRange Full = this->ScaleTickFull();
    return !(this->GetZoomMin() <= Full.Min && this->GetZoomMax() >= Full.Max);
}

template class TKvWaterfallUnitAxis<TKvBasicDisplayXAxis>;
template class TKvWaterfallUnitAxis<TKvBasicDisplayYAxis>;

// TKvWaterfallXAxis

TKvWaterfallXAxis::TKvWaterfallXAxis(TKvDataDisplay* ADisplay)
    : TKvWaterfallUnitAxis(ADisplay), FMinTick(MakeOwned<TKvHiddenAxisValue>()),
      FMaxTick(MakeOwned<TKvHiddenAxisValue>()) {
    FSamples = 512;
    FMax->SetValue(1024);
    FFormat->SetPrecision(0);
    FZoomMin = -1.0;
    FZoomMax = 1.0;
}

TKvWaterfallXAxis::~TKvWaterfallXAxis() = default;

void TKvWaterfallXAxis::SetSamples(int32_t AValue) {
    const TJwLockSectionPtr Section = FLock->WriteLock();
    const int32_t Old = GetSamples();
    TKvBasicDisplayXAxis::SetSamples(AValue);
    const int32_t New = GetSamples();
    if (New != Old)
        if (TKvWaterfallAxisOwner* O = Owner())
            O->HistoryDepthChanged(New);
}

void TKvWaterfallXAxis::SetReversed(bool AValue) {
    const TJwLockSectionPtr Section = FLock->WriteLock();
    const bool Old = GetReversed();
    TKvBasicDisplayXAxis::SetReversed(AValue);
    if (GetReversed() != Old)
        if (TKvWaterfallAxisOwner* O = Owner())
            O->HistoryReversed();
}

double TKvWaterfallXAxis::UnitsPerAxisUnit() {
    return PerUnit(GetSamples() - 1.0, ScaleTickFull());
}

double TKvWaterfallXAxis::ValueToRow(double AValue) {
    return KvValueToRow(AValue, ScaleTickFull(), GetSamples(), DataFull().Min);
}

TKvAxisRange TKvWaterfallXAxis::RowWindow() {
    const bool Zoomed = GetZoomed();
    return KvZoomedRowWindow(DataFull(), Zoomed, Zoomed ? ValueToRow(GetZoomMin()) : 0.0,
                             Zoomed ? ValueToRow(GetZoomMax()) : 0.0);
}

double TKvWaterfallXAxis::GetDataFullMax() {
    return KvXDataMax(GetSamples(), FMax->GetAutoScale(), FMax->GetMode(), FMax->GetDataValue(),
                      FMax->GetValue(), GetDataFullMin());
}

double TKvWaterfallXAxis::GetScaleTickFullMin() {
    const TKvBasicAxisValue* Tick = FMin->GetTick();
    return Tick->GetAutoScale() ? TKvBasicDisplayXAxis::GetScaleTickFullMin() : Tick->GetValue();
}

double TKvWaterfallXAxis::GetScaleTickFullMax() {
    const TKvBasicAxisValue* Tick = FMax->GetTick();
    return Tick->GetAutoScale() ? TKvBasicDisplayXAxis::GetScaleTickFullMax() : Tick->GetValue();
}

bool TKvWaterfallXAxis::GetCanZoomIn() {
    const TKvOptionalLimit Low = ZoomLimits().ZoomRange.Low;
    if (Low.Enabled && !(ScaleTickZoomed().Width() > Low.Value))
        return false;
    return !(GetZoomed() && !(RowWindow().Width() > 2));
}

void TKvWaterfallXAxis::MouseDown(TMouseButton Button, TShiftState Shift, bool& Handled,
                                  bool Inside, int32_t X, int32_t Y) {
    const bool HandledBefore = Handled;
    TKvBasicDisplayXAxis::MouseDown(Button, Shift, Handled, Inside, X, Y);
    // A drag-zoom that starts on the history axis is this axis's click.
    if (!HandledBefore && !Handled && Inside && Button == mbLeft && !FDialogShown &&
        FLeftMouseButtonDown)
        Handled = true;
}

// TKvWaterfallYAxis

TKvWaterfallYAxis::TKvWaterfallYAxis(TKvDataDisplay* ADisplay) : TKvWaterfallUnitAxis(ADisplay) {
    FMax->GetTick()->SetValue(500);
    FZoomMin = -1.0;
    FZoomMax = 1.0;
    if (TKvWaterfallAxisOwner* O = Owner())
        FRateStamp.store(O->AxisSampleRateStamp());
}

TKvWaterfallYAxis::~TKvWaterfallYAxis() = default;

double TKvWaterfallYAxis::EffectiveSampleRate() const {
    TKvWaterfallAxisOwner* O = Owner();
    return O ? O->AxisSampleRate() : 10000.0;
}

TKvDisplayAxisTicksMode TKvWaterfallYAxis::GetTicksMode() const {
    const TJwLockSectionPtr Section = FLock->ReadLock();
    return FTicksMode;
}

void TKvWaterfallYAxis::SetTicksMode(TKvDisplayAxisTicksMode AValue) {
    // The tick scale depends on the mode (frequencies start at 0), so the
    // cached ranges go too, not only the step.
    KvLockedSet(*FLock, FTicksMode, AValue, [this] { SamplesChanged(); });
}

void TKvWaterfallYAxis::SetSamples(uint32_t ALength) {
    FLock->Setter(FSamples, KvSoundRowSamples(ALength), [this] { SamplesChanged(); });
}

int32_t TKvWaterfallYAxis::GetSamples() const {
    return FLock->Getter(FSamples);
}

void TKvWaterfallYAxis::SamplesChanged() {
    FStepCache.Invalidate();
    InvalidateCaches(true);
    DisplayInvalidateLayout();
}

void TKvWaterfallYAxis::FollowSampleRate() {
    TKvWaterfallAxisOwner* O = Owner();
    if (!O)
        return;
    const uint32_t Stamp = O->AxisSampleRateStamp();
    if (FRateStamp.exchange(Stamp) == Stamp)
        return;
    FStepCache.Invalidate();
    InvalidateCaches(true);
}

bool TKvWaterfallYAxis::IsFrequencyAxis() {
    TKvWaterfallAxisOwner* O = Owner();
    return KvIsFrequencyAxis(GetTicksMode(), O && O->AxisFrequencyDomain());
}

bool TKvWaterfallYAxis::IsIntensityAxis() {
    TKvWaterfallAxisOwner* O = Owner();
    return KvIsIntensityAxis(GetTicksMode(), O && O->AxisIntensityDomain());
}

double TKvWaterfallYAxis::UnitsPerAxisUnit() {
    return PerUnit(KvSampleSpan(GetSamples(), FMax->GetAutoScale(), FMax->GetDataValue(),
                                FMin->GetAutoScale(), FMin->GetDataValue()),
                   ScaleTickFull());
}

double TKvWaterfallYAxis::ValueToSample(double AValue) {
    const double Span = KvSampleSpan(GetSamples(), FMax->GetAutoScale(), FMax->GetDataValue(),
                                     FMin->GetAutoScale(), FMin->GetDataValue());
    return KvValueToSample(AValue, ScaleTickFull(), Span, DataFull().Min);
}

TKvAxisRange TKvWaterfallYAxis::SampleWindow() {
    const bool Zoomed = GetZoomed();
    return KvZoomedRowWindow(DataFull(), Zoomed, Zoomed ? ValueToSample(GetZoomMin()) : 0.0,
                             Zoomed ? ValueToSample(GetZoomMax()) : 0.0);
}

QString TKvWaterfallYAxis::GetAxisLabelText() {
    const bool Designing = FDisplay->ComponentState().testFlag(csDesigning);
    return KvYAxisLabelText(FAxisLabel->GetText(), GetTicksMode(), Designing, IsFrequencyAxis(),
                            IsIntensityAxis(), EffectiveSampleRate());
}

double TKvWaterfallYAxis::GetDataFullMax() {
    return FMax->GetAutoScale() ? GetSamples() - 1.0 : FMax->GetDataValue();
}

double TKvWaterfallYAxis::GetScaleTickFullMin() {
    const TKvBasicAxisValue* Tick = FMin->GetTick();
    return KvYTickScaleMin(GetTicksMode(), {Tick->GetAutoScale(), Tick->GetValue()},
                           IsFrequencyAxis(), DataFull().Min);
}

double TKvWaterfallYAxis::GetScaleTickFullMax() {
    const TKvBasicAxisValue* Tick = FMax->GetTick();
    return KvYTickScaleMax(GetTicksMode(), {Tick->GetAutoScale(), Tick->GetValue()},
                           {FMax->GetAutoScale(), FMax->GetValue()}, IsFrequencyAxis(),
                           EffectiveSampleRate(), DataFull().Max);
}

bool TKvWaterfallYAxis::IsReversed() const {
    return FReversed != FDisplay->GetIsVertical();
}

bool TKvWaterfallYAxis::IsReversedForTicks() const {
    return IsReversed();
}

void TKvWaterfallYAxis::Draw(TKvDisplayDrawPart ADrawPart, THxCanvas* ACanvas, bool Vertical,
                             bool Printing) {
    FollowSampleRate();
    TKvBasicDisplayYAxis::Draw(ADrawPart, ACanvas, Vertical, Printing);
}

void TKvWaterfallYAxis::GetDefaultRect(TSize& ASize) const {
    // The layout measures the labels first: a new rate must reach them.
    const_cast<TKvWaterfallYAxis*>(this)->FollowSampleRate();
    TKvBasicDisplayYAxis::GetDefaultRect(ASize);
}

void TKvWaterfallYAxis::DefineProperties(TFiler& AFiler) {
    TKvBasicDisplayYAxis::DefineProperties(AFiler);
    // Older forms kept both tick values in one list; extra entries are skipped.
    AFiler.DefineProperty(
        QStringLiteral("MinMax"),
        [this](TReader& AReader) {
            AReader.ReadListBegin();
            for (int I = 0; !AReader.EndOfList(); ++I) {
                if (I > 1) {
                    AReader.SkipValue();
                    continue;
                }
                const double Value = AReader.ReadFloat();
                TKvAxisValue* End = I == 0 ? FMin.get() : FMax.get();
                End->GetTick()->SetValue(Value);
            }
            AReader.ReadListEnd();
        },
        nullptr, false);
}
