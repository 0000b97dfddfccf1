#pragma once
// The abstract base control of every data display. It lays out its views
// (title, axes, legend, data area) in the client rectangle, routes mouse,
// wheel and keyboard input to its components, keeps the zoom history, and
// paints by copying one off-screen bitmap that the derived display renders
// again only when a refresh was asked for. The same rendering serves
// printing, the clipboard, and bitmap and JPEG files.
//
// Putting a display into a Qt program: the control is not a QWidget itself
// (it is a component with published properties); Widget() hands out the
// QWidget that shows it. Add that widget to any layout or give it a Qt
// parent, e.g.
//     auto* display = new TMyDisplay(nullptr);
//     layout->addWidget(display->Widget());
//     display->Widget()->show();
// The widget paints the display and delivers its input to it. Free the
// control with TPersistent::Free (or hold it in a TOwned pointer).
//
// Threads: everything here runs on the user-interface thread, except that
// PostRefresh, Hold and the settings may be called from any thread that
// feeds the derived display; they take the control's lock, as does the
// paint while it renders.

#include "display/KvDisplayAxisList.h"
#include "display/KvDisplayComponent.h"
#include "display/KvDisplayToolBar.h"
#include "display/KvDisplayZoom.h"
#include "display/KvScopeTypes.h"
#include "display/KvZoomHistory.h"
#include "foundation/GmBasicBitmap.h"
#include "foundation/HxControlDrawLayers.h"
#include "foundation/HxTimer.h"
#include "gdiplus/GdiPlusObjects.h"

#include <QRegion>
#include <memory>

class QPrinter;
class THxCanvasImpl;
class TKvChannelMouseHitPoint;

class TKvDataDisplay : public THxControlDrawLayer, public IYbBasicControl {
    Q_OBJECT
    Q_PROPERTY(bool _ToolBar READ ExpanderEntry STORED false)
    Q_PROPERTY(TKvDisplayToolBar* ToolBar READ GetToolBar WRITE SetToolBar)
    Q_PROPERTY(TKvDisplayZoom* Zooming READ GetZooming WRITE SetZooming)
    Q_PROPERTY(Kv::TKvDisplayNavigateMode NavigateMode READ GetNavigateMode WRITE SetNavigateMode)
    Q_PROPERTY(THxComponentElements* Elements READ GetElements WRITE SetElements)
    Q_PROPERTY(uint32_t RefreshInterval READ GetRefreshInterval WRITE SetRefreshInterval)
    Q_CLASSINFO("default:Color", "clBlack")
    Q_CLASSINFO("default:TabStop", "True")
    Q_CLASSINFO("default:NavigateMode", "nmZoom")
    Q_CLASSINFO("default:RefreshInterval", "100")
public:
    explicit TKvDataDisplay(TComponent* AOwner);

    // IInterface: the display's lifetime is its owner's business.
    void AddRef() noexcept override {}
    void Release() noexcept override {}
    void* QueryInterface(const TGUID& AIID) noexcept override;

    // IYbBasicControl
    void ResetLayers() override;
    void Redraw() override;
    void InvalidateControl() override;
    void RedrawControl() override;
    bool IsFocusedControl() override;
    void GetLock(THxLockPtr& ALock) override;
    TControl* GetControl() override;

    // Published properties.
    TKvDisplayToolBar* GetToolBar() const { return FToolBar.get(); }
    void SetToolBar(TKvDisplayToolBar* AValue);
    TKvDisplayZoom* GetZooming() const { return FZooming.get(); }
    void SetZooming(TKvDisplayZoom* AValue);
    TKvDisplayNavigateMode GetNavigateMode() const;
    void SetNavigateMode(TKvDisplayNavigateMode AValue);
    THxComponentElements* GetElements() const { return FElements.get(); }
    void SetElements(THxComponentElements* AValue);
    uint32_t GetRefreshInterval() const;
    void SetRefreshInterval(uint32_t AValue);
    // Through the lock; a change renders the display again. (A change
    // through the Qt property reaches the next paint the same way.) From
    // another thread both this and RefreshInterval are posted.
    void SetColor(TColor AValue);
    // Applies the cursor and remembers it as the user's choice.
    void SetCursor(TCursor AValue) override;

