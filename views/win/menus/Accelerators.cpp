// Accelerator tables and their translation into commands.

#include "views/win/api/WinKernel.h"
#include "views/win/api/WinMenu.h"
#include "views/win/api/WinMessages.h"
#include "views/win/api/WinUser.h"
#include "views/win/resources/ResourceTemplates.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace {

struct AccelTables {
    std::unordered_map<HACCEL, std::vector<ACCEL>> tables;
    std::uintptr_t next = 0x38000000;
};

AccelTables& A() {
    static AccelTables tables;
    return tables;
}

BYTE HeldModifiers() {
    BYTE mods = 0;
    if (GetKeyState(VK_SHIFT) & 0x8000) {
        mods |= FSHIFT;
    }
    if (GetKeyState(VK_CONTROL) & 0x8000) {
        mods |= FCONTROL;
    }
    if (GetKeyState(VK_MENU) & 0x8000) {
        mods |= FALT;
    }
    return mods;
}

bool Matches(const ACCEL& entry, const MSG& msg, BYTE mods) {
    constexpr BYTE ModifierBits = FSHIFT | FCONTROL | FALT;
    if (entry.fVirt & FVIRTKEY) {
        return (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) &&
               entry.key == (msg.wParam & 0xFF) && (entry.fVirt & ModifierBits) == mods;
    }
    return (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) && entry.key == msg.wParam &&
           ((entry.fVirt & FALT) != 0) == ((mods & FALT) != 0);
}

// The popup of a menu that holds the command, and the popup's place in its parent.
bool FindPopupOf(HMENU menu, UINT id, HMENU& popup, int& index) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        HMENU sub = GetSubMenu(menu, i);
        if (sub == nullptr) {
            continue;
        }
        if (FindPopupOf(sub, id, popup, index)) {
            return true;
        }
        if (GetMenuState(sub, id, MF_BYCOMMAND) != static_cast<UINT>(-1)) {
            const int subCount = GetMenuItemCount(sub);
            for (int j = 0; j < subCount; ++j) {
                if (GetMenuItemID(sub, j) == id) {
                    popup = sub;
                    index = i;
                    return true;
                }
            }
        }
    }
    return false;
}

// As on the platform, a command that is also a menu item lets the owner set
// the item's state first (WM_INITMENU, WM_INITMENUPOPUP); a grayed item
// swallows the key without a command.
bool MenuItemAllowsCommand(HWND hwnd, UINT id) {
    HMENU bar = GetMenu(hwnd);
    HMENU popup = nullptr;
    int index = 0;
    if (bar == nullptr || !FindPopupOf(bar, id, popup, index)) {
        return true;
    }
    // Not while the window is disabled or the mouse is captured, as on the platform.
    if (IsWindowEnabled(hwnd) && GetCapture() == nullptr) {
        SendMessage(hwnd, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);
        SendMessage(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup),
                    MAKELPARAM(static_cast<WORD>(index), FALSE));
    }
    const UINT state = GetMenuState(bar, id, MF_BYCOMMAND);
    return state == static_cast<UINT>(-1) || !(state & (MF_GRAYED | MF_DISABLED));
}

} // namespace

HACCEL CreateAcceleratorTable(LPACCEL entries, int count) {
    if (entries == nullptr || count <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto& a = A();
    a.next += 4;
    const auto handle = reinterpret_cast<HACCEL>(a.next);
    a.tables[handle].assign(entries, entries + count);
    return handle;
}

HACCEL LoadAccelerators(HINSTANCE, LPCSTR name) {
    const auto* entries =
        IS_INTRESOURCE(name)
            ? kwin::FindAcceleratorTable(static_cast<UINT>(reinterpret_cast<UINT_PTR>(name)))
            : nullptr;
    if (entries == nullptr || entries->empty()) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    std::vector<ACCEL> copy = *entries;
    return CreateAcceleratorTable(copy.data(), static_cast<int>(copy.size()));
}

BOOL DestroyAcceleratorTable(HACCEL table) {
    return A().tables.erase(table) != 0 ? TRUE : FALSE;
}

int CopyAcceleratorTable(HACCEL table, LPACCEL entries, int count) {
    const auto it = A().tables.find(table);
    if (it == A().tables.end()) {
        return 0;
    }
    const int size = static_cast<int>(it->second.size());
    if (entries == nullptr) {
        return size;
    }
    const int n = std::min(size, count);
    std::copy_n(it->second.begin(), n, entries);
    return n;
}

int TranslateAccelerator(HWND hwnd, HACCEL table, LPMSG msg) {
    const auto it = A().tables.find(table);
    if (it == A().tables.end() || msg == nullptr || !IsWindow(hwnd)) {
        return 0;
    }
    const BYTE mods = HeldModifiers();
    for (const ACCEL& entry : it->second) {
        if (!Matches(entry, *msg, mods)) {
            continue;
        }
        if (MenuItemAllowsCommand(hwnd, entry.cmd)) {
            SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(entry.cmd, 1), 0);
        }
        return 1;
    }
    return 0;
}
