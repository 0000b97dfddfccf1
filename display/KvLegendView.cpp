#include "display/KvLegendView.h"

#include "display/KvDataDisplay.h"
#include "display/KvLegendGroup.h"
#include "foundation/HxCanvas.h"
#include "platform/Exceptions.h"
#include "platform/Filer.h"

#include <algorithm>
#include <climits>

namespace {

// Far left of any legend: while a scroll button is under the mouse no row is.
constexpr int32_t NoRowX = INT32_MIN / 2;

// A colour of an older form: an identifier (clLime) or a number.
TColor ReadColorValue(TReader& AReader) {
    if (AReader.NextValue() == TValueType::vaIdent) {
        const QString ident = AReader.ReadIdent();
        TColor color = clBlack;
        if (!IdentToColor(ident, color))
            AReader.Error(QStringLiteral("Invalid colour %1").arg(ident));
        return color;
    }
    return AReader.ReadInteger();
}

} // namespace

TKvLegendView::TKvLegendView(TKvDataDisplay* AOwner)
    : TKvOptionalView(AOwner, vaRight), FFont(MakeOwned<TKvDisplayFont>()),
      FButtons(
          MakeOwned<TKvLegendViewButtonSettings>(this, [this](TPersistent*) { ButtonsChanged(); })),
      FRepeatTimer(new THxTimer(nullptr)) {
    FFont->SetName(QStringLiteral("Arial"));
    FFont->SetUniSize(8);
    FFont->SetColor(clWhite);
    FFont->OnChange = [this] { DisplayInvalidateLayout(); };
    FButtonImages = std::make_unique<TKvDisplayButtonImages>(ButtonColors(), BackgroundColor());
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->SetInterval(FirstRepeatInterval);
    FRepeatTimer->SetOnTimer([this](TPersistent*) { RepeatTick(); });
}

TKvLegendView::~TKvLegendView() {
    FRepeatTimer->SetEnabled(false);
    for (TKvBasicLegendGroup* group : FGroupsList)
        group->FOwner = nullptr;
}

void TKvLegendView::SetFont(TKvDisplayFont* AValue) {
    const TJwLockSectionPtr section = FLock->WriteLock();
    if (!JwHolds(section))
        return;
    FFont->Assign(AValue);
}

void TKvLegendView::SetButtons(TKvLegendViewButtonSettings* AValue) {
    FButtons->Assign(AValue);
}

void TKvLegendView::AddGroup(TKvBasicLegendGroup* AGroup) {
    if (!AGroup || std::find(FGroupsList.begin(), FGroupsList.end(), AGroup) != FGroupsList.end())
        return;
    FGroupsList.push_back(AGroup);
    AGroup->FOwner = this;
    DisplayInvalidateLayout();
}

void TKvLegendView::RemoveGroup(TKvBasicLegendGroup* AGroup) {
    const auto it = std::find(FGroupsList.begin(), FGroupsList.end(), AGroup);
    if (it == FGroupsList.end())
        return;
    FGroupsList.erase(it);
    DisplayInvalidateLayout();
}

TKvBasicLegendGroup* TKvLegendView::Groups(int32_t AIndex) const {
    if (AIndex < 0 || AIndex >= GroupCount())
        ListIndexError(AIndex);
    return FGroupsList[static_cast<size_t>(AIndex)];
}

THxCanvas* TKvLegendView::MeasureCanvas() const {
    return FDisplay->GetBitmapCanvas();
}

int32_t TKvLegendView::RowHeight() const {
    THxCanvas* canvas = MeasureCanvas();
    canvas->SetFromDisplayFont(FFont.get());
    const int32_t height = canvas->TextHeight(QStringLiteral("Xg")) + 1;
    return height < 7 ? 6 : height;
}

int32_t TKvLegendView::ContentHeight() const {
    const int32_t row = RowHeight();
    int32_t height = 0;
    bool first = true;
    try {
        for (TKvBasicLegendGroup* group : FGroupsList) {
            if (!group->IsShown())
                continue;
            if (!first)
                height += row;
            first = false;
            height += group->ContentHeight();
        }
    } catch (...) {
        // what was gathered so far
    }
    return height;
}

