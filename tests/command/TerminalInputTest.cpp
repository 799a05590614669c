// The batch mode with a person at a terminal: lines typed one by one each
// get their result at once, before the next line is typed and before the
// input ends, although lines from a file or a pipe go out in large blocks.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

extern char** environ;

namespace zelv {
namespace {

const std::string program = ZELV_PROGRAM;

// What arrives on `fd` until `expected` is complete or 10 seconds pass.
std::string readUntil(int fd, const std::string& expected)
{
    std::string got;
    while (got.size() < expected.size()) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 10'000) <= 0)
            break;
        char buffer[4096];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        got.append(buffer, static_cast<std::size_t>(n));
    }
    return got;
}

// The program in batch mode with the given file actions, which it uses up;
// its process id, or 0 if it did not start.
pid_t startConvert(posix_spawn_file_actions_t& actions)
{
    std::string name = program, convert = "--convert";
    char* argv[] = {name.data(), convert.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ) != 0)
        pid = 0;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

TEST(TerminalInput, EachTypedLineIsAnsweredBeforeTheNext)
{
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    ASSERT_EQ(grantpt(terminal), 0);
    ASSERT_EQ(unlockpt(terminal), 0);
    const std::string typedSide = ptsname(terminal);
    int out[2];
    ASSERT_EQ(pipe(out), 0);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, typedSide.c_str(), O_RDONLY | O_NOCTTY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    posix_spawn_file_actions_addclose(&actions, terminal);
    const pid_t pid = startConvert(actions);
    ASSERT_GT(pid, 0);
    close(out[1]);

    // The terminal echoes what is typed on its own side, not into the
    // program's output, which goes to the pipe.
    for (const auto& [typed, answer] : {std::pair<std::string, std::string>{"50.41484, 10.76943\n",
                                                                            "liegt bei 50.41484°N 10.76943°O;\n"},
                                        {"52°31'N 13°24'O\n", "liegt bei 52.51667°N 13.40000°O;\n"}}) {
        ASSERT_EQ(write(terminal, typed.data(), typed.size()), static_cast<ssize_t>(typed.size()));
        EXPECT_EQ(readUntil(out[0], answer), answer) << "no answer to " << typed << "while the input is open";
    }

    // Ctrl-D at the start of a line ends the input.
    ASSERT_EQ(write(terminal, "\x04", 1), 1);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    close(out[0]);
    close(terminal);
}

// Bytes waiting in a pipe.
int pending(int fd)
{
    int n = -1;
    return ioctl(fd, FIONREAD, &n) == 0 ? n : -1;
}

// Whether the process sits in read() on its standard input; the kernel
// shows a waiting process's system call and its arguments, "0 0x0 ..."
// on x86-64 and "63 0x0 ..." on arm64.
bool waitsReadingStandardInput(pid_t pid)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/syscall");
    long number = -1;
    std::string firstArgument;
    file >> number >> firstArgument;
#if defined(__x86_64__)
    const long readCall = 0;
#elif defined(__aarch64__)
    const long readCall = 63;
#else
    const long readCall = -1; // unknown here; the test is skipped
#endif
    return number == readCall && firstArgument == "0x0";
}

// A converted line waits in the program's buffer while it reads the next
// line from a pipe: standard input is not tied to standard output there,
// which would write every row by itself.
TEST(PipedInput, LinesAreNotWrittenOneByOne)
{
#if !defined(__x86_64__) && !defined(__aarch64__)
    GTEST_SKIP() << "the number of read() is known for x86-64 and arm64 only";
#endif
    int in[2], out[2];
    ASSERT_EQ(pipe(in), 0);
    ASSERT_EQ(pipe(out), 0);
    const std::string line = "50.41484, 10.76943\n";
    ASSERT_EQ(write(in[1], line.data(), line.size()), static_cast<ssize_t>(line.size()));

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    for (const int fd : {in[0], in[1], out[0], out[1]})
        posix_spawn_file_actions_addclose(&actions, fd);
    const pid_t pid = startConvert(actions);
    ASSERT_GT(pid, 0);
    close(out[1]);

    // Until the line is taken and the program waits for the next one; the
    // bound only ends a hung run.
    bool waiting = false;
    for (int i = 0; i < 60'000 && !waiting; ++i) {
        waiting = pending(in[0]) == 0 && waitsReadingStandardInput(pid);
        if (!waiting)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(waiting) << "the program never waited for a second line";
    if (waiting) {
        EXPECT_EQ(pending(out[0]), 0) << "the first row was written before the next line was read";
    }

    // At the end of the input the row arrives all the same.
    close(in[1]);
    close(in[0]);
    const std::string answer = "liegt bei 50.41484°N 10.76943°O;\n";
    EXPECT_EQ(readUntil(out[0], answer), answer);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    close(out[0]);
}

} // namespace
} // namespace zelv
