#include "PositionInText.h"

#include "Exception.h"
#include "FerroLongitude.h"
#include "NotationMessages.h"
#include "NotationText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
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

// What a character can start: the items below, told by one look in a table
// since the reader walks texts of megabytes.
enum class CharClass : unsigned char { Other, Blank, Digit, Letter, Separator };

constexpr std::array<CharClass, 256> charClasses = [] {
    std::array<CharClass, 256> classes{};
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        classes[static_cast<std::size_t>(b)] = isBlankOrNoBreakSpace(c) ? CharClass::Blank
                                               : isDigit(c)             ? CharClass::Digit
                                               : isLetter(c)            ? CharClass::Letter
                                               : c == ',' || c == ';'   ? CharClass::Separator
                                                                        : CharClass::Other;
    }
    return classes;
}();

constexpr CharClass classOf(char c) { return charClasses[static_cast<unsigned char>(c)]; }

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
    // Nearly every word of a long text is none: its length and first letter
    // tell them apart at once, before any word is compared.
    if (word.size() == 1) {
        switch (word.front()) {
        case 'N': return Compass{true, false};
        case 'S': return Compass{true, true, Family::Common, true};
        case 'E':
        case 'O': return Compass{false, false};
        case 'W': return Compass{false, true};
        case 'J': return Compass{true, true, Family::CzechSlovak};
        case 'V': return Compass{false, false, Family::CzechSlovak};
        case 'Z': return Compass{false, true, Family::CzechSlovak};
        case 'K': return Compass{true, false, Family::Turkish};
        case 'G': return Compass{true, true, Family::Turkish};
        case 'D': return Compass{false, false, Family::Turkish};
        case 'B': return Compass{false, true, Family::Turkish};
        default: return std::nullopt;
        }
    }
    if (word.size() < 3 || word.size() > 6)
        return std::nullopt;
    switch (word.front()) {
    case 'N': case 'S': case 'E': case 'O': case 'W': case 'n': case 's': case 'e': case 'o':
        break;
    default:
        return std::nullopt;
    }
    struct Entry {
        std::string_view word;
        Compass compass;
    };
    static constexpr Entry words[] = {
        {"Nord", {true, false}},     {"Norden", {true, false}},  {"North", {true, false}},
        {"nord", {true, false}},     {"S\xFC" "d", {true, true}}, {"S\xFC" "den", {true, true}},
        {"South", {true, true}},     {"sud", {true, true}},      {"Ost", {false, false}},
        {"Osten", {false, false}},   {"East", {false, false}},   {"est", {false, false}},
        {"West", {false, true}},     {"Westen", {false, true}},  {"ouest", {false, true}},
    };
    for (const Entry& e : words)
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
// The value of digits with an optional decimal point or comma.
double valueOf(std::string_view number)
{
    double value = 0;
    const std::size_t comma = number.find(',');
    if (comma == std::string_view::npos) {
        std::from_chars(number.data(), number.data() + number.size(), value);
        return value;
    }
    std::string withPoint(number);
    withPoint[comma] = '.';
    std::from_chars(withPoint.data(), withPoint.data() + withPoint.size(), value);
    return value;
}

// One unit of the last of `places` decimal places.
double unitOfPlaces(int places)
{
    static constexpr double units[] = {1, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8,
                                       1e-9, 1e-10, 1e-11, 1e-12, 1e-13, 1e-14, 1e-15, 1e-16};
    return places < static_cast<int>(std::size(units)) ? units[places] : std::pow(10.0, -places);
}

constexpr std::array<double, 23> exactPowersOfTen = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                     1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                     1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