bool TKvLegendView::CanScrollDown() const {
    return FDisplay->PlotHeight() < ContentHeight() + GetTop() - FScrollPos;
}

TRect TKvLegendView::UpButtonRect() const {
    const int32_t w = FButtonImages->Up().Width();
    const int32_t h = FButtonImages->Up().Height();
    const int32_t left = FDrawRect.Right - w - 3;
    return Rect(left, FDrawRect.Top, left + w, FDrawRect.Top + h);
}

TRect TKvLegendView::DownButtonRect() const {
    const int32_t w = FButtonImages->Up().Width();
    const int32_t h = FButtonImages->Up().Height();
    const int32_t left = FDrawRect.Right - w - 3;
    const int32_t top = FDrawRect.Bottom - h - 3;
    return Rect(left, top, left + w, top + h);
}

void TKvLegendView::GetDefaultRect(TSize& ASize) const {
    int32_t width = 0;
    if (!GetViewSize()->GetAutoSize()) {
        width = static_cast<int32_t>(std::min<uint32_t>(GetViewSize()->GetSize(), INT32_MAX));
    } else {
        for (TKvBasicLegendGroup* group : FGroupsList)
            width = std::max(width, group->GetDefaultSize());
    }
    ASize = TSize{width, -1};
    // on the top or bottom the same extent goes across that side
    const TKvViewAlign align = GetViewAlign();
    if (align == vaTop || align == vaBottom)
        std::swap(ASize.cx, ASize.cy);
}

TColor TKvLegendView::BackgroundColor() const {
    return GetBackground()->GetUseControlColor() ? FDisplay->Color() : GetBackground()->GetColor();
}

void TKvLegendView::Draw(TKvDisplayDrawPart, THxCanvas* ACanvas, bool Vertical, bool Printing) {
    ACanvas->SetFromDisplayFont(FFont.get());
    DrawBackground(ACanvas);
    const int32_t row = RowHeight();
    int32_t yPos = FDrawRect.Top + row / 2 + 2 - FScrollPos;
    ACanvas->ExcludeClipRect(0, 0, FDisplay->PlotWidth(), FDrawRect.Top - 2);
    int32_t lastYPos = yPos;
    const int32_t plotHeight = FDisplay->PlotHeight();
    for (TKvBasicLegendGroup* group : FGroupsList) {
        if (lastYPos >= plotHeight)
            break;
        group->Draw(ACanvas, Vertical, Printing, yPos, lastYPos);
    }
    ACanvas->ResetClipRect();

    const bool canUp = CanScrollUp();
    const bool canDown = CanScrollDown();
    if (Printing || !FMouseIsInView || !(canUp || canDown))
        return;
    const bool held = FRepeatTimer->GetEnabled();
    const auto drawButton = [&](uint32_t AID, bool AEnabled, const TRect& ARect, int32_t AImage) {
        const THxImageList* list = &FButtonImages->Up();
        if (!AEnabled)
            list = &FButtonImages->Disabled();
        else if (held && FHeldButtonID == AID)
            list = &FButtonImages->Down();
        else if (FHighlightButtonID == AID)
            list = &FButtonImages->MouseOver();
        list->Draw(*ACanvas, ARect.Left, ARect.Top, AImage);
    };
    drawButton(ScrollUpButton, canUp, UpButtonRect(), biUpArrow);
    drawButton(ScrollDownButton, canDown, DownButtonRect(), biDownArrow);
}

void TKvLegendView::InvalidateView() {
    // the picture is rendered as a whole
    DisplayInvalidateRefresh();
}

