// Scroll bars, scrolling by whole rows and columns, the wheel and bringing a
// cell into view. Positions are pixels of the scrolling area.

#include "grid/CGridCtrl.h"

#include <algorithm>
#include <cstdlib>

LRESULT CGridCtrl::OnSize(WPARAM wParam, LPARAM lParam) {
    if (m_inSize) {
        return 0;
    }
    m_inSize = true;
    EndFocusCellEdit();
    DefWindowProc(WM_SIZE, wParam, lParam);
    ResetScrollBars();
    m_inSize = false;
    return 0;
}

int CGridCtrl::GetScrollPos32(int bar, bool track) const {
    if (!IsWindow()) {
        return 0;
    }
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS | SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(m_hWnd, bar, &info);
    return track ? info.nTrackPos : info.nPos;
}

void CGridCtrl::SetScrollPos32(int bar, int pos) {
    m_topLeftCache = CellId{};
    if (IsWindow()) {
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, pos, 0};
        SetScrollInfo(m_hWnd, bar, &info, TRUE);
    }
}

void CGridCtrl::SetBar(int bar, bool needed, int neededSize, int page) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    if (needed) {
        info.nMax = neededSize - 1;
        info.nPage = static_cast<UINT>(page);
    }
    ShowScrollBar(m_hWnd, bar, needed);
    SetScrollInfo(m_hWnd, bar, &info, TRUE);
    (bar == SB_VERT ? m_vScrollMax : m_hScrollMax) = needed ? neededSize - 1 : 0;
}

void CGridCtrl::ResetScrollBars() {
    if (!m_allowDraw || !IsWindow() || m_inResetScrollBars) {
        return;
    }
    RECT rect{};
    GetClientRect(&rect);
    if (IsRectEmpty(&rect)) {
        return;
    }
    m_inResetScrollBars = true;
    m_topLeftCache = CellId{};
    const DWORD style = static_cast<DWORD>(GetWindowLong(m_hWnd, GWL_STYLE));
    const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
    const int barHeight = GetSystemMetrics(SM_CYHSCROLL);
    // The client area as it would be without the bars shown now.
    rect.right += (style & WS_VSCROLL) ? barWidth : 0;
    rect.bottom += (style & WS_HSCROLL) ? barHeight : 0;
    int width = rect.right - GetFixedColumnWidth();
    int height = rect.bottom - GetFixedRowHeight();
    if (width <= 0 || height <= 0) {
        ShowScrollBar(m_hWnd, SB_BOTH, FALSE);
        m_barsShown = 0;
        m_vScrollMax = m_hScrollMax = 0;
        m_inResetScrollBars = false;
        return;
    }
    const int neededHeight = GetVirtualHeight() - GetFixedRowHeight();
    const int neededWidth = GetVirtualWidth() - GetFixedColumnWidth();
    bool vertical = height < neededHeight;
    width -= vertical ? barWidth : 0;
    const bool horizontal = width < neededWidth;
    height -= horizontal ? barHeight : 0;
    if (horizontal && !vertical && height < neededHeight) {
        // The horizontal bar took the room the last rows needed.
        vertical = true;
        width -= barWidth;
    }
    SetBar(SB_VERT, vertical, neededHeight, height);
    SetBar(SB_HORZ, horizontal, neededWidth, width);
    m_barsShown = (horizontal ? 1u : 0u) | (vertical ? 2u : 0u);
    m_topLeftCache = CellId{};
    m_inResetScrollBars = false;
}

void CGridCtrl::InvalidateScrollingArea(int bar) {
    RECT rect{};
    GetClientRect(&rect);
    if (bar == SB_VERT) {
        rect.top = GetFixedRowHeight();
    } else {
        rect.left = GetFixedColumnWidth();
    }
    InvalidateRect(&rect, FALSE);
}

void CGridCtrl::ScrollTo(int bar, int pos) {
    const int old = GetScrollPos32(bar);
    SetScrollPos32(bar, std::max(0, pos));
    if (GetScrollPos32(bar) != old) {
        InvalidateScrollingArea(bar);
    }
}

