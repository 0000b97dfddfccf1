#pragma once
// Collections of settings items. The collection and its items share the lock
// of the tree they belong to; each item makes its own wrapper over it, with
// its LockChanged as the target of the change notification.

#include "foundation/HxLock.h"
#include "pins/JwExtCollection.h"

class TComponent;
class THxPersistent;

class THxCollectionItem : public TJwExtCollectionItem {
    Q_OBJECT
public:
    // ACollection must be a THxCollection: the item shares its lock, then
    // joins it. Raises Exception otherwise.
    explicit THxCollectionItem(TCollection* ACollection);

    const THxLockPtr& Lock() const { return FLock; }

    // Under the write lock: copies the published properties except "Name"
    // from another item of this family; any other source raises the "cannot
    // assign" error.
    void Assign(TPersistent* ASource) override;

    // Called after a successful set through this item's lock.
    virtual void LockChanged();

protected:
    ~THxCollectionItem() override;

    const THxLockPtr FLock;
};

class THxCollection : public TJwExtCollection {
    Q_OBJECT
public:
    // A lock of its own, without notification: the root of its tree.
    THxCollection(TPersistent* AOwner, TItemFactory AItemFactory);
    // Shares the wrapper ALock itself, and with it its notify target.
    THxCollection(TPersistent* AOwner, const THxLockPtr& ALock, TItemFactory AItemFactory);
    // The following share the given lock with LockChanged as notify target.
    THxCollection(THxPersistent* AOwner, TItemFactory AItemFactory);
    THxCollection(TComponent* AOwner, const THxLockPtr& ALock, TItemFactory AItemFactory);
    THxCollection(THxCollectionItem* AOwner, TItemFactory AItemFactory);

    const THxLockPtr& Lock() const { return FLock; }

    // Under the write lock: the published properties except "Name" of
    // another collection of this family, then the items of any collection;
    // any other source raises the "cannot assign" error.
    void Assign(TPersistent* ASource) override;

    virtual void LockChanged();

protected:
    ~THxCollection() override;

    const THxLockPtr FLock;
};
