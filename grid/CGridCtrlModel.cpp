// The table's shape and cells: counts, fixed areas, items and their states.

#include "grid/CGridCtrl.h"

#include <numeric>

void CGridCtrl::InitDefaultCells() {
    for (CGridDefaultCell* cell : {&m_cellDefault, &m_cellFixedColDefault, &m_cellFixedRowDefault,
                                   &m_cellFixedRowColDefault}) {
        cell->SetGrid(this);
        cell->SetTextClr(m_windowText);
        cell->SetBackClr(cell == &m_cellDefault ? m_window : m_face);
    }
}

CGridDefaultCell* CGridCtrl::GetDefaultCell(bool fixedRow, bool fixedCol) {
    if (fixedRow && fixedCol) {
        return &m_cellFixedRowColDefault;
    }
    if (fixedRow) {
        return &m_cellFixedRowDefault;
    }
    return fixedCol ? &m_cellFixedColDefault : &m_cellDefault;
}

const CGridDefaultCell* CGridCtrl::GetDefaultCell(bool fixedRow, bool fixedCol) const {
    return const_cast<CGridCtrl*>(this)->GetDefaultCell(fixedRow, fixedCol);
}

bool CGridCtrl::IsValid(int row, int col) const {
    return row >= 0 && row < m_rows && col >= 0 && col < m_cols;
}

CGridCellBase* CGridCtrl::GetCell(int row, int col) const {
    if (!IsValid(row, col)) {
        return nullptr;
    }
    return m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(m_colOrder[col])].get();
}

CGridCellBase* CGridCtrl::CreateCell(int row, int col) {
    CGridCellBase* cell = m_prototype->CreateObject();
    cell->SetGrid(this);
    cell->SetCoords(row, col);
    UINT state = cell->GetState();
    if (col < m_fixedCols) {
        state |= GridCellState::Fixed | GridCellState::FixedCol;
    }
    if (row < m_fixedRows) {
        state |= GridCellState::Fixed | GridCellState::FixedRow;
    }
    cell->SetState(state);
    cell->SetFormat(cell->GetDefaultCell()->GetFormat());
    return cell;
}

void CGridCtrl::DestroyCell(int row, int col) {
    if (IsValid(row, col)) {
        m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(m_colOrder[col])].reset();
    }
}

void CGridCtrl::ShiftRowOrder(int from, int by) {
    if (from < 0 || from >= static_cast<int>(m_rowOrder.size())) {
        return;
    }
    for (std::size_t i = static_cast<std::size_t>(from); i < m_rowOrder.size(); ++i) {
        m_rowOrder[i] += by;
    }
}

void CGridCtrl::ClearCellForRemoval(int row, int col) {
    SetItemState(row, col, 0);
    DestroyCell(row, col);
}

