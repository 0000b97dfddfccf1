#include "foundation/HxCollection.h"

#include "foundation/HxPersistent.h"
#include "platform/Component.h"
#include "platform/Exceptions.h"

namespace {

const THxLockPtr& CollectionLock(TCollection* ACollection) {
    auto* collection = qobject_cast<THxCollection*>(ACollection);
    if (!collection)
        throw Exception(
            QStringLiteral("A THxCollectionItem needs a THxCollection to share its lock"));
    return collection->Lock();
}

const THxLockPtr& RequireLock(const THxLockPtr& ALock) {
    if (!ALock)
        throw Exception(QStringLiteral("Calling THxCollection.Create without lock!"));
    return ALock;
}

template <class TOwner> const THxLockPtr& OwnerLock(const TOwner* AOwner) {
    if (!AOwner)
        throw Exception(QStringLiteral("Calling THxCollection.Create without lock!"));
    return AOwner->Lock();
}

} // namespace

THxCollectionItem::THxCollectionItem(TCollection* ACollection)
    : TJwExtCollectionItem(nullptr),
      FLock(THxLock::CreateCopy(CollectionLock(ACollection), [this] { LockChanged(); })) {
    // Joins only now, with its lock in place.
    SetCollection(ACollection);
}

THxCollectionItem::~THxCollectionItem() = default;

void THxCollectionItem::Assign(TPersistent* ASource) {
    const TJwLockSectionPtr Section = FLock->WriteLock();
    if (!JwHolds(Section))
        return;
    AssignPublished(ASource, THxCollectionItem::staticMetaObject, true);
}

void THxCollectionItem::LockChanged() {}

THxCollection::THxCollection(TPersistent* AOwner, TItemFactory AItemFactory)
    : TJwExtCollection(AOwner, std::move(AItemFactory)), FLock(THxLock::Create(nullptr)) {}

THxCollection::THxCollection(TPersistent* AOwner, const THxLockPtr& ALock,
                             TItemFactory AItemFactory)
    : TJwExtCollection(AOwner, std::move(AItemFactory)), FLock(RequireLock(ALock)) {}

THxCollection::THxCollection(THxPersistent* AOwner, TItemFactory AItemFactory)
    : TJwExtCollection(AOwner, std::move(AItemFactory)),
      FLock(THxLock::CreateCopy(OwnerLock(AOwner), [this] { LockChanged(); })) {}

THxCollection::THxCollection(TComponent* AOwner, const THxLockPtr& ALock, TItemFactory AItemFactory)
    : TJwExtCollection(AOwner, std::move(AItemFactory)),
      FLock(THxLock::CreateCopy(RequireLock(ALock), [this] { LockChanged(); })) {}

THxCollection::THxCollection(THxCollectionItem* AOwner, TItemFactory AItemFactory)
    : TJwExtCollection(AOwner, std::move(AItemFactory)),
      FLock(THxLock::CreateCopy(OwnerLock(AOwner), [this] { LockChanged(); })) {}

THxCollection::~THxCollection() = default;

void THxCollection::Assign(TPersistent* ASource) {
    const TJwLockSectionPtr Section = FLock->WriteLock();
    if (!JwHolds(Section))
        return;
    if (ASource && ASource->metaObject()->inherits(&THxCollection::staticMetaObject))
        AssignPublished(ASource, THxCollection::staticMetaObject, true);
    TJwExtCollection::Assign(ASource);
}

void THxCollection::LockChanged() {}
