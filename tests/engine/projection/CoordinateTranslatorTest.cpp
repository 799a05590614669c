#include "CoordinateTranslator.h"
#include "Exception.h"
#include "TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <utility>

namespace zelv {
namespace {

using test_support::TemporaryDirectory;

const std::string nad = ZELV_SOURCE_NAD;
const std::string initializationFailed = "Initialization of proj toolkit failed!";
const char* const utm32 = "+proj=utm +ellps=GRS80 +zone=32 +lon_0=9 +x_0=500000";

std::string messageOf(const std::string& directory)
{
    try {
        TCoordinateTranslator translator(directory);
    } catch (const Exception& e) {
        return e.message();
    }
    return "(no exception)";
}

// The kind and message of the grid failure that `call` throws.
template <class Call>
std::pair<GridFailure, std::string> gridFailureOf(Call call)
{
    try {
        call();
    } catch (const GridConversionError& e) {
        return {e.kind(), e.message()};
    }
    ADD_FAILURE() << "no grid failure";
    return {};
}

std::string notFound(const std::string& directory)
{
    return "Initialization file \"proj_def.dat\" in path \"" + directory + "\" not found!";
}

TEST(TCoordinateTranslator, MissingDefaultsFileNamesTheDirectoryAsPassed)
{
    TemporaryDirectory empty;
    TemporaryDirectory withSubdirectory;
    std::filesystem::create_directory(withSubdirectory.path() / "proj_def.dat");

    const std::string directories[] = {
        empty.string(),
        empty.string() + "/",
        empty.string() + "/missing",
        withSubdirectory.string(), // a directory of that name is no file
    };
    for (const auto& directory : directories)
        EXPECT_EQ(messageOf(directory), notFound(directory));
}

TEST(TCoordinateTranslator, MessageCarriesTheDirectoryAsWindows1252)
{
    TemporaryDirectory parent;
    const std::string utf8 = parent.string() + "/S\xC3\xBC" "d";
    const std::string windows1252 = parent.string() + "/S\xFC" "d";
    EXPECT_EQ(messageOf(utf8), notFound(windows1252));

    // and a path with such characters is found as it is
    std::filesystem::create_directory(utf8);
    std::filesystem::copy_file(nad + "/proj_def.dat", utf8 + "/proj_def.dat");
    EXPECT_NO_THROW(TCoordinateTranslator{utf8});
}

TEST(TCoordinateTranslator, StartUpDefinitionNeedsTheLccDefaults)
{
    TemporaryDirectory generalOnly;
    generalOnly.write("proj_def.dat", "<general>\nellps=WGS84\n");
    EXPECT_EQ(gridFailureOf([&] { TCoordinateTranslator{generalOnly.string()}; }),
              std::pair(GridFailure::DefinitionRejected, initializationFailed));

    // with the shipped file it is the conic with the file's parallels
    TCoordinateTranslator translator(nad);
    const ProjectedPoint lcc = translator.Forward(10, 50);
    translator.SetDefinition("+proj=lcc +ellps=WGS84 +lat_1=33 +lat_2=45 +no_defs");
    const ProjectedPoint explicitLcc = translator.Forward(10, 50);
    EXPECT_EQ(lcc.X, explicitLcc.X);
    EXPECT_EQ(lcc.Y, explicitLcc.Y);
}

struct ForwardCase {
    const char* definition;
    double longitude, latitude, x, y;
};

struct InverseCase {
    const char* definition;
    double x, y, longitude, latitude;
};

TEST(TCoordinateTranslator, ReferenceValues)
{
    const ForwardCase forward[] = {
        {utm32, 10.769430, 50.414840, 625711.630, 5586252.376},
        // no southern false northing: the northing is negative
        {"+proj=utm +ellps=GRS80 +zone=34 +lon_0=21 +x_0=500000", 18.4, -33.9, 259583.222, -3754111.955},
    };
    const InverseCase inverse[] = {
        {utm32, 625712, 5586252, 10.769435085, 50.414836543},
        {"+proj=tmerc +ellps=bessel +lon_0=10d30 +x_0=6525000", 6625000, 5600000, 11.910499667, 50.528406756},
        {"+proj=tmerc +ellps=bessel +lon_0=9d20 +x_0=", 60000, 5500000, 10.164034695, 49.634835984},
    };
    TCoordinateTranslator translator(nad);
    for (const auto& c : forward) {
        translator.SetDefinition(c.definition);
        const ProjectedPoint p = translator.Forward(c.longitude, c.latitude);
        EXPECT_NEAR(p.X, c.x, 1e-3) << c.definition;
        EXPECT_NEAR(p.Y, c.y, 1e-3) << c.definition;
    }
    for (const auto& c : inverse) {
        translator.SetDefinition(c.definition);
        const GeographicPoint g = translator.Inverse(c.x, c.y);
        EXPECT_NEAR(g.Longitude, c.longitude, 1e-8) << c.definition;
        EXPECT_NEAR(g.Latitude, c.latitude, 1e-8) << c.definition;
    }
}

TEST(TCoordinateTranslator, PassesLibraryResultsThroughUnchanged)
{
    // Only the degree factor in extended precision lies between the caller
    // and the library: no offset, no rounding.
    TCoordinateTranslator translator(nad);
    translator.SetDefinition(utm32);
    const auto handle = proj447::pj_init_plus_path(utm32, nad.c_str());
    ASSERT_NE(handle, nullptr);

    const double longitude = 10.769430, latitude = 50.414840;
    const proj447::XY xy = proj447::pj_fwd(
        {static_cast<double>(longitude * degreesToRadians), static_cast<double>(latitude * degreesToRadians)},
        handle);
    const ProjectedPoint p = translator.Forward(longitude, latitude);
    EXPECT_EQ(p.X, xy.x);
    EXPECT_EQ(p.Y, xy.y);

    const proj447::LP lp = proj447::pj_inv({625712.25, 5586252.75}, handle);
    const GeographicPoint g = translator.Inverse(625712.25, 5586252.75);
    EXPECT_EQ(g.Longitude, static_cast<double>(lp.lam * radiansToDegrees));
    EXPECT_EQ(g.Latitude, static_cast<double>(lp.phi * radiansToDegrees));
    proj447::pj_free(handle);
}

TEST(TCoordinateTranslator, RejectedDefinitionLeavesServiceEmptyUntilNextValidOne)
{
    TCoordinateTranslator translator(nad);
    translator.SetDefinition(utm32);

    const char* rejected[] = {
        "+proj=utm +ellps=GRS80 +zone=61 +lon_0=183 +x_0=500000",
        "+proj=utm +ellps=GRS80 +zone=0 +lon_0=-183 +x_0=500000",
        "+proj=nonsense",
        "",
    };
    for (const char* definition : rejected) {
        EXPECT_EQ(gridFailureOf([&] { translator.SetDefinition(definition); }),
                  std::pair(GridFailure::DefinitionRejected, initializationFailed))
            << definition;
        // the old projection is gone, not kept
        EXPECT_EQ(gridFailureOf([&] { translator.Forward(10, 50); }),
                  std::pair(GridFailure::ServiceEmpty, initializationFailed))
            << definition;
        EXPECT_EQ(gridFailureOf([&] { translator.Inverse(625712, 5586252); }),
                  std::pair(GridFailure::ServiceEmpty, initializationFailed))
            << definition;
    }

    translator.SetDefinition(utm32);
    EXPECT_NEAR(translator.Forward(10.769430, 50.414840).X, 625711.630, 1e-3);
}

TEST(TCoordinateTranslator, UnprojectablePointIsRaisedAndTheProjectionStaysUsable)
{
    TCoordinateTranslator translator(nad);
    const char* definitions[] = {utm32, "+proj=tmerc +ellps=bessel +lon_0=10d30 +x_0=6525000"};
    for (const char* definition : definitions) {
        translator.SetDefinition(definition);
        // the library itself answers with its error value here
        const auto handle = proj447::pj_init_plus_path(definition, nad.c_str());
        ASSERT_NE(handle, nullptr);
        const proj447::LP lp = proj447::pj_inv({1e8, 5586252}, handle);
        proj447::pj_free(handle);
        ASSERT_FALSE(std::isfinite(lp.lam) && std::isfinite(lp.phi)) << definition;

        EXPECT_EQ(gridFailureOf([&] { translator.Inverse(1e8, 5586252); }).first, GridFailure::PointNotProjectable)
            << definition;
    }
    EXPECT_EQ(gridFailureOf([&] { translator.Forward(10, 91); }).first, GridFailure::PointNotProjectable);
    EXPECT_EQ(gridFailureOf([&] { translator.Forward(1e30, 0); }).first, GridFailure::PointNotProjectable);
    // the projection is still there
    const GeographicPoint g = translator.Inverse(6625000, 5600000);
    EXPECT_NEAR(g.Longitude, 11.910499667, 1e-8);
    EXPECT_NEAR(g.Latitude, 50.528406756, 1e-8);
}

TEST(TCoordinateTranslator, PrintsNothing)
{
    TemporaryDirectory empty;
    TemporaryDirectory generalOnly;
    generalOnly.write("proj_def.dat", "<general>\nellps=WGS84\n");

    ::testing::internal::CaptureStderr();
    EXPECT_THROW(TCoordinateTranslator{empty.string()}, Exception);
    EXPECT_THROW(TCoordinateTranslator{generalOnly.string()}, Exception);
    {
        TCoordinateTranslator translator(nad);
        EXPECT_THROW(translator.SetDefinition("+proj=utm +ellps=GRS80 +zone=61"), Exception);
        translator.SetDefinition(utm32);
        EXPECT_THROW(translator.Inverse(1e8, 0), GridConversionError);
        EXPECT_THROW(translator.Forward(10, 91), GridConversionError);
        EXPECT_THROW(translator.Forward(1e30, 0), GridConversionError);
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST(TCoordinateTranslator, ManyDefinitionsInARow)
{
    // Each definition replaces the last; the sanitizer run checks that
    // nothing of the replaced ones stays behind.
    TCoordinateTranslator translator(nad);
    int rejected = 0;
    for (int i = 0; i < 10'000; ++i) {
        const int zone = i % 61 + 1; // zone 61 is rejected
        try {
            translator.SetDefinition("+proj=utm +ellps=GRS80 +zone=" + std::to_string(zone) +
                                     " +lon_0=" + std::to_string(6 * zone - 183) + " +x_0=500000");
        } catch (const Exception&) {
            ++rejected;
        }
    }
    EXPECT_EQ(rejected, 10'000 / 61);
    translator.SetDefinition(utm32);
    EXPECT_NEAR(translator.Forward(10.769430, 50.414840).Y, 5586252.376, 1e-3);
}

} // namespace
} // namespace zelv
