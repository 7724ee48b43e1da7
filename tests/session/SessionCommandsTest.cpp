#include "tests/session/SessionFixture.h"

#include "engine/PuzzleTable.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr CellPos Hole{2, 5};

TEST_F(SessionTest, NewGameEmptiesHistoryAndSnapshotsAndKeepsTheInputMode) {
    session.NewBlankGame();
    Select({1, 1});
    session.SetDigit(4);
    session.MakeSnapshot("before", 0);
    session.ToggleInputMode();
    now += 30;
    TakeLog();

    session.NewGame(1);

    EXPECT_EQ(TakeLog(),
              Concat({{ToParent(WM_FIELD_UNDOSTATE, 0, 0), ToParent(WM_FIELD_REDOSTATE, 0, 0)},
                      Refreshed()}));
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
}

TEST_F(SessionTest, NewGameRefusesALevelItDoesNotKnow) {
    session.StartPuzzle(PuzzleTable::Get(2, 3), 2);
    const CGameField before = session.field;
    TakeLog();
    EXPECT_THROW(session.NewGame(0), std::out_of_range);
    EXPECT_THROW(session.NewGame(5), std::out_of_range);
    EXPECT_THROW(session.StartPuzzle(PuzzleTable::Get(1, 0), -1), std::out_of_range);
    EXPECT_THROW(session.StartPuzzle(PuzzleTable::Get(1, 0), 5), std::out_of_range);
    EXPECT_EQ(session.field, before);
    EXPECT_EQ(session.level, 2);
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(SessionTest, BlankGameHasNoLevelAndAnEmptyBoard) {
    session.StartPuzzle(PuzzleTable::Get(1, 0), 1);
    session.helpUsed = true;
    now += 5;
    TakeLog();
    session.NewBlankGame();
    EXPECT_EQ(TakeLog(),
              Concat({{ToParent(WM_FIELD_UNDOSTATE, 0, 0), ToParent(WM_FIELD_REDOSTATE, 0, 0)},
                      Refreshed()}));
    EXPECT_EQ(session.field, CGameField{});
    EXPECT_EQ(session.level, 0);
    EXPECT_FALSE(session.helpUsed);
    EXPECT_EQ(session.startTime, now);
}

TEST_F(SessionTest, FillingTheLastCellWinsAndFreezesTheClock) {
    session.StartPuzzle(SolutionWithHoles({Hole}), 2);
    Select(Hole);
    now += 42;

    session.SetDigit(SolutionDigit(Hole));

    EXPECT_EQ(TakeLog(), Concat({Recorded(), {ToParent(WM_FIELD_GAMEWON, 2, 0)}, Refreshed()}));
    EXPECT_TRUE(session.IsGameOver());
    EXPECT_EQ(session.GetSelection(), CellPos{});
    EXPECT_EQ(session.finalTime, 42);
    now += 1000;
    EXPECT_EQ(session.GetElapsed(), 42);
}

TEST_F(SessionTest, AWonGameBlocksSelectionAndCellInput) {
    session.StartPuzzle(SolutionWithHoles({Hole}), 1);
    FillSolution({Hole});
    const CGameFieldSerialData before = session;
    TakeLog();

    session.SelectCell({1, 1});
    session.SetDigit(3);
    session.ClearCell();
    session.Hint();

    EXPECT_EQ(session.GetSelection(), CellPos{});
    EXPECT_EQ(static_cast<const CGameFieldSerialData&>(session), before);
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(SessionTest, WinAnnouncesTheHelpUsedFlag) {
    session.StartPuzzle(SolutionWithHoles({Hole, {9, 9}}), 3);
    Select({9, 9});
    ASSERT_TRUE(session.Hint());
    Select(Hole);
    TakeLog();
    session.SetDigit(SolutionDigit(Hole));
    FillSolution({{9, 9}});
    const MessageLog sent = TakeLog();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), ToParent(WM_FIELD_GAMEWON, 3, 1)), 1);
}

TEST_F(SessionTest, AFullBoardWithARepeatedDigitIsNotWonAndShowsTheFirstBadUnit) {
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
}

TEST_F(SessionTest, UndoingAWinIntoAFullBoardWithARepeatedDigitReturnsToPlay) {
    session.StartPuzzle(SolutionWithHoles({Hole}), 1);
    Select(Hole);
    session.SetDigit(SolutionDigit(Hole) % 9 + 1);
    FillSolution({Hole});
    ASSERT_TRUE(session.IsGameOver());

    session.Undo();

    EXPECT_FALSE(session.IsGameOver());
    EXPECT_EQ(session.finalTime, 0);
    Select(Hole);
    EXPECT_EQ(session.GetSelection(), Hole);
}

