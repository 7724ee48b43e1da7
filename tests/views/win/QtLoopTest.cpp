// GetMessage waits inside Qt's event processing: Qt events keep flowing while
// it waits, and a message posted by one of them, a window timer or a post
// from another thread ends the wait.

#include "tests/support/LoopWatchdog.h"
#include "tests/support/MessageLog.h"

#include "views/win/qt/QtBackend.h"

#include <QTimer>

#include <thread>

using namespace wintest;

TEST(QtLoopTest, GetMessageRunsQtEventsWhileItWaitsAndEachWakeEndsTheWait) {
    const LoopWatchdog watchdog;
    kwin::qt::InstallQtBackend();
    HWND hwnd =
        CreateWindowEx(0, SpyClass(0), "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    PumpMessages();
    MSG msg;

    // A Qt event runs while GetMessage waits, and its post ends the wait.
    bool qtTimerRan = false;
    QTimer::singleShot(10, [hwnd, &qtTimerRan] {
        qtTimerRan = true;
        PostMessage(hwnd, WM_USER + 4, 4, 0);
    });
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), TRUE);
    EXPECT_TRUE(qtTimerRan);
    EXPECT_EQ(msg.message, WM_USER + 4);
    EXPECT_EQ(msg.hwnd, hwnd);

    // So does a window timer.
    SetTimer(hwnd, 1, 15, nullptr);
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(msg.wParam, 1u);
    KillTimer(hwnd, 1);

    // And a post from another thread.
    std::thread poster([hwnd] { PostMessage(hwnd, WM_USER + 8, 8, 0); });
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), TRUE);
    poster.join();
    EXPECT_EQ(msg.message, WM_USER + 8);

    // WM_QUIT ends it with FALSE and the exit code.
    QTimer::singleShot(5, [] { PostQuitMessage(3); });
    EXPECT_EQ(GetMessage(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.wParam, 3u);
    DestroyWindow(hwnd);
}
