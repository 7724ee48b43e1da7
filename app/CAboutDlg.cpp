#include "app/CAboutDlg.h"

#include "app/DialogTemplates.h"
#include "views/win/framework/CenterWindow.h"

CAboutDlg::CAboutDlg() : CModalDialog(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog() {
    SetDlgItemText(Handle(), IDC_VERSION_TEXT, text.c_str());
    CenterWindow(Handle(), GetParent(Handle()));
    return TRUE;
}

bool CAboutDlg::OnCommand(WORD id) {
    if (id == IDOK) {
        End(IDOK);
    }
    // Everything is taken, so IDCANCEL (Esc, the close box) ends nothing.
    return true;
}
