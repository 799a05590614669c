#include "UtmText.h"

#include "Lexer.h"
#include "NotationText.h"

namespace zelv {

namespace {

constexpr std::string_view bands = "CDEFGHJKLMNPQRSTUVWX";

// Whether a northing (negative in the south) lies in the latitude band.  The
// latitude is estimated from the northing with the mean length of a degree
// on UTM's central meridian; the estimate is off by less than 0.2 degrees
// on the central meridian and a little more towards the zone's edges, which
// the half degree of slack takes in.
bool northingFitsBand(Extended northing, std::size_t band)
{
    constexpr Extended metresPerDegree = 0.9996L * 111'132.95L;
    constexpr Extended slack = 0.5;
    const Extended latitude = northing / metresPerDegree;
    const Extended south = -80 + 8 * static_cast<Extended>(band);
    const Extended north = bands[band] == 'X' ? 84 : south + 8;
    return latitude >= south - slack && latitude <= north + slack;
}

struct Cursor {
    std::string_view t;
    std::size_t i = 0;

    bool blanks()
    {
        const std::size_t start = i;
        while (i < t.size() && isBlankOrNoBreakSpace(t[i]))
            ++i;
        return i > start;
    }
    std::string_view run(bool (*in)(char))
    {
        const std::size_t start = i;
        while (i < t.size() && in(t[i]))
            ++i;
        return t.substr(start, i - start);
    }
};

bool isNumberChar(char c) { return isDigit(c) || c == '.' || c == ','; }
bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Metres after a blank, with an optional unit: "m", "m" and the axis letter,
// or the axis letter alone.
std::optional<Extended> metres(Cursor& c, char axis)
{
    if (!c.blanks())
        return std::nullopt;
    const std::optional<Extended> value = numberTextValue(c.run(isNumberChar));
    Cursor unit = c;
    unit.blanks();
    const std::string_view word = unit.run(isAsciiLetter);
    if (word == "m" || word == std::string_view(std::string{'m', axis}) || word == std::string_view(&axis, 1))
        c = unit;
    return value;
}

} // namespace

std::optional<UtmPosition> readUtmText(std::string_view text)
{
    Cursor c{text};
    const std::string_view zoneDigits = c.run(isDigit);
    if (zoneDigits.empty() || zoneDigits.size() > 2)
        return std::nullopt;
    c.blanks();
    if (c.i == text.size() || bands.find(text[c.i]) == std::string_view::npos)
        return std::nullopt;
    const std::size_t band = bands.find(text[c.i++]);
    if (c.i < text.size() && !isBlankOrNoBreakSpace(text[c.i]))
        return std::nullopt;
    const std::optional<Extended> easting = metres(c, 'E');
    const std::optional<Extended> northing = metres(c, 'N');
    if (c.i != text.size() || !easting || !northing)
        return std::nullopt;
    int zone = 0;
    for (const char d : zoneDigits)
        zone = zone * 10 + (d - '0');
    if (zone < 1 || zone > 60 || *easting <= 0 || *easting >= 1'000'000 || *northing < 0 || *northing > 10'000'000)
        return std::nullopt;
    const bool south = bands[band] < 'N';
    const Extended signedNorthing = south ? *northing - 10'000'000 : *northing;
    if (bands[band] != 'N' && !northingFitsBand(signedNorthing, band))
        return std::nullopt;
    return UtmPosition{zone, static_cast<double>(*easting), static_cast<double>(signedNorthing)};
}

} // namespace zelv
