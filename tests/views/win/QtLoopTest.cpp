// GetMessage waits inside Qt's event processing: Qt events keep flowing while
// it waits, and a message posted by one of them, a window timer or a post
// from another thread ends the wait.

#include "tests/support/LoopWatchdog.h"
#include "tests/support/MessageLog.h"

#include "views/win/qt/QtBackend.h"

#include <QTimer>

#include <thread>

using namespace wintest;

namespace {

class QtLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        kwin::qt::InstallQtBackend();
        m_hwnd = CreateWindowEx(0, SpyClass(0), "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                nullptr);
        PumpMessages();
        Log().Clear();
    }
    void TearDown() override { DestroyWindow(m_hwnd); }
    HWND m_hwnd = nullptr;
    LoopWatchdog m_watchdog;
};

} // namespace

TEST_F(QtLoopTest, QtEventsRunWhileGetMessageWaitsAndTheirPostEndsIt) {
    bool qtTimerRan = false;
    QTimer::singleShot(10, [this, &qtTimerRan] {
        qtTimerRan = true;
        PostMessage(m_hwnd, WM_USER + 4, 4, 0);
    });
    MSG msg;
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), TRUE);
    EXPECT_TRUE(qtTimerRan);
    EXPECT_EQ(msg.message, WM_USER + 4);
    EXPECT_EQ(msg.hwnd, m_hwnd);
}

TEST_F(QtLoopTest, WindowTimerEndsTheWait) {
    SetTimer(m_hwnd, 1, 15, nullptr);
    MSG msg;
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(msg.wParam, 1u);
    KillTimer(m_hwnd, 1);
}

TEST_F(QtLoopTest, PostFromAnotherThreadWakesTheLoop) {
    std::thread poster([this] { PostMessage(m_hwnd, WM_USER + 8, 8, 0); });
    MSG msg;
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), TRUE);
    poster.join();
    EXPECT_EQ(msg.message, WM_USER + 8);
}

TEST_F(QtLoopTest, QuitEndsTheWait) {
    QTimer::singleShot(5, [] { PostQuitMessage(3); });
    MSG msg;
    EXPECT_EQ(GetMessage(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.wParam, 3u);
}
