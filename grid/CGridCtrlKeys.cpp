// The keyboard: moving the focus cell, selecting with Shift, the edit
// shortcuts, and starting an in-place edit by F2 or a typed character.

#include "grid/CGridCtrl.h"

#include <algorithm>

namespace {

bool KeyHeld(int key) {
    return GetKeyState(key) < 0;
}

} // namespace

int CGridCtrl::NextVisibleRow(int row, int step) const {
    for (int next = row + step; next >= m_fixedRows && next < m_rows; next += step) {
        if (GetRowHeight(next) > 0) {
            return next;
        }
    }
    return row;
}

int CGridCtrl::NextVisibleCol(int col, int step) const {
    for (int next = col + step; next >= m_fixedCols && next < m_cols; next += step) {
        if (GetColumnWidth(next) > 0) {
            return next;
        }
    }
    return col;
}

LRESULT CGridCtrl::OnGetDlgCode(WPARAM, LPARAM) {
    LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (m_handleTab && !KeyHeld(VK_CONTROL)) {
        code |= DLGC_WANTTAB;
    }
    return code;
}

bool CGridCtrl::HandleShortcut(WPARAM key) {
    const bool ctrl = KeyHeld(VK_CONTROL);
    const bool shift = KeyHeld(VK_SHIFT);
    if (ctrl && (key == 'C' || key == VK_INSERT)) {
        CopySelection();
    } else if (ctrl && key == 'A') {
        SelectAllCells();
    } else if ((ctrl && key == 'V') || (shift && key == VK_INSERT)) {
        PasteAtFocus();
    } else if (ctrl && key == 'X') {
        CutSelection();
    } else if (ctrl && key == VK_ADD) {
        const CellRange visible = GetVisibleNonFixedCellRange();
        for (int col = 0; col <= visible.maxCol; ++col) {
            if (col < m_fixedCols || col >= visible.minCol) {
                AutoSizeColumn(col, 0, false);
            }
        }
        ResetScrollBars();
        Invalidate(FALSE);
    } else if (key == VK_DELETE) {
        if (m_editable) {
            ClearSelectedText();
        }
    } else if (key == VK_F2) {
        BeginCellEdit(m_focusCell.row, m_focusCell.col, POINT{-1, -1}, VK_LBUTTON);
    } else {
        return false;
    }
    return true;
}

CellId CGridCtrl::PageMove(bool down) {
    const int oldTop = GetTopLeftNonFixedCell().row;
    SendMessage(WM_VSCROLL, down ? SB_PAGEDOWN : SB_PAGEUP, 0);
    const int moved = GetTopLeftNonFixedCell().row - oldTop;
    CellId next = m_focusCell;
    next.row = std::clamp(next.row + moved, m_fixedRows, m_rows - 1);
    return next;
}

CellId CGridCtrl::NextCellForKey(WPARAM key, bool ctrl, bool shift, bool& handled) {
    handled = true;
    CellId next = m_focusCell;
    switch (key) {
    case VK_UP:
        next.row = NextVisibleRow(next.row, -1);
        break;
    case VK_DOWN:
        next.row = NextVisibleRow(next.row, 1);
        break;
    case VK_LEFT:
        next.col = NextVisibleCol(next.col, -1);
        break;
    case VK_RIGHT:
        next.col = NextVisibleCol(next.col, 1);
        break;
    case VK_HOME:
        next.col = NextVisibleCol(m_fixedCols - 1, 1);
        SendMessage(WM_HSCROLL, SB_LEFT, 0);
        if (ctrl) {
            next.row = NextVisibleRow(m_fixedRows - 1, 1);
            SendMessage(WM_VSCROLL, SB_TOP, 0);
        }
        break;
    case VK_END:
        next.col = NextVisibleCol(m_cols, -1);
        SendMessage(WM_HSCROLL, SB_RIGHT, 0);
        if (ctrl) {
            next.row = NextVisibleRow(m_rows, -1);
            SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
        }
        break;
    case VK_PRIOR:
    case VK_NEXT:
        next = PageMove(key == VK_NEXT);
        break;
    case VK_TAB: {
        const int step = shift ? -1 : 1;
        const int col = NextVisibleCol(next.col, step);
        if (col != next.col) {
            next.col = col;
        } else if (const int row = NextVisibleRow(next.row, step); row != next.row) {
            next.row = row;
            next.col = shift ? NextVisibleCol(m_cols, -1) : NextVisibleCol(m_fixedCols - 1, 1);
        }
        break;
    }
    default:
        handled = false;
        break;
    }
    return next;
}

