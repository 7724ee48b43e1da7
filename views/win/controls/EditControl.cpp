// The single-line "EDIT" control: plain text with a caret and a selection,
// scrolled sideways to keep the caret in view, typed into through WM_CHAR,
// moved through WM_KEYDOWN, and exchanged with the clipboard. A border asked
// for with WS_BORDER or WS_EX_CLIENTEDGE is drawn inside the control.

#include "views/win/accessibility/internal/WindowObjects.h"
#include "views/win/api/WinDialog.h"
#include "views/win/api/WinGdi.h"
#include "views/win/api/WinOle.h"
#include "views/win/api/WinUser.h"
#include "views/win/controls/CEditAccessible.h"
#include "views/win/controls/internal/ControlFont.h"
#include "views/win/controls/internal/EditQueries.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace kwin {
namespace {

constexpr int Border = 2;
constexpr int Margin = 2;

struct EditState {
    std::size_t caret = 0;  // byte offsets into the UTF-8 text
    std::size_t anchor = 0; // the other end of the selection
    int scroll = 0;         // pixels of text scrolled out at the left
    bool bordered = false;
    bool readOnly = false;
    bool focused = false;
    bool dragging = false;
    HFONT font = nullptr;
    std::size_t limit = 0x7FFFFFFE;
};

std::map<HWND, EditState>& States() {
    static std::map<HWND, EditState> states;
    return states;
}

EditState& StateOf(HWND hwnd) {
    return States()[hwnd];
}

std::string TextOf(HWND hwnd) {
    const int length = GetWindowTextLength(hwnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowText(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return text;
}

void StoreText(HWND hwnd, const std::string& text) {
    DefWindowProc(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t NextBoundary(const std::string& s, std::size_t at) {
    if (at >= s.size()) {
        return s.size();
    }
    ++at;
    while (at < s.size() && IsContinuation(s[at])) {
        ++at;
    }
    return at;
}

std::size_t PrevBoundary(const std::string& s, std::size_t at) {
    if (at == 0) {
        return 0;
    }
    --at;
    while (at > 0 && IsContinuation(s[at])) {
        --at;
    }
    return at;
}

std::string Utf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

HFONT FontOf(const EditState& state) {
    return state.font != nullptr ? state.font
                                 : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int TextWidth(HWND hwnd, const EditState& state, const std::string& text, std::size_t bytes) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, FontOf(state));
    SIZE size{};
    GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(bytes), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return size.cx;
}

RECT TextArea(HWND hwnd, const EditState& state) {
    RECT r;
    GetClientRect(hwnd, &r);
    const int inset = (state.bordered ? Border : 0) + Margin;
    InflateRect(&r, -inset, state.bordered ? -Border : 0);
    return r;
}

// Where the text starts, before scrolling: centred or right-aligned text
// keeps its place while it fits.
int TextOrigin(HWND hwnd, const EditState& state, int textWidth) {
    const RECT area = TextArea(hwnd, state);
    const int room = area.right - area.left;
    const DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    if (textWidth < room && (style & ES_CENTER)) {
        return area.left + (room - textWidth) / 2;
    }
    if (textWidth < room && (style & ES_RIGHT)) {
        return area.right - textWidth - 1;
    }
    return area.left;
}

void ScrollCaretIntoView(HWND hwnd, EditState& state) {
    const std::string text = TextOf(hwnd);
    const RECT area = TextArea(hwnd, state);
    const int room = std::max(1L, static_cast<long>(area.right - area.left - 1));
    const int caretX = TextWidth(hwnd, state, text, state.caret);
    const int total = TextWidth(hwnd, state, text, text.size());
    if (caretX - state.scroll > room) {
        state.scroll = caretX - room;
    } else if (caretX < state.scroll) {
        state.scroll = std::max(0, caretX - room / 3);
    }
    state.scroll = std::max(0, std::min(state.scroll, std::max(0, total - room)));
    InvalidateRect(hwnd, nullptr, TRUE);
    NotifyWinEvent(EVENT_OBJECT_LOCATIONCHANGE, hwnd, OBJID_CARET, CHILDID_SELF);
    NotifyWinEvent(EVENT_OBJECT_TEXTSELECTIONCHANGED, hwnd, OBJID_CLIENT, CHILDID_SELF);
}

void Notify(HWND hwnd, WORD code) {
    if (HWND parent = GetParent(hwnd)) {
        SendMessage(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code),
                    reinterpret_cast<LPARAM>(hwnd));
    }
}

std::pair<std::size_t, std::size_t> Selection(const EditState& state) {
    return std::minmax(state.caret, state.anchor);
}

// Replaces the selection with text (within the length limit).
void ReplaceSelection(HWND hwnd, EditState& state, std::string insert) {
    std::string text = TextOf(hwnd);
    const auto [from, to] = Selection(state);
    const std::size_t room = state.limit - std::min(state.limit, text.size() - (to - from));
    if (insert.size() > room) {
        insert.resize(room);
        while (!insert.empty() && IsContinuation(insert.back())) {
            insert.pop_back();
        }
        MessageBeep(0);
    }
    text.replace(from, to - from, insert);
    StoreText(hwnd, text);
    state.caret = state.anchor = from + insert.size();
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, hwnd, OBJID_CLIENT, CHILDID_SELF);
    ScrollCaretIntoView(hwnd, state);
    Notify(hwnd, EN_CHANGE);
}

void CopySelection(HWND hwnd, const EditState& state) {
    const auto [from, to] = Selection(state);
    if (from == to || !OpenClipboard(hwnd)) {
        return;
    }
    const std::string part = TextOf(hwnd).substr(from, to - from);
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, part.size() + 1);
    std::memcpy(GlobalLock(block), part.c_str(), part.size() + 1);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
}

void Paste(HWND hwnd, EditState& state) {
    if (state.readOnly || !OpenClipboard(hwnd)) {
        return;
    }
    std::string text;
    if (HANDLE block = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(block));
        GlobalUnlock(block);
    }
    CloseClipboard();
    // One line: the text up to the first line break.
    text = text.substr(0, text.find_first_of("\r\n"));
    ReplaceSelection(hwnd, state, text);
}

