// Scroll bars and scrolling by whole rows: bars only when needed, line, page
// and wheel scrolling, and bringing a cell into view.

#include "GridFixture.h"

#include "views/win/backend/Backend.h"

using namespace gridtest;

namespace {

class GridScrollTest : public GridFixture {
protected:
    DWORD Style() const { return static_cast<DWORD>(GetWindowLong(m_grid.GetHwnd(), GWL_STYLE)); }
    SCROLLINFO Bar(int bar) const {
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(m_grid.GetHwnd(), bar, &info);
        return info;
    }
    // The scroll messages waiting in the grid's queue, taken out.
    std::vector<WORD> QueuedScrolls() {
        std::vector<WORD> codes;
        MSG msg;
        while (PeekMessage(&msg, m_grid.GetHwnd(), WM_VSCROLL, WM_VSCROLL, PM_REMOVE)) {
            codes.push_back(LOWORD(msg.wParam));
        }
        return codes;
    }
};

} // namespace

TEST_F(GridScrollTest, BarsComeOnlyWhenNeededAndEnsureVisibleAndTheThumbShowCellsWhole) {
    Fill(m_grid, 5, 3);
    EXPECT_FALSE(Style() & WS_VSCROLL);
    EXPECT_FALSE(Style() & WS_HSCROLL);
    EXPECT_EQ(Bar(SB_VERT).nMax, 0);
    Fill(m_grid, 40, 3);
    EXPECT_TRUE(Style() & WS_VSCROLL);
    EXPECT_EQ(Bar(SB_VERT).nMax, 39 * 20 - 1);
    RECT client{};
    m_grid.GetClientRect(&client);
    EXPECT_EQ(static_cast<LONG>(Bar(SB_VERT).nPage), client.bottom - 20);
    m_grid.SetRowCount(6);
    EXPECT_FALSE(Style() & WS_VSCROLL) << "gone again";

    // Columns that exactly fill the width fit until the vertical bar comes.
    m_grid.GetClientRect(&client);
    Fill(m_grid, 5, 2);
    m_grid.SetColumnWidth(1, client.right - 50);
    EXPECT_FALSE(Style() & WS_HSCROLL);
    Fill(m_grid, 40, 2);
    m_grid.SetColumnWidth(1, client.right - 50);
    EXPECT_TRUE(Style() & WS_VSCROLL);
    EXPECT_TRUE(Style() & WS_HSCROLL);

    // EnsureVisible brings a cell into view whole.
    Fill(m_grid, 60, 20);
    const struct {
        int row;
        int col;
    } cases[] = {{30, 15}, {59, 19}, {12, 9}, {2, 1}};
    for (const auto& c : cases) {
        m_grid.EnsureVisible(c.row, c.col);
        m_grid.GetClientRect(&client);
        const RECT rect = Rect(c.row, c.col);
        EXPECT_LT(rect.right, client.right) << c.row << "," << c.col;
        EXPECT_LT(rect.bottom, client.bottom) << c.row << "," << c.col;
        EXPECT_GE(rect.left, 50);
        EXPECT_GE(rect.top, 20);
    }
    // Dragging the thumb shows whole rows from the top.
    Fill(m_grid, 100, 3);
    const struct {
        int track;
        int topRow;
    } thumbCases[] = {{100, 6}, {110, 7}, {119, 7}, {0, 1}};
    for (const auto& c : thumbCases) {
        kwin::ScrollBarAction(m_grid.GetHwnd(), SB_VERT, SB_THUMBTRACK, c.track);
        Pump();
        EXPECT_EQ(m_grid.GetScrollPos32(SB_VERT), c.track);
        EXPECT_EQ(m_grid.GetTopLeftNonFixedCell().row, c.topRow) << c.track;
        EXPECT_EQ(Rect(c.topRow, 1).top, 20) << "a whole row right under the header";
    }
    kwin::ScrollBarAction(m_grid.GetHwnd(), SB_VERT, SB_ENDSCROLL, 0);
    Pump();
}

