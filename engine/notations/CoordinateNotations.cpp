#include "CoordinateNotations.h"

#include "MapServiceLinks.h"
#include "NotationText.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

namespace zelv {

namespace {

// ---- Characters -------------------------------------------------------------

bool isLetter(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= 0xC0 && u != 0xD7 && u != 0xF7);
}

bool isDegreeMark(char c) { return c == '\xB0' || c == '\xBA'; }
bool isMinuteMark(char c) { return c == '\'' || c == '\x92' || c == '\xB4'; }
bool isSecondMark(char c) { return c == '"' || c == '\x94'; }
bool isSign(char c) { return c == '-' || c == '+' || c == '\x96'; }
bool isMinus(char c) { return c == '-' || c == '\x96'; }

// The text without blanks around it and without one pair of round brackets
// around the whole.
std::string_view withoutFrame(std::string_view text)
{
    auto trim = [](std::string_view s) {
        while (!s.empty() && isBlankOrNoBreakSpace(s.front()))
            s.remove_prefix(1);
        while (!s.empty() && isBlankOrNoBreakSpace(s.back()))
            s.remove_suffix(1);
        return s;
    };
    text = trim(text);
    if (text.size() >= 2 && text.front() == '(' && text.back() == ')')
        text = trim(text.substr(1, text.size() - 2));
    return text;
}

// ---- Numbers ----------------------------------------------------------------

std::size_t skipDigits(std::string_view s, std::size_t i)
{
    while (i < s.size() && isDigit(s[i]))
        ++i;
    return i;
}

// A number text (digits with at most one "." or "," between digits, in
// URIs after an optional "-") through the general conversion; nothing when
// it is out of every range here.  Digits that cannot matter are not
// converted, so a number of a million digits costs no more than reading
// it: an integer part of more than nine digits (leading zeros aside)
// exceeds every range, and decimals after the fortieth change a value by
// less than 1e-40.
std::optional<Extended> numberValue(std::string_view number, Separators separators)
{
    constexpr std::size_t maxIntegerDigits = 9;
    constexpr std::size_t maxDecimals = 40;
    std::string text;
    std::size_t i = 0;
    if (i < number.size() && number[i] == '-')
        text += number[i++];
    while (i + 1 < number.size() && number[i] == '0' && isDigit(number[i + 1]))
        ++i;
    const std::size_t integerEnd = skipDigits(number, i);
    if (integerEnd - i > maxIntegerDigits)
        return std::nullopt;
    text += number.substr(i, integerEnd - i);
    if (integerEnd < number.size()) {
        text += separators.decimal;
        text += number.substr(integerEnd + 1, maxDecimals);
    }
    return tryTextToFloat(text, separators);
}

bool hasDecimals(std::string_view number)
{
    return number.find_first_of(".,") != std::string_view::npos;
}

bool isLatitude(Extended value) { return std::fabs(value) <= 90; }
bool isLongitude(Extended value) { return std::fabs(value) <= 180; }

GeographicPoint point(Extended longitude, Extended latitude)
{
    return {static_cast<double>(longitude), static_cast<double>(latitude)};
}

// ---- Tokens -----------------------------------------------------------------
//
// The notations read from tokens need a few dozen of them at the most; the
// tokenizer stops beyond that, so that a long text costs one pass over its
// start and never a list of a million tokens.

enum class Kind { Blank, Number, Degree, Minute, Second, Separator, Sign, Word };

struct Token {
    Kind kind;
    std::string_view text;
};

constexpr std::size_t maxTokens = 48;

std::optional<std::vector<Token>> tokenize(std::string_view s)
{
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < s.size()) {
        if (tokens.size() == maxTokens)
            return std::nullopt;
        const char c = s[i];
        std::size_t end = i + 1;
        Kind kind;
        if (isBlankOrNoBreakSpace(c)) {
            kind = Kind::Blank;
            while (end < s.size() && isBlankOrNoBreakSpace(s[end]))
                ++end;
        } else if (isDigit(c)) {
            // One decimal mark at the most: a second "," after it separates.
            kind = Kind::Number;
            end = skipDigits(s, i);
            if (end + 1 < s.size() && (s[end] == '.' || s[end] == ',') && isDigit(s[end + 1]))
                end = skipDigits(s, end + 1);
        } else if (isLetter(c)) {
            kind = Kind::Word;
            while (end < s.size() && isLetter(s[end]))
                ++end;
        } else if (isDegreeMark(c)) {
            kind = Kind::Degree;
        } else if (isMinuteMark(c)) {
            kind = Kind::Minute;
            if (end < s.size() && isMinuteMark(s[end])) {
                kind = Kind::Second;
                ++end;
            }
        } else if (isSecondMark(c)) {
            kind = Kind::Second;
        } else if (c == ',' || c == ';') {
            kind = Kind::Separator;
        } else if (isSign(c)) {
            kind = Kind::Sign;
        } else {
            return std::nullopt;
        }
        tokens.push_back({kind, s.substr(i, end - i)});
        i = end;
    }
    return tokens;
}

