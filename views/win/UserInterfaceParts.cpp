// The user-interface library (menus, controls, dialogs, clipboard) joins the
// core it is built on: the core reaches the controls' classes and the menus
// only through the hooks set here, so it never links this library.

#include "views/win/Win32.h"
#include "views/win/core/internal/UserInterfaceHooks.h"

namespace kwin {

void RegisterControlClasses();

namespace {

const bool joined = [] {
    SetUserInterfaceHooks({&RegisterControlClasses, &::DestroyMenu});
    return true;
}();

} // namespace
} // namespace kwin

// Named in the library's link options, so every program linking the library
// keeps this file and its start-up work.
extern "C" const bool kalmora_win_user_interface_parts = kwin::joined;
