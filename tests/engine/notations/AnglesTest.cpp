#include "Angles.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zelv {
namespace {

struct DmsCase {
    Extended value;
    Extended degrees, minutes, seconds;
};

TEST(DegreesMinutesSeconds, FromDecimal)
{
    const DmsCase cases[] = {
        {10.769430L, 10, 46, 9.948L},
        {-10.769430L, -10, 46, 9.948L},
        {50.414840L, 50, 24, 53.424L},
        {10.9999999L, 10, 59, 59.99964L}, // the seconds field clamps this, not the engine
        {-180, -180, 0, 0},
        {0, 0, 0, 0},
        {-0.5L, -0.0L, 30, 0},
        {-0.0001L, -0.0L, 0, 0.36L},
        {0.5L, 0, 30, 0},
        // split on the decimal digits: their binary representation lies a
        // hair below, which a plain split turns into 59.99999... seconds
        {13.4L, 13, 24, 0},
        {-13.4L, -13, 24, 0},
        {52.516667L, 52, 31, 0.0012L},
        {13.333333L, 13, 19, 59.9988L},
        {179.999999L, 179, 59, 59.9964L},
        // far beyond any degree field: the plain extended split
        {2e6L, 2e6L, 0, 0},
    };
    for (const auto& c : cases) {
        const DegreesMinutesSeconds dms = toDegreesMinutesSeconds(c.value);
        EXPECT_EQ(dms.degrees, c.degrees) << c.value;
        // the sign of a zero degree is what carries the sign of the angle
        EXPECT_EQ(std::signbit(dms.degrees), std::signbit(c.degrees)) << c.value;
        EXPECT_EQ(dms.minutes, c.minutes) << c.value;
        EXPECT_NEAR(static_cast<double>(dms.seconds), static_cast<double>(c.seconds), 1e-9) << c.value;
        EXPECT_FALSE(std::signbit(dms.minutes)) << c.value;
        EXPECT_FALSE(std::signbit(dms.seconds)) << c.value;
        EXPECT_EQ(degreesOf(c.value), dms.degrees);
        EXPECT_EQ(minutesOf(c.value), dms.minutes);
        EXPECT_EQ(secondsOf(c.value), dms.seconds);
    }
}

TEST(DegreesMinutesSeconds, IntAndFracKeepTheSign)
{
    EXPECT_EQ(wholePart(-10.75L), -10);
    EXPECT_EQ(fractionPart(-10.75L), -0.75L);
    EXPECT_EQ(wholePart(10.75L), 10);
    EXPECT_EQ(fractionPart(10.75L), 0.75L);
    EXPECT_TRUE(std::signbit(wholePart(-0.25L)));
}

struct DecimalCase {
    Extended degrees, minutes, seconds;
    Extended exact;      // the engine's result, checked to 1e-15
    const char* shown;   // what a field with six decimals makes of it
};

TEST(DegreesMinutesSeconds, ToDecimal)
{
    const DecimalCase cases[] = {
        {10, 46, 9.9L, 10.769416666666666667L, "10.769417"},
        {-10, 46, 9.9L, -10.769416666666666667L, "-10.769417"},
        {50, 24, 53.4L, 50.414833333333333333L, "50.414833"},
        {0, 30, 0, 0.5L, "0.500000"},
        // -0 degrees carry the sign: deciding by d < 0 would give +0.5
        {-0.0L, 30, 0, -0.5L, "-0.500000"},
        {-0.0L, 0, 0.36L, -0.0001L, "-0.000100"},
        {-180, 0, 0, -180, "-180.000000"},
    };
    for (const auto& c : cases) {
        const Extended v = fromDegreesMinutesSeconds(c.degrees, c.minutes, c.seconds);
        EXPECT_NEAR(static_cast<double>(v - c.exact), 0.0, 1e-15) << c.shown;
        EXPECT_EQ(formatFixed(v, 6, pointSeparators), c.shown);
    }
}

TEST(DegreesMinutesSeconds, RoundTripKeepsTheSignBetweenMinusOneAndZero)
{
    const Extended values[] = {-0.5L, -0.999L, -0.0001L, 0.5L, -10.5L};
    for (const Extended v : values) {
        const auto dms = toDegreesMinutesSeconds(v);
        const Extended back = fromDegreesMinutesSeconds(dms.degrees, dms.minutes, dms.seconds);
        EXPECT_NEAR(static_cast<double>(back), static_cast<double>(v), 1e-15) << v;
        EXPECT_EQ(std::signbit(back), std::signbit(v)) << v;
    }
}

struct LocationCase {
    Extended latitude, longitude;
    Separators separators;
    const char* text;
};

TEST(LocationText, Table)
{
    const LocationCase cases[] = {
        {50.414840L, 10.769430L, germanSeparators, "liegt bei 50.41484\xB0N 10.76943\xB0O;"},
        {50.414840L, 10.769430L, pointSeparators, "liegt bei 50.41484\xB0N 10.76943\xB0O;"},
        {-33.5L, -70.25L, germanSeparators, "liegt bei 33.50000\xB0S 70.25000\xB0W;"},
        {0, 0, germanSeparators, "liegt bei 0.00000\xB0N 0.00000\xB0O;"},
        // a negative zero counts as zero: north and east, no minus sign
        {-0.0L, -0.0L, germanSeparators, "liegt bei 0.00000\xB0N 0.00000\xB0O;"},
        // the letter follows the value, not its rounded text
        {-0.000001L, 0.000001L, germanSeparators, "liegt bei 0.00000\xB0S 0.00000\xB0O;"},
        {-90, 180, germanSeparators, "liegt bei 90.00000\xB0S 180.00000\xB0O;"},
        {50.528406756L, 11.910499667L, germanSeparators, "liegt bei 50.52841\xB0N 11.91050\xB0O;"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(locationText(c.latitude, c.longitude, c.separators), c.text);
}

} // namespace
} // namespace zelv
