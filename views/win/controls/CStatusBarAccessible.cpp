#include "views/win/controls/CStatusBarAccessible.h"

#include "views/win/api/WinDialog.h"
#include "views/win/api/WinUser.h"

#include <vector>

namespace kwin {

CStatusBarAccessible::CStatusBarAccessible(HWND hwnd)
    : CWindowAccessible(hwnd, ROLE_SYSTEM_STATUSBAR) {}

LONG CStatusBarAccessible::Role(LONG child) const {
    return child == CHILDID_SELF ? ROLE_SYSTEM_STATUSBAR : ROLE_SYSTEM_STATICTEXT;
}

std::string CStatusBarAccessible::Name(LONG child) const {
    if (child == CHILDID_SELF || child > ChildCount()) {
        return CWindowAccessible::Name(child);
    }
    const auto pane = static_cast<WPARAM>(child - 1);
    const auto length = LOWORD(static_cast<DWORD>(SendMessage(Hwnd(), SB_GETTEXTLENGTH, pane, 0)));
    std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessage(Hwnd(), SB_GETTEXT, pane, reinterpret_cast<LPARAM>(text.data()));
    std::string name = text.data();
    name.erase(0, name.find_first_not_of('\t'));
    return name;
}

DWORD CStatusBarAccessible::State(LONG child) const {
    return CWindowAccessible::State(CHILDID_SELF) |
           (child == CHILDID_SELF ? 0 : STATE_SYSTEM_READONLY);
}

RECT CStatusBarAccessible::Location(LONG child) const {
    RECT r{};
    if (child == CHILDID_SELF || !SendMessage(Hwnd(), SB_GETRECT, static_cast<WPARAM>(child - 1),
                                              reinterpret_cast<LPARAM>(&r))) {
        return CWindowAccessible::Location(child);
    }
    MapWindowPoints(Hwnd(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

LONG CStatusBarAccessible::ChildCount() const {
    return static_cast<LONG>(SendMessage(Hwnd(), SB_GETPARTS, 0, 0));
}

} // namespace kwin
