// The main window as created: class, styles, place, children and their
// rectangles, and the routing of messages to the field view and the strip.

#include "ShellWindowFixture.h"

#include "tests/views/win/ModalScript.h"

#include <vector>

using namespace shelltest;
using MainWndTest = ShellWindowTest;

namespace {

void ExpectRect(const RECT& r, int left, int top, int right, int bottom, const char* what) {
    EXPECT_EQ(r.left, left) << what;
    EXPECT_EQ(r.top, top) << what;
    EXPECT_EQ(r.right, right) << what;
    EXPECT_EQ(r.bottom, bottom) << what;
}

} // namespace

// The title is read on a real desktop (the end-to-end tests), and the class
// asks for no double clicks (BoardInputTest.ClicksDragsAndDoubleClicks...).
TEST_F(MainWndTest, ClassStylesAndChildRectangles) {
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(GetClassInfoEx(GetModuleHandle(nullptr), "KalmoraWndClass", &wc));
    EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_BTNFACE + 1)));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(Main(), GWL_STYLE)) & 0x00CF0000u, 0x00CE0000u);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(Main(), GWL_EXSTYLE)) & WS_EX_WINDOWEDGE,
              WS_EX_WINDOWEDGE);
    EXPECT_NE(GetMenu(Main()), nullptr);
    const auto big = reinterpret_cast<HICON>(SendMessage(Main(), WM_GETICON, ICON_BIG, 0));
    const auto small = reinterpret_cast<HICON>(SendMessage(Main(), WM_GETICON, ICON_SMALL, 0));
    EXPECT_NE(big, nullptr);
    EXPECT_NE(small, nullptr);
    EXPECT_NE(big, small) << "loaded once at each size";

    // The children at their rectangles.
    RECT client;
    GetClientRect(Main(), &client);
    EXPECT_EQ(client.right, 400) << "416 wide outside, 400 inside";
    ExpectRect(ChildRect(Field().GetHwnd()), 12, 12, 388, 388, "board");
    ExpectRect(ChildRect(Strip().GetHwnd()), 12, 400, 388, 441, "hint strip");
    const RECT status = ChildRect(m_main->GetStatusBar());
    EXPECT_EQ(status.bottom, client.bottom) << "the status bar is docked at the bottom";
    EXPECT_GT(status.top, 441) << "below the hint strip";
    EXPECT_EQ(status.left, 0);
    EXPECT_EQ(status.right, client.right);
}

TEST_F(MainWndTest, EndOfTheDesktopSessionClosesLikeClose) {
    SendMessage(Main(), WM_ENDSESSION, FALSE, 0);
    Pump();
    EXPECT_TRUE(IsWindow(Main())) << "a session that goes on after all changes nothing";
    EXPECT_FALSE(m_quitSeen);
    SendMessage(Main(), WM_ENDSESSION, TRUE, 0);
    Pump();
    EXPECT_FALSE(IsWindow(Main()));
    EXPECT_TRUE(m_quitSeen);
}

TEST_F(MainWndTest, DestroyingTheObjectClosesItsWindowTheNormalWay) {
    const HWND hwnd = Main();
    m_main.reset();
    Pump();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(m_quitSeen) << "the window's own WM_DESTROY handling ran";
}

TEST_F(MainWndTest, AcceleratorKeysBecomeCommandsBeforeTheBoardSeesThem) {
    StartGame(SolutionWithHoles({{5, 5}}));
    ClickCell(5, 5);
    Key(Qt::Key_3);
    // Two edits, so Undo stays enabled for the second undo key: a grayed
    // Undo item lets no accelerator through.
    Key(Qt::Key_4);
    ASSERT_EQ(Field().field.At({5, 5}).value, 4);
    RecordCommands();
    // F4 opens the snapshot dialog, F2 the save dialog and Ctrl+O the open
    // dialog: all are cancelled.
    const auto reject = [](const kwin::ModalStart& start) {
        wintest::FileDialogOf(start)->reject();
    };
    wintest::ModalScript script;
    script
        .Then(
            [](const kwin::ModalStart& start) { wintest::PressKey(start.window, Qt::Key_Escape); })
        .Then(reject)
        .Then(reject);
    Key(Qt::Key_F4);
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Backspace, Qt::AltModifier);
    Key(Qt::Key_F2);
    Key(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(script.Started(), 3);
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(m_commands, (std::vector<UINT>{32806, 57643, 57643, 57603, 57601}))
        << "Ctrl+Y is the board's key, not an accelerator";
}
