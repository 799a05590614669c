#pragma once
// The way between the old German datum DHDN (Bessel ellipsoid, Rauenberg
// origin), on which the old German maps and their Gauß-Krüger grid were
// drawn, and ETRS89, which WGS 84 matches to within a metre:
// - inside the BeTA2007 grid (Germany and its borders): BeTA2007, the
//   official grid of the German surveying authorities;
// - elsewhere in the area of the old sheet grid, 46° to 56° N and 5°50' to
//   24° E on DHDN (Silesia, Pomerania, East Prussia, Posen, Alsace): the
//   seven-parameter transformation EPSG 1777, an approximation.  EPSG states
//   about 3 m for it in western Germany; outside Germany there is no
//   official figure;
// - further away: no way; GridConversionError OutsideDatumGrid.
//
// Angles are decimal degrees, east and north positive.

#include "CoordinateTranslator.h"

#include <memory>
#include <string>
#include <string_view>

namespace zelv {

// Which transformation a result went through.
enum class DhdnShift {
    Beta2007,
    Epsg1777,
};

// The area of the old sheet grid on DHDN, bounds included.
inline constexpr double oldSheetAreaSouth = 46;
inline constexpr double oldSheetAreaNorth = 56;
inline constexpr double oldSheetAreaWest = 5 + 50 / 60.0;
inline constexpr double oldSheetAreaEast = 24;
bool insideOldSheetArea(const GeographicPoint& dhdn);

// The area named for the user, Windows-1252:
// "46° bis 56° N und 5°50' bis 24° O".
std::string oldSheetAreaText();

// EPSG 1777 (DHDN to WGS 84), position-vector convention as PROJ's
// +towgs84 takes it: metres, arc seconds, parts per million.
inline constexpr std::string_view epsg1777Parameters =
    "+x=598.1 +y=73.7 +z=418.2 +rx=0.202 +ry=0.045 +rz=-2.455 +s=6.7 +convention=position_vector";

// A pipeline around `besselProjection` (a projection on +ellps=bessel)
// whose geographic side is on WGS 84 through EPSG 1777: forward it takes
// WGS 84 longitude/latitude, inverse it gives them.  Classic units at both
// ends (radians, the projection's linear unit), as gridShiftPipeline.
std::string epsg1777Pipeline(std::string_view besselProjection);

// A WGS 84 / ETRS89 position on DHDN, or a DHDN position on WGS 84, and the
// transformation that took it there.
struct DhdnPosition {
    GeographicPoint point;
    DhdnShift shift = DhdnShift::Beta2007;
};

// WGS 84 / ETRS89 positions into DHDN by the rule above, for many
// positions in a row: both ways are set up once.
class DhdnConverter {
public:
    // The data directory as TCoordinateTranslator takes it.  Without the
    // BeTA2007 grid there, every point goes through EPSG 1777.  Throws as
    // the TCoordinateTranslator constructor.
    explicit DhdnConverter(const std::string& dataDirectory);
    ~DhdnConverter();

    // Throws GridConversionError OutsideDatumGrid outside both areas, and
    // PointNotProjectable for a point the library can't take at all.
    DhdnPosition fromWgs84(double longitude, double latitude) const;

    // The other way: a DHDN position on WGS 84 / ETRS89, by the same rule
    // on the DHDN side; throws as fromWgs84.
    DhdnPosition toWgs84(double longitude, double latitude) const;

private:
    std::unique_ptr<TCoordinateTranslator> beta2007_; // null without the grid
    std::unique_ptr<TCoordinateTranslator> epsg1777_;
};

// The DHDN position by EPSG 1777 alone, for any point (no area test).
GeographicPoint dhdnFromWgs84ByEpsg1777(TCoordinateTranslator& service, double longitude, double latitude);

} // namespace zelv
