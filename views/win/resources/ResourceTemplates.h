#pragma once

// Compiled-in menus, accelerator tables and dialog templates. The program
// registers them at start-up by resource id; LoadMenu, LoadAccelerators and
// DialogBoxParam find them as they would find the executable's resources.

#include "views/win/api/WinMenu.h"
#include "views/win/api/WinTypes.h"

#include <string>
#include <vector>

namespace kwin {

// One menu item: a command (id), a separator (MF_SEPARATOR) or a popup
// holding items. "&" marks the mnemonic; text after a tab is the shortcut
// shown beside the item. MF_HELP puts a bar item at the right edge.
struct MenuTemplateItem {
    std::string text{};
    UINT id = 0;
    UINT flags = MF_STRING;
    std::vector<MenuTemplateItem> items{};
};

// Positions and sizes are in dialog units.
struct DialogItemTemplate {
    std::string className; // "BUTTON", "EDIT", "STATIC", a registered class
    std::string text;
    int id = -1;
    DWORD style = 0; // WS_CHILD | WS_VISIBLE are implied
    DWORD exStyle = 0;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
    UINT iconId = 0; // SS_ICON statics: the icon resource shown
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
    std::string caption;
    std::string fontFace; // used with DS_SETFONT
    WORD pointSize = 8;
    std::vector<DialogItemTemplate> items{};
};

void RegisterMenuTemplate(UINT id, std::vector<MenuTemplateItem> items);
void RegisterAcceleratorTable(UINT id, std::vector<ACCEL> entries);
void RegisterDialogTemplate(UINT id, DialogTemplate dialog);

const std::vector<MenuTemplateItem>* FindMenuTemplate(UINT id);
const std::vector<ACCEL>* FindAcceleratorTable(UINT id);
const DialogTemplate* FindDialogTemplate(UINT id);

} // namespace kwin
