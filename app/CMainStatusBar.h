#pragma once

#include "views/win/Win32.h"

// The main window's status bar: a "msctls_statusbar32" child docked along
// the bottom edge, re-docked whenever the main window is sized.
class CMainStatusBar {
public:
    HWND Create(HWND parent, LPCSTR text, UINT id);
    void Destroy();
    HWND GetHwnd() const { return m_hWnd; }

    // The status bar's share of the main window's messages: WM_SIZE.
    bool ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    HWND m_hWnd = nullptr;
};
