#pragma once
// Plus Codes (Open Location Code), as Google Maps shows them beside a place:
// "9F4MGCC4+22", or with the town after it, "9F4MGCC4+22 Berlin".
//
// A full code has eight digits before the "+" and none or two to seven
// after it; digits come from "23456789CFGHJMPQRVWX" (values 0 to 19, small
// letters too).  Digits 1 to 10 are five pairs (latitude, longitude) in
// base 20 with steps of 20, 1, 1/20, 1/400 and 1/8000 degrees, counted from
// -90 and -180; each further digit splits the cell into 5 rows (northwards)
// and 4 columns (eastwards), its value being row * 4 + column.  The result
// is the centre of the cell:
//   9F4MGCC4+22    52.5200625    13.4050625
//   9F4MGCC4+222   52.5200125    13.405015625
//   6FG22222+22     0.0000625     0.0000625

#include "CoordinateTranslator.h"
#include "Refusals.h"

#include <optional>
#include <string_view>

namespace zelv {

// The centre of the full Plus Code that a Windows-1252 text starts with
// (blanks around it allowed; after a blank, anything may follow); nothing
// when the text does not start with something shaped like a Plus Code.
// Refused, naming the code and the cause: a shortened code (fewer than
// eight digits before the "+", which needs a reference place), a code
// padded with "0" (an area, not a place), a single digit after the "+",
// more than fifteen digits, and a first latitude digit beyond 90 degrees or
// first longitude digit beyond 180.
FormResult<GeographicPoint> readPlusCode(std::string_view text);

} // namespace zelv
