#pragma once
// The clipboard coordinate reader: recognises a coordinate pair in a text in
// one of five fixed notations, or else in one of the notations of
// CoordinateNotations.h or the forms of FurtherNotations.h, and returns the
// position.  Stateless, no Qt: the
// window fetches the clipboard text, converts it to Windows-1252 and shows
// the message; everything between is here.
//
// The five fixed notations, tried first, in this order, on the whole text:
//   1  German compass words, decimal:   13.405 Ost, 52.52 Nord
//   2  English compass words, deg/min:  East 12°34' North 51°23'
//   3  Maidenhead grid locator:         JO62QM
//   4  labelled decimals in brackets:   Lat: 51:15:00N (51.25) Lon: 1:30:00W (-1.5)
//   5  deg/min with hemisphere letters: 52°31'N 13°24'O
// Positions count Windows-1252 characters from 1; searches are exact,
// case-sensitive and find the first occurrence; line breaks and other
// control characters are ordinary characters.  No range limits apply:
// 75 minutes or 200 degrees give the plain arithmetic result.

#include "CoordinateNotations.h"
#include "CoordinateTranslator.h"
#include "GaussKruegerText.h"
#include "Messtischblatt.h"
#include "NumberText.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

namespace zelv {

// A position read from a text.  Laenge (longitude) is east positive, Breite
// (latitude) north positive, both in decimal degrees; Format is the number
// (1..5) of the notation it was read in.
struct TZwischenablageKoordinaten {
    double Laenge = 0;
    double Breite = 0;
    std::int32_t Format = 0;
};

// The error box for a text in which no notation fits (Windows-1252 texts).
inline constexpr std::string_view noCoordinatesTitle = "Fehler";
inline constexpr std::string_view noCoordinatesMessage =
    "Es befinden sich keine g\xFC" "ltigen Koordinaten in der Zwischenablage!";

// True when the text is not empty and holds only the digits 0 to 9.
bool NurZiffern(std::string_view text);

// Reads a coordinate pair out of a Windows-1252 text in one of the five
// fixed notations alone: the position, or nullopt for the empty text, which
// is nothing to read and no error.  Decimal numbers (notations 1 and 4) are
// written with the decimal point whatever the locale; it becomes
// separators.decimal before the general number conversion, whose error text
// then names the number.  Throws:
// - NoCoordinatesError with noCoordinatesMessage when no notation fits;
// - EConvertError "'%s' ist kein gültiger Gleitkommawert" when notation 1
//   or 4 is entered and a number of it does not convert (later notations
//   are then not tried), and when a digit run of notation 2 or 5 is too
//   long for any floating-point value.
std::optional<TZwischenablageKoordinaten> readFixedNotations(std::string_view text, Separators separators);

// The notations of old German maps (GaussKruegerText.h), and a
// Messtischblatt sheet's number (MesstischblattText.h).
enum class OldMapNotation { GaussKrueger, Messtischblatt };

// The notation a text was read in: the number (1..5) of a fixed notation,
// a family of CoordinateNotations.h, or an old map's.
using ReadNotation = std::variant<std::int32_t, CoordinateNotation, OldMapNotation>;

struct ClipboardPosition {
    ReadNotation notation;
    // Decimal degrees, east and north positive; or, for a UTM text, the
    // grid position as the window's UTM fields take it; or Gauß-Krüger
    // values, on the old datum DHDN, for the Transverse Mercator fields; or
    // a Messtischblatt sheet or quadrant, whose centre (tk25CentreOnWgs84)
    // stands for the place.
    std::variant<GeographicPoint, UtmPosition, GaussKruegerPosition, Tk25SheetReference> position;
};

// The clipboard reader's entry.  The five fixed notations come first and
// read as readFixedNotations does; only where they end without coordinates
// (NoCoordinatesError, or EConvertError) are the notations of
// CoordinateNotations.h tried on the same text: "52.52 Nord, 13.405 Ost"
// and "13.405° Ost, 52.52° Nord", which notation 1 refuses, read there.
// Gauß-Krüger text (GaussKruegerText.h) comes next: "R 4412345 H 5598765".
// Where those give nothing either, the forms of FurtherNotations.h follow
// (labels, repeats, share links, MGRS, Plus Codes, Ferro), then a
// Messtischblatt number (MesstischblattText.h): "MTB 3446/3", and last
// wikitext templates and one position amid other text (WikiTemplates.h,
// PositionInText.h), which also read a text that a further form refuses.
// Returns nullopt for the empty text alone.  Throws
// UnusableCoordinatesError where one of those forms recognises the text but
// cannot use it or where only bare numbers stand among words, and otherwise
// the fixed notations' own failure, unchanged, when nothing reads the text.
std::optional<ClipboardPosition> readCoordinates(std::string_view text, Separators separators);

} // namespace zelv
