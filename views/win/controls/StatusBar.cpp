// The status bar "msctls_statusbar32": panes given by their right edges,
// each with a text (a leading tab centres it, a second one right-aligns it),
// docked along its parent's bottom edge whenever it is sized, with a size
// grip when asked for.

#include "views/win/accessibility/internal/WindowObjects.h"
#include "views/win/api/WinDialog.h"
#include "views/win/api/WinGdi.h"
#include "views/win/api/WinUser.h"
#include "views/win/controls/CStatusBarAccessible.h"
#include "views/win/controls/internal/ControlFont.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace kwin {
namespace {

constexpr int HorizontalBorder = 0;
constexpr int VerticalBorder = 2;
constexpr int PartSpacing = 2;
constexpr int TextPadding = 3;
constexpr int MaxParts = 256;

struct Part {
    int right = -1;
    std::string text;
    UINT type = 0;
};

struct StatusState {
    std::vector<Part> parts{Part{}};
    HFONT font = nullptr;
    bool ownsFont = false;
    int minHeight = 0;
    bool docking = false;
};

std::map<HWND, StatusState>& States() {
    static std::map<HWND, StatusState> states;
    return states;
}

bool HasGrip(HWND hwnd) {
    return (static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)) & SBARS_SIZEGRIP) != 0;
}

int BarHeight(HWND hwnd, const StatusState& state) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, state.font);
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return std::max<int>(tm.tmHeight + 2 * VerticalBorder + 3, state.minHeight);
}

void Dock(HWND hwnd, StatusState& state) {
    HWND parent = GetParent(hwnd);
    if (parent == nullptr || state.docking) {
        return;
    }
    RECT area;
    GetClientRect(parent, &area);
    const int height = BarHeight(hwnd, state);
    RECT now;
    GetWindowRect(hwnd, &now);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&now), 2);
    const RECT wanted{0, area.bottom - height, area.right, area.bottom};
    if (EqualRect(&now, &wanted)) {
        return;
    }
    state.docking = true;
    MoveWindow(hwnd, wanted.left, wanted.top, wanted.right - wanted.left, height, TRUE);
    state.docking = false;
}

RECT PartRect(HWND hwnd, const StatusState& state, std::size_t index) {
    RECT client;
    GetClientRect(hwnd, &client);
    const int left = index == 0 ? HorizontalBorder : state.parts[index - 1].right + PartSpacing;
    const int edge = state.parts[index].right;
    const int right = edge < 0 ? client.right : std::min<int>(edge, client.right);
    return RECT{left, VerticalBorder, std::max(left, right), client.bottom - VerticalBorder};
}

// A leading tab centres the rest, two right-align it.
UINT Alignment(std::string& text) {
    if (text.rfind("\t\t", 0) == 0) {
        text.erase(0, 2);
        return DT_RIGHT;
    }
    if (text.rfind('\t', 0) == 0) {
        text.erase(0, 1);
        return DT_CENTER;
    }
    return DT_LEFT;
}

void PaintGrip(HDC dc, const RECT& client) {
    const int size = GetSystemMetrics(SM_CXVSCROLL);
    HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    HPEN dark = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ old = SelectObject(dc, dark);
    for (int d = 3; d < size - 2; d += 4) {
        for (int k = 0; k < 2; ++k) {
            SelectObject(dc, k == 0 ? dark : light);
            MoveToEx(dc, client.right - 1, client.bottom - 1 - d - k, nullptr);
            LineTo(dc, client.right - 1 - d - k, client.bottom - 1);
        }
    }
    SelectObject(dc, old);
    DeleteObject(light);
    DeleteObject(dark);
}

