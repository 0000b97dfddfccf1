#include "display/KvDisplayToolBarButtons.h"

#include "display/KvDataDisplay.h"

TKvDisplayToolBarButton::TKvDisplayToolBarButton(THxPersistent* AOwner, TKvDataDisplay* ADisplay)
    : TKvDisplayPersistent(AOwner, ADisplay) {}

TKvDisplayToolBarButton::~TKvDisplayToolBarButton() = default;

void TKvDisplayToolBarButton::SetVisible(bool AValue) {
    FLock->Setter(FVisible, AValue, [this] { DisplayInvalidateRefresh(); });
}

void TKvDisplayToolBarButton::PerformClick() {
    if (FExecutor)
        FExecutor->Click();
}

TKvDisplayIntToolBarButton::TKvDisplayIntToolBarButton(TKvDataDisplay* ADisplay,
                                                       int32_t AImageIndex,
                                                       TKvDisplayToolBarButton* ASettings,
                                                       std::function<void()> AOnClick)
    : FImageIndex(AImageIndex), FOnClick(std::move(AOnClick)), FDisplay(ADisplay),
      FButtonSettings(ASettings) {
    FButtonSettings->SetExecutor(this);
}

TKvDisplayIntToolBarButton::~TKvDisplayIntToolBarButton() {
    if (FButtonSettings->Executor() == this)
        FButtonSettings->SetExecutor(nullptr);
}

void TKvDisplayIntToolBarButton::Click() {
    if (!FEnabled)
        return;
    FClicked = true;
    bool handled = false;
    if (FButtonSettings->OnClick) {
        // the button shows pressed while the handler runs
        FDisplay->InvalidateRefresh();
        FButtonSettings->OnClick(FButtonSettings, handled);
    }
    if (!handled && FOnClick)
        FOnClick();
}

TKvDisplayIntToolBarButton*
TKvDisplayIntToolBarButtonList::Add(std::unique_ptr<TKvDisplayIntToolBarButton> AButton) {
    FList.push_back(std::move(AButton));
    return FList.back().get();
}

int32_t TKvDisplayIntToolBarButtonList::GetCountVisible() const {
    int32_t count = 0;
    for (const auto& button : FList)
        if (button->FVisible)
            ++count;
    return count;
}

TKvDisplayToolBarButtons::TKvDisplayToolBarButtons(THxPersistent* AOwner, TKvDataDisplay* ADisplay)
    : TKvDisplayPersistent(AOwner, ADisplay),
      FSetup(MakeOwned<TKvDisplayToolBarButton>(this, ADisplay)),
      FHold(MakeOwned<TKvDisplayToolBarButton>(this, ADisplay)),
      FZoomOff(MakeOwned<TKvDisplayToolBarButton>(this, ADisplay)),
      FZoomPrevious(MakeOwned<TKvDisplayToolBarButton>(this, ADisplay)),
      FZoomNext(MakeOwned<TKvDisplayToolBarButton>(this, ADisplay)),
      FZoomIn(MakeOwned<TKvDisplayToolBarButton>(this, ADisplay)),
      FZoomOut(MakeOwned<TKvDisplayToolBarButton>(this, ADisplay)),
      FZoomMode(MakeOwned<TKvDisplayToolBarButton>(this, ADisplay)),
      FXYZoomOn(MakeOwned<TKvDisplayToolBarButton>(this, ADisplay)),
      FCopy(MakeOwned<TKvDisplayToolBarButton>(this, ADisplay)),
      FPrint(MakeOwned<TKvDisplayToolBarButton>(this, ADisplay)),
      FSave(MakeOwned<TKvDisplayToolBarButton>(this, ADisplay)) {}

TKvDisplayToolBarButtons::~TKvDisplayToolBarButtons() = default;

TKvToolBarPosition::TKvToolBarPosition(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                                       TNotifyEvent AOnChange)
    : TKvCoordinateOffset(AOwnerProperty, ALock, nullptr) {
    SetCoordinateMode(cmRightTop);
    SetCX(3);
    SetCY(3);
    SetOnChange(std::move(AOnChange));
}

TKvToolBarPosition::~TKvToolBarPosition() = default;

TKvToolBarHostView TKvToolBarPosition::GetHostView() const {
    const auto section = FLock->ReadLock();
    return FHostView;
}

void TKvToolBarPosition::SetHostView(TKvToolBarHostView AValue) {
    {
        const auto section = FLock->WriteLock();
        if (FHostView == AValue)
            return;
        FHostView = AValue;
    }
    LockChanged();
}
