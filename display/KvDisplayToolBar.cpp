#include "display/KvDisplayToolBar.h"

#include "display/KvDataDisplay.h"
#include "display/KvDisplayExport.h"
#include "foundation/HxCanvas.h"

#include <QFileInfo>
#include <QScopeGuard>

#include <algorithm>

namespace {
constexpr int32_t ImageSize = TKvDisplayButtonImages::ImageSize;
constexpr int32_t Step = ImageSize + 1;
} // namespace

TKvBasicDisplayToolBar::TKvBasicDisplayToolBar(TKvDataDisplay* ADisplay)
    : TKvDisplayComponent(ADisplay),
      FButtonImages(std::make_unique<TKvDisplayButtonImages>(ButtonColors(), ADisplay->Color())) {}

TKvBasicDisplayToolBar::~TKvBasicDisplayToolBar() = default;

TKvDisplayIntToolBarButton* TKvBasicDisplayToolBar::AddButton(int32_t AImageIndex,
                                                              TKvDisplayToolBarButton* ASettings,
                                                              std::function<void()> AOnClick) {
    return FButtonList.Add(std::make_unique<TKvDisplayIntToolBarButton>(
        FDisplay, AImageIndex, ASettings, std::move(AOnClick)));
}

int32_t TKvBasicDisplayToolBar::ToolWidth() const {
    return FButtonList.GetCountVisible() * Step / std::max(GetRowCount(), 1);
}

int32_t TKvBasicDisplayToolBar::ToolHeight() const {
    return GetRowCount() * Step + 1;
}

int32_t TKvBasicDisplayToolBar::GetToolLeft() const {
    return FDisplay->PlotWidth() - ToolWidth() - 2;
}

int32_t TKvBasicDisplayToolBar::GetToolTop() const {
    return 3;
}

TRect TKvBasicDisplayToolBar::ToolRect() const {
    if (FButtonList.GetCountVisible() == 0)
        return TRect{};
    const int32_t left = GetToolLeft();
    const int32_t top = GetToolTop();
    return Rect(left, top, left + ToolWidth(), top + ToolHeight());
}

void TKvBasicDisplayToolBar::GetDrawRect(TRect& ARect) const {
    ARect = FViewLocked ? FViewRect : ToolRect();
}

void TKvBasicDisplayToolBar::ForEachCell(
    const TRect& ARect,
    const std::function<void(TKvDisplayIntToolBarButton*, const TRect&)>& AVisit) const {
    // Rows wrap after the share of buttons the toolbar shows; buttons the
    // user hid leave no gap but do not shrink the rectangle either.
    const int32_t perRow = std::max(FButtonList.GetCountVisible() / std::max(GetRowCount(), 1), 1);
    int32_t drawn = 0;
    for (int32_t i = 0; i < FButtonList.Count(); ++i) {
        TKvDisplayIntToolBarButton* button = FButtonList.Items(i);
        if (!button->IsVisible())
            continue;
        const int32_t x = ARect.Left + 1 + (drawn % perRow) * Step;
        const int32_t y = ARect.Top + 1 + (drawn / perRow) * Step;
        AVisit(button, Bounds(x, y, ImageSize, ImageSize));
        ++drawn;
    }
}

TRect TKvBasicDisplayToolBar::ButtonRect(const TKvDisplayIntToolBarButton* AButton) const {
    TRect r;
    GetDrawRect(r);
    TRect cell;
    ForEachCell(r, [&](TKvDisplayIntToolBarButton* AItem, const TRect& ACell) {
        if (AItem == AButton)
            cell = ACell;
    });
    return cell;
}

void TKvBasicDisplayToolBar::UpdateButtons() {}

