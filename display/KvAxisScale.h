#pragma once
// The value model of an axis as plain values: the signed logarithm, value
// ranges and the forms they are brought to, the conversions between data and
// scale units, pixel <-> value maps, and the zoom and pan rules. The axis
// components hold the settings and call these.
//
// Every result is finite: limits are held within +-KvAxisValueLimit so that
// widths, zoom factors and pixel arithmetic never overflow, and a NaN never
// reaches a range.

#include "display/KvAxisTypes.h"
#include "platform/Geometry.h"

#include <cstdint>

constexpr double KvAxisValueLimit = 1e300;

// slog(x) = log10(1 + x) for x >= 0, -log10(1 - x) below: 0 at 0, odd, monotonic.
long double SLog(long double x);
// The inverse of SLog: 10^x - 1 for x >= 0, -(10^-x - 1) below.
long double SExp10m1(long double x);
// 10^x for x >= 0, -10^-x below.
long double SPow10(long double x);

// A number brought into +-KvAxisValueLimit; NaN becomes ADefault.
double KvSoundValue(long double AValue, double ADefault = 0.0);

struct TKvAxisRange {
    double Min = 0.0;
    double Max = 0.0;
    double Width() const { return Max - Min; }
    bool operator==(const TKvAxisRange&) const = default;
};

// The limits in order and within +-KvAxisValueLimit (infinities at the
// limit); a NaN limit takes ADefault's. An empty range stays empty: every
// operation below copes with one.
TKvAxisRange KvSoundRange(double AMin, double AMax, TKvAxisRange ADefault = {0.0, 1.0});

// Max - Min, or SLog(Max) - SLog(Min) on a logarithmic scale.
double KvRangeWidth(TKvAxisRange ARange, bool ALog);

// Data <-> scale units through the two full ranges; an empty source range
// passes the value unchanged.
double KvDataToScale(double AValue, TKvAxisRange AData, TKvAxisRange AScale);
double KvScaleToData(double AValue, TKvAxisRange AData, TKvAxisRange AScale);
// The same for spans (no offset).
double KvDataToScaleSpan(double AValue, TKvAxisRange AData, TKvAxisRange AScale);
double KvScaleToDataSpan(double AValue, TKvAxisRange AData, TKvAxisRange AScale);
// AValue mapped linearly from AFrom onto ATo, an empty AFrom counting as 1
// wide: how the cached zoomed ranges follow the data.
double KvMapLinear(double AValue, TKvAxisRange AFrom, TKvAxisRange ATo);

// Pixel <-> value over an axis of ALength pixels from AStart. With
// ADescending the pixels fall as the values grow (a vertical axis that is not
// flipped). A range of equal limits is widened by 1 on each side (a decade
// on a logarithmic axis); an axis shorter than one pixel counts as one.
class TKvAxisScaleMap {
public:
    TKvAxisScaleMap(TKvAxisRange ARange, int32_t AStart, int32_t ALength, bool ALog,
                    bool ADescending);

    // Distance from the start, not rounded.
    long double PixelOffset(double AValue) const;
    // The pixel, the offset rounded to the nearest (ties to even).
    int32_t ValueToPixel(double AValue) const;
    // The inverse: any pixel, also fractional or outside the axis.
    double PixelToValue(double APixel) const;

    int32_t Start() const { return FStart; }
    int32_t Length() const { return FLength; }

private:
    long double Transform(double AValue) const;

    long double FLow = 0.0L;
    long double FSpan = 1.0L;
    int32_t FStart = 0;
    int32_t FLength = 1;
    bool FLog = false;
    bool FDescending = false;
};

// The value-to-pixel mapping of the tick passes: a tick's pixel is
// (end - 1) - (Offset + T(value) * Scale), T the identity or SLog. Low is
// -Offset / Scale, the transformed value at the mapping's origin, which keeps
// the difference exact where Offset and T(value) * Scale are both large.
struct TKvPixelMapping {
    double Offset = 0.0;
    double Scale = 1.0;
    double Low = 0.0;
};

// AMin at the last pixel of the axis and AMax at its first; with
// APixelReversed the other way round. An empty range puts every value near
// the middle.
TKvPixelMapping KvGetPixelMapping(TKvAxisRange ARange, int32_t ALength, bool ALog,
                                  bool APixelReversed);

