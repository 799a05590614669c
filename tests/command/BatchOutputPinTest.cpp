// The batch mode's whole output for a fixed list of 10,000 mixed lines,
// pinned by a checksum: decimal pairs, degrees/minutes/seconds in their
// typed and typeset forms, UTM texts, locators, links, and lines that fail.
// The list is fed through a pipe in pieces that cut lines apart, and as a
// named file; both must give the same lines.  Whatever the reading, the
// number reader, the projection calls or the formatting do for speed, this
// output stays as it is.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace zelv {
namespace {

const std::string program = ZELV_PROGRAM;

// A 64-bit linear congruential generator: the same list on every machine
// and standard library.
class Sequence {
public:
    std::uint32_t next()
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(state_ >> 32);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }
    double between(double low, double high) { return low + (high - low) * (next() / 4294967296.0); }

private:
    std::uint64_t state_ = 26;
};

std::string format(const char* pattern, auto... values)
{
    std::array<char, 256> text{};
    std::snprintf(text.data(), text.size(), pattern, values...);
    return text.data();
}

// One line of the list, without its end.
std::string mixedLine(Sequence& s)
{
    const double latitude = s.between(-80, 84);
    const double longitude = s.between(-180, 180);
    const double lat = latitude < 0 ? -latitude : latitude;
    const double lon = longitude < 0 ? -longitude : longitude;
    const char* ns = latitude < 0 ? "S" : "N";
    const char* ew = longitude < 0 ? "W" : "E";
    const int latD = static_cast<int>(lat);
    const int lonD = static_cast<int>(lon);
    const double latM = (lat - latD) * 60;
    const double lonM = (lon - lonD) * 60;
    switch (s.below(20)) {
    case 0:
    case 1:
    case 2:
    case 3: // the common case: a decimal pair, latitude first
        return format("%.6f, %.6f", latitude, longitude);
    case 4:
        return format("%.5f; %.5f", latitude, longitude);
    case 5: // decimal commas
        return format("%d,%05d %d,%05d", static_cast<int>(latitude), s.below(100000), static_cast<int>(longitude),
                      s.below(100000));
    case 6:
        return format("%.3f %s, %.2f %s", lon, longitude < 0 ? "West" : "Ost", lat, latitude < 0 ? "Süd" : "Nord");
    case 7:
        return format("%s %d°%02d' %s %d°%02d'", longitude < 0 ? "West" : "East", lonD, static_cast<int>(lonM),
                      latitude < 0 ? "South" : "North", latD, static_cast<int>(latM));
    case 8:
        return format("%c%c%d%d%c%c", 'A' + s.below(18), 'A' + s.below(18), s.below(10), s.below(10),
                      'A' + s.below(24), 'a' + s.below(24));
    case 9:
        return format("Lat: %d:%02d:00%s (%.4f) Lon: %d:%02d:00%s (%.4f)", latD, static_cast<int>(latM), ns,
                      latitude, lonD, static_cast<int>(lonM), ew, longitude);
    case 10:
        return format("%d°%02d'%s %d°%02d'%s", latD, static_cast<int>(latM), ns, lonD, static_cast<int>(lonM),
                      longitude < 0 ? "W" : "O");
    case 11:
        return format("%.5f°%s %.5f°%s", lat, ns, lon, ew);
    case 12:
        return format("%d°%02d'%04.1f\"%s %d°%02d'%04.1f\"%s", latD, static_cast<int>(latM),
                      (latM - static_cast<int>(latM)) * 60, ns, lonD, static_cast<int>(lonM),
                      (lonM - static_cast<int>(lonM)) * 60, ew);
    case 13:
        return format("%s %d° %06.3f %s %03d° %06.3f", ns, latD, latM, ew, lonD, lonM);
    case 14: // typeset signs: minus, ring, primes, typographic quotes
        return format("\xE2\x88\x92%d˚ %d′ %d,%d″, %dº %d’ %d”", latD, s.below(60), s.below(60), s.below(10),
                      lonD, s.below(60), s.below(60));
    case 15:
        return s.below(2) ? format("geo:%.5f,%.5f", latitude, longitude)
                          : format("https://www.openstreetmap.org/?mlat=%.5f&mlon=%.5f", latitude, longitude);
    case 16:
        return format("%d%c %d %d", 1 + s.below(61), "CDEFGHJKLMNPQRSTUVWXZ"[s.below(21)], 100000 + s.below(850000),
                      s.below(9400000));
    case 17: // ends in CR LF
        return format("%.6f, %.6f\r", latitude, longitude);
    case 18: // out of range, or no coordinates at all
        switch (s.below(7)) {
        case 0: return format("%.2f, %.2f", 90 + lat, longitude);
        case 1: return format("%.2f, %.2f", latitude, 180 + lon);
        case 2: return "keine Koordinaten";
        case 3: return "";
        case 4: return "   ";
        case 5: return format("Kirche, %.6f, %.6f (Turm)", latitude, longitude);
        default: return format("%.6fe3, x%.6f", latitude, longitude);
        }
    default: // no blank after the comma
        return format("%.6f,%.6f", latitude, longitude);
    }
}

