#pragma once
// The layout parts and generic behaviour of the waterfall control: title,
// history and value axes, legend, orientation, zoom entry points, the paint
// and overlay passes and the tooltip. Where the rows come from is the
// derived control's business (the data-source operations below).

#include "display/KvDataDisplay.h"
#include "display/KvDisplayHighlighting.h"
#include "display/KvDisplayTitle.h"
#include "display/KvLegendGroup.h"
#include "display/KvLegendView.h"
#include "pins/JwLocks.h"
#include "waterfall/KvWaterfallAxes.h"
#include "waterfall/KvWaterfallMarkers.h"
#include "waterfall/KvWaterfallPropertiesDialog.h"

class TKvWaterfallLegendView;

// The legend's "Marker Groups" group: the waterfall's marker groups. An
// item under the mouse highlights its group from outside.
class TKvWaterfallMarkerGroupsLegendGroup : public TKvLegendGroup {
    Q_OBJECT
public:
    TKvWaterfallMarkerGroupsLegendGroup(TKvLegendView* AOwner,
                                        TKvWaterfallMarkerGroups* AMarkerGroups);
    void SetItemHighlighted(int32_t AIndex, bool AState) override;

protected:
    ~TKvWaterfallMarkerGroupsLegendGroup() override;
};

class TKvWaterfallLegendView : public TKvLegendView {
    Q_OBJECT
    Q_PROPERTY(TKvWaterfallMarkerGroupsLegendGroup* MarkerGroups READ GetMarkerGroups WRITE
                   SetMarkerGroups)
    Q_PROPERTY(bool _MarkerGroups READ ExpanderEntry STORED false)
public:
    // The "Marker Groups" group lists AMarkerGroups (none when null).
    explicit TKvWaterfallLegendView(TKvDataDisplay* ADisplay,
                                    TKvWaterfallMarkerGroups* AMarkerGroups = nullptr);

    TKvWaterfallMarkerGroupsLegendGroup* GetMarkerGroups() const { return FMarkerGroups.get(); }
    void SetMarkerGroups(TKvWaterfallMarkerGroupsLegendGroup* AValue);

protected:
    ~TKvWaterfallLegendView() override;

private:
    TOwned<TKvWaterfallMarkerGroupsLegendGroup> FMarkerGroups;
};

// Item highlighting (Markers) and the mouse hit point (MouseHitPoint).
class TKvWaterfallHighlighting : public TKvDisplayPersistent {
    Q_OBJECT
    Q_PROPERTY(TKvDisplayItemHighlighting* Markers READ GetMarkers WRITE SetMarkers)
    Q_PROPERTY(TKvChannelMouseHitPoint* MouseHitPoint READ GetMouseHitPoint WRITE SetMouseHitPoint)
public:
    explicit TKvWaterfallHighlighting(TKvDataDisplay* ADisplay);

    TKvDisplayItemHighlighting* GetMarkers() const { return FMarkers.get(); }
    // Copies AValue; the display tests what lies under the mouse again.
    void SetMarkers(TKvDisplayItemHighlighting* AValue);
    TKvChannelMouseHitPoint* GetMouseHitPoint() const { return FMouseHitPoint.get(); }
    void SetMouseHitPoint(TKvChannelMouseHitPoint* AValue);

protected:
    ~TKvWaterfallHighlighting() override;

private:
    TOwned<TKvDisplayItemHighlighting> FMarkers;
    TOwned<TKvChannelMouseHitPoint> FMouseHitPoint;
};

class TKvBasicWaterfall : public TKvDataDisplay {
    Q_OBJECT
    Q_PROPERTY(TKvDisplayTitle* Title READ GetTitle WRITE SetTitle)
    Q_PROPERTY(TKvWaterfallXAxis* XAxis READ GetXAxisObject WRITE SetXAxis)
    Q_PROPERTY(TKvWaterfallYAxis* YAxis READ GetYAxisObject WRITE SetYAxis)
    Q_PROPERTY(TKvWaterfallLegendView* Legend READ GetLegend WRITE SetLegend)
    Q_PROPERTY(bool Vertical READ GetVertical WRITE SetVertical)
    Q_PROPERTY(TKvWaterfallMarkerGroups* MarkerGroups READ GetMarkerGroups WRITE SetMarkerGroups)
    Q_PROPERTY(TKvWaterfallHighlighting* Highlighting READ GetHighlighting WRITE SetHighlighting)
    Q_PROPERTY(bool _XAxis READ ExpanderEntry STORED false)
    Q_PROPERTY(bool _YAxis READ ExpanderEntry STORED false)
    Q_CLASSINFO("default:Vertical", "False")
public:
    explicit TKvBasicWaterfall(TComponent* AOwner);

    TKvDisplayTitle* GetTitle() const { return FTitle.get(); }
    void SetTitle(TKvDisplayTitle* AValue) { FTitle->Assign(AValue); }
    TKvWaterfallXAxis* GetXAxisObject() const { return FXAxis.get(); }
    void SetXAxis(TKvWaterfallXAxis* AValue) { FXAxis->Assign(AValue); }
    TKvWaterfallYAxis* GetYAxisObject() const { return FYAxis.get(); }
    void SetYAxis(TKvWaterfallYAxis* AValue) { FYAxis->Assign(AValue); }
    TKvWaterfallLegendView* GetLegend() const { return FLegend.get(); }
    void SetLegend(TKvWaterfallLegendView* AValue) { FLegend->Assign(AValue); }
    TKvWaterfallHighlighting* GetHighlighting() const { return FHighlighting.get(); }
    void SetHighlighting(TKvWaterfallHighlighting* AValue) { FHighlighting->Assign(AValue); }
    TKvWaterfallMarkerGroups* GetMarkerGroups() const { return FMarkerGroups.get(); }
    // Copies the groups of AValue.
    void SetMarkerGroups(TKvWaterfallMarkerGroups* AValue) { FMarkerGroups->Assign(AValue); }
    bool GetVertical() const;
    void SetVertical(bool AValue);

