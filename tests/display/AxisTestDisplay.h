#pragma once
// A display with real axes for the axis tests: a Y axis on the left whose
// data range is Min.DataValue..Max.DataValue, an X axis at the bottom over
// 0..Samples (or Max.DataValue), and a data view filling the rest in the
// display's colour. Vertical turns the display a quarter.

#include "display/KvBasicDisplayAxes.h"
#include "display/KvScope.h"

#include "PlainTestDisplay.h"

#include <vector>

class TAxisTestYAxis : public TKvBasicDisplayYAxis {
    Q_OBJECT
public:
    explicit TAxisTestYAxis(TKvDataDisplay* ADisplay) : TKvBasicDisplayYAxis(ADisplay) {}
    double GetDataFullMax() override { return FMax->GetDataValue(); }
    TKvScaleMode GetScaleMode() const override { return Mode; }

    TKvScaleMode Mode = smLinear;

protected:
    ~TAxisTestYAxis() override = default;
};

class TAxisTestXAxis : public TKvBasicDisplayXAxis {
    Q_OBJECT
public:
    explicit TAxisTestXAxis(TKvDataDisplay* ADisplay) : TKvBasicDisplayXAxis(ADisplay) {}
    double GetDataFullMax() override { return GetSamplesMax(); }
    TKvScaleMode GetScaleMode() const override { return Mode; }

    TKvScaleMode Mode = smLinear;

protected:
    ~TAxisTestXAxis() override = default;
};

class TAxisTestDisplay : public TPlainTestDisplay {
    Q_OBJECT
    Q_PROPERTY(TAxisTestXAxis* XAxis READ GetXAxisObject)
    Q_PROPERTY(TAxisTestYAxis* YAxis READ GetYAxisObject)
public:
    explicit TAxisTestDisplay(TComponent* AOwner);

    using TKvDataDisplay::ZoomBy;
    using TKvDataDisplay::ZoomTo;
    using TKvDataDisplay::ZoomToData;

    TAxisTestXAxis* GetXAxisObject() const { return FXAxis.get(); }
    TAxisTestYAxis* GetYAxisObject() const { return FYAxis.get(); }
    TAxisTestXAxis& X() { return *FXAxis; }
    TAxisTestYAxis& Y() { return *FYAxis; }
    void Layout() { CalculateLayout(); }
    QImage Render(bool APrinting = false) { return RenderImage(APrinting); }

    bool Vertical = false;
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
    void ShowAxisProperties(int32_t AAxisIndex) override { ShownAxes.push_back(AAxisIndex); }

    std::vector<int32_t> ShownAxes;

protected:
    ~TAxisTestDisplay() override;

    void DoZoom(TKvZoomOperation AOperation, bool ScaleUnits, double XMin, double XMax, double YMin,
                double YMax) override;
    void DoZoomOff() override;
    void DrawDisplay(TGmBasicBitmap& ABitmap, THxCanvas& ACanvas, bool APrinting,
                     const QRegion& AClipRegion, const TRect& ARect) override;
    void ApplyZoomList(const TKvAxisZoomList& AAxisList, bool Redo) override;
    TKvAxisZoomListPtr CaptureZoomList() override;

private:
    TOwned<TAxisTestYAxis> FYAxis;
    TOwned<TAxisTestXAxis> FXAxis;
    TOwned<TFillDataView> FDataView;
};
