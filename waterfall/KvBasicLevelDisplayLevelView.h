#pragma once
// The level view: the colour scale of a data display, drawn as a colour bar
// with a value axis and a caption button beside the data view. It decides
// which colour each value gets, for the bar and, through ValueToColorGBR, for
// the display's image.
//
// The view does not know where its range comes from: its creator hands it
// the current minimum, maximum and the value under a control pixel.

#include "display/KvDisplayAxis.h"
#include "waterfall/KvLevelAxis.h"
#include "waterfall/KvLevelBar.h"
#include "waterfall/KvLevelColors.h"
#include "waterfall/KvLevelDisplayColors.h"

#include <functional>

class TKvOptionalLabel;

using TKvLevelFunc = std::function<double()>;
using TKvGetValueAtFunc = std::function<double(int32_t X, int32_t Y)>;

class TKvBasicLevelDisplayLevelView : public TKvTrackingOptionalAxis {
    Q_OBJECT
    Q_PROPERTY(int32_t BarWidth READ GetBarWidth WRITE SetBarWidth)
    Q_PROPERTY(bool GrayScale READ GetGrayScale WRITE SetGrayScale)
    Q_PROPERTY(TKvLevelDisplayColors* Colors READ GetColors WRITE SetColors)
    Q_CLASSINFO("default:Align", "vaRight")
    Q_CLASSINFO("default:BarWidth", "14")
    Q_CLASSINFO("default:GrayScale", "False")
public:
    TKvBasicLevelDisplayLevelView(TKvDataDisplay* ADisplay, TKvLevelFunc AMinFunc,
                                  TKvLevelFunc AMaxFunc, TKvGetValueAtFunc AGetValueAtFunc);

    int32_t GetBarWidth() const { return FLock->Getter(FBarWidth); }
    // Not below 0.
    void SetBarWidth(int32_t AValue);
    bool GetGrayScale() const { return FLock->Getter(FGrayScale); }
    void SetGrayScale(bool AValue);
    TKvLevelDisplayColors* GetColors() const { return FColors.get(); }
    // Copies the items of AValue.
    void SetColors(TKvLevelDisplayColors* AValue);

    // Runs after a change that every stored pixel depends on (a colour, the
    // colour list, GrayScale): the display's image must be made again.
    TNotifyEvent OnColorsChanged;

    // The colour of the fraction AValue / MaxValue, red in the low byte.
    TColor ValueToColor(double AValue, double MaxValue) const;
    // The same as a 32-bit pixel (blue in the low byte).
    virtual uint32_t ValueToColorGBR(double AValue, double MaxValue) const;
    // The ramp used when the list is empty and GrayScale is off.
    virtual TColor BuiltInLevelRamp(double AValue, double MaxValue) const;
    // The mapping of the current settings, for whole rows.
    TKvLevelColorMap ColorMap() const;
    // The current range (logarithmic when the axis says so).
    TKvLevelRange LevelRange() const;
    double LevelMin() const { return FMinFunc ? FMinFunc() : 0.0; }
    double LevelMax() const { return FMaxFunc ? FMaxFunc() : 0.0; }

    // The text of a tick value.
    QString GetTickText(double AValue);
    void GetTickText(QString& AText, double AValue) override;

    // The level range changed: repaint when forced, and let the mark follow
    // the value under a mouse that stands still.
    void MainViewScrolled(bool ForceInvalidate);
    // Shows or hides the caption button for the mouse at (X, Y).
    void ButtonHitTest(int32_t X, int32_t Y, bool AForceInvalidate);

    void Draw(TKvDisplayDrawPart ADrawPart, THxCanvas* ACanvas, bool Vertical,
              bool Printing) override;
    void DrawEx(TKvDisplayDrawPart ADrawPart, THxCanvas* ACanvas, bool Vertical) override;
    void GetDefaultRect(TSize& ASize) const override;
    int32_t GetMarginA() const override;
    int32_t GetMarginB() const override;

    void MouseMove(TShiftState Shift, int32_t X, int32_t Y, bool& Handled) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, bool& Handled, bool Inside, int32_t X,
                   int32_t Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, bool Inside, int32_t X,
                 int32_t Y) override;
    void MouseLeaveView() override;
    void DisplayMouseLeave() override;

    double CurrentLevelValue() const { return FCurrentLevelValue; }
    bool LabelButtonShown() const { return FLabelButtonShown; }
    bool LabelButtonDown() const { return FLabelButtonDown; }
    int32_t TrackSize() const { return FTrackSize; }
    // The bar as the view places it now.
    TKvLevelBar Bar() const;
    // Where the caption lies (empty without a visible caption).
    TRect CaptionRect() const;

    // The axis machinery's questions, answered for the bar.
    uint32_t GetPixelLength() const override;
    double GetRangeWidth(bool ALog) override;
    double GetMinTickSpacing() override;
    TKvDisplayFont* GetFont() const override;
    double GetStep() override;
    void ParamsChanged() override;
    bool IsVerticalDirection() const override;

protected:
    ~TKvBasicLevelDisplayLevelView() override;

    // The axis settings; the axis view supplies them.
    virtual TKvBasicLevelAxis* GetLevelAxis() const = 0;
    // The text of a tick value before any label handler.
    virtual QString LevelTickText(double AValue);
    // The caption button's settings; the waterfall's view has them published.
    virtual bool GetButtonEnabled() const { return true; }
    virtual TCursor GetButtonCursor() const { return crHandPoint; }
    virtual void GetButtonColors(TColor& AOverBorder, TColor& AOver, TColor& ADownBorder,
                                 TColor& ADown) const;
    // The caption button was pressed; Handled keeps the properties dialog shut.
    virtual void ButtonClick(bool& Handled);
    TKvAxisStepInput StepInput() override;

    // A setting that only changes the look.
    void ViewChanged();
    // A setting that changes every pixel of the image.
    void ColorsChanged();

    TKvOptionalLabel* FLevelLabel = nullptr;
    int32_t FBarWidth = 14;
    double FStep = 1.0;
    bool FGrayScale = false;
    TKvLevelFunc FMinFunc;
    TKvLevelFunc FMaxFunc;
    TKvGetValueAtFunc FGetValueAtFunc;
    TPoint FOldMousePos{-1, -1};
    double FCurrentLevelValue = -10000000.0;
    int32_t FTrackSize = 0;
    TOwned<TKvLevelDisplayColors> FColors;
    bool FLabelButtonShown = false;
    bool FLabelButtonDown = false;
    bool FDialogShown = false;
    TColor FMouseOverBorderColor = clLime;
    TColor FMouseOverButtonColor = clGreen;
    TColor FMouseDownBorderColor = clYellow;
    TColor FMouseDownButtonColor = clOlive;

private:
    bool MouseInDataView(TPoint APoint) const;
    // The wider tick text of minimum and maximum, and the "Xg" height, in the axis font.
    int32_t LabelWidth();
    int32_t XgHeight() const;
    TSize CaptionExtent() const;
    TKvAxisRange AxisRange() const;

    bool FMouseInData = false;
    bool FCursorChanged = false;
};
