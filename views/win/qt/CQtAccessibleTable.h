#pragma once

#include <QAccessibleTableInterface>

namespace kwin {
class IAccessibleTable;
}

namespace kwin::qt {

class CQtAccessibleWindow;

// A window's table in Qt's terms: its cells are the window's virtual
// children. Selecting through a client is not offered; the table shows
// what the player selects.
class CQtAccessibleTable final : public QAccessibleTableInterface {
public:
    explicit CQtAccessibleTable(CQtAccessibleWindow& window);

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    IAccessibleTable* Table() const;

    CQtAccessibleWindow& m_window;
};

} // namespace kwin::qt
