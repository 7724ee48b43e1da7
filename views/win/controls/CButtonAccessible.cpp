#include "views/win/controls/CButtonAccessible.h"

#include "views/win/api/WinDialog.h"
#include "views/win/api/WinUser.h"

namespace kwin {

CButtonAccessible::CButtonAccessible(HWND hwnd) : CWindowAccessible(hwnd, ROLE_SYSTEM_PUSHBUTTON) {}

bool CButtonAccessible::IsGroupBox() const {
    return (static_cast<DWORD>(GetWindowLong(Hwnd(), GWL_STYLE)) & BS_TYPEMASK) == BS_GROUPBOX;
}

LONG CButtonAccessible::Role(LONG) const {
    return IsGroupBox() ? ROLE_SYSTEM_GROUPING : ROLE_SYSTEM_PUSHBUTTON;
}

DWORD CButtonAccessible::State(LONG child) const {
    DWORD state = CWindowAccessible::State(child);
    if (IsGroupBox()) {
        return state;
    }
    state |= STATE_SYSTEM_FOCUSABLE;
    const LRESULT code = SendMessage(Hwnd(), WM_GETDLGCODE, 0, 0);
    if (code & DLGC_DEFPUSHBUTTON) {
        state |= STATE_SYSTEM_DEFAULT;
    }
    if (SendMessage(Hwnd(), BM_GETSTATE, 0, 0) & BST_PUSHED) {
        state |= STATE_SYSTEM_PRESSED;
    }
    return state;
}

std::string CButtonAccessible::DefaultAction(LONG) const {
    return IsGroupBox() ? std::string() : "Press";
}

bool CButtonAccessible::DoDefaultAction(LONG) {
    if (IsGroupBox() || !IsWindowEnabled(Hwnd())) {
        return false;
    }
    SendMessage(Hwnd(), BM_CLICK, 0, 0);
    return true;
}

} // namespace kwin
