#include "Angles.h"

#include <algorithm>
#include <cmath>

namespace zelv {

namespace {

// Five decimals of the magnitude; the hemisphere letter carries the sign.
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

namespace {

// The split works on the angle's decimal digits to the twelfth place: far
// finer than any field shows (a tenth of a second is 2.8e-5 degrees), and
// coarse enough that a value the binary type can't hold exactly splits as
// written.  13.4 is held as 13.39999999999999999965, whose plain split is
// 13 degrees 23 minutes 59.99999 seconds, shown as 13 23 59,9 and read back
// as 13.399972.
constexpr long long partsPerDegree = 1'000'000'000'000;
// Larger angles (no degree field holds them) keep the plain extended split.
constexpr Extended decimalSplitLimit = 1e6;

struct DecimalSplit {
    long long degrees;  // whole degrees of the magnitude
    long long minutes;  // whole minutes
    long long rest;     // what is left, in 1e-12 minutes
};

bool splitsDecimally(Extended value)
{
    return std::isfinite(value) && std::fabs(value) < decimalSplitLimit;
}

DecimalSplit decimalSplit(Extended value)
{
    const long long parts = std::llround(std::fabs(value) * partsPerDegree);
    const long long minuteParts = parts % partsPerDegree * 60;
    return {parts / partsPerDegree, minuteParts / partsPerDegree, minuteParts % partsPerDegree};
}

} // namespace

Extended degreesOf(Extended value)
{
    if (!splitsDecimally(value))
        return wholePart(value);
    // The sign stays on the degrees, a zero's included.
    return std::copysign(static_cast<Extended>(decimalSplit(value).degrees), value);
}

Extended minutesOf(Extended value)
{
    if (!splitsDecimally(value))
        return std::fabs(wholePart(fractionPart(value) * 60));
    return static_cast<Extended>(decimalSplit(value).minutes);
}

Extended secondsOf(Extended value)
{
    if (!splitsDecimally(value))
        return std::fabs(fractionPart(fractionPart(value) * 60) * 60);
    return static_cast<Extended>(decimalSplit(value).rest * 60) / partsPerDegree;
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
