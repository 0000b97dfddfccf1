#include "waterfall/KvBasicWaterfall.h"

#include "foundation/HxCanvas.h"
#include "platform/FreeGuard.h"
#include "platform/UiThread.h"

#include <QScopeGuard>

TKvWaterfallMarkerGroupsLegendGroup::TKvWaterfallMarkerGroupsLegendGroup(
    TKvLegendView* AOwner, TKvWaterfallMarkerGroups* AMarkerGroups)
    : TKvLegendGroup(AOwner, QStringLiteral("Marker Groups"), AMarkerGroups) {}

void TKvWaterfallMarkerGroupsLegendGroup::SetItemHighlighted(int32_t AIndex, bool AState) {
    // Only the item under the mouse speaks: one group is highlighted from
    // outside at a time, and switching it off switches off any.
    TKvDisplayCollection* groups = LegendCollection();
    if (!groups || AIndex < 0 || AIndex >= groups->Count())
        return;
    static_cast<TKvWaterfallMarkerGroup*>(groups->Items(AIndex))->SetExternalHighlight(AState);
}

TKvWaterfallMarkerGroupsLegendGroup::~TKvWaterfallMarkerGroupsLegendGroup() = default;

TKvWaterfallLegendView::TKvWaterfallLegendView(TKvDataDisplay* ADisplay,
                                               TKvWaterfallMarkerGroups* AMarkerGroups)
    : TKvLegendView(ADisplay) {
    FMarkerGroups.reset(new TKvWaterfallMarkerGroupsLegendGroup(this, AMarkerGroups));
    AddGroup(FMarkerGroups.get());
}

TKvWaterfallLegendView::~TKvWaterfallLegendView() {
    RemoveGroup(FMarkerGroups.get());
    FMarkerGroups.reset();
}

void TKvWaterfallLegendView::SetMarkerGroups(TKvWaterfallMarkerGroupsLegendGroup* AValue) {
    FMarkerGroups->Assign(AValue);
}

TKvWaterfallHighlighting::TKvWaterfallHighlighting(TKvDataDisplay* ADisplay)
    : TKvDisplayPersistent(ADisplay) {
    FMarkers.reset(new TKvDisplayItemHighlighting(ADisplay));
    FMouseHitPoint.reset(new TKvChannelMouseHitPoint(ADisplay));
}

TKvWaterfallHighlighting::~TKvWaterfallHighlighting() {
    FMouseHitPoint.reset();
    FMarkers.reset();
}

void TKvWaterfallHighlighting::SetMarkers(TKvDisplayItemHighlighting* AValue) {
    FMarkers->Assign(AValue);
    Display()->ResetDrawData();
}

void TKvWaterfallHighlighting::SetMouseHitPoint(TKvChannelMouseHitPoint* AValue) {
    FMouseHitPoint->Assign(AValue);
    Display()->ResetDrawData();
}

TKvBasicWaterfall::TKvBasicWaterfall(TComponent* AOwner)
    : TKvDataDisplay(AOwner), FBufferSection(std::make_unique<TJwCriticalSection>()) {
    FMarkerGroups.reset(new TKvWaterfallMarkerGroups(this));
    FTitle.reset(new TKvDisplayTitle(this));
    FTitle->SetText(QStringLiteral("Waterfall"));
    FLegend.reset(new TKvWaterfallLegendView(this, FMarkerGroups.get()));
    FXAxis.reset(new TKvWaterfallXAxis(this));
    FYAxis.reset(new TKvWaterfallYAxis(this));
    FHighlighting.reset(new TKvWaterfallHighlighting(this));
}

TKvBasicWaterfall::~TKvBasicWaterfall() {
    // The derived control stopped the lock already; whatever still runs
    // into it is refused.
    FMarkerGroups.reset();
    FHighlighting.reset();
    FXAxis.reset();
    FYAxis.reset();
    FTitle.reset();
    FLegend.reset();
    FBufferSection.reset();
}

bool TKvBasicWaterfall::GetVertical() const {
    const TJwLockSectionPtr section = Lock()->ReadLock();
    return FVertical;
}

void TKvBasicWaterfall::SetVertical(bool AValue) {
    {
        const TJwLockSectionPtr section = Lock()->WriteLock();
        if (!section || AValue == FVertical)
            return;
        FVertical = AValue;
    }
    InvalidateLayout();
    GeometryChanged();
}