    TKvZoomChangedEvent OnZoomChanged;
    TKvDataToolTipEvent OnDataToolTip;

    // Public, not stored.
    // The print size while printing or drawing to a graphics target, else
    // the control's size.
    int32_t PlotWidth() const;
    int32_t PlotHeight() const;
    const TKvDisplayViews& Views() const { return *FViews; }
    TKvDisplayViews& Views() { return *FViews; }
    TKvDisplayComponents& Components() { return *FComponents; }
    TKvDisplayAxisList& Axes() { return *FAxes; }
    TKvDisplayAxisList& XAxes() { return *FXAxes; }
    TKvDisplayAxisList& YAxes() { return *FYAxes; }
    // Components and views leaving; harmless once the lists are gone.
    void ForgetComponent(TKvDisplayComponent* AComponent);
    void ForgetView(TKvDisplayView* AView);
    bool GetHold() const;
    // A change takes over pending data first, then renders again.
    void SetHold(bool AValue);
    bool CanZoomIn() { return GetCanZoomIn(); }
    bool CanZoomOut() { return GetCanZoomOut(); }
    bool CanUndoZoom() const { return FUndoList->HasItems(); }
    bool CanRedoZoom() const { return FRedoList->HasItems(); }
    const TKvDisplayZoomList& UndoList() const { return *FUndoList; }
    const TKvDisplayZoomList& RedoList() const { return *FRedoList; }
    bool NeedsRecalc() const { return FNeedsRecalc; }
    // Lays out again at the next render, without asking for one.
    void SetNeedsRecalc() { FNeedsRecalc = true; }
    bool RefreshPending() const;
    bool Printing() const { return FPrinting; }

    void Loaded() override;
    void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;
    void SetParent(TControl* AParent) override;
    THxDrawLayerOperations GetOperations() override;
    void GetChildren(const TGetChildProc& AProc, TComponent* ARoot) override;
    void SetChildOrder(TComponent* AChild, int AOrder) override;

    // Renders at the next paint.
    void InvalidateRefresh();
    // Renders at the next refresh tick (any thread).
    void PostRefresh();
    // The refresh tick's work: render when data arrived or a refresh is due.
    void RefreshView();

    // Exports. The files are replaced whole or not at all; failures raise.
    void CopyToBitmap(TBitmap& ABitmap);
    void CopyToClipboard();
    void SaveToBitmap(const QString& AFileName);
    void SaveToJpeg(const QString& AFileName);
    // Prints one page on Printer().
    virtual void Print();
    void Print(QPrinter& APrinter);
    // The printer Print uses; made on first use.
    QPrinter& Printer();

    bool GetAxisValueAt(int32_t X, int32_t Y, double& AxisX, double& AxisY);
    void SetToolTipText(const QString& AValue);
    QString GetToolTipText() const;
    bool HasNewToolTipText() const { return FHasNewToolTipText; }

    // Cursor changes by toolbars and by elements or markers while the mouse
    // is over them; leaving the display puts the user's cursor back.
    void SetToolCursor(TCursor AValue);
    void SetElementCursor(TCursor AValue);
    TCursor UserCursor() const { return FCursor; }

    // Drawn as a layer of another control: the whole display at its own
    // position on the host canvas.
    void DoLayerDraw(THxCanvas* ACanvas, int32_t AWidth, int32_t AHeight, float AXCoeff,
                     float AYCoeff, bool AContoursOnly) override;

    // The paint step: render when due, then copy the background bitmap to DC.
    virtual void PaintWindow(TCanvas& DC, const TRect& AClientRect, const QRegion& ARegion);

    virtual TKvDisplayView* GetDataView() = 0;
    virtual bool GetIsVertical();
    virtual int32_t GetColorChannelIndex(TKvDisplayView* AView);
    virtual void DoColorChannelClick(int32_t AItemIndex);

