#include "waterfall/KvBasicLevelDisplayLevelView.h"

#include "display/KvDataDisplay.h"
#include "foundation/HxCanvas.h"
#include "foundation/KvOptionalLabel.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

namespace {

const QString SizeText = QStringLiteral("Xg");

TSize MeasureText(const TKvDisplayFont* AFont, const QString& AText) {
    const QFontMetrics metrics(AFont->ToQFont());
    return TSize{metrics.horizontalAdvance(AText), metrics.height()};
}

} // namespace

TKvBasicLevelDisplayLevelView::TKvBasicLevelDisplayLevelView(TKvDataDisplay* ADisplay,
                                                             TKvLevelFunc AMinFunc,
                                                             TKvLevelFunc AMaxFunc,
                                                             TKvGetValueAtFunc AGetValueAtFunc)
    : TKvTrackingOptionalAxis(ADisplay), FMinFunc(std::move(AMinFunc)),
      FMaxFunc(std::move(AMaxFunc)), FGetValueAtFunc(std::move(AGetValueAtFunc)),
      FColors(MakeOwned<TKvLevelDisplayColors>(this, [this](TPersistent*) { ColorsChanged(); })) {
    FAlign = vaRight;
}

TKvBasicLevelDisplayLevelView::~TKvBasicLevelDisplayLevelView() = default;

void TKvBasicLevelDisplayLevelView::SetBarWidth(int32_t AValue) {
    FLock->SetterMin(FBarWidth, AValue, 0, [this] { DisplayInvalidateLayout(); });
}

void TKvBasicLevelDisplayLevelView::SetGrayScale(bool AValue) {
    FLock->Setter(FGrayScale, AValue, [this] { ColorsChanged(); });
}

void TKvBasicLevelDisplayLevelView::SetColors(TKvLevelDisplayColors* AValue) {
    FColors->Assign(AValue);
}

void TKvBasicLevelDisplayLevelView::ViewChanged() {
    DisplayInvalidateLayout();
}

void TKvBasicLevelDisplayLevelView::ColorsChanged() {
    if (FDisplay->ComponentState() & csDestroying)
        return;
    if (OnColorsChanged)
        OnColorsChanged(this);
    DisplayInvalidateRefresh();
}

TKvLevelColorMap TKvBasicLevelDisplayLevelView::ColorMap() const {
    const TJwLockSectionPtr section = FLock->ReadLock();
    const std::vector<TColor> colors = FColors->Colors();
    return TKvLevelColorMap(FGrayScale, colors);
}

TColor TKvBasicLevelDisplayLevelView::ValueToColor(double AValue, double MaxValue) const {
    const TKvLevelColorMap map = ColorMap();
    if (!GetGrayScale() && FColors->Count() == 0)
        return BuiltInLevelRamp(AValue, MaxValue);
    return map.ValueToColor(AValue, MaxValue);
}

uint32_t TKvBasicLevelDisplayLevelView::ValueToColorGBR(double AValue, double MaxValue) const {
    return ColorMap().ValueToColorGBR(AValue, MaxValue);
}

TColor TKvBasicLevelDisplayLevelView::BuiltInLevelRamp(double AValue, double MaxValue) const {
    return ::BuiltInLevelRamp(AValue, MaxValue);
}

TKvLevelRange TKvBasicLevelDisplayLevelView::LevelRange() const {
    return TKvLevelRange(LevelMin(), LevelMax(), GetLevelAxis()->IsLogarithmic());
}

TKvAxisRange TKvBasicLevelDisplayLevelView::AxisRange() const {
    const TKvLevelRange range = LevelRange();
    return TKvLevelBar::AxisRange(range.Min(), range.Max());
}

QString TKvBasicLevelDisplayLevelView::LevelTickText(double AValue) {
    const TKvLevelRange range = LevelRange();
    return GetLevelAxis()->TickText(range.Min(), range.Max(), AValue);
}

QString TKvBasicLevelDisplayLevelView::GetTickText(double AValue) {
    return LevelTickText(AValue);
}

void TKvBasicLevelDisplayLevelView::GetTickText(QString& AText, double AValue) {
    AText = LevelTickText(AValue);
}

