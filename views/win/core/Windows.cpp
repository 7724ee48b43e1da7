// Creating and destroying windows, their relations, styles and window longs.

#include "views/win/api/WinKernel.h"
#include "views/win/api/WinMenu.h"
#include "views/win/api/WinUser.h"
#include "views/win/backend/internal/InstalledBackend.h"
#include "views/win/core/internal/InputState.h"
#include "views/win/core/internal/MessageQueue.h"
#include "views/win/core/internal/UserInterfaceHooks.h"
#include "views/win/core/internal/WindowTable.h"

#include <algorithm>
#include <cstring>

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
    RemoveWindowObject(hwnd);
}

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

void ResizeSurface(Window& w, bool invalidateAll, bool redraw) {
    if (!w.surface) {
        return;
    }
    const RECT client = ClientRectOf(w);
    const int oldW = w.surface->Width();
    const int oldH = w.surface->Height();
    if (oldW == client.right && oldH == client.bottom) {
        return;
    }
    w.surface->Resize(client.right, client.bottom);
    if (!redraw) {
        return;
    }
    if (invalidateAll) {
        InvalidateRect(w.handle, nullptr, TRUE);
        return;
    }
    if (client.right > oldW) {
        const RECT r{oldW, 0, client.right, client.bottom};
        InvalidateRect(w.handle, &r, TRUE);
    }
    if (client.bottom > oldH) {
        const RECT r{0, oldH, client.right, client.bottom};
        InvalidateRect(w.handle, &r, TRUE);
    }
}

} // namespace

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                    LPVOID param) {
    EnsureSystemClasses();
    const auto cls = FindWindowClass(className);
    if (!cls) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    const bool messageOnly = parent == HWND_MESSAGE;
    WindowPtr parentObj;
    if (!messageOnly && parent != nullptr) {
        parentObj = FindWindowObject(parent);
        if (!parentObj) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
    }
    if ((style & WS_CHILD) && parent == nullptr) {
        SetLastError(ERROR_TLW_WITH_WSCHILD);
        return nullptr;
    }

    auto w = std::make_shared<Window>();
    w->cls = cls;
    w->proc = cls->proc;
    w->style = style & ~WS_VISIBLE;
    w->exStyle = exStyle;
    w->instance = instance;
    w->text = windowName != nullptr ? windowName : "";
    w->extra.assign(static_cast<std::size_t>(cls->wndExtra), 0);
    const bool child = (style & WS_CHILD) && parentObj;
    if (child) {
        w->parent = parent;
        w->id = reinterpret_cast<LONG_PTR>(menu);
        w->messageOnly = parentObj->messageOnly;
    } else {
        w->owner = parentObj ? RootOf(parent) : nullptr;
        w->menu = menu;
        w->messageOnly = messageOnly || (parentObj && parentObj->messageOnly);
    }
    if (x == CW_USEDEFAULT) {
        x = child ? 0 : DefaultX;
        y = child ? 0 : DefaultY;
    }
    if (width == CW_USEDEFAULT) {
        width = child ? 0 : DefaultWidth;
        height = child ? 0 : DefaultHeight;
    }
    w->rect = {x, y, x + std::max(width, 0), y + std::max(height, 0)};
    AddWindowObject(w);
    cls->windowCount++;
    const HWND hwnd = w->handle;
    if (child) {
        parentObj->children.push_back(hwnd);
    }
    if (!w->messageOnly) {
        const RECT client = ClientRectOf(*w);
        w->surface = std::make_shared<Surface>(client.right, client.bottom, 0xFFFFFFFF);
        w->update = client;
        w->erasePending = true;
        if (IBackend* backend = GetBackend()) {
            w->peer = backend->CreatePeer(hwnd);
            if (w->peer) {
                ApplyPeerGeometry(*w);
                w->peer->SetText(w->text);
            }
        }
    }

    CREATESTRUCT cs{param,      instance,  menu,
                    parent,     height,    width,
                    y,          x,         static_cast<LONG>(style & ~WS_VISIBLE),
                    windowName, className, exStyle};
    if (!SendMessage(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        w->destroying = true;
        FinishDestroy(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd)) {
        return nullptr;
    }
    if (SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd)) {
        return nullptr;
    }
    w->created = true;
    const RECT client = ClientRectOf(*w);
    SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, PointParam(client.right, client.bottom));
    const RECT in = NonClientInsets(*w);
    SendMessage(hwnd, WM_MOVE, 0, PointParam(w->rect.left + in.left, w->rect.top + in.top));
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

BOOL IsWindow(HWND hwnd) {
    return FindWindowObject(hwnd) ? TRUE : FALSE;
}

