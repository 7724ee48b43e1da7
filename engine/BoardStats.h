#pragma once

#include <array>
#include <cstdint>

// Counts recomputed from the board: cells per digit, filled cells, given cells.
struct BoardStats {
    std::array<std::uint32_t, 9> digitCount{};
    std::uint32_t filled = 0;
    std::uint32_t givens = 0;

    bool IsFull() const { return filled == 81; }
};
