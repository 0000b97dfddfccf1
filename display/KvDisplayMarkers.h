#pragma once
// Marker groups and their markers: points the user places on a display's
// data area, drawn as small shapes with optional crosshair lines and a
// label. A group gives its markers their look; displays derive both to say
// where markers are and what values they show.

#include "display/KvDisplayCollectionItems.h"
#include "display/KvDisplayMarkerSettings.h"
#include "display/KvScopeTypes.h"
#include "foundation/HxCanvasTypes.h"
#include "foundation/KvDisplayBrush.h"
#include "foundation/KvDisplayPen.h"
#include "platform/Geometry.h"

class TKvDisplayMarker;

class TKvDisplayMarkerGroup : public TKvOptionalDisplayCollectionItem {
    Q_OBJECT
    Q_PROPERTY(TKvDisplayBrush* Brush READ GetBrush WRITE SetBrush)
    Q_PROPERTY(TKvDisplayPen* Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(HxDraw::TKvDisplayMarkerShape Shape READ GetShape WRITE SetShape)
    Q_PROPERTY(TKvDisplayMarkerCrosshairLines* CrosshairLines READ GetCrosshairLines WRITE
                   SetCrosshairLines)
    Q_PROPERTY(uint32_t Size READ GetSize WRITE SetSize)
    Q_PROPERTY(TKvMarkerGroupLabel* Labels READ GetLabels WRITE SetLabels)
    Q_PROPERTY(bool CanDrag READ GetCanDrag WRITE SetCanDrag)
    Q_CLASSINFO("default:Shape", "msPlus")
    Q_CLASSINFO("default:Size", "3")
    Q_CLASSINFO("default:CanDrag", "False")
public:
    // Named "MarkerGroup" and the collection's item count, itself included.
    explicit TKvDisplayMarkerGroup(TCollection* ACollection);

    TKvDisplayBrush* GetBrush() const { return FBrush.get(); }
    // Pen, brush, lines and labels are copied into the owned objects.
    void SetBrush(TKvDisplayBrush* AValue);
    TKvDisplayPen* GetPen() const { return FPen.get(); }
    void SetPen(TKvDisplayPen* AValue);
    TKvDisplayMarkerShape GetShape() const;
    void SetShape(TKvDisplayMarkerShape AValue);
    TKvDisplayMarkerCrosshairLines* GetCrosshairLines() const { return FCrosshairLines.get(); }
    void SetCrosshairLines(TKvDisplayMarkerCrosshairLines* AValue);
    // Half the marker's extent, in pixels.
    uint32_t GetSize() const { return FLock->Getter(FSize); }
    void SetSize(uint32_t AValue);
    TKvMarkerGroupLabel* GetLabels() const { return FLabels.get(); }
    void SetLabels(TKvMarkerGroupLabel* AValue);
    bool GetCanDrag() const { return FLock->Getter(FCanDrag); }
    void SetCanDrag(bool AValue) { FLock->Setter(FCanDrag, AValue, nullptr); }

    // The group's shape at (X + 6, Y) in its pen and brush; always drawn.
    bool DrawLegendSymbol(THxCanvas* ACanvas, int32_t Y, int32_t X) override;
    // Anything else about the group changed: lay the display out again.
    void LockChanged() override;
    // Stores OnClick by the name of the root's method that handles it.
    void DefineProperties(TFiler& AFiler) override;

protected:
    ~TKvDisplayMarkerGroup() override;

private:
    void Repaint();

    QString FOnClickName;

    TOwned<TKvDisplayBrush> FBrush;
    TOwned<TKvDisplayPen> FPen;
    TKvDisplayMarkerShape FShape = msPlus;
    TOwned<TKvDisplayMarkerCrosshairLines> FCrosshairLines;
    uint32_t FSize = 3;
    TOwned<TKvMarkerGroupLabel> FLabels;
    bool FCanDrag = false;
};

// A collection of marker groups, owned by a display.
class TKvDisplayMarkerGroups : public TKvDisplayCollection {
    Q_OBJECT
public:
    TKvDisplayMarkerGroups(TKvDataDisplay* ADisplay, TComponent* AOwner, const THxLockPtr& ALock,
                           TItemFactory AItemFactory);

