// "Try to Solve": naked and hidden singles over the candidate marks, every
// cell change recorded for undo on its own.

#include "session/CGameFieldCtrl.h"

#include "session/CWaitCursor.h"

void CGameFieldCtrl::TrySolve() {
    const CWaitCursor waitCursor;
    m_selection = {};
    if (HasLevel()) {
        helpUsed = true;
    }
    // A board that repeats a digit is left as it is.
    if (field.CheckAll(m_conflict)) {
        SolveSingles();
    }
    Refresh();
}

void CGameFieldCtrl::SolveSingles() {
    // Every round that goes on has placed at least one digit, so at most 81
    // rounds run.
    for (;;) {
        FillAllCandidateMarks();
        const bool placedNakedSingle = PlaceNakedSingles();
        CellPos pos;
        const int digit = field.FindHiddenSingle(pos);
        if (digit != 0) {
            PlaceHiddenSingles(pos, digit);
        } else if (!placedNakedSingle) {
            return;
        }
    }
}

void CGameFieldCtrl::FillAllCandidateMarks() {
    for (std::uint32_t r = 1; r <= 9; ++r) {
        for (std::uint32_t c = 1; c <= 9; ++c) {
            FillCandidateMarks({c, r});
        }
    }
}

// Cells later in the pass already see the marks refreshed by earlier
// placements, so chains of naked singles are followed at once.
bool CGameFieldCtrl::PlaceNakedSingles() {
    bool placed = false;
    for (std::uint32_t r = 1; r <= 9; ++r) {
        for (std::uint32_t c = 1; c <= 9; ++c) {
            const int digit = field.GetSingleMark({c, r});
            if (digit != 0) {
                PlaceDigit({c, r}, digit);
                placed = true;
            }
        }
    }
    return placed;
}

void CGameFieldCtrl::PlaceHiddenSingles(CellPos pos, int digit) {
    while (digit != 0) {
        PlaceDigit(pos, digit);
        digit = field.FindHiddenSingle(pos);
    }
}

void CGameFieldCtrl::PlaceDigit(CellPos pos, int digit) {
    CCell cell = field.At(pos);
    cell.value = static_cast<std::uint8_t>(digit);
    cell.flags &= CCell::KeptMask;
    SetCell(pos, cell);
    RefreshPeers(pos);
}

void CGameFieldCtrl::RefreshPeers(CellPos pos) {
    for (std::uint32_t c = 1; c <= 9; ++c) {
        FillCandidateMarks({c, pos.row});
    }
    for (std::uint32_t r = 1; r <= 9; ++r) {
        FillCandidateMarks({pos.column, r});
    }
    const std::uint32_t box = CGameField::BoxOf(pos);
    for (std::uint32_t place = 1; place <= 9; ++place) {
        FillCandidateMarks(CGameField::PosOf(CGameField::IndexInBox(box, place)));
    }
}
