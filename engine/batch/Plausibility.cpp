#include "Plausibility.h"

#include "CountText.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zelv {

namespace {

constexpr std::size_t fewestRows = 5;
constexpr double farKm = 50;
constexpr double farFactor = 5;

// The median of one coordinate of the rows.
double median(const std::deque<PlacedRow>& rows, float PlacedRow::*coordinate)
{
    std::vector<float> values;
    values.reserve(rows.size());
    for (const PlacedRow& row : rows)
        values.push_back(row.*coordinate);
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::ranges::nth_element(values, middle);
    if (values.size() % 2 == 1)
        return *middle;
    return (static_cast<double>(*middle) + *std::max_element(values.begin(), middle)) / 2;
}

// The values around the middle of a list (five or more), enough to give
// the median of the list without any one of its values.
class Middle {
public:
    explicit Middle(std::vector<float> values) : n_(values.size())
    {
        for (std::size_t k = first(); k <= n_ / 2 + 1; ++k) { // each in linear time
            std::ranges::nth_element(values, values.begin() + static_cast<std::ptrdiff_t>(k));
            at_[k - first()] = values[k];
        }
    }
    // The median of the others when one `value` of the list is left out:
    // a value below it keeps its rank, the rest move down one.
    double without(float value) const
    {
        const auto remaining = [&](std::size_t j) -> double { return get(j) < value ? get(j) : get(j + 1); };
        const std::size_t m = n_ - 1;
        return m % 2 == 1 ? remaining(m / 2) : (remaining(m / 2 - 1) + remaining(m / 2)) / 2;
    }

private:
    std::size_t first() const { return n_ / 2 - 1; }
    float get(std::size_t k) const { return at_[k - first()]; }

    std::size_t n_;
    float at_[3] = {};
};

// The Gauß-Krüger zone whose meridian (3° apart) lies nearest.
int zoneOfLongitude(double longitude)
{
    return static_cast<int>(std::lround(longitude / 3));
}

} // namespace

double distanceKm(double latitude1, double longitude1, double latitude2, double longitude2)
{
    constexpr double radian = std::numbers::pi / 180;
    const double dLatitude = (latitude2 - latitude1) * radian;
    const double dLongitude = (longitude2 - longitude1) * radian;
    const double a = std::sin(dLatitude / 2) * std::sin(dLatitude / 2)
                     + std::cos(latitude1 * radian) * std::cos(latitude2 * radian) * std::sin(dLongitude / 2)
                           * std::sin(dLongitude / 2);
    return 2 * 6371 * std::asin(std::min(1.0, std::sqrt(a)));
}

std::vector<FarRow> farFromTheRest(const std::deque<PlacedRow>& rows)
{
    std::vector<FarRow> far;
    if (rows.size() < fewestRows)
        return far;
    const double latitude = median(rows, &PlacedRow::latitude);
    const double longitude = median(rows, &PlacedRow::longitude);
    const auto fromMiddle = [&](double lat, double lon) { return distanceKm(latitude, longitude, lat, lon); };

    std::vector<float> distances;
    distances.reserve(rows.size());
    for (const PlacedRow& row : rows)
        distances.push_back(static_cast<float>(fromMiddle(row.latitude, row.longitude)));
    const Middle middle(std::move(distances));

    for (std::size_t i = 0; i < rows.size(); ++i) {
        const double distance = fromMiddle(rows[i].latitude, rows[i].longitude);
        if (distance <= farKm)
            continue;
        const double others = middle.without(static_cast<float>(distance)); // as the list holds it
        const double limit = std::max(farKm, farFactor * others);
        if (distance <= limit)
            continue;
        const PlacedRow& row = rows[i];
        const auto near = [&](double lat, double lon) { return fromMiddle(lat, lon) <= limit; };
        std::string cause;
        if (row.gaussKruegerZone != 0 && row.gaussKruegerZone != zoneOfLongitude(longitude)) {
            cause = ": Gauß-Krüger-Streifen " + std::to_string(row.gaussKruegerZone) + ", die übrigen Orte liegen im Streifen "
                    + std::to_string(zoneOfLongitude(longitude)) + " – erste Ziffer des Rechtswerts prüfen";
        } else if (std::abs(row.longitude) <= 90 && near(row.longitude, row.latitude)) {
            cause = ": Breite und Länge vertauscht?";
        } else if (near(-row.latitude, row.longitude) || near(row.latitude, -row.longitude)
                   || near(-row.latitude, -row.longitude)) {
            cause = ": Vorzeichen oder Himmelsrichtung (N/S, O/W) verloren?";
        }
        far.push_back({row.number, groupedNumber(static_cast<std::uint64_t>(std::lround(distance)))
                                       + " km abseits der übrigen Orte" + cause});
    }
    return far;
}

} // namespace zelv
