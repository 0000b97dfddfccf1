#pragma once
// The waterfall's marker groups: points on the image in axis values (history
// along X, value along Y), optionally joined by a line. Markers of a
// relative group travel with the data: when rows leave the history their X
// goes back by as many rows, and a marker that leaves the history is gone.

#include "display/KvDisplayMarkers.h"
#include "display/KvDisplayPersistent.h"

#include <QObject>

namespace KvWaterfallMarker {
Q_NAMESPACE
enum TKvWaterfallMarkerMode { mmRelative = 0, mmAbsolute = 1 };
Q_ENUM_NS(TKvWaterfallMarkerMode)
} // namespace KvWaterfallMarker

using KvWaterfallMarker::TKvWaterfallMarkerMode;
using enum KvWaterfallMarker::TKvWaterfallMarkerMode;

class TKvBasicWaterfall;
class TKvWaterfallMarkerGroup;
class TKvWaterfallMarkerGroups;

// Where a marker sits, in axis values. Any change repaints the waterfall.
class TKvWaterfallMarkerPosition : public TKvDisplayPersistent {
    Q_OBJECT
    Q_PROPERTY(double X READ GetX WRITE SetX)
    Q_PROPERTY(double Y READ GetY WRITE SetY)
public:
    TKvWaterfallMarkerPosition(THxCollectionItem* AOwner, TKvDataDisplay* ADisplay);

    double GetX() const;
    void SetX(double AValue);
    double GetY() const;
    void SetY(double AValue);
    // X moves back by ARows without a repaint: the image that scrolled is
    // being painted. Returns the new X.
    double ShiftX(int32_t ARows);

protected:
    ~TKvWaterfallMarkerPosition() override;

private:
    double FX = 0.0;
    double FY = 0.0;
};

class TKvWaterfallMarker : public TKvDisplayMarker {
    Q_OBJECT
    Q_PROPERTY(TKvWaterfallMarkerPosition* Position READ GetPosition WRITE SetPosition)
public:
    explicit TKvWaterfallMarker(TCollection* ACollection);

    TKvWaterfallMarkerGroup* WaterfallGroup() const;
    TKvWaterfallMarkerPosition* GetPosition() const { return FPosition.get(); }
    // Copies AValue into the owned position.
    void SetPosition(TKvWaterfallMarkerPosition* AValue) { FPosition->Assign(AValue); }

    // The marker highlighting's colour.
    TColor GetHighlightColor() override;
    // Its group is highlighted from the legend, or it is the marker under
    // the mouse.
    bool IsHighlighted() override;

protected:
    ~TKvWaterfallMarker() override;

private:
    TOwned<TKvWaterfallMarkerPosition> FPosition;
};

// A group's markers; every addition, removal and change repaints the display.
class TKvWaterfallMarkers : public TKvDisplayMarkers {
    Q_OBJECT
public:
    explicit TKvWaterfallMarkers(TKvWaterfallMarkerGroup* AGroup);

    TKvWaterfallMarker* Add();
    TKvWaterfallMarker* Items(int AIndex) const;

protected:
    ~TKvWaterfallMarkers() override;
    void Update(TCollectionItem* AItem) override;
    void Notify(TCollectionItem* AItem, TCollectionNotification AAction) override;
};

// The line through a group's markers: hidden until asked for, in the
// group's point colour unless told otherwise.
class TKvWaterfallMarkerGroupLine : public TKvDisplayPersistent {
    Q_OBJECT
    Q_PROPERTY(bool Visible READ GetVisible WRITE SetVisible)
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)
    Q_PROPERTY(int32_t Width READ GetWidth WRITE SetWidth)
    Q_PROPERTY(bool UsePointsColor READ GetUsePointsColor WRITE SetUsePointsColor)
    Q_CLASSINFO("default:Visible", "False")
    Q_CLASSINFO("type:Color", "TColor")
    Q_CLASSINFO("default:Color", "clRed")
    Q_CLASSINFO("default:Width", "1")
    Q_CLASSINFO("default:UsePointsColor", "True")
public:
    explicit TKvWaterfallMarkerGroupLine(TKvWaterfallMarkerGroup* AOwner);

    TKvWaterfallMarkerGroup* Group() const { return FOwner; }
    bool GetVisible() const { return FLock->Getter(FVisible); }
    void SetVisible(bool AValue);
    TColor GetColor() const;
    void SetColor(TColor AValue);
    int32_t GetWidth() const { return FLock->Getter(FWidth); }
    // Clamped to 1..2000 pixels.
    void SetWidth(int32_t AValue);
    bool GetUsePointsColor() const { return FLock->Getter(FUsePointsColor); }
    void SetUsePointsColor(bool AValue);

    static constexpr int32_t MinWidth = 1;
    static constexpr int32_t MaxWidth = 2000;

protected:
    ~TKvWaterfallMarkerGroupLine() override;

