#include "waterfall/KvWaterfallMarkers.h"

#include "display/KvMarkerGeometry.h"
#include "foundation/HxCanvas.h"
#include "waterfall/KvBasicWaterfall.h"

#include <algorithm>
#include <cmath>

namespace {

// rnd of a pixel position, kept where shape and line arithmetic cannot
// overflow; false for a value that is not a number.
bool PixelOf(double AValue, int32_t& APixel) {
    if (std::isnan(AValue))
        return false;
    const double far = KvFarPixel;
    APixel = static_cast<int32_t>(std::nearbyint(std::clamp(AValue, -far, far)));
    return true;
}

// A double read under the lock's read section.
double LockedRead(const THxLockPtr& ALock, const double& AValue) {
    const TJwLockSectionPtr section = ALock->ReadLock();
    return AValue;
}

} // namespace

// ---------------------------------------------------------------------------

TKvWaterfallMarkerPosition::TKvWaterfallMarkerPosition(THxCollectionItem* AOwner,
                                                       TKvDataDisplay* ADisplay)
    : TKvDisplayPersistent(AOwner, ADisplay) {}

TKvWaterfallMarkerPosition::~TKvWaterfallMarkerPosition() = default;

double TKvWaterfallMarkerPosition::GetX() const {
    return LockedRead(FLock, FX);
}

double TKvWaterfallMarkerPosition::GetY() const {
    return LockedRead(FLock, FY);
}

void TKvWaterfallMarkerPosition::SetX(double AValue) {
    FLock->Setter(FX, AValue, [this] { DisplayInvalidateRefresh(); });
}

void TKvWaterfallMarkerPosition::SetY(double AValue) {
    FLock->Setter(FY, AValue, [this] { DisplayInvalidateRefresh(); });
}

double TKvWaterfallMarkerPosition::ShiftX(int32_t ARows) {
    const TJwLockSectionPtr section = FLock->WriteLock();
    if (JwHolds(section))
        FX -= ARows;
    return FX;
}

// ---------------------------------------------------------------------------

TKvWaterfallMarker::TKvWaterfallMarker(TCollection* ACollection)
    : TKvDisplayMarker(ACollection),
      FPosition(MakeOwned<TKvWaterfallMarkerPosition>(this, Display())) {}

TKvWaterfallMarker::~TKvWaterfallMarker() = default;

TKvWaterfallMarkerGroup* TKvWaterfallMarker::WaterfallGroup() const {
    return static_cast<TKvWaterfallMarkerGroup*>(Group());
}

TColor TKvWaterfallMarker::GetHighlightColor() {
    return static_cast<TKvBasicWaterfall*>(Display())->GetHighlighting()->GetMarkers()->GetColor();
}

bool TKvWaterfallMarker::IsHighlighted() {
    const TKvWaterfallMarkerGroups* groups = WaterfallGroup()->Groups();
    return groups &&
           (groups->ExtHighlightGroup() == WaterfallGroup() || groups->HighlightedMarker() == this);
}

// ---------------------------------------------------------------------------

TKvWaterfallMarkers::TKvWaterfallMarkers(TKvWaterfallMarkerGroup* AGroup)
    : TKvDisplayMarkers(AGroup, ItemFactory<TKvWaterfallMarker>()) {}

TKvWaterfallMarkers::~TKvWaterfallMarkers() = default;

TKvWaterfallMarker* TKvWaterfallMarkers::Add() {
    return static_cast<TKvWaterfallMarker*>(TCollection::Add());
}

TKvWaterfallMarker* TKvWaterfallMarkers::Items(int AIndex) const {
    return static_cast<TKvWaterfallMarker*>(TCollection::Items(AIndex));
}

void TKvWaterfallMarkers::Update(TCollectionItem* AItem) {
    TKvDisplayMarkers::Update(AItem);
    Display()->InvalidateRefresh();
}

void TKvWaterfallMarkers::Notify(TCollectionItem* AItem, TCollectionNotification AAction) {
    TKvDisplayMarkers::Notify(AItem, AAction);
    if (AAction != TCollectionNotification::cnAdded) {
        TKvWaterfallMarkerGroups* groups = static_cast<TKvWaterfallMarkerGroup*>(Group())->Groups();
        if (groups)
            groups->Forget(AItem);
    }
    Display()->InvalidateRefresh();
}

// ---------------------------------------------------------------------------

TKvWaterfallMarkerGroupLine::TKvWaterfallMarkerGroupLine(TKvWaterfallMarkerGroup* AOwner)
    : TKvDisplayPersistent(AOwner, AOwner->Display()), FOwner(AOwner) {}

TKvWaterfallMarkerGroupLine::~TKvWaterfallMarkerGroupLine() = default;

