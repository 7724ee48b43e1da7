#include "views/win/core/internal/WindowTable.h"

#include "views/win/api/WinUser.h"

#include <algorithm>
#include <unordered_map>

namespace kwin {
namespace {

struct Table {
    std::unordered_map<HWND, WindowPtr> windows;
    std::vector<HWND> order; // creation order
    std::uintptr_t nextHandle = 0x10000;
};

Table& GetTable() {
    static Table table;
    return table;
}

} // namespace

WindowPtr FindWindowObject(HWND hwnd) {
    if (hwnd == nullptr) {
        return nullptr;
    }
    auto& table = GetTable();
    const auto it = table.windows.find(hwnd);
    return it == table.windows.end() ? nullptr : it->second;
}

WindowPtr AddWindowObject(std::shared_ptr<Window> window) {
    auto& table = GetTable();
    table.nextHandle += 8;
    window->handle = reinterpret_cast<HWND>(table.nextHandle);
    table.windows.emplace(window->handle, window);
    table.order.push_back(window->handle);
    return window;
}

void RemoveWindowObject(HWND hwnd) {
    auto& table = GetTable();
    table.windows.erase(hwnd);
    table.order.erase(std::remove(table.order.begin(), table.order.end(), hwnd), table.order.end());
}

std::vector<HWND> AllWindows() {
    return GetTable().order;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> result;
    for (HWND hwnd : GetTable().order) {
        const auto w = FindWindowObject(hwnd);
        if (w && w->parent == nullptr && !w->messageOnly) {
            result.push_back(hwnd);
        }
    }
    return result;
}

RECT NonClientInsets(const Window& w) {
    RECT insets{0, 0, 0, 0};
    if (w.messageOnly) {
        return insets;
    }
    int border = 0;
    const bool child = (w.style & WS_CHILD) != 0;
    if (w.style & WS_THICKFRAME) {
        border = GetSystemMetrics(SM_CXSIZEFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER);
    } else if ((w.style & WS_DLGFRAME) || (w.exStyle & WS_EX_DLGMODALFRAME)) {
        border = GetSystemMetrics(SM_CXFIXEDFRAME);
    } else if (w.style & WS_BORDER) {
        border = GetSystemMetrics(SM_CXBORDER);
    }
    if (w.exStyle & WS_EX_CLIENTEDGE) {
        border += GetSystemMetrics(SM_CXEDGE);
    }
    if (w.exStyle & WS_EX_STATICEDGE) {
        border += GetSystemMetrics(SM_CXBORDER);
    }
    insets = {border, border, border, border};
    if ((w.style & WS_CAPTION) == WS_CAPTION) {
        insets.top += (w.exStyle & WS_EX_TOOLWINDOW) ? GetSystemMetrics(SM_CYSMCAPTION)
                                                     : GetSystemMetrics(SM_CYCAPTION);
    }
    if (!child && w.menu != nullptr) {
        insets.top += GetSystemMetrics(SM_CYMENU);
    }
    if (w.style & WS_VSCROLL) {
        insets.right += GetSystemMetrics(SM_CXVSCROLL);
    }
    if (w.style & WS_HSCROLL) {
        insets.bottom += GetSystemMetrics(SM_CYHSCROLL);
    }
    return insets;
}

RECT ClientRectOf(const Window& w) {
    const RECT in = NonClientInsets(w);
    const LONG width = (w.rect.right - w.rect.left) - in.left - in.right;
    const LONG height = (w.rect.bottom - w.rect.top) - in.top - in.bottom;
    return {0, 0, std::max<LONG>(width, 0), std::max<LONG>(height, 0)};
}

POINT ClientOriginOnScreen(const Window& w) {
    const RECT in = NonClientInsets(w);
    POINT p{w.rect.left + in.left, w.rect.top + in.top};
    HWND parent = w.parent;
    while (parent != nullptr) {
        const auto pw = FindWindowObject(parent);
        if (!pw) {
            break;
        }
        const RECT pin = NonClientInsets(*pw);
        p.x += pw->rect.left + pin.left;
        p.y += pw->rect.top + pin.top;
        parent = pw->parent;
    }
    return p;
}

bool IsVisibleChain(HWND hwnd) {
    auto w = FindWindowObject(hwnd);
    while (w) {
        if (!(w->style & WS_VISIBLE)) {
            return false;
        }
        if (w->parent == nullptr) {
            return true;
        }
        w = FindWindowObject(w->parent);
    }
    return false;
}

HWND RootOf(HWND hwnd) {
    auto w = FindWindowObject(hwnd);
    while (w && w->parent != nullptr) {
        auto p = FindWindowObject(w->parent);
        if (!p) {
            break;
        }
        w = p;
    }
    return w ? w->handle : nullptr;
}

} // namespace kwin
