#include "engine/PuzzleGenerator.h"

#include "engine/PuzzleTable.h"

#include <random>
#include <utility>

namespace {

using Grid = PuzzleDigits;

std::uint8_t& Cell(Grid& g, int row, int column) {
    return g[static_cast<std::size_t>(row * 9 + column)];
}

// Each new grid is computed from the whole old one.
template <class Formula> void Remap(Grid& g, Formula oldCellOf) {
    const Grid old = g;
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < 9; ++c) {
            const auto [oldRow, oldColumn] = oldCellOf(r, c);
            Cell(g, r, c) = old[static_cast<std::size_t>(oldRow * 9 + oldColumn)];
        }
    }
}

void Transpose(Grid& g) {
    Remap(g, [](int r, int c) { return std::pair{c, r}; });
}

void Rotate(Grid& g, std::uint32_t quarterTurns) {
    switch (quarterTurns) {
    case 1: // clockwise
        Remap(g, [](int r, int c) { return std::pair{8 - c, r}; });
        break;
    case 2:
        Remap(g, [](int r, int c) { return std::pair{8 - r, 8 - c}; });
        break;
    case 3: // counter-clockwise
        Remap(g, [](int r, int c) { return std::pair{c, 8 - r}; });
        break;
    default:
        break;
    }
}

void SwapColumns(Grid& g, int a, int b) {
    for (int r = 0; r < 9; ++r) {
        std::swap(Cell(g, r, a), Cell(g, r, b));
    }
}

void SwapRows(Grid& g, int a, int b) {
    for (int c = 0; c < 9; ++c) {
        std::swap(Cell(g, a, c), Cell(g, b, c));
    }
}

// The two lines of a group of three (0, 1, 2) that choice 1-3 swaps; choice 0
// swaps nothing.
constexpr std::pair<int, int> SwapPairs[4] = {{0, 0}, {0, 1}, {0, 2}, {2, 1}};

template <class SwapLines> void SwapInsideGroups(const RandomOutputs& next, SwapLines swapLines) {
    for (int group = 0; group < 3; ++group) {
        const auto [a, b] = SwapPairs[next() % 4];
        if (a != b) {
            swapLines(3 * group + a, 3 * group + b);
        }
    }
}

template <class SwapLines> void SwapGroups(const RandomOutputs& next, SwapLines swapLines) {
    const auto [a, b] = SwapPairs[next() % 4];
    if (a == b) {
        return;
    }
    for (int k = 0; k < 3; ++k) {
        swapLines(3 * a + k, 3 * b + k);
    }
}

} // namespace

int GeneratePuzzle(PuzzleDigits& digits, int level) {
    std::random_device device;
    return GeneratePuzzle(digits, level, static_cast<std::uint32_t>(device()));
}

int GeneratePuzzle(PuzzleDigits& digits, int level, std::uint32_t seed) {
    std::mt19937 engine(seed);
    return GeneratePuzzle(digits, level,
                          [&engine] { return static_cast<std::uint32_t>(engine()); });
}

int GeneratePuzzle(PuzzleDigits& digits, int level, const RandomOutputs& next) {
    // Every choice is one engine output modulo n, not uniform_int_distribution:
    // the standard library here derives that from the high bits, which would
    // give other puzzles for the same seed.
    const int number = static_cast<int>(next() % 8);
    if (level >= 1 && level <= PuzzleTable::LevelCount) {
        digits = PuzzleTable::Get(level, number);
    }
    if (next() % 2 == 1) {
        Transpose(digits);
    }
    Rotate(digits, next() % 4);
    const auto swapColumns = [&digits](int a, int b) { SwapColumns(digits, a, b); };
    const auto swapRows = [&digits](int a, int b) { SwapRows(digits, a, b); };
    SwapInsideGroups(next, swapColumns);
    SwapGroups(next, swapColumns);
    SwapInsideGroups(next, swapRows);
    SwapGroups(next, swapRows);
    return number;
}
