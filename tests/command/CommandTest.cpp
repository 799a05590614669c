// The built program as a process, started with its batch options in an
// environment without any display: its output lines, its standard error and
// its exit status, the CSV's UTM values against PROJ's own, and its use of
// the "nad" directory beside it.
#include "TemporaryDirectory.h"

#include <gtest/gtest.h>
#include <proj.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace zelv {
namespace {

using test_support::TemporaryDirectory;

const std::string program = ZELV_PROGRAM;
const std::string noCoordinates = "keine lesbaren Koordinaten in dieser Zeile";

// No display of any kind; Qt reports every plugin it looks for on standard
// error, so a batch run that stays away from them writes nothing there.
const std::vector<std::string> noDisplay = {
    "PATH=/usr/bin:/bin",
    "LC_ALL=C",
    "QT_QPA_PLATFORM=xcb",
    "QT_DEBUG_PLUGINS=1",
};

struct Finished {
    bool exited = false;
    int status = -1;
    std::string out;
    std::string err;
};

std::string contentOf(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// Runs `executable` with the arguments, `input` on standard input, in the
// environment given; waits for it.
Finished run(const std::vector<std::string>& arguments, const std::string& input = {},
             const std::string& executable = program, const std::vector<std::string>& environment = noDisplay)
{
    const TemporaryDirectory io;
    io.write("in", input);
    const std::string in = (io.path() / "in").string();
    const std::string out = (io.path() / "out").string();
    const std::string err = (io.path() / "err").string();

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);

    std::vector<std::string> argvText{executable};
    argvText.insert(argvText.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& a : argvText)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> envText = environment;
    std::vector<char*> envp;
    for (std::string& e : envText)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    Finished finished;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, executable.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(spawned, 0) << executable;
    if (spawned != 0)
        return finished;
    int status = 0;
    waitpid(pid, &status, 0);
    finished.exited = WIFEXITED(status);
    finished.status = finished.exited ? WEXITSTATUS(status) : -1;
    finished.out = contentOf(out);
    finished.err = contentOf(err);
    return finished;
}

TEST(Command, MixedNotationsWithOneBadLine)
{
    const Finished f = run({"--convert"}, "13.405 Ost, 52.52 Nord\r\n"
                                          "50.41484, 10.76943\n"
                                          "keine Koordinaten\n"
                                          "32U 625712 5586252\n"
                                          "https://www.openstreetmap.org/?mlat=50.41484&mlon=10.76943\n"
                                          "52\xC2\xB0" "31\xE2\x80\xB2N 13\xC2\xB0" "24\xE2\x80\xB2O\n");
    EXPECT_TRUE(f.exited);
    EXPECT_EQ(f.status, 1);
    EXPECT_EQ(f.out, "liegt bei 52.52000°N 13.40500°O;\n"
                     "liegt bei 50.41484°N 10.76943°O;\n"
                     "\n"
                     "liegt bei 50.41484°N 10.76944°O;\n"
                     "liegt bei 50.41484°N 10.76943°O;\n"
                     "liegt bei 52.51667°N 13.40000°O;\n");
    EXPECT_EQ(f.err, "(Standardeingabe):3: " + noCoordinates + "\n");

    const Finished good = run({"--convert", "--csv"}, "50.41484, 10.76943");
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.out, "latitude,longitude,utm_zone,utm_easting,utm_northing,location,tk25,tk25_name\n"
                        "50.414840,10.769430,32,625712,5586252,liegt bei 50.41484°N 10.76943°O;,5530/4,Hildburghausen\n");
    EXPECT_EQ(good.err, "");
}

// PROJ's own UTM for a point, through its C interface: the zone's
// definition with nothing of the program's, rounded half to even as the
// program rounds (the default rounding mode).
struct Utm {
    int zone;
    long long easting;
    long long northing;
};

class Proj {
public:
    Proj() : context_(proj_context_create(), proj_context_destroy) {}

    Utm utm(double latitude, double longitude)
    {
        const int zone = static_cast<int>(std::floor((longitude + 180) / 6)) + 1;
        const std::string definition = "+proj=utm +zone=" + std::to_string(zone) + " +ellps=GRS80";
        const std::unique_ptr<PJ, decltype(&proj_destroy)> p(proj_create(context_.get(), definition.c_str()),
                                                            proj_destroy);
        EXPECT_NE(p, nullptr) << definition;
        if (!p)
            return {};
        const PJ_COORD xy =
            proj_trans(p.get(), PJ_FWD, proj_coord(proj_torad(longitude), proj_torad(latitude), 0, 0));
        return {zone, std::llrint(xy.xy.x), std::llrint(xy.xy.y)};
    }

private:
    std::unique_ptr<PJ_CONTEXT, decltype(&proj_context_destroy)> context_;
};

