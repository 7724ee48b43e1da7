// A window's rectangles and the mapping between its client coordinates,
// other windows' and the screen's.

#include "views/win/api/WinKernel.h"
#include "views/win/api/WinUser.h"
#include "views/win/core/internal/WindowTable.h"

using namespace kwin;

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
    const auto w = FindWindowObject(hwnd);
    if (!w || rect == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    *rect = ClientRectOf(*w);
    return TRUE;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
    const auto w = FindWindowObject(hwnd);
    if (!w || rect == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    *rect = w->rect;
    if (w->parent != nullptr) {
        if (const auto p = FindWindowObject(w->parent)) {
            const POINT origin = ClientOriginOnScreen(*p);
            OffsetRect(rect, origin.x, origin.y);
        }
    }
    return TRUE;
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
    if (rect == nullptr) {
        return FALSE;
    }
    Window probe;
    probe.style = style;
    probe.exStyle = exStyle;
    probe.menu = menu ? reinterpret_cast<HMENU>(1) : nullptr;
    const RECT in = NonClientInsets(probe);
    rect->left -= in.left;
    rect->top -= in.top;
    rect->right += in.right;
    rect->bottom += in.bottom;
    return TRUE;
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) {
    return AdjustWindowRectEx(rect, style, menu, 0);
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point) {
    const auto w = FindWindowObject(hwnd);
    if (!w || point == nullptr) {
        return FALSE;
    }
    const POINT origin = ClientOriginOnScreen(*w);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point) {
    const auto w = FindWindowObject(hwnd);
    if (!w || point == nullptr) {
        return FALSE;
    }
    const POINT origin = ClientOriginOnScreen(*w);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
    POINT a{0, 0};
    POINT b{0, 0};
    if (from != nullptr) {
        const auto w = FindWindowObject(from);
        if (!w) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        a = ClientOriginOnScreen(*w);
    }
    if (to != nullptr) {
        const auto w = FindWindowObject(to);
        if (!w) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        b = ClientOriginOnScreen(*w);
    }
    const LONG dx = a.x - b.x;
    const LONG dy = a.y - b.y;
    for (UINT i = 0; i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    SetLastError(0);
    return static_cast<int>(MAKELONG(static_cast<WORD>(static_cast<SHORT>(dx)),
                                     static_cast<WORD>(static_cast<SHORT>(dy))));
}
