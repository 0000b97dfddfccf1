#include "AxisTestDisplay.h"

#include "foundation/HxCanvas.h"

TAxisTestDisplay::TAxisTestDisplay(TComponent* AOwner)
    : TPlainTestDisplay(AOwner), FYAxis(MakeOwned<TAxisTestYAxis>(this)),
      FXAxis(MakeOwned<TAxisTestXAxis>(this)), FDataView(MakeOwned<TFillDataView>(this)) {
    // The tests read a plain -1000..1000 Y range.
    FYAxis->GetMin()->SetAutoScale(false);
    FYAxis->GetMax()->SetAutoScale(false);
}

TAxisTestDisplay::~TAxisTestDisplay() {
    FDataView.reset();
    FXAxis.reset();
    FYAxis.reset();
}

void TAxisTestDisplay::ZoomBy(double XValue, double YValue, bool SaveHistory) {
    if (SaveHistory)
        SaveZoomHistory(false);
    FXAxis->ZoomBy(XValue, false);
    FYAxis->ZoomBy(YValue, false);
}

void TAxisTestDisplay::ZoomTo(double XMin, double XMax, double YMin, double YMax,
                              bool SaveHistory) {
    if (SaveHistory)
        SaveZoomHistory(false);
    FXAxis->ZoomTo(XMin, XMax, false);
    FYAxis->ZoomTo(YMin, YMax, false);
}

void TAxisTestDisplay::ZoomToData(double XMin, double XMax, double YMin, double YMax,
                                  bool SaveHistory) {
    if (SaveHistory)
        SaveZoomHistory(false);
    FXAxis->ZoomToData(XMin, XMax, false);
    FYAxis->ZoomToData(YMin, YMax, false);
}

void TAxisTestDisplay::DoZoom(TKvZoomOperation, bool ScaleUnits, double XMin, double XMax,
                              double YMin, double YMax) {
    if (ScaleUnits)
        ZoomTo(XMin, XMax, YMin, YMax, false);
    else
        ZoomToData(XMin, XMax, YMin, YMax, false);
}

void TAxisTestDisplay::DoZoomOff() {
    FXAxis->ZoomOffAndNotify();
    FYAxis->ZoomOffAndNotify();
}

void TAxisTestDisplay::DrawDisplay(TGmBasicBitmap&, THxCanvas& ACanvas, bool APrinting,
                                   const QRegion&, const TRect& ARect) {
    if (NeedsRecalc()) {
        CalculateLayout();
        ClearNeedsRecalc();
    }
    ACanvas.GetBrush().SetStyle(lbsSolid);
    ACanvas.GetBrush().SetColor(Color());
    ACanvas.FillRect(ARect);
    FYAxis->Draw(ddpForeground, &ACanvas, Vertical, APrinting);
    FXAxis->Draw(ddpForeground, &ACanvas, Vertical, APrinting);
    DrawToolBar(ACanvas, APrinting);
}

void TAxisTestDisplay::ApplyZoomList(const TKvAxisZoomList& AAxisList, bool Redo) {
    for (int32_t i = 0; i < AAxisList.Count(); ++i) {
        const TKvAxisZoomListItem& item = AAxisList.Items(i);
        static_cast<TKvDisplayAxis*>(item.Axis)->RestoreZoom(item.Min, item.Max, item.Zoomed,
                                                             Redo ? zoRedo : zoUndo);
    }
}

TKvAxisZoomListPtr TAxisTestDisplay::CaptureZoomList() {
    auto list = std::make_unique<TKvAxisZoomList>();
    for (IKvDisplayAxis* axis : Axes())
        list->Add(axis);
    return list;
}
