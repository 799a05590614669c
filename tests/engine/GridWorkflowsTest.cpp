// The grid conversions end to end on the shipped data directory: what each
// one returns, and which failure kind ends it.
#include "Angles.h"
#include "Exception.h"
#include "GridConversion.h"
#include "GridWorkflows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <string>

namespace zelv {
namespace {

constexpr Extended inf = std::numeric_limits<Extended>::infinity();
constexpr Extended nan = std::numeric_limits<Extended>::quiet_NaN();

// The kind of grid failure that `conversion` ends in, nullopt when it succeeds.
std::optional<GridFailure> failureOf(const std::function<void()>& conversion)
{
    try {
        conversion();
    } catch (const GridConversionError& e) {
        return e.kind();
    }
    return std::nullopt;
}

class GridWorkflows : public ::testing::Test {
protected:
    TCoordinateTranslator service{ZELV_SOURCE_NAD};
};

TEST_F(GridWorkflows, UtmForward)
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
        const UtmPoint utm = utmForward(service, c.longitude, c.latitude);
        EXPECT_EQ(utm.zone, c.zone) << c.longitude;
        EXPECT_EQ(utm.easting, c.easting) << c.longitude;
        EXPECT_EQ(utm.northing, c.northing) << c.longitude;
    }
}

TEST_F(GridWorkflows, UtmForwardAtTheZoneEdgesGoesBackWithinAMetre)
{
    const struct {
        Extended longitude, latitude;
        int zone;
    } edges[] = {
        {-180, 50, 1},
        {-185, 50, 1}, // the zone cuts toward zero
        {179.999999L, 50, 60},
        {179.999999L, -50, 60},
    };
    for (const auto& c : edges) {
        const UtmPoint utm = utmForward(service, c.longitude, c.latitude);
        EXPECT_EQ(utm.zone, c.zone) << c.longitude;
        // whole metres: back within a metre, about 1.4e-5 degrees of longitude at 50 degrees
        const GeographicPoint back = utmInverse(service, utm.zone, utm.easting, utm.northing);
        const Extended longitude = c.longitude < -180 ? c.longitude + 360 : c.longitude;
        EXPECT_NEAR(back.Longitude, static_cast<double>(longitude), 1.5e-5) << c.longitude;
        EXPECT_NEAR(back.Latitude, static_cast<double>(c.latitude), 1e-5) << c.longitude;
    }
}

TEST_F(GridWorkflows, UtmForwardFailures)
{
    const struct {
        Extended longitude, latitude;
        GridFailure kind;
    } cases[] = {
        {180, 50, GridFailure::DefinitionRejected}, // zone 61
        {-186, 50, GridFailure::DefinitionRejected}, // zone 0
        {1e30L, 50, GridFailure::DefinitionRejected},
        {-inf, 50, GridFailure::DefinitionRejected},
        {nan, 50, GridFailure::DefinitionRejected},
        {100, 91, GridFailure::PointNotProjectable}, // zone 47 is good, the point is not
    };
    for (const auto& c : cases)
        EXPECT_EQ(failureOf([&] { utmForward(service, c.longitude, c.latitude); }), c.kind) << c.longitude;
}

// Six decimals, as the decimal fields show them, and the location text.
struct Geographic {
    const char* longitude;
    const char* latitude;
    const char* location;
};

void expectShown(const GeographicPoint& g, const Geographic& expected, const std::string& trace)
{
    EXPECT_EQ(formatFixed(g.Longitude, 6, pointSeparators), expected.longitude) << trace;
    EXPECT_EQ(formatFixed(g.Latitude, 6, pointSeparators), expected.latitude) << trace;
    EXPECT_EQ(locationText(g.Latitude, g.Longitude, germanSeparators), expected.location) << trace;
}

TEST_F(GridWorkflows, UtmInverse)
{
    expectShown(utmInverse(service, 32, 625712, 5586252),
                {"10.769435", "50.414837", "liegt bei 50.41484\xB0N 10.76944\xB0O;"}, "zone 32");

    const struct {
        int zone;
        Extended easting, northing;
        GridFailure kind;
    } failures[] = {
        {61, 500000, 5000000, GridFailure::DefinitionRejected},
        {0, 500000, 5000000, GridFailure::DefinitionRejected},
        {32, 1e8L, 5586252, GridFailure::PointNotProjectable},
    };
    for (const auto& c : failures)
        EXPECT_EQ(failureOf([&] { utmInverse(service, c.zone, c.easting, c.northing); }), c.kind) << c.zone;
}

