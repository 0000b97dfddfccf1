#include "display/KvDisplayMarkers.h"

#include "display/KvDataDisplay.h"
#include "display/KvLockedSet.h"
#include "display/KvMarkerGeometry.h"
#include "foundation/HxCanvas.h"
#include "foundation/MarkerShapes.h"
#include "platform/EventBinding.h"
#include "platform/Exceptions.h"

#include <algorithm>

namespace {

// Larger markers only cost time: nothing of them is on screen any more.
constexpr uint32_t MaxDrawnSize = 1u << 16;

bool IsLineShape(TKvDisplayMarkerShape AShape) {
    return AShape == msPlus || AShape == msCross || AShape == msStar || AShape == msHLine ||
           AShape == msVLine;
}

TCollection* MarkerCollection(TCollection* ACollection) {
    if (!qobject_cast<TKvDisplayMarkers*>(ACollection))
        throw Exception(QStringLiteral("A marker needs a marker collection"));
    return ACollection;
}

// Each visible crosshair line from the edge of ADispRect to the screen point S.
template <class F>
void ForEachCrosshairLine(TKvDisplayMarkerCrosshairLines& ALines, const TRect& ADispRect, TPoint S,
                          F&& ADraw) {
    const std::pair<TKvDisplayMarkerCrosshairLine*, TPoint> lines[] = {
        {ALines.GetLeft(), Point(ADispRect.Left, S.Y)},
        {ALines.GetTop(), Point(S.X, ADispRect.Top)},
        {ALines.GetRight(), Point(ADispRect.Right, S.Y)},
        {ALines.GetBottom(), Point(S.X, ADispRect.Bottom)}};
    for (const auto& [line, from] : lines)
        if (line->GetVisible())
            ADraw(*line, from);
}

void Line(THxCanvas& ACanvas, TPoint AFrom, TPoint ATo) {
    ACanvas.MoveTo(AFrom.X, AFrom.Y);
    ACanvas.LineTo(ATo.X, ATo.Y);
}

} // namespace

// ---------------------------------------------------------------------------

TKvDisplayMarkerGroup::TKvDisplayMarkerGroup(TCollection* ACollection)
    : TKvOptionalDisplayCollectionItem(ACollection),
      FBrush(MakeOwned<TKvDisplayBrush>(bsClear, 255)),
      FPen(MakeOwned<TKvDisplayPen>(psSolid, 255)) {
    FBrush->OnChange = [this] { Repaint(); };
    FPen->OnChange = [this] { Repaint(); };
    const TNotifyEvent repaint = [this](TPersistent*) { Repaint(); };
    FCrosshairLines = MakeOwned<TKvDisplayMarkerCrosshairLines>(this, FLock, repaint);
    FLabels = MakeOwned<TKvMarkerGroupLabel>(this, FLock, repaint);
    SetName(QStringLiteral("MarkerGroup%1").arg(ACollection->Count()));
}

TKvDisplayMarkerGroup::~TKvDisplayMarkerGroup() {
    Display()->SetNeedsRecalc();
}

void TKvDisplayMarkerGroup::Repaint() {
    Display()->InvalidateRefresh();
}

void TKvDisplayMarkerGroup::LockChanged() {
    Display()->InvalidateLayout();
}

void TKvDisplayMarkerGroup::SetBrush(TKvDisplayBrush* AValue) {
    const TJwLockSectionPtr Section = FLock->WriteLock();
    if (JwHolds(Section))
        FBrush->Assign(AValue);
}

void TKvDisplayMarkerGroup::SetPen(TKvDisplayPen* AValue) {
    const TJwLockSectionPtr Section = FLock->WriteLock();
    if (JwHolds(Section))
        FPen->Assign(AValue);
}

TKvDisplayMarkerShape TKvDisplayMarkerGroup::GetShape() const {
    const TJwLockSectionPtr Section = FLock->ReadLock();
    return FShape;
}

void TKvDisplayMarkerGroup::SetShape(TKvDisplayMarkerShape AValue) {
    KvLockedSet(*FLock, FShape, AValue, [this] { Repaint(); });
}

void TKvDisplayMarkerGroup::SetCrosshairLines(TKvDisplayMarkerCrosshairLines* AValue) {
    FCrosshairLines->Assign(AValue);
}

void TKvDisplayMarkerGroup::SetSize(uint32_t AValue) {
    FLock->Setter(FSize, AValue, [this] { Repaint(); });
}