// ---- Angles: plain pairs, hemispheres, degrees/minutes/seconds --------------

struct Hemisphere {
    bool latitude;
    bool negative;
};

std::optional<Hemisphere> hemisphere(std::string_view word)
{
    struct Entry {
        std::string_view word;
        Hemisphere hemisphere;
    };
    static constexpr Entry entries[] = {
        {"N", {true, false}},       {"S", {true, true}},         {"E", {false, false}},
        {"O", {false, false}},      {"W", {false, true}},        {"Nord", {true, false}},
        {"NORD", {true, false}},    {"S\xFC" "d", {true, true}}, {"S\xDC" "D", {true, true}},
        {"Ost", {false, false}},    {"OST", {false, false}},     {"West", {false, true}},
        {"WEST", {false, true}},    {"North", {true, false}},    {"NORTH", {true, false}},
        {"South", {true, true}},    {"SOUTH", {true, true}},     {"East", {false, false}},
        {"EAST", {false, false}},
    };
    for (const Entry& e : entries)
        if (e.word == word)
            return e.hemisphere;
    return std::nullopt;
}

// A number with the sign before it and the mark after it (0 none, 1 degrees,
// 2 minutes, 3 seconds), or a hemisphere, or a list separator.
struct Element {
    enum class Type { Part, Letter, Separator } type;
    std::string_view number;
    char sign = 0;
    int mark = 0;
    Hemisphere hemisphere{};
};

std::optional<std::vector<Element>> elements(const std::vector<Token>& tokens)
{
    std::vector<Element> result;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        switch (t.kind) {
        case Kind::Blank:
            break;
        case Kind::Separator:
            result.push_back({Element::Type::Separator, {}});
            break;
        case Kind::Word: {
            const auto h = hemisphere(t.text);
            if (!h)
                return std::nullopt;
            Element e{Element::Type::Letter, {}};
            e.hemisphere = *h;
            result.push_back(e);
            break;
        }
        case Kind::Sign:
        case Kind::Number: {
            // The sign stands right before the digits, the mark right after.
            Element e{Element::Type::Part, t.text};
            if (t.kind == Kind::Sign) {
                if (i + 1 == tokens.size() || tokens[i + 1].kind != Kind::Number)
                    return std::nullopt;
                e.sign = t.text[0];
                e.number = tokens[++i].text;
            }
            if (i + 1 < tokens.size()) {
                const Kind next = tokens[i + 1].kind;
                e.mark = next == Kind::Degree ? 1 : next == Kind::Minute ? 2 : next == Kind::Second ? 3 : 0;
                if (e.mark != 0)
                    ++i;
            }
            result.push_back(e);
            break;
        }
        default: // a mark after anything but a number
            return std::nullopt;
        }
    }
    return result;
}

struct Coordinate {
    std::vector<Element> parts;
    std::optional<Hemisphere> hemisphere;
};

using Split = std::array<Coordinate, 2>;

bool isPart(const Element& e) { return e.type == Element::Type::Part; }
bool isLetter(const Element& e) { return e.type == Element::Type::Letter; }
bool isSeparator(const Element& e) { return e.type == Element::Type::Separator; }

