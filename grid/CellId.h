#pragma once

#include <algorithm>

// A cell's place in a table; -1 means no cell.
struct CellId {
    int row = -1;
    int col = -1;

    bool IsValid() const { return row >= 0 && col >= 0; }
    friend bool operator==(const CellId&, const CellId&) = default;
};

// A rectangle of cells, both corners inclusive; all -1 is the empty range.
struct CellRange {
    int minRow = -1;
    int minCol = -1;
    int maxRow = -1;
    int maxCol = -1;

    bool IsValid() const {
        return minRow >= 0 && minCol >= 0 && maxRow >= minRow && maxCol >= minCol;
    }
    bool Contains(int row, int col) const {
        return IsValid() && row >= minRow && row <= maxRow && col >= minCol && col <= maxCol;
    }
    CellId TopLeft() const { return {minRow, minCol}; }
    // The range spanned by two cells in any order.
    static CellRange Between(CellId a, CellId b) {
        return {std::min(a.row, b.row), std::min(a.col, b.col), std::max(a.row, b.row),
                std::max(a.col, b.col)};
    }
    friend bool operator==(const CellRange&, const CellRange&) = default;
};
