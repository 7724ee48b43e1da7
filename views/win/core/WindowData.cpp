// What a window holds: its window longs, properties and text, and whether
// it takes input.

#include "views/win/api/WinKernel.h"
#include "views/win/api/WinUser.h"
#include "views/win/core/internal/WindowTable.h"

#include <cstring>
#include <string>

using namespace kwin;

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
