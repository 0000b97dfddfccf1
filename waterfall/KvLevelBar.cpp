#include "waterfall/KvLevelBar.h"

#include "foundation/HxCanvas.h"
#include "waterfall/KvLevelColors.h"

#include <algorithm>
#include <cmath>

TKvLevelBar::TKvLevelBar(TKvViewAlign AAlign, const TRect& AView, int32_t ADataStart,
                         int32_t ADataLength, int32_t ABarWidth)
    : FAlign(AAlign), FView(AView), FDataStart(ADataStart), FDataLength(ADataLength),
      FBarWidth(std::max(ABarWidth, 0)) {
    // The edge pixel facing the data view and the way out of it.
    switch (FAlign) {
    case vaLeft:
        FInnerEdge = AView.Right - 1;
        FOutward = -1;
        break;
    case vaTop:
        FInnerEdge = AView.Bottom - 1;
        FOutward = -1;
        break;
    case vaBottom:
        FInnerEdge = AView.Top;
        FOutward = 1;
        break;
    case vaRight:
    default:
        FInnerEdge = AView.Left;
        FOutward = 1;
        break;
    }
}

std::optional<int32_t> TKvLevelBar::TrackPixel(const TKvLevelRange& ARange, double AValue) const {
    if (Length() < 0)
        return std::nullopt;
    const std::optional<int32_t> p = ARange.BarPosition(AValue, Length());
    if (!p || *p < 0 || *p > Length())
        return std::nullopt;
    return AlongOf(*p);
}

void TKvLevelBar::DrawBar(THxCanvas& ACanvas, const TKvLevelColorMap& AMap) const {
    const int32_t length = Length();
    const int32_t from = Across(BarOffset);
    const int32_t to = Across(BarOffset + FBarWidth);
    ACanvas.GetPen().SetStyle(lpsSolid);
    for (int32_t i = 0; i <= length; ++i) {
        const double fraction = Vertical() ? length - i : i;
        ACanvas.GetPen().SetColor(AMap.ValueToColor(fraction, length));
        const int32_t along = FDataStart + i;
        if (Vertical()) {
            ACanvas.MoveTo(from, along);
            ACanvas.LineTo(to, along);
        } else {
            ACanvas.MoveTo(along, from);
            ACanvas.LineTo(along, to);
        }
    }
}

void TKvLevelBar::DrawTrackMark(THxCanvas& ACanvas, int32_t AAlong, TColor AColor,
                                int32_t ATrackSize) const {
    ACanvas.GetPen().SetStyle(lpsSolid);
    ACanvas.GetPen().SetColor(AColor);
    if (Vertical()) {
        ACanvas.MoveTo(Across(4), AAlong);
        ACanvas.LineTo(Across(ATrackSize), AAlong);
    } else {
        ACanvas.MoveTo(AAlong, Across(4));
        ACanvas.LineTo(AAlong, Across(ATrackSize));
    }
}

void TKvLevelBar::DrawAxisLine(THxCanvas& ACanvas, TColor AColor) const {
    if (Length() < 0)
        return;
    ACanvas.GetPen().SetStyle(lpsSolid);
    ACanvas.GetPen().SetColor(AColor);
    const int32_t across = Across(AxisLineDistance());
    // Through the bar's last pixel, which LineTo leaves out.
    if (Vertical()) {
        ACanvas.MoveTo(across, FDataStart);
        ACanvas.LineTo(across, FDataStart + Length() + 1);
    } else {
        ACanvas.MoveTo(FDataStart, across);
        ACanvas.LineTo(FDataStart + Length() + 1, across);
    }
}

TKvAxisRange TKvLevelBar::AxisRange(double AMin, double AMax) {
    if (AMin == AMax)
        return {AMin, AMin + 1.0};
    return {AMin, AMax};
}

std::vector<TKvAxisTick> TKvLevelBar::Ticks(TKvAxisRange ARange, double AStep, double AMinDistance,
                                            int32_t AMinorCount) const {
    if (Length() < 0 || !std::isfinite(ARange.Min) || !std::isfinite(ARange.Max))
        return {};
    TKvTickPassInput pass;
    // The tick pass wants the lower limit first; a reversed level range
    // still puts its minimum at the bar's minimum end.
    const bool reversed = ARange.Min > ARange.Max;
    pass.Range = reversed ? TKvAxisRange{ARange.Max, ARange.Min} : ARange;
    pass.Step = AStep;
    pass.ScaleMode = smLinear;
    // The minimum at the bottom of a vertical bar, at the left of a horizontal one.
    pass.Mapping = KvGetPixelMapping(pass.Range, Length() + 1, false, !Vertical() != reversed);
    pass.Start = FDataStart;
    pass.End = FDataStart + Length() + 1;
    pass.MinDistance = AMinDistance;
    pass.MinorCount = AMinorCount;
    return KvTickPass(pass);
}

