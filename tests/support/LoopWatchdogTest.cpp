// The watchdog that keeps a waiting test from hanging the run.

#include "tests/support/LoopWatchdog.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <thread>

namespace {

using namespace std::chrono_literals;

TEST(LoopWatchdog, EndsAWaitThatNothingElseWouldEndAndFailsTheTest) {
    EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(
        {
            wintest::LoopWatchdog watchdog(50ms);
            MSG msg;
            EXPECT_EQ(GetMessage(&msg, nullptr, 0, 0), FALSE);
            EXPECT_EQ(msg.wParam, 1u);
            EXPECT_TRUE(watchdog.Fired());
        },
        "the watchdog ended the wait");
}

TEST(LoopWatchdog, StaysQuietWhenTheWaitEndsInTime) {
    wintest::LoopWatchdog watchdog(10s);
    PostQuitMessage(0);
    MSG msg;
    EXPECT_EQ(GetMessage(&msg, nullptr, 0, 0), FALSE);
    EXPECT_FALSE(watchdog.Fired());
}

TEST(LoopWatchdogDeathTest, EndsTheProcessWhenTheQuitCannotEndTheWait) {
    EXPECT_EXIT(
        {
            wintest::LoopWatchdog watchdog(50ms);
            std::this_thread::sleep_for(10s); // not waiting for messages at all
        },
        testing::ExitedWithCode(1), "the posted quit did not end the wait either");
}

} // namespace
