// Painting the table: backgrounds, cells and grid lines, double-buffered.

#include "grid/CGridCtrl.h"

namespace {

void Fill(HDC dc, const RECT& rect, COLORREF color) {
    if (IsRectEmpty(&rect)) {
        return;
    }
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

} // namespace

LRESULT CGridCtrl::OnPaint() {
    GiveClientEdge();
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(m_hWnd, &ps);
    const RECT box = ps.rcPaint;
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    if (!m_doubleBuffer) {
        DrawGrid(dc);
    } else if (width > 0 && height > 0) {
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
        HGDIOBJ old = SelectObject(memory, bitmap);
        SetViewportOrgEx(memory, -box.left, -box.top, nullptr);
        DrawGrid(memory);
        SetViewportOrgEx(memory, 0, 0, nullptr);
        BitBlt(dc, box.left, box.top, width, height, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }
    EndPaint(m_hWnd, &ps);
    return 0;
}

// A grid window gets the sunken client edge once, as soon as it is attached,
// so that a table laid out to its client area still fits once it is painted;
// a size nudge makes the frame take effect.
void CGridCtrl::GiveClientEdge() {
    if (m_framed) {
        return;
    }
    m_framed = true;
    const DWORD exStyle = static_cast<DWORD>(GetWindowLong(m_hWnd, GWL_EXSTYLE));
    if (!(exStyle & WS_EX_CLIENTEDGE)) {
        SetWindowLong(m_hWnd, GWL_EXSTYLE, static_cast<LONG>(exStyle | WS_EX_CLIENTEDGE));
    }
    RECT rect{};
    GetWindowRect(&rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    constexpr UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(m_hWnd, nullptr, 0, 0, width + 1, height, flags | SWP_FRAMECHANGED);
    SetWindowPos(m_hWnd, nullptr, 0, 0, width, height, flags);
    SetScrollPos32(SB_HORZ, 0);
    SetScrollPos32(SB_VERT, 0);
    ResetScrollBars();
}

void CGridCtrl::DrawGrid(HDC dc) {
    RECT clip{};
    if (!m_allowDraw || GetClipBox(dc, &clip) == ERROR_REGION || IsRectEmpty(&clip)) {
        return;
    }
    RECT visibleRect{};
    const CellRange visible = GetVisibleNonFixedCellRange(&visibleRect);
    FillBackgrounds(dc, visibleRect);
    const int fixedWidth = GetFixedColumnWidth();
    const int fixedHeight = GetFixedRowHeight();
    const int lastRow = m_rows - 1;
    const int lastCol = m_cols - 1;
    DrawBlock(dc, clip, {0, 0, m_fixedRows - 1, m_fixedCols - 1}, {0, 0});
    DrawBlock(dc, clip, {visible.minRow, 0, lastRow, m_fixedCols - 1}, {0, fixedHeight});
    DrawBlock(dc, clip, {0, visible.minCol, m_fixedRows - 1, lastCol}, {fixedWidth, 0});
    DrawBlock(dc, clip, {visible.minRow, visible.minCol, lastRow, lastCol},
              {fixedWidth, fixedHeight});
    DrawGridLines(dc, visibleRect, visible);
}

void CGridCtrl::FillBackgrounds(HDC dc, const RECT& visibleRect) {
    RECT client{};
    GetClientRect(&client);
    const LONG fixedWidth = GetFixedColumnWidth();
    const LONG fixedHeight = GetFixedRowHeight();
    const LONG right = visibleRect.right;
    const LONG bottom = visibleRect.bottom;
    Fill(dc, {0, 0, fixedWidth, fixedHeight}, m_cellFixedRowColDefault.GetBackClr());
    Fill(dc, {0, fixedHeight, fixedWidth, bottom}, m_cellFixedColDefault.GetBackClr());
    Fill(dc, {fixedWidth, 0, right, fixedHeight}, m_cellFixedRowDefault.GetBackClr());
    Fill(dc, {fixedWidth, fixedHeight, right, bottom}, m_cellDefault.GetBackClr());
    Fill(dc, {right, 0, client.right, client.bottom}, m_gridBkColor);
    Fill(dc, {0, bottom, right, client.bottom}, m_gridBkColor);
}

// Draws the cells of one block (the corner, a fixed strip or the scrolling
// area) whose first cell starts at origin; hidden rows and columns take no
// room, and drawing stops past the clip box.
void CGridCtrl::DrawBlock(HDC dc, const RECT& clip, CellRange block, POINT origin) {
    int y = origin.y;
    for (int row = block.minRow; row <= block.maxRow && y <= clip.bottom; ++row) {
        const int height = row >= 0 ? GetRowHeight(row) : 0;
        if (height <= 0) {
            continue;
        }
        RECT rect{0, y, 0, y + height - 1};
        y += height;
        if (rect.bottom < clip.top) {
            continue;
        }
        int x = origin.x;
        for (int col = block.minCol; col <= block.maxCol && x <= clip.right; ++col) {
            const int width = col >= 0 ? GetColumnWidth(col) : 0;
            if (width <= 0) {
                continue;
            }
            rect.left = x;
            rect.right = x + width - 1;
            x += width;
            if (rect.right >= clip.left) {
                if (CGridCellBase* cell = GetCell(row, col)) {
                    cell->Draw(dc, row, col, rect, false);
                }
            }
        }
    }
}

void CGridCtrl::DrawGridLines(HDC dc, const RECT& visibleRect, const CellRange& visible) {
    HPEN pen = CreatePen(PS_SOLID, 1, m_gridLineColor);
    HGDIOBJ old = SelectObject(dc, pen);
    const int fixedWidth = GetFixedColumnWidth();
    const int fixedHeight = GetFixedRowHeight();
    if (m_gridLines == 2 || m_gridLines == 3) {
        int x = fixedWidth;
        for (int col = visible.minCol; col >= 0 && col <= visible.maxCol; ++col) {
            const int width = GetColumnWidth(col);
            if (width <= 0) {
                continue;
            }
            x += width;
            MoveToEx(dc, x - 1, fixedHeight, nullptr);
            LineTo(dc, x - 1, visibleRect.bottom);
        }
    }
    if (m_gridLines == 1 || m_gridLines == 3) {
        int y = fixedHeight;
        for (int row = visible.minRow; row >= 0 && row <= visible.maxRow; ++row) {
            const int height = GetRowHeight(row);
            if (height <= 0) {
                continue;
            }
            y += height;
            MoveToEx(dc, fixedWidth, y - 1, nullptr);
            LineTo(dc, visibleRect.right, y - 1);
        }
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

LRESULT CGridCtrl::OnSetFont(WPARAM wParam) {
    LOGFONT font{};
    HFONT handle = reinterpret_cast<HFONT>(wParam);
    if (handle == nullptr || GetObject(handle, sizeof(font), &font) == 0) {
        return 0;
    }
    for (CGridDefaultCell* cell : {&m_cellDefault, &m_cellFixedColDefault, &m_cellFixedRowDefault,
                                   &m_cellFixedRowColDefault}) {
        cell->SetFont(&font);
    }
    if (IsWindow()) {
        Invalidate(FALSE);
    }
    return 0;
}

void CGridCtrl::RedrawCell(int row, int col) {
    RECT rect{};
    if (!m_allowDraw || !IsWindow() || !GetCellRect(row, col, &rect)) {
        return;
    }
    rect.right += 1;
    rect.bottom += 1;
    InvalidateRect(&rect, FALSE);
}

void CGridCtrl::RefreshColors() {
    const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const COLORREF shadow = GetSysColor(COLOR_3DSHADOW);
    for (CGridDefaultCell* cell : {&m_cellDefault, &m_cellFixedColDefault, &m_cellFixedRowDefault,
                                   &m_cellFixedRowColDefault}) {
        if (cell->GetTextClr() == m_windowText) {
            cell->SetTextClr(windowText);
        }
        if (cell->GetBackClr() == m_window) {
            cell->SetBackClr(window);
        }
    }
    if (m_gridBkColor == m_shadow) {
        m_gridBkColor = shadow;
    }
    m_windowText = windowText;
    m_window = window;
    m_face = GetSysColor(COLOR_3DFACE);
    m_shadow = shadow;
}
