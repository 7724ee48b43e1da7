#include "tests/session/SessionFixture.h"

#include "engine/PuzzleGenerator.h"
#include "engine/PuzzleTable.h"

#include <algorithm>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

bool SolvedBySingles(int level, int number) {
    return level <= 2 || (level == 3 && (number == 2 || number == 4 || number == 5 || number == 7));
}

int ChangedCells(const CGameField& a, const CGameField& b) {
    int changed = 0;
    for (std::size_t i = 0; i < CGameField::CellCount; ++i) {
        changed += a.cells[i] == b.cells[i] ? 0 : 1;
    }
    return changed;
}

// Every stored puzzle, as stored and disguised by the generator, solved in a
// session that was never made a window.
TEST(SolverOnStoredPuzzles, TrySolveFinishesExactlyThePuzzlesThatSinglesSolve) {
    std::mt19937 transforms(12);
    for (int level = 1; level <= PuzzleTable::LevelCount; ++level) {
        for (int number = 0; number < PuzzleTable::PuzzlesPerLevel; ++number) {
            PuzzleDigits disguised{};
            bool first = true;
            GeneratePuzzle(disguised, level, [&]() -> std::uint32_t {
                return std::exchange(first, false) ? static_cast<std::uint32_t>(number)
                                                   : transforms();
            });
            for (const bool disguise : {false, true}) {
                SCOPED_TRACE(testing::Message() << "level " << level << " puzzle " << number
                                                << (disguise ? " disguised" : ""));
                const PuzzleDigits& digits = disguise ? disguised : PuzzleTable::Get(level, number);
                CGameFieldCtrl session;
                session.StartPuzzle(digits, level);
                session.TrySolve();
                EXPECT_TRUE(session.helpUsed);
                ConflictRegion region;
                EXPECT_TRUE(session.field.CheckAll(region));
                for (std::size_t i = 0; i < CGameField::CellCount; ++i) {
                    if (digits[i] != 0) {
                        EXPECT_EQ(session.field.cells[i], (CCell{digits[i], CCell::GivenBit}));
                    }
                }
                EXPECT_EQ(session.IsGameOver(), SolvedBySingles(level, number));
                EXPECT_EQ(session.GetStats().filled == 81u, SolvedBySingles(level, number));
            }
        }
    }
}

// Hard 1 stops with 29 cells empty. Each row reads its digits, then the marks
// of its empty cells, which are their candidates: the top left cell sees 1 3 4
// in its row, 6 1 4 3 8 in its column and 6 9 in its box, leaving 2 5 7.
TEST(SolverOnStoredPuzzles, AStuckSolveLeavesEachEmptyCellMarkedWithItsCandidates) {
    CGameFieldCtrl session;
    session.StartPuzzle(PuzzleTable::Get(3, 1), 3);
    session.TrySolve();
    std::vector<std::string> rows;
    for (std::uint32_t r = 1; r <= 9; ++r) {
        std::string digits;
        std::string marks;
        for (std::uint32_t c = 1; c <= 9; ++c) {
            const CCell& cell = session.field.At({c, r});
            digits += cell.IsEmpty() ? '.' : static_cast<char>('0' + cell.value);
            if (cell.IsEmpty()) {
                marks += ' ';
                for (int d = 1; d <= 9; ++d) {
                    if (cell.Marks() & (1u << (d - 1))) {
                        marks += static_cast<char>('0' + d);
                    }
                }
            }
        }
        rows.push_back(digits + marks);
    }
    EXPECT_EQ(rows, (std::vector<std::string>{"..3.1...4 257 78 89 25689 256 25", "69.47.813 25 25",
                                              "14.....97 258 38 356 2568 256", "461583..9 27 27",
                                              "359247186", "827691435", ".16.24..8 579 39 357 57",
                                              "..41...62 579 378 35 589 357",
                                              "...7..941 25 38 258 356 568"}));
}

TEST_F(SessionTest, ASolvedGameIsWonAsHelpedEveryChangeWasAnnouncedAndASecondSolveDoesNothing) {
    session.StartPuzzle(PuzzleTable::Get(1, 0), 1);
    Select({3, 1});
    now += 3;
    TakeLog();

    session.TrySolve();

    const MessageLog sent = TakeLog();
    const std::size_t records = session.undo.size();
    ASSERT_GT(records, 50u);
    ASSERT_EQ(sent.size(), 2 * records + 1 + Refreshed().size());
    for (std::size_t i = 0; i < records; ++i) {
        EXPECT_EQ(MessageLog(sent.begin() + 2 * i, sent.begin() + 2 * i + 2), Recorded());
    }
    EXPECT_EQ(MessageLog(sent.begin() + 2 * records, sent.end()),
              Concat({{ToParent(WM_FIELD_GAMEWON, 1, 1)}, Refreshed()}));
    EXPECT_EQ(session.GetSelection(), CellPos{});

    // On the won game, its time frozen, TrySolve places and announces nothing.
    session.TrySolve();
    EXPECT_EQ(session.undo.size(), records);
    EXPECT_EQ(TakeLog(), Refreshed());
}

