#include "engine/CGameField.h"
#include "tests/support/SolvedGrid.h"

#include <gtest/gtest.h>

#include <random>

namespace {

ConflictRegion CheckAllRegion(const CGameField& field) {
    ConflictRegion region{7, 7};
    EXPECT_FALSE(field.CheckAll(region));
    return region;
}

} // namespace

// LoadPuzzle makes the digits given, clears the marks and keeps the spare
// bits; Reset keeps only the givens and no marks; Clear keeps nothing.
TEST(GameFieldBulk, LoadPuzzleResetAndClear) {
    CGameField field;
    for (CCell& cell : field.cells) {
        cell.value = 4;
        cell.flags = 0x8000 | 0x3A00 | 0x0155; // given, spare bits, marks
    }
    PuzzleDigits digits{};
    digits[0] = 5;
    digits[80] = 9;
    field.LoadPuzzle(digits);
    EXPECT_EQ(field.cells[0], (CCell{5, 0x8000 | 0x3A00}));
    EXPECT_EQ(field.cells[80], (CCell{9, 0x8000 | 0x3A00}));
    for (std::size_t i = 1; i < 80; ++i) {
        EXPECT_EQ(field.cells[i], (CCell{0, 0x3A00})) << "cell " << i;
    }

    const PuzzleDigits solved = SolvedDigits();
    for (std::size_t i = 0; i < 81; ++i) {
        if (!field.cells[i].IsGiven()) {
            field.cells[i].value = solved[i];
        }
        field.cells[i].flags |= 0x01FF;
    }
    field.Reset();
    const BoardStats stats = field.CountDigits();
    EXPECT_EQ(stats.filled, 2u);
    EXPECT_EQ(stats.givens, 2u);
    EXPECT_EQ(field.cells[0], (CCell{5, 0x8000 | 0x3A00}));
    EXPECT_EQ(field.cells[1], (CCell{0, 0x3A00}));
    EXPECT_EQ(field.cells[80], (CCell{9, 0x8000 | 0x3A00}));

    field.cells[3].flags = 0x7E05;
    field.Clear();
    for (const CCell& cell : field.cells) {
        EXPECT_EQ(cell, CCell{});
    }
}

TEST(GameFieldCheck, CheckAllReportsTheUnitExaminedFirstAndCheckCellRowColumnThenBox) {
    CGameField field;
    field.At({1, 5}).value = 7; // row 5 repeats 7
    field.At({9, 5}).value = 7;
    field.At({2, 1}).value = 3; // column 2 repeats 3, examined in row 1
    field.At({2, 8}).value = 3;
    EXPECT_EQ(CheckAllRegion(field), (ConflictRegion{ConflictRegion::Column, 2}));

    field.Clear();
    field.At({4, 1}).value = 6; // box 2 repeats 6, no row or column does
    field.At({5, 2}).value = 6;
    EXPECT_EQ(CheckAllRegion(field), (ConflictRegion{ConflictRegion::Box, 2}));
    // Column 9 is examined at (9, 1), after box 2 was examined at (4, 1).
    field.At({9, 2}).value = 1;
    field.At({9, 6}).value = 1;
    EXPECT_EQ(CheckAllRegion(field), (ConflictRegion{ConflictRegion::Box, 2}));

    // CheckCell reports the cell's row before its column before its box.
    field.Clear();
    field.At({2, 2}).value = 8; // box 1
    field.At({3, 3}).value = 8;
    field.At({1, 4}).value = 5; // column 1
    field.At({1, 9}).value = 5;
    field.At({5, 1}).value = 2; // row 1
    field.At({8, 1}).value = 2;

    ConflictRegion region;
    EXPECT_FALSE(field.CheckCell({1, 1}, region));
    EXPECT_EQ(region, (ConflictRegion{ConflictRegion::Row, 1}));
    field.At({8, 1}).value = 0;
    EXPECT_FALSE(field.CheckCell({1, 1}, region));
    EXPECT_EQ(region, (ConflictRegion{ConflictRegion::Column, 1}));
    field.At({1, 9}).value = 0;
    EXPECT_FALSE(field.CheckCell({1, 1}, region));
    EXPECT_EQ(region, (ConflictRegion{ConflictRegion::Box, 1}));
    field.At({3, 3}).value = 0;
    region = {3, 3};
    EXPECT_TRUE(field.CheckCell({1, 1}, region));
    EXPECT_EQ(region, (ConflictRegion{0, 0}));
}

