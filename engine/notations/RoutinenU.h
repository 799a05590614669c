#pragma once
// The clipboard reader's five fixed notations, tried first
// (ClipboardReader.h), in this order, on the whole Windows-1252 text:
//   1  German compass words, decimal:   13.405 Ost, 52.52 Nord
//   2  English compass words, deg/min:  East 12°34' North 51°23'
//   3  Maidenhead grid locator:         JO62QM
//   4  labelled decimals in brackets:   Lat: 51:15:00N (51.25) Lon: 1:30:00W (-1.5)
//   5  deg/min with hemisphere letters: 52°31'N 13°24'O
// Positions count Windows-1252 characters from 1; searches are exact,
// case-sensitive and find the first occurrence; line breaks and other
// control characters are ordinary characters.  No range limits apply:
// 75 minutes or 200 degrees give the plain arithmetic result.

#include "NumberText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelv {

// A position read from a text.  Laenge (longitude) is east positive, Breite
// (latitude) north positive, both in decimal degrees; Format is the number
// (1..5) of the notation it was read in.
struct TZwischenablageKoordinaten {
    double Laenge = 0;
    double Breite = 0;
    std::int32_t Format = 0;
};

// True when the text is not empty and holds only the digits 0 to 9.
bool NurZiffern(std::string_view text);

// The five fixed notations on a Windows-1252 text, in this order: a
// reading, or the number text that a notation entered could not convert
// (notations 1 and 4, and a digit run of 2 or 5 too long for any
// floating-point value; later notations are then not tried), or neither
// where no notation fits or the text is empty.  Decimal numbers (notations
// 1 and 4) are written with the decimal point whatever the locale; it
// becomes separators.decimal before the general number conversion, whose
// text is the one kept.
struct FixedNotationResult {
    std::optional<TZwischenablageKoordinaten> reading;
    std::optional<std::string> unconvertible;
};
FixedNotationResult readFixedNotations(std::string_view text, Separators separators);

// Notation 3, the grid locator, alone: for a locator after a label.
std::optional<TZwischenablageKoordinaten> readGridLocator(std::string_view text);

} // namespace zelv
