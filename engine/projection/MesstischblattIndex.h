#pragma once
// The index of the Messtischblatt series (messtischblaetter.csv beside this
// file, see README.md): the sheets a map library holds, with their names,
// and the enlarged sheets along coasts and borders that reach beyond their
// cell.  The table is generated from the file at build time and lies in
// read-only data: nothing is read or built at start-up.
//
// The index is not complete (Bavaria's sheets are missing), so it decides
// names and the enlarged sheets, never whether a number exists.

#include "CoordinateTranslator.h"

#include <optional>
#include <string>

namespace zelv {

// The number of records in the index file, for the closing figures.
int tk25IndexRecordCount();
// The number of sheet numbers in it.
int tk25IndexSheetCount();

// True when the index holds the sheet.
bool tk25SheetIndexed(int row, int column);

// The sheet's names in the index, Windows-1252, several joined with " / ",
// the most recent edition first: "Käfertal / Viernheim".  Empty where the
// index has no sheet or no name for it.
std::string tk25SheetNames(int row, int column);

struct Tk25SheetNumber {
    int row = 0;
    int column = 0;
};

// The enlarged sheet of the index that holds a DHDN position, bounds
// included; nothing where none does.
std::optional<Tk25SheetNumber> tk25EnlargedSheetAt(const GeographicPoint& dhdn);

} // namespace zelv
