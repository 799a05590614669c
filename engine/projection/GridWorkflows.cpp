#include "GridWorkflows.h"

#include "GridConversion.h"
#include "ProjApi447.h"

namespace zelv {

namespace {

constexpr Extended metresPerKilometre = 1000;

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

// Sets the grid's definition and runs `project` through it.  A point that
// the shifted definition can't project but Bessel alone can lies outside
// BeTA2007: that failure is told apart, as the user asked for a datum that
// this point can't get.  The service then holds the Bessel definition.
template <class Projection>
auto projectOnGrid(TCoordinateTranslator& service, const TmGrid& grid, Projection project)
{
    const std::string bessel = besselDefinition(grid);
    if (grid.datum == TmDatum::Bessel) {
        service.SetDefinition(bessel);
        return project();
    }
    service.SetDefinition(proj447::gridShiftPipeline(bessel, beta2007GridFileName));
    try {
        return project();
    } catch (const GridConversionError& e) {
        if (e.kind() != GridFailure::PointNotProjectable)
            throw;
    }
    service.SetDefinition(bessel);
    project(); // fails the same way when Bessel alone can't do it either
    throw GridConversionError(GridFailure::OutsideDatumGrid,
                              "BeTA2007 gilt nur f\xFCr Deutschland und seine Grenzgebiete: "
                              "Dieser Punkt l\xE4sst sich nicht nach ETRS89 umrechnen.");
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

GeographicPoint tmInverse(TCoordinateTranslator& service, const TmGrid& grid, Extended easting,
                          Extended northing)
{
    const Extended factor = metresPer(grid.unit);
    return projectOnGrid(service, grid, [&] {
        return service.Inverse(static_cast<double>(easting * factor), static_cast<double>(northing * factor));
    });
}

TmPoint tmForward(TCoordinateTranslator& service, const TmGrid& grid, Extended longitude, Extended latitude)
{
    const ProjectedPoint point = projectOnGrid(service, grid, [&] {
        return service.Forward(static_cast<double>(longitude), static_cast<double>(latitude));
    });
    const Extended factor = metresPer(grid.unit);
    return {static_cast<Extended>(roundHalfEven(point.X)) / factor,
            static_cast<Extended>(roundHalfEven(point.Y)) / factor};
}

Extended scaledIntoUnit(Extended value, GridUnit unit)
{
    return unit == GridUnit::Kilometres ? value / metresPerKilometre : value * metresPerKilometre;
}

GridUnitFormat gridUnitFormat(GridUnit unit)
{
    if (unit == GridUnit::Kilometres)
        return {3, "#0.000"};
    return {0, "#######"};
}

} // namespace zelv
