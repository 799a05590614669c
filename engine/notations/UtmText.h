#pragma once
// UTM grid references as GPS units and maps print them:
//   32U 625712 5586252       32 U 625712mE 5586252mN      32U 625712 E 5586252 N
// The zone (1 to 60, one or two digits), the latitude band letter C..X
// (without I and O; C..M south, N..X north), the easting and the northing in
// metres, each with an optional unit ("m", "mE"/"mN", "E"/"N").  Both
// decimal marks are read.  A band that does not fit the northing (more than
// half a degree outside it) is no band: "34S 261878 6243186" writes S for
// south, and reading it as band S would put Cape Town in the north.  N alone
// passes with any northern northing, since the band N and the hemisphere N
// give the same position.

#include <optional>
#include <string_view>

namespace zelv {

// A UTM position as the window's grid fields hold it: the zone (1..60), the
// easting in metres (false easting included), and the northing in metres
// counted from the equator, negative in the south (a printed southern
// northing less its 10,000,000 m false northing).
struct UtmPosition {
    int Zone = 0;
    double Easting = 0;
    double Northing = 0;
};

// The reference that is the whole Windows-1252 text; nothing for any other.
std::optional<UtmPosition> readUtmText(std::string_view text);

} // namespace zelv