// Letters before their numbers (first) or after them: each coordinate is a
// letter and its parts; one list separator may stand between the two.
std::optional<Split> splitByLetters(const std::vector<Element>& e, bool lettersFirst)
{
    Split split;
    std::size_t i = 0;
    for (int c = 0; c < 2; ++c) {
        if (c == 1 && i < e.size() && isSeparator(e[i]))
            ++i;
        if (lettersFirst) {
            if (i == e.size() || !isLetter(e[i]))
                return std::nullopt;
            split[c].hemisphere = e[i++].hemisphere;
        }
        while (i < e.size() && isPart(e[i]))
            split[c].parts.push_back(e[i++]);
        if (!lettersFirst) {
            if (i == e.size() || !isLetter(e[i]))
                return std::nullopt;
            split[c].hemisphere = e[i++].hemisphere;
        }
    }
    if (i != e.size())
        return std::nullopt;
    return split;
}

// Without letters the coordinates part at the list separator, else at the
// second degree mark, else between two bare numbers.
std::optional<Split> splitPlain(const std::vector<Element>& e)
{
    std::size_t at = 0;
    std::size_t separators = 0;
    std::size_t degrees = 0;
    bool marks = false;
    for (std::size_t i = 0; i < e.size(); ++i) {
        if (isSeparator(e[i])) {
            ++separators;
            at = i;
        } else if (e[i].mark != 0) {
            marks = true;
        }
    }
    if (separators > 1)
        return std::nullopt;
    std::size_t resume = at + 1;
    if (separators == 0) {
        for (std::size_t i = 1; i < e.size(); ++i)
            if (e[i].mark == 1) {
                ++degrees;
                at = i;
            }
        if (degrees == 0 && !marks && e.size() == 2)
            at = 1;
        else if (degrees != 1)
            return std::nullopt;
        resume = at;
    }
    Split split;
    split[0].parts.assign(e.begin(), e.begin() + static_cast<std::ptrdiff_t>(at));
    split[1].parts.assign(e.begin() + static_cast<std::ptrdiff_t>(resume), e.end());
    return split;
}

// Degrees with minutes and seconds as the parts give them; nothing for
// parts out of place or out of range.
std::optional<Extended> angle(const Coordinate& c, Separators separators)
{
    const auto& parts = c.parts;
    if (parts.empty() || parts.size() > 3)
        return std::nullopt;
    Extended sum = 0;
    Extended unit = 1;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const Element& p = parts[i];
        const bool last = i + 1 == parts.size();
        if ((p.mark != 0 && p.mark != static_cast<int>(i) + 1) || (!last && hasDecimals(p.number))
            || (p.sign != 0 && (i != 0 || c.hemisphere)))
            return std::nullopt;
        const auto value = numberValue(p.number, separators);
        if (!value || (i > 0 && *value >= 60))
            return std::nullopt;
        sum += *value / unit;
        unit *= 60;
    }
    const bool negative = c.hemisphere ? c.hemisphere->negative : isMinus(parts[0].sign);
    return negative ? -sum : sum;
}

std::optional<NotationReading> readAngles(const std::vector<Token>& tokens, Separators separators)
{
    const auto e = elements(tokens);
    if (!e || e->empty())
        return std::nullopt;
    std::size_t letters = 0;
    for (const Element& x : *e)
        letters += isLetter(x);
    std::optional<Split> split;
    if (letters == 2)
        split = splitByLetters(*e, isLetter(e->front()));
    else if (letters == 0)
        split = splitPlain(*e);
    if (!split)
        return std::nullopt;

    const Coordinate& a = (*split)[0];
    const Coordinate& b = (*split)[1];
    const std::size_t parts = a.parts.size();
    if (parts == 0 || b.parts.size() != parts)
        return std::nullopt;
    if (!a.hemisphere) {
        // Plain single numbers need decimals; plain minutes need the degree mark.
        for (const Coordinate* c : {&a, &b})
            if (parts == 1 ? !hasDecimals(c->parts[0].number) : c->parts[0].mark != 1)
                return std::nullopt;
    } else if (a.hemisphere->latitude == b.hemisphere->latitude) {
        return std::nullopt;
    }
    const auto first = angle(a, separators);
    const auto second = angle(b, separators);
    if (!first || !second)
        return std::nullopt;

    Extended latitude = *first;
    Extended longitude = *second;
    if (a.hemisphere ? !a.hemisphere->latitude : !isLatitude(*first))
        std::swap(latitude, longitude);
    if (!isLatitude(latitude) || !isLongitude(longitude))
        return std::nullopt;

    const CoordinateNotation notation = parts == 3 ? CoordinateNotation::DegreesMinutesSeconds
                                        : parts == 2 ? CoordinateNotation::DegreesDecimalMinutes
                                        : a.hemisphere ? CoordinateNotation::HemisphereDecimal
                                                       : CoordinateNotation::DecimalPair;
    return NotationReading{notation, point(longitude, latitude)};
}

