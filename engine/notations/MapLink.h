#pragma once
// The web map behind the "multimap" link: OpenStreetMap, at its home page
// until a position is known, then centred on that position with a marker.

#include "NumberText.h"

#include <string>

namespace zelv {

// "https://www.openstreetmap.org/"
extern const char* const mapHomeAddress;

// The map at a position in decimal degrees (north and east positive):
//   https://www.openstreetmap.org/?mlat=LAT&mlon=LON#map=15/LAT/LON
// with each value to five decimals, as the location text writes them, and a
// decimal point whatever the locale.  A value that rounds to zero is written
// without a sign.  A position off the globe (|latitude| > 90, |longitude| >
// 180, or not finite) has no map view: it gives the home page.
std::string mapAddressAt(Extended latitude, Extended longitude);

} // namespace zelv
