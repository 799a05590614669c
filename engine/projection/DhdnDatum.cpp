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

DhdnConverter::DhdnConverter(const std::string& dataDirectory)
    : epsg1777_(std::make_unique<TCoordinateTranslator>(dataDirectory))
{
    epsg1777_->SetDefinition(epsg1777Pipeline(besselGeographic));
    try {
        auto beta2007 = std::make_unique<TCoordinateTranslator>(dataDirectory);
        beta2007->SetDefinition(proj447::gridShiftPipeline(besselGeographic, beta2007GridFileName));
        beta2007_ = std::move(beta2007);
    } catch (const GridConversionError& e) {
        if (e.kind() != GridFailure::DefinitionRejected) // the grid file is missing
            throw;
    }
}

DhdnConverter::~DhdnConverter() = default;

DhdnPosition DhdnConverter::fromWgs84(double longitude, double latitude) const
{
    if (beta2007_) {
        try {
            return {degreesOf(beta2007_->Forward(longitude, latitude)), DhdnShift::Beta2007};
        } catch (const GridConversionError& e) {
            if (e.kind() != GridFailure::PointNotProjectable) // outside the grid
                throw;
        }
    }
    const GeographicPoint dhdn = degreesOf(epsg1777_->Forward(longitude, latitude));
    if (!insideOldSheetArea(dhdn))
        throw GridConversionError(GridFailure::OutsideDatumGrid,
                                  "Au\xDF" "erhalb von " + oldSheetAreaText() + " gibt es keine Umrechnung ins DHDN.");
    return {dhdn, DhdnShift::Epsg1777};
}

DhdnPosition DhdnConverter::toWgs84(double longitude, double latitude) const
{
    constexpr double toRadians = static_cast<double>(1 / radiansToDegrees);
    if (beta2007_) {
        try {
            return {beta2007_->Inverse(longitude * toRadians, latitude * toRadians), DhdnShift::Beta2007};
        } catch (const GridConversionError& e) {
            if (e.kind() != GridFailure::PointNotProjectable) // outside the grid
                throw;
        }
    }
    if (!insideOldSheetArea({longitude, latitude}))
        throw GridConversionError(GridFailure::OutsideDatumGrid,
                                  "Au\xDF" "erhalb von " + oldSheetAreaText() + " gibt es keine Umrechnung aus dem DHDN.");
    return {epsg1777_->Inverse(longitude * toRadians, latitude * toRadians), DhdnShift::Epsg1777};
}

} // namespace zelv
