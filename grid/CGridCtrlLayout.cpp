// Row heights, column widths and where cells lie in the client area.

#include "grid/CGridCtrl.h"

#include <algorithm>

int CGridCtrl::GetRowHeight(int row) const {
    return row >= 0 && row < m_rows ? m_rowHeights[static_cast<std::size_t>(row)] : -1;
}

int CGridCtrl::GetColumnWidth(int col) const {
    return col >= 0 && col < m_cols
               ? m_colWidths[static_cast<std::size_t>(m_colOrder[static_cast<std::size_t>(col)])]
               : -1;
}

bool CGridCtrl::SetRowHeight(int row, int height) {
    if (row < 0 || row >= m_rows || height < 0) {
        return false;
    }
    m_rowHeights[static_cast<std::size_t>(row)] = height;
    ResetScrollBars();
    return true;
}

bool CGridCtrl::SetColumnWidth(int col, int width) {
    if (col < 0 || col >= m_cols || width < 0) {
        return false;
    }
    m_colWidths[static_cast<std::size_t>(m_colOrder[static_cast<std::size_t>(col)])] = width;
    ResetScrollBars();
    return true;
}

int CGridCtrl::GetFixedRowHeight() const {
    int sum = 0;
    for (int row = 0; row < m_fixedRows; ++row) {
        sum += GetRowHeight(row);
    }
    return sum;
}

int CGridCtrl::GetFixedColumnWidth() const {
    int sum = 0;
    for (int col = 0; col < m_fixedCols; ++col) {
        sum += GetColumnWidth(col);
    }
    return sum;
}

int CGridCtrl::GetVirtualHeight() const {
    int sum = 0;
    for (int height : m_rowHeights) {
        sum += height;
    }
    return sum;
}

int CGridCtrl::GetVirtualWidth() const {
    int sum = 0;
    for (int width : m_colWidths) {
        sum += width;
    }
    return sum;
}

CellId CGridCtrl::GetTopLeftNonFixedCell(bool forceRecalculation) {
    if (m_topLeftCache.IsValid() && !forceRecalculation) {
        return m_topLeftCache;
    }
    const int hPos = GetScrollPos32(SB_HORZ);
    const int vPos = GetScrollPos32(SB_VERT);
    int col = m_fixedCols;
    for (int sum = 0; sum < hPos && col < m_cols - 1; ++col) {
        sum += GetColumnWidth(col);
    }
    int row = m_fixedRows;
    for (int sum = 0; sum < vPos && row < m_rows - 1; ++row) {
        sum += GetRowHeight(row);
    }
    m_topLeftCache = CellId{row, col};
    return m_topLeftCache;
}

CellRange CGridCtrl::GetVisibleNonFixedCellRange(LPRECT rect) {
    RECT client{};
    if (IsWindow()) {
        GetClientRect(&client);
    }
    const CellId topLeft = GetTopLeftNonFixedCell();
    int bottom = GetFixedRowHeight();
    int maxRow = topLeft.row;
    for (int row = topLeft.row; row < m_rows && bottom < client.bottom; ++row) {
        bottom += GetRowHeight(row);
        maxRow = row;
    }
    int right = GetFixedColumnWidth();
    int maxCol = topLeft.col;
    for (int col = topLeft.col; col < m_cols && right < client.right; ++col) {
        right += GetColumnWidth(col);
        maxCol = col;
    }
    if (rect != nullptr) {
        *rect = RECT{GetFixedColumnWidth(), GetFixedRowHeight(), right, bottom};
    }
    return CellRange{topLeft.row, topLeft.col, std::min(maxRow, m_rows - 1),
                     std::min(maxCol, m_cols - 1)};
}

