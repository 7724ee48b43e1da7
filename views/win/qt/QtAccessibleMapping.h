#pragma once

// The layer's accessibility roles and states in Qt's terms.

#include "views/win/accessibility/IAccessibleObject.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QRect>
#include <QString>

#include <optional>
#include <string>

namespace kwin::qt {

// An object's name, description or value; nothing for the texts the layer
// does not give.
std::optional<QString> QtText(const IAccessibleObject& object, LONG child, QAccessible::Text t);
// A window's own client object reads as a window when it is a top-level one.
QAccessible::Role QtRole(LONG role, bool topLevel);
// STATE_KALMORA_INVALIDENTRY has no Qt counterpart; the objects carrying it
// say so in their description.
QAccessible::State QtState(DWORD state, LONG role);
QRect QtRect(const RECT& r);
// An object's default action by Qt's name for it ("Press" is Qt's press
// action); empty for none.
QString QtActionName(const std::string& action);

} // namespace kwin::qt
