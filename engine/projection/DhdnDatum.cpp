#include "DhdnDatum.h"

#include "Exception.h"
#include "GridWorkflows.h"
#include "ProjApi447.h"

namespace zelv {

namespace {

// Bessel longitude/latitude as a projection, so that the shifts can end on
// the geographic side alone.
constexpr std::string_view besselGeographic = "+proj=longlat +ellps=bessel";

// A pipeline that ends in radians gives them as the service's "metres".
GeographicPoint degreesOf(const ProjectedPoint& radians)
{
    return {static_cast<double>(radians.X * radiansToDegrees), static_cast<double>(radians.Y * radiansToDegrees)};
}

} // namespace

bool insideOldSheetArea(const GeographicPoint& dhdn)
{
    return dhdn.Latitude >= oldSheetAreaSouth && dhdn.Latitude <= oldSheetAreaNorth
           && dhdn.Longitude >= oldSheetAreaWest && dhdn.Longitude <= oldSheetAreaEast;
}

std::string oldSheetAreaText()
{
    return "46\xB0 bis 56\xB0 N und 5\xB0" "50' bis 24\xB0 O";
}

std::string epsg1777Pipeline(std::string_view besselProjection)
{
    // WGS 84 to DHDN is the inverse of EPSG 1777, taken on geocentric
    // coordinates; the ellipsoid height that changes on the way is dropped by
    // the projection, as it carries no meaning for a map position.
    std::string pipeline = "+proj=pipeline +step +proj=cart +ellps=WGS84 +step +inv +proj=helmert ";
    pipeline += epsg1777Parameters;
    pipeline += " +step +inv +proj=cart +ellps=bessel +step ";
    pipeline += besselProjection;
    return pipeline;
}

GeographicPoint dhdnFromWgs84ByEpsg1777(TCoordinateTranslator& service, double longitude, double latitude)
{
    service.SetDefinition(epsg1777Pipeline(besselGeographic));
    return degreesOf(service.Forward(longitude, latitude));
}

DhdnPosition dhdnFromWgs84(TCoordinateTranslator& service, double longitude, double latitude)
{
    try {
        service.SetDefinition(proj447::gridShiftPipeline(besselGeographic, beta2007GridFileName));
        return {degreesOf(service.Forward(longitude, latitude)), DhdnShift::Beta2007};
    } catch (const GridConversionError& e) {
        // Rejected: the grid file is missing; not projectable: outside it.
        if (e.kind() != GridFailure::PointNotProjectable && e.kind() != GridFailure::DefinitionRejected)
            throw;
    }
    const GeographicPoint dhdn = dhdnFromWgs84ByEpsg1777(service, longitude, latitude);
    if (!insideOldSheetArea(dhdn))
        throw GridConversionError(GridFailure::OutsideDatumGrid,
                                  "Au\xDF" "erhalb von " + oldSheetAreaText() + " gibt es keine Umrechnung ins DHDN.");
    return {dhdn, DhdnShift::Epsg1777};
}

} // namespace zelv