// The character boundary nearest to x.
std::size_t OffsetAt(HWND hwnd, const EditState& state, int x) {
    const std::string text = TextOf(hwnd);
    const int origin = TextOrigin(hwnd, state, TextWidth(hwnd, state, text, text.size()));
    const int target = x - origin + state.scroll;
    std::size_t best = 0;
    int bestDistance = std::abs(target);
    for (std::size_t at = NextBoundary(text, 0); at > 0; at = NextBoundary(text, at)) {
        const int distance = std::abs(TextWidth(hwnd, state, text, at) - target);
        if (distance < bestDistance) {
            best = at;
            bestDistance = distance;
        }
        if (at == text.size()) {
            break;
        }
    }
    return best;
}

void MoveCaret(HWND hwnd, EditState& state, std::size_t to, bool extend) {
    state.caret = to;
    if (!extend) {
        state.anchor = to;
    }
    ScrollCaretIntoView(hwnd, state);
}

LRESULT OnNcCreate(HWND hwnd, LPARAM lParam) {
    EditState& state = StateOf(hwnd);
    const DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLong(hwnd, GWL_EXSTYLE));
    state.readOnly = (style & ES_READONLY) != 0;
    state.bordered = (style & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE);
    if (state.bordered) {
        SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(style & ~WS_BORDER));
        SetWindowLong(hwnd, GWL_EXSTYLE, static_cast<LONG>(exStyle & ~WS_EX_CLIENTEDGE));
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
    StoreText(hwnd, cs != nullptr && cs->lpszName != nullptr ? cs->lpszName : "");
    return TRUE;
}

LRESULT OnChar(HWND hwnd, EditState& state, WPARAM ch) {
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
    if (ch == '\b') {
        if (state.readOnly) {
            MessageBeep(0);
            return 0;
        }
        if (state.caret == state.anchor) {
            state.anchor = PrevBoundary(TextOf(hwnd), state.caret);
        }
        ReplaceSelection(hwnd, state, "");
        return 0;
    }
    // Control characters and Ctrl+letter are commands (taken at the key press), not text.
    if (ch < 0x20 || ch == 0x7F || (control && !alt)) {
        return 0;
    }
    if (state.readOnly) {
        MessageBeep(0);
        return 0;
    }
    ReplaceSelection(hwnd, state, Utf8(static_cast<char32_t>(ch)));
    return 0;
}

