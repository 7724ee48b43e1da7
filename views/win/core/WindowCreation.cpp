// Creating and destroying windows.

#include "views/win/api/WinKernel.h"
#include "views/win/api/WinUser.h"
#include "views/win/backend/internal/InstalledBackend.h"
#include "views/win/core/internal/InputState.h"
#include "views/win/core/internal/MessageQueue.h"
#include "views/win/core/internal/UserInterfaceHooks.h"
#include "views/win/core/internal/WindowTable.h"

#include <algorithm>
#include <optional>

using namespace kwin;

namespace {

constexpr int DefaultX = 100;
constexpr int DefaultY = 100;
constexpr int DefaultWidth = 640;
constexpr int DefaultHeight = 480;

LPARAM PointParam(LONG x, LONG y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(x)),
                      static_cast<WORD>(static_cast<SHORT>(y)));
}

// Sends WM_DESTROY to a window, then to its children, while all still exist.
void SendDestroy(HWND hwnd) {
    SendMessage(hwnd, WM_DESTROY, 0, 0);
    const auto w = FindWindowObject(hwnd);
    if (!w) {
        return;
    }
    const std::vector<HWND> children = w->children;
    for (HWND child : children) {
        if (const auto c = FindWindowObject(child)) {
            c->destroying = true;
            SendDestroy(child);
        }
    }
}

// Sends WM_NCDESTROY to the children first, then to the window, and frees it.
void FinishDestroy(HWND hwnd) {
    const auto w = FindWindowObject(hwnd);
    if (!w) {
        return;
    }
    const std::vector<HWND> children = w->children;
    for (HWND child : children) {
        FinishDestroy(child);
    }
    ForgetInputWindow(hwnd);
    ForgetWindowMessages(hwnd);
    SendMessage(hwnd, WM_NCDESTROY, 0, 0);
    if (w->parent != nullptr) {
        if (const auto p = FindWindowObject(w->parent)) {
            auto& list = p->children;
            list.erase(std::remove(list.begin(), list.end(), hwnd), list.end());
        }
    }
    if (w->menu != nullptr && !(w->style & WS_CHILD)) {
        if (const auto destroyMenu = GetUserInterfaceHooks().destroyMenu) {
            destroyMenu(w->menu); // a window's menu goes with it
        }
        w->menu = nullptr;
    }
    w->cls->windowCount--;
    w->peer.reset();
    w->accessible.reset();
    RemoveWindowObject(hwnd);
}

// The class and parent a new window asks for, or the error that refuses it.
struct CreationTarget {
    std::shared_ptr<WindowClass> cls;
    WindowPtr parent; // nullptr for a top-level or message-only window
    bool messageOnly = false;
};

std::optional<CreationTarget> FindCreationTarget(LPCSTR className, DWORD style, HWND parent) {
    CreationTarget target;
    target.cls = FindWindowClass(className);
    if (!target.cls) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return std::nullopt;
    }
    target.messageOnly = parent == HWND_MESSAGE;
    if (!target.messageOnly && parent != nullptr) {
        target.parent = FindWindowObject(parent);
        if (!target.parent) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return std::nullopt;
        }
    }
    if ((style & WS_CHILD) && parent == nullptr) {
        SetLastError(ERROR_TLW_WITH_WSCHILD);
        return std::nullopt;
    }
    return target;
}

// The outer rectangle asked for, CW_USEDEFAULT replaced.
RECT InitialRect(bool child, int x, int y, int width, int height) {
    if (x == CW_USEDEFAULT) {
        x = child ? 0 : DefaultX;
        y = child ? 0 : DefaultY;
    }
    if (width == CW_USEDEFAULT) {
        width = child ? 0 : DefaultWidth;
        height = child ? 0 : DefaultHeight;
    }
    return {x, y, x + std::max(width, 0), y + std::max(height, 0)};
}

