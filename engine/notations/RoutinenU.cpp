#include "RoutinenU.h"

#include "TextUtil.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace zelv {

namespace {

// Text operations with positions from 1, as the notations are defined.  All
// of them stay inside their text: a part beyond the end is empty, and a part
// that runs past the end is cut there.
using Position = std::ptrdiff_t;

Position length(std::string_view s) { return static_cast<Position>(s.size()); }

// Position of the first occurrence of `what`, 0 when there is none.
Position pos(std::string_view what, std::string_view s)
{
    const std::size_t p = s.find(what);
    return p == std::string_view::npos ? 0 : static_cast<Position>(p) + 1;
}

bool contains(std::string_view s, std::string_view what) { return pos(what, s) != 0; }

// `count` characters from position `from`.
std::string_view copy(std::string_view s, Position from, Position count)
{
    if (from < 1)
        from = 1;
    if (count <= 0 || from > length(s))
        return {};
    const Position available = length(s) - from + 1;
    return s.substr(static_cast<std::size_t>(from - 1),
                    static_cast<std::size_t>(count < available ? count : available));
}

// Everything from position `from` on.
std::string_view copyFrom(std::string_view s, Position from) { return copy(s, from, length(s)); }

constexpr std::string_view degreeSign = "\xB0";
constexpr std::string_view sued = "S\xFC" "d";

// Which of the notations' literals the text holds, found in one pass: most
// texts hold none, and no notation is entered.
struct Literals {
    bool ost = false, west = false, nord = false, sued = false, east = false, north = false, south = false;
    bool lat = false, lon = false, bracket = false, degree = false;
};

// The bytes that begin a literal; the others are passed over at once.
constexpr std::array<bool, 256> literalStarts = [] {
    std::array<bool, 256> starts{};
    for (const char b : std::string_view("OWNSEL(\xB0"))
        starts[static_cast<unsigned char>(b)] = true;
    return starts;
}();

Literals literalsOf(std::string_view text)
{
    Literals l;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!literalStarts[static_cast<unsigned char>(text[i])])
            continue;
        const std::string_view rest = text.substr(i);
        switch (text[i]) {
        case 'O': l.ost = l.ost || rest.starts_with("Ost"); break;
        case 'W': l.west = l.west || rest.starts_with("West"); break;
        case 'N': l.nord = l.nord || rest.starts_with("Nord"); l.north = l.north || rest.starts_with("North"); break;
        case 'S':
            l.sued = l.sued || rest.starts_with(sued);
            l.south = l.south || rest.starts_with("South");
            break;
        case 'E': l.east = l.east || rest.starts_with("East"); break;
        case 'L': l.lat = l.lat || rest.starts_with("Lat:"); l.lon = l.lon || rest.starts_with("Lon:"); break;
        case '(': l.bracket = true; break;
        case '\xB0': l.degree = true; break;
        default: break;
        }
    }
    return l;
}

// The number text that a notation entered could not convert, as the
// general conversion was handed it.
using Unconvertible = std::optional<std::string>;

// A number written with the decimal point, converted under the locale's
// separators.  The point becomes the locale's decimal separator rather than
// always a comma, so that the same clipboard text reads under every locale.
std::optional<double> decimalNumber(std::string_view text, Separators separators, Unconvertible& failed)
{
    std::string number(text);
    if (separators.decimal != '.')
        for (char& c : number)
            if (c == '.')
                c = separators.decimal;
    const std::optional<Extended> value = tryTextToFloat(number, separators);
    if (!value)
        failed = number;
    return value ? std::optional<double>(static_cast<double>(*value)) : std::nullopt;
}

// Degrees and whole minutes, both digit runs already checked; a run too long
// for any floating-point value does not convert.
std::optional<double> degreesAndMinutes(std::string_view degrees, std::string_view minutes, Separators separators,
                                        Unconvertible& failed)
{
    const std::optional<Extended> d = tryTextToFloat(degrees, separators);
    const std::optional<Extended> m = tryTextToFloat(minutes, separators);
    if (!d || !m) {
        failed = std::string(!d ? degrees : minutes);
        return std::nullopt;
    }
    return static_cast<double>(*d + *m / 60);
}

