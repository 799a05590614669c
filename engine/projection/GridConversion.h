#pragma once
// The grid arithmetic of the conversion buttons: UTM zone and central
// meridian, the two PROJ definition texts, and the rounding of grid values
// to whole metres.

#include "NumberText.h"

#include <cstdint>
#include <string>

namespace zelv {

// Int((longitude + 180) / 6) + 1, Int cutting toward zero: -180 and -185
// give 1, 179.999999 gives 60, 180 gives 61.  The result is not limited to
// 1..60: a longitude outside the zones gives a zone the library rejects.
// Beyond +-zoneLimit (longitudes past about +-6e8 degrees, infinities) the
// zone is held at +-zoneLimit, and NaN gives 0, so that no input can
// overflow the integer; all of these are rejected as well.
inline constexpr int zoneLimit = 100'000'000;
int utmZone(Extended longitude);

// 6 * zone - 183: the zone's central meridian in whole degrees (32 gives 9).
long long centralMeridian(int zone);

// "+proj=utm +ellps=GRS80 +zone=32 +lon_0=9 +x_0=500000" for zone 32.
std::string utmDefinition(int zone);

// "+proj=tmerc +ellps=bessel +lon_0=" + degreesText + "d" + minutesText +
// " +x_0=" + eastingText.  The texts are the fields' edit texts (empty for
// zero): minutes 0 give "10d" and an easting of 0 in metres leaves " +x_0="
// at the end, both read right by the library.  Empty degrees alone are
// written "0", so degrees 0 give "0d30", since PROJ reads "d30" as meridian
// 0 and drops the minutes.  A degree text "-0" stays, giving the meridian -0d30.
std::string tmercDefinition(const std::string& degreesText, const std::string& minutesText,
                            const std::string& eastingText);

// Round to the nearest integer, an exact half to the even neighbour.
// Throws GridConversionError ValueNotRoundable "Ungültige
// Gleitkommaoperation" (Windows-1252) for NaN, infinities and values outside
// the 64-bit integer range.
std::int64_t roundHalfEven(Extended value);

// The easting in metres for a value typed in kilometres: the decimal text of
// roundHalfEven(kilometres * 1000) ("6525000" for 6525).  Throws as
// roundHalfEven.
std::string metresTextFromKilometres(Extended kilometres);

} // namespace zelv
