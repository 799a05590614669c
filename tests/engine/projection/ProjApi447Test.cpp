#include "ProjApi447.h"
#include "TemporaryDirectory.h"

#include <gtest/gtest.h>
#include <proj.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace zelv::proj447 {
namespace {

using test_support::TemporaryDirectory;

constexpr const char* nad = ZELV_SOURCE_NAD;
constexpr const char* shippedDefaults =
    "# comment <lcc> lat_1=1\n"
    "<general>\n"
    "ellps=WGS84\n"
    "<lcc>\n"
    "lat_1=33 lat_2=45\n";

struct DefaultsCase {
    const char* definition;
    const char* defaults;
    const char* expected;
};

TEST(WithDefaults, AddsOnlyWhatTheDefinitionLacks)
{
    const std::string shifted =
        gridShiftPipeline("+proj=tmerc +ellps=bessel +lon_0=12d +x_0=4500000", "BETA2007.gsb");
    const DefaultsCase cases[] = {
        // the start-up definition gets its standard parallels, not a second ellps
        {"+proj=lcc +ellps=WGS84", shippedDefaults, "+proj=lcc +ellps=WGS84 +lat_1=33 +lat_2=45"},
        {"+proj=lcc +lat_1=40", shippedDefaults, "+proj=lcc +lat_1=40 +lat_2=45 +ellps=WGS84"},
        // another projection's section does not apply
        {"+proj=utm +zone=32", shippedDefaults, "+proj=utm +zone=32 +ellps=WGS84"},
        // any key of the earth's shape keeps the ellps default out
        {"+proj=utm +zone=32 +a=6378137", shippedDefaults, "+proj=utm +zone=32 +a=6378137"},
        {"+proj=utm +zone=32 +R=6371000", shippedDefaults, "+proj=utm +zone=32 +R=6371000"},
        {"+proj=utm +zone=32 +datum=WGS84", shippedDefaults, "+proj=utm +zone=32 +datum=WGS84"},
        {"+proj=utm +zone=32 +rf=298.257", shippedDefaults, "+proj=utm +zone=32 +rf=298.257"},
        {"+proj=lcc +no_defs", shippedDefaults, "+proj=lcc +no_defs"},
        {"+proj=lcc", "", "+proj=lcc"},
        // words without "+", flags, and several words on a line
        {"proj=lcc lat_2=10", "<lcc> +lat_1=1 +south lat_2=2 <general>", "proj=lcc lat_2=10 +lat_1=1 +south"},
        // the projection's own value wins over <general>, and a shape key
        // from the file blocks the other shape keys of the file
        {"+proj=lcc", "<general> lat_1=5 ellps=GRS80\n<lcc> lat_1=33 R=6371000",
         "+proj=lcc +lat_1=33 +R=6371000"},
        // words outside a section, or after a broken header, go nowhere
        {"+proj=lcc", "k_0=2\n<lcc\nlat_1=33\n<general> x_0=1", "+proj=lcc +x_0=1"},
        // a key that only starts like a given one is still added
        {"+proj=lcc +lat_10=1", "<lcc> lat_1=33", "+proj=lcc +lat_10=1 +lat_1=33"},
        // a pipeline takes the section of its last step's projection, whose
        // step the defaults join; the shifted Transverse Mercator gets nothing
        {"+proj=pipeline +step +proj=lcc +step +proj=tmerc", "<pipeline> x_0=1\n<lcc> lat_1=33\n<tmerc> k_0=1",
         "+proj=pipeline +step +proj=lcc +step +proj=tmerc +k_0=1"},
        {shifted.c_str(), shippedDefaults,
         "+proj=pipeline +step +inv +proj=hgridshift +grids=BETA2007.gsb +step "
         "+proj=tmerc +ellps=bessel +lon_0=12d +x_0=4500000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withDefaults(c.definition, c.defaults), c.expected) << c.definition;
}

TEST(DefaultsFilePath, JoinsWithoutChangingTheDirectory)
{
    EXPECT_EQ(defaultsFilePath("nad"), "nad/proj_def.dat");
    EXPECT_EQ(defaultsFilePath("nad/"), "nad//proj_def.dat");
}

struct Free {
    void operator()(ProjectionHandle handle) const { pj_free(handle); }
};
using Handle = std::unique_ptr<Projection, Free>;

Handle init(const char* definition, const std::string& directory)
{
    return Handle(pj_init_plus_path(definition, directory.c_str()));
}

TEST(ProjApi447, DefaultsFileDecidesWhetherLccInitialises)
{
    TemporaryDirectory empty;
    TemporaryDirectory generalOnly;
    generalOnly.write("proj_def.dat", "<general>\nellps=WGS84\n");

    EXPECT_NE(init("+proj=lcc +ellps=WGS84", nad), nullptr);
    EXPECT_EQ(init("+proj=lcc +ellps=WGS84 +no_defs", nad), nullptr);
    EXPECT_EQ(init("+proj=lcc +ellps=WGS84", generalOnly.string()), nullptr);
    // no defaults file: the definition has to stand on its own
    EXPECT_EQ(init("+proj=lcc +ellps=WGS84", empty.string()), nullptr);
    EXPECT_NE(init("+proj=utm +ellps=GRS80 +zone=32", empty.string()), nullptr);
    EXPECT_EQ(init("+proj=utm +ellps=GRS80 +zone=61", nad), nullptr);
    EXPECT_EQ(pj_init_plus_path(nullptr, nad), nullptr);
    EXPECT_EQ(pj_init_plus_path("+proj=utm +zone=32", nullptr), nullptr);
}

TEST(ProjApi447, DefaultsFileReadAgainWhenItChanges)
{
    TemporaryDirectory directory;
    const char* lcc = "+proj=lcc +ellps=WGS84";
    directory.write("proj_def.dat", "<general>\nellps=WGS84\n");
    EXPECT_EQ(init(lcc, directory.string()), nullptr);

    directory.write("proj_def.dat", "<lcc>\nlat_1=33 lat_2=45\n");
    const auto first = init(lcc, directory.string());
    EXPECT_NE(first, nullptr);

    // Same size, another content: still noticed.
    directory.write("proj_def.dat", "<utm>\nlat_1=33 lat_2=45\n");
    EXPECT_EQ(init(lcc, directory.string()), nullptr);

    std::filesystem::remove(directory.path() / "proj_def.dat");
    EXPECT_EQ(init(lcc, directory.string()), nullptr);
    EXPECT_NE(init("+proj=utm +ellps=GRS80 +zone=32", directory.string()), nullptr);

    // Handles of one directory share their context: freeing the others
    // leaves the first one working.
    constexpr double degree = M_PI / 180;
    EXPECT_TRUE(std::isfinite(pj_fwd({10 * degree, 50 * degree}, first.get()).x));
}

// Finds a horizontal grid in the library's own data directories, where an
// ordinary context would find it too.
std::filesystem::path systemGrid()
{
    std::string paths = proj_info().searchpath;
    std::size_t start = 0;
    while (start <= paths.size()) {
        auto end = paths.find_first_of(";:", start);
        if (end == std::string::npos)
            end = paths.size();
        const std::filesystem::path grid =
            std::filesystem::path(paths.substr(start, end - start)) / "BETA2007.gsb";
        std::error_code ignored;
        if (!grid.parent_path().empty() && std::filesystem::is_regular_file(grid, ignored))
            return grid;
        start = end + 1;
    }
    return {};
}

TEST(ProjApi447, SearchesOnlyTheGivenDirectory)
{
    const auto grid = systemGrid();
    if (grid.empty())
        GTEST_SKIP() << "no BETA2007.gsb among the library's data directories";
    TemporaryDirectory withGrid;
    std::filesystem::copy_file(grid, withGrid.path() / "BETA2007.gsb");
    const char* definition = "+proj=utm +ellps=bessel +zone=32 +nadgrids=BETA2007.gsb";

    // The library's own data directory holds the grid, but is not searched.
    // Asked in a process of its own: once opened, a grid stays in the
    // library's process-wide cache and is found under its name from any
    // directory, and other tests open this grid.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(init(definition, nad) == nullptr ? 0 : 1), ::testing::ExitedWithCode(0), "");
    EXPECT_NE(init(definition, withGrid.string()), nullptr);
}

TEST(ProjApi447, PassesRadiansAndMetresUnchanged)
{
    constexpr double degree = M_PI / 180;
    const auto utm = init("+proj=utm +ellps=GRS80 +zone=32 +lon_0=9 +x_0=500000", nad);
    ASSERT_NE(utm, nullptr);

    const XY xy = pj_fwd({10.769430 * degree, 50.414840 * degree}, utm.get());
    EXPECT_NEAR(xy.x, 625711.630, 1e-3);
    EXPECT_NEAR(xy.y, 5586252.376, 1e-3);

    const LP lp = pj_inv({625712, 5586252}, utm.get());
    EXPECT_NEAR(lp.lam / degree, 10.769435085, 1e-8);
    EXPECT_NEAR(lp.phi / degree, 50.414836543, 1e-8);
}

TEST(ProjApi447, UnprojectablePointGivesErrorValueAndLeavesHandleUsable)
{
    const auto utm = init("+proj=utm +ellps=GRS80 +zone=32 +lon_0=9 +x_0=500000", nad);
    ASSERT_NE(utm, nullptr);

    const LP far = pj_inv({1e8, 5586252}, utm.get());
    EXPECT_EQ(far.lam, HUGE_VAL);
    EXPECT_EQ(far.phi, HUGE_VAL);
    const XY beyondPole = pj_fwd({0.2, 1.6}, utm.get());
    EXPECT_EQ(beyondPole.x, HUGE_VAL);
    EXPECT_EQ(beyondPole.y, HUGE_VAL);

    EXPECT_NEAR(pj_inv({500000, 0}, utm.get()).lam, 9 * M_PI / 180, 1e-12);

    EXPECT_EQ(pj_fwd({0, 0}, nullptr).x, HUGE_VAL);
    EXPECT_EQ(pj_inv({0, 0}, nullptr).phi, HUGE_VAL);
    pj_free(nullptr);
}

TEST(ProjApi447, PrintsNothing)
{
    // The shipped directory has no proj.db, which PROJ would report on every
    // creation; rejections and failed points would be reported as well.
    ::testing::internal::CaptureStderr();
    {
        init("+proj=lcc +ellps=WGS84", nad);
        init("+proj=lcc +ellps=WGS84 +no_defs", nad);
        init("+proj=utm +ellps=GRS80 +zone=61", nad);
        const auto utm = init("+proj=utm +ellps=GRS80 +zone=32", nad);
        pj_inv({1e8, 0}, utm.get());
        pj_fwd({1e30, 0}, utm.get());
        pj_fwd({0.2, 1.6}, utm.get());
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

} // namespace
} // namespace zelv::proj447