    // Prints a still picture: Hold is on while printing and restored after,
    // also when printing fails.
    void Print() override;
    void Print(QPrinter& APrinter);

    bool GetIsVertical() override { return GetVertical(); }
    void ZoomBy(double XValue, double YValue, bool SaveHistory) override;
    void ZoomTo(double XMin, double XMax, double YMin, double YMax, bool SaveHistory) override;
    void ZoomToData(double XMin, double XMax, double YMin, double YMax, bool SaveHistory) override;
    void DoColorChannelClick(int32_t AItemIndex) override;
    bool GetCanZoomOut() override;
    double GetXMin() override;
    double GetXMax() override;
    double GetYMin() override;
    double GetYMax() override;
    IKvDisplayAxis* GetXAxis() override { return FXAxis.get(); }
    IKvDisplayAxis* GetYAxis() override { return FYAxis.get(); }
    int32_t GetAxisIndex(IKvDisplayAxis* AAxis) override;
    void ShowProperties(int32_t APage, int32_t AItem) override;
    void ShowAxisProperties(int32_t AAxisIndex) override;
    void Changed() override;
    void GeometryChanged() override;

    // The expansion of a tooltip format at axis values (AX, AY) with level
    // value AZ: %X, %Y, %Z the tick texts, %D the default format, %% a
    // percent sign; any other letter is dropped with its percent sign.
    QString ExpandPointLabel(const QString& AFormat, double AX, double AY, double AZ);
    // The default tooltip format.
    static inline const QString DefaultPointLabel = QStringLiteral("%X : %Y : %Z");
    // The page index of the levels page: there is no "Marker Groups" page
    // without marker groups.
    int32_t LevelsPageIndex() const;
    // Page numbers of ShowProperties; the dialog leaves out the marker
    // groups page when there are none and moves the later ones down.
    static constexpr int32_t MarkerGroupsPage = 0;
    static constexpr int32_t AxesPage = 1;
    static constexpr int32_t LevelsPage = 2;

    void FormatPointLabel(TPoint AMousePoint, const QString& ATemplate, QString& AText,
                          const TKvRealPoint& AValue) override;

    // Who makes the properties dialog of every waterfall (UI thread only);
    // an empty factory opens nothing.
    static void SetPropertiesDialogFactory(TKvWaterfallPropertiesDialogFactory AFactory);
    static const TKvWaterfallPropertiesDialogFactory& PropertiesDialogFactory();

protected:
    ~TKvBasicWaterfall() override;

    // The data-source operations.
    virtual double EffectiveSampleRate() = 0;
    virtual void DirectDraw(TGmBasicBitmap& ABitmap) = 0;
    virtual void RefreshHighlighting() = 0;
    virtual void ProcessInputBuffers() = 0;
    virtual bool HistoryEmpty() = 0;
    virtual bool GetBuffersChanged() = 0;
    virtual void SetBuffersChanged(bool AValue) = 0;
    virtual void SetForcedFullRedraw() = 0;
    virtual void AllocateScreenBuffer() = 0;
    // The level value at control point (X, Y) and its tick text.
    virtual double LevelValueAt(int32_t X, int32_t Y) = 0;
    virtual QString LevelTickText(double AValue) = 0;
    // The data view's highlighted pixel and the value there; false when
    // nothing is highlighted.
    virtual bool HighlightedPoint(TPoint& APoint, double& AValue) = 0;
    // The level scale's colour of AValue (clamped to its range).
    virtual TColor LevelColor(double AValue) = 0;
    void MarkerGroupsPresent(bool& APresent);

    void DrawDisplay(TGmBasicBitmap& ABitmap, THxCanvas& ACanvas, bool APrinting,
                     const QRegion& AClipRegion, const TRect& ARect) override;
    void AfterDraw(const QRegion& AClipRegion, bool APrinting) override;
    void GetPointLabelText(QString& AText) override;
    void DrawHighlightedPoint(THxCanvas& ACanvas);
    void DoZoom(TKvZoomOperation AOperation, bool ScaleUnits, double XMin, double XMax, double YMin,
                double YMax) override;
    void DoZoomOff() override;
    void ApplyZoomList(const TKvAxisZoomList& AAxisList, bool Redo) override;
    TKvAxisZoomListPtr CaptureZoomList() override;

    // Guards the row store; made first and freed last.
    std::unique_ptr<TJwCriticalSection> FBufferSection;
    bool FVertical = false;
    TOwned<TKvWaterfallMarkerGroups> FMarkerGroups;
    TOwned<TKvWaterfallHighlighting> FHighlighting;
    TOwned<TKvDisplayTitle> FTitle;
    TOwned<TKvWaterfallLegendView> FLegend;
    TOwned<TKvWaterfallXAxis> FXAxis;
    TOwned<TKvWaterfallYAxis> FYAxis;

private:
    // The canvas of the paint pass under way, for its overlay pass.
    THxCanvas* FDrawCanvas = nullptr;

    void ZoomAxes(bool ScaleUnits, double XMin, double XMax, double YMin, double YMax);
    // ZoomTo and ZoomToData: the history entry, the hold on zoom, the zoom and
    // the notification, in scale units or in data units.
    void ZoomAxesAsUser(bool ScaleUnits, double XMin, double XMax, double YMin, double YMax,
                        bool SaveHistory);
};