// ---- UTM --------------------------------------------------------------------

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

// An easting or northing unit word: "m", or "m" and the axis letter, or the
// axis letter alone.
bool isUnit(std::string_view word, char axis)
{
    return word == "m" || word == std::string{'m', axis} || word == std::string{axis};
}

std::optional<NotationReading> readUtm(const std::vector<Token>& t, Separators separators)
{
    std::size_t i = 0;
    auto at = [&](Kind kind) { return i < t.size() && t[i].kind == kind; };
    auto skipBlank = [&] {
        if (at(Kind::Blank))
            ++i;
    };
    // The metres after the zone, with their optional unit.
    auto metres = [&](char axis) -> std::optional<Extended> {
        if (!at(Kind::Blank))
            return std::nullopt;
        ++i;
        if (!at(Kind::Number))
            return std::nullopt;
        const auto value = numberValue(t[i++].text, separators);
        const std::size_t unit = at(Kind::Blank) ? i + 1 : i;
        if (unit < t.size() && t[unit].kind == Kind::Word && isUnit(t[unit].text, axis))
            i = unit + 1;
        return value;
    };

    if (!at(Kind::Number) || t[i].text.size() > 2 || hasDecimals(t[i].text))
        return std::nullopt;
    const int zone = std::stoi(std::string(t[i++].text));
    skipBlank();
    if (!at(Kind::Word) || t[i].text.size() != 1 || bands.find(t[i].text[0]) == std::string_view::npos)
        return std::nullopt;
    const std::size_t band = bands.find(t[i++].text[0]);
    const auto easting = metres('E');
    const auto northing = metres('N');
    if (i != t.size() || !easting || !northing)
        return std::nullopt;
    if (zone < 1 || zone > 60 || *easting <= 0 || *easting >= 1'000'000 || *northing < 0 || *northing > 10'000'000)
        return std::nullopt;

    const bool south = bands[band] < 'N';
    const Extended signedNorthing = south ? *northing - 10'000'000 : *northing;
    if (bands[band] != 'N' && !northingFitsBand(signedNorthing, band))
        return std::nullopt;
    return NotationReading{CoordinateNotation::Utm,
                           UtmPosition{zone, static_cast<double>(*easting), static_cast<double>(signedNorthing)}};
}

// ---- geo: URIs and map links -------------------------------------------------

// A whole number text of a URI, or empty.
std::string_view wholeNumber(std::string_view text)
{
    std::size_t i = 0;
    const std::string_view number = uriNumber(text, i);
    return i == text.size() ? number : std::string_view{};
}

// A latitude and a longitude given as two number texts.
std::optional<GeographicPoint> position(std::string_view latitude, std::string_view longitude,
                                        Separators separators)
{
    if (latitude.empty() || longitude.empty())
        return std::nullopt;
    const auto lat = numberValue(latitude, separators);
    const auto lon = numberValue(longitude, separators);
    if (!lat || !lon || !isLatitude(*lat) || !isLongitude(*lon))
        return std::nullopt;
    return point(*lon, *lat);
}

bool isParameterNameChar(char c)
{
    return isDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-';
}

std::optional<NotationReading> geoUriPosition(std::string_view latitude, std::string_view longitude,
                                              Separators separators)
{
    const auto p = position(latitude, longitude, separators);
    if (!p)
        return std::nullopt;
    return NotationReading{CoordinateNotation::GeoUri, *p};
}