TEST_F(SessionTest, UndoStepsBackThroughTheSolverOneCellAtATimeAndRedoReplays) {
    session.StartPuzzle(PuzzleTable::Get(3, 2), 3);
    const CGameField puzzle = session.field;
    session.TrySolve();
    const CGameField solved = session.field;
    const auto records = session.undo;

    // The newest record is the last digit placed.
    EXPECT_EQ(solved.At({records.back().column, records.back().row}).IsEmpty(), false);
    EXPECT_EQ(records.back().cell.value, 0);
    for (std::size_t i = records.size(); i-- > 0;) {
        const CGameField before = session.field;
        session.Undo();
        ASSERT_EQ(ChangedCells(before, session.field), 1) << "undo " << i;
        EXPECT_EQ(session.field.At({records[i].column, records[i].row}), records[i].cell);
    }
    EXPECT_EQ(session.field, puzzle);
    // The oldest record is the first mark change of the fill pass: row 1,
    // the first empty cell, which had no marks.
    EXPECT_EQ(records.front(), (CUndo{{0, 0}, 1, 1}));

    for (std::size_t i = 0; i < records.size(); ++i) {
        const CGameField before = session.field;
        session.Redo();
        ASSERT_EQ(ChangedCells(before, session.field), 1) << "redo " << i;
    }
    EXPECT_EQ(session.field, solved);
    EXPECT_TRUE(session.IsGameOver());
}

TEST_F(SessionTest, TheFillPassOverwritesAPlayersSingleMark) {
    session.NewBlankGame();
    Select({5, 5});
    session.ToggleMark(3);
    ASSERT_EQ(session.field.GetSingleMark({5, 5}), 3);

    session.TrySolve();

    EXPECT_EQ(CellAt({5, 5}), (CCell{0, CCell::MarkMask}));
    EXPECT_EQ(session.GetStats().filled, 0u);
    EXPECT_EQ(session.undo.size(), 1u + 81u); // the player's mark, then every cell's marks
    EXPECT_FALSE(session.helpUsed);           // a blank game has no level
}

// Easy 0 has a 4 in row 1 at column 7: a second 4 in the row refuses the
// hint, showing the row, and TrySolve leaves the board and the history alone
// and hides the row again.
TEST_F(SessionTest, ABoardThatRepeatsADigitGetsNoHintAndIsNotSolved) {
    session.StartPuzzle(PuzzleTable::Get(1, 0), 1);
    Select({1, 1});
    session.SetDigit(4);
    Select({2, 1});
    session.ToggleMark(6);
    const CGameField before = session.field;
    const std::size_t records = session.undo.size();
    TakeLog();

    EXPECT_FALSE(session.Hint());
    EXPECT_TRUE(TakeLog().empty());
    EXPECT_EQ(session.GetConflictRegion(), (ConflictRegion{ConflictRegion::Row, 1}));
    EXPECT_FALSE(session.helpUsed);

    session.TrySolve();

    EXPECT_EQ(session.field, before);
    EXPECT_EQ(session.undo.size(), records);
    EXPECT_EQ(session.GetSelection(), CellPos{});
    EXPECT_TRUE(session.helpUsed);
    EXPECT_EQ(session.GetConflictRegion().number, 0u); // hidden again by the refresh
    EXPECT_EQ(TakeLog(), Refreshed());
}

TEST_F(SessionTest, TheWaitCursorShowsWhileSolvingAndComesBackAfterAFailure) {
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    const HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
    ASSERT_NE(arrow, wait);
    SetCursor(arrow);
    session.StartPuzzle(PuzzleTable::Get(1, 1), 1);
    int undoStates = 0;
    std::vector<HCURSOR> cursorsSeen;
    mainWindow.SetOnMessage([&](const wintest::Recorded& sent) {
        cursorsSeen.push_back(GetCursor());
        if (sent.message == WM_FIELD_UNDOSTATE && ++undoStates == 10) {
            throw std::runtime_error("out of memory");
        }
    });

    EXPECT_THROW(session.TrySolve(), std::runtime_error);

    EXPECT_EQ(GetCursor(), arrow);
    ASSERT_FALSE(cursorsSeen.empty());
    EXPECT_TRUE(
        std::all_of(cursorsSeen.begin(), cursorsSeen.end(), [&](HCURSOR c) { return c == wait; }));
    EXPECT_EQ(session.undo.size(), 10u); // what was done stays recorded

    mainWindow.SetOnMessage(nullptr);
    session.TrySolve();
    EXPECT_EQ(GetCursor(), arrow);
}

} // namespace
