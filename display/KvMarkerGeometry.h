#pragma once
// The arithmetic of markers, free of any display: where a marker's label
// goes, which pixels around a drawn marker count as a hit, how far a point
// lies from the segment between two markers, where the mouse hit point's
// label goes, and how an axis value becomes a pixel without overflowing.

#include "foundation/HxCanvasTypes.h"
#include "pins/streams/KvStreamTypesOffsets.h"
#include "platform/Geometry.h"

#include <cstdint>

// The top-left corner of a label of ATextSize for a marker at (X, Y): the
// anchor mode says which side of the marker the label takes, ACX and ACY
// push it further out.
TPoint MarkerLabelOrigin(TKvCoordinateMode AMode, int32_t ACX, int32_t ACY, int32_t X, int32_t Y,
                         TSize ATextSize);

// The hot rectangle of a marker drawn at (PX, PY), both edges included. The
// size counts as at least 3; points, pluses and crosses are hot only in the
// 7 x 7 square about their centre, whatever their size.
TRect MarkerHotRect(TKvDisplayMarkerShape AShape, uint32_t ASize, int32_t PX, int32_t PY);
bool HotRectContains(const TRect& AHot, int32_t X, int32_t Y);

// Distance from P to the segment A..B; ANearest is the segment's point
// nearest to P (rounded to whole pixels) and AT its place along the
// segment, 0 at A and 1 at B. A segment of one point is that point.
double SegmentDistance(TPoint P, TPoint A, TPoint B, TPoint& ANearest, double& AT);

// The top-left corner of the hit point's label box (the text goes 2 right
// and 1 down from it): above and right of the mouse point, below it when it
// would start above the data view, and to the left of the mouse when it
// would run out of the data view on the right, as long as it then still
// starts right of the data view's left edge. The view is given as its
// left, top and width (a view's width excludes its last column).
TPoint HitPointLabelOrigin(TPoint AMousePoint, TSize ATextSize, int32_t AViewLeft, int32_t AViewTop,
                           int32_t AViewWidth);

// Whole pixels far enough out that nothing drawn there reaches the screen,
// and near enough that the arithmetic of shapes and lines around them
// cannot overflow.
constexpr int32_t KvFarPixel = 1 << 24;

// The pixel of AValue on an axis showing AMin..AMax over ALength pixels from
// AStart (from AStart + ALength backwards when AReversed). False for a value
// that is not a number and for a range that is empty or not finite; values
// far outside the range land at +-KvFarPixel.
bool ValueToPixel(double AValue, double AMin, double AMax, int32_t AStart, int32_t ALength,
                  bool AReversed, int32_t& APixel);
