#include "GridWorkflows.h"

#include "GridConversion.h"

namespace zelv {

namespace {

constexpr Extended metresPerKilometre = 1000;

Extended metresPer(GridUnit unit)
{
    return unit == GridUnit::Kilometres ? metresPerKilometre : 1;
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
    const std::string referenceEasting = grid.unit == GridUnit::Kilometres
                                             ? metresTextFromKilometres(grid.referenceEasting)
                                             : grid.referenceEastingText;
    service.SetDefinition(tmercDefinition(grid.meridianDegreesText, grid.meridianMinutesText, referenceEasting));
    const Extended factor = metresPer(grid.unit);
    return service.Inverse(static_cast<double>(easting * factor), static_cast<double>(northing * factor));
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
