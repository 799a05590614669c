// The grid conversions end to end on the shipped data directory: what each
// one returns, and which failure kind ends it.
#include "Angles.h"
#include "Exception.h"
#include "GridConversion.h"
#include "GridFailureOf.h"
#include "GridWorkflows.h"
#include "ShippedDataDirectory.h"

#include <gtest/gtest.h>
#include <proj.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>

namespace zelv {
namespace {

constexpr Extended inf = std::numeric_limits<Extended>::infinity();
constexpr Extended nan = std::numeric_limits<Extended>::quiet_NaN();

using test_support::failureOf;

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

TEST_F(GridWorkflows, TmForwardInKilometresAndMetresAndBack)
{
    // Whole metres, an exact half to the even neighbour; km with three decimals.
    const TmGrid km{"10", "30", 6525, "6525", GridUnit::Kilometres};
    const TmGrid m{"10", "30", 6525000, "6525000", GridUnit::Metres};
    for (const TmGrid& grid : {km, m}) {
        const Extended factor = grid.unit == GridUnit::Kilometres ? 1000 : 1;
        const GeographicPoint g = tmInverse(service, grid, 6625000 / factor, 5600000 / factor);
        const TmPoint back = tmForward(service, grid, g.Longitude, g.Latitude);
        EXPECT_EQ(back.easting * factor, 6625000) << factor;
        EXPECT_EQ(back.northing * factor, 5600000) << factor;
    }
    const TmPoint p = tmForward(service, km, 11.9105L, 50.528407L);
    EXPECT_EQ(formatFixed(p.easting, 3, pointSeparators), "6625.000");
    EXPECT_EQ(formatFixed(p.northing, 3, pointSeparators), "5600.000");

    // The same failures as the way back; nothing half written.
    EXPECT_EQ(failureOf([&] { tmForward(service, km, 100, 91); }), GridFailure::PointNotProjectable);
    const TmGrid unroundable{"10", "30", nan, "", GridUnit::Kilometres};
    EXPECT_EQ(failureOf([&] { tmForward(service, unroundable, 10, 50); }), GridFailure::ValueNotRoundable);
}

using test_support::ShippedDataDirectory;

// PROJ's own transformation between a Gauss-Kr\u00FCger zone on DHDN and
// ETRS89 (EPSG:3146x to EPSG:4258), with the library's own database and
// grids: the reference for the shifted conversions.  Each use checks that
// PROJ took the BeTA2007 grid for the point.
class EpsgTransformation {
public:
    explicit EpsgTransformation(int gaussKruegerZone) : context_(proj_context_create())
    {
        const std::string source = "EPSG:" + std::to_string(31464 + gaussKruegerZone);
        const std::unique_ptr<PJ, Destroy> raw(
            proj_create_crs_to_crs(context_.get(), source.c_str(), "EPSG:4258", nullptr));
        if (raw)
            transformation_.reset(proj_normalize_for_visualization(context_.get(), raw.get()));
    }
    bool usable() const { return transformation_ != nullptr; }

    // Easting and northing in metres to longitude and latitude in degrees, and back.
    PJ_COORD toEtrs89(double easting, double northing) { return run(PJ_FWD, easting, northing); }
    PJ_COORD fromEtrs89(double longitude, double latitude) { return run(PJ_INV, longitude, latitude); }

private:
    struct Destroy {
        void operator()(PJ* p) const { proj_destroy(p); }
        void operator()(PJ_CONTEXT* c) const { proj_context_destroy(c); }
    };

    PJ_COORD run(PJ_DIRECTION direction, double a, double b)
    {
        const PJ_COORD out = proj_trans(transformation_.get(), direction, proj_coord(a, b, 0, 0));
        const std::unique_ptr<PJ, Destroy> used(proj_trans_get_last_used_operation(transformation_.get()));
        const char* steps = used ? proj_as_proj_string(context_.get(), used.get(), PJ_PROJ_5, nullptr) : nullptr;
        EXPECT_NE(steps, nullptr);
        if (steps) {
            EXPECT_NE(std::string(steps).find("hgridshift"), std::string::npos) << steps;
        }
        return out;
    }