std::optional<Number> numberAt(std::string_view t, std::size_t i)
{
    if (i >= t.size() || !isDigit(t[i]))
        return std::nullopt;
    const std::size_t start = i;
    // The digits as a whole number, while it is exact.
    std::uint64_t digits = 0;
    int count = 0;
    const auto take = [&] {
        digits = digits * 10 + static_cast<std::uint64_t>(t[i] - '0');
        ++count;
        ++i;
    };
    while (i < t.size() && isDigit(t[i]))
        take();
    int places = 0;
    if (i + 1 < t.size() && (t[i] == '.' || t[i] == ',') && isDigit(t[i + 1]))
        for (++i; i < t.size() && isDigit(t[i]); ++places)
            take();
    // Up to 15 digits and 22 places, both the digits and the power of ten
    // are exact doubles, and their one division is the correctly rounded
    // value, as from_chars gives it.
    if (count <= 15 && places <= 22)
        return Number{static_cast<double>(digits) / exactPowersOfTen[static_cast<std::size_t>(places)], places, i};
    return Number{valueOf(t.substr(start, i - start)), places, i};
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
    while (end < t.size() && classOf(t[end]) == CharClass::Letter)
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
        degrees = Number{valueOf(t.substr(i, cut - i)), hiddenPlaces, cut};
        gluedSecond = numberAt(t, cut);
        Angle first{degrees.value, unitOfPlaces(hiddenPlaces), false, true};
        end = cut;
        return first;
    }
    Angle angle{degrees.value, unitOfPlaces(degrees.places)};
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
    angle.place = unitOfPlaces(minutes->places) / 60;
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
    angle.place = unitOfPlaces(seconds->places) / 3600;
    end = afterSeconds;
    return angle;
}

// The items of a text one after the other, so that a long text never
// stands as a list of items in memory.
class Items {
public:
    explicit Items(std::string_view t) : t_(t) {}

    // The next item, a run of breaks as one; nothing at the end of the text.
    std::optional<Item> next()
    {
        std::optional<Item> item = pending_ ? pending_ : single();
        pending_.reset();
        if (!item || item->kind != Kind::Break)
            return item;
        for (;;) {
            std::optional<Item> more = single();
            if (!more)
                return item;
            if (more->kind != Kind::Break) {
                pending_ = more;
                return item;
            }
            item->end = more->end;
        }
    }

private:
    std::optional<Item> single()
    {
        std::optional<Item> item = read();
        afterNumber_ = item && item->kind == Kind::Number;
        return item;
    }

    // Between two numbers only the first item after the one and the last
    // before the other can be part of a position, and no position spans a
    // break.  So where a break stands between those two, all up to the last
    // break is one, and the items after it are read one by one.  Nothing
    // where the gap holds no break.
    std::optional<Item> skipToLastBreak()
    {
        std::size_t digit = i_;
        while (digit < t_.size() && classOf(t_[digit]) != CharClass::Digit)
            ++digit;
        readUntil_ = digit;
        const std::size_t begin = i_;
        if (digit == t_.size()) {
            // After the last number's first item nothing counts.
            i_ = t_.size();
            return Item{Kind::Break, begin, i_, {}, {}};
        }
        for (std::size_t end = digit; end > i_;) {
            const char c = t_[end - 1];
            const CharClass cc = classOf(c);
            if (cc == CharClass::Other && c != '.') {
                i_ = end;
                return Item{Kind::Break, begin, end, {}, {}};
            }
            if (cc != CharClass::Letter) {
                --end;
                continue;
            }
            std::size_t start = end;
            while (start > i_ && classOf(t_[start - 1]) == CharClass::Letter)
                --start;
            if (start > i_ && isBreakWord(t_.substr(start, end - start), end)) {
                i_ = end;
                return Item{Kind::Break, begin, end, {}, {}};
            }
            end = start;
        }
        return std::nullopt;
    }

    // Whether the word ending at `end` is read as a break and nothing else.
    bool isBreakWord(std::string_view w, std::size_t end) const
    {
        return !compassOf(w) && !isAxisWord(w) && !gluedToLabel(w, end);
    }

    // A compass letter glued to the label of a second copy.
    bool gluedToLabel(std::string_view w, std::size_t end) const
    {
        return w.size() > 1 && isUpper(w[1]) && compassOf(w.substr(0, 1)) && end < t_.size() && t_[end] == ':';
    }

