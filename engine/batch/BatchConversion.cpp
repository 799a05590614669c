#include "BatchConversion.h"

#include "Angles.h"
#include "Exception.h"
#include "RoutinenU.h"
#include "Windows1252.h"

#include <istream>
#include <ostream>
#include <utility>
#include <variant>

namespace zelv {

namespace {

constexpr Separators readingSeparators = germanSeparators;
constexpr unsigned decimalFieldPlaces = 6;
constexpr std::string_view emptyCsvRow = ",,,,,";

std::string decimalColumn(Extended value)
{
    return formatFixed(value, decimalFieldPlaces, pointSeparators);
}

} // namespace

BatchConverter::BatchConverter(std::string dataDirectory, BatchFormat format)
    : format_(format), projections_(std::move(dataDirectory))
{
}

ConvertedLine BatchConverter::convertLine(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    const std::string_view nothing = format_ == BatchFormat::Csv ? emptyCsvRow : std::string_view();
    if (line.empty())
        return {std::string(nothing), {}};

    GeographicPoint point;
    try {
        // Never nullopt: only the empty text reads as nothing.
        const std::optional<ClipboardPosition> read = readCoordinates(toWindows1252(line), readingSeparators);
        if (const auto* grid = std::get_if<UtmPosition>(&read->position))
            point = projections_.inverse(grid->Zone, grid->Easting, grid->Northing);
        else
            point = std::get<GeographicPoint>(read->position);
    } catch (const GridConversionError&) {
        return {std::string(nothing), std::string(unprojectableMessage)};
    } catch (const Exception& error) {
        return {std::string(nothing), fromWindows1252(error.message())};
    }

    // As the window's decimal fields hold the position once it is written there.
    const Extended latitude = valueHeldByField(point.Latitude, decimalFieldPlaces);
    const Extended longitude = valueHeldByField(point.Longitude, decimalFieldPlaces);
    std::string location = fromWindows1252(locationText(latitude, longitude, readingSeparators));
    if (format_ == BatchFormat::LocationText)
        return {std::move(location), {}};

    std::string row = decimalColumn(latitude) + ',' + decimalColumn(longitude) + ',';
    std::string failure;
    try {
        const UtmPoint utm = projections_.forward(longitude, latitude);
        row += std::to_string(utm.zone) + ',' + std::to_string(utm.easting) + ',' + std::to_string(utm.northing);
    } catch (const GridConversionError&) {
        row += ",,";
        failure = unprojectableMessage;
    }
    row += ',';
    row += location;
    return {std::move(row), std::move(failure)};
}

bool BatchConverter::convertLines(std::istream& in, std::string_view source, std::ostream& out,
                                  std::ostream& messages)
{
    bool allConverted = true;
    std::string line;
    for (long long number = 1; std::getline(in, line); ++number) {
        const ConvertedLine converted = convertLine(line);
        out << converted.text << '\n';
        if (!converted.failure.empty()) {
            messages << source << ':' << number << ": " << converted.failure << '\n';
            allConverted = false;
        }
    }
    return allConverted;
}

} // namespace zelv
