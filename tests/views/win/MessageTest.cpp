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

class MessageTest : public ::testing::Test {
protected:
    void SetUp() override {
        Log().Clear();
        m_hwnd = CreateWindowEx(0, SpyClass(), "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                nullptr);
        Log().Clear();
    }
    void TearDown() override {
        if (IsWindow(m_hwnd)) {
            DestroyWindow(m_hwnd);
        }
        PumpMessages();
    }
    HWND m_hwnd = nullptr;
    LoopWatchdog m_watchdog;
};

WNDPROC g_previous = nullptr;
LRESULT SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER + 1) {
        return 100;
    }
    return CallWindowProc(g_previous, hwnd, message, wParam, lParam);
}

} // namespace

TEST_F(MessageTest, PeekMessageFiltersAndTranslateMessagePostsCharsAndGetMessageWaitsForATimer) {
    PostMessage(m_hwnd, WM_USER + 1, 0, 0);
    PostMessage(m_hwnd, WM_TIMER, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_TIMER);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 1) << "left in the queue by PM_NOREMOVE";
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));

    PostMessage(m_hwnd, WM_KEYDOWN, 'A', 0x001E0001);
    PostMessage(m_hwnd, WM_KEYDOWN, VK_NUMPAD5, 0x004C0001);
    PostMessage(m_hwnd, WM_KEYDOWN, VK_LEFT, 0x014B0001);
    PumpMessages();
    EXPECT_TRUE(Log().Matches({{WM_KEYDOWN, CheckW, 'A'},
                               {WM_KEYDOWN, CheckW, VK_NUMPAD5},
                               {WM_KEYDOWN, CheckW, VK_LEFT},
                               {WM_CHAR, CheckBoth, 'a', 0x001E0001},
                               {WM_CHAR, CheckW, '5'}}));

    // The real clock: GetMessage must wait, then hand out the timer.
    SetTimer(m_hwnd, 5, 10, nullptr);
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(msg.wParam, 5u);
    KillTimer(m_hwnd, 5);
}

TEST_F(MessageTest, WindowTimerDeliversItsIdUntilKilled) {
    FakeClock clock;
    ASSERT_NE(SetTimer(m_hwnd, 1, 100, nullptr), 0u);
    MSG msg;
    clock.Advance(99);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) << "not due yet";
    clock.Advance(1);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(msg.hwnd, m_hwnd);
    EXPECT_EQ(msg.wParam, 1u);
    DispatchMessage(&msg);
    EXPECT_TRUE(Log().Matches({{WM_TIMER, CheckW, 1, 0, m_hwnd}}));
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) << "one WM_TIMER per period";
    clock.Advance(100);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 1u);
    EXPECT_TRUE(KillTimer(m_hwnd, 1));
    EXPECT_FALSE(KillTimer(m_hwnd, 1));
    clock.Advance(500);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));

    // A due timer comes after the posted messages; a window's timers die with it.
    SetTimer(m_hwnd, 2, 10, nullptr);
    clock.Advance(10);
    PostMessage(m_hwnd, WM_USER, 0, 0);
    Log().Clear();
    PumpMessages();
    EXPECT_TRUE(Log().Matches({{WM_USER}, {WM_TIMER, CheckW, 2}}));
    DestroyWindow(m_hwnd);
    clock.Advance(20);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageTest, SubclassingReplacesTheProcedureAndCallsThePreviousOne) {
    g_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
    EXPECT_EQ(g_previous, SpyProc);
    EXPECT_EQ(SendMessage(m_hwnd, WM_USER + 1, 0, 0), 100);
    EXPECT_EQ(SendMessage(m_hwnd, WM_USER + 2, 5, 6), 0);
    EXPECT_TRUE(Log().Matches({{WM_USER + 2, CheckBoth, 5, 6}}))
        << "only the message not handled reaches the spy";
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

TEST(CWindowTest, CreatesAWindowWhoseMessagesReachTheObjectUntilItOrItsParentIsDestroyed) {
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
}

TEST(CWindowTest, SubclassesAStaticAndPassesTheRestToIt) {
    HWND parent = CreateWindowEx(0, SpyClass(), "", 0, 0, 0, 100, 100, HWND_MESSAGE, nullptr,
                                 nullptr, nullptr);
    HWND stat = CreateWindowEx(0, "STATIC", "GridCtrl", WS_CHILD | WS_VISIBLE, 12, 12, 50, 50,
                               parent, nullptr, nullptr, nullptr);
    ASSERT_NE(stat, nullptr);
    {
        CCounter counter;
        ASSERT_TRUE(counter.SubclassWindow(stat));
        EXPECT_EQ(SendMessage(stat, WM_USER + 9, 0, 0), 99);
        EXPECT_EQ(SendMessage(stat, WM_NCHITTEST, 0, 0), HTTRANSPARENT)
            << "the static still answers";
        char text[16];
        GetWindowText(stat, text, sizeof(text));
        EXPECT_STREQ(text, "GridCtrl");
    }
    EXPECT_TRUE(IsWindow(stat)) << "a subclassed window outlives its object";
    EXPECT_EQ(SendMessage(stat, WM_USER + 9, 0, 0), 0);
    DestroyWindow(parent);
    EXPECT_FALSE(IsWindow(stat));
}