TEST(Command, CsvAgainstProjInEveryZoneAndBothHemispheres)
{
    std::string input;
    std::vector<std::pair<std::string, std::string>> points; // latitude, longitude texts
    const char* latitudes[] = {"-79.999999", "-33.924866", "-0.000500", "0.000001", "47.512345", "83.999999"};
    for (int zone = 1; zone <= 60; ++zone) {
        char west[32];
        char east[32];
        std::snprintf(west, sizeof west, "%.6f", 6.0 * zone - 180 - 5.999999); // inside the zone's west edge
        std::snprintf(east, sizeof east, "%.6f", 6.0 * zone - 180 - 0.000001); // and its east edge
        for (const char* latitude : latitudes)
            for (const char* longitude : {west, east})
                points.emplace_back(latitude, longitude);
    }
    for (const auto& [latitude, longitude] : points)
        input += latitude + ", " + longitude + "\n";

    const Finished f = run({"--convert", "--csv"}, input);
    ASSERT_EQ(f.status, 0) << f.err;
    std::istringstream rows(f.out);
    std::string row;
    std::getline(rows, row);
    EXPECT_EQ(row, "latitude,longitude,utm_zone,utm_easting,utm_northing,location,tk25,tk25_name");
    Proj proj;
    for (const auto& [latitude, longitude] : points) {
        ASSERT_TRUE(std::getline(rows, row));
        SCOPED_TRACE(row);
        std::istringstream columns(row);
        std::string lat, lon, zone, easting, northing;
        std::getline(columns, lat, ',');
        std::getline(columns, lon, ',');
        std::getline(columns, zone, ',');
        std::getline(columns, easting, ',');
        std::getline(columns, northing, ',');
        EXPECT_EQ(lat, latitude);
        EXPECT_EQ(lon, longitude);
        const Utm expected = proj.utm(std::stod(latitude), std::stod(longitude));
        EXPECT_EQ(zone, std::to_string(expected.zone));
        EXPECT_EQ(easting, std::to_string(expected.easting));
        EXPECT_EQ(northing, std::to_string(expected.northing));
    }
    EXPECT_FALSE(std::getline(rows, row)) << "one row too many: " << row;
}

TEST(Command, HelpUnknownOptionAndMissingFile)
{
    const Finished help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Aufruf: zelv-derarar", 0), 0u) << help.out;
    for (const char* example : {"13.405 Ost, 52.52 Nord", "JO62QM", "geo:50.41484,10.76943", "32U 625712 5586252",
                                "N 50° 24.890 E 010° 46.166", "33UUU 91779 20072", "9F4MGCC4+22 Berlin"})
        EXPECT_NE(help.out.find(example), std::string::npos) << example;
    EXPECT_EQ(help.err, "");

    const Finished unknown = run({"--convert", "--schnell"}, "50.41484, 10.76943\n");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.out, "");
    EXPECT_EQ(unknown.err.rfind("zelv-derarar: unbekannte Option „--schnell“\n", 0), 0u) << unknown.err;

    const TemporaryDirectory files;
    files.write("orte.txt", "50.41484, 10.76943\n");
    const std::string missing = (files.path() / "fehlt.txt").string();
    const Finished absent = run({"--convert", (files.path() / "orte.txt").string(), missing});
    EXPECT_EQ(absent.status, 2);
    EXPECT_EQ(absent.out, "");
    EXPECT_EQ(absent.err, "zelv-derarar: Datei „" + missing + "“ kann nicht geöffnet werden\n");
}

TEST(Command, RunsWithoutAnyDisplayOrPlatformPlugin)
{
    const Finished batch = run({"--convert", "--csv"}, "50.41484, 10.76943\n");
    EXPECT_EQ(batch.status, 0);
    EXPECT_EQ(batch.out.substr(batch.out.find('\n') + 1),
              "50.414840,10.769430,32,625712,5586252,liegt bei 50.41484°N 10.76943°O;,5530/4,Hildburghausen\n");
    EXPECT_EQ(batch.err, "") << "no plugin looked for, nothing said";

    // The same environment does keep the window from starting: the batch
    // run above had no display to fall back on.
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    const Finished window = run({});
    EXPECT_FALSE(window.exited && window.status == 0);
    EXPECT_NE(window.err.find("xcb"), std::string::npos) << window.err;
}

TEST(Command, NadDirectoryBesideTheProgram)
{
    // A copy of the program without "nad" beside it.
    const TemporaryDirectory copy;
    const std::filesystem::path executable = copy.path() / "zelv-derarar";
    std::filesystem::copy_file(program, executable);
    const Finished f = run({"--convert"}, "50.41484, 10.76943\n", executable.string());
    EXPECT_EQ(f.status, 2);
    EXPECT_EQ(f.out, "");
    EXPECT_EQ(f.err, "zelv-derarar: Initialization file \"proj_def.dat\" in path \""
                         + (std::filesystem::canonical(copy.path()) / "nad").string() + "\" not found!\n");

    // With the data copied beside it, the copy converts.
    std::filesystem::copy(std::filesystem::path(program).parent_path() / "nad", copy.path() / "nad");
    const Finished withNad = run({"--convert"}, "50.41484, 10.76943\n", executable.string());
    EXPECT_EQ(withNad.status, 0) << withNad.err;
    EXPECT_EQ(withNad.out, "liegt bei 50.41484°N 10.76943°O;\n");
}

} // namespace
} // namespace zelv