void CGridCtrl::AfterShapeChange() {
    SetSortColumn(-1);
    m_modified = true;
    NotifyWinEvent(EVENT_OBJECT_REORDER, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
    ResetScrollBars();
    if (m_allowDraw && IsWindow()) {
        Invalidate(FALSE);
    }
}

bool CGridCtrl::SetRowCount(int rows) {
    if (rows < 0) {
        return false;
    }
    if (rows == m_rows) {
        return true;
    }
    m_topLeftCache = CellId{};
    m_fixedRows = std::min(m_fixedRows, rows);
    if (m_focusCell.row >= rows) {
        m_focusCell = CellId{};
    }
    for (int row = rows; row < m_rows; ++row) {
        for (int col = 0; col < m_cols; ++col) {
            ClearCellForRemoval(row, col);
        }
    }
    const int oldRows = m_rows;
    m_cells.resize(static_cast<std::size_t>(rows));
    m_rowHeights.resize(static_cast<std::size_t>(rows), m_cellDefault.GetHeight());
    m_rowOrder.resize(static_cast<std::size_t>(rows));
    std::iota(m_rowOrder.begin(), m_rowOrder.end(), 0);
    m_rows = rows;
    for (int row = oldRows; row < rows; ++row) {
        CellRow& cells = m_cells[static_cast<std::size_t>(row)];
        cells.resize(static_cast<std::size_t>(m_cols));
        for (int col = 0; col < m_cols; ++col) {
            cells[static_cast<std::size_t>(m_colOrder[col])].reset(CreateCell(row, col));
        }
    }
    AfterShapeChange();
    return true;
}

bool CGridCtrl::SetColumnCount(int cols) {
    if (cols < 0) {
        return false;
    }
    if (cols == m_cols) {
        return true;
    }
    m_topLeftCache = CellId{};
    m_fixedCols = std::min(m_fixedCols, cols);
    if (m_focusCell.col >= cols) {
        m_focusCell = CellId{};
    }
    for (int row = 0; row < m_rows; ++row) {
        for (int col = cols; col < m_cols; ++col) {
            ClearCellForRemoval(row, col);
        }
    }
    const int oldCols = m_cols;
    m_colWidths.resize(static_cast<std::size_t>(cols), m_cellFixedColDefault.GetWidth());
    m_colOrder.resize(static_cast<std::size_t>(cols));
    std::iota(m_colOrder.begin(), m_colOrder.end(), 0);
    m_cols = cols;
    for (int row = 0; row < m_rows; ++row) {
        CellRow& cells = m_cells[static_cast<std::size_t>(row)];
        cells.resize(static_cast<std::size_t>(cols));
        for (int col = oldCols; col < cols; ++col) {
            cells[static_cast<std::size_t>(m_colOrder[col])].reset(CreateCell(row, col));
        }
    }
    AfterShapeChange();
    return true;
}

// Lines [min(oldFixed, newFixed), max(...)) along `axis` enter or leave the
// fixed area: entering cells become fixed headers, leaving ones ordinary
// cells, except where the other axis still holds them fixed.
void CGridCtrl::MoveInOutOfFixed(Axis axis, int oldFixed, int newFixed) {
    const bool rows = axis == Axis::Rows;
    const UINT own = rows ? GridCellState::FixedRow : GridCellState::FixedCol;
    const UINT both = GridCellState::Fixed | own;
    const int across = rows ? m_cols : m_rows;
    const int otherFixed = rows ? m_fixedCols : m_fixedRows;
    for (int line = std::min(oldFixed, newFixed); line < std::max(oldFixed, newFixed); ++line) {
        const bool entering = line >= oldFixed;
        for (int other = 0; other < across; ++other) {
            CGridCellBase* cell = rows ? GetCell(line, other) : GetCell(other, line);
            if (cell == nullptr) {
                continue;
            }
            const UINT state = cell->GetState();
            if (entering) {
                cell->SetState(state | both);
            } else if (other < otherFixed) {
                cell->SetState(state & ~own);
                continue;
            } else {
                cell->SetState(state & ~both);
            }
            cell->SetTextClr(CLR_DEFAULT);
            cell->SetBackClr(CLR_DEFAULT);
        }
    }
}

bool CGridCtrl::SetFixedRowCount(int fixedRows) {
    return SetFixedCount(Axis::Rows, fixedRows);
}

bool CGridCtrl::SetFixedColumnCount(int fixedCols) {
    return SetFixedCount(Axis::Columns, fixedCols);
}

bool CGridCtrl::SetFixedCount(Axis axis, int fixed) {
    const bool rows = axis == Axis::Rows;
    int& current = rows ? m_fixedRows : m_fixedCols;
    if (fixed == current) {
        return true;
    }
    if (fixed < 0) {
        return false;
    }
    ResetSelectedRange();
    m_topLeftCache = CellId{};
    if (fixed > (rows ? m_rows : m_cols) && !(rows ? SetRowCount(fixed) : SetColumnCount(fixed))) {
        return false;
    }
    if ((rows ? m_focusCell.row : m_focusCell.col) < fixed) {
        m_focusCell = CellId{};
    }
    MoveInOutOfFixed(axis, current, fixed);
    current = fixed;
    ResetScrollBars();
    if (m_allowDraw && IsWindow()) {
        Invalidate(FALSE);
    }
    return true;
}

bool CGridCtrl::SetItem(const GridItem& item) {
    CGridCellBase* cell = GetCell(item.row, item.col);
    if (cell == nullptr) {
        return false;
    }
    SetModified(true, item.row, item.col);
    const UINT mask = item.mask;
    if (mask & GridItemMask::Text) {
        cell->SetText(item.text);
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, m_hWnd, OBJID_CLIENT,
                       m_accessible.ChildOf(item.row, item.col));
    }
    if (mask & GridItemMask::Data) {
        cell->SetData(item.data);
    }
    if (mask & GridItemMask::Image) {
        cell->SetImage(item.image);
    }
    if (mask & GridItemMask::State) {
        SetItemState(item.row, item.col, item.state);
    }
    if (mask & GridItemMask::Format) {
        cell->SetFormat(item.format);
    }
    if (mask & GridItemMask::BackClr) {
        cell->SetBackClr(item.backClr);
    }
    if (mask & GridItemMask::TextClr) {
        cell->SetTextClr(item.textClr);
    }
    if (mask & GridItemMask::Font) {
        cell->SetFont(&item.font);
    }
    if (mask & GridItemMask::Margin) {
        cell->SetMargin(item.margin);
    }
    if (mask & GridItemMask::InputMask) {
        cell->SetInputMask(item.inputMask);
    }
    return true;
}

