// Dialog boxes from templates: the dialog class and its default procedure,
// creation in dialog units, and the modal loop with its owner disabled.

#include "views/win/accessibility/CWindowAccessible.h"
#include "views/win/accessibility/internal/WindowObjects.h"
#include "views/win/api/WinDialog.h"
#include "views/win/api/WinGdi.h"
#include "views/win/api/WinKernel.h"
#include "views/win/api/WinUser.h"
#include "views/win/core/internal/WindowTable.h"
#include "views/win/dialogs/internal/DialogManager.h"

#include <cstring>
#include <map>

using namespace kwin;

namespace {

constexpr const char* DialogClassName = "#32770";
constexpr const char* BaseUnitSample = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

std::map<HWND, DialogState>& States() {
    static std::map<HWND, DialogState> states;
    return states;
}

// Messages whose answer is the dialog procedure's own return value.
bool ReturnsDirectly(UINT message) {
    switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return true;
    default:
        return false;
    }
}

HWND FirstTabStop(HWND dialog) {
    return GetNextDlgTabItem(dialog, nullptr, FALSE);
}

void FocusControl(HWND control) {
    if (control == nullptr) {
        return;
    }
    SetFocus(control);
    if (SendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
        SendMessage(control, EM_SETSEL, 0, -1);
    }
}

LRESULT OnActivate(HWND dialog, DialogState& state, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(dialog, focus)) {
            state.savedFocus = focus;
        }
        return 0;
    }
    const HWND focus = GetFocus();
    if (focus != nullptr && IsChild(dialog, focus)) {
        return 0;
    }
    HWND target = IsWindow(state.savedFocus) ? state.savedFocus : FirstTabStop(dialog);
    SetFocus(target != nullptr ? target : dialog);
    return 0;
}

LRESULT OnClose(HWND dialog) {
    HWND cancel = GetDlgItem(dialog, IDCANCEL);
    if (cancel != nullptr && !IsWindowEnabled(cancel)) {
        MessageBeep(0);
        return 0;
    }
    PostMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                reinterpret_cast<LPARAM>(cancel));
    return 0;
}

LRESULT OnNextDlgCtl(HWND dialog, WPARAM wParam, LPARAM lParam) {
    HWND target = nullptr;
    if (LOWORD(static_cast<DWORD_PTR>(lParam)) != 0) {
        target = reinterpret_cast<HWND>(wParam);
    } else {
        target = GetNextDlgTabItem(dialog, GetFocus(), wParam != 0 ? TRUE : FALSE);
    }
    FocusControl(target);
    return 0;
}

std::unique_ptr<IAccessibleObject> MakeDialogObject(HWND dialog) {
    return std::make_unique<CWindowAccessible>(dialog, ROLE_SYSTEM_DIALOG);
}

LRESULT DefaultDialogHandling(HWND dialog, DialogState& state, UINT message, WPARAM wParam,
                              LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        return OnClose(dialog);
    case WM_ACTIVATE:
        return OnActivate(dialog, state, wParam);
    case WM_SETFOCUS: {
        HWND target = IsWindow(state.savedFocus) ? state.savedFocus : FirstTabStop(dialog);
        if (target != nullptr) {
            SetFocus(target);
        }
        return 0;
    }
    case DM_GETDEFID:
        return state.defaultId != 0 ? MAKELRESULT(state.defaultId, DC_HASDEFID) : 0;
    case DM_SETDEFID:
        state.defaultId = static_cast<int>(wParam);
        return TRUE;
    case WM_NEXTDLGCTL:
        return OnNextDlgCtl(dialog, wParam, lParam);
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state.font);
    case WM_GETOBJECT:
        return AnswerGetObject(dialog, lParam, MakeDialogObject);
    case WM_NOTIFY:
    case WM_COMMAND:
        return 0;
    default:
        return DefWindowProc(dialog, message, wParam, lParam);
    }
}

void ForgetDialog(HWND dialog) {
    const auto it = States().find(dialog);
    if (it == States().end()) {
        return;
    }
    if (it->second.ownsFont) {
        DeleteObject(it->second.font);
    }
    States().erase(it);
}

void RegisterDialogClass() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    WNDCLASSEX wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS | CS_SAVEBITS;
    wc.lpfnWndProc = DefDlgProc;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = DialogClassName;
    RegisterSystemClass(wc);
}

