// Default processing of window messages.

#include "views/win/api/WinGdi.h"
#include "views/win/api/WinKernel.h"
#include "views/win/api/WinUser.h"
#include "views/win/core/internal/WindowTable.h"
#include "views/win/gdi/internal/GdiObjects.h"

#include <algorithm>
#include <cstring>
#include <utility>

using namespace kwin;

namespace {

constexpr WPARAM SC_SIZE = 0xF000;
constexpr WPARAM SC_MOVE = 0xF010;
constexpr WPARAM SC_MINIMIZE = 0xF020;
constexpr WPARAM SC_MAXIMIZE = 0xF030;
constexpr WPARAM SC_CLOSE = 0xF060;
constexpr WPARAM SC_RESTORE = 0xF120;

LRESULT HitTest(const Window& w, LPARAM lParam) {
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
        return HitTest(*w, lParam);
    case WM_SETCURSOR: {
        if (w->parent != nullptr && SendMessage(w->parent, WM_SETCURSOR, wParam, lParam)) {
            return TRUE;
        }
        const LRESULT hit = static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(lParam)));
        if (hit == HTCLIENT) {
            if (w->cls->cursor != nullptr) {
                SetCursor(w->cls->cursor);
                return TRUE;
            }
            return FALSE;
        }
        SetCursor(LoadCursor(nullptr, CursorForHit(hit)));
        return FALSE;
    }
    case WM_ERASEBKGND: {
        HBRUSH brush = w->cls->background;
        if (brush == nullptr) {
            return 0;
        }
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
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
        case SC_SIZE:
        case SC_MOVE:
        default:
            break;
        }
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4 && (lParam & (1 << 29))) {
            PostMessage(RootOf(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        return 0;
    case WM_WINDOWPOSCHANGED: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        const RECT in = NonClientInsets(*w);
        if (!(pos->flags & SWP_NOMOVE)) {
            SendMessage(hwnd, WM_MOVE, 0,
                        MAKELPARAM(static_cast<WORD>(w->rect.left + in.left),
                                   static_cast<WORD>(w->rect.top + in.top)));
        }
        if (!(pos->flags & SWP_NOSIZE)) {
            const RECT client = ClientRectOf(*w);
            const WPARAM kind = (w->style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                                : (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                                           : SIZE_RESTORED;
            SendMessage(hwnd, WM_SIZE, kind, MAKELPARAM(client.right, client.bottom));
        }
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !(w->style & WS_MINIMIZE)) {
            const HWND focus = GetFocus();
            if (focus == nullptr || (focus != hwnd && !IsChild(hwnd, focus))) {
                SetFocus(hwnd);
            }
        }
        return 0;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
        if (w->parent != nullptr) {
            return SendMessage(w->parent, message, wParam, lParam);
        }
        return 0;
    case WM_SETTEXT: {
        w->text = lParam != 0 ? reinterpret_cast<LPCSTR>(lParam) : "";
        if (w->peer) {
            w->peer->SetText(w->text);
        }
        return TRUE;
    }
    case WM_GETTEXT: {
        if (wParam == 0 || lParam == 0) {
            return 0;
        }
        auto* buffer = reinterpret_cast<LPSTR>(lParam);
        const std::size_t n = std::min<std::size_t>(w->text.size(), wParam - 1);
        std::memcpy(buffer, w->text.data(), n);
        buffer[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_SETICON: {
        HICON icon = reinterpret_cast<HICON>(lParam);
        HICON old = nullptr;
        if (wParam == ICON_BIG) {
            old = std::exchange(w->iconBig, icon);
        } else {
            old = std::exchange(w->iconSmall, icon);
        }
        if (w->peer) {
            w->peer->IconChanged();
        }
        return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETICON:
        return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? w->iconBig : w->iconSmall);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        HDC hdc = reinterpret_cast<HDC>(wParam);
        const bool window = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
        SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(hdc, GetSysColor(window ? COLOR_WINDOW : COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(window ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    case WM_MOUSEACTIVATE:
        return 1; // MA_ACTIVATE
    default:
        return 0;
    }
}
