#include "app/MainMenu.h"

#include "app/CommandIds.h"
#include "app/ResourceIds.h"
#include "views/win/ResourceTemplates.h"

using kwin::MenuTemplateItem;

namespace {

MenuTemplateItem Item(const char* text, UINT id) {
    return {text, id};
}

MenuTemplateItem Separator() {
    return {"", 0, MF_SEPARATOR};
}

MenuTemplateItem Popup(const char* text, std::vector<MenuTemplateItem> items, UINT extraFlags = 0) {
    return {text, 0, MF_POPUP | extraFlags, std::move(items)};
}

MenuTemplateItem FileMenu() {
    return Popup("File",
                 {
                     Popup("&New", {Item("Blank", ID_NEW_BLANK), Item("Easy", ID_NEW_EASY),
                                    Item("Normal", ID_NEW_NORMAL), Item("Hard", ID_NEW_HARD),
                                    Item("Insane", ID_NEW_INSANE)}),
                     Item("&Load...\tF3", ID_FILE_LOAD),
                     Item("&Save\tF2", ID_FILE_SAVE),
                     Item("Save &as...", ID_FILE_SAVE_AS),
                     Separator(),
                     Item("E&xit", ID_APP_EXIT),
                 });
}

MenuTemplateItem GameMenu() {
    return Popup("Game",
                 {
                     Item("&Undo\tCtrl-Z", ID_GAME_UNDO),
                     Item("&Redo\tCtrl-Y", ID_GAME_REDO),
                     Separator(),
                     Item("A&uto-Check", ID_GAME_AUTOCHECK),
                     Separator(),
                     Item("&Make a snapshot...\tF4", ID_GAME_MAKE_SNAPSHOT),
                     Item("&Load snapshot", ID_GAME_LOAD_SNAPSHOT),
                     Separator(),
                     Item("R&eset\tCtrl-R", ID_GAME_RESET),
                     Item("&Hint\tCtrl-H", ID_GAME_HINT),
                     Item("&Check\tCtrl-K", ID_GAME_CHECK),
                     Item("Try to &Solve", ID_GAME_TRY_SOLVE),
                     Separator(),
                     Popup("Show Top Winners", {Item("Easy Game", ID_TOP_WINNERS_EASY),
                                                Item("Normal Game", ID_TOP_WINNERS_NORMAL),
                                                Item("Hard Game", ID_TOP_WINNERS_HARD),
                                                Item("Insane Game", ID_TOP_WINNERS_INSANE)}),
                 });
}

MenuTemplateItem HelpMenu() {
    return Popup("Help", {Item("&About", ID_APP_ABOUT)}, MF_HELP);
}

} // namespace

void RegisterMainMenu() {
    kwin::RegisterMenuTemplate(IDR_MAINFRAME, {FileMenu(), GameMenu(), HelpMenu()});
}
