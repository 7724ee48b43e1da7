#include "ChildProcess.h"

#include <boost/filesystem/operations.hpp>

#include <cstdio>
#include <exception>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = boost::filesystem;

namespace {

constexpr uid_t PlayerId = 65534;

int ExitCodeOf(int status) {
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

void HandOver(const fs::path& folder) {
    if (::chown(folder.c_str(), PlayerId, PlayerId) != 0) {
        throw std::runtime_error("cannot hand over " + folder.string());
    }
}

} // namespace

bool RunningAsRoot() {
    return ::geteuid() == 0;
}

int RunInChild(const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) {
        throw std::runtime_error("fork failed");
    }
    if (child == 0) {
        int code = 99;
        try {
            code = body();
        } catch (const std::exception& error) {
            std::fprintf(stderr, "child: %s\n", error.what());
        }
        std::fflush(nullptr);
        ::_exit(code);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
    }
    return ExitCodeOf(status);
}

int RunAsPlayer(const std::vector<fs::path>& folders, const std::function<int()>& body) {
    for (const fs::path& folder : folders) {
        if (RunningAsRoot()) {
            HandOver(folder);
        }
    }
    return RunInChild([&] {
        if (RunningAsRoot() && (::setgid(PlayerId) != 0 || ::setuid(PlayerId) != 0)) {
            return 98;
        }
        return body();
    });
}
