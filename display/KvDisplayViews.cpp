#include "display/KvDisplayViews.h"

#include "display/KvDataDisplay.h"
#include "display/KvLockedSet.h"
#include "foundation/HxCanvas.h"

TKvDisplayViewBackground::TKvDisplayViewBackground(THxPersistent* AOwner, TKvDataDisplay* ADisplay)
    : TKvDisplayPersistent(AOwner, ADisplay) {}

TKvDisplayViewBackground::~TKvDisplayViewBackground() = default;

TColor TKvDisplayViewBackground::GetColor() const {
    const TJwLockSectionPtr section = FLock->ReadLock();
    return FColor;
}

void TKvDisplayViewBackground::SetColor(TColor AValue) {
    FLock->SetterColor(FColor, AValue, [this] { DisplayInvalidateRefresh(); });
}

void TKvDisplayViewBackground::SetUseControlColor(bool AValue) {
    FLock->Setter(FUseControlColor, AValue, [this] { DisplayInvalidateRefresh(); });
}

TKvDisplayViewSize::TKvDisplayViewSize(THxPersistent* AOwner, TKvDataDisplay* ADisplay)
    : TKvDisplayPersistent(AOwner, ADisplay) {}

TKvDisplayViewSize::~TKvDisplayViewSize() = default;

void TKvDisplayViewSize::SetAutoSize(bool AValue) {
    FLock->Setter(FAutoSize, AValue, [this] { DisplayInvalidateLayout(); });
}

void TKvDisplayViewSize::SetSize(uint32_t AValue) {
    FLock->Setter(FSize, AValue, [this] { DisplayInvalidateLayout(); });
}

TKvCustomColorDisplayView::TKvCustomColorDisplayView(TKvDataDisplay* ADisplay)
    : TKvDisplayView(ADisplay), FBackground(MakeOwned<TKvDisplayViewBackground>(this, ADisplay)) {}

TKvCustomColorDisplayView::~TKvCustomColorDisplayView() = default;

void TKvCustomColorDisplayView::SetBackground(TKvDisplayViewBackground* AValue) {
    FBackground->Assign(AValue);
}

void TKvCustomColorDisplayView::DrawBackground(THxCanvas* ACanvas) {
    if (FBackground->GetUseControlColor()) {
        ACanvas->GetBrush().SetStyle(lbsClear);
        return;
    }
    ACanvas->GetBrush().SetStyle(lbsSolid);
    ACanvas->GetBrush().SetColor(FBackground->GetColor());
    ACanvas->FillRect(FDrawRect);
}

TKvCustomSizeDisplayView::TKvCustomSizeDisplayView(TKvDataDisplay* ADisplay, TKvViewAlign AAlign)
    : TKvCustomColorDisplayView(ADisplay), FAlign(AAlign),
      FViewSize(MakeOwned<TKvDisplayViewSize>(this, ADisplay)) {}

TKvCustomSizeDisplayView::~TKvCustomSizeDisplayView() = default;

void TKvCustomSizeDisplayView::SetViewSize(TKvDisplayViewSize* AValue) {
    FViewSize->Assign(AValue);
}

TKvViewAlign TKvCustomSizeDisplayView::GetViewAlign() const {
    const TJwLockSectionPtr section = FLock->ReadLock();
    return FAlign;
}

void TKvCustomSizeDisplayView::SetAlign(TKvViewAlign AValue) {
    const TJwLockSectionPtr section = FLock->WriteLock();
    if (!JwHolds(section))
        return;
    ApplyAlign(AValue);
}

void TKvCustomSizeDisplayView::ApplyAlign(TKvViewAlign AValue) {
    KvLockedSet(*FLock, FAlign, AValue, [this] { DisplayInvalidateLayout(); });
}

TKvOptionalView::TKvOptionalView(TKvDataDisplay* ADisplay, TKvViewAlign AAlign)
    : TKvCustomSizeDisplayView(ADisplay, AAlign) {}

TKvOptionalView::~TKvOptionalView() = default;

void TKvOptionalView::SetVisible(bool AValue) {
    FLock->Setter(FVisible, AValue, [this] { DisplayInvalidateLayout(); });
}

bool TKvOptionalView::IsVisible() const {
    return GetVisible() && TKvCustomSizeDisplayView::IsVisible();
}
