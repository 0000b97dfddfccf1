#pragma once
// The arithmetic of the waterfall's axes as plain values: the frequency unit
// and scale chosen from a sample rate, axis values to rows and samples, and
// the rules that keep ticks and zooms on whole rows. The axis classes hold
// the settings and call these.

#include <QString>
#include <cstdint>

#include "display/KvAxisScale.h"

// e = 3 * trunc(log10(ARate) / 3): the power of ten the frequency labels are
// divided by. 0 for a rate that is not a positive finite number.
int32_t KvFrequencyExponent(double ARate);
// "mHz", "Hz", "kHz", "Mhz", otherwise "Hz (E<-e>)".
QString KvFrequencyUnit(double ARate);
// The largest frequency in that unit: ARate / 2 / 10^e.
double KvMaxFrequencyScaled(double ARate);

// The history row at axis value AValue: the full scale range mapped onto
// ASamples - 1 rows from ADataFullMin; 0 over an empty scale.
double KvValueToRow(double AValue, TKvAxisRange AScaleFull, int32_t ASamples, double ADataFullMin);
// The sample at axis value AValue: the full scale range mapped onto ASpan
// samples from ADataFullMin; 0 over an empty scale.
double KvValueToSample(double AValue, TKvAxisRange AScaleFull, double ASpan, double ADataFullMin);
// The samples a row's scale spans: from lo (0, or the rounded Min.DataValue
// when the minimum does not autoscale) to ASamples - 1, or to the rounded
// Max.DataValue when the maximum does not autoscale.
double KvSampleSpan(int32_t ASamples, bool AMaxAutoScale, double AMaxDataValue, bool AMinAutoScale,
                    double AMinDataValue);

// The zoomed window in rows (or samples): while zoomed, the zoom's ends in
// rows kept inside the unzoomed window; otherwise the unzoomed window.
TKvAxisRange KvZoomedRowWindow(TKvAxisRange AUnzoomed, bool AZoomed, double AZoomMinRow,
                               double AZoomMaxRow);

// A tick step in axis units moved onto whole rows, at least one row apart.
// ARowsPerUnit converts axis units to rows; a step of a reversed axis keeps
// its sign.
double KvWholeRowStep(double AStep, double ARowsPerUnit);

// A zoom factor that would leave fewer than 2 rows of AWidth (axis units)
// becomes the factor that leaves exactly 2.
double KvRowZoomFactor(double AFactor, double AWidth, double ARowsPerUnit);

// --- the value axis along a row ---

// How the Y axis labels itself: frequency when its mode says so, or in the
// automatic mode when the input marked the stream as spectra; intensity
// likewise.
bool KvIsFrequencyAxis(TKvDisplayAxisTicksMode AMode, bool AFrequencyDomain);
bool KvIsIntensityAxis(TKvDisplayAxisTicksMode AMode, bool AIntensityDomain);

// The Y axis's title: its own text when it has one, "Y Axis" for the
// automatic mode while designing, the frequency unit, "Intensity", else
// "Samples".
QString KvYAxisLabelText(const QString& AText, TKvDisplayAxisTicksMode AMode, bool ADesigning,
                         bool AFrequency, bool AIntensity, double AEffectiveRate);

// One end of an axis value: whether it scales itself and the value it
// takes otherwise.
struct TKvAxisEnd {
    bool AutoScale = true;
    double Value = 0.0;
};

// The ends of the Y axis's tick scale. Manual ticks and fixed tick values
// win; then a fixed maximum; then the frequency scale (from 0 to the largest
// frequency in its unit); then the data range.
double KvYTickScaleMin(TKvDisplayAxisTicksMode AMode, TKvAxisEnd AMinTick, bool AFrequency,
                       double ADataMin);
double KvYTickScaleMax(TKvDisplayAxisTicksMode AMode, TKvAxisEnd AMaxTick, TKvAxisEnd AMax,
                       bool AFrequency, double AEffectiveRate, double ADataMax);

// The Y axis's sample count as the data give it: an empty row counts as 512.
int32_t KvSoundRowSamples(uint32_t ALength);

// --- the history axis ---

// The X axis's data maximum: the last row when the maximum scales itself;
// otherwise Max.DataValue (mamValue) or the data minimum plus Max.Value
// (mamOffset).
double KvXDataMax(int32_t ASamples, bool AMaxAutoScale, TKvMaxAxisMode AMode, double AMaxDataValue,
                  double AMaxValue, double ADataMin);