    virtual void ZoomOff();
    void ZoomBy(double AValue) { ZoomBy(AValue, true); }
    void ZoomBy(double AValue, bool SaveHistory) { ZoomBy(AValue, AValue, SaveHistory); }
    void ZoomBy(double XValue, double YValue) { ZoomBy(XValue, YValue, true); }
    virtual void ZoomBy(double XValue, double YValue, bool SaveHistory) = 0;
    void ZoomTo(double XMin, double XMax, double YMin, double YMax) {
        ZoomTo(XMin, XMax, YMin, YMax, true);
    }
    virtual void ZoomTo(double XMin, double XMax, double YMin, double YMax, bool SaveHistory) = 0;
    void ZoomToData(double XMin, double XMax, double YMin, double YMax) {
        ZoomToData(XMin, XMax, YMin, YMax, true);
    }
    virtual void ZoomToData(double XMin, double XMax, double YMin, double YMax,
                            bool SaveHistory) = 0;
    virtual void UndoZoom();
    virtual void RedoZoom();
    virtual void ClearZoomUndo();

    // Wheel zoom about a point of the data view (Zooming.Mode picks the
    // directions), and the variant an axis under the wheel uses for itself.
    virtual void ZoomAtPoint(TPoint MousePos, double YFactor, double XFactor);
    void ZoomAxisAtPoint(IKvDisplayAxis* AAxis, TPoint MousePos, double AFactor);
    virtual void SaveZoomHistory(bool FromWheel);
    // Lays out again, then tells OnZoomChanged the old and new ranges.
    void DoZoomChanged(const TKvRealRanges& AOldRanges, TKvZoomOperation AOperation);
    // The current ranges in the old half of the record.
    TKvRealRanges CurrentRanges();

    virtual void InvalidateLayout();
    virtual void Changed();
    virtual void GeometryChanged();
    virtual bool IsZoomed();
    virtual bool GetCanZoomIn();
    virtual bool GetCanZoomOut();
    virtual double GetXMin() = 0;
    virtual double GetXMax() = 0;
    virtual double GetYMin() = 0;
    virtual double GetYMax() = 0;
    virtual IKvDisplayAxis* GetXAxis() = 0;
    virtual IKvDisplayAxis* GetYAxis() = 0;
    virtual void ShowSetup();
    virtual void ShowProperties(int32_t APage, int32_t AItem);
    virtual void ShowAxisProperties(int32_t AAxisIndex);
    virtual int32_t GetAxisIndex(IKvDisplayAxis* AAxis);
    virtual int32_t GetXAxisIndex(IKvDisplayAxis* AAxis);
    virtual int32_t GetYAxisIndex(IKvDisplayAxis* AAxis);
    virtual void GetPrintTitle(QString& AText);
    virtual void GetHitPointText(QString& AText);
    // A label from ATemplate for the point AMousePoint whose axis values are
    // AValue (markers' labels and the hit point's).
    virtual void FormatPointLabel(TPoint AMousePoint, const QString& ATemplate, QString& AText,
                                  const TKvRealPoint& AValue) = 0;
    // Drops the data view's cached drawing data (what lies under the mouse)
    // and repaints.
    virtual void ResetDrawData() = 0;
    // The mouse hit point: a small square about AMousePoint in the canvas's
    // pen and brush, and when the hit point's label is visible the label,
    // which OnDataToolTip may change, next to it inside the data view.
    void DrawHitPointLabel(THxCanvas& ACanvas, TPoint AMousePoint,
                           TKvChannelMouseHitPoint& AHitPoint);
    virtual THxCanvas* GetBitmapCanvas();
    // The paint pass's toolbar step: unless printing, the toolbar is drawn
    // when it is visible and either stays or the mouse is over the display.
    void DrawToolBar(THxCanvas& ACanvas, bool APrinting);

    // Renders into ABitmap through ACanvas (its framework canvas).
    virtual void DrawToBitmap(TGmBasicBitmap& ABitmap, TCanvas& ACanvas, bool APrinting);
    // Renders AWidth x AHeight into a graphics target at (0, 0).
    virtual void DrawToGraphics(IGPGraphics& AGraphics, float AWidth, float AHeight);

