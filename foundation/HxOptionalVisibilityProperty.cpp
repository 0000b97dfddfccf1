#include "foundation/HxOptionalVisibilityProperty.h"

THxOptionalVisibilityProperty::THxOptionalVisibilityProperty(TPersistent* AOwnerProperty,
                                                             const THxLockPtr& ALock,
                                                             TNotifyEvent AOnChange)
    : THxPersistentNotify(AOwnerProperty, ALock, std::move(AOnChange)) {}

THxOptionalVisibilityProperty::THxOptionalVisibilityProperty(THxPersistent* AOwner,
                                                             TNotifyEvent AOnChange)
    : THxPersistentNotify(AOwner, std::move(AOnChange)) {}

THxOptionalVisibilityProperty::~THxOptionalVisibilityProperty() = default;

bool THxOptionalVisibilityProperty::GetVisible() const {
    return FLock->Getter(FVisible);
}

void THxOptionalVisibilityProperty::SetVisible(bool Value) {
    FLock->Setter(FVisible, Value, nullptr);
}