void CGridCtrl::MoveFocusByKey(CellId next, WPARAM key, bool shift) {
    if (m_mouseMode == MouseMode::Nothing) {
        if (!shift || key == VK_TAB || !IsValid(m_selectionStart)) {
            m_selectionStart = next;
        }
        SendMessageToParent(next.row, next.col, GridNotifyCode::SelChanging);
        CellRange range = CellRange::Between(m_selectionStart, next);
        if (m_listMode) {
            range.minCol = m_fixedCols;
            range.maxCol = m_cols - 1;
        }
        if (m_enableSelection) {
            SetSelectedRange(range);
        }
        SendMessageToParent(next.row, next.col, GridNotifyCode::SelChanged);
    }
    SetFocusCell(next);
    const int hPos = GetScrollPos32(SB_HORZ);
    const int vPos = GetScrollPos32(SB_VERT);
    EnsureVisible(next);
    if (GetScrollPos32(SB_HORZ) != hPos) {
        SendMessage(WM_HSCROLL, SB_ENDSCROLL, 0);
    }
    if (GetScrollPos32(SB_VERT) != vPos) {
        SendMessage(WM_VSCROLL, SB_ENDSCROLL, 0);
    }
}

LRESULT CGridCtrl::OnKeyDown(WPARAM key, LPARAM lParam) {
    if (!IsValid(m_focusCell)) {
        return DefWindowProc(WM_KEYDOWN, key, lParam);
    }
    if (HandleShortcut(key)) {
        return 0;
    }
    const bool ctrl = KeyHeld(VK_CONTROL);
    const bool shift = KeyHeld(VK_SHIFT);
    if (key == VK_TAB && m_leaveOnTab) {
        ::SendMessage(::GetParent(m_hWnd), WM_NEXTDLGCTL, shift ? 1 : 0, 0);
        return 0;
    }
    bool handled = false;
    const CellId next = NextCellForKey(key, ctrl, shift, handled);
    if (!handled) {
        return DefWindowProc(WM_KEYDOWN, key, lParam);
    }
    if (!(next == m_focusCell) && IsValid(next)) {
        MoveFocusByKey(next, key, shift);
    }
    return 0;
}

LRESULT CGridCtrl::OnChar(WPARAM ch, LPARAM lParam) {
    const bool tabHandled = ch == VK_TAB && m_handleTab;
    if (KeyHeld(VK_CONTROL) || m_mouseMode != MouseMode::Nothing || ch == VK_ESCAPE || tabHandled ||
        !IsValid(m_focusCell)) {
        return DefWindowProc(WM_CHAR, ch, lParam);
    }
    if (AcceptsChar(m_focusCell, static_cast<UINT>(ch))) {
        BeginCellEdit(m_focusCell.row, m_focusCell.col, POINT{-1, -1}, static_cast<UINT>(ch));
        return 0;
    }
    return DefWindowProc(WM_CHAR, ch, lParam);
}

LRESULT CGridCtrl::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam != 0) {
        return DefWindowProc(WM_COMMAND, wParam, lParam); // a child's notification
    }
    switch (LOWORD(wParam)) {
    case GridCommand::SelectAll:
        SelectAllCells();
        return 0;
    case GridCommand::Copy:
        CopySelection();
        return 0;
    case GridCommand::Cut:
        CutSelection();
        return 0;
    case GridCommand::Paste:
        PasteAtFocus();
        return 0;
    default:
        return DefWindowProc(WM_COMMAND, wParam, lParam);
    }
}
