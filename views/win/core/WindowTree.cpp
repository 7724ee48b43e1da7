// The window tree and lookups in it: parents, owners and children, the Z
// order, control ids, enumeration and the window under a point.

#include "views/win/api/WinKernel.h"
#include "views/win/api/WinUser.h"
#include "views/win/core/internal/WindowTable.h"

#include <algorithm>

using namespace kwin;

namespace {

// Calls proc for every descendant of parent, each child followed by its own
// descendants; false when proc asked to stop.
bool EnumerateDescendants(HWND parent, WNDENUMPROC proc, LPARAM param) {
    const auto w = FindWindowObject(parent);
    if (!w) {
        return true;
    }
    const std::vector<HWND> children = w->children;
    for (HWND child : children) {
        if (!IsWindow(child)) {
            continue;
        }
        if (!proc(child, param) || !EnumerateDescendants(child, proc, param)) {
            return false;
        }
    }
    return true;
}

} // namespace

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
    if (newParent == hwnd || IsChild(hwnd, newParent)) {
        SetLastError(ERROR_INVALID_PARAMETER); // the tree would become a loop
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
    if (!FindWindowObject(parent) || proc == nullptr) {
        return FALSE;
    }
    EnumerateDescendants(parent, proc, param);
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
