// The old datum beyond BeTA2007: the seven-parameter transformation EPSG 1777
// against PROJ's own +towgs84, in both directions, and where it applies.
//
// Expected values from
//   cs2cs +proj=tmerc +lon_0=<3k> +x_0=<k*1000000+500000> +ellps=bessel
//         +towgs84=598.1,73.7,418.2,0.202,0.045,-2.455,6.7
//         +to +proj=longlat +datum=WGS84
// and its reverse (-I).
#include "DhdnDatum.h"
#include "Exception.h"
#include "GridFailureOf.h"
#include "GridWorkflows.h"
#include "ShippedDataDirectory.h"
#include "TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

namespace zelv {
namespace {

TmGrid gaussKruegerZone(int k, TmDatum datum)
{
    const long long metres = k * 1000000LL + 500000;
    return {std::to_string(3 * k), "", static_cast<Extended>(metres), std::to_string(metres), GridUnit::Metres,
            datum};
}

using test_support::failureOf;

class OldDatum : public ::testing::Test {
protected:
    test_support::ShippedDataDirectory data;
    TCoordinateTranslator service{data.path()};
};

// Places outside BeTA2007, with their Gauss-Krueger values (whole metres)
// and PROJ's WGS 84 position of exactly those values; and the WGS 84
// position that PROJ puts at the unrounded values.
const struct {
    const char* name;
    int zone;
    double easting, northing;
    double longitude, latitude; // of easting/northing
    double wgsLongitude, wgsLatitude; // forward: PROJ gives easting/northing within half a metre
} outsideBeta2007[] = {
    {"Breslau, Silesia", 6, 6432378, 5664319, 17.032006165552, 51.109998458141, 17.032006, 51.109998},
    {"Oppeln, Silesia", 6, 6494605, 5615496, 17.921303072865, 50.675100367229, 17.9213, 50.6751},
    {"Koeslin, Pomerania", 5, 5577158, 6007263, 16.179998500723, 54.189996981065, 16.18, 54.19},
    {"Danzig", 6, 6542207, 6024840, 18.646605582243, 54.351998323438, 18.6466, 54.3520},
    {"Koenigsberg, East Prussia", 7, 7468677, 6064646, 20.511004353314, 54.710401860947, 20.5110, 54.7104},
    {"Memel, East Prussia", 7, 7509266, 6175082, 21.144304679110, 55.703296330370, 21.1443, 55.7033},
    {"Allenstein, East Prussia", 7, 7465922, 5960921, 20.480098075598, 53.778398286585, 20.4801, 53.7784},
    {"Posen", 6, 6427022, 5808658, 16.925192801041, 52.406400635041, 16.9252, 52.4064},
};

TEST_F(OldDatum, Epsg1777EqualsPROJsTowgs84BothWays)
{
    for (const auto& c : outsideBeta2007) {
        SCOPED_TRACE(c.name);
        const TmGrid grid = gaussKruegerZone(c.zone, TmDatum::Etrs89Beta2007);
        const TmGeographicResult back = tmInverseShifted(service, grid, c.easting, c.northing);
        EXPECT_EQ(back.shift, DhdnShift::Epsg1777);
        EXPECT_NEAR(back.point.Longitude, c.longitude, 1e-9);
        EXPECT_NEAR(back.point.Latitude, c.latitude, 1e-9);

        const TmPoint there = tmForward(service, grid, c.wgsLongitude, c.wgsLatitude);
        EXPECT_EQ(there.shift, DhdnShift::Epsg1777);
        EXPECT_EQ(there.easting, c.easting);
        EXPECT_EQ(there.northing, c.northing);
    }
}

// Stettin lies inside BeTA2007, whose result differs from EPSG 1777's by
// more than the test's tolerance: the grid stays where it covers.
TEST_F(OldDatum, InsideTheGridStaysBeta2007)
{
    const TmGrid grid = gaussKruegerZone(5, TmDatum::Etrs89Beta2007);
    const TmPoint stettin = tmForward(service, grid, 14.5528, 53.4285);
    EXPECT_EQ(stettin.shift, DhdnShift::Beta2007);
    EXPECT_EQ(tmInverseShifted(service, grid, stettin.easting, stettin.northing).shift, DhdnShift::Beta2007);

    // PROJ's BeTA2007 shift takes DHDN 14.5528 53.4285 to 14.550850526 53.426997669.
    const DhdnPosition dhdn = DhdnConverter(data.path()).fromWgs84(14.550850526, 53.426997669);
    EXPECT_EQ(dhdn.shift, DhdnShift::Beta2007);
    EXPECT_NEAR(dhdn.point.Longitude, 14.5528, 1e-8);
    EXPECT_NEAR(dhdn.point.Latitude, 53.4285, 1e-8);
}

// The corners of the old sheet area, on DHDN 1e-5 degrees (about a metre)
// inside and outside; grid values from Bessel alone, WGS 84 from PROJ.
TEST_F(OldDatum, EdgesOfTheArea)
{
    const struct {
        const char* name;
        int zone;
        double easting, northing;
        std::optional<double> longitude, latitude; // nullopt: outside
    } cases[] = {
        {"south-west, inside", 2, 2487091.7664, 5095583.0735, 5.832764185462, 45.999314359760},
        {"south-west, outside", 2, 2487090.2127, 5095580.8539, std::nullopt, std::nullopt},
        {"north-east, inside", 7, 7687122.7213, 6211980.4034, 23.996405438602, 55.998363297861},
        {"north-east, outside", 7, 7687123.8717, 6211982.6830, std::nullopt, std::nullopt},
        {"south-east, inside", 7, 7732357.3330, 5099947.3482, 23.996978949483, 45.999501524057},
        {"south-east, outside", 7, 7732358.9658, 5099945.1839, std::nullopt, std::nullopt},
        {"north-west, inside", 2, 2489603.0887, 6207930.1001, 5.832777928681, 55.998150739002},
        {"north-west, outside", 2, 2489601.8463, 6207932.3297, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TmGrid grid = gaussKruegerZone(c.zone, TmDatum::Etrs89Beta2007);
        if (!c.longitude) {
            EXPECT_EQ(failureOf([&] { tmInverse(service, grid, c.easting, c.northing); }),
                      GridFailure::OutsideDatumGrid);
            continue;
        }
        const TmGeographicResult g = tmInverseShifted(service, grid, c.easting, c.northing);
        EXPECT_EQ(g.shift, DhdnShift::Epsg1777);
        EXPECT_NEAR(g.point.Longitude, *c.longitude, 1e-9);
        EXPECT_NEAR(g.point.Latitude, *c.latitude, 1e-9);
        // and forward from that position, tested on its DHDN position
        EXPECT_EQ(failureOf([&] { tmForward(service, grid, *c.longitude, *c.latitude); }), std::nullopt);
    }
}

TEST_F(OldDatum, DhdnPositionOfAWgs84Position)
{
    // Breslau: the DHDN position is the Bessel grid position of its values,
    // to within a millimetre: each way starts at ellipsoid height 0 on its
    // own side, and the shift changes the height by some 40 m.
    const DhdnConverter converter(data.path());
    const DhdnPosition breslau = converter.fromWgs84(17.032006165552, 51.109998458141);
    EXPECT_EQ(breslau.shift, DhdnShift::Epsg1777);
    const TmGrid bessel = gaussKruegerZone(6, TmDatum::Bessel);
    const GeographicPoint expected = tmInverse(service, bessel, 6432378, 5664319);
    EXPECT_NEAR(breslau.point.Longitude, expected.Longitude, 2e-8);
    EXPECT_NEAR(breslau.point.Latitude, expected.Latitude, 2e-8);

    EXPECT_EQ(failureOf([&] { converter.fromWgs84(2.3522, 48.8566); }), GridFailure::OutsideDatumGrid);
    EXPECT_EQ(failureOf([&] { converter.fromWgs84(24.2, 50); }), GridFailure::OutsideDatumGrid);
}

TEST_F(OldDatum, BackFromDhdnTheSameWay)
{
    const DhdnConverter converter(data.path());
    const struct {
        const char* name;
        double longitude, latitude;
        DhdnShift shift;
    } cases[] = {
        {"Berlin, BeTA2007", 13.405, 52.52, DhdnShift::Beta2007},
        {"Breslau, EPSG 1777", 17.032006165552, 51.109998458141, DhdnShift::Epsg1777},
        {"Harlange, column 00 of the sheets", 5.75, 49.95, DhdnShift::Beta2007},
    };
    for (const auto& c : cases) {
        const DhdnPosition dhdn = converter.fromWgs84(c.longitude, c.latitude);
        const DhdnPosition back = converter.toWgs84(dhdn.point).value();
        EXPECT_EQ(back.shift, c.shift) << c.name;
        EXPECT_NEAR(back.point.Longitude, c.longitude, 1e-8) << c.name;
        EXPECT_NEAR(back.point.Latitude, c.latitude, 1e-8) << c.name;
    }
    EXPECT_FALSE(converter.toWgs84({2.3522, 48.8566}).has_value());
}

// WGS 84 into DHDN at ellipsoid height 0 on the WGS 84 side, as
//   cs2cs -f %.12f +proj=longlat +datum=WGS84 +to +proj=longlat +ellps=bessel
//         +towgs84=598.1,73.7,418.2,0.202,0.045,-2.455,6.7
// gives it for the places above.
TEST_F(OldDatum, Wgs84IntoDhdnEqualsPROJsTowgs84)
{
    const double dhdn[][2] = {
        {17.034254228950, 51.111202799888}, {17.923666235934, 50.676242596802},
        {16.182228542873, 54.191563568538}, {18.649234065008, 54.353546761841},
        {20.513946996860, 54.711957899627}, {21.147408067332, 55.704952355692},
        {20.482984619869, 53.779849393546}, {16.927471433578, 52.407753921757},
    };
    const DhdnConverter converter(data.path());
    for (std::size_t i = 0; i < std::size(outsideBeta2007); ++i) {
        const auto& c = outsideBeta2007[i];
        SCOPED_TRACE(c.name);
        const DhdnPosition p = converter.fromWgs84(c.longitude, c.latitude);
        EXPECT_EQ(p.shift, DhdnShift::Epsg1777);
        EXPECT_NEAR(p.point.Longitude, dhdn[i][0], 1e-9);
        EXPECT_NEAR(p.point.Latitude, dhdn[i][1], 1e-9);
    }
}

// How far a Bessel position lies from its WGS 84 place, against
//   cs2cs -f %.9f +proj=longlat +ellps=bessel <shift> +to +proj=longlat +datum=WGS84
// (shift: +towgs84=598.1,73.7,418.2,0.202,0.045,-2.455,6.7 beyond the grid,
// +nadgrids=BETA2007.gsb inside it) and
//   geod -I +ellps=WGS84
// between the two, for the Bessel positions of Gauss-Krueger values.
TEST_F(OldDatum, BesselOffsetEqualsPROJsShiftToTheMetre)
{
    const struct {
        const char* name;
        double longitude, latitude; // DHDN
        double metres;
        DhdnShift shift;
    } cases[] = {
        {"Breslau (6432378 5664319)", 17.034254219, 51.111202796, 206.728, DhdnShift::Epsg1777},
        {"Koenigsberg (7468677 6064646)", 20.513946988, 54.711957897, 256.856, DhdnShift::Epsg1777},
        {"Munich (4468000 5333000)", 11.570014520, 48.135145378, 144.487, DhdnShift::Beta2007},
    };
    const DhdnConverter converter(data.path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<DhdnPosition> wgs84 = converter.toWgs84({c.longitude, c.latitude});
        ASSERT_TRUE(wgs84);
        EXPECT_EQ(wgs84->shift, c.shift);
        const std::optional<double> metres = besselOffsetMetres(converter, {c.longitude, c.latitude});
        ASSERT_TRUE(metres);
        EXPECT_NEAR(*metres, c.metres, 0.5);
    }
    // Beyond the grid and the old sheet area there is no shift, so no offset.
    EXPECT_EQ(converter.toWgs84({2.35, 48.85}).has_value(), false);
    EXPECT_EQ(besselOffsetMetres(converter, {2.35, 48.85}), std::nullopt);
    EXPECT_EQ(besselOffsetMetres(converter, {24.2, 50}), std::nullopt);
}

TEST(OldDatumWithoutGrid, Epsg1777EverywhereInTheArea)
{
    test_support::TemporaryDirectory directory;
    std::filesystem::copy_file(std::filesystem::path(ZELV_SOURCE_NAD) / "proj_def.dat",
                               directory.path() / "proj_def.dat");
    TCoordinateTranslator service(directory.string());
    // Berlin, inside BeTA2007, with no grid file to take it.
    EXPECT_EQ(DhdnConverter(directory.string()).fromWgs84(13.405, 52.52).shift, DhdnShift::Epsg1777);
    const TmGrid grid = gaussKruegerZone(4, TmDatum::Etrs89Beta2007);
    EXPECT_EQ(tmForward(service, grid, 13.405, 52.52).shift, DhdnShift::Epsg1777);
    // and the offset of a Bessel position there goes the same way
    EXPECT_EQ(DhdnConverter(directory.string()).toWgs84({13.4075, 52.5212})->shift, DhdnShift::Epsg1777);
}

TEST(OldSheetArea, BoundsIncluded)
{
    EXPECT_TRUE(insideOldSheetArea({oldSheetAreaWest, oldSheetAreaSouth}));
    EXPECT_TRUE(insideOldSheetArea({oldSheetAreaEast, oldSheetAreaNorth}));
    EXPECT_FALSE(insideOldSheetArea({5.83, 50}));
    EXPECT_FALSE(insideOldSheetArea({24.0001, 50}));
    EXPECT_FALSE(insideOldSheetArea({10, 45.9999}));
    EXPECT_FALSE(insideOldSheetArea({10, 56.0001}));
    EXPECT_EQ(oldSheetAreaText(), "46\xB0 bis 56\xB0 N und 5\xB0" "50' bis 24\xB0 O");
}

} // namespace
} // namespace zelv
