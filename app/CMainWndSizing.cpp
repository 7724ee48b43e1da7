// Proportional sizing: while the user drags an edge, the window keeps the
// shape of a square board with the hint strip and status bar below it. The
// first step of a drag decides whether the width or the height leads.

#include "app/CMainWnd.h"

#include <algorithm>

namespace {

// Frame, caption, menu bar, margins and status bar around the board, in
// outer-window pixels.
constexpr int WidthOverBoard = 28;
constexpr int HeightUnderStrip = 111;
constexpr int HeightOverWidth = 123;
constexpr int HintGap = 12;

enum Direction {
    Undecided = 0,
    HeightShrinks = 1,
    WidthGrows = 2,
    HeightGrows = 3,
    WidthShrinks = 4
};

int DirectionOf(int dW, int dH) {
    if (dW == 0) {
        return dH < 0 ? HeightShrinks : dH > 0 ? HeightGrows : Undecided;
    }
    if (dW > 0) {
        if (dH < 0) {
            return dW > -dH ? WidthGrows : HeightShrinks;
        }
        if (dH == 0) {
            return WidthGrows;
        }
        return dW > dH ? WidthGrows : HeightGrows;
    }
    if (dH == 0) {
        return WidthShrinks;
    }
    if (dH < 0) {
        return dW < dH ? WidthShrinks : HeightShrinks;
    }
    return -dW > dH ? WidthShrinks : HeightGrows;
}

// However small a size the desktop asks for, the window keeps room for a
// board and a strip; below this the layout would turn inside out.
int AtLeastMinimum(int outerWidth) {
    return std::max(outerWidth, GetSystemMetrics(SM_CXMINTRACK));
}

// The left side moves for the left corners, the right side for every other edge.
void SetWidth(WPARAM edge, int width, RECT& r) {
    if (edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT) {
        r.left = r.right - width;
    } else {
        r.right = r.left + width;
    }
}

// The top moves for the top corners, the bottom for every other edge.
void SetHeight(WPARAM edge, int height, RECT& r) {
    if (edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT) {
        r.top = r.bottom - height;
    } else {
        r.bottom = r.top + height;
    }
}

bool IsWidthLed(int direction) {
    return direction == WidthGrows || direction == WidthShrinks;
}

bool IsHeightLed(int direction) {
    return direction == HeightShrinks || direction == HeightGrows;
}

} // namespace

RECT CMainWnd::ChildRect(HWND child) const {
    RECT r{0, 0, 0, 0};
    ::GetClientRect(child, &r);
    ::MapWindowPoints(child, GetHwnd(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void CMainWnd::LatchSizingDirection(int dW, int dH) {
    if (m_sizingDirection == Undecided) {
        m_sizingDirection = DirectionOf(dW, dH);
    }
}

// Lays the board and the strip out for an outer width; returns nothing but
// the two rectangles, the outer height follows from the strip.
void CMainWnd::LayoutChildren(int outerWidth, RECT& field, RECT& hint) const {
    const int boardEdge = outerWidth - WidthOverBoard;
    field.right = boardEdge;
    field.bottom = boardEdge;
    const int stripHeight = (boardEdge - hint.left) / 9;
    hint.right = boardEdge;
    hint.top = boardEdge + HintGap;
    hint.bottom = boardEdge + HintGap + stripHeight;
}

LRESULT CMainWnd::OnSizing(WPARAM edge, RECT* proposed) {
    RECT current;
    GetWindowRect(&current);
    RECT field = ChildRect(m_field.GetHwnd());
    RECT hint = ChildRect(m_hintStrip.GetHwnd());
    LatchSizingDirection((proposed->right - proposed->left) - (current.right - current.left),
                         (proposed->bottom - proposed->top) - (current.bottom - current.top));

    if (IsWidthLed(m_sizingDirection)) {
        proposed->top = current.top;
        const int proposedWidth = proposed->right - proposed->left;
        const int width = AtLeastMinimum(proposedWidth);
        if (width != proposedWidth && edge == WMSZ_LEFT) {
            proposed->left = proposed->right - width;
        } else if (width != proposedWidth) {
            SetWidth(edge, width, *proposed);
        }
        LayoutChildren(width, field, hint);
        SetHeight(edge, (width - WidthOverBoard) + (hint.bottom - hint.top) + HeightUnderStrip,
                  *proposed);
    } else if (IsHeightLed(m_sizingDirection)) {
        proposed->left = current.left;
        const int proposedWidth =
            MulDiv(proposed->bottom - proposed->top - HeightOverWidth, 9, 10) + 41;
        const int width = AtLeastMinimum(proposedWidth);
        SetWidth(edge, width, *proposed);
        LayoutChildren(width, field, hint);
        if (width != proposedWidth) {
            SetHeight(edge, (width - WidthOverBoard) + (hint.bottom - hint.top) + HeightUnderStrip,
                      *proposed);
        }
    }

    ::MoveWindow(m_field.GetHwnd(), field.left, field.top, field.right - field.left,
                 field.bottom - field.top, FALSE);
    ::MoveWindow(m_hintStrip.GetHwnd(), hint.left, hint.top, hint.right - hint.left,
                 hint.bottom - hint.top, FALSE);
    m_field.Invalidate(FALSE);
    m_hintStrip.Invalidate(FALSE);
    Invalidate(TRUE);
    return TRUE;
}

LRESULT CMainWnd::OnExitSizeMove() {
    m_sizingDirection = Undecided;
    return 0;
}
