#pragma once

#include "views/win/api/WinTypes.h"
#include "views/win/qt/CQtReported.h"

#include <QAccessibleInterface>
#include <QPointer>
#include <QWidget>

namespace kwin {
class IAccessibleObject;
}

namespace kwin::qt {

// A virtual child of a window's object (a cell, a strip's button, a pane):
// an interface without a widget of its own, read from the window's object
// at every query. Its window's interface keeps it, so its id stays the same.
class CQtAccessibleChild final : public QAccessibleInterface,
                                 public QAccessibleActionInterface,
                                 public QAccessibleTableCellInterface {
public:
    CQtAccessibleChild(QWidget* windowWidget, HWND hwnd, LONG child);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    // QAccessibleActionInterface
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    // QAccessibleTableCellInterface
    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override;
    int rowIndex() const override;
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    LONG Child() const { return m_child; }
    CQtReported& Reported() const { return m_reported; }

private:
    IAccessibleObject* Object() const;
    // The cell's row and column, or false when the child is no table cell.
    bool Position(int& row, int& column) const;

    QPointer<QWidget> m_widget;
    HWND m_hwnd;
    LONG m_child;
    mutable CQtReported m_reported;
};

} // namespace kwin::qt
