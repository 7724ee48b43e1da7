#include "app/CMakeSnapShotDlg.h"

#include "app/DialogTemplates.h"

CMakeSnapShotDlg::CMakeSnapShotDlg() : CModalDialog(IDD_MAKESNAPSHOT) {}

bool CMakeSnapShotDlg::OnCommand(WORD id) {
    switch (id) {
    case IDOK:
        name = ItemText(IDC_NAME_EDIT);
        End(IDOK);
        return true;
    case IDCANCEL:
        End(IDCANCEL);
        return true;
    default:
        return false;
    }
}
