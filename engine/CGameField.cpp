#include "engine/CGameField.h"

#include <bitset>

namespace {

// Index of the k-th cell (1-9) of a unit: columns of a row, rows of a column,
// places of a box.
std::size_t UnitCell(std::uint32_t kind, std::uint32_t number, std::uint32_t k) {
    switch (kind) {
    case ConflictRegion::Row:
        return CGameField::IndexOf({k, number});
    case ConflictRegion::Column:
        return CGameField::IndexOf({number, k});
    default:
        return CGameField::IndexInBox(number, k);
    }
}

bool IsDigit(std::uint8_t value) {
    return value >= 1 && value <= 9;
}

// True when the unit holds some digit 1-9 twice; other values are skipped.
bool UnitRepeatsDigit(const CGameField& field, std::uint32_t kind, std::uint32_t number) {
    std::bitset<9> seen;
    for (std::uint32_t k = 1; k <= 9; ++k) {
        const std::uint8_t value = field.cells[UnitCell(kind, number, k)].value;
        if (!IsDigit(value)) {
            continue;
        }
        if (seen.test(value - 1)) {
            return true;
        }
        seen.set(value - 1);
    }
    return false;
}

// The digit of the only empty cell of the unit marked with it, else 0.
int HiddenSingleInUnit(const CGameField& field, std::uint32_t kind, std::uint32_t number,
                       CellPos& pos) {
    for (int digit = 1; digit <= 9; ++digit) {
        const std::uint16_t bit = static_cast<std::uint16_t>(1u << (digit - 1));
        int count = 0;
        std::size_t first = 0;
        for (std::uint32_t k = 1; k <= 9; ++k) {
            const std::size_t index = UnitCell(kind, number, k);
            const CCell& cell = field.cells[index];
            if (cell.IsEmpty() && (cell.flags & bit) != 0 && count++ == 0) {
                first = index;
            }
        }
        if (count == 1) {
            pos = CGameField::PosOf(first);
            return digit;
        }
    }
    return 0;
}

} // namespace

void CGameField::Clear() {
    cells.fill(CCell{});
}

void CGameField::LoadPuzzle(const PuzzleDigits& digits) {
    for (std::size_t i = 0; i < CellCount; ++i) {
        CCell& cell = cells[i];
        cell.value = digits[i];
        cell.flags &= CCell::KeptMask;
        if (digits[i] != 0) {
            cell.flags |= CCell::GivenBit;
        } else {
            cell.flags &= static_cast<std::uint16_t>(~CCell::GivenBit);
        }
    }
}

void CGameField::Reset() {
    for (CCell& cell : cells) {
        cell.flags &= CCell::KeptMask;
        if (!cell.IsGiven()) {
            cell.value = 0;
        }
    }
}

bool CGameField::CheckCell(CellPos pos, ConflictRegion& region) const {
    region = {};
    if (!pos.IsValid()) {
        return true;
    }
    const std::uint32_t numbers[] = {pos.row, pos.column, BoxOf(pos)};
    const std::uint32_t kinds[] = {ConflictRegion::Row, ConflictRegion::Column,
                                   ConflictRegion::Box};
    for (int unit = 0; unit < 3; ++unit) {
        if (UnitRepeatsDigit(*this, kinds[unit], numbers[unit])) {
            region = {kinds[unit], numbers[unit]};
            return false;
        }
    }
    return true;
}

bool CGameField::CheckAll(ConflictRegion& region) const {
    // The same answer as CheckCell on every cell in row-major order, with each
    // of the 27 units examined once instead of once per cell.
    std::bitset<10> badRow, badColumn, badBox;
    for (std::uint32_t n = 1; n <= 9; ++n) {
        badRow[n] = UnitRepeatsDigit(*this, ConflictRegion::Row, n);
        badColumn[n] = UnitRepeatsDigit(*this, ConflictRegion::Column, n);
        badBox[n] = UnitRepeatsDigit(*this, ConflictRegion::Box, n);
    }
    region = {};
    if (badRow.none() && badColumn.none() && badBox.none()) {
        return true;
    }
    for (std::uint32_t r = 1; r <= 9; ++r) {
        for (std::uint32_t c = 1; c <= 9; ++c) {
            const std::uint32_t box = BoxOf({c, r});
            if (badRow[r]) {
                region = {ConflictRegion::Row, r};
            } else if (badColumn[c]) {
                region = {ConflictRegion::Column, c};
            } else if (badBox[box]) {
                region = {ConflictRegion::Box, box};
            } else {
                continue;
            }
            return false;
        }
    }
    return true;
}

bool CGameField::GetCandidates(CellPos pos, CandidateSet& candidates) const {
    if (!pos.IsValid() || !At(pos).IsEmpty()) {
        return false;
    }
    candidates.fill(true);
    const std::uint32_t numbers[] = {pos.row, pos.column, BoxOf(pos)};
    const std::uint32_t kinds[] = {ConflictRegion::Row, ConflictRegion::Column,
                                   ConflictRegion::Box};
    for (int unit = 0; unit < 3; ++unit) {
        for (std::uint32_t k = 1; k <= 9; ++k) {
            const std::uint8_t value = cells[UnitCell(kinds[unit], numbers[unit], k)].value;
            if (IsDigit(value)) {
                candidates[value - 1] = false;
            }
        }
    }
    return true;
}

BoardStats CGameField::CountDigits() const {
    // A value above 9 can only come from a damaged file; it is no digit, so it
    // counts neither as a digit nor as a filled cell.
    BoardStats stats;
    for (const CCell& cell : cells) {
        if (!IsDigit(cell.value)) {
            continue;
        }
        ++stats.digitCount[cell.value - 1];
        ++stats.filled;
        if (cell.IsGiven()) {
            ++stats.givens;
        }
    }
    return stats;
}

int CGameField::GetSingleMark(CellPos pos) const {
    if (!pos.IsValid()) {
        return 0;
    }
    const CCell& cell = At(pos);
    if (!cell.IsEmpty()) {
        return 0;
    }
    const unsigned marks = cell.Marks();
    if (marks == 0 || (marks & (marks - 1)) != 0) {
        return 0;
    }
    return std::bitset<16>(marks - 1).count() + 1;
}

int CGameField::FindHiddenSingle(CellPos& pos) const {
    const std::uint32_t kinds[] = {ConflictRegion::Row, ConflictRegion::Column,
                                   ConflictRegion::Box};
    for (std::uint32_t kind : kinds) {
        for (std::uint32_t number = 1; number <= 9; ++number) {
            if (const int digit = HiddenSingleInUnit(*this, kind, number, pos)) {
                return digit;
            }
        }
    }
    return 0;
}

bool CGameField::InRegion(const ConflictRegion& region, CellPos pos) {
    if (region.number == 0 || !pos.IsValid()) {
        return false;
    }
    switch (region.kind) {
    case ConflictRegion::Row:
        return pos.row == region.number;
    case ConflictRegion::Column:
        return pos.column == region.number;
    case ConflictRegion::Box:
        return BoxOf(pos) == region.number;
    default:
        return false;
    }
}
