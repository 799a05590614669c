#include "Angles.h"

#include <algorithm>
#include <cmath>

namespace zelv {

namespace {

// At least eight characters, five decimals, then trimmed: the width only
// ever adds leading blanks, so the trimmed text is the plain fixed form.
std::string fiveDecimals(Extended value, Separators separators)
{
    return formatFixed(std::fabs(value), 5, separators);
}

} // namespace

Extended wholePart(Extended x)
{
    return std::trunc(x);
}

Extended fractionPart(Extended x)
{
    return x - std::trunc(x);
}

Extended degreesOf(Extended value)
{
    return wholePart(value);
}

Extended minutesOf(Extended value)
{
    return std::fabs(wholePart(fractionPart(value) * 60));
}

Extended secondsOf(Extended value)
{
    return std::fabs(fractionPart(fractionPart(value) * 60) * 60);
}

DegreesMinutesSeconds toDegreesMinutesSeconds(Extended value)
{
    return {degreesOf(value), minutesOf(value), secondsOf(value)};
}

Extended fromDegreesMinutesSeconds(Extended degrees, Extended minutes, Extended seconds)
{
    if (std::signbit(degrees))
        return (degrees - minutes / 60) - seconds / 3600;
    return (degrees + minutes / 60) + seconds / 3600;
}

std::string locationText(Extended latitude, Extended longitude, Separators separators)
{
    std::string text = "liegt bei ";
    text += fiveDecimals(latitude, separators);
    text += '\xB0';
    text += latitude >= 0 ? 'N' : 'S';
    text += ' ';
    text += fiveDecimals(longitude, separators);
    text += '\xB0';
    text += longitude >= 0 ? 'O' : 'W';
    std::replace(text.begin(), text.end(), ',', '.');
    text += ';';
    return text;
}

} // namespace zelv
