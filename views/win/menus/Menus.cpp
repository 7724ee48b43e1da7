// Menus as data: bars and popups made from compiled-in templates or built by
// calls, their items' types, states and texts, and the window's menu bar.

#include "views/win/api/WinKernel.h"
#include "views/win/api/WinMenu.h"
#include "views/win/api/WinMessages.h"
#include "views/win/api/WinStyles.h"
#include "views/win/api/WinUser.h"
#include "views/win/backend/internal/InstalledBackend.h"
#include "views/win/core/internal/WindowTable.h"
#include "views/win/resources/ResourceTemplates.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <unordered_map>

using namespace kwin;

namespace {

constexpr UINT TypeBits = MFT_SEPARATOR | MFT_RADIOCHECK | MFT_RIGHTJUSTIFY | MF_OWNERDRAW;
constexpr UINT StateBits = MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT;

struct MenuItem {
    UINT type = MFT_STRING;
    UINT state = MFS_ENABLED;
    UINT id = 0;
    HMENU sub = nullptr;
    std::string text;
    ULONG_PTR data = 0;
};

struct MenuObject {
    bool popup = false;
    std::vector<MenuItem> items;
};

struct MenuTable {
    std::unordered_map<HMENU, MenuObject> menus;
    std::uintptr_t next = 0x30000000;
};

MenuTable& M() {
    static MenuTable table;
    return table;
}

MenuObject* Find(HMENU menu) {
    const auto it = M().menus.find(menu);
    return it == M().menus.end() ? nullptr : &it->second;
}

HMENU NewMenu(bool popup) {
    auto& t = M();
    t.next += 4;
    const auto handle = reinterpret_cast<HMENU>(t.next);
    t.menus[handle].popup = popup;
    return handle;
}

struct ItemRef {
    MenuObject* menu = nullptr;
    HMENU handle = nullptr;
    std::size_t index = 0;
    MenuItem* operator->() const { return &menu->items[index]; }
};

// By position, or by command id searching popups depth first, as the platform does.
ItemRef Locate(HMENU handle, UINT item, bool byPosition) {
    MenuObject* menu = Find(handle);
    if (menu == nullptr) {
        return {};
    }
    if (byPosition) {
        return item < menu->items.size() ? ItemRef{menu, handle, item} : ItemRef{};
    }
    for (std::size_t i = 0; i < menu->items.size(); ++i) {
        const MenuItem& it = menu->items[i];
        if (it.sub == nullptr && it.id == item && !(it.type & MFT_SEPARATOR)) {
            return {menu, handle, i};
        }
        if (it.sub != nullptr) {
            if (const ItemRef inner = Locate(it.sub, item, false); inner.menu != nullptr) {
                return inner;
            }
            if (it.id == item) {
                return {menu, handle, i};
            }
        }
    }
    return {};
}

// Whether target is menu or lies inside it: attaching it there would make a cycle.
bool Reaches(HMENU menu, HMENU target) {
    if (menu == target) {
        return true;
    }
    const MenuObject* object = Find(menu);
    if (object == nullptr) {
        return false;
    }
    for (const auto& item : object->items) {
        if (item.sub != nullptr && Reaches(item.sub, target)) {
            return true;
        }
    }
    return false;
}

MenuItem ItemFromFlags(UINT flags, UINT_PTR idOrPopup, LPCSTR text) {
    MenuItem item;
    item.type = flags & TypeBits;
    item.state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_DEFAULT);
    if (item.state & MF_GRAYED) {
        item.state |= MF_DISABLED; // grayed items cannot be chosen either
    }
    if (flags & MF_POPUP) {
        item.sub = reinterpret_cast<HMENU>(idOrPopup);
        item.id = static_cast<UINT>(idOrPopup);
    } else {
        item.id = static_cast<UINT>(idOrPopup);
    }
    if (!(flags & MF_SEPARATOR) && text != nullptr) {
        item.text = text;
    }
    return item;
}

