#include "tests/session/SessionFixture.h"

#include "engine/PuzzleTable.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <string>

namespace {

constexpr CellPos Hole{2, 5};

TEST_F(SessionTest,
       NewAndBlankGamesEmptyHistoryAndSnapshotsKeepTheInputModeAndRefuseUnknownLevels) {
    session.NewBlankGame();
    Select({1, 1});
    session.SetDigit(4);
    session.MakeSnapshot("before", 0);
    session.ToggleInputMode();
    now += 30;
    TakeLog();

    session.NewGame(1);

    EXPECT_EQ(TakeLog(), Concat({HistoryCleared(), Refreshed()}));
    EXPECT_EQ(session.level, 1);
    EXPECT_FALSE(session.helpUsed);
    EXPECT_EQ(session.startTime, now);
    EXPECT_EQ(session.GetElapsed(), 0);
    EXPECT_EQ(session.GetSelection(), CellPos{});
    EXPECT_EQ(session.GetInputMode(), CGameFieldCtrl::MarkEntry);
    EXPECT_TRUE(session.undo.empty());
    EXPECT_TRUE(session.redo.empty());
    EXPECT_TRUE(session.snapShots.empty());
    const BoardStats& stats = session.GetStats();
    EXPECT_EQ(stats.givens, stats.filled);
    EXPECT_GE(stats.givens, 26u);
    EXPECT_LE(stats.givens, 36u);
    ConflictRegion region;
    EXPECT_TRUE(session.field.CheckAll(region));

    // A level the table does not know is refused and changes nothing.
    const CGameField before = session.field;
    TakeLog();
    EXPECT_THROW(session.NewGame(0), std::out_of_range);
    EXPECT_THROW(session.NewGame(5), std::out_of_range);
    EXPECT_THROW(session.StartPuzzle(PuzzleTable::Get(1, 0), -1), std::out_of_range);
    EXPECT_THROW(session.StartPuzzle(PuzzleTable::Get(1, 0), 5), std::out_of_range);
    EXPECT_EQ(session.field, before);
    EXPECT_EQ(session.level, 1);
    EXPECT_TRUE(TakeLog().empty());

    // A blank game has no level and an empty board.
    session.helpUsed = true;
    now += 5;
    TakeLog();
    session.NewBlankGame();
    EXPECT_EQ(TakeLog(), Concat({HistoryCleared(), Refreshed()}));
    EXPECT_EQ(session.field, CGameField{});
    EXPECT_EQ(session.level, 0);
    EXPECT_FALSE(session.helpUsed);
    EXPECT_EQ(session.startTime, now);
}

// Filling the last cell wins and freezes the clock; a reset after the win
// gives a game without level.
TEST_F(SessionTest, FillingTheLastCellWinsAndFreezesTheClockAndAResetLeavesNoLevel) {
    session.StartPuzzle(SolutionWithHoles({Hole, {7, 7}}), 2);
    FillSolution({{7, 7}});
    Select(Hole);
    now += 42;

    session.SetDigit(SolutionDigit(Hole));

    EXPECT_EQ(TakeLog(), Concat({Recorded(), {ToParent(WM_FIELD_GAMEWON, 2, 0)}, Refreshed()}));
    EXPECT_TRUE(session.IsGameOver());
    EXPECT_EQ(session.GetSelection(), CellPos{});
    EXPECT_EQ(session.finalTime, 42);
    now += 1000;
    EXPECT_EQ(session.GetElapsed(), 42);
    session.SelectCell({1, 1}); // a won game takes no selection, so no input
    EXPECT_EQ(session.GetSelection(), CellPos{});
    EXPECT_TRUE(TakeLog().empty());

    session.MakeSnapshot("won", session.GetElapsed());
    now += 7;
    TakeLog();

    session.ResetGame();

    EXPECT_EQ(TakeLog(), Concat({HistoryCleared(), Refreshed()}));
    CGameField givensOnly;
    givensOnly.LoadPuzzle(SolutionWithHoles({Hole, {7, 7}}));
    EXPECT_EQ(session.field, givensOnly);
    EXPECT_FALSE(session.IsGameOver());
    EXPECT_EQ(session.level, 0);
    EXPECT_EQ(session.finalTime, 0);
    EXPECT_EQ(session.startTime, now);
    EXPECT_TRUE(session.snapShots.empty());

    FillSolution({Hole, {7, 7}});
    const MessageLog sent = TakeLog();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), ToParent(WM_FIELD_GAMEWON, 0, 0)), 1);
}

