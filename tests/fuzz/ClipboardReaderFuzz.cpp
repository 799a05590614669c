// libFuzzer harness for the clipboard coordinate reader.  Any bytes are a
// possible clipboard text: they go to the reader's UTF-8 entry as they are
// (broken UTF-8 included) and once more as the window would hand over a
// Windows-1252 text, under both separator sets.  Refusals are the reader's
// normal answer; an exception, a sanitizer report or a broken invariant
// below is a finding.

#include "ClipboardReader.h"
#include "Windows1252.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
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

// A reading's own limits: the locator's corner lies on the globe; the other
// forms read nothing off it or outside their grid.
void checkReading(const Reading& reading)
{
    if (reading.form == ReadForm::FixedNotation) {
        require(reading.fixedFormat >= 1 && reading.fixedFormat <= 5);
        const auto& point = std::get<GeographicPoint>(reading.position);
        if (reading.fixedFormat == 3)
            require(point.Longitude >= -180 && point.Longitude < 180 && point.Latitude >= -90
                    && point.Latitude < 90);
        return;
    }
    if (const auto* grid = std::get_if<GaussKruegerPosition>(&reading.position)) {
        require(reading.form == ReadForm::GaussKrueger);
        require(grid->Zone >= 2 && grid->Zone <= 7 && grid->Easting >= grid->Zone * 1e6
                && grid->Easting < (grid->Zone + 1) * 1e6);
        require(grid->Northing >= 5e6 && grid->Northing <= 6.2e6);
        return;
    }
    const bool utm = reading.form == ReadForm::Utm || reading.form == ReadForm::Mgrs;
    require(utm == std::holds_alternative<UtmPosition>(reading.position));
    if (const auto* grid = std::get_if<UtmPosition>(&reading.position)) {
        require(grid->Zone >= 1 && grid->Zone <= 60);
        require(grid->Easting > 0 && grid->Easting < 1'000'000);
        require(within(grid->Northing, 10'000'000));
    } else if (const auto* point = std::get_if<GeographicPoint>(&reading.position)) {
        require(within(point->Longitude, 180) && within(point->Latitude, 90));
    }
}

// Only the fixed notations' decimal numbers (1 and 4) follow the separators.
bool followsSeparators(const ReaderResult& result)
{
    if (const Reading* r = std::get_if<Reading>(&result))
        return r->form == ReadForm::FixedNotation && (r->fixedFormat == 1 || r->fixedFormat == 4);
    if (const Refusal* r = std::get_if<Refusal>(&result))
        return r->kind == RefusalKind::NumberNotConvertible;
    return false;
}

bool same(const ReaderResult& a, const ReaderResult& b)
{
    if (a.index() != b.index())
        return false;
    if (const Refusal* r = std::get_if<Refusal>(&a))
        return refusalMessage(*r) == refusalMessage(std::get<Refusal>(b));
    if (const Reading* r = std::get_if<Reading>(&a)) {
        const Reading& other = std::get<Reading>(b);
        if (r->form != other.form || r->position.index() != other.position.index())
            return false;
        if (const auto* p = std::get_if<GeographicPoint>(&r->position)) {
            const auto& q = std::get<GeographicPoint>(other.position);
            return p->Latitude == q.Latitude && p->Longitude == q.Longitude;
        }
    }
    return true;
}

ReaderResult readUnder(std::string_view text, Separators separators)
{
    const ReaderResult result = readCoordinatesOfUtf8(text, separators);
    require(std::holds_alternative<NothingToRead>(result) == toWindows1252(text).empty());
    if (const Reading* reading = std::get_if<Reading>(&result))
        checkReading(*reading);
    if (const Refusal* refusal = std::get_if<Refusal>(&result)) {
        const std::string message = refusalMessage(*refusal);
        require(!message.empty() && isValidUtf8(message));
    }
    return result;
}

void readBoth(std::string_view text)
{
    const ReaderResult german = readUnder(text, germanSeparators);
    const ReaderResult point = readUnder(text, pointSeparators);
    if (!followsSeparators(german) && !followsSeparators(point))
        require(same(german, point));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    readBoth(bytes);
    // The same bytes as a Windows-1252 text that the window converts.
    readBoth(fromWindows1252(bytes));

    // Any Windows-1252 text survives the way to UTF-8 and back.
    require(toWindows1252(fromWindows1252(bytes)) == bytes);
    return 0;
}
