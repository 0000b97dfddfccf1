#include "display/KvLegendGroup.h"

#include "display/KvDataDisplay.h"
#include "display/KvDisplayCollectionItems.h"
#include "display/KvLegendView.h"
#include "foundation/HxCanvas.h"

#include <algorithm>

TKvBasicLegendGroup::TKvBasicLegendGroup(TKvLegendView* AOwner, const QString& ADefaultLabel)
    : THxPersistent(AOwner), FOwner(AOwner), FDefaultLabel(ADefaultLabel) {
    FLegendLabel = MakeOwned<TKvDisplayLabel>(this, FLock, [this](TPersistent*) {
        if (FOwner)
            FOwner->Display()->InvalidateLayout();
    });
}

TKvBasicLegendGroup::~TKvBasicLegendGroup() {
    if (FOwner)
        FOwner->RemoveGroup(this);
}

void TKvBasicLegendGroup::SetCaption(TKvDisplayLabel* AValue) {
    FLegendLabel->Assign(AValue);
}

void TKvBasicLegendGroup::SetVisible(bool AValue) {
    FLock->Setter(FVisible, AValue, [this] {
        if (FOwner)
            FOwner->Display()->InvalidateLayout();
    });
}

TCursor TKvBasicLegendGroup::GetCursor() const {
    const TJwLockSectionPtr section = FLock->ReadLock();
    return FCursor;
}

QString TKvBasicLegendGroup::CaptionText() const {
    const QString text = FLegendLabel->GetText();
    return text.isEmpty() ? FDefaultLabel : text;
}

bool TKvBasicLegendGroup::IsShown() {
    return GetVisible() && GetItemCount() > 0;
}

int32_t TKvBasicLegendGroup::CaptionAdvance(THxCanvas* ACanvas) {
    if (!FLegendLabel->GetVisible())
        return 0;
    ACanvas->SetFromDisplayFont(FLegendLabel->GetFont());
    const int32_t height = ACanvas->TextHeight(CaptionText()) + 1;
    return height > 6 ? height - 6 : 0;
}

void TKvBasicLegendGroup::Draw(THxCanvas* ACanvas, bool, bool Printing, int32_t& YPos,
                               int32_t& LastYPos) {
    if (!FOwner || !IsShown()) {
        LastYPos = YPos;
        return;
    }
    const TRect legend = FOwner->FDrawRect;
    TKvLegendViewButtonSettings& buttons = *FOwner->GetButtons();
    if (FLegendLabel->GetVisible()) {
        ACanvas->SetFromDisplayFont(FLegendLabel->GetFont());
        ACanvas->GetBrush().SetStyle(lbsClear);
        YPos -= 6;
        const QString text = CaptionText();
        const int32_t height = ACanvas->TextHeight(text);
        ACanvas->TextOut(legend.Left + TKvLegendView::CaptionX, YPos - height / 2, text);
        YPos += std::max(height + 1, 6);
    }
    ACanvas->SetFromDisplayFont(FOwner->GetFont());
    const int32_t textHeight = ACanvas->TextHeight(QStringLiteral("Xg"));
    const int32_t row = textHeight + 1 < 7 ? 6 : textHeight + 1;
    const TColor background = FOwner->BackgroundColor();
    const int32_t count = GetItemCount();
    for (int32_t i = 0; i < count; ++i) {
        if (!GetItemVisible(i))
            continue;
        if (!Printing && (FHighlightedItemIndex == i || GetItemHighlighted(i))) {
            // a button behind the row, its corners left out to look rounded
            --YPos;
            const bool pressed = FMuseDownItemIndex == i || GetItemPressed(i);
            const TRect r = Rect(legend.Left + 5, YPos - textHeight / 2, legend.Right - 5,
                                 YPos + row - textHeight / 2);
            ACanvas->GetBrush().SetStyle(lbsSolid);
            ACanvas->GetBrush().SetColor(pressed ? buttons.GetMouseDownColor()
                                                 : buttons.GetMouseOverColor());
            ACanvas->FillRect(r);
            ACanvas->GetPen().SetStyle(lpsSolid);
            ACanvas->GetPen().SetColor(pressed ? buttons.GetMouseDownBorderColor()
                                               : buttons.GetMouseOverBorderColor());
            ACanvas->GetBrush().SetStyle(lbsClear);
            ACanvas->Rectangle(r);
            if (r.Right - r.Left >= 2 && r.Bottom - r.Top >= 2) {
                ACanvas->SetPixel(r.Left, r.Top, background);
                ACanvas->SetPixel(r.Right - 1, r.Top, background);
                ACanvas->SetPixel(r.Left, r.Bottom - 1, background);
                ACanvas->SetPixel(r.Right - 1, r.Bottom - 1, background);
            }
            ++YPos;
        }
        if (!DrawItemSymbol(i, ACanvas, YPos, legend.Left + TKvLegendView::SymbolLeft)) {
            const TColor color = GetItemColor(i);
            if (TPersistent* pen = GetItemHasPen(i) ? GetItemPen(i) : nullptr) {
                ACanvas->SetFromDisplayPen(pen);
            } else {
                ACanvas->GetPen().SetStyle(lpsSolid);
                ACanvas->GetPen().SetColor(color);
            }
            if (TPersistent* brush = GetItemHasBrush(i) ? GetItemBrush(i) : nullptr) {
                ACanvas->SetFromDisplayBrush(brush);
            } else {
                ACanvas->GetBrush().SetStyle(lbsSolid);
                ACanvas->GetBrush().SetColor(color);
            }
            ACanvas->Rectangle(legend.Left + TKvLegendView::SymbolLeft, YPos - 1,
                               legend.Left + TKvLegendView::SymbolRight, YPos + 2);
        }
        QString text;
        GetItemText(i, text);
        ACanvas->GetBrush().SetStyle(lbsClear);
        ACanvas->TextOut(legend.Left + TKvLegendView::TextX, YPos - textHeight / 2, text);
        YPos += row;
    }
    YPos += row;
    LastYPos = YPos;
}

