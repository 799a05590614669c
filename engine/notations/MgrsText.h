#pragma once
// MGRS grid references, the grid of GPS units and outdoor apps:
//   32UPA2571186252    33UUU 91779 20072    33U UU 9177 2007    32UPA
// The zone (1 to 60, one or two digits) and its latitude band letter, the
// two letters of the 100 km square, then none to five digits for the
// easting and as many for the northing: one run of an even number of
// digits, or two runs of the same length separated by blanks.  Blanks may
// also stand between the band and the square.  The letters are capitals.
// The letters and the digits are converted by GeographicLib's MGRS and UTM
// conversions.
//
// An MGRS reference names a square, not a point (100 km without digits,
// 1 m with five pairs).  The result is the centre of the square in whole
// metres, as the window's UTM fields hold them: for the 1 m square that is
// its south-west corner, the digits as written.  The centre is never farther
// than half the square's diagonal from the true point, the corner up to the
// whole diagonal.

#include "Refusals.h"
#include "UtmText.h"

#include <optional>
#include <string_view>

namespace zelv {

// The UTM position of the MGRS reference that makes up the whole
// Windows-1252 text (blanks around it allowed); nothing when the text is
// not shaped like one.  Refused, naming the reference and the cause: a zone
// outside 1 to 60, digits that do not split into easting and northing of
// the same length, more than five digits for each, a 100 km square that
// does not lie in the given zone and band, and a polar reference (UPS: a
// band A, B, Y or Z without a zone), which the window's UTM fields cannot
// hold.
FormResult<UtmPosition> readMgrs(std::string_view text);

} // namespace zelv
