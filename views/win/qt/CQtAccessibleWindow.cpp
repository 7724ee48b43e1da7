#include "views/win/qt/CQtAccessibleWindow.h"

#include "views/win/Win32.h"
#include "views/win/qt/CQtAccessibleChild.h"
#include "views/win/qt/CQtAccessibleTable.h"
#include "views/win/qt/CQtAccessibleText.h"
#include "views/win/qt/QtAccessibleMapping.h"
#include "views/win/qt/QtBackend.h"

#include <QMenuBar>
#include <QScrollBar>

namespace kwin::qt {

CQtAccessibleWindow::CQtAccessibleWindow(QWidget* widget, HWND hwnd)
    : QAccessibleWidget(widget), m_hwnd(hwnd), m_table(std::make_unique<CQtAccessibleTable>(*this)),
      m_text(std::make_unique<CQtAccessibleText>(*this)) {}

CQtAccessibleWindow::~CQtAccessibleWindow() {
    ForgetChildren();
}

IAccessibleObject* CQtAccessibleWindow::Object() const {
    return AccessibleObjectFromWindow(m_hwnd);
}

bool CQtAccessibleWindow::isValid() const {
    return QAccessibleWidget::isValid() && IsWindow(m_hwnd);
}

QAccessible::Role CQtAccessibleWindow::role() const {
    const IAccessibleObject* object = Object();
    return object != nullptr ? QtRole(object->Role(CHILDID_SELF), widget()->isWindow())
                             : QAccessible::Client;
}

QString CQtAccessibleWindow::text(QAccessible::Text t) const {
    const IAccessibleObject* object = Object();
    if (object == nullptr) {
        return {};
    }
    const std::optional<QString> value = QtText(*object, CHILDID_SELF, t);
    if (!value) {
        return QAccessibleWidget::text(t);
    }
    m_reported.TextChanged(t, *value);
    return *value;
}

QAccessible::State CQtAccessibleWindow::state() const {
    QAccessible::State base = QAccessibleWidget::state();
    const IAccessibleObject* object = Object();
    if (object == nullptr) {
        return base;
    }
    QAccessible::State s = QtState(object->State(CHILDID_SELF), object->Role(CHILDID_SELF));
    // The toolkit knows how the window stands on the desktop; the layer knows the rest.
    s.active = base.active;
    s.offscreen = base.offscreen;
    s.movable = base.movable;
    s.sizeable = base.sizeable;
    s.modal = base.modal;
    m_reported.StateChanges(s);
    return s;
}

QList<QWidget*> CQtAccessibleWindow::ToolkitChildren() const {
    QList<QWidget*> found;
    for (QObject* object : widget()->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if ((qobject_cast<QMenuBar*>(object) != nullptr ||
             qobject_cast<QScrollBar*>(object) != nullptr) &&
            !child->isHidden()) {
            found.push_back(child);
        }
    }
    return found;
}

QList<HWND> CQtAccessibleWindow::ChildWindows() const {
    QList<HWND> found;
    if (!IsWindow(m_hwnd)) {
        return found;
    }
    for (HWND child = GetWindow(m_hwnd, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (WidgetOf(child) != nullptr) {
            found.push_back(child);
        }
    }
    return found;
}

int CQtAccessibleWindow::childCount() const {
    const IAccessibleObject* object = Object();
    const int virtualChildren = object != nullptr ? static_cast<int>(object->ChildCount()) : 0;
    return static_cast<int>(ToolkitChildren().size() + ChildWindows().size()) + virtualChildren;
}

QAccessibleInterface* CQtAccessibleWindow::child(int index) const {
    if (index < 0) {
        return nullptr;
    }
    const QList<QWidget*> toolkit = ToolkitChildren();
    if (index < toolkit.size()) {
        return QAccessible::queryAccessibleInterface(toolkit[index]);
    }
    index -= static_cast<int>(toolkit.size());
    const QList<HWND> windows = ChildWindows();
    if (index < windows.size()) {
        return QAccessible::queryAccessibleInterface(WidgetOf(windows[index]));
    }
    index -= static_cast<int>(windows.size());
    return ChildInterface(index + 1);
}

int CQtAccessibleWindow::indexOfChild(const QAccessibleInterface* child) const {
    const int before = static_cast<int>(ToolkitChildren().size() + ChildWindows().size());
    if (const auto* virtualChild = dynamic_cast<const CQtAccessibleChild*>(child)) {
        return ChildInterface(virtualChild->Child()) == child
                   ? before + static_cast<int>(virtualChild->Child()) - 1
                   : -1;
    }
    for (int i = 0; i < before; ++i) {
        if (this->child(i) == child) {
            return i;
        }
    }
    return -1;
}

QAccessibleInterface* CQtAccessibleWindow::childAt(int x, int y) const {
    for (int i = childCount() - 1; i >= 0; --i) {
        QAccessibleInterface* c = child(i);
        if (c != nullptr && !c->state().invisible && c->rect().contains(x, y)) {
            return c;
        }
    }
    return nullptr;
}

QAccessibleInterface* CQtAccessibleWindow::focusChild() const {
    const IAccessibleObject* object = Object();
    const AccessibleRef self{m_hwnd, CHILDID_SELF};
    const AccessibleRef focus = object != nullptr ? object->Focus() : AccessibleRef{};
    if (focus.window == nullptr || focus == self) {
        return nullptr;
    }
    // The deepest object holding the focus; a few windows deep at most.
    QAccessibleInterface* found = InterfaceOf(focus);
    constexpr int MaxDepth = 8;
    QAccessibleInterface* deeper = found != nullptr ? found->focusChild() : nullptr;
    for (int depth = 0; deeper != nullptr && depth < MaxDepth; ++depth) {
        found = deeper;
        deeper = deeper->focusChild();
    }
    return found;
}

void* CQtAccessibleWindow::interface_cast(QAccessible::InterfaceType t) {
    IAccessibleObject* object = Object();
    if (object == nullptr) {
        return nullptr;
    }
    switch (t) {
    case QAccessible::TableInterface:
        return object->AsTable() != nullptr ? static_cast<QAccessibleTableInterface*>(m_table.get())
                                            : nullptr;
    case QAccessible::TextInterface:
        return object->AsText() != nullptr ? static_cast<QAccessibleTextInterface*>(m_text.get())
                                           : nullptr;
    case QAccessible::EditableTextInterface:
        return object->AsText() != nullptr
                   ? static_cast<QAccessibleEditableTextInterface*>(m_text.get())
                   : nullptr;
    case QAccessible::ActionInterface:
        return static_cast<QAccessibleActionInterface*>(this);
    default:
        return nullptr;
    }
}

QStringList CQtAccessibleWindow::actionNames() const {
    const IAccessibleObject* object = Object();
    const QString name =
        object != nullptr ? QtActionName(object->DefaultAction(CHILDID_SELF)) : QString();
    return name.isEmpty() ? QStringList() : QStringList{name};
}

void CQtAccessibleWindow::doAction(const QString& actionName) {
    IAccessibleObject* object = Object();
    if (object != nullptr && !actionName.isEmpty() &&
        actionName == QtActionName(object->DefaultAction(CHILDID_SELF))) {
        object->DoDefaultAction(CHILDID_SELF);
    }
}

QAccessibleInterface* CQtAccessibleWindow::ChildInterface(LONG child) const {
    const IAccessibleObject* object = Object();
    if (object == nullptr || child < 1 || child > object->ChildCount()) {
        return nullptr;
    }
    const auto it = m_children.find(child);
    if (it != m_children.end()) {
        if (QAccessibleInterface* known = QAccessible::accessibleInterface(it->second)) {
            return known;
        }
    }
    auto* made = new CQtAccessibleChild(widget(), m_hwnd, child);
    m_children[child] = QAccessible::registerAccessibleInterface(made);
    return made;
}

void CQtAccessibleWindow::ForgetChildren() {
    const auto children = std::exchange(m_children, {});
    for (const auto& [child, id] : children) {
        if (QAccessible::accessibleInterface(id) != nullptr) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }
}

CQtAccessibleWindow* WindowInterface(HWND hwnd) {
    QWidget* widget = WidgetOf(hwnd);
    return widget != nullptr
               ? dynamic_cast<CQtAccessibleWindow*>(QAccessible::queryAccessibleInterface(widget))
               : nullptr;
}

QAccessibleInterface* InterfaceOf(const AccessibleRef& ref) {
    CQtAccessibleWindow* window = WindowInterface(ref.window);
    if (window == nullptr || ref.child == CHILDID_SELF) {
        return window;
    }
    return window->ChildInterface(ref.child);
}

} // namespace kwin::qt
