#include "waterfall/KvWaterfall.h"

#include <cmath>

#include "display/KvAxisScale.h"

TKvWaterfall::TKvWaterfall(TComponent* AOwner) : TKvBasicWaterfall(AOwner) {
    FRows = std::make_unique<TKvWaterfallRowStore>(*this, *FBufferSection);
    FRows->SetSamples(static_cast<uint32_t>(FXAxis->GetSamples()));
    FData = std::make_unique<TKvWaterfallData>(*this);
    {
        const TJwLockSectionPtr section = Lock()->WriteLock();
        FInput = std::make_unique<TKvWaterfallInput>(this, *FRows, TIntfPtr<IJwLock>(Lock()));
        FDataView.reset(new TKvWaterfallDataView(this, *this));
        FLevels.reset(new TKvWaterfallDisplayLevelView(
            this, [this] { return ImageLevelMin(); }, [this] { return ImageLevelMax(); },
            [this](int32_t X, int32_t Y) { return FDataView->GetIntValueAt(X, Y); }));
        FLevels->OnColorsChanged = [this](TPersistent*) { Changed(); };
        // the axes and the data view come last in layout and paint order
        Views().Reassign(FXAxis.get());
        Views().Reassign(FYAxis.get());
        Views().Reassign(FDataView.get());
    }
    FColorMap = FLevels->ColorMap();
}

TKvWaterfall::~TKvWaterfall() {
    if (!FStop)
        FStop = Lock()->StopLock();
    FInput.reset();
    {
        TJwCriticalSectionLock section(*FBufferSection);
        FRows->Close();
    }
    FDataView.reset();
    FLevels.reset();
    FData.reset();
    FRows.reset();
}

void TKvWaterfall::BeforeDestruction() {
    FStop = Lock()->StopLock();
    FRows->Close();
    FInput.reset();
    TKvBasicWaterfall::BeforeDestruction();
}

TKvJwComboRealIntMatrixSinkPin* TKvWaterfall::GetInputPin() const {
    return FInput ? FInput->Pin() : nullptr;
}

double TKvWaterfall::ToolTipZValue() const {
    return FDataView->ZValue();
}

// The row store

bool TKvWaterfall::IsRowsHeld() {
    return GetHold() || (FDataView && FDataView->ZoomDragging());
}

void TKvWaterfall::RowsRangeChanged() {
    if (FLevels)
        FLevels->MainViewScrolled(true);
}

void TKvWaterfall::OldestRowLengthChanged(uint32_t ALength) {
    FYAxis->SetSamples(ALength);
}

void TKvWaterfall::RowsCleared() {
    if (FDataView)
        FDataView->Image().SetOldBufferFill(0);
}

void TKvWaterfall::InvalidateRows() {
    InvalidateRefresh();
}

bool TKvWaterfall::UpdateData() {
    // Rows queued since the last tick ask for a render.
    const bool added = FRows->TakeBuffersAdded();
    FRows->UpdateData();
    return added;
}

// The axes

bool TKvWaterfall::AxisFrequencyDomain() {
    return FInput && FInput->GetFrequencyDomain();
}

bool TKvWaterfall::AxisIntensityDomain() {
    return FInput && FInput->GetIntensityDomain();
}

void TKvWaterfall::HistoryDepthChanged(int32_t ASamples) {
    if (!FRows)
        return;
    FRows->SetSamples(static_cast<uint32_t>(ASamples));
    InvalidateRefresh();
}

void TKvWaterfall::AllocateScreenBuffer() {
    if (!FDataView)
        return;
    TJwCriticalSectionLock section(*FBufferSection);
    FDataView->AllocateScreenBuffer();
}

// The image and the data view

double TKvWaterfall::ImageLevelMin() {
    const TKvLevelAxis* axis = FLevels->GetAxis();
    return FRows->GetLevelMin(axis->GetAutoscale(), axis->GetMin());
}

double TKvWaterfall::ImageLevelMax() {
    const TKvLevelAxis* axis = FLevels->GetAxis();
    return FRows->GetLevelMax(axis->GetAutoscale(), axis->GetMax());
}

bool TKvWaterfall::ImageLogarithmic() {
    return FLevels->LevelRange().Logarithmic();
}

void TKvWaterfall::ImageMapRow(const double* AValues, uint32_t* APixels, std::size_t ACount,
                               const TKvLevelRange& ARange) {
    FColorMap.MapRow(AValues, APixels, ACount, ARange);
}

TKvWaterfallWindow TKvWaterfall::ImageWindow() {
    const TKvAxisRange rows = FXAxis->RowWindow();
    const TKvAxisRange samples = FYAxis->SampleWindow();
    return {rows.Min, rows.Max, samples.Min, samples.Max};
}

void TKvWaterfall::ImageScrolled() {
    FLevels->MainViewScrolled(false);
}

