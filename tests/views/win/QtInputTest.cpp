// Real input through the Qt backend, headless: keys and clicks reach window
// procedures as the right messages with the right codes and coordinates.

#include "tests/support/MessageLog.h"

#include "QtWindowFixture.h"
#include "TestWindows.h"
#include "tests/support/FakeClock.h"

#include "views/win/backend/Backend.h"
#include "views/win/qt/QtBackend.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

using namespace wintest;

namespace {

const std::set<UINT> InputMessages{
    WM_KEYDOWN,   WM_KEYUP,         WM_CHAR,        WM_SYSKEYDOWN, WM_SYSKEYUP,      WM_LBUTTONDOWN,
    WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP,  WM_RBUTTONDBLCLK, WM_MOUSEWHEEL};

SHORT g_controlAtKeyDown = 0;
SHORT g_shiftAtKeyDown = 0;

// Notes the key state as of each key down, and keeps the window's height half
// its width when the user drags an edge.
LRESULT InputProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN) {
        g_controlAtKeyDown = GetKeyState(VK_CONTROL);
        g_shiftAtKeyDown = GetKeyState(VK_SHIFT);
    } else if (message == WM_SIZING) {
        auto* r = reinterpret_cast<RECT*>(lParam);
        r->bottom = r->top + (r->right - r->left) / 2;
        Log().Add(hwnd, message, wParam, 0);
        return TRUE;
    }
    return SpyProc(hwnd, message, wParam, lParam);
}

class QtInputTest : public QtWindowFixture {
protected:
    void SetUp() override {
        CreateTopLevel(TestClass("KalmoraInputWindow", InputProc), "input", 316, 239);
    }
};

struct KeyCase {
    Qt::Key key;
    UINT vk;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

} // namespace

TEST_F(QtInputTest, KeysBecomeKeyDownCharAndKeyUpWithTheirVirtualKeysAndKeyState) {
    // The keys whose effect no other test shows. The editing keys, Tab, Return
    // and Esc work the dialogs in DialogTest; the arrows, Home, End, the page
    // keys, Delete, Esc, M and the digits move and fill the board in the
    // game's BoardInputTest; '5' below is seen whole.
    const KeyCase keys[] = {
        {Qt::Key_Insert, VK_INSERT},
        {Qt::Key_F1, VK_F1},
        {Qt::Key_F12, VK_F12},
        {Qt::Key_7, VK_NUMPAD7, Qt::KeypadModifier},
    };
    for (const KeyCase& c : keys) {
        Log().Clear();
        QTest::keyClick(m_widget, c.key, c.modifiers);
        Pump();
        const MessageLog input = Only(InputMessages);
        ASSERT_FALSE(input.Entries().empty()) << c.key;
        EXPECT_EQ(input.Entries().front().message, WM_KEYDOWN) << c.key;
        EXPECT_EQ(input.Entries().front().wParam, c.vk) << c.key;
    }
    Log().Clear();
    QTest::keyClick(m_widget, Qt::Key_5);
    Pump();
    EXPECT_TRUE(Only(InputMessages)
                    .Matches({{WM_KEYDOWN, CheckW, '5', 0, m_top},
                              {WM_CHAR, CheckW, '5', 0, m_top},
                              {WM_KEYUP, CheckW, '5', 0, m_top}}));
    EXPECT_NE(Only(InputMessages).Entries().back().lParam & (LPARAM{1} << 31), 0)
        << "a key up has its transition bit set";

    // The key state is that as of the message being handled.
    QTest::keyClick(m_widget, Qt::Key_Z, Qt::ControlModifier);
    Pump();
    EXPECT_NE(g_controlAtKeyDown & 0x8000, 0);
    EXPECT_EQ(g_shiftAtKeyDown & 0x8000, 0);
    QTest::keyClick(m_widget, Qt::Key_Z);
    Pump();
    EXPECT_EQ(g_controlAtKeyDown & 0x8000, 0);
    EXPECT_EQ(GetKeyState('Z') & 0x8000, 0) << "released after the key up";
}

