#pragma once

#include "engine/BoardStats.h"
#include "engine/CCell.h"
#include "engine/CandidateSet.h"
#include "engine/CellPos.h"
#include "engine/ConflictRegion.h"
#include "engine/PuzzleDigits.h"

#include <array>
#include <cstddef>

// The 9x9 board: 81 cells in row-major order and the rules over them.
class CGameField {
public:
    static constexpr std::size_t CellCount = 81;

    std::array<CCell, CellCount> cells{};

    void Clear();
    void LoadPuzzle(const PuzzleDigits& digits);
    void Reset();

    CCell& At(CellPos pos) { return cells[IndexOf(pos)]; }
    const CCell& At(CellPos pos) const { return cells[IndexOf(pos)]; }

    // True when no unit of the cell repeats a digit; otherwise false and the
    // first offending unit, row before column before box.
    bool CheckCell(CellPos pos, ConflictRegion& region) const;
    // Scans rows 1-9 and, inside, columns 1-9 with CheckCell; the first failure wins.
    bool CheckAll(ConflictRegion& region) const;
    // False for a filled cell (the set is left alone); else true and the digits
    // its row, column and box still allow.
    bool GetCandidates(CellPos pos, CandidateSet& candidates) const;
    BoardStats CountDigits() const;

    // The digit of the only mark of an empty cell, else 0.
    int GetSingleMark(CellPos pos) const;
    // The first digit marked in exactly one empty cell of a row, then of a
    // column, then of a box; 0 when there is none.
    int FindHiddenSingle(CellPos& pos) const;

    static bool InRegion(const ConflictRegion& region, CellPos pos);
    static std::size_t IndexOf(CellPos pos) { return (pos.row - 1) * 9 + (pos.column - 1); }
    static CellPos PosOf(std::size_t index) {
        return {static_cast<std::uint32_t>(index % 9 + 1),
                static_cast<std::uint32_t>(index / 9 + 1)};
    }
    static std::uint32_t BoxOf(CellPos pos) {
        return (pos.column - 1) / 3 + 1 + (pos.row - 1) / 3 * 3;
    }
    // Index of place p (1-9, row-major inside the box) of box b (1-9).
    static std::size_t IndexInBox(std::uint32_t box, std::uint32_t place) {
        return ((box - 1) / 3 * 3 + (place - 1) / 3) * 9 + (box - 1) % 3 * 3 + (place - 1) % 3;
    }

    friend bool operator==(const CGameField&, const CGameField&) = default;
};