// The tick pixels of ACount values for an axis whose data view ends at AEnd,
// in single precision and rounded to the nearest through the primitive table.
// Pixels far outside the axis saturate instead of wrapping.
void KvTickPixels(const double* AValues, int32_t ACount, const TKvPixelMapping& AMapping,
                  int32_t AEnd, bool ALog, int32_t* APixels);

// Whether the values of an axis run against its usual direction (upwards on
// a Y axis drawn vertically, rightwards on an X axis drawn horizontally).
bool KvIsValueFlipped(bool AIsYAxis, bool AVerticalDirection, bool AReversed);

// The public conversion of an axis over its data view: along the rows for a
// vertical-direction axis, the maximum at the top; else along the columns,
// the minimum at the left; flipped values the other way round.
TKvAxisScaleMap KvAxisPixelMap(TKvAxisRange AZoomed, const TRect& ADataView,
                               bool AVerticalDirection, bool AValueFlipped, bool ALog);

// The direction codes of an axis's values: 0 grows rightwards, 1 leftwards,
// 2 upwards, 3 downwards.
int32_t KvValueDirection(bool AVerticalDirection, bool AReversedForTicks);

// The axis position of the point (X, Y) inside ARect, measured along
// ADirection and mapped onto the zoomed range; false outside the rectangle.
bool KvGetValueAt(const TRect& ARect, int32_t X, int32_t Y, int32_t ADirection,
                  TKvAxisRange AZoomed, double& AAxisPos);

// One optional limit of a value range.
struct TKvOptionalLimit {
    double Value = 0.0;
    bool Enabled = false;
};

// The Low and High limits of a value range with their setter rules: a
// positive-only limit below 0 becomes 0; raising Low above High raises High
// with it, lowering High below Low lowers Low; a NaN is refused.
struct TKvValueLimits {
    TKvOptionalLimit Low{-1000.0, false};
    TKvOptionalLimit High{1000.0, false};
    bool PositiveOnly = false;

    void SetLow(double AValue);
    void SetHigh(double AValue);
};

// The limits a zoomed range obeys: Min.Range, Max.Range and Zooming.Range.
struct TKvZoomLimits {
    TKvValueLimits MinRange;
    TKvValueLimits MaxRange;
    TKvValueLimits ZoomRange{{1e-07, true}, {1e+08, false}, true};
};

// The least width of a zoomed range around AMin: 0.0001, or the smallest
// width still visible at AMin's magnitude.
double KvMinZoomWidth(double AMin);

// The limits applied in their order: Min.Range, then Max.Range, then the
// width limits of Zooming.Range around the centre. The result is never empty.
TKvAxisRange KvClampZoom(TKvAxisRange ARange, const TKvZoomLimits& ALimits);

// A zoom to the ends A and B in any order, at least KvMinZoomWidth wide and
// clamped. A NaN end keeps ACurrent.
TKvAxisRange KvSetZoomRange(TKvAxisRange ACurrent, double A, double B,
                            const TKvZoomLimits& ALimits);

// A zoom factor that can be applied: a factor that is not a positive finite
// number changes nothing (1).
double KvSoundZoomFactor(double AFactor);

// Widens (factor above 1) or narrows the range about its centre.
TKvAxisRange KvIntZoom(TKvAxisRange AZoomed, double AFactor, const TKvZoomLimits& ALimits);

// Wheel zoom at a pixel: APos is the mouse's distance along the axis,
// growing as the value falls, so the value under the mouse stays there.
TKvAxisRange KvZoomAtPoint(TKvAxisRange AZoomed, int32_t ALength, double APos, double AFactor,
                           const TKvZoomLimits& ALimits);

// The value shift of a drag of ADifference pixels over an axis of ALength
// pixels; 0 over an empty axis.
double KvPanShift(TKvAxisRange AZoomed, double ADifference, int32_t ALength);

// The zoomed range after a drag: the range when the drag began moved by
// AShift (negated on a reversed axis), kept inside the full scale range.
// When the range is wider than the full range it stays where it was.
TKvAxisRange KvPanBy(TKvAxisRange AMouseZoom, double AShift, bool AReversed,
                     TKvAxisRange AScaleFull, const TKvZoomLimits& ALimits);

bool KvCanZoomIn(TKvAxisRange AZoomed, const TKvZoomLimits& ALimits);
bool KvCanZoomOut(TKvAxisRange AZoomed, const TKvZoomLimits& ALimits);

// The X axis's sample count as stored: 0 (or less) becomes 1024.
int32_t KvSoundSamples(int32_t AValue);
