#pragma once
// The display's floating toolbar: its settings and its place in the input
// routing (toolbars see mouse moves before every other component). The
// buttons themselves are added on top of this.

#include "display/KvDisplayComponent.h"

class TKvBasicDisplayToolBar : public TKvDisplayComponent {
    Q_OBJECT
    Q_PROPERTY(bool Visible READ GetVisible WRITE SetVisible)
    Q_PROPERTY(bool AutoHide READ GetAutoHide WRITE SetAutoHide)
    Q_PROPERTY(TColor GlyphColor READ GetGlyphColor WRITE SetGlyphColor)
    Q_PROPERTY(TColor BorderColor READ GetBorderColor WRITE SetBorderColor)
    Q_PROPERTY(TColor ButtonColor READ GetButtonColor WRITE SetButtonColor)
    Q_PROPERTY(
        TColor MouseOverBorderColor READ GetMouseOverBorderColor WRITE SetMouseOverBorderColor)
    Q_PROPERTY(
        TColor MouseOverButtonColor READ GetMouseOverButtonColor WRITE SetMouseOverButtonColor)
    Q_PROPERTY(
        TColor MouseDownBorderColor READ GetMouseDownBorderColor WRITE SetMouseDownBorderColor)
    Q_PROPERTY(
        TColor MouseDownButtonColor READ GetMouseDownButtonColor WRITE SetMouseDownButtonColor)
    Q_PROPERTY(TColor DisabledColor READ GetDisabledColor WRITE SetDisabledColor)
    Q_PROPERTY(TCursor Cursor READ GetCursor WRITE SetCursor)
    Q_CLASSINFO("default:Visible", "True")
    Q_CLASSINFO("default:AutoHide", "True")
    Q_CLASSINFO("type:GlyphColor", "TColor")
    Q_CLASSINFO("default:GlyphColor", "clYellow")
    Q_CLASSINFO("type:BorderColor", "TColor")
    Q_CLASSINFO("default:BorderColor", "clGreen")
    Q_CLASSINFO("type:ButtonColor", "TColor")
    Q_CLASSINFO("default:ButtonColor", "clBlack")
    Q_CLASSINFO("type:MouseOverBorderColor", "TColor")
    Q_CLASSINFO("default:MouseOverBorderColor", "clLime")
    Q_CLASSINFO("type:MouseOverButtonColor", "TColor")
    Q_CLASSINFO("default:MouseOverButtonColor", "clGreen")
    Q_CLASSINFO("type:MouseDownBorderColor", "TColor")
    Q_CLASSINFO("default:MouseDownBorderColor", "clYellow")
    Q_CLASSINFO("type:MouseDownButtonColor", "TColor")
    Q_CLASSINFO("default:MouseDownButtonColor", "clOlive")
    Q_CLASSINFO("type:DisabledColor", "TColor")
    Q_CLASSINFO("default:DisabledColor", "clGreen")
    Q_CLASSINFO("default:Cursor", "-21")
public:
    explicit TKvBasicDisplayToolBar(TKvDataDisplay* ADisplay);

    // The toolbar's rectangle; empty while it has no buttons to show.
    void GetDrawRect(TRect& ARect) const override;
    bool IsVisible() const override { return GetVisible(); }

    bool GetVisible() const { return FLock->Getter(FVisible); }
    void SetVisible(bool AValue);
    bool GetAutoHide() const { return FLock->Getter(FAutoHide); }
    void SetAutoHide(bool AValue);
    // A button was drawn under the mouse in the last paint.
    bool HasHighlighted() const { return FHasHighlighted; }
    TColor GetGlyphColor() const { return FGlyphColor; }
    void SetGlyphColor(TColor AValue) { SetColorValue(FGlyphColor, AValue); }
    TColor GetBorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor AValue) { SetColorValue(FBorderColor, AValue); }
    TColor GetButtonColor() const { return FButtonColor; }
    void SetButtonColor(TColor AValue) { SetColorValue(FButtonColor, AValue); }
    TColor GetMouseOverBorderColor() const { return FMouseOverBorderColor; }
    void SetMouseOverBorderColor(TColor AValue) { SetColorValue(FMouseOverBorderColor, AValue); }
    TColor GetMouseOverButtonColor() const { return FMouseOverButtonColor; }
    void SetMouseOverButtonColor(TColor AValue) { SetColorValue(FMouseOverButtonColor, AValue); }
    TColor GetMouseDownBorderColor() const { return FMouseDownBorderColor; }
    void SetMouseDownBorderColor(TColor AValue) { SetColorValue(FMouseDownBorderColor, AValue); }
    TColor GetMouseDownButtonColor() const { return FMouseDownButtonColor; }
    void SetMouseDownButtonColor(TColor AValue) { SetColorValue(FMouseDownButtonColor, AValue); }
    TColor GetDisabledColor() const { return FDisabledColor; }
    void SetDisabledColor(TColor AValue) { SetColorValue(FDisabledColor, AValue); }
    TCursor GetCursor() const { return FCursor; }
    void SetCursor(TCursor AValue) { FLock->SetterCursor(FCursor, AValue, nullptr); }

protected:
    ~TKvBasicDisplayToolBar() override;
    // Called after a colour changed, before the display repaints.
    virtual void ColorsChanged();

    bool FVisible = true;
    bool FAutoHide = true;
    bool FHasHighlighted = false;
    TRect FViewRect;
    bool FViewLocked = false;

private:
    void SetColorValue(TColor& AField, TColor AValue);

    TColor FGlyphColor = 0x00FFFF;
    TColor FBorderColor = 0x008000;
    TColor FButtonColor = 0;
    TColor FMouseOverBorderColor = 0x00FF00;
    TColor FMouseOverButtonColor = 0x008000;
    TColor FMouseDownBorderColor = 0x00FFFF;
    TColor FMouseDownButtonColor = 0x008080;
    TColor FDisabledColor = 0x008000;
    TCursor FCursor = -21;
};

// The display's main toolbar.
class TKvDisplayToolBar : public TKvBasicDisplayToolBar {
    Q_OBJECT
public:
    explicit TKvDisplayToolBar(TKvDataDisplay* ADisplay);

protected:
    ~TKvDisplayToolBar() override;
};
