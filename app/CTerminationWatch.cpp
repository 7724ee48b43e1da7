#include "app/CTerminationWatch.h"

#include <csignal>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

sigset_t TerminationSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    return set;
}

void CloseFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

} // namespace

CTerminationWatch::~CTerminationWatch() {
    Stop();
}

bool CTerminationWatch::BlockSignals() {
    const sigset_t set = TerminationSignals();
    return pthread_sigmask(SIG_BLOCK, &set, nullptr) == 0;
}

bool CTerminationWatch::Start(HWND target) {
    if (m_thread.joinable()) {
        return false;
    }
    const sigset_t set = TerminationSignals();
    m_signalFd = ::signalfd(-1, &set, SFD_CLOEXEC);
    m_stopFd = ::eventfd(0, EFD_CLOEXEC);
    if (m_signalFd < 0 || m_stopFd < 0) {
        CloseFd(m_signalFd);
        CloseFd(m_stopFd);
        return false;
    }
    m_thread = std::thread([this, target] { Watch(target); });
    return true;
}

void CTerminationWatch::Stop() {
    if (m_thread.joinable()) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(m_stopFd, &one, sizeof one);
        m_thread.join();
    }
    CloseFd(m_signalFd);
    CloseFd(m_stopFd);
}

void CTerminationWatch::Watch(HWND target) const {
    pollfd fds[2] = {{m_signalFd, POLLIN, 0}, {m_stopFd, POLLIN, 0}};
    for (;;) {
        if (::poll(fds, 2, -1) < 0) {
            continue; // interrupted; the signals of interest are blocked
        }
        if (fds[1].revents != 0) {
            return;
        }
        if (fds[0].revents & POLLIN) {
            signalfd_siginfo info;
            if (::read(m_signalFd, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
                // PostMessage is safe from any thread and wakes the loop.
                ::PostMessage(target, WM_CLOSE, 0, 0);
            }
        }
    }
}
