#pragma once

#include <cstdint>

// A cell position, column first, both numbered 1-9. (0, 0) means no cell.
struct CellPos {
    std::uint32_t column = 0;
    std::uint32_t row = 0;

    // A position names a cell only when both components are 1-9.
    bool IsValid() const { return column >= 1 && column <= 9 && row >= 1 && row <= 9; }

    friend bool operator==(const CellPos&, const CellPos&) = default;
};
