#include "display/KvDisplayToolBar.h"

#include "display/KvDataDisplay.h"

TKvBasicDisplayToolBar::TKvBasicDisplayToolBar(TKvDataDisplay* ADisplay)
    : TKvDisplayComponent(ADisplay) {}

TKvBasicDisplayToolBar::~TKvBasicDisplayToolBar() = default;

void TKvBasicDisplayToolBar::GetDrawRect(TRect& ARect) const {
    ARect = FViewRect;
}

void TKvBasicDisplayToolBar::SetVisible(bool AValue) {
    FLock->Setter(FVisible, AValue, [this] { FDisplay->InvalidateRefresh(); });
}

void TKvBasicDisplayToolBar::SetAutoHide(bool AValue) {
    FLock->Setter(FAutoHide, AValue, [this] { FDisplay->InvalidateRefresh(); });
}

void TKvBasicDisplayToolBar::ColorsChanged() {}

void TKvBasicDisplayToolBar::SetColorValue(TColor& AField, TColor AValue) {
    FLock->SetterColor(AField, AValue, [this] {
        ColorsChanged();
        FDisplay->InvalidateRefresh();
    });
}

TKvDisplayToolBar::TKvDisplayToolBar(TKvDataDisplay* ADisplay) : TKvBasicDisplayToolBar(ADisplay) {}

TKvDisplayToolBar::~TKvDisplayToolBar() = default;