LRESULT OnPaint(HWND hwnd, const StatusState& state) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ old = SelectObject(dc, state.font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    for (std::size_t i = 0; i < state.parts.size(); ++i) {
        RECT r = PartRect(hwnd, state, i);
        if (!(state.parts[i].type & SBT_NOBORDERS)) {
            DrawEdge(dc, &r, (state.parts[i].type & SBT_POPOUT) ? BDR_RAISEDINNER : BDR_SUNKENOUTER,
                     BF_RECT);
        }
        std::string text = state.parts[i].text;
        const UINT align = Alignment(text);
        InflateRect(&r, -TextPadding, -1);
        DrawText(dc, text.c_str(), -1, &r,
                 align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
    }
    SelectObject(dc, old);
    if (HasGrip(hwnd)) {
        PaintGrip(dc, client);
    }
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT OnSetParts(HWND hwnd, StatusState& state, WPARAM count, LPARAM edges) {
    if (count == 0 || count > MaxParts || edges == 0) {
        return FALSE;
    }
    const auto* rights = reinterpret_cast<const int*>(edges);
    state.parts.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        state.parts[i].right = rights[i];
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    NotifyWinEvent(EVENT_OBJECT_REORDER, hwnd, OBJID_CLIENT, CHILDID_SELF);
    return TRUE;
}

LRESULT OnGetParts(const StatusState& state, WPARAM count, LPARAM edges) {
    if (edges != 0) {
        auto* rights = reinterpret_cast<int*>(edges);
        const std::size_t n = std::min<std::size_t>(count, state.parts.size());
        for (std::size_t i = 0; i < n; ++i) {
            rights[i] = state.parts[i].right;
        }
    }
    return static_cast<LRESULT>(state.parts.size());
}

LRESULT OnSetText(HWND hwnd, StatusState& state, WPARAM wParam, LPARAM lParam) {
    const std::size_t index = LOBYTE(wParam);
    if (index >= state.parts.size()) {
        return FALSE;
    }
    Part& part = state.parts[index];
    part.text = lParam != 0 ? reinterpret_cast<LPCSTR>(lParam) : "";
    part.type = static_cast<UINT>(wParam) & 0xFF00;
    RECT r = PartRect(hwnd, state, index);
    InvalidateRect(hwnd, &r, TRUE);
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hwnd, OBJID_CLIENT, static_cast<LONG>(index + 1));
    return TRUE;
}

std::unique_ptr<IAccessibleObject> MakeStatusBarObject(HWND hwnd) {
    return std::make_unique<CStatusBarAccessible>(hwnd);
}

LRESULT OnGetText(const StatusState& state, WPARAM wParam, LPARAM lParam, bool copy) {
    const std::size_t index = LOBYTE(wParam);
    if (index >= state.parts.size()) {
        return 0;
    }
    const Part& part = state.parts[index];
    if (copy && lParam != 0) {
        std::memcpy(reinterpret_cast<char*>(lParam), part.text.c_str(), part.text.size() + 1);
    }
    return MAKELRESULT(static_cast<DWORD>(part.text.size()), part.type);
}

LRESULT OnGetRect(HWND hwnd, const StatusState& state, WPARAM index, LPARAM rect) {
    if (index >= state.parts.size() || rect == 0) {
        return FALSE;
    }
    *reinterpret_cast<RECT*>(rect) = PartRect(hwnd, state, index);
    return TRUE;
}

LRESULT OnCreate(HWND hwnd, StatusState& state) {
    NONCLIENTMETRICS metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    state.font = CreateFontIndirect(&metrics.lfStatusFont);
    state.ownsFont = true;
    const int length = GetWindowTextLength(hwnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowText(hwnd, text.data(), length + 1);
    state.parts.front().text = text.c_str();
    Dock(hwnd, state);
    return 0;
}

void Forget(HWND hwnd) {
    const auto it = States().find(hwnd);
    if (it != States().end() && it->second.ownsFont) {
        DeleteObject(it->second.font);
    }
    States().erase(hwnd);
}

} // namespace

LRESULT StatusBarWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        Forget(hwnd);
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    StatusState& state = States()[hwnd];
    switch (message) {
    case WM_CREATE:
        return OnCreate(hwnd, state);
    case WM_SIZE:
        Dock(hwnd, state);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return OnPaint(hwnd, state);
    case WM_SETFONT:
        if (state.ownsFont) {
            DeleteObject(state.font);
        }
        state.font = kwin::AcceptControlFont(hwnd, wParam, lParam);
        state.ownsFont = false;
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state.font);
    case WM_SETTEXT:
        DefWindowProc(hwnd, message, wParam, lParam);
        return OnSetText(hwnd, state, 0, lParam);
    case SB_SETPARTS:
        return OnSetParts(hwnd, state, wParam, lParam);
    case SB_GETPARTS:
        return OnGetParts(state, wParam, lParam);
    case SB_SETTEXT:
        return OnSetText(hwnd, state, wParam, lParam);
    case SB_GETTEXT:
        return OnGetText(state, wParam, lParam, true);
    case SB_GETTEXTLENGTH:
        return OnGetText(state, wParam, lParam, false);
    case SB_GETBORDERS: {
        auto* borders = reinterpret_cast<int*>(lParam);
        if (borders == nullptr) {
            return FALSE;
        }
        borders[0] = HorizontalBorder;
        borders[1] = VerticalBorder;
        borders[2] = PartSpacing;
        return TRUE;
    }
    case SB_SETMINHEIGHT:
        state.minHeight = static_cast<int>(wParam);
        return 0;
    case SB_GETRECT:
        return OnGetRect(hwnd, state, wParam, lParam);
    case WM_GETOBJECT:
        return AnswerGetObject(hwnd, lParam, MakeStatusBarObject);
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

} // namespace kwin
