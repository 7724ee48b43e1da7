// The field view's keyboard: first the game keys that act whatever the
// selection, then the keys that work on the selected cell.

#include "views/CGameFieldView.h"

namespace {

bool IsDown(int virtualKey) {
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

// The digit of a main-keyboard or keypad digit key 1-9, or 0.
int DigitOfKey(UINT key) {
    if (key >= '1' && key <= '9') {
        return static_cast<int>(key - '0');
    }
    if (key >= VK_NUMPAD1 && key <= VK_NUMPAD9) {
        return static_cast<int>(key - VK_NUMPAD0);
    }
    return 0;
}

std::uint32_t Previous(std::uint32_t n) {
    return n <= 1 ? 9 : n - 1;
}

std::uint32_t Next(std::uint32_t n) {
    return n >= 9 ? 1 : n + 1;
}

} // namespace

bool CGameFieldView::OnKeyDown(UINT key) {
    const bool control = IsDown(VK_CONTROL);
    const bool shift = IsDown(VK_SHIFT);
    if (OnGameKey(key, control, shift)) {
        return true;
    }
    if (IsGameOver()) {
        ClearSelection();
        return true;
    }
    if (!GetSelection().IsValid()) {
        return false;
    }
    return OnCellKey(key, control, shift);
}

bool CGameFieldView::OnGameKey(UINT key, bool control, bool shift) {
    const bool ctrlOnly = control && !shift;
    const bool plain = !control && !shift;
    if (key == 'Z' && ctrlOnly) {
        ClearConflictRegion();
        Undo();
    } else if (key == 'Y' && ctrlOnly) {
        ClearConflictRegion();
        Redo();
    } else if (key == VK_ESCAPE && plain) {
        CancelSelection();
    } else if (key == 'M' && plain) {
        ToggleInputMode();
    } else if (key == 'K' && ctrlOnly) {
        if (!IsAutoCheck() && !Check()) {
            Repaint();
        }
    } else if (key == 'R' && ctrlOnly) {
        ResetGame();
    } else {
        return false;
    }
    return true;
}

bool CGameFieldView::OnCellKey(UINT key, bool control, bool shift) {
    const bool plain = !control && !shift;
    if (const int digit = DigitOfKey(key); digit != 0) {
        if (shift) {
            return false;
        }
        EnterDigitKey(digit, control);
        return true;
    }
    if (key == 'H') {
        if (!control || shift) {
            return false;
        }
        Hint();
        return true;
    }
    if (key == '0') {
        if (!plain || GetInputMode() != DigitEntry) {
            return false;
        }
        ClearDigit();
        return true;
    }
    if (key == VK_DELETE) {
        if (!plain) {
            return false;
        }
        ClearCell();
        return true;
    }
    if (shift) {
        return false;
    }
    return OnMoveKey(key, control);
}

bool CGameFieldView::OnMoveKey(UINT key, bool control) {
    CellPos pos = GetSelection();
    switch (key) {
    case VK_LEFT:
        pos.column = control ? 1 : Previous(pos.column);
        break;
    case VK_RIGHT:
        pos.column = control ? 9 : Next(pos.column);
        break;
    case VK_UP:
        pos.row = control ? 1 : Previous(pos.row);
        break;
    case VK_DOWN:
        pos.row = control ? 9 : Next(pos.row);
        break;
    case VK_HOME:
        pos.column = 1;
        pos.row = control ? pos.row : 1;
        break;
    case VK_END:
        pos.column = 9;
        pos.row = control ? pos.row : 9;
        break;
    case VK_PRIOR:
        if (control) {
            return false;
        }
        pos.row = 1;
        break;
    case VK_NEXT:
        if (control) {
            return false;
        }
        pos.row = 9;
        break;
    default:
        return false;
    }
    SelectCell(pos);
    return true;
}

void CGameFieldView::EnterDigitKey(int digit, bool control) {
    if (field.At(GetSelection()).IsGiven()) {
        return;
    }
    if (GetInputMode() == DigitEntry && !control) {
        SetDigit(digit);
    } else {
        ToggleMark(digit);
    }
}