int32_t TKvBasicLegendGroup::ButtonHitTest(int32_t X, int32_t Y, int32_t& YPos) {
    if (!FOwner || !IsShown())
        return -1;
    THxCanvas* canvas = FOwner->MeasureCanvas();
    YPos += CaptionAdvance(canvas);
    canvas->SetFromDisplayFont(FOwner->GetFont());
    const int32_t textHeight = canvas->TextHeight(QStringLiteral("Xg"));
    const int32_t row = FOwner->RowHeight();
    const TRect legend = FOwner->FDrawRect;
    int32_t hit = -1;
    const int32_t count = GetItemCount();
    for (int32_t i = 0; i < count; ++i) {
        if (!GetItemVisible(i))
            continue;
        if (hit < 0 && YPos > legend.Top &&
            Rect(legend.Left + 4, YPos - textHeight / 2, legend.Right - 2,
                 YPos + row - textHeight / 2)
                .Contains(Point(X, Y)))
            hit = i;
        YPos += row;
    }
    YPos += row;
    return hit;
}

int32_t TKvBasicLegendGroup::GetDefaultSize() {
    if (!FOwner || !IsShown())
        return 0;
    THxCanvas* canvas = FOwner->MeasureCanvas();
    int32_t width = 0;
    if (FLegendLabel->GetVisible()) {
        canvas->SetFromDisplayFont(FLegendLabel->GetFont());
        width = canvas->TextWidth(CaptionText()) + 23;
    }
    canvas->SetFromDisplayFont(FOwner->GetFont());
    const int32_t count = GetItemCount();
    for (int32_t i = 0; i < count; ++i) {
        if (!GetItemVisible(i))
            continue;
        QString text;
        GetItemText(i, text);
        width = std::max(width, canvas->TextWidth(text) + 30);
    }
    return width;
}

int32_t TKvBasicLegendGroup::ContentHeight() {
    if (!FOwner || !IsShown())
        return 0;
    int32_t height = CaptionAdvance(FOwner->MeasureCanvas());
    const int32_t row = FOwner->RowHeight();
    const int32_t count = GetItemCount();
    for (int32_t i = 0; i < count; ++i)
        if (GetItemVisible(i))
            height += row;
    return height;
}

