// The commands of the game session that act on the selected cell, the
// selection, the input mode and the checks.

#include "session/CGameFieldCtrl.h"

namespace {

bool IsDigit(int digit) {
    return digit >= 1 && digit <= 9;
}

std::uint16_t MarkBit(int digit) {
    return static_cast<std::uint16_t>(1u << (digit - 1));
}

} // namespace

bool CGameFieldCtrl::CanEditSelectedCell() const {
    return !m_gameOver && m_selection.IsValid() && !field.At(m_selection).IsGiven();
}

void CGameFieldCtrl::RecordChange(CellPos pos) {
    PushUndo(field.At(pos), pos);
    redo.clear();
    AnnounceRedoState();
}

void CGameFieldCtrl::SetCell(CellPos pos, const CCell& cell) {
    RecordChange(pos);
    field.At(pos) = cell;
}

void CGameFieldCtrl::SetDigit(int digit) {
    if (!IsDigit(digit) || !CanEditSelectedCell() || SelectedCell().value == digit) {
        return;
    }
    CCell cell = SelectedCell();
    cell.value = static_cast<std::uint8_t>(digit);
    cell.flags &= CCell::KeptMask;
    SetCell(m_selection, cell);
    Refresh();
}

void CGameFieldCtrl::ToggleMark(int digit) {
    if (!IsDigit(digit) || !CanEditSelectedCell()) {
        return;
    }
    // Ctrl+digit in digit mode marks even a filled cell; mark mode marks only
    // empty ones.
    if (m_inputMode == MarkEntry && !SelectedCell().IsEmpty()) {
        return;
    }
    CCell cell = SelectedCell();
    cell.flags ^= MarkBit(digit);
    SetCell(m_selection, cell);
    Refresh();
}

void CGameFieldCtrl::ClearDigit() {
    if (!CanEditSelectedCell() || m_inputMode != DigitEntry) {
        return;
    }
    CCell cell = SelectedCell();
    cell.value = 0;
    SetCell(m_selection, cell);
    Refresh();
}

void CGameFieldCtrl::ClearCell() {
    if (!CanEditSelectedCell()) {
        return;
    }
    CCell cell = SelectedCell();
    cell.value = 0;
    cell.flags &= CCell::KeptMask;
    SetCell(m_selection, cell);
    Refresh();
}

void CGameFieldCtrl::EnterFromHintStrip(int digit) {
    // The game over flag is not looked at: a won game has no selection.
    if (!IsDigit(digit) || !m_selection.IsValid() || SelectedCell().IsGiven()) {
        return;
    }
    CCell cell = SelectedCell();
    if (m_inputMode == DigitEntry) {
        cell.value = static_cast<std::uint8_t>(digit);
        SetCell(m_selection, cell);
    } else if (cell.IsEmpty()) {
        cell.flags ^= MarkBit(digit);
        SetCell(m_selection, cell);
    }
    Refresh();
}

bool CGameFieldCtrl::Hint() {
    if (!m_selection.IsValid()) {
        return false;
    }
    if (!field.CheckCell(m_selection, m_conflict)) {
        Repaint();
        return false;
    }
    if (HasLevel()) {
        helpUsed = true;
    }
    FillCandidateMarks(m_selection);
    Repaint();
    NotifyHintStrip();
    return true;
}

void CGameFieldCtrl::FillCandidateMarks(CellPos pos) {
    CandidateSet candidates;
    if (!field.GetCandidates(pos, candidates)) {
        return;
    }
    CCell cell = field.At(pos);
    cell.flags &= CCell::KeptMask;
    for (int digit = 1; digit <= 9; ++digit) {
        if (candidates[static_cast<std::size_t>(digit - 1)]) {
            cell.flags |= MarkBit(digit);
        }
    }
    if (cell.flags != field.At(pos).flags) {
        SetCell(pos, cell);
    }
}

void CGameFieldCtrl::SelectCell(CellPos pos) {
    if (m_gameOver) {
        return;
    }
    m_selection = pos;
    Repaint();
    NotifyHintStrip();
}

void CGameFieldCtrl::CancelSelection() {
    m_selection = {};
    m_inputMode = DigitEntry;
    Refresh();
}

void CGameFieldCtrl::ToggleInputMode() {
    m_inputMode = m_inputMode == DigitEntry ? MarkEntry : DigitEntry;
    Repaint();
    NotifyHintStrip();
}

bool CGameFieldCtrl::Check() {
    if (m_autoCheck) {
        return true;
    }
    return field.CheckAll(m_conflict);
}

void CGameFieldCtrl::SetAutoCheck(bool on) {
    m_autoCheck = on;
    field.CheckAll(m_conflict);
}
