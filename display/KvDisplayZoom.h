#pragma once
// Zoom settings: the wheel switch shared by displays and axes, and the
// display's own settings for mouse, keyboard and selection.

#include "display/KvScopeTypes.h"
#include "foundation/HxPersistent.h"

class TKvDataDisplay;

class TKvBasicDisplayZoom : public THxPersistent {
    Q_OBJECT
    Q_PROPERTY(bool MouseWheelEnabled READ GetMouseWheelEnabled WRITE SetMouseWheelEnabled)
    Q_CLASSINFO("default:MouseWheelEnabled", "True")
public:
    TKvBasicDisplayZoom(TPersistent* AOwnerProperty, const THxLockPtr& ALock);

    bool GetMouseWheelEnabled() const { return FLock->Getter(FMouseWheelEnabled); }
    void SetMouseWheelEnabled(bool AValue) { FLock->Setter(FMouseWheelEnabled, AValue, nullptr); }

protected:
    ~TKvBasicDisplayZoom() override;

private:
    bool FMouseWheelEnabled = true;
};

class TKvDisplayZoom : public TKvBasicDisplayZoom {
    Q_OBJECT
    Q_PROPERTY(bool MouseZoom READ GetMouseZoom WRITE SetMouseZoom)
    Q_PROPERTY(bool KeyboardZoom READ GetKeyboardZoom WRITE SetKeyboardZoom)
    Q_PROPERTY(TColor SelectionColor READ GetSelectionColor WRITE SetSelectionColor)
    Q_PROPERTY(bool HoldOnZoom READ GetHoldOnZoom WRITE SetHoldOnZoom)
    Q_PROPERTY(bool HoldOnPan READ GetHoldOnPan WRITE SetHoldOnPan)
    Q_PROPERTY(Kv::TKvDisplayZoomMode Mode READ GetMode WRITE SetMode)
    Q_CLASSINFO("default:MouseZoom", "True")
    Q_CLASSINFO("default:KeyboardZoom", "True")
    Q_CLASSINFO("type:SelectionColor", "TColor")
    Q_CLASSINFO("default:SelectionColor", "clWhite")
    Q_CLASSINFO("default:HoldOnZoom", "True")
    Q_CLASSINFO("default:HoldOnPan", "False")
    Q_CLASSINFO("default:Mode", "zmBoth")
public:
    explicit TKvDisplayZoom(TKvDataDisplay* ADisplay);

    bool GetMouseZoom() const { return FLock->Getter(FMouseZoom); }
    void SetMouseZoom(bool AValue) { FLock->Setter(FMouseZoom, AValue, nullptr); }
    bool GetKeyboardZoom() const { return FLock->Getter(FKeyboardZoom); }
    void SetKeyboardZoom(bool AValue) { FLock->Setter(FKeyboardZoom, AValue, nullptr); }
    TColor GetSelectionColor() const { return FLock->Getter(FSelectionColor); }
    void SetSelectionColor(TColor AValue) { FLock->SetterColor(FSelectionColor, AValue, nullptr); }
    bool GetHoldOnZoom() const { return FLock->Getter(FHoldOnZoom); }
    void SetHoldOnZoom(bool AValue) { FLock->Setter(FHoldOnZoom, AValue, nullptr); }
    bool GetHoldOnPan() const { return FLock->Getter(FHoldOnPan); }
    void SetHoldOnPan(bool AValue) { FLock->Setter(FHoldOnPan, AValue, nullptr); }
    TKvDisplayZoomMode GetMode() const;
    // A different mode repaints the display.
    void SetMode(TKvDisplayZoomMode AValue);

    // The display's current state, read through its range getters.
    bool IsZoomed() const;
    double XMin() const;
    double XMax() const;
    double YMin() const;
    double YMax() const;

protected:
    ~TKvDisplayZoom() override;

private:
    TKvDataDisplay* const FDisplay;
    bool FMouseZoom = true;
    bool FKeyboardZoom = true;
    TColor FSelectionColor = 0xFFFFFF;
    bool FHoldOnZoom = true;
    bool FHoldOnPan = false;
    TKvDisplayZoomMode FMode = zmBoth;
};
