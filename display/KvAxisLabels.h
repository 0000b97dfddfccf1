#pragma once
// Tick label texts. The digits are produced here, not by printf or QLocale,
// so a label reads the same under every C and Qt locale: a point as the
// decimal separator, no group separators.
//
// A value is taken at 15 significant digits, the precision a double holds
// for any decimal: the rounding noise of tick arithmetic (0.1 + 0.2) never
// shows, and a tick prints as the multiple of its step that it stands for.
// A text that rounds to zero has no sign.

#include <QString>
#include <cstdint>

constexpr int32_t KvMaxAxisPrecision = 18;

// Precision as stored: held to 0..18.
int32_t KvSoundPrecision(int32_t AValue);

// The decimals of the general format: Precision with FixedPrecision;
// otherwise enough for Precision significant digits over the span
// |AMax - AMin|, one more below a span of 1, within 0..18.
int32_t KvGeneralDecimals(bool AFixedPrecision, int32_t APrecision, double AMin, double AMax);

// The label of AValue on an axis showing AMin..AMax.
//  - general: fixed-point with KvGeneralDecimals decimals ("%.Nf"); a value
//    of 19 or more integer digits is written as mantissa "E" exponent
//    ("1.5E20"), its mantissa cut to Precision decimals with FixedPrecision;
//  - scientific: "%.Pe" with FixedPrecision, "%e" (6 decimals) without.
// NaN and infinities read "NAN", "INF" and "-INF".
QString FormatAxisValue(bool AFixedPrecision, int32_t APrecision, bool AScientific, double AMin,
                        double AMax, double AValue);
