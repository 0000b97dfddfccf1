#pragma once
// A waterfall-shaped display for the axis tests: the waterfall's X and Y
// axes, its row store (the paint pass moves the queued rows on and the
// oldest row's length reaches the Y axis), and a data view filling the rest.
// The waterfall control replaces it once it exists.

#include "display/KvScope.h"
#include "waterfall/KvWaterfallAxes.h"
#include "waterfall/KvWaterfallRows.h"

#include <QImage>

class TWaterfallDataView : public TKvDisplayView {
    Q_OBJECT
public:
    explicit TWaterfallDataView(TKvDataDisplay* ADisplay) : TKvDisplayView(ADisplay) {}
    void GetDefaultRect(TSize& ASize) const override { ASize = TSize{-1, -1}; }
    int32_t GetAlign() const override { return KvDataViewAlign; }

protected:
    ~TWaterfallDataView() override = default;
};

class TWaterfallDisplayHost : public TKvDataDisplay,
                              public TKvWaterfallRowOwner,
                              public TKvWaterfallAxisOwner {
    Q_OBJECT
    Q_PROPERTY(TKvWaterfallXAxis* XAxis READ GetXAxisObject)
    Q_PROPERTY(TKvWaterfallYAxis* YAxis READ GetYAxisObject)
public:
    explicit TWaterfallDisplayHost(TComponent* AOwner);

    TKvWaterfallXAxis* GetXAxisObject() const { return FXAxis.get(); }
    TKvWaterfallYAxis* GetYAxisObject() const { return FYAxis.get(); }
    TKvWaterfallXAxis& X() { return *FXAxis; }
    TKvWaterfallYAxis& Y() { return *FYAxis; }
    TKvWaterfallRowStore& Rows() { return FRows; }
    void AddRow(uint32_t ALength);
    // Moves the rows on, lays out and renders as a paint does.
    QImage PaintRows();

    int Rebuilds = 0;
    bool Vertical = false;

    // TKvWaterfallRowOwner
    TJwLockSectionPtr RowsWriteLock() override { return Lock()->WriteLock(); }
    bool IsRowsHeld() override { return GetHold(); }
    void OldestRowLengthChanged(uint32_t ALength) override { FYAxis->SetSamples(ALength); }
    // TKvWaterfallAxisOwner
    double AxisSampleRate() override { return FRows.EffectiveSampleRate(); }
    uint32_t AxisSampleRateStamp() override { return FRows.GetSampleRateStamp(); }
    void HistoryDepthChanged(int32_t ASamples) override {
        FRows.SetSamples(static_cast<uint32_t>(ASamples));
    }
    void HistoryReversed() override { ++Rebuilds; }

    bool GetIsVertical() override { return Vertical; }
    TKvDisplayView* GetDataView() override { return FDataView.get(); }
    void ZoomBy(double XValue, double YValue, bool SaveHistory) override;
    void ZoomTo(double XMin, double XMax, double YMin, double YMax, bool SaveHistory) override;
    void ZoomToData(double XMin, double XMax, double YMin, double YMax, bool SaveHistory) override;
    double GetXMin() override { return FXAxis->GetCurrentMin(); }
    double GetXMax() override { return FXAxis->GetCurrentMax(); }
    double GetYMin() override { return FYAxis->GetCurrentMin(); }
    double GetYMax() override { return FYAxis->GetCurrentMax(); }
    IKvDisplayAxis* GetXAxis() override { return FXAxis.get(); }
    IKvDisplayAxis* GetYAxis() override { return FYAxis.get(); }
    int32_t GetAxisIndex(IKvDisplayAxis* AAxis) override { return AAxis == FXAxis.get() ? 0 : 1; }
    void ShowAxisProperties(int32_t) override {}

protected:
    ~TWaterfallDisplayHost() override;

    void FormatPointLabel(TPoint, const QString& ATemplate, QString& AText,
                          const TKvRealPoint&) override {
        AText = ATemplate;
    }
    bool UpdateData() override { return false; }
    void ResetDrawData() override { InvalidateRefresh(); }
    void GetPointLabelText(QString& AText) override { AText.clear(); }
    void DoZoom(TKvZoomOperation AOperation, bool ScaleUnits, double XMin, double XMax, double YMin,
                double YMax) override;
    void DoZoomOff() override;
    void DrawDisplay(TGmBasicBitmap& ABitmap, THxCanvas& ACanvas, bool APrinting,
                     const QRegion& AClipRegion, const TRect& ARect) override;
    void ApplyZoomList(const TKvAxisZoomList& AAxisList, bool Redo) override;
    TKvAxisZoomListPtr CaptureZoomList() override;

private:
    TJwCriticalSection FBufferSection;
    TOwned<TKvWaterfallYAxis> FYAxis;
    TOwned<TKvWaterfallXAxis> FXAxis;
    TOwned<TWaterfallDataView> FDataView;
    TKvWaterfallRowStore FRows;
};
