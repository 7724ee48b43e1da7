// The game as a process: a termination signal closes its window the normal
// way, so it ends with the loop's exit code instead of being killed.

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
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

// Starts the game with LOCALAPPDATA at `data`, sends it `signal` once it is
// up, and returns its wait status.
int RunUntilSignal(const std::filesystem::path& data, int signal) {
    ::setenv("LOCALAPPDATA", data.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    char* argv[] = {const_cast<char*>(KALMORA_EXECUTABLE), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, KALMORA_EXECUTABLE, nullptr, nullptr, argv, environ) != 0) {
        ADD_FAILURE() << "the game could not be started";
        return -1;
    }
    for (int i = 0; i < 2000 && !BlocksTerminationSignals(pid); ++i) {
        ::usleep(5000);
    }
    EXPECT_TRUE(BlocksTerminationSignals(pid)) << "the game did not start";
    ::kill(pid, signal);
    int status = 0;
    pid_t ended = 0;
    for (int i = 0; i < 2000 && ended == 0; ++i) {
        ended = ::waitpid(pid, &status, WNOHANG);
        ::usleep(5000);
    }
    if (ended == 0) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
        ADD_FAILURE() << "the game did not end after the signal";
    }
    return status;
}

std::filesystem::path FreshDataFolder(const std::string& name) {
    const auto data = std::filesystem::temp_directory_path() /
                      ("kalmora-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(data);
    std::filesystem::create_directories(data);
    return data;
}

class TerminationTest : public ::testing::TestWithParam<int> {};

} // namespace

TEST_P(TerminationTest, SignalClosesTheWindowAndTheSessionIsSaved) {
    const auto data = FreshDataFolder("signal");
    const int status = RunUntilSignal(data, GetParam());
    EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(std::filesystem::is_regular_file(data / "Kalmora" / "default.dat"));
    std::filesystem::remove_all(data);
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminationTest, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

// A file-size limit makes the autosave fail; the game still ends normally and
// leaves no half-written file behind.
TEST(FileSizeLimitTest, AFailedAutosaveDoesNotKillTheGame) {
    const auto data = FreshDataFolder("fsize");
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 16;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const int status = RunUntilSignal(data, SIGTERM);
    ::setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const auto folder = data / "Kalmora";
    if (std::filesystem::exists(folder)) {
        EXPECT_TRUE(std::filesystem::is_empty(folder)) << "a partial file was left";
    }
    std::filesystem::remove_all(data);
}
