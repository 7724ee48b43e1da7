#include "engine/PuzzleGenerator.h"
#include "engine/CGameField.h"
#include "engine/PuzzleTable.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <random>
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

std::uint8_t At(const PuzzleDigits& g, int row, int column) {
    return g[row * 9 + column];
}

// Checks that every cell of `result` holds the source cell named by `from`.
void ExpectMoved(const PuzzleDigits& result, const PuzzleDigits& source,
                 const std::function<std::pair<int, int>(int, int)>& from) {
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < 9; ++c) {
            const auto [sr, sc] = from(r, c);
            ASSERT_EQ(At(result, r, c), At(source, sr, sc)) << "row " << r << " column " << c;
        }
    }
}

const PuzzleDigits& Stored(int level, int number) {
    return PuzzleTable::Get(level, number);
}

} // namespace

TEST(PuzzleGenerator, AllChoicesZeroGiveStoredPuzzleZero) {
    for (int level = 1; level <= 4; ++level) {
        EXPECT_EQ(Generate(level, Choices{}), Stored(level, 0)) << "level " << level;
    }
}

TEST(PuzzleGenerator, PuzzleChoiceIsTheOutputModuloEight) {
    // 0xFFFFFFFD mod 8 is 5; a range reduction from the high bits would give 7.
    Choices choices{};
    choices[0] = 0xFFFFFFFDu;
    EXPECT_EQ(Generate(2, choices), Stored(2, 5));
    int taken = 0;
    PuzzleDigits digits{};
    EXPECT_EQ(GeneratePuzzle(digits, 3, Script({13}, taken)), 5);
}

TEST(PuzzleGenerator, TransposeAndRotationsMoveCellsByTheirFormulas) {
    const PuzzleDigits& p = Stored(1, 0);
    Choices choices{};
    choices[1] = 3; // odd: transpose
    ExpectMoved(Generate(1, choices), p, [](int r, int c) { return std::pair{c, r}; });
    choices[1] = 2; // even: no transpose
    EXPECT_EQ(Generate(1, choices), p);

    choices = {};
    choices[2] = 1; // quarter turn clockwise
    ExpectMoved(Generate(1, choices), p, [](int r, int c) { return std::pair{8 - c, r}; });
    choices[2] = 6; // half turn
    ExpectMoved(Generate(1, choices), p, [](int r, int c) { return std::pair{8 - r, 8 - c}; });
    choices[2] = 7; // quarter turn counter-clockwise
    ExpectMoved(Generate(1, choices), p, [](int r, int c) { return std::pair{c, 8 - r}; });
}

// Choices 3-5 swap columns inside stacks, 6 swaps stacks, 7-9 swap rows
// inside bands and 10 swaps bands; each swap pattern k = 1, 2, 3 for each.
TEST(PuzzleGenerator, LineSwapsMoveWholeColumnsAndRows) {
    const PuzzleDigits& p = Stored(3, 0);
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
        ExpectMoved(Generate(3, choices), p, [&](int r, int col) {
            return std::pair{c.rows[r] - '0', c.columns[col] - '0'};
        });
    }
}

TEST(PuzzleGenerator, TransformationsApplyInTheirOrder) {
    // Transpose first, then the column swap: the swap acts on the transposed grid.
    const PuzzleDigits& p = Stored(1, 0);
    Choices choices{};
    choices[1] = 1;
    choices[3] = 1; // swap columns 0 and 1
    ExpectMoved(Generate(1, choices), p, [](int r, int c) {
        return std::pair{c == 0 ? 1 : c == 1 ? 0 : c, r};
    });
}

TEST(PuzzleGenerator, ASeedGivesTheSameGridEveryTimeFromElevenOutputs) {
    for (int level = 1; level <= 4; ++level) {
        PuzzleDigits first{};
        PuzzleDigits second{};
        GeneratePuzzle(first, level, 42u);
        GeneratePuzzle(second, level, 42u);
        EXPECT_EQ(first, second);

        // The seeded form is the standard Mersenne Twister, one output per choice.
        std::mt19937 engine(42u);
        int taken = 0;
        PuzzleDigits viaEngine{};
        GeneratePuzzle(viaEngine, level, [&] {
            ++taken;
            return static_cast<std::uint32_t>(engine());
        });
        EXPECT_EQ(viaEngine, first);
        EXPECT_EQ(taken, 11);
    }
}

TEST(PuzzleGenerator, GeneratedGridsKeepTheirGivensAndRepeatNothing) {
    for (int level = 1; level <= 4; ++level) {
        for (std::uint32_t seed = 0; seed < 300; ++seed) {
            PuzzleDigits digits{};
            const int number = GeneratePuzzle(digits, level, seed);
            ASSERT_GE(number, 0);
            ASSERT_LT(number, 8);
            CGameField generated;
            generated.LoadPuzzle(digits);
            CGameField stored;
            stored.LoadPuzzle(Stored(level, number));
            const BoardStats a = generated.CountDigits();
            const BoardStats b = stored.CountDigits();
            ASSERT_EQ(a.givens, b.givens) << "level " << level << " seed " << seed;
            ASSERT_EQ(a.digitCount, b.digitCount) << "no digit is exchanged for another";
            ConflictRegion region;
            ASSERT_TRUE(generated.CheckAll(region)) << "level " << level << " seed " << seed;
        }
    }
}

TEST(PuzzleGenerator, LevelOutsideTheTableOnlyShufflesTheGivenArray) {
    PuzzleDigits zeros{};
    GeneratePuzzle(zeros, 0, 7u);
    EXPECT_EQ(zeros, PuzzleDigits{});

    PuzzleDigits marked{};
    marked[1] = 9; // row 0, column 1
    int taken = 0;
    GeneratePuzzle(marked, 5, Script({0, 1}, taken));
    PuzzleDigits expected{};
    expected[9] = 9; // transposed to row 1, column 0
    EXPECT_EQ(marked, expected);
}