struct TmCase {
    TmGrid grid;
    Extended easting, northing;
    Geographic expected;
};

TEST_F(GridWorkflows, TmInverseInKilometresAndMetres)
{
    const TmCase cases[] = {
        {{"10", "30", 6525, "6525", GridUnit::Kilometres}, 6625, 5600,
         {"11.910500", "50.528407", "liegt bei 50.52841\xB0N 11.91050\xB0O;"}},
        // the same grid in metres
        {{"10", "30", 6525000, "6525000", GridUnit::Metres}, 6625000, 5600000,
         {"11.910500", "50.528407", "liegt bei 50.52841\xB0N 11.91050\xB0O;"}},
        // in metres a reference easting of 0 has the empty edit text
        {{"9", "20", 0, "", GridUnit::Metres}, 60000, 5500000,
         {"10.164035", "49.634836", "liegt bei 49.63484\xB0N 10.16403\xB0O;"}},
        // in kilometres it is written "0"
        {{"9", "20", 0, "", GridUnit::Kilometres}, 60, 5500,
         {"10.164035", "49.634836", "liegt bei 49.63484\xB0N 10.16403\xB0O;"}},
        // reference degrees 0: the minutes count, and "-0" keeps the sign
        {{"", "30", 500, "500", GridUnit::Kilometres}, 500, 5500,
         {"0.500000", "49.637816", "liegt bei 49.63782\xB0N 0.50000\xB0O;"}},
        {{"-0", "30", 500, "500", GridUnit::Kilometres}, 500, 5500,
         {"-0.500000", "49.637816", "liegt bei 49.63782\xB0N 0.50000\xB0W;"}},
    };
    for (const auto& c : cases)
        expectShown(tmInverse(service, c.grid, c.easting, c.northing), c.expected,
                    c.grid.meridianDegreesText + "d" + c.grid.meridianMinutesText + " " + c.grid.referenceEastingText);
}

TEST_F(GridWorkflows, TmInverseFailures)
{
    const struct {
        TmGrid grid;
        Extended easting, northing;
        GridFailure kind;
        bool definitionSet; // else the service keeps the projection it had
    } cases[] = {
        {{"10", "30", 6525, "6525", GridUnit::Kilometres}, 100000, 5586.252L, GridFailure::PointNotProjectable,
         true},
        {{"10", "30", 1e17L, "", GridUnit::Kilometres}, 6625, 5600, GridFailure::ValueNotRoundable, false},
        {{"10", "30", nan, "", GridUnit::Kilometres}, 6625, 5600, GridFailure::ValueNotRoundable, false},
    };
    for (const auto& c : cases) {
        service.SetDefinition(utmDefinition(32));
        EXPECT_EQ(failureOf([&] { tmInverse(service, c.grid, c.easting, c.northing); }), c.kind)
            << c.grid.referenceEasting;
        // neither failure empties the service; zone 32 gives this point only while it is still set
        const GeographicPoint g = service.Inverse(625712, 5586252);
        EXPECT_EQ(std::fabs(g.Longitude - 10.769435) < 1e-6, !c.definitionSet) << c.grid.referenceEasting;
    }
}

TEST(GridUnit, ChoiceScalingAndFormat)
{
    EXPECT_EQ(gridUnitOfIndex(0), GridUnit::Kilometres);
    for (const int index : {1, -1, 2})
        EXPECT_EQ(gridUnitOfIndex(index), GridUnit::Metres) << index;

    // every call scales, whatever the unit before
    EXPECT_EQ(scaledIntoUnit(6525, GridUnit::Metres), 6525000);
    EXPECT_EQ(scaledIntoUnit(6525000, GridUnit::Kilometres), 6525);
    EXPECT_EQ(scaledIntoUnit(6525, GridUnit::Kilometres), 6.525L);
    EXPECT_EQ(scaledIntoUnit(5600.125L, GridUnit::Metres), 5600125);

    EXPECT_EQ(gridUnitFormat(GridUnit::Kilometres).decimalPlaces, 3u);
    EXPECT_EQ(gridUnitFormat(GridUnit::Kilometres).displayFormat, "#0.000");
    EXPECT_EQ(gridUnitFormat(GridUnit::Metres).decimalPlaces, 0u);
    EXPECT_EQ(gridUnitFormat(GridUnit::Metres).displayFormat, "#######");
}

} // namespace
} // namespace zelv
