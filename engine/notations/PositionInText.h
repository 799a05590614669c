#pragma once
// One position with its compass letters amid other text, as people copy it
// from real pages: a place name or a table row around it, a label the
// reader does not know, the same position glued to itself or to the hidden
// decimals of a Wikipedia page:
//   liegt bei 54.5812°N 12.7089°O;
//   Gussew<TAB>29.234<TAB>22.181<TAB>54° 35′ N, 22° 12′ O
//   54° 52′ N, 21° 6′ O54.86666666666721.1Koordinaten: 54° 52′ N, 21° 6′ O
// Marks as people and machine translations set them are read: blanks around
// the signs, "´" for minutes, a missing minute or second mark right before
// the compass letter (54°58N), decimal commas (53,917 ° N), and aviation's
// degrees and decimal minutes without marks (53 49.962N 013 40.148E).
//
// A position is complete when both halves carry compass letters or words of
// one language: N/S with E/O/W (German, English, Esperanto O), the words
// Nord/Norden/North/nord, Süd/Süden/South/sud, Ost/Osten/East/est,
// West/Westen/ouest; Slovak and Czech S (sever, north) and J with V and Z;
// Turkish K and G with D and B.  Both letters stand after their numbers or
// both before them.  The letters of a half stand in the text as a word of
// their own, or glued before a capitalised word ("OKoordinaten").
//
// Where the text holds several complete positions they must agree within
// half a unit of each one's last written place, added; the finest is taken.
// Decimals of 13 or more places glued to a second number are Wikipedia's
// hidden decimals, twelve places each; they count beside a complete
// position, never alone.  A lone "S" beside E/O/W means south, unless the
// text is Czech or Slovak, where it could mean north: then the text is
// refused.  Bare numbers are never a position here, and a text with
// nothing else is refused with its own message.

#include "RoutinenU.h"

#include <optional>
#include <string_view>

namespace zelv {

// The position of a Windows-1252 text as above; nothing where it holds no
// complete position, or names Ferro or Paris.  Throws
// UnusableCoordinatesError, with a message that says why, for complete
// positions that disagree and for a doubtful "S".
std::optional<GeographicPoint> readPositionInText(std::string_view text);

// For a text that nothing reads: throws UnusableCoordinatesError saying why
// where it holds words and three or more bare numbers, two of them with
// decimals (a station height, a population), so that which two would be
// the position stays open; returns otherwise.
void refuseBareNumbers(std::string_view text);

} // namespace zelv
