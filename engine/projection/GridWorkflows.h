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
//   is not finite or outside the 64-bit integer range;
// - OutsideDatumGrid: a Transverse Mercator conversion into ETRS89 whose
//   point lies outside the BeTA2007 grid and outside the old sheet area of
//   EPSG 1777 (DhdnDatum.h), while the grid on Bessel alone converts it.
//   Its message, in German, names both areas.

#include "CoordinateTranslator.h"
#include "DhdnDatum.h"
#include "Exception.h"
#include "NumberText.h"

#include <cstdint>
#include <optional>
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

// The datum of the latitude/longitude side of a Transverse Mercator grid.
enum class TmDatum {
    // As the grid's own Bessel ellipsoid gives it: the old German network
    // DHDN, up to 200 m from WGS 84.
    Bessel,
    // Shifted from DHDN to ETRS89 (WGS 84 to within a metre) with the
    // official BeTA2007 grid, which covers Germany and its borders; the
    // grid file must lie in the service's data directory.  Elsewhere in the
    // old sheet area the approximation EPSG 1777 (DhdnDatum.h).
    Etrs89Beta2007,
};

// The file of the BeTA2007 grid, looked for in the data directory.
inline constexpr std::string_view beta2007GridFileName = "BETA2007.gsb";

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
    TmDatum datum = TmDatum::Bessel;
};

// A Transverse Mercator position in the grid's unit: whole metres, or in km
// the whole metres with three decimals.
struct TmPoint {
    Extended easting = 0;
    Extended northing = 0;
    // The datum shift of the latitude/longitude side; none on Bessel.
    std::optional<DhdnShift> shift;
};

// Latitude/longitude from a Transverse Mercator grid, and the datum shift
// that gave them (none on Bessel).
struct TmGeographicResult {
    GeographicPoint point;
    std::optional<DhdnShift> shift;
};

// Latitude/longitude to UTM on GRS80: the zone from the longitude
// (utmZone), then the projection, then both grid values rounded half to
// even.  No southern false northing: a southern latitude gives a negative
// northing.  All or nothing: a zone comes back only with its easting and
// northing.
UtmPoint utmForward(TCoordinateTranslator& service, Extended longitude, Extended latitude);

// UTM on GRS80 back to latitude/longitude.
GeographicPoint utmInverse(TCoordinateTranslator& service, int zone, Extended easting, Extended northing);

// Transverse Mercator back to latitude/longitude (in the grid's datum);
// easting and northing are in the grid's unit and scaled to metres here.  A reference easting that
// can't be rounded fails before the definition is set, so the service keeps
// its projection then.
GeographicPoint tmInverse(TCoordinateTranslator& service, const TmGrid& grid, Extended easting,
                          Extended northing);
// The same, with the datum shift it went through.
TmGeographicResult tmInverseShifted(TCoordinateTranslator& service, const TmGrid& grid, Extended easting,
                                    Extended northing);

// Latitude/longitude to Transverse Mercator with the grid's definition (and
// its datum), both values rounded to whole metres half to even and given in
// the grid's unit.  All or nothing.  A reference easting that can't be
// rounded fails before the definition is set.
TmPoint tmForward(TCoordinateTranslator& service, const TmGrid& grid, Extended longitude, Extended latitude);

// The km/m switch for one value: the value, read in the other unit, in
// `unit` (x 1000 into metres, / 1000 into kilometres).  The switch does not
// know the unit it comes from, so every call scales.
Extended scaledIntoUnit(Extended value, GridUnit unit);

// The km/m trap: easting and northing typed in the other unit than the one
// chosen (the map's metres while "km" is chosen, or the other way round)
// give no position.  unitThatFits tells whether they would give one if
// their unit were the other, digits as typed (no x 1000).  Values fit a
// unit when they convert and the easting lies within 1000 km of the
// reference easting (beyond that the library may still find a position, on
// the far side of the earth, which no map shows).  Tried first with the
// reference easting's digits kept as well, as when all three were typed
// from the map, then with the reference easting scaled into the other unit
// (scaledIntoUnit), as when it was set up in the chosen one.  None when
// neither fits, or the values fit their unit already.  Sets the
// service's definition as the conversions do.
struct UnitFix {
    GridUnit unit;
    // Whether the reference easting keeps its digits too; otherwise it is
    // scaled into `unit`.
    bool referenceKeepsDigits;
};
std::optional<UnitFix> unitThatFits(TCoordinateTranslator& service, const TmGrid& grid, Extended easting,
                                    Extended northing);

// How a field shows values of a unit: 3 decimals and "#0.000" in km,
// 0 decimals and "#######" in m.
struct GridUnitFormat {
    unsigned decimalPlaces;
    std::string_view displayFormat;
};
GridUnitFormat gridUnitFormat(GridUnit unit);

} // namespace zelv