std::optional<TZwischenablageKoordinaten> germanCompassWords(std::string_view text, const Literals& l,
                                                             Separators separators, Unconvertible& failed)
{
    if (!(l.ost || l.west) || !(l.nord || l.sued))
        return std::nullopt;

    TZwischenablageKoordinaten result;
    const bool east = contains(text, "Ost");
    const Position p = east ? pos("Ost", text) : pos("West", text);
    // The one character before the word is dropped, whatever it is.
    const std::optional<double> longitude = decimalNumber(copy(text, 1, p - 2), separators, failed);
    if (!longitude)
        return std::nullopt;
    result.Laenge = east ? *longitude : -*longitude;

    const std::string_view h = copyFrom(text, pos(",", text) + 1);
    const bool north = contains(h, "Nord");
    const Position q = north ? pos("Nord", h) : pos(sued, h);
    const std::optional<double> latitude = decimalNumber(copy(h, 1, q - 2), separators, failed);
    if (!latitude)
        return std::nullopt;
    result.Breite = north ? *latitude : -*latitude;
    result.Format = 1;
    return result;
}

struct DegreesMinutes {
    std::string_view degrees;
    std::string_view minutes;
};

// The longitude of notation 2: from position 6 up to its minute sign, the
// first character after the degree sign that is no digit.  A blank, a
// control character, "." or "," there is no minute sign (decimal minutes are
// not read, rather than cut to whole ones).  Wherever a fixed six-character
// field ending in a minute sign would read the minutes, this reads the same;
// it also reads three-digit degrees with two-digit minutes, where such a
// field would lose the last minute digit, and one-digit degrees with
// one-digit minutes, which would overrun it.
DegreesMinutes englishLongitude(std::string_view text)
{
    const std::string_view rest = copyFrom(text, 6);
    const Position d = pos(degreeSign, rest);
    if (d == 0)
        return {};
    Position sign = d + 1;
    while (sign <= length(rest) && isDigit(rest[static_cast<std::size_t>(sign - 1)]))
        ++sign;
    if (sign > length(rest))
        return {};
    const char minuteSign = rest[static_cast<std::size_t>(sign - 1)];
    if (isBlank(minuteSign) || minuteSign == '.' || minuteSign == ',')
        return {};
    const std::string_view field = trimBlanks(copy(rest, 1, sign));
    const Position degreeInField = pos(degreeSign, field);
    return {copy(field, 1, degreeInField - 1), copy(field, degreeInField + 1, length(field) - 1 - degreeInField)};
}

std::optional<TZwischenablageKoordinaten> englishCompassWords(std::string_view text, const Literals& l,
                                                              Separators separators, Unconvertible& failed)
{
    if (!(l.east || l.west) || !(l.north || l.south))
        return std::nullopt;

    const DegreesMinutes longitude = englishLongitude(text);

    const Position p = contains(text, "North") ? pos("North", text) : pos("South", text);
    const std::string_view r = copyFrom(text, p);
    // After the five-letter word and one more character; the minutes end one
    // character before the end of the text, at the minute sign.
    const std::string_view field = copyFrom(r, 7);
    const Position d = pos(degreeSign, field);
    const DegreesMinutes latitude{copy(field, 1, d - 1), copy(field, d + 1, length(field) - 1 - d)};

    if (!NurZiffern(longitude.degrees) || !NurZiffern(longitude.minutes) || !NurZiffern(latitude.degrees)
        || !NurZiffern(latitude.minutes))
        return std::nullopt;

    const std::optional<double> lon = degreesAndMinutes(longitude.degrees, longitude.minutes, separators, failed);
    const std::optional<double> lat = lon ? degreesAndMinutes(latitude.degrees, latitude.minutes, separators, failed)
                                          : std::nullopt;
    if (!lat)
        return std::nullopt;
    TZwischenablageKoordinaten result;
    result.Laenge = contains(text, "West") ? -*lon : *lon;
    result.Breite = contains(r, "South") ? -*lat : *lat;
    result.Format = 2;
    return result;
}

// Index of a capital letter from 'A' up to `last`, or -1.
int letterIndex(char c, char last) { return c >= 'A' && c <= last ? c - 'A' : -1; }

std::optional<TZwischenablageKoordinaten> gridLocator(std::string_view text)
{
    if (text.size() != 6)
        return std::nullopt;
    const int field1 = letterIndex(text[0], 'R');
    const int field2 = letterIndex(text[1], 'R');
    const int sub1 = letterIndex(text[4], 'X');
    const int sub2 = letterIndex(text[5], 'X');
    if (field1 < 0 || field2 < 0 || !isDigit(text[2]) || !isDigit(text[3]) || sub1 < 0 || sub2 < 0)
        return std::nullopt;

    // The south-west corner of the sub-square.
    TZwischenablageKoordinaten result;
    result.Laenge = 20.0 * field1 - 180 + 2.0 * (text[2] - '0') + sub1 / 12.0;
    result.Breite = 10.0 * field2 - 90 + (text[3] - '0') + sub2 / 24.0;
    result.Format = 3;
    return result;
}

