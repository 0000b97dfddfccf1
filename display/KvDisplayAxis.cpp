#include "display/KvDisplayAxis.h"

#include "display/KvAxisLabels.h"
#include "display/KvDataDisplay.h"
#include "foundation/HxCanvas.h"
#include "foundation/KvDisplayFont.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

namespace {

const QString SizeText = QStringLiteral("Xg");

bool UsableFactor(double AFactor) {
    return std::isfinite(AFactor) && AFactor > 0;
}

} // namespace

// TKvOptionalAxis

TKvOptionalAxis::TKvOptionalAxis(TKvDataDisplay* ADisplay)
    : TKvOptionalView(ADisplay, vaLeft), FStepCache(1.0) {}

TKvOptionalAxis::~TKvOptionalAxis() = default;

TKvScaleMode TKvOptionalAxis::GetScaleMode() const {
    return smLinear;
}

void TKvOptionalAxis::SetScaleMode(TKvScaleMode) {}

double TKvOptionalAxis::GetLabelSize() {
    return TextSize(SizeText).cy;
}

TSize TKvOptionalAxis::TextSize(const QString& AText) const {
    // The canvas measures with the same metrics; this needs no surface.
    const QFontMetrics metrics(GetFont()->ToQFont());
    return TSize{metrics.horizontalAdvance(AText), metrics.height()};
}

TKvAxisStepInput TKvOptionalAxis::StepInput() {
    TKvAxisStepInput input;
    input.PixelLength = GetPixelLength();
    input.ScaleMode = GetScaleMode();
    const double width = GetRangeWidth(false);
    input.Range = {0.0, std::isfinite(width) ? width : 0.0};
    input.MinTickSpacing = GetMinTickSpacing();
    input.LabelSize = GetLabelSize();
    return input;
}

double TKvOptionalAxis::CalcAutoStep() {
    return KvCalcAutoStep(StepInput());
}

double TKvOptionalAxis::AdjustStep(TKvMajorTicksMode AMode, bool SkipInDecascale, double AStep) {
    return KvAdjustStep(AMode, SkipInDecascale, AStep, StepInput());
}

bool TKvOptionalAxis::IsStepValid() {
    return FStepCache.IsValid(StepInput());
}

// TKvTrackingOptionalAxis

TKvTrackingOptionalAxis::TKvTrackingOptionalAxis(TKvDataDisplay* ADisplay)
    : TKvOptionalAxis(ADisplay), FMajorTicks(MakeOwned<TKvMajorTicks>(
                                     this, Lock(), [this](TPersistent*) { ParamsChanged(); })),
      FMinorTicks(
          MakeOwned<TKvMinorTicks>(this, Lock(), [this](TPersistent*) { ParamsChanged(); })) {}

TKvTrackingOptionalAxis::~TKvTrackingOptionalAxis() = default;

void TKvTrackingOptionalAxis::SetTrackCursor(bool AValue) {
    FLock->Setter(FTrackCursor, AValue, [this] { DisplayInvalidateRefresh(); });
}

void TKvTrackingOptionalAxis::SetTrackColor(TColor AValue) {
    FLock->SetterColor(FTrackColor, AValue, [this] { DisplayInvalidateRefresh(); });
}

void TKvTrackingOptionalAxis::SetMinorTicks(TKvMinorTicks* AValue) {
    FMinorTicks->Assign(AValue);
}

void TKvTrackingOptionalAxis::SetMajorTicks(TKvMajorTicks* AValue) {
    FMajorTicks->Assign(AValue);
}

void TKvTrackingOptionalAxis::SetOnCustomStep(TKvCustomStepEvent AValue) {
    {
        const TJwLockSectionPtr section = FLock->WriteLock();
        FOnCustomStep = std::move(AValue);
    }
    DisplayInvalidateLayout();
}

int32_t TKvTrackingOptionalAxis::GetLineOffset() const {
    return 3;
}

bool TKvTrackingOptionalAxis::IsLogarithmic() const {
    return false;
}

bool TKvTrackingOptionalAxis::IsReversed() const {
    return false;
}

bool TKvTrackingOptionalAxis::IsReversedForTicks() const {
    return false;
}

int32_t TKvTrackingOptionalAxis::HorizontalValueDirection() const {
    return 0;
}

int32_t TKvTrackingOptionalAxis::VerticalValueDirection() const {
    return 3;
}

int32_t TKvTrackingOptionalAxis::GetValueDirection() const {
    const int32_t code =
        IsVerticalDirection() ? VerticalValueDirection() : HorizontalValueDirection();
    return IsReversedForTicks() ? code ^ 1 : code;
}

int32_t TKvTrackingOptionalAxis::GetTickOffset() const {
    return 0;
}

// TKvDisplayAxis

