#pragma once

#include "views/win/accessibility/IAccessibleObject.h"
#include "views/win/qt/CQtReported.h"

#include <QAccessibleWidget>

#include <map>
#include <memory>

namespace kwin::qt {

class CQtAccessibleTable;
class CQtAccessibleText;

// The accessible interface of a window's widget: it reads the window's
// object (WM_GETOBJECT) at every query, so it never holds on to the layer's
// objects. Its children are the Qt widgets the backend adds (menu bar,
// scroll bars), then the child windows in their order, then the object's
// virtual children, whose interfaces it keeps so their ids stay the same.
class CQtAccessibleWindow final : public QAccessibleWidget {
public:
    CQtAccessibleWindow(QWidget* widget, HWND hwnd);
    ~CQtAccessibleWindow() override;

    bool isValid() const override;
    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

    HWND Hwnd() const { return m_hwnd; }
    // The window's object; nullptr once the window is gone.
    IAccessibleObject* Object() const;
    // The interface of a virtual child (1 to the object's child count), the
    // same each time; nullptr for any other id.
    QAccessibleInterface* ChildInterface(LONG child) const;
    // The virtual children changed their meaning (a table's shape changed):
    // their interfaces are dropped.
    void ForgetChildren();
    CQtReported& Reported() const { return m_reported; }

private:
    QList<QWidget*> ToolkitChildren() const;
    QList<HWND> ChildWindows() const;

    HWND m_hwnd;
    mutable std::map<LONG, QAccessible::Id> m_children;
    mutable CQtReported m_reported;
    std::unique_ptr<CQtAccessibleTable> m_table;
    std::unique_ptr<CQtAccessibleText> m_text;
};

// The interface of an object of the layer: a window's, or a virtual child's.
QAccessibleInterface* InterfaceOf(const AccessibleRef& ref);
// The window interface of a window with a widget, or nullptr.
CQtAccessibleWindow* WindowInterface(HWND hwnd);

} // namespace kwin::qt
