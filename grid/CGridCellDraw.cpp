// How a cell draws itself: background, selection and focus, the edges of a
// fixed cell, the sort arrow and the text.

#include "grid/CGridCellBase.h"

#include "grid/CGridCtrl.h"

#include <algorithm>

namespace {

void Fill(HDC dc, const RECT& rect, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void Frame(HDC dc, const RECT& rect, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FrameRect(dc, &rect, brush);
    DeleteObject(brush);
}

void Line(HDC dc, POINT from, POINT to, COLORREF color) {
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
    SelectObject(dc, old);
    DeleteObject(pen);
}

// The cell's rectangle is inclusive of its right and bottom edges; the
// drawing operations exclude them, so filling the whole cell takes one more.
RECT Widened(const RECT& rect) {
    return {rect.left, rect.top, rect.right + 1, rect.bottom + 1};
}

} // namespace

bool CGridCellBase::Draw(HDC dc, int row, int col, RECT rect, bool erase) {
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr || dc == nullptr || rect.right - rect.left < 1 ||
        rect.bottom - rect.top < 1) {
        return false;
    }
    const int saved = SaveDC(dc);
    SetBkMode(dc, TRANSPARENT);
    COLORREF textClr = GetTextClr();
    const COLORREF backClr = GetBackClr();
    FillAndFrame(dc, rect, erase || HasOwnBackClr(), textClr, backClr);
    if (IsFixed() && grid->GetGridLines() != 0) {
        DrawFixedEdge(dc, row, col, rect);
    }
    SelectObject(dc, GetFontObject());
    const LONG margin = static_cast<LONG>(GetMargin());
    InflateRect(&rect, -margin, -margin);
    GetTextRect(&rect);
    if (row == 0 && col == grid->GetSortColumn() && grid->GetFixedRowCount() > 0) {
        DrawSortArrow(dc, rect, grid->GetSortAscending());
    }
    const std::string text = GetText();
    if (!text.empty()) {
        SetTextColor(dc, textClr);
        DrawText(dc, text.c_str(), static_cast<int>(text.size()), &rect, GetFormat() | DT_NOPREFIX);
    }
    RestoreDC(dc, saved);
    return true;
}

// Fills the cell and frames the focus cell. A selected cell is always shown in
// the highlight colours, whatever colours of its own it has.
void CGridCellBase::FillAndFrame(HDC dc, RECT rect, bool erase, COLORREF& textClr,
                                 COLORREF backClr) {
    CGridCtrl* grid = GetGrid();
    const RECT widened = Widened(rect);
    if (IsSelected()) {
        Fill(dc, widened, GetSysColor(COLOR_HIGHLIGHT));
        textClr = GetSysColor(COLOR_HIGHLIGHTTEXT);
    } else if (erase) {
        Fill(dc, widened, backClr);
    }
    if ((IsFocused() || IsDropHighlighted()) && grid->GetFrameFocusCell()) {
        Frame(dc, grid->GetGridLines() != 0 ? rect : widened, textClr);
    }
}

void CGridCellBase::DrawFixedEdge(HDC dc, int row, int col, RECT& rect) {
    CGridCtrl* grid = GetGrid();
    const CellId focus = grid->GetFocusCell();
    const bool pressed =
        grid->GetTrackFocusCell() && grid->IsValid(focus) && (focus.row == row || focus.col == col);
    if (pressed) {
        RECT edge = Widened(rect);
        DrawEdge(dc, &edge, BDR_SUNKENINNER, BF_RECT);
    } else {
        const COLORREF light = GetSysColor(COLOR_3DHIGHLIGHT);
        const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);
        Line(dc, {rect.left, rect.bottom}, {rect.left, rect.top}, light);
        Line(dc, {rect.left, rect.top}, {rect.right + 1, rect.top}, light);
        Line(dc, {rect.right, rect.top + 1}, {rect.right, rect.bottom + 1}, dark);
        Line(dc, {rect.left, rect.bottom}, {rect.right, rect.bottom}, dark);
    }
    InflateRect(&rect, -1, -1);
}

// A small triangle at the right of a header cell: up when ascending.
void CGridCellBase::DrawSortArrow(HDC dc, RECT& rect, bool ascending) {
    SIZE m{};
    GetTextExtentPoint32(dc, "M", 1, &m);
    const int size = std::min<int>(m.cy - 4, rect.bottom - rect.top - 4);
    if (size < 2) {
        return;
    }
    const LOGFONT* font = GetFont();
    const bool vertical =
        font != nullptr && (font->lfEscapement == 900 || font->lfEscapement == -900);
    const int left = vertical ? (rect.left + rect.right - size) / 2 : rect.right - size;
    const int top = (rect.top + rect.bottom - size) / 2;
    const POINT apex{left + size / 2, ascending ? top : top + size};
    const POINT baseLeft{left, ascending ? top + size : top};
    const POINT baseRight{left + size, ascending ? top + size : top};
    const COLORREF shadow = GetSysColor(COLOR_3DSHADOW);
    const COLORREF light = GetSysColor(COLOR_3DHIGHLIGHT);
    Line(dc, baseLeft, apex, shadow);
    Line(dc, apex, baseRight, light);
    Line(dc, baseRight, baseLeft, ascending ? light : shadow);
    if (!vertical) {
        rect.right = left - 1;
    }
}
