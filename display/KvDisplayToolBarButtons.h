#pragma once
// Toolbar buttons: the internal button a toolbar draws and clicks, the
// user's settings of a button (shown or not, a click handler that may take
// over the action), the display toolbar's twelve settings and its position.

#include "display/KvDisplayPersistent.h"
#include "display/KvScopeTypes.h"
#include "pins/streams/KvStreamTypesOffsets.h"

#include <functional>
#include <memory>
#include <vector>

class TKvDisplayIntToolBarButton;

// What the user sets for one button (or for a pair that takes turns, as run
// and hold do).
class TKvDisplayToolBarButton : public TKvDisplayPersistent {
    Q_OBJECT
    Q_PROPERTY(bool Visible READ GetVisible WRITE SetVisible)
    Q_CLASSINFO("default:Visible", "True")
public:
    TKvDisplayToolBarButton(THxPersistent* AOwner, TKvDataDisplay* ADisplay);

    bool GetVisible() const { return FLock->Getter(FVisible); }
    void SetVisible(bool AValue);
    // Clicks the button as the mouse would; nothing without one.
    void PerformClick();

    TKvDisplayIntToolBarButton* Executor() const { return FExecutor; }
    void SetExecutor(TKvDisplayIntToolBarButton* AValue) { FExecutor = AValue; }

    // Runs before the button's action; setting Handled skips the action.
    TKvToolBarButtonClickEvent OnClick;

protected:
    ~TKvDisplayToolBarButton() override;

private:
    TKvDisplayIntToolBarButton* FExecutor = nullptr;
    bool FVisible = true;
};

// A button as the toolbar draws it: an image of the strip, its own
// visibility and enabling (set by the toolbar), and its action.
class TKvDisplayIntToolBarButton {
public:
    TKvDisplayIntToolBarButton(TKvDataDisplay* ADisplay, int32_t AImageIndex,
                               TKvDisplayToolBarButton* ASettings, std::function<void()> AOnClick);
    ~TKvDisplayIntToolBarButton();
    TKvDisplayIntToolBarButton(const TKvDisplayIntToolBarButton&) = delete;
    TKvDisplayIntToolBarButton& operator=(const TKvDisplayIntToolBarButton&) = delete;

    // Shown by the toolbar and by the user's settings.
    bool IsVisible() const { return FVisible && FButtonSettings->GetVisible(); }
    // Nothing while disabled. Marks the button pressed, lets the user's
    // handler run first, then the action unless the handler took it.
    void Click();

    TKvDisplayToolBarButton* Settings() const { return FButtonSettings; }

    int32_t FImageIndex;
    bool FVisible = true;
    bool FEnabled = true;
    bool FClicked = false;
    std::function<void()> FOnClick;

private:
    TKvDataDisplay* const FDisplay;
    TKvDisplayToolBarButton* const FButtonSettings;
};

// The toolbar's buttons in display order; owns them.
class TKvDisplayIntToolBarButtonList {
public:
    TKvDisplayIntToolBarButton* Add(std::unique_ptr<TKvDisplayIntToolBarButton> AButton);
    void Clear() { FList.clear(); }
    int32_t Count() const { return static_cast<int32_t>(FList.size()); }
    TKvDisplayIntToolBarButton* Items(int32_t AIndex) const {
        return FList.at(static_cast<size_t>(AIndex)).get();
    }
    // Buttons the toolbar shows, whatever the user's settings say.
    int32_t GetCountVisible() const;

private:
    std::vector<std::unique_ptr<TKvDisplayIntToolBarButton>> FList;
};

