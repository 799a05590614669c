#include "PositionInText.h"

#include "Exception.h"
#include "FerroLongitude.h"
#include "NotationMessages.h"
#include "NotationText.h"

#include <cmath>
#include <string>
#include <vector>

namespace zelv {

namespace {

// Wikipedia's hidden decimals carry twelve places each.
constexpr int hiddenPlaces = 12;

constexpr bool isDegreeMark(char c) { return c == '\xB0' || c == '\xBA'; }
constexpr bool isMinuteMark(char c) { return c == '\'' || c == '\x92' || c == '\xB4'; }

constexpr bool isLetter(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || u >= 0xC0 || c == '\x8A' || c == '\x8C'
           || c == '\x8E' || c == '\x9A' || c == '\x9C' || c == '\x9E' || c == '\x9F' || c == '?';
}

constexpr bool isUpper(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'A' && c <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7);
}

// The meaning of a compass letter or word: its axis, its sign and the
// language family whose partners it takes.
enum class Family { Common, CzechSlovak, Turkish };

struct Compass {
    bool latitude = false;
    bool negative = false;
    Family family = Family::Common;
    // "S" could be Czech or Slovak sever (north).
    bool plainS = false;
};

std::optional<Compass> compassOf(std::string_view word)
{
    struct Entry {
        std::string_view word;
        Compass compass;
    };
    static const Entry entries[] = {
        {"N", {true, false}},
        {"S", {true, true, Family::Common, true}},
        {"E", {false, false}},
        {"O", {false, false}},
        {"W", {false, true}},
        {"Nord", {true, false}},     {"Norden", {true, false}},  {"North", {true, false}},
        {"nord", {true, false}},     {"S\xFC" "d", {true, true}}, {"S\xFC" "den", {true, true}},
        {"South", {true, true}},     {"sud", {true, true}},      {"Ost", {false, false}},
        {"Osten", {false, false}},   {"East", {false, false}},   {"est", {false, false}},
        {"West", {false, true}},     {"Westen", {false, true}},  {"ouest", {false, true}},
        {"J", {true, true, Family::CzechSlovak}},
        {"V", {false, false, Family::CzechSlovak}},
        {"Z", {false, true, Family::CzechSlovak}},
        {"K", {true, false, Family::Turkish}},
        {"G", {true, true, Family::Turkish}},
        {"D", {false, false, Family::Turkish}},
        {"B", {false, true, Family::Turkish}},
    };
    for (const Entry& e : entries)
        if (e.word == word)
            return e.compass;
    return std::nullopt;
}

// Words of the axes that may stand before a half ("latitude 54°N,
// longitude 021°E"); they separate like a blank.
bool isAxisWord(std::string_view word)
{
    return word == "latitude" || word == "longitude" || word == "Latitude" || word == "Longitude";
}

struct Angle {
    double value = 0;
    // The last written place, in degrees.
    double place = 1;
    bool marked = false;
    // Decimals cut from a glued run of Wikipedia's hidden decimals.
    bool hidden = false;
};

enum class Kind { Number, Letter, Separator, Break };

struct Item {
    Kind kind;
    std::size_t begin;
    std::size_t end;
    Angle angle;
    Compass compass;
};

struct Number {
    double value = 0;
    int places = 0;
    std::size_t end = 0;
};

// Digits with an optional decimal point or comma followed by digits.
std::optional<Number> numberAt(std::string_view t, std::size_t i)
{
    if (i >= t.size() || !isDigit(t[i]))
        return std::nullopt;
    std::string digits;
    while (i < t.size() && isDigit(t[i]))
        digits += t[i++];
    int places = 0;
    if (i + 1 < t.size() && (t[i] == '.' || t[i] == ',') && isDigit(t[i + 1])) {
        digits += '.';
        for (++i; i < t.size() && isDigit(t[i]); ++i, ++places)
            digits += t[i];
    }
    return Number{std::strtod(digits.c_str(), nullptr), places, i};
}

std::size_t skipBlanks(std::string_view t, std::size_t i)
{
    while (i < t.size() && isBlankOrNoBreakSpace(t[i]))
        ++i;
    return i;
}

// The end of a second mark at i ('', ", ”, or two minute marks), or 0.
std::size_t secondMarkEnd(std::string_view t, std::size_t i)
{
    if (i < t.size() && (t[i] == '"' || t[i] == '\x94'))
        return i + 1;
    if (i + 1 < t.size() && isMinuteMark(t[i]) && isMinuteMark(t[i + 1]))
        return i + 2;
    return 0;
}

std::size_t minuteMarkEnd(std::string_view t, std::size_t i)
{
    return i < t.size() && isMinuteMark(t[i]) && !secondMarkEnd(t, i) ? i + 1 : 0;
}

// Whether a compass letter or word follows at i, after blanks: a part
// without its mark may stand only there.
bool compassFollows(std::string_view t, std::size_t i)
{
    i = skipBlanks(t, i);
    std::size_t end = i;
    while (end < t.size() && isLetter(t[end]))
        ++end;
    if (end == i)
        return false;
    return compassOf(t.substr(i, end - i)) || compassOf(t.substr(i, 1));
}

// The end of a minute or second part: after its mark, or right after its
// number where a compass letter follows; 0 where neither.
std::size_t partEnd(std::string_view t, const Number& part, std::size_t (*markEnd)(std::string_view, std::size_t))
{
    if (const std::size_t end = markEnd(t, skipBlanks(t, part.end)))
        return end;
    return compassFollows(t, part.end) ? part.end : 0;
}

// An angle starting with the digits at i: degrees, minutes and seconds,
// each with its mark or, for the last part before a compass letter,
// without.  Sets `end` past it.
Angle angleAt(std::string_view t, std::size_t i, std::size_t& end, std::optional<Number>& gluedSecond)
{
    Number degrees = *numberAt(t, i);
    // A run of hidden decimals: twelve places, then the next number.
    if (degrees.places > hiddenPlaces && degrees.end < t.size() && t[degrees.end] == '.') {
        const std::size_t cut = degrees.end - static_cast<std::size_t>(degrees.places - hiddenPlaces);
        degrees = Number{std::strtod(std::string(t.substr(i, cut - i)).c_str(), nullptr), hiddenPlaces, cut};
        gluedSecond = numberAt(t, cut);
        Angle first{degrees.value, std::pow(10.0, -hiddenPlaces), false, true};
        end = cut;
        return first;
    }
    Angle angle{degrees.value, std::pow(10.0, -degrees.places)};
    end = degrees.end;
    std::size_t j = skipBlanks(t, end);
    const bool degreeMark = j < t.size() && isDegreeMark(t[j]);
    if (degreeMark) {
        angle.marked = true;
        end = j + 1;
    }
    if (degrees.places > 0)
        return angle;

    const std::size_t k = skipBlanks(t, end);
    const std::optional<Number> minutes = numberAt(t, k);
    if (!minutes || minutes->value >= 60)
        return angle;
    // Without a degree mark only aviation's decimal minutes follow.
    if (!degreeMark && !(k > end && minutes->places > 0 && compassFollows(t, minutes->end)))
        return angle;
    const std::size_t afterMinutes = partEnd(t, *minutes, minuteMarkEnd);
    if (!afterMinutes)
        return angle;
    angle.value += minutes->value / 60;
    angle.place = std::pow(10.0, -minutes->places) / 60;
    angle.marked = true;
    end = afterMinutes;
    if (minutes->places > 0)
        return angle;

    const std::size_t s = skipBlanks(t, end);
    const std::optional<Number> seconds = numberAt(t, s);
    if (!seconds || seconds->value >= 60)
        return angle;
    const std::size_t afterSeconds = partEnd(t, *seconds, secondMarkEnd);
    if (!afterSeconds)
        return angle;
    angle.value += seconds->value / 3600;
    angle.place = std::pow(10.0, -seconds->places) / 3600;
    end = afterSeconds;
    return angle;
}

std::vector<Item> itemsOf(std::string_view t)
{
    std::vector<Item> items;
    std::size_t i = 0;
    while (i < t.size()) {
        const char c = t[i];
        if (isBlankOrNoBreakSpace(c)) {
            ++i;
        } else if (isDigit(c)) {
            std::size_t end = i;
            std::optional<Number> glued;
            const Angle angle = angleAt(t, i, end, glued);
            items.push_back({Kind::Number, i, end, angle, {}});
            if (glued) {
                items.push_back({Kind::Number, end, glued->end,
                                 Angle{glued->value, std::pow(10.0, -hiddenPlaces), false, true}, {}});
                end = glued->end;
            }
            i = end;
        } else if (isLetter(c)) {
            std::size_t end = i;
            while (end < t.size() && isLetter(t[end]))
                ++end;
            const std::string_view word = t.substr(i, end - i);
            if (const auto compass = compassOf(word)) {
                items.push_back({Kind::Letter, i, end, {}, *compass});
            } else if (word.size() > 1 && isUpper(word[1]) && compassOf(word.substr(0, 1)) && end < t.size()
                       && t[end] == ':') {
                // A compass letter glued to the label of a second copy.
                items.push_back({Kind::Letter, i, i + 1, {}, *compassOf(word.substr(0, 1))});
                items.push_back({Kind::Break, i + 1, end, {}, {}});
            } else if (!isAxisWord(word)) {
                items.push_back({Kind::Break, i, end, {}, {}});
            }
            i = end;
            // The full stop of an abbreviated compass word.
            if (!items.empty() && items.back().kind == Kind::Letter && i < t.size() && t[i] == '.')
                ++i;
        } else if (c == ',' || c == ';') {
            items.push_back({Kind::Separator, i, i + 1, {}, {}});
            ++i;
        } else {
            items.push_back({Kind::Break, i, i + 1, {}, {}});
            ++i;
        }
    }
    return items;
}

struct Candidate {
    GeographicPoint point;
    double latitudePlace;
    double longitudePlace;
    bool hidden = false;
    std::size_t begin;
    std::size_t end;
};

// Whether two compass letters make one position, and which is the latitude.
bool partners(const Compass& a, const Compass& b)
{
    if (a.latitude == b.latitude)
        return false;
    const Compass& lat = a.latitude ? a : b;
    const Compass& lon = a.latitude ? b : a;
    if (lat.plainS && lon.family == Family::CzechSlovak)
        return true;
    return lat.family == lon.family;
}

double signedValue(const Angle& angle, const Compass& compass, const Compass& partner)
{
    bool negative = compass.negative;
    if (compass.plainS && partner.family == Family::CzechSlovak)
        negative = false;
    return negative ? -angle.value : angle.value;
}

bool isCzechOrSlovak(std::string_view t)
{
    for (const std::string_view sign : {"sever", "Sever", "v\xFD" "chod", "s. \x9A", "s.\x9A", "\x9A\xED\x3F" "ky",
                                        "Sou\x3F" "adnice", "S\xFA" "radnice"})
        if (t.find(sign) != std::string_view::npos)
            return true;
    return false;
}

std::optional<Candidate> pairAt(std::string_view t, const std::vector<Item>& items, std::size_t k,
                                std::size_t& next)
{
    const auto at = [&](std::size_t n, Kind kind) { return k + n < items.size() && items[k + n].kind == kind; };
    std::size_t a1, l1, a2, l2;
    if (at(0, Kind::Number) && at(1, Kind::Letter)) {
        a1 = k, l1 = k + 1;
        const std::size_t s = at(2, Kind::Separator) ? 3 : 2;
        if (!at(s, Kind::Number) || !at(s + 1, Kind::Letter))
            return std::nullopt;
        a2 = k + s, l2 = k + s + 1;
        next = l2 + 1;
    } else if (at(0, Kind::Letter) && at(1, Kind::Number)) {
        l1 = k, a1 = k + 1;
        const std::size_t s = at(2, Kind::Separator) ? 3 : 2;
        if (!at(s, Kind::Letter) || !at(s + 1, Kind::Number))
            return std::nullopt;
        l2 = k + s, a2 = k + s + 1;
        next = a2 + 1;
    } else {
        return std::nullopt;
    }
    const Compass& c1 = items[l1].compass;
    const Compass& c2 = items[l2].compass;
    if (!partners(c1, c2) || items[a1].angle.hidden || items[a2].angle.hidden)
        return std::nullopt;
    const bool latitudeFirst = c1.latitude;
    const Item& lat = latitudeFirst ? items[a1] : items[a2];
    const Item& lon = latitudeFirst ? items[a2] : items[a1];
    const Compass& latCompass = latitudeFirst ? c1 : c2;
    const Compass& lonCompass = latitudeFirst ? c2 : c1;
    if (latCompass.plainS && lonCompass.family == Family::Common && isCzechOrSlovak(t))
        throwUnusable("In " + quoted(t) + " kann \x84S\x93 S\xFC" "den meinen oder, wie im Tschechischen und "
                      "Slowakischen, Norden (sever). Welche Breite gemeint ist, bleibt offen.");
    Candidate c{{signedValue(lon.angle, lonCompass, latCompass), signedValue(lat.angle, latCompass, lonCompass)},
                lat.angle.place, lon.angle.place, false, items[k].begin, items[next - 1].end};
    if (!(std::fabs(c.point.Latitude) <= 90) || !(std::fabs(c.point.Longitude) <= 180))
        return std::nullopt;
    return c;
}

bool agree(const Candidate& a, const Candidate& b)
{
    // A hair above the halves, for values written exactly on them.
    constexpr double hair = 1 + 1e-9;
    return std::fabs(a.point.Latitude - b.point.Latitude) <= (a.latitudePlace + b.latitudePlace) / 2 * hair
           && std::fabs(a.point.Longitude - b.point.Longitude) <= (a.longitudePlace + b.longitudePlace) / 2 * hair;
}

std::vector<Candidate> candidatesOf(std::string_view t, const std::vector<Item>& items)
{
    std::vector<Candidate> found;
    for (std::size_t k = 0; k < items.size();) {
        std::size_t next = k + 1;
        if (const auto c = pairAt(t, items, k, next)) {
            found.push_back(*c);
            k = next;
            continue;
        }
        // Hidden decimals: two glued numbers of twelve places, latitude first.
        if (items[k].kind == Kind::Number && items[k].angle.hidden && k + 1 < items.size()
            && items[k + 1].kind == Kind::Number && items[k + 1].angle.hidden) {
            const Angle& lat = items[k].angle;
            const Angle& lon = items[k + 1].angle;
            if (lat.value <= 90 && lon.value <= 180)
                found.push_back({{lon.value, lat.value}, lat.place, lon.place, true, items[k].begin,
                                 items[k + 1].end});
            k += 2;
            continue;
        }
        k = next;
    }
    return found;
}

// Longitudes counted from Ferro or Paris are not Greenwich's; their own
// form reads or refuses them.
bool namesAnotherMeridian(std::string_view t)
{
    if (t.find("Ferro") != std::string_view::npos || t.find("Paris") != std::string_view::npos)
        return true;
    try {
        return withFerroMarkAsEast(t).has_value();
    } catch (const UnusableCoordinatesError&) {
        return true;
    }
}

} // namespace

