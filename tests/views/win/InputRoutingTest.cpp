// How the core routes input the backend delivers: WM_NCHITTEST and
// WM_SETCURSOR before the mouse message, double clicks by time, keys to the
// focus window, and the key state as of the message handled. (Statics that
// let the mouse through, capture, and classes without CS_DBLCLKS are checked
// with real clicks in QtInputTest.)

#include "TestWindows.h"
#include "tests/support/FakeClock.h"

#include "views/win/backend/Backend.h"
#include "views/win/core/Clock.h"

using namespace wintest;

namespace {

class InputRoutingTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_top = CreateWindowEx(0, SpyClass(0), "", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200,
                               nullptr, nullptr, nullptr, nullptr);
        PumpMessages();
        Log().Clear();
    }
    void TearDown() override {
        ReleaseCapture();
        DestroyWindow(m_top);
        PumpMessages();
    }
    void Click(POINT p, unsigned buttonsAfterDown = MK_LBUTTON) {
        kwin::DeliverMouse(m_top, kwin::MouseAction::LeftDown, p, 0, buttonsAfterDown);
        kwin::DeliverMouse(m_top, kwin::MouseAction::LeftUp, p, 0, 0);
        PumpMessages();
    }
    HWND m_top = nullptr;
};

LPARAM ScreenParam(int x, int y) {
    return MAKELPARAM(x, y);
}

} // namespace

TEST_F(InputRoutingTest, MouseMessageIsPrecededByHitTestAndCursorQuery) {
    Click({30, 40});
    EXPECT_TRUE(Log().Matches({
        {WM_NCHITTEST, CheckL, 0, ScreenParam(130, 140), m_top},
        {WM_SETCURSOR, CheckBoth, reinterpret_cast<WPARAM>(m_top),
         MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN), m_top},
        {WM_NCHITTEST, CheckL, 0, ScreenParam(130, 140), m_top},
        {WM_SETCURSOR, CheckBoth, reinterpret_cast<WPARAM>(m_top),
         MAKELPARAM(HTCLIENT, WM_LBUTTONUP), m_top},
        {WM_LBUTTONDOWN, CheckBoth, MK_LBUTTON, MAKELPARAM(30, 40), m_top},
        {WM_LBUTTONUP, CheckBoth, 0, MAKELPARAM(30, 40), m_top},
    }));
}

TEST_F(InputRoutingTest, DoubleClickNeedsTheClassStyleAndTheDoubleClickTime) {
    FakeClock clock;
    HWND dbl = CreateWindowEx(0, SpyClass(CS_DBLCLKS), "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100,
                              m_top, nullptr, nullptr, nullptr);
    Log().Ignore(WM_NCHITTEST);
    Log().Ignore(WM_SETCURSOR);
    PumpMessages();
    Log().Clear();
    Click({10, 10});
    clock.Advance(200);
    Click({11, 10});
    clock.Advance(200);
    Click({11, 10}); // a third click starts over
    clock.Advance(GetDoubleClickTime() + 1);
    Click({11, 10}); // too late
    EXPECT_TRUE(Log().Matches({{WM_LBUTTONDOWN, AnyParams, 0, 0, dbl},
                               {WM_LBUTTONUP},
                               {WM_LBUTTONDBLCLK, CheckBoth, MK_LBUTTON, MAKELPARAM(11, 10), dbl},
                               {WM_LBUTTONUP},
                               {WM_LBUTTONDOWN},
                               {WM_LBUTTONUP},
                               {WM_LBUTTONDOWN},
                               {WM_LBUTTONUP}}));
    DestroyWindow(dbl);
    Log() = MessageLog{};
}

namespace {

std::vector<std::pair<UINT, bool>> g_controlStates;

LRESULT KeyStateRecorder(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN || message == WM_KEYUP) {
        g_controlStates.emplace_back(static_cast<UINT>(wParam),
                                     (GetKeyState(VK_CONTROL) & 0x8000) != 0);
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

} // namespace

TEST_F(InputRoutingTest, KeyStateIsThatOfTheMessageBeingHandledNotOfTheKeyboardNow) {
    SetWindowLongPtr(m_top, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeyStateRecorder));
    SetFocus(m_top);
    g_controlStates.clear();
    // Both keys are pressed and released before the loop runs.
    kwin::DeliverKey(m_top, true, VK_CONTROL, 0x1D, false, false, kwin::ModControl, 0);
    kwin::DeliverKey(m_top, true, 'Z', 0x2C, false, false, kwin::ModControl, 0x1A);
    kwin::DeliverKey(m_top, false, 'Z', 0x2C, false, false, kwin::ModControl, 0);
    kwin::DeliverKey(m_top, false, VK_CONTROL, 0x1D, false, false, 0, 0);
    kwin::DeliverKey(m_top, true, 'Z', 0x2C, false, false, 0, 'z');
    PumpMessages();
    const std::vector<std::pair<UINT, bool>> expected{
        {VK_CONTROL, true}, {'Z', true}, {'Z', true}, {VK_CONTROL, false}, {'Z', false}};
    EXPECT_EQ(g_controlStates, expected);
    EXPECT_NE(GetKeyState('Z') & 0x8000, 0) << "Z is still down as of the last message";
    kwin::DeliverKey(m_top, false, 'Z', 0x2C, false, false, 0, 0);
    PumpMessages();
    EXPECT_EQ(GetKeyState('Z') & 0x8000, 0);
}

