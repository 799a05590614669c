// The per-zone projections of the batch mode against the window's grid
// workflows, which rebuild their projection for every point: the same
// values in every zone and both hemispheres, in any order of zones.
#include "Exception.h"
#include "GridWorkflows.h"
#include "TemporaryDirectory.h"
#include "UtmProjections.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zelv {
namespace {

TEST(UtmProjections, SameValuesAsTheWindowsWorkflowsInEveryZone)
{
    // Zones in an order that leaves and revisits each one.
    std::vector<GeographicPoint> points;
    for (int zone = 1; zone <= 60; ++zone) {
        const double west = 6.0 * zone - 186;
        points.push_back({west + 0.25, 47.5});
        points.push_back({west + 5.5, -33.9});
    }
    for (int zone = 60; zone >= 1; zone -= 7)
        points.push_back({6.0 * zone - 183, 0.0});

    TCoordinateTranslator window(ZELV_SOURCE_NAD);
    UtmProjections batch(ZELV_SOURCE_NAD);
    for (const GeographicPoint& p : points) {
        SCOPED_TRACE(std::to_string(p.Longitude) + " " + std::to_string(p.Latitude));
        const UtmPoint expected = utmForward(window, p.Longitude, p.Latitude);
        const UtmPoint utm = batch.forward(p.Longitude, p.Latitude);
        EXPECT_EQ(utm.zone, expected.zone);
        EXPECT_EQ(utm.easting, expected.easting);
        EXPECT_EQ(utm.northing, expected.northing);

        const GeographicPoint back = batch.inverse(utm.zone, utm.easting, utm.northing);
        const GeographicPoint windowBack = utmInverse(window, utm.zone, utm.easting, utm.northing);
        EXPECT_EQ(back.Longitude, windowBack.Longitude);
        EXPECT_EQ(back.Latitude, windowBack.Latitude);
    }
}

TEST(UtmProjections, ARejectedZoneIsNotKept)
{
    UtmProjections batch(ZELV_SOURCE_NAD);
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            batch.forward(180, 10); // zone 61
            ADD_FAILURE() << "zone 61 projected";
        } catch (const GridConversionError& e) {
            EXPECT_EQ(e.kind(), GridFailure::DefinitionRejected);
        }
    }
    EXPECT_EQ(batch.forward(10.76943, 50.41484).easting, 625712);
}

TEST(UtmProjections, ADataDirectoryWithoutDefaultsFailsAtOnce)
{
    const test_support::TemporaryDirectory empty;
    try {
        UtmProjections batch(empty.string());
        ADD_FAILURE() << "no failure";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), "Initialization file \"proj_def.dat\" in path \"" + empty.string() + "\" not found!");
    }
}

} // namespace
} // namespace zelv
