#pragma once

#include "views/win/accessibility/IAccessibleObject.h"
#include "views/win/accessibility/IAccessibleTable.h"

#include <string>

class CGridCtrl;

// The grid as a screen reader reads it: a table whose children are all its
// cells row by row, the fixed rows' cells as column headers; the data cells
// form the table's rows and columns. The focus cell has the focus while the
// grid does, the selected cells are selected.
class CGridAccessible final : public kwin::IAccessibleObject, public kwin::IAccessibleTable {
public:
    explicit CGridAccessible(CGridCtrl& grid);

    // The table's name; without one, the label before the grid or its text.
    void SetName(std::string name) { m_name = std::move(name); }

    LONG Role(LONG child) const override;
    std::string Name(LONG child) const override;
    DWORD State(LONG child) const override;
    RECT Location(LONG child) const override;
    LONG ChildCount() const override;
    kwin::AccessibleRef Focus() const override;
    kwin::IAccessibleTable* AsTable() override { return this; }

    int RowCount() const override;
    int ColumnCount() const override;
    LONG CellAt(int row, int column) const override;
    bool CellPosition(LONG child, int& row, int& column) const override;
    std::string ColumnHeader(int column) const override;
    LONG ColumnHeaderCell(int column) const override;

    // The child showing the grid's cell (row, col), counted as the grid does.
    LONG ChildOf(int row, int col) const;

private:
    bool ToCell(LONG child, int& row, int& col) const;
    DWORD CellState(int row, int col) const;

    CGridCtrl& m_grid;
    std::string m_name;
};
