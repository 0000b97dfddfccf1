#include "TestSettings.h"

TTestSettings::TTestSettings(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                             TNotifyEvent AOnChange)
    : THxPersistentNotify(AOwnerProperty, ALock, std::move(AOnChange)),
      FFrame(MakeOwned<THxOptionalVisibilityProperty>(this, nullptr)) {}

TTestSettings::TTestSettings(THxPersistent* AOwner, TNotifyEvent AOnChange)
    : THxPersistentNotify(AOwner, std::move(AOnChange)),
      FFrame(MakeOwned<THxOptionalVisibilityProperty>(this, nullptr)) {}

TTestHolder::TTestHolder(TComponent* AOwner)
    : TComponent(AOwner), FLock(THxLock::Create(nullptr)),
      FSettings(MakeOwned<TTestSettings>(this, FLock)) {}
