#include "Angles.h"
#include "CoordinateTranslator.h"
#include "Exception.h"
#include "GridConversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zelv {
namespace {

constexpr Extended inf = std::numeric_limits<Extended>::infinity();
constexpr Extended nan = std::numeric_limits<Extended>::quiet_NaN();

TEST(UtmZone, Table)
{
    const struct {
        Extended longitude;
        int zone;
    } cases[] = {
        {10.769430L, 32},
        {18.4L, 34},
        {-180, 1},
        {-185, 1}, // Int cuts toward zero
        {-186, 0},
        {179.999999L, 60},
        {180, 61},
        {0, 31},
        {-0.0L, 31},
        {-3, 30},
        // far outside: held where the integer can't overflow, still no zone
        {1e30L, zoneLimit},
        {-1e30L, -zoneLimit},
        {inf, zoneLimit},
        {-inf, -zoneLimit},
        {nan, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utmZone(c.longitude), c.zone) << c.longitude;
}

TEST(UtmDefinition, ZoneAndMeridian)
{
    EXPECT_EQ(centralMeridian(32), 9);
    EXPECT_EQ(centralMeridian(1), -177);
    EXPECT_EQ(centralMeridian(60), 177);
    EXPECT_EQ(centralMeridian(-zoneLimit), -600'000'183LL);
    EXPECT_EQ(centralMeridian(std::numeric_limits<int>::min()), 6LL * std::numeric_limits<int>::min() - 183);
    EXPECT_EQ(utmDefinition(32), "+proj=utm +ellps=GRS80 +zone=32 +lon_0=9 +x_0=500000");
    EXPECT_EQ(utmDefinition(61), "+proj=utm +ellps=GRS80 +zone=61 +lon_0=183 +x_0=500000");
    EXPECT_EQ(utmDefinition(0), "+proj=utm +ellps=GRS80 +zone=0 +lon_0=-183 +x_0=500000");
}

TEST(TmercDefinition, BuiltFromTheEditTexts)
{
    const struct {
        const char* degrees;
        const char* minutes;
        const char* easting;
        const char* definition;
    } cases[] = {
        {"10", "30", "6525000", "+proj=tmerc +ellps=bessel +lon_0=10d30 +x_0=6525000"},
        {"10", "", "6525000", "+proj=tmerc +ellps=bessel +lon_0=10d +x_0=6525000"},
        // used to give "d30", which PROJ reads as meridian 0, not 0 degrees 30 minutes
        {"", "30", "6525000", "+proj=tmerc +ellps=bessel +lon_0=0d30 +x_0=6525000"},
        {"-0", "30", "500000", "+proj=tmerc +ellps=bessel +lon_0=-0d30 +x_0=500000"},
        {"", "", "500000", "+proj=tmerc +ellps=bessel +lon_0=0d +x_0=500000"},
        {"9", "20", "", "+proj=tmerc +ellps=bessel +lon_0=9d20 +x_0="},
        {"-10", "30", "500000", "+proj=tmerc +ellps=bessel +lon_0=-10d30 +x_0=500000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tmercDefinition(c.degrees, c.minutes, c.easting), c.definition);
}

TEST(RoundHalfEven, Table)
{
    const struct {
        Extended value;
        std::int64_t rounded;
    } cases[] = {
        {0.5L, 0},
        {1.5L, 2},
        {2.5L, 2},
        {-0.5L, 0},
        {-1.5L, -2},
        {-2.5L, -2},
        {2.4999999L, 2},
        {2.5000001L, 3},
        {625711.630L, 625712},
        {-3754111.955L, -3754112},
        {4503599627370497.5L, 4503599627370498}, // a half beyond double's reach
        {9223372036854775807.0L, std::numeric_limits<std::int64_t>::max()},
        {-9223372036854775808.0L, std::numeric_limits<std::int64_t>::min()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(roundHalfEven(c.value), c.rounded) << c.value;

    const Extended unroundable[] = {nan, inf, -inf, 9223372036854775807.5L, 9223372036854775808.0L,
                                    -9223372036854775809.0L, 1e30L};
    for (const Extended value : unroundable)
        EXPECT_THROW(roundHalfEven(value), Exception) << value;
}

TEST(MetresTextFromKilometres, Table)
{
    EXPECT_EQ(metresTextFromKilometres(6525), "6525000");
    EXPECT_EQ(metresTextFromKilometres(6.525L), "6525");
    EXPECT_EQ(metresTextFromKilometres(-1.5L), "-1500");
    EXPECT_EQ(metresTextFromKilometres(0), "0");
    EXPECT_EQ(metresTextFromKilometres(0.0025L), "2"); // 2.5 m: half to even
    EXPECT_THROW(metresTextFromKilometres(1e17L), Exception);
    EXPECT_THROW(metresTextFromKilometres(nan), Exception);
}

// The conversion buttons' arithmetic end to end, on the shipped data
// directory, with the results as the fields would show them.
class GridConversionThroughTranslator : public ::testing::Test {
protected:
    TCoordinateTranslator translator{ZELV_SOURCE_NAD};
};

TEST_F(GridConversionThroughTranslator, LatitudeLongitudeToUtm)
{
    const struct {
        Extended longitude, latitude;
        int zone;
        std::int64_t easting, northing;
    } cases[] = {
        {10.769430L, 50.414840L, 32, 625712, 5586252},
        {18.4L, -33.9L, 34, 259583, -3754112}, // no southern false northing
    };
    for (const auto& c : cases) {
        const int zone = utmZone(c.longitude);
        EXPECT_EQ(zone, c.zone) << c.longitude;
        translator.SetDefinition(utmDefinition(zone));
        const ProjectedPoint p = translator.Forward(static_cast<double>(c.longitude),
                                                    static_cast<double>(c.latitude));
        EXPECT_EQ(roundHalfEven(p.X), c.easting) << c.longitude;
        EXPECT_EQ(roundHalfEven(p.Y), c.northing) << c.longitude;
    }

    // the edge zones are accepted and project; longitudes beyond them are not
    const Extended edges[] = {-180, -185, 179.999999L};
    for (const Extended longitude : edges) {
        translator.SetDefinition(utmDefinition(utmZone(longitude)));
        const ProjectedPoint p = translator.Forward(static_cast<double>(longitude), 50);
        EXPECT_TRUE(std::isfinite(p.X) && std::isfinite(p.Y)) << longitude;
    }
    const Extended noZone[] = {180, -186, 1e30L, -inf, nan};
    for (const Extended longitude : noZone)
        EXPECT_THROW(translator.SetDefinition(utmDefinition(utmZone(longitude))), Exception) << longitude;
}

TEST_F(GridConversionThroughTranslator, BackToLatitudeLongitude)
{
    const struct {
        std::string definition;
        double x, y;
        const char* longitude; // six decimals, as the decimal fields show it
        const char* latitude;
        const char* location;
    } cases[] = {
        {utmDefinition(32), 625712, 5586252, "10.769435", "50.414837",
         "liegt bei 50.41484\xB0N 10.76944\xB0O;"},
        // km: 10 degrees 30 minutes, reference easting 6525, grid 6625 / 5600
        {tmercDefinition("10", "30", metresTextFromKilometres(6525)), 6625.0 * 1000, 5600.0 * 1000,
         "11.910500", "50.528407", "liegt bei 50.52841\xB0N 11.91050\xB0O;"},
        // m: 9 degrees 20 minutes, reference easting 0 (empty text)
        {tmercDefinition("9", "20", ""), 60000, 5500000, "10.164035", "49.634836",
         "liegt bei 49.63484\xB0N 10.16403\xB0O;"},
        // reference degrees 0: the minutes count, and "-0" keeps the sign
        {tmercDefinition("", "30", "500000"), 500000, 5500000, "0.500000", "49.637816",
         "liegt bei 49.63782\xB0N 0.50000\xB0O;"},
        {tmercDefinition("-0", "30", "500000"), 500000, 5500000, "-0.500000", "49.637816",
         "liegt bei 49.63782\xB0N 0.50000\xB0W;"},
    };
    for (const auto& c : cases) {
        translator.SetDefinition(c.definition);
        const GeographicPoint g = translator.Inverse(c.x, c.y);
        EXPECT_EQ(formatFixed(g.Longitude, 6, pointSeparators), c.longitude) << c.definition;
        EXPECT_EQ(formatFixed(g.Latitude, 6, pointSeparators), c.latitude) << c.definition;
        EXPECT_EQ(locationText(g.Latitude, g.Longitude, germanSeparators), c.location) << c.definition;
    }
}

} // namespace
} // namespace zelv
