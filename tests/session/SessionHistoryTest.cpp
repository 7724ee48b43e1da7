#include "tests/session/SessionFixture.h"

#include "engine/PuzzleTable.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr CellPos Hole{2, 5};

MessageLog Undone(bool undoLeft) {
    return {ToParent(WM_FIELD_REDOSTATE, 0, 1), ToParent(WM_FIELD_UNDOSTATE, 0, undoLeft ? 1 : 0),
            ToParent(WM_FIELD_REDOSTATE, 0, 1)};
}

MessageLog Redone(bool redoLeft) {
    return {ToParent(WM_FIELD_UNDOSTATE, 0, 1), ToParent(WM_FIELD_UNDOSTATE, 0, 1),
            ToParent(WM_FIELD_REDOSTATE, 0, redoLeft ? 1 : 0)};
}

// A record naming no cell is dropped, and undo and redo on empty lists do
// nothing at all.
TEST_F(SessionTest,
       UndoAndRedoDropRecordsNamingNoCellTakeBackOneChangeAtATimeAndANewChangeEndsRedo) {
    session.NewBlankGame();
    session.undo.push_back({{7, 0}, 0, 3});
    session.redo.push_back({{7, 0}, 10, 1});
    TakeLog();

    session.Undo();
    session.Redo();

    EXPECT_EQ(session.field, CGameField{});
    EXPECT_TRUE(session.undo.empty());
    EXPECT_TRUE(session.redo.empty());
    EXPECT_EQ(TakeLog(), HistoryCleared());
    session.Undo();
    session.Redo();
    EXPECT_TRUE(TakeLog().empty());

    Select({3, 3});
    session.SetDigit(5);
    session.SetDigit(7);
    TakeLog();

    session.Undo();
    EXPECT_EQ(CellAt({3, 3}).value, 5);
    EXPECT_EQ(TakeLog(), Concat({Undone(true), Refreshed(5, 0)}));
    session.Undo();
    EXPECT_EQ(CellAt({3, 3}), CCell{});
    EXPECT_EQ(TakeLog(), Concat({Undone(false), Refreshed(0, 0)}));
    EXPECT_TRUE(session.undo.empty());
    ASSERT_EQ(session.redo.size(), 2u);
    EXPECT_EQ(session.redo.back(), (CUndo{{5, 0}, 3, 3}));

    session.Redo();
    EXPECT_EQ(CellAt({3, 3}).value, 5);
    EXPECT_EQ(TakeLog(), Concat({Redone(true), Refreshed(5, 0)}));
    session.Redo();
    EXPECT_EQ(CellAt({3, 3}).value, 7);
    EXPECT_EQ(TakeLog(), Concat({Redone(false), Refreshed(7, 0)}));
    EXPECT_EQ(session.undo.size(), 2u);
    EXPECT_TRUE(session.redo.empty());

    // Any new change ends redo.
    session.Undo();
    session.Undo();
    Select({8, 8});
    TakeLog();
    session.SetDigit(1);
    EXPECT_EQ(TakeLog(), Concat({Recorded(), Refreshed(1, 0)}));
    EXPECT_TRUE(session.redo.empty());
    EXPECT_EQ(session.undo.size(), 1u);
}

TEST_F(SessionTest, UndoAndRedoAcrossAWinAnnounceTheWinAgain) {
    session.StartPuzzle(SolutionWithHoles({Hole}), 4);
    Select(Hole);
    now += 10;
    session.SetDigit(SolutionDigit(Hole));
    ASSERT_EQ(session.finalTime, 10);
    now += 20;
    TakeLog();

    session.Undo();

    EXPECT_EQ(TakeLog(), Concat({Undone(false), Refreshed()}));
    EXPECT_FALSE(session.IsGameOver());
    EXPECT_EQ(session.finalTime, 0);
    EXPECT_EQ(session.startTime, StartOfPlay);
    EXPECT_EQ(session.GetElapsed(), 30);
    now += 5;
    EXPECT_EQ(session.GetElapsed(), 35);

    session.Redo();

    EXPECT_EQ(TakeLog(), Concat({Redone(false), {ToParent(WM_FIELD_GAMEWON, 4, 0)}, Refreshed()}));
    EXPECT_TRUE(session.IsGameOver());
    EXPECT_EQ(session.finalTime, 35);
}

TEST_F(SessionTest, LoadingASnapshotEmptiesTheHistoryKeepsTheClockAndNamesAreCutToTwentyBytes) {
    session.StartPuzzle(PuzzleTable::Get(1, 0), 1);
    Select({1, 1});
    session.SetDigit(5);
    ASSERT_TRUE(session.MakeSnapshot("five", session.GetElapsed()));
    session.SetDigit(8);
    Select({2, 1});
    session.SetDigit(9);
    session.Undo();
    const CGameField snapped = session.snapShots[0].field;
    now += 100;
    TakeLog();

    session.LoadSnapshot(0);

    EXPECT_EQ(TakeLog(), Concat({HistoryCleared(), Refreshed(0, 0)}));
    EXPECT_EQ(session.field, snapped);
    EXPECT_TRUE(session.undo.empty());
    EXPECT_TRUE(session.redo.empty());
    EXPECT_EQ(session.snapShots.size(), 1u);
    EXPECT_EQ(session.startTime, StartOfPlay);
    EXPECT_EQ(session.GetElapsed(), 100);
    EXPECT_EQ(session.level, 1);

    session.LoadSnapshot(1);
    EXPECT_TRUE(TakeLog().empty());

    // A snapshot name is cut to twenty bytes and never splits a character.
    session.NewBlankGame();
    session.MakeSnapshot("Twenty-five characters!!!", 3725);
    session.MakeSnapshot("Start", 3725);
    // 18 ASCII bytes, then a three-byte character that would end at byte 21.
    session.MakeSnapshot("eighteen-bytes-abc\xE2\x82\xAC", 0);
    EXPECT_EQ(std::string(session.snapShots[0].name.data(), 20), "Twenty-five characte");
    EXPECT_EQ(session.snapShots[2].name[18], '\0');
    std::vector<std::string> labels{"stale"}; // replaced, not added to
    session.GetSnapshotLabels(labels);
    EXPECT_EQ(labels,
              (std::vector<std::string>{"Twenty-five characte (01:02:05)", "Start (01:02:05)",
                                        "eighteen-bytes-abc (00:00:00)"}));
}

} // namespace
