#pragma once
// What web pages put around coordinates: a label before them
//   Koordinaten: 51° 9' 10'' N, 14° 59' 14'' O
// and the same position in two or three notations, separated by "/", as
// Wikipedia's articles give it:
//   51°09'10''N 14°59'14''E / 51.15278°N 14.98722°E / 51.15278; 14.98722

#include "CoordinateTranslator.h"

#include <string_view>
#include <vector>

namespace zelv {

// The Windows-1252 text after a leading label ("Koordinaten:",
// "Koordinate:", "Coordinates:", "Position:" or "Lage:", in any case),
// without blanks around it; the text itself when it has no label.
std::string_view withoutLabel(std::string_view text);

// The parts of a text that gives one position two or three times, separated
// by "/"; none when the text has no "/", more than two, or is a link
// ("://").  The parts come without blanks around them; one may be empty.
std::vector<std::string_view> repeatedParts(std::string_view text);

// Whether two positions are one: latitude and longitude each within half a
// second of arc (longitudes across the antimeridian too).
bool agreeWithinHalfASecond(GeographicPoint a, GeographicPoint b);

} // namespace zelv
