// The grid as painted on screen: fixed cells raised or pressed, the focus
// frame, selection colours and where the grid lines run. Pixels are read
// back from the window after a real paint.

#include "GridFixture.h"

using namespace gridtest;

// On a 20 x 6 table: the focus cell's frame and pressed headers, selected
// cells, the sort arrow, grid lines and the background.
TEST_F(GridFixture, PaintedCellsHeadersSortArrowGridLinesAndBackground) {
    Fill(m_grid, 20, 6);
    m_grid.SetFocusCell(3, 2);
    const COLORREF light = GetSysColor(COLOR_3DHIGHLIGHT);
    const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);
    ASSERT_NE(light, dark);
    struct Case {
        int row;
        int col;
        bool pressed;
    } cases[] = {{0, 2, true}, {3, 0, true}, {0, 1, false}, {0, 3, false}, {4, 0, false}};
    for (const Case& c : cases) {
        const RECT r = Rect(c.row, c.col);
        const LONG midY = (r.top + r.bottom) / 2;
        if (c.pressed) {
            EXPECT_EQ(At(r.left, midY), dark) << c.row << "," << c.col << " sunken: dark left";
            EXPECT_EQ(At(r.left + 3, r.top), dark) << c.row << "," << c.col;
        } else {
            EXPECT_EQ(At(r.left, midY), light) << c.row << "," << c.col << " raised: light left";
            EXPECT_EQ(At(r.left + 3, r.top), light) << c.row << "," << c.col;
            EXPECT_EQ(At(r.right, midY), dark) << c.row << "," << c.col << " dark right";
        }
    }
    m_grid.SetFocusCell(4, 3);
    const RECT moved = Rect(0, 2);
    EXPECT_EQ(At(moved.left, (moved.top + moved.bottom) / 2), light) << "raised again";
    const RECT pressed = Rect(0, 3);
    EXPECT_EQ(At(pressed.left, (pressed.top + pressed.bottom) / 2), dark);
    m_grid.GetCell(2, 3)->SetTextClr(RGB(200, 0, 30));
    m_grid.SetFocusCell(2, 3);
    const RECT r = Rect(2, 3);
    const LONG midY = (r.top + r.bottom) / 2;
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(At(r.left, midY), RGB(200, 0, 30));
    EXPECT_EQ(At(r.right - 1, midY), RGB(200, 0, 30));
    EXPECT_EQ(At(r.left + 3, r.top), RGB(200, 0, 30));
    EXPECT_EQ(At(r.left + 3, r.bottom - 1), RGB(200, 0, 30));
    EXPECT_EQ(At(r.left + 1, midY), window) << "inside the frame the background";
    const RECT other = Rect(3, 3);
    EXPECT_EQ(At(other.left, (other.top + other.bottom) / 2), window) << "no frame elsewhere";

    // Selected cells show the highlight whatever their own colours.
    m_grid.GetCell(4, 4)->SetBackClr(RGB(0, 200, 0));
    m_grid.GetCell(4, 4)->SetTextClr(RGB(0, 0, 200));
    m_grid.Invalidate(FALSE);
    const RECT own = Rect(4, 4);
    EXPECT_EQ(At(own.left + 1, own.top + 1), RGB(0, 200, 0)) << "its own background first";
    m_grid.SetSelectedRange({4, 3, 5, 4});
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(At(own.left + 1, own.top + 1), highlight);
    const RECT neighbour = Rect(5, 3);
    EXPECT_EQ(At(neighbour.left + 1, neighbour.top + 1), highlight);
    HDC paintDc = GetDC(m_grid.GetHwnd());
    int textPixels = 0;
    const COLORREF highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    for (LONG y = own.top; y < own.bottom; ++y) {
        for (LONG x = own.left; x < own.right; ++x) {
            const COLORREF c = GetPixel(paintDc, x, y);
            EXPECT_NE(c, RGB(0, 0, 200)) << "never its own text colour";
            textPixels += c == highlightText ? 1 : 0;
        }
    }
    ReleaseDC(m_grid.GetHwnd(), paintDc);
    EXPECT_GT(textPixels, 0) << "the text in the highlight-text colour";

    // The sort column's header shows an arrow; grid lines run at the edges of
    // the scrolling cells and the grid's background fills the rest.
    const RECT sorted = Rect(0, 3);
    const RECT box{sorted.left + sorted.right / 2 - sorted.left / 2, sorted.top + 2,
                   sorted.right - 1, sorted.bottom - 1};
    auto shadowPixels = [&] {
        UpdateWindow(m_grid.GetHwnd());
        HDC dc = GetDC(m_grid.GetHwnd());
        int n = 0;
        for (LONG y = box.top; y < box.bottom; ++y) {
            for (LONG x = (sorted.left + sorted.right) / 2 + 8; x < box.right; ++x) {
                n += GetPixel(dc, x, y) == GetSysColor(COLOR_3DSHADOW) ? 1 : 0;
            }
        }
        ReleaseDC(m_grid.GetHwnd(), dc);
        return n;
    };
    EXPECT_EQ(shadowPixels(), 0);
    m_grid.SetSortColumn(3, true);
    m_grid.Invalidate(FALSE);
    EXPECT_GT(shadowPixels(), 2) << "the arrow's shaded side";
    m_grid.SetItemText(5, 2, "changed");
    EXPECT_GT(shadowPixels(), 2) << "another column's change keeps the sort column";
    m_grid.SetItemText(5, 3, "changed");
    EXPECT_EQ(shadowPixels(), 0) << "a change in the sort column clears it";

    const COLORREF line = RGB(0xC0, 0xC0, 0xC0);
    const RECT cell = Rect(3, 2);
    const RECT header = Rect(0, 2);
    const RECT side = Rect(3, 0);
    EXPECT_EQ(At(cell.right, cell.top + 5), line) << "vertical line at the right edge";
    EXPECT_EQ(At(cell.left + 5, cell.bottom), line) << "horizontal line at the bottom edge";
    EXPECT_NE(At(cell.right - 1, cell.top + 5), line);
    EXPECT_NE(At(cell.left + 5, cell.bottom - 1), line);
    EXPECT_NE(At(header.right, header.top + 5), line) << "fixed cells draw their own edges";
    EXPECT_NE(At(side.left + 5, side.bottom), line);

    m_grid.SetGridLines(1);
    m_grid.Invalidate(FALSE);
    EXPECT_NE(At(cell.right, cell.top + 5), line) << "horizontal lines only";
    EXPECT_EQ(At(cell.left + 5, cell.bottom), line);
    m_grid.SetRowCount(4);
    m_grid.SetColumnCount(3);
    RECT client{};
    m_grid.GetClientRect(&client);
    EXPECT_EQ(At(client.right - 2, client.bottom - 2), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(At(160, 40), GetSysColor(COLOR_3DSHADOW)) << "right of column 2";
    EXPECT_EQ(At(30, 90), GetSysColor(COLOR_3DSHADOW)) << "below row 3";

    // Changed system colours reach the areas that still use them.
    const INT changed[] = {COLOR_WINDOW, COLOR_3DSHADOW};
    const COLORREF before[] = {GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_3DSHADOW)};
    const COLORREF after[] = {RGB(250, 240, 200), RGB(90, 60, 30)};
    SetSysColors(2, changed, after);
    SendMessage(m_grid.GetHwnd(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(At(Rect(1, 1).left + 1, Rect(1, 1).top + 1), after[0]);
    EXPECT_EQ(At(client.right - 2, client.bottom - 2), after[1]);
    SetSysColors(2, changed, before);
}