void TKvBasicWaterfall::Print() {
    // Freed from a handler while printing, the control goes once Hold is back.
    const TFreeGuard stay(this);
    const bool held = GetHold();
    SetHold(true);
    const auto restore = qScopeGuard([this, held] { SetHold(held); });
    TKvDataDisplay::Print();
}

void TKvBasicWaterfall::Print(QPrinter& APrinter) {
    // Freed from a handler while printing, the control goes once Hold is back.
    const TFreeGuard stay(this);
    const bool held = GetHold();
    SetHold(true);
    const auto restore = qScopeGuard([this, held] { SetHold(held); });
    TKvDataDisplay::Print(APrinter);
}

void TKvBasicWaterfall::ZoomAxes(bool ScaleUnits, double XMin, double XMax, double YMin,
                                 double YMax) {
    if (ScaleUnits) {
        FXAxis->ZoomTo(XMin, XMax, false);
        FYAxis->ZoomTo(YMin, YMax, false);
    } else {
        FXAxis->ZoomToData(XMin, XMax, false);
        FYAxis->ZoomToData(YMin, YMax, false);
    }
}

void TKvBasicWaterfall::ZoomTo(double XMin, double XMax, double YMin, double YMax,
                               bool SaveHistory) {
    ZoomAxesAsUser(true, XMin, XMax, YMin, YMax, SaveHistory);
}

void TKvBasicWaterfall::ZoomToData(double XMin, double XMax, double YMin, double YMax,
                                   bool SaveHistory) {
    ZoomAxesAsUser(false, XMin, XMax, YMin, YMax, SaveHistory);
}

void TKvBasicWaterfall::ZoomAxesAsUser(bool ScaleUnits, double XMin, double XMax, double YMin,
                                       double YMax, bool SaveHistory) {
    const TJwLockSectionPtr section = Lock()->WriteLock();
    if (!section)
        return;
    if (SaveHistory)
        SaveZoomHistory(false);
    const TKvRealRanges old = CurrentRanges();
    if (GetZooming()->GetHoldOnZoom())
        SetHold(true);
    ZoomAxes(ScaleUnits, XMin, XMax, YMin, YMax);
    InvalidateRefresh();
    DoZoomChanged(old, zoZoom);
}

void TKvBasicWaterfall::ZoomBy(double XValue, double YValue, bool SaveHistory) {
    const TJwLockSectionPtr section = Lock()->WriteLock();
    if (!section)
        return;
    if (SaveHistory)
        SaveZoomHistory(false);
    FYAxis->ZoomBy(YValue, false);
    FXAxis->ZoomBy(XValue, false);
    InvalidateRefresh();
}

void TKvBasicWaterfall::DoZoom(TKvZoomOperation, bool ScaleUnits, double XMin, double XMax,
                               double YMin, double YMax) {
    ZoomAxes(ScaleUnits, XMin, XMax, YMin, YMax);
    InvalidateRefresh();
}

void TKvBasicWaterfall::DoZoomOff() {
    // linked axes unzoom with these
    FXAxis->ZoomOffAndNotify();
    FYAxis->ZoomOffAndNotify();
    InvalidateRefresh();
}

bool TKvBasicWaterfall::GetCanZoomOut() {
    return (FXAxis->GetZoomed() && FXAxis->GetCanZoomOut()) ||
           (FYAxis->GetZoomed() && FYAxis->GetCanZoomOut());
}

double TKvBasicWaterfall::GetXMin() {
    return FXAxis->GetZoomed() ? FXAxis->GetZoomMin() : FXAxis->GetCurrentMin();
}

double TKvBasicWaterfall::GetXMax() {
    return FXAxis->GetZoomed() ? FXAxis->GetZoomMax() : FXAxis->GetCurrentMax();
}

double TKvBasicWaterfall::GetYMin() {
    return FYAxis->GetZoomed() ? FYAxis->GetZoomMin() : FYAxis->GetCurrentMin();
}

double TKvBasicWaterfall::GetYMax() {
    return FYAxis->GetZoomed() ? FYAxis->GetZoomMax() : FYAxis->GetCurrentMax();
}

int32_t TKvBasicWaterfall::GetAxisIndex(IKvDisplayAxis* AAxis) {
    return AAxis == static_cast<IKvDisplayAxis*>(FXAxis.get()) ? 0 : 1;
}

