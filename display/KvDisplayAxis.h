#pragma once
// The axis views of a data display. An axis sits on one edge of the data
// view; it owns the value model of its direction (full and zoomed ranges in
// data and scale units), chooses its tick spacing, draws ticks, labels, its
// line, its title and a mark where the mouse is, converts pixels to values
// and back, and zooms and pans its own range by wheel, drag and toolbar.
//
// Where the data range comes from is left to the derived axes: they supply
// the data maximum and the zoomed data range, and may map data units onto a
// scale of their own by overriding the scale getters.
//
// Chain: TKvOptionalAxis (step) -> TKvTrackingOptionalAxis (ticks, tracking
// mark) -> TKvDisplayAxis (value model, zoom, drawing) -> the X and Y axes
// (KvBasicDisplayAxes.h).

#include "display/KvAxisCache.h"
#include "display/KvAxisScale.h"
#include "display/KvAxisSettings.h"
#include "display/KvAxisTicks.h"
#include "display/KvAxisToolBar.h"
#include "display/KvAxisTypes.h"
#include "display/KvDisplayAxisList.h"
#include "display/KvDisplayViews.h"
#include "display/KvViewButtonSettings.h"
#include "display/KvZoomPin.h"

#include <vector>

class THxCanvas;
class TKvDisplayFont;

class TKvOptionalAxis : public TKvOptionalView {
    Q_OBJECT
public:
    explicit TKvOptionalAxis(TKvDataDisplay* ADisplay);

    virtual TKvScaleMode GetScaleMode() const;
    virtual void SetScaleMode(TKvScaleMode AValue);
    // Pixels along the axis.
    virtual uint32_t GetPixelLength() const = 0;
    // The zoomed range's width, in SLog units with ALog.
    virtual double GetRangeWidth(bool ALog) = 0;
    // The room a label needs along the axis.
    virtual double GetLabelSize();
    virtual double GetMinTickSpacing() = 0;
    virtual TKvDisplayFont* GetFont() const = 0;

    // The automatic step for the axis as it is now.
    double CalcAutoStep();
    // A user's step, widened until the labels fit.
    double AdjustStep(TKvMajorTicksMode AMode, bool SkipInDecascale, double AStep);
    bool IsStepValid();

protected:
    ~TKvOptionalAxis() override;

    // What the step calculation is told about this axis.
    virtual TKvAxisStepInput StepInput();
    // Width and height of a text in the axis font.
    TSize TextSize(const QString& AText) const;

    // The cached step with the inputs it was computed from.
    TKvAxisStep FStepCache;
};

class TKvTrackingOptionalAxis : public TKvOptionalAxis {
    Q_OBJECT
    Q_PROPERTY(bool TrackCursor READ GetTrackCursor WRITE SetTrackCursor)
    Q_PROPERTY(TColor TrackColor READ GetTrackColor WRITE SetTrackColor)
    Q_PROPERTY(TKvMinorTicks* MinorTicks READ GetMinorTicks WRITE SetMinorTicks)
    Q_PROPERTY(TKvMajorTicks* MajorTicks READ GetMajorTicks WRITE SetMajorTicks)
    Q_CLASSINFO("default:TrackCursor", "True")
    Q_CLASSINFO("type:TrackColor", "TColor")
    Q_CLASSINFO("default:TrackColor", "clRed")
public:
    explicit TKvTrackingOptionalAxis(TKvDataDisplay* ADisplay);

    bool GetTrackCursor() const { return FLock->Getter(FTrackCursor); }
    void SetTrackCursor(bool AValue);
    TColor GetTrackColor() const { return FTrackColor; }
    void SetTrackColor(TColor AValue);
    TKvMinorTicks* GetMinorTicks() const { return FMinorTicks.get(); }
    void SetMinorTicks(TKvMinorTicks* AValue);
    TKvMajorTicks* GetMajorTicks() const { return FMajorTicks.get(); }
    void SetMajorTicks(TKvMajorTicks* AValue);
    const TKvCustomStepEvent& GetOnCustomStep() const { return FOnCustomStep; }
    void SetOnCustomStep(TKvCustomStepEvent AValue);

    virtual int32_t GetLineOffset() const;
    virtual void GetTickText(QString& AText, double AValue) = 0;
    virtual double GetStep() = 0;
    virtual void ParamsChanged() = 0;
    virtual bool IsVerticalDirection() const = 0;
    virtual bool IsLogarithmic() const;
    virtual bool IsReversed() const;
    virtual bool IsReversedForTicks() const;
    virtual int32_t HorizontalValueDirection() const;
    virtual int32_t VerticalValueDirection() const;
    // 0: values grow rightwards, 1: leftwards, 2: upwards, 3: downwards.
    virtual int32_t GetValueDirection() const;
    virtual int32_t GetTickOffset() const;

protected:
    ~TKvTrackingOptionalAxis() override;