std::optional<TZwischenablageKoordinaten> labelledDecimals(std::string_view text, const Literals& l,
                                                           Separators separators, Unconvertible& failed)
{
    if (!l.lat || !l.lon || !l.bracket)
        return std::nullopt;

    // Only the bracketed numbers count, the first one being the latitude.
    TZwischenablageKoordinaten result;
    const Position b = pos("(", text);
    const Position e = pos(")", text);
    const std::optional<double> latitude = decimalNumber(copy(text, b + 1, e - b - 1), separators, failed);
    if (!latitude)
        return std::nullopt;
    const std::string_view r = copyFrom(text, e + 2);
    const Position b2 = pos("(", r);
    const Position e2 = pos(")", r);
    const std::optional<double> longitude = decimalNumber(copy(r, b2 + 1, e2 - b2 - 1), separators, failed);
    if (!longitude)
        return std::nullopt;
    result.Breite = *latitude;
    result.Laenge = *longitude;
    result.Format = 4;
    return result;
}

// The trimmed part of t before the first `sign`; t becomes what follows the
// sign.  Without the sign the part is empty and t stays.
std::string_view takeUntil(std::string_view& t, std::string_view sign)
{
    const Position p = pos(sign, t);
    if (p == 0)
        return {};
    const std::string_view part = trimBlanks(copy(t, 1, p - 1));
    t = copyFrom(t, p + 1);
    return part;
}

// The first character of t (0 for an empty t, which no letter matches); t
// becomes the rest.
char takeLetter(std::string_view& t)
{
    if (t.empty())
        return 0;
    const char letter = t.front();
    t = copyFrom(t, 2);
    return letter;
}

// Returns nullopt for "no fit": no notation is left to try.
std::optional<TZwischenablageKoordinaten> lettersAndMinutes(std::string_view text, Separators separators,
                                                            Unconvertible& failed)
{
    std::string_view t = trimBlanks(text);
    const std::string_view latitudeDegrees = takeUntil(t, degreeSign);
    const std::string_view latitudeMinutes = takeUntil(t, "'");
    const char latitudeLetter = takeLetter(t);
    const std::string_view longitudeDegrees = takeUntil(t, degreeSign);
    const std::string_view longitudeMinutes = takeUntil(t, "'");
    const char longitudeLetter = takeLetter(t);

    if (!NurZiffern(latitudeDegrees) || !NurZiffern(latitudeMinutes) || !NurZiffern(longitudeDegrees)
        || !NurZiffern(longitudeMinutes))
        return std::nullopt;
    if ((latitudeLetter != 'N' && latitudeLetter != 'S') || (longitudeLetter != 'O' && longitudeLetter != 'W'))
        return std::nullopt;

    const std::optional<double> lat = degreesAndMinutes(latitudeDegrees, latitudeMinutes, separators, failed);
    const std::optional<double> lon =
        lat ? degreesAndMinutes(longitudeDegrees, longitudeMinutes, separators, failed) : std::nullopt;
    if (!lon)
        return std::nullopt;
    TZwischenablageKoordinaten result;
    result.Breite = latitudeLetter == 'S' ? -*lat : *lat;
    result.Laenge = longitudeLetter == 'W' ? -*lon : *lon;
    result.Format = 5;
    return result;
}

} // namespace

bool NurZiffern(std::string_view text)
{
    if (text.empty())
        return false;
    for (const char c : text)
        if (!isDigit(c))
            return false;
    return true;
}

FixedNotationResult readFixedNotations(std::string_view text, Separators separators)
{
    // Notations 1 and 4 are final once entered (a number that does not fit
    // ends the reading); 2 and 3 hand on to the next notation; 5 is the last.
    FixedNotationResult result;
    if (text.empty())
        return result;
    Unconvertible& failed = result.unconvertible;
    const Literals l = literalsOf(text);
    const auto found = [&](std::optional<TZwischenablageKoordinaten> read) {
        result.reading = read;
        return read.has_value() || failed.has_value();
    };
    if (found(germanCompassWords(text, l, separators, failed))
        || found(englishCompassWords(text, l, separators, failed)) || found(gridLocator(text))
        || found(labelledDecimals(text, l, separators, failed)))
        return result;
    if (l.degree)
        result.reading = lettersAndMinutes(text, separators, failed);
    return result;
}

std::optional<TZwischenablageKoordinaten> readGridLocator(std::string_view text)
{
    return gridLocator(text);
}

} // namespace zelv
