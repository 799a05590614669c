#include "Readings.h"

#include <cmath>

namespace zelv {

bool agree(const Candidate& a, const Candidate& b)
{
    // Intervals of half a place around each value share a point where the
    // values lie within the two halves, added; a hair above, so that values
    // written to the half place are not parted by the rounding of their
    // decimal degrees.
    const auto within = [](double distance, Extended placeA, Extended placeB) {
        return distance <= static_cast<double>(placeA + placeB) / 2 * (1 + 1e-9);
    };
    double longitudes = std::fabs(a.point.Longitude - b.point.Longitude);
    if (longitudes > 180)
        longitudes = 360 - longitudes;
    return within(std::fabs(a.point.Latitude - b.point.Latitude), a.latitudePlace, b.latitudePlace)
           && within(longitudes, a.longitudePlace, b.longitudePlace);
}

void Evidence::refuse(Refusal refusal)
{
    for (const Refusal& r : pairRefusals)
        if (r.kind == refusal.kind)
            return;
    pairRefusals.push_back(std::move(refusal));
}

} // namespace zelv
