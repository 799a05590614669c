#include "UtmProjections.h"

#include "GridConversion.h"

#include <utility>

namespace zelv {

UtmProjections::UtmProjections(std::string dataDirectory) : dataDirectory_(std::move(dataDirectory))
{
    // Only to fail now, before any point, on a directory without "proj_def.dat".
    const TCoordinateTranslator check(dataDirectory_);
}

TCoordinateTranslator& UtmProjections::zone(int zone)
{
    auto found = zones_.find(zone);
    if (found != zones_.end())
        return *found->second;
    auto projection = std::make_unique<TCoordinateTranslator>(dataDirectory_);
    projection->SetDefinition(utmDefinition(zone));
    return *zones_.emplace(zone, std::move(projection)).first->second;
}

UtmPoint UtmProjections::forward(Extended longitude, Extended latitude)
{
    const int z = utmZone(longitude);
    const ProjectedPoint point = zone(z).Forward(static_cast<double>(longitude), static_cast<double>(latitude));
    return {z, roundHalfEven(point.X), roundHalfEven(point.Y)};
}

GeographicPoint UtmProjections::inverse(int z, Extended easting, Extended northing)
{
    return zone(z).Inverse(static_cast<double>(easting), static_cast<double>(northing));
}

} // namespace zelv
