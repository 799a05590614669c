#pragma once
// The Messtischblatt: the sheet of the German topographic map 1:25 000
// (TK25) and the quadrant of it in which a position lies, as genealogists
// and local historians name a place's map ("MTB 3446").
//
// On DHDN, latitude phi and longitude lambda in degrees:
//   row    = 559 - floor(10 phi)     (sheets of 6' latitude)
//   column = floor(6 lambda) - 34    (sheets of 10' longitude)
// The number is the row with two digits followed by the column with two,
// or three from column 100 on (east of 22°20' E): 3446, 13102.  Quadrants:
// 1 north-west, 2 north-east, 3 south-west, 4 south-east.  A point on a
// sheet or quadrant line belongs to the part whose southern or western edge
// it lies on; points within about a millimetre of a line count as on it,
// so that a corner given in degrees (49° N 10° E, the south-west corner of
// 6926) is not lost to rounding.  Sheets exist for rows 1 to 99 and
// longitudes from 5°50' to (not including) 24° E.

#include "CoordinateTranslator.h"
#include "DhdnDatum.h"

#include <optional>
#include <string>

namespace zelv {

struct Tk25Sheet {
    int row = 0;      // 1..99
    int column = 0;   // 1..109
    int quadrant = 0; // 1..4
};

// The sheet and quadrant of a DHDN position; nothing outside the sheets.
std::optional<Tk25Sheet> tk25SheetAt(const GeographicPoint& dhdn);

// "3446/3"; "13102/1" for a three-digit column.
std::string tk25Text(const Tk25Sheet& sheet);

// The sheet of a WGS 84 / ETRS89 position, taken into DHDN by `dhdn`
// (BeTA2007, elsewhere EPSG 1777); nothing outside the sheets or the
// datum's area, and nothing for a point the library can't take.
std::optional<Tk25Sheet> tk25SheetOfWgs84(const DhdnConverter& dhdn, double longitude, double latitude);

} // namespace zelv
