#include "GaussKruegerText.h"

#include "TextUtil.h"

#include <array>
#include <cstddef>

namespace zelv {

namespace {

constexpr std::size_t wholeDigits = 7;
constexpr char noBreakSpace = '\xA0';

bool isGroupSeparator(char c)
{
    return c == ' ' || c == noBreakSpace;
}

// Blanks and line breaks between the parts, and the no-break space.
bool isSpace(char c)
{
    return isBlank(c) || c == noBreakSpace;
}

void skipSpaces(std::string_view& t)
{
    while (!t.empty() && isSpace(t.front()))
        t.remove_prefix(1);
}

std::size_t digitRun(std::string_view t)
{
    std::size_t n = 0;
    while (n < t.size() && isDigit(t[n]))
        ++n;
    return n;
}

// Whether a group of exactly n digits follows one group separator.
bool groupFollows(std::string_view rest, std::size_t n)
{
    return rest.size() > n && isGroupSeparator(rest.front()) && digitRun(rest.substr(1)) == n;
}

// A value of seven whole digits at the start of t, grouped or not, with
// decimals; t becomes what follows it.  With `mapGroups`, also the grid
// value as a map prints it, big and small digits apart: 2-2-3 ("64 32 378").
std::optional<double> takeValue(std::string_view& t, bool mapGroups)
{
    std::string_view rest = t;
    std::size_t first = digitRun(rest);
    if (first != wholeDigits && (first == 0 || first > 3))
        return std::nullopt;
    double value = 0;
    auto addDigits = [&](std::size_t n) {
        for (std::size_t i = 0; i < n; ++i)
            value = value * 10 + (rest[i] - '0');
        rest.remove_prefix(n);
    };
    std::size_t count = first;
    addDigits(first);
    if (mapGroups && first == 2 && groupFollows(rest, 2) && groupFollows(rest.substr(3), 3)) {
        rest.remove_prefix(1);
        addDigits(2);
        count += 2;
    }
    // Further groups of exactly three, until seven digits are there: the
    // grouping of the first value ends where the second value begins.
    while (count < wholeDigits) {
        if (rest.size() < 2 || !isGroupSeparator(rest.front()) || digitRun(rest.substr(1)) != 3)
            return std::nullopt;
        rest.remove_prefix(1);
        addDigits(3);
        count += 3;
    }
    if (count != wholeDigits)
        return std::nullopt;
    if (rest.size() >= 2 && (rest.front() == '.' || rest.front() == ',') && isDigit(rest[1])) {
        rest.remove_prefix(1);
        const std::size_t n = digitRun(rest);
        double scale = 1;
        for (std::size_t i = 0; i < n; ++i) {
            scale /= 10;
            value += (rest[i] - '0') * scale;
        }
        rest.remove_prefix(n);
    }
    // A digit or a second decimal mark right after it: a longer number.
    if (!rest.empty() && (isDigit(rest.front()) || rest.front() == '.'
                          || (rest.front() == ',' && rest.size() >= 2 && isDigit(rest[1]))))
        return std::nullopt;
    t = rest;
    return value;
}

enum class Axis { None, Easting, Northing };

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isLetter(char c)
{
    const char l = lower(c);
    return l >= 'a' && l <= 'z';
}

bool startsWithWord(std::string_view t, std::string_view word)
{
    if (t.size() < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (lower(t[i]) != word[i])
            return false;
    return t.size() == word.size() || !isLetter(t[word.size()]);
}

// A label at the start of t with its ":" or "="; t becomes what follows.
Axis takeLabel(std::string_view& t)
{
    struct Label {
        std::string_view word;
        Axis axis;
    };
    constexpr std::array<Label, 8> labels{{
        {"rechtswert", Axis::Easting},
        {"rechts", Axis::Easting},
        {"rw", Axis::Easting},
        {"r", Axis::Easting},
        {"hochwert", Axis::Northing},
        {"hoch", Axis::Northing},
        {"hw", Axis::Northing},
        {"h", Axis::Northing},
    }};
    for (const Label& label : labels) {
        if (!startsWithWord(t, label.word))
            continue;
        t.remove_prefix(label.word.size());
        skipSpaces(t);
        if (!t.empty() && (t.front() == ':' || t.front() == '='))
            t.remove_prefix(1);
        skipSpaces(t);
        return label.axis;
    }
    return Axis::None;
}

// Between the parts: spaces, or one "," or ";" with spaces around it.  At
// least one character.
bool takePartSeparator(std::string_view& t)
{
    const std::size_t before = t.size();
    skipSpaces(t);
    if (!t.empty() && (t.front() == ',' || t.front() == ';')) {
        t.remove_prefix(1);
        skipSpaces(t);
    }
    return t.size() < before;
}

bool isGaussKrueger(const GaussKruegerPosition& p)
{
    return p.Zone >= 2 && p.Zone <= 7 && p.Northing >= gaussKruegerNorthingMin
           && p.Northing <= gaussKruegerNorthingMax;
}

std::string_view trimmedText(std::string_view t)
{
    skipSpaces(t);
    while (!t.empty() && isSpace(t.back()))
        t.remove_suffix(1);
    return t;
}

} // namespace

int gaussKruegerMeridian(int zone)
{
    return 3 * zone;
}

long long gaussKruegerReferenceEasting(int zone)
{
    return zone * 1000000LL + 500000;
}

std::optional<GaussKruegerPosition> readGaussKruegerText(std::string_view text)
{
    std::string_view t = trimmedText(text);
    // The map's digit groups only after labels: unlabelled, "64 32 378"
    // could be any three numbers.
    const Axis firstAxis = takeLabel(t);
    const std::optional<double> first = takeValue(t, firstAxis != Axis::None);
    if (!first || !takePartSeparator(t))
        return std::nullopt;
    const Axis secondAxis = takeLabel(t);
    const std::optional<double> second = takeValue(t, secondAxis != Axis::None);
    if (!second || !t.empty())
        return std::nullopt;

    GaussKruegerPosition p;
    if (firstAxis == Axis::None && secondAxis == Axis::None) {
        p.Easting = *first;
        p.Northing = *second;
    } else if (firstAxis == Axis::Easting && secondAxis == Axis::Northing) {
        p.Easting = *first;
        p.Northing = *second;
    } else if (firstAxis == Axis::Northing && secondAxis == Axis::Easting) {
        p.Easting = *second;
        p.Northing = *first;
    } else {
        return std::nullopt;
    }
    p.Zone = static_cast<int>(p.Easting / 1000000);
    if (!isGaussKrueger(p))
        return std::nullopt;
    return p;
}

} // namespace zelv
