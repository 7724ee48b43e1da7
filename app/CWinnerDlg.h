#pragma once

#include "app/CModalDialog.h"

#include <string>

// Shown when a won game enters its level's winners list: the caller's message
// on a read-only line, and an edit for the player's name, taken whole.
class CWinnerDlg : public CModalDialog {
public:
    CWinnerDlg();

    std::string name;
    std::string message;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id) override;
};
