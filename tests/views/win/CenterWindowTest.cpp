// Centring windows inside monitor work areas and parents.

#include "views/win/framework/CenterWindow.h"
#include "views/win/core/Desktop.h"

#include <gtest/gtest.h>

namespace {

class CenterWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSEX wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefWindowProc;
        wc.lpszClassName = "CenterProbe";
        RegisterClassEx(&wc);
        // Two monitors side by side; the second is smaller.
        kwin::SetMonitorsForTesting({
            {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true},
            {{1920, 0, 3200, 1024}, {1920, 0, 3200, 1000}, false},
        });
    }
    void TearDown() override {
        for (HWND hwnd : m_windows) {
            DestroyWindow(hwnd);
        }
        kwin::ClearMonitorsForTesting();
    }
    HWND Make(DWORD style, int x, int y, int w, int h, HWND parent = nullptr) {
        HWND hwnd = CreateWindowEx(0, "CenterProbe", "", style, x, y, w, h, parent, nullptr,
                                   nullptr, nullptr);
        m_windows.insert(m_windows.begin(), hwnd);
        return hwnd;
    }
    static RECT Rect(HWND hwnd) {
        RECT r;
        GetWindowRect(hwnd, &r);
        return r;
    }
    std::vector<HWND> m_windows;
};

} // namespace

// On the first monitor an unowned window is shown by the main window
// (ShellWindowTest's ExpectCentredDefaultWindow), over its owner by the
// dialogs of the shell (ShellDialogsTest); here the rest, on one desktop.
TEST_F(CenterWindowTest, CentresInsideTheWorkAreaOrTheParent) {
    HWND second = Make(WS_POPUP, 2500, 100, 400, 200);
    EXPECT_TRUE(CenterWindow(second));
    EXPECT_EQ(Rect(second).left, 2560 - 200) << "on its own monitor's work area";
    EXPECT_EQ(Rect(second).top, 500 - 100);
    EXPECT_EQ(Rect(second).right - Rect(second).left, 400) << "the size is kept";

    HWND large = Make(WS_POPUP, 300, 300, 2500, 1500);
    EXPECT_TRUE(CenterWindow(large));
    EXPECT_EQ(Rect(large).left, 0) << "larger than the work area: at its top left";
    EXPECT_EQ(Rect(large).top, 0);

    // Near the work area's right edge the window is pushed back inside.
    HWND owner = Make(WS_POPUP | WS_VISIBLE, 1800, 1000, 100, 100);
    HWND dialog = Make(WS_POPUP, 0, 0, 200, 100, owner);
    EXPECT_TRUE(CenterWindow(dialog));
    EXPECT_EQ(Rect(dialog).right, 1920);
    EXPECT_EQ(Rect(dialog).bottom, 1040);

    // A hidden or minimised reference is ignored.
    HWND hidden = Make(WS_POPUP, 2000, 100, 400, 300); // on the second monitor
    HWND owned = Make(WS_POPUP, 10, 10, 200, 100, hidden);
    EXPECT_TRUE(CenterWindow(owned));
    EXPECT_EQ(Rect(owned).left, 960 - 100) << "centred on its own monitor's work area";
    EXPECT_EQ(Rect(owned).top, 520 - 50);
    ShowWindow(hidden, SW_SHOWNOACTIVATE);
    ShowWindow(hidden, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(hidden));
    MoveWindow(owned, 10, 10, 200, 100, FALSE);
    EXPECT_TRUE(CenterWindow(owned, hidden));
    EXPECT_EQ(Rect(owned).left, 960 - 100);

    // A child is centred inside its parent's client area.
    HWND parent = Make(WS_POPUP, 100, 100, 300, 200);
    HWND child = Make(WS_CHILD, 0, 0, 100, 50, parent);
    EXPECT_TRUE(CenterWindow(child));
    RECT r = Rect(child);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 75);

    // Without monitor information nothing moves.
    kwin::SetMonitorsForTesting({});
    HWND lost = Make(WS_POPUP, 5, 6, 100, 100);
    EXPECT_FALSE(CenterWindow(lost));
    EXPECT_EQ(Rect(lost).left, 5);
    EXPECT_EQ(Rect(lost).top, 6);
}
