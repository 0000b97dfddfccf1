// Where marker labels and the hit point's label go, which pixels hit a
// marker, the distance to the segment between markers, and axis values as
// pixels.

#include "display/KvMarkerGeometry.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(MarkerGeometry, LabelSitsOnTheSideItsAnchorNamesAtTheGivenDistance) {
    // the classic case: right of the marker and above it
    EXPECT_EQ(MarkerLabelOrigin(cmRightTop, 4, 0, 100, 50, TSize{30, 12}), Point(104, 38));

    const TSize text{30, 12};
    const int32_t X = 100, Y = 50, cx = 5, cy = 7;
    for (int mode = cmLeftTop; mode <= cmCenter; ++mode) {
        const auto m = static_cast<TKvCoordinateMode>(mode);
        const TPoint p = MarkerLabelOrigin(m, cx, cy, X, Y, text);
        const bool left = m == cmLeftTop || m == cmLeftCenter || m == cmLeftBottom;
        const bool right = m == cmRightTop || m == cmRightCenter || m == cmRightBottom;
        const bool top = m == cmLeftTop || m == cmTopCenter || m == cmRightTop;
        const bool bottom = m == cmLeftBottom || m == cmBottomCenter || m == cmRightBottom;
        if (left)
            EXPECT_EQ(p.X + text.cx, X - cx) << "label ends cx left of the marker, mode " << mode;
        else if (right)
            EXPECT_EQ(p.X, X + cx) << mode;
        else
            EXPECT_EQ(p.X, X - 15 + cx) << "centred, then moved by cx, mode " << mode;
        if (top)
            EXPECT_EQ(p.Y + text.cy, Y - cy) << "label ends cy above the marker, mode " << mode;
        else if (bottom)
            EXPECT_EQ(p.Y, Y + cy) << mode;
        else
            EXPECT_EQ(p.Y, Y - 6 + cy) << mode;
    }
}

TEST(MarkerGeometry, HotRectanglesIncludeTheirEdgesAndFollowTheShape) {
    // a plus of size 3 covers 7 x 7 pixels, and exactly those are hot
    const TRect plus = MarkerHotRect(msPlus, 3, 20, 30);
    int hot = 0;
    for (int32_t y = 20; y < 40; ++y)
        for (int32_t x = 10; x < 30; ++x)
            if (HotRectContains(plus, x, y)) {
                ++hot;
                EXPECT_LE(std::abs(x - 20), 3);
                EXPECT_LE(std::abs(y - 30), 3);
            }
    EXPECT_EQ(hot, 49);
    // a plus of any size, a point and a cross stay at 7 x 7
    for (TKvDisplayMarkerShape shape : {msPlus, msPoint, msCross})
        EXPECT_EQ(MarkerHotRect(shape, 12, 20, 30), plus) << shape;
    // a small size counts as 3
    EXPECT_EQ(MarkerHotRect(msSquare, 1, 20, 30), Rect(17, 27, 23, 33));
    EXPECT_EQ(MarkerHotRect(msSquare, 5, 20, 30), Rect(15, 25, 25, 35));
    // triangles hang off their apex, the line shapes are 3 pixels thick either side
    EXPECT_EQ(MarkerHotRect(msTriangleUp, 4, 20, 30), Rect(16, 30, 24, 38));
    EXPECT_EQ(MarkerHotRect(msTriangleDown, 4, 20, 30), Rect(16, 22, 24, 30));
    EXPECT_EQ(MarkerHotRect(msTriangleLeft, 4, 20, 30), Rect(20, 26, 28, 34));
    EXPECT_EQ(MarkerHotRect(msTriangleRight, 4, 20, 30), Rect(12, 26, 20, 34));
    EXPECT_EQ(MarkerHotRect(msHLine, 8, 20, 30), Rect(12, 27, 28, 33));
    EXPECT_EQ(MarkerHotRect(msVLine, 8, 20, 30), Rect(17, 22, 23, 38));
    // a huge size does not overflow
    const TRect huge = MarkerHotRect(msTriangleUp, 0xFFFFFFFFu, 0, 0);
    EXPECT_GT(huge.Bottom, 0);
    EXPECT_LT(huge.Left, 0);
}