    std::optional<Item> read()
    {
        if (queued_) {
            const Item item = *queued_;
            queued_.reset();
            return item;
        }
        if (!afterNumber_ && i_ >= readUntil_ && i_ < t_.size())
            if (std::optional<Item> gap = skipToLastBreak())
                return gap;
        while (i_ < t_.size()) {
            const std::size_t begin = i_;
            const CharClass c = classOf(t_[i_]);
            if (c == CharClass::Blank) {
                ++i_;
            } else if (c == CharClass::Digit) {
                std::size_t end = i_;
                std::optional<Number> glued;
                const Angle angle = angleAt(t_, i_, end, glued);
                i_ = end;
                if (glued) {
                    queued_ = Item{Kind::Number, end, glued->end,
                                   Angle{glued->value, unitOfPlaces(hiddenPlaces), false, true}, {}};
                    i_ = glued->end;
                }
                return Item{Kind::Number, begin, end, angle, {}};
            } else if (c == CharClass::Letter) {
                if (std::optional<Item> item = word())
                    return item;
            } else if (c == CharClass::Separator) {
                ++i_;
                return Item{Kind::Separator, begin, i_, {}, {}};
            } else {
                // Marks, brackets and the like, with the blanks among them,
                // make one break.
                std::size_t end = ++i_;
                for (; i_ < t_.size(); ++i_) {
                    const CharClass next = classOf(t_[i_]);
                    if (next == CharClass::Other)
                        end = i_ + 1;
                    else if (next != CharClass::Blank)
                        break;
                }
                return Item{Kind::Break, begin, end, {}, {}};
            }
        }
        return std::nullopt;
    }

    // A word's item; nothing for a word of the axes, which separates like a
    // blank.
    std::optional<Item> word()
    {
        const std::size_t begin = i_;
        std::size_t end = i_;
        while (end < t_.size() && classOf(t_[end]) == CharClass::Letter)
            ++end;
        const std::string_view w = t_.substr(begin, end - begin);
        i_ = end;
        const auto compass = compassOf(w);
        if (compass) {
            // The full stop of an abbreviated compass word.
            if (i_ < t_.size() && t_[i_] == '.')
                ++i_;
            return Item{Kind::Letter, begin, end, {}, *compass};
        }
        if (gluedToLabel(w, end)) {
            queued_ = Item{Kind::Break, begin + 1, end, {}, {}};
            return Item{Kind::Letter, begin, begin + 1, {}, *compassOf(w.substr(0, 1))};
        }
        if (isAxisWord(w))
            return std::nullopt;
        return Item{Kind::Break, begin, end, {}, {}};
    }

    std::string_view t_;
    std::size_t i_ = 0;
    std::optional<Item> queued_;
    std::optional<Item> pending_;
    bool afterNumber_ = false;
    // Up to here the items are read one by one, the gap's last words.
    std::size_t readUntil_ = 0;
};

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

// A complete position at the front of the window: both halves with their
// letters, after or before the numbers; `used` is the number of its items.
std::optional<Candidate> pairAt(std::string_view t, std::optional<bool>& czechOrSlovak, const Item* items,
                                std::size_t size, std::size_t& used)
{
    constexpr std::size_t k = 0;
    const auto at = [&](std::size_t n, Kind kind) { return k + n < size && items[k + n].kind == kind; };
    std::size_t a1, l1, a2, l2, next;
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
    used = next;
    const Compass& c1 = items[l1].compass;
    const Compass& c2 = items[l2].compass;
    if (!partners(c1, c2) || items[a1].angle.hidden || items[a2].angle.hidden)
        return std::nullopt;
    const bool latitudeFirst = c1.latitude;
    const Item& lat = latitudeFirst ? items[a1] : items[a2];
    const Item& lon = latitudeFirst ? items[a2] : items[a1];
    const Compass& latCompass = latitudeFirst ? c1 : c2;
    const Compass& lonCompass = latitudeFirst ? c2 : c1;
    // Asked only of a plain S, the whole text is searched at most once.
    if (latCompass.plainS && lonCompass.family == Family::Common && !czechOrSlovak)
        czechOrSlovak = isCzechOrSlovak(t);
    if (latCompass.plainS && lonCompass.family == Family::Common && *czechOrSlovak)
        throwUnusable("In " + quoted(t) + " kann \x84S\x93 S\xFC" "den meinen oder, wie im Tschechischen und "
                      "Slowakischen, Norden (sever). Welche Breite gemeint ist, bleibt offen.");
    Candidate c{{signedValue(lon.angle, lonCompass, latCompass), signedValue(lat.angle, latCompass, lonCompass)},
                lat.angle.place, lon.angle.place, false, items[k].begin, items[next - 1].end};
    if (!(std::fabs(c.point.Latitude) <= 90) || !(std::fabs(c.point.Longitude) <= 180))
        return std::nullopt;
    return c;
}