void TKvBasicDisplayToolBar::Draw(THxCanvas& ACanvas) {
    UpdateButtons();
    TRect r;
    GetDrawRect(r);
    ACanvas.GetBrush().SetStyle(lbsSolid);
    ACanvas.GetBrush().SetColor(FDisplay->Color());
    ACanvas.GetPen().SetColor(FDisplay->Color());
    FHasHighlighted = false;
    ForEachCell(r, [&](TKvDisplayIntToolBarButton* AButton, const TRect& ACell) {
        ACanvas.FillRect(ACell);
        const THxImageList* list = &FButtonImages->Up();
        if (!AButton->FEnabled) {
            list = &FButtonImages->Disabled();
        } else if (ACell.Contains(FMousePos)) {
            list = AButton->FClicked ? &FButtonImages->Down() : &FButtonImages->MouseOver();
            FHasHighlighted = true;
        }
        list->Draw(ACanvas, ACell.Left, ACell.Top, AButton->FImageIndex);
    });
}

void TKvBasicDisplayToolBar::Hide() {
    for (int32_t i = 0; i < FButtonList.Count(); ++i)
        FButtonList.Items(i)->FClicked = false;
}

void TKvBasicDisplayToolBar::MouseMove(TShiftState Shift, int32_t X, int32_t Y, bool& Handled) {
    FMousePos = Point(X, Y);
    TRect r;
    GetDrawRect(r);
    if (r.Contains(FMousePos)) {
        if (!FCursorChanged) {
            FDisplay->SetToolCursor(FCursor);
            FCursorChanged = true;
        }
        FDisplay->InvalidateRefresh();
    }
    TKvDisplayComponent::MouseMove(Shift, X, Y, Handled);
}

void TKvBasicDisplayToolBar::MouseDown(TMouseButton Button, TShiftState Shift, bool& Handled,
                                       bool Inside, int32_t X, int32_t Y) {
    TKvDisplayComponent::MouseDown(Button, Shift, Handled, Inside, X, Y);
    if (Button != mbLeft || Handled)
        return;
    // The state may have changed since the last paint.
    UpdateButtons();
    const TPoint p = Point(X, Y);
    TRect r;
    GetDrawRect(r);
    TKvDisplayIntToolBarButton* hit = nullptr;
    std::vector<TKvDisplayIntToolBarButton*> elsewhere;
    ForEachCell(r, [&](TKvDisplayIntToolBarButton* AButton, const TRect& ACell) {
        if (!ACell.Contains(p))
            elsewhere.push_back(AButton);
        else if (!hit && AButton->FEnabled)
            hit = AButton;
    });
    if (!hit)
        return;
    Handled = true;
    for (TKvDisplayIntToolBarButton* button : elsewhere)
        button->FClicked = false;
    FDisplay->InvalidateRefresh();
    hit->Click();
}

void TKvBasicDisplayToolBar::MouseUp(TMouseButton Button, TShiftState Shift, bool Inside, int32_t X,
                                     int32_t Y) {
    TKvDisplayComponent::MouseUp(Button, Shift, Inside, X, Y);
    bool changed = false;
    for (int32_t i = 0; i < FButtonList.Count(); ++i) {
        TKvDisplayIntToolBarButton* button = FButtonList.Items(i);
        if (button->IsVisible() && button->FClicked) {
            button->FClicked = false;
            changed = true;
        }
    }
    if (changed)
        FDisplay->InvalidateRefresh();
}

void TKvBasicDisplayToolBar::DisplayMouseLeave() {
    FMousePos = Point(-10000, -10000);
    TKvDisplayComponent::DisplayMouseLeave();
}

void TKvBasicDisplayToolBar::MouseEnterView() {
    FViewRect = ToolRect();
    FViewLocked = true;
    FDisplay->InvalidateRefresh();
}

void TKvBasicDisplayToolBar::MouseLeaveView() {
    FViewLocked = false;
    if (FHasHighlighted)
        FDisplay->InvalidateRefresh();
    if (FCursorChanged) {
        FCursorChanged = false;
        FDisplay->SetToolCursor(FDisplay->UserCursor());
    }
}

