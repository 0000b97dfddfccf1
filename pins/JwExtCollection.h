#pragma once
// The pin framework's collection: a framework collection that keeps its owner
// and tells registered listeners of every item inserted and removed.
// Listeners are not owned; one must be removed before it goes.

#include "platform/Collection.h"

#include <vector>

class TJwExtCollection;

class TJwExtCollectionItem : public TCollectionItem {
public:
    explicit TJwExtCollectionItem(TCollection* ACollection);

protected:
    ~TJwExtCollectionItem() override;
};

class TJwCollectionListener {
public:
    virtual ~TJwCollectionListener() = default;
    // cnAdded after AItem joined ACollection; cnExtracting or cnDeleting
    // while it is still in it.
    virtual void CollectionNotify(TJwExtCollection* ACollection, TCollectionItem* AItem,
                                  TCollectionNotification AAction) = 0;
};

class TJwExtCollection : public TCollection {
public:
    TJwExtCollection(TPersistent* AOwner, TItemFactory AItemFactory);

    // Adding a listener twice registers it once.
    void AddListener(TJwCollectionListener* AListener);
    void RemoveListener(TJwCollectionListener* AListener);

protected:
    ~TJwExtCollection() override;

    // Frees the items while the collection is whole, so listeners hear of them.
    void BeforeDestruction() override;
    void Notify(TCollectionItem* AItem, TCollectionNotification AAction) override;

private:
    std::vector<TJwCollectionListener*> FListeners;
};