// The longest run of items a complete position takes, and one more: a
// position with its letters before the numbers may be read with them after
// the numbers too, one item on.
constexpr std::size_t window = 6;

[[noreturn]] void throwDisagreeing(std::string_view t, const Candidate& a, const Candidate& b)
{
    const auto span = [&](const Candidate& c) { return quoted(t.substr(c.begin, c.end - c.begin)); };
    throwUnusable("In " + quoted(t) + " stehen zwei Positionen, die voneinander abweichen: " + span(a) + " und "
                  + span(b) + ". Welche gilt, bleibt offen.");
}

// A candidate stands for the interval of half its last written place
// around its value, on each axis.
double valueOn(const Candidate& c, bool latitude) { return latitude ? c.point.Latitude : c.point.Longitude; }

double halfPlace(const Candidate& c, bool latitude)
{
    // A hair above the half, for values written exactly on it.
    return (latitude ? c.latitudePlace : c.longitudePlace) / 2 * (1 + 1e-9);
}

double lowEnd(const Candidate& c, bool latitude) { return valueOn(c, latitude) - halfPlace(c, latitude); }
double highEnd(const Candidate& c, bool latitude) { return valueOn(c, latitude) + halfPlace(c, latitude); }

// Whether two readings of a position agree: their intervals share a point
// on each axis.
bool agree(const Candidate& a, const Candidate& b)
{
    for (const bool latitude : {true, false})
        if (lowEnd(a, latitude) > highEnd(b, latitude) || lowEnd(b, latitude) > highEnd(a, latitude))
            return false;
    return true;
}

// Hands each candidate position of the text to `found`, one after the
// other, so that a long text never stands as a list of them in memory.
template <class Found>
void scan(std::string_view t, Found found)
{
    std::optional<bool> czechOrSlovak;
    Items source(t);
    // The items ahead from `head` on, at most a window of them; the ones
    // behind are dropped now and then, not one by one.
    std::vector<Item> items;
    std::size_t head = 0;
    const auto fill = [&] {
        if (head >= 16 * window) {
            items.erase(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(head));
            head = 0;
        }
        while (items.size() - head < window) {
            const std::optional<Item> item = source.next();
            if (!item)
                return;
            items.push_back(*item);
        }
    };
    for (fill(); head < items.size(); fill()) {
        const Item* ahead = items.data() + head;
        const std::size_t size = items.size() - head;
        std::size_t used = 1;
        if (const auto c = pairAt(t, czechOrSlovak, ahead, size, used)) {
            // "Westen. 54° 12' N 21° 6' O": the word before the numbers
            // takes the first as a longitude, the letters after them make
            // another position.  Where the two differ, neither is certain;
            // unless a number follows the last letter, which then begins
            // the next position written with its letters first.
            std::size_t usedAfter = 0;
            if (ahead[0].kind == Kind::Letter && !(size > 5 && ahead[5].kind == Kind::Number))
                if (const auto after = pairAt(t, czechOrSlovak, ahead + 1, size - 1, usedAfter);
                    after && !agree(*c, *after))
                    throwDisagreeing(t, *c, *after);
            found(*c);
        } else if (ahead[0].kind == Kind::Number && ahead[0].angle.hidden && size > 1
                   && ahead[1].kind == Kind::Number && ahead[1].angle.hidden) {
            // Hidden decimals: two glued numbers of twelve places, latitude first.
            const Angle& lat = ahead[0].angle;
            const Angle& lon = ahead[1].angle;
            if (lat.value <= 90 && lon.value <= 180)
                found(Candidate{{lon.value, lat.value}, lat.place, lon.place, true, ahead[0].begin, ahead[1].end});
            used = 2;
        }
        head += used;
    }
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

// Whether a compass letter or word stands in the text as a word of its own
// or at the start of one: without one there is no complete position.
bool hasCompassWord(std::string_view t)
{
    for (std::size_t i = 0; i < t.size();) {
        if (classOf(t[i]) != CharClass::Letter) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < t.size() && classOf(t[end]) == CharClass::Letter)
            ++end;
        if (compassOf(t.substr(i, end - i)) || compassOf(t.substr(i, 1)))
            return true;
        i = end;
    }
    return false;
}

} // namespace