BOOL IsChild(HWND parent, HWND hwnd) {
    auto w = FindWindowObject(hwnd);
    while (w && w->parent != nullptr) {
        if (w->parent == parent) {
            return TRUE;
        }
        w = FindWindowObject(w->parent);
    }
    return FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
    return IsVisibleChain(hwnd) ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
    const auto w = FindWindowObject(hwnd);
    return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    const auto w = FindWindowObject(hwnd);
    if (!w) {
        return FALSE;
    }
    const BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
    if (enable && wasDisabled) {
        w->style &= ~WS_DISABLED;
        if (w->peer) {
            w->peer->SetEnabled(true);
        }
        SendMessage(hwnd, WM_ENABLE, TRUE, 0);
    } else if (!enable && !wasDisabled) {
        SendMessage(hwnd, WM_CANCELMODE, 0, 0);
        w->style |= WS_DISABLED;
        if (GetFocus() == hwnd || IsChild(hwnd, GetFocus())) {
            SetFocus(nullptr);
        }
        if (w->peer) {
            w->peer->SetEnabled(false);
        }
        SendMessage(hwnd, WM_ENABLE, FALSE, 0);
    }
    return wasDisabled;
}

BOOL IsIconic(HWND hwnd) {
    const auto w = FindWindowObject(hwnd);
    return w && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
    const auto w = FindWindowObject(hwnd);
    return w && (w->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

HWND GetParent(HWND hwnd) {
    const auto w = FindWindowObject(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (w->parent != nullptr) {
        return w->parent;
    }
    return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND SetParent(HWND hwnd, HWND newParent) {
    const auto w = FindWindowObject(hwnd);
    const auto p = FindWindowObject(newParent);
    if (!w || (newParent != nullptr && !p)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    const HWND old = w->parent;
    if (old != nullptr) {
        if (const auto op = FindWindowObject(old)) {
            auto& list = op->children;
            list.erase(std::remove(list.begin(), list.end(), hwnd), list.end());
        }
    }
    w->parent = newParent;
    if (p) {
        p->children.insert(p->children.begin(), hwnd);
        w->style |= WS_CHILD;
    }
    return old;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
    const auto w = FindWindowObject(hwnd);
    if (!w) {
        return nullptr;
    }
    switch (flags) {
    case GA_PARENT:
        return w->parent;
    case GA_ROOT:
        return RootOf(hwnd);
    case GA_ROOTOWNER: {
        HWND root = RootOf(hwnd);
        for (auto r = FindWindowObject(root); r && r->owner != nullptr;
             r = FindWindowObject(r->owner)) {
            root = r->owner;
        }
        return root;
    }
    default:
        return nullptr;
    }
}

HWND GetWindow(HWND hwnd, UINT relation) {
    const auto w = FindWindowObject(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (relation == GW_OWNER) {
        return w->owner;
    }
    if (relation == GW_CHILD) {
        return w->children.empty() ? nullptr : w->children.front();
    }
    std::vector<HWND> siblings;
    if (w->parent != nullptr) {
        if (const auto p = FindWindowObject(w->parent)) {
            siblings = p->children;
        }
    } else {
        siblings = TopLevelWindows();
    }
    const auto it = std::find(siblings.begin(), siblings.end(), hwnd);
    switch (relation) {
    case GW_HWNDFIRST:
        return siblings.empty() ? nullptr : siblings.front();
    case GW_HWNDLAST:
        return siblings.empty() ? nullptr : siblings.back();
    case GW_HWNDNEXT:
        return (it == siblings.end() || it + 1 == siblings.end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV:
        return (it == siblings.end() || it == siblings.begin()) ? nullptr : *(it - 1);
    default:
        return nullptr;
    }
}

HWND GetTopWindow(HWND hwnd) {
    if (hwnd == nullptr) {
        const auto tops = TopLevelWindows();
        return tops.empty() ? nullptr : tops.front();
    }
    return GetWindow(hwnd, GW_CHILD);
}

HWND GetDlgItem(HWND dialog, int id) {
    const auto w = FindWindowObject(dialog);
    if (!w) {
        return nullptr;
    }
    for (HWND child : w->children) {
        if (const auto c = FindWindowObject(child); c && c->id == id) {
            return child;
        }
    }
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
    const auto w = FindWindowObject(hwnd);
    return w && w->parent != nullptr ? static_cast<int>(w->id) : 0;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM param) {
    const auto w = FindWindowObject(parent);
    if (!w || proc == nullptr) {
        return FALSE;
    }
    const std::vector<HWND> children = w->children;
    for (HWND child : children) {
        if (!IsWindow(child)) {
            continue;
        }
        if (!proc(child, param)) {
            return TRUE;
        }
        EnumChildWindows(child, proc, param);
    }
    return TRUE;
}

HWND FindWindowEx(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName) {
    std::vector<HWND> list;
    if (parent == HWND_MESSAGE) {
        for (HWND h : AllWindows()) {
            if (const auto w = FindWindowObject(h); w && w->messageOnly && w->parent == nullptr) {
                list.push_back(h);
            }
        }
    } else if (parent == nullptr) {
        list = TopLevelWindows();
    } else if (const auto p = FindWindowObject(parent)) {
        list = p->children;
    }
    auto it = list.begin();
    if (childAfter != nullptr) {
        it = std::find(list.begin(), list.end(), childAfter);
        if (it != list.end()) {
            ++it;
        }
    }
    const auto cls = className != nullptr ? FindWindowClass(className) : nullptr;
    for (; it != list.end(); ++it) {
        const auto w = FindWindowObject(*it);
        if (!w || (className != nullptr && w->cls != cls) ||
            (windowName != nullptr && w->text != windowName)) {
            continue;
        }
        return *it;
    }
    return nullptr;
}

HWND ChildWindowFromPoint(HWND parent, POINT pt) {
    const auto w = FindWindowObject(parent);
    if (!w) {
        return nullptr;
    }
    const RECT client = ClientRectOf(*w);
    if (!PtInRect(&client, pt)) {
        return nullptr;
    }
    for (HWND child : w->children) {
        const auto c = FindWindowObject(child);
        if (c && PtInRect(&c->rect, pt)) {
            return child;
        }
    }
    return parent;
}

HWND WindowFromPoint(POINT pt) {
    for (HWND top : TopLevelWindows()) {
        if (!IsWindowVisible(top)) {
            continue;
        }
        RECT r;
        GetWindowRect(top, &r);
        if (!PtInRect(&r, pt)) {
            continue;
        }
        HWND current = top;
        for (;;) {
            POINT local = pt;
            ScreenToClient(current, &local);
            const auto cw = FindWindowObject(current);
            HWND next = nullptr;
            for (HWND child : cw->children) {
                const auto c = FindWindowObject(child);
                if (c && (c->style & WS_VISIBLE) && PtInRect(&c->rect, local)) {
                    next = child;
                    break;
                }
            }
            if (next == nullptr) {
                return current;
            }
            current = next;
        }
    }
    return nullptr;
}

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
    const auto w = FindWindowObject(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    switch (index) {
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(w->parent != nullptr ? w->parent : w->owner);
    case GWLP_ID:
        return w->id;
    case GWL_STYLE:
        return static_cast<LONG_PTR>(static_cast<LONG>(w->style));
    case GWL_EXSTYLE:
        return static_cast<LONG_PTR>(static_cast<LONG>(w->exStyle));
    case GWLP_USERDATA:
        return w->userData;
    default:
        if (index >= 0 && static_cast<std::size_t>(index) + sizeof(LONG_PTR) <= w->extra.size()) {
            LONG_PTR v = 0;
            std::memcpy(&v, w->extra.data() + index, sizeof(v));
            return v;
        }
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
    const auto w = FindWindowObject(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const LONG_PTR old = GetWindowLongPtr(hwnd, index);
    switch (index) {
    case GWLP_WNDPROC:
        w->proc = reinterpret_cast<WNDPROC>(value);
        break;
    case GWLP_HINSTANCE:
        w->instance = reinterpret_cast<HINSTANCE>(value);
        break;
    case GWLP_HWNDPARENT:
        if (w->parent == nullptr) {
            w->owner = reinterpret_cast<HWND>(value);
        }
        break;
    case GWLP_ID:
        w->id = value;
        break;
    case GWL_STYLE: {
        const DWORD newStyle = static_cast<DWORD>(value);
        const bool visibilityChanged = ((newStyle ^ w->style) & WS_VISIBLE) != 0;
        w->style = newStyle;
        if (visibilityChanged && w->peer) {
            w->peer->SetVisible((newStyle & WS_VISIBLE) != 0, false);
        }
        break;
    }
    case GWL_EXSTYLE:
        w->exStyle = static_cast<DWORD>(value);
        break;
    case GWLP_USERDATA:
        w->userData = value;
        break;
    default:
        if (index >= 0 && static_cast<std::size_t>(index) + sizeof(LONG_PTR) <= w->extra.size()) {
            std::memcpy(w->extra.data() + index, &value, sizeof(value));
            break;
        }
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return old;
}

LONG GetWindowLong(HWND hwnd, int index) {
    const auto w = FindWindowObject(hwnd);
    if (w && index >= 0 && static_cast<std::size_t>(index) + sizeof(LONG) <= w->extra.size()) {
        LONG v = 0;
        std::memcpy(&v, w->extra.data() + index, sizeof(v));
        return v;
    }
    return static_cast<LONG>(GetWindowLongPtr(hwnd, index));
}

LONG SetWindowLong(HWND hwnd, int index, LONG value) {
    const auto w = FindWindowObject(hwnd);
    if (w && index >= 0 && static_cast<std::size_t>(index) + sizeof(LONG) <= w->extra.size()) {
        LONG old = 0;
        std::memcpy(&old, w->extra.data() + index, sizeof(old));
        std::memcpy(w->extra.data() + index, &value, sizeof(value));
        return old;
    }
    return static_cast<LONG>(SetWindowLongPtr(hwnd, index, value));
}

BOOL SetProp(HWND hwnd, LPCSTR name, HANDLE data) {
    const auto w = FindWindowObject(hwnd);
    if (!w || name == nullptr) {
        return FALSE;
    }
    w->props[IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<UINT_PTR>(name)) : name] =
        data;
    return TRUE;
}

HANDLE GetProp(HWND hwnd, LPCSTR name) {
    const auto w = FindWindowObject(hwnd);
    if (!w || name == nullptr) {
        return nullptr;
    }
    const auto it = w->props.find(
        IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<UINT_PTR>(name)) : name);
    return it == w->props.end() ? nullptr : it->second;
}

HANDLE RemoveProp(HWND hwnd, LPCSTR name) {
    const auto w = FindWindowObject(hwnd);
    if (!w || name == nullptr) {
        return nullptr;
    }
    const std::string key =
        IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<UINT_PTR>(name)) : name;
    const auto it = w->props.find(key);
    if (it == w->props.end()) {
        return nullptr;
    }
    HANDLE data = it->second;
    w->props.erase(it);
    return data;
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

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    const auto w = FindWindowObject(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    WINDOWPOS pos{hwnd, insertAfter, x, y, cx, cy, flags};
    if (flags & SWP_NOMOVE) {
        pos.x = w->rect.left;
        pos.y = w->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        pos.cx = w->rect.right - w->rect.left;
        pos.cy = w->rect.bottom - w->rect.top;
    }
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
    if (!(pos.flags & SWP_NOZORDER) && w->parent != nullptr) {
        if (const auto p = FindWindowObject(w->parent)) {
            auto& list = p->children;
            list.erase(std::remove(list.begin(), list.end(), hwnd), list.end());
            if (pos.hwndInsertAfter == HWND_BOTTOM) {
                list.push_back(hwnd);
            } else if (pos.hwndInsertAfter == HWND_TOP || pos.hwndInsertAfter == HWND_TOPMOST ||
                       pos.hwndInsertAfter == HWND_NOTOPMOST) {
                list.insert(list.begin(), hwnd);
            } else {
                auto it = std::find(list.begin(), list.end(), pos.hwndInsertAfter);
                list.insert(it == list.end() ? list.begin() : it + 1, hwnd);
            }
        }
    }
    if (!(pos.flags & SWP_NOZORDER) && w->peer && pos.hwndInsertAfter == HWND_TOP) {
        w->peer->Raise();
    }
    const bool redraw = !(pos.flags & SWP_NOREDRAW);
    // A changed frame (menu bar, scroll bars) changes the client area in place.
    const bool frameChanged = (pos.flags & SWP_FRAMECHANGED) != 0;
    if (sized || frameChanged) {
        ResizeSurface(*w, (w->cls->style & (CS_HREDRAW | CS_VREDRAW)) != 0, redraw);
    }
    if (moved || sized || frameChanged) {
        ApplyPeerGeometry(*w);
    }
    if (pos.flags & SWP_SHOWWINDOW && !(w->style & WS_VISIBLE)) {
        w->style |= WS_VISIBLE;
        if (w->peer) {
            w->peer->SetVisible(true, !(pos.flags & SWP_NOACTIVATE));
        }
        InvalidateRect(hwnd, nullptr, TRUE);
    } else if (pos.flags & SWP_HIDEWINDOW && (w->style & WS_VISIBLE)) {
        w->style &= ~WS_VISIBLE;
        if (w->peer) {
            w->peer->SetVisible(false, false);
        }
        ForgetInputWindow(hwnd);
    }
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

BOOL BringWindowToTop(HWND hwnd) {
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL SetWindowText(HWND hwnd, LPCSTR text) {
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

int GetWindowText(HWND hwnd, LPSTR buffer, int size) {
    if (!IsWindow(hwnd) || buffer == nullptr || size <= 0) {
        return 0;
    }
    return static_cast<int>(
        SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND hwnd) {
    if (!IsWindow(hwnd)) {
        return 0;
    }
    return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}
