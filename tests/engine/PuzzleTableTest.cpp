#include "engine/PuzzleTable.h"
#include "SolutionCounter.h"
#include "tests/support/SolvedGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

// The number of givens of each stored puzzle, level by level.
constexpr int ExpectedGivens[4][8] = {
    {31, 36, 30, 31, 30, 35, 26, 31}, // Easy
    {29, 25, 32, 27, 31, 29, 29, 28}, // Normal
    {28, 27, 28, 30, 28, 26, 27, 27}, // Hard
    {26, 27, 29, 29, 26, 26, 27, 31}, // Insane
};

// The solution count also fails a puzzle whose givens repeat a digit (none).
// A level or number outside the table throws.
TEST(StoredPuzzles, HaveTheirGivensCountDigitsOnlyAndTheStatedNumberOfSolutions) {
    for (int level = 1; level <= 4; ++level) {
        for (int number = 0; number < 8; ++number) {
            SCOPED_TRACE(testing::Message() << "level " << level << " puzzle " << number);
            const PuzzleDigits& digits = PuzzleTable::Get(level, number);
            EXPECT_EQ(std::count_if(digits.begin(), digits.end(), [](auto d) { return d != 0; }),
                      ExpectedGivens[level - 1][number]);
            EXPECT_TRUE(std::all_of(digits.begin(), digits.end(), [](auto d) { return d <= 9; }));
            const bool manySolutions = level == 4 && (number == 3 || number == 7);
            EXPECT_EQ(CountSolutions(digits, 100), manySolutions ? 13u : 1u);
        }
    }
    EXPECT_THROW(PuzzleTable::Get(0, 0), std::out_of_range);
    EXPECT_THROW(PuzzleTable::Get(5, 0), std::out_of_range);
    EXPECT_THROW(PuzzleTable::Get(1, 8), std::out_of_range);
    EXPECT_THROW(PuzzleTable::Get(1, -1), std::out_of_range);
}

TEST(SolutionCounterSelfCheck, CountsUniqueManyAndNone) {
    // The counter itself must be trustworthy for the table checks above.
    const PuzzleDigits solved = SolvedDigits();
    EXPECT_EQ(CountSolutions(solved, 10), 1u);
    PuzzleDigits repeated = solved;
    repeated[1] = repeated[0];
    EXPECT_EQ(CountSolutions(repeated, 10), 0u);
    EXPECT_EQ(CountSolutions(PuzzleDigits{}, 5), 5u);
}