void TKvBasicWaterfall::ApplyZoomList(const TKvAxisZoomList& AAxisList, bool Redo) {
    for (int32_t i = 0; i < AAxisList.Count(); ++i) {
        const TKvAxisZoomListItem& item = AAxisList.Items(i);
        if (item.Axis == static_cast<IKvDisplayAxis*>(FXAxis.get()))
            FXAxis->RestoreZoom(item.Min, item.Max, item.Zoomed, Redo ? zoRedo : zoUndo);
        else if (item.Axis == static_cast<IKvDisplayAxis*>(FYAxis.get()))
            FYAxis->RestoreZoom(item.Min, item.Max, item.Zoomed, Redo ? zoRedo : zoUndo);
    }
    InvalidateRefresh();
}

TKvAxisZoomListPtr TKvBasicWaterfall::CaptureZoomList() {
    auto list = std::make_unique<TKvAxisZoomList>();
    list->Add(FXAxis.get());
    list->Add(FYAxis.get());
    return list;
}

void TKvBasicWaterfall::Changed() {
    SetForcedFullRedraw();
    InvalidateRefresh();
}

void TKvBasicWaterfall::GeometryChanged() {
    AllocateScreenBuffer();
    InvalidateRefresh();
}

void TKvBasicWaterfall::MarkerGroupsPresent(bool& APresent) {
    APresent = FMarkerGroups && FMarkerGroups->Count() > 0;
}

int32_t TKvBasicWaterfall::LevelsPageIndex() const {
    bool present = false;
    const_cast<TKvBasicWaterfall*>(this)->MarkerGroupsPresent(present);
    return present ? 2 : 1;
}

namespace {
TKvWaterfallPropertiesDialogFactory& DialogFactory() {
    static TKvWaterfallPropertiesDialogFactory factory;
    return factory;
}
} // namespace

void TKvBasicWaterfall::SetPropertiesDialogFactory(TKvWaterfallPropertiesDialogFactory AFactory) {
    KV_ASSERT_UI_THREAD();
    DialogFactory() = std::move(AFactory);
}

const TKvWaterfallPropertiesDialogFactory& TKvBasicWaterfall::PropertiesDialogFactory() {
    return DialogFactory();
}

void TKvBasicWaterfall::DoColorChannelClick(int32_t AItemIndex) {
    // The dialog moves the page down itself when it has no marker groups
    // page; lowering it here as well would open the axes.
    ShowProperties(LevelsPage, AItemIndex);
}

void TKvBasicWaterfall::ShowProperties(int32_t APage, int32_t AItem) {
    KV_ASSERT_UI_THREAD();
    // The dialog takes the mouse: no button stays pressed behind it and
    // nothing it pointed at stays lit. (The toolbar stays, or the setup
    // button could not be reached again.)
    GetToolBar()->Hide();
    MouseLeaveDisplay();
    const TKvWaterfallPropertiesDialogFactory factory = DialogFactory();
    if (!factory)
        return;
    std::unique_ptr<IKvWaterfallPropertiesDialog> dialog = factory(*this, APage, AItem);
    if (!dialog)
        return;
    dialog->MoveTo(ClientToScreen(Point(Width() - dialog->DialogWidth() - 20, 20)));
    dialog->ShowModal();
}

void TKvBasicWaterfall::ShowAxisProperties(int32_t AAxisIndex) {
    ShowProperties(AxesPage, AAxisIndex);
}

QString TKvBasicWaterfall::ExpandPointLabel(const QString& AFormat, double AX, double AY,
                                            double AZ) {
    QString result;
    const qsizetype n = AFormat.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = AFormat[i];
        if (c != u'%') {
            result += c;
            continue;
        }
        if (i + 1 >= n)
            break;
        switch (AFormat[++i].toUpper().unicode()) {
        case u'%':
            result += u'%';
            break;
        case u'D':
            result += ExpandPointLabel(DefaultPointLabel, AX, AY, AZ);
            break;
        case u'X':
            result += FXAxis->GetTickText(AX);
            break;
        case u'Y':
            result += FYAxis->GetTickText(AY);
            break;
        case u'Z':
            result += LevelTickText(AZ);
            break;
        default:
            break;
        }
    }
    return result;
}

void TKvBasicWaterfall::FormatPointLabel(TPoint AMousePoint, const QString& ATemplate,
                                         QString& AText, const TKvRealPoint& AValue) {
    const double z = LevelValueAt(AMousePoint.X, AMousePoint.Y);
    AText = ExpandPointLabel(ATemplate.isEmpty() ? DefaultPointLabel : ATemplate, AValue.X,
                             AValue.Y, z);
}

