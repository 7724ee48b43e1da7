// Copy, cut and paste of the selected cells as tab-separated text.

#include "grid/CGridCtrl.h"

#include "views/win/clipboard/CTextDataObject.h"

#include <stdexcept>

std::string CGridCtrl::SelectionText() {
    const CellRange range = GetSelectedRange();
    std::string text;
    if (!range.IsValid()) {
        return text;
    }
    for (int row = range.minRow; row <= range.maxRow; ++row) {
        if (GetRowHeight(row) <= 0) {
            continue;
        }
        for (int col = range.minCol; col <= range.maxCol; ++col) {
            if (GetColumnWidth(col) <= 0) {
                continue;
            }
            if (IsCellSelected(row, col)) {
                text += GetItemText(row, col);
            }
            if (col < range.maxCol) {
                text += '\t';
            }
        }
        if (row < range.maxRow) {
            text += "\r\n";
        }
    }
    return text;
}

IDataObject* CGridCtrl::CreateTextDataObject() {
    return new CTextDataObject(SelectionText());
}

void CGridCtrl::CopySelection() {
    if (m_selected.empty()) {
        return;
    }
    IDataObject* data = CreateTextDataObject();
    const HRESULT result = OleSetClipboard(data);
    data->Release();
    if (FAILED(result)) {
        throw std::runtime_error("The selected cells could not be placed on the clipboard.");
    }
}

void CGridCtrl::CutSelection() {
    if (!m_editable) {
        return;
    }
    CopySelection();
    ClearSelectedText();
}

void CGridCtrl::ClearSelectedText() {
    for (const auto& [key, cell] : m_selected) {
        CGridCellBase* target = GetCell(cell.row, cell.col);
        if (target != nullptr && !target->IsReadOnly()) {
            SetItemText(cell.row, cell.col, "");
            RedrawCell(cell.row, cell.col);
        }
    }
}

void CGridCtrl::PasteAtFocus() {
    if (!m_editable || !IsClipboardFormatAvailable(CF_TEXT)) {
        return;
    }
    IDataObject* data = nullptr;
    if (SUCCEEDED(OleGetClipboard(&data)) && data != nullptr) {
        PasteTextData(data);
        data->Release();
    }
}

// Lines fill rows and tab- or comma-separated fields fill cells from the
// selection's top-left cell on; what reaches past the table is dropped.
bool CGridCtrl::PasteTextData(IDataObject* data) {
    FORMATETC format = CTextDataObject::TextFormat();
    STGMEDIUM medium{};
    if (data == nullptr || FAILED(data->GetData(&format, &medium))) {
        return false;
    }
    const auto* bytes = static_cast<const char*>(GlobalLock(medium.hGlobal));
    std::string text = bytes != nullptr ? std::string(bytes) : std::string();
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);

    // A line break at the very end closes the last row; it starts no new one.
    if (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    if (!text.empty() && text.back() == '\r') {
        text.pop_back();
    }
    CellId start = GetSelectedRange().TopLeft();
    if (!IsValid(start)) {
        start = IsValid(m_focusCell) ? m_focusCell : GetTopLeftNonFixedCell();
    }
    int row = start.row;
    int col = start.col;
    std::string field;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const char c = i < text.size() ? text[i] : '\n';
        if (c == '\t' || c == ',' || c == '\n') {
            CGridCellBase* cell = GetCell(row, col);
            if (cell != nullptr && !cell->IsReadOnly()) {
                SetItemText(row, col, field);
                RedrawCell(row, col);
            }
            field.clear();
            ++col;
            if (c == '\n') {
                ++row;
                col = start.col;
            }
        } else if (c != '\r') {
            field += c;
        }
    }
    return true;
}

bool CGridCtrl::CanCopy() const {
    return !m_selected.empty();
}

bool CGridCtrl::CanCut() const {
    return m_editable && CanCopy();
}

bool CGridCtrl::CanPaste() const {
    const CGridCellBase* focus = GetCell(m_focusCell.row, m_focusCell.col);
    return m_editable && focus != nullptr && !focus->IsReadOnly() &&
           IsClipboardFormatAvailable(CF_TEXT);
}

void CGridCtrl::UpdateEditCommandUI(HMENU menu) {
    auto enable = [menu](UINT id, bool on) {
        EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    enable(GridCommand::Copy, CanCopy());
    enable(GridCommand::Cut, CanCut());
    enable(GridCommand::Paste, CanPaste());
}