TEST(MarkerGeometry, SegmentDistanceToTheFootTheEndsAndAPointSegment) {
    TPoint nearest;
    double t = -1;
    // the foot of the perpendicular
    EXPECT_DOUBLE_EQ(SegmentDistance(Point(5, 4), Point(0, 0), Point(10, 0), nearest, t), 4.0);
    EXPECT_EQ(nearest, Point(5, 0));
    EXPECT_DOUBLE_EQ(t, 0.5);
    // behind A and beyond B the ends are nearest
    EXPECT_DOUBLE_EQ(SegmentDistance(Point(-3, 4), Point(0, 0), Point(10, 0), nearest, t), 5.0);
    EXPECT_EQ(nearest, Point(0, 0));
    EXPECT_EQ(t, 0.0);
    EXPECT_DOUBLE_EQ(SegmentDistance(Point(13, -4), Point(0, 0), Point(10, 0), nearest, t), 5.0);
    EXPECT_EQ(nearest, Point(10, 0));
    EXPECT_EQ(t, 1.0);
    // A = B: no division by zero, the point itself
    EXPECT_DOUBLE_EQ(SegmentDistance(Point(3, 4), Point(0, 0), Point(0, 0), nearest, t), 5.0);
    EXPECT_EQ(nearest, Point(0, 0));
    // the foot (0.5, 0.5) rounds to even: (0, 0)
    EXPECT_DOUBLE_EQ(SegmentDistance(Point(1, 0), Point(0, 0), Point(2, 2), nearest, t), 1.0);
    EXPECT_EQ(nearest, Point(0, 0));
    EXPECT_DOUBLE_EQ(t, 0.25);
    // far apart points: the products need more than 32 bits
    EXPECT_NEAR(
        SegmentDistance(Point(0, 100), Point(-KvFarPixel, 0), Point(KvFarPixel, 0), nearest, t),
        100.0, 1e-9);
}

TEST(MarkerGeometry, HitPointLabelFlipsAwayFromTheDataViewEdges) {
    // data view left 50, top 40, width 399 (right edge column 449)
    const TSize text{60, 12};
    EXPECT_EQ(HitPointLabelOrigin(Point(200, 100), text, 50, 40, 399), Point(204, 88));
    // near the right edge: to the left of the mouse point
    EXPECT_EQ(HitPointLabelOrigin(Point(400, 100), text, 50, 40, 399), Point(400 - 60 - 11, 88));
    // the last position that still fits: 383 + 4 + 60 + 3 = 450 > 449
    EXPECT_EQ(HitPointLabelOrigin(Point(382, 100), text, 50, 40, 399).X, 386);
    EXPECT_EQ(HitPointLabelOrigin(Point(383, 100), text, 50, 40, 399).X, 312);
    // near the top: below the mouse point (and, by the same rule, left of it)
    EXPECT_EQ(HitPointLabelOrigin(Point(200, 45), text, 50, 40, 399), Point(129, 45));
    // no room on the left either: it stays on the right
    EXPECT_EQ(HitPointLabelOrigin(Point(100, 45), text, 50, 40, 100), Point(104, 45));
}

TEST(MarkerGeometry, ValuesBecomeBoundedPixelsAndNotANumberNone) {
    int32_t px = 0;
    ASSERT_TRUE(ValueToPixel(25.0, 0.0, 100.0, 50, 400, false, px));
    EXPECT_EQ(px, 150);
    ASSERT_TRUE(ValueToPixel(25.0, 0.0, 100.0, 50, 400, true, px));
    EXPECT_EQ(px, 350);
    ASSERT_TRUE(ValueToPixel(0.125, 0.0, 100.0, 0, 400, false, px));
    EXPECT_EQ(px, 0) << "0.5 rounds to even";
    const double inf = std::numeric_limits<double>::infinity();
    for (double far : {1e300, inf, -1e300, -inf}) {
        ASSERT_TRUE(ValueToPixel(far, 0.0, 100.0, 50, 400, false, px)) << far;
        EXPECT_EQ(px, far > 0 ? KvFarPixel : -KvFarPixel) << far;
    }
    EXPECT_FALSE(ValueToPixel(std::nan(""), 0.0, 100.0, 50, 400, false, px));
    EXPECT_FALSE(ValueToPixel(5.0, 1.0, 1.0, 50, 400, false, px)) << "empty range";
    EXPECT_FALSE(ValueToPixel(5.0, -inf, inf, 50, 400, false, px));
    EXPECT_FALSE(ValueToPixel(inf, 0.0, 1.0, 50, 0, false, px)) << "no length";
}

} // namespace
