// The window tree and its lookups, with no backend: which window lies under
// a point, enumerating children, moving a window to another parent, window
// properties, and a post from another thread waking GetMessage (a watchdog ends
// the process if it is never woken).

#include "TestWindows.h"
#include "tests/support/LoopWatchdog.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace {

HWND Child(HWND parent, int x, int y, int width, int height, DWORD style = WS_VISIBLE, int id = 0) {
    return CreateWindowEx(0, wintest::TestClass("WindowTreeTestClass", DefWindowProc), "",
                          WS_CHILD | style, x, y, width, height, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

class WindowTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A frameless top-level window at (100, 100), 200 x 150: client = window.
        m_top = CreateWindowEx(0, wintest::TestClass("WindowTreeTestClass", DefWindowProc), "top",
                               WS_POPUP | WS_VISIBLE, 100, 100, 200, 150, nullptr, nullptr, nullptr,
                               nullptr);
        ASSERT_NE(m_top, nullptr);
    }
    void TearDown() override { DestroyWindow(m_top); }

    HWND m_top = nullptr;
};

} // namespace

TEST_F(WindowTreeTest,
       WindowFromPointFindsTheDeepestWS_VISIBLEWindowAndChildWindowFromPointOneLevel) {
    const HWND panel = Child(m_top, 10, 10, 100, 100);
    const HWND inner = Child(panel, 20, 20, 30, 30);
    Child(panel, 60, 60, 30, 30, 0); // hidden
    // Children stack in creation order, the first on top (the order dialogs tab in).
    const HWND upper = Child(m_top, 150, 10, 40, 40);
    const HWND lower = Child(m_top, 150, 10, 40, 40);
    const HWND hidden = Child(m_top, 150, 100, 40, 40, 0);
    struct Case {
        POINT point;
        HWND expected;
    };
    const Case screenCases[] = {
        {{105, 105}, m_top},  // the top window's own client area
        {{115, 115}, panel},  // inside the panel, beside its children
        {{135, 135}, inner},  // the panel's child, two levels down
        {{175, 175}, panel},  // a hidden child lets the point through
        {{255, 205}, m_top},  // and so does a hidden child of the top window
        {{260, 20}, nullptr}, // above the window
        {{301, 120}, nullptr} // one past the right edge
    };
    for (const Case& c : screenCases) {
        EXPECT_EQ(WindowFromPoint(c.point), c.expected) << c.point.x << "," << c.point.y;
    }
    const Case clientCases[] = {
        {{5, 5}, m_top},      // the parent itself
        {{35, 35}, panel},    // over the panel's child: still the panel, one level only
        {{10, 10}, panel},    // the child's top-left pixel
        {{110, 110}, m_top},  // one past the panel's right and bottom edges
        {{160, 110}, hidden}, // hidden children count too
        {{-1, 5}, nullptr},   // outside the parent's client area
        {{200, 5}, nullptr},
    };
    for (const Case& c : clientCases) {
        EXPECT_EQ(ChildWindowFromPoint(m_top, c.point), c.expected)
            << c.point.x << "," << c.point.y;
    }
    // Of two siblings at one place the top of the Z order wins.
    EXPECT_EQ(WindowFromPoint({255, 115}), upper);
    SetWindowPos(lower, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(WindowFromPoint({255, 115}), lower);
    ShowWindow(m_top, SW_HIDE);
    EXPECT_EQ(WindowFromPoint({115, 115}), nullptr) << "a hidden top-level window is not found";
}

TEST_F(WindowTreeTest, EnumChildWindowsWalksDescendantsDepthFirstAndStopsWhenAsked) {
    struct Enumeration {
        std::vector<int> ids;
        int stopAt = 0;
    };
    const WNDENUMPROC Collect = [](HWND hwnd, LPARAM param) -> BOOL {
        auto* e = reinterpret_cast<Enumeration*>(param);
        e->ids.push_back(GetDlgCtrlID(hwnd));
        return e->ids.back() != e->stopAt;
    };
    const HWND first = Child(m_top, 0, 0, 10, 10, WS_VISIBLE, 1);
    Child(first, 0, 0, 5, 5, WS_VISIBLE, 11);
    Child(first, 0, 0, 5, 5, 0, 12); // hidden windows are enumerated too
    Child(m_top, 0, 0, 10, 10, WS_VISIBLE, 2);
    Child(m_top, 0, 0, 10, 10, WS_VISIBLE, 3);

    Enumeration all;
    EXPECT_TRUE(EnumChildWindows(m_top, Collect, reinterpret_cast<LPARAM>(&all)));
    std::vector<int> sorted = all.ids;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<int>{1, 2, 3, 11, 12}));
    // A child's own children follow it directly.
    const auto at = std::find(all.ids.begin(), all.ids.end(), 1);
    ASSERT_LE(at + 3, all.ids.end());
    EXPECT_TRUE((at[1] == 11 && at[2] == 12) || (at[1] == 12 && at[2] == 11));

    for (int stop : {11, 12, 1, 3}) {
        Enumeration partial;
        partial.stopAt = stop;
        EnumChildWindows(m_top, Collect, reinterpret_cast<LPARAM>(&partial));
        const auto where = std::find(all.ids.begin(), all.ids.end(), stop);
        const std::vector<int> expected(all.ids.begin(), where + 1);
        EXPECT_EQ(partial.ids, expected) << "stopping at " << stop;
    }
}

