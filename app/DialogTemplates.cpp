#include "app/DialogTemplates.h"

#include "app/ResourceIds.h"
#include "views/win/ResourceTemplates.h"
#include "views/win/Win32.h"

namespace {

using kwin::DialogItemTemplate;
using kwin::DialogTemplate;

constexpr DWORD ModalStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
constexpr DWORD NameEditStyle = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD DefaultButton = BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr DWORD PushButton = BS_PUSHBUTTON | WS_TABSTOP;

DialogTemplate AboutTemplate() {
    DialogTemplate about;
    about.style = ModalStyle;
    about.cx = 241;
    about.cy = 118;
    about.caption = "About";
    about.fontFace = "MS Sans Serif";
    about.items = {
        {"BUTTON", "", -1, BS_GROUPBOX, 0, 7, 7, 167, 104, 0},
        {"STATIC", "", -1, SS_ICON, 0, 81, 20, 20, 20, IDR_MAINFRAME},
        {"STATIC", "Kalmora", IDC_VERSION_TEXT, SS_CENTER | WS_GROUP, 0, 7, 56, 167, 22, 0},
        {"STATIC", "A Sudoku game for the desktop", -1, SS_CENTER | WS_GROUP, 0, 7, 90, 167, 21, 0},
        {"BUTTON", "OK", IDOK, DefaultButton, 0, 184, 97, 50, 14, 0},
    };
    return about;
}

DialogTemplate MakeSnapshotTemplate() {
    DialogTemplate snapshot;
    snapshot.style = ModalStyle | DS_FIXEDSYS;
    snapshot.cx = 311;
    snapshot.cy = 92;
    snapshot.caption = "Make a snapshot";
    snapshot.fontFace = "MS Shell Dlg";
    snapshot.items = {
        {"STATIC", "Enter snapshot's name:", -1, SS_LEFT, 0, 7, 19, 76, 8, 0},
        {"EDIT", "", IDC_NAME_EDIT, NameEditStyle, 0, 7, 34, 297, 14, 0},
        {"BUTTON", "OK", IDOK, DefaultButton, 0, 198, 71, 50, 14, 0},
        {"BUTTON", "Cancel", IDCANCEL, PushButton, 0, 254, 71, 50, 14, 0},
    };
    return snapshot;
}

DialogTemplate WinnerTemplate() {
    DialogTemplate winner;
    winner.style = ModalStyle | DS_FIXEDSYS;
    winner.cx = 309;
    winner.cy = 138;
    winner.caption = "Dialog";
    winner.fontFace = "MS Shell Dlg";
    winner.items = {
        {"EDIT", "", IDC_MESSAGE_EDIT, ES_READONLY | ES_AUTOHSCROLL, 0, 7, 18, 295, 14, 0},
        {"STATIC", "Enter your name:", -1, SS_LEFT, 0, 7, 42, 57, 8, 0},
        {"EDIT", "", IDC_NAME_EDIT, NameEditStyle, 0, 7, 59, 295, 14, 0},
        {"BUTTON", "OK", IDOK, DefaultButton, 0, 198, 117, 50, 14, 0},
        {"BUTTON", "Cancel", IDCANCEL, PushButton, 0, 252, 117, 50, 14, 0},
    };
    return winner;
}

} // namespace

void RegisterDialogTemplates() {
    kwin::RegisterDialogTemplate(IDD_ABOUTBOX, AboutTemplate());
    kwin::RegisterDialogTemplate(IDD_MAKESNAPSHOT, MakeSnapshotTemplate());
    kwin::RegisterDialogTemplate(IDD_WINNER, WinnerTemplate());
}