// Ctrl+A, Ctrl+C, Ctrl+V and Ctrl+X, whatever character the keyboard made of them.
bool OnControlKey(HWND hwnd, EditState& state, WPARAM key) {
    switch (key) {
    case 'A':
        state.anchor = 0;
        MoveCaret(hwnd, state, TextOf(hwnd).size(), true);
        return true;
    case 'C':
        CopySelection(hwnd, state);
        return true;
    case 'V':
        Paste(hwnd, state);
        return true;
    case 'X':
        if (!state.readOnly) {
            CopySelection(hwnd, state);
            ReplaceSelection(hwnd, state, "");
        }
        return true;
    default:
        return false;
    }
}

LRESULT OnKeyDown(HWND hwnd, EditState& state, WPARAM key) {
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (control && !(GetKeyState(VK_MENU) & 0x8000) && OnControlKey(hwnd, state, key)) {
        return 0;
    }
    const std::string text = TextOf(hwnd);
    switch (key) {
    case VK_LEFT:
        if (!shift && state.caret != state.anchor) {
            MoveCaret(hwnd, state, Selection(state).first, false);
        } else {
            MoveCaret(hwnd, state, PrevBoundary(text, state.caret), shift);
        }
        return 0;
    case VK_RIGHT:
        if (!shift && state.caret != state.anchor) {
            MoveCaret(hwnd, state, Selection(state).second, false);
        } else {
            MoveCaret(hwnd, state, NextBoundary(text, state.caret), shift);
        }
        return 0;
    case VK_HOME:
        MoveCaret(hwnd, state, 0, shift);
        return 0;
    case VK_END:
        MoveCaret(hwnd, state, text.size(), shift);
        return 0;
    case VK_DELETE:
        if (state.readOnly) {
            return 0;
        }
        if (shift) {
            CopySelection(hwnd, state);
        } else if (state.caret == state.anchor) {
            state.anchor = NextBoundary(text, state.caret);
        }
        ReplaceSelection(hwnd, state, "");
        return 0;
    case VK_INSERT:
        if (GetKeyState(VK_CONTROL) & 0x8000) {
            CopySelection(hwnd, state);
        } else if (shift) {
            Paste(hwnd, state);
        }
        return 0;
    default:
        return 0;
    }
}

LRESULT OnSetSel(HWND hwnd, EditState& state, WPARAM wParam, LPARAM lParam) {
    const std::string text = TextOf(hwnd);
    const auto start = static_cast<INT_PTR>(wParam);
    const auto end = static_cast<INT_PTR>(lParam);
    const auto clamp = [&text](INT_PTR v) {
        return v < 0 ? text.size() : std::min(static_cast<std::size_t>(v), text.size());
    };
    if (start == -1) {
        state.anchor = state.caret;
    } else {
        state.anchor = clamp(start);
        state.caret = end == -1 ? text.size() : clamp(end);
    }
    ScrollCaretIntoView(hwnd, state);
    return 0;
}

LRESULT OnGetSel(const EditState& state, WPARAM wParam, LPARAM lParam) {
    const auto [from, to] = Selection(state);
    if (wParam != 0) {
        *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(from);
    }
    if (lParam != 0) {
        *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(to);
    }
    return static_cast<LRESULT>(MAKELONG(static_cast<DWORD>(from), static_cast<DWORD>(to)));
}

void PaintText(HWND hwnd, HDC dc, const EditState& state, COLORREF textColor) {
    const std::string text = TextOf(hwnd);
    const RECT area = TextArea(hwnd, state);
    HGDIOBJ old = SelectObject(dc, FontOf(state));
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    const int total = TextWidth(hwnd, state, text, text.size());
    const int x = TextOrigin(hwnd, state, total) - state.scroll;
    const int y = area.top + std::max(0, (area.bottom - area.top - tm.tmHeight) / 2);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColor);
    TextOut(dc, x, y, text.c_str(), static_cast<int>(text.size()));
    const auto [from, to] = Selection(state);
    if (state.focused && from != to) {
        const int left = x + TextWidth(hwnd, state, text, from);
        const int right = x + TextWidth(hwnd, state, text, to);
        const RECT band{left, y, right, y + tm.tmHeight};
        FillRect(dc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        const std::string part = text.substr(from, to - from);
        TextOut(dc, left, y, part.c_str(), static_cast<int>(part.size()));
    }
    if (state.focused) {
        const int caretX = x + TextWidth(hwnd, state, text, state.caret);
        const RECT caret{caretX, y, caretX + 1, y + tm.tmHeight};
        FillRect(dc, &caret, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    SelectObject(dc, old);
}

LRESULT OnPaint(HWND hwnd, const EditState& state) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    const bool grey = state.readOnly || !IsWindowEnabled(hwnd);
    HWND parent = GetParent(hwnd);
    HBRUSH brush = parent != nullptr
                       ? reinterpret_cast<HBRUSH>(SendMessage(
                             parent, grey ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                             reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)))
                       : nullptr;
    if (brush == nullptr) {
        brush = GetSysColorBrush(grey ? COLOR_BTNFACE : COLOR_WINDOW);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    }
    FillRect(dc, &client, brush);
    if (state.bordered) {
        DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT);
    }
    PaintText(hwnd, dc, state,
              IsWindowEnabled(hwnd) ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT));
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT OnFocus(HWND hwnd, EditState& state, bool focused) {
    state.focused = focused;
    InvalidateRect(hwnd, nullptr, TRUE);
    Notify(hwnd, focused ? EN_SETFOCUS : EN_KILLFOCUS);
    return 0;
}

