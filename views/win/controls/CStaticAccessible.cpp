#include "views/win/controls/CStaticAccessible.h"

#include "views/win/api/WinDialog.h"
#include "views/win/api/WinUser.h"

namespace kwin {

CStaticAccessible::CStaticAccessible(HWND hwnd) : CWindowAccessible(hwnd, ROLE_SYSTEM_STATICTEXT) {}

DWORD CStaticAccessible::Style() const {
    return static_cast<DWORD>(GetWindowLong(Hwnd(), GWL_STYLE));
}

LONG CStaticAccessible::Role(LONG) const {
    return (Style() & SS_TYPEMASK) == SS_ICON ? ROLE_SYSTEM_GRAPHIC : ROLE_SYSTEM_STATICTEXT;
}

std::string CStaticAccessible::Name(LONG child) const {
    if ((Style() & SS_TYPEMASK) == SS_ICON) {
        return {};
    }
    return (Style() & SS_NOPREFIX) ? WindowText(Hwnd()) : CWindowAccessible::Name(child);
}

DWORD CStaticAccessible::State(LONG child) const {
    return CWindowAccessible::State(child) | STATE_SYSTEM_READONLY;
}

} // namespace kwin