TKvDisplayAxis::TKvDisplayAxis(TKvDataDisplay* ADisplay)
    : TKvTrackingOptionalAxis(ADisplay),
      FMin(MakeOwned<TKvAxisValue>(this, Lock(), ADisplay,
                                   [this](TPersistent*) { ValuesChanged(); })),
      FMax(MakeOwned<TKvMaxAxisValue>(this, Lock(), ADisplay,
                                      [this](TPersistent*) { ValuesChanged(); })),
      FFormat(MakeOwned<TKvAxisFormat>(this, Lock(), ADisplay)),
      FZooming(MakeOwned<TKvDisplayAxisZoom>(this, Lock(), ADisplay, this)),
      FFont(MakeOwned<TKvDisplayFont>()),
      FAxisLabel(
          MakeOwned<TKvDisplayTitleLabel>(this, Lock(), [this](TPersistent*) { ValuesChanged(); })),
      FDataTotal({[this] { return GetDataFullMin(); }, [this] { return GetDataFullMax(); }},
                 {[this] { return GetDataZoomedMin(); }, [this] { return GetDataZoomedMax(); }}),
      FScaleTotalReal(
          {[this] { return GetScaleRealFullMin(); }, [this] { return GetScaleRealFullMax(); }},
          {[this] { return GetScaleRealZoomedMin(); }, [this] { return GetScaleRealZoomedMax(); }}),
      FScaleTick(
          {[this] { return GetScaleTickFullMin(); }, [this] { return GetScaleTickFullMax(); }},
          {[this] { return GetScaleTickZoomedMin(); }, [this] { return GetScaleTickZoomedMax(); }}),
      FButton(MakeOwned<TKvViewButtonSettings>(
          this, [this](TPersistent*) { DisplayInvalidateRefresh(); })),
      FZoomPin(MakeOwned<TKvZoomPin>(this)), FToolBar(MakeOwned<TKvAxisToolBar>(ADisplay, this)) {
    FFont->SetName(QStringLiteral("Arial"));
    FFont->SetUniSize(8);
    FFont->SetColor(clWhite);
    FFont->OnChange = [this] { Changed(); };
    FScaleTick.Full().Min().OnChange = [this](double ADelta) { ScaleFullMinChanged(ADelta); };
    FScaleTick.Full().Max().OnChange = [this](double ADelta) { ScaleFullMaxChanged(ADelta); };
    FDisplay->Axes().Add(this);
}

TKvDisplayAxis::~TKvDisplayAxis() {
    OnZoomNotify = nullptr;
    FZoomPin->Disconnect();
    FDisplay->Axes().Remove(this);
}

void TKvDisplayAxis::SetFormat(TKvAxisFormat* AValue) {
    FFormat->Assign(AValue);
}

void TKvDisplayAxis::SetColor(TColor AValue) {
    FLock->SetterColor(FColor, AValue, [this] { DisplayInvalidateRefresh(); });
}

void TKvDisplayAxis::SetFont(TKvDisplayFont* AValue) {
    const TJwLockSectionPtr section = FLock->WriteLock();
    if (!JwHolds(section))
        return;
    FFont->Assign(AValue);
}

void TKvDisplayAxis::SetMin(TKvAxisValue* AValue) {
    FMin->Assign(AValue);
    FStepCache.Invalidate();
    DisplayInvalidateLayout();
}

void TKvDisplayAxis::SetMax(TKvMaxAxisValue* AValue) {
    FMax->Assign(AValue);
    FStepCache.Invalidate();
    DisplayInvalidateLayout();
}

void TKvDisplayAxis::SetZooming(TKvDisplayAxisZoom* AValue) {
    FZooming->Assign(AValue);
}

void TKvDisplayAxis::SetAxisLabel(TKvDisplayTitleLabel* AValue) {
    FAxisLabel->Assign(AValue);
}

void TKvDisplayAxis::SetButton(TKvViewButtonSettings* AValue) {
    FButton->Assign(AValue);
}

void TKvDisplayAxis::SetToolBar(TKvAxisToolBar* AValue) {
    FToolBar->Assign(AValue);
}

void TKvDisplayAxis::SetOnCustomLabel(TKvCustomAxisLabelEvent AValue) {
    {
        const TJwLockSectionPtr section = FLock->WriteLock();
        FOnCustomLabel = std::move(AValue);
    }
    DisplayInvalidateLayout();
}

void TKvDisplayAxis::ValuesChanged() {
    DisplayInvalidateLayout();
    InvalidateCaches(true);
}

void TKvDisplayAxis::Changed() {
    DisplayInvalidateLayout();
}

void TKvDisplayAxis::ParamsChanged() {
    FStepCache.Invalidate();
    DisplayInvalidateLayout();
}

// Zoom state

double TKvDisplayAxis::GetZoomMin() const {
    const TJwLockSectionPtr section = FLock->ReadLock();
    return FZoomMin;
}

double TKvDisplayAxis::GetZoomMax() const {
    const TJwLockSectionPtr section = FLock->ReadLock();
    return FZoomMax;
}

bool TKvDisplayAxis::GetZoomed() const {
    return FLock->Getter(FZoomed);
}

void TKvDisplayAxis::RestoreZoom(double AMin, double AMax, bool AZoomed) {
    const TJwLockSectionPtr section = FLock->WriteLock();
    if (AZoomed) {
        const TKvAxisRange r = KvSoundRange(AMin, AMax, {FZoomMin, FZoomMax});
        FZoomMin = r.Min;
        FZoomMax = r.Max;
    }
    FZoomed = AZoomed;
    FStepCache.Invalidate();
    InvalidateCaches(false);
    DisplayInvalidateLayout();
}

TKvZoomLimits TKvDisplayAxis::ZoomLimits() const {
    TKvZoomLimits limits;
    limits.MinRange = FMin->GetRange()->Limits();
    limits.MaxRange = FMax->GetRange()->Limits();
    limits.ZoomRange = FZooming->GetRange()->Limits();
    return limits;
}

void TKvDisplayAxis::RestoreZoom(double AMin, double AMax, bool AZoomed,
                                 TKvZoomOperation AOperation) {
    const TJwLockSectionPtr section = FLock->WriteLock();
    RestoreZoom(AMin, AMax, AZoomed);
    NotifyZoom(AZoomed ? AOperation : zoZoomOff);
}

