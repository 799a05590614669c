#pragma once
// The grid conversions of the main window as plain functions over plain
// values: each one builds its PROJ definition, hands it to the projection
// service, projects one point and returns the whole result, or throws a
// GridConversionError and returns nothing.  The service keeps the last
// definition that was set, and is empty after a rejected one.
//
// Angles are decimal degrees, east and north positive; grid values are in
// metres unless a TmGrid's unit says kilometres.  Failures, all
// GridConversionError:
// - DefinitionRejected: the library refused the definition (a zone outside
//   1..60, a meridian text it can't read);
// - PointNotProjectable: the library gave no finite result for the point;
// - ValueNotRoundable: a grid value that has to be rounded to whole metres
//   is not finite or outside the 64-bit integer range.

#include "CoordinateTranslator.h"
#include "Exception.h"
#include "NumberText.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zelv {

// A UTM position: zone, easting and northing in whole metres.
struct UtmPoint {
    int zone = 0;
    std::int64_t easting = 0;
    std::int64_t northing = 0;
};

// The unit in which the Transverse Mercator values are typed.
enum class GridUnit { Kilometres, Metres };

// The unit of a km/m choice by its index: 0 is km, every other index (-1,
// nothing chosen, included) is m.
GridUnit gridUnitOfIndex(int itemIndex);

// A Transverse Mercator grid on the Bessel ellipsoid as the user gives it.
struct TmGrid {
    // The reference meridian as the degree and minute fields' edit texts
    // ("" for 0, "-0" kept): "10" and "30" give the meridian 10d30.
    std::string meridianDegreesText;
    std::string meridianMinutesText;
    // The false easting ("Bezugs R-Wert") in `unit`, as value and as edit
    // text: in km the value is rounded to whole metres, in m the text is
    // taken as it stands ("" for 0 leaves " +x_0=" empty).
    Extended referenceEasting = 0;
    std::string referenceEastingText;
    GridUnit unit = GridUnit::Kilometres;
};

// Latitude/longitude to UTM on GRS80: the zone from the longitude
// (utmZone), then the projection, then both grid values rounded half to
// even.  No southern false northing: a southern latitude gives a negative
// northing.  All or nothing: a zone comes back only with its easting and
// northing.
UtmPoint utmForward(TCoordinateTranslator& service, Extended longitude, Extended latitude);

// UTM on GRS80 back to latitude/longitude.
GeographicPoint utmInverse(TCoordinateTranslator& service, int zone, Extended easting, Extended northing);

// Transverse Mercator back to latitude/longitude; easting and northing are
// in the grid's unit and scaled to metres here.  A reference easting that
// can't be rounded fails before the definition is set, so the service keeps
// its projection then.
GeographicPoint tmInverse(TCoordinateTranslator& service, const TmGrid& grid, Extended easting,
                          Extended northing);

// The km/m switch for one value: the value, read in the other unit, in
// `unit` (x 1000 into metres, / 1000 into kilometres).  The switch does not
// know the unit it comes from, so every call scales.
Extended scaledIntoUnit(Extended value, GridUnit unit);

// How a field shows values of a unit: 3 decimals and "#0.000" in km,
// 0 decimals and "#######" in m.
struct GridUnitFormat {
    unsigned decimalPlaces;
    std::string_view displayFormat;
};
GridUnitFormat gridUnitFormat(GridUnit unit);

} // namespace zelv