void TKvBasicLegendGroup::GetItemText(int32_t, QString& AText) {
    AText.clear();
}

bool TKvBasicLegendGroup::GetItemVisible(int32_t) {
    return true;
}

void TKvBasicLegendGroup::SetItemHighlighted(int32_t, bool) {}

bool TKvBasicLegendGroup::GetItemHighlighted(int32_t) {
    return false;
}

bool TKvBasicLegendGroup::GetItemPressed(int32_t) {
    return false;
}

bool TKvBasicLegendGroup::DrawItemSymbol(int32_t, THxCanvas*, int32_t, int32_t) {
    return false;
}

TColor TKvBasicLegendGroup::GetItemColor(int32_t) {
    return clRed;
}

bool TKvBasicLegendGroup::GetItemHasPen(int32_t) {
    return false;
}

TPersistent* TKvBasicLegendGroup::GetItemPen(int32_t) {
    return nullptr;
}

bool TKvBasicLegendGroup::GetItemHasBrush(int32_t) {
    return false;
}

TPersistent* TKvBasicLegendGroup::GetItemBrush(int32_t) {
    return nullptr;
}

bool TKvBasicLegendGroup::CanShowItemProperties() {
    return true;
}

TKvLegendGroup::TKvLegendGroup(TKvLegendView* AOwner, const QString& ADefaultLabel,
                               TKvDisplayCollection* ALegendCollection)
    : TKvBasicLegendGroup(AOwner, ADefaultLabel), FLegendCollection(ALegendCollection) {}

TKvLegendGroup::~TKvLegendGroup() = default;

namespace {

TKvDisplayCollectionItem* Item(TKvDisplayCollection* ACollection, int32_t AIndex) {
    return static_cast<TKvDisplayCollectionItem*>(ACollection->Items(AIndex));
}

} // namespace

int32_t TKvLegendGroup::GetItemCount() {
    return FLegendCollection ? FLegendCollection->Count() : 0;
}

void TKvLegendGroup::GetItemText(int32_t AIndex, QString& AText) {
    AText = Item(FLegendCollection, AIndex)->GetDisplayName();
}

bool TKvLegendGroup::GetItemVisible(int32_t AIndex) {
    return Item(FLegendCollection, AIndex)->IsLegendVisible();
}

void TKvLegendGroup::SetItemHighlighted(int32_t AIndex, bool AState) {
    for (int32_t i = 0; i < GetItemCount(); ++i)
        Item(FLegendCollection, i)->SetHighlighted(AState && i == AIndex);
}

bool TKvLegendGroup::GetItemHighlighted(int32_t AIndex) {
    return Item(FLegendCollection, AIndex)->IsHighlighted();
}

bool TKvLegendGroup::GetItemPressed(int32_t AIndex) {
    return Item(FLegendCollection, AIndex)->IsPressed();
}

bool TKvLegendGroup::DrawItemSymbol(int32_t AIndex, THxCanvas* ACanvas, int32_t Y, int32_t X) {
    return Item(FLegendCollection, AIndex)->DrawLegendSymbol(ACanvas, Y, X);
}

TColor TKvLegendGroup::GetItemColor(int32_t AIndex) {
    return Item(FLegendCollection, AIndex)->GetLegendColor();
}

bool TKvLegendGroup::GetItemHasPen(int32_t AIndex) {
    return Item(FLegendCollection, AIndex)->HasLegendPen();
}

TPersistent* TKvLegendGroup::GetItemPen(int32_t AIndex) {
    return Item(FLegendCollection, AIndex)->GetLegendPen();
}

bool TKvLegendGroup::GetItemHasBrush(int32_t AIndex) {
    return Item(FLegendCollection, AIndex)->HasLegendBrush();
}

TPersistent* TKvLegendGroup::GetItemBrush(int32_t AIndex) {
    return Item(FLegendCollection, AIndex)->GetLegendBrush();
}