void TKvDisplayAxis::FollowZoom(TKvDisplayAxis* ASender, TKvZoomOperation AOperation) {
    const TJwLockSectionPtr section = FLock->WriteLock();
    if (AOperation == zoZoomOff) {
        DoZoomOff();
        DisplayInvalidateRefresh();
        return;
    }
    if (AOperation == zoZoom)
        FDisplay->SaveZoomHistory(false);
    const TKvRealRanges old = FDisplay->CurrentRanges();
    // An axis that never zoomed has no range to pass on: following it
    // means showing everything.
    if (ASender->GetZoomed())
        SetZoomRange(AOperation, false, ASender->GetZoomMin(), ASender->GetZoomMax());
    else
        DoZoomOff();
    DisplayInvalidateRefresh();
    FDisplay->DoZoomChanged(old, AOperation);
}

void TKvDisplayAxis::NotifyZoom(TKvZoomOperation Operation) {
    FZoomPin->SendChange(Operation);
    if (OnZoomNotify)
        OnZoomNotify(this, Operation);
}

void TKvDisplayAxis::ApplyZoom(TKvAxisRange ARange, TKvZoomOperation Operation, bool NotifyPin) {
    FZoomMin = ARange.Min;
    FZoomMax = ARange.Max;
    FZoomed = true;
    FStepCache.Invalidate();
    InvalidateCaches(false);
    DisplayInvalidateLayout();
    if (NotifyPin)
        NotifyZoom(Operation);
}

void TKvDisplayAxis::SetZoomRange(TKvZoomOperation Operation, bool NotifyPin, double A, double B) {
    const TJwLockSectionPtr section = FLock->WriteLock();
    ApplyZoom(KvSetZoomRange(ScaleTickZoomed(), A, B, ZoomLimits()), Operation, NotifyPin);
}

void TKvDisplayAxis::IntZoom(TKvZoomOperation Operation, double AValue) {
    const TJwLockSectionPtr section = FLock->WriteLock();
    ApplyZoom(KvIntZoom(ScaleTickZoomed(), AValue, ZoomLimits()), Operation, true);
}

void TKvDisplayAxis::ZoomBy(double AValue, bool SaveHistory) {
    // A factor that is not a positive number would make no range.
    if (!UsableFactor(AValue))
        return;
    const TJwLockSectionPtr section = FLock->WriteLock();
    if (SaveHistory)
        FDisplay->SaveZoomHistory(false);
    const TKvRealRanges old = FDisplay->CurrentRanges();
    IntZoom(zoZoom, AValue);
    DisplayInvalidateRefresh();
    FDisplay->DoZoomChanged(old, zoZoom);
}

void TKvDisplayAxis::ZoomTo(double AMin, double AMax, bool SaveHistory) {
    if (std::isnan(AMin) || std::isnan(AMax))
        return;
    const TJwLockSectionPtr section = FLock->WriteLock();
    if (SaveHistory)
        FDisplay->SaveZoomHistory(false);
    const TKvRealRanges old = FDisplay->CurrentRanges();
    SetZoomRange(zoZoom, true, AMax, AMin);
    DisplayInvalidateRefresh();
    FDisplay->DoZoomChanged(old, zoZoom);
}

void TKvDisplayAxis::ZoomToData(double AMin, double AMax, bool SaveHistory) {
    ZoomTo(DataToScale(AMin), DataToScale(AMax), SaveHistory);
}

void TKvDisplayAxis::ZoomToDataRange(TKvZoomOperation Operation, bool NotifyPin, double AMax,
                                     double AMin) {
    SetZoomRange(Operation, NotifyPin, DataToScale(AMax), DataToScale(AMin));
}

void TKvDisplayAxis::DoZoomOff() {
    const TJwLockSectionPtr section = FLock->WriteLock();
    FZoomed = false;
    FStepCache.Invalidate();
    InvalidateCaches(false);
    DisplayInvalidateLayout();
}

void TKvDisplayAxis::ZoomOffAndNotify() {
    DoZoomOff();
    NotifyZoom(zoZoomOff);
}

void TKvDisplayAxis::ZoomByFactor(double Factor) {
    if (UsableFactor(Factor))
        IntZoom(zoZoom, Factor);
}

void TKvDisplayAxis::ToolBarZoomIn() {
    const TJwLockSectionPtr section = FLock->WriteLock();
    FDisplay->SaveZoomHistory(false);
    const TKvRealRanges old = FDisplay->CurrentRanges();
    ZoomByFactor(0.5);
    DisplayInvalidateRefresh();
    FDisplay->DoZoomChanged(old, zoZoom);
}

void TKvDisplayAxis::ToolBarZoomOut() {
    const TJwLockSectionPtr section = FLock->WriteLock();
    FDisplay->SaveZoomHistory(false);
    const TKvRealRanges old = FDisplay->CurrentRanges();
    ZoomByFactor(2.0);
    DisplayInvalidateRefresh();
    FDisplay->DoZoomChanged(old, zoZoom);
}

void TKvDisplayAxis::ToolBarZoomOff() {
    const TJwLockSectionPtr section = FLock->WriteLock();
    FDisplay->SaveZoomHistory(false);
    const TKvRealRanges old = FDisplay->CurrentRanges();
    ZoomOffAndNotify();
    DisplayInvalidateRefresh();
    FDisplay->DoZoomChanged(old, zoZoomOff);
}

TPoint TKvDisplayAxis::ToolBarPosition(int32_t AWidth, int32_t AHeight) {
    const TRect data = DataViewRect();
    TPoint p{data.Left, data.Top};
    switch (GetAlign()) {
    case vaLeft:
        p.X = FDrawRect.Left + 3;
        break;
    case vaRight:
        p.X = FDrawRect.Right - AWidth - 3;
        break;
    case vaTop:
        p.Y = FDrawRect.Top + 3;
        break;
    case vaBottom:
        p.Y = FDrawRect.Bottom - AHeight - 3;
        break;
    default:
        break;
    }
    return p;
}

bool TKvDisplayAxis::GetCanZoomIn() {
    return KvCanZoomIn(ScaleTickZoomed(), ZoomLimits());
}