// Each button is asked for with WM_NCHITTEST (in screen coordinates) and
// WM_SETCURSOR as it arrives; the posted button messages follow. Then the
// children: statics, capture, double clicks, and the wheel.
TEST_F(QtInputTest, ClicksReachTheWindowUnderThemOrTheCaptureAndTheWheelTheFocus) {
    QTest::mouseClick(m_widget, Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 40));
    Pump();
    const QPoint screen = m_widget->mapToGlobal(QPoint(30, 40));
    const LPARAM hit = MAKELPARAM(screen.x(), screen.y());
    const auto top = reinterpret_cast<WPARAM>(m_top);
    EXPECT_TRUE(Log().Matches(
        {{WM_NCHITTEST, CheckL, 0, hit, m_top},
         {WM_SETCURSOR, CheckBoth, top, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN), m_top},
         {WM_NCHITTEST, CheckL, 0, hit, m_top},
         {WM_SETCURSOR, CheckBoth, top, MAKELPARAM(HTCLIENT, WM_LBUTTONUP), m_top},
         {WM_LBUTTONDOWN, CheckBoth, MK_LBUTTON | MK_SHIFT, MAKELPARAM(30, 40), m_top},
         {WM_LBUTTONUP, CheckBoth, MK_SHIFT, MAKELPARAM(30, 40), m_top}}));
    Log().Clear();
    QTest::mouseClick(m_widget, Qt::RightButton, Qt::NoModifier, QPoint(7, 9));
    Pump();
    EXPECT_TRUE(Only(InputMessages)
                    .Matches({{WM_RBUTTONDOWN, CheckBoth, MK_RBUTTON, MAKELPARAM(7, 9)},
                              {WM_RBUTTONUP, CheckBoth, 0, MAKELPARAM(7, 9)}}));

    // A plain static child lets the click fall through, a notifying one takes it.
    CreateWindowEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 12, 12, 100, 100, m_top, nullptr,
                   nullptr, nullptr);
    CreateWindowEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 12, 130, 100, 50, m_top,
                   nullptr, nullptr, nullptr);
    HWND spyChild = CreateWindowEx(0, SpyClass(0), "", WS_CHILD | WS_VISIBLE, 150, 10, 100, 100,
                                   m_top, nullptr, nullptr, nullptr);
    Pump();
    Log().Clear();
    QWindow* window = m_widget->windowHandle();
    ASSERT_NE(window, nullptr);
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(50, 60));
    Pump();
    EXPECT_TRUE(Only(InputMessages)
                    .Matches({{WM_LBUTTONDOWN, CheckL, 0, MAKELPARAM(50, 60), m_top},
                              {WM_LBUTTONUP, CheckL, 0, MAKELPARAM(50, 60), m_top}}))
        << "the static covers (50, 60) but the parent gets the click in its own coordinates";
    Log().Clear();
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(160, 30));
    Pump();
    EXPECT_TRUE(Only(InputMessages)
                    .Matches({{WM_LBUTTONDOWN, CheckL, 0, MAKELPARAM(10, 20), spyChild},
                              {WM_LBUTTONUP, CheckL, 0, MAKELPARAM(10, 20), spyChild}}))
        << "an ordinary child takes the click";
    Log().Clear();
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(50, 150));
    Pump();
    EXPECT_TRUE(Only(InputMessages).Matches({}))
        << "the notifying static took it; the parent saw nothing";

    // The captured mouse goes to the capturing window, in its coordinates.
    HWND child = CreateWindowEx(0, SpyClass(0), "", WS_CHILD | WS_VISIBLE, 100, 20, 50, 50, m_top,
                                nullptr, nullptr, nullptr);
    Pump();
    Log().Clear();
    EXPECT_EQ(SetCapture(child), nullptr);
    QTest::mouseClick(m_widget, Qt::LeftButton, Qt::NoModifier, QPoint(10, 30));
    Pump();
    EXPECT_TRUE(Only(InputMessages)
                    .Matches({{WM_LBUTTONDOWN, CheckL, 0, MAKELPARAM(-90, 10), child},
                              {WM_LBUTTONUP, CheckL, 0, MAKELPARAM(-90, 10), child}}));
    EXPECT_TRUE(WParamsOf(WM_NCHITTEST).empty()) << "no hit test while captured";
    EXPECT_TRUE(WParamsOf(WM_SETCURSOR).empty()) << "and no cursor query";
    Log().Clear();
    ReleaseCapture();
    EXPECT_TRUE(Log().Matches({{WM_CAPTURECHANGED, CheckL, 0, 0, child}}));
    Log().Clear();
    QTest::mouseClick(m_widget, Qt::LeftButton, Qt::NoModifier, QPoint(10, 30));
    Pump();
    EXPECT_TRUE(Only(InputMessages)
                    .Matches({{WM_LBUTTONDOWN, CheckL, 0, MAKELPARAM(10, 30), m_top},
                              {WM_LBUTTONUP, CheckL, 0, MAKELPARAM(10, 30), m_top}}));

    // Two presses within the double-click time are a double click only for a
    // class with CS_DBLCLKS; a third press starts over, and a late one is a press.
    FakeClock clock;
    Log().Clear();
    QTest::mouseClick(m_widget, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QTest::mouseClick(m_widget, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    Pump();
    EXPECT_TRUE(Only(InputMessages)
                    .Matches({{WM_LBUTTONDOWN}, {WM_LBUTTONUP}, {WM_LBUTTONDOWN}, {WM_LBUTTONUP}}));
    HWND dbl = CreateWindowEx(0, SpyClass(CS_DBLCLKS), "", WS_CHILD | WS_VISIBLE, 100, 100, 80, 80,
                              m_top, nullptr, nullptr, nullptr);
    Pump();
    Log().Clear();
    for (int wait : {0, 200, 200, static_cast<int>(GetDoubleClickTime()) + 1}) {
        clock.Advance(wait);
        QTest::mouseClick(m_widget, Qt::LeftButton, Qt::NoModifier, QPoint(120, 120));
        Pump();
    }
    EXPECT_TRUE(Only(InputMessages)
                    .Matches({{WM_LBUTTONDOWN, CheckL, 0, MAKELPARAM(20, 20), dbl},
                              {WM_LBUTTONUP},
                              {WM_LBUTTONDBLCLK, CheckBoth, MK_LBUTTON, MAKELPARAM(20, 20), dbl},
                              {WM_LBUTTONUP},
                              {WM_LBUTTONDOWN, CheckL, 0, MAKELPARAM(20, 20), dbl},
                              {WM_LBUTTONUP},
                              {WM_LBUTTONDOWN, CheckL, 0, MAKELPARAM(20, 20), dbl},
                              {WM_LBUTTONUP}}));

    // The wheel goes to the focus window with its delta.
    SetFocus(m_top);
    Log().Clear();
    QPoint local(15, 15);
    QWheelEvent wheel(QPointF(local), m_widget->mapToGlobal(QPointF(local)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_widget, &wheel);
    Pump();
    EXPECT_TRUE(Only(InputMessages).Matches({{WM_MOUSEWHEEL, CheckW, MAKEWPARAM(MK_CONTROL, 120)}}))
        << "the delta in the high word, the keys in the low";
}

// A size the layer did not set is the user dragging an edge: each step asks
// the window with WM_SIZING (which edge, and the rectangle it may change),
// and the sizing ends once the steps stop. Closing the widget asks the window.
TEST_F(QtInputTest, ResizingTheWidgetByHandAsksTheWindowWithSizingAndClosingItToClose) {
    Log().Ignore(WM_PAINT);
    Log().Ignore(WM_ERASEBKGND);
    m_widget->resize(320, m_widget->height()); // the right edge
    Pump();
    m_widget->resize(340, m_widget->height());
    Pump();
    QTest::qWait(400);
    kwin::DeliverSizingEnd(m_top); // a second end is no second exit
    Pump();
    EXPECT_TRUE(Log().Matches({{WM_ENTERSIZEMOVE},
                               {WM_SIZING, CheckW, WMSZ_RIGHT},
                               {WM_WINDOWPOSCHANGING},
                               {WM_WINDOWPOSCHANGED},
                               {WM_SIZE, CheckL, 0, MAKELPARAM(320, 129)},
                               {WM_SIZING, CheckW, WMSZ_RIGHT},
                               {WM_WINDOWPOSCHANGING},
                               {WM_WINDOWPOSCHANGED},
                               {WM_SIZE, CheckL, 0, MAKELPARAM(340, 139)},
                               {WM_EXITSIZEMOVE}}));
    RECT outer;
    GetWindowRect(m_top, &outer);
    EXPECT_EQ(outer.right - outer.left, 340 + 16);
    EXPECT_EQ(outer.bottom - outer.top, (340 + 16) / 2);
    EXPECT_EQ(m_widget->height(), (340 + 16) / 2 - 16 - 23)
        << "the widget follows the window's choice";
    Log().Clear();
    m_widget->setGeometry(m_widget->geometry().adjusted(-10, -20, 0, 0)); // the top-left corner
    Pump();
    EXPECT_EQ(WParamsOf(WM_SIZING), std::vector<WPARAM>{WMSZ_TOPLEFT});
    EXPECT_EQ(m_widget->windowTitle(), "input");
    Log() = MessageLog{};
    m_widget->close();
    Pump();
    EXPECT_FALSE(IsWindow(m_top)) << "WM_CLOSE reached DefWindowProc, which destroys";
}