    TKvDisplayMarkerGroup* Group(int32_t AIndex) const;

protected:
    ~TKvDisplayMarkerGroups() override;
};

// A group's markers.
class TKvDisplayMarkers : public TKvDisplayCollection {
    Q_OBJECT
public:
    TKvDisplayMarkers(TKvDisplayMarkerGroup* AGroup, TItemFactory AItemFactory);

    TKvDisplayMarkerGroup* Group() const { return FGroup; }
    TKvDisplayMarker* Marker(int32_t AIndex) const;

protected:
    ~TKvDisplayMarkers() override;

private:
    TKvDisplayMarkerGroup* const FGroup;
};

class TKvDisplayMarker : public TKvDisplaySelectableCollectionItem {
    Q_OBJECT
public:
    // ACollection must be a TKvDisplayMarkers (raises Exception otherwise).
    // Named "Marker" and the collection's item count, itself included.
    explicit TKvDisplayMarker(TCollection* ACollection);

    TKvDisplayMarkerGroup* Group() const { return FGroup; }
    // Where the marker was last drawn (before a vertical display exchanges
    // the coordinates); X is -10000 while it has not been drawn.
    TPoint DrawPoint() const { return FDrawPoint; }
    bool WasDrawn() const { return FDrawPoint.X >= 0; }
    int32_t GetChannelIndex() const { return FChannelIndex; }
    void SetChannelIndex(int32_t AValue) { FChannelIndex = AValue; }

    // Draws the marker at APosition with the group's look: when highlighted
    // or selected (and not printing) first an enlarged copy in the highlight
    // colour, then crosshair lines, shape and label. ADispRect is the data
    // view the crosshair lines run to; AValue is what the label shows.
    void Draw(THxCanvas& ACanvas, const TRect& ADispRect, TPoint APosition,
              const TKvRealPoint& AValue, bool APrinting);
    // Forgets where the marker was drawn: it cannot be hit until drawn again.
    void ClearDrawData() { FDrawPoint = Point(-10000, 0); }

    virtual TColor GetHighlightColor() = 0;
    // The label next to the screen point (X, Y), placed by the group's
    // label position.
    virtual void DrawLabel(THxCanvas& ACanvas, int32_t X, const TKvRealPoint& AValue, int32_t Y);
    virtual bool IsSelected();

    // The marker changed: lay the display out again.
    void LockChanged() override;

protected:
    ~TKvDisplayMarker() override;

private:
    TKvDisplayMarkerGroup* const FGroup;
    TPoint FDrawPoint = Point(-10000, 0);
    int32_t FChannelIndex = 0;
};

// Draws a marker shape (see DrawMarkerShape) with a size that cannot
// overflow the shape arithmetic.
void DrawBoundedMarkerShape(THxCanvas& ACanvas, int32_t X, int32_t Y, bool AVertical,
                            int32_t AExtra, uint32_t ASize, TKvDisplayMarkerShape AShape);

// Whether (X, Y) lies on the marker's hot rectangle where it was last drawn;
// never for a marker that was not drawn.
bool MarkerHitTest(const TKvDisplayMarker& AMarker, int32_t X, int32_t Y);

// The position at which to draw a marker for a data point on ADisplay's
// data view, through the display's current visible ranges: X along the
// view's width and Y upwards from its bottom; on a vertical display X runs
// down the view's height and Y rightwards across its width, and Draw
// exchanges the two. False when either value has no pixel (not a number, or
// an empty range); far values give far pixels that draw nothing visible.
bool MarkerDrawPosition(TKvDataDisplay& ADisplay, const TKvRealPoint& AValue, TPoint& APosition);
