#include "engine/PuzzleGenerator.h"
#include "engine/CGameField.h"
#include "engine/PuzzleTable.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

namespace {

// Hands out the scripted engine outputs, then zeros, counting every call.
RandomOutputs Script(std::vector<std::uint32_t> outputs, int& taken) {
    taken = 0;
    return [outputs = std::move(outputs), &taken] {
        const auto next = static_cast<std::size_t>(taken++);
        return next < outputs.size() ? outputs[next] : 0u;
    };
}

// Eleven choices: puzzle, transpose, rotation, three column swaps, stack swap,
// three row swaps, band swap.
using Choices = std::array<std::uint32_t, 11>;

PuzzleDigits Generate(int level, const Choices& choices) {
    int taken = 0;
    PuzzleDigits digits{};
    GeneratePuzzle(digits, level, Script({choices.begin(), choices.end()}, taken));
    EXPECT_EQ(taken, 11);
    return digits;
}

} // namespace

// All choices zero give stored puzzle 0; the puzzle choice is the output
// modulo 8: 0xFFFFFFFD gives 5, where a range reduction from the high bits
// would give 7.
TEST(PuzzleGenerator, AllChoicesZeroGiveStoredPuzzleZeroAndThePuzzleIsTheOutputModuloEight) {
    for (int level = 1; level <= 4; ++level) {
        EXPECT_EQ(Generate(level, Choices{}), PuzzleTable::Get(level, 0)) << "level " << level;
    }
    Choices choices{};
    choices[0] = 0xFFFFFFFDu;
    EXPECT_EQ(Generate(2, choices), PuzzleTable::Get(2, 5));
    int taken = 0;
    PuzzleDigits digits{};
    EXPECT_EQ(GeneratePuzzle(digits, 3, Script({13}, taken)), 5);
}

