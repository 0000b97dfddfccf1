#include "display/KvDisplayHighlighting.h"

#include "display/KvDataDisplay.h"
#include "display/KvMarkerGeometry.h"
#include "foundation/HxCanvas.h"

TKvDisplayItemHighlighting::TKvDisplayItemHighlighting(TKvDataDisplay* ADisplay)
    : TKvDisplayPersistent(ADisplay) {}

TKvDisplayItemHighlighting::~TKvDisplayItemHighlighting() = default;

void TKvDisplayItemHighlighting::ResetDisplay() {
    FDisplay->ResetDrawData();
}

void TKvDisplayItemHighlighting::SetHiglightLegendButton(bool AValue) {
    FLock->Setter(FHiglightLegendButton, AValue, [this] { ResetDisplay(); });
}

void TKvDisplayItemHighlighting::SetHiglightFromLegend(bool AValue) {
    FLock->Setter(FHiglightFromLegend, AValue, [this] { ResetDisplay(); });
}

void TKvDisplayItemHighlighting::SetHiglightFromMouse(bool AValue) {
    FLock->Setter(FHiglightFromMouse, AValue, [this] { ResetDisplay(); });
}

void TKvDisplayItemHighlighting::SetColor(TColor AValue) {
    FLock->SetterColor(FColor, AValue, [this] { ResetDisplay(); });
}

TKvDisplayOptionalHighlighting::TKvDisplayOptionalHighlighting(TKvDataDisplay* ADisplay)
    : TKvDisplayPersistent(ADisplay) {}

TKvDisplayOptionalHighlighting::~TKvDisplayOptionalHighlighting() = default;

TKvChannelMouseHitPoint::TKvChannelMouseHitPoint(TKvDataDisplay* ADisplay)
    : TKvDisplayOptionalHighlighting(ADisplay),
      FPointLabel(MakeOwned<TKvOptionalLabel>(
          this, FLock, [this](TPersistent*) { FDisplay->ResetDrawData(); })) {}

TKvChannelMouseHitPoint::~TKvChannelMouseHitPoint() = default;

void TKvChannelMouseHitPoint::SetPointLabel(TKvOptionalLabel* AValue) {
    const TJwLockSectionPtr Section = FLock->WriteLock();
    if (!JwHolds(Section))
        return;
    FPointLabel->Assign(AValue);
    FDisplay->ResetDrawData();
}

void TKvDataDisplay::DrawHitPointLabel(THxCanvas& ACanvas, TPoint AMousePoint,
                                       TKvChannelMouseHitPoint& AHitPoint) {
    ACanvas.GetPen().SetStyle(lpsSolid);
    ACanvas.Rectangle(AMousePoint.X - 2, AMousePoint.Y - 2, AMousePoint.X + 3, AMousePoint.Y + 3);
    TKvOptionalLabel& label = *AHitPoint.GetPointLabel();
    if (!label.GetVisible())
        return;
    ACanvas.SetFromDisplayFont(label.GetFont());
    QString text;
    GetHitPointText(text);
    TKvDisplayView* view = GetDataView();
    if (OnDataToolTip) {
        FHasNewToolTipText = false;
        FNewToolTipText = text;
        OnDataToolTip(this, AMousePoint, view ? view->ValuePoint() : TKvRealPoint{}, text);
        if (FHasNewToolTipText)
            text = FNewToolTipText;
    }
    const TSize size = ACanvas.TextExtent(text);
    const TPoint at =
        view ? HitPointLabelOrigin(AMousePoint, size, view->Left(), view->Top(), view->Width())
             : Point(AMousePoint.X + 4, AMousePoint.Y - size.cy);
    ACanvas.Rectangle(at.X, at.Y, at.X + size.cx + 4, at.Y + size.cy + 2);
    ACanvas.TextOut(at.X + 2, at.Y + 1, text);
}