// The window's record, not yet in the table; a child's menu handle is its id.
std::shared_ptr<Window> NewWindow(const CreationTarget& target, const CREATESTRUCT& cs) {
    auto w = std::make_shared<Window>();
    w->cls = target.cls;
    w->proc = target.cls->proc;
    w->style = static_cast<DWORD>(cs.style);
    w->exStyle = cs.dwExStyle;
    w->instance = cs.hInstance;
    w->text = cs.lpszName != nullptr ? cs.lpszName : "";
    w->extra.assign(static_cast<std::size_t>(target.cls->wndExtra), 0);
    const bool child = (cs.style & WS_CHILD) && target.parent;
    if (child) {
        w->parent = cs.hwndParent;
        w->id = reinterpret_cast<LONG_PTR>(cs.hMenu);
        w->messageOnly = target.parent->messageOnly;
    } else {
        w->owner = target.parent ? RootOf(cs.hwndParent) : nullptr;
        w->menu = cs.hMenu;
        w->messageOnly = target.messageOnly || (target.parent && target.parent->messageOnly);
    }
    w->rect = InitialRect(child, cs.x, cs.y, cs.cx, cs.cy);
    return w;
}

// A window that is not message-only gets a peer from the backend, and
// pixels at the peer's ratio, all of them to paint.
void GiveSurfaceAndPeer(Window& w) {
    if (w.messageOnly) {
        return;
    }
    if (IBackend* backend = GetBackend()) {
        w.peer = backend->CreatePeer(w.handle);
    }
    GiveSurface(w);
    w.update = ClientRectOf(w);
    w.erasePending = true;
    if (w.peer) {
        ApplyPeerGeometry(w);
        w.peer->SetText(w.text);
    }
}

// WM_NCCREATE and WM_CREATE; false when the window refused or is gone.
bool SendCreationMessages(Window& w, CREATESTRUCT& cs) {
    const HWND hwnd = w.handle;
    if (!SendMessage(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        w.destroying = true;
        FinishDestroy(hwnd);
        return false;
    }
    if (!IsWindow(hwnd)) {
        return false;
    }
    if (SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        return false;
    }
    return IsWindow(hwnd) != FALSE;
}

// The first WM_SIZE and WM_MOVE, as a created window gets them.
void AnnounceGeometry(const Window& w) {
    const RECT client = ClientRectOf(w);
    SendMessage(w.handle, WM_SIZE, SIZE_RESTORED, PointParam(client.right, client.bottom));
    const RECT in = NonClientInsets(w);
    SendMessage(w.handle, WM_MOVE, 0, PointParam(w.rect.left + in.left, w.rect.top + in.top));
}

} // namespace

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                    LPVOID param) {
    EnsureSystemClasses();
    const auto target = FindCreationTarget(className, style, parent);
    if (!target) {
        return nullptr;
    }
    CREATESTRUCT cs{param,      instance,  menu,
                    parent,     height,    width,
                    y,          x,         static_cast<LONG>(style & ~WS_VISIBLE),
                    windowName, className, exStyle};
    const auto w = AddWindowObject(NewWindow(*target, cs));
    target->cls->windowCount++;
    const HWND hwnd = w->handle;
    if (w->parent != nullptr) {
        target->parent->children.push_back(hwnd);
    }
    GiveSurfaceAndPeer(*w);
    if (!SendCreationMessages(*w, cs)) {
        return nullptr;
    }
    w->created = true;
    AnnounceGeometry(*w);
    if ((style & WS_VISIBLE) && IsWindow(hwnd)) {
        ShowWindow(hwnd, SW_SHOW);
    }
    return IsWindow(hwnd) ? hwnd : nullptr;
}

HWND CreateWindow(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                  int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    return CreateWindowEx(0, className, windowName, style, x, y, width, height, parent, menu,
                          instance, param);
}

BOOL DestroyWindow(HWND hwnd) {
    const auto w = FindWindowObject(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (w->destroying) {
        return FALSE;
    }
    // Owned windows go first.
    for (HWND other : TopLevelWindows()) {
        if (const auto o = FindWindowObject(other); o && o->owner == hwnd && !o->destroying) {
            DestroyWindow(other);
        }
    }
    w->destroying = true;
    if ((w->style & WS_VISIBLE) && w->peer) {
        w->peer->SetVisible(false, false);
    }
    SendDestroy(hwnd);
    FinishDestroy(hwnd);
    return TRUE;
}