std::string mixedList()
{
    Sequence s;
    std::string list;
    for (int i = 0; i < 10'000; ++i)
        list += mixedLine(s) + (i + 1 < 10'000 ? "\n" : ""); // the last line has no end
    return list;
}

struct Finished {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the program; `input` goes to its standard input through a pipe, in
// pieces of `piece` bytes, while its output is read.
Finished run(const std::vector<std::string>& arguments, const std::string& input, std::size_t piece)
{
    // A program that stops reading early makes the rest of the input fail
    // to write, rather than end the test.
    std::signal(SIGPIPE, SIG_IGN);
    int in[2], out[2], err[2];
    if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]})
        posix_spawn_file_actions_addclose(&actions, fd);
    std::vector<std::string> argvText{program};
    argvText.insert(argvText.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& a : argvText)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    for (int fd : {in[0], out[1], err[1]})
        close(fd);
    Finished finished;
    EXPECT_EQ(spawned, 0) << program;
    if (spawned != 0) {
        for (int fd : {in[1], out[0], err[0]})
            close(fd);
        return finished;
    }

    std::size_t written = 0;
    int toChild = in[1];
    if (input.empty()) {
        close(toChild);
        toChild = -1;
    }
    int open = 2;
    while (open > 0) {
        std::vector<pollfd> fds{{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
        if (toChild >= 0)
            fds.push_back({toChild, POLLOUT, 0});
        if (poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR)
            break;
        std::array<char, 65536> buffer{};
        for (std::size_t i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP)))
                continue;
            const ssize_t n = read(fds[i].fd, buffer.data(), buffer.size());
            if (n > 0) {
                (i == 0 ? finished.out : finished.err).append(buffer.data(), static_cast<std::size_t>(n));
            } else {
                close(fds[i].fd);
                (i == 0 ? out[0] : err[0]) = -1;
                --open;
            }
        }
        if (toChild >= 0 && (fds[2].revents & (POLLOUT | POLLERR))) {
            const ssize_t n = write(toChild, input.data() + written, std::min(piece, input.size() - written));
            if (n > 0)
                written += static_cast<std::size_t>(n);
            if (n <= 0 || written == input.size()) {
                close(toChild);
                toChild = -1;
            }
        }
        if (out[0] < 0 && err[0] < 0)
            break;
    }
    if (toChild >= 0)
        close(toChild);
    int status = 0;
    waitpid(pid, &status, 0);
    finished.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return finished;
}

// FNV-1a over the output, the messages and the exit status.
std::uint64_t checksum(const Finished& f)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const std::string& part : {f.out, std::string(1, '\0'), f.err, std::to_string(f.status)})
        for (unsigned char c : part)
            hash = (hash ^ c) * 1099511628211ULL;
    return hash;
}

std::string hex(std::uint64_t value)
{
    return format("0x%016llx", static_cast<unsigned long long>(value));
}

std::size_t count(const std::string& text, char c)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

struct Pinned {
    std::vector<std::string> options;
    std::uint64_t checksum;
};

class BatchOutputPin : public testing::TestWithParam<Pinned> {};

TEST_P(BatchOutputPin, TenThousandMixedLinesFromPipeAndFile)
{
    const Pinned& pinned = GetParam();
    const std::string list = mixedList();

    // Pieces of a prime size cut lines, and the UTF-8 of a degree sign,
    // anywhere.
    const Finished piped = run(pinned.options, list, 4093);
    ASSERT_EQ(piped.status, 1) << "the list holds lines that fail\n" << piped.err.substr(0, 500);
    const bool csv = pinned.options.size() > 1;
    EXPECT_EQ(count(piped.out, '\n'), 10'000u + (csv ? 1 : 0)) << "one output line per line";
    EXPECT_GT(count(piped.err, '\n'), 100u);
    EXPECT_LT(count(piped.err, '\n'), 1'500u) << "most lines convert";
    const std::string options = pinned.options.size() > 1 ? "--convert --csv" : "--convert";
    EXPECT_EQ(checksum(piped), pinned.checksum)
        << "The output of `zelv-derarar " << options << "` for the 10,000 lines has changed.\n"
        << "If the change is intended (a new notation or column), write " << hex(checksum(piped))
        << " as this case's checksum in " << __FILE__ << ".";

    // The same list as a named file: the same lines, the file's name in the messages.
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("zelv-pin-" + std::to_string(getpid()) + ".txt");
    std::ofstream(file, std::ios::binary) << list;
    std::vector<std::string> withFile = pinned.options;
    withFile.push_back(file.string());
    const Finished named = run(withFile, {}, 0);
    std::filesystem::remove(file);
    EXPECT_EQ(named.status, piped.status);
    EXPECT_TRUE(named.out == piped.out) << "file and pipe give different lines";
    EXPECT_EQ(replaceAll(named.err, file.string() + ":", "(Standardeingabe):"), piped.err);
}

INSTANTIATE_TEST_SUITE_P(Options, BatchOutputPin,
                         testing::Values(Pinned{{"--convert"}, 0xd889d2cd0883bea7},
                                         Pinned{{"--convert", "--csv"}, 0x76528e6fe13482ce}),
                         [](const testing::TestParamInfo<Pinned>& info) {
                             return info.param.options.size() > 1 ? std::string("Csv") : std::string("LocationText");
                         });

} // namespace
} // namespace zelv
