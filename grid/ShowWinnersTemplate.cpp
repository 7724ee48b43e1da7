#include "grid/ShowWinnersTemplate.h"

#include "grid/CGridCtrl.h"
#include "views/win/resources/ResourceTemplates.h"
#include "views/win/Win32.h"

void RegisterShowWinnersTemplate() {
    if (kwin::FindDialogTemplate(IDD_SHOW_WINNERS) != nullptr) {
        return;
    }
    kwin::DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS;
    dialog.cx = 493;
    dialog.cy = 304;
    dialog.caption = "Dialog";
    dialog.fontFace = "MS Shell Dlg";
    dialog.pointSize = 8;
    dialog.items = {
        kwin::DialogItemTemplate{CGridCtrl::ClassName, "Grid", IDC_WINNERS_GRID,
                                 WS_BORDER | WS_TABSTOP, 0, 7, 7, 479, 266, 0},
        kwin::DialogItemTemplate{"BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 436, 283,
                                 50, 14, 0},
    };
    kwin::RegisterDialogTemplate(IDD_SHOW_WINNERS, dialog);
}
