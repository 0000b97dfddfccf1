#pragma once
// The legend: the display's legend groups listed on a side of the control,
// each a caption over rows of a symbol and a text. Rows under the mouse are
// highlighted as buttons; a click asks for the item's properties. Taller
// content scrolls by the wheel or by two buttons that repeat while held.

#include "display/KvDisplayButtonImages.h"
#include "display/KvDisplayViews.h"
#include "display/KvViewButtonSettings.h"
#include "foundation/HxTimer.h"
#include "foundation/KvDisplayFont.h"

#include <memory>
#include <vector>

class TKvBasicLegendGroup;

class TKvLegendView : public TKvOptionalView {
    Q_OBJECT
    Q_PROPERTY(TKvDisplayFont* Font READ GetFont WRITE SetFont)
    Q_PROPERTY(TKvLegendViewButtonSettings* Buttons READ GetButtons WRITE SetButtons)
    Q_CLASSINFO("default:Align", "vaRight")
public:
    enum TButtonID : uint32_t { NoButton = 0, ScrollUpButton = 1, ScrollDownButton = 2 };
    static constexpr int32_t ScrollStep = 10;
    static constexpr uint32_t FirstRepeatInterval = 400;
    static constexpr uint32_t RepeatInterval = 50;

    explicit TKvLegendView(TKvDataDisplay* AOwner);

    TKvDisplayFont* GetFont() const { return FFont.get(); }
    void SetFont(TKvDisplayFont* AValue);
    TKvLegendViewButtonSettings* GetButtons() const { return FButtons.get(); }
    void SetButtons(TKvLegendViewButtonSettings* AValue);

    // The groups in the order shown; not owned. A group leaves by itself
    // when it is freed.
    void AddGroup(TKvBasicLegendGroup* AGroup);
    void RemoveGroup(TKvBasicLegendGroup* AGroup);
    int32_t GroupCount() const { return static_cast<int32_t>(FGroupsList.size()); }
    TKvBasicLegendGroup* Groups(int32_t AIndex) const;

    int32_t ScrollPos() const { return FScrollPos; }
    uint32_t HighlightButtonID() const { return FHighlightButtonID; }
    const THxTimer& RepeatTimer() const { return *FRepeatTimer; }
    const TKvDisplayButtonImages& ButtonImages() const { return *FButtonImages; }

    // Row height: the legend font's text height and 1, at least 6 pixels.
    int32_t RowHeight() const;
    // The height of all groups' rows.
    int32_t ContentHeight() const;
    bool CanScrollUp() const { return FScrollPos > 0; }
    bool CanScrollDown() const;
    // Where the scroll buttons are drawn.
    TRect UpButtonRect() const;
    TRect DownButtonRect() const;

    void GetDefaultRect(TSize& ASize) const override;
    void Draw(TKvDisplayDrawPart ADrawPart, THxCanvas* ACanvas, bool Vertical,
              bool Printing) override;
    void InvalidateView() override;

    void MouseMove(TShiftState Shift, int32_t X, int32_t Y, bool& Handled) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, bool& Handled, bool Inside, int32_t X,
                   int32_t Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, bool Inside, int32_t X,
                 int32_t Y) override;
    void MouseEnterView() override;
    void MouseLeaveView() override;
    void MouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    void MouseWheelUp(TShiftState Shift, TPoint MousePos) override;

    // Reads the button colours and switch of older forms into Buttons.
    void DefineProperties(TFiler& AFiler) override;

    // Text and symbol positions within a row, from the legend's left.
    static constexpr int32_t CaptionX = 4;
    static constexpr int32_t SymbolLeft = 6;
    static constexpr int32_t SymbolRight = 19;
    static constexpr int32_t TextX = 23;

protected:
    ~TKvLegendView() override;

private:
    friend class TKvBasicLegendGroup;

    // Highlights the scroll button or the item under (X, Y).
    void HitTest(int32_t X, int32_t Y);
    void ClearHighlight();
    // Moves by ADelta within 0.. and repaints; false when nothing moved.
    bool ScrollBy(int32_t ADelta);
    // One step in the held direction, while that way is open.
    void ScrollHeld();
    void RepeatTick();
    void StopRepeat();
    void ButtonsChanged();
    TKvButtonColors ButtonColors() const;
    // The colour behind the legend's rows.
    TColor BackgroundColor() const;
    THxCanvas* MeasureCanvas() const;

    TOwned<TKvDisplayFont> FFont;
    int32_t FScrollPos = 0;
    TOwned<TKvLegendViewButtonSettings> FButtons;
    std::unique_ptr<TKvDisplayButtonImages> FButtonImages;
    std::vector<TKvBasicLegendGroup*> FGroupsList;
    uint32_t FHighlightButtonID = NoButton;
    // The button held down while the repeat timer runs.
    uint32_t FHeldButtonID = NoButton;
    TOwned<THxTimer> FRepeatTimer;
};
