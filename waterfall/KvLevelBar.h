#pragma once
// Where the parts of a level view lie and how they are painted: the colour
// bar beside the data view, the tracking mark, the value axis beyond the bar
// and the caption at the view's outer edge. Distances across the view are
// counted from the view's edge that faces the data view (distance 0 is that
// edge's pixel), so one set of rules serves all four sides.
//
// Across, from the data view outwards: 2 pixels of gap, the bar (BarWidth),
// 2 pixels of gap ending with the axis line, the ticks and labels, and the
// caption.

#include "display/KvAxisTicks.h"
#include "display/KvScopeTypes.h"
#include "platform/Colors.h"
#include "platform/Geometry.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class THxCanvas;
class TKvLevelColorMap;
class TKvLevelRange;

class TKvLevelBar {
public:
    // AView: the level view's rectangle (right and bottom exclusive).
    // ADataStart and ADataLength: the data view's first pixel and its length
    // (the framework's width or height) along the bar.
    TKvLevelBar(TKvViewAlign AAlign, const TRect& AView, int32_t ADataStart, int32_t ADataLength,
                int32_t ABarWidth);

    TKvViewAlign Align() const { return FAlign; }
    bool Vertical() const { return FAlign == vaLeft || FAlign == vaRight; }
    // The bar's last pixel index: it has Length() + 1 pixels, from the data
    // view's start; negative when there is no room.
    int32_t Length() const { return FDataLength - 1; }
    int32_t DataStart() const { return FDataStart; }
    int32_t BarWidth() const { return FBarWidth; }

    // The pixel coordinate across the view at ADistance from the edge that
    // faces the data view.
    int32_t Across(int32_t ADistance) const { return FInnerEdge + ADistance * FOutward; }
    int32_t Outward() const { return FOutward; }
    // Distances of the bar's first pixel and of the axis line.
    static constexpr int32_t BarOffset = 2;
    int32_t AxisLineDistance() const { return BarOffset + FBarWidth + 1; }

    // The pixel along the bar that shows bar position APosition (0 = minimum):
    // counted from the bottom of a vertical bar, from the left of a horizontal one.
    int32_t AlongOf(int32_t APosition) const {
        return Vertical() ? FDataStart + Length() - APosition : FDataStart + APosition;
    }
    // Where AValue lies along the bar, when it is inside the bar's extent.
    std::optional<int32_t> TrackPixel(const TKvLevelRange& ARange, double AValue) const;

    // One line BarWidth long per pixel along the bar, in the colour of its
    // fraction: maximum at the top or the right.
    void DrawBar(THxCanvas& ACanvas, const TKvLevelColorMap& AMap) const;
    // The tracking mark across the view at AAlong, from distance 4 to ATrackSize.
    void DrawTrackMark(THxCanvas& ACanvas, int32_t AAlong, TColor AColor, int32_t ATrackSize) const;
    // The axis line along the bar's extent.
    void DrawAxisLine(THxCanvas& ACanvas, TColor AColor) const;

    // The level range [AMin, AMax] (transformed already) as the axis maps it
    // onto the bar; an empty range counts as 1 wide.
    static TKvAxisRange AxisRange(double AMin, double AMax);
    // The tick pass over the bar for ARange with AStep, ticks AMinDistance apart.
    std::vector<TKvAxisTick> Ticks(TKvAxisRange ARange, double AStep, double AMinDistance,
                                   int32_t AMinorCount) const;
    // Tick lines and labels beyond the axis line, in the canvas's pen and
    // font (set by the caller).
    void DrawTicks(THxCanvas& ACanvas, const std::vector<TKvAxisTick>& ATicks,
                   const std::function<QString(double)>& ATickText) const;

    // The caption's rectangle for a text of AExtent (unrotated width and
    // height), at the view's outer edge, centred along the bar.
    TRect CaptionRect(TSize AExtent) const;
    // The caption text in the canvas's font, rotated on vertical bars.
    void DrawCaption(THxCanvas& ACanvas, const QString& AText, TSize AExtent) const;
    // The caption's button: filled in AFill and framed, corners included, in ABorder.
    static void DrawCaptionButton(THxCanvas& ACanvas, const TRect& ARect, TColor AFill,
                                  TColor ABorder);

private:
    TKvViewAlign FAlign;
    TRect FView;
    int32_t FDataStart;
    int32_t FDataLength;
    int32_t FBarWidth;
    int32_t FInnerEdge;
    int32_t FOutward;
};

// The level view's thickness across its edge and the length of its tracking
// mark, from the sizes of its parts.
struct TKvLevelViewSize {
    int32_t Thickness = 0;
    int32_t TrackSize = 0;
};

// ALabelWidth: the wider tick text of minimum and maximum; AXgHeight: the
// height of "Xg" in the axis font; ACaptionHeight: the caption's text height.
TKvLevelViewSize LevelViewSize(bool AVertical, int32_t ABarWidth, bool AAxisVisible,
                               int32_t ALabelWidth, int32_t AXgHeight, bool ACaptionVisible,
                               int32_t ACaptionHeight);

// The extent the view reports to the layout along its edge: the "Xg" height
// (vertical bars) or the wider tick text (horizontal bars), with a margin of
// 4 and at least 20; and the same measure without either.
int32_t LevelViewExtent(bool AVertical, int32_t ALabelWidth, int32_t AXgHeight);
int32_t LevelViewBareExtent(bool AVertical, int32_t ALabelWidth, int32_t AXgHeight);
