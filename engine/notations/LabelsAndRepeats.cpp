#include "LabelsAndRepeats.h"

#include "NotationText.h"

#include <cmath>
#include <optional>

namespace zelv {

namespace {

// Longer labels before those they begin with.
constexpr std::string_view labels[] = {"Koordinaten", "Koordinate",         "Coordinates", "Position",
                                       "Geographische Lage", "Lage", "GPS"};

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The text after a label word: an optional place in round brackets, then an
// optional colon; nothing when the word goes on as a longer word.
std::optional<std::string_view> afterLabelWord(std::string_view rest)
{
    if (!rest.empty() && !isBlankOrNoBreakSpace(rest.front()) && rest.front() != ':' && rest.front() != '(')
        return std::nullopt;
    rest = trimBlanksAndNoBreakSpaces(rest);
    if (!rest.empty() && rest.front() == '(') {
        const std::size_t close = rest.find(')');
        // A place name, not a bracketed position: no digit in it.
        if (close == std::string_view::npos
            || rest.substr(0, close).find_first_of("0123456789") != std::string_view::npos)
            return std::nullopt;
        rest = trimBlanksAndNoBreakSpaces(rest.substr(close + 1));
        if (rest.empty() || rest.front() != ':')
            return std::nullopt;
    }
    if (!rest.empty() && rest.front() == ':')
        rest.remove_prefix(1);
    return trimBlanksAndNoBreakSpaces(rest);
}

bool isMinuteMark(char c) { return c == '\'' || c == '\x92' || c == '\xB4'; }
bool isSecondMark(char c) { return c == '"' || c == '\x94'; }
bool isDegreeMark(char c) { return c == '\xB0' || c == '\xBA'; }

constexpr std::size_t mostParts = 3;

} // namespace

std::string_view withoutLabel(std::string_view text)
{
    const std::string_view trimmed = trimBlanksAndNoBreakSpaces(text);
    for (const std::string_view label : labels)
        if (startsWithIgnoringCase(trimmed, label))
            if (const auto rest = afterLabelWord(trimmed.substr(label.size())))
                return *rest;
    return text;
}

std::vector<std::string_view> repeatedParts(std::string_view text)
{
    if (text.find("://") != std::string_view::npos)
        return {};
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t slash = text.find('/', start);
        if (parts.size() + 1 == mostParts && slash != std::string_view::npos)
            return {};
        parts.push_back(trimBlanksAndNoBreakSpaces(text.substr(start, slash - start)));
        if (slash == std::string_view::npos)
            break;
        start = slash + 1;
    }
    if (parts.size() < 2)
        return {};
    return parts;
}

double halfUnitOfWrittenPlace(std::string_view s)
{
    constexpr double halfASecond = 0.5 / 3600;
    double finest = 0;
    double previousUnit = 0; // the unit of a marked number just before, else 0
    std::size_t i = 0;
    while (i < s.size()) {
        if (!isDigit(s[i])) {
            if (!isBlankOrNoBreakSpace(s[i]))
                previousUnit = 0;
            ++i;
            continue;
        }
        // Digits glued to a letter (a grid locator, a zone) are no angle.
        const bool glued = i > 0 && isAsciiLetter(s[i - 1]);
        while (i < s.size() && isDigit(s[i]))
            ++i;
        int decimals = 0;
        if (i + 1 < s.size() && (s[i] == '.' || s[i] == ',') && isDigit(s[i + 1]))
            for (++i; i < s.size() && isDigit(s[i]); ++i)
                ++decimals;
        std::size_t m = i;
        while (m < s.size() && isBlankOrNoBreakSpace(s[m]))
            ++m;
        double unit = previousUnit != 0 ? previousUnit / 60 : 1;
        bool marked = true;
        if (m < s.size() && isDegreeMark(s[m]))
            unit = 1;
        else if (m + 1 < s.size() && isMinuteMark(s[m]) && isMinuteMark(s[m + 1]))
            unit = 1.0 / 3600, ++m;
        else if (m < s.size() && isMinuteMark(s[m]))
            unit = 1.0 / 60;
        else if (m < s.size() && isSecondMark(s[m]))
            unit = 1.0 / 3600;
        else
            marked = false;
        if (marked)
            i = m + 1;
        previousUnit = marked ? unit : 0;
        if (glued)
            continue;
        const double half = 0.5 * unit * std::pow(10.0, -decimals);
        if (finest == 0 || half < finest)
            finest = half;
    }
    return finest == 0 ? halfASecond : finest;
}

bool agreeWithin(GeographicPoint a, double halfUnitA, GeographicPoint b, double halfUnitB)
{
    // A hair above the sum, so that values written to the half unit are not
    // parted by the rounding of their decimal degrees.
    const double allowed = (halfUnitA + halfUnitB) * (1 + 1e-9);
    double longitudes = std::fabs(a.Longitude - b.Longitude);
    if (longitudes > 180)
        longitudes = 360 - longitudes;
    return std::fabs(a.Latitude - b.Latitude) <= allowed && longitudes <= allowed;
}

} // namespace zelv