// The map apps' query after a geo: address, "z=14" or "q=...", joined by
// "&": the zoom and the search are no part of the position.  Android's
// geo:0,0?q=Berlin puts the place into the search and 0,0 in front, so
// 0,0 with a search is no position.
std::optional<NotationReading> readGeoQuery(std::string_view query, std::string_view latitude,
                                            std::string_view longitude, Separators separators)
{
    bool search = false;
    for (std::size_t start = 0; start <= query.size();) {
        std::size_t end = query.find('&', start);
        if (end == std::string_view::npos)
            end = query.size();
        const std::string_view pair = query.substr(start, end - start);
        if (startsWithIgnoringCase(pair, "q="))
            search = true;
        else if (!startsWithIgnoringCase(pair, "z=") || wholeNumber(pair.substr(2)).empty())
            return std::nullopt;
        start = end + 1;
    }
    const auto reading = geoUriPosition(latitude, longitude, separators);
    if (!reading || (search && std::get<GeographicPoint>(reading->position).Latitude == 0
                     && std::get<GeographicPoint>(reading->position).Longitude == 0))
        return std::nullopt;
    return reading;
}

std::optional<NotationReading> readGeoUri(std::string_view s, Separators separators)
{
    std::size_t i = 4; // after "geo:"
    const std::string_view latitude = uriNumber(s, i);
    if (i == s.size() || s[i++] != ',')
        return std::nullopt;
    const std::string_view longitude = uriNumber(s, i);
    if (i < s.size() && s[i] == ',') {
        ++i;
        if (uriNumber(s, i).empty())
            return std::nullopt;
    }
    // crs first, then u, then anything else.
    for (int next = 0; i < s.size();) {
        if (s[i] == '?')
            return readGeoQuery(s.substr(i + 1), latitude, longitude, separators);
        if (s[i++] != ';')
            return std::nullopt;
        const std::size_t nameStart = i;
        while (i < s.size() && isParameterNameChar(s[i]))
            ++i;
        const std::string_view name = s.substr(nameStart, i - nameStart);
        std::string_view value;
        if (i < s.size() && s[i] == '=') {
            const std::size_t valueStart = ++i;
            while (i < s.size() && s[i] != ';' && !isBlankOrNoBreakSpace(s[i]) && s[i] != '?' && s[i] != '#')
                ++i;
            value = s.substr(valueStart, i - valueStart);
            if (value.empty())
                return std::nullopt;
        }
        if (name.empty())
            return std::nullopt;
        // rank: 0 crs, 1 u, 2 any other; `next` is the lowest rank still allowed.
        const int rank = equalsIgnoringCase(name, "crs") ? 0 : equalsIgnoringCase(name, "u") ? 1 : 2;
        if (rank < next)
            return std::nullopt;
        if (rank == 0 && !equalsIgnoringCase(value, "wgs84"))
            return std::nullopt;
        if (rank == 1 && (wholeNumber(value).empty() || value[0] == '-'))
            return std::nullopt;
        next = rank == 2 ? 2 : rank + 1;
    }
    return geoUriPosition(latitude, longitude, separators);
}

// The position a link names in one way (its place marker, or the centre of
// its view), as number texts.  Two that are written differently, or one
// that is no pair of numbers, make the link unreadable: nothing is guessed.
struct Candidate {
    std::string_view latitude;
    std::string_view longitude;
    bool found = false;
    bool unreadable = false;

    void add(std::string_view lat, std::string_view lon)
    {
        if (lat.empty() || lon.empty() || (found && (lat != latitude || lon != longitude)))
            unreadable = true;
        found = true;
        latitude = lat;
        longitude = lon;
    }
};

// The value of `key` among "&"-separated key=value pairs; nothing when the
// key is missing, the text of the last occurrence otherwise.
struct Parameter {
    bool present = false;
    bool repeated = false;
    std::string_view value;
};

Parameter parameter(std::string_view pairs, std::string_view key)
{
    Parameter result;
    std::size_t i = 0;
    while (i <= pairs.size()) {
        std::size_t end = pairs.find('&', i);
        if (end == std::string_view::npos)
            end = pairs.size();
        const std::string_view pair = pairs.substr(i, end - i);
        if (pair.size() > key.size() && pair.substr(0, key.size()) == key && pair[key.size()] == '=') {
            const std::string_view value = pair.substr(key.size() + 1);
            result.repeated = result.repeated || (result.present && result.value != value);
            result.present = true;
            result.value = value;
        }
        i = end + 1;
    }
    return result;
}