    bool FTrackCursor = true;
    TColor FTrackColor = 0x0000FF;
    bool FMouseIsIn = false;
    TOwned<TKvMajorTicks> FMajorTicks;
    TOwned<TKvMinorTicks> FMinorTicks;
    TKvCustomStepEvent FOnCustomStep;
};

class TKvDisplayAxis : public TKvTrackingOptionalAxis, public IKvDisplayAxis {
    Q_OBJECT
    Q_PROPERTY(TKvAxisFormat* Format READ GetFormat WRITE SetFormat)
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)
    Q_PROPERTY(TKvDisplayFont* Font READ GetFontProperty WRITE SetFont)
    Q_PROPERTY(bool _ToolBar READ ExpanderEntry STORED false)
    Q_PROPERTY(TKvAxisToolBar* ToolBar READ GetToolBar WRITE SetToolBar)
    Q_PROPERTY(TKvAxisValue* Min READ GetMin WRITE SetMin)
    Q_PROPERTY(TKvMaxAxisValue* Max READ GetMax WRITE SetMax)
    Q_PROPERTY(TKvDisplayAxisZoom* Zooming READ GetZooming WRITE SetZooming)
    Q_PROPERTY(TKvDisplayTitleLabel* AxisLabel READ GetAxisLabel WRITE SetAxisLabel)
    Q_PROPERTY(bool _Button READ ExpanderEntry STORED false)
    Q_PROPERTY(TKvViewButtonSettings* Button READ GetButton WRITE SetButton)
    Q_PROPERTY(TKvZoomPin* ZoomPin READ GetZoomPin)
    Q_CLASSINFO("type:Color", "TColor")
    Q_CLASSINFO("default:Color", "clWhite")