void refuseBareNumbers(std::string_view text)
{
    // Only where nothing read the text, so no complete position stands in
    // it.  A pair alone is the plain notations' to judge; a third number
    // among words leaves open which two would be the position.
    const bool words = std::any_of(text.begin(), text.end(),
                                   [](char c) { return classOf(c) == CharClass::Letter && c != '?'; });
    if (!words)
        return;
    int numbers = 0;
    int decimals = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (!isDigit(text[i])) {
            ++i;
            continue;
        }
        while (i < text.size() && isDigit(text[i]))
            ++i;
        const bool decimal = i + 1 < text.size() && (text[i] == '.' || text[i] == ',') && isDigit(text[i + 1]);
        if (decimal)
            for (++i; i < text.size() && isDigit(text[i]);)
                ++i;
        const std::size_t after = skipBlanks(text, i);
        const bool marked = after < text.size()
                            && (isDegreeMark(text[after]) || isMinuteMark(text[after]) || secondMarkEnd(text, after));
        if (!marked) {
            ++numbers;
            decimals += decimal ? 1 : 0;
        }
        if (numbers >= 3 && decimals >= 2)
            break;
    }
    if (numbers >= 3 && decimals >= 2)
        throwUnusable("In " + quoted(text) + " stehen nur Zahlen ohne Himmelsrichtung und Gradzeichen, mehr als "
                      "zwei; welche davon Breite und L\xE4nge sein sollen, bleibt offen.");
}

std::optional<GeographicPoint> readPositionInText(std::string_view text)
{
    if (!hasCompassWord(text) || namesAnotherMeridian(text))
        return std::nullopt;
    // Positions agree in pairs within their half places, added, exactly
    // when the intervals they stand for share a point: the largest lower end
    // lies below the smallest upper end, on each axis.  So the candidates
    // pass one by one, and only the extremes and the finest are kept.
    const auto width = [](const Candidate& c) { return c.latitudePlace + c.longitudePlace; };
    std::optional<Candidate> finest;       // the finest of all, hidden decimals too
    std::optional<Candidate> finestShown;  // the finest written for the reader
    std::optional<Candidate> highestLow[2]; // by axis: longitude, latitude
    std::optional<Candidate> lowestHigh[2];
    scan(text, [&](const Candidate& c) {
        if (!finest || width(c) < width(*finest))
            finest = c;
        if (!c.hidden && (!finestShown || width(c) < width(*finestShown)))
            finestShown = c;
        for (const bool latitude : {false, true}) {
            if (!highestLow[latitude] || lowEnd(c, latitude) > lowEnd(*highestLow[latitude], latitude))
                highestLow[latitude] = c;
            if (!lowestHigh[latitude] || highEnd(c, latitude) < highEnd(*lowestHigh[latitude], latitude))
                lowestHigh[latitude] = c;
        }
    });
    if (!finestShown)
        return std::nullopt;
    for (const bool latitude : {true, false})
        if (lowEnd(*highestLow[latitude], latitude) > highEnd(*lowestHigh[latitude], latitude))
            throwDisagreeing(text, *lowestHigh[latitude], *highestLow[latitude]);
    // Hidden decimals that agree give their finer figures.
    return width(*finest) < width(*finestShown) ? finest->point : finestShown->point;
}

} // namespace zelv
