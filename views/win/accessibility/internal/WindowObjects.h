#pragma once

// Internal: the accessible object a window owns. A window procedure answers
// WM_GETOBJECT through AnswerGetObject, which makes the object the first
// time it is asked for; the object goes with the window.

#include "views/win/accessibility/IAccessibleObject.h"

#include <memory>

namespace kwin {

using MakeAccessibleObject = std::unique_ptr<IAccessibleObject> (*)(HWND hwnd);

// WM_GETOBJECT's answer for objectId (its lParam): the window's object for
// OBJID_CLIENT, made by make when the window has none yet; 0 otherwise.
LRESULT AnswerGetObject(HWND hwnd, LPARAM objectId, MakeAccessibleObject make);

} // namespace kwin
