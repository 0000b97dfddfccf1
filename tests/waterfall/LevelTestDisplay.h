#pragma once
// A display holding a waterfall level view beside a plain data view: the
// level functions are the test's (Min, Max and a value under each pixel),
// the data view draws nothing, and a colour channel click is recorded.

#include "../display/PlainTestDisplay.h"
#include "waterfall/KvLevelDisplay.h"

#include <functional>

class TLevelTestDisplay : public TPlainTestDisplay {
    Q_OBJECT
    Q_PROPERTY(TKvWaterfallDisplayLevelView* Levels READ GetLevels WRITE SetLevels)
public:
    explicit TLevelTestDisplay(TComponent* AOwner);

    TKvWaterfallDisplayLevelView* GetLevels() const { return FLevels.get(); }
    void SetLevels(TKvWaterfallDisplayLevelView* AValue) { FLevels->Assign(AValue); }

    std::unique_ptr<TGmBasicBitmap> Render() { return RenderBitmap(); }
    // The pixel of the last Render, as a stored colour.
    static TColor ColorAt(const TGmBasicBitmap& ABitmap, int32_t X, int32_t Y);
    void Leave() { MouseLeaveDisplay(); }

    double Min = 0.0;
    double Max = 1000.0;
    std::function<double(int32_t, int32_t)> ValueAt = [](int32_t, int32_t) { return 0.0; };
    std::vector<int32_t> ChannelClicks;

    TKvDisplayView* GetDataView() override { return FDataView.get(); }
    int32_t GetColorChannelIndex(TKvDisplayView*) override { return 7; }
    void DoColorChannelClick(int32_t AItemIndex) override { ChannelClicks.push_back(AItemIndex); }
    void ZoomBy(double, double, bool) override {}
    void ZoomTo(double, double, double, double, bool) override {}
    void ZoomToData(double, double, double, double, bool) override {}
    double GetXMin() override { return 0.0; }
    double GetXMax() override { return 1.0; }
    double GetYMin() override { return 0.0; }
    double GetYMax() override { return 1.0; }
    IKvDisplayAxis* GetXAxis() override { return nullptr; }
    IKvDisplayAxis* GetYAxis() override { return nullptr; }

protected:
    ~TLevelTestDisplay() override;

    void DoZoom(TKvZoomOperation, bool, double, double, double, double) override {}
    void DoZoomOff() override {}
    void DrawDisplay(TGmBasicBitmap& ABitmap, THxCanvas& ACanvas, bool APrinting,
                     const QRegion& AClipRegion, const TRect& ARect) override;
    void ApplyZoomList(const TKvAxisZoomList&, bool) override {}
    TKvAxisZoomListPtr CaptureZoomList() override { return std::make_unique<TKvAxisZoomList>(); }

private:
    // The level view first, so that the data view is laid inside it.
    TOwned<TKvWaterfallDisplayLevelView> FLevels;
    TOwned<TFillDataView> FDataView;
};
