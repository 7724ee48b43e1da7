// The session and the winners at the main window: a game played, the window
// closed and opened again over the same data folder; damaged and missing
// files; a won game entering the winners list.

#include "ShellWindowFixture.h"

#include "../storage/StorageTestSupport.h"
#include "app/DialogTemplates.h"
#include "grid/CGridCtrl.h"
#include "grid/ShowWinnersTemplate.h"
#include "storage/WinnersRules.h"
#include "tests/support/ScopedEnvironment.h"

#include <optional>

using namespace shelltest;
using wintest::ModalScript;

namespace {

class ShellSessionTest : public ShellWindowTest {
protected:
    std::filesystem::path SessionPath() const { return m_dataDir / "Kalmora" / "default.dat"; }
};

// Answers the winner dialog: notes its message, types the name, presses Enter.
wintest::ModalStep AnswerWinner(std::string* message, const std::string& name) {
    return [=](const kwin::ModalStart& start) {
        *message = wintest::ItemText(start.window, IDC_MESSAGE_EDIT);
        wintest::TypeInto(start.window, name);
        wintest::PressKey(start.window, Qt::Key_Return);
    };
}

} // namespace

// A played game brought back by a restart: the soak closes and reopens the
// window over random sessions and compares all of it, and the end-to-end
// tests do it on a real desktop.

TEST_F(ShellSessionTest, ASessionFileWithoutItsAutoCheckByteRestoresNothing) {
    StartTimedGame(SolutionWithHoles({{1, 1}, {2, 2}}), 3);
    Fill(1, 1);
    Choose({"Game", "A&uto-Check"});
    CloseWindow();
    const std::string content = Gunzip(ReadFileBytes(SessionPath()));
    WriteFileBytes(SessionPath(), Gzip(content.substr(0, content.size() - 1)));

    OpenWindow();
    EXPECT_EQ(Field().level, 0);
    EXPECT_TRUE(Field().undo.empty());
    EXPECT_EQ(Field().GetStats().filled, 0u);
    EXPECT_FALSE(Field().IsAutoCheck());
    EXPECT_FALSE(MenuItemState("Game", "&Undo\tCtrl-Z").enabled);
    ExpectCentredDefaultWindow();
}

TEST_F(ShellSessionTest, ARectangleOffEveryMonitorGivesTheCentredDefaultWindow) {
    MoveWindow(Main(), -30000, -30000, 430, 560, TRUE);
    Pump();
    Reopen();
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

TEST_F(ShellSessionTest, AWinnerIsEnteredOnceAndKeptAcrossARestart) {
    StartTimedGame(SolutionWithHoles({{9, 9}, {8, 8}}), 1);
    Fill(8, 8);
    m_now = StartTime + 425;
    std::string message;
    ModalScript script;
    script.Then(AnswerWinner(&message, "Ann"));
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

    Reopen();
    ASSERT_EQ(m_main->GetWinners()[0].size(), 1u);
    EXPECT_EQ(WinnersRules::NameText(m_main->GetWinners()[0].front()), "Ann");

    // The Game menu shows the list in the winners table, and only that level's.
    std::vector<std::string> easyRow;
    int normalRows = -1;
    script
        .Then([&](const kwin::ModalStart& start) {
            const auto* grid = dynamic_cast<CGridCtrl*>(
                CWindow::FromHandle(GetDlgItem(start.window, IDC_WINNERS_GRID)));
            ASSERT_NE(grid, nullptr);
            for (int col = 0; col < grid->GetColumnCount(); ++col) {
                easyRow.push_back(grid->GetItemText(1, col));
            }
            wintest::PressKey(start.window, Qt::Key_Return);
        })
        .Then([&](const kwin::ModalStart& start) {
            const auto* grid = dynamic_cast<CGridCtrl*>(
                CWindow::FromHandle(GetDlgItem(start.window, IDC_WINNERS_GRID)));
            ASSERT_NE(grid, nullptr);
            normalRows = grid->GetRowCount();
            wintest::PressKey(start.window, Qt::Key_Escape);
        });
    Choose({"Game", "Show Top Winners", "Easy Game"});
    Choose({"Game", "Show Top Winners", "Normal Game"});
    EXPECT_EQ(script.Started(), 3);
    EXPECT_EQ(easyRow, (std::vector<std::string>{"1", "Ann", "00:07:05"}));
    EXPECT_EQ(normalRows, 1); // the header alone
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
