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
// columns 0 to 109, longitudes from 5°40' to (not including) 24° E.
//
// Along coasts and borders some sheets reach beyond their cell (2209
// Norderney begins at 7°09', in cell 2208).  A point whose cell is not in
// the index (MesstischblattIndex.h) but which lies on such an enlarged sheet
// gets that sheet's number; its quadrant stays that of the cell.

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

// The number, quadrant and names of the index (Windows-1252): "3446/3
// Berlin"; the number and quadrant alone where the index has no name.
std::string tk25TextWithNames(const Tk25Sheet& sheet);

// "3446", "13102".
std::string tk25NumberText(int row, int column);

// True for a number that the sheet grid can have: row 1 to 99, column 0 to
// 109.  Whether the sheet was printed is another question.
bool tk25NumberPossible(int row, int column);

// A sheet, or one of its quadrants, named by its number; quadrant 0 for the
// whole sheet.
struct Tk25SheetReference {
    int row = 0;
    int column = 0;
    int quadrant = 0;
};

// "3446/3", or "3446" for the whole sheet.
std::string tk25ReferenceText(const Tk25SheetReference& reference);

// The centre of the sheet's cell or of its quadrant, on DHDN.  An enlarged
// sheet is taken at its regular cell, where its quadrants are counted.
GeographicPoint tk25CentreOnDhdn(const Tk25SheetReference& reference);

// That centre on WGS 84 / ETRS89, taken there by `dhdn` as the sheet of a
// WGS 84 position is taken the other way.  Throws as DhdnConverter::toWgs84.
DhdnPosition tk25CentreOnWgs84(const DhdnConverter& dhdn, const Tk25SheetReference& reference);

// The sheet of a WGS 84 / ETRS89 position, taken into DHDN by `dhdn`
// (BeTA2007, elsewhere EPSG 1777); nothing outside the sheets or the
// datum's area, and nothing for a point the library can't take.
std::optional<Tk25Sheet> tk25SheetOfWgs84(const DhdnConverter& dhdn, double longitude, double latitude);

} // namespace zelv
