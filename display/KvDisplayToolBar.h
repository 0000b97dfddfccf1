#pragma once
// Toolbars of 16 x 16 image buttons: the display's floating toolbar and the
// base an axis's zoom toolbar shares with it. Toolbars see mouse moves
// before every other component. The rectangle is frozen while the mouse is
// over it, so that the buttons do not move under the mouse.

#include "display/KvDisplayButtonImages.h"
#include "display/KvDisplayComponent.h"
#include "display/KvDisplayToolBarButtons.h"

#include <memory>

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

    // The toolbar's rectangle: frozen while the mouse is over it; empty
    // while no button is shown.
    void GetDrawRect(TRect& ARect) const override;
    bool IsVisible() const override { return GetVisible(); }
    // Where the buttons would go now, frozen or not.
    TRect ToolRect() const;
    // Updates the buttons, then draws each shown one from the image list
    // its state picks, on a cell filled in the display's colour.
    virtual void Draw(THxCanvas& ACanvas);
    // Forgets every press.
    void Hide();
    // Sets the buttons' visibility and enabling from their owner's state.
    virtual void UpdateButtons();

    // Layout: the toolbar's corner and the number of rows its buttons take.
    virtual int32_t GetToolLeft() const;
    virtual int32_t GetToolTop() const;
    virtual int32_t GetRowCount() const { return 1; }

    const TKvDisplayIntToolBarButtonList& ButtonList() const { return FButtonList; }
    // The cell of AButton in the toolbar as it is now; empty while hidden.
    TRect ButtonRect(const TKvDisplayIntToolBarButton* AButton) const;

    void MouseMove(TShiftState Shift, int32_t X, int32_t Y, bool& Handled) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, bool& Handled, bool Inside, int32_t X,
                   int32_t Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, bool Inside, int32_t X,
                 int32_t Y) override;
    void DisplayMouseLeave() override;
    void MouseEnterView() override;
    void MouseLeaveView() override;

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
    // The button images in this toolbar's colours, rebuilt when one changes.
    const TKvDisplayButtonImages& ButtonImages() const { return *FButtonImages; }

protected:
    ~TKvBasicDisplayToolBar() override;
    // Called after a colour changed, before the display repaints.
    virtual void ColorsChanged();
    TKvDisplayIntToolBarButton* AddButton(int32_t AImageIndex, TKvDisplayToolBarButton* ASettings,
                                          std::function<void()> AOnClick);
    // Pixels across all buttons of one row.
    int32_t ToolWidth() const;
    // Rows times the height of a button.
    int32_t ToolHeight() const;
    // Visits the shown buttons with their cells, laid out from ARect.
    void
    ForEachCell(const TRect& ARect,
                const std::function<void(TKvDisplayIntToolBarButton*, const TRect&)>& AVisit) const;

    TKvDisplayIntToolBarButtonList FButtonList;
    bool FVisible = true;
    bool FAutoHide = true;
    bool FHasHighlighted = false;
    TRect FViewRect;
    bool FViewLocked = false;
    // Where the mouse was last seen; far away once it left the display.
    TPoint FMousePos{-10000, -10000};
    bool FCursorChanged = false;

private:
    void SetColorValue(TColor& AField, TColor AValue);
    TKvButtonColors ButtonColors() const;

    TColor FGlyphColor = 0x00FFFF;
    TColor FBorderColor = 0x008000;
    TColor FButtonColor = 0;
    TColor FMouseOverBorderColor = 0x00FF00;
    TColor FMouseOverButtonColor = 0x008000;
    TColor FMouseDownBorderColor = 0x00FFFF;
    TColor FMouseDownButtonColor = 0x008080;
    TColor FDisabledColor = 0x008000;
    TCursor FCursor = -21;
    std::unique_ptr<TKvDisplayButtonImages> FButtonImages;
};