void TKvBasicDisplayToolBar::SetVisible(bool AValue) {
    FLock->Setter(FVisible, AValue, [this] { FDisplay->InvalidateRefresh(); });
}

void TKvBasicDisplayToolBar::SetAutoHide(bool AValue) {
    FLock->Setter(FAutoHide, AValue, [this] { FDisplay->InvalidateRefresh(); });
}

void TKvBasicDisplayToolBar::ColorsChanged() {}

TKvButtonColors TKvBasicDisplayToolBar::ButtonColors() const {
    TKvButtonColors colors;
    colors.Glyph = FGlyphColor;
    colors.Border = FBorderColor;
    colors.Button = FButtonColor;
    colors.MouseOverBorder = FMouseOverBorderColor;
    colors.MouseOverButton = FMouseOverButtonColor;
    colors.MouseDownBorder = FMouseDownBorderColor;
    colors.MouseDownButton = FMouseDownButtonColor;
    colors.Disabled = FDisabledColor;
    return colors;
}

void TKvBasicDisplayToolBar::SetColorValue(TColor& AField, TColor AValue) {
    FLock->SetterColor(AField, AValue, [this] {
        FButtonImages->Rebuild(ButtonColors(), FDisplay->Color());
        ColorsChanged();
        FDisplay->InvalidateRefresh();
    });
}

// The display toolbar

TKvDisplayToolBar::TKvDisplayToolBar(TKvDataDisplay* ADisplay)
    : TKvBasicDisplayToolBar(ADisplay),
      FPosition(MakeOwned<TKvToolBarPosition>(
          this, FLock, [this](TPersistent*) { FDisplay->InvalidateRefresh(); })),
      FButtons(MakeOwned<TKvDisplayToolBarButtons>(this, ADisplay)) {
    TKvDataDisplay* d = ADisplay;
    TKvDisplayToolBarButtons& b = *FButtons;
    FRunButton = AddButton(biRun, b.GetHold(), [d] { d->SetHold(false); });
    FHoldButton = AddButton(biPause, b.GetHold(), [this, d] {
        d->SetHold(true);
        // the run button takes the place under the mouse and shows pressed
        FRunButton->FClicked = true;
        FHoldButton->FClicked = true;
    });
    FZoomModeButton = AddButton(biMagnifier, b.GetZoomMode(), [d] { d->SetNavigateMode(nmZoom); });
    FPanModeButton = AddButton(biHand, b.GetZoomMode(), [d] { d->SetNavigateMode(nmPan); });
    FCopyButton = AddButton(biCopy, b.GetCopy(), [d] { d->CopyToClipboard(); });
    FPrintButton = AddButton(biPrint, b.GetPrint(), [this] { PrintClick(); });
    FSaveButton = AddButton(biSave, b.GetSave(), [this] { SaveClick(); });
    FSetupButton = AddButton(biSetup, b.GetSetup(), [d] { d->ShowSetup(); });
    FZoomInButton = AddButton(biZoomIn, b.GetZoomIn(), [d] { d->ZoomBy(0.5); });
    FZoomOutButton = AddButton(biZoomOut, b.GetZoomOut(), [d] { d->ZoomBy(2.0); });
    FZoomOffButton = AddButton(biZoomOff, b.GetZoomOff(), [d] { d->ZoomOff(); });
    FZoomPrevButton = AddButton(biZoomPrevious, b.GetZoomPrevious(), [d] { d->UndoZoom(); });
    FZoomNextButton = AddButton(biZoomNext, b.GetZoomNext(), [d] { d->RedoZoom(); });
    FXYZoomOnButton =
        AddButton(biFourWayArrows, b.GetXYZoomOn(), [d] { d->GetZooming()->SetMode(zmBoth); });
    FRunButton->FVisible = false;
    FZoomModeButton->FVisible = false;
}