    void KeyPress(QChar& AKey) override;
    void MouseMove(TShiftState AShift, int32_t X, int32_t Y) override;
    void MouseDown(TMouseButton AButton, TShiftState AShift, int32_t X, int32_t Y) override;
    void MouseUp(TMouseButton AButton, TShiftState AShift, int32_t X, int32_t Y) override;
    bool DoMouseWheelDown(TShiftState AShift, TPoint AMousePos) override;
    bool DoMouseWheelUp(TShiftState AShift, TPoint AMousePos) override;
    void DoEnter() override;
    void DoExit() override;
    // Also when a Qt layout resized the widget.
    void Resize() override;
    void Paint() override;

protected:
    ~TKvDataDisplay() override;
    void BeforeDestruction() override;
    void MouseEntered() override;
    void MouseLeft() override;

    virtual void RefreshTick(TPersistent* Sender);
    virtual void MouseEnterDisplay();
    virtual void MouseLeaveDisplay();
    // Overlays after DrawDisplay.
    virtual void AfterDraw(const QRegion& AClipRegion, bool APrinting);
    // Places every view; the derived display calls it from DrawDisplay
    // while NeedsRecalc, then clears the flag.
    void CalculateLayout();
    void ClearNeedsRecalc() { FNeedsRecalc = false; }

    // Takes over pending data; true when a render is due.
    virtual bool UpdateData() = 0;
    virtual void GetPointLabelText(QString& AText) = 0;
    virtual void DoZoom(TKvZoomOperation AOperation, bool ScaleUnits, double XMin, double XMax,
                        double YMin, double YMax) = 0;
    virtual void DoZoomOff() = 0;
    // Lays out (CalculateLayout) and draws everything into ABitmap.
    virtual void DrawDisplay(TGmBasicBitmap& ABitmap, THxCanvas& ACanvas, bool APrinting,
                             const QRegion& AClipRegion, const TRect& ARect) = 0;
    virtual void ApplyZoomList(const TKvAxisZoomList& AAxisList, bool Redo) = 0;
    virtual TKvAxisZoomListPtr CaptureZoomList() = 0;

private:
    bool OnWidgetThread() const;
    // The wheel goes to every component under it, then zooms the data view.
    void RouteWheel(TShiftState AShift, TPoint AMousePos, bool AUp);
    // Asks the window for a paint, from any thread.
    void InvalidateWindow();
    // Sizes the background bitmap; a new size gets a new canvas.
    void SizeBackground(int32_t AWidth, int32_t AHeight);
    void RenderBackground();
    // Renders a Width x Height export bitmap.
    std::unique_ptr<TGmBasicBitmap> RenderExport();
    template <class F> void ForEachComponentBackwards(F&& AVisit);
    bool IsToolBar(const TKvDisplayComponent* AComponent) const;

    std::unique_ptr<TGmBasicBitmap> FBkgBitmap;
    std::unique_ptr<THxCanvasImpl> FBitmapCanvas;
    std::unique_ptr<TKvDisplayViews> FViews;
    std::unique_ptr<TKvDisplayAxisList> FAxes;
    std::unique_ptr<TKvDisplayAxisList> FXAxes;
    std::unique_ptr<TKvDisplayAxisList> FYAxes;
    std::unique_ptr<TKvDisplayComponents> FComponents;
    bool FNeedsRecalc = true;
    bool FPrinting = false;
    TSize FPrintSize;
    TOwned<TKvDisplayToolBar> FToolBar;
    std::unique_ptr<TKvDisplayZoomList> FUndoList;
    std::unique_ptr<TKvDisplayZoomList> FRedoList;
    TCursor FCursor = crDefault;
    bool FToolCursorChanged = false;
    bool FElementCursorChanged = false;
    TOwned<TKvDisplayZoom> FZooming;
    TOwned<THxComponentElements> FElements;
    bool FWasMouseWheel = false;
    TKvDisplayNavigateMode FNavigateMode = nmZoom;
    bool FHold = false;
    bool FRefreshImage = true;
    TOwned<THxTimer> FRefreshTimer;
    bool FHasNewToolTipText = false;
    QString FNewToolTipText;
    // The background colour the bitmap was rendered with.
    TColor FRenderedColor = clBlack;
    std::unique_ptr<QPrinter> FPrinter;
};
