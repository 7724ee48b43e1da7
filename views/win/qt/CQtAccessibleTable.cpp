#include "views/win/qt/CQtAccessibleTable.h"

#include "views/win/accessibility/IAccessibleTable.h"
#include "views/win/qt/CQtAccessibleWindow.h"

namespace kwin::qt {

CQtAccessibleTable::CQtAccessibleTable(CQtAccessibleWindow& window) : m_window(window) {}

IAccessibleTable* CQtAccessibleTable::Table() const {
    IAccessibleObject* object = m_window.Object();
    return object != nullptr ? object->AsTable() : nullptr;
}

QAccessibleInterface* CQtAccessibleTable::cellAt(int row, int column) const {
    const IAccessibleTable* table = Table();
    return table != nullptr ? m_window.ChildInterface(table->CellAt(row, column)) : nullptr;
}

QList<QAccessibleInterface*> CQtAccessibleTable::selectedCells() const {
    QList<QAccessibleInterface*> cells;
    const IAccessibleTable* table = Table();
    if (table == nullptr) {
        return cells;
    }
    for (int row = 0; row < table->RowCount(); ++row) {
        for (int column = 0; column < table->ColumnCount(); ++column) {
            QAccessibleInterface* cell = cellAt(row, column);
            if (cell != nullptr && cell->state().selected) {
                cells.push_back(cell);
            }
        }
    }
    return cells;
}

int CQtAccessibleTable::selectedCellCount() const {
    return static_cast<int>(selectedCells().size());
}

QString CQtAccessibleTable::columnDescription(int column) const {
    const IAccessibleTable* table = Table();
    return table != nullptr ? QString::fromStdString(table->ColumnHeader(column)) : QString();
}

int CQtAccessibleTable::columnCount() const {
    const IAccessibleTable* table = Table();
    return table != nullptr ? table->ColumnCount() : 0;
}

int CQtAccessibleTable::rowCount() const {
    const IAccessibleTable* table = Table();
    return table != nullptr ? table->RowCount() : 0;
}

bool CQtAccessibleTable::isRowSelected(int row) const {
    const int columns = columnCount();
    for (int column = 0; column < columns; ++column) {
        QAccessibleInterface* cell = cellAt(row, column);
        if (cell == nullptr || !cell->state().selected) {
            return false;
        }
    }
    return columns > 0;
}

QList<int> CQtAccessibleTable::selectedRows() const {
    QList<int> rows;
    for (int row = 0, n = rowCount(); row < n; ++row) {
        if (isRowSelected(row)) {
            rows.push_back(row);
        }
    }
    return rows;
}

int CQtAccessibleTable::selectedRowCount() const {
    return static_cast<int>(selectedRows().size());
}

void CQtAccessibleTable::modelChange(QAccessibleTableModelChangeEvent*) {
    m_window.ForgetChildren();
}

} // namespace kwin::qt
