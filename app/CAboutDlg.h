#pragma once

#include "app/CModalDialog.h"

#include <string>

// Help > About: one line built from the program's version resource. Only OK
// (the button or Enter) closes it; Esc and the close box leave it open.
class CAboutDlg : public CModalDialog {
public:
    CAboutDlg();

    std::string text;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id) override;
};
