#include "BatchConversion.h"

#include "Angles.h"
#include "ClipboardReader.h"
#include "Exception.h"
#include "GaussKruegerText.h"
#include "Messtischblatt.h"
#include "MesstischblattIndex.h"
#include "Windows1252.h"

#include <istream>
#include <iterator>
#include <ostream>
#include <utility>
#include <variant>
#include <vector>

namespace zelv {

namespace {

constexpr Separators readingSeparators = germanSeparators;
constexpr unsigned decimalFieldPlaces = 6;
constexpr std::string_view emptyCsvRow = ",,,,,,,";
constexpr std::string_view emptyGermanCsvRow = ";;;;;;;";

// The cell delimiter, and the decimal mark of the numbers between them.
char delimiterOf(BatchFormat format)
{
    return format == BatchFormat::GermanCsv ? ';' : ',';
}

Separators numberSeparatorsOf(BatchFormat format)
{
    return format == BatchFormat::GermanCsv ? germanSeparators : pointSeparators;
}

std::string_view emptyRowOf(BatchFormat format)
{
    switch (format) {
    case BatchFormat::LocationText:
        return {};
    case BatchFormat::Csv:
        return emptyCsvRow;
    case BatchFormat::GermanCsv:
        return emptyGermanCsvRow;
    }
    return {};
}

std::string decimalColumn(Extended value, BatchFormat format)
{
    return formatFixed(value, decimalFieldPlaces, numberSeparatorsOf(format));
}

// The Transverse Mercator grid of a Gauß-Krüger zone, in metres.
TmGrid gaussKruegerGrid(int zone, TmDatum datum)
{
    const long long referenceEasting = gaussKruegerReferenceEasting(zone);
    return {std::to_string(gaussKruegerMeridian(zone)), "", static_cast<Extended>(referenceEasting),
            std::to_string(referenceEasting), GridUnit::Metres, datum};
}

} // namespace

std::string csvCell(std::string_view text, char delimiter)
{
    std::string cell;
    appendCsvCell(cell, text, delimiter);
    return cell;
}

void appendCsvCell(std::string& out, std::string_view text, char delimiter)
{
    const char special[] = {delimiter, '"', '\r', '\n'};
    if (text.find_first_of(std::string_view(special, std::size(special))) == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

BatchConverter::BatchConverter(std::string dataDirectory, BatchFormat format, TmDatum gaussKruegerDatum)
    : format_(format),
      gaussKruegerDatum_(gaussKruegerDatum),
      projections_(dataDirectory),
      gaussKrueger_(dataDirectory),
      dhdn_(dataDirectory)
{
}

ConvertedLine BatchConverter::convertLine(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    const std::string_view nothing = emptyRowOf(format_);
    if (line.empty())
        return {std::string(nothing), {}};

    const ReaderResult result = readCoordinatesOfUtf8(line, readingSeparators);
    if (const Refusal* refusal = std::get_if<Refusal>(&result))
        return {std::string(nothing), refusal->kind == RefusalKind::NoCoordinates ? std::string(noCoordinatesInLine)
                                                                                   : refusalMessage(*refusal)};
    const Reading* read = std::get_if<Reading>(&result);
    if (!read) // a line of invisible characters only
        return {std::string(nothing), {}};
    GeographicPoint point;
    bool onDhdn = false;
    int zone = 0;
    try {
        if (const auto* grid = std::get_if<UtmPosition>(&read->position)) {
            point = projections_.inverse(grid->Zone, grid->Easting, grid->Northing);
        } else if (const auto* gk = std::get_if<GaussKruegerPosition>(&read->position)) {
            point = tmInverse(gaussKrueger_, gaussKruegerGrid(gk->Zone, gaussKruegerDatum_), gk->Easting,
                              gk->Northing);
            onDhdn = gaussKruegerDatum_ == TmDatum::Bessel;
            zone = gk->Zone;
        } else if (const auto* sheet = std::get_if<Tk25SheetReference>(&read->position)) {
            point = tk25CentreOnWgs84(dhdn_, *sheet).point;
        } else {
            point = std::get<GeographicPoint>(read->position);
        }
    } catch (const GridConversionError& error) {
        const bool outside = error.kind() == GridFailure::OutsideDatumGrid;
        return {std::string(nothing), std::string(outside ? outsideDatumMessage : unprojectableMessage)};
    } catch (const Exception& error) {
        return {std::string(nothing), fromWindows1252(error.message())};
    }

    // As the window's decimal fields hold the position once it is written there.
    const Extended latitude = valueHeldByField(point.Latitude, decimalFieldPlaces);
    const Extended longitude = valueHeldByField(point.Longitude, decimalFieldPlaces);
    std::string location = fromWindows1252(locationText(latitude, longitude, readingSeparators));
    const GeographicPoint written{static_cast<double>(longitude), static_cast<double>(latitude)};
    if (format_ == BatchFormat::LocationText)
        return {std::move(location), {}, written, zone};

    const char delimiter = delimiterOf(format_);
    std::string row = decimalColumn(latitude, format_) + delimiter + decimalColumn(longitude, format_) + delimiter;
    std::string failure;
    try {
        const UtmPoint utm = projections_.forward(longitude, latitude);
        row += std::to_string(utm.zone) + delimiter + std::to_string(utm.easting) + delimiter
               + std::to_string(utm.northing);
    } catch (const GridConversionError&) {
        row += std::string(2, delimiter);
        failure = unprojectableMessage;
    }
    row += delimiter;
    row += csvCell(location, delimiter);
    row += delimiter;
    // A Bessel position is on DHDN already; every other one is taken there.
    const std::optional<Tk25Sheet> sheet =
        onDhdn ? tk25SheetAt(written) : tk25SheetOfWgs84(dhdn_, written.Longitude, written.Latitude);
    if (sheet)
        row += tk25Text(*sheet);
    row += delimiter;
    if (sheet)
        row += csvCell(fromWindows1252(tk25SheetNames(sheet->row, sheet->column)), delimiter);
    return {std::move(row), std::move(failure), written, zone};
}

bool BatchConverter::convertLines(std::istream& in, std::string_view source, std::ostream& out,
                                  std::ostream& messages)
{
    bool allConverted = true;
    std::string line;
    for (long long number = 1; std::getline(in, line); ++number) {
        // Lists saved on Windows are often Windows-1252, where a degree sign
        // or an umlaut is no UTF-8; such a line is read in its own code page.
        const ConvertedLine converted = convertLine(isValidUtf8(line) ? line : fromWindows1252(line));
        out << converted.text << '\n';
        if (!converted.failure.empty()) {
            messages << source << ':' << number << ": " << converted.failure << '\n';
            allConverted = false;
        }
    }
    return allConverted;
}

} // namespace zelv
