#include "MgrsText.h"

#include "NotationText.h"

#include <GeographicLib/MGRS.hpp>

#include <cmath>
#include <string>

namespace zelv {

namespace {

constexpr std::string_view bands = "CDEFGHJKLMNPQRSTUVWX";
constexpr std::string_view polarBands = "ABYZ";
constexpr std::size_t mostDigits = 5; // for each of easting and northing: 1 m

// Capitals only: with small letters, words such as "12Uhr" would pass as
// a zone, a band and a square.
bool isCapital(char c) { return c >= 'A' && c <= 'Z'; }

// A cursor over the text with the few steps the shape needs.
struct Cursor {
    std::string_view text;
    std::size_t i = 0;

    bool atEnd() const { return i == text.size(); }
    bool skipBlanks()
    {
        const std::size_t start = i;
        while (i < text.size() && isBlankOrNoBreakSpace(text[i]))
            ++i;
        return i != start;
    }
    std::string_view digits()
    {
        const std::size_t start = i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        return text.substr(start, i - start);
    }
    bool letterFrom(std::string_view letters, char& letter)
    {
        if (i == text.size() || !isCapital(text[i]) || letters.find(text[i]) == std::string_view::npos)
            return false;
        letter = text[i++];
        return true;
    }
    bool square(std::string& letters)
    {
        if (i + 1 >= text.size() || !isCapital(text[i]) || !isCapital(text[i + 1]))
            return false;
        letters = {text[i], text[i + 1]};
        i += 2;
        return true;
    }
};

struct Digits {
    std::string_view easting;
    std::string_view northing;
};

// The digits after the square up to the end of the text: one run, or two
// runs with blanks between them; nothing when anything else follows, and
// the refusal where the runs are there but do not pair up.
FormResult<Digits> gridDigits(Cursor& c, std::string_view name)
{
    c.skipBlanks();
    const std::string_view first = c.digits();
    const bool blank = c.skipBlanks();
    const std::string_view second = blank ? c.digits() : std::string_view{};
    c.skipBlanks();
    if (!c.atEnd())
        return {};
    Digits d;
    if (second.empty()) {
        if (first.size() % 2 != 0) {
            Refusal r = refusalOf(RefusalKind::MgrsDigitsOdd, name);
            r.count = static_cast<int>(first.size());
            return r;
        }
        d = {first.substr(0, first.size() / 2), first.substr(first.size() / 2)};
    } else {
        if (first.size() != second.size()) {
            Refusal r = refusalOf(RefusalKind::MgrsDigitsUneven, name);
            r.count = static_cast<int>(first.size());
            r.count2 = static_cast<int>(second.size());
            return r;
        }
        d = {first, second};
    }
    if (d.easting.size() > mostDigits)
        return refusalOf(RefusalKind::MgrsTooManyDigits, name);
    return d;
}

} // namespace

FormResult<UtmPosition> readMgrs(std::string_view text)
{
    Cursor c{text};
    c.skipBlanks();
    const std::string_view name = text;
    // A zone has two digits at the most; a longer number is no reference.
    if (c.i + 2 < text.size() && isDigit(text[c.i]) && isDigit(text[c.i + 1]) && isDigit(text[c.i + 2]))
        return {};
    const std::string_view zoneDigits = c.digits();
    char band = 0;
    std::string square;

    if (zoneDigits.empty()) {
        // Polar: band, square, and digits enough that a word is never taken.
        Cursor polar = c;
        if (!polar.letterFrom(polarBands, band))
            return {};
        polar.skipBlanks();
        if (!polar.square(square))
            return {};
        Cursor probe = polar;
        probe.skipBlanks();
        if (probe.digits().size() < 2)
            return {};
        const FormResult<Digits> digits = gridDigits(polar, name);
        if (std::holds_alternative<std::monostate>(digits))
            return {};
        if (const Refusal* r = std::get_if<Refusal>(&digits))
            return *r;
        return refusalOf(RefusalKind::MgrsPolar, name);
    }

    if (zoneDigits.size() > 2 || !c.letterFrom(bands, band))
        return {};
    c.skipBlanks();
    if (!c.square(square))
        return {};
    const FormResult<Digits> read = gridDigits(c, name);
    if (const Refusal* r = std::get_if<Refusal>(&read))
        return *r;
    const Digits* digits = std::get_if<Digits>(&read);
    if (!digits)
        return {};

    const int zone = std::stoi(std::string(zoneDigits));
    if (zone < 1 || zone > 60) {
        Refusal r = refusalOf(RefusalKind::MgrsZone, name);
        r.count = zone;
        return r;
    }

    std::string reference = std::to_string(zone);
    reference += band;
    reference += square;
    reference.append(digits->easting).append(digits->northing);
    int resultZone = 0;
    bool north = true;
    double easting = 0;
    double northing = 0;
    int precision = 0;
    try {
        GeographicLib::MGRS::Reverse(reference, resultZone, north, easting, northing, precision, true);
    } catch (const GeographicLib::GeographicErr&) {
        // The library tells an unknown square only by throwing.  The shape
        // is checked above: what it refuses is the square, which does not
        // exist in this zone and band.
        Refusal r = refusalOf(RefusalKind::MgrsSquare, name);
        r.second = square;
        r.third = std::to_string(zone) + band;
        return r;
    }
    // Southern northings carry the false northing; the window's field counts
    // from the equator.
    const double fieldNorthing = std::floor(northing) - (north ? 0 : 10'000'000);
    return UtmPosition{resultZone, std::floor(easting), fieldNorthing};
}

} // namespace zelv