std::optional<NotationReading> readMapLink(std::string_view s, Separators separators)
{
    for (const char c : s)
        if (isBlankOrNoBreakSpace(c))
            return std::nullopt;
    const std::size_t hash = s.find('#');
    const std::string_view beforeFragment = s.substr(0, hash);
    const std::string_view fragment = hash == std::string_view::npos ? std::string_view{} : s.substr(hash + 1);
    const std::size_t question = beforeFragment.find('?');
    const std::string_view query =
        question == std::string_view::npos ? std::string_view{} : beforeFragment.substr(question + 1);

    Candidate place;
    Candidate view;

    // OpenStreetMap: the marker ?mlat=..&mlon=.. and the view #map=zoom/lat/lon.
    const Parameter mlat = parameter(query, "mlat");
    const Parameter mlon = parameter(query, "mlon");
    if (mlat.present || mlon.present) {
        if (mlat.repeated || mlon.repeated)
            place.unreadable = true;
        else
            place.add(wholeNumber(mlat.value), wholeNumber(mlon.value));
    }
    const Parameter map = parameter(fragment, "map");
    if (map.present) {
        std::size_t i = 0;
        const std::string_view v = map.value;
        std::string_view latitude;
        std::string_view longitude;
        if (!uriNumber(v, i).empty() && i < v.size() && v[i++] == '/') {
            latitude = uriNumber(v, i);
            if (i < v.size() && v[i++] == '/')
                longitude = uriNumber(v, i);
        }
        if (i != v.size() || map.repeated)
            view.unreadable = true;
        view.add(latitude, longitude);
    }

    // Google Maps: the place !3d<lat>!4d<lon> and the view /@<lat>,<lon>,
    // which ends the path segment or goes on with "," (zoom and the like).
    for (std::size_t p = s.find("!3d"); p != std::string_view::npos; p = s.find("!3d", p + 1)) {
        std::size_t i = p + 3;
        const std::string_view latitude = uriNumber(s, i);
        if (latitude.empty() || s.substr(i, 3) != "!4d")
            continue; // another message's third value, not a place
        i += 3;
        const std::string_view longitude = uriNumber(s, i);
        if (i < s.size() && s[i] != '!' && s[i] != '?' && s[i] != '#' && s[i] != '/')
            continue;
        place.add(latitude, longitude);
    }
    for (std::size_t p = beforeFragment.find("/@"); p != std::string_view::npos;
         p = beforeFragment.find("/@", p + 1)) {
        std::size_t i = p + 2;
        const std::string_view latitude = uriNumber(beforeFragment, i);
        if (latitude.empty() || i == beforeFragment.size() || beforeFragment[i++] != ',')
            continue;
        const std::string_view longitude = uriNumber(beforeFragment, i);
        if (i < beforeFragment.size() && beforeFragment[i] != ',' && beforeFragment[i] != '/'
            && beforeFragment[i] != '?')
            continue;
        view.add(latitude, longitude);
    }

    // Other map services' markers and views.
    const MapServicePairs service = mapServicePairs(s);
    for (const LinkPair& marker : service.markers)
        place.add(marker.latitude, marker.longitude);
    for (const LinkPair& centre : service.views)
        view.add(centre.latitude, centre.longitude);

    const Candidate& chosen = place.found || place.unreadable ? place : view;
    if (chosen.unreadable || !chosen.found)
        return std::nullopt;
    const auto p = position(chosen.latitude, chosen.longitude, separators);
    if (!p)
        return std::nullopt;
    return NotationReading{CoordinateNotation::MapLink, *p};
}

} // namespace

std::optional<NotationReading> readCoordinateNotations(std::string_view text, Separators separators)
{
    const std::string_view body = withoutFrame(text);
    if (startsWithIgnoringCase(body, "geo:"))
        return readGeoUri(body, separators);
    if (startsWithIgnoringCase(body, "http://") || startsWithIgnoringCase(body, "https://"))
        return readMapLink(body, separators);
    const auto tokens = tokenize(body);
    if (!tokens)
        return std::nullopt;
    // The shapes exclude each other: UTM has a band letter right after a
    // zone of one or two digits and no hemisphere after its metres.
    if (auto utm = readUtm(*tokens, separators))
        return utm;
    return readAngles(*tokens, separators);
}

} // namespace zelv
