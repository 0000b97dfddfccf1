#include "foundation/HxPersistent.h"

#include "foundation/HxCollection.h"
#include "platform/Component.h"
#include "platform/Exceptions.h"
#include "platform/ZeroFloats.h"

namespace {

[[noreturn]] void NoLock() {
    throw Exception(QStringLiteral("Calling THxPersistent.Create without lock!"));
}

const THxLockPtr& RequireLock(const THxLockPtr& ALock) {
    if (!ALock)
        NoLock();
    return ALock;
}

const THxLockPtr& OwnerLock(const THxPersistent* AOwner) {
    if (!AOwner)
        NoLock();
    return AOwner->Lock();
}

const THxLockPtr& ItemLock(const THxCollectionItem* AOwner) {
    if (!AOwner)
        NoLock();
    return AOwner->Lock();
}

} // namespace

THxPersistent::THxPersistent() : FOwnerProperty(nullptr) {
    NoLock();
}

THxPersistent::THxPersistent(TComponent* AOwner, const THxLockPtr& ALock)
    : THxPersistent(static_cast<TPersistent*>(AOwner), ALock) {}

THxPersistent::THxPersistent(THxPersistent* AOwner) : THxPersistent(AOwner, OwnerLock(AOwner)) {}

THxPersistent::THxPersistent(THxCollectionItem* AOwner) : THxPersistent(AOwner, ItemLock(AOwner)) {}

THxPersistent::THxPersistent(TPersistent* AOwnerProperty, const THxLockPtr& ALock)
    : FLock(THxLock::CreateCopy(RequireLock(ALock), [this] { LockChanged(); })),
      FOwnerProperty(AOwnerProperty) {}

THxPersistent::~THxPersistent() = default;

void THxPersistent::Assign(TPersistent* ASource) {
    const TJwLockSectionPtr Section = FLock->WriteLock();
    if (!JwHolds(Section))
        return;
    AssignPublished(ASource, THxPersistent::staticMetaObject, false);
}

void THxPersistent::DefineProperties(TFiler& AFiler) {
    TPersistent::DefineProperties(AFiler);
    DefineZeroFloats(AFiler, this);
}

void THxPersistent::LockChanged() {}

void THxPersistent::OwnerNameChanged(const QString&, const QString&) {}
