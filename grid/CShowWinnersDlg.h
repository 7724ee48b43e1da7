#pragma once

#include "grid/CMyGridCtrl.h"
#include "storage/WinnersLists.h"

#include <array>

// The modal dialog showing one level's winners in a read-only table: rank,
// name and time. The list is only read; without one only the header shows.
class CShowWinnersDlg {
public:
    explicit CShowWinnersDlg(const WinnersList* list = nullptr);

    // Shows template 208 over the owner; 1 for OK or Enter, 2 for Esc.
    INT_PTR DoModal(HWND owner);

    CMyGridCtrl& Grid() { return m_grid; }

    // The three column widths for a table client width: 1/20, 15/20 and
    // 4/20, each rounded, the last cut back until they fit.
    static std::array<int, 3> ColumnWidths(int clientWidth);

private:
    static INT_PTR DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL OnInitDialog(HWND dialog);
    void SetUpFonts();
    void SetUpHeader();
    void FillRows();

    const WinnersList* m_list;
    CMyGridCtrl m_grid;
};