void TKvWaterfall::ImageRowsLeft(int32_t ACount) {
    FMarkerGroups->ShiftRelativeMarkers(ACount);
}

TKvWaterfallWindow TKvWaterfall::ViewZoomedScale() {
    const TKvAxisRange x = FXAxis->ScaleRealZoomed();
    const TKvAxisRange y = FYAxis->ScaleRealZoomed();
    return {x.Min, x.Max, y.Min, y.Max};
}

void TKvWaterfall::ViewPrepareDrag() {}

void TKvWaterfall::ViewPan(int32_t ADX, int32_t ADY) {
    // The picture follows the mouse: a drag of d pixels along an axis moves
    // its zoomed window back by d view lengths' share of its width, measured
    // from where the window is now (the view reports each move's own
    // displacement), and keeps the width.
    const TRect view = FDataView->DrawRect();
    const auto pan = [&](TKvDisplayAxis& AAxis) {
        if (!AAxis.GetZoomed())
            return;
        int32_t along = 0;
        int32_t length = view.Width();
        switch (AAxis.GetValueDirection()) {
        case 0:
            along = ADX;
            break;
        case 1:
            along = -ADX;
            break;
        case 2:
            along = -ADY;
            length = view.Height();
            break;
        default:
            along = ADY;
            length = view.Height();
            break;
        }
        if (along == 0 || length <= 0)
            return;
        const TKvAxisRange zoomed{AAxis.GetZoomMin(), AAxis.GetZoomMax()};
        const TKvAxisRange moved = KvPanBy(zoomed, KvPanShift(zoomed, along, length), false,
                                           AAxis.ScaleTickFull(), TKvZoomLimits{});
        // Axes linked through their zoom pins follow each move.
        AAxis.RestoreZoom(moved.Min, moved.Max, true, zoMousePan);
    };
    pan(*FXAxis);
    pan(*FYAxis);
}

void TKvWaterfall::ViewTrackCursor() {
    if (FXAxis->GetTrackCursor() || FYAxis->GetTrackCursor())
        InvalidateRefresh();
}

void TKvWaterfall::DirectDraw(TGmBasicBitmap& ABitmap) {
    FColorMap = FLevels->ColorMap();
    FDataView->DirectDraw(ABitmap);
}

void TKvWaterfall::RefreshHighlighting() {
    if (!FDataView)
        return;
    const TPoint mouse = FDataView->CurrentMousePoint();
    const TRect view = FDataView->DrawRect();
    const bool inside = mouse.X >= view.Left && mouse.X < view.Right && mouse.Y >= view.Top &&
                        mouse.Y < view.Bottom;
    if (FMarkerGroups->RefreshHighlighting(inside, mouse.X, mouse.Y))
        InvalidateRefresh();
    // A point outside the view clears the highlight.
    if (!FDataView->UpdateMouseValue())
        return;
    QString text;
    GetPointLabelText(text);
    SetToolTipText(text);
}

bool TKvWaterfall::HighlightedPoint(TPoint& APoint, double& AValue) {
    if (!FDataView || !FDataView->IsHighlighted())
        return false;
    APoint = FDataView->HighlightedPoint();
    AValue = FDataView->CurrentMouseValue();
    return true;
}

TColor TKvWaterfall::LevelColor(double AValue) {
    const TKvLevelRange range = FLevels->LevelRange();
    const TKvLevelRange::TArgs args = range.Reduce(AValue);
    return FLevels->ValueToColor(args.AValue, args.MaxValue);
}

void TKvWaterfall::ResetDrawData() {
    RefreshHighlighting();
    InvalidateRefresh();
}

void TKvWaterfall::MouseLeaveDisplay() {
    TKvBasicWaterfall::MouseLeaveDisplay();
    if (FMarkerGroups)
        FMarkerGroups->ClearHighlighting();
    FDataView->SetCurrentMousePoint(TPoint{-10000, FDataView->CurrentMousePoint().Y});
    RefreshHighlighting();
    InvalidateRefresh();
}

double TKvWaterfall::LevelValueAt(int32_t X, int32_t Y) {
    // Labels ask for points other than the mouse's; the mouse's own lookup
    // (UpdateMouseValue) came first.
    return FDataView->GetPointValueAt(X, Y);
}

// The Data object

bool TKvWaterfall::QueueInputBuffer(const TKvRealBufferPtr& ARow, bool AOwned) {
    return AOwned ? FRows->QueueNewBuffer(ARow) : FRows->QueueInputBuffer(ARow);
}

bool TKvWaterfall::SetBufferAt(uint32_t AIndex, const TKvRealBufferPtr& ARow) {
    return FRows->SetBufferAt(AIndex, ARow);
}

void TKvWaterfall::SetSampleRate(double AValue) {
    FRows->SetSampleRate(AValue);
    InvalidateRefresh();
}
