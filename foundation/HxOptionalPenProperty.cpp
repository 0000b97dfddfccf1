#include "foundation/HxOptionalPenProperty.h"

THxOptionalPenProperty::THxOptionalPenProperty(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                                               TNotifyEvent AOnChange)
    : THxOptionalVisibilityProperty(AOwnerProperty, ALock, AOnChange),
      FPen(MakeOwned<TKvDisplayPen>(psSolid, clBlack)) {
    FPen->OnChange = [this, AOnChange = std::move(AOnChange)] {
        if (AOnChange)
            AOnChange(FPen.get());
    };
}

THxOptionalPenProperty::~THxOptionalPenProperty() = default;

void THxOptionalPenProperty::SetPen(TKvDisplayPen* AValue) {
    const TJwLockSectionPtr Section = FLock->WriteLock();
    if (!JwHolds(Section))
        return;
    FPen->Assign(AValue);
}