void TKvLegendView::HitTest(int32_t X, int32_t Y) {
    if (!FButtons->GetEnabled())
        return;
    bool changed = false;
    uint32_t button = NoButton;
    if (CanScrollUp() || CanScrollDown()) {
        if (UpButtonRect().Contains(Point(X, Y)))
            button = ScrollUpButton;
        else if (DownButtonRect().Contains(Point(X, Y)))
            button = ScrollDownButton;
    }
    if (button != FHighlightButtonID) {
        FHighlightButtonID = button;
        changed = true;
    }
    const int32_t x = button != NoButton ? NoRowX : X;
    int32_t yPos = FDrawRect.Top + RowHeight() / 2 + 1 - FScrollPos;
    bool wasHot = false;
    TKvBasicLegendGroup* newHot = nullptr;
    for (TKvBasicLegendGroup* group : FGroupsList) {
        const int32_t old = group->FHighlightedItemIndex;
        wasHot = wasHot || old >= 0;
        const int32_t hit = newHot ? -1 : group->ButtonHitTest(x, Y, yPos);
        if (hit == old)
            continue;
        changed = true;
        group->FHighlightedItemIndex = hit;
        if (hit >= 0) {
            newHot = group;
            group->SetItemHighlighted(hit, true);
        } else {
            group->SetItemHighlighted(0, false);
        }
    }
    if (newHot)
        FDisplay->SetElementCursor(newHot->GetCursor());
    else if (wasHot && changed) {
        bool anyHot = false;
        for (TKvBasicLegendGroup* group : FGroupsList)
            anyHot = anyHot || group->FHighlightedItemIndex >= 0;
        if (!anyHot)
            FDisplay->SetCursor(FDisplay->UserCursor());
    }
    if (changed)
        InvalidateView();
}

void TKvLegendView::ClearHighlight() {
    bool wasHot = false;
    for (TKvBasicLegendGroup* group : FGroupsList) {
        if (group->FHighlightedItemIndex >= 0) {
            wasHot = true;
            group->FHighlightedItemIndex = -1;
            group->SetItemHighlighted(0, false);
        }
    }
    FHighlightButtonID = NoButton;
    if (wasHot)
        FDisplay->SetCursor(FDisplay->UserCursor());
}

void TKvLegendView::MouseMove(TShiftState Shift, int32_t X, int32_t Y, bool& Handled) {
    TKvOptionalView::MouseMove(Shift, X, Y, Handled);
    if (FMouseIsInView)
        HitTest(X, Y);
}

void TKvLegendView::MouseDown(TMouseButton Button, TShiftState Shift, bool& Handled, bool Inside,
                              int32_t X, int32_t Y) {
    TKvOptionalView::MouseDown(Button, Shift, Handled, Inside, X, Y);
    if (Handled || !Inside || Button != mbLeft)
        return;
    HitTest(X, Y);
    if (FHighlightButtonID != NoButton) {
        Handled = true;
        FHeldButtonID = FHighlightButtonID;
        ScrollHeld();
        FRepeatTimer->SetInterval(FirstRepeatInterval);
        FRepeatTimer->SetEnabled(true);
        InvalidateView();
        return;
    }
    for (int32_t g = 0; g < GroupCount(); ++g) {
        TKvBasicLegendGroup* group = FGroupsList[static_cast<size_t>(g)];
        const int32_t index = group->FHighlightedItemIndex;
        if (index < 0 || index >= group->GetItemCount())
            continue;
        Handled = true;
        group->FMuseDownItemIndex = index;
        bool handled = false;
        if (group->OnItemClick)
            group->OnItemClick(group, index, handled);
        if (!handled && group->CanShowItemProperties())
            FDisplay->ShowProperties(g, index);
        group->FMuseDownItemIndex = -1;
    }
}

void TKvLegendView::MouseUp(TMouseButton Button, TShiftState Shift, bool Inside, int32_t X,
                            int32_t Y) {
    TKvOptionalView::MouseUp(Button, Shift, Inside, X, Y);
    StopRepeat();
    for (TKvBasicLegendGroup* group : FGroupsList)
        group->FMuseDownItemIndex = -1;
}

void TKvLegendView::MouseEnterView() {
    TKvOptionalView::MouseEnterView();
    // the scroll buttons show while the mouse is over the legend
    if (CanScrollUp() || CanScrollDown())
        InvalidateView();
}