TEST_F(WindowTreeTest, SetParentMovesTheWindowAndItsLookups) {
    const HWND left = Child(m_top, 0, 0, 100, 150, WS_VISIBLE, 1);
    const HWND right = Child(m_top, 100, 0, 100, 150, WS_VISIBLE, 2);
    const HWND item = Child(left, 10, 10, 20, 20, WS_VISIBLE, 7);

    EXPECT_EQ(SetParent(item, right), left);
    EXPECT_EQ(GetParent(item), right);
    EXPECT_EQ(GetDlgItem(right, 7), item);
    EXPECT_EQ(GetDlgItem(left, 7), nullptr);
    EXPECT_TRUE(IsChild(right, item));
    EXPECT_FALSE(IsChild(left, item));
    // Its position stays the same numbers, now in the new parent's client area.
    EXPECT_EQ(WindowFromPoint({215, 115}), item);
    EXPECT_EQ(WindowFromPoint({115, 115}), left);

    // A window cannot become its own ancestor: that would make the tree a loop.
    EXPECT_EQ(SetParent(right, item), nullptr);
    EXPECT_EQ(SetParent(item, item), nullptr);
    EXPECT_EQ(GetParent(right), m_top);
    EXPECT_EQ(GetAncestor(item, GA_ROOT), m_top);

    // Destroying the new parent takes the moved window with it.
    DestroyWindow(right);
    EXPECT_FALSE(IsWindow(item));
    EXPECT_TRUE(IsWindow(left));
}

TEST_F(WindowTreeTest, PropertiesAreKeptByNameOrAtomUntilRemoved) {
    int a = 0;
    int b = 0;
    const auto atom = MAKEINTRESOURCE(0x1234);
    EXPECT_EQ(GetProp(m_top, "data"), nullptr);
    EXPECT_TRUE(SetProp(m_top, "data", &a));
    EXPECT_TRUE(SetProp(m_top, atom, &b));
    EXPECT_EQ(GetProp(m_top, "data"), &a);
    EXPECT_EQ(GetProp(m_top, atom), &b);
    EXPECT_TRUE(SetProp(m_top, "data", &b)); // replaced
    EXPECT_EQ(GetProp(m_top, "data"), &b);
    EXPECT_EQ(RemoveProp(m_top, "data"), &b);
    EXPECT_EQ(GetProp(m_top, "data"), nullptr);
    EXPECT_EQ(RemoveProp(m_top, "data"), nullptr);
    EXPECT_EQ(GetProp(m_top, atom), &b) << "other properties stay";

    const HWND other = Child(m_top, 0, 0, 10, 10);
    EXPECT_EQ(GetProp(other, atom), nullptr) << "properties belong to one window";
    DestroyWindow(other);
    EXPECT_EQ(GetProp(other, atom), nullptr);
    EXPECT_FALSE(SetProp(other, "data", &a)) << "a destroyed window keeps nothing";
}

TEST_F(WindowTreeTest, PostFromAnotherThreadWakesGetMessageWithoutBackend) {
    constexpr UINT Ping = WM_APP + 7;
    const wintest::LoopWatchdog watchdog(std::chrono::seconds(20));
    MSG msg{};
    const DWORD thread = GetCurrentThreadId();
    std::thread poster([this, thread] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50)); // GetMessage is waiting
        PostMessage(m_top, Ping, 1, 2);
        PostThreadMessage(thread, Ping, 3, 4);
    });
    ASSERT_EQ(GetMessage(&msg, nullptr, Ping, Ping), TRUE); // the window's paint waits
    EXPECT_EQ(msg.hwnd, m_top);
    EXPECT_EQ(msg.message, Ping);
    EXPECT_EQ(msg.wParam, 1u);
    ASSERT_EQ(GetMessage(&msg, nullptr, Ping, Ping), TRUE); // the window's paint waits
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(msg.lParam, 4);
    poster.join();
}