HFONT MakeDialogFont(const DialogTemplate& dialog, bool& owned) {
    owned = false;
    if (!(dialog.style & DS_SETFONT)) {
        return static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    LOGFONT lf{};
    lf.lfHeight = -MulDiv(dialog.pointSize, dpi, 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    const std::string face = dialog.fontFace.empty() ? "MS Shell Dlg" : dialog.fontFace;
    std::strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    owned = true;
    return CreateFontIndirect(&lf);
}

RECT ToPixels(const DialogState& state, short x, short y, short cx, short cy) {
    const int left = MulDiv(x, state.baseX, 4);
    const int top = MulDiv(y, state.baseY, 8);
    return {left, top, left + MulDiv(cx, state.baseX, 4), top + MulDiv(cy, state.baseY, 8)};
}

// The template position is relative to the owner's client area.
POINT DialogOrigin(HWND owner, const RECT& pixels) {
    POINT origin{pixels.left, pixels.top};
    if (owner != nullptr) {
        ClientToScreen(owner, &origin);
    }
    return origin;
}

void CentreOnOwner(HWND dialog, HWND owner) {
    RECT area{};
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &area);
    } else {
        MONITORINFO info{sizeof(MONITORINFO), {}, {}, 0};
        GetMonitorInfo(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &info);
        area = info.rcWork;
    }
    RECT r;
    GetWindowRect(dialog, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    SetWindowPos(dialog, nullptr, (area.left + area.right - width) / 2,
                 (area.top + area.bottom - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND CreateControl(HWND dialog, HINSTANCE instance, const DialogState& state,
                   const DialogItemTemplate& item) {
    const RECT r = ToPixels(state, item.x, item.y, item.cx, item.cy);
    HWND control = CreateWindowEx(
        item.exStyle, item.className.c_str(), item.text.c_str(), item.style | WS_CHILD | WS_VISIBLE,
        r.left, r.top, r.right - r.left, r.bottom - r.top, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), instance, nullptr);
    if (control == nullptr) {
        return nullptr;
    }
    SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), FALSE);
    if (item.iconId != 0 && (item.style & SS_TYPEMASK) == SS_ICON) {
        HICON icon = LoadIcon(instance, MAKEINTRESOURCE(item.iconId));
        SendMessage(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    }
    return control;
}

int FirstDefaultButton(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (SendMessage(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) {
            return GetDlgCtrlID(child);
        }
    }
    return IDOK;
}

} // namespace

namespace kwin {

DialogState* FindDialogState(HWND dialog) {
    const auto it = States().find(dialog);
    return it == States().end() ? nullptr : &it->second;
}

SIZE DialogBaseUnits(HFONT font) {
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRIC tm{};
    GetTextMetrics(screen, &tm);
    SIZE sample{};
    GetTextExtentPoint32(screen, BaseUnitSample, 52, &sample);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return SIZE{(sample.cx / 26 + 1) / 2, tm.tmHeight};
}

HWND CreateDialogFromTemplate(HINSTANCE instance, const DialogTemplate& dialog, HWND owner,
                              DLGPROC proc, LPARAM param) {
    RegisterDialogClass();
    DialogState state;
    state.proc = proc;
    state.font = MakeDialogFont(dialog, state.ownsFont);
    const SIZE units = DialogBaseUnits(state.font);
    state.baseX = units.cx;
    state.baseY = units.cy;

    const DWORD style = dialog.style & ~WS_VISIBLE;
    const DWORD exStyle =
        dialog.exStyle | ((dialog.style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0);
    const RECT pixels = ToPixels(state, dialog.x, dialog.y, dialog.cx, dialog.cy);
    RECT outer{0, 0, pixels.right - pixels.left, pixels.bottom - pixels.top};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    const POINT origin = DialogOrigin(owner, pixels);
    HWND hwnd = CreateWindowEx(exStyle, DialogClassName, dialog.caption.c_str(), style, origin.x,
                               origin.y, outer.right - outer.left, outer.bottom - outer.top, owner,
                               nullptr, instance, nullptr);
    if (hwnd == nullptr) {
        if (state.ownsFont) {
            DeleteObject(state.font);
        }
        return nullptr;
    }
    States()[hwnd] = state;
    SetWindowLongPtr(hwnd, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
    SendMessage(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), FALSE);
    for (const auto& item : dialog.items) {
        CreateControl(hwnd, instance, state, item);
    }
    FindDialogState(hwnd)->defaultId = FirstDefaultButton(hwnd);
    if (dialog.style & DS_CENTER) {
        CentreOnOwner(hwnd, owner);
    }
    const HWND first = FirstTabStop(hwnd);
    if (SendMessage(hwnd, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param) &&
        IsWindow(hwnd)) {
        FocusControl(first);
    }
    if (DialogState* s = FindDialogState(hwnd);
        s != nullptr && GetFocus() != nullptr && IsChild(hwnd, GetFocus())) {
        s->savedFocus = GetFocus();
    }
    return IsWindow(hwnd) ? hwnd : nullptr;
}

INT_PTR RunModalDialog(HINSTANCE instance, const DialogTemplate& dialog, HWND owner, DLGPROC proc,
                       LPARAM param, ModalKind kind) {
    if (owner != nullptr) {
        owner = GetAncestor(owner, GA_ROOT);
    }
    HWND hwnd = CreateDialogFromTemplate(instance, dialog, owner, proc, param);
    if (hwnd == nullptr) {
        return -1;
    }
    const bool disableOwner = owner != nullptr && IsWindowEnabled(owner);
    if (disableOwner) {
        EnableWindow(owner, FALSE);
    }
    if (!FindDialogState(hwnd)->ended) {
        ShowWindow(hwnd, SW_SHOW);
        if (DialogState* s = FindDialogState(hwnd); s != nullptr && IsWindow(s->savedFocus)) {
            SetFocus(s->savedFocus);
        }
        ModalLoopStarted({kind, hwnd});
    }
    MSG msg{};
    while (IsWindow(hwnd) && !FindDialogState(hwnd)->ended) {
        const BOOL got = GetMessage(&msg, nullptr, 0, 0);
        if (got == -1) {
            continue;
        }
        if (!got) {
            PostQuitMessage(static_cast<int>(msg.wParam)); // the outer loop must see it too
            break;
        }
        if (!IsDialogMessage(hwnd, &msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    const DialogState* state = FindDialogState(hwnd);
    const INT_PTR result = state != nullptr ? state->result : 0;
    if (disableOwner) {
        EnableWindow(owner, TRUE);
    }
    if (IsWindow(hwnd)) {
        ShowWindow(hwnd, SW_HIDE);
        if (owner != nullptr && IsWindow(owner)) {
            SetActiveWindow(owner);
        }
        DestroyWindow(hwnd);
    }
    return result;
}

} // namespace kwin

LRESULT DefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogState* state = FindDialogState(dialog);
    if (state == nullptr) {
        return DefWindowProc(dialog, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        ForgetDialog(dialog);
        return DefWindowProc(dialog, message, wParam, lParam);
    }
    if (state->proc != nullptr) {
        SetWindowLongPtr(dialog, DWLP_MSGRESULT, 0);
        const INT_PTR handled = state->proc(dialog, message, wParam, lParam);
        if (handled) {
            return ReturnsDirectly(message) ? handled : GetWindowLongPtr(dialog, DWLP_MSGRESULT);
        }
        state = FindDialogState(dialog);
        if (state == nullptr || !IsWindow(dialog)) {
            return 0;
        }
    }
    return DefaultDialogHandling(dialog, *state, message, wParam, lParam);
}

INT_PTR DialogBoxIndirectParam(HINSTANCE instance, const DialogTemplate* dialog, HWND owner,
                               DLGPROC proc, LPARAM param) {
    if (dialog == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    return RunModalDialog(instance, *dialog, owner, proc, param, ModalKind::Dialog);
}

INT_PTR DialogBoxParam(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC proc,
                       LPARAM param) {
    const DialogTemplate* dialog =
        IS_INTRESOURCE(templateName)
            ? FindDialogTemplate(static_cast<UINT>(reinterpret_cast<UINT_PTR>(templateName)))
            : nullptr;
    if (dialog == nullptr) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return -1;
    }
    return DialogBoxIndirectParam(instance, dialog, owner, proc, param);
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    DialogState* state = FindDialogState(dialog);
    if (state == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    state->ended = true;
    state->result = result;
    PostMessage(dialog, WM_NULL, 0, 0); // wakes a loop that is waiting
    return TRUE;
}

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
    const DialogState* state = FindDialogState(dialog);
    if (state == nullptr || rect == nullptr) {
        return FALSE;
    }
    *rect = {MulDiv(rect->left, state->baseX, 4), MulDiv(rect->top, state->baseY, 8),
             MulDiv(rect->right, state->baseX, 4), MulDiv(rect->bottom, state->baseY, 8)};
    return TRUE;
}

LONG GetDialogBaseUnits() {
    const SIZE units = DialogBaseUnits(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    return static_cast<LONG>(MAKELONG(units.cx, units.cy));
}

BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text) {
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr ? SetWindowText(control, text) : FALSE;
}

UINT GetDlgItemText(HWND dialog, int id, LPSTR buffer, int size) {
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) {
        if (buffer != nullptr && size > 0) {
            buffer[0] = '\0';
        }
        return 0;
    }
    return static_cast<UINT>(GetWindowText(control, buffer, size));
}

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr ? SendMessage(control, message, wParam, lParam) : 0;
}