TKvDisplayToolBar::~TKvDisplayToolBar() {
    // the buttons point at their settings, which go first
    FButtonList.Clear();
}

void TKvDisplayToolBar::UpdateButtons() {
    const bool hold = FDisplay->GetHold();
    FRunButton->FVisible = hold;
    FHoldButton->FVisible = !hold;
    const bool pan = FDisplay->GetNavigateMode() == nmPan;
    FZoomModeButton->FVisible = pan;
    FPanModeButton->FVisible = !pan;
    // a shared setting clicks the button of the pair that is shown
    FButtons->GetHold()->SetExecutor(hold ? FRunButton : FHoldButton);
    FButtons->GetZoomMode()->SetExecutor(pan ? FZoomModeButton : FPanModeButton);
    FZoomInButton->FEnabled = FDisplay->CanZoomIn();
    FZoomOutButton->FEnabled = FDisplay->CanZoomOut();
    FZoomOffButton->FEnabled = FDisplay->IsZoomed();
    FZoomPrevButton->FEnabled = FDisplay->CanUndoZoom();
    FZoomNextButton->FEnabled = FDisplay->CanRedoZoom();
    FXYZoomOnButton->FEnabled = FDisplay->GetZooming()->GetMode() != zmBoth;
}

TRect TKvDisplayToolBar::HostRect() const {
    if (FPosition->GetHostView() == thvDataView)
        if (TKvDisplayView* view = FDisplay->GetDataView())
            return Rect(view->Left(), view->Top(), view->Left() + view->Width(),
                        view->Top() + view->Height());
    return Rect(0, 0, FDisplay->PlotWidth(), FDisplay->PlotHeight());
}

int32_t TKvDisplayToolBar::GetToolLeft() const {
    const TRect host = HostRect();
    const int32_t cx = FPosition->GetCX();
    switch (FPosition->GetCoordinateMode()) {
    case cmLeftTop:
    case cmLeftBottom:
    case cmLeftCenter:
        return host.Left + cx;
    case cmRightTop:
    case cmRightBottom:
    case cmRightCenter:
        return host.Right - cx - ToolWidth() + 1;
    default:
        return host.Left + (host.Width() - ToolWidth()) / 2 - cx + 1;
    }
}

int32_t TKvDisplayToolBar::GetToolTop() const {
    const TRect host = HostRect();
    const int32_t cy = FPosition->GetCY();
    const int32_t height = std::min(GetRowCount(), FButtonList.GetCountVisible()) * Step;
    switch (FPosition->GetCoordinateMode()) {
    case cmLeftTop:
    case cmRightTop:
    case cmTopCenter:
        return host.Top + cy;
    case cmLeftBottom:
    case cmRightBottom:
    case cmBottomCenter:
        return host.Bottom - cy - height + 1;
    default:
        return host.Top + (host.Height() - height) / 2 - cy + 1;
    }
}

void TKvDisplayToolBar::PrintClick() {
    const bool hold = FDisplay->GetHold();
    FDisplay->SetHold(true);
    const auto restore = qScopeGuard([this, hold] { FDisplay->SetHold(hold); });
    if (KvDisplayDialogs().ExecutePrintDialog(FDisplay->Printer()))
        FDisplay->Print();
}

void TKvDisplayToolBar::SaveClick() {
    const bool hold = FDisplay->GetHold();
    FDisplay->SetHold(true);
    const auto restore = qScopeGuard([this, hold] { FDisplay->SetHold(hold); });
    QString name;
    if (!KvDisplayDialogs().ExecuteSaveDialog(QString::fromLatin1(SaveFilter),
                                              QString::fromLatin1(SaveDefaultExt), name))
        return;
    const QString ext = QFileInfo(name).suffix().toUpper();
    if (ext == QLatin1String("JPG") || ext == QLatin1String("JPEG"))
        FDisplay->SaveToJpeg(name);
    else
        FDisplay->SaveToBitmap(name);
}
