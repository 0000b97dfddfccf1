#include "display/KvDisplayLabel.h"

TKvDisplayLabel::TKvDisplayLabel(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                                 TNotifyEvent AOnChange)
    : TKvOptionalLabel(AOwnerProperty, ALock, std::move(AOnChange)) {
    // Quietly: the owner's handler may reach an owner still being built.
    auto onChange = std::move(GetFont()->OnChange);
    GetFont()->SetUniSize(10);
    GetFont()->OnChange = std::move(onChange);
}

TKvDisplayLabel::~TKvDisplayLabel() = default;
