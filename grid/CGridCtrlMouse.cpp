// The mouse: selecting by cell, row, column or all, moving the focus,
// sizing rows and columns at their dividers, and the drag auto-scroll.

#include "grid/CGridCtrl.h"

#include <algorithm>

namespace {

bool IsSelecting(CGridCtrl::MouseMode mode) {
    using Mode = CGridCtrl::MouseMode;
    return mode == Mode::SelectAll || mode == Mode::SelectCol || mode == Mode::SelectRow ||
           mode == Mode::SelectCells;
}

} // namespace

bool CGridCtrl::OverColumnDivider(POINT point) const {
    auto* self = const_cast<CGridCtrl*>(this);
    if (!m_allowColResize || point.y >= GetFixedRowHeight() || point.y < 0) {
        return false;
    }
    const CellId cell = self->GetCellFromPt(point);
    RECT rect{};
    if (cell.col < 0) {
        RECT visible{};
        self->GetVisibleNonFixedCellRange(&visible);
        return point.x - visible.right < m_resizeCaptureRange && point.x >= visible.right;
    }
    if (!self->GetCellRect(cell.row, cell.col, &rect)) {
        return false;
    }
    const bool nearLeft = point.x - rect.left < m_resizeCaptureRange && cell.col != 0;
    const bool nearRight = rect.right + 1 - point.x <= m_resizeCaptureRange;
    return nearLeft || nearRight;
}

bool CGridCtrl::OverRowDivider(POINT point) {
    if (!m_allowRowResize || point.x >= GetFixedColumnWidth() || point.x < 0) {
        return false;
    }
    const CellId cell = GetCellFromPt(point);
    RECT rect{};
    if (cell.row < 0) {
        RECT visible{};
        GetVisibleNonFixedCellRange(&visible);
        return point.y - visible.bottom < m_resizeCaptureRange && point.y >= visible.bottom;
    }
    if (!GetCellRect(cell.row, cell.col, &rect)) {
        return false;
    }
    const bool nearTop = point.y - rect.top < m_resizeCaptureRange && cell.row != 0;
    const bool nearBottom = rect.bottom + 1 - point.y <= m_resizeCaptureRange;
    return nearTop || nearBottom;
}

// The column a divider sizes; a hidden column left of it is passed over
// unless skipHidden is false (dragging may expand a hidden column).
int CGridCtrl::ColumnLeftOfDivider(POINT point, bool skipHidden) {
    const CellId cell = GetCellFromPt(point);
    int col = m_cols - 1;
    RECT rect{};
    if (cell.col >= 0 && GetCellRect(cell.row, cell.col, &rect)) {
        col = point.x - rect.left < m_resizeCaptureRange ? cell.col - 1 : cell.col;
    }
    while (skipHidden && col > 0 && GetColumnWidth(col) == 0) {
        --col;
    }
    return col;
}

int CGridCtrl::RowAboveDivider(POINT point, bool skipHidden) {
    const CellId cell = GetCellFromPt(point);
    int row = m_rows - 1;
    RECT rect{};
    if (cell.row >= 0 && GetCellRect(cell.row, cell.col, &rect)) {
        row = point.y - rect.top < m_resizeCaptureRange ? cell.row - 1 : cell.row;
    }
    while (skipHidden && row > 0 && GetRowHeight(row) == 0) {
        --row;
    }
    return row;
}

// A 2-pixel line inverted across the client area; drawing it again erases it.
void CGridCtrl::DrawSizingLine(POINT point) {
    RECT client{};
    GetClientRect(&client);
    RECT line = m_mouseMode == MouseMode::SizingCol
                    ? RECT{point.x, client.top, point.x + 2, client.bottom}
                    : RECT{client.left, point.y, client.right, point.y + 2};
    HDC dc = GetDC(m_hWnd);
    InvertRect(dc, &line);
    ReleaseDC(m_hWnd, dc);
}

