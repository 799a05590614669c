#include "Messtischblatt.h"

#include "DhdnDatum.h"
#include "Exception.h"

#include <cmath>
#include <cstdio>

namespace zelv {

namespace {

constexpr int firstRow = 1;
constexpr int lastRow = 99;
constexpr int firstColumn = 1;
constexpr int lastColumn = 109;

// Half sheets counted from the equator and the prime meridian: 20 per
// degree of latitude, 12 per degree of longitude.  A value within 1e-7 of
// a whole number (about half a millimetre) is taken as that line.
long long halfSheets(double degrees, double perDegree)
{
    const double t = degrees * perDegree;
    const double nearest = std::round(t);
    return static_cast<long long>(std::fabs(t - nearest) < 1e-7 ? nearest : std::floor(t));
}

} // namespace

std::optional<Tk25Sheet> tk25SheetAt(const GeographicPoint& dhdn)
{
    if (!std::isfinite(dhdn.Latitude) || !std::isfinite(dhdn.Longitude) || std::fabs(dhdn.Latitude) > 90
        || std::fabs(dhdn.Longitude) > 180)
        return std::nullopt;
    const long long south = halfSheets(dhdn.Latitude, 20);
    const long long west = halfSheets(dhdn.Longitude, 12);
    // floor of a halving, also for negative counts
    auto half = [](long long n) { return n >= 0 ? n / 2 : -((-n + 1) / 2); };
    const long long row = 559 - half(south);
    const long long column = half(west) - 34;
    if (row < firstRow || row > lastRow || column < firstColumn || column > lastColumn)
        return std::nullopt;
    const bool north = south - 2 * half(south) == 1;
    const bool east = west - 2 * half(west) == 1;
    return Tk25Sheet{static_cast<int>(row), static_cast<int>(column), (north ? 0 : 2) + (east ? 2 : 1)};
}

std::string tk25Text(const Tk25Sheet& sheet)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d/%d", sheet.row, sheet.column, sheet.quadrant);
    return text;
}

std::optional<Tk25Sheet> tk25SheetOfWgs84(const DhdnConverter& dhdn, double longitude, double latitude)
{
    try {
        return tk25SheetAt(dhdn.fromWgs84(longitude, latitude).point);
    } catch (const GridConversionError& e) {
        if (e.kind() != GridFailure::OutsideDatumGrid && e.kind() != GridFailure::PointNotProjectable)
            throw;
    }
    return std::nullopt;
}

} // namespace zelv
