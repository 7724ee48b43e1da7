#pragma once

#include "views/win/Win32.h"

#include <string>

// The one file dialog of the main window for game files ("Sudoku Files"
// *.sdk, "All Files"), kept for the window's life so it remembers its filter,
// and the current file name it starts with.
class CGameFileDialog {
public:
    static constexpr DWORD Flags =
        OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_CREATEPROMPT | OFN_EXPLORER | OFN_ENABLESIZING;

    CGameFileDialog();
    CGameFileDialog(const CGameFileDialog&) = delete;
    CGameFileDialog& operator=(const CGameFileDialog&) = delete;

    // Shows the dialog starting at the current file name. The chosen path is
    // returned, the current file name is left alone: the caller takes the
    // path on with SetFileName once it has been used.
    bool ChooseToOpen(HWND owner, std::string& path);
    bool ChooseToSave(HWND owner, std::string& path);

    const std::string& FileName() const { return m_fileName; }
    void SetFileName(const std::string& path) { m_fileName = path; }
    void ClearFileName() { m_fileName.clear(); }

    const OPENFILENAME& Description() const { return m_ofn; }

private:
    bool Choose(HWND owner, bool save, std::string& path);

    OPENFILENAME m_ofn{};
    char m_buffer[MAX_PATH] = {};
    char m_title[256] = {};
    std::string m_fileName;
};