void CGridCtrl::StartSizing(POINT point, bool column) {
    m_mouseMode = column ? MouseMode::SizingCol : MouseMode::SizingRow;
    const bool skipHidden = !m_expandHiddenByDragging;
    m_sizingIndex =
        column ? ColumnLeftOfDivider(point, skipHidden) : RowAboveDivider(point, skipHidden);
    DrawSizingLine(point);
    RECT rect{};
    GetClientRect(&rect);
    RECT cell{};
    if (column && GetCellRect(0, m_sizingIndex, &cell)) {
        rect.left = cell.left;
    } else if (!column && GetCellRect(m_sizingIndex, 0, &cell)) {
        rect.top = cell.top;
    }
    MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(&rect), 2);
    ClipCursor(&rect);
}

void CGridCtrl::FinishSizing(POINT point) {
    DrawSizingLine(m_lastPoint);
    const bool column = m_mouseMode == MouseMode::SizingCol;
    if (point.x == m_pressPoint.x && point.y == m_pressPoint.y) {
        return;
    }
    RECT cell{};
    const bool found =
        column ? GetCellRect(0, m_sizingIndex, &cell) : GetCellRect(m_sizingIndex, 0, &cell);
    if (!found) {
        return;
    }
    const int least = m_hiddenColRowResize ? 0 : 1;
    const int size = std::max<int>(least, column ? point.x - cell.left : point.y - cell.top);
    if (column) {
        SetColumnWidth(m_sizingIndex, size);
    } else {
        SetRowHeight(m_sizingIndex, size);
    }
    ResetScrollBars();
    Invalidate(FALSE);
}

LRESULT CGridCtrl::OnMouseMove(WPARAM, POINT point) {
    if (!m_buttonDown) {
        if (OverColumnDivider(point)) {
            SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
            m_mouseMode = MouseMode::OverColDivide;
        } else if (OverRowDivider(point)) {
            SetCursor(LoadCursor(nullptr, IDC_SIZENS));
            m_mouseMode = MouseMode::OverRowDivide;
        } else if (m_mouseMode != MouseMode::Nothing) {
            SetCursor(LoadCursor(nullptr, IDC_ARROW));
            m_mouseMode = MouseMode::Nothing;
        }
        const CellId cell = GetCellFromPt(point);
        if (CGridCellBase* over = GetCell(cell.row, cell.col)) {
            over->OnMouseOver();
        }
        m_lastPoint = point;
        return 0;
    }
    if (m_mouseMode == MouseMode::SizingCol || m_mouseMode == MouseMode::SizingRow) {
        DrawSizingLine(m_lastPoint);
        DrawSizingLine(point);
    } else if (IsSelecting(m_mouseMode)) {
        const CellId cell = GetCellFromPt(point);
        if (IsValid(cell) && !(cell == m_focusCell)) {
            SelectByMode(cell);
            const bool scrolling = cell.row >= m_fixedRows && cell.col >= m_fixedCols;
            if (scrolling || m_mouseMode == MouseMode::SelectCol ||
                m_mouseMode == MouseMode::SelectRow) {
                SetFocusCell(cell);
            }
        }
    }
    m_lastPoint = point;
    return 0;
}

