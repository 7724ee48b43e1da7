// What the main window shows while a game is played: the snapshot submenu,
// the menu states as a popup opens, and the four status-bar panes.

#include "ShellWindowFixture.h"

using namespace shelltest;
using wintest::ModalScript;

namespace {

using ShellStateTest = ShellWindowTest;

PuzzleDigits FirstRowOpen() {
    return SolutionWithHoles({{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}});
}

} // namespace

// A blank name is ignored; twenty are kept, the twenty-first refused, and
// after a reset the submenu holds only new snapshots.
TEST_F(ShellStateTest, TwentySnapshotsTheTwentyFirstRefusedAndTheThirdLoaded) {
    StartTimedGame(FirstRowOpen(), 1);
    ModalScript script;
    script.Then(TypeThenEnter("   \t "));
    Key(Qt::Key_F4);
    EXPECT_EQ(script.Started(), 1);
    EXPECT_TRUE(SnapshotItems().empty()) << "a blank name is ignored";
    EXPECT_TRUE(Field().snapShots.empty());
    EXPECT_FALSE(MenuItemState("Game", "&Load snapshot").enabled);

    for (int i = 1; i <= 20; ++i) {
        if (i <= 4) {
            Fill(i, 1);
        }
        m_now = StartTime + 3725 + i;
        script.Then(TypeThenEnter("  s" + std::to_string(i) + " "));
        if (i % 2 == 0) {
            Key(Qt::Key_F4);
        } else {
            Choose({"Game", "&Make a snapshot...\tF4"});
        }
    }
    std::vector<std::string> items = SnapshotItems();
    ASSERT_EQ(items.size(), 20u);
    EXPECT_EQ(items[0], "s1 (01:02:06)") << "trimmed, with the play time";
    EXPECT_EQ(items[19], "s20 (01:02:25)");

    std::string text;
    std::string caption;
    script.Then(TypeThenEnter("s21")).Then(PressEnter(&text, &caption));
    Key(Qt::Key_F4);
    EXPECT_EQ(script.Started(), 23);
    EXPECT_EQ(text, "Maximum amount of snapshots is achived");
    EXPECT_EQ(caption, "Invalid operation");
    EXPECT_EQ(SnapshotItems().size(), 20u);

    Choose({"Game", "&Load snapshot", "s3 (01:02:08)"});
    EXPECT_EQ(Field().field.At(CellPos{3, 1}).value, SolvedDigit(3, 1));
    EXPECT_EQ(Field().field.At(CellPos{4, 1}).value, 0) << "filled only after the third";

    Key(Qt::Key_R, Qt::ControlModifier);
    EXPECT_FALSE(MenuItemState("Game", "&Load snapshot").enabled) << "the reset game has none";
    Fill(2, 1);
    script.Then(TypeThenEnter("after"));
    Key(Qt::Key_F4);
    EXPECT_EQ(SnapshotItems(), std::vector<std::string>{"after (00:00:00)"});
    Key(Qt::Key_Z, Qt::ControlModifier);
    Choose({"Game", "&Load snapshot", "after (00:00:00)"});
    EXPECT_EQ(Field().field.At(CellPos{2, 1}).value, SolvedDigit(2, 1));
}

TEST_F(ShellStateTest, UndoRedoAndCheckFollowTheHistoryAndAutoCheck) {
    // Before and after the first change: MenuKeysTest.
    StartTimedGame(FirstRowOpen(), 0);
    Fill(1, 1);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(MenuItemState("Game", "&Undo\tCtrl-Z").enabled);
    EXPECT_TRUE(MenuItemState("Game", "&Redo\tCtrl-Y").enabled);
    Choose({"Game", "&Redo\tCtrl-Y"});
    EXPECT_EQ(Field().field.At(CellPos{1, 1}).value, SolvedDigit(1, 1));
    EXPECT_TRUE(MenuItemState("Game", "&Undo\tCtrl-Z").enabled);
    EXPECT_FALSE(MenuItemState("Game", "&Redo\tCtrl-Y").enabled);
    Choose({"Game", "&Undo\tCtrl-Z"});
    EXPECT_EQ(Field().field.At(CellPos{1, 1}).value, 0);

    // Check shows the repeated unit, and is grayed while Auto-Check is on.
    SelectCell(1, 1);
    Type(std::to_string(SolvedDigit(1, 2))); // the digit below it: column 1 repeats
    EXPECT_EQ(Field().GetConflictRegion().number, 0u);
    EXPECT_FALSE(MenuItemState("Game", "A&uto-Check").checked);
    Choose({"Game", "&Check\tCtrl-K"});
    EXPECT_NE(Field().GetConflictRegion().number, 0u);
    Choose({"Game", "A&uto-Check"});
    EXPECT_TRUE(Field().IsAutoCheck());
    EXPECT_TRUE(MenuItemState("Game", "A&uto-Check").checked);
    EXPECT_FALSE(MenuItemState("Game", "&Check\tCtrl-K").enabled);
    Choose({"Game", "A&uto-Check"});
    EXPECT_FALSE(Field().IsAutoCheck());
    EXPECT_FALSE(MenuItemState("Game", "A&uto-Check").checked);
    EXPECT_TRUE(MenuItemState("Game", "&Check\tCtrl-K").enabled);
}

// The version line until the first refresh; then the selection and count
// panes, the selection marked after a hint; the play time empty until it
// differs from 0, then following the clock (timer 1).
TEST_F(ShellStateTest, VersionLineThenSelectionCountAndTimePanes) {
    CloseWindow();
    OpenWindow(false);
    m_loop.OnIdle(0);
    EXPECT_EQ(Pane(2), "Kalmora version 2.0 Beta 1 (build 2.0 Beta 1)");
    EXPECT_EQ(Pane(3), "");

    StartTimedGame(FirstRowOpen(), 3);
    EXPECT_EQ(Pane(0), "\t(0, 0)");
    EXPECT_EQ(Pane(1), "\t73 (73)");
    SelectCell(2, 1);
    EXPECT_EQ(Pane(0), "\t(2, 1)");
    Key(Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(Pane(0), "\t(2, 1)*");
    Fill(3, 1);
    EXPECT_EQ(Pane(1), "\t74 (73)");
    EXPECT_EQ(Pane(2), "Ready (Press 'M' to change Mode or use Ctrl-Number)");

    QTest::qWait(250);
    Pump();
    EXPECT_EQ(Pane(3), "") << "the time has not differed from 0 yet";
    m_now = StartTime + 3725;
    EXPECT_TRUE(QTest::qWaitFor(
        [this] {
            Pump();
            return Pane(3) == "01:02:05";
        },
        2000))
        << Pane(3);
}
