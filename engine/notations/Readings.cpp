#include "Readings.h"

#include <cmath>

namespace zelv {

bool agree(const Candidate& a, const Candidate& b)
{
    // Written to different places, two values are one where the intervals
    // of half their places share a point; a hair above, so that values
    // written to the half place are not parted by the rounding of their
    // decimal degrees (hidden decimals rounded down at a minute's edge).
    // Written to the same place, two different numbers are two positions,
    // "zwischen 54°N 16°E und 54°N 15°E", though their intervals touch.
    const auto within = [](double distance, Extended placeA, Extended placeB) {
        if (placeA == placeB)
            return distance <= static_cast<double>(placeA) * 1e-9;
        return distance <= static_cast<double>(placeA + placeB) / 2 * (1 + 1e-9);
    };
    double longitudes = std::fabs(a.point.Longitude - b.point.Longitude);
    if (longitudes > 180)
        longitudes = 360 - longitudes;
    return within(std::fabs(a.point.Latitude - b.point.Latitude), a.latitudePlace, b.latitudePlace)
           && within(longitudes, a.longitudePlace, b.longitudePlace);
}

double widthOf(const Candidate& c)
{
    return static_cast<double>(c.latitudePlace + c.longitudePlace);
}

void CandidateStore::add(const Candidate& c)
{
    ++count_;
    if (first_.size() < mostInFull) {
        first_.push_back(c);
        return;
    }
    const auto half = [](const Candidate& x, bool latitude) {
        return static_cast<double>(latitude ? x.latitudePlace : x.longitudePlace) / 2;
    };
    const auto value = [](const Candidate& x, bool latitude) {
        return latitude ? x.point.Latitude : x.point.Longitude;
    };
    const auto better = [&](std::optional<Candidate>& slot, auto beats) {
        if (!slot || beats(c, *slot))
            slot = c;
    };
    better(extremes_[0], [](const Candidate& a, const Candidate& b) { return widthOf(a) < widthOf(b); });
    for (const bool latitude : {true, false}) {
        const std::size_t i = latitude ? 1 : 3;
        better(extremes_[i], [&](const Candidate& a, const Candidate& b) {
            return value(a, latitude) - half(a, latitude) > value(b, latitude) - half(b, latitude);
        });
        better(extremes_[i + 1], [&](const Candidate& a, const Candidate& b) {
            return value(a, latitude) + half(a, latitude) < value(b, latitude) + half(b, latitude);
        });
    }
}

std::vector<const Candidate*> CandidateStore::kept() const
{
    std::vector<const Candidate*> all;
    for (const Candidate& c : first_)
        all.push_back(&c);
    for (const std::optional<Candidate>& c : extremes_)
        if (c)
            all.push_back(&*c);
    return all;
}

void Evidence::add(const Candidate& c)
{
    if (c.plainS) {
        plainSouth.add(c);
        Candidate north = c;
        north.point.Latitude = -north.point.Latitude;
        plainSNorth.add(north);
    } else if (c.source == Candidate::Source::Plain)
        plain.add(c);
    else if (c.source == Candidate::Source::Hidden)
        hidden.add(c);
    else
        named.add(c);
}

void Evidence::refuse(Refusal refusal)
{
    for (const Refusal& r : pairRefusals)
        if (r.kind == refusal.kind)
            return;
    pairRefusals.push_back(std::move(refusal));
}

} // namespace zelv