void refuseBareNumbers(std::string_view text)
{
    int numbers = 0;
    int decimals = 0;
    bool words = false;
    for (const Item& item : itemsOf(text)) {
        if (item.kind == Kind::Number && !item.angle.marked) {
            ++numbers;
            decimals += item.angle.place < 1 ? 1 : 0;
        }
        words = words || (item.kind == Kind::Break && isLetter(text[item.begin]));
    }
    // A pair alone is the plain notations' to judge; a third number among
    // words leaves open which two would be the position.
    if (words && numbers >= 3 && decimals >= 2)
        throwUnusable("In " + quoted(text) + " stehen nur Zahlen ohne Himmelsrichtung und Gradzeichen, mehr als "
                      "zwei; welche davon Breite und L\xE4nge sein sollen, bleibt offen.");
}

std::optional<GeographicPoint> readPositionInText(std::string_view text)
{
    if (namesAnotherMeridian(text))
        return std::nullopt;
    const std::vector<Item> items = itemsOf(text);
    const std::vector<Candidate> found = candidatesOf(text, items);
    const auto width = [](const Candidate& c) { return c.latitudePlace + c.longitudePlace; };
    const Candidate* finest = nullptr;
    for (const Candidate& c : found)
        if (!c.hidden && (!finest || width(c) < width(*finest)))
            finest = &c;
    if (!finest)
        return std::nullopt;
    const auto span = [&](const Candidate& c) { return quoted(text.substr(c.begin, c.end - c.begin)); };
    for (std::size_t a = 0; a < found.size(); ++a)
        for (std::size_t b = a + 1; b < found.size(); ++b)
            if (!agree(found[a], found[b]))
                throwUnusable("In " + quoted(text) + " stehen zwei Positionen, die voneinander abweichen: "
                              + span(found[a]) + " und " + span(found[b]) + ". Welche gilt, bleibt offen.");
    for (const Candidate& c : found)
        if (width(c) < width(*finest))
            finest = &c;
    return finest->point;
}

} // namespace zelv
