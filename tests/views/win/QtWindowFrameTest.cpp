// What the desktop may do to a top-level window's frame: a window without a
// sizing border keeps its size, and one without a maximise box is not left
// maximised, whatever the window manager offers.

#include "QtWindowFixture.h"
#include "TestWindows.h"

#include <QApplication>
#include <QTest>

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

} // namespace
