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
        // "d30" would be meridian 0 to PROJ, not 0 degrees 30 minutes
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
    for (const Extended value : unroundable) {
        try {
            roundHalfEven(value);
            ADD_FAILURE() << "rounded " << value;
        } catch (const GridConversionError& e) {
            EXPECT_EQ(e.kind(), GridFailure::ValueNotRoundable) << value;
        }
    }
}

TEST(MetresTextFromKilometres, Table)
{
    EXPECT_EQ(metresTextFromKilometres(6525), "6525000");
    EXPECT_EQ(metresTextFromKilometres(6.525L), "6525");
    EXPECT_EQ(metresTextFromKilometres(-1.5L), "-1500");
    EXPECT_EQ(metresTextFromKilometres(0), "0");
    EXPECT_EQ(metresTextFromKilometres(0.0025L), "2"); // 2.5 m: half to even
    EXPECT_THROW(metresTextFromKilometres(1e17L), GridConversionError);
    EXPECT_THROW(metresTextFromKilometres(nan), GridConversionError);
}

} // namespace
} // namespace zelv
