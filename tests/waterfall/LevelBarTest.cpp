// The level bar painted into a bitmap at each side of the data view: every
// pixel's colour comes from the mapping at the position the bar's rules
// give, the tracking mark lies where the value falls, ticks where the range
// puts them. Positions are worked out here from the rules, per side.

#include "foundation/GmBasicBitmap.h"
#include "foundation/HxCanvasImpl.h"
#include "foundation/KvDisplayFont.h"
#include "waterfall/KvLevelBar.h"
#include "waterfall/KvLevelColors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const TColor Paper = RGBColor(200, 220, 240);

struct TSurface {
    TSurface() : Canvas(Bitmap.Canvas()) {
        Bitmap.SetPixelFormat(pf32bit);
        Bitmap.SetSize(160, 140);
        Bitmap.Canvas().Brush().SetColor(Paper);
        Bitmap.Canvas().FillRect(Rect(0, 0, 160, 140));
    }
    TColor At(int32_t X, int32_t Y) const {
        const uint8_t* p = Bitmap.DataPtr() + Y * Bitmap.RowStride() + X * 4;
        return RGBColor(p[2], p[1], p[0]);
    }
    TGmBasicBitmap Bitmap;
    THxCanvasImpl Canvas;
};

// A level view on each side of a data view spanning x 40..119, y 30..99
// (framework width 79 and height 69: the bar has 69 and 79 pixels).
struct TSide {
    TKvViewAlign Align;
    TRect View;
};
constexpr int32_t DataLeft = 40, DataTop = 30, DataWidth = 79, DataHeight = 69;
const TSide Sides[] = {
    {vaRight, {121, 30, 151, 101}},
    {vaLeft, {5, 30, 38, 101}},
    {vaTop, {40, 2, 121, 28}},
    {vaBottom, {40, 102, 121, 136}},
};

TKvLevelBar BarOf(const TSide& ASide, int32_t ABarWidth = 14) {
    const bool vertical = ASide.Align == vaLeft || ASide.Align == vaRight;
    return TKvLevelBar(ASide.Align, ASide.View, vertical ? DataTop : DataLeft,
                       vertical ? DataHeight : DataWidth, ABarWidth);
}

// The pixel at ADistance from the view's edge that faces the data view,
// at AAlong along the bar; worked out per side.
TPoint PixelAt(const TSide& ASide, int32_t AAlong, int32_t ADistance) {
    switch (ASide.Align) {
    case vaRight:
        return {ASide.View.Left + ADistance, AAlong};
    case vaLeft:
        return {ASide.View.Right - 1 - ADistance, AAlong};
    case vaBottom:
        return {AAlong, ASide.View.Top + ADistance};
    case vaTop:
    default:
        return {AAlong, ASide.View.Bottom - 1 - ADistance};
    }
}

TEST(LevelBar, EveryPixelHasTheColourOfItsPlaceAtEachSide) {
    const TColor Five[] = {clNavy, clBlue, clLime, clYellow, clRed};
    const TKvLevelColorMap Maps[] = {TKvLevelColorMap(), TKvLevelColorMap(false, Five)};
    for (const TSide& side : Sides) {
        for (const TKvLevelColorMap& map : Maps) {
            for (const int32_t barWidth : {14, 3}) {
                SCOPED_TRACE(testing::Message() << "side " << side.Align << " width " << barWidth);
                TSurface s;
                BarOf(side, barWidth).DrawBar(s.Canvas, map);
                const bool vertical = side.Align == vaLeft || side.Align == vaRight;
                const int32_t length = (vertical ? DataHeight : DataWidth) - 1;
                for (int32_t i = 0; i <= length; ++i) {
                    // The maximum at the top of a vertical bar, at the right
                    // of a horizontal one.
                    const TColor expected = vertical ? map.ValueToColor(length - i, length)
                                                     : map.ValueToColor(i, length);
                    const int32_t along = (vertical ? DataTop : DataLeft) + i;
                    for (int32_t d = 0; d < barWidth + 4; ++d) {
                        const TPoint p = PixelAt(side, along, d);
                        const bool inBar = d >= 2 && d < 2 + barWidth;
                        ASSERT_EQ(s.At(p.X, p.Y), inBar ? expected : Paper)
                            << "along " << along << " distance " << d;
                    }
                }
                // Nothing before the data view's start or past the bar's end.
                for (int32_t d = 2; d < 2 + barWidth; ++d)
                    for (const int32_t along : {(vertical ? DataTop : DataLeft) - 1,
                                                (vertical ? DataTop : DataLeft) + length + 1}) {
                        const TPoint p = PixelAt(side, along, d);
                        EXPECT_EQ(s.At(p.X, p.Y), Paper);
                    }
                // The ends carry the scale's ends.
                const TPoint top = PixelAt(side, vertical ? DataTop : DataLeft + length, 2);
                EXPECT_EQ(s.At(top.X, top.Y), map.ValueToColor(1, 1));
            }
        }
    }
}

