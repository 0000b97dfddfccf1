#pragma once
// Settings objects: persistent objects that share their owner's lock. Each
// one makes its own lock wrapper over the tree's lock, with its LockChanged
// as the target of the change notification.

#include "foundation/HxLock.h"
#include "platform/Persistent.h"

class TComponent;
class THxCollectionItem;

class THxPersistent : public TPersistent {
    Q_OBJECT
public:
    // Always raises: a settings object cannot be made without a lock.
    THxPersistent();
    THxPersistent(TComponent* AOwner, const THxLockPtr& ALock);
    // Shares AOwner's lock.
    explicit THxPersistent(THxPersistent* AOwner);
    // Shares the item's lock.
    explicit THxPersistent(THxCollectionItem* AOwner);
    THxPersistent(TPersistent* AOwnerProperty, const THxLockPtr& ALock);

    const THxLockPtr& Lock() const { return FLock; }
    TPersistent* GetOwner() const override { return FOwnerProperty; }

    // Under the write lock: copies the published properties of another
    // settings object; any other source raises the "cannot assign" error.
    void Assign(TPersistent* ASource) override;
    // Declares "_Floats" for the published floating-point properties that are 0.
    void DefineProperties(TFiler& AFiler) override;

    // Called after a successful set through this object's lock.
    virtual void LockChanged();
    virtual void OwnerNameChanged(const QString& AOldName, const QString& ANewName);

protected:
    ~THxPersistent() override;

    const THxLockPtr FLock;

private:
    TPersistent* const FOwnerProperty;
};
