#include "grid/CGridCellBase.h"

#include "grid/CGridCtrl.h"
#include "grid/CGridDefaultCell.h"
#include "grid/CInPlaceEdit.h"
#include "grid/InputClasses.h"

#include <algorithm>

CGridDefaultCell* CGridCellBase::GetDefaultCell() const {
    CGridCtrl* grid = GetGrid();
    return grid == nullptr ? nullptr : grid->GetDefaultCell(IsFixedRow(), IsFixedCol());
}

void CGridCellBase::Assign(const CGridCellBase& other) {
    if (&other == this) {
        return;
    }
    SetGrid(other.GetGrid());
    SetText(other.GetText());
    SetImage(other.GetImage());
    SetData(other.GetData());
    SetState(other.GetState());
    SetFormat(other.GetFormat());
    SetTextClr(other.GetTextClr());
    SetBackClr(other.GetBackClr());
    SetFont(other.IsDefaultFont() ? nullptr : other.GetFont());
    SetMargin(other.GetMargin());
    SetInputMask(other.GetInputMask());
}

void CGridCellBase::Reset() {
    m_state = 0;
    m_inputMask = GridInputClass::All;
}

bool CGridCellBase::GetTextRect(LPRECT) {
    // Without images there is nothing to make room for.
    return true;
}

SIZE CGridCellBase::GetTextExtent(const std::string& text, HDC dc) {
    CGridCtrl* grid = GetGrid();
    const bool ownDc = dc == nullptr;
    if (ownDc) {
        dc = GetDC(grid != nullptr && grid->IsWindow() ? grid->GetHwnd() : nullptr);
    }
    SIZE size{0, 0};
    if (dc == nullptr) {
        return size;
    }
    HGDIOBJ old = SelectObject(dc, GetFontObject());
    const UINT format = GetFormat();
    if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) {
        std::size_t start = 0;
        while (start <= text.size()) {
            const std::size_t end = std::min(text.find('\n', start), text.size());
            SIZE line{};
            GetTextExtentPoint32(dc, text.data() + start, static_cast<int>(end - start), &line);
            size.cx = std::max(size.cx, line.cx);
            start = end + 1;
        }
        RECT rect{0, 0, size.cx, 0};
        DrawText(dc, text.c_str(), static_cast<int>(text.size()), &rect, format | DT_CALCRECT);
        size.cy = rect.bottom - rect.top;
    } else {
        GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
    }
    SelectObject(dc, old);
    if (ownDc) {
        ReleaseDC(grid != nullptr ? grid->GetHwnd() : nullptr, dc);
    }
    const LONG margin = static_cast<LONG>(GetMargin());
    size.cx += 2 * margin;
    size.cy += 2 * margin;
    const LOGFONT* font = GetFont();
    if (font != nullptr && (font->lfEscapement == 900 || font->lfEscapement == -900)) {
        std::swap(size.cx, size.cy);
    }
    return size;
}

SIZE CGridCellBase::GetCellExtent(HDC dc) {
    SIZE size = GetTextExtent(GetText(), dc);
    const LONG extra = IsFixed() ? 2 : 1;
    size.cx += extra;
    size.cy += extra;
    return size;
}

bool CGridCellBase::Edit(int row, int col, RECT rect, POINT, UINT id, UINT ch) {
    if (IsEditing()) {
        if (CInPlaceEdit* edit = GetEditWnd(); edit != nullptr && ch != 0) {
            edit->SendMessage(WM_CHAR, ch, 0);
        }
        return true;
    }
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr) {
        return false;
    }
    DWORD style = WS_BORDER | ES_AUTOHSCROLL;
    const UINT format = GetFormat();
    if (format & DT_RIGHT) {
        style |= ES_RIGHT;
    } else if (format & DT_CENTER) {
        style |= ES_CENTER;
    }
    auto* edit = new CInPlaceEdit(*grid, rect, style, id, row, col, GetText(), ch);
    if (!edit->IsWindow()) {
        delete edit;
        return false;
    }
    SetEditing(true, edit);
    edit->Start(ch);
    return true;
}

bool CGridCellBase::ValidateEdit(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [this](char c) {
        return InputClassesOf(static_cast<unsigned char>(c)) & GetInputMask();
    });
}

void CGridCellBase::EndEdit() {
    if (CInPlaceEdit* edit = GetEditWnd()) {
        edit->EndEdit();
    }
}

void CGridCellBase::OnEndEdit() {
    SetEditing(false, nullptr);
}

bool CGridCellBase::OnSetCursor() {
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    return true;
}
