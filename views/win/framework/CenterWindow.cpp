#include "views/win/framework/CenterWindow.h"

namespace {

bool IsUsableReference(HWND reference) {
    const DWORD style = static_cast<DWORD>(GetWindowLong(reference, GWL_STYLE));
    return (style & WS_VISIBLE) && !(style & WS_MINIMIZE);
}

// Moves start so that [start, start + size) lies in [low, high), the far
// edge first, so a window larger than the area starts on its near edge.
LONG KeepInside(LONG start, LONG size, LONG low, LONG high) {
    if (start + size > high) {
        start = high - size;
    }
    if (start < low) {
        start = low;
    }
    return start;
}

} // namespace

BOOL CenterWindow(HWND hwnd, HWND reference) {
    const DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    const bool child = (style & WS_CHILD) != 0;
    if (reference == nullptr) {
        reference = child ? GetParent(hwnd) : GetWindow(hwnd, GW_OWNER);
    }
    RECT window;
    GetWindowRect(hwnd, &window);
    RECT area;
    RECT centre;
    if (!child) {
        if (reference != nullptr && !IsUsableReference(reference)) {
            reference = nullptr;
        }
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        if (!GetMonitorInfo(MonitorFromWindow(reference != nullptr ? reference : hwnd,
                                              MONITOR_DEFAULTTONEAREST),
                            &info)) {
            return FALSE;
        }
        area = info.rcWork;
        if (reference == nullptr) {
            centre = area;
        } else {
            GetWindowRect(reference, &centre);
        }
    } else {
        const HWND parent = GetParent(hwnd);
        GetClientRect(parent, &area);
        GetClientRect(reference, &centre);
        MapWindowPoints(reference, parent, reinterpret_cast<POINT*>(&centre), 2);
    }
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    const LONG left =
        KeepInside((centre.left + centre.right) / 2 - width / 2, width, area.left, area.right);
    const LONG top =
        KeepInside((centre.top + centre.bottom) / 2 - height / 2, height, area.top, area.bottom);
    return SetWindowPos(hwnd, nullptr, left, top, -1, -1,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