void Build(HMENU menu, const std::vector<MenuTemplateItem>& items) {
    for (const auto& t : items) {
        if (t.flags & MF_SEPARATOR) {
            AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
        } else if ((t.flags & MF_POPUP) || !t.items.empty()) {
            HMENU sub = CreatePopupMenu();
            Build(sub, t.items);
            AppendMenu(menu, t.flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), t.text.c_str());
        } else {
            AppendMenu(menu, t.flags, t.id, t.text.c_str());
        }
    }
}

void NotifyMenuBar(HWND hwnd) {
    if (IMenuBarHost* host = GetToolkitServices().menuBar) {
        host->MenuBarChanged(hwnd);
    }
}

UINT CopyText(const std::string& text, LPSTR buffer, UINT size) {
    if (buffer == nullptr || size == 0) {
        return static_cast<UINT>(text.size());
    }
    const std::size_t n = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<UINT>(n);
}

} // namespace

HMENU LoadMenu(HINSTANCE, LPCSTR name) {
    if (!IS_INTRESOURCE(name)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    const auto* items = FindMenuTemplate(static_cast<UINT>(reinterpret_cast<UINT_PTR>(name)));
    if (items == nullptr) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    HMENU menu = CreateMenu();
    Build(menu, *items);
    return menu;
}

HMENU CreateMenu() {
    return NewMenu(false);
}

HMENU CreatePopupMenu() {
    return NewMenu(true);
}

BOOL DestroyMenu(HMENU menu) {
    MenuObject* object = Find(menu);
    if (object == nullptr) {
        return FALSE;
    }
    const std::vector<MenuItem> items = object->items;
    M().menus.erase(menu);
    for (const auto& item : items) {
        if (item.sub != nullptr) {
            DestroyMenu(item.sub);
        }
    }
    return TRUE;
}

BOOL IsMenu(HMENU menu) {
    return Find(menu) != nullptr ? TRUE : FALSE;
}

BOOL SetMenu(HWND hwnd, HMENU menu) {
    const auto w = FindWindowObject(hwnd);
    if (!w || (w->style & WS_CHILD) || (menu != nullptr && Find(menu) == nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    w->menu = menu;
    NotifyMenuBar(hwnd);
    // The bar takes room from the client area.
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

HMENU GetMenu(HWND hwnd) {
    const auto w = FindWindowObject(hwnd);
    return w && !(w->style & WS_CHILD) ? w->menu : nullptr;
}

BOOL DrawMenuBar(HWND hwnd) {
    if (!IsWindow(hwnd)) {
        return FALSE;
    }
    NotifyMenuBar(hwnd);
    return TRUE;
}

HMENU GetSubMenu(HMENU menu, int position) {
    const ItemRef ref = Locate(menu, static_cast<UINT>(position), true);
    return position >= 0 && ref.menu != nullptr ? ref->sub : nullptr;
}

int GetMenuItemCount(HMENU menu) {
    const MenuObject* object = Find(menu);
    return object == nullptr ? -1 : static_cast<int>(object->items.size());
}

UINT GetMenuItemID(HMENU menu, int position) {
    const ItemRef ref = Locate(menu, static_cast<UINT>(position), true);
    if (position < 0 || ref.menu == nullptr || ref->sub != nullptr) {
        return static_cast<UINT>(-1);
    }
    return ref->id;
}

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCSTR text) {
    MenuObject* object = Find(menu);
    if (object == nullptr ||
        ((flags & MF_POPUP) && (Find(reinterpret_cast<HMENU>(idOrPopup)) == nullptr ||
                                Reaches(reinterpret_cast<HMENU>(idOrPopup), menu)))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    object->items.push_back(ItemFromFlags(flags, idOrPopup, text));
    return TRUE;
}

BOOL InsertMenu(HMENU menu, UINT item, UINT flags, UINT_PTR idOrPopup, LPCSTR text) {
    MenuObject* object = Find(menu);
    if (object == nullptr) {
        return FALSE;
    }
    std::size_t at = object->items.size();
    if (item != static_cast<UINT>(-1)) {
        const ItemRef ref = Locate(menu, item, (flags & MF_BYPOSITION) != 0);
        if (ref.menu == nullptr) {
            return AppendMenu(menu, flags & ~MF_BYPOSITION, idOrPopup, text);
        }
        object = ref.menu;
        at = ref.index;
    }
    object->items.insert(object->items.begin() + static_cast<std::ptrdiff_t>(at),
                         ItemFromFlags(flags & ~MF_BYPOSITION, idOrPopup, text));
    return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT item, UINT flags) {
    const ItemRef ref = Locate(menu, item, (flags & MF_BYPOSITION) != 0);
    if (ref.menu == nullptr) {
        return FALSE;
    }
    ref.menu->items.erase(ref.menu->items.begin() + static_cast<std::ptrdiff_t>(ref.index));
    return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT item, UINT flags) {
    const ItemRef ref = Locate(menu, item, (flags & MF_BYPOSITION) != 0);
    if (ref.menu == nullptr) {
        return FALSE;
    }
    HMENU sub = ref->sub;
    ref.menu->items.erase(ref.menu->items.begin() + static_cast<std::ptrdiff_t>(ref.index));
    if (sub != nullptr) {
        DestroyMenu(sub);
    }
    return TRUE;
}

BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFO info) {
    const ItemRef ref = Locate(menu, item, byPosition != FALSE);
    if (ref.menu == nullptr || info == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const MenuItem& it = *ref.operator->();
    if (info->fMask & (MIIM_FTYPE | MIIM_TYPE)) {
        info->fType = it.type;
    }
    if (info->fMask & MIIM_STATE) {
        info->fState = it.state;
    }
    if (info->fMask & MIIM_ID) {
        info->wID = it.id;
    }
    if (info->fMask & MIIM_SUBMENU) {
        info->hSubMenu = it.sub;
    }
    if (info->fMask & MIIM_DATA) {
        info->dwItemData = it.data;
    }
    if (info->fMask & (MIIM_STRING | MIIM_TYPE)) {
        if (info->dwTypeData == nullptr || info->cch == 0) {
            info->cch = static_cast<UINT>(it.text.size());
        } else {
            info->cch = CopyText(it.text, info->dwTypeData, info->cch);
        }
    }
    return TRUE;
}

BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFO info) {
    const ItemRef ref = Locate(menu, item, byPosition != FALSE);
    if (ref.menu == nullptr || info == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if ((info->fMask & MIIM_SUBMENU) && info->hSubMenu != nullptr &&
        (Find(info->hSubMenu) == nullptr || Reaches(info->hSubMenu, ref.handle))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    MenuItem& it = *ref.operator->();
    if (info->fMask & (MIIM_FTYPE | MIIM_TYPE)) {
        it.type = info->fType & TypeBits;
    }
    if (info->fMask & MIIM_STATE) {
        it.state = info->fState & StateBits;
    }
    if (info->fMask & MIIM_ID) {
        it.id = info->wID;
    }
    if (info->fMask & MIIM_SUBMENU) {
        it.sub = info->hSubMenu;
    }
    if (info->fMask & MIIM_DATA) {
        it.data = info->dwItemData;
    }
    if ((info->fMask & (MIIM_STRING | MIIM_TYPE)) && !(it.type & MFT_SEPARATOR)) {
        it.text = info->dwTypeData != nullptr ? info->dwTypeData : "";
    }
    return TRUE;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    const ItemRef ref = Locate(menu, item, (flags & MF_BYPOSITION) != 0);
    if (ref.menu == nullptr) {
        return static_cast<UINT>(-1);
    }
    const UINT bits = ref->type | ref->state;
    if (ref->sub != nullptr) {
        return (static_cast<UINT>(GetMenuItemCount(ref->sub)) << 8) | MF_POPUP | (bits & 0xFF);
    }
    return bits;
}

int GetMenuString(HMENU menu, UINT item, LPSTR buffer, int size, UINT flags) {
    const ItemRef ref = Locate(menu, item, (flags & MF_BYPOSITION) != 0);
    if (ref.menu == nullptr) {
        return 0;
    }
    return static_cast<int>(CopyText(ref->text, buffer, static_cast<UINT>(std::max(size, 0))));
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable) {
    const ItemRef ref = Locate(menu, item, (enable & MF_BYPOSITION) != 0);
    if (ref.menu == nullptr) {
        return -1;
    }
    const UINT previous = ref->state & MFS_GRAYED;
    UINT state = enable & (MF_GRAYED | MF_DISABLED);
    if (state & MF_GRAYED) {
        state |= MF_DISABLED;
    }
    ref->state = (ref->state & ~MFS_GRAYED) | state;
    return static_cast<BOOL>((previous & MF_GRAYED) ? MF_GRAYED : previous);
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT check) {
    const ItemRef ref = Locate(menu, item, (check & MF_BYPOSITION) != 0);
    if (ref.menu == nullptr) {
        return static_cast<DWORD>(-1);
    }
    const DWORD previous = ref->state & MFS_CHECKED;
    ref->state = (ref->state & ~MFS_CHECKED) | (check & MF_CHECKED);
    return previous;
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
    const bool byPosition = (flags & MF_BYPOSITION) != 0;
    const ItemRef from = Locate(menu, first, byPosition);
    const ItemRef to = Locate(menu, last, byPosition);
    const ItemRef chosen = Locate(menu, check, byPosition);
    if (from.menu == nullptr || from.menu != to.menu || chosen.menu != from.menu) {
        return FALSE;
    }
    const auto [lo, hi] = std::minmax(from.index, to.index);
    if (chosen.index < lo || chosen.index > hi) {
        return FALSE;
    }
    for (std::size_t i = lo; i <= hi; ++i) {
        MenuItem& it = from.menu->items[i];
        if (it.type & MFT_SEPARATOR) {
            continue;
        }
        if (i == chosen.index) {
            it.state |= MFS_CHECKED;
            it.type |= MFT_RADIOCHECK;
        } else {
            it.state &= ~MFS_CHECKED;
        }
    }
    return TRUE;
}

BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition) {
    MenuObject* object = Find(menu);
    if (object == nullptr) {
        return FALSE;
    }
    ItemRef target;
    if (item != static_cast<UINT>(-1)) {
        target = Locate(menu, item, byPosition != 0);
        if (target.menu != object) {
            return FALSE;
        }
    }
    for (auto& it : object->items) {
        it.state &= ~MFS_DEFAULT;
    }
    if (target.menu != nullptr) {
        target->state |= MFS_DEFAULT;
    }
    return TRUE;
}

UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT flags) {
    const MenuObject* object = Find(menu);
    if (object == nullptr) {
        return static_cast<UINT>(-1);
    }
    for (std::size_t i = 0; i < object->items.size(); ++i) {
        const MenuItem& it = object->items[i];
        if (!(it.state & MFS_DEFAULT)) {
            continue;
        }
        if ((it.state & MFS_GRAYED) && !(flags & GMDI_USEDISABLED)) {
            return static_cast<UINT>(-1);
        }
        return byPosition ? static_cast<UINT>(i) : it.id;
    }
    return static_cast<UINT>(-1);
}

namespace kwin {

void MenuPopupOpening(HWND owner, HMENU popup, int indexInParent, bool fromBar) {
    if (!IsWindow(owner)) {
        return;
    }
    if (fromBar) {
        SendMessage(owner, WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(owner)), 0);
    }
    SendMessage(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup),
                MAKELPARAM(static_cast<WORD>(indexInParent), FALSE));
}

void MenuCommandChosen(HWND owner, UINT id) {
    if (IsWindow(owner)) {
        PostMessage(owner, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }
}

} // namespace kwin