private:
    void Repaint();

    TKvWaterfallMarkerGroup* const FOwner;
    bool FVisible = false;
    TColor FColor = 0x0000FF;
    int32_t FWidth = 1;
    bool FUsePointsColor = true;
};

class TKvWaterfallMarkerGroup : public TKvDisplayMarkerGroup {
    Q_OBJECT
    Q_PROPERTY(TKvWaterfallMarkers* Markers READ GetMarkers WRITE SetMarkers)
    Q_PROPERTY(TKvWaterfallMarkerGroupLine* Line READ GetLine WRITE SetLine)
    Q_PROPERTY(KvWaterfallMarker::TKvWaterfallMarkerMode Mode READ GetMode WRITE SetMode)
    Q_CLASSINFO("default:Mode", "mmRelative")
public:
    explicit TKvWaterfallMarkerGroup(TCollection* ACollection);

    TKvWaterfallMarkerGroups* Groups() const;
    TKvWaterfallMarkers* GetMarkers() const { return FMarkers.get(); }
    // Copies the markers of AValue.
    void SetMarkers(TKvWaterfallMarkers* AValue) { FMarkers->Assign(AValue); }
    TKvWaterfallMarkerGroupLine* GetLine() const { return FLine.get(); }
    void SetLine(TKvWaterfallMarkerGroupLine* AValue) { FLine->Assign(AValue); }
    TKvWaterfallMarkerMode GetMode() const;
    void SetMode(TKvWaterfallMarkerMode AValue);

    // The distance in pixels from control point (X, Y) to the group as last
    // drawn: 0 on a marker (which ASelectedMarker then names), else the
    // distance to the nearest line between consecutive markers, 10000 when
    // there is no such line.
    double HitTest(int32_t X, int32_t Y, TKvWaterfallMarker*& ASelectedMarker);

    // Marker highlighting is on and the group is under the mouse or
    // highlighted from the legend.
    bool IsHighlighted() override;
    // From the legend.
    void SetHighlighted(bool AState) override { SetExternalHighlight(AState); }
    // On: the group is highlighted from outside when the highlighting
    // settings allow it; off: no group is.
    void SetExternalHighlight(bool AOn);

protected:
    ~TKvWaterfallMarkerGroup() override;

private:
    TOwned<TKvWaterfallMarkers> FMarkers;
    TOwned<TKvWaterfallMarkerGroupLine> FLine;
    TKvWaterfallMarkerMode FMode = mmRelative;
};

// The waterfall's marker groups, sharing its lock. A new group takes the
// palette colour the fewest groups use. The collection also keeps what the
// mouse and the legend highlight.
class TKvWaterfallMarkerGroups : public TKvDisplayMarkerGroups {
    Q_OBJECT
public:
    explicit TKvWaterfallMarkerGroups(TKvBasicWaterfall* AWaterfall);

    TKvBasicWaterfall* Waterfall() const;
    TKvWaterfallMarkerGroup* Add();
    TKvWaterfallMarkerGroup* Items(int AIndex) const;

    // Under the write lock: every group loses its markers.
    void ClearAllMarkers();
    // The image moved ARows rows toward the old end: markers of relative
    // groups follow, and those that leave the history (X below 0) are deleted.
    void ShiftRelativeMarkers(int32_t ARows);

    // The overlay pass: lines and markers of the visible groups over the
    // data view of the display's bitmap canvas.
    void Draw(THxCanvas& ACanvas, bool APrinting);

    // Tests control point (X, Y) against every group, last first: the
    // nearest group closer than 3 pixels becomes the highlighted group (on a
    // tie the later group), and with HiglightFromMouse the marker it hit the
    // highlighted marker. With AInside false, or with marker highlighting
    // off, nothing is highlighted. True when the highlight changed.
    bool RefreshHighlighting(bool AInside, int32_t X, int32_t Y);
    // Nothing highlighted, from the mouse or from outside.
    void ClearHighlighting();

    TKvWaterfallMarkerGroup* HighlightedGroup() const { return FHighlightedGroup; }
    TKvWaterfallMarker* HighlightedMarker() const { return FHighlightedMarker; }
    TKvWaterfallMarkerGroup* ExtHighlightGroup() const { return FExtHighlightGroup; }
    void SetExtHighlightGroup(TKvWaterfallMarkerGroup* AGroup) { FExtHighlightGroup = AGroup; }

    // The colours new groups take, in order of preference.
    static const TColor DefaultMarkerGroupPalette[14];

protected:
    ~TKvWaterfallMarkerGroups() override;
    void Notify(TCollectionItem* AItem, TCollectionNotification AAction) override;

private:
    TColor LeastUsedColor() const;
    // A group or marker going away is no longer highlighted.
    void Forget(TCollectionItem* AItem);
    friend class TKvWaterfallMarkers;

    TKvWaterfallMarkerGroup* FHighlightedGroup = nullptr;
    TKvWaterfallMarker* FHighlightedMarker = nullptr;
    TKvWaterfallMarkerGroup* FExtHighlightGroup = nullptr;
};
