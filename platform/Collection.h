#pragma once
// Collections of items that belong to a persistent object (its "Items"
// property, stored with the owner as a list of items). Items know their
// collection and their index; freeing an item removes it from its
// collection, and the collection frees its items when cleared or freed.

#include "platform/Persistent.h"

#include <functional>
#include <vector>

class TCollection;

class TCollectionItem : public TPersistent {
    Q_OBJECT
public:
    // Inserts the new item at the end of ACollection (when given).
    explicit TCollectionItem(TCollection* ACollection);

    TCollection* Collection() const { return FCollection; }
    // Moves the item to another collection (or out of any with null).
    void SetCollection(TCollection* AValue);
    int Index() const;
    // Moves the item within its collection; AValue is clamped to the list.
    virtual void SetIndex(int AValue);
    int ID() const { return FID; }
    virtual QString GetDisplayName() const;
    QString GetNamePath() const override;
    TPersistent* GetOwner() const override;

protected:
    ~TCollectionItem() override;
    void BeforeDestruction() override;
    // Tells the collection that this item (or, with AAllItems, every item) changed.
    void Changed(bool AAllItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

enum class TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollection : public TPersistent {
    Q_OBJECT
public:
    using TItemFactory = std::function<TCollectionItem*(TCollection*)>;

    // AItemFactory makes one item of the collection's item class, inserted
    // into the collection it is given (see ItemFactory below).
    TCollection(TPersistent* AOwner, TItemFactory AItemFactory);

    int Count() const { return static_cast<int>(FItems.size()); }
    // Raises EListError for an index outside 0..Count-1.
    TCollectionItem* Items(int AIndex) const;
    TCollectionItem* Add();
    TCollectionItem* Insert(int AIndex);
    // Frees the item at AIndex; raises EListError for a bad index.
    void Delete(int AIndex);
    // Frees every item, last first.
    void Clear();
    TCollectionItem* FindItemID(int AID) const;

    // Copies the items of another collection: clears this one, then adds one
    // item per source item and assigns it.
    void Assign(TPersistent* ASource) override;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    TPersistent* GetOwner() const override { return FOwner; }
    QString GetNamePath() const override;

protected:
    ~TCollection() override;

    // AItem changed, or null for a change of the whole collection. Not
    // called while updates are held; EndUpdate reports once with null.
    virtual void Update(TCollectionItem* AItem);
    // An item was added (after Add has constructed it completely; an item
    // constructed directly on the collection is announced from its base
    // constructor), is being moved to another collection, or is being freed
    // (while it is still whole).
    virtual void Notify(TCollectionItem* AItem, TCollectionNotification AAction);
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* AItem);
    void Added(TCollectionItem* AItem);
    void RemoveItem(TCollectionItem* AItem, TCollectionNotification AAction);
    void MoveItem(int AFrom, int ATo);

    TPersistent* FOwner;
    TItemFactory FItemFactory;
    std::vector<TCollectionItem*> FItems; // owned; freed through TPersistent::Free
    int FNextID = 0;
    int FUpdateCount = 0;
    // Add announces its item once the item is fully constructed.
    bool FAdding = false;
};

// The factory of a collection whose items are of class T (constructed from
// the collection).
template <class T> TCollection::TItemFactory ItemFactory() {
    return [](TCollection* ACollection) -> TCollectionItem* { return new T(ACollection); };
}
