// The session and the winners at the main window: a game played, the window
// closed and opened again over the same data folder; damaged and missing
// files; a won game entering the winners list.

#include "ShellWindowFixture.h"

#include "../storage/StorageTestSupport.h"
#include "storage/WinnersRules.h"
#include "tests/support/ScopedEnvironment.h"

#include <optional>

using namespace shelltest;
using wintest::ModalScript;

using ShellSessionTest = ShellWindowTest;

// A played game brought back by a restart: the soak closes and reopens the
// window over random sessions and compares all of it, and the end-to-end
// tests do it on a real desktop.

// A restart puts the window back where it was, gives Auto-Check back to the
// session and the menu, and sets Undo and Redo from their own histories. A
// window rectangle off every monitor, and a session file without its
// Auto-Check byte, give the centred default window; the file restores nothing.
TEST_F(ShellSessionTest, ARestartRestoresPlaceAndStatesAndAFileWithoutItsAutoCheckByteNothing) {
    MoveWindow(Main(), -30000, -30000, 430, 560, TRUE);
    Pump();
    Reopen();
    ExpectCentredDefaultWindow();

    MoveWindow(Main(), 40, 30, 430, 560, TRUE);
    Pump();
    const RECT placed = WindowRect(Main());
    StartTimedGame(SolutionWithHoles({{1, 1}, {2, 2}}), 3);
    Fill(1, 1);
    Key(Qt::Key_Z, Qt::ControlModifier); // only a redo is left
    Choose({"Game", "A&uto-Check"});
    Reopen();
    const RECT restored = WindowRect(Main());
    EXPECT_TRUE(EqualRect(&restored, &placed));
    EXPECT_TRUE(Field().IsAutoCheck());
    EXPECT_TRUE(MenuItemState("Game", "A&uto-Check").checked);
    EXPECT_FALSE(MenuItemState("Game", "&Check\tCtrl-K").enabled);
    EXPECT_FALSE(MenuItemState("Game", "&Undo\tCtrl-Z").enabled);
    EXPECT_TRUE(MenuItemState("Game", "&Redo\tCtrl-Y").enabled);
    Key(Qt::Key_Y, Qt::ControlModifier);
    CloseWindow();
    const std::filesystem::path session = m_dataDir / "Kalmora" / "default.dat";
    const std::string content = Gunzip(ReadFileBytes(session));
    WriteFileBytes(session, Gzip(content.substr(0, content.size() - 1)));

    OpenWindow();
    EXPECT_EQ(Field().level, 0);
    EXPECT_TRUE(Field().undo.empty());
    EXPECT_EQ(Field().GetStats().filled, 0u);
    EXPECT_FALSE(Field().IsAutoCheck());
    EXPECT_FALSE(MenuItemState("Game", "&Undo\tCtrl-Z").enabled);
    ExpectCentredDefaultWindow();
}

TEST_F(ShellSessionTest, WithoutADataFolderNothingIsReadOrWritten) {
    CloseWindow();
    std::filesystem::remove_all(m_dataDir / "Kalmora");
    const std::filesystem::path missing = m_dataDir / "missing";
    int levelAfter = -1;
    {
        ScopedEnvironment env("LOCALAPPDATA", std::nullopt);
        env.Set("XDG_DATA_HOME", (missing / "xdg").string());
        env.Set("HOME", (missing / "home").string());
        ModalScript script; // nothing may be reported
        OpenWindow();
        StartTimedGame(SolutionWithHoles({{1, 1}, {2, 2}}), 1);
        Fill(1, 1);
        CloseWindow();
        OpenWindow();
        levelAfter = Field().level;
        CloseWindow();
        EXPECT_EQ(script.Started(), 0);
    }
    EXPECT_EQ(levelAfter, 0) << "nothing was read back";
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_FALSE(std::filesystem::exists(m_dataDir / "Kalmora"));
    OpenWindow();
}

// Kept across a restart: the soak compares the winners after each restart,
// and the end-to-end test of a won game reads them back from the Game menu's
// winners tables, each level's its own.
TEST_F(ShellSessionTest, AWinnerIsEnteredOnce) {
    StartTimedGame(SolutionWithHoles({{9, 9}, {8, 8}}), 1);
    Fill(8, 8);
    m_now = StartTime + 425;
    std::string message;
    ModalScript script;
    script.Then(AnswerWinner("Ann", &message));
    Fill(9, 9);
    EXPECT_EQ(script.Started(), 1);
    EXPECT_EQ(message, "You're a winner! You won in 'Easy game' in 00:07:05");
    EXPECT_EQ(Pane(2), "Game over");
    ASSERT_EQ(m_main->GetWinners()[0].size(), 1u);
    EXPECT_EQ(WinnersRules::NameText(m_main->GetWinners()[0].front()), "Ann");
    EXPECT_EQ(m_main->GetWinners()[0].front().time, 425);

    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Y, Qt::ControlModifier); // won again: nothing more is asked
    EXPECT_EQ(script.Started(), 1);
    EXPECT_EQ(m_main->GetWinners()[0].size(), 1u);
}

TEST_F(ShellSessionTest, HintedAndBlankGamesShowNothing) {
    ModalScript script; // any dialog fails the test
    StartTimedGame(SolutionWithHoles({{9, 9}, {1, 1}}), 2);
    SelectCell(1, 1);
    Key(Qt::Key_H, Qt::ControlModifier);
    Fill(1, 1);
    Fill(9, 9);
    EXPECT_TRUE(Field().IsGameOver());
    EXPECT_NE(Pane(2), "Game over");

    StartTimedGame(SolutionWithHoles({{5, 5}}), 0);
    Fill(5, 5);
    EXPECT_TRUE(Field().IsGameOver());
    EXPECT_NE(Pane(2), "Game over");
    EXPECT_EQ(script.Started(), 0);
    for (const WinnersList& list : m_main->GetWinners()) {
        EXPECT_TRUE(list.empty());
    }
}