bool CGridCtrl::ScrollLine(int bar, bool forward) {
    const bool vertical = bar == SB_VERT;
    const CellId topLeft = GetTopLeftNonFixedCell();
    auto size = [&](int i) { return vertical ? GetRowHeight(i) : GetColumnWidth(i); };
    const int count = vertical ? m_rows : m_cols;
    const int fixed = vertical ? m_fixedRows : m_fixedCols;
    int index = vertical ? topLeft.row : topLeft.col;
    const int old = GetScrollPos32(bar);
    if (forward) {
        while (index < count && size(index) == 0) {
            ++index;
        }
        if (index < count) {
            ScrollTo(bar, old + size(index));
        }
    } else {
        --index;
        while (index >= fixed && size(index) == 0) {
            --index;
        }
        if (index >= fixed) {
            ScrollTo(bar, old - size(index));
        }
    }
    return GetScrollPos32(bar) != old;
}

LRESULT CGridCtrl::OnScroll(int bar, WPARAM wParam) {
    EndFocusCellEdit();
    RECT client{};
    GetClientRect(&client);
    const int page =
        bar == SB_VERT ? client.bottom - GetFixedRowHeight() : client.right - GetFixedColumnWidth();
    const int max = bar == SB_VERT ? m_vScrollMax : m_hScrollMax;
    const int pos = GetScrollPos32(bar);
    switch (LOWORD(wParam)) {
    case SB_LINEDOWN:
        ScrollLine(bar, true);
        break;
    case SB_LINEUP:
        ScrollLine(bar, false);
        break;
    case SB_PAGEDOWN:
        ScrollTo(bar, std::min(max, pos + page));
        break;
    case SB_PAGEUP:
        ScrollTo(bar, std::max(0, pos - page));
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        const CellId before = GetTopLeftNonFixedCell();
        SetScrollPos32(bar, GetScrollPos32(bar, true));
        if (!(GetTopLeftNonFixedCell() == before)) {
            InvalidateScrollingArea(bar);
        }
        break;
    }
    case SB_TOP:
        ScrollTo(bar, 0);
        break;
    case SB_BOTTOM:
        ScrollTo(bar, max);
        break;
    default:
        break;
    }
    return 0;
}

LRESULT CGridCtrl::OnMouseWheel(WPARAM wParam) {
    const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    const bool byPage = static_cast<UINT>(m_rowsPerWheelNotch) == WHEEL_PAGESCROLL;
    const int steps = byPage ? delta / WHEEL_DELTA : delta * m_rowsPerWheelNotch / WHEEL_DELTA;
    const WORD code =
        byPage ? (steps > 0 ? SB_PAGEUP : SB_PAGEDOWN) : (steps > 0 ? SB_LINEUP : SB_LINEDOWN);
    for (int i = 0; i < std::abs(steps); ++i) {
        PostMessage(WM_VSCROLL, MAKEWPARAM(code, 0), 0);
    }
    return 0;
}

void CGridCtrl::EnsureVisible(int row, int col) {
    if (!m_allowDraw || !IsWindow()) {
        return;
    }
    HWND hadFocus = GetFocus();
    EndFocusCellEdit();
    const CellRange visible = GetVisibleNonFixedCellRange();
    int hPos = GetScrollPos32(SB_HORZ);
    int vPos = GetScrollPos32(SB_VERT);
    const int oldH = hPos;
    const int oldV = vPos;
    for (int c = visible.maxCol + 1; c <= col; ++c) {
        hPos += GetColumnWidth(c);
    }
    for (int c = std::max(col, m_fixedCols); c < visible.minCol; ++c) {
        hPos -= GetColumnWidth(c);
    }
    for (int r = visible.maxRow + 1; r <= row; ++r) {
        vPos += GetRowHeight(r);
    }
    for (int r = std::max(row, m_fixedRows); r < visible.minRow; ++r) {
        vPos -= GetRowHeight(r);
    }
    if (hPos != oldH || vPos != oldV) {
        SetScrollPos32(SB_HORZ, std::max(0, hPos));
        SetScrollPos32(SB_VERT, std::max(0, vPos));
        Invalidate(FALSE);
    }
    RECT client{};
    GetClientRect(&client);
    RECT rect{};
    if (GetCellRect(row, col, &rect)) {
        if (rect.right >= client.right && rect.left > GetFixedColumnWidth() && (m_barsShown & 1)) {
            ScrollLine(SB_HORZ, true);
        }
        if (rect.bottom >= client.bottom && rect.top > GetFixedRowHeight() && (m_barsShown & 2)) {
            ScrollLine(SB_VERT, true);
        }
    }
    if (hadFocus != nullptr && GetFocus() != hadFocus) {
        SetFocus(hadFocus);
    }
}
