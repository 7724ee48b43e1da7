#pragma once

#include "views/win/core/Clock.h"

#include <chrono>

// The layer's clock, moved by hand while the object lives.
struct FakeClock {
    kwin::Clock::time_point now = kwin::Clock::now();
    FakeClock() {
        kwin::SetClockForTesting([this] { return now; });
    }
    ~FakeClock() { kwin::SetClockForTesting(nullptr); }
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;
    void Advance(int ms) { now += std::chrono::milliseconds(ms); }
};