bool TKvDisplayAxis::GetCanZoomOut() {
    return KvCanZoomOut(ScaleTickZoomed(), ZoomLimits());
}

void TKvDisplayAxis::AdjustZoomFactor(double&, double) {}

// The data view and the pixels along this axis

TRect TKvDisplayAxis::DataViewRect() const {
    TKvDisplayView* view = FDisplay->GetDataView();
    return view ? view->DrawRect() : TRect{};
}

int32_t TKvDisplayAxis::AxisStart() const {
    const TRect r = DataViewRect();
    return IsVerticalDirection() ? r.Top : r.Left;
}

int32_t TKvDisplayAxis::AxisLength() const {
    const TRect r = DataViewRect();
    return std::max(IsVerticalDirection() ? r.Height() : r.Width(), 0);
}

void TKvDisplayAxis::ZoomAtPoint(TPoint AMousePos, double AFactor) {
    // A factor of 1 is how the display leaves out an axis the zoom mode
    // excludes: that axis stays as it is, zoomed or not.
    if (!UsableFactor(AFactor) || AFactor == 1.0)
        return;
    const TJwLockSectionPtr section = FLock->WriteLock();
    // The pixels run from the first to the last of the data view, and p
    // grows as the value falls, so the value under the mouse stays there.
    const TRect r = DataViewRect();
    const int32_t last = std::max(AxisLength() - 1, 0);
    double p = 0;
    switch (GetValueDirection()) {
    case 0:
        p = r.Left + last - AMousePos.X;
        break;
    case 1:
        p = AMousePos.X - r.Left;
        break;
    case 2:
        p = AMousePos.Y - r.Top;
        break;
    default:
        p = r.Top + last - AMousePos.Y;
        break;
    }
    const TKvAxisRange zoomed = ScaleTickZoomed();
    double factor = AFactor;
    AdjustZoomFactor(factor, zoomed.Width());
    ApplyZoom(KvZoomAtPoint(zoomed, std::max(last, 1), p, factor, ZoomLimits()), zoMouseWheel,
              true);
}

void TKvDisplayAxis::PanFromPoints(TPoint DownPoint, TPoint CurrentPoint) {
    if (!GetZoomed())
        return;
    // Measured in the direction the values grow: the range moves against
    // the drag, so the value under the mouse follows it.
    double difference = 0;
    switch (GetValueDirection()) {
    case 0:
        difference = CurrentPoint.X - DownPoint.X;
        break;
    case 1:
        difference = DownPoint.X - CurrentPoint.X;
        break;
    case 2:
        difference = DownPoint.Y - CurrentPoint.Y;
        break;
    default:
        difference = CurrentPoint.Y - DownPoint.Y;
        break;
    }
    PanBy(KvPanShift({FMouseZoomMin, FMouseZoomMax}, difference, std::max(AxisLength() - 1, 1)));
}

void TKvDisplayAxis::PanBy(double Shift) {
    const TJwLockSectionPtr section = FLock->WriteLock();
    const TKvRealRanges old = FDisplay->CurrentRanges();
    const TKvAxisRange r =
        KvPanBy({FMouseZoomMin, FMouseZoomMax}, Shift, false, ScaleTickFull(), ZoomLimits());
    FZoomMin = r.Min;
    FZoomMax = r.Max;
    FStepCache.Invalidate();
    InvalidateCaches(false);
    DisplayInvalidateRefresh();
    FDisplay->DoZoomChanged(old, zoMousePan);
    NotifyZoom(zoMousePan);
}

bool TKvDisplayAxis::GetValueAt(int32_t X, int32_t Y, double& AAxisPos) const {
    if (!DataViewRect().Contains(Point(X, Y)))
        return false;
    // Through the axis's own mapping, so that a read-out agrees with the
    // ticks on every scale. The caches fill on first use; that is not a
    // change of the axis.
    AAxisPos = const_cast<TKvDisplayAxis*>(this)->PixelToScale(IsVerticalDirection() ? Y : X);
    return true;
}

bool TKvDisplayAxis::IsYAxis() const {
    return false;
}

bool TKvDisplayAxis::IsValueFlipped() const {
    return IsReversedForTicks();
}

bool TKvDisplayAxis::IsReversed() const {
    return FReversed;
}

bool TKvDisplayAxis::IsReversedForTicks() const {
    return FReversed;
}

bool TKvDisplayAxis::IsPixelReversed() const {
    return IsReversed();
}

void TKvDisplayAxis::SetReversed(bool AValue) {
    FLock->Setter(FReversed, AValue, [this] {
        FStepCache.Invalidate();
        FDisplay->GeometryChanged();
    });
}

void TKvDisplayAxis::AssociatedChannelsChanged() {}

int32_t TKvDisplayAxis::ScaleToPixel(double AValue) {
    const TRect r = DataViewRect();
    // The view's width and height leave out its last pixel: the maximum
    // lands on the last pixel, as the ticks do.
    const TRect extent =
        Bounds(r.Left, r.Top, std::max(r.Width() - 1, 0), std::max(r.Height() - 1, 0));
    return KvAxisPixelMap(ScaleTickZoomed(), extent, IsVerticalDirection(), IsValueFlipped(),
                          IsLogarithmicScale(GetScaleMode()))
        .ValueToPixel(AValue);
}

double TKvDisplayAxis::PixelToScale(int32_t APosition) {
    const TKvAxisRange zoomed = ScaleTickZoomed();
    return PixelToValue(APosition, DataViewRect(), zoomed.Max, zoomed.Min);
}

