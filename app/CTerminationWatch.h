#pragma once

#include "views/win/Win32.h"

#include <thread>

// Turns SIGTERM, SIGINT and SIGHUP into a WM_CLOSE posted to a window, so the
// program ends the way a click on the close box ends it and the session is
// saved. The signals are blocked in every thread (BlockSignals must run
// before any thread starts) and read from a signalfd by a watcher thread,
// so nothing runs inside a signal handler.
class CTerminationWatch {
public:
    CTerminationWatch() = default;
    CTerminationWatch(const CTerminationWatch&) = delete;
    CTerminationWatch& operator=(const CTerminationWatch&) = delete;
    ~CTerminationWatch();

    // Blocks the three signals for the calling thread and the threads it
    // starts later. False when the mask could not be set.
    static bool BlockSignals();

    // Starts watching; each signal then posts WM_CLOSE to target. False when
    // the watch could not be set up (the signals then stay blocked).
    bool Start(HWND target);
    void Stop();

private:
    void Watch(HWND target) const;

    int m_signalFd = -1;
    int m_stopFd = -1;
    std::thread m_thread;
};