void TKvWaterfallMarkerGroupLine::Repaint() {
    DisplayInvalidateRefresh();
}

void TKvWaterfallMarkerGroupLine::SetVisible(bool AValue) {
    FLock->Setter(FVisible, AValue, [this] { Repaint(); });
}

TColor TKvWaterfallMarkerGroupLine::GetColor() const {
    const TJwLockSectionPtr section = FLock->ReadLock();
    return FColor;
}

void TKvWaterfallMarkerGroupLine::SetColor(TColor AValue) {
    FLock->SetterColor(FColor, AValue, [this] { Repaint(); });
}

void TKvWaterfallMarkerGroupLine::SetWidth(int32_t AValue) {
    FLock->SetterMinMax(FWidth, AValue, MinWidth, MaxWidth, [this] { Repaint(); });
}

void TKvWaterfallMarkerGroupLine::SetUsePointsColor(bool AValue) {
    FLock->Setter(FUsePointsColor, AValue, [this] { Repaint(); });
}

// ---------------------------------------------------------------------------

TKvWaterfallMarkerGroup::TKvWaterfallMarkerGroup(TCollection* ACollection)
    : TKvDisplayMarkerGroup(ACollection) {
    FLine = MakeOwned<TKvWaterfallMarkerGroupLine>(this);
    FMarkers = MakeOwned<TKvWaterfallMarkers>(this);
}

TKvWaterfallMarkerGroup::~TKvWaterfallMarkerGroup() {
    FMarkers.reset();
    FLine.reset();
}

TKvWaterfallMarkerGroups* TKvWaterfallMarkerGroup::Groups() const {
    return static_cast<TKvWaterfallMarkerGroups*>(Collection());
}

TKvWaterfallMarkerMode TKvWaterfallMarkerGroup::GetMode() const {
    const TJwLockSectionPtr section = FLock->ReadLock();
    return FMode;
}

void TKvWaterfallMarkerGroup::SetMode(TKvWaterfallMarkerMode AValue) {
    {
        const TJwLockSectionPtr section = FLock->WriteLock();
        if (!JwHolds(section) || FMode == AValue)
            return;
        FMode = AValue;
    }
    Display()->InvalidateRefresh();
}

double TKvWaterfallMarkerGroup::HitTest(int32_t X, int32_t Y,
                                        TKvWaterfallMarker*& ASelectedMarker) {
    // Markers record where they were drawn before a vertical display
    // exchanges the coordinates; the segments are measured in that order.
    const TPoint p = Display()->GetIsVertical() ? Point(Y, X) : Point(X, Y);
    double result = 10000.0;
    const TKvDisplayMarker* previous = nullptr;
    for (int32_t i = 0; i < FMarkers->Count(); ++i) {
        TKvWaterfallMarker* marker = FMarkers->Items(i);
        if (MarkerHitTest(*marker, X, Y)) {
            ASelectedMarker = marker;
            return 0.0;
        }
        // a segment to a marker that was not drawn would run to nowhere
        if (previous && previous->WasDrawn() && marker->WasDrawn()) {
            TPoint nearest;
            double t = 0;
            result = std::min(
                result, SegmentDistance(p, previous->DrawPoint(), marker->DrawPoint(), nearest, t));
        }
        previous = marker;
    }
    return result;
}

bool TKvWaterfallMarkerGroup::IsHighlighted() {
    const TKvWaterfallMarkerGroups* groups = Groups();
    if (!groups)
        return false;
    TKvBasicWaterfall* waterfall = groups->Waterfall();
    return waterfall->GetHighlighting()->GetMarkers()->IsActive() &&
           (groups->HighlightedGroup() == this || groups->ExtHighlightGroup() == this);
}

void TKvWaterfallMarkerGroup::SetExternalHighlight(bool AOn) {
    TKvWaterfallMarkerGroups* groups = Groups();
    if (!groups)
        return;
    {
        const TJwLockSectionPtr section = FLock->WriteLock();
        if (!JwHolds(section))
            return;
        if (!AOn)
            groups->SetExtHighlightGroup(nullptr);
        else if (groups->Waterfall()->GetHighlighting()->GetMarkers()->GetHiglightFromLegend())
            groups->SetExtHighlightGroup(this);
    }
    Display()->InvalidateRefresh();
}

// ---------------------------------------------------------------------------

const TColor TKvWaterfallMarkerGroups::DefaultMarkerGroupPalette[14] = {
    RGBColor(255, 255, 255), RGBColor(192, 192, 192), RGBColor(0, 255, 0),
    RGBColor(0, 0, 255),     RGBColor(255, 255, 0),   RGBColor(0, 255, 255),
    RGBColor(255, 251, 240), RGBColor(128, 128, 0),   RGBColor(128, 0, 128),
    RGBColor(255, 0, 255),   RGBColor(0, 255, 255),   RGBColor(0, 128, 128),
    RGBColor(0, 0, 128),     RGBColor(255, 0, 0)};

