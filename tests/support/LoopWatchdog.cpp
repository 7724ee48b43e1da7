#include "tests/support/LoopWatchdog.h"

#include <gtest/gtest.h>

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
}

} // namespace wintest