void TKvBasicWaterfall::GetPointLabelText(QString& AText) {
    AText.clear();
    TPoint p;
    double z = 0;
    if (!HighlightedPoint(p, z))
        return;
    TKvRealPoint value;
    GetAxisValueAt(p.X, p.Y, value.X, value.Y);
    FormatPointLabel(p, FHighlighting->GetMouseHitPoint()->GetPointLabel()->GetText(), AText,
                     value);
}

void TKvBasicWaterfall::DrawHighlightedPoint(THxCanvas& ACanvas) {
    TKvChannelMouseHitPoint& hit = *FHighlighting->GetMouseHitPoint();
    TPoint p;
    double z = 0;
    if (!hit.GetEnabled() || !HighlightedPoint(p, z))
        return;
    ACanvas.GetBrush().SetStyle(lbsSolid);
    ACanvas.GetBrush().SetColor(Color());
    ACanvas.GetPen().SetStyle(lpsSolid);
    ACanvas.GetPen().SetColor(hit.GetUseChannelColor() ? LevelColor(z) : hit.GetColor());
    DrawHitPointLabel(ACanvas, p, hit);
}

void TKvBasicWaterfall::DrawDisplay(TGmBasicBitmap& ABitmap, THxCanvas& ACanvas, bool APrinting,
                                    const QRegion& AClipRegion, const TRect&) {
    try {
        // New rows may change the value axis (a new row length), so they
        // are taken in before the layout: one paint shows the settled picture.
        ProcessInputBuffers();
        if (NeedsRecalc()) {
            CalculateLayout();
            ClearNeedsRecalc();
        }
        ACanvas.GetBrush().SetStyle(lbsSolid);
        ACanvas.GetBrush().SetColor(Color());
        ACanvas.GetPen().SetStyle(lpsSolid);
        ACanvas.GetPen().SetColor(clWhite);
        ACanvas.SetFontColor(clWhite);
        ACanvas.FillRect(Rect(0, 0, PlotWidth(), PlotHeight()));
        const bool vertical = GetIsVertical();
        const TKvDisplayViews& views = Views();
        for (int32_t i = 0; i < views.Count(); ++i) {
            TKvDisplayView* view = views[i];
            if (!view->IsVisible())
                continue;
            const TRect r = view->DrawRect();
            if (!r.IsEmpty() && AClipRegion.intersects(r.ToQRect()))
                view->Draw(ddpFeatures, &ACanvas, vertical, APrinting);
            else
                view->DrawEx(ddpFeatures, &ACanvas, vertical);
        }
        TKvDisplayView* data = GetDataView();
        const TRect dataRect = data ? data->DrawRect() : TRect{};
        if (!HistoryEmpty() && !dataRect.IsEmpty() && AClipRegion.intersects(dataRect.ToQRect())) {
            // the image is written into the bitmap's memory, not through the painter
            ACanvas.GetCanvas().ReleasePainter();
            DirectDraw(ABitmap);
        }
        if (GetBuffersChanged()) {
            RefreshHighlighting();
            SetBuffersChanged(false);
        }
        if (!APrinting)
            DrawHighlightedPoint(ACanvas);
        DrawToolBar(ACanvas, APrinting);
        if (!APrinting && IsFocusedControl())
            ACanvas.DrawFocusRect(Rect(0, 0, PlotWidth(), PlotHeight()));
    } catch (...) {
        return;
    }
    FDrawCanvas = &ACanvas;
    const auto done = qScopeGuard([this] { FDrawCanvas = nullptr; });
    AfterDraw(AClipRegion, APrinting);
}

void TKvBasicWaterfall::AfterDraw(const QRegion& AClipRegion, bool APrinting) {
    TKvDisplayView* data = GetDataView();
    if (!FDrawCanvas || !data)
        return;
    THxCanvas& canvas = *FDrawCanvas;
    // nothing of the overlays reaches outside the plot's image
    canvas.SelectClipRgn(QRegion(data->DrawRect().ToQRect()));
    const auto unclip = qScopeGuard([&canvas] { canvas.ResetClipRect(); });
    if (FMarkerGroups->Count() > 0)
        FMarkerGroups->Draw(canvas, APrinting);
    if (APrinting)
        return;
    const TKvDisplayViews& views = Views();
    for (int32_t i = 0; i < views.Count(); ++i) {
        TKvDisplayView* view = views[i];
        const TRect r = view->DrawRect();
        if (view->IsVisible() && !r.IsEmpty() && AClipRegion.intersects(r.ToQRect()))
            view->DrawMouseSelction(&canvas);
    }
}
