#include "MapLink.h"

#include <gtest/gtest.h>

#include <limits>

namespace zelv {
namespace {

TEST(MapLink, CentredOnThePositionWithAMarker)
{
    const struct {
        Extended latitude, longitude;
        const char* address;
    } cases[] = {
        {50.41484L, 10.76943L,
         "https://www.openstreetmap.org/?mlat=50.41484&mlon=10.76943#map=15/50.41484/10.76943"},
        // five decimals, rounded as the location text rounds them
        {50.414844999L, 10.769425001L,
         "https://www.openstreetmap.org/?mlat=50.41484&mlon=10.76943#map=15/50.41484/10.76943"},
        {-33.8688L, -151.2093L,
         "https://www.openstreetmap.org/?mlat=-33.86880&mlon=-151.20930#map=15/-33.86880/-151.20930"},
        {0, 0, "https://www.openstreetmap.org/?mlat=0.00000&mlon=0.00000#map=15/0.00000/0.00000"},
        // no sign on a value that rounds to zero, the signed zero included
        {-0.000001L, -0.0L, "https://www.openstreetmap.org/?mlat=0.00000&mlon=0.00000#map=15/0.00000/0.00000"},
        // the edges of the globe are on it
        {90, -180, "https://www.openstreetmap.org/?mlat=90.00000&mlon=-180.00000#map=15/90.00000/-180.00000"},
        {-90, 180, "https://www.openstreetmap.org/?mlat=-90.00000&mlon=180.00000#map=15/-90.00000/180.00000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mapAddressAt(c.latitude, c.longitude), c.address) << c.latitude << ' ' << c.longitude;
}

TEST(MapLink, PositionsOffTheGlobeGiveTheHomePage)
{
    constexpr Extended inf = std::numeric_limits<Extended>::infinity();
    constexpr Extended nan = std::numeric_limits<Extended>::quiet_NaN();
    const struct {
        Extended latitude, longitude;
    } cases[] = {{90.000001L, 0}, {-91, 10}, {0, 180.5L}, {0, -540}, {nan, 10}, {50, inf}};
    for (const auto& c : cases)
        EXPECT_EQ(mapAddressAt(c.latitude, c.longitude), "https://www.openstreetmap.org/")
            << c.latitude << ' ' << c.longitude;
    EXPECT_STREQ(mapHomeAddress, "https://www.openstreetmap.org/");
}

} // namespace
} // namespace zelv