TEST(LevelBar, TrackingMarkLiesWhereTheValueFalls) {
    const TKvLevelRange range(-50.0, 150.0, false);
    constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
    for (const TSide& side : Sides) {
        SCOPED_TRACE(testing::Message() << "side " << side.Align);
        const TKvLevelBar bar = BarOf(side);
        const bool vertical = side.Align == vaLeft || side.Align == vaRight;
        const int32_t length = (vertical ? DataHeight : DataWidth) - 1;
        for (const double value : {0.0, 37.5, 150.0, -50.0, NaN}) {
            // rnd(fraction * length) from the minimum end; NaN sits at the bottom.
            const double fraction = std::isnan(value) ? 0.0 : (value + 50.0) / 200.0;
            const auto p = static_cast<int32_t>(std::nearbyint(fraction * length));
            const int32_t along = vertical ? DataTop + length - p : DataLeft + p;
            ASSERT_EQ(bar.TrackPixel(range, value), along) << value;

            TSurface s;
            bar.DrawTrackMark(s.Canvas, along, clRed, 25);
            for (int32_t d = 0; d <= 25; ++d) {
                const TPoint q = PixelAt(side, along, d);
                EXPECT_EQ(s.At(q.X, q.Y), d >= 4 && d < 25 ? clRed : Paper) << d;
            }
        }
        // Values off the bar have no mark.
        EXPECT_FALSE(bar.TrackPixel(range, 160.0));
        EXPECT_FALSE(bar.TrackPixel(range, -60.0));
        EXPECT_FALSE(bar.TrackPixel(range, std::numeric_limits<double>::infinity()));
    }
    // A logarithmic range places the transformed value.
    const TKvLevelRange log(0.0, 999.0, true);
    const TKvLevelBar right = BarOf(Sides[0]);
    const int32_t length = DataHeight - 1;
    EXPECT_EQ(right.TrackPixel(log, 9.0),
              DataTop + length - static_cast<int32_t>(std::nearbyint(length / 3.0)));
}

TEST(LevelBar, AxisLineAndTicksFollowTheRange) {
    for (const TSide& side : Sides) {
        SCOPED_TRACE(testing::Message() << "side " << side.Align);
        const TKvLevelBar bar = BarOf(side, 10);
        const bool vertical = side.Align == vaLeft || side.Align == vaRight;
        const int32_t length = (vertical ? DataHeight : DataWidth) - 1;
        const int32_t start = vertical ? DataTop : DataLeft;
        TSurface s;
        s.Canvas.GetPen().SetColor(clWhite);
        bar.DrawAxisLine(s.Canvas, clWhite);
        // The line lies 2 pixels beyond the bar (distance 2 + 10 + 1), along
        // the whole bar.
        for (int32_t along = start; along <= start + length; ++along) {
            const TPoint p = PixelAt(side, along, 13);
            ASSERT_EQ(s.At(p.X, p.Y), clWhite) << along;
        }
        const TPoint before = PixelAt(side, start - 1, 13);
        EXPECT_EQ(s.At(before.X, before.Y), Paper);

        // 0..1000 in steps of 250: a tick at rnd(v / 1000 * length) from the minimum end.
        const std::vector<TKvAxisTick> ticks =
            bar.Ticks(TKvLevelBar::AxisRange(0, 1000), 250, 1, 0);
        std::vector<std::pair<double, int32_t>> got;
        for (const TKvAxisTick& t : ticks)
            got.emplace_back(t.Value, t.Pixel);
        std::sort(got.begin(), got.end());
        std::vector<std::pair<double, int32_t>> expected;
        for (const double v : {0.0, 250.0, 500.0, 750.0, 1000.0}) {
            const auto p = static_cast<int32_t>(std::nearbyint(v / 1000 * length));
            expected.emplace_back(v, vertical ? start + length - p : start + p);
        }
        EXPECT_EQ(got, expected);

        // A reversed range keeps its minimum at the minimum end.
        const std::vector<TKvAxisTick> reversed =
            bar.Ticks(TKvLevelBar::AxisRange(1000, 0), 500, 1, 0);
        for (const TKvAxisTick& t : reversed) {
            const auto p = static_cast<int32_t>(std::nearbyint((1000 - t.Value) / 1000 * length));
            EXPECT_EQ(t.Pixel, vertical ? start + length - p : start + p) << t.Value;
        }
    }
}

