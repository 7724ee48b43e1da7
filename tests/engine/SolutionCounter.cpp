#include "SolutionCounter.h"

#include "engine/CGameField.h"

namespace {

// Tries each candidate of the first empty cell from `cell` on, in turn.
std::size_t CountFrom(CGameField& field, std::size_t cell, std::size_t limit) {
    while (cell < CGameField::CellCount && field.cells[cell].value != 0) {
        ++cell;
    }
    if (cell == CGameField::CellCount) {
        return 1; // the grid is full
    }
    CandidateSet options;
    field.GetCandidates(CGameField::PosOf(cell), options);
    std::size_t found = 0;
    for (std::uint8_t digit = 1; digit <= 9 && found < limit; ++digit) {
        if (options[digit - 1u]) {
            field.cells[cell].value = digit;
            found += CountFrom(field, cell + 1, limit - found);
        }
    }
    field.cells[cell].value = 0;
    return found;
}

} // namespace

std::size_t CountSolutions(const PuzzleDigits& puzzle, std::size_t limit) {
    CGameField field;
    field.LoadPuzzle(puzzle);
    ConflictRegion region;
    return field.CheckAll(region) ? CountFrom(field, 0, limit) : 0; // 0: the givens repeat a digit
}