bool CGridCtrl::GetCellOrigin(int row, int col, LPPOINT origin) {
    if (!IsValid(row, col) || origin == nullptr) {
        return false;
    }
    const CellId topLeft = GetTopLeftNonFixedCell();
    if ((col >= m_fixedCols && col < topLeft.col) || (row >= m_fixedRows && row < topLeft.row)) {
        return false;
    }
    origin->x = 0;
    const int firstCol = col < m_fixedCols ? 0 : topLeft.col;
    if (col >= m_fixedCols) {
        origin->x = GetFixedColumnWidth();
    }
    for (int c = firstCol; c < col; ++c) {
        origin->x += GetColumnWidth(c);
    }
    origin->y = 0;
    const int firstRow = row < m_fixedRows ? 0 : topLeft.row;
    if (row >= m_fixedRows) {
        origin->y = GetFixedRowHeight();
    }
    for (int r = firstRow; r < row; ++r) {
        origin->y += GetRowHeight(r);
    }
    return true;
}

bool CGridCtrl::GetCellRect(int row, int col, LPRECT rect) {
    POINT origin{};
    if (rect == nullptr || !GetCellOrigin(row, col, &origin)) {
        return false;
    }
    rect->left = origin.x;
    rect->top = origin.y;
    rect->right = origin.x + GetColumnWidth(col) - 1;
    rect->bottom = origin.y + GetRowHeight(row) - 1;
    return true;
}

CellId CGridCtrl::GetCellFromPt(POINT point) {
    if (point.x < 0 || point.y < 0) {
        return CellId{};
    }
    const CellId topLeft = GetTopLeftNonFixedCell();
    // The fixed rows (columns) first, then the scrolling ones from the top-left.
    auto indexAt = [](int pos, int fixed, int first, int count, auto size) {
        int sum = 0;
        for (int i = 0; i < fixed; ++i) {
            if ((sum += size(i)) > pos) {
                return i;
            }
        }
        for (int i = first; i < count; ++i) {
            if ((sum += size(i)) > pos) {
                return i;
            }
        }
        return -1;
    };
    return CellId{indexAt(point.y, m_fixedRows, topLeft.row, m_rows,
                          [this](int r) { return GetRowHeight(r); }),
                  indexAt(point.x, m_fixedCols, topLeft.col, m_cols,
                          [this](int c) { return GetColumnWidth(c); })};
}

bool CGridCtrl::AutoSizeColumn(int col, UINT style, bool resetScroll) {
    if (col < 0 || col >= m_cols || GetColumnWidth(col) < 1) {
        return false;
    }
    HWND window = IsWindow() ? m_hWnd : nullptr;
    HDC dc = GetDC(window);
    if (dc == nullptr) {
        return false;
    }
    if (style == 0) {
        style = m_autoSizeStyle;
    }
    const int first = (style & 1) ? 0 : m_fixedRows;
    const int last = (style & 2) ? m_rows - 1 : m_fixedRows - 1;
    int width = 0;
    for (int row = first; row <= last; ++row) {
        if (CGridCellBase* cell = GetCell(row, col)) {
            width = std::max<int>(width, cell->GetCellExtent(dc).cx);
        }
    }
    ReleaseDC(window, dc);
    m_colWidths[static_cast<std::size_t>(m_colOrder[static_cast<std::size_t>(col)])] = width;
    if (resetScroll) {
        ResetScrollBars();
    }
    return true;
}

bool CGridCtrl::AutoSizeRow(int row, bool resetScroll) {
    if (row < 0 || row >= m_rows || GetRowHeight(row) < 1) {
        return false;
    }
    HWND window = IsWindow() ? m_hWnd : nullptr;
    HDC dc = GetDC(window);
    if (dc == nullptr) {
        return false;
    }
    int height = 0;
    for (int col = 0; col < m_cols; ++col) {
        if (CGridCellBase* cell = GetCell(row, col)) {
            height = std::max<int>(height, cell->GetCellExtent(dc).cy);
        }
    }
    ReleaseDC(window, dc);
    m_rowHeights[static_cast<std::size_t>(row)] = height;
    if (resetScroll) {
        ResetScrollBars();
    }
    return true;
}

void CGridCtrl::AutoSizeColumns(UINT style) {
    for (int col = 0; col < m_cols; ++col) {
        if (GetColumnWidth(col) > 0) {
            AutoSizeColumn(col, style, false);
        }
    }
    ResetScrollBars();
}
