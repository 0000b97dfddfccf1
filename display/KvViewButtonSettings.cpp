#include "display/KvViewButtonSettings.h"

TKvBasicViewButtonSettings::TKvBasicViewButtonSettings(THxPersistent* AOwner,
                                                       TNotifyEvent AOnChange)
    : THxPersistentNotify(AOwner, std::move(AOnChange)) {}

TKvBasicViewButtonSettings::~TKvBasicViewButtonSettings() = default;

TCursor TKvBasicViewButtonSettings::GetCursor() const {
    const TJwLockSectionPtr section = FLock->ReadLock();
    return FCursor;
}

TKvViewButtonSettings::TKvViewButtonSettings(THxPersistent* AOwner, TNotifyEvent AOnChange)
    : TKvBasicViewButtonSettings(AOwner, std::move(AOnChange)) {}

TKvViewButtonSettings::~TKvViewButtonSettings() = default;

TKvLegendViewButtonSettings::TKvLegendViewButtonSettings(THxPersistent* AOwner,
                                                         TNotifyEvent AOnChange)
    : TKvBasicViewButtonSettings(AOwner, std::move(AOnChange)) {}

TKvLegendViewButtonSettings::~TKvLegendViewButtonSettings() = default;
