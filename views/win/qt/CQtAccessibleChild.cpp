#include "views/win/qt/CQtAccessibleChild.h"

#include "views/win/Win32.h"
#include "views/win/accessibility/IAccessibleObject.h"
#include "views/win/accessibility/IAccessibleTable.h"
#include "views/win/qt/CQtAccessibleWindow.h"
#include "views/win/qt/QtAccessibleMapping.h"

namespace kwin::qt {

CQtAccessibleChild::CQtAccessibleChild(QWidget* windowWidget, HWND hwnd, LONG child)
    : m_widget(windowWidget), m_hwnd(hwnd), m_child(child) {}

IAccessibleObject* CQtAccessibleChild::Object() const {
    return m_widget ? AccessibleObjectFromWindow(m_hwnd) : nullptr;
}

bool CQtAccessibleChild::isValid() const {
    const IAccessibleObject* object = Object();
    return object != nullptr && m_child <= object->ChildCount();
}

QWindow* CQtAccessibleChild::window() const {
    return m_widget ? m_widget->window()->windowHandle() : nullptr;
}

QAccessibleInterface* CQtAccessibleChild::parent() const {
    return m_widget ? QAccessible::queryAccessibleInterface(m_widget.data()) : nullptr;
}

QString CQtAccessibleChild::text(QAccessible::Text t) const {
    const IAccessibleObject* object = Object();
    const std::optional<QString> value =
        object != nullptr ? QtText(*object, m_child, t) : std::nullopt;
    if (!value) {
        return {};
    }
    m_reported.TextChanged(t, *value);
    return *value;
}

QRect CQtAccessibleChild::rect() const {
    const IAccessibleObject* object = Object();
    return object != nullptr ? QtRect(object->Location(m_child)) : QRect();
}

QAccessible::Role CQtAccessibleChild::role() const {
    const IAccessibleObject* object = Object();
    return object != nullptr ? QtRole(object->Role(m_child), false) : QAccessible::NoRole;
}

QAccessible::State CQtAccessibleChild::state() const {
    const IAccessibleObject* object = Object();
    if (object == nullptr) {
        QAccessible::State gone;
        gone.invalid = true;
        return gone;
    }
    const QAccessible::State s = QtState(object->State(m_child), object->Role(m_child));
    m_reported.StateChanges(s);
    return s;
}

void* CQtAccessibleChild::interface_cast(QAccessible::InterfaceType t) {
    int row = 0;
    int column = 0;
    if (t == QAccessible::ActionInterface) {
        return static_cast<QAccessibleActionInterface*>(this);
    }
    if (t == QAccessible::TableCellInterface && Position(row, column)) {
        return static_cast<QAccessibleTableCellInterface*>(this);
    }
    return nullptr;
}

QStringList CQtAccessibleChild::actionNames() const {
    const IAccessibleObject* object = Object();
    const QString name =
        object != nullptr ? QtActionName(object->DefaultAction(m_child)) : QString();
    return name.isEmpty() ? QStringList() : QStringList{name};
}

void CQtAccessibleChild::doAction(const QString& actionName) {
    IAccessibleObject* object = Object();
    if (object != nullptr && !actionName.isEmpty() &&
        actionName == QtActionName(object->DefaultAction(m_child))) {
        object->DoDefaultAction(m_child);
    }
}

bool CQtAccessibleChild::Position(int& row, int& column) const {
    IAccessibleObject* object = Object();
    const IAccessibleTable* table = object != nullptr ? object->AsTable() : nullptr;
    return table != nullptr && table->CellPosition(m_child, row, column);
}

bool CQtAccessibleChild::isSelected() const {
    return state().selected;
}

QList<QAccessibleInterface*> CQtAccessibleChild::columnHeaderCells() const {
    int row = 0;
    int column = 0;
    if (!Position(row, column)) {
        return {};
    }
    const LONG header = Object()->AsTable()->ColumnHeaderCell(column);
    CQtAccessibleWindow* window = WindowInterface(m_hwnd);
    QAccessibleInterface* cell =
        window != nullptr && header != CHILDID_SELF ? window->ChildInterface(header) : nullptr;
    return cell != nullptr ? QList<QAccessibleInterface*>{cell} : QList<QAccessibleInterface*>{};
}

int CQtAccessibleChild::columnIndex() const {
    int row = -1;
    int column = -1;
    Position(row, column);
    return column;
}

int CQtAccessibleChild::rowIndex() const {
    int row = -1;
    int column = -1;
    Position(row, column);
    return row;
}

} // namespace kwin::qt