    std::unique_ptr<PJ_CONTEXT, Destroy> context_;
    std::unique_ptr<PJ, Destroy> transformation_;
};

// Points across Germany, each in the Gauss-Kr\u00FCger zone of its meridian
// (meridian 3 x zone, reference easting zone x 1000 + 500 km, as EPSG has it).
struct DatumCase {
    const char* name;
    int zone;
    double longitude, latitude; // ETRS89
};

const DatumCase acrossGermany[] = {
    {"north, Flensburg", 3, 9.4367, 54.7819},
    {"north-east, Kap Arkona", 4, 13.4322, 54.6786},
    {"south, Zugspitze", 4, 10.9862, 47.4211},
    {"east, Goerlitz", 5, 14.9872, 51.1529},
    {"west, Aachen", 2, 6.0839, 50.7753},
    {"border with Basel, Loerrach", 3, 7.6616, 47.6156},
    {"far from its meridian, Emden in zone 3", 3, 7.2060, 53.3670},
};

TmGrid gaussKrueger(int zone, GridUnit unit, TmDatum datum)
{
    const long long metres = zone * 1000000LL + 500000;
    if (unit == GridUnit::Kilometres)
        return {std::to_string(3 * zone), "", static_cast<Extended>(metres / 1000), "", unit, datum};
    return {std::to_string(3 * zone), "", static_cast<Extended>(metres), std::to_string(metres), unit, datum};
}

class DatumShift : public ::testing::TestWithParam<GridUnit> {
protected:
    ShippedDataDirectory data;
    TCoordinateTranslator service{data.path()};

