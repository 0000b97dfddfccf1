#pragma once
// The stored form leaves out floating-point properties whose value is 0.
// Objects that must keep such values (a zero where the constructor sets
// something else) store them in the extra property "_Floats": a list of
// (name value) pairs, written only when at least one published, stored
// floating-point property is exactly 0 (the sign of -0.0 is kept).
// Date and time properties (declared with "type:<Property>" as TDateTime,
// TDate or TTime) are not included.
//
// Reading sets each named property that exists; an entry that cannot be set
// is skipped, and reading goes on.

class TFiler;
class TPersistent;

// Declares "_Floats" for AInstance; call it from DefineProperties.
void DefineZeroFloats(TFiler& AFiler, TPersistent* AInstance);
