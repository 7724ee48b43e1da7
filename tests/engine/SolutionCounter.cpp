#include "SolutionCounter.h"

#include "engine/CGameField.h"

#include <algorithm>

namespace {

// Tries each candidate of the empty cell with the fewest, in turn.
std::size_t CountFrom(CGameField& field, std::size_t limit) {
    std::size_t cell = CGameField::CellCount;
    CandidateSet options{};
    long fewest = 10;
    for (std::size_t i = 0; i < CGameField::CellCount; ++i) {
        CandidateSet candidates;
        if (field.GetCandidates(CGameField::PosOf(i), candidates) &&
            std::count(candidates.begin(), candidates.end(), true) < fewest) {
            fewest = std::count(candidates.begin(), candidates.end(), true);
            cell = i;
            options = candidates;
        }
    }
    if (cell == CGameField::CellCount) {
        return 1; // the grid is full
    }
    std::size_t found = 0;
    for (std::uint8_t digit = 1; digit <= 9 && found < limit; ++digit) {
        if (options[digit - 1u]) {
            field.cells[cell].value = digit;
            found += CountFrom(field, limit - found);
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
    return field.CheckAll(region) ? CountFrom(field, limit) : 0; // 0: the givens repeat a digit
}
