#include "display/KvDisplayCollectionItems.h"

#include "display/KvDataDisplay.h"
#include "foundation/HxCanvas.h"
#include "platform/Canvas.h"
#include "platform/Exceptions.h"

namespace {

// Checked before the item joins the collection, which a failure after
// joining would leave holding a dead item.
TCollection* DisplayCollection(TCollection* ACollection) {
    auto* collection = qobject_cast<TKvDisplayCollection*>(ACollection);
    if (!collection || !collection->Display())
        throw Exception(QStringLiteral("A display item needs a display collection"));
    return collection;
}

} // namespace

TKvDisplayCollection::TKvDisplayCollection(TKvDataDisplay* ADataChart, THxPersistent* AOwner,
                                           TItemFactory AItemFactory)
    : THxCollection(AOwner, std::move(AItemFactory)), FDisplay(ADataChart) {}

TKvDisplayCollection::TKvDisplayCollection(TKvDataDisplay* ADataChart, THxCollectionItem* AOwner,
                                           TItemFactory AItemFactory)
    : THxCollection(AOwner, std::move(AItemFactory)), FDisplay(ADataChart) {}

TKvDisplayCollection::TKvDisplayCollection(TKvDataDisplay* ADataChart, TComponent* AOwner,
                                           const THxLockPtr& ALock, TItemFactory AItemFactory)
    : THxCollection(AOwner, ALock, std::move(AItemFactory)), FDisplay(ADataChart) {}

TKvDisplayCollection::~TKvDisplayCollection() = default;

TKvDisplayCollectionItem::TKvDisplayCollectionItem(TCollection* ACollection)
    : THxCollectionItem(DisplayCollection(ACollection)),
      FOwner(static_cast<TKvDisplayCollection*>(ACollection)->Display()) {}

TKvDisplayCollectionItem::~TKvDisplayCollectionItem() = default;

void TKvDisplayCollectionItem::SetName(const QString& AValue) {
    FLock->Setter(FName, AValue, [this] { ItemChanged(); });
}

void TKvDisplayCollectionItem::SetTag(int32_t AValue) {
    FLock->Setter(FTag, AValue, nullptr);
}

TColor TKvDisplayCollectionItem::GetLegendColor() {
    return clRed;
}

bool TKvDisplayCollectionItem::HasLegendPen() {
    return false;
}

TPersistent* TKvDisplayCollectionItem::GetLegendPen() {
    THxCanvas* canvas = FOwner->GetBitmapCanvas();
    return canvas ? &canvas->GetCanvas().Pen() : nullptr;
}

bool TKvDisplayCollectionItem::HasLegendBrush() {
    return false;
}

TPersistent* TKvDisplayCollectionItem::GetLegendBrush() {
    THxCanvas* canvas = FOwner->GetBitmapCanvas();
    return canvas ? &canvas->GetCanvas().Brush() : nullptr;
}

bool TKvDisplayCollectionItem::DrawLegendSymbol(THxCanvas*, int32_t, int32_t) {
    return false;
}

bool TKvDisplayCollectionItem::IsLegendVisible() {
    return true;
}

bool TKvDisplayCollectionItem::IsHighlighted() {
    return false;
}

void TKvDisplayCollectionItem::SetHighlighted(bool) {}

bool TKvDisplayCollectionItem::IsPressed() {
    return false;
}

void TKvDisplayCollectionItem::ItemChanged() {
    FOwner->InvalidateRefresh();
}

TKvDisplaySelectableCollectionItem::TKvDisplaySelectableCollectionItem(TCollection* ACollection)
    : TKvDisplayCollectionItem(ACollection) {}

TKvDisplaySelectableCollectionItem::~TKvDisplaySelectableCollectionItem() = default;

void TKvDisplaySelectableCollectionItem::ItemMouseEnter() {
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TKvDisplaySelectableCollectionItem::ItemMouseLeave() {
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TKvDisplaySelectableCollectionItem::ItemMouseDown(TMouseButton Button, TShiftState Shift,
                                                       int32_t X, int32_t Y) {
    FMouseIsDown = true;
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
    if (Button == mbLeft && OnClick)
        OnClick(this);
}

void TKvDisplaySelectableCollectionItem::ItemMouseUp(TMouseButton Button, TShiftState Shift,
                                                     int32_t X, int32_t Y) {
    if (!FMouseIsDown)
        return;
    // one release per press
    FMouseIsDown = false;
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

TKvOptionalDisplayCollectionItem::TKvOptionalDisplayCollectionItem(TCollection* ACollection)
    : TKvDisplaySelectableCollectionItem(ACollection) {}

TKvOptionalDisplayCollectionItem::~TKvOptionalDisplayCollectionItem() = default;

void TKvOptionalDisplayCollectionItem::SetVisible(bool AValue) {
    FLock->Setter(FVisible, AValue, [this] { ItemChanged(); });
}
