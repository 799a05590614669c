#include "MapLink.h"

#include <cmath>

namespace zelv {

const char* const mapHomeAddress = "https://www.openstreetmap.org/";

namespace {

std::string fiveDecimals(Extended value)
{
    std::string text = formatFixed(value, 5, pointSeparators);
    // "-0.00000" would put a needless sign into the address.
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

bool onTheGlobe(Extended latitude, Extended longitude)
{
    return std::isfinite(latitude) && std::isfinite(longitude) && std::fabs(latitude) <= 90
        && std::fabs(longitude) <= 180;
}

} // namespace

std::string mapAddressAt(Extended latitude, Extended longitude)
{
    if (!onTheGlobe(latitude, longitude))
        return mapHomeAddress;
    const std::string lat = fiveDecimals(latitude);
    const std::string lon = fiveDecimals(longitude);
    return std::string(mapHomeAddress) + "?mlat=" + lat + "&mlon=" + lon + "#map=15/" + lat + '/' + lon;
}

} // namespace zelv
