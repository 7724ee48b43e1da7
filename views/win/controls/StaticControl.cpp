// The layer's plain "STATIC" class: it paints its text on the button-face
// colour and, unless it has SS_NOTIFY, lets the mouse fall through to its
// parent by answering WM_NCHITTEST with HTTRANSPARENT. An SS_ICON static
// shows the icon it was given with STM_SETICON instead of text.

#include "views/win/accessibility/internal/WindowObjects.h"
#include "views/win/api/WinDialog.h"
#include "views/win/api/WinGdi.h"
#include "views/win/api/WinUser.h"
#include "views/win/controls/CStaticAccessible.h"
#include "views/win/controls/internal/ControlFont.h"
#include "views/win/core/internal/WindowTable.h"

#include <string>

namespace kwin {
namespace {

HANDLE SetIconOf(HWND hwnd, HICON icon) {
    HANDLE old = GetProp(hwnd, "KalmoraStaticIcon");
    SetProp(hwnd, "KalmoraStaticIcon", icon);
    if (icon != nullptr && (GetWindowLong(hwnd, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        SetWindowPos(hwnd, nullptr, 0, 0, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    return old;
}

std::unique_ptr<IAccessibleObject> MakeStaticObject(HWND hwnd) {
    return std::make_unique<CStaticAccessible>(hwnd);
}

} // namespace

LRESULT StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCHITTEST:
        if (!(GetWindowLong(hwnd, GWL_STYLE) & SS_NOTIFY)) {
            return HTTRANSPARENT;
        }
        return DefWindowProc(hwnd, message, wParam, lParam);
    case WM_ERASEBKGND:
        return 1; // painted whole in WM_PAINT
    case WM_SETFONT:
        SetProp(hwnd, "KalmoraStaticFont", kwin::AcceptControlFont(hwnd, wParam, lParam));
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(GetProp(hwnd, "KalmoraStaticFont"));
    case STM_SETICON: {
        // An icon static takes the icon's size, as on the platform.
        HANDLE old = SetIconOf(hwnd, reinterpret_cast<HICON>(wParam));
        return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETICON:
        return reinterpret_cast<LRESULT>(GetProp(hwnd, "KalmoraStaticIcon"));
    case WM_GETOBJECT:
        return AnswerGetObject(hwnd, lParam, MakeStaticObject);
    case WM_SETTEXT: {
        const LRESULT r = DefWindowProc(hwnd, message, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return r;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        HWND parent = GetParent(hwnd);
        HBRUSH brush = parent != nullptr
                           ? reinterpret_cast<HBRUSH>(SendMessage(parent, WM_CTLCOLORSTATIC,
                                                                  reinterpret_cast<WPARAM>(hdc),
                                                                  reinterpret_cast<LPARAM>(hwnd)))
                           : nullptr;
        if (brush == nullptr) {
            brush = GetSysColorBrush(COLOR_BTNFACE);
            SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
        }
        FillRect(hdc, &client, brush);
        if ((GetWindowLong(hwnd, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            if (HICON icon = static_cast<HICON>(GetProp(hwnd, "KalmoraStaticIcon"))) {
                DrawIconEx(hdc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        const int length = GetWindowTextLength(hwnd);
        if (length > 0) {
            std::string text(static_cast<std::size_t>(length) + 1, '\0');
            GetWindowText(hwnd, text.data(), length + 1);
            text.resize(static_cast<std::size_t>(length));
            HGDIOBJ font = GetProp(hwnd, "KalmoraStaticFont");
            HGDIOBJ old =
                SelectObject(hdc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
            SetBkMode(hdc, TRANSPARENT);
            const DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
            UINT format = DT_WORDBREAK | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
            if ((style & 0x1F) == SS_CENTER) {
                format |= DT_CENTER;
            } else if ((style & 0x1F) == SS_RIGHT) {
                format |= DT_RIGHT;
            }
            DrawText(hdc, text.c_str(), length, &client, format);
            SelectObject(hdc, old);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

} // namespace kwin
