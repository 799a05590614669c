#include "WikiTemplates.h"

#include "NotationMessages.h"
#include "NotationText.h"

#include <cmath>
#include <string>
#include <vector>

namespace zelv {

namespace {

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        parts.push_back(trimBlanksAndNoBreakSpaces(text.substr(start, at - start)));
        if (at == std::string_view::npos)
            return parts;
        start = at + 1;
    }
}

// A number of wikitext: an optional sign, digits, a point with digits.
std::optional<double> numberOf(std::string_view part, bool signAllowed, bool decimalsAllowed)
{
    std::size_t i = 0;
    if (signAllowed && !part.empty() && (part[0] == '-' || part[0] == '+'))
        ++i;
    const std::size_t digits = i;
    while (i < part.size() && isDigit(part[i]))
        ++i;
    if (i == digits)
        return std::nullopt;
    if (i < part.size() && part[i] == '.' && decimalsAllowed) {
        const std::size_t point = ++i;
        while (i < part.size() && isDigit(part[i]))
            ++i;
        if (i == point)
            return std::nullopt;
    }
    if (i != part.size())
        return std::nullopt;
    return std::strtod(std::string(part).c_str(), nullptr);
}

// Degrees, minutes and seconds as one to three parts; nothing for more
// parts, minutes or seconds of 60 and more, or decimals before the last.
std::optional<double> angleOf(const std::vector<std::string_view>& parts, bool signAllowed)
{
    if (parts.empty() || parts.size() > 3)
        return std::nullopt;
    double angle = 0;
    double unit = 1;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const bool last = i + 1 == parts.size();
        const std::optional<double> value = numberOf(parts[i], signAllowed && parts.size() == 1, last);
        if (!value || (i > 0 && *value >= 60))
            return std::nullopt;
        angle += *value * unit;
        unit /= 60;
    }
    return angle;
}

std::optional<GeographicPoint> inRange(double latitude, double longitude)
{
    if (!(std::fabs(latitude) <= 90) || !(std::fabs(longitude) <= 180))
        return std::nullopt;
    return GeographicPoint{longitude, latitude};
}

// The parameters of {{coord}} without a name ("display=…" has one).
std::optional<GeographicPoint> coord(const std::vector<std::string_view>& parameters)
{
    std::vector<std::string_view> positional;
    for (std::size_t i = 1; i < parameters.size(); ++i)
        if (parameters[i].find('=') == std::string_view::npos)
            positional.push_back(parameters[i]);
    for (std::size_t n = 1; n <= 3 && n < positional.size(); ++n) {
        if (positional[n] != "N" && positional[n] != "S")
            continue;
        for (std::size_t e = n + 2; e <= n + 4 && e < positional.size(); ++e) {
            if (positional[e] != "E" && positional[e] != "W")
                continue;
            const auto latitude = angleOf({positional.begin(), positional.begin() + static_cast<long>(n)}, false);
            const auto longitude =
                angleOf({positional.begin() + static_cast<long>(n) + 1, positional.begin() + static_cast<long>(e)},
                        false);
            if (!latitude || !longitude)
                return std::nullopt;
            return inRange(positional[n] == "S" ? -*latitude : *latitude,
                           positional[e] == "W" ? -*longitude : *longitude);
        }
        return std::nullopt;
    }
    if (positional.size() < 2)
        return std::nullopt;
    const auto latitude = numberOf(positional[0], true, true);
    const auto longitude = numberOf(positional[1], true, true);
    if (!latitude || !longitude)
        return std::nullopt;
    return inRange(*latitude, *longitude);
}

// One half of {{Coordinate}}: "54/17/34/N" or "54.29278".
std::optional<double> coordinateHalf(std::string_view value, std::string_view positive, std::string_view negative)
{
    std::vector<std::string_view> parts = split(value, '/');
    bool minus = false;
    if (parts.size() > 1 && (parts.back() == positive || parts.back() == negative)) {
        minus = parts.back() == negative;
        parts.pop_back();
    }
    const std::optional<double> angle = angleOf(parts, true);
    if (!angle)
        return std::nullopt;
    return minus ? -*angle : *angle;
}

std::optional<GeographicPoint> coordinate(const std::vector<std::string_view>& parameters)
{
    std::optional<double> latitude, longitude;
    for (const std::string_view p : parameters) {
        if (startsWithIgnoringCase(p, "NS="))
            latitude = coordinateHalf(trimBlanksAndNoBreakSpaces(p.substr(3)), "N", "S");
        else if (startsWithIgnoringCase(p, "EW="))
            longitude = coordinateHalf(trimBlanksAndNoBreakSpaces(p.substr(3)), "E", "W");
    }
    if (!latitude || !longitude)
        return std::nullopt;
    return inRange(*latitude, *longitude);
}

} // namespace

std::optional<GeographicPoint> readWikiTemplate(std::string_view text)
{
    for (std::size_t open = text.find("{{"); open != std::string_view::npos; open = text.find("{{", open + 2)) {
        const std::size_t close = text.find("}}", open + 2);
        if (close == std::string_view::npos)
            return std::nullopt;
        const std::string_view inner = text.substr(open + 2, close - open - 2);
        const std::vector<std::string_view> parameters = split(inner, '|');
        const std::string_view name = parameters.front();
        const bool isCoord = equalsIgnoringCase(name, "coord");
        const bool isCoordinate = equalsIgnoringCase(name, "Coordinate");
        if (!isCoord && !isCoordinate)
            continue;
        const std::string_view whole = text.substr(open, close + 2 - open);
        if (const auto point = isCoord ? coord(parameters) : coordinate(parameters))
            return point;
        throwUnusable("In " + quoted(whole) + " steht eine Vorlage f\xFCr Koordinaten, aber ihre Breite und L\xE4nge "
                      "lassen sich nicht lesen.");
    }
    return std::nullopt;
}

} // namespace zelv
