#include "WikiTemplates.h"

#include "AngleGrammar.h"
#include "NotationText.h"

#include <charconv>
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
// `places` becomes the number of its decimal places.
std::optional<double> numberOf(std::string_view part, bool signAllowed, bool decimalsAllowed, int* places = nullptr)
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
        if (places)
            *places = static_cast<int>(i - point);
    }
    if (i != part.size())
        return std::nullopt;
    // from_chars reads the point whatever the locale; it takes no "+".
    if (part.front() == '+')
        part.remove_prefix(1);
    double value = 0;
    std::from_chars(part.data(), part.data() + part.size(), value);
    return value;
}

// An angle of a template and the last place it is written to, in degrees.
struct TemplateAngle {
    double value = 0;
    Extended place = 1;
};

// Degrees, minutes and seconds as one to three parts; nothing for more
// parts, minutes or seconds of 60 and more, or decimals before the last.
std::optional<TemplateAngle> angleOf(const std::vector<std::string_view>& parts, bool signAllowed)
{
    if (parts.empty() || parts.size() > 3)
        return std::nullopt;
    TemplateAngle angle;
    double unit = 1;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const bool last = i + 1 == parts.size();
        int places = 0;
        const std::optional<double> value = numberOf(parts[i], signAllowed && parts.size() == 1, last, &places);
        if (!value || (i > 0 && *value >= 60))
            return std::nullopt;
        angle.value += *value * unit;
        angle.place = unitOfPlaces(places) * unit;
        unit /= 60;
    }
    return angle;
}

std::optional<Candidate> inRange(const TemplateAngle& latitude, const TemplateAngle& longitude)
{
    if (!(std::fabs(latitude.value) <= 90) || !(std::fabs(longitude.value) <= 180))
        return std::nullopt;
    Candidate c;
    c.point = GeographicPoint{longitude.value, latitude.value};
    c.latitudePlace = latitude.place;
    c.longitudePlace = longitude.place;
    c.source = Candidate::Source::Template;
    return c;
}

TemplateAngle negated(TemplateAngle a, bool negative)
{
    if (negative)
        a.value = -a.value;
    return a;
}

// The parameters of {{coord}} without a name ("display=…" has one).
std::optional<Candidate> coord(const std::vector<std::string_view>& parameters)
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
            return inRange(negated(*latitude, positional[n] == "S"), negated(*longitude, positional[e] == "W"));
        }
        return std::nullopt;
    }
    if (positional.size() < 2)
        return std::nullopt;
    // Two decimals, then the template's other parameters ("region:PL");
    // a third number or compass letter means a part was lost
    // ("{{coord|54|5||21|23|E}}"), not 54° 5° E.
    if (positional.size() > 2) {
        const std::string_view third = positional[2];
        const auto isCompass = [](char c) { return c == 'N' || c == 'S' || c == 'E' || c == 'W'; };
        if (third.empty() || isDigit(third[0]) || third[0] == '-' || third[0] == '+' || third[0] == '.'
            || (isCompass(third[0]) && (third.size() == 1 || isDigit(third[1]))))
            return std::nullopt;
    }
    const auto latitude = angleOf({positional[0]}, true);
    const auto longitude = angleOf({positional[1]}, true);
    if (!latitude || !longitude)
        return std::nullopt;
    return inRange(*latitude, *longitude);
}

// One half of {{Coordinate}}: "54/17/34/N" or "54.29278".
std::optional<TemplateAngle> coordinateHalf(std::string_view value, std::string_view positive,
                                            std::string_view negative)
{
    std::vector<std::string_view> parts = split(value, '/');
    bool minus = false;
    if (parts.size() > 1 && (parts.back() == positive || parts.back() == negative)) {
        minus = parts.back() == negative;
        parts.pop_back();
    }
    const std::optional<TemplateAngle> angle = angleOf(parts, true);
    if (!angle)
        return std::nullopt;
    return negated(*angle, minus);
}

std::optional<Candidate> coordinate(const std::vector<std::string_view>& parameters)
{
    std::optional<TemplateAngle> latitude, longitude;
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

std::optional<TemplateReading> readWikiTemplateAt(std::string_view text, std::size_t at)
{
    TemplateReading read;
    std::vector<std::string_view> parameters;
    bool isCoord = false;
    if (text.substr(at, 2) == "{{") {
        const std::size_t close = text.find("}}", at + 2);
        if (close == std::string_view::npos)
            return std::nullopt;
        parameters = split(text.substr(at + 2, close - at - 2), '|');
        const std::string_view name = parameters.front();
        isCoord = equalsIgnoringCase(name, "coord");
        if (!isCoord && !equalsIgnoringCase(name, "Coordinate"))
            return std::nullopt;
        read.end = close + 2;
    } else {
        // The parameters of {{Coordinate}} copied without the braces, up to
        // the next blank or brace: "NS=51/06/36/N|EW=17/01/57/E|type=city".
        std::size_t end = at;
        while (end < text.size() && !isBlankOrNoBreakSpace(text[end]) && text[end] != '}')
            ++end;
        parameters = split(text.substr(at, end - at), '|');
        read.end = end;
    }
    read.candidate = isCoord ? coord(parameters) : coordinate(parameters);
    if (read.candidate) {
        read.candidate->begin = at;
        read.candidate->end = read.end;
    } else {
        read.refusal = Refusal{};
        read.refusal->kind = RefusalKind::TemplateUnreadable;
        read.refusal->first = std::string(text.substr(at, read.end - at));
    }
    return read;
}

} // namespace zelv
