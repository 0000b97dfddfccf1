#include "foundation/HxPersistentNotify.h"

THxPersistentNotify::THxPersistentNotify(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                                         TNotifyEvent AOnChange)
    : THxPersistent(AOwnerProperty, ALock), FOnChange(std::move(AOnChange)) {}

THxPersistentNotify::THxPersistentNotify(TComponent* AOwner, const THxLockPtr& ALock,
                                         TNotifyEvent AOnChange)
    : THxPersistent(AOwner, ALock), FOnChange(std::move(AOnChange)) {}

THxPersistentNotify::THxPersistentNotify(THxPersistent* AOwner, TNotifyEvent AOnChange)
    : THxPersistent(AOwner), FOnChange(std::move(AOnChange)) {}

THxPersistentNotify::THxPersistentNotify(THxCollectionItem* AOwner, TNotifyEvent AOnChange)
    : THxPersistent(AOwner), FOnChange(std::move(AOnChange)) {}

THxPersistentNotify::~THxPersistentNotify() = default;

void THxPersistentNotify::LockChanged() {
    if (FOnChange)
        FOnChange(this);
}
