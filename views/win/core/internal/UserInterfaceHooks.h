#pragma once

// Internal: the few places where the core hands work to the user-interface
// library built on top of it. The core never links that library; it calls
// these when they are set, and the user-interface library sets them when the
// program starts (UserInterfaceParts.cpp). A program of the core alone (a
// session without controls or menus) leaves them empty.

#include "views/win/api/WinTypes.h"

namespace kwin {

struct UserInterfaceHooks {
    // Registers the controls' window classes ("STATIC", "EDIT", ...).
    void (*registerClasses)() = nullptr;
    // A window's menu goes with the window.
    BOOL (*destroyMenu)(HMENU menu) = nullptr;
};

void SetUserInterfaceHooks(const UserInterfaceHooks& hooks);
const UserInterfaceHooks& GetUserInterfaceHooks();

} // namespace kwin