// A grid outside the table is only shuffled: with its cells numbered 0-80,
// each result cell names the cell it came from. Level 0 keeps zeros zeros.
TEST(PuzzleGenerator, TransposeThenRotationThenSwapsMoveTheCellsOfAnyGrid) {
    const struct {
        std::vector<std::uint32_t> choices;
        std::vector<int> firstRow;
        std::vector<int> lastRow;
    } cases[] = {
        // Odd: transpose; even: none.
        {{0, 3}, {0, 9, 18, 27, 36, 45, 54, 63, 72}, {8, 17, 26, 35, 44, 53, 62, 71, 80}},
        {{0, 2}, {0, 1, 2, 3, 4, 5, 6, 7, 8}, {72, 73, 74, 75, 76, 77, 78, 79, 80}},
        // Quarter turn clockwise, half turn, quarter turn counter-clockwise.
        {{0, 0, 1}, {72, 63, 54, 45, 36, 27, 18, 9, 0}, {80, 71, 62, 53, 44, 35, 26, 17, 8}},
        {{0, 0, 6}, {80, 79, 78, 77, 76, 75, 74, 73, 72}, {8, 7, 6, 5, 4, 3, 2, 1, 0}},
        {{0, 0, 7}, {8, 17, 26, 35, 44, 53, 62, 71, 80}, {0, 9, 18, 27, 36, 45, 54, 63, 72}},
        // The swap of columns 0 and 1 acts on the transposed grid.
        {{0, 1, 0, 1}, {9, 0, 18, 27, 36, 45, 54, 63, 72}, {17, 8, 26, 35, 44, 53, 62, 71, 80}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        PuzzleDigits digits{};
        for (std::size_t i = 0; i < digits.size(); ++i) {
            digits[i] = static_cast<std::uint8_t>(i);
        }
        int taken = 0;
        GeneratePuzzle(digits, 5, Script(c.choices, taken));
        EXPECT_EQ(taken, 11);
        EXPECT_EQ(std::vector<int>(digits.begin(), digits.begin() + 9), c.firstRow);
        EXPECT_EQ(std::vector<int>(digits.end() - 9, digits.end()), c.lastRow);
    }
    PuzzleDigits zeros{};
    GeneratePuzzle(zeros, 0, 7u);
    EXPECT_EQ(zeros, PuzzleDigits{});
}

// Choices 3-5 swap columns inside stacks, 6 swaps stacks, 7-9 swap rows
// inside bands and 10 swaps bands; each swap pattern k = 1, 2, 3 for each.
TEST(PuzzleGenerator, LineSwapsMoveWholeColumnsAndRows) {
    const PuzzleDigits& p = PuzzleTable::Get(3, 0);
    // Result cell (r, c) holds the stored cell (rows[r], columns[c]).
    const struct {
        int choice;
        std::uint32_t k;
        const char* rows;
        const char* columns;
    } cases[] = {
        {3, 1, "012345678", "102345678"},  {3, 2, "012345678", "210345678"},
        {3, 3, "012345678", "021345678"},  {4, 1, "012345678", "012435678"},
        {4, 2, "012345678", "012543678"},  {4, 3, "012345678", "012354678"},
        {5, 1, "012345678", "012345768"},  {5, 2, "012345678", "012345876"},
        {5, 3, "012345678", "012345687"},  {6, 1, "012345678", "345012678"},
        {6, 2, "012345678", "678345012"},  {6, 3, "012345678", "012678345"},
        {7, 1, "102345678", "012345678"},  {7, 2, "210345678", "012345678"},
        {7, 3, "021345678", "012345678"},  {8, 1, "012435678", "012345678"},
        {8, 2, "012543678", "012345678"},  {8, 3, "012354678", "012345678"},
        {9, 1, "012345768", "012345678"},  {9, 2, "012345876", "012345678"},
        {9, 3, "012345687", "012345678"},  {10, 1, "345012678", "012345678"},
        {10, 2, "678345012", "012345678"}, {10, 3, "012678345", "012345678"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "choice " << c.choice << " k " << c.k);
        Choices choices{};
        choices[static_cast<std::size_t>(c.choice)] = c.k;
        const PuzzleDigits result = Generate(3, choices);
        for (std::size_t r = 0; r < 9; ++r) {
            for (std::size_t col = 0; col < 9; ++col) {
                const auto from =
                    static_cast<std::size_t>((c.rows[r] - '0') * 9 + c.columns[col] - '0');
                ASSERT_EQ(result[r * 9 + col], p[from]) << "row " << r << " column " << col;
            }
        }
    }
}

TEST(PuzzleGenerator, SeededGridsComeFromElevenTwisterOutputsKeepTheirGivensAndRepeatNothing) {
    for (int level = 1; level <= 4; ++level) {
        for (std::uint32_t seed = 0; seed < 300; ++seed) {
            PuzzleDigits digits{};
            const int number = GeneratePuzzle(digits, level, seed);
            // The seeded form is the standard Mersenne Twister, one output per
            // choice, so the same seed always gives the same grid.
            std::mt19937 engine(seed);
            int taken = 0;
            PuzzleDigits viaEngine{};
            GeneratePuzzle(viaEngine, level, [&] {
                ++taken;
                return static_cast<std::uint32_t>(engine());
            });
            ASSERT_EQ(viaEngine, digits) << "level " << level << " seed " << seed;
            ASSERT_EQ(taken, 11);
            ASSERT_GE(number, 0);
            ASSERT_LT(number, 8);
            CGameField generated;
            generated.LoadPuzzle(digits);
            CGameField stored;
            stored.LoadPuzzle(PuzzleTable::Get(level, number));
            const BoardStats a = generated.CountDigits();
            const BoardStats b = stored.CountDigits();
            ASSERT_EQ(a.givens, b.givens) << "level " << level << " seed " << seed;
            ASSERT_EQ(a.digitCount, b.digitCount) << "no digit is exchanged for another";
            ConflictRegion region;
            ASSERT_TRUE(generated.CheckAll(region)) << "level " << level << " seed " << seed;
        }
    }
}
