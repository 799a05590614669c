#include "CoordinateTranslator.h"

#include "Exception.h"
#include "Windows1252.h"

#include <cmath>
#include <filesystem>
#include <system_error>

namespace zelv {

namespace {

const char* const initializationFailed = "Initialization of proj toolkit failed!";
const char* const notProjectable = "Der Punkt kann nicht projiziert werden";

void requireFinite(double a, double b)
{
    if (!std::isfinite(a) || !std::isfinite(b))
        throw GridConversionError(GridFailure::PointNotProjectable, notProjectable);
}

} // namespace

TCoordinateTranslator::TCoordinateTranslator(const std::string& dataDirectory)
{
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(proj447::defaultsFilePath(dataDirectory), ignored))
        throw Exception("Initialization file \"proj_def.dat\" in path \"" +
                        toWindows1252(dataDirectory) + "\" not found!");
    initialDefinition_ = "+proj=lcc +ellps=WGS84";
    handle_.reset(proj447::pj_init_plus_path(initialDefinition_.c_str(), dataDirectory.c_str()));
    if (!handle_)
        throw GridConversionError(GridFailure::DefinitionRejected, initializationFailed);
    dataDirectory_ = dataDirectory;
}

TCoordinateTranslator::~TCoordinateTranslator() = default;

void TCoordinateTranslator::SetDefinition(const std::string& definition)
{
    handle_.reset();
    handle_.reset(proj447::pj_init_plus_path(definition.c_str(), dataDirectory_.c_str()));
    if (!handle_)
        throw GridConversionError(GridFailure::DefinitionRejected, initializationFailed);
}

ProjectedPoint TCoordinateTranslator::Forward(double longitude, double latitude) const
{
    if (!handle_)
        throw GridConversionError(GridFailure::ServiceEmpty, initializationFailed);
    const proj447::LP lp{static_cast<double>(longitude * degreesToRadians),
                         static_cast<double>(latitude * degreesToRadians)};
    const proj447::XY xy = proj447::pj_fwd(lp, handle_.get());
    requireFinite(xy.x, xy.y);
    return {xy.x, xy.y};
}

GeographicPoint TCoordinateTranslator::Inverse(double x, double y) const
{
    if (!handle_)
        throw GridConversionError(GridFailure::ServiceEmpty, initializationFailed);
    const proj447::LP lp = proj447::pj_inv({x, y}, handle_.get());
    const GeographicPoint point{static_cast<double>(lp.lam * radiansToDegrees),
                                static_cast<double>(lp.phi * radiansToDegrees)};
    requireFinite(point.Longitude, point.Latitude);
    return point;
}

} // namespace zelv
