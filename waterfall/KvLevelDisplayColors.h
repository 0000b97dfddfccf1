#pragma once
// The level view's colour list: equally spaced colours from the minimum
// (first item) to the maximum (last item). A new item takes the default
// palette colour the other items use least. Any change of the list or of an
// item's colour is reported to the owner, since every pixel of the image
// depends on it.

#include "foundation/HxCollection.h"
#include "platform/Colors.h"

#include <vector>

class THxPersistent;

class TKvLevelDisplayColor : public THxCollectionItem {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)
    Q_CLASSINFO("type:Color", "TColor")
public:
    explicit TKvLevelDisplayColor(TCollection* ACollection);

    TColor GetColor() const { return FLock->Getter(FColor); }
    void SetColor(TColor AValue) { FLock->SetterColor(FColor, AValue, nullptr); }

    void LockChanged() override;

protected:
    ~TKvLevelDisplayColor() override;

private:
    friend class TKvLevelDisplayColors;
    TColor FColor = clBlack;
};

class TKvLevelDisplayColors : public THxCollection {
    Q_OBJECT
public:
    // Shares AOwner's lock; AOnChange runs after every change of the list.
    TKvLevelDisplayColors(THxPersistent* AOwner, TNotifyEvent AOnChange);

    TKvLevelDisplayColor* Add();
    TKvLevelDisplayColor* Items(int AIndex) const;
    // The colours in list order, as stored.
    std::vector<TColor> Colors() const;

    void LockChanged() override;

protected:
    ~TKvLevelDisplayColors() override;
    void Update(TCollectionItem* AItem) override;
    void Notify(TCollectionItem* AItem, TCollectionNotification AAction) override;

private:
    TNotifyEvent FOnChange;
};