double TKvDisplayAxis::PixelToValue(double APos, const TRect& ARect, double AMax, double AMin) {
    const TRect extent = Bounds(ARect.Left, ARect.Top, std::max(ARect.Width() - 1, 0),
                                std::max(ARect.Height() - 1, 0));
    return KvAxisPixelMap(KvSoundRange(AMin, AMax), extent, IsVerticalDirection(), IsValueFlipped(),
                          IsLogarithmicScale(GetScaleMode()))
        .PixelToValue(APos);
}

TKvPixelMapping TKvDisplayAxis::GetPixelMapping(double AMax, double AMin) {
    return KvGetPixelMapping(KvSoundRange(AMin, AMax), AxisLength(),
                             IsLogarithmicScale(GetScaleMode()), IsPixelReversed());
}

// Ranges

double TKvDisplayAxis::GetDataFullMin() {
    return FMin->GetAutoScale() ? 0.0 : FMin->GetDataValue();
}

double TKvDisplayAxis::GetDataZoomedMin() {
    const TKvAxisRange full = DataFull();
    if (!GetZoomed())
        return full.Min;
    return std::max(full.Min, ScaleToData(GetZoomMin()));
}

double TKvDisplayAxis::GetDataZoomedMax() {
    const TKvAxisRange full = DataFull();
    if (!GetZoomed())
        return full.Max;
    return std::min(full.Max, ScaleToData(GetZoomMax()));
}

double TKvDisplayAxis::GetScaleRealFullMin() {
    return DataFull().Min;
}

double TKvDisplayAxis::GetScaleRealFullMax() {
    return DataFull().Max;
}

double TKvDisplayAxis::GetScaleRealZoomedMin() {
    const TKvAxisRange data = DataFull();
    const double span = data.Width() != 0 ? data.Width() : 1.0;
    return KvSoundValue(static_cast<long double>(ScaleRealFull().Width()) * DataZoomed().Min /
                        span);
}

double TKvDisplayAxis::GetScaleRealZoomedMax() {
    const TKvAxisRange data = DataFull();
    const double span = data.Width() != 0 ? data.Width() : 1.0;
    return KvSoundValue(static_cast<long double>(ScaleRealFull().Width()) * DataZoomed().Max /
                        span);
}

double TKvDisplayAxis::GetScaleTickFullMin() {
    return DataFull().Min;
}

double TKvDisplayAxis::GetScaleTickFullMax() {
    return DataFull().Max;
}

double TKvDisplayAxis::GetScaleTickZoomedMin() {
    return KvMapLinear(DataZoomed().Min, DataFull(), ScaleTickFull());
}

double TKvDisplayAxis::GetScaleTickZoomedMax() {
    return KvMapLinear(DataZoomed().Max, DataFull(), ScaleTickFull());
}

void TKvDisplayAxis::ScaleFullMinChanged(double) {}

void TKvDisplayAxis::ScaleFullMaxChanged(double) {}

void TKvDisplayAxis::InvalidateCaches(bool IncludeData) {
    if (IncludeData)
        FDataTotal.Invalidate();
    else
        FDataTotal.Zoomed().Invalidate();
    FScaleTotalReal.Invalidate();
    FScaleTick.Invalidate();
}

namespace {

TKvAxisRange CachedRange(TKvScaleCachedMinMaxValue& APair) {
    return KvSoundRange(APair.Min().GetValue(), APair.Max().GetValue());
}

} // namespace

TKvAxisRange TKvDisplayAxis::DataFull() {
    return CachedRange(FDataTotal.Full());
}

TKvAxisRange TKvDisplayAxis::DataZoomed() {
    return CachedRange(FDataTotal.Zoomed());
}

TKvAxisRange TKvDisplayAxis::ScaleRealFull() {
    return CachedRange(FScaleTotalReal.Full());
}

TKvAxisRange TKvDisplayAxis::ScaleRealZoomed() {
    return CachedRange(FScaleTotalReal.Zoomed());
}

TKvAxisRange TKvDisplayAxis::ScaleTickFull() {
    return CachedRange(FScaleTick.Full());
}

TKvAxisRange TKvDisplayAxis::ScaleTickZoomed() {
    return CachedRange(FScaleTick.Zoomed());
}

double TKvDisplayAxis::GetCurrentMin() {
    return DataZoomed().Min;
}

double TKvDisplayAxis::GetCurrentMax() {
    return DataZoomed().Max;
}

double TKvDisplayAxis::DataToScale(double AValue) {
    return KvDataToScale(AValue, DataFull(), ScaleTickFull());
}

double TKvDisplayAxis::ScaleToData(double AValue) {
    return KvScaleToData(AValue, DataFull(), ScaleTickFull());
}

double TKvDisplayAxis::DataToScaleSpan(double AValue) {
    return KvDataToScaleSpan(AValue, DataFull(), ScaleTickFull());
}

double TKvDisplayAxis::ScaleToDataSpan(double AValue) {
    return KvScaleToDataSpan(AValue, DataFull(), ScaleTickFull());
}

// Step and labels

double TKvDisplayAxis::GetRangeWidth(bool ALog) {
    return KvRangeWidth(ScaleTickZoomed(), ALog);
}

uint32_t TKvDisplayAxis::GetPixelLength() const {
    return static_cast<uint32_t>(AxisLength());
}

double TKvDisplayAxis::GetLabelSize() {
    if (IsVerticalDirection())
        return TextSize(SizeText).cy;
    const TKvAxisRange zoomed = ScaleTickZoomed();
    return std::max(TextSize(GetTickText(zoomed.Min)).cx, TextSize(GetTickText(zoomed.Max)).cx);
}

double TKvDisplayAxis::GetMinTickSpacing() {
    const double measured = IsVerticalDirection()
                                ? TextSize(SizeText).cy + 4.0
                                : TextSize(GetTickText(ScaleTickZoomed().Max)).cx + 8.0;
    return KvMinTickSpacing(measured, GetScaleMode());
}