// Then the right digit wins within the first second, so the final time stays
// zero and the next refresh announces the win again with the time it finds.
// Undoing that win into the board with the repeat returns to play.
TEST_F(SessionTest, AFullBoardWithARepeatedDigitIsNotWonAndAWinInTheFirstSecondIsAnnouncedAgain) {
    session.StartPuzzle(SolutionWithHoles({Hole}), 1);
    Select(Hole);
    const int wrong = SolutionDigit(Hole) % 9 + 1;

    session.SetDigit(wrong);

    EXPECT_EQ(TakeLog(), Concat({Recorded(), Refreshed(7, 0)}));
    EXPECT_FALSE(session.IsAutoCheck());
    EXPECT_FALSE(session.IsGameOver());
    EXPECT_EQ(session.finalTime, 0);
    EXPECT_EQ(session.GetSelection(), Hole);
    // Column 2 is examined while row 1 is scanned, long before row 5.
    EXPECT_EQ(session.GetConflictRegion(), (ConflictRegion{ConflictRegion::Column, 2}));

    FillSolution({Hole});
    ASSERT_TRUE(session.IsGameOver());
    EXPECT_EQ(session.finalTime, 0);
    EXPECT_EQ(session.GetElapsed(), 0);
    TakeLog();
    now += 5;
    session.Refresh();
    EXPECT_EQ(TakeLog(), Concat({{ToParent(WM_FIELD_GAMEWON, 1, 0)}, Refreshed()}));
    EXPECT_EQ(session.finalTime, 5);
    session.Refresh();
    EXPECT_EQ(TakeLog(), Refreshed());

    session.Undo();
    EXPECT_FALSE(session.IsGameOver());
    EXPECT_EQ(session.finalTime, 0);
    Select(Hole);
    EXPECT_EQ(session.GetSelection(), Hole);
}

TEST_F(SessionTest, HintInALevelGameGivesTheCandidatesAndSetsHelpUsed) {
    // Easy 0: row 1 holds 2 3 4 6 7 (the 4 at column 7), column 1 holds 3 6 9,
    // box 1 holds 2 4 6.
    session.StartPuzzle(PuzzleTable::Get(1, 0), 1);
    Select({7, 1});
    EXPECT_TRUE(session.Hint()); // on a filled cell: help used, nothing recorded
    EXPECT_TRUE(session.helpUsed);
    EXPECT_TRUE(session.undo.empty());
    EXPECT_EQ(TakeLog(), HintStripNotified(4, 0x8000));

    session.helpUsed = false;
    Select({1, 1});
    session.ToggleMark(9); // a stale mark of the player's
    const CCell before = CellAt({1, 1});
    TakeLog();

    EXPECT_TRUE(session.Hint());

    EXPECT_EQ(TakeLog(), Concat({Recorded(), HintStripNotified(0, 0x0091)}));
    EXPECT_EQ(CellAt({1, 1}), (CCell{0, 0x0091})); // 1, 5 and 8
    EXPECT_TRUE(session.helpUsed);
    ASSERT_EQ(session.undo.size(), 2u);
    EXPECT_EQ(session.undo.back(), (CUndo{before, 1, 1}));
}