void TKvLegendView::MouseLeaveView() {
    TKvOptionalView::MouseLeaveView();
    ClearHighlight();
    InvalidateView();
}

void TKvLegendView::MouseWheelDown(TShiftState Shift, TPoint MousePos) {
    TKvOptionalView::MouseWheelDown(Shift, MousePos);
    if (CanScrollDown())
        ScrollBy(ScrollStep);
    HitTest(MousePos.X, MousePos.Y);
}

void TKvLegendView::MouseWheelUp(TShiftState Shift, TPoint MousePos) {
    TKvOptionalView::MouseWheelUp(Shift, MousePos);
    if (CanScrollUp())
        ScrollBy(-ScrollStep);
    HitTest(MousePos.X, MousePos.Y);
}

bool TKvLegendView::ScrollBy(int32_t ADelta) {
    const int32_t pos = std::max(FScrollPos + ADelta, 0);
    if (pos == FScrollPos)
        return false;
    FScrollPos = pos;
    InvalidateView();
    return true;
}

void TKvLegendView::ScrollHeld() {
    if (FHeldButtonID == ScrollUpButton && CanScrollUp())
        ScrollBy(-ScrollStep);
    else if (FHeldButtonID == ScrollDownButton && CanScrollDown())
        ScrollBy(ScrollStep);
}

void TKvLegendView::RepeatTick() {
    FRepeatTimer->SetInterval(RepeatInterval);
    ScrollHeld();
}

void TKvLegendView::StopRepeat() {
    FHeldButtonID = NoButton;
    if (!FRepeatTimer->GetEnabled())
        return;
    FRepeatTimer->SetEnabled(false);
    InvalidateView();
}

TKvButtonColors TKvLegendView::ButtonColors() const {
    TKvButtonColors colors;
    colors.Glyph = FButtons->GetGlyphColor();
    colors.Border = FButtons->GetBorderColor();
    colors.Button = FButtons->GetButtonColor();
    colors.MouseOverBorder = FButtons->GetMouseOverBorderColor();
    colors.MouseOverButton = FButtons->GetMouseOverColor();
    colors.MouseDownBorder = FButtons->GetMouseDownBorderColor();
    colors.MouseDownButton = FButtons->GetMouseDownColor();
    colors.Disabled = FButtons->GetDisabledColor();
    return colors;
}

void TKvLegendView::ButtonsChanged() {
    if (FButtonImages)
        FButtonImages->Rebuild(ButtonColors(), BackgroundColor());
    DisplayInvalidateRefresh();
}

void TKvLegendView::DefineProperties(TFiler& AFiler) {
    TKvOptionalView::DefineProperties(AFiler);
    const auto colorReader = [this](void (TKvBasicViewButtonSettings::*ASet)(TColor)) {
        return [this, ASet](TReader& AReader) { (FButtons.get()->*ASet)(ReadColorValue(AReader)); };
    };
    AFiler.DefineProperty(QStringLiteral("MouseOverBorderColor"),
                          colorReader(&TKvBasicViewButtonSettings::SetMouseOverBorderColor),
                          nullptr, false);
    AFiler.DefineProperty(QStringLiteral("MouseOverButtonColor"),
                          colorReader(&TKvBasicViewButtonSettings::SetMouseOverColor), nullptr,
                          false);
    AFiler.DefineProperty(QStringLiteral("MouseDownBorderColor"),
                          colorReader(&TKvBasicViewButtonSettings::SetMouseDownBorderColor),
                          nullptr, false);
    AFiler.DefineProperty(QStringLiteral("MouseDownButtonColor"),
                          colorReader(&TKvBasicViewButtonSettings::SetMouseDownColor), nullptr,
                          false);
    AFiler.DefineProperty(
        QStringLiteral("ButtonsEnabled"),
        [this](TReader& AReader) { FButtons->SetEnabled(AReader.ReadBoolean()); }, nullptr, false);
}
