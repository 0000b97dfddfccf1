#include "WaterfallDisplayHost.h"

#include "buffers/KvRealBuffer.h"
#include "foundation/GmBasicBitmap.h"

TWaterfallDisplayHost::TWaterfallDisplayHost(TComponent* AOwner)
    : TKvDataDisplay(AOwner), FYAxis(MakeOwned<TKvWaterfallYAxis>(this)),
      FXAxis(MakeOwned<TKvWaterfallXAxis>(this)), FDataView(MakeOwned<TWaterfallDataView>(this)),
      FRows(*this, FBufferSection) {
    FRows.SetSamples(static_cast<uint32_t>(FXAxis->GetSamples()));
}

TWaterfallDisplayHost::~TWaterfallDisplayHost() {
    FRows.Close();
    FDataView.reset();
    FXAxis.reset();
    FYAxis.reset();
}

void TWaterfallDisplayHost::AddRow(uint32_t ALength) {
    FRows.QueueNewBuffer(TKvRealBuffer::CreateValue(1.0, ALength));
}

QImage TWaterfallDisplayHost::PaintRows() {
    FRows.ProcessInputBuffers();
    TGmBasicBitmap bitmap;
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(Width(), Height());
    DrawToBitmap(bitmap, bitmap.Canvas(), false);
    return bitmap.ToImage().convertToFormat(QImage::Format_RGB32);
}

void TWaterfallDisplayHost::ZoomBy(double XValue, double YValue, bool SaveHistory) {
    if (SaveHistory)
        SaveZoomHistory(false);
    FXAxis->ZoomBy(XValue, false);
    FYAxis->ZoomBy(YValue, false);
}

void TWaterfallDisplayHost::ZoomTo(double XMin, double XMax, double YMin, double YMax,
                                   bool SaveHistory) {
    if (SaveHistory)
        SaveZoomHistory(false);
    FXAxis->ZoomTo(XMin, XMax, false);
    FYAxis->ZoomTo(YMin, YMax, false);
}

void TWaterfallDisplayHost::ZoomToData(double XMin, double XMax, double YMin, double YMax,
                                       bool SaveHistory) {
    if (SaveHistory)
        SaveZoomHistory(false);
    FXAxis->ZoomToData(XMin, XMax, false);
    FYAxis->ZoomToData(YMin, YMax, false);
}

void TWaterfallDisplayHost::DoZoom(TKvZoomOperation, bool ScaleUnits, double XMin, double XMax,
                                   double YMin, double YMax) {
    if (ScaleUnits)
        ZoomTo(XMin, XMax, YMin, YMax, false);
    else
        ZoomToData(XMin, XMax, YMin, YMax, false);
}

void TWaterfallDisplayHost::DoZoomOff() {
    FXAxis->DoZoomOff();
    FYAxis->DoZoomOff();
}

void TWaterfallDisplayHost::DrawDisplay(TGmBasicBitmap&, THxCanvas& ACanvas, bool APrinting,
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
}

void TWaterfallDisplayHost::ApplyZoomList(const TKvAxisZoomList& AAxisList, bool) {
    for (int32_t i = 0; i < AAxisList.Count(); ++i) {
        const TKvAxisZoomListItem& item = AAxisList.Items(i);
        static_cast<TKvDisplayAxis*>(item.Axis)->RestoreZoom(item.Min, item.Max, item.Zoomed);
    }
}

TKvAxisZoomListPtr TWaterfallDisplayHost::CaptureZoomList() {
    auto list = std::make_unique<TKvAxisZoomList>();
    for (IKvDisplayAxis* axis : Axes())
        list->Add(axis);
    return list;
}
