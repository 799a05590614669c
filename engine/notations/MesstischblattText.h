#pragma once
// A Messtischblatt (TK25) sheet named by its number, as older records and
// registers give a place: "MTB 3446", "TK 25 Blatt 4868, Quadrant 3",
// "Meßtischblatt Nr. 3759 Schwiebus".  Windows-1252 texts.
//
// Read are, with any case and blanks:
// - a sheet word, "MTB", "TK25", "TK 25", "TK", "Messtischblatt",
//   "Meßtischblatt" or "Blatt", more than one of them ("TK 25 Blatt"), an
//   optional "Nr." and ":", then the number: "MTB 3446";
// - after the number, a quadrant 1 to 4: "/3", "-3" or "Quadrant 3" (also
//   after a comma, and "Qu. 3");
// - a number with "-" and its quadrant alone: "3446-3";
// - after all that, a name: "Meßtischblatt 3759 Schwiebus"; it is not
//   checked, since the index is not complete and names were spelled many
//   ways.
// A number alone ("3446", "3446/3") is not read: it is too easily something
// else.  The number is the row with two digits, then the column with two,
// or three from 100 on (five digits in all: "13102").

#include "Messtischblatt.h"
#include "Refusals.h"

#include <optional>
#include <string>
#include <string_view>

namespace zelv {

// The sheet or quadrant that the text names; nothing where the text is not
// in one of the forms above.  Refused, naming the number, where a sheet word
// stands before a number that no sheet can have (row 00 or beyond 99, a
// column beyond 109, three or six digits) or before a quadrant outside 1
// to 4.
FormResult<Tk25SheetReference> readMesstischblattText(std::string_view text);

// The line that tells the user that a position read from a sheet number is
// the centre of the sheet or quadrant, not a place (Windows-1252):
// "Mitte von Messtischblatt 3446/3 Berlin – die Lage ist auf etwa 3 km
// genau".
std::string tk25CentreNote(const Tk25SheetReference& reference);

} // namespace zelv
