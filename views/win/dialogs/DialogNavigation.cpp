// The dialog manager's keyboard: Tab among the tab stops in template order,
// Enter for the default (or focused) push button, Esc for IDCANCEL.

#include "views/win/api/WinDialog.h"
#include "views/win/api/WinUser.h"
#include "views/win/dialogs/internal/DialogManager.h"

#include <cctype>
#include <string>
#include <vector>

namespace {

bool IsTabStop(HWND control) {
    const DWORD style = static_cast<DWORD>(GetWindowLong(control, GWL_STYLE));
    return (style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

std::vector<HWND> TabStops(HWND dialog) {
    std::vector<HWND> stops;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsTabStop(child)) {
            stops.push_back(child);
        }
    }
    return stops;
}

bool IsPushButton(LRESULT code) {
    return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

void PressButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (button != nullptr && !IsWindowEnabled(button)) {
        MessageBeep(0);
        return;
    }
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

int DefaultId(HWND dialog) {
    const LRESULT def = SendMessage(dialog, DM_GETDEFID, 0, 0);
    return HIWORD(static_cast<DWORD_PTR>(def)) == DC_HASDEFID ? LOWORD(static_cast<DWORD_PTR>(def))
                                                              : IDOK;
}

bool HandleDialogKey(HWND dialog, const MSG& msg, LRESULT code) {
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    switch (msg.wParam) {
    case VK_TAB:
        if ((code & DLGC_WANTTAB) || control) {
            return false;
        }
        SendMessage(dialog, WM_NEXTDLGCTL, shift ? 1 : 0, 0);
        return true;
    case VK_RETURN:
        if (IsPushButton(code)) {
            PressButton(dialog, GetDlgCtrlID(msg.hwnd));
        } else {
            PressButton(dialog, DefaultId(dialog));
        }
        return true;
    case VK_ESCAPE:
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                    reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
        return true;
    default:
        return false;
    }
}

// The control whose name marks the character typed with '&'.
HWND ControlWithMnemonic(HWND dialog, WPARAM character) {
    const auto lower = [](int c) { return std::tolower(static_cast<unsigned char>(c)); };
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const DWORD style = static_cast<DWORD>(GetWindowLong(child, GWL_STYLE));
        if (!(style & WS_VISIBLE) || (style & WS_DISABLED)) {
            continue;
        }
        std::string text(static_cast<std::size_t>(GetWindowTextLength(child)) + 1, '\0');
        text.resize(static_cast<std::size_t>(
            GetWindowText(child, text.data(), static_cast<int>(text.size()))));
        for (std::size_t i = 0; i + 1 < text.size(); ++i) {
            if (text[i] == '&' && text[i + 1] == '&') {
                ++i;
            } else if (text[i] == '&') {
                if (lower(text[i + 1]) == lower(static_cast<int>(character))) {
                    return child;
                }
                break;
            }
        }
    }
    return nullptr;
}

// A character the focused control does not take presses the push button it names.
bool HandleMnemonic(HWND dialog, const MSG& msg) {
    const LRESULT code =
        SendMessage(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    if (msg.message == WM_CHAR && (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))) {
        return false;
    }
    const HWND control = ControlWithMnemonic(dialog, msg.wParam);
    if (control == nullptr) {
        return false;
    }
    if (IsPushButton(SendMessage(control, WM_GETDLGCODE, 0, 0))) {
        PressButton(dialog, GetDlgCtrlID(control));
    } else {
        SetFocus(control);
    }
    return true;
}

bool IsKeyMessage(UINT message) {
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

// Keys belong to the window that has the focus when they are handled: a
// Tab handled just before may have moved it since the key was queued.
void RetargetKeyToFocus(HWND dialog, MSG& msg) {
    const HWND focus = GetFocus();
    if (IsKeyMessage(msg.message) && focus != nullptr && focus != msg.hwnd &&
        IsChild(dialog, focus)) {
        msg.hwnd = focus;
    }
}

} // namespace

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    const std::vector<HWND> stops = TabStops(dialog);
    if (stops.empty()) {
        return nullptr;
    }
    std::size_t at = stops.size();
    for (std::size_t i = 0; i < stops.size(); ++i) {
        if (stops[i] == control) {
            at = i;
        }
    }
    if (at == stops.size()) {
        return previous ? stops.back() : stops.front();
    }
    const std::size_t n = stops.size();
    return previous ? stops[(at + n - 1) % n] : stops[(at + 1) % n];
}

BOOL IsDialogMessage(HWND dialog, LPMSG msg) {
    if (msg == nullptr || !IsWindow(dialog) ||
        (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd))) {
        return FALSE;
    }
    RetargetKeyToFocus(dialog, *msg);
    if (msg->message == WM_KEYDOWN) {
        const LRESULT code =
            SendMessage(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
        if (!(code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) &&
            HandleDialogKey(dialog, *msg, code)) {
            return TRUE;
        }
    }
    if ((msg->message == WM_CHAR || msg->message == WM_SYSCHAR) && HandleMnemonic(dialog, *msg)) {
        return TRUE;
    }
    TranslateMessage(msg);
    DispatchMessage(msg);
    return TRUE;
}