bool CGridCtrl::SetItemText(int row, int col, const std::string& text) {
    CGridCellBase* cell = GetCell(row, col);
    if (cell == nullptr) {
        return false;
    }
    cell->SetText(text);
    SetModified(true, row, col);
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, m_hWnd, OBJID_CLIENT, m_accessible.ChildOf(row, col));
    return true;
}

std::string CGridCtrl::GetItemText(int row, int col) const {
    const CGridCellBase* cell = GetCell(row, col);
    return cell == nullptr ? std::string() : cell->GetText();
}

bool CGridCtrl::SetItemState(int row, int col, UINT state) {
    CGridCellBase* cell = GetCell(row, col);
    if (cell == nullptr) {
        return false;
    }
    const bool was = cell->IsSelected();
    const bool now = (state & GridCellState::Selected) != 0;
    if (now && !was) {
        m_selected[CellKey(row, col)] = CellId{row, col};
    } else if (!now && was) {
        m_selected.erase(CellKey(row, col));
    }
    cell->SetState(state);
    return true;
}

UINT CGridCtrl::GetItemState(int row, int col) const {
    const CGridCellBase* cell = GetCell(row, col);
    return cell == nullptr ? 0 : cell->GetState();
}

void CGridCtrl::SetModified(bool modified, int row, int col) {
    if (col < 0 || col == m_sortColumn) {
        SetSortColumn(-1);
    }
    if (CGridCellBase* cell = GetCell(row, col)) {
        const UINT state = cell->GetState();
        SetItemState(row, col,
                     modified ? state | GridCellState::Modified : state & ~GridCellState::Modified);
    }
    m_modified = modified;
}

void CGridCtrl::SetSortColumn(int col, bool ascending) {
    const int old = m_sortColumn;
    m_sortColumn = col;
    m_ascending = ascending;
    if (old >= 0 && old != col && m_fixedRows > 0) {
        RedrawCell(0, old);
    }
}

void CGridCtrl::SetListMode(bool on) {
    ResetSelectedRange();
    SetSortColumn(-1);
    m_listMode = on;
    m_fixedColSelection = false;
    if (m_allowDraw && IsWindow()) {
        Invalidate(FALSE);
    }
}

void CGridCtrl::SetHiddenColRowResize(bool hide, bool expand) {
    m_hiddenColRowResize = hide;
    m_expandHiddenByDragging = expand;
}