void TKvLevelBar::DrawTicks(THxCanvas& ACanvas, const std::vector<TKvAxisTick>& ATicks,
                            const std::function<QString(double)>& ATickText) const {
    const int32_t line = AxisLineDistance();
    ACanvas.GetBrush().SetStyle(lbsClear);
    for (const TKvAxisTick& tick : ATicks) {
        if (Vertical()) {
            // As a side axis draws them: ticks 2 to 8 pixels out, the label at 10.
            ACanvas.MoveTo(Across(line + 2), tick.Pixel);
            ACanvas.LineTo(Across(line + (tick.Minor ? 6 : 8)), tick.Pixel);
        } else {
            // A horizontal bar leaves only the label's height beyond its line.
            ACanvas.MoveTo(tick.Pixel, Across(line + 1));
            ACanvas.LineTo(tick.Pixel, Across(line + (tick.Minor ? 2 : 3)));
        }
        if (tick.Minor)
            continue;
        const QString text = ATickText(tick.Value);
        const TSize extent = ACanvas.TextExtent(text);
        switch (FAlign) {
        case vaRight:
            ACanvas.TextOut(Across(line + 10), tick.Pixel - extent.cy / 2, text);
            break;
        case vaLeft:
            ACanvas.TextOut(Across(line + 10) - extent.cx + 1, tick.Pixel - extent.cy / 2, text);
            break;
        case vaBottom:
            ACanvas.TextOut(tick.Pixel - extent.cx / 2, Across(line + 2), text);
            break;
        case vaTop:
            ACanvas.TextOut(tick.Pixel - extent.cx / 2, Across(line + 2) - extent.cy + 1, text);
            break;
        }
    }
}

TRect TKvLevelBar::CaptionRect(TSize AExtent) const {
    // Along: centred on the bar; across: one pixel inside the outer edge.
    const int32_t centre = FDataStart + std::max(Length(), 0) / 2;
    switch (FAlign) {
    case vaLeft: // rotated by 90 degrees: reads upwards
        return TRect{FView.Left + 1, centre - AExtent.cx / 2, FView.Left + 1 + AExtent.cy,
                     centre - AExtent.cx / 2 + AExtent.cx};
    case vaRight: // rotated by 270 degrees: reads downwards
        return TRect{FView.Right - 1 - AExtent.cy, centre - AExtent.cx / 2, FView.Right - 1,
                     centre - AExtent.cx / 2 + AExtent.cx};
    case vaTop:
        return TRect{centre - AExtent.cx / 2, FView.Top + 1, centre - AExtent.cx / 2 + AExtent.cx,
                     FView.Top + 1 + AExtent.cy};
    case vaBottom:
    default:
        return TRect{centre - AExtent.cx / 2, FView.Bottom - 1 - AExtent.cy,
                     centre - AExtent.cx / 2 + AExtent.cx, FView.Bottom - 1};
    }
}

void TKvLevelBar::DrawCaption(THxCanvas& ACanvas, const QString& AText, TSize AExtent) const {
    const TRect r = CaptionRect(AExtent);
    ACanvas.GetBrush().SetStyle(lbsClear);
    // Rotated text turns about the top-left corner of its cell.
    switch (FAlign) {
    case vaLeft:
        ACanvas.SetFontAngle(90);
        ACanvas.TextOut(r.Left, r.Bottom, AText);
        break;
    case vaRight:
        ACanvas.SetFontAngle(270);
        ACanvas.TextOut(r.Right, r.Top, AText);
        break;
    default:
        ACanvas.SetFontAngle(0);
        ACanvas.TextOut(r.Left, r.Top, AText);
        break;
    }
    ACanvas.SetFontAngle(0);
}

void TKvLevelBar::DrawCaptionButton(THxCanvas& ACanvas, const TRect& ARect, TColor AFill,
                                    TColor ABorder) {
    ACanvas.GetPen().SetStyle(lpsSolid);
    ACanvas.GetPen().SetColor(ABorder);
    ACanvas.GetBrush().SetStyle(lbsSolid);
    ACanvas.GetBrush().SetColor(AFill);
    ACanvas.Rectangle(ARect);
}

TKvLevelViewSize LevelViewSize(bool AVertical, int32_t ABarWidth, bool AAxisVisible,
                               int32_t ALabelWidth, int32_t AXgHeight, bool ACaptionVisible,
                               int32_t ACaptionHeight) {
    TKvLevelViewSize size;
    size.Thickness = ABarWidth + 4;
    if (AAxisVisible)
        size.Thickness += AVertical ? ALabelWidth + 9 : AXgHeight + 2;
    size.TrackSize = size.Thickness - 2;
    if (ACaptionVisible)
        size.Thickness += ACaptionHeight + 2;
    if (!AAxisVisible && !ACaptionVisible)
        size.Thickness += 2;
    return size;
}

int32_t LevelViewExtent(bool AVertical, int32_t ALabelWidth, int32_t AXgHeight) {
    return std::max(LevelViewBareExtent(AVertical, ALabelWidth, AXgHeight) + 4, 20);
}

int32_t LevelViewBareExtent(bool AVertical, int32_t ALabelWidth, int32_t AXgHeight) {
    return AVertical ? AXgHeight : ALabelWidth;
}
