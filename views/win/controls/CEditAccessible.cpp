#include "views/win/controls/CEditAccessible.h"

#include "views/win/api/WinDialog.h"
#include "views/win/api/WinUser.h"
#include "views/win/controls/internal/EditQueries.h"

namespace kwin {

CEditAccessible::CEditAccessible(HWND hwnd) : CWindowAccessible(hwnd, ROLE_SYSTEM_TEXT) {}

std::string CEditAccessible::Name(LONG) const {
    return LabelOf(Hwnd());
}

std::string CEditAccessible::Value(LONG) const {
    return Content();
}

DWORD CEditAccessible::State(LONG child) const {
    DWORD state = CWindowAccessible::State(child) | STATE_SYSTEM_FOCUSABLE;
    if (EditIsReadOnly(Hwnd())) {
        state |= STATE_SYSTEM_READONLY;
    }
    return state;
}

std::string CEditAccessible::Content() const {
    return WindowText(Hwnd());
}

std::size_t CEditAccessible::Caret() const {
    return EditCaret(Hwnd());
}

std::pair<std::size_t, std::size_t> CEditAccessible::Selection() const {
    DWORD from = 0;
    DWORD to = 0;
    SendMessage(Hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    return {from, to};
}

void CEditAccessible::Select(std::size_t anchor, std::size_t caret) {
    SendMessage(Hwnd(), EM_SETSEL, static_cast<WPARAM>(anchor), static_cast<LPARAM>(caret));
}

bool CEditAccessible::Replace(std::size_t from, std::size_t to, const std::string& text) {
    if (EditIsReadOnly(Hwnd()) || !IsWindowEnabled(Hwnd())) {
        return false;
    }
    Select(from, to);
    SendMessage(Hwnd(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    return true;
}

} // namespace kwin
