// The one decoder of an angle: its parts, marks and separators, the rules
// of its parts, the precision it is written to, and the GPS forms.
#include "AngleGrammar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace zelv {
namespace {

constexpr double m = 1.0 / 60;
constexpr double s = 1.0 / 3600;

struct Row {
    std::string text;
    double degrees;  // the magnitude read
    int parts;
    double place;    // the last written place, in degrees
    std::string_view rest = ""; // the text after the angle
};

std::optional<Angle> angleOf(const std::string& text)
{
    TokenWindow w(text);
    return readAngle(w, 0);
}

TEST(AngleGrammar, PartsMarksAndSeparators)
{
    const Row rows[] = {
        {"54.7104 N", 54.7104, 1, 1e-4, " N"},
        {"54°42′36″N", 54 + 42 * m + 36 * s, 3, s, "N"},
        {"54° 42.6′ N", 54 + 42.6 * m, 2, 0.1 * m, " N"},
        {"54d 42m 36s N", 54 + 42 * m + 36 * s, 3, s, " N"},
        {"54 Grad 42 Minuten", 54 + 42 * m, 2, m, ""},
        {"54:42:36", 54 + 42 * m + 36 * s, 3, s, ""},
        {"54-42.6N", 54 + 42.6 * m, 2, 0.1 * m, "N"},
        {"54.42.36,5", 54 + 42 * m + 36.5 * s, 3, 0.1 * s, ""},
        {"54 42 36.5 N", 54 + 42 * m + 36.5 * s, 3, 0.1 * s, " N"},
        {"54°58N", 54 + 58 * m, 2, m, "N"},                  // the minute mark lost
        {"54 ° 02″17″N", 54 + 2 * m + 17 * s, 3, s, "N"},    // ″ for the minutes too
        {"51:06 Grad N", 51 + 6 * m, 2, m, " N"},            // the unit of the whole after colons
        {"54° 21°", 54, 1, 1, " 21°"},                        // a degree mark begins the next angle
        {"1412 5833", 1412, 1, 1, " 5833"},                    // no minutes of 60 or more without marks
        {"54 12, 21", 54 + 12 * m, 2, m, ", 21"},
        {"54.5 21.3", 54.5, 1, 0.1, " 21.3"},                  // decimals end it
    };
    for (const Row& row : rows) {
        const std::optional<Angle> a = angleOf(row.text);
        ASSERT_TRUE(a) << row.text;
        EXPECT_NEAR(static_cast<double>(a->magnitude), row.degrees, 1e-12) << row.text;
        EXPECT_EQ(a->parts, row.parts) << row.text;
        EXPECT_NEAR(static_cast<double>(a->place), row.place, row.place * 1e-9) << row.text;
        EXPECT_EQ(std::string_view(row.text).substr(a->end), row.rest) << row.text;
        EXPECT_FALSE(a->partOf60 || a->decimalsBeforeLast) << row.text;
    }
}

TEST(AngleGrammar, PartsThatBreakTheRulesMakeNoAngle)
{
    struct Broken {
        std::string text;
        bool partOf60;
        bool decimalsBeforeLast;
    };
    const Broken rows[] = {
        {"50° 60.0 N", true, false},   {"18°60'E", true, false},       {"54°12′75″N", true, false},
        {"50.5° 24.8 N", false, true}, {"50°24.5'53\"N", false, true},
    };
    for (const Broken& row : rows) {
        const std::optional<Angle> a = angleOf(row.text);
        ASSERT_TRUE(a) << row.text;
        EXPECT_EQ(a->partOf60, row.partOf60) << row.text;
        EXPECT_EQ(a->decimalsBeforeLast, row.decimalsBeforeLast) << row.text;
    }
    EXPECT_FALSE(angleOf("42′ 54°")) << "minutes where the degrees stand";
    EXPECT_FALSE(angleOf("N 54")) << "an angle starts with its number or sign";
}

TEST(AngleGrammar, SignsBelongToTheWholeAngle)
{
    const std::optional<Angle> a = angleOf("-0° 30′");
    ASSERT_TRUE(a);
    EXPECT_TRUE(a->minus);
    EXPECT_DOUBLE_EQ(static_cast<double>(a->value()), -0.5);
    EXPECT_FALSE(angleOf("- 33.9")) << "a sign stands glued to its digits";
}

TEST(AngleGrammar, GpsFormsOnceTheAxisIsKnown)
{
    struct Gps {
        std::string text;
        Axis axis;
        std::optional<double> degrees; // nothing: no angle of that axis
        double place = 0;
        bool partOf60 = false;
    };
    const Gps rows[] = {
        {"5106.608N", Axis::Latitude, 51 + 6.608 * m, 0.001 * m},
        {"01701.953E", Axis::Longitude, 17 + 1.953 * m, 0.001 * m},
        {"1701.953E", Axis::Longitude, 17 + 1.953 * m, 0.001 * m},
        {"510636.5N", Axis::Latitude, 51 + 6 * m + 36.5 * s, 0.1 * s},
        {"0170157.2E", Axis::Longitude, 17 + 1 * m + 57.2 * s, 0.1 * s},
        {"00007.1W", Axis::Longitude, 7.1 * m, 0.1 * m},  // leading zeros: still the receiver's digits
        {"0050.5N", Axis::Latitude, 50.5 * m, 0.1 * m},
        {"54.5N", Axis::Latitude, 54.5, 0.1},            // up to three digits: degrees as written
        {"170.5E", Axis::Longitude, 170.5, 0.1},
        {"512.5N", Axis::Latitude, 512.5, 0.1},          // beyond 90°, refused where the pair is read
        {"5175.0N", Axis::Latitude, 5175.0, 0.1, true},  // minutes of 75
        {"0176075E", Axis::Longitude, 176075, 1, true},  // seconds of 75
        {"51060.0N", Axis::Latitude, std::nullopt},      // three digits of degrees: no latitude
        {"510606060N", Axis::Latitude, std::nullopt},    // more digits than any receiver writes
    };
    for (const Gps& row : rows) {
        const std::optional<Angle> a = angleOf(row.text);
        ASSERT_TRUE(a) << row.text;
        const std::optional<Angle> onAxis = angleOnAxis(*a, row.axis, row.text);
        ASSERT_EQ(onAxis.has_value(), row.degrees.has_value()) << row.text;
        if (!onAxis)
            continue;
        EXPECT_EQ(onAxis->partOf60, row.partOf60) << row.text;
        EXPECT_NEAR(static_cast<double>(onAxis->magnitude), *row.degrees, 1e-9) << row.text;
        EXPECT_NEAR(static_cast<double>(onAxis->place), row.place, row.place * 1e-9) << row.text;
    }
}

} // namespace
} // namespace zelv