LRESULT CGridCtrl::OnLButtonDown(WPARAM flags, POINT point) {
    SetFocus(m_hWnd);
    m_buttonDown = true;
    m_pressPoint = m_lastPoint = point;
    m_pressedCell = GetCellFromPt(point);
    if (!IsValid(m_pressedCell)) {
        return 0;
    }
    const bool shift = (flags & MK_SHIFT) != 0;
    const bool ctrl = (flags & MK_CONTROL) != 0;
    if (!shift) {
        m_selectionStart = m_pressedCell;
    } else if (!IsValid(m_selectionStart)) {
        m_selectionStart = m_focusCell;
    }
    EndFocusCellEdit();
    CGridCellBase* cell = GetCell(m_pressedCell.row, m_pressedCell.col);
    RECT rect{};
    if (GetCellRect(m_pressedCell.row, m_pressedCell.col, &rect)) {
        cell->OnClickDown(POINT{point.x - rect.left, point.y - rect.top});
    }
    if (!ctrl && m_pressedCell == m_focusCell && m_editable &&
        PointOnCellText(m_pressedCell, point)) {
        m_mouseMode = MouseMode::PrepEdit;
        return 0;
    }
    const bool overColumn = OverColumnDivider(point);
    const bool overRow = !overColumn && OverRowDivider(point);
    const bool scrolling = m_pressedCell.row >= m_fixedRows && m_pressedCell.col >= m_fixedCols;
    if (cell->IsSelected()) {
        SetFocusCell(m_pressedCell);
        if (ctrl) {
            const int row = m_pressedCell.row;
            SetSelectedRange(m_listMode ? CellRange{row, 0, row, m_cols - 1}
                                        : CellRange{row, m_pressedCell.col, row, m_pressedCell.col},
                             false);
            return 0;
        }
    } else if (!overColumn && !overRow) {
        SetFocusCell(scrolling ? m_pressedCell : CellId{});
    }
    SetCapture(m_hWnd);
    if (overColumn || overRow) {
        StartSizing(point, overColumn);
        return 0;
    }
    SendMessageToParent(m_pressedCell.row, m_pressedCell.col, GridNotifyCode::SelChanging);
    m_savedSelection.clear();
    if (ctrl) {
        m_savedSelection = m_selected;
    }
    if (scrolling) {
        m_mouseMode = m_listMode ? MouseMode::SelectRow : MouseMode::SelectCells;
        SelectByMode(m_pressedCell);
        SetTimer(DragTimerId, DragTimerInterval);
    } else if (m_pressedCell.col < m_fixedCols) {
        ClickFixedColumnCell(m_pressedCell);
    } else {
        ClickFixedRowCell(m_pressedCell);
    }
    return 0;
}

void CGridCtrl::ClickFixedColumnCell(CellId cell) {
    if (m_fixedColSelection) {
        m_mouseMode = cell.row >= m_fixedRows ? MouseMode::SelectRow : MouseMode::SelectAll;
        SelectByMode(cell);
    }
}

void CGridCtrl::ClickFixedRowCell(CellId cell) {
    if (m_sortOnClick) {
        // Rows are never reordered here; only the header's arrow follows the click.
        SetSortColumn(cell.col, cell.col == m_sortColumn ? !m_ascending : true);
        RedrawCell(cell.row, cell.col);
    }
    if (m_fixedRowSelection) {
        m_mouseMode = cell.col >= m_fixedCols ? MouseMode::SelectCol : MouseMode::SelectAll;
        SelectByMode(cell);
    }
}

void CGridCtrl::StopDragTimer() {
    if (IsWindow()) {
        KillTimer(DragTimerId);
    }
}

LRESULT CGridCtrl::OnLButtonUp(WPARAM flags, POINT point) {
    DefWindowProc(WM_LBUTTONUP, flags, MAKELPARAM(point.x, point.y));
    const bool wasDown = m_buttonDown;
    m_buttonDown = false;
    ReleaseCapture();
    ClipCursor(nullptr);
    StopDragTimer();
    if (!wasDown) {
        return 0;
    }
    switch (m_mouseMode) {
    case MouseMode::PrepEdit:
        BeginCellEdit(m_focusCell.row, m_focusCell.col, point, VK_LBUTTON);
        break;
    case MouseMode::SizingCol:
    case MouseMode::SizingRow:
        FinishSizing(point);
        break;
    default:
        if (IsValid(m_pressedCell)) {
            SendMessageToParent(m_pressedCell.row, m_pressedCell.col, GridNotifyCode::SelChanged);
            if (CGridCellBase* focus = GetCell(m_focusCell.row, m_focusCell.col)) {
                focus->OnClick(point);
            }
            SendMessageToParent(m_pressedCell.row, m_pressedCell.col, GridNotifyCode::Click);
        }
        break;
    }
    m_mouseMode = MouseMode::Nothing;
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    if (IsValid(m_pressedCell)) {
        if (HWND parent = NotifyTarget()) {
            ::PostMessage(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(m_hWnd), 0),
                          reinterpret_cast<LPARAM>(m_hWnd));
        }
    }
    return 0;
}