// The display toolbar's buttons as the user sees them.
class TKvDisplayToolBarButtons : public TKvDisplayPersistent {
    Q_OBJECT
    Q_PROPERTY(bool _Setup READ ExpanderEntry STORED false)
    Q_PROPERTY(TKvDisplayToolBarButton* Setup READ GetSetup WRITE SetSetup)
    Q_PROPERTY(bool _Hold READ ExpanderEntry STORED false)
    Q_PROPERTY(TKvDisplayToolBarButton* Hold READ GetHold WRITE SetHold)
    Q_PROPERTY(bool _ZoomOff READ ExpanderEntry STORED false)
    Q_PROPERTY(TKvDisplayToolBarButton* ZoomOff READ GetZoomOff WRITE SetZoomOff)
    Q_PROPERTY(bool _ZoomPrevious READ ExpanderEntry STORED false)
    Q_PROPERTY(TKvDisplayToolBarButton* ZoomPrevious READ GetZoomPrevious WRITE SetZoomPrevious)
    Q_PROPERTY(bool _ZoomNext READ ExpanderEntry STORED false)
    Q_PROPERTY(TKvDisplayToolBarButton* ZoomNext READ GetZoomNext WRITE SetZoomNext)
    Q_PROPERTY(bool _ZoomIn READ ExpanderEntry STORED false)
    Q_PROPERTY(TKvDisplayToolBarButton* ZoomIn READ GetZoomIn WRITE SetZoomIn)
    Q_PROPERTY(bool _ZoomOut READ ExpanderEntry STORED false)
    Q_PROPERTY(TKvDisplayToolBarButton* ZoomOut READ GetZoomOut WRITE SetZoomOut)
    Q_PROPERTY(bool _ZoomMode READ ExpanderEntry STORED false)
    Q_PROPERTY(TKvDisplayToolBarButton* ZoomMode READ GetZoomMode WRITE SetZoomMode)
    Q_PROPERTY(bool _XYZoomOn READ ExpanderEntry STORED false)
    Q_PROPERTY(TKvDisplayToolBarButton* XYZoomOn READ GetXYZoomOn WRITE SetXYZoomOn)
    Q_PROPERTY(bool _Copy READ ExpanderEntry STORED false)
    Q_PROPERTY(TKvDisplayToolBarButton* Copy READ GetCopy WRITE SetCopy)
    Q_PROPERTY(bool _Print READ ExpanderEntry STORED false)
    Q_PROPERTY(TKvDisplayToolBarButton* Print READ GetPrint WRITE SetPrint)
    Q_PROPERTY(bool _Save READ ExpanderEntry STORED false)
    Q_PROPERTY(TKvDisplayToolBarButton* Save READ GetSave WRITE SetSave)
public:
    TKvDisplayToolBarButtons(THxPersistent* AOwner, TKvDataDisplay* ADisplay);

#define KV_TOOLBAR_BUTTON(N)                                                                       \
    TKvDisplayToolBarButton* Get##N() const {                                                      \
        return F##N.get();                                                                         \
    }                                                                                              \
    void Set##N(TKvDisplayToolBarButton* AValue) {                                                 \
        F##N->Assign(AValue);                                                                      \
    }
    KV_TOOLBAR_BUTTON(Setup)
    KV_TOOLBAR_BUTTON(Hold)
    KV_TOOLBAR_BUTTON(ZoomOff)
    KV_TOOLBAR_BUTTON(ZoomPrevious)
    KV_TOOLBAR_BUTTON(ZoomNext)
    KV_TOOLBAR_BUTTON(ZoomIn)
    KV_TOOLBAR_BUTTON(ZoomOut)
    KV_TOOLBAR_BUTTON(ZoomMode)
    KV_TOOLBAR_BUTTON(XYZoomOn)
    KV_TOOLBAR_BUTTON(Copy)
    KV_TOOLBAR_BUTTON(Print)
    KV_TOOLBAR_BUTTON(Save)
#undef KV_TOOLBAR_BUTTON

protected:
    ~TKvDisplayToolBarButtons() override;

private:
    TOwned<TKvDisplayToolBarButton> FSetup;
    TOwned<TKvDisplayToolBarButton> FHold;
    TOwned<TKvDisplayToolBarButton> FZoomOff;
    TOwned<TKvDisplayToolBarButton> FZoomPrevious;
    TOwned<TKvDisplayToolBarButton> FZoomNext;
    TOwned<TKvDisplayToolBarButton> FZoomIn;
    TOwned<TKvDisplayToolBarButton> FZoomOut;
    TOwned<TKvDisplayToolBarButton> FZoomMode;
    TOwned<TKvDisplayToolBarButton> FXYZoomOn;
    TOwned<TKvDisplayToolBarButton> FCopy;
    TOwned<TKvDisplayToolBarButton> FPrint;
    TOwned<TKvDisplayToolBarButton> FSave;
};

// Where the display toolbar sits: CX, CY from the chosen corner or edge of
// the whole plot or of the data view.
class TKvToolBarPosition : public TKvCoordinateOffset {
    Q_OBJECT
    Q_PROPERTY(Kv::TKvToolBarHostView HostView READ GetHostView WRITE SetHostView)
    Q_CLASSINFO("default:CoordinateMode", "cmRightTop")
    Q_CLASSINFO("default:CX", "3")
    Q_CLASSINFO("default:CY", "3")
    Q_CLASSINFO("default:HostView", "thvDisplay")
public:
    TKvToolBarPosition(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                       TNotifyEvent AOnChange);

    TKvToolBarHostView GetHostView() const;
    void SetHostView(TKvToolBarHostView AValue);

protected:
    ~TKvToolBarPosition() override;

private:
    TKvToolBarHostView FHostView = thvDisplay;
};