TKvAxisStepInput TKvDisplayAxis::StepInput() {
    TKvAxisStepInput input = TKvTrackingOptionalAxis::StepInput();
    input.Range = ScaleTickZoomed();
    return input;
}

double TKvDisplayAxis::GetStep() {
    FStep = FStepCache.GetStep(FMajorTicks->GetMode(), FMajorTicks->GetStep(), StepInput());
    return FStep;
}

void TKvDisplayAxis::SetTickText(const QString& AValue) {
    FNewTickText = AValue;
    FNewText = true;
}

void TKvDisplayAxis::GetTickText(QString& AText, double AValue) {
    const TKvAxisRange zoomed = ScaleTickZoomed();
    AText = FormatAxisValue(FFormat->GetFixedPrecision(), FFormat->GetPrecision(),
                            FFormat->GetPrecisionMode() == dpmScientific, zoomed.Min, zoomed.Max,
                            AValue);
    if (!FOnCustomLabel)
        return;
    FNewText = false;
    FOnCustomLabel(this, AValue, AText);
    if (FNewText)
        AText = FNewTickText;
    FNewText = false;
}

QString TKvDisplayAxis::GetTickText(double AValue) {
    QString text;
    GetTickText(text, AValue);
    return text;
}

QString TKvDisplayAxis::GetAxisLabelText() {
    // A title the user set shows on any axis; derived axes add their own defaults.
    return FAxisLabel->GetText();
}

// Ticks

std::vector<TKvAxisTick> TKvDisplayAxis::TickPass() {
    TKvTickPassInput pass;
    pass.Range = ScaleTickZoomed();
    pass.Step = GetStep();
    pass.ScaleMode = GetScaleMode();
    pass.Mapping = GetPixelMapping(pass.Range.Max, pass.Range.Min);
    pass.Start = AxisStart();
    pass.End = AxisStart() + AxisLength();
    const TKvMajorTicksMode mode = FMajorTicks->GetMode();
    pass.MinDistance = mode == mtmOverride ? 1.0 : GetLabelSize();
    pass.MinorCount = FMinorTicks->GetCount();
    const TKvTicksStart* start = FMajorTicks->GetStartFrom();
    pass.StartFromSet = start->GetMode() != mtmAuto;
    pass.StartFrom = start->GetStartFrom();
    if (FOnCustomStep) {
        pass.CustomStep = [this](double AValue, double& AStep, bool& ADraw) {
            FOnCustomStep(this, AValue, AStep, ADraw);
        };
        pass.AdjustStep = [this, mode](double AStep) { return AdjustStep(mode, true, AStep); };
    }
    return KvTickPass(pass);
}

void TKvDisplayAxis::DrawTicks(THxCanvas* ACanvas) {
    for (const TKvAxisTick& tick : TickPass())
        DrawTick(ACanvas, tick);
}

void TKvDisplayAxis::DrawTick(THxCanvas* ACanvas, const TKvAxisTick& ATick) {
    const int32_t length = ATick.Minor ? 7 : 9;
    const int32_t p = ATick.Pixel;
    QString text;
    TSize size{};
    if (!ATick.Minor) {
        GetTickText(text, ATick.NearZero ? 0.0 : ATick.Value);
        size = ACanvas->TextExtent(text);
    }
    switch (GetAlign()) {
    case vaTop: {
        const int32_t y0 = FDrawRect.Bottom - 3;
        ACanvas->MoveTo(p, y0 - 2);
        ACanvas->LineTo(p, y0 - length);
        if (!ATick.Minor)
            ACanvas->TextOut(p - size.cx / 2, y0 - size.cy - 10, text);
        break;
    }
    case vaBottom: {
        const int32_t y0 = FDrawRect.Top + 3;
        ACanvas->MoveTo(p, y0 + 2);
        ACanvas->LineTo(p, y0 + length);
        if (!ATick.Minor)
            ACanvas->TextOut(p - size.cx / 2, y0 + 11, text);
        break;
    }
    case vaLeft: {
        const int32_t x0 = FDrawRect.Right - 3;
        ACanvas->MoveTo(x0 - (length - 1), p);
        ACanvas->LineTo(x0 - 2, p);
        if (!ATick.Minor)
            ACanvas->TextOut(x0 - 10 - size.cx, p - size.cy / 2, text);
        break;
    }
    case vaRight: {
        const int32_t x0 = FDrawRect.Left + 3;
        ACanvas->MoveTo(x0 + 2, p);
        ACanvas->LineTo(x0 + (length - 1), p);
        if (!ATick.Minor)
            ACanvas->TextOut(x0 + 10, p - size.cy / 2, text);
        break;
    }
    default:
        break;
    }
}

void TKvDisplayAxis::DrawAxis(THxCanvas* ACanvas, bool DrawLine, bool) {
    ACanvas->GetPen().SetStyle(lpsSolid);
    ACanvas->GetPen().SetColor(FColor);
    ACanvas->GetBrush().SetStyle(lbsClear);
    ACanvas->SetFromDisplayFont(FFont.get());
    ACanvas->SetFontColor(FColor);
    if (!DrawLine)
        return;
    const TRect data = DataViewRect();
    const int32_t gap = GetLineOffset() + 2;
    switch (GetAlign()) {
    case vaTop:
        ACanvas->MoveTo(data.Left, FDrawRect.Bottom - gap);
        ACanvas->LineTo(data.Right, FDrawRect.Bottom - gap);
        break;
    case vaBottom:
        ACanvas->MoveTo(data.Left, FDrawRect.Top + gap);
        ACanvas->LineTo(data.Right, FDrawRect.Top + gap);
        break;
    case vaLeft:
        ACanvas->MoveTo(FDrawRect.Right - gap, data.Top);
        ACanvas->LineTo(FDrawRect.Right - gap, data.Bottom);
        break;
    case vaRight:
        ACanvas->MoveTo(FDrawRect.Left + gap, data.Top);
        ACanvas->LineTo(FDrawRect.Left + gap, data.Bottom);
        break;
    default:
        break;
    }
}