// One edit of the selected cell of a blank game, from a cell set up by hand:
// the cell it leaves, whether it was recorded (and Undo gives the old cell
// back), and what the hint strip and the status bar were told.
TEST_F(SessionTest, EachEditOfTheSelectedCell) {
    using Session = CGameFieldCtrl;
    enum Tail { Silent, Refresh, Notify };
    constexpr std::uint16_t Given = CCell::GivenBit;
    using Edit = void (*)(Session&);
    const Edit clearDigit = [](Session& s) { s.ClearDigit(); };
    const Edit clearCell = [](Session& s) { s.ClearCell(); };
    const Edit mark1 = [](Session& s) { s.ToggleMark(1); };
    const Edit mark3 = [](Session& s) { s.ToggleMark(3); };
    const Edit digit5 = [](Session& s) { s.SetDigit(5); };
    const Edit digit9 = [](Session& s) { s.SetDigit(9); };
    const Edit strip2 = [](Session& s) { s.EnterFromHintStrip(2); };
    const Edit strip5 = [](Session& s) { s.EnterFromHintStrip(5); };
    const Edit strip9 = [](Session& s) { s.EnterFromHintStrip(9); };
    // The hint strip's message: only the low 8 bits of its digit count.
    const Edit message5 = [](Session& s) {
        SendMessage(s.GetHwnd(), WM_FIELD_ENTERDIGIT, 0, 0x305);
    };
    const Edit message9 = [](Session& s) { SendMessage(s.GetHwnd(), WM_FIELD_ENTERDIGIT, 0, 9); };
    const Edit hint = [](Session& s) { s.Hint(); };
    const std::uint16_t all = CCell::MarkMask;
    const struct {
        CCell before;
        bool markMode;
        Edit edit;
        CCell after;
        bool recorded;
        Tail tail;
    } cases[] = {
        // Clear Digit keeps the marks, Clear Cell removes them; both are
        // recorded even on an empty cell, Clear Digit only in digit mode.
        {{5, 0x0003}, false, clearDigit, {0, 0x0003}, true, Refresh},
        {{5, 0x0003}, false, clearCell, {0, 0}, true, Refresh},
        {{0, 0}, false, clearDigit, {0, 0}, true, Refresh},
        {{0, 0}, false, clearCell, {0, 0}, true, Refresh},
        {{5, 0}, true, clearDigit, {5, 0}, false, Silent},
        // Ctrl+digit marks a filled cell too; mark mode marks only empty cells.
        {{5, 0x0002}, false, mark1, {5, 0x0003}, true, Refresh},
        {{5, 0}, true, mark3, {5, 0}, false, Silent},
        {{0, 0x0080}, true, mark3, {0, 0x0084}, true, Refresh},
        // A digit drops the marks but keeps the other bits whole.
        {{0, 0x7E05}, false, digit9, {9, 0x7E00}, true, Refresh},
        {{5, 0}, false, digit5, {5, 0}, false, Silent},
        // The hint strip's digit keeps the marks and is recorded even when it
        // is the digit already there.
        {{0, 0x0040}, false, message5, {5, 0x0040}, true, Refresh},
        {{5, 0x0040}, false, strip5, {5, 0x0040}, true, Refresh},
        // In mark mode it flips marks of empty cells only, refreshing all the same.
        {{0, 0}, true, strip2, {0, 0x0002}, true, Refresh},
        {{8, 0}, true, strip2, {8, 0}, false, Refresh},
        // A hint replaces the marks (in a blank game without setting help
        // used), and records nothing when they are the candidates already.
        {{0, 0x0002}, false, hint, {0, all}, true, Notify},
        {{0, all}, false, hint, {0, all}, false, Notify},
        // A given cell ignores every edit silently.
        {{3, Given}, false, digit9, {3, Given}, false, Silent},
        {{3, Given}, false, mark1, {3, Given}, false, Silent},
        {{3, Given}, false, clearDigit, {3, Given}, false, Silent},
        {{3, Given}, false, clearCell, {3, Given}, false, Silent},
        {{3, Given}, false, strip9, {3, Given}, false, Silent},
        {{3, Given}, false, message9, {3, Given}, false, Silent},
    };
    const CellPos pos{4, 4};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE("case " + std::to_string(i));
        session.NewBlankGame();
        session.CancelSelection(); // back to digit mode
        session.field.At(pos) = c.before;
        Select(pos);
        if (c.markMode) {
            session.ToggleInputMode();
        }
        TakeLog();

        c.edit(session);

        EXPECT_EQ(CellAt(pos), c.after);
        const WPARAM state = c.after.value | (c.markMode ? 0x10000u : 0u);
        MessageLog expected = c.recorded ? Recorded() : MessageLog{};
        if (c.tail != Silent) {
            const MessageLog tail = c.tail == Refresh ? Refreshed(state, c.after.flags)
                                                      : HintStripNotified(state, c.after.flags);
            expected.insert(expected.end(), tail.begin(), tail.end());
        }
        EXPECT_EQ(TakeLog(), expected);
        EXPECT_FALSE(session.helpUsed);
        EXPECT_EQ(session.undo.size(), c.recorded ? 1u : 0u);
        if (c.recorded) {
            session.Undo();
            EXPECT_EQ(CellAt(pos), c.before);
        }
    }
}

