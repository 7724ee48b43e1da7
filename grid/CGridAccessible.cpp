#include "grid/CGridAccessible.h"

#include "grid/CGridCtrl.h"
#include "views/win/accessibility/CWindowAccessible.h"

CGridAccessible::CGridAccessible(CGridCtrl& grid) : m_grid(grid) {}

LONG CGridAccessible::ChildOf(int row, int col) const {
    return m_grid.IsValid(row, col) ? row * m_grid.GetColumnCount() + col + 1 : CHILDID_SELF;
}

bool CGridAccessible::ToCell(LONG child, int& row, int& col) const {
    const int columns = m_grid.GetColumnCount();
    if (child < 1 || child > ChildCount() || columns == 0) {
        return false;
    }
    row = static_cast<int>((child - 1) / columns);
    col = static_cast<int>((child - 1) % columns);
    return true;
}

LONG CGridAccessible::ChildCount() const {
    return static_cast<LONG>(m_grid.GetRowCount()) * m_grid.GetColumnCount();
}

LONG CGridAccessible::Role(LONG child) const {
    int row = 0;
    int col = 0;
    if (!ToCell(child, row, col)) {
        return ROLE_SYSTEM_TABLE;
    }
    return row < m_grid.GetFixedRowCount() ? ROLE_SYSTEM_COLUMNHEADER : ROLE_SYSTEM_CELL;
}

std::string CGridAccessible::Name(LONG child) const {
    int row = 0;
    int col = 0;
    if (ToCell(child, row, col)) {
        return m_grid.GetItemText(row, col);
    }
    if (!m_name.empty()) {
        return m_name;
    }
    const std::string label = kwin::CWindowAccessible::LabelOf(m_grid.GetHwnd());
    return label.empty() ? kwin::CWindowAccessible::WindowText(m_grid.GetHwnd()) : label;
}

DWORD CGridAccessible::CellState(int row, int col) const {
    DWORD state = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    if (m_grid.IsCellSelected(row, col)) {
        state |= STATE_SYSTEM_SELECTED;
    }
    const CellId focus = m_grid.GetFocusCell();
    if (focus.row == row && focus.col == col && ::GetFocus() == m_grid.GetHwnd()) {
        state |= STATE_SYSTEM_FOCUSED;
    }
    const CGridCellBase* cell = m_grid.GetCell(row, col);
    if (!m_grid.IsEditable() || (cell != nullptr && cell->IsReadOnly())) {
        state |= STATE_SYSTEM_READONLY;
    }
    return state;
}

DWORD CGridAccessible::State(LONG child) const {
    int row = 0;
    int col = 0;
    if (ToCell(child, row, col)) {
        return CellState(row, col);
    }
    DWORD state = kwin::CWindowAccessible::WindowState(m_grid.GetHwnd()) | STATE_SYSTEM_FOCUSABLE;
    if (m_grid.IsValid(m_grid.GetFocusCell())) {
        state &= ~STATE_SYSTEM_FOCUSED; // the focus cell has it
    }
    return state;
}

RECT CGridAccessible::Location(LONG child) const {
    int row = 0;
    int col = 0;
    RECT r{};
    if (!ToCell(child, row, col) || !m_grid.GetCellRect(row, col, &r)) {
        return kwin::CWindowAccessible::ScreenRect(m_grid.GetHwnd());
    }
    ::MapWindowPoints(m_grid.GetHwnd(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

kwin::AccessibleRef CGridAccessible::Focus() const {
    if (::GetFocus() != m_grid.GetHwnd()) {
        return {};
    }
    const CellId focus = m_grid.GetFocusCell();
    return {m_grid.GetHwnd(), ChildOf(focus.row, focus.col)};
}

int CGridAccessible::RowCount() const {
    return m_grid.GetRowCount() - m_grid.GetFixedRowCount();
}

int CGridAccessible::ColumnCount() const {
    return m_grid.GetColumnCount() - m_grid.GetFixedColumnCount();
}

LONG CGridAccessible::CellAt(int row, int column) const {
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) {
        return CHILDID_SELF;
    }
    return ChildOf(row + m_grid.GetFixedRowCount(), column + m_grid.GetFixedColumnCount());
}

bool CGridAccessible::CellPosition(LONG child, int& row, int& column) const {
    int gridRow = 0;
    int gridCol = 0;
    if (!ToCell(child, gridRow, gridCol) || gridRow < m_grid.GetFixedRowCount() ||
        gridCol < m_grid.GetFixedColumnCount()) {
        return false;
    }
    row = gridRow - m_grid.GetFixedRowCount();
    column = gridCol - m_grid.GetFixedColumnCount();
    return true;
}

std::string CGridAccessible::ColumnHeader(int column) const {
    const LONG header = ColumnHeaderCell(column);
    return header != CHILDID_SELF ? Name(header) : std::string();
}

// The fixed row nearest the data names the column.
LONG CGridAccessible::ColumnHeaderCell(int column) const {
    if (m_grid.GetFixedRowCount() == 0 || column < 0 || column >= ColumnCount()) {
        return CHILDID_SELF;
    }
    return ChildOf(m_grid.GetFixedRowCount() - 1, column + m_grid.GetFixedColumnCount());
}