    Extended factor() const { return GetParam() == GridUnit::Kilometres ? 1000 : 1; }
};

TEST_P(DatumShift, EqualsPROJsEpsgTransformationAcrossGermany)
{
    for (const DatumCase& c : acrossGermany) {
        SCOPED_TRACE(c.name);
        EpsgTransformation epsg(c.zone);
        ASSERT_TRUE(epsg.usable());
        const TmGrid etrs89 = gaussKrueger(c.zone, GetParam(), TmDatum::Etrs89Beta2007);

        // Forward: whole metres, as PROJ's easting and northing round.
        const PJ_COORD reference = epsg.fromEtrs89(c.longitude, c.latitude);
        for (const double v : {reference.xy.x, reference.xy.y})
            ASSERT_GT(std::fabs(v - std::floor(v) - 0.5), 1e-3) << "too near a half metre to compare";
        const TmPoint tm = tmForward(service, etrs89, c.longitude, c.latitude);
        EXPECT_EQ(tm.shift, DhdnShift::Beta2007);
        EXPECT_EQ(tm.easting * factor(), std::round(reference.xy.x));
        EXPECT_EQ(tm.northing * factor(), std::round(reference.xy.y));

        // Back from those values: PROJ's result within 1e-9 degrees.
        const GeographicPoint g = tmInverse(service, etrs89, tm.easting, tm.northing);
        const PJ_COORD expected = epsg.toEtrs89(static_cast<double>(tm.easting * factor()),
                                                static_cast<double>(tm.northing * factor()));
        EXPECT_NEAR(g.Longitude, expected.lp.lam, 1e-9);
        EXPECT_NEAR(g.Latitude, expected.lp.phi, 1e-9);

    }
}

TEST_P(DatumShift, ReferencePointOfTheDatumChoice)
{
    // Meridian 12d0, reference easting 4500 km, easting 4412.345 km,
    // northing 5598.765 km: zone 4.
    EpsgTransformation epsg(4);
    ASSERT_TRUE(epsg.usable());
    TmGrid grid{"12", "", 4500, "", GetParam(), TmDatum::Etrs89Beta2007};
    if (GetParam() == GridUnit::Metres) {
        grid.referenceEasting = 4500000;
        grid.referenceEastingText = "4500000";
    }
    const GeographicPoint g = tmInverse(service, grid, 4412345 / factor(), 5598765 / factor());
    const PJ_COORD expected = epsg.toEtrs89(4412345, 5598765);
    EXPECT_NEAR(g.Longitude, expected.lp.lam, 1e-9);
    EXPECT_NEAR(g.Latitude, expected.lp.phi, 1e-9);
    expectShown(g, {"10.762560", "50.518090", "liegt bei 50.51809\xB0N 10.76256\xB0O;"}, "ETRS89");

    grid.datum = TmDatum::Bessel;
    expectShown(tmInverse(service, grid, 4412345 / factor(), 5598765 / factor()),
                {"10.763870", "50.519285", "liegt bei 50.51928\xB0N 10.76387\xB0O;"}, "Bessel");
}

TEST_P(DatumShift, OutsideTheGridIsToldApartFromAPointNoGridTakes)
{
    // Vienna in zone 5: outside BeTA2007, inside the old sheet area, so
    // EPSG 1777 takes it both ways.
    const TmGrid bessel5 = gaussKrueger(5, GetParam(), TmDatum::Bessel);
    const TmGrid etrs5 = gaussKrueger(5, GetParam(), TmDatum::Etrs89Beta2007);
    const TmPoint vienna = tmForward(service, bessel5, 16.3738L, 48.2082L);
    EXPECT_EQ(tmForward(service, etrs5, 16.3738L, 48.2082L).shift, DhdnShift::Epsg1777);
    EXPECT_EQ(tmInverseShifted(service, etrs5, vienna.easting, vienna.northing).shift, DhdnShift::Epsg1777);

    // Paris in zone 1: Bessel alone converts it both ways, no shift covers it.
    const TmGrid bessel = gaussKrueger(1, GetParam(), TmDatum::Bessel);
    const TmGrid etrs89 = gaussKrueger(1, GetParam(), TmDatum::Etrs89Beta2007);
    const TmPoint paris = tmForward(service, bessel, 2.3522L, 48.8566L);
    EXPECT_EQ(paris.shift, std::nullopt);
    EXPECT_NO_THROW(tmInverse(service, bessel, paris.easting, paris.northing));
    EXPECT_EQ(failureOf([&] { tmForward(service, etrs89, 2.3522L, 48.8566L); }), GridFailure::OutsideDatumGrid);
    EXPECT_EQ(failureOf([&] { tmInverse(service, etrs89, paris.easting, paris.northing); }),
              GridFailure::OutsideDatumGrid);
    try {
        tmInverse(service, etrs89, paris.easting, paris.northing);
    } catch (const GridConversionError& e) {
        EXPECT_NE(e.message().find("BeTA2007 gilt nur f\xFCr Deutschland"), std::string::npos) << e.message();
        EXPECT_NE(e.message().find("46\xB0 bis 56\xB0 N"), std::string::npos) << e.message();
    }

    // A point that the grid on Bessel can't take either stays what it is.
    EXPECT_EQ(failureOf([&] { tmInverse(service, etrs89, 100000000 / factor(), 5586252 / factor()); }),
              GridFailure::PointNotProjectable);
    EXPECT_EQ(failureOf([&] { tmForward(service, etrs89, 100, 91); }), GridFailure::PointNotProjectable);
}

INSTANTIATE_TEST_SUITE_P(Units, DatumShift, ::testing::Values(GridUnit::Kilometres, GridUnit::Metres),
                         [](const ::testing::TestParamInfo<GridUnit>& info) {
                             return std::string(info.param == GridUnit::Kilometres ? "km" : "m");
                         });

// The km/m trap: Breslau's Gauss-Krueger values (zone 6) typed in the other
// unit than the one chosen, with the reference easting typed in the same
// unit as the values or set up in the chosen one.
TEST(GridUnitThatFits, TheOtherUnitWhereOnlyItConverts)
{
    test_support::ShippedDataDirectory data;
    TCoordinateTranslator service{data.path()};
    using enum GridUnit;
    const struct {
        const char* name;
        TmGrid grid;
        Extended easting, northing;
        std::optional<GridUnit> unit;
        bool referenceKeepsDigits;
    } cases[] = {
        {"metres under km, reference in km", {"18", "", 6500, "6500", Kilometres}, 6432378, 5664319, Metres, false},
        {"metres under km, reference in metres too", {"18", "", 6500000, "6500000", Kilometres}, 6432378,
         5664319, Metres, true},
        {"metres under km, into ETRS89", {"18", "", 6500, "6500", Kilometres, TmDatum::Etrs89Beta2007}, 6432378,
         5664319, Metres, false},
        // on Bessel alone kilometres under "m" land near the equator, 6500 km
        // west of the meridian: a position, but none a map shows
        {"kilometres under m on Bessel", {"18", "", 6500000, "6500000", Metres}, 6432.378L, 5664.319L,
         Kilometres, false},
        // into ETRS89 that position has no shift, so the conversion fails
        {"kilometres under m, into ETRS89", {"18", "", 6500000, "6500000", Metres, TmDatum::Etrs89Beta2007},
         6432.378L, 5664.319L, Kilometres, false},
        {"kilometres under m, reference in km too", {"18", "", 6500, "6500", Metres, TmDatum::Etrs89Beta2007},
         6432.378L, 5664.319L, Kilometres, true},
        {"values that fit their unit", {"18", "", 6500, "6500", Kilometres}, 6432.378L, 5664.319L, std::nullopt,
         false},
        {"values that fit no unit", {"18", "", 6500, "6500", Kilometres}, 6432378e6L, 5664319, std::nullopt,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<UnitFix> fix = unitThatFits(service, c.grid, c.easting, c.northing);
        ASSERT_EQ(fix.has_value(), c.unit.has_value());
        if (!fix)
            continue;
        EXPECT_EQ(fix->unit, *c.unit);
        EXPECT_EQ(fix->referenceKeepsDigits, c.referenceKeepsDigits);
        // the fix converts to Breslau
        TmGrid fixed = c.grid;
        fixed.unit = fix->unit;
        if (!fix->referenceKeepsDigits)
            fixed.referenceEasting = scaledIntoUnit(c.grid.referenceEasting, fix->unit);
        fixed.referenceEastingText = std::to_string(static_cast<long long>(fixed.referenceEasting));
        const GeographicPoint g = tmInverse(service, fixed, c.easting, c.northing);
        EXPECT_NEAR(g.Longitude, 17.03, 0.01);
        EXPECT_NEAR(g.Latitude, 51.11, 0.01);
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