TEST(GameFieldCandidates, RowColumnAndBoxTogetherRemoveDigitsUpToAll) {
    CGameField field;
    field.At({5, 5}).value = 0;
    field.At({1, 5}).value = 1; // row
    field.At({5, 9}).value = 2; // column
    field.At({4, 4}).value = 3; // box
    field.At({9, 9}).value = 4; // unrelated
    CandidateSet candidates;
    ASSERT_TRUE(field.GetCandidates({5, 5}, candidates));
    EXPECT_EQ(candidates, (CandidateSet{false, false, false, true, true, true, true, true, true}));
    // A filled cell gives false and leaves the set alone.
    EXPECT_FALSE(field.GetCandidates({1, 5}, candidates));
    EXPECT_EQ(candidates, (CandidateSet{false, false, false, true, true, true, true, true, true}));

    // Digits all around leave an empty set: 1-5 in the row, 6 and 7 in the
    // column, 8 and 9 in the box.
    CGameField crowded;
    for (std::uint32_t c = 2; c <= 6; ++c) {
        crowded.At({c, 1}).value = static_cast<std::uint8_t>(c - 1);
    }
    crowded.At({1, 5}).value = 6;
    crowded.At({1, 7}).value = 7;
    crowded.At({2, 2}).value = 8;
    crowded.At({3, 3}).value = 9;
    ASSERT_TRUE(crowded.GetCandidates({1, 1}, candidates));
    EXPECT_EQ(candidates, CandidateSet{});
}

// An empty board has no conflict, and values above nine are no digits at all.
TEST(GameFieldRules, ValuesAboveNineNeitherConflictNorCountNorRemoveCandidatesDigitsCount) {
    CGameField field;
    ConflictRegion region{2, 2};
    EXPECT_TRUE(field.CheckAll(region));
    EXPECT_EQ(region, (ConflictRegion{0, 0}));

    field.At({2, 1}).value = 12;
    field.At({3, 1}).value = 12;
    field.At({1, 2}).value = 200;
    field.At({1, 3}).value = 200;
    field.At({4, 1}).value = 10;
    field.At({1, 4}).value = 255;
    EXPECT_TRUE(field.CheckAll(region));
    CandidateSet candidates;
    ASSERT_TRUE(field.GetCandidates({1, 1}, candidates));
    EXPECT_EQ(candidates, (CandidateSet{true, true, true, true, true, true, true, true, true}));
    const BoardStats stats = field.CountDigits();
    EXPECT_EQ(stats.filled, 0u);
    EXPECT_EQ(stats.digitCount, (std::array<std::uint32_t, 9>{}));

    // Digits count, given or not.
    // Givens 1 and 2 in row 1, 1 in the last cell.
    PuzzleDigits digits{};
    digits[0] = 1;
    digits[1] = 2;
    digits[80] = 1;
    CGameField given;
    given.LoadPuzzle(digits);
    given.At({5, 5}).value = 1; // the player's digit, not given
    given.At({6, 6}).value = 7;
    const BoardStats counted = given.CountDigits();
    EXPECT_EQ(counted.digitCount, (std::array<std::uint32_t, 9>{3, 1, 0, 0, 0, 0, 1, 0, 0}));
    EXPECT_EQ(counted.filled, 5u);
    EXPECT_EQ(counted.givens, 3u);
    EXPECT_FALSE(counted.IsFull());
}

TEST(GameFieldCheck, CheckAllAgreesWithCheckCellOnEveryCellInRowMajorOrder) {
    std::mt19937 random(2024);
    for (int round = 0; round < 500; ++round) {
        CGameField field;
        const int placements = static_cast<int>(random() % 30);
        for (int k = 0; k < placements; ++k) {
            field.cells[random() % 81].value = static_cast<std::uint8_t>(random() % 10);
        }
        ConflictRegion expected;
        bool expectedResult = true;
        for (std::uint32_t r = 1; r <= 9 && expectedResult; ++r) {
            for (std::uint32_t c = 1; c <= 9 && expectedResult; ++c) {
                expectedResult = field.CheckCell({c, r}, expected);
            }
        }
        ConflictRegion region{9, 9};
        ASSERT_EQ(field.CheckAll(region), expectedResult) << "round " << round;
        ASSERT_EQ(region, expected) << "round " << round;
    }
}
