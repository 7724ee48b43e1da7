// Window classes: RegisterClassEx, UnregisterClass and the class queries.
// Class names compare without regard to case, as on the platform.

#include "views/win/api/WinKernel.h"
#include "views/win/api/WinUser.h"
#include "views/win/core/internal/UserInterfaceHooks.h"
#include "views/win/core/internal/WindowTable.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <unordered_map>

namespace kwin {

namespace {

struct ClassTable {
    std::unordered_map<std::string, std::shared_ptr<WindowClass>> byName;
    std::unordered_map<ATOM, std::shared_ptr<WindowClass>> byAtom;
    ATOM nextAtom = 0xC000;
};

ClassTable& Classes() {
    static ClassTable table;
    return table;
}

std::string Lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

ATOM Register(const WNDCLASSEX& wc, bool system) {
    if (wc.lpszClassName == nullptr || IS_INTRESOURCE(wc.lpszClassName) ||
        wc.lpfnWndProc == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto& table = Classes();
    const std::string key = Lower(wc.lpszClassName);
    if (table.byName.count(key) != 0) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    auto cls = std::make_shared<WindowClass>();
    cls->name = wc.lpszClassName;
    cls->atom = table.nextAtom++;
    cls->style = wc.style;
    cls->proc = wc.lpfnWndProc;
    cls->clsExtra = std::max(wc.cbClsExtra, 0);
    cls->wndExtra = std::max(wc.cbWndExtra, 0);
    cls->instance = wc.hInstance;
    cls->icon = wc.hIcon;
    cls->iconSmall = wc.hIconSm;
    cls->cursor = wc.hCursor;
    cls->background = wc.hbrBackground;
    if (wc.lpszMenuName != nullptr && !IS_INTRESOURCE(wc.lpszMenuName)) {
        cls->menuName = wc.lpszMenuName;
    }
    cls->extra.assign(static_cast<std::size_t>(cls->clsExtra), 0);
    cls->system = system;
    table.byName[key] = cls;
    table.byAtom[cls->atom] = cls;
    return cls->atom;
}

} // namespace

std::shared_ptr<WindowClass> FindWindowClass(LPCSTR nameOrAtom) {
    if (nameOrAtom == nullptr) {
        return nullptr;
    }
    auto& table = Classes();
    if (IS_INTRESOURCE(nameOrAtom)) {
        const auto it =
            table.byAtom.find(static_cast<ATOM>(reinterpret_cast<UINT_PTR>(nameOrAtom)));
        return it == table.byAtom.end() ? nullptr : it->second;
    }
    const auto it = table.byName.find(Lower(nameOrAtom));
    return it == table.byName.end() ? nullptr : it->second;
}

ATOM RegisterSystemClass(const WNDCLASSEX& wc) {
    return Register(wc, true);
}

void EnsureSystemClasses() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    if (const auto registerClasses = GetUserInterfaceHooks().registerClasses) {
        registerClasses();
    }
}

} // namespace kwin

using namespace kwin;

ATOM RegisterClassEx(const WNDCLASSEX* wc) {
    EnsureSystemClasses();
    if (wc == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return Register(*wc, false);
}

ATOM RegisterClass(const WNDCLASS* wc) {
    if (wc == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WNDCLASSEX ex{sizeof(WNDCLASSEX), wc->style,        wc->lpfnWndProc,   wc->cbClsExtra,
                  wc->cbWndExtra,     wc->hInstance,    wc->hIcon,         wc->hCursor,
                  wc->hbrBackground,  wc->lpszMenuName, wc->lpszClassName, nullptr};
    return RegisterClassEx(&ex);
}

BOOL UnregisterClass(LPCSTR className, HINSTANCE) {
    const auto cls = FindWindowClass(className);
    if (!cls || cls->system) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if (cls->windowCount > 0) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
    }
    auto& table = Classes();
    table.byName.erase(Lower(cls->name));
    table.byAtom.erase(cls->atom);
    return TRUE;
}

BOOL GetClassInfoEx(HINSTANCE, LPCSTR className, WNDCLASSEX* wc) {
    EnsureSystemClasses();
    const auto cls = FindWindowClass(className);
    if (!cls || wc == nullptr) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    wc->style = cls->style;
    wc->lpfnWndProc = cls->proc;
    wc->cbClsExtra = cls->clsExtra;
    wc->cbWndExtra = cls->wndExtra;
    wc->hInstance = cls->instance;
    wc->hIcon = cls->icon;
    wc->hCursor = cls->cursor;
    wc->hbrBackground = cls->background;
    wc->lpszMenuName = nullptr;
    wc->lpszClassName = cls->name.c_str();
    wc->hIconSm = cls->iconSmall;
    return TRUE;
}

int GetClassName(HWND hwnd, LPSTR buffer, int size) {
    const auto w = FindWindowObject(hwnd);
    if (!w || buffer == nullptr || size <= 0) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const int n = std::min<int>(static_cast<int>(w->cls->name.size()), size - 1);
    std::memcpy(buffer, w->cls->name.data(), static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}

ULONG_PTR GetClassLongPtr(HWND hwnd, int index) {
    const auto w = FindWindowObject(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const auto& c = *w->cls;
    switch (index) {
    case GCLP_HBRBACKGROUND:
        return reinterpret_cast<ULONG_PTR>(c.background);
    case GCLP_HCURSOR:
        return reinterpret_cast<ULONG_PTR>(c.cursor);
    case GCLP_HICON:
        return reinterpret_cast<ULONG_PTR>(c.icon);
    case GCLP_HICONSM:
        return reinterpret_cast<ULONG_PTR>(c.iconSmall);
    case GCLP_HMODULE:
        return reinterpret_cast<ULONG_PTR>(c.instance);
    case GCLP_WNDPROC:
        return reinterpret_cast<ULONG_PTR>(c.proc);
    case GCL_STYLE:
        return c.style;
    case GCL_CBWNDEXTRA:
        return static_cast<ULONG_PTR>(c.wndExtra);
    case GCL_CBCLSEXTRA:
        return static_cast<ULONG_PTR>(c.clsExtra);
    case GCW_ATOM:
        return c.atom;
    default:
        if (index >= 0 && static_cast<std::size_t>(index) + sizeof(ULONG_PTR) <= c.extra.size()) {
            ULONG_PTR v = 0;
            std::memcpy(&v, c.extra.data() + index, sizeof(v));
            return v;
        }
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
}

DWORD GetClassLong(HWND hwnd, int index) {
    return static_cast<DWORD>(GetClassLongPtr(hwnd, index));
}

ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value) {
    const auto w = FindWindowObject(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const ULONG_PTR old = GetClassLongPtr(hwnd, index);
    auto& c = *w->cls;
    switch (index) {
    case GCLP_HBRBACKGROUND:
        c.background = reinterpret_cast<HBRUSH>(value);
        break;
    case GCLP_HCURSOR:
        c.cursor = reinterpret_cast<HCURSOR>(value);
        break;
    case GCLP_HICON:
        c.icon = reinterpret_cast<HICON>(value);
        break;
    case GCLP_HICONSM:
        c.iconSmall = reinterpret_cast<HICON>(value);
        break;
    case GCLP_WNDPROC:
        c.proc = reinterpret_cast<WNDPROC>(value);
        break;
    case GCL_STYLE:
        c.style = static_cast<UINT>(value);
        break;
    default:
        if (index >= 0 && static_cast<std::size_t>(index) + sizeof(LONG_PTR) <= c.extra.size()) {
            std::memcpy(c.extra.data() + index, &value, sizeof(value));
            break;
        }
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return old;
}