void TKvDisplayMarkerGroup::SetLabels(TKvMarkerGroupLabel* AValue) {
    FLabels->Assign(AValue);
}

void TKvDisplayMarkerGroup::DefineProperties(TFiler& AFiler) {
    TKvOptionalDisplayCollectionItem::DefineProperties(AFiler);
    DefineEvent<TKvDisplayMarkerGroup>(
        AFiler, QStringLiteral("OnClick"), FOnClickName,
        [this](std::function<void(TKvDisplayMarkerGroup*)> AHandler) {
            if (!AHandler)
                OnClick = nullptr;
            else
                OnClick = [handler = std::move(AHandler)](TPersistent* ASender) {
                    handler(static_cast<TKvDisplayMarkerGroup*>(ASender));
                };
        });
}

bool TKvDisplayMarkerGroup::DrawLegendSymbol(THxCanvas* ACanvas, int32_t Y, int32_t X) {
    if (!ACanvas)
        return true;
    ACanvas->SetFromDisplayBrush(FBrush.get());
    ACanvas->SetFromDisplayPen(FPen.get());
    const TKvDisplayMarkerShape shape = GetShape();
    if (shape == msPoint) {
        // a lone pixel would not show in the legend
        ACanvas->GetPen().SetColor(FBrush->Color());
        ACanvas->Rectangle(X + 5, Y - 1, X + 8, Y + 2);
    } else {
        DrawMarkerShape(*ACanvas, X + 6, Y, false, 0, 3, shape);
    }
    return true;
}

// ---------------------------------------------------------------------------

TKvDisplayMarkerGroups::TKvDisplayMarkerGroups(TKvDataDisplay* ADisplay, TComponent* AOwner,
                                               const THxLockPtr& ALock, TItemFactory AItemFactory)
    : TKvDisplayCollection(ADisplay, AOwner, ALock, std::move(AItemFactory)) {}

TKvDisplayMarkerGroups::~TKvDisplayMarkerGroups() = default;

TKvDisplayMarkerGroup* TKvDisplayMarkerGroups::Group(int32_t AIndex) const {
    return static_cast<TKvDisplayMarkerGroup*>(Items(AIndex));
}

TKvDisplayMarkers::TKvDisplayMarkers(TKvDisplayMarkerGroup* AGroup, TItemFactory AItemFactory)
    : TKvDisplayCollection(AGroup->Display(), AGroup, std::move(AItemFactory)), FGroup(AGroup) {}

TKvDisplayMarkers::~TKvDisplayMarkers() = default;

TKvDisplayMarker* TKvDisplayMarkers::Marker(int32_t AIndex) const {
    return static_cast<TKvDisplayMarker*>(Items(AIndex));
}

// ---------------------------------------------------------------------------

TKvDisplayMarker::TKvDisplayMarker(TCollection* ACollection)
    : TKvDisplaySelectableCollectionItem(MarkerCollection(ACollection)),
      FGroup(static_cast<TKvDisplayMarkers*>(ACollection)->Group()) {
    SetName(QStringLiteral("Marker%1").arg(ACollection->Count()));
}

TKvDisplayMarker::~TKvDisplayMarker() = default;

void TKvDisplayMarker::LockChanged() {
    Display()->InvalidateLayout();
}

bool TKvDisplayMarker::IsSelected() {
    return false;
}