void TKvDisplayAxis::DrawTrackingMark(THxCanvas* ACanvas) {
    if (!FMouseInDataView || !GetTrackCursor())
        return;
    ACanvas->GetPen().SetStyle(lpsSolid);
    ACanvas->GetPen().SetColor(GetTrackColor());
    const int32_t len = FTrackSize;
    const TPoint m = FMousePoint;
    switch (GetAlign()) {
    case vaTop:
        ACanvas->MoveTo(m.X, FDrawRect.Bottom - 5);
        ACanvas->LineTo(m.X, FDrawRect.Bottom - len);
        break;
    case vaBottom:
        ACanvas->MoveTo(m.X, FDrawRect.Top + 5);
        ACanvas->LineTo(m.X, FDrawRect.Top + len);
        break;
    case vaLeft:
        ACanvas->MoveTo(FDrawRect.Right - len, m.Y);
        ACanvas->LineTo(FDrawRect.Right - 4, m.Y);
        break;
    case vaRight:
        ACanvas->MoveTo(FDrawRect.Left + len, m.Y);
        ACanvas->LineTo(FDrawRect.Left + 4, m.Y);
        break;
    default:
        break;
    }
}

void TKvDisplayAxis::DrawAxisLabel(THxCanvas* ACanvas, bool Printing) {
    FAxisLabelRect = TRect{};
    if (!FAxisLabel->GetVisible())
        return;
    const QString text = GetAxisLabelText();
    if (text.isEmpty())
        return;
    ACanvas->SetFromDisplayFont(FAxisLabel->GetFont());
    const TSize size = ACanvas->TextExtent(text);
    const TRect data = DataViewRect();
    // The text's origin, its angle and the rectangle it covers.
    TPoint at{};
    int32_t angle = 0;
    switch (GetAlign()) {
    case vaLeft:
        at = Point(FDrawRect.Left + 2, data.Top + data.Height() / 2 + size.cx / 2);
        angle = 90;
        FAxisLabelRect = Rect(at.X, at.Y - size.cx, at.X + size.cy, at.Y);
        break;
    case vaRight:
        at = Point(FDrawRect.Right - 2, data.Top + data.Height() / 2 - size.cx / 2);
        angle = 270;
        FAxisLabelRect = Rect(at.X - size.cy, at.Y, at.X, at.Y + size.cx);
        break;
    case vaTop:
        at = Point(data.Left + data.Width() / 2 - size.cx / 2, FDrawRect.Top + 2);
        FAxisLabelRect = Bounds(at.X, at.Y, size.cx, size.cy);
        break;
    case vaBottom:
        at = Point(data.Left + data.Width() / 2 - size.cx / 2, FDrawRect.Bottom - 2 - size.cy);
        FAxisLabelRect = Bounds(at.X, at.Y, size.cx, size.cy);
        break;
    default:
        return;
    }
    if (FLabelButtonShown && !Printing)
        DrawLabelButton(ACanvas);
    ACanvas->GetBrush().SetStyle(lbsClear);
    ACanvas->SetFontAngle(angle);
    ACanvas->TextOut(at.X, at.Y, text);
    ACanvas->SetFontAngle(0);
}

void TKvDisplayAxis::DrawLabelButton(THxCanvas* ACanvas) {
    const TRect r = Rect(FAxisLabelRect.Left - 1, FAxisLabelRect.Top - 1, FAxisLabelRect.Right + 1,
                         FAxisLabelRect.Bottom + 1);
    ACanvas->GetBrush().SetStyle(lbsSolid);
    ACanvas->GetBrush().SetColor(FLabelButtonDown ? FButton->GetMouseDownColor()
                                                  : FButton->GetMouseOverColor());
    ACanvas->FillRect(r);
    // The outline leaves its corners open.
    ACanvas->GetPen().SetStyle(lpsSolid);
    ACanvas->GetPen().SetColor(FLabelButtonDown ? FButton->GetMouseDownBorderColor()
                                                : FButton->GetMouseOverBorderColor());
    ACanvas->MoveTo(r.Left + 1, r.Top);
    ACanvas->LineTo(r.Right - 1, r.Top);
    ACanvas->MoveTo(r.Left + 1, r.Bottom - 1);
    ACanvas->LineTo(r.Right - 1, r.Bottom - 1);
    ACanvas->MoveTo(r.Left, r.Top + 1);
    ACanvas->LineTo(r.Left, r.Bottom - 1);
    ACanvas->MoveTo(r.Right - 1, r.Top + 1);
    ACanvas->LineTo(r.Right - 1, r.Bottom - 1);
    ACanvas->GetBrush().SetStyle(lbsClear);
}

bool TKvDisplayAxis::ButtonHitTest(int32_t X, int32_t Y, bool AForceInvalidate) {
    const bool over =
        FButton->GetEnabled() && FAxisLabel->GetVisible() && FAxisLabelRect.Contains(Point(X, Y));
    if (over != FLabelButtonShown || AForceInvalidate) {
        if (over)
            FDisplay->SetToolCursor(FButton->GetCursor());
        else if (FLabelButtonShown)
            FDisplay->SetToolCursor(FDisplay->UserCursor());
        FLabelButtonShown = over;
        if (!over)
            FLabelButtonDown = false;
        DisplayInvalidateRefresh();
    }
    return over;
}

