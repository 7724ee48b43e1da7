#include "views/win/accessibility/CWindowAccessible.h"

#include "views/win/api/WinUser.h"

namespace kwin {

CWindowAccessible::CWindowAccessible(HWND hwnd, LONG role) : m_hwnd(hwnd), m_role(role) {}

LONG CWindowAccessible::Role(LONG) const {
    return m_role;
}

std::string CWindowAccessible::Name(LONG) const {
    return WithoutMnemonic(WindowText(m_hwnd));
}

DWORD CWindowAccessible::State(LONG) const {
    // A window that passes its keys on does not hold the focus as the client sees it.
    const DWORD state = WindowState(m_hwnd);
    return IsWindow(m_focusDelegate) ? state & ~STATE_SYSTEM_FOCUSED : state;
}

RECT CWindowAccessible::Location(LONG) const {
    return ScreenRect(m_hwnd);
}

AccessibleRef CWindowAccessible::Focus() const {
    const HWND focus = GetFocus();
    if (focus == m_hwnd) {
        return {IsWindow(m_focusDelegate) ? m_focusDelegate : m_hwnd, CHILDID_SELF};
    }
    if (focus != nullptr && IsChild(m_hwnd, focus)) {
        return {focus, CHILDID_SELF};
    }
    return {};
}

std::string CWindowAccessible::WithoutMnemonic(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += text[i];
    }
    return out;
}

std::string CWindowAccessible::WindowText(HWND hwnd) {
    const int length = GetWindowTextLength(hwnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowText(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

DWORD CWindowAccessible::WindowState(HWND hwnd) {
    DWORD state = STATE_SYSTEM_NORMAL;
    if (!IsWindowEnabled(hwnd)) {
        state |= STATE_SYSTEM_UNAVAILABLE;
    }
    if (!IsWindowVisible(hwnd)) {
        state |= STATE_SYSTEM_INVISIBLE;
    }
    if (GetFocus() == hwnd) {
        state |= STATE_SYSTEM_FOCUSED;
    }
    return state;
}

std::string CWindowAccessible::LabelOf(HWND hwnd) {
    const HWND before = GetWindow(hwnd, GW_HWNDPREV);
    char className[16] = {};
    if (before == nullptr || GetClassName(before, className, sizeof(className)) == 0 ||
        std::string(className) != "STATIC") {
        return {};
    }
    return WithoutMnemonic(WindowText(before));
}

RECT CWindowAccessible::ScreenRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

} // namespace kwin
