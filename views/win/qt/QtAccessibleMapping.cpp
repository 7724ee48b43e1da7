#include "views/win/qt/QtAccessibleMapping.h"

#include "views/win/api/WinAccessibility.h"

namespace kwin::qt {

std::optional<QString> QtText(const IAccessibleObject& object, LONG child, QAccessible::Text t) {
    switch (t) {
    case QAccessible::Name:
        return QString::fromStdString(object.Name(child));
    case QAccessible::Description:
        return QString::fromStdString(object.Description(child));
    case QAccessible::Value:
        return QString::fromStdString(object.Value(child));
    default:
        return std::nullopt;
    }
}

QAccessible::Role QtRole(LONG role, bool topLevel) {
    switch (role) {
    case ROLE_SYSTEM_ALERT:
        return QAccessible::AlertMessage;
    case ROLE_SYSTEM_WINDOW:
        return QAccessible::Window;
    case ROLE_SYSTEM_CLIENT:
        return topLevel ? QAccessible::Window : QAccessible::Client;
    case ROLE_SYSTEM_DIALOG:
        return QAccessible::Dialog;
    case ROLE_SYSTEM_GROUPING:
        return QAccessible::Grouping;
    case ROLE_SYSTEM_TOOLBAR:
        return QAccessible::ToolBar;
    case ROLE_SYSTEM_STATUSBAR:
        return QAccessible::StatusBar;
    case ROLE_SYSTEM_TABLE:
        return QAccessible::Table;
    case ROLE_SYSTEM_COLUMNHEADER:
        return QAccessible::ColumnHeader;
    case ROLE_SYSTEM_CELL:
        return QAccessible::Cell;
    case ROLE_SYSTEM_GRAPHIC:
        return QAccessible::Graphic;
    case ROLE_SYSTEM_STATICTEXT:
        return QAccessible::StaticText;
    case ROLE_SYSTEM_TEXT:
        return QAccessible::EditableText;
    case ROLE_SYSTEM_PUSHBUTTON:
        return QAccessible::Button;
    default:
        return QAccessible::Client;
    }
}

QAccessible::State QtState(DWORD state, LONG role) {
    QAccessible::State s;
    s.disabled = (state & STATE_SYSTEM_UNAVAILABLE) != 0;
    s.selected = (state & STATE_SYSTEM_SELECTED) != 0;
    s.focused = (state & STATE_SYSTEM_FOCUSED) != 0;
    s.pressed = (state & STATE_SYSTEM_PRESSED) != 0;
    s.checked = (state & STATE_SYSTEM_CHECKED) != 0;
    s.checkable = s.checked;
    s.readOnly = (state & STATE_SYSTEM_READONLY) != 0;
    s.defaultButton = (state & STATE_SYSTEM_DEFAULT) != 0;
    s.invisible = (state & STATE_SYSTEM_INVISIBLE) != 0;
    s.focusable = (state & STATE_SYSTEM_FOCUSABLE) != 0;
    s.selectable = (state & STATE_SYSTEM_SELECTABLE) != 0;
    s.editable = role == ROLE_SYSTEM_TEXT && !s.readOnly;
    s.selectableText = role == ROLE_SYSTEM_TEXT;
    return s;
}

QString QtActionName(const std::string& action) {
    if (action == "Press") {
        return QAccessibleActionInterface::pressAction();
    }
    return QString::fromStdString(action);
}

QRect QtRect(const RECT& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

} // namespace kwin::qt