public:
    explicit TKvDisplayAxis(TKvDataDisplay* ADisplay);

    // Published settings.
    TKvAxisFormat* GetFormat() const { return FFormat.get(); }
    void SetFormat(TKvAxisFormat* AValue);
    TColor GetColor() const { return FColor; }
    void SetColor(TColor AValue);
    TKvDisplayFont* GetFontProperty() const { return FFont.get(); }
    void SetFont(TKvDisplayFont* AValue);
    TKvAxisValue* GetMin() const { return FMin.get(); }
    void SetMin(TKvAxisValue* AValue);
    TKvMaxAxisValue* GetMax() const { return FMax.get(); }
    void SetMax(TKvMaxAxisValue* AValue);
    TKvDisplayAxisZoom* GetZooming() const { return FZooming.get(); }
    void SetZooming(TKvDisplayAxisZoom* AValue);
    TKvDisplayTitleLabel* GetAxisLabel() const { return FAxisLabel.get(); }
    void SetAxisLabel(TKvDisplayTitleLabel* AValue);
    // The title as a button that opens the axis's properties.
    TKvViewButtonSettings* GetButton() const { return FButton.get(); }
    void SetButton(TKvViewButtonSettings* AValue);
    TKvAxisToolBar* GetToolBar() const { return FToolBar.get(); }
    void SetToolBar(TKvAxisToolBar* AValue);
    TKvZoomPin* GetZoomPin() const { return FZoomPin.get(); }
    bool GetReversed() const { return FLock->Getter(FReversed); }
    const TKvCustomAxisLabelEvent& GetOnCustomLabel() const { return FOnCustomLabel; }
    void SetOnCustomLabel(TKvCustomAxisLabelEvent AValue);

    // IKvDisplayAxis
    double GetZoomMin() const override;
    double GetZoomMax() const override;
    bool GetZoomed() const override;
    bool GetIsZoomed() const override { return GetZoomed(); }
    void ZoomAtPoint(TPoint AMousePos, double AFactor) override;
    bool GetValueAt(int32_t X, int32_t Y, double& AAxisPos) const override;
    // Sets the zoom state as a history entry or a peer axis had it.
    void RestoreZoom(double AMin, double AMax, bool AZoomed);
    // The same for undo and redo (AOperation): linked axes follow.
    void RestoreZoom(double AMin, double AMax, bool AZoomed, TKvZoomOperation AOperation);
    // A linked axis (ASender) changed its zoom by AOperation: this axis
    // takes the same range, or unzooms with it, without telling its own
    // links; only a plain zoom makes a history entry.
    void FollowZoom(TKvDisplayAxis* ASender, TKvZoomOperation AOperation);

    // Zoom by a factor about the centre (below 1 narrows), to a range in
    // scale units, or to a range in data units.
    void ZoomBy(double AValue) { ZoomBy(AValue, true); }
    void ZoomBy(double AValue, bool SaveHistory);
    void ZoomTo(double AMin, double AMax) { ZoomTo(AMin, AMax, true); }
    void ZoomTo(double AMin, double AMax, bool SaveHistory);
    void ZoomToData(double AMin, double AMax) { ZoomToData(AMin, AMax, true); }
    void ZoomToData(double AMin, double AMax, bool SaveHistory);
    // The actions of the axis's zoom toolbar.
    void ToolBarZoomIn();
    void ToolBarZoomOut();
    void ToolBarZoomOff();
    // Where the axis's toolbar of AWidth x AHeight sits.
    TPoint ToolBarPosition(int32_t AWidth, int32_t AHeight);

    // Called by an OnCustomLabel handler: its text replaces the label.
    void SetTickText(const QString& AValue);
    QString GetTickText(double AValue);
    void GetTickText(QString& AText, double AValue) override;
    // AxisLabel.Text.
    virtual QString GetAxisLabelText();
    // Scale units <-> client pixels over the data view.
    int32_t ScaleToPixel(double AValue);
    double PixelToScale(int32_t APosition);
    // The zoomed data range.
    double GetCurrentMin();
    double GetCurrentMax();
    double GetStep() override;
    void IntZoom(TKvZoomOperation Operation, double AValue);
    void ParamsChanged() override;

    virtual bool IsYAxis() const;
    virtual bool IsValueFlipped() const;
    virtual double PixelToValue(double APos, const TRect& ARect, double AMax, double AMin);
    virtual void PanFromPoints(TPoint DownPoint, TPoint CurrentPoint);
    virtual void PanBy(double Shift);
    virtual void SetReversed(bool AValue);
    virtual void AssociatedChannelsChanged();
    virtual TKvPixelMapping GetPixelMapping(double AMax, double AMin);
    virtual bool IsPixelReversed() const;
    virtual void DrawAxis(THxCanvas* ACanvas, bool DrawLine, bool Vertical);
    virtual void DrawTicks(THxCanvas* ACanvas);
    virtual void AdjustZoomFactor(double& Factor, double Width);
    virtual void ZoomToDataRange(TKvZoomOperation Operation, bool NotifyPin, double AMax,
                                 double AMin);
    virtual void DoZoomOff();
    virtual void ZoomOffAndNotify();
    virtual void ZoomByFactor(double Factor);
    virtual void ScaleFullMinChanged(double Delta);
    virtual void ScaleFullMaxChanged(double Delta);
    // Data units: the full range and the zoomed one. The minimum is 0, or
    // Min.DataValue when Min does not autoscale; the maximum is the derived
    // axis's. Zoomed, the full range cut to the zoom.
    virtual double GetDataFullMin();
    virtual double GetDataFullMax() = 0;
    virtual double GetDataZoomedMin();
    virtual double GetDataZoomedMax();
    // Scale units of the real scale and of the ticks.
    virtual double GetScaleRealFullMin();
    virtual double GetScaleRealFullMax();
    virtual double GetScaleRealZoomedMin();
    virtual double GetScaleRealZoomedMax();
    virtual double GetScaleTickFullMin();
    virtual double GetScaleTickFullMax();
    virtual double GetScaleTickZoomedMin();
    virtual double GetScaleTickZoomedMax();
    virtual void InvalidateCaches(bool IncludeData);
    virtual void Changed();
    virtual bool GetCanZoomIn();
    virtual bool GetCanZoomOut();

    // Cached ranges.
    TKvAxisRange DataFull();
    TKvAxisRange DataZoomed();
    TKvAxisRange ScaleRealFull();
    TKvAxisRange ScaleRealZoomed();
    TKvAxisRange ScaleTickFull();
    TKvAxisRange ScaleTickZoomed();
    double DataToScale(double AValue);
    double ScaleToData(double AValue);
    double DataToScaleSpan(double AValue);
    double ScaleToDataSpan(double AValue);

    TKvDisplayFont* GetFont() const override { return FFont.get(); }
    // Along the data view; the zoomed tick scale's width.
    uint32_t GetPixelLength() const override;
    double GetRangeWidth(bool ALog) override;
    // Label widths along a horizontal axis, the text height along a vertical one.
    double GetLabelSize() override;
    double GetMinTickSpacing() override;
    bool IsReversed() const override;
    bool IsReversedForTicks() const override;

    void Draw(TKvDisplayDrawPart ADrawPart, THxCanvas* ACanvas, bool Vertical,
              bool Printing) override;
    // Across the axis: room for the ticks and their labels, and the title.
    void GetDefaultRect(TSize& ASize) const override;
    // Room for the labels at the ends of the axis.
    int32_t GetMarginA() const override;
    int32_t GetMarginB() const override;
    void MouseMove(TShiftState Shift, int32_t X, int32_t Y, bool& Handled) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, bool& Handled, bool Inside, int32_t X,
                   int32_t Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, bool Inside, int32_t X,
                 int32_t Y) override;
    void MouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    void MouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void DisplayMouseLeave() override;

    // Shows the title as a button while the mouse is over it (and
    // Button.Enabled); true when it is shown.
    bool ButtonHitTest(int32_t X, int32_t Y, bool AForceInvalidate);
    bool LabelButtonShown() const { return FLabelButtonShown; }

    // The ticks a pass places now (what DrawTicks draws).
    std::vector<TKvAxisTick> TickPass();
    // The title's rectangle in the last drawing; empty when not drawn.
    const TRect& AxisLabelRect() const { return FAxisLabelRect; }
    bool LeftMouseButtonDown() const { return FLeftMouseButtonDown; }

    // Run by the axis on every change of its zoom that its peers should
    // follow, after the zoom pin has told them.
    std::function<void(TKvDisplayAxis* Sender, TKvZoomOperation Operation)> OnZoomNotify;

