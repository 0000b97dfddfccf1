#include "waterfall/KvLevelDisplayColors.h"

#include "foundation/HxPersistent.h"
#include "waterfall/KvLevelColors.h"

TKvLevelDisplayColor::TKvLevelDisplayColor(TCollection* ACollection)
    : THxCollectionItem(ACollection) {}

TKvLevelDisplayColor::~TKvLevelDisplayColor() = default;

void TKvLevelDisplayColor::LockChanged() {
    Changed(false);
}

TKvLevelDisplayColors::TKvLevelDisplayColors(THxPersistent* AOwner, TNotifyEvent AOnChange)
    : THxCollection(AOwner, ItemFactory<TKvLevelDisplayColor>()), FOnChange(std::move(AOnChange)) {}

TKvLevelDisplayColors::~TKvLevelDisplayColors() = default;

TKvLevelDisplayColor* TKvLevelDisplayColors::Add() {
    return static_cast<TKvLevelDisplayColor*>(THxCollection::Add());
}

TKvLevelDisplayColor* TKvLevelDisplayColors::Items(int AIndex) const {
    return static_cast<TKvLevelDisplayColor*>(THxCollection::Items(AIndex));
}

std::vector<TColor> TKvLevelDisplayColors::Colors() const {
    const TJwLockSectionPtr section = FLock->ReadLock();
    std::vector<TColor> colors;
    colors.reserve(static_cast<size_t>(Count()));
    for (int i = 0; i < Count(); ++i)
        colors.push_back(Items(i)->FColor);
    return colors;
}

void TKvLevelDisplayColors::LockChanged() {
    Changed();
}

void TKvLevelDisplayColors::Update(TCollectionItem* AItem) {
    THxCollection::Update(AItem);
    if (FOnChange)
        FOnChange(this);
}

void TKvLevelDisplayColors::Notify(TCollectionItem* AItem, TCollectionNotification AAction) {
    if (AAction == TCollectionNotification::cnAdded) {
        std::vector<TColor> others;
        for (int i = 0; i < Count(); ++i)
            if (Items(i) != AItem)
                others.push_back(Items(i)->FColor);
        static_cast<TKvLevelDisplayColor*>(AItem)->FColor = DefaultLevelColor(others);
    }
    THxCollection::Notify(AItem, AAction);
}