// Digits outside 1-9 are ignored, and so is every command without a valid selection.
TEST_F(SessionTest, DigitsOutsideOneToNineAndCommandsWithoutAValidSelectionDoNothing) {
    session.NewBlankGame();
    Select({1, 1});
    for (const int digit : {0, 10, -1, 255}) {
        session.SetDigit(digit);
        session.ToggleMark(digit);
        session.EnterFromHintStrip(digit);
    }
    SendMessage(session.GetHwnd(), WM_FIELD_ENTERDIGIT, 0, 0x100);
    EXPECT_TRUE(TakeLog().empty());
    for (const CellPos pos : {CellPos{}, CellPos{10, 1}, CellPos{1, 0}}) {
        Select(pos);
        session.SetDigit(1);
        session.ToggleMark(1);
        session.ClearDigit();
        session.ClearCell();
        session.EnterFromHintStrip(1);
        EXPECT_FALSE(session.Hint());
        EXPECT_TRUE(TakeLog().empty());
    }
    EXPECT_EQ(session.field, CGameField{});
}

TEST_F(SessionTest, SelectionAndModeChangesNotifyTheHintStrip) {
    session.StartPuzzle(PuzzleTable::Get(1, 0), 1);
    TakeLog();

    session.SelectCell({4, 1});
    EXPECT_EQ(TakeLog(), HintStripNotified(3, 0x8000));

    session.ToggleInputMode();
    EXPECT_EQ(session.GetInputMode(), CGameFieldCtrl::MarkEntry);
    EXPECT_EQ(TakeLog(), HintStripNotified(0x10003, 0x8000));

    session.CancelSelection();
    EXPECT_EQ(session.GetSelection(), CellPos{});
    EXPECT_EQ(session.GetInputMode(), CGameFieldCtrl::DigitEntry);
    EXPECT_EQ(TakeLog(), Refreshed());

    SetHintStrip(nullptr); // no hint strip, no cell state message
    session.SelectCell({1, 1});
    EXPECT_EQ(TakeLog(), MessageLog({ToParent(WM_GET_HINTSTRIP, 0, 0)}));
}

// Two 6s in row 5: Auto-Check shows the row at once and hides it when it is
// gone; without it a refresh hides the conflict and Check shows it, while
// with it Check does nothing.
TEST_F(SessionTest, AutoCheckShowsARepeatedRowAtOnceAndCheckShowsItOnDemand) {
    const auto shown = [this] { return session.GetConflictRegion(); };
    const ConflictRegion row5{ConflictRegion::Row, 5};
    session.NewBlankGame();
    session.SetAutoCheck(true);
    Select({2, 5});
    session.SetDigit(6);
    EXPECT_EQ(shown().number, 0u);
    Select({7, 5});
    session.SetDigit(6);
    EXPECT_EQ(shown(), row5);
    session.ClearCell();
    EXPECT_EQ(shown().number, 0u);

    session.SetAutoCheck(false);
    session.SetDigit(6);
    EXPECT_EQ(shown().number, 0u);
    EXPECT_FALSE(session.Check());
    EXPECT_EQ(shown(), row5);
    session.Refresh();
    ASSERT_EQ(shown().number, 0u);
    session.SetAutoCheck(false); // checks once more, and leaves the result
    EXPECT_EQ(shown(), row5);
    session.Refresh();
    session.SetAutoCheck(true); // shows it at once
    EXPECT_EQ(shown(), row5);

    session.ClearCell();
    ASSERT_EQ(shown().number, 0u);
    session.field.At({7, 5}).value = 6; // behind the session's back
    EXPECT_TRUE(session.Check());
    EXPECT_EQ(shown().number, 0u);

    // Three 3s, the last making row 5 and column 5 repeat at once: Auto-Check
    // shows the column, examined in row 1, not a unit of the cell just filled.
    session.NewBlankGame();
    session.SetAutoCheck(true);
    for (const CellPos pos : {CellPos{1, 5}, CellPos{5, 1}, CellPos{5, 5}}) {
        Select(pos);
        session.SetDigit(3);
    }
    EXPECT_EQ(session.GetConflictRegion(), (ConflictRegion{ConflictRegion::Column, 5}));
}

} // namespace
