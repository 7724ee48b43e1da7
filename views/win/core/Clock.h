#pragma once

// The layer's clock: timers, message times and double clicks read it. Tests
// put a clock of their own in place so nothing has to sleep.

#include <chrono>
#include <functional>

namespace kwin {

using Clock = std::chrono::steady_clock;

Clock::time_point Now();
// nullptr gives back the real clock.
void SetClockForTesting(std::function<Clock::time_point()> clock);

} // namespace kwin
