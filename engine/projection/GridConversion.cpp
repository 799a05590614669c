#include "GridConversion.h"

#include "Exception.h"

#include <cmath>

namespace zelv {

namespace {

GridConversionError notRoundable()
{
    return GridConversionError(GridFailure::ValueNotRoundable, "Ung\xFC" "ltige Gleitkommaoperation");
}

} // namespace

int utmZone(Extended longitude)
{
    const Extended zone = std::trunc((longitude + 180) / 6) + 1;
    if (std::isnan(zone))
        return 0;
    if (zone > zoneLimit)
        return zoneLimit;
    if (zone < -zoneLimit)
        return -zoneLimit;
    return static_cast<int>(zone);
}

long long centralMeridian(int zone)
{
    return 6LL * zone - 183;
}

std::string utmDefinition(int zone)
{
    return "+proj=utm +ellps=GRS80 +zone=" + std::to_string(zone) +
           " +lon_0=" + std::to_string(centralMeridian(zone)) + " +x_0=500000";
}

std::string tmercDefinition(const std::string& degreesText, const std::string& minutesText,
                            const std::string& eastingText)
{
    // "d30" would be read as 0 degrees, the minutes lost.
    const std::string& degrees = degreesText.empty() ? std::string("0") : degreesText;
    return "+proj=tmerc +ellps=bessel +lon_0=" + degrees + "d" + minutesText +
           " +x_0=" + eastingText;
}

std::int64_t roundHalfEven(Extended value)
{
    // 2^63 is exact in extended precision; the range test on the rounded
    // value comes before the conversion, which would be undefined outside it.
    constexpr Extended limit = 9223372036854775808.0L;
    if (!std::isfinite(value))
        throw notRoundable();
    // x - floor(x) is exact, so the half is recognised without error and
    // the result does not depend on the current rounding mode.
    const Extended below = std::floor(value);
    const Extended rest = value - below;
    Extended rounded = below;
    if (rest > 0.5L || (rest == 0.5L && std::fmod(below, 2.0L) != 0))
        rounded = below + 1;
    if (rounded >= limit || rounded < -limit)
        throw notRoundable();
    return static_cast<std::int64_t>(rounded);
}

std::string metresTextFromKilometres(Extended kilometres)
{
    return std::to_string(roundHalfEven(kilometres * 1000));
}

} // namespace zelv
