#include "app/CWinnerDlg.h"

#include "app/DialogTemplates.h"
#include "views/win/framework/CenterWindow.h"

CWinnerDlg::CWinnerDlg() : CModalDialog(IDD_WINNER) {}

BOOL CWinnerDlg::OnInitDialog() {
    CenterWindow(Handle());
    if (!SetDlgItemText(Handle(), IDC_MESSAGE_EDIT, message.c_str())) {
        MessageBeep(0);
        SetFocus(GetDlgItem(Handle(), IDC_MESSAGE_EDIT));
        return FALSE;
    }
    return TRUE;
}

bool CWinnerDlg::OnCommand(WORD id) {
    switch (id) {
    case IDOK: {
        bool complete = true;
        name = ItemText(IDC_NAME_EDIT, &complete);
        if (!complete) {
            MessageBeep(0);
            SetFocus(GetDlgItem(Handle(), IDC_NAME_EDIT));
        }
        End(IDOK);
        return true;
    }
    case IDCANCEL:
        End(IDCANCEL);
        return true;
    default:
        return false;
    }
}