TEST_F(GridScrollTest, LinesMoveByTheTopRowsHeightPagesByTheAreaAndAWheelNotchByThreeLines) {
    for (int height : {20, 33}) {
        Fill(m_grid, 40, 3);
        m_grid.SetRowHeight(1, height);
        SendMessage(m_grid.GetHwnd(), WM_VSCROLL, SB_TOP, 0);
        SendMessage(m_grid.GetHwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
        EXPECT_EQ(m_grid.GetScrollPos32(SB_VERT), height);
        EXPECT_EQ(m_grid.GetTopLeftNonFixedCell().row, 2);
        EXPECT_EQ(Rect(2, 1).top, 20) << "row 2 right below the header";
        SendMessage(m_grid.GetHwnd(), WM_VSCROLL, SB_LINEUP, 0);
        EXPECT_EQ(m_grid.GetScrollPos32(SB_VERT), 0);
        EXPECT_EQ(m_grid.GetTopLeftNonFixedCell().row, 1);
    }
    Fill(m_grid, 100, 3);
    RECT client{};
    m_grid.GetClientRect(&client);
    const int page = client.bottom - 20;
    SendMessage(m_grid.GetHwnd(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(m_grid.GetScrollPos32(SB_VERT), page);
    SendMessage(m_grid.GetHwnd(), WM_VSCROLL, SB_BOTTOM, 0);
    const CellId bottom = m_grid.GetTopLeftNonFixedCell();
    EXPECT_EQ(m_grid.GetVisibleNonFixedCellRange().maxRow, 99) << "the last row shows";
    EXPECT_GT(bottom.row, 80);
    SendMessage(m_grid.GetHwnd(), WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(m_grid.GetScrollPos32(SB_VERT), 0);
    // Page keys move the focus row as far as the page moved the top row.
    ClickCell(m_grid, 2, 1);
    Key(m_grid, Qt::Key_PageDown);
    const int top = m_grid.GetTopLeftNonFixedCell().row;
    EXPECT_GT(top, 5);
    EXPECT_EQ(m_grid.GetFocusCell(), (CellId{top + 1, 1}));
    Key(m_grid, Qt::Key_PageUp);
    EXPECT_EQ(m_grid.GetFocusCell(), (CellId{2, 1}));
    EXPECT_EQ(m_grid.GetScrollPos32(SB_VERT), 0);

    // A wheel notch posts the desktop's lines per notch, 3 when unknown.
    ASSERT_EQ(m_grid.GetRowsPerWheelNotch(), 3);
    const struct {
        short delta;
        std::vector<WORD> posted;
    } cases[] = {{120, {SB_LINEUP, SB_LINEUP, SB_LINEUP}},
                 {-120, {SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN}},
                 {240, std::vector<WORD>(6, SB_LINEUP)},
                 {40, {SB_LINEUP}},
                 {30, {}}};
    for (const auto& c : cases) {
        QueuedScrolls();
        SendMessage(m_grid.GetHwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(c.delta)),
                    MAKELPARAM(60, 60));
        EXPECT_EQ(QueuedScrolls(), c.posted) << "delta " << c.delta;
    }
    SendMessage(m_grid.GetHwnd(), WM_VSCROLL, SB_PAGEDOWN, 0);
    const int pos = m_grid.GetScrollPos32(SB_VERT);
    SendMessage(m_grid.GetHwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    Pump();
    EXPECT_EQ(m_grid.GetScrollPos32(SB_VERT), pos + 60) << "three 20-pixel rows";
    SystemParametersInfo(SPI_SETWHEELSCROLLLINES, WHEEL_PAGESCROLL, nullptr, 0);
    SendMessage(m_grid.GetHwnd(), WM_SETTINGCHANGE, 0, 0);
    SystemParametersInfo(SPI_SETWHEELSCROLLLINES, 3, nullptr, 0);
    QueuedScrolls();
    SendMessage(m_grid.GetHwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0);
    EXPECT_EQ(QueuedScrolls(), (std::vector<WORD>{SB_PAGEDOWN, SB_PAGEDOWN})) << "page per notch";
}
