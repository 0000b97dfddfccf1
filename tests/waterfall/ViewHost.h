#pragma once
// A data display whose only view is the waterfall's data view, with a row
// store and a zoom window in rows and samples (its axis values are rows and
// samples themselves). Its paint pass is the waterfall's as far as the data
// view goes: fill with the display colour, move the rows on, draw the image.

#include <vector>

#include "WaterfallHost.h"
#include "display/KvScope.h"
#include "waterfall/KvWaterfallDataView.h"

class TViewDisplay : public TKvDataDisplay, public TKvWaterfallViewOwner {
public:
    explicit TViewDisplay(TComponent* AOwner, uint32_t ADepth)
        : TKvDataDisplay(AOwner), Host(ADepth), View(new TKvWaterfallDataView(this, *this)) {}

    TWaterfallHost Host;
    TOwned<TKvWaterfallDataView> View;
    TKvLevelColorMap Colors;
    bool Vertical = false;
    bool Reversed = false;
    // The zoom window; unzoomed it is the whole history.
    bool Zoomed = false;
    TKvWaterfallWindow Window;
    std::vector<std::pair<int32_t, int32_t>> Pans;
    int Drags = 0;
    std::vector<TKvRealRanges> Notified;

    void AddRow(const std::vector<double>& AValues) {
        Host.Data().AddData(AValues.data(), static_cast<uint32_t>(AValues.size()));
    }
    TKvWaterfallWindow Full() {
        return {0, double(Host.Rows().GetSamples()) - 1, 0,
                double(Host.Rows().GetOldestRowLength()) - 1};
    }

    // TKvDataDisplay
    TKvDisplayView* GetDataView() override { return View.get(); }
    bool GetIsVertical() override { return Vertical; }
    void ZoomBy(double, double, bool) override {}
    void ZoomTo(double XMin, double XMax, double YMin, double YMax, bool SaveHistory) override {
        if (SaveHistory)
            SaveZoomHistory(false);
        DoZoom(zoZoom, true, XMin, XMax, YMin, YMax);
    }
    void ZoomToData(double XMin, double XMax, double YMin, double YMax, bool SaveHistory) override {
        ZoomTo(XMin, XMax, YMin, YMax, SaveHistory);
    }
    double GetXMin() override { return ImageWindow().XMin; }
    double GetXMax() override { return ImageWindow().XMax; }
    double GetYMin() override { return ImageWindow().YMin; }
    double GetYMax() override { return ImageWindow().YMax; }
    IKvDisplayAxis* GetXAxis() override { return nullptr; }
    IKvDisplayAxis* GetYAxis() override { return nullptr; }

    // TKvWaterfallViewOwner
    TKvWaterfallRowStore& ImageRows() override { return Host.Rows(); }
    double ImageLevelMin() override { return Host.Rows().GetLevelMin(false, 0); }
    double ImageLevelMax() override { return Host.Rows().GetLevelMax(false, 1408); }
    bool ImageLogarithmic() override { return false; }
    void ImageMapRow(const double* AValues, uint32_t* APixels, std::size_t ACount,
                     const TKvLevelRange& ARange) override {
        Colors.MapRow(AValues, APixels, ACount, ARange);
    }
    bool ImageVertical() override { return Vertical; }
    bool ImageReversed() override { return Reversed; }
    TColor ImageBackground() override { return Color(); }
    TKvWaterfallWindow ImageWindow() override { return Zoomed ? Window : Full(); }
    double ViewValueToRow(double AValue) override { return AValue; }
    double ViewValueToSample(double AValue) override { return AValue; }
    TKvWaterfallWindow ViewZoomedScale() override { return ImageWindow(); }
    void ViewPrepareDrag() override { ++Drags; }
    void ViewPan(int32_t ADX, int32_t ADY) override { Pans.emplace_back(ADX, ADY); }

protected:
    ~TViewDisplay() override { View.reset(); }

    void FormatPointLabel(TPoint, const QString& ATemplate, QString& AText,
                          const TKvRealPoint&) override {
        AText = ATemplate;
    }
    bool UpdateData() override { return false; }
    void ResetDrawData() override { InvalidateRefresh(); }
    void GetPointLabelText(QString& AText) override { AText.clear(); }
    void DoZoom(TKvZoomOperation AOperation, bool, double XMin, double XMax, double YMin,
                double YMax) override {
        const TKvRealRanges Old = CurrentRanges();
        Zoomed = true;
        Window = {XMin, XMax, YMin, YMax};
        DoZoomChanged(Old, AOperation);
        Notified.push_back(Old);
    }
    void DoZoomOff() override { Zoomed = false; }
    void DrawDisplay(TGmBasicBitmap& ABitmap, THxCanvas& ACanvas, bool, const QRegion&,
                     const TRect& ARect) override {
        if (NeedsRecalc()) {
            CalculateLayout();
            ClearNeedsRecalc();
        }
        ACanvas.GetBrush().SetStyle(lbsSolid);
        ACanvas.GetBrush().SetColor(Color());
        ACanvas.FillRect(ARect);
        Host.Paint();
        if (Host.Rows().GetRowCount() > 0 && !View->DrawRect().IsEmpty())
            View->DirectDraw(ABitmap);
    }
    void ApplyZoomList(const TKvAxisZoomList&, bool) override {}
    TKvAxisZoomListPtr CaptureZoomList() override { return std::make_unique<TKvAxisZoomList>(); }
};
