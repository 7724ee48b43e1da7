// The posted queue, TranslateMessage, timers, subclassing (where SendMessage
// hands back the procedure's result) and the window objects. Posted messages
// in order and WM_QUIT after them are seen through CMessageLoop in
// MessageLoopTest.

#include "tests/support/FakeClock.h"
#include "tests/support/LoopWatchdog.h"
#include "tests/support/MessageLog.h"

#include "views/win/core/Clock.h"
#include "views/win/framework/CWindow.h"

#include <chrono>

using namespace wintest;

namespace {

WNDPROC g_previous = nullptr;
LRESULT SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER + 1) {
        return 100;
    }
    return CallWindowProc(g_previous, hwnd, message, wParam, lParam);
}

} // namespace

// One message-only window: subclassing it (SendMessage hands back the
// procedure's result), PeekMessage's filters, TranslateMessage, GetMessage
// waiting for a timer on the real clock, then a window timer on a fake clock
// until it is killed and dies with its window.
TEST(MessageTest, SubclassingPeekingTranslatingAndTimersOnOneWindow) {
    const LoopWatchdog watchdog;
    HWND hwnd =
        CreateWindowEx(0, SpyClass(), "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    Log().Clear();
    g_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
    EXPECT_EQ(g_previous, SpyProc);
    EXPECT_EQ(SendMessage(hwnd, WM_USER + 1, 0, 0), 100);
    EXPECT_EQ(SendMessage(hwnd, WM_USER + 2, 5, 6), 0);
    EXPECT_TRUE(Log().Matches({{WM_USER + 2, CheckBoth, 5, 6}}))
        << "only the message not handled reaches the spy";

    // PeekMessage filters and leaves messages in the queue when asked.
    Log().Clear();
    PostMessage(hwnd, WM_USER + 1, 0, 0);
    PostMessage(hwnd, WM_TIMER, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_TIMER);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 1) << "left in the queue by PM_NOREMOVE";
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));

    PostMessage(hwnd, WM_KEYDOWN, 'A', 0x001E0001);
    PostMessage(hwnd, WM_KEYDOWN, VK_NUMPAD5, 0x004C0001);
    PostMessage(hwnd, WM_KEYDOWN, VK_LEFT, 0x014B0001);
    PumpMessages();
    EXPECT_TRUE(Log().Matches({{WM_KEYDOWN, CheckW, 'A'},
                               {WM_KEYDOWN, CheckW, VK_NUMPAD5},
                               {WM_KEYDOWN, CheckW, VK_LEFT},
                               {WM_CHAR, CheckBoth, 'a', 0x001E0001},
                               {WM_CHAR, CheckW, '5'}}));

    // The real clock: GetMessage must wait, then hand out the timer.
    SetTimer(hwnd, 5, 10, nullptr);
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(msg.wParam, 5u);
    KillTimer(hwnd, 5);

    // A window timer delivers its id until killed.
    FakeClock clock;
    ASSERT_NE(SetTimer(hwnd, 1, 100, nullptr), 0u);
    Log().Clear();
    clock.Advance(99);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) << "not due yet";
    clock.Advance(1);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(msg.hwnd, hwnd);
    EXPECT_EQ(msg.wParam, 1u);
    DispatchMessage(&msg);
    EXPECT_TRUE(Log().Matches({{WM_TIMER, CheckW, 1, 0, hwnd}}));
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) << "one WM_TIMER per period";
    clock.Advance(100);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 1u);
    EXPECT_TRUE(KillTimer(hwnd, 1));
    EXPECT_FALSE(KillTimer(hwnd, 1));
    clock.Advance(500);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));

    // A due timer comes after the posted messages; a window's timers die with it.
    SetTimer(hwnd, 2, 10, nullptr);
    clock.Advance(10);
    PostMessage(hwnd, WM_USER, 0, 0);
    Log().Clear();
    PumpMessages();
    EXPECT_TRUE(Log().Matches({{WM_USER}, {WM_TIMER, CheckW, 2}}));
    DestroyWindow(hwnd);
    clock.Advance(20);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
}

namespace {

class CCounter : public CWindow {
public:
    std::vector<UINT> seen;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        seen.push_back(message);
        if (message == WM_USER + 9) {
            return 99;
        }
        return CWindow::WindowProc(message, wParam, lParam);
    }
    bool finalCalled = false;
    void OnFinalMessage(HWND) override { finalCalled = true; }
};

} // namespace

// A window object gets its window's messages until it or its parent is
// destroyed; subclassing a static, it passes the rest on.
TEST(CWindowTest, MessagesReachTheObjectUntilItOrItsParentIsDestroyedAndSubclassingPassesTheRest) {
    CCounter counter;
    HWND hwnd = counter.Create(HWND_MESSAGE);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(counter.m_hWnd, hwnd);
    EXPECT_EQ(CWindow::FromHandle(hwnd), &counter);
    ASSERT_GE(counter.seen.size(), 2u);
    EXPECT_EQ(counter.seen[0], WM_NCCREATE);
    EXPECT_EQ(counter.seen[1], WM_CREATE);
    EXPECT_EQ(SendMessage(hwnd, WM_USER + 9, 0, 0), 99);
    EXPECT_TRUE(counter.DestroyWindow());
    EXPECT_EQ(counter.m_hWnd, nullptr);
    EXPECT_TRUE(counter.finalCalled);
    EXPECT_FALSE(IsWindow(hwnd));

    CCounter parent;
    CCounter child;
    parent.Create(HWND_MESSAGE);
    child.Create(parent, RECT{0, 0, 10, 10});
    EXPECT_EQ(child.GetParent(), parent.m_hWnd);
    parent.DestroyWindow();
    EXPECT_EQ(child.m_hWnd, nullptr) << "a child object loses its handle with its parent";
    EXPECT_TRUE(child.finalCalled);

    // A window object may subclass a static and pass the rest to it.
    HWND holder = CreateWindowEx(0, SpyClass(), "", 0, 0, 0, 100, 100, HWND_MESSAGE, nullptr,
                                 nullptr, nullptr);
    HWND stat = CreateWindowEx(0, "STATIC", "GridCtrl", WS_CHILD | WS_VISIBLE, 12, 12, 50, 50,
                               holder, nullptr, nullptr, nullptr);
    ASSERT_NE(stat, nullptr);
    {
        CCounter subclasser;
        ASSERT_TRUE(subclasser.SubclassWindow(stat));
        EXPECT_EQ(SendMessage(stat, WM_USER + 9, 0, 0), 99);
        EXPECT_EQ(SendMessage(stat, WM_NCHITTEST, 0, 0), HTTRANSPARENT)
            << "the static still answers";
        char text[16];
        GetWindowText(stat, text, sizeof(text));
        EXPECT_STREQ(text, "GridCtrl");
    }
    EXPECT_TRUE(IsWindow(stat)) << "a subclassed window outlives its object";
    EXPECT_EQ(SendMessage(stat, WM_USER + 9, 0, 0), 0);
    DestroyWindow(holder);
    EXPECT_FALSE(IsWindow(stat));
}
