// Invalidation and the paint cycle: the update rectangle of every window with
// a surface, WM_PAINT through BeginPaint/EndPaint, and window DCs. Windows
// without a surface (message-only ones) have nothing to update.

#include "views/win/api/WinGdi.h"
#include "views/win/api/WinKernel.h"
#include "views/win/api/WinUser.h"
#include "views/win/core/internal/WindowTable.h"
#include "views/win/gdi/internal/GdiObjects.h"

using namespace kwin;

namespace {

void Flush(HWND hwnd, const RECT& dirty) {
    const auto w = FindWindowObject(hwnd);
    if (!w || IsRectEmpty(&dirty)) {
        return;
    }
    w->pixelsFromPeer = false;
    if (w->peer) {
        w->peer->Flush(dirty);
    }
}

} // namespace

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    if (hwnd == nullptr) {
        for (HWND top : TopLevelWindows()) {
            InvalidateRect(top, nullptr, erase);
        }
        return TRUE;
    }
    const auto w = FindWindowObject(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (!w->drawable) {
        return TRUE;
    }
    const RECT client = ClientRectOf(*w);
    RECT r = client;
    if (rect != nullptr && !IntersectRect(&r, rect, &client)) {
        return TRUE;
    }
    if (IsRectEmpty(&w->update)) {
        w->update = r;
    } else {
        UnionRect(&w->update, &w->update, &r);
    }
    if (erase) {
        w->erasePending = true;
    }
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    const auto w = FindWindowObject(hwnd);
    if (!w) {
        return FALSE;
    }
    if (rect == nullptr) {
        SetRectEmpty(&w->update);
        w->erasePending = false;
        return TRUE;
    }
    RECT inter;
    if (IntersectRect(&inter, rect, &w->update) && EqualRect(&inter, &w->update)) {
        SetRectEmpty(&w->update);
        w->erasePending = false;
    }
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase) {
    const auto w = FindWindowObject(hwnd);
    if (!w) {
        return FALSE;
    }
    if (rect != nullptr) {
        *rect = w->update;
    }
    const bool pending = !IsRectEmpty(&w->update);
    if (erase && pending && w->erasePending) {
        HDC hdc = GetDC(hwnd);
        w->erasePending = SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) == 0;
        ReleaseDC(hwnd, hdc);
    }
    return pending ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND hwnd) {
    const auto w = FindWindowObject(hwnd);
    if (!w) {
        return FALSE;
    }
    if (w->drawable && (!IsRectEmpty(&w->update) || w->internalPaint) && IsWindowVisible(hwnd)) {
        SendMessage(hwnd, WM_PAINT, 0, 0);
    }
    return TRUE;
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags) {
    const auto w = FindWindowObject(hwnd);
    if (!w) {
        return FALSE;
    }
    RECT r{};
    const RECT* area = rect;
    if (area == nullptr && region != nullptr) {
        GetRgnBox(region, &r);
        area = &r;
    }
    if (flags & RDW_INVALIDATE) {
        InvalidateRect(hwnd, area, (flags & RDW_ERASE) ? TRUE : FALSE);
    }
    if (flags & RDW_INTERNALPAINT) {
        w->internalPaint = true;
    }
    if (flags & RDW_VALIDATE) {
        ValidateRect(hwnd, area);
    }
    if (flags & RDW_ALLCHILDREN) {
        const std::vector<HWND> children = w->children;
        for (HWND child : children) {
            RedrawWindow(child, nullptr, nullptr, flags);
        }
    }
    if (flags & RDW_UPDATENOW) {
        UpdateWindow(hwnd);
    }
    return TRUE;
}

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint) {
    const auto w = FindWindowObject(hwnd);
    if (!w || paint == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    *paint = PAINTSTRUCT{};
    RECT update = w->update;
    const bool erase = w->erasePending;
    SetRectEmpty(&w->update);
    w->erasePending = false;
    w->internalPaint = false;
    paint->rcPaint = update;
    paint->hdc = CreateWindowDeviceContext(hwnd, WindowPixels(*w), &update);
    paint->fErase = TRUE;
    if (erase && !IsRectEmpty(&update)) {
        paint->fErase = SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paint->hdc), 0)
                            ? FALSE
                            : TRUE;
    }
    return paint->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
    if (paint == nullptr) {
        return FALSE;
    }
    DestroyWindowDeviceContext(paint->hdc);
    Flush(hwnd, paint->rcPaint);
    return TRUE;
}

HDC GetDC(HWND hwnd) {
    if (hwnd == nullptr) {
        return CreateWindowDeviceContext(nullptr, nullptr, nullptr); // the screen
    }
    const auto w = FindWindowObject(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    return CreateWindowDeviceContext(hwnd, WindowPixels(*w), nullptr);
}

HDC GetWindowDC(HWND hwnd) {
    return GetDC(hwnd);
}

int ReleaseDC(HWND hwnd, HDC hdc) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || dc->memory) {
        return 0;
    }
    const RECT dirty = DestroyWindowDeviceContext(hdc);
    Flush(hwnd, dirty);
    // A DC that only measured or read leaves the pixels with the peer.
    if (const auto w = FindWindowObject(hwnd)) {
        LetGoOfUnchangedPixels(*w);
    }
    return 1;
}

HWND WindowFromDC(HDC hdc) {
    DeviceContext* dc = FindDeviceContext(hdc);
    return dc == nullptr ? nullptr : dc->window;
}
