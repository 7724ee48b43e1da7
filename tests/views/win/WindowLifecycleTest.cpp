// Creation and destruction: the messages and their order, message-only
// windows, parents, window longs.

#include "TestWindows.h"

#include "views/win/backend/Backend.h"

using namespace wintest;

namespace {

HWND g_seenDuringCreate = nullptr;
BOOL g_usableDuringCreate = FALSE;

// Notes whether the window is usable during WM_CREATE; fails the creation
// when asked to through the creation parameter.
LRESULT CreateProbeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Log().Add(hwnd, message, wParam, lParam);
    if (message == WM_CREATE) {
        if (reinterpret_cast<const CREATESTRUCT*>(lParam)->lpCreateParams != nullptr) {
            return -1;
        }
        g_seenDuringCreate = hwnd;
        RECT r;
        g_usableDuringCreate = IsWindow(hwnd) && GetClientRect(hwnd, &r) &&
                               SetWindowLongPtr(hwnd, GWLP_USERDATA, 42) == 0 &&
                               GetWindowLongPtr(hwnd, GWLP_USERDATA) == 42;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

} // namespace

// A message-only window gets the creation messages in order and keeps its
// longs and text; a window is usable during WM_CREATE, and -1 from it
// destroys the window.
TEST(WindowLifecycleTest, CreationMessagesLongsTextAndCreateFailing) {
    Log().Clear();
    HWND hwnd = CreateWindowEx(WS_EX_WINDOWEDGE, SpyClass(), "title", WS_CAPTION, 0, 0, 50, 50,
                               HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(Log().Matches({{WM_NCCREATE},
                               {WM_CREATE},
                               {WM_SIZE, CheckBoth, SIZE_RESTORED, MAKELPARAM(50, 50)},
                               {WM_MOVE}}));
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(GetParent(hwnd), nullptr);
    EXPECT_EQ(kwin::GetWindowPeer(hwnd), nullptr);
    EXPECT_EQ(kwin::GetWindowSurface(hwnd), nullptr);
    // Invalidation of a window without a surface does nothing and no WM_PAINT comes.
    EXPECT_TRUE(InvalidateRect(hwnd, nullptr, TRUE));
    Log().Clear();
    PumpMessages();
    EXPECT_TRUE(Log().Matches({}));

    EXPECT_EQ(GetWindowLong(hwnd, GWL_STYLE) & WS_CAPTION, static_cast<LONG>(WS_CAPTION));
    EXPECT_EQ(GetWindowLong(hwnd, GWL_EXSTYLE), static_cast<LONG>(WS_EX_WINDOWEDGE));
    EXPECT_EQ(GetWindowLongPtr(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(SpyProc));
    EXPECT_EQ(SetWindowLongPtr(hwnd, GWLP_USERDATA, 1234), 0);
    EXPECT_EQ(GetWindowLongPtr(hwnd, GWLP_USERDATA), 1234);
    char text[16];
    EXPECT_EQ(GetWindowText(hwnd, text, sizeof(text)), 5);
    EXPECT_STREQ(text, "title");
    EXPECT_TRUE(SetWindowText(hwnd, "other"));
    EXPECT_EQ(GetWindowTextLength(hwnd), 5);
    EXPECT_TRUE(DestroyWindow(hwnd));
    EXPECT_FALSE(IsWindow(hwnd));

    // The window is usable during WM_CREATE, and -1 from it destroys the window.
    LPCSTR cls = TestClass("CreateProbe", CreateProbeProc);
    hwnd = CreateWindowEx(0, cls, "", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(g_seenDuringCreate, hwnd);
    EXPECT_TRUE(g_usableDuringCreate);
    DestroyWindow(hwnd);

    Log().Clear();
    int fail = 1;
    HWND failed =
        CreateWindowEx(0, cls, "", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, nullptr, &fail);
    EXPECT_EQ(failed, nullptr);
    EXPECT_TRUE(Log().Matches({{WM_NCCREATE}, {WM_CREATE}, {WM_DESTROY}, {WM_NCDESTROY}}));
}

// Destroying sends WM_DESTROY to the parent before the children go; unknown
// classes, destroyed handles and unregistering a class in use fail.
TEST(WindowLifecycleTest, DestroyingParentsFirstAndWhatFails) {
    HWND parent = CreateWindowEx(0, SpyClass(), "p", 0, 0, 0, 100, 100, HWND_MESSAGE, nullptr,
                                 nullptr, nullptr);
    HWND child = CreateWindowEx(0, SpyClass(), "c", WS_CHILD, 0, 0, 10, 10, parent,
                                reinterpret_cast<HMENU>(7), nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetDlgCtrlID(child), 7);
    Log().Clear();
    DestroyWindow(parent);
    EXPECT_TRUE(Log().Matches({{WM_DESTROY, AnyParams, 0, 0, parent},
                               {WM_DESTROY, AnyParams, 0, 0, child},
                               {WM_NCDESTROY, AnyParams, 0, 0, child},
                               {WM_NCDESTROY, AnyParams, 0, 0, parent}}));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(IsWindow(parent));

    // Unknown classes, destroyed handles and unregistering a class in use fail.
    EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr,
                             nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
    HWND hwnd =
        CreateWindowEx(0, SpyClass(), "", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr);
    DestroyWindow(hwnd);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), 0);
    EXPECT_FALSE(PostMessage(hwnd, WM_USER, 0, 0));
    EXPECT_FALSE(DestroyWindow(hwnd));

    // A class cannot be unregistered while windows of it exist.
    TestClass("Unregistering", SpyProc);
    HWND user = CreateWindowEx(0, "unregistering", "", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr,
                               nullptr, nullptr);
    ASSERT_NE(user, nullptr) << "class names ignore case";
    EXPECT_FALSE(UnregisterClass("Unregistering", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_CLASS_HAS_WINDOWS);
    DestroyWindow(user);
    EXPECT_TRUE(UnregisterClass("Unregistering", nullptr));
    EXPECT_EQ(CreateWindowEx(0, "Unregistering", "", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr,
                             nullptr),
              nullptr);
}