TKvWaterfallMarkerGroups::TKvWaterfallMarkerGroups(TKvBasicWaterfall* AWaterfall)
    : TKvDisplayMarkerGroups(AWaterfall, AWaterfall, AWaterfall->Lock(),
                             ItemFactory<TKvWaterfallMarkerGroup>()) {}

TKvWaterfallMarkerGroups::~TKvWaterfallMarkerGroups() = default;

TKvBasicWaterfall* TKvWaterfallMarkerGroups::Waterfall() const {
    return static_cast<TKvBasicWaterfall*>(Display());
}

TKvWaterfallMarkerGroup* TKvWaterfallMarkerGroups::Add() {
    return static_cast<TKvWaterfallMarkerGroup*>(TCollection::Add());
}

TKvWaterfallMarkerGroup* TKvWaterfallMarkerGroups::Items(int AIndex) const {
    return static_cast<TKvWaterfallMarkerGroup*>(TCollection::Items(AIndex));
}

TColor TKvWaterfallMarkerGroups::LeastUsedColor() const {
    TColor best = DefaultMarkerGroupPalette[0];
    int32_t fewest = 22000;
    for (const TColor color : DefaultMarkerGroupPalette) {
        int32_t uses = 0;
        for (int32_t i = 0; i < Count(); ++i)
            if (Items(i)->GetPen()->Color() == color)
                ++uses;
        if (uses < fewest) {
            fewest = uses;
            best = color;
        }
    }
    return best;
}

void TKvWaterfallMarkerGroups::Notify(TCollectionItem* AItem, TCollectionNotification AAction) {
    TKvDisplayMarkerGroups::Notify(AItem, AAction);
    if (AAction != TCollectionNotification::cnAdded) {
        Forget(AItem);
        return;
    }
    auto* group = static_cast<TKvWaterfallMarkerGroup*>(AItem);
    const TColor color = LeastUsedColor();
    group->GetPen()->SetColor(color);
    group->GetBrush()->SetColor(color);
    Display()->InvalidateLayout();
}

void TKvWaterfallMarkerGroups::Forget(TCollectionItem* AItem) {
    if (FHighlightedGroup == AItem)
        FHighlightedGroup = nullptr;
    if (FExtHighlightGroup == AItem)
        FExtHighlightGroup = nullptr;
    if (FHighlightedMarker && (FHighlightedMarker == AItem || FHighlightedMarker->Group() == AItem))
        FHighlightedMarker = nullptr;
}

void TKvWaterfallMarkerGroups::ClearAllMarkers() {
    const TJwLockSectionPtr section = Lock()->WriteLock();
    if (!JwHolds(section))
        return;
    for (int32_t i = 0; i < Count(); ++i)
        Items(i)->GetMarkers()->Clear();
}

void TKvWaterfallMarkerGroups::ShiftRelativeMarkers(int32_t ARows) {
    const TJwLockSectionPtr section = Lock()->WriteLock();
    if (!JwHolds(section))
        return;
    for (int32_t i = 0; i < Count(); ++i) {
        TKvWaterfallMarkerGroup* group = Items(i);
        if (group->GetMode() != mmRelative)
            continue;
        TKvWaterfallMarkers* markers = group->GetMarkers();
        for (int32_t j = markers->Count() - 1; j >= 0; --j) {
            if (markers->Items(j)->GetPosition()->ShiftX(ARows) < 0)
                markers->Delete(j);
        }
    }
}

