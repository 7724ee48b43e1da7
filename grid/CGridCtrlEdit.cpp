// Editing a cell in place: starting, the parent's say, and taking the text.

#include "grid/CGridCtrl.h"

#include "grid/CInPlaceEdit.h"
#include "grid/InputClasses.h"

#include <algorithm>

namespace {

// Keys that ended an in-place edit and then act as if pressed in the grid.
bool CarriesOnAfterEdit(UINT key) {
    switch (key) {
    case VK_TAB:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
        return true;
    default:
        return false;
    }
}

} // namespace

bool CGridCtrl::AcceptsChar(CellId cell, UINT ch) const {
    const CGridCellBase* target = GetCell(cell.row, cell.col);
    return target != nullptr && ch <= 0xFF &&
           (InputClassesOf(static_cast<unsigned char>(ch)) & target->GetInputMask()) != 0;
}

// Whether a point lies on the cell's text; an empty cell is all text.
bool CGridCtrl::PointOnCellText(CellId cell, POINT point) {
    CGridCellBase* target = GetCell(cell.row, cell.col);
    RECT rect{};
    if (target == nullptr || !GetCellRect(cell.row, cell.col, &rect)) {
        return false;
    }
    const std::string text = target->GetText();
    if (text.empty()) {
        return true;
    }
    const LONG margin = static_cast<LONG>(target->GetMargin());
    const LONG width = target->GetTextExtent(text).cx - 2 * margin;
    const UINT format = target->GetFormat();
    LONG left = rect.left + margin;
    if (format & DT_RIGHT) {
        left = rect.right - margin - width;
    } else if (format & DT_CENTER) {
        left = (rect.left + rect.right - width) / 2;
    }
    return point.x >= left && point.x <= left + width;
}

void CGridCtrl::BeginCellEdit(int row, int col, POINT point, UINT ch) {
    CGridCellBase* cell = GetCell(row, col);
    if (!m_editable || cell == nullptr || cell->IsReadOnly() || !IsWindow()) {
        return;
    }
    if (cell->IsEditing()) {
        // Keys typed before the box took the focus go on into it.
        RECT rect{};
        GetCellRect(row, col, &rect);
        cell->Edit(row, col, rect, point, CInPlaceEdit::DefaultId, ch);
        return;
    }
    EnsureVisible(row, col);
    RECT rect{};
    if (!GetCellRect(row, col, &rect)) {
        return;
    }
    if (SendMessageToParent(row, col, GridNotifyCode::BeginLabelEdit) < 0) {
        return;
    }
    cell->Edit(row, col, rect, point, CInPlaceEdit::DefaultId, ch);
}

bool CGridCtrl::ValidateCellText(int row, int col, const std::string& text) {
    CGridCellBase* cell = GetCell(row, col);
    return cell != nullptr && cell->ValidateEdit(text);
}

void CGridCtrl::FinishCellEdit(int row, int col, const std::string& text, UINT) {
    CGridCellBase* cell = GetCell(row, col);
    if (cell == nullptr) {
        return;
    }
    const std::string old = cell->GetText();
    if (text != old) {
        cell->SetText(text);
        const bool valid = ValidateCellText(row, col, text);
        // A grid with no one to ask keeps what was typed.
        const bool accepted =
            valid && (!HasNotifyTarget() ||
                      SendMessageToParent(row, col, GridNotifyCode::EndLabelEdit) != 0);
        if (accepted) {
            SetModified(true, row, col);
        } else {
            cell->SetText(old);
        }
        RedrawCell(row, col);
    }
    cell->OnEndEdit();
}

void CGridCtrl::EndFocusCellEdit() {
    CGridCellBase* cell = GetCell(m_focusCell.row, m_focusCell.col);
    if (cell != nullptr && cell->IsEditing()) {
        cell->EndEdit();
    }
}

LRESULT CGridCtrl::OnNotify(LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header == nullptr || header->code != GridNotifyCode::EndLabelEdit ||
        ::GetParent(header->hwndFrom) != m_hWnd) {
        return 0;
    }
    const auto* edit = reinterpret_cast<const InPlaceEditNotify*>(lParam);
    const UINT lastChar = edit->lastChar;
    FinishCellEdit(edit->row, edit->col, edit->text != nullptr ? edit->text : "", lastChar);
    if (CarriesOnAfterEdit(lastChar)) {
        OnKeyDown(lastChar, 0);
    }
    return 0;
}
