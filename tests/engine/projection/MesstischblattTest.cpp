// The Messtischblatt (TK25) sheet and quadrant: the rule on DHDN at its
// lines and bounds, and from WGS 84 through the datum rule.
#include "Messtischblatt.h"
#include "MesstischblattIndex.h"
#include "ShippedDataDirectory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace zelv {
namespace {

// A metre in degrees of latitude, and of longitude at 49° N.
constexpr double metreNorth = 1 / 111200.0;
constexpr double metreEast = 1 / 73000.0;

std::string sheetText(const std::optional<Tk25Sheet>& sheet)
{
    return sheet ? tk25Text(*sheet) : "none";
}

TEST(Messtischblatt, SheetAndQuadrantOnDhdn)
{
    const double quadrantLine = 10 + 5 / 60.0;
    const struct {
        const char* name;
        double longitude, latitude;
        const char* sheet;
    } cases[] = {
        {"south-west corner of 6926", 10, 49, "6926/3"},
        {"a metre south of it", 10 + metreEast, 49 - metreNorth, "7026/1"},
        {"a metre west of it", 10 - metreEast, 49 + metreNorth, "6925/4"},
        {"a metre north-east of it", 10 + metreEast, 49 + metreNorth, "6926/3"},
        {"on the latitude quadrant line", 10.05, 49.05, "6926/1"},
        {"a metre south of that line", 10.05, 49.05 - metreNorth, "6926/3"},
        {"on the longitude quadrant line", quadrantLine, 49.01, "6926/4"},
        {"a metre west of that line", quadrantLine - metreEast, 49.01, "6926/3"},
        {"a metre east of that line", quadrantLine + metreEast, 49.01, "6926/4"},
        {"north-east corner, inside", 10 + 1 / 6.0 - metreEast, 49.1 - metreNorth, "6926/2"},
        {"row with a leading zero, Memel", 21.14740339, 55.70495603, "0292/4"},
        {"first three-digit column, at 22°20'", 22 + 20 / 60.0, 54.05, "19100/1"},
        {"a metre west of 22°20'", 22 + 20 / 60.0 - metreEast, 54.04, "1999/4"},
        {"five digits", 22.7, 54.65, "13102/1"},
        {"5°50'", 5 + 50 / 60.0, 50.0, "5901/3"},
        {"western bound 5°40', column 00", 5 + 40 / 60.0, 50.0, "5900/3"},
        {"last column", 24 - metreEast, 50.0, "59109/4"},
        {"row 99", 10, 46.0, "9926/3"},
        {"row 1", 10, 55.9 - metreNorth, "0126/1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sheetText(tk25SheetAt({c.longitude, c.latitude})), c.sheet) << c.name;
}

TEST(Messtischblatt, NoSheetOutsideTheArea)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* name;
        double longitude, latitude;
    } cases[] = {
        {"south of row 99", 10, 46.0 - metreNorth},
        {"north of row 1 (row 0)", 10, 55.9},
        {"far north", 10, 60},
        {"west of 5°40'", 5 + 40 / 60.0 - metreEast, 50},
        {"at 24° E", 24, 50},
        {"southern hemisphere", 10, -49},
        {"west of Greenwich", -10, 49},
        {"not a number", nan, 49},
        {"beyond the pole", 10, 95},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tk25SheetAt({c.longitude, c.latitude}), std::nullopt) << c.name;
}

// The index of the series: the names, and the sheets that reach beyond
// their cell.  Names are Windows-1252.
TEST(Messtischblatt, NamesAndEnlargedSheetsOfTheIndex)
{
    const struct {
        const char* name;
        double longitude, latitude;
        const char* shown;
    } cases[] = {
        {"column 00", 5.7, 49.92, "6000/3 Harlange"},
        {"Munich: Bavarian, not in the index, the number all the same", 11.575, 48.137, "7835/3"},
        {"Norderney's enlarged sheet, in cell 2208 that has none", 7 + 9.5 / 60, 53.75, "2209/2 Norderney"},
        {"Aachen's enlarged sheet overlaps Orsbach: the regular cell wins", 5.99, 50.75, "5201/2 Orsbach"},
        {"two names, the most recent edition first", 8.55, 49.55, "6417/1 K\xE4" "fertal / Viernheim"},
        {"three editions of one name", 13.4, 52.52, "3446/3 Berlin"},
        {"in the index without a name", 21.2, 55.82, "0193/3"},
        {"five digits", 22.7, 54.65, "13102/1 Eydtkau"},
        {"a combined sheet under its first number", 21.4, 55.71, "0294/3 Laugallen"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tk25TextWithNames(*tk25SheetAt({c.longitude, c.latitude})), c.shown) << c.name;
    EXPECT_EQ(tk25SheetNames(78, 35), "");
    EXPECT_FALSE(tk25SheetIndexed(78, 35));
    EXPECT_TRUE(tk25SheetIndexed(1, 93));
}

TEST(Messtischblatt, CentreOfASheetOrQuadrantOnDhdn)
{
    const struct {
        Tk25SheetReference sheet;
        double longitude, latitude;
    } cases[] = {
        {{34, 46, 0}, 13 + 25 / 60.0, 52.55},
        {{34, 46, 1}, 13 + 22.5 / 60, 52.575},
        {{34, 46, 2}, 13 + 27.5 / 60, 52.575},
        {{34, 46, 3}, 13 + 22.5 / 60, 52.525},
        {{34, 46, 4}, 13 + 27.5 / 60, 52.525},
        {{60, 0, 0}, 5.75, 49.95},
    };
    for (const auto& c : cases) {
        const GeographicPoint centre = tk25CentreOnDhdn(c.sheet);
        EXPECT_NEAR(centre.Longitude, c.longitude, 1e-12) << tk25ReferenceText(c.sheet);
        EXPECT_NEAR(centre.Latitude, c.latitude, 1e-12) << tk25ReferenceText(c.sheet);
    }
    EXPECT_EQ(tk25ReferenceText({34, 46, 0}), "3446");
    EXPECT_EQ(tk25ReferenceText({13, 102, 1}), "13102/1");
}

class MesstischblattFromWgs84 : public ::testing::Test {
protected:
    test_support::ShippedDataDirectory data;
    DhdnConverter dhdn{data.path()};
};

TEST_F(MesstischblattFromWgs84, ThroughTheDatumRule)
{
    const struct {
        const char* name;
        double longitude, latitude;
        const char* sheet;
    } cases[] = {
        {"Berlin Mitte, BeTA2007", 13.4050, 52.5200, "3446/3"},
        {"Muenchen Marienplatz, BeTA2007", 11.5755, 48.1374, "7835/3"},
        {"Koenigsberg, East Prussia, EPSG 1777", 20.5110, 54.7104, "1289/3"},
        {"Paris, outside the area", 2.3522, 48.8566, "none"},
        {"Rome, outside the area", 12.4964, 41.9028, "none"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sheetText(tk25SheetOfWgs84(dhdn, c.longitude, c.latitude)), c.sheet) << c.name;

    // The datum matters: DHDN lies about 100 m north-east of WGS 84 here,
    // so a position 50 m south-west of 49° N 10° E is on 6926 on DHDN, while
    // taken as it stands it would fall on the neighbouring sheet.
    EXPECT_EQ(sheetText(tk25SheetOfWgs84(dhdn, 9.9995, 48.9995)), "6926/3");
    EXPECT_EQ(sheetText(tk25SheetAt({9.9995, 48.9995})), "7025/2");
}

} // namespace
} // namespace zelv
