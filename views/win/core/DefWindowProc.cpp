// Default processing of window messages: one switch handing each message to
// a short handler.

#include "views/win/accessibility/CWindowAccessible.h"
#include "views/win/accessibility/internal/WindowObjects.h"
#include "views/win/api/WinGdi.h"
#include "views/win/api/WinKernel.h"
#include "views/win/api/WinUser.h"
#include "views/win/backend/internal/InstalledBackend.h"
#include "views/win/core/internal/MessageQueue.h"
#include "views/win/core/internal/WindowTable.h"
#include "views/win/gdi/internal/GdiObjects.h"

#include <algorithm>
#include <cstring>
#include <utility>

using namespace kwin;

namespace {

LRESULT OnNcHitTest(const Window& w, LPARAM lParam) {
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const POINT origin = ClientOriginOnScreen(w);
    p.x -= origin.x;
    p.y -= origin.y;
    const RECT client = ClientRectOf(w);
    return PtInRect(&client, p) ? HTCLIENT : HTNOWHERE;
}

LPCSTR CursorForHit(LRESULT hit) {
    switch (hit) {
    case HTLEFT:
    case HTRIGHT:
        return IDC_SIZEWE;
    case HTTOP:
    case HTBOTTOM:
        return IDC_SIZENS;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
        return IDC_SIZENWSE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
        return IDC_SIZENESW;
    default:
        return IDC_ARROW;
    }
}

// The parent may set the cursor first; in the client area the class cursor.
LRESULT OnSetCursor(const Window& w, WPARAM wParam, LPARAM lParam) {
    if (w.parent != nullptr && SendMessage(w.parent, WM_SETCURSOR, wParam, lParam)) {
        return TRUE;
    }
    const LRESULT hit = static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(lParam)));
    if (hit == HTCLIENT) {
        if (w.cls->cursor != nullptr) {
            SetCursor(w.cls->cursor);
            return TRUE;
        }
        return FALSE;
    }
    SetCursor(LoadCursor(nullptr, CursorForHit(hit)));
    return FALSE;
}

LRESULT OnEraseBackground(const Window& w, HDC hdc) {
    HBRUSH brush = w.cls->background;
    if (brush == nullptr) {
        return 0;
    }
    RECT client;
    GetClientRect(w.handle, &client);
    FillRect(hdc, &client, brush);
    return 1;
}

LRESULT OnPaint(HWND hwnd) {
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    EndPaint(hwnd, &ps);
    return 0;
}

// The menu bar from the keyboard: lParam is the mnemonic typed with Alt, or
// 0 for F10 or Alt alone.
void EnterMenuByKey(const Window& w, LPARAM lParam) {
    IMenuBarHost* host = GetToolkitServices().menuBar;
    const bool hasBar = w.menu != nullptr && !(w.style & WS_CHILD);
    if (host != nullptr && hasBar && !(w.style & WS_DISABLED)) {
        host->EnterMenuByKey(w.handle, static_cast<char32_t>(lParam));
    }
}

LRESULT OnSysCommand(const Window& w, WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = w.handle;
    switch (SystemCommandOf(wParam)) {
    case SC_KEYMENU:
        EnterMenuByKey(w, lParam);
        break;
    case SC_CLOSE:
        SendMessage(hwnd, WM_CLOSE, 0, 0);
        break;
    case SC_MINIMIZE:
        ShowWindow(hwnd, SW_MINIMIZE);
        break;
    case SC_MAXIMIZE:
        ShowWindow(hwnd, SW_MAXIMIZE);
        break;
    case SC_RESTORE:
        ShowWindow(hwnd, SW_RESTORE);
        break;
    default: // SC_SIZE and SC_MOVE are the desktop's to do
        break;
    }
    return 0;
}