LRESULT CGridCtrl::OnLButtonDblClk(WPARAM, POINT point) {
    if (OverColumnDivider(point)) {
        AutoSizeColumn(ColumnLeftOfDivider(point, true));
        Invalidate(FALSE);
        return 0;
    }
    if (OverRowDivider(point)) {
        AutoSizeRow(RowAboveDivider(point, true));
        Invalidate(FALSE);
        return 0;
    }
    const CellId cell = GetCellFromPt(point);
    if (!IsValid(cell)) {
        return 0;
    }
    if (cell.row >= m_fixedRows && cell.col >= m_fixedCols && PointOnCellText(cell, point)) {
        BeginCellEdit(cell.row, cell.col, point, VK_LBUTTON);
    }
    if (CGridCellBase* target = GetCell(cell.row, cell.col)) {
        target->OnDblClick(point);
    }
    SendMessageToParent(cell.row, cell.col, GridNotifyCode::DblClick);
    return 0;
}

LRESULT CGridCtrl::OnRButtonUp(WPARAM flags, POINT point) {
    DefWindowProc(WM_RBUTTONUP, flags, MAKELPARAM(point.x, point.y));
    EndFocusCellEdit();
    const CellId cell = GetCellFromPt(point);
    if (!IsValid(cell)) {
        SendMessageToParent(-1, -1, GridNotifyCode::RClick);
        return 0;
    }
    SetFocusCell(cell);
    if (CGridCellBase* target = GetCell(cell.row, cell.col)) {
        target->OnRClick(point);
    }
    SendMessageToParent(cell.row, cell.col, GridNotifyCode::RClick);
    return 0;
}

// While a selection is dragged past the edges the table scrolls towards the
// pointer, and the selection follows it.
LRESULT CGridCtrl::OnTimer(WPARAM id) {
    if (id != DragTimerId) {
        return DefWindowProc(WM_TIMER, id, 0);
    }
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(m_hWnd, &point);
    RECT client{};
    GetClientRect(&client);
    if (point.y >= client.bottom) {
        SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    } else if (point.y < GetFixedRowHeight()) {
        SendMessage(WM_KEYDOWN, VK_UP, 0);
    }
    if (point.x >= client.right) {
        SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    } else if (point.x < GetFixedColumnWidth()) {
        SendMessage(WM_KEYDOWN, VK_LEFT, 0);
    }
    point.x = std::clamp<LONG>(point.x, 0, std::max<LONG>(0, client.right - 1));
    point.y = std::clamp<LONG>(point.y, 0, std::max<LONG>(0, client.bottom - 1));
    SelectByMode(GetCellFromPt(point));
    return 0;
}

LRESULT CGridCtrl::OnSetCursor(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(static_cast<DWORD_PTR>(lParam)) != HTCLIENT) {
        return DefWindowProc(WM_SETCURSOR, wParam, lParam);
    }
    if (m_mouseMode == MouseMode::OverColDivide || m_mouseMode == MouseMode::SizingCol) {
        SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
        return TRUE;
    }
    if (m_mouseMode == MouseMode::OverRowDivide || m_mouseMode == MouseMode::SizingRow) {
        SetCursor(LoadCursor(nullptr, IDC_SIZENS));
        return TRUE;
    }
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(m_hWnd, &point);
    const CellId cell = GetCellFromPt(point);
    if (CGridCellBase* over = GetCell(cell.row, cell.col)) {
        return over->OnSetCursor() ? TRUE : FALSE;
    }
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}
