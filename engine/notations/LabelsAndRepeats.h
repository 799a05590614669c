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

// The Windows-1252 text after a leading label ("Koordinaten",
// "Koordinate", "Coordinates", "Position", "Geographische Lage", "Lage" or
// "GPS", in any case), without blanks around it; the text itself when it
// has no label.  The colon after the label may be missing, and a place in
// round brackets may stand between the label and its colon:
// "Koordinaten (Morag): 53.9, 19.9".
std::string_view withoutLabel(std::string_view text);

// The parts of a text that gives one position two or three times, separated
// by "/"; none when the text has no "/", more than two, or is a link
// ("://").  The parts come without blanks around them; one may be empty.
std::vector<std::string_view> repeatedParts(std::string_view text);

// Half a unit of the finest place written in a notation, in degrees: whole
// minutes give 30", three decimals of a degree 0.0005 degrees, whole seconds
// 0.5".  Numbers without their own mark count as degrees, or as the next
// smaller unit right after a marked number.  Half a second where the text
// holds no number of its own (a grid locator).
double halfUnitOfWrittenPlace(std::string_view notation);

// Whether two positions are one: latitude and longitude each within the
// sum of the two half units (longitudes across the antimeridian too).
bool agreeWithin(GeographicPoint a, double halfUnitA, GeographicPoint b, double halfUnitB);

} // namespace zelv