// Alt+F4 closes the top-level window.
LRESULT OnSysKeyDown(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (wParam == VK_F4 && (HIWORD(static_cast<DWORD>(lParam)) & KF_ALTDOWN)) {
        PostMessage(RootOf(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    return 0;
}

bool IsKeyHeld(UINT vk) {
    return (GetKeyState(static_cast<int>(vk)) & 0x8000) != 0;
}

// F10 or Alt released right after its own press (no other key or click in
// between, so not after Alt+Backspace) calls for the menu bar.
LRESULT OnSysKeyUp(HWND hwnd, WPARAM wParam) {
    const bool menuKey = wParam == VK_MENU || wParam == VK_F10;
    if (menuKey && LastPressRetrieved() == wParam && !IsKeyHeld(VK_SHIFT) &&
        !IsKeyHeld(VK_CONTROL)) {
        SendMessage(RootOf(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
    }
    return 0;
}

// Alt+character calls for the menu with that mnemonic.
LRESULT OnSysChar(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const bool altDown = (HIWORD(static_cast<DWORD>(lParam)) & KF_ALTDOWN) != 0;
    if (altDown && wParam > ' ' && !IsKeyHeld(VK_CONTROL)) {
        SendMessage(RootOf(hwnd), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wParam));
    }
    return 0;
}

// WM_MOVE and WM_SIZE follow a change of position or size.
LRESULT OnWindowPosChanged(const Window& w, const WINDOWPOS& pos) {
    const RECT in = NonClientInsets(w);
    if (!(pos.flags & SWP_NOMOVE)) {
        SendMessage(w.handle, WM_MOVE, 0,
                    MAKELPARAM(static_cast<WORD>(w.rect.left + in.left),
                               static_cast<WORD>(w.rect.top + in.top)));
    }
    if (!(pos.flags & SWP_NOSIZE)) {
        const RECT client = ClientRectOf(w);
        const WPARAM kind = (w.style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                            : (w.style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                                      : SIZE_RESTORED;
        SendMessage(w.handle, WM_SIZE, kind, MAKELPARAM(client.right, client.bottom));
    }
    return 0;
}

// An activated window takes the focus unless it already lies inside it.
LRESULT OnActivate(const Window& w, WPARAM wParam) {
    if (LOWORD(wParam) != WA_INACTIVE && !(w.style & WS_MINIMIZE)) {
        const HWND focus = GetFocus();
        if (focus == nullptr || (focus != w.handle && !IsChild(w.handle, focus))) {
            SetFocus(w.handle);
        }
    }
    return 0;
}

// The wheel goes up the chain of parents until one takes it.
LRESULT OnMouseWheel(const Window& w, UINT message, WPARAM wParam, LPARAM lParam) {
    return w.parent != nullptr ? SendMessage(w.parent, message, wParam, lParam) : 0;
}

LRESULT OnSetText(Window& w, LPCSTR text) {
    w.text = text != nullptr ? text : "";
    if (w.peer) {
        w.peer->SetText(w.text);
    }
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, w.handle, OBJID_WINDOW, CHILDID_SELF);
    return TRUE;
}

std::unique_ptr<IAccessibleObject> MakeWindowObject(HWND hwnd) {
    return std::make_unique<CWindowAccessible>(hwnd);
}

LRESULT OnGetText(const Window& w, WPARAM size, LPSTR buffer) {
    if (size == 0 || buffer == nullptr) {
        return 0;
    }
    const std::size_t n = std::min<std::size_t>(w.text.size(), size - 1);
    std::memcpy(buffer, w.text.data(), n);
    buffer[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT OnSetIcon(Window& w, WPARAM kind, HICON icon) {
    HICON old = std::exchange(kind == ICON_BIG ? w.iconBig : w.iconSmall, icon);
    if (w.peer) {
        w.peer->IconChanged();
    }
    return reinterpret_cast<LRESULT>(old);
}

LRESULT OnGetIcon(const Window& w, WPARAM kind) {
    return reinterpret_cast<LRESULT>(kind == ICON_BIG ? w.iconBig : w.iconSmall);
}

// Controls draw in the system's colours unless their parent says otherwise.
LRESULT OnCtlColor(UINT message, HDC hdc) {
    const bool window = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(hdc, GetSysColor(window ? COLOR_WINDOW : COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(window ? COLOR_WINDOW : COLOR_BTNFACE));
}

} // namespace

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto w = FindWindowObject(hwnd);
    if (!w) {
        return 0;
    }
    switch (message) {
    case WM_NCCREATE:
        return TRUE;
    case WM_NCHITTEST:
        return OnNcHitTest(*w, lParam);
    case WM_SETCURSOR:
        return OnSetCursor(*w, wParam, lParam);
    case WM_ERASEBKGND:
        return OnEraseBackground(*w, reinterpret_cast<HDC>(wParam));
    case WM_PAINT:
        return OnPaint(hwnd);
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_SYSCOMMAND:
        return OnSysCommand(*w, wParam, lParam);
    case WM_SYSKEYDOWN:
        return OnSysKeyDown(hwnd, wParam, lParam);
    case WM_SYSKEYUP:
        return OnSysKeyUp(hwnd, wParam);
    case WM_SYSCHAR:
        return OnSysChar(hwnd, wParam, lParam);
    case WM_WINDOWPOSCHANGED:
        return OnWindowPosChanged(*w, *reinterpret_cast<const WINDOWPOS*>(lParam));
    case WM_ACTIVATE:
        return OnActivate(*w, wParam);
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
        return OnMouseWheel(*w, message, wParam, lParam);
    case WM_SETTEXT:
        return OnSetText(*w, reinterpret_cast<LPCSTR>(lParam));
    case WM_GETTEXT:
        return OnGetText(*w, wParam, reinterpret_cast<LPSTR>(lParam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_SETICON:
        return OnSetIcon(*w, wParam, reinterpret_cast<HICON>(lParam));
    case WM_GETICON:
        return OnGetIcon(*w, wParam);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return OnCtlColor(message, reinterpret_cast<HDC>(wParam));
    case WM_MOUSEACTIVATE:
        return MA_ACTIVATE;
    case WM_GETOBJECT:
        return AnswerGetObject(hwnd, lParam, MakeWindowObject);
    default:
        return 0;
    }
}
