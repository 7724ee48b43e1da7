#include "tests/session/SessionFixture.h"

#include "engine/PuzzleTable.h"

#include <chrono>
#include <vector>

namespace {

// The autosave reads into a session that is never made a window, and the
// command-line tool plays one: everything must work and report nothing.
TEST(HeadlessSession, PlaysUndoesSnapshotsAndSolvesWithoutAWindow) {
    std::int64_t now = 1000;
    CGameFieldCtrl session;
    session.SetClock([&] { return now; });
    ASSERT_FALSE(IsWindow(session.GetHwnd()));

    session.StartPuzzle(PuzzleTable::Get(2, 0), 2);
    EXPECT_EQ(session.level, 2);
    EXPECT_EQ(session.startTime, 1000);
    session.SelectCell({1, 2});
    session.SetDigit(1);
    session.ToggleInputMode();
    session.ToggleInputMode();
    session.Undo();
    session.Redo();
    EXPECT_EQ(session.field.At({1, 2}).value, 1);
    session.ClearCell();
    session.EnterFromHintStrip(2);
    EXPECT_EQ(session.field.At({1, 2}).value, 2);
    session.Hint();
    ASSERT_TRUE(session.MakeSnapshot("mid", session.GetElapsed()));
    session.ClearCell();
    session.LoadSnapshot(0);
    EXPECT_EQ(session.field.At({1, 2}).value, 2);
    session.ClearCell();
    session.Check();
    session.SetAutoCheck(true);
    now += 77;

    session.TrySolve();

    EXPECT_TRUE(session.IsGameOver());
    EXPECT_EQ(session.finalTime, 77);
    EXPECT_FALSE(session.undo.empty());
    session.CancelSelection();
    session.ResetGame();
    EXPECT_EQ(session.GetStats().filled, session.GetStats().givens);
    session.NewBlankGame();
    EXPECT_EQ(session.field, CGameField{});
}

TEST(HeadlessSession, AfterLoadEmptiesTheHistoryDropsTheSelectionAndDetectsAWin) {
    CGameFieldCtrl session;
    session.SetClock([] { return std::int64_t{500}; });
    session.NewBlankGame();
    session.SelectCell({3, 3});
    session.SetDigit(3);
    CGameFieldSerialData loaded;
    loaded.field.LoadPuzzle(SolutionWithHoles({}));
    loaded.startTime = 400;
    loaded.level = 3;
    loaded.undo.push_back({{1, 0}, 1, 1});

    static_cast<CGameFieldSerialData&>(session) = loaded;
    session.AfterLoad();

    EXPECT_TRUE(session.undo.empty());
    EXPECT_TRUE(session.redo.empty());
    EXPECT_EQ(session.GetSelection(), CellPos{});
    EXPECT_TRUE(session.IsGameOver());
    EXPECT_EQ(session.finalTime, 100);
}

TEST(HeadlessSession, TheSystemClockIsTheCalendarInWholeSeconds) {
    CGameFieldCtrl session;
    session.SetClock(nullptr);
    const auto before = std::chrono::duration_cast<std::chrono::seconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
    session.NewBlankGame();
    const auto after = std::chrono::duration_cast<std::chrono::seconds>(
                           std::chrono::system_clock::now().time_since_epoch())
                           .count();
    EXPECT_GE(session.startTime, before);
    EXPECT_LE(session.startTime, after);
}

} // namespace
