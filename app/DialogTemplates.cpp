#include "app/DialogTemplates.h"

#include "app/ResourceIds.h"
#include "views/win/Win32.h"
#include "views/win/resources/ResourceTemplates.h"

#include <utility>
#include <vector>

namespace {

using kwin::DialogItemTemplate;
using kwin::DialogTemplate;

constexpr DWORD ModalStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
constexpr DWORD NameEditStyle = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD DefaultButton = BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr DWORD PushButton = BS_PUSHBUTTON | WS_TABSTOP;

// A modal dialog in dialog units; the fixed-system dialogs use "MS Shell Dlg".
DialogTemplate Modal(DWORD extraStyle, short cx, short cy, const char* caption,
                     std::vector<DialogItemTemplate> items) {
    const char* face = (extraStyle & DS_FIXEDSYS) != 0 ? "MS Shell Dlg" : "MS Sans Serif";
    return DialogTemplate{.style = ModalStyle | extraStyle,
                          .cx = cx,
                          .cy = cy,
                          .caption = caption,
                          .fontFace = face,
                          .items = std::move(items)};
}

DialogTemplate AboutTemplate() {
    return Modal(
        0, 241, 118, "About",
        {
            {"BUTTON", "", -1, BS_GROUPBOX, 0, 7, 7, 167, 104, 0},
            {"STATIC", "", -1, SS_ICON, 0, 81, 20, 20, 20, IDR_MAINFRAME},
            {"STATIC", "Kalmora", IDC_VERSION_TEXT, SS_CENTER | WS_GROUP, 0, 7, 56, 167, 22, 0},
            {"STATIC", "A Sudoku game for the desktop", -1, SS_CENTER | WS_GROUP, 0, 7, 90, 167, 21,
             0},
            {"BUTTON", "OK", IDOK, DefaultButton, 0, 184, 97, 50, 14, 0},
        });
}

DialogTemplate MakeSnapshotTemplate() {
    return Modal(DS_FIXEDSYS, 311, 92, "Make a snapshot",
                 {
                     {"STATIC", "Enter snapshot's name:", -1, SS_LEFT, 0, 7, 19, 76, 8, 0},
                     {"EDIT", "", IDC_NAME_EDIT, NameEditStyle, 0, 7, 34, 297, 14, 0},
                     {"BUTTON", "OK", IDOK, DefaultButton, 0, 198, 71, 50, 14, 0},
                     {"BUTTON", "Cancel", IDCANCEL, PushButton, 0, 254, 71, 50, 14, 0},
                 });
}

DialogTemplate WinnerTemplate() {
    return Modal(
        DS_FIXEDSYS, 309, 138, "Dialog",
        {
            {"EDIT", "", IDC_MESSAGE_EDIT, ES_READONLY | ES_AUTOHSCROLL, 0, 7, 18, 295, 14, 0},
            {"STATIC", "Enter your name:", -1, SS_LEFT, 0, 7, 42, 57, 8, 0},
            {"EDIT", "", IDC_NAME_EDIT, NameEditStyle, 0, 7, 59, 295, 14, 0},
            {"BUTTON", "OK", IDOK, DefaultButton, 0, 198, 117, 50, 14, 0},
            {"BUTTON", "Cancel", IDCANCEL, PushButton, 0, 252, 117, 50, 14, 0},
        });
}

} // namespace

void RegisterDialogTemplates() {
    kwin::RegisterDialogTemplate(IDD_ABOUTBOX, AboutTemplate());
    kwin::RegisterDialogTemplate(IDD_MAKESNAPSHOT, MakeSnapshotTemplate());
    kwin::RegisterDialogTemplate(IDD_WINNER, WinnerTemplate());
}