TEST(LevelBar, LabelsStayInsideAViewOfTheRuledSize) {
    const TOwned<TKvDisplayFont> font = MakeOwned<TKvDisplayFont>();
    font->SetName(QStringLiteral("Arial"));
    font->SetUniSize(8);
    font->SetColor(clWhite);
    for (const TKvViewAlign align : {vaRight, vaLeft}) {
        SCOPED_TRACE(testing::Message() << "side " << align);
        TSurface s;
        s.Canvas.SetFromDisplayFont(font.get());
        const auto text = [](double AValue) { return QString::number(AValue); };
        const int32_t labelWidth =
            std::max(s.Canvas.TextWidth(text(-1000)), s.Canvas.TextWidth(text(1000)));
        const int32_t xg = s.Canvas.TextHeight(QStringLiteral("Xg"));
        const TKvLevelViewSize size = LevelViewSize(true, 14, true, labelWidth, xg, false, 0);
        const TRect view = align == vaRight ? TRect{121, 30, 121 + size.Thickness, 101}
                                            : TRect{38 - size.Thickness, 30, 38, 101};
        const TKvLevelBar bar(align, view, DataTop, DataHeight, 14);
        s.Canvas.GetPen().SetColor(clWhite);
        bar.DrawAxisLine(s.Canvas, clWhite);
        bar.DrawTicks(s.Canvas, bar.Ticks({-1000, 1000}, 500, 1, 0), text);
        bool inked = false;
        for (int32_t y = 0; y < 140; ++y)
            for (int32_t x = 0; x < 160; ++x)
                if (s.At(x, y) != Paper) {
                    inked = true;
                    // Across the view's thickness; along, the end labels
                    // reach into the margins the view asks the layout for.
                    ASSERT_TRUE(x >= view.Left && x < view.Right) << x << " " << y;
                    ASSERT_TRUE(y >= view.Top - xg && y < view.Bottom + xg) << x << " " << y;
                }
        EXPECT_TRUE(inked);
    }
}

TEST(LevelBar, EmptyRangeCountsAsOneWide) {
    EXPECT_EQ(TKvLevelBar::AxisRange(5, 5), (TKvAxisRange{5, 6}));
    const TKvLevelBar bar = BarOf(Sides[0]);
    // A data view too small for a bar draws nothing and marks nothing.
    const TKvLevelBar none(vaRight, Sides[0].View, DataTop, 0, 14);
    TSurface s;
    none.DrawBar(s.Canvas, TKvLevelColorMap());
    none.DrawAxisLine(s.Canvas, clWhite);
    EXPECT_EQ(s.At(Sides[0].View.Left + 2, DataTop), Paper);
    EXPECT_FALSE(none.TrackPixel(TKvLevelRange(0, 1, false), 0.5));
    EXPECT_TRUE(none.Ticks({0, 1}, 0.5, 1, 0).empty());
    EXPECT_FALSE(bar.Ticks({0, 1}, 0.5, 1, 0).empty());
}

} // namespace
