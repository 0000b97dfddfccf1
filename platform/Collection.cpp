#include "platform/Collection.h"

#include "platform/Exceptions.h"

#include <algorithm>

TCollectionItem::TCollectionItem(TCollection* ACollection) {
    SetCollection(ACollection);
}

TCollectionItem::~TCollectionItem() {
    if (FCollection)
        FCollection->RemoveItem(this, TCollectionNotification::cnDeleting);
}

void TCollectionItem::BeforeDestruction() {
    // Leave while still whole, so that the collection's listeners can look
    // at the item.
    if (FCollection)
        FCollection->RemoveItem(this, TCollectionNotification::cnDeleting);
}

void TCollectionItem::SetCollection(TCollection* AValue) {
    if (FCollection == AValue)
        return;
    if (FCollection)
        FCollection->RemoveItem(this, TCollectionNotification::cnExtracting);
    if (AValue)
        AValue->InsertItem(this);
}

int TCollectionItem::Index() const {
    if (!FCollection)
        return -1;
    const auto& items = FCollection->FItems;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int AValue) {
    if (!FCollection)
        return;
    const int target = std::clamp(AValue, 0, FCollection->Count() - 1);
    const int current = Index();
    if (target != current) {
        FCollection->MoveItem(current, target);
        Changed(true);
    }
}

QString TCollectionItem::GetDisplayName() const {
    return ClassName();
}

QString TCollectionItem::GetNamePath() const {
    if (!FCollection)
        return ClassName();
    return QStringLiteral("%1[%2]").arg(FCollection->GetNamePath()).arg(Index());
}

TPersistent* TCollectionItem::GetOwner() const {
    return FCollection;
}

void TCollectionItem::Changed(bool AAllItems) {
    if (FCollection && FCollection->FUpdateCount == 0)
        FCollection->Update(AAllItems ? nullptr : this);
}

TCollection::TCollection(TPersistent* AOwner, TItemFactory AItemFactory)
    : FOwner(AOwner), FItemFactory(std::move(AItemFactory)) {}

TCollection::~TCollection() {
    FUpdateCount = 1; // no change reports to a half-destroyed owner
    Clear();
}

TCollectionItem* TCollection::Items(int AIndex) const {
    if (AIndex < 0 || AIndex >= Count())
        ListIndexError(AIndex);
    return FItems[static_cast<size_t>(AIndex)];
}

TCollectionItem* TCollection::Add() {
    FAdding = true;
    TCollectionItem* item = nullptr;
    try {
        item = FItemFactory(this);
    } catch (...) {
        FAdding = false;
        throw;
    }
    FAdding = false;
    if (item->FCollection != this)
        item->SetCollection(this);
    else
        Added(item);
    return item;
}

TCollectionItem* TCollection::Insert(int AIndex) {
    TCollectionItem* item = Add();
    item->SetIndex(AIndex);
    return item;
}

void TCollection::Delete(int AIndex) {
    Free(Items(AIndex));
}

void TCollection::Clear() {
    if (FItems.empty())
        return;
    BeginUpdate();
    while (!FItems.empty())
        Free(FItems.back());
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int AID) const {
    for (TCollectionItem* item : FItems)
        if (item->FID == AID)
            return item;
    return nullptr;
}

void TCollection::Assign(TPersistent* ASource) {
    auto* source = qobject_cast<TCollection*>(ASource);
    if (!source) {
        TPersistent::Assign(ASource);
        return;
    }
    if (source == this)
        return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* item : source->FItems)
            Add()->Assign(item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::BeginUpdate() {
    ++FUpdateCount;
}

void TCollection::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Changed();
}

QString TCollection::GetNamePath() const {
    return FOwner ? FOwner->GetNamePath() : ClassName();
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Changed() {
    if (FUpdateCount == 0)
        Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* AItem) {
    FItems.push_back(AItem);
    AItem->FCollection = this;
    AItem->FID = FNextID++;
    if (!FAdding)
        Added(AItem);
}

void TCollection::Added(TCollectionItem* AItem) {
    Notify(AItem, TCollectionNotification::cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* AItem, TCollectionNotification AAction) {
    Notify(AItem, AAction);
    std::erase(FItems, AItem);
    AItem->FCollection = nullptr;
    Changed();
}

void TCollection::MoveItem(int AFrom, int ATo) {
    TCollectionItem* item = FItems[static_cast<size_t>(AFrom)];
    FItems.erase(FItems.begin() + AFrom);
    FItems.insert(FItems.begin() + ATo, item);
}