protected:
    ~TKvDisplayAxis() override;

    // Draws one tick (and its label) at APixel along the axis.
    virtual void DrawTick(THxCanvas* ACanvas, const TKvAxisTick& ATick);
    // The axis's picture: background, tracking mark, ticks, line and title.
    void DrawAxisView(THxCanvas* ACanvas, bool Vertical, bool Printing);
    void DrawTrackingMark(THxCanvas* ACanvas);
    void DrawAxisLabel(THxCanvas* ACanvas, bool Printing);
    void DrawLabelButton(THxCanvas* ACanvas);
    // The data view's rectangle, pixel extent along the axis and length.
    TRect DataViewRect() const;
    int32_t AxisStart() const;
    int32_t AxisLength() const;
    TKvZoomLimits ZoomLimits() const;
    // Stores a zoomed range that obeys the limits.
    void SetZoomRange(TKvZoomOperation Operation, bool NotifyPin, double A, double B);
    void ApplyZoom(TKvAxisRange ARange, TKvZoomOperation Operation, bool NotifyPin);
    void NotifyZoom(TKvZoomOperation Operation);
    // The zoomed tick range itself, so that a logarithmic step sees its ends.
    TKvAxisStepInput StepInput() override;
    // Min, Max or the title changed.
    void ValuesChanged();
    // The label widths (or the text height along a vertical axis) at the
    // start and the end of the axis, halved, plus 4.
    int32_t EndMargin(bool AStart);

    double FStep = 1.0;
    TOwned<TKvAxisValue> FMin;
    TOwned<TKvMaxAxisValue> FMax;
    bool FReversed = false;
    TOwned<TKvAxisFormat> FFormat;
    TOwned<TKvDisplayAxisZoom> FZooming;
    TColor FColor = 0xFFFFFF;
    TOwned<TKvDisplayFont> FFont;
    TOwned<TKvDisplayTitleLabel> FAxisLabel;
    double FZoomMin = 0.0;
    double FZoomMax = 0.0;
    bool FZoomed = false;
    TKvLimitCachedMinMaxValue FDataTotal;
    TKvLimitCachedMinMaxValue FScaleTotalReal;
    TKvLimitCachedMinMaxValue FScaleTick;
    TKvCustomAxisLabelEvent FOnCustomLabel;
    double FMouseZoomMin = 0.0;
    double FMouseZoomMax = 0.0;
    bool FLeftMouseButtonDown = false;
    TOwned<TKvViewButtonSettings> FButton;
    TOwned<TKvZoomPin> FZoomPin;
    TOwned<TKvAxisToolBar> FToolBar;
    bool FLabelButtonShown = false;
    bool FLabelButtonDown = false;
    bool FDialogShown = false;
    bool FNewText = false;
    QString FNewTickText;
    TPoint FMousePoint;
    TRect FAxisLabelRect;
    bool FMouseInDataView = false;
    int32_t FTrackSize = 0;
};
