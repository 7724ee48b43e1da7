#include "engine/PuzzleGenerator.h"
#include "engine/CGameField.h"
#include "engine/PuzzleTable.h"

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <functional>
#include <random>

namespace {

// Hands out scripted engine outputs and counts how many were taken.
class ScriptedOutputs {
public:
    explicit ScriptedOutputs(std::deque<std::uint32_t> outputs) : outputs_(std::move(outputs)) {}

    RandomOutputs Source() {
        return [this] {
            ++taken_;
            if (outputs_.empty()) {
                return std::uint32_t{0};
            }
            const std::uint32_t next = outputs_.front();
            outputs_.pop_front();
            return next;
        };
    }
    int Taken() const { return taken_; }

private:
    std::deque<std::uint32_t> outputs_;
    int taken_ = 0;
};

// Eleven choices: puzzle, transpose, rotation, three column swaps, stack swap,
// three row swaps, band swap.
using Choices = std::array<std::uint32_t, 11>;

PuzzleDigits Generate(int level, const Choices& choices) {
    ScriptedOutputs script({choices.begin(), choices.end()});
    PuzzleDigits digits{};
    GeneratePuzzle(digits, level, script.Source());
    EXPECT_EQ(script.Taken(), 11);
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

// The line that lands at position `line` when choice k of the swap pattern
// is applied to the group of three lines starting at `first`.
int SwappedLine(int line, int first, std::uint32_t k) {
    static const int patterns[4][3] = {{0, 1, 2}, {1, 0, 2}, {2, 1, 0}, {0, 2, 1}};
    if (line < first || line >= first + 3) {
        return line;
    }
    return first + patterns[k][line - first];
}

int SwappedGroup(int line, std::uint32_t k) {
    static const int patterns[4][3] = {{0, 1, 2}, {1, 0, 2}, {2, 1, 0}, {0, 2, 1}};
    return patterns[k][line / 3] * 3 + line % 3;
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
    ScriptedOutputs script({13});
    PuzzleDigits digits{};
    EXPECT_EQ(GeneratePuzzle(digits, 3, script.Source()), 5);
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

TEST(PuzzleGenerator, ColumnAndStackSwapsMoveWholeColumns) {
    const PuzzleDigits& p = Stored(3, 0);
    for (int stack = 0; stack < 3; ++stack) {
        for (std::uint32_t k = 1; k < 4; ++k) {
            Choices choices{};
            choices[3 + stack] = k;
            ExpectMoved(Generate(3, choices), p, [&](int r, int c) {
                return std::pair{r, SwappedLine(c, 3 * stack, k)};
            });
        }
    }
    for (std::uint32_t k = 1; k < 4; ++k) {
        Choices choices{};
        choices[6] = k;
        ExpectMoved(Generate(3, choices), p, [&](int r, int c) {
            return std::pair{r, SwappedGroup(c, k)};
        });
    }
}

TEST(PuzzleGenerator, RowAndBandSwapsMoveWholeRows) {
    const PuzzleDigits& p = Stored(4, 0);
    for (int band = 0; band < 3; ++band) {
        for (std::uint32_t k = 1; k < 4; ++k) {
            Choices choices{};
            choices[7 + band] = k;
            ExpectMoved(Generate(4, choices), p, [&](int r, int c) {
                return std::pair{SwappedLine(r, 3 * band, k), c};
            });
        }
    }
    for (std::uint32_t k = 1; k < 4; ++k) {
        Choices choices{};
        choices[10] = k;
        ExpectMoved(Generate(4, choices), p, [&](int r, int c) {
            return std::pair{SwappedGroup(r, k), c};
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
        const int transposedColumn = SwappedLine(c, 0, 1);
        return std::pair{transposedColumn, r};
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
    ScriptedOutputs script({0, 1});
    GeneratePuzzle(marked, 5, script.Source());
    PuzzleDigits expected{};
    expected[9] = 9; // transposed to row 1, column 0
    EXPECT_EQ(marked, expected);
}
