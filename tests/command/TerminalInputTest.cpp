// The batch mode with a person at a terminal: lines typed one by one each
// get their result at once, before the next line is typed and before the
// input ends, although lines from a file or a pipe go out in large blocks.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

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
    std::string name = program, convert = "--convert";
    char* argv[] = {name.data(), convert.data(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
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

} // namespace
} // namespace zelv
