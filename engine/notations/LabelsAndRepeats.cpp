#include "LabelsAndRepeats.h"

#include "NotationText.h"

#include <cmath>

namespace zelv {

namespace {

constexpr std::string_view labels[] = {"Koordinaten:", "Koordinate:", "Coordinates:", "Position:", "Lage:"};

constexpr std::size_t mostParts = 3;

} // namespace

std::string_view withoutLabel(std::string_view text)
{
    const std::string_view trimmed = trimBlanksAndNoBreakSpaces(text);
    for (const std::string_view label : labels)
        if (startsWithIgnoringCase(trimmed, label))
            return trimBlanksAndNoBreakSpaces(trimmed.substr(label.size()));
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

bool agreeWithinHalfASecond(GeographicPoint a, GeographicPoint b)
{
    // A hair above half a second, so that values written to the half second
    // are not parted by the rounding of their decimal degrees.
    constexpr double halfASecond = 0.5 / 3600 * (1 + 1e-9);
    double longitudes = std::fabs(a.Longitude - b.Longitude);
    if (longitudes > 180)
        longitudes = 360 - longitudes;
    return std::fabs(a.Latitude - b.Latitude) <= halfASecond && longitudes <= halfASecond;
}

} // namespace zelv