TEST_F(SessionTest, HintInALevelGameGivesTheCandidatesAndSetsHelpUsed) {
    // Easy 0: row 1 holds 2 3 4 6 7, column 1 holds 3 6 9, box 1 holds 2 4 6.
    session.StartPuzzle(PuzzleTable::Get(1, 0), 1);
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

TEST_F(SessionTest, HintInABlankGameLeavesHelpUsedClear) {
    session.NewBlankGame();
    Select({5, 5});
    EXPECT_TRUE(session.Hint());
    EXPECT_EQ(CellAt({5, 5}).flags, CCell::MarkMask);
    EXPECT_FALSE(session.helpUsed);
}

TEST_F(SessionTest, HintOnAFilledCellSetsHelpUsedButRecordsNothing) {
    session.StartPuzzle(SolutionWithHoles({Hole}), 4);
    Select({1, 1});
    EXPECT_TRUE(session.Hint());
    EXPECT_TRUE(session.helpUsed);
    EXPECT_TRUE(session.undo.empty());
    EXPECT_EQ(TakeLog(), HintStripNotified(1, 0x8000));
}

TEST_F(SessionTest, HintIsRefusedWhenTheBoxRepeatsADigit) {
    session.StartPuzzle(PuzzleDigits{}, 1);
    Select({1, 1});
    session.SetDigit(4);
    Select({2, 2});
    session.SetDigit(4);
    Select({3, 3});
    const std::size_t records = session.undo.size();
    TakeLog();

    EXPECT_FALSE(session.Hint());

    EXPECT_TRUE(TakeLog().empty());
    EXPECT_EQ(session.GetConflictRegion(), (ConflictRegion{ConflictRegion::Box, 1}));
    EXPECT_EQ(CellAt({3, 3}).flags, 0);
    EXPECT_EQ(session.undo.size(), records);
    EXPECT_FALSE(session.helpUsed);
}

TEST_F(SessionTest, ClearDigitKeepsTheMarksAndClearCellRemovesThem) {
    session.NewBlankGame();
    Select({4, 4});
    session.SetDigit(5);
    session.ToggleMark(1); // Ctrl+digit marks a filled cell too
    session.ToggleMark(2);
    ASSERT_EQ(CellAt({4, 4}), (CCell{5, 0x0003}));
    TakeLog();

    session.ClearDigit();
    EXPECT_EQ(CellAt({4, 4}), (CCell{0, 0x0003}));
    EXPECT_EQ(TakeLog(), Concat({Recorded(), Refreshed(0, 0x0003)}));

    session.Undo();
    ASSERT_EQ(CellAt({4, 4}), (CCell{5, 0x0003}));
    session.ClearCell();
    EXPECT_EQ(CellAt({4, 4}), (CCell{0, 0}));
}

TEST_F(SessionTest, ClearingAnEmptyCellIsStillRecorded) {
    session.NewBlankGame();
    Select({4, 4});
    session.ClearDigit();
    session.ClearCell();
    EXPECT_EQ(session.undo.size(), 2u);
}

TEST_F(SessionTest, ClearDigitDoesNothingInMarkMode) {
    session.NewBlankGame();
    Select({4, 4});
    session.SetDigit(5);
    session.ToggleInputMode();
    TakeLog();
    session.ClearDigit();
    EXPECT_EQ(CellAt({4, 4}).value, 5);
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(SessionTest, MarkModeMarksOnlyEmptyCells) {
    session.NewBlankGame();
    Select({4, 4});
    session.SetDigit(5);
    session.ToggleInputMode();
    const std::size_t records = session.undo.size();
    session.ToggleMark(3);
    EXPECT_EQ(CellAt({4, 4}), (CCell{5, 0}));
    EXPECT_EQ(session.undo.size(), records);
    Select({5, 4});
    session.ToggleMark(3);
    session.ToggleMark(8);
    EXPECT_EQ(CellAt({5, 4}), (CCell{0, 0x0084}));
}

TEST_F(SessionTest, EnteringTheDigitACellHoldsRecordsNothing) {
    session.NewBlankGame();
    Select({4, 4});
    session.SetDigit(5);
    TakeLog();
    session.SetDigit(5);
    EXPECT_EQ(session.undo.size(), 1u);
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(SessionTest, AGivenCellIgnoresEveryEditSilently) {
    session.StartPuzzle(PuzzleTable::Get(1, 0), 1);
    const CellPos given{4, 1}; // digit 3 in Easy puzzle 0
    ASSERT_TRUE(CellAt(given).IsGiven());
    Select(given);
    const CCell before = CellAt(given);

    session.SetDigit(9);
    session.ToggleMark(1);
    session.ClearDigit();
    session.ClearCell();
    session.EnterFromHintStrip(9);
    SendMessage(session.GetHwnd(), WM_FIELD_ENTERDIGIT, 0, 9);

    EXPECT_EQ(CellAt(given), before);
    EXPECT_TRUE(session.undo.empty());
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(SessionTest, TheHintStripEntersADigitThroughItsMessage) {
    session.NewBlankGame();
    Select({6, 2});
    session.ToggleMark(7);
    TakeLog();

    SendMessage(session.GetHwnd(), WM_FIELD_ENTERDIGIT, 0, 0x305); // only the low 8 bits count

    EXPECT_EQ(CellAt({6, 2}), (CCell{5, 0x0040})); // the marks stay
    EXPECT_EQ(TakeLog(), Concat({Recorded(), Refreshed(5, 0x0040)}));

    SendMessage(session.GetHwnd(), WM_FIELD_ENTERDIGIT, 0, 5); // the same digit again
    EXPECT_EQ(session.undo.size(), 3u);
    EXPECT_EQ(TakeLog(), Concat({Recorded(), Refreshed(5, 0x0040)}));
}

TEST_F(SessionTest, TheHintStripInMarkModeFlipsMarksOfEmptyCellsOnly) {
    session.NewBlankGame();
    Select({6, 2});
    session.ToggleInputMode();
    TakeLog();

    session.EnterFromHintStrip(2);
    EXPECT_EQ(CellAt({6, 2}), (CCell{0, 0x0002}));
    EXPECT_EQ(TakeLog(), Concat({Recorded(), Refreshed(0x10000, 0x0002)}));

    session.ToggleInputMode();
    session.SetDigit(8);
    session.ToggleInputMode();
    TakeLog();
    const std::size_t records = session.undo.size();
    session.EnterFromHintStrip(2);
    EXPECT_EQ(CellAt({6, 2}).value, 8);
    EXPECT_EQ(session.undo.size(), records);
    EXPECT_EQ(TakeLog(), Refreshed(0x10008, 0)); // a refresh all the same
}

TEST_F(SessionTest, DigitsOutsideOneToNineAreIgnored) {
    session.NewBlankGame();
    Select({1, 1});
    TakeLog();
    for (const int digit : {0, 10, -1, 255}) {
        session.SetDigit(digit);
        session.ToggleMark(digit);
        session.EnterFromHintStrip(digit);
    }
    SendMessage(session.GetHwnd(), WM_FIELD_ENTERDIGIT, 0, 0x100);
    EXPECT_EQ(CellAt({1, 1}), CCell{});
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(SessionTest, CommandsWithoutAValidSelectionDoNothing) {
    session.NewBlankGame();
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
    EXPECT_EQ(TakeLog(), MessageLog({ToParent(WM_GET_HINTSTRIP, 0, 0),
                                     {"hint", WM_HINT_CELLSTATE, 3, 0x8000, {}}}));

    session.ToggleInputMode();
    EXPECT_EQ(session.GetInputMode(), CGameFieldCtrl::MarkEntry);
    EXPECT_EQ(TakeLog(), MessageLog({ToParent(WM_GET_HINTSTRIP, 0, 0),
                                     {"hint", WM_HINT_CELLSTATE, 0x10003, 0x8000, {}}}));

    session.CancelSelection();
    EXPECT_EQ(session.GetSelection(), CellPos{});
    EXPECT_EQ(session.GetInputMode(), CGameFieldCtrl::DigitEntry);
    EXPECT_EQ(TakeLog(),
              MessageLog({ToParent(WM_GET_HINTSTRIP, 0, 0),
                          {"hint", WM_HINT_CELLSTATE, ~WPARAM{0}, -1, {}},
                          {"main", WM_FIELD_STATUSTEXT, 0, 0, CGameFieldCtrl::ReadyText}}));
}

TEST_F(SessionTest, NoHintStripMeansNoCellStateMessage) {
    SetHintStrip(nullptr);
    session.SelectCell({1, 1});
    EXPECT_EQ(TakeLog(), MessageLog({ToParent(WM_GET_HINTSTRIP, 0, 0)}));
}

TEST_F(SessionTest, ResetAfterAWinGivesAGameWithoutLevel) {
    session.StartPuzzle(SolutionWithHoles({Hole, {7, 7}}), 2);
    FillSolution({Hole, {7, 7}});
    session.MakeSnapshot("won", session.GetElapsed());
    ASSERT_TRUE(session.IsGameOver());
    now += 7;
    TakeLog();

    session.ResetGame();

    EXPECT_EQ(TakeLog(),
              Concat({{ToParent(WM_FIELD_UNDOSTATE, 0, 0), ToParent(WM_FIELD_REDOSTATE, 0, 0)},
                      Refreshed()}));
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

TEST_F(SessionTest, AutoCheckShowsARepeatedRowAtOnceAndHidesItWhenCleared) {
    session.NewBlankGame();
    session.SetAutoCheck(true);
    Select({2, 5});
    session.SetDigit(6);
    EXPECT_EQ(session.GetConflictRegion().number, 0u);
    Select({7, 5});
    session.SetDigit(6);
    EXPECT_EQ(session.GetConflictRegion(), (ConflictRegion{ConflictRegion::Row, 5}));
    session.ClearCell();
    EXPECT_EQ(session.GetConflictRegion().number, 0u);
}

// Three 3s, the last making a row and a column repeat at once.
TEST_F(SessionTest, AutoCheckShowsTheRegionExaminedFirst) {
    const struct {
        CellPos cells[3];
        ConflictRegion shown;
    } cases[] = {
        // Column 5 is examined in row 1, before row 5 is reached.
        {{{1, 5}, {5, 1}, {5, 5}}, {ConflictRegion::Column, 5}},
        // Row 1 and column 8 both repeat; the row is examined first.
        {{{2, 1}, {8, 6}, {8, 1}}, {ConflictRegion::Row, 1}},
    };
    for (const auto& c : cases) {
        session.NewBlankGame();
        session.SetAutoCheck(true);
        for (const CellPos pos : c.cells) {
            Select(pos);
            session.SetDigit(3);
        }
        EXPECT_EQ(session.GetConflictRegion(), c.shown);
    }
}

TEST_F(SessionTest, WithoutAutoCheckARefreshHidesTheConflict) {
    session.NewBlankGame();
    Select({2, 5});
    session.SetDigit(6);
    Select({7, 5});
    session.SetDigit(6);
    EXPECT_EQ(session.GetConflictRegion().number, 0u);
    EXPECT_FALSE(session.Check());
    EXPECT_EQ(session.GetConflictRegion(), (ConflictRegion{ConflictRegion::Row, 5}));
}

TEST_F(SessionTest, CheckDoesNothingWhileAutoCheckIsOn) {
    session.NewBlankGame();
    Select({2, 5});
    session.SetDigit(6);
    Select({7, 5});
    session.SetDigit(6);
    session.SetAutoCheck(true);
    EXPECT_EQ(session.GetConflictRegion(), (ConflictRegion{ConflictRegion::Row, 5}));
    session.SetAutoCheck(false); // checks once more, and leaves the result
    EXPECT_EQ(session.GetConflictRegion(), (ConflictRegion{ConflictRegion::Row, 5}));
    session.SetAutoCheck(true);
    Select({7, 5});
    session.ClearCell();
    ASSERT_EQ(session.GetConflictRegion().number, 0u);
    session.field.At({7, 5}).value = 6; // behind the session's back
    EXPECT_TRUE(session.Check());
    EXPECT_EQ(session.GetConflictRegion().number, 0u);
}

TEST_F(SessionTest, AWinWithinTheFirstSecondKeepsAZeroFinalTimeAndIsAnnouncedAgain) {
    session.StartPuzzle(SolutionWithHoles({Hole}), 1);
    FillSolution({Hole});
    EXPECT_EQ(session.finalTime, 0);
    EXPECT_EQ(session.GetElapsed(), 0);
    TakeLog();
    now += 5;

    session.Refresh();

    EXPECT_EQ(TakeLog(), Concat({{ToParent(WM_FIELD_GAMEWON, 1, 0)}, Refreshed()}));
    EXPECT_EQ(session.finalTime, 5);
    session.Refresh();
    EXPECT_EQ(TakeLog(), Refreshed());
}

TEST_F(SessionTest, ElapsedTimeRunsFromTheStartUntilTheWin) {
    EXPECT_EQ(session.GetElapsed(), 0);
    session.StartPuzzle(SolutionWithHoles({Hole}), 1);
    now += 3725;
    EXPECT_EQ(session.GetElapsed(), 3725);
}

} // namespace
