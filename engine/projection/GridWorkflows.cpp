#include "GridWorkflows.h"

#include "DhdnDatum.h"
#include "GridConversion.h"
#include "ProjApi447.h"

#include <cmath>
#include <optional>
#include <string>
#include <utility>

namespace zelv {

namespace {

constexpr Extended metresPerKilometre = 1000;

// No Transverse Mercator map reaches farther from its meridian (a
// Gauss-Krueger zone some 170 km, a UTM zone under 700 km).
constexpr Extended farthestFromReferenceEasting = 1000 * metresPerKilometre;

Extended metresPer(GridUnit unit)
{
    return unit == GridUnit::Kilometres ? metresPerKilometre : 1;
}

// The grid's definition on Bessel alone, whatever its datum.
std::string besselDefinition(const TmGrid& grid)
{
    const std::string referenceEasting = grid.unit == GridUnit::Kilometres
                                             ? metresTextFromKilometres(grid.referenceEasting)
                                             : grid.referenceEastingText;
    return tmercDefinition(grid.meridianDegreesText, grid.meridianMinutesText, referenceEasting);
}

// Sets the grid's definition and runs `project` through it; returns the
// result and the datum shift it went through (none on Bessel).  Into ETRS89
// a point outside the BeTA2007 grid goes through EPSG 1777 when its DHDN
// position, which `dhdnPosition` finds with the service (leaving any
// projection set), lies in the old sheet area; further away it fails as
// OutsideDatumGrid.  The service then holds the definition that gave the
// result.
template <class Projection, class DhdnPositionOf>
auto projectOnGrid(TCoordinateTranslator& service, const TmGrid& grid, Projection project,
                   DhdnPositionOf dhdnPosition)
{
    using Result = std::pair<decltype(project()), std::optional<DhdnShift>>;
    const std::string bessel = besselDefinition(grid);
    if (grid.datum == TmDatum::Bessel) {
        service.SetDefinition(bessel);
        return Result{project(), std::nullopt};
    }
    try {
        service.SetDefinition(proj447::gridShiftPipeline(bessel, beta2007GridFileName));
        return Result{project(), DhdnShift::Beta2007};
    } catch (const GridConversionError& e) {
        // Rejected: no grid file, or a definition that Bessel alone rejects
        // as well (found below); not projectable: outside the grid.
        if (e.kind() != GridFailure::PointNotProjectable && e.kind() != GridFailure::DefinitionRejected)
            throw;
    }
    service.SetDefinition(bessel); // rejects a definition the grid did not cause
    if (!insideOldSheetArea(dhdnPosition(bessel)))
        throw GridConversionError(GridFailure::OutsideDatumGrid,
                                  "BeTA2007 gilt nur f\xFCr Deutschland und seine Grenzgebiete, EPSG 1777 f\xFCr "
                                  + oldSheetAreaText() + ": Dieser Punkt l\xE4sst sich nicht nach ETRS89 umrechnen.");
    service.SetDefinition(epsg1777Pipeline(bessel));
    return Result{project(), DhdnShift::Epsg1777};
}

} // namespace

GridUnit gridUnitOfIndex(int itemIndex)
{
    return itemIndex == 0 ? GridUnit::Kilometres : GridUnit::Metres;
}

UtmPoint utmForward(TCoordinateTranslator& service, Extended longitude, Extended latitude)
{
    const int zone = utmZone(longitude);
    service.SetDefinition(utmDefinition(zone));
    const ProjectedPoint point = service.Forward(static_cast<double>(longitude), static_cast<double>(latitude));
    return {zone, roundHalfEven(point.X), roundHalfEven(point.Y)};
}

GeographicPoint utmInverse(TCoordinateTranslator& service, int zone, Extended easting, Extended northing)
{
    service.SetDefinition(utmDefinition(zone));
    return service.Inverse(static_cast<double>(easting), static_cast<double>(northing));
}

TmGeographicResult tmInverseShifted(TCoordinateTranslator& service, const TmGrid& grid, Extended easting,
                                    Extended northing)
{
    const Extended factor = metresPer(grid.unit);
    auto project = [&] {
        return service.Inverse(static_cast<double>(easting * factor), static_cast<double>(northing * factor));
    };
    // The grid values on Bessel alone give the DHDN position.
    auto [point, shift] = projectOnGrid(service, grid, project, [&](const std::string& bessel) {
        service.SetDefinition(bessel);
        return project();
    });
    return {point, shift};
}

GeographicPoint tmInverse(TCoordinateTranslator& service, const TmGrid& grid, Extended easting,
                          Extended northing)
{
    return tmInverseShifted(service, grid, easting, northing).point;
}

TmPoint tmForward(TCoordinateTranslator& service, const TmGrid& grid, Extended longitude, Extended latitude)
{
    auto project = [&] { return service.Forward(static_cast<double>(longitude), static_cast<double>(latitude)); };
    const auto [point, shift] = projectOnGrid(service, grid, project, [&](const std::string&) {
        return dhdnFromWgs84ByEpsg1777(service, static_cast<double>(longitude), static_cast<double>(latitude));
    });
    const Extended factor = metresPer(grid.unit);
    return {static_cast<Extended>(roundHalfEven(point.X)) / factor,
            static_cast<Extended>(roundHalfEven(point.Y)) / factor, shift};
}

Extended scaledIntoUnit(Extended value, GridUnit unit)
{
    return unit == GridUnit::Kilometres ? value / metresPerKilometre : value * metresPerKilometre;
}

std::optional<UnitFix> unitThatFits(TCoordinateTranslator& service, const TmGrid& grid, Extended easting,
                                    Extended northing)
{
    // Values fit a unit when they convert and lie within a map's reach of
    // the reference easting: far beyond it the library still finds a
    // position, on the other side of the earth.
    auto converts = [&](const TmGrid& candidate) {
        const Extended factor = metresPer(candidate.unit);
        if (!(std::fabs(easting * factor - candidate.referenceEasting * factor) <= farthestFromReferenceEasting))
            return false;
        try {
            tmInverseShifted(service, candidate, easting, northing);
            return true;
        } catch (const GridConversionError&) {
            return false;
        }
    };
    if (converts(grid))
        return std::nullopt;
    const GridUnit other = grid.unit == GridUnit::Kilometres ? GridUnit::Metres : GridUnit::Kilometres;
    for (const bool keepDigits : {true, false}) {
        TmGrid candidate = grid;
        candidate.unit = other;
        if (!keepDigits)
            candidate.referenceEasting = scaledIntoUnit(grid.referenceEasting, other);
        // In metres the definition takes the text: whole metres, as the
        // field shows them in that unit.
        if (other == GridUnit::Metres) {
            try {
                candidate.referenceEastingText = std::to_string(roundHalfEven(candidate.referenceEasting));
            } catch (const GridConversionError&) {
                continue;
            }
        }
        if (converts(candidate))
            return UnitFix{other, keepDigits};
    }
    return std::nullopt;
}

GridUnitFormat gridUnitFormat(GridUnit unit)
{
    if (unit == GridUnit::Kilometres)
        return {3, "#0.000"};
    return {0, "#######"};
}

} // namespace zelv
