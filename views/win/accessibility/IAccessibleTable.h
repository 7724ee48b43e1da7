#pragma once

#include "views/win/api/WinAccessibility.h"

#include <string>

namespace kwin {

// An accessible object whose children are the cells of a table. Rows and
// columns are counted from 0 and cover the cells under the headers.
class IAccessibleTable {
public:
    virtual ~IAccessibleTable() = default;

    virtual int RowCount() const = 0;
    virtual int ColumnCount() const = 0;
    // The child showing the cell, or CHILDID_SELF outside the table.
    virtual LONG CellAt(int row, int column) const = 0;
    // The row and column of a cell child; false for a child that is no cell.
    virtual bool CellPosition(LONG child, int& row, int& column) const = 0;
    // A column's header: its text, and the child showing it (CHILDID_SELF for none).
    virtual std::string ColumnHeader(int /*column*/) const { return {}; }
    virtual LONG ColumnHeaderCell(int /*column*/) const { return CHILDID_SELF; }
};

} // namespace kwin
