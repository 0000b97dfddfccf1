#include "display/KvDisplayMarkerSettings.h"

TKvDisplayMarkerCrosshairLine::TKvDisplayMarkerCrosshairLine(TPersistent* AOwnerProperty,
                                                             const THxLockPtr& ALock,
                                                             TNotifyEvent AOnChange)
    : THxOptionalPenProperty(AOwnerProperty, ALock, nullptr) {
    // the defaults are set before anyone listens
    SetVisible(false);
    GetPen()->SetColor(0x00FFFF);
    GetPen()->OnChange = [this, AOnChange] {
        if (AOnChange)
            AOnChange(GetPen());
    };
    SetOnChange(std::move(AOnChange));
}

TKvDisplayMarkerCrosshairLine::~TKvDisplayMarkerCrosshairLine() = default;

TKvDisplayMarkerCrosshairLines::TKvDisplayMarkerCrosshairLines(TPersistent* AOwnerProperty,
                                                               const THxLockPtr& ALock,
                                                               TNotifyEvent AOnChange)
    : THxPersistentNotify(AOwnerProperty, ALock, std::move(AOnChange)) {
    const TNotifyEvent changed = [this](TPersistent*) { LockChanged(); };
    FLeft = MakeOwned<TKvDisplayMarkerCrosshairLine>(this, FLock, changed);
    FTop = MakeOwned<TKvDisplayMarkerCrosshairLine>(this, FLock, changed);
    FRight = MakeOwned<TKvDisplayMarkerCrosshairLine>(this, FLock, changed);
    FBottom = MakeOwned<TKvDisplayMarkerCrosshairLine>(this, FLock, changed);
}

TKvDisplayMarkerCrosshairLines::~TKvDisplayMarkerCrosshairLines() = default;

TKvDisplayMarkerPosition::TKvDisplayMarkerPosition(TPersistent* AOwnerProperty,
                                                   const THxLockPtr& ALock, TNotifyEvent AOnChange)
    : TKvCoordinateOffset(AOwnerProperty, ALock, nullptr) {
    SetCoordinateMode(cmRightTop);
    SetCX(4);
    SetOnChange(std::move(AOnChange));
}

TKvDisplayMarkerPosition::~TKvDisplayMarkerPosition() = default;

TKvMarkerGroupLabel::TKvMarkerGroupLabel(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                                         TNotifyEvent AOnChange)
    : TKvOptionalLabel(AOwnerProperty, ALock, std::move(AOnChange)),
      FPosition(MakeOwned<TKvDisplayMarkerPosition>(this, FLock,
                                                    [this](TPersistent*) { LockChanged(); })) {}

TKvMarkerGroupLabel::~TKvMarkerGroupLabel() = default;