TKvLevelBar TKvBasicLevelDisplayLevelView::Bar() const {
    const TKvViewAlign align = GetViewAlign();
    const bool vertical = align == vaLeft || align == vaRight;
    TKvDisplayView* data = FDisplay->GetDataView();
    int32_t start = 0, length = 0;
    if (data) {
        start = vertical ? data->Top() : data->Left();
        length = vertical ? data->Height() : data->Width();
    }
    return TKvLevelBar(align, FDrawRect, start, length, GetBarWidth());
}

TSize TKvBasicLevelDisplayLevelView::CaptionExtent() const {
    return MeasureText(FLevelLabel->GetFont(), FLevelLabel->GetText());
}

TRect TKvBasicLevelDisplayLevelView::CaptionRect() const {
    if (!FLevelLabel || !FLevelLabel->GetVisible())
        return TRect{};
    return Bar().CaptionRect(CaptionExtent());
}

int32_t TKvBasicLevelDisplayLevelView::LabelWidth() {
    const TKvLevelRange range = LevelRange();
    const TKvDisplayFont* font = GetFont();
    return std::max(MeasureText(font, GetTickText(range.Min())).cx,
                    MeasureText(font, GetTickText(range.Max())).cx);
}

int32_t TKvBasicLevelDisplayLevelView::XgHeight() const {
    return MeasureText(GetFont(), SizeText).cy;
}

void TKvBasicLevelDisplayLevelView::GetDefaultRect(TSize& ASize) const {
    // Measuring runs the label handler, which is not a change of the view.
    auto* self = const_cast<TKvBasicLevelDisplayLevelView*>(this);
    const TKvViewAlign align = GetViewAlign();
    const bool vertical = align == vaLeft || align == vaRight;
    const bool axisVisible = GetLevelAxis()->GetVisible();
    const bool captionVisible = FLevelLabel && FLevelLabel->GetVisible();
    const TKvLevelViewSize size =
        LevelViewSize(vertical, GetBarWidth(), axisVisible, axisVisible ? self->LabelWidth() : 0,
                      XgHeight(), captionVisible, captionVisible ? CaptionExtent().cy : 0);
    self->FTrackSize = size.TrackSize;
    int32_t thickness = size.Thickness;
    if (!GetViewSize()->GetAutoSize())
        thickness = static_cast<int32_t>(std::min<uint32_t>(GetViewSize()->GetSize(), 1u << 20));
    ASize = vertical ? TSize{thickness, -1} : TSize{-1, thickness};
}

int32_t TKvBasicLevelDisplayLevelView::GetMarginA() const {
    auto* self = const_cast<TKvBasicLevelDisplayLevelView*>(this);
    const TKvViewAlign align = GetViewAlign();
    const bool vertical = align == vaLeft || align == vaRight;
    return LevelViewExtent(vertical, vertical ? 0 : self->LabelWidth(), XgHeight());
}

int32_t TKvBasicLevelDisplayLevelView::GetMarginB() const {
    auto* self = const_cast<TKvBasicLevelDisplayLevelView*>(this);
    const TKvViewAlign align = GetViewAlign();
    const bool vertical = align == vaLeft || align == vaRight;
    return LevelViewBareExtent(vertical, vertical ? 0 : self->LabelWidth(), XgHeight());
}

uint32_t TKvBasicLevelDisplayLevelView::GetPixelLength() const {
    return static_cast<uint32_t>(std::max(Bar().Length(), 0));
}

double TKvBasicLevelDisplayLevelView::GetRangeWidth(bool) {
    // The range is in scale units already (transformed when logarithmic).
    return AxisRange().Width();
}

double TKvBasicLevelDisplayLevelView::GetMinTickSpacing() {
    return KvMinTickSpacing(IsVerticalDirection() ? XgHeight() + 4 : LabelWidth() + 8, smLinear);
}

TKvDisplayFont* TKvBasicLevelDisplayLevelView::GetFont() const {
    return GetLevelAxis()->GetFont();
}

