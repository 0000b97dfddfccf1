#include "pins/JwExtCollection.h"

#include <algorithm>

TJwExtCollectionItem::TJwExtCollectionItem(TCollection* ACollection)
    : TCollectionItem(ACollection) {}

TJwExtCollectionItem::~TJwExtCollectionItem() = default;

TJwExtCollection::TJwExtCollection(TPersistent* AOwner, TItemFactory AItemFactory)
    : TCollection(AOwner, std::move(AItemFactory)) {}

TJwExtCollection::~TJwExtCollection() = default;

void TJwExtCollection::AddListener(TJwCollectionListener* AListener) {
    if (AListener && std::find(FListeners.begin(), FListeners.end(), AListener) == FListeners.end())
        FListeners.push_back(AListener);
}

void TJwExtCollection::RemoveListener(TJwCollectionListener* AListener) {
    std::erase(FListeners, AListener);
}

void TJwExtCollection::BeforeDestruction() {
    TCollection::BeforeDestruction();
    // No change reports to an owner that is going away: the update is never ended.
    BeginUpdate();
    Clear();
}

void TJwExtCollection::Notify(TCollectionItem* AItem, TCollectionNotification AAction) {
    TCollection::Notify(AItem, AAction);
    // A listener may remove itself while being told.
    const std::vector<TJwCollectionListener*> listeners = FListeners;
    for (TJwCollectionListener* listener : listeners)
        if (std::find(FListeners.begin(), FListeners.end(), listener) != FListeners.end())
            listener->CollectionNotify(this, AItem, AAction);
}
