// What the desktop may do to a top-level window's frame: a window without a
// sizing border keeps its size, and one without a maximise box is not left
// maximised, whatever the window manager offers; a desktop that places
// windows itself is asked for sizes only.

#include "QtWindowFixture.h"
#include "TestWindows.h"

#include "views/win/qt/QtPlatform.h"

#include <QApplication>
#include <QTest>
#include <QWindow>

namespace {

class QtWindowFrameTest : public wintest::QtWindowFixture {
protected:
    // Creates the window, lets Qt settle, and gives its client size.
    SIZE Create(DWORD style) {
        CreateTopLevel(wintest::TestClass("QtWindowFrameTestClass", DefWindowProc), "Frame", 300,
                       200, style);
        return ClientSize();
    }
    SIZE ClientSize() const {
        RECT r{};
        GetClientRect(m_top, &r);
        return {r.right, r.bottom};
    }
    // The refusal is posted; two rounds let it run and the state settle.
    static void Settle() {
        Pump();
        Pump();
    }
};

TEST_F(QtWindowFrameTest,
       OnlyAWindowWithASizingBorderIsResizedAndOnlyOneWithAMaximiseBoxMaximised) {
    // Without a sizing border the window keeps its size against the desktop.
    SIZE before = Create(WS_POPUP | WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(m_widget->minimumSize(), m_widget->maximumSize());
    m_widget->resize(m_widget->size() * 2);
    Settle();
    EXPECT_EQ(ClientSize().cx, before.cx);
    EXPECT_EQ(ClientSize().cy, before.cy);
    // The program itself still sizes it.
    SetWindowPos(m_top, nullptr, 0, 0, 400, 260, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_GT(ClientSize().cx, before.cx);
    EXPECT_EQ(m_widget->minimumSize(), m_widget->size());
    DestroyWindow(m_top);

    // Without a maximise box, maximising is undone.
    constexpr DWORD NoMaximiseBox = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
    before = Create(NoMaximiseBox);
    EXPECT_NE(m_widget->minimumSize(), m_widget->maximumSize()) << "a sizing border may be dragged";
    m_widget->setWindowState(Qt::WindowMaximized);
    Settle();
    EXPECT_FALSE(m_widget->isMaximized());
    EXPECT_EQ(ClientSize().cx, before.cx);
    EXPECT_EQ(ClientSize().cy, before.cy);
    DestroyWindow(m_top);

    // Some window managers resize first and set the state after: the window
    // goes back to its rectangle and the sizing run that began ends.
    CreateTopLevel(wintest::SpyClass(), "Frame", 300, 200, NoMaximiseBox);
    before = ClientSize();
    m_widget->resize(m_widget->size() * 2);
    Pump();
    m_widget->setWindowState(Qt::WindowMaximized);
    QTest::qWait(800); // the window manager's sizes have stopped
    Pump();
    EXPECT_EQ(ClientSize().cx, before.cx);
    EXPECT_EQ(ClientSize().cy, before.cy);
    EXPECT_TRUE(wintest::Only({WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE})
                    .Matches({{WM_ENTERSIZEMOVE}, {WM_EXITSIZEMOVE}}));
    DestroyWindow(m_top);

    // With one, it is kept.
    Create(WS_OVERLAPPEDWINDOW);
    m_widget->setWindowState(Qt::WindowMaximized);
    Settle();
    EXPECT_TRUE(m_widget->isMaximized());
}

// A desktop that places windows itself (a Wayland compositor) gets only
// their sizes and no activation requests, and where it shows a window is not
// taken for the window's place, which it never tells.
TEST_F(QtWindowFrameTest, WhereTheDesktopPlacesWindowsOnlyTheSizeGoesToIt) {
    struct Managing {
        Managing() { kwin::qt::SetDesktopManagesWindows(true); }
        ~Managing() { kwin::qt::SetDesktopManagesWindows(false); }
    } managing;
    Create(WS_OVERLAPPEDWINDOW);
    const QPoint shown = m_widget->pos();
    MoveWindow(m_top, 300, 200, 500, 400, TRUE);
    Pump();
    EXPECT_EQ(m_widget->pos(), shown);
    EXPECT_EQ(m_widget->size(), (QSize{ClientSize().cx, ClientSize().cy})) << "sized";

    m_widget->move(0, 0); // Qt shows a toplevel at the screen's corner
    m_widget->resize(m_widget->size() + QSize(20, 10)); // the user drags an edge
    Settle();
    RECT outer{};
    GetWindowRect(m_top, &outer);
    EXPECT_EQ(outer.left, 300);
    EXPECT_EQ(outer.top, 200);
    EXPECT_EQ(m_widget->size(), (QSize{ClientSize().cx, ClientSize().cy}));

    HWND other = CreateWindowEx(0, wintest::TestClass("QtWindowFrameTestClass", DefWindowProc),
                                "Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                nullptr, nullptr, nullptr);
    Pump();
    const QWindow* shownLast = QGuiApplication::focusWindow();
    SetActiveWindow(m_top);
    Pump();
    EXPECT_EQ(GetActiveWindow(), m_top);
    EXPECT_EQ(QGuiApplication::focusWindow(), shownLast) << "the desktop decides";
    DestroyWindow(other);
}

} // namespace