TKvAxisStepInput TKvBasicLevelDisplayLevelView::StepInput() {
    TKvAxisStepInput input;
    input.PixelLength = GetPixelLength();
    const TKvAxisRange range = AxisRange();
    input.Range = {0.0, std::isfinite(range.Width()) ? std::fabs(range.Width()) : 0.0};
    input.MinTickSpacing = GetMinTickSpacing();
    input.LabelSize = IsVerticalDirection() ? XgHeight() : LabelWidth();
    input.ScaleMode = smLinear;
    return input;
}

double TKvBasicLevelDisplayLevelView::GetStep() {
    FStep = FStepCache.GetStep(FMajorTicks->GetMode(), FMajorTicks->GetStep(), StepInput());
    return FStep;
}

void TKvBasicLevelDisplayLevelView::ParamsChanged() {
    FStepCache.Invalidate();
    DisplayInvalidateLayout();
}

bool TKvBasicLevelDisplayLevelView::IsVerticalDirection() const {
    const TKvViewAlign align = GetViewAlign();
    return align == vaLeft || align == vaRight;
}

void TKvBasicLevelDisplayLevelView::GetButtonColors(TColor& AOverBorder, TColor& AOver,
                                                    TColor& ADownBorder, TColor& ADown) const {
    AOverBorder = FMouseOverBorderColor;
    AOver = FMouseOverButtonColor;
    ADownBorder = FMouseDownBorderColor;
    ADown = FMouseDownButtonColor;
}

void TKvBasicLevelDisplayLevelView::ButtonClick(bool&) {}

void TKvBasicLevelDisplayLevelView::Draw(TKvDisplayDrawPart, THxCanvas* ACanvas, bool,
                                         bool Printing) {
    if (!IsVisible())
        return;
    DrawBackground(ACanvas);
    const TKvLevelBar bar = Bar();
    const TKvLevelRange range = LevelRange();
    if (GetTrackCursor() && !Printing && FMouseInData &&
        !(FDisplay->ComponentState() & csDesigning))
        if (const std::optional<int32_t> along = bar.TrackPixel(range, FCurrentLevelValue))
            bar.DrawTrackMark(*ACanvas, *along, GetTrackColor(), FTrackSize);

    // The bar's colours run linearly even on a logarithmic scale.
    const TKvLevelColorMap map = ColorMap();
    bar.DrawBar(*ACanvas, map);

    TKvBasicLevelAxis* axis = GetLevelAxis();
    if (axis->GetVisible() && bar.Length() >= 0) {
        const TColor color = axis->GetColor();
        bar.DrawAxisLine(*ACanvas, color);
        ACanvas->SetFromDisplayFont(axis->GetFont());
        const double distance = IsVerticalDirection() ? XgHeight() : LabelWidth();
        const std::vector<TKvAxisTick> ticks =
            bar.Ticks(AxisRange(), GetStep(), distance, GetMinorTicks()->GetCount());
        ACanvas->GetPen().SetColor(color);
        bar.DrawTicks(*ACanvas, ticks, [this](double AValue) { return GetTickText(AValue); });
    }

    if (FLevelLabel && FLevelLabel->GetVisible()) {
        const TSize extent = CaptionExtent();
        if (FLabelButtonShown) {
            TColor overBorder, over, downBorder, down;
            GetButtonColors(overBorder, over, downBorder, down);
            const bool pressed = FLabelButtonDown && !Printing;
            TKvLevelBar::DrawCaptionButton(*ACanvas, bar.CaptionRect(extent), pressed ? down : over,
                                           pressed ? downBorder : overBorder);
        }
        ACanvas->SetFromDisplayFont(FLevelLabel->GetFont());
        bar.DrawCaption(*ACanvas, FLevelLabel->GetText(), extent);
    }
}

void TKvBasicLevelDisplayLevelView::DrawEx(TKvDisplayDrawPart ADrawPart, THxCanvas* ACanvas,
                                           bool Vertical) {
    Draw(ADrawPart, ACanvas, Vertical, FDisplay->Printing());
}

bool TKvBasicLevelDisplayLevelView::MouseInDataView(TPoint APoint) const {
    TKvDisplayView* data = FDisplay->GetDataView();
    return data && data->DrawRect().Contains(APoint);
}

