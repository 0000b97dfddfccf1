#pragma once
// The waterfall control: a data display whose plot is the colour image of
// a row history. Rows come from any thread through Data or the input pin
// and show after the next refresh tick.
//
//     auto* waterfall = new TKvWaterfall(nullptr);
//     layout->addWidget(waterfall->Widget());
//     waterfall->Data().AddData(values, count);   // any thread

#include "waterfall/KvBasicWaterfall.h"
#include "waterfall/KvLevelDisplay.h"
#include "waterfall/KvWaterfallData.h"
#include "waterfall/KvWaterfallDataView.h"
#include "waterfall/KvWaterfallInput.h"
#include "waterfall/KvWaterfallRows.h"

class TKvWaterfall : public TKvBasicWaterfall,
                     public TKvWaterfallRowOwner,
                     public TKvWaterfallAxisOwner,
                     public TKvWaterfallViewOwner,
                     public TKvWaterfallDataTarget {
    Q_OBJECT
    Q_PROPERTY(TKvJwComboRealIntMatrixSinkPin* InputPin READ GetInputPin)
    Q_PROPERTY(TKvWaterfallDisplayLevelView* Levels READ GetLevels WRITE SetLevels)
    Q_PROPERTY(bool _Levels READ ExpanderEntry STORED false)
public:
    explicit TKvWaterfall(TComponent* AOwner);

    TKvJwComboRealIntMatrixSinkPin* GetInputPin() const;
    TKvWaterfallDisplayLevelView* GetLevels() const { return FLevels.get(); }
    void SetLevels(TKvWaterfallDisplayLevelView* AValue) { FLevels->Assign(AValue); }
    TKvWaterfallData& Data() { return *FData; }
    TKvWaterfallDataView* DataView() const { return FDataView.get(); }
    // The value the tooltip last showed.
    double ToolTipZValue() const;

    TKvDisplayView* GetDataView() override { return FDataView.get(); }
    void ResetDrawData() override;

    // TKvWaterfallRowOwner
    TJwLockSectionPtr RowsWriteLock() override { return Lock()->WriteLock(); }
    bool IsRowsHeld() override;
    void RowsRangeChanged() override;
    void OldestRowLengthChanged(uint32_t ALength) override;
    void RowsCleared() override;
    void InvalidateRows() override;
    // TKvWaterfallAxisOwner
    double AxisSampleRate() override { return FRows->EffectiveSampleRate(); }
    uint32_t AxisSampleRateStamp() override { return FRows->GetSampleRateStamp(); }
    bool AxisFrequencyDomain() override;
    bool AxisIntensityDomain() override;
    void HistoryDepthChanged(int32_t ASamples) override;
    void HistoryReversed() override { GeometryChanged(); }
    // TKvWaterfallViewOwner
    TKvWaterfallRowStore& ImageRows() override { return *FRows; }
    double ImageLevelMin() override;
    double ImageLevelMax() override;
    bool ImageLogarithmic() override;
    void ImageMapRow(const double* AValues, uint32_t* APixels, std::size_t ACount,
                     const TKvLevelRange& ARange) override;
    bool ImageVertical() override { return FVertical; }
    bool ImageReversed() override { return FXAxis->GetReversed(); }
    TColor ImageBackground() override { return Color(); }
    TKvWaterfallWindow ImageWindow() override;
    void ImageScrolled() override;
    void ImageRowsLeft(int32_t ACount) override;
    double ViewValueToRow(double AValue) override { return FXAxis->ValueToRow(AValue); }
    double ViewValueToSample(double AValue) override { return FYAxis->ValueToSample(AValue); }
    TKvWaterfallWindow ViewZoomedScale() override;
    void ViewPrepareDrag() override;
    void ViewPan(int32_t ADX, int32_t ADY) override;
    void ViewTrackCursor() override;
    void ViewRefreshHighlighting() override { RefreshHighlighting(); }
    // TKvWaterfallDataTarget
    bool QueueInputBuffer(const TKvRealBufferPtr& ARow, bool AOwned) override;
    bool SetBufferAt(uint32_t AIndex, const TKvRealBufferPtr& ARow) override;
    TKvRealBufferArray GetBuffers() override { return FRows->GetBuffers(); }
    TKvRealBufferArray GetDrawBuffers() override { return FRows->GetDrawBuffers(); }
    void ClearBuffers() override { FRows->ClearBuffers(); }
    double GetSampleRate() override { return FRows->GetSampleRate(); }
    void SetSampleRate(double AValue) override;

protected:
    ~TKvWaterfall() override;
    void BeforeDestruction() override;
    bool UpdateData() override;
    void MouseLeaveDisplay() override;

    double EffectiveSampleRate() override { return FRows->EffectiveSampleRate(); }
    void DirectDraw(TGmBasicBitmap& ABitmap) override;
    void RefreshHighlighting() override;
    void ProcessInputBuffers() override { FRows->ProcessInputBuffers(); }
    bool HistoryEmpty() override { return FRows->GetRowCount() == 0; }
    bool GetBuffersChanged() override { return FRows->GetBuffersChanged(); }
    void SetBuffersChanged(bool AValue) override { FRows->SetBuffersChanged(AValue); }
    void SetForcedFullRedraw() override { FRows->SetForcedFullRedraw(true); }
    void AllocateScreenBuffer() override;
    double LevelValueAt(int32_t X, int32_t Y) override;
    QString LevelTickText(double AValue) override { return FLevels->GetTickText(AValue); }
    bool HighlightedPoint(TPoint& APoint, double& AValue) override;
    TColor LevelColor(double AValue) override;

private:
    std::unique_ptr<TKvWaterfallRowStore> FRows;
    std::unique_ptr<TKvWaterfallData> FData;
    std::unique_ptr<TKvWaterfallInput> FInput;
    TOwned<TKvWaterfallDataView> FDataView;
    TOwned<TKvWaterfallDisplayLevelView> FLevels;
    // The level colours as of the last paint, for whole rows.
    TKvLevelColorMap FColorMap;
    TJwLockSectionPtr FStop;
};