// The display's main toolbar: hold and run, navigation mode, copy, print,
// save, setup, zoom in, out and off, undo and redo, and both directions.
class TKvDisplayToolBar : public TKvBasicDisplayToolBar {
    Q_OBJECT
    Q_PROPERTY(TKvToolBarPosition* Position READ GetPosition WRITE SetPosition)
    Q_PROPERTY(bool _Buttons READ ExpanderEntry STORED false)
    Q_PROPERTY(TKvDisplayToolBarButtons* Buttons READ GetButtons WRITE SetButtons)
public:
    static constexpr const char* SaveFilter =
        "Bitmap (*.bmp)|*.bmp|JPEG File Interchange Format (*.jpg)|*.jpg";
    static constexpr const char* SaveDefaultExt = "bmp";

    explicit TKvDisplayToolBar(TKvDataDisplay* ADisplay);

    TKvToolBarPosition* GetPosition() const { return FPosition.get(); }
    void SetPosition(TKvToolBarPosition* AValue) { FPosition->Assign(AValue); }
    TKvDisplayToolBarButtons* GetButtons() const { return FButtons.get(); }
    void SetButtons(TKvDisplayToolBarButtons* AValue) { FButtons->Assign(AValue); }

    void UpdateButtons() override;
    int32_t GetToolLeft() const override;
    int32_t GetToolTop() const override;
    int32_t GetRowCount() const override { return 2; }

    // The print and save buttons' actions: the display holds while the
    // dialog is open and runs again as before, confirmed or not.
    void PrintClick();
    void SaveClick();

    TKvDisplayIntToolBarButton* SetupButton() const { return FSetupButton; }
    TKvDisplayIntToolBarButton* HoldButton() const { return FHoldButton; }
    TKvDisplayIntToolBarButton* RunButton() const { return FRunButton; }
    TKvDisplayIntToolBarButton* ZoomOffButton() const { return FZoomOffButton; }
    TKvDisplayIntToolBarButton* ZoomPrevButton() const { return FZoomPrevButton; }
    TKvDisplayIntToolBarButton* ZoomNextButton() const { return FZoomNextButton; }
    TKvDisplayIntToolBarButton* ZoomInButton() const { return FZoomInButton; }
    TKvDisplayIntToolBarButton* ZoomOutButton() const { return FZoomOutButton; }
    TKvDisplayIntToolBarButton* PanModeButton() const { return FPanModeButton; }
    TKvDisplayIntToolBarButton* ZoomModeButton() const { return FZoomModeButton; }
    TKvDisplayIntToolBarButton* XYZoomOnButton() const { return FXYZoomOnButton; }
    TKvDisplayIntToolBarButton* CopyButton() const { return FCopyButton; }
    TKvDisplayIntToolBarButton* PrintButton() const { return FPrintButton; }
    TKvDisplayIntToolBarButton* SaveButton() const { return FSaveButton; }

protected:
    ~TKvDisplayToolBar() override;

private:
    // The whole plot, or the data view.
    TRect HostRect() const;

    TOwned<TKvToolBarPosition> FPosition;
    TOwned<TKvDisplayToolBarButtons> FButtons;
    TKvDisplayIntToolBarButton* FSetupButton = nullptr;
    TKvDisplayIntToolBarButton* FHoldButton = nullptr;
    TKvDisplayIntToolBarButton* FRunButton = nullptr;
    TKvDisplayIntToolBarButton* FZoomOffButton = nullptr;
    TKvDisplayIntToolBarButton* FZoomPrevButton = nullptr;
    TKvDisplayIntToolBarButton* FZoomNextButton = nullptr;
    TKvDisplayIntToolBarButton* FZoomInButton = nullptr;
    TKvDisplayIntToolBarButton* FZoomOutButton = nullptr;
    TKvDisplayIntToolBarButton* FPanModeButton = nullptr;
    TKvDisplayIntToolBarButton* FZoomModeButton = nullptr;
    TKvDisplayIntToolBarButton* FXYZoomOnButton = nullptr;
    TKvDisplayIntToolBarButton* FCopyButton = nullptr;
    TKvDisplayIntToolBarButton* FPrintButton = nullptr;
    TKvDisplayIntToolBarButton* FSaveButton = nullptr;
};
