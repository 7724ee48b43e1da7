#pragma once

#include "views/win/framework/CWindow.h"

#include <string>

class CGridCtrl;

// What an in-place edit reports to its grid when it ends.
struct InPlaceEditNotify {
    NMHDR hdr;
    int row;
    int col;
    UINT lastChar; // the key that ended the edit, or 0
    const char* text;
};

// The "EDIT" box laid over a cell while it is edited. It ends on Enter, Tab,
// Esc (which gives back the old text) or when it loses the focus, tells the
// grid its text, and destroys itself.
class CInPlaceEdit : public CWindow {
public:
    static constexpr UINT DefaultId = 1001;

    CInPlaceEdit(CGridCtrl& grid, const RECT& cellRect, DWORD style, UINT id, int row, int col,
                 std::string text, UINT firstChar);

    // Places the caret as what started the edit asks for.
    void Start(UINT firstChar);
    void EndEdit();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage(HWND hwnd) override;

private:
    LRESULT OnKeyDown(WPARAM key, LPARAM lParam);
    LRESULT OnChar(WPARAM ch, LPARAM lParam);
    void Widen();

    CGridCtrl& m_grid;
    int m_row;
    int m_col;
    std::string m_initialText;
    UINT m_lastChar = 0;
    bool m_exitOnArrows = false;
    bool m_ending = false;
    RECT m_rect{};
};