LRESULT OnMouse(HWND hwnd, EditState& state, UINT message, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    switch (message) {
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        SetCapture(hwnd);
        state.dragging = true;
        MoveCaret(hwnd, state, OffsetAt(hwnd, state, x), (GetKeyState(VK_SHIFT) & 0x8000) != 0);
        return 0;
    case WM_MOUSEMOVE:
        if (state.dragging) {
            MoveCaret(hwnd, state, OffsetAt(hwnd, state, x), true);
        }
        return 0;
    case WM_LBUTTONUP:
        if (state.dragging) {
            state.dragging = false;
            ReleaseCapture();
        }
        return 0;
    default:
        return 0;
    }
}

LRESULT OnSetText(HWND hwnd, EditState& state, LPARAM lParam) {
    StoreText(hwnd, lParam != 0 ? reinterpret_cast<LPCSTR>(lParam) : "");
    state.caret = state.anchor = 0;
    state.scroll = 0;
    InvalidateRect(hwnd, nullptr, TRUE);
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, hwnd, OBJID_CLIENT, CHILDID_SELF);
    return TRUE;
}

std::unique_ptr<IAccessibleObject> MakeEditObject(HWND hwnd) {
    return std::make_unique<CEditAccessible>(hwnd);
}

} // namespace

std::size_t EditCaret(HWND edit) {
    return StateOf(edit).caret;
}

bool EditIsReadOnly(HWND edit) {
    return StateOf(edit).readOnly;
}

LRESULT EditWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        return OnNcCreate(hwnd, lParam);
    }
    if (message == WM_NCDESTROY) {
        States().erase(hwnd);
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    EditState& state = StateOf(hwnd);
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_GETOBJECT:
        return AnswerGetObject(hwnd, lParam, MakeEditObject);
    case WM_SETTEXT:
        return OnSetText(hwnd, state, lParam);
    case WM_CHAR:
        return OnChar(hwnd, state, wParam);
    case WM_KEYDOWN:
        return OnKeyDown(hwnd, state, wParam);
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        return OnMouse(hwnd, state, message, lParam);
    case WM_SETFOCUS:
        return OnFocus(hwnd, state, true);
    case WM_KILLFOCUS:
        return OnFocus(hwnd, state, false);
    case WM_SETFONT:
        state.font = kwin::AcceptControlFont(hwnd, wParam, lParam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state.font);
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return OnPaint(hwnd, state);
    case WM_SIZE:
        ScrollCaretIntoView(hwnd, state);
        return 0;
    case EM_SETSEL:
        return OnSetSel(hwnd, state, wParam, lParam);
    case EM_GETSEL:
        return OnGetSel(state, wParam, lParam);
    case EM_REPLACESEL:
        ReplaceSelection(hwnd, state, lParam != 0 ? reinterpret_cast<LPCSTR>(lParam) : "");
        return 0;
    case EM_SETLIMITTEXT:
        state.limit = wParam == 0 ? 0x7FFFFFFE : static_cast<std::size_t>(wParam);
        return 0;
    case EM_GETLIMITTEXT:
        return static_cast<LRESULT>(state.limit);
    case EM_SETREADONLY:
        state.readOnly = wParam != 0;
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    case WM_COPY:
        CopySelection(hwnd, state);
        return 0;
    case WM_CUT:
        CopySelection(hwnd, state);
        [[fallthrough]];
    case WM_CLEAR:
        if (!state.readOnly) {
            ReplaceSelection(hwnd, state, "");
        }
        return 0;
    case WM_PASTE:
        Paste(hwnd, state);
        return 0;
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

} // namespace kwin