void TKvBasicLevelDisplayLevelView::ButtonHitTest(int32_t X, int32_t Y, bool AForceInvalidate) {
    if (!GetButtonEnabled() || !FLevelLabel || !FLevelLabel->GetVisible())
        return;
    const TRect caption = CaptionRect();
    const bool shown = IsVisible() && caption.Contains(Point(X, Y));
    if (!AForceInvalidate && shown == FLabelButtonShown)
        return;
    FLabelButtonShown = shown;
    if (shown) {
        FDisplay->SetToolCursor(GetButtonCursor());
        FCursorChanged = true;
    } else if (FCursorChanged) {
        FDisplay->SetToolCursor(FDisplay->UserCursor());
        FCursorChanged = false;
    }
    FDisplay->InvalidateIntRect(
        TRect{caption.Left - 1, caption.Top - 1, caption.Right + 1, caption.Bottom + 1});
    DisplayInvalidateRefresh();
}

void TKvBasicLevelDisplayLevelView::MouseMove(TShiftState Shift, int32_t X, int32_t Y,
                                              bool& Handled) {
    FMouseIsIn = true;
    ButtonHitTest(X, Y, false);
    const bool inData = MouseInDataView(Point(X, Y));
    if (FMouseInData && !inData)
        DisplayInvalidateRefresh(); // the mark goes
    FMouseInData = inData;
    if (GetTrackCursor() && inData && FGetValueAtFunc) {
        const double value = FGetValueAtFunc(X, Y);
        // A NaN under the mouse is stored once, not on every move.
        const bool same =
            value == FCurrentLevelValue || (std::isnan(value) && std::isnan(FCurrentLevelValue));
        if (!same) {
            FCurrentLevelValue = value;
            DisplayInvalidateRefresh();
        }
    }
    FOldMousePos = Point(X, Y);
    TKvTrackingOptionalAxis::MouseMove(Shift, X, Y, Handled);
}

void TKvBasicLevelDisplayLevelView::MainViewScrolled(bool ForceInvalidate) {
    if (FDisplay->ComponentState() & csDestroying)
        return;
    if (ForceInvalidate)
        DisplayInvalidateRefresh();
    if (FMouseIsIn && IsVisible() && GetTrackCursor() && MouseInDataView(FOldMousePos) &&
        FGetValueAtFunc)
        FCurrentLevelValue = FGetValueAtFunc(FOldMousePos.X, FOldMousePos.Y);
}

void TKvBasicLevelDisplayLevelView::MouseDown(TMouseButton Button, TShiftState Shift, bool& Handled,
                                              bool Inside, int32_t X, int32_t Y) {
    TKvTrackingOptionalAxis::MouseDown(Button, Shift, Handled, Inside, X, Y);
    ButtonHitTest(X, Y, true);
    FLabelButtonDown = FLabelButtonShown;
    if (!FLabelButtonShown || Button != mbLeft || Handled)
        return;
    Handled = true;
    bool clickHandled = false;
    ButtonClick(clickHandled);
    if (clickHandled)
        return;
    FDialogShown = true;
    FDisplay->DoColorChannelClick(FDisplay->GetColorChannelIndex(this));
    FDialogShown = false;
}

void TKvBasicLevelDisplayLevelView::MouseUp(TMouseButton Button, TShiftState Shift, bool Inside,
                                            int32_t X, int32_t Y) {
    TKvTrackingOptionalAxis::MouseUp(Button, Shift, Inside, X, Y);
    ButtonHitTest(X, Y, true);
    FLabelButtonDown = false;
}

void TKvBasicLevelDisplayLevelView::MouseLeaveView() {
    TKvTrackingOptionalAxis::MouseLeaveView();
    FLabelButtonShown = false;
    FLabelButtonDown = false;
    if (FCursorChanged) {
        FDisplay->SetToolCursor(FDisplay->UserCursor());
        FCursorChanged = false;
    }
    DisplayInvalidateRefresh();
}

void TKvBasicLevelDisplayLevelView::DisplayMouseLeave() {
    TKvTrackingOptionalAxis::DisplayMouseLeave();
    FMouseIsIn = false;
    if (FMouseInData) {
        FMouseInData = false;
        DisplayInvalidateRefresh();
    }
}
