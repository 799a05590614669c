#pragma once
// Decimal degrees <-> degrees/minutes/seconds, and the one-line location
// text of a ZELV gazetteer record.  The arithmetic is in extended precision,
// or in whole numbers where said, in the order given below, because the
// window's fields show its results.

#include "NumberText.h"

#include <string>

namespace zelv {

struct DegreesMinutesSeconds {
    Extended degrees = 0; // whole degrees, carrying the sign (-0 for -1 < v < 0)
    Extended minutes = 0; // whole minutes, never negative
    Extended seconds = 0; // seconds with their fraction, never negative
};

// Int and Frac: the integral part toward zero and the rest, both with the
// sign of x (so wholePart(-0.5) is -0).
Extended wholePart(Extended x);
Extended fractionPart(Extended x);

// The three steps of decimal to degrees/minutes/seconds, each on the value
// as the caller has just read it.  The split is made on the angle's decimal
// digits: |v| rounded to twelve decimal places (a whole number of 1e-12
// degrees), then
//   degrees = its whole degrees, with the sign of v (-0 for -1 < v < 0)
//   minutes = the whole minutes of the rest
//   seconds = what is left, in seconds
// so that a value the binary type holds a hair below its decimal form
// splits as written: 13.4 gives 13, 24, 0, not 13, 23, 59.99999...
// 10.76943 gives 10, 46, 9.948; -10.76943 gives -10, 46, 9.948; -0.5 gives
// -0, 30, 0.  No range is applied (10.9999999 gives 10, 59, 59.99964).
// From |v| = 1e6 on, and for NaN and infinities, the plain extended split
// is used: Int(v), |Int(Frac(v) * 60)|, |Frac(Frac(v) * 60) * 60|.
Extended degreesOf(Extended value);
Extended minutesOf(Extended value);
Extended secondsOf(Extended value);
DegreesMinutesSeconds toDegreesMinutesSeconds(Extended value);

// Back to decimal degrees; the degree's sign applies to the whole angle:
//   (d - m/60) - s/3600  when d carries a minus sign, -0 included,
//   (d + m/60) + s/3600  otherwise.
// Deciding by the sign bit rather than by d < 0 lets -0, 30, 0 come back as
// -0.5 instead of +0.5.
Extended fromDegreesMinutesSeconds(Extended degrees, Extended minutes, Extended seconds);

// "liegt bei 50.41484\xB0N 10.76943\xB0O;" as Windows-1252 text: each absolute
// value with five decimals, "N"/"S" and "O"/"W" by the sign (>= 0 is north
// and east), every "," of the text turned into "." whatever the separators.
std::string locationText(Extended latitude, Extended longitude, Separators separators);

} // namespace zelv
