// The focus cell and the selection.

#include "grid/CGridCtrl.h"

#include <algorithm>

void CGridCtrl::SetFocusCell(CellId cell) {
    if (IsValid(cell)) {
        // The focus stays in the scrolling area; a table with no scrolling
        // row or column has no focus cell at all.
        cell.row = std::max(cell.row, m_fixedRows);
        cell.col = std::max(cell.col, m_fixedCols);
        if (!IsValid(cell)) {
            cell = CellId{};
        }
    }
    const CellId old = m_focusCell;
    if (CGridCellBase* previous = GetCell(old.row, old.col)) {
        previous->SetState(previous->GetState() & ~GridCellState::Focused);
        RedrawCell(old.row, old.col);
    }
    m_focusCell = cell;
    if (CGridCellBase* focus = GetCell(cell.row, cell.col)) {
        focus->SetState(focus->GetState() | GridCellState::Focused);
        RedrawCell(cell.row, cell.col);
    }
    if (::GetFocus() == m_hWnd && old != m_focusCell) {
        NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT,
                       m_accessible.ChildOf(m_focusCell.row, m_focusCell.col));
    }
    if (!m_trackFocus) {
        return;
    }
    // The headers of the focus row and column are drawn pressed.
    if (old.col != cell.col) {
        for (int row = 0; row < m_fixedRows; ++row) {
            RedrawCell(row, old.col);
            RedrawCell(row, cell.col);
        }
    }
    if (old.row != cell.row) {
        for (int col = 0; col < m_fixedCols; ++col) {
            RedrawCell(old.row, col);
            RedrawCell(cell.row, col);
        }
    }
}

bool CGridCtrl::IsCellSelected(int row, int col) const {
    return m_selected.count(CellKey(row, col)) != 0;
}

CellRange CGridCtrl::GetSelectedRange() const {
    if (m_selected.empty()) {
        return CellRange{};
    }
    CellRange range{m_rows, m_cols, -1, -1};
    for (const auto& [key, cell] : m_selected) {
        range.minRow = std::min(range.minRow, cell.row);
        range.minCol = std::min(range.minCol, cell.col);
        range.maxRow = std::max(range.maxRow, cell.row);
        range.maxCol = std::max(range.maxCol, cell.col);
    }
    return range;
}

void CGridCtrl::SetSelectedRange(const CellRange& range, bool select) {
    auto mark = [this](const CellId& cell, bool on) {
        const UINT state = GetItemState(cell.row, cell.col);
        SetItemState(cell.row, cell.col,
                     on ? state | GridCellState::Selected : state & ~GridCellState::Selected);
    };
    if (!select) {
        for (int row = std::max(range.minRow, 0); row <= range.maxRow && row < m_rows; ++row) {
            for (int col = std::max(range.minCol, 0); col <= range.maxCol && col < m_cols; ++col) {
                if (IsCellSelected(row, col)) {
                    mark({row, col}, false);
                    RedrawCell(row, col);
                }
            }
        }
        return;
    }
    const auto previous = m_selected;
    for (const auto& [key, cell] : previous) {
        mark(cell, false);
    }
    if (!(m_listMode && m_singleRowSelection)) {
        for (const auto& [key, cell] : m_savedSelection) {
            mark(cell, true);
        }
    }
    if (range.IsValid()) {
        for (int row = range.minRow; row <= range.maxRow && row < m_rows; ++row) {
            for (int col = range.minCol; col <= range.maxCol && col < m_cols; ++col) {
                mark({row, col}, true);
            }
        }
    }
    for (const auto& [key, cell] : previous) {
        if (m_selected.count(key) == 0) {
            RedrawCell(cell.row, cell.col);
        }
    }
    for (const auto& [key, cell] : m_selected) {
        if (previous.count(key) == 0) {
            RedrawCell(cell.row, cell.col);
        }
    }
    NotifyWinEvent(EVENT_OBJECT_SELECTIONWITHIN, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
}

void CGridCtrl::ResetSelectedRange() {
    m_savedSelection.clear();
    SetSelectedRange(CellRange{});
    SetFocusCell(CellId{});
}

void CGridCtrl::SelectAllCells() {
    if (!m_enableSelection) {
        return;
    }
    SendMessageToParent(-1, -1, GridNotifyCode::SelChanging);
    SetSelectedRange({m_fixedRows, m_fixedCols, m_rows - 1, m_cols - 1});
    SendMessageToParent(-1, -1, GridNotifyCode::SelChanged);
}

// Extends the selection of the gesture running to the cell given.
void CGridCtrl::SelectByMode(CellId cell) {
    if (!m_enableSelection || !IsValid(cell)) {
        return;
    }
    const CellId start = IsValid(m_selectionStart) ? m_selectionStart : cell;
    CellRange range;
    switch (m_mouseMode) {
    case MouseMode::SelectAll:
        range = {m_fixedRows, m_fixedCols, m_rows - 1, m_cols - 1};
        break;
    case MouseMode::SelectCol:
        range = {m_fixedRows, std::min(start.col, cell.col), m_rows - 1,
                 std::max(start.col, cell.col)};
        if (m_singleColSelection) {
            range.minCol = range.maxCol = cell.col;
        }
        break;
    case MouseMode::SelectRow:
        range = {std::min(start.row, cell.row), m_selectRowsInFixedCols ? 0 : m_fixedCols,
                 std::max(start.row, cell.row), m_cols - 1};
        if (m_listMode && m_singleRowSelection) {
            range.minRow = range.maxRow = cell.row;
        }
        break;
    case MouseMode::SelectCells:
        range = CellRange::Between(start, cell);
        break;
    default:
        return;
    }
    SetSelectedRange(range);
}
