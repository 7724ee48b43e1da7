// The "BUTTON" control: push buttons (the default one framed), which report
// BN_CLICKED to their parent when pressed by mouse, Space or BM_CLICK, and
// group boxes, which only draw their frame and let the mouse through.

#include "views/win/accessibility/internal/WindowObjects.h"
#include "views/win/api/WinDialog.h"
#include "views/win/api/WinGdi.h"
#include "views/win/api/WinUser.h"
#include "views/win/controls/CButtonAccessible.h"
#include "views/win/controls/internal/ControlFont.h"

#include <map>
#include <string>

namespace kwin {
namespace {

struct ButtonState {
    bool pressed = false;
    bool tracking = false;
    bool focused = false;
    HFONT font = nullptr;
};

std::map<HWND, ButtonState>& States() {
    static std::map<HWND, ButtonState> states;
    return states;
}

DWORD Kind(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)) & BS_TYPEMASK;
}

bool IsGroupBox(HWND hwnd) {
    return Kind(hwnd) == BS_GROUPBOX;
}

std::string TextOf(HWND hwnd) {
    const int length = GetWindowTextLength(hwnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowText(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return text;
}

HFONT FontOf(const ButtonState& state) {
    return state.font != nullptr ? state.font
                                 : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void Click(HWND hwnd) {
    if (HWND parent = GetParent(hwnd)) {
        SendMessage(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
                    reinterpret_cast<LPARAM>(hwnd));
    }
}

void SetPressed(HWND hwnd, ButtonState& state, bool pressed) {
    if (state.pressed != pressed) {
        state.pressed = pressed;
        InvalidateRect(hwnd, nullptr, TRUE);
        NotifyWinEvent(EVENT_OBJECT_STATECHANGE, hwnd, OBJID_CLIENT, CHILDID_SELF);
    }
}

std::unique_ptr<IAccessibleObject> MakeButtonObject(HWND hwnd) {
    return std::make_unique<CButtonAccessible>(hwnd);
}

void PaintGroupBox(HWND hwnd, HDC dc, const ButtonState& state, const RECT& client) {
    HWND parent = GetParent(hwnd);
    HBRUSH brush = parent != nullptr
                       ? reinterpret_cast<HBRUSH>(SendMessage(parent, WM_CTLCOLORSTATIC,
                                                              reinterpret_cast<WPARAM>(dc),
                                                              reinterpret_cast<LPARAM>(hwnd)))
                       : nullptr;
    FillRect(dc, &client, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ old = SelectObject(dc, FontOf(state));
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    RECT frame = client;
    frame.top += tm.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    const std::string text = TextOf(hwnd);
    if (!text.empty()) {
        RECT label{client.left + 8, client.top, client.right - 8, client.top + tm.tmHeight};
        DrawText(dc, text.c_str(), -1, &label, DT_SINGLELINE | DT_LEFT | DT_CALCRECT);
        InflateRect(&label, 2, 0);
        FillRect(dc, &label, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
        InflateRect(&label, -2, 0);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        DrawText(dc, text.c_str(), -1, &label, DT_SINGLELINE | DT_LEFT);
    }
    SelectObject(dc, old);
}

void PaintPushButton(HWND hwnd, HDC dc, const ButtonState& state, RECT r) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (Kind(hwnd) == BS_DEFPUSHBUTTON) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
    }
    DrawEdge(dc, &r, state.pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    HGDIOBJ old = SelectObject(dc, FontOf(state));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    RECT label = r;
    if (state.pressed) {
        OffsetRect(&label, 1, 1);
    }
    const std::string text = TextOf(hwnd);
    DrawText(dc, text.c_str(), -1, &label, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    SelectObject(dc, old);
    if (state.focused) {
        RECT focus = r;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

LRESULT OnPaint(HWND hwnd, const ButtonState& state) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    if (IsGroupBox(hwnd)) {
        PaintGroupBox(hwnd, dc, state, client);
    } else {
        PaintPushButton(hwnd, dc, state, client);
    }
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT OnMouse(HWND hwnd, ButtonState& state, UINT message, LPARAM lParam) {
    RECT client;
    GetClientRect(hwnd, &client);
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const bool inside = PtInRect(&client, p) != FALSE;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetFocus(hwnd);
        SetCapture(hwnd);
        state.tracking = true;
        SetPressed(hwnd, state, true);
        return 0;
    case WM_MOUSEMOVE:
        if (state.tracking) {
            SetPressed(hwnd, state, inside);
        }
        return 0;
    case WM_LBUTTONUP: {
        if (!state.tracking) {
            return 0;
        }
        state.tracking = false;
        const bool clicked = state.pressed && inside;
        SetPressed(hwnd, state, false);
        ReleaseCapture();
        if (clicked) {
            Click(hwnd);
        }
        return 0;
    }
    default:
        return 0;
    }
}

LRESULT OnKey(HWND hwnd, ButtonState& state, UINT message, WPARAM key) {
    if (key != VK_SPACE) {
        return 0;
    }
    if (message == WM_KEYDOWN) {
        SetPressed(hwnd, state, true);
    } else if (state.pressed) {
        SetPressed(hwnd, state, false);
        Click(hwnd);
    }
    return 0;
}

LRESULT OnSetStyle(HWND hwnd, WPARAM style, LPARAM redraw) {
    const DWORD old = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>((old & ~BS_TYPEMASK) | (style & BS_TYPEMASK)));
    if (redraw) {
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, hwnd, OBJID_CLIENT, CHILDID_SELF);
    return 0;
}

bool InDialog(HWND hwnd) {
    char name[16] = {};
    HWND parent = GetParent(hwnd);
    return parent != nullptr && GetClassName(parent, name, sizeof(name)) > 0 &&
           std::string(name) == "#32770";
}

bool IsPushButtonWindow(HWND hwnd) {
    return hwnd != nullptr && (SendMessage(hwnd, WM_GETDLGCODE, 0, 0) &
                               (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

// In a dialog the focused push button looks like the default one (Enter
// presses it); when the focus leaves the buttons, the dialog's default
// button takes the look back.
void TakeDefaultLook(HWND hwnd) {
    HWND dialog = GetParent(hwnd);
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (child != hwnd && (SendMessage(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)) {
            SendMessage(child, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        }
    }
    SendMessage(hwnd, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

void GiveDefaultLookBack(HWND hwnd, HWND newFocus) {
    HWND dialog = GetParent(hwnd);
    if (IsChild(dialog, newFocus) && IsPushButtonWindow(newFocus)) {
        return; // that button takes it
    }
    const LRESULT def = SendMessage(dialog, DM_GETDEFID, 0, 0);
    const int id = HIWORD(static_cast<DWORD_PTR>(def)) == DC_HASDEFID
                       ? LOWORD(static_cast<DWORD_PTR>(def))
                       : IDOK;
    HWND owner = GetDlgItem(dialog, id);
    if (owner != hwnd) {
        SendMessage(hwnd, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    }
    if (owner != nullptr && IsPushButtonWindow(owner)) {
        SendMessage(owner, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    }
}

LRESULT OnFocus(HWND hwnd, ButtonState& state, bool focused, HWND other) {
    state.focused = focused;
    InvalidateRect(hwnd, nullptr, TRUE);
    if (InDialog(hwnd)) {
        if (focused) {
            TakeDefaultLook(hwnd);
        } else {
            GiveDefaultLookBack(hwnd, other);
        }
    }
    return 0;
}

LRESULT GroupBoxProc(HWND hwnd, ButtonState& state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_PAINT:
        return OnPaint(hwnd, state);
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

} // namespace

LRESULT ButtonWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        States().erase(hwnd);
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    ButtonState& state = States()[hwnd];
    switch (message) {
    case WM_SETFONT:
        state.font = kwin::AcceptControlFont(hwnd, wParam, lParam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state.font);
    case WM_ERASEBKGND:
        return 1;
    case WM_GETOBJECT:
        return AnswerGetObject(hwnd, lParam, MakeButtonObject);
    case WM_SETTEXT:
    case WM_ENABLE: {
        const LRESULT result = DefWindowProc(hwnd, message, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return result;
    }
    default:
        break;
    }
    if (IsGroupBox(hwnd)) {
        return GroupBoxProc(hwnd, state, message, wParam, lParam);
    }
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_BUTTON |
               (Kind(hwnd) == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case WM_PAINT:
        return OnPaint(hwnd, state);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        return OnMouse(hwnd, state, message, lParam);
    case WM_CAPTURECHANGED:
        state.tracking = false;
        SetPressed(hwnd, state, false);
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        return OnKey(hwnd, state, message, wParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return OnFocus(hwnd, state, message == WM_SETFOCUS, reinterpret_cast<HWND>(wParam));
    case BM_CLICK:
        Click(hwnd);
        return 0;
    case BM_GETSTATE:
        return (state.pressed ? BST_PUSHED : 0) | (state.focused ? BST_FOCUS : 0);
    case BM_SETSTATE:
        SetPressed(hwnd, state, wParam != 0);
        return 0;
    case BM_SETSTYLE:
        return OnSetStyle(hwnd, wParam, lParam);
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

} // namespace kwin
