#pragma once

#include "views/win/Win32.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace wintest {

// Guards a test that waits in GetMessage: when the test is still running
// after `limit`, the watchdog records a failure and posts WM_QUIT to the
// thread that made it, so the wait ends and the test fails instead of hanging.
// When the quit has not ended the wait after another `limit`, it ends the
// process with exit code 1.
class LoopWatchdog {
public:
    explicit LoopWatchdog(std::chrono::milliseconds limit = std::chrono::seconds(10));
    ~LoopWatchdog();
    LoopWatchdog(const LoopWatchdog&) = delete;
    LoopWatchdog& operator=(const LoopWatchdog&) = delete;

    // True when the limit passed and the watchdog stepped in.
    bool Fired() const;

private:
    void Watch(std::chrono::milliseconds limit, DWORD threadId);

    mutable std::mutex m_mutex;
    std::condition_variable m_stopped;
    bool m_stop = false;
    bool m_fired = false;
    std::thread m_thread;
};

} // namespace wintest
