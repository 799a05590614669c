#include "Messtischblatt.h"

#include "DhdnDatum.h"
#include "Exception.h"
#include "MesstischblattIndex.h"

#include <cmath>
#include <cstdio>

namespace zelv {

namespace {

constexpr int firstRow = 1;
constexpr int lastRow = 99;
constexpr int firstColumn = 0;
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
    Tk25Sheet sheet{static_cast<int>(row), static_cast<int>(column), (north ? 0 : 2) + (east ? 2 : 1)};
    if (!tk25SheetIndexed(sheet.row, sheet.column))
        if (const std::optional<Tk25SheetNumber> enlarged = tk25EnlargedSheetAt(dhdn)) {
            sheet.row = enlarged->row;
            sheet.column = enlarged->column;
        }
    return sheet;
}

std::string tk25Text(const Tk25Sheet& sheet)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d/%d", sheet.row, sheet.column, sheet.quadrant);
    return text;
}

std::string tk25NumberText(int row, int column)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d", row, column);
    return text;
}

std::string tk25TextWithNames(const Tk25Sheet& sheet)
{
    std::string text = tk25Text(sheet);
    const std::string names = tk25SheetNames(sheet.row, sheet.column);
    if (!names.empty())
        text += ' ' + names;
    return text;
}

bool tk25NumberPossible(int row, int column)
{
    return row >= firstRow && row <= lastRow && column >= firstColumn && column <= lastColumn;
}

std::string tk25ReferenceText(const Tk25SheetReference& reference)
{
    std::string text = tk25NumberText(reference.row, reference.column);
    if (reference.quadrant != 0)
        text += '/' + std::to_string(reference.quadrant);
    return text;
}

GeographicPoint tk25CentreOnDhdn(const Tk25SheetReference& reference)
{
    // A sheet spans 10' of longitude and 6' of latitude; a quadrant half of each.
    const double west = (reference.column + 34) / 6.0;
    const double south = (559 - reference.row) / 10.0;
    if (reference.quadrant == 0)
        return {west + 1 / 12.0, south + 0.05};
    const bool east = reference.quadrant == 2 || reference.quadrant == 4;
    const bool north = reference.quadrant <= 2;
    return {west + (east ? 3 : 1) / 24.0, south + (north ? 0.075 : 0.025)};
}

DhdnPosition tk25CentreOnWgs84(const DhdnConverter& dhdn, const Tk25SheetReference& reference)
{
    const GeographicPoint centre = tk25CentreOnDhdn(reference);
    std::optional<DhdnPosition> wgs84 = dhdn.toWgs84(centre);
    if (!wgs84)
        throw GridConversionError(GridFailure::OutsideDatumGrid,
                                  "Au\xDF" "erhalb von " + oldSheetAreaText() + " gibt es keine Umrechnung aus dem DHDN.");
    return *wgs84;
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
