// Where a window is and how it shows: showing, hiding, minimizing, moving,
// sizing and the Z order.

#include "views/win/api/WinKernel.h"
#include "views/win/api/WinUser.h"
#include "views/win/core/internal/InputState.h"
#include "views/win/core/internal/WindowTable.h"

#include <algorithm>

using namespace kwin;

namespace kwin {

void ApplyPeerGeometry(const Window& w) {
    if (!w.peer) {
        return;
    }
    const RECT in = NonClientInsets(w);
    RECT client = ClientRectOf(w);
    const LONG left = w.rect.left + in.left;
    const LONG top = w.rect.top + in.top;
    OffsetRect(&client, left, top);
    w.peer->SetClientGeometry(client);
}

} // namespace kwin

BOOL IsWindowVisible(HWND hwnd) {
    return IsVisibleChain(hwnd) ? TRUE : FALSE;
}

BOOL IsIconic(HWND hwnd) {
    const auto w = FindWindowObject(hwnd);
    return w && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
    const auto w = FindWindowObject(hwnd);
    return w && (w->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL ShowWindow(HWND hwnd, int command) {
    const auto w = FindWindowObject(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    const BOOL wasVisible = (w->style & WS_VISIBLE) ? TRUE : FALSE;
    const bool show = command != SW_HIDE;
    if (show != static_cast<bool>(wasVisible)) {
        SendMessage(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        if (!IsWindow(hwnd)) {
            return wasVisible;
        }
        if (show) {
            w->style |= WS_VISIBLE;
        } else {
            w->style &= ~WS_VISIBLE;
        }
        if (w->peer) {
            const bool activates = command != SW_SHOWNOACTIVATE && command != SW_SHOWNA &&
                                   command != SW_SHOWMINNOACTIVE;
            w->peer->SetVisible(show, activates);
        }
        if (show) {
            InvalidateRect(hwnd, nullptr, TRUE);
        } else {
            ForgetInputWindow(hwnd);
        }
    }
    const bool minimize =
        command == SW_MINIMIZE || command == SW_SHOWMINIMIZED || command == SW_SHOWMINNOACTIVE;
    const bool restore =
        command == SW_RESTORE || command == SW_SHOWNORMAL || command == SW_SHOWDEFAULT;
    if (minimize && !(w->style & WS_MINIMIZE)) {
        w->style |= WS_MINIMIZE;
        SendMessage(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
    } else if (restore && (w->style & (WS_MINIMIZE | WS_MAXIMIZE))) {
        w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
        const RECT client = ClientRectOf(*w);
        SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    }
    const bool activate = show && command != SW_SHOWNOACTIVATE && command != SW_SHOWNA &&
                          command != SW_SHOWMINNOACTIVE && !minimize;
    if (activate && IsWindow(hwnd) && w->parent == nullptr && !w->messageOnly) {
        SetActiveWindow(hwnd);
    }
    return wasVisible;
}

namespace {

// The position asked for, with what SWP_NOMOVE and SWP_NOSIZE keep filled in.
WINDOWPOS RequestedPosition(const Window& w, HWND insertAfter, int x, int y, int cx, int cy,
                            UINT flags) {
    WINDOWPOS pos{w.handle, insertAfter, x, y, cx, cy, flags};
    if (flags & SWP_NOMOVE) {
        pos.x = w.rect.left;
        pos.y = w.rect.top;
    }
    if (flags & SWP_NOSIZE) {
        pos.cx = w.rect.right - w.rect.left;
        pos.cy = w.rect.bottom - w.rect.top;
    }
    return pos;
}

// Moves a child within its siblings: the front of the list is the top.
void Restack(const Window& w, HWND insertAfter) {
    const auto p = FindWindowObject(w.parent);
    if (!p) {
        return;
    }
    auto& list = p->children;
    list.erase(std::remove(list.begin(), list.end(), w.handle), list.end());
    if (insertAfter == HWND_BOTTOM) {
        list.push_back(w.handle);
    } else if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST ||
               insertAfter == HWND_NOTOPMOST) {
        list.insert(list.begin(), w.handle);
    } else {
        auto it = std::find(list.begin(), list.end(), insertAfter);
        list.insert(it == list.end() ? list.begin() : it + 1, w.handle);
    }
}

void ApplyZOrder(const Window& w, const WINDOWPOS& pos) {
    if (pos.flags & SWP_NOZORDER) {
        return;
    }
    if (w.parent != nullptr) {
        Restack(w, pos.hwndInsertAfter);
    }
    if (w.peer && pos.hwndInsertAfter == HWND_TOP) {
        w.peer->Raise();
    }
}

// SWP_SHOWWINDOW and SWP_HIDEWINDOW.
void ApplyShowFlags(Window& w, UINT flags) {
    if ((flags & SWP_SHOWWINDOW) && !(w.style & WS_VISIBLE)) {
        w.style |= WS_VISIBLE;
        if (w.peer) {
            w.peer->SetVisible(true, !(flags & SWP_NOACTIVATE));
        }
        InvalidateRect(w.handle, nullptr, TRUE);
    } else if ((flags & SWP_HIDEWINDOW) && (w.style & WS_VISIBLE)) {
        w.style &= ~WS_VISIBLE;
        if (w.peer) {
            w.peer->SetVisible(false, false);
        }
        ForgetInputWindow(w.handle);
    }
}

} // namespace

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    const auto w = FindWindowObject(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    WINDOWPOS pos = RequestedPosition(*w, insertAfter, x, y, cx, cy, flags);
    if (!(flags & SWP_NOSENDCHANGING)) {
        SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
        if (!IsWindow(hwnd)) {
            return FALSE;
        }
    }
    pos.cx = std::max(pos.cx, 0);
    pos.cy = std::max(pos.cy, 0);
    const bool moved = pos.x != w->rect.left || pos.y != w->rect.top;
    const bool sized =
        pos.cx != w->rect.right - w->rect.left || pos.cy != w->rect.bottom - w->rect.top;
    w->rect = {pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
    ApplyZOrder(*w, pos);
    // A changed frame (menu bar, scroll bars) changes the client area in place.
    const bool frameChanged = (pos.flags & SWP_FRAMECHANGED) != 0;
    if (sized || frameChanged) {
        ResizeSurface(*w, (w->cls->style & (CS_HREDRAW | CS_VREDRAW)) != 0,
                      !(pos.flags & SWP_NOREDRAW));
    }
    if (moved || sized || frameChanged) {
        ApplyPeerGeometry(*w);
    }
    ApplyShowFlags(*w, pos.flags);
    pos.flags |= (moved ? 0 : SWP_NOMOVE) | (sized ? 0 : SWP_NOSIZE);
    if (frameChanged) {
        pos.flags &= ~SWP_NOSIZE;
    }
    SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    if (!(flags & SWP_NOACTIVATE) && IsWindow(hwnd) && w->parent == nullptr && !w->messageOnly &&
        (w->style & WS_VISIBLE)) {
        SetActiveWindow(hwnd);
    }
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    const BOOL ok = SetWindowPos(hwnd, nullptr, x, y, width, height,
                                 SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
    if (ok && repaint) {
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    return ok;
}

BOOL BringWindowToTop(HWND hwnd) {
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}