void TKvDisplayMarker::Draw(THxCanvas& ACanvas, const TRect& ADispRect, TPoint APosition,
                            const TKvRealPoint& AValue, bool APrinting) {
    TKvDisplayMarkerGroup& group = *FGroup;
    const bool vertical = Display()->GetIsVertical();
    const TPoint screen = vertical ? Point(APosition.Y, APosition.X) : APosition;
    TKvDisplayMarkerCrosshairLines& lines = *group.GetCrosshairLines();
    const TKvDisplayMarkerShape shape = group.GetShape();
    const uint32_t size = group.GetSize();
    if (!APrinting && (IsHighlighted() || IsSelected())) {
        const TColor color = GetHighlightColor();
        ACanvas.GetBrush().SetStyle(lbsSolid);
        ACanvas.GetBrush().SetColor(color);
        ACanvas.GetPen().SetStyle(lpsSolid);
        ACanvas.GetPen().SetColor(color);
        ForEachCrosshairLine(lines, ADispRect, screen,
                             [&](TKvDisplayMarkerCrosshairLine& ALine, TPoint AFrom) {
                                 ACanvas.SetStrokeThickness(ALine.GetPen()->Width() + 2);
                                 Line(ACanvas, AFrom, screen);
                             });
        const int32_t width = group.GetPen()->Width();
        ACanvas.SetStrokeThickness(IsLineShape(shape) ? width + 2 : width);
        DrawBoundedMarkerShape(ACanvas, APosition.X, APosition.Y, vertical, 1, size, shape);
    }
    ForEachCrosshairLine(lines, ADispRect, screen,
                         [&](TKvDisplayMarkerCrosshairLine& ALine, TPoint AFrom) {
                             ACanvas.SetFromDisplayPen(ALine.GetPen());
                             Line(ACanvas, AFrom, screen);
                         });
    ACanvas.SetFromDisplayBrush(group.GetBrush());
    ACanvas.SetFromDisplayPen(group.GetPen());
    FDrawPoint = APosition;
    DrawBoundedMarkerShape(ACanvas, APosition.X, APosition.Y, vertical, 0, size, shape);
    TKvMarkerGroupLabel& labels = *group.GetLabels();
    if (labels.GetVisible()) {
        ACanvas.SetFromDisplayFont(labels.GetFont());
        ACanvas.GetBrush().SetStyle(lbsClear);
        DrawLabel(ACanvas, screen.X, AValue, screen.Y);
    }
}

void TKvDisplayMarker::DrawLabel(THxCanvas& ACanvas, int32_t X, const TKvRealPoint& AValue,
                                 int32_t Y) {
    TKvMarkerGroupLabel& labels = *FGroup->GetLabels();
    QString text;
    Display()->FormatPointLabel(Point(X, Y), labels.GetText(), text, AValue);
    if (text.isEmpty())
        return;
    const TKvDisplayMarkerPosition& position = *labels.GetPosition();
    const TPoint at = MarkerLabelOrigin(position.GetCoordinateMode(), position.GetCX(),
                                        position.GetCY(), X, Y, ACanvas.TextExtent(text));
    ACanvas.TextOut(at.X, at.Y, text);
}

// ---------------------------------------------------------------------------

void DrawBoundedMarkerShape(THxCanvas& ACanvas, int32_t X, int32_t Y, bool AVertical,
                            int32_t AExtra, uint32_t ASize, TKvDisplayMarkerShape AShape) {
    DrawMarkerShape(ACanvas, X, Y, AVertical, AExtra,
                    static_cast<int32_t>(std::min(ASize, MaxDrawnSize)), AShape);
}

bool MarkerHitTest(const TKvDisplayMarker& AMarker, int32_t X, int32_t Y) {
    if (!AMarker.WasDrawn())
        return false;
    const TKvDisplayMarkerGroup& group = *AMarker.Group();
    TKvDisplayMarkerShape shape = group.GetShape();
    if (AMarker.Display()->GetIsVertical()) {
        std::swap(X, Y);
        // Exchanging the coordinates mirrors the hot rectangles about the
        // diagonal, but a vertical display turns its triangles: mirrored,
        // up and down land where they are drawn, left and right on the
        // wrong side of the point.
        if (shape == msTriangleLeft)
            shape = msTriangleRight;
        else if (shape == msTriangleRight)
            shape = msTriangleLeft;
    }
    const TPoint p = AMarker.DrawPoint();
    return HotRectContains(MarkerHotRect(shape, group.GetSize(), p.X, p.Y), X, Y);
}

bool MarkerDrawPosition(TKvDataDisplay& ADisplay, const TKvRealPoint& AValue, TPoint& APosition) {
    TKvDisplayView* view = ADisplay.GetDataView();
    if (!view)
        return false;
    const bool vertical = ADisplay.GetIsVertical();
    const int32_t along = vertical ? view->Height() : view->Width();
    const int32_t across = vertical ? view->Width() : view->Height();
    const int32_t alongStart = vertical ? view->Top() : view->Left();
    const int32_t acrossStart = vertical ? view->Left() : view->Top();
    // values grow upwards on a horizontal display, rightwards on a vertical one
    return ValueToPixel(AValue.X, ADisplay.GetXMin(), ADisplay.GetXMax(), alongStart, along, false,
                        APosition.X) &&
           ValueToPixel(AValue.Y, ADisplay.GetYMin(), ADisplay.GetYMax(), acrossStart, across,
                        !vertical, APosition.Y);
}
