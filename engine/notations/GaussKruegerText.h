#pragma once
// Gauß-Krüger values as old German maps, land registers and geoportals give
// them: Rechtswert (easting, its first digit the zone digit) and Hochwert
// (northing) in metres.  Plain C++ over a Windows-1252 text, no state.
//
// Forms (the whole text, blanks and line breaks around it allowed):
//   labelled     R 4412345 H 5598765        RW: 4412345 HW: 5598765
//                Rechtswert=4412345; Hochwert=5598765
//                Hoch 5598765, Rechts 4412345   (the labels give the order)
//   unlabelled   4412345 5598765            (Rechtswert first)
// - Labels: R, RW, Rechts, Rechtswert and H, HW, Hoch, Hochwert, in any
//   case; ":" or "=" may follow, blanks around it.
// - The two parts are separated by blanks (line breaks included), or by
//   one "," or ";" with blanks around it or not.
// - Each value has seven whole digits, written together or grouped in
//   threes from the right by single blanks, no-break spaces (0xA0; thin
//   spaces arrive as these) as in "4 412 345"; after a label also 2-2-3,
//   as maps print the grid values with big and small digits:
//   "R 64 32 378 H 56 64 319".  Decimals may follow after "." or ",".
// - The Rechtswert's zone digit k is 2 to 7; the Hochwert lies between
//   5 000 000 and 6 200 000 m, the extent of the old sheet grid.
// So "0441 1234567", six-digit values and zone digits 0, 1, 8 or 9 are no
// Gauß-Krüger text.
//
// Zone digit k gives the reference meridian 3k degrees and the reference
// easting k x 1000 km + 500 km.

#include <optional>
#include <string_view>

namespace zelv {

struct GaussKruegerPosition {
    int Zone = 0;        // the zone digit k, 2..7
    double Easting = 0;  // the Rechtswert in metres, zone digit included
    double Northing = 0; // the Hochwert in metres
};

// The reference meridian of zone k in whole degrees: 3k.
int gaussKruegerMeridian(int zone);
// The reference easting of zone k in metres: k x 1 000 000 + 500 000.
long long gaussKruegerReferenceEasting(int zone);

inline constexpr double gaussKruegerNorthingMin = 5000000;
inline constexpr double gaussKruegerNorthingMax = 6200000;

// The position of a text in one of the forms above, or nothing.  The digits
// are read here; the result does not depend on the locale.
std::optional<GaussKruegerPosition> readGaussKruegerText(std::string_view text);

} // namespace zelv