void TKvWaterfallMarkerGroups::Draw(THxCanvas& ACanvas, bool APrinting) {
    TKvBasicWaterfall& waterfall = *Waterfall();
    TKvDisplayView* view = waterfall.GetDataView();
    if (!view)
        return;
    const bool vertical = waterfall.GetIsVertical();
    TKvWaterfallXAxis& xAxis = *waterfall.GetXAxisObject();
    const TKvAxisRange values = waterfall.GetYAxisObject()->ScaleRealZoomed();
    double span = values.Max - values.Min;
    if (!(span > 0))
        span = 1;
    const TKvAxisRange rows = xAxis.RowWindow();
    int32_t n = 1;
    PixelOf(rows.Max - rows.Min, n);
    n = std::max(n, 1);
    const bool reversed = xAxis.GetReversed();
    const int32_t along = view->AlongLength();
    const int32_t across = view->AcrossLength();
    const int32_t alongStart = view->AlongStart();
    const int32_t acrossStart = view->AcrossStart();
    // markers sit in the middle of their row
    const int32_t halfRow = along / n / 2;
    const TRect dispRect = view->DrawRect();
    const TColor highlightColor = waterfall.GetHighlighting()->GetMarkers()->GetColor();

    // (history, value) pixel of a marker; false when it has none
    const auto place = [&](TKvWaterfallMarker& AMarker, TPoint& APoint) {
        const TKvWaterfallMarkerPosition& position = *AMarker.GetPosition();
        int32_t row = 0;
        if (!PixelOf(xAxis.ValueToRow(position.GetX()), row))
            return false;
        const double offset = reversed ? n - (row - rows.Min + 1) : row - rows.Min;
        int32_t history = 0;
        int32_t value = 0;
        if (!PixelOf(along * offset / n, history) ||
            !PixelOf(across * (position.GetY() - values.Min) / span, value))
            return false;
        APoint.X = history + alongStart + halfRow;
        // values grow upwards on a horizontal display, rightwards on a vertical one
        APoint.Y = vertical ? acrossStart + value : acrossStart + across - value;
        return true;
    };
    const auto screen = [vertical](TPoint P) { return vertical ? Point(P.Y, P.X) : P; };
    const auto line = [&](TPoint AFrom, TPoint ATo, TColor AColor, int32_t AWidth) {
        ACanvas.GetPen().SetStyle(lpsSolid);
        ACanvas.GetPen().SetColor(AColor);
        ACanvas.SetStrokeThickness(AWidth);
        const TPoint from = screen(AFrom);
        const TPoint to = screen(ATo);
        ACanvas.MoveTo(from.X, from.Y);
        ACanvas.LineTo(to.X, to.Y);
    };

    try {
        for (int32_t i = 0; i < Count(); ++i) {
            TKvWaterfallMarkerGroup& group = *Items(i);
            if (!group.GetVisible())
                continue;
            const TKvWaterfallMarkerGroupLine& groupLine = *group.GetLine();
            const bool lined = groupLine.GetVisible();
            // the highlight follows the mouse: a printed page does not show it
            const bool highlighted = !APrinting && group.IsHighlighted();
            const TColor lineColor =
                groupLine.GetUsePointsColor() ? group.GetPen()->Color() : groupLine.GetColor();
            TKvWaterfallMarkers& markers = *group.GetMarkers();
            TPoint previous;
            bool hasPrevious = false;
            for (int32_t j = 0; j < markers.Count(); ++j) {
                TKvWaterfallMarker& marker = *markers.Items(j);
                TPoint at;
                if (!place(marker, at)) {
                    marker.ClearDrawData();
                    hasPrevious = false;
                    continue;
                }
                if (lined && hasPrevious) {
                    if (highlighted)
                        line(previous, at, highlightColor, 3);
                    line(previous, at, lineColor, groupLine.GetWidth());
                }
                ACanvas.SetStrokeThickness(1);
                const TKvWaterfallMarkerPosition& position = *marker.GetPosition();
                marker.Draw(ACanvas, dispRect, at, TKvRealPoint{position.GetX(), position.GetY()},
                            APrinting);
                previous = at;
                hasPrevious = true;
            }
        }
    } catch (...) {
        // a group that cannot be drawn ends the marker drawing
    }
    ACanvas.SetStrokeThickness(1);
}

bool TKvWaterfallMarkerGroups::RefreshHighlighting(bool AInside, int32_t X, int32_t Y) {
    TKvWaterfallMarkerGroup* const oldGroup = FHighlightedGroup;
    TKvWaterfallMarker* const oldMarker = FHighlightedMarker;
    FHighlightedGroup = nullptr;
    FHighlightedMarker = nullptr;
    const TKvDisplayItemHighlighting& settings = *Waterfall()->GetHighlighting()->GetMarkers();
    if (AInside && settings.IsActive()) {
        const bool fromMouse = settings.GetHiglightFromMouse();
        double nearest = 3.0;
        for (int32_t i = Count() - 1; i >= 0; --i) {
            TKvWaterfallMarkerGroup* group = Items(i);
            if (!group->GetVisible())
                continue;
            TKvWaterfallMarker* selected = nullptr;
            const double d = group->HitTest(X, Y, selected);
            if (d < nearest) {
                nearest = d;
                FHighlightedGroup = group;
                FHighlightedMarker = fromMouse ? selected : nullptr;
            }
        }
    }
    return FHighlightedGroup != oldGroup || FHighlightedMarker != oldMarker;
}

void TKvWaterfallMarkerGroups::ClearHighlighting() {
    FHighlightedGroup = nullptr;
    FHighlightedMarker = nullptr;
    FExtHighlightGroup = nullptr;
}
