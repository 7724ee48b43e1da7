// Menus built from data, their items' states, the menu bar's share of the
// window, the popup and command messages, and accelerator translation with
// exact modifiers.

#include "TestWindows.h"

#include "views/win/backend/Backend.h"
#include "views/win/resources/ResourceTemplates.h"

#include <algorithm>
#include <string>

using namespace wintest;
using kwin::MenuTemplateItem;

namespace {

constexpr UINT MenuId = 900;
constexpr UINT AccelId = 901;

const std::vector<MenuTemplateItem>& TestMenu() {
    static const std::vector<MenuTemplateItem> menu{
        {"File",
         0,
         MF_POPUP,
         {{"&New", 0, MF_POPUP, {{"Blank", 32793}, {"Easy", 32794}}},
          {"&Load...\tF3", 57601},
          {"&Save\tF2", 57603},
          {"", 0, MF_SEPARATOR},
          {"E&xit", 57665}}},
        {"Game",
         0,
         MF_POPUP,
         {{"&Undo\tCtrl-Z", 57643},
          {"&Redo\tCtrl-Y", 57644, MF_GRAYED},
          {"", 0, MF_SEPARATOR},
          {"A&uto-Check", 32802},
          {"&Check\tCtrl-K", 32792}}},
        {"Help", 0, MF_POPUP | MF_HELP, {{"&About", 57664}}},
    };
    return menu;
}

std::string ItemText(HMENU menu, UINT position) {
    char buffer[64] = {};
    GetMenuString(menu, position, buffer, sizeof(buffer), MF_BYPOSITION);
    return buffer;
}

// An item info asking for the given members.
MENUITEMINFO Asking(UINT mask) {
    MENUITEMINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = mask;
    return info;
}

UINT State(HMENU menu, UINT id) {
    MENUITEMINFO info = Asking(MIIM_STATE);
    EXPECT_TRUE(GetMenuItemInfo(menu, id, FALSE, &info)) << id;
    return info.fState;
}

// Grays Undo whenever a popup opens: the state the user (or an accelerator) sees.
bool g_grayUndo = false;
LRESULT MenuOwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Log().Add(hwnd, message, wParam, lParam);
    if (message == WM_INITMENUPOPUP) {
        EnableMenuItem(reinterpret_cast<HMENU>(wParam), 57643,
                       MF_BYCOMMAND | (g_grayUndo ? MF_GRAYED : MF_ENABLED));
        CheckMenuItem(reinterpret_cast<HMENU>(wParam), 32802, MF_BYCOMMAND | MF_CHECKED);
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

HWND MakeOwner() {
    return CreateWindowEx(0, TestClass("KalmoraMenuOwner", MenuOwnerProc), "owner",
                          WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr, nullptr, nullptr,
                          nullptr);
}

// Presses a key as the backend would and runs the loop with the table as its
// filter; the messages the owner then gets are logged.
void Press(HWND owner, HACCEL table, UINT vk, unsigned modifiers) {
    kwin::DeliverKey(owner, true, vk, 0, false, false, modifiers, 0);
    kwin::DeliverKey(owner, false, vk, 0, false, false, modifiers, 0);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!TranslateAccelerator(owner, table, &msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
}

bool KeyDownReached(UINT vk) {
    const auto downs = WParamsOf(WM_KEYDOWN);
    const auto systemDowns = WParamsOf(WM_SYSKEYDOWN);
    return std::count(downs.begin(), downs.end(), vk) +
               std::count(systemDowns.begin(), systemDowns.end(), vk) >
           0;
}

} // namespace

// A menu from data has its template's items, which item info reads and
// writes. Enabling and checking report the state before; a radio check marks
// one item of its range; one item at a time is the default; destroying a menu
// or its window destroys its popups.
TEST(MenuTest, ItemsFromDataTheirInfoAndStatesAndDestruction) {
    kwin::RegisterMenuTemplate(MenuId, TestMenu());
    HMENU menu = LoadMenu(nullptr, MAKEINTRESOURCE(MenuId));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    EXPECT_EQ(ItemText(menu, 0), "File");
    EXPECT_EQ(ItemText(menu, 1), "Game");
    EXPECT_EQ(ItemText(menu, 2), "Help");
    HMENU file = GetSubMenu(menu, 0);
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(GetMenuItemCount(file), 5);
    EXPECT_EQ(GetMenuItemID(file, 0), static_cast<UINT>(-1)) << "a popup item has no command";
    HMENU fresh = GetSubMenu(file, 0);
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(GetMenuItemCount(fresh), 2);
    EXPECT_EQ(GetMenuItemID(fresh, 1), 32794u);
    EXPECT_EQ(ItemText(file, 1), "&Load...\tF3") << "mnemonic and shortcut text are kept";
    EXPECT_EQ(GetMenuItemID(file, 1), 57601u);
    EXPECT_NE(GetMenuState(file, 3, MF_BYPOSITION) & MF_SEPARATOR, 0u);
    EXPECT_EQ(GetMenuItemID(file, 4), 57665u);

    MENUITEMINFO help = Asking(MIIM_FTYPE | MIIM_SUBMENU);
    ASSERT_TRUE(GetMenuItemInfo(menu, 2, TRUE, &help));
    EXPECT_NE(help.fType & MFT_RIGHTJUSTIFY, 0u) << "Help sits at the right of the bar";
    EXPECT_EQ(help.hSubMenu, GetSubMenu(menu, 2));
    EXPECT_EQ(State(menu, 57644) & MFS_GRAYED, MFS_GRAYED) << "grayed in the template";
    EXPECT_EQ(State(menu, 57643) & MFS_GRAYED, 0u);

    MENUITEMINFO info = Asking(MIIM_STRING);
    ASSERT_TRUE(GetMenuItemInfo(menu, 57643, FALSE, &info));
    EXPECT_EQ(info.cch, 12u) << "length only when no buffer is given";
    char text[8] = {};
    info.dwTypeData = text;
    info.cch = sizeof(text);
    ASSERT_TRUE(GetMenuItemInfo(menu, 57643, FALSE, &info));
    EXPECT_STREQ(text, "&Undo\tC") << "cut to the buffer, terminated";

    EXPECT_EQ(EnableMenuItem(menu, 57643, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(EnableMenuItem(menu, 57643, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(EnableMenuItem(menu, 4242, MF_BYCOMMAND), -1);
    EXPECT_EQ(CheckMenuItem(menu, 32802, MF_BYCOMMAND | MF_CHECKED), MF_UNCHECKED);
    EXPECT_EQ(CheckMenuItem(menu, 32802, MF_BYCOMMAND | MF_UNCHECKED), MF_CHECKED);
    EXPECT_EQ(State(menu, 32802) & MFS_CHECKED, 0u);

    AppendMenu(fresh, MF_STRING, 32795, "Normal");
    ASSERT_TRUE(CheckMenuRadioItem(fresh, 32793, 32795, 32794, MF_BYCOMMAND));
    EXPECT_EQ(State(fresh, 32793) & MFS_CHECKED, 0u);
    EXPECT_EQ(State(fresh, 32794) & MFS_CHECKED, MFS_CHECKED);
    EXPECT_EQ(State(fresh, 32795) & MFS_CHECKED, 0u);
    ASSERT_TRUE(CheckMenuRadioItem(fresh, 0, 2, 2, MF_BYPOSITION));
    EXPECT_EQ(State(fresh, 32794) & MFS_CHECKED, 0u);
    EXPECT_EQ(State(fresh, 32795) & MFS_CHECKED, MFS_CHECKED);
    MENUITEMINFO type = Asking(MIIM_FTYPE);
    GetMenuItemInfo(fresh, 32795, FALSE, &type);
    EXPECT_NE(type.fType & MFT_RADIOCHECK, 0u);
    EXPECT_FALSE(CheckMenuRadioItem(fresh, 32793, 32794, 32795, MF_BYCOMMAND))
        << "the item to check lies outside the range";

    HMENU game = GetSubMenu(menu, 1);
    EXPECT_EQ(GetMenuDefaultItem(game, FALSE, 0), static_cast<UINT>(-1));
    ASSERT_TRUE(SetMenuDefaultItem(game, 32792, FALSE));
    EXPECT_EQ(GetMenuDefaultItem(game, FALSE, 0), 32792u);
    ASSERT_TRUE(SetMenuDefaultItem(game, 0, TRUE));
    EXPECT_EQ(GetMenuDefaultItem(game, TRUE, 0), 0u);
    EXPECT_EQ(State(game, 32792) & MFS_DEFAULT, 0u);
    ASSERT_TRUE(SetMenuDefaultItem(game, static_cast<UINT>(-1), FALSE));
    EXPECT_EQ(GetMenuDefaultItem(game, FALSE, 0), static_cast<UINT>(-1));

    HMENU snapshots = CreatePopupMenu();
    ASSERT_TRUE(AppendMenu(snapshots, MF_STRING, 36864, "first (00:00:05)"));
    MENUITEMINFO attach = Asking(MIIM_SUBMENU | MIIM_STATE);
    attach.hSubMenu = snapshots;
    attach.fState = MFS_ENABLED;
    ASSERT_TRUE(SetMenuItemInfo(menu, 32792, FALSE, &attach));
    EXPECT_NE(GetMenuState(menu, 36864, MF_BYCOMMAND), static_cast<UINT>(-1))
        << "commands are found inside an attached popup";
    EXPECT_FALSE(SetMenuItemInfo(menu, 36864, FALSE, &attach))
        << "a popup cannot be attached inside itself";
    attach.fMask = MIIM_STATE;
    attach.fState = MFS_GRAYED | MFS_CHECKED;
    ASSERT_TRUE(SetMenuItemInfo(menu, 36864, FALSE, &attach));
    EXPECT_EQ(State(menu, 36864), MFS_GRAYED | MFS_CHECKED);
    EXPECT_FALSE(GetMenuItemInfo(menu, 4242, FALSE, &attach)) << "no such command";
    // Destroying a menu or its window destroys its popups.
    ASSERT_TRUE(DeleteMenu(menu, 1, MF_BYPOSITION));
    EXPECT_EQ(GetMenuItemCount(menu), 2);
    ASSERT_TRUE(DestroyMenu(menu));
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_FALSE(IsMenu(file));
    EXPECT_FALSE(IsMenu(fresh));

    menu = LoadMenu(nullptr, MAKEINTRESOURCE(MenuId));
    HWND owner = MakeOwner();
    ASSERT_NE(owner, nullptr);
    SetMenu(owner, menu);
    game = GetSubMenu(menu, 1);
    DestroyWindow(owner);
    EXPECT_FALSE(IsMenu(menu)) << "a window takes its menu along";
    EXPECT_FALSE(IsMenu(game));
}

// A key with exactly the modifiers of an entry becomes its command and is
// swallowed (the system key of Alt too); any other key passes on. A menu
// item's command asks the owner for its state first.
TEST(AcceleratorTest, KeysBecomeCommandsOnlyWithExactlyTheirModifiersAndMenuItemsAskFirst) {
    kwin::RegisterMenuTemplate(MenuId, TestMenu());
    kwin::RegisterAcceleratorTable(AccelId, {{FVIRTKEY | FCONTROL, 'Z', 57643},
                                             {FVIRTKEY | FALT, VK_BACK, 57643},
                                             {FVIRTKEY, VK_F3, 57601},
                                             {FVIRTKEY, VK_F6, 57680},
                                             {FVIRTKEY | FSHIFT, VK_F6, 57681},
                                             {FVIRTKEY | FCONTROL, VK_INSERT, 57634}});
    HACCEL table = LoadAccelerators(nullptr, MAKEINTRESOURCE(AccelId));
    ASSERT_NE(table, nullptr);
    HWND owner = MakeOwner();
    ASSERT_NE(owner, nullptr);
    g_grayUndo = false;
    const struct {
        UINT vk;
        unsigned modifiers;
        WORD command; // 0: none
    } cases[] = {
        {'Z', kwin::ModControl, 57643},
        {VK_BACK, kwin::ModAlt, 57643},
        {VK_F3, 0, 57601},
        {VK_F6, kwin::ModShift, 57681},
        {VK_F6, 0, 57680},
        {'Z', kwin::ModControl | kwin::ModShift, 0},
        {'Z', 0, 0},
        {VK_F3, kwin::ModControl, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.vk << ", modifiers " << c.modifiers);
        Log().Clear();
        Press(owner, table, c.vk, c.modifiers);
        EXPECT_EQ(WParamsOf(WM_COMMAND), c.command != 0
                                             ? std::vector<WPARAM>{MAKEWPARAM(c.command, 1)}
                                             : std::vector<WPARAM>{});
        EXPECT_EQ(KeyDownReached(c.vk), c.command == 0);
    }
    EXPECT_EQ(CopyAcceleratorTable(table, nullptr, 0), 6);
    ACCEL entries[2] = {};
    EXPECT_EQ(CopyAcceleratorTable(table, entries, 2), 2);
    EXPECT_EQ(entries[1].key, VK_BACK);
    EXPECT_EQ(entries[1].cmd, 57643);
    EXPECT_EQ(LoadAccelerators(nullptr, MAKEINTRESOURCE(4242)), nullptr);

    // The command of a menu item asks the owner for its state first.
    HMENU menu = LoadMenu(nullptr, MAKEINTRESOURCE(MenuId));
    SetMenu(owner, menu);
    Log().Clear();
    Press(owner, table, 'Z', kwin::ModControl);
    EXPECT_TRUE(
        Log().Matches({{WM_INITMENU, CheckW, reinterpret_cast<WPARAM>(menu)},
                       {WM_INITMENUPOPUP, CheckBoth, reinterpret_cast<WPARAM>(GetSubMenu(menu, 1)),
                        MAKELPARAM(1, FALSE)},
                       {WM_COMMAND, CheckBoth, MAKEWPARAM(57643, 1), 0},
                       {WM_KEYUP, Optional}}));
    g_grayUndo = true;
    Log().Clear();
    Press(owner, table, 'Z', kwin::ModControl);
    EXPECT_TRUE(WParamsOf(WM_COMMAND).empty()) << "a grayed item takes no command";
    EXPECT_FALSE(KeyDownReached('Z')) << "but the key is still the accelerator's";
    Log().Clear();
    Press(owner, table, VK_INSERT, kwin::ModControl);
    EXPECT_EQ(WParamsOf(WM_COMMAND), std::vector<WPARAM>{MAKEWPARAM(57634, 1)})
        << "a command outside the menu is sent without asking";
    DestroyAcceleratorTable(table);
    DestroyWindow(owner);
}
