// The game as a process: a termination signal closes its window the normal
// way, so it ends with the loop's exit code instead of being killed.

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// True once the process blocks SIGHUP, SIGINT and SIGTERM, which it does
// before it starts any thread or creates its window.
bool BlocksTerminationSignals(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("SigBlk:", 0) == 0) {
            const unsigned long long mask = std::stoull(line.substr(7), nullptr, 16);
            const unsigned long long wanted =
                (1ull << (SIGHUP - 1)) | (1ull << (SIGINT - 1)) | (1ull << (SIGTERM - 1));
            return (mask & wanted) == wanted;
        }
    }
    return false;
}

class TerminationTest : public ::testing::TestWithParam<int> {};

} // namespace

TEST_P(TerminationTest, SignalClosesTheWindowAndTheGameExitsNormally) {
    const auto data =
        std::filesystem::temp_directory_path() / ("kalmora-signal-" + std::to_string(::getpid()));
    std::filesystem::create_directories(data);
    ::setenv("LOCALAPPDATA", data.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    char* argv[] = {const_cast<char*>(KALMORA_EXECUTABLE), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, KALMORA_EXECUTABLE, nullptr, nullptr, argv, environ), 0);
    for (int i = 0; i < 2000 && !BlocksTerminationSignals(pid); ++i) {
        ::usleep(5000);
    }
    ASSERT_TRUE(BlocksTerminationSignals(pid)) << "the game did not start";
    ::kill(pid, GetParam());
    int status = 0;
    pid_t ended = 0;
    for (int i = 0; i < 2000 && ended == 0; ++i) {
        ended = ::waitpid(pid, &status, WNOHANG);
        ::usleep(5000);
    }
    if (ended == 0) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
        FAIL() << "the game did not end after the signal";
    }
    EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    std::filesystem::remove_all(data);
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminationTest, ::testing::Values(SIGTERM, SIGINT, SIGHUP));
