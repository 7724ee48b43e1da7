// One game played to the end through the window: select with the mouse,
// move with the arrows, type the missing digits, see the board turn green
// and the main window told of the win.

#include "ShellWindowFixture.h"

#include "tests/views/win/ModalScript.h"

#include "session/FieldMessages.h"

#include <vector>

using namespace shelltest;
using MainWndTest = ShellWindowTest;

namespace {

struct Won {
    WPARAM level;
    LPARAM helpUsed;
};
std::vector<Won> g_wins;
WNDPROC g_mainProc = nullptr;

LRESULT WinRecorder(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_FIELD_GAMEWON) {
        g_wins.push_back({wParam, lParam});
    }
    return CallWindowProc(g_mainProc, hwnd, message, wParam, lParam);
}

Qt::Key DigitKey(int digit) {
    return static_cast<Qt::Key>(Qt::Key_0 + digit);
}

} // namespace

TEST_F(MainWndTest, WholeGamePlayedWithKeysEndsInAWin) {
    g_wins.clear();
    g_mainProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(Main(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WinRecorder)));
    // Holes in row 2 (columns 2, 5, 8) and at (7, 9).
    StartGame(SolutionWithHoles({{2, 2}, {5, 2}, {8, 2}, {7, 9}}), 2);

    ClickCell(1, 2);
    Key(Qt::Key_Right);
    Key(DigitKey(SolvedDigit(2, 2)));
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    Key(DigitKey(SolvedDigit(5, 2)));
    Key(Qt::Key_End, Qt::ControlModifier);
    Key(Qt::Key_Left);
    Key(DigitKey(SolvedDigit(8, 2)));
    ASSERT_FALSE(Field().IsGameOver());
    EXPECT_TRUE(g_wins.empty());
    Key(Qt::Key_PageDown);
    Key(Qt::Key_Left);
    ASSERT_EQ(Selection(), (CellPos{7, 9}));
    // The game qualifies for the empty Normal list: the winner dialog is declined.
    wintest::ModalScript script;
    script.Then(
        [](const kwin::ModalStart& start) { wintest::PressKey(start.window, Qt::Key_Escape); });
    Key(DigitKey(SolvedDigit(7, 9)));
    EXPECT_EQ(script.Started(), 1);

    EXPECT_TRUE(Field().IsGameOver());
    ASSERT_EQ(g_wins.size(), 1u) << "the main window hears of the win once";
    EXPECT_EQ(g_wins[0].level, 2u);
    EXPECT_EQ(g_wins[0].helpUsed, 0);
    EXPECT_EQ(Selection(), (CellPos{0, 0}));
    EXPECT_FALSE(Strip().IsShown());
    // The board as painted in its window: every cell in the game-over colour.
    for (const QPoint cell : {CellCentre(1, 1), CellCentre(7, 9), CellCentre(9, 5)}) {
        EXPECT_EQ(PixelOf(Field().GetHwnd(), cell.x() - 12 - 16, cell.y() - 12 - 16),
                  RGB(240, 255, 240));
    }
    SetWindowLongPtr(Main(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_mainProc));
}
