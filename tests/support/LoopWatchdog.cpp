#include "tests/support/LoopWatchdog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace wintest {

LoopWatchdog::LoopWatchdog(std::chrono::milliseconds limit)
    : m_thread(&LoopWatchdog::Watch, this, limit, GetCurrentThreadId()) {}

LoopWatchdog::~LoopWatchdog() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_stopped.notify_one();
    m_thread.join();
}

bool LoopWatchdog::Fired() const {
    const std::lock_guard lock(m_mutex);
    return m_fired;
}

void LoopWatchdog::Watch(std::chrono::milliseconds limit, DWORD threadId) {
    std::unique_lock lock(m_mutex);
    if (m_stopped.wait_for(lock, limit, [this] { return m_stop; })) {
        return;
    }
    m_fired = true;
    lock.unlock();
    ADD_FAILURE() << "the test was still waiting for a message after " << limit.count()
                  << " ms; the watchdog ended the wait";
    PostThreadMessage(threadId, WM_QUIT, 1, 0);
    // A wait that the quit cannot end either (a filter that leaves it queued,
    // a queue that is never woken) would hang the run: end the process.
    lock.lock();
    if (!m_stopped.wait_for(lock, limit, [this] { return m_stop; })) {
        std::fprintf(stderr, "watchdog: the posted quit did not end the wait either; "
                             "ending the process\n");
        std::_Exit(1);
    }
}

} // namespace wintest
