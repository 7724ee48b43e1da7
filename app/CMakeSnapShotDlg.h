#pragma once

#include "app/CModalDialog.h"

#include <string>

// Game > Make a snapshot: asks for the snapshot's name. It opens at its
// template position; OK gives the edit's text exactly as typed.
class CMakeSnapShotDlg : public CModalDialog {
public:
    CMakeSnapShotDlg();

    std::string name;

protected:
    bool OnCommand(WORD id) override;
};