void TKvDisplayAxis::DrawAxisView(THxCanvas* ACanvas, bool Vertical, bool Printing) {
    DrawBackground(ACanvas);
    if (!Printing)
        DrawTrackingMark(ACanvas);
    DrawAxis(ACanvas, false, Vertical);
    DrawTicks(ACanvas);
    DrawAxis(ACanvas, true, Vertical);
    DrawAxisLabel(ACanvas, Printing);
}

void TKvDisplayAxis::Draw(TKvDisplayDrawPart, THxCanvas* ACanvas, bool Vertical, bool Printing) {
    if (!IsVisible())
        return;
    DrawAxisView(ACanvas, Vertical, Printing);
    if (Printing || !FToolBar->IsVisible())
        return;
    if (!FToolBar->GetAutoHide() || FMouseIsInView || FToolBar->MouseIsInView() ||
        FDisplay->ComponentState().testFlag(csDesigning))
        FToolBar->Draw(*ACanvas);
}

// Layout

void TKvDisplayAxis::GetDefaultRect(TSize& ASize) const {
    // Measuring labels fills the range caches; that is not a change.
    auto* self = const_cast<TKvDisplayAxis*>(this);
    if (!GetViewSize()->GetAutoSize()) {
        const int32_t size =
            static_cast<int32_t>(std::min<uint32_t>(GetViewSize()->GetSize(), 1u << 20));
        // The mark spans the axis's fixed size too.
        self->FTrackSize = size - 1;
        ASize = TSize{size, size};
        return;
    }
    int32_t thickness;
    if (IsVerticalDirection()) {
        const TKvAxisRange zoomed = self->ScaleTickZoomed();
        thickness = std::max(self->TextSize(self->GetTickText(zoomed.Min)).cx,
                             self->TextSize(self->GetTickText(zoomed.Max)).cx) +
                    16;
    } else {
        thickness = TextSize(SizeText).cy + 16;
    }
    self->FTrackSize = thickness - 1;
    if (FAxisLabel->GetVisible()) {
        const QFontMetrics title(FAxisLabel->GetFont()->ToQFont());
        thickness += title.height() + 4;
    }
    ASize = TSize{thickness, thickness};
}

int32_t TKvDisplayAxis::EndMargin(bool AStart) {
    if (IsVerticalDirection())
        return TextSize(SizeText).cy / 2 + 4;
    const TKvAxisRange zoomed = ScaleTickZoomed();
    // The minimum's label stands at the start unless the values run the other way.
    const double value = AStart != IsValueFlipped() ? zoomed.Min : zoomed.Max;
    return TextSize(GetTickText(value)).cx / 2 + 4;
}

int32_t TKvDisplayAxis::GetMarginA() const {
    return const_cast<TKvDisplayAxis*>(this)->EndMargin(true);
}

int32_t TKvDisplayAxis::GetMarginB() const {
    return const_cast<TKvDisplayAxis*>(this)->EndMargin(false);
}

// Mouse

void TKvDisplayAxis::MouseMove(TShiftState Shift, int32_t X, int32_t Y, bool& Handled) {
    FMousePoint = Point(X, Y);
    const bool inData = DataViewRect().Contains(FMousePoint);
    if (inData != FMouseInDataView || (inData && GetTrackCursor())) {
        FMouseInDataView = inData;
        InvalidateView();
    }
    if (FLeftMouseButtonDown && FZooming->GetMousePan())
        PanFromPoints(FLeftMouseDownPoint, FMousePoint);
    ButtonHitTest(X, Y, false);
    TKvTrackingOptionalAxis::MouseMove(Shift, X, Y, Handled);
}

void TKvDisplayAxis::MouseDown(TMouseButton Button, TShiftState Shift, bool& Handled, bool Inside,
                               int32_t X, int32_t Y) {
    TKvTrackingOptionalAxis::MouseDown(Button, Shift, Handled, Inside, X, Y);
    if (!Inside || Handled || Button != mbLeft)
        return;
    FDialogShown = false;
    if (ButtonHitTest(X, Y, false)) {
        Handled = true;
        FLabelButtonDown = true;
        DisplayInvalidateRefresh();
        bool handled = false;
        if (FButton->OnClick)
            FButton->OnClick(this, handled);
        if (!handled) {
            FDialogShown = true;
            FDisplay->ShowAxisProperties(FDisplay->GetAxisIndex(this));
        }
        return;
    }
    FLeftMouseButtonDown = true;
    FLeftMouseDownPoint = Point(X, Y);
    const TKvAxisRange zoomed = ScaleTickZoomed();
    FMouseZoomMin = zoomed.Min;
    FMouseZoomMax = zoomed.Max;
}

void TKvDisplayAxis::MouseUp(TMouseButton Button, TShiftState Shift, bool Inside, int32_t X,
                             int32_t Y) {
    TKvTrackingOptionalAxis::MouseUp(Button, Shift, Inside, X, Y);
    if (FLabelButtonDown)
        DisplayInvalidateRefresh();
    FLabelButtonDown = false;
    FLeftMouseButtonDown = false;
}

void TKvDisplayAxis::MouseWheelDown(TShiftState, TPoint MousePos) {
    if (FZooming->GetMouseWheelEnabled())
        FDisplay->ZoomAxisAtPoint(this, MousePos, 1.1);
}

void TKvDisplayAxis::MouseWheelUp(TShiftState, TPoint MousePos) {
    if (FZooming->GetMouseWheelEnabled())
        FDisplay->ZoomAxisAtPoint(this, MousePos, 0.9);
}

void TKvDisplayAxis::DisplayMouseLeave() {
    ButtonHitTest(-1000000, -1000000, false);
    if (FMouseInDataView) {
        FMouseInDataView = false;
        InvalidateView();
    }
    TKvTrackingOptionalAxis::DisplayMouseLeave();
}
