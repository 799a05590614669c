#pragma once
// Longitudes counted east of Ferro (El Hierro), as the margins of old German
// and Austrian maps give them until about 1920:
//   52°31'12"N 31°04'18" östl. v. Ferro    is 13°24'18" east of Greenwich.
// The mark stands after the longitude: "östl. v. Ferro", "östlich von
// Ferro", "ö. v. F.", "ö. F." or "E of Ferro" (and the mixed forms "östl.
// von Ferro", "östlich v. Ferro", "ö. v. Ferro", "east of Ferro").  The
// meridian of Ferro is taken by the convention of those surveys, exactly
// 17°40' west of Greenwich, not by the island's true position.

#include "CoordinateTranslator.h"

#include <optional>
#include <string>
#include <string_view>

namespace zelv {

// How far Ferro's meridian lies west of Greenwich, in degrees.
inline constexpr double ferroWestOfGreenwich = 17.0 + 40.0 / 60.0;

// The Windows-1252 text with its Ferro mark replaced by the east letter
// "O", ready to be read as a position east of a prime meridian; nothing
// when the text has no mark.  Throws UnusableCoordinatesError for a text
// with more than one mark.
std::optional<std::string> withFerroMarkAsEast(std::string_view text);

// A position read with its longitude east of Ferro, east of Greenwich.
GeographicPoint fromFerro(GeographicPoint point);

} // namespace zelv
