// libFuzzer harness for the clipboard coordinate reader (the five fixed
// notations and the others tried where they end) and its Windows-1252
// edge.  Any bytes are a possible clipboard text: they go to the reader as
// Windows-1252 text under both separator sets, and once more as UTF-8 through
// the conversion the window uses.  Conversion errors are the reader's normal
// answer; anything else that escapes, a sanitizer report or a broken
// invariant below is a finding.

#include "CompassWords.h"
#include "Exception.h"
#include "RoutinenU.h"
#include "Windows1252.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace {

using namespace zelv;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool within(double value, double limit) { return value >= -limit && value <= limit; }

// The position's own limits: the locator's corner lies on the globe; the
// other notations read nothing off it or outside a UTM zone's grid.
void checkPosition(const ClipboardPosition& position)
{
    if (const auto* format = std::get_if<std::int32_t>(&position.notation)) {
        require(*format >= 1 && *format <= 5);
        const auto& point = std::get<GeographicPoint>(position.position);
        if (*format == 3)
            require(point.Longitude >= -180 && point.Longitude < 180 && point.Latitude >= -90
                    && point.Latitude < 90);
        return;
    }
    if (std::holds_alternative<OldMapNotation>(position.notation)) {
        const auto& grid = std::get<GaussKruegerPosition>(position.position);
        require(grid.Zone >= 2 && grid.Zone <= 7 && grid.Easting >= grid.Zone * 1e6
                && grid.Easting < (grid.Zone + 1) * 1e6);
        require(grid.Northing >= 5e6 && grid.Northing <= 6.2e6);
        return;
    }
    const CoordinateNotation notation = std::get<CoordinateNotation>(position.notation);
    const bool utm = notation == CoordinateNotation::Utm || notation == CoordinateNotation::Mgrs;
    require(utm == std::holds_alternative<UtmPosition>(position.position));
    if (const auto* grid = std::get_if<UtmPosition>(&position.position)) {
        require(grid->Zone >= 1 && grid->Zone <= 60);
        require(grid->Easting > 0 && grid->Easting < 1'000'000);
        require(within(grid->Northing, 10'000'000));
    } else {
        const auto& point = std::get<GeographicPoint>(position.position);
        require(within(point.Longitude, 180) && within(point.Latitude, 90));
    }
}

// The reader's position for the text; nothing for the empty text and for a
// failure of the project's own type (no notation fits, a number that does
// not convert).
std::optional<ClipboardPosition> readUnder(std::string_view text, Separators separators)
{
    try {
        const std::optional<ClipboardPosition> position = readCoordinates(text, separators);
        require(!position == text.empty());
        if (position)
            checkPosition(*position);
        return position;
    } catch (const zelv::Exception&) {
        return std::nullopt;
    }
}

bool samePosition(const ClipboardPosition& a, const ClipboardPosition& b)
{
    if (a.notation != b.notation || a.position.index() != b.position.index())
        return false;
    if (const auto* grid = std::get_if<UtmPosition>(&a.position)) {
        const auto& other = std::get<UtmPosition>(b.position);
        return grid->Zone == other.Zone && grid->Easting == other.Easting && grid->Northing == other.Northing;
    }
    if (const auto* grid = std::get_if<GaussKruegerPosition>(&a.position)) {
        const auto& other = std::get<GaussKruegerPosition>(b.position);
        return grid->Zone == other.Zone && grid->Easting == other.Easting && grid->Northing == other.Northing;
    }
    const auto& point = std::get<GeographicPoint>(a.position);
    const auto& other = std::get<GeographicPoint>(b.position);
    return point.Longitude == other.Longitude && point.Latitude == other.Latitude;
}

bool decimalFormat(const ClipboardPosition& position)
{
    const auto* format = std::get_if<std::int32_t>(&position.notation);
    return format && (*format == 1 || *format == 4);
}

void readBoth(std::string_view text)
{
    const auto german = readUnder(text, germanSeparators);
    const auto point = readUnder(text, pointSeparators);
    // Only the decimal numbers of formats 1 and 4 depend on the separators:
    // whatever else reads a text under one reads it the same under the
    // other, unless format 1 or 4 takes the text there first.
    if (german && !decimalFormat(*german)) {
        require(point.has_value());
        require(samePosition(*german, *point) || decimalFormat(*point));
    }
    if (point && !decimalFormat(*point)) {
        require(german.has_value());
        require(samePosition(*german, *point) || decimalFormat(*german));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    readBoth(bytes);

    // Every character becomes at most one byte, the double prime excepted,
    // which takes three bytes in UTF-8 and two here.
    const std::string windows1252 = toWindows1252(bytes);
    require(windows1252.size() <= bytes.size());
    readBoth(windows1252);

    // The UTF-8 entry of the window and the batch mode: the neighbours'
    // compass words and labels only ever become shorter.
    require(withCompassWordsAsLetters(bytes).size() <= bytes.size());
    try {
        if (const auto position = readCoordinatesOfUtf8(bytes, germanSeparators))
            checkPosition(*position);
    } catch (const zelv::Exception&) {
    }

    // Any Windows-1252 text survives the way to UTF-8 and back.
    require(toWindows1252(fromWindows1252(bytes)) == bytes);
    return 0;
}