TEST_F(InputRoutingTest, KeysGoToTheFocusWindowAndAltMakesSystemKeys) {
    HWND child = CreateWindowEx(0, SpyClass(0), "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, m_top,
                                nullptr, nullptr, nullptr);
    SetFocus(child);
    PumpMessages();
    Log().Clear();
    kwin::DeliverKey(m_top, true, 'A', 0x1E, false, false, 0, 'a');
    kwin::DeliverKey(m_top, true, 'F', 0x21, false, false, kwin::ModAlt, 'f');
    PumpMessages();
    EXPECT_TRUE(Log().Matches({{WM_KEYDOWN, CheckBoth, 'A', 0x001E0001, child},
                               {WM_CHAR, CheckW, 'a', 0, child},
                               {WM_SYSKEYDOWN, CheckBoth, 'F', 0x20210001, child},
                               {WM_SYSCHAR, CheckW, 'f', 0, child},
                               {WM_SYSCOMMAND, CheckBoth, SC_KEYMENU, 'f', m_top}}))
        << "Alt+letter asks the top-level window for the menu of that mnemonic";
    DestroyWindow(child);
}

struct MenuKeyCase {
    const char* name;
    std::vector<std::pair<UINT, bool>> keys; // virtual key, down
    bool menuCalled;
};

// F10 or Alt released right after its own press calls for the menu bar
// (SC_KEYMENU, no character); a key or click in between, Shift+F10 or
// Ctrl+F10 do not.
TEST_F(InputRoutingTest, F10OrAltAloneCallsForTheMenuBar) {
    const MenuKeyCase cases[] = {
        {"F10", {{VK_F10, true}, {VK_F10, false}}, true},
        {"Alt", {{VK_MENU, true}, {VK_MENU, false}}, true},
        {"Alt held (repeating)", {{VK_MENU, true}, {VK_MENU, true}, {VK_MENU, false}}, true},
        {"Alt+Backspace",
         {{VK_MENU, true}, {VK_BACK, true}, {VK_BACK, false}, {VK_MENU, false}},
         false},
        {"Shift+F10",
         {{VK_SHIFT, true}, {VK_F10, true}, {VK_F10, false}, {VK_SHIFT, false}},
         false},
        {"Ctrl+F10",
         {{VK_CONTROL, true}, {VK_F10, true}, {VK_F10, false}, {VK_CONTROL, false}},
         false},
        {"F10 held, then A", {{VK_F10, true}, {'A', true}, {'A', false}, {VK_F10, false}}, false},
    };
    SetFocus(m_top);
    for (const MenuKeyCase& c : cases) {
        PumpMessages();
        Log().Clear();
        unsigned modifiers = 0;
        for (const auto& [vk, down] : c.keys) {
            const unsigned bit = vk == VK_MENU      ? kwin::ModAlt
                                 : vk == VK_SHIFT   ? kwin::ModShift
                                 : vk == VK_CONTROL ? kwin::ModControl
                                                    : 0;
            modifiers = down ? (modifiers | bit) : (modifiers & ~bit);
            kwin::DeliverKey(m_top, down, vk, 0, false, false, modifiers, 0);
        }
        PumpMessages();
        const auto calls = EntriesOf(WM_SYSCOMMAND);
        EXPECT_EQ(calls.size(), c.menuCalled ? 1u : 0u) << c.name;
        EXPECT_TRUE(calls.empty() || (calls[0].wParam == SC_KEYMENU && calls[0].lParam == 0));
    }
}

namespace {

// Keeps the window square, as a sizing handler that changes the proposed
// rectangle in place would.
LRESULT SquareSizingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZING) {
        Log().Add(hwnd, message, wParam, 0);
        auto* r = reinterpret_cast<RECT*>(lParam);
        r->bottom = r->top + (r->right - r->left);
        return TRUE;
    }
    return SpyProc(hwnd, message, wParam, lParam);
}

} // namespace

TEST_F(InputRoutingTest, DraggingAnEdgeSendsSizingAndTakesTheRectangleTheWindowChose) {
    SetWindowLongPtr(m_top, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SquareSizingProc));
    Log().Ignore(WM_PAINT);
    Log().Ignore(WM_ERASEBKGND);
    kwin::DeliverSizing(m_top, RECT{100, 100, 320, 300}); // the right edge, 20 wider
    kwin::DeliverSizing(m_top, RECT{100, 100, 330, 300});
    kwin::DeliverSizingEnd(m_top);
    kwin::DeliverSizingEnd(m_top);
    EXPECT_TRUE(Log().Matches({{WM_ENTERSIZEMOVE},
                               {WM_SIZING, CheckW, WMSZ_RIGHT},
                               {WM_WINDOWPOSCHANGING},
                               {WM_WINDOWPOSCHANGED},
                               {WM_SIZE, CheckL, 0, MAKELPARAM(220, 220)},
                               {WM_SIZING, CheckW, WMSZ_RIGHT},
                               {WM_WINDOWPOSCHANGING},
                               {WM_WINDOWPOSCHANGED},
                               {WM_SIZE, CheckL, 0, MAKELPARAM(230, 230)},
                               {WM_EXITSIZEMOVE}}));
    RECT r;
    GetWindowRect(m_top, &r);
    EXPECT_EQ(r.right - r.left, 230);
    EXPECT_EQ(r.bottom - r.top, 230);
    Log().Clear();
    kwin::DeliverSizing(m_top, RECT{90, 80, 330, 330}); // the top-left corner
    EXPECT_TRUE(Log().Messages().size() >= 2);
    EXPECT_EQ(Log().Entries()[1].message, WM_SIZING);
    EXPECT_EQ(Log().Entries()[1].wParam, WMSZ_TOPLEFT);
    kwin::DeliverSizingEnd(m_top);
    Log() = MessageLog{};
}
