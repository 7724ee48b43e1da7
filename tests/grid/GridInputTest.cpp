// Mouse and keys through the headless Qt backend: selecting by row, column
// and cell, Ctrl and Shift clicks, sizing at a divider, Tab, typing into a
// read-only table, cut and paste, and the notifications the parent gets.
// Copying a list-mode selection is checked in the winners dialog's table.

#include "GridFixture.h"

using namespace gridtest;

namespace {

class GridInputTest : public GridFixture {
protected:
    std::vector<CellId> Selected() {
        std::vector<CellId> cells;
        for (int r = 0; r < m_grid.GetRowCount(); ++r) {
            for (int c = 0; c < m_grid.GetColumnCount(); ++c) {
                if (m_grid.IsCellSelected(r, c)) {
                    cells.push_back({r, c});
                }
            }
        }
        return cells;
    }
    std::vector<int> SelectedRows() {
        std::vector<int> rows;
        for (const CellId& cell : Selected()) {
            if (rows.empty() || rows.back() != cell.row) {
                rows.push_back(cell.row);
            }
        }
        return rows;
    }
};

} // namespace

TEST_F(GridInputTest, ListModeSelectsRowsShiftExtendsAndCtrlClickTakesARowOut) {
    Fill(m_grid, 8, 4, 1, 0);
    m_grid.SetListMode(true);
    ClickCell(m_grid, 3, 2);
    EXPECT_EQ(Selected(), (std::vector<CellId>{{3, 0}, {3, 1}, {3, 2}, {3, 3}}));
    EXPECT_EQ(m_grid.GetFocusCell(), (CellId{3, 2}));
    EXPECT_EQ(At(Rect(0, 2).left, 5), GetSysColor(COLOR_3DDKSHADOW)) << "pressed";
    EXPECT_EQ(At(Rect(0, 1).left, 5), GetSysColor(COLOR_3DHIGHLIGHT)) << "raised";
    EXPECT_EQ(m_notes, (std::vector<Notified>{{GridNotifyCode::SelChanging, 3, 2},
                                              {GridNotifyCode::SelChanged, 3, 2},
                                              {GridNotifyCode::Click, 3, 2}}));
    EXPECT_EQ(m_commands, std::vector<WPARAM>{MAKEWPARAM(GridId, 0)});
    ClickCell(m_grid, 2, 1);
    ClickCell(m_grid, 5, 1, Qt::ShiftModifier);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{2, 3, 4, 5}));
    ClickCell(m_grid, 3, 0, Qt::ControlModifier);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{2, 4, 5}));
    ClickCell(m_grid, 7, 2, Qt::ControlModifier);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{2, 4, 5, 7})) << "Ctrl keeps what was selected";
}

// Column 2's right divider dragged 40 pixels right, or past its left edge
// (which leaves 1 pixel unless hiding by resizing is on); then, with column
// sizing off, the divider is no longer offered.
TEST_F(GridInputTest, DraggingADividerSizesTheColumnFromItsLeftEdge) {
    // Each press at its own height, so the next is not taken for a double click.
    const struct {
        bool hideByResizing;
        int moveBy;
        int width;
        int y;
    } cases[] = {{false, 40, 89, 4}, {false, -80, 1, 9}, {true, -80, 0, 15}};
    QWidget* widget = Widget(m_grid);
    for (const auto& c : cases) {
        Fill(m_grid, 5, 4);
        m_grid.SetHiddenColRowResize(c.hideByResizing, true);
        const RECT cell = Rect(0, 2);
        QTest::mouseMove(widget, QPoint(cell.right, c.y));
        Pump();
        EXPECT_EQ(m_grid.GetMouseMode(), CGridCtrl::MouseMode::OverColDivide);
        QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, QPoint(cell.right, c.y));
        Pump();
        EXPECT_EQ(m_grid.GetMouseMode(), CGridCtrl::MouseMode::SizingCol);
        QTest::mouseMove(widget, QPoint(cell.right + c.moveBy, c.y));
        Pump();
        QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier,
                            QPoint(cell.right + c.moveBy, c.y));
        Pump();
        EXPECT_EQ(m_grid.GetColumnWidth(2), c.width) << c.moveBy;
        EXPECT_EQ(m_grid.GetColumnWidth(1), 50) << "its neighbour unchanged";
        EXPECT_EQ(m_grid.GetMouseMode(), CGridCtrl::MouseMode::Nothing);
    }
    m_grid.SetColumnResize(false);
    QTest::mouseMove(widget, QPoint(Rect(0, 2).right, 4));
    Pump();
    EXPECT_EQ(m_grid.GetMouseMode(), CGridCtrl::MouseMode::Nothing) << "no sizing when off";
}

TEST_F(GridInputTest, TabMovesAlongTheRowWrapsAndStopsAtTheLastCellAndArrowsMoveTheFocus) {
    Fill(m_grid, 4, 4);
    const struct {
        CellId from;
        Qt::KeyboardModifiers modifiers;
        CellId to;
    } cases[] = {{{1, 1}, Qt::NoModifier, {1, 2}},
                 {{1, 3}, Qt::NoModifier, {2, 1}},
                 {{3, 3}, Qt::NoModifier, {3, 3}},
                 {{2, 1}, Qt::ShiftModifier, {1, 3}},
                 {{1, 1}, Qt::ShiftModifier, {1, 1}}};
    for (const auto& c : cases) {
        ClickCell(m_grid, c.from.row, c.from.col);
        const auto before = Selected();
        m_notes.clear();
        Key(m_grid, Qt::Key_Tab, c.modifiers);
        EXPECT_EQ(m_grid.GetFocusCell(), c.to) << c.from.row << "," << c.from.col;
        if (c.from == c.to) {
            EXPECT_EQ(Selected(), before) << "nothing changes at the end";
            EXPECT_TRUE(m_notes.empty());
        } else {
            EXPECT_EQ(Selected(), std::vector<CellId>{c.to});
            EXPECT_EQ(m_notes,
                      (std::vector<Notified>{{GridNotifyCode::SelChanging, c.to.row, c.to.col},
                                             {GridNotifyCode::SelChanged, c.to.row, c.to.col}}));
        }
    }
    EXPECT_EQ(SendMessage(m_grid.GetHwnd(), WM_GETDLGCODE, 0, 0),
              DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB);

    // Arrows move the focus and Shift extends the selection.
    Fill(m_grid, 6, 5);
    ClickCell(m_grid, 2, 2);
    Key(m_grid, Qt::Key_Down);
    Key(m_grid, Qt::Key_Right);
    EXPECT_EQ(m_grid.GetFocusCell(), (CellId{3, 3}));
    Key(m_grid, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(m_grid.GetSelectedRange(), (CellRange{3, 3, 4, 3}));
    Key(m_grid, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(m_grid.GetFocusCell(), (CellId{1, 1}));
    Key(m_grid, Qt::Key_Up);
    EXPECT_EQ(m_grid.GetFocusCell(), (CellId{1, 1})) << "never into the fixed row";
    Key(m_grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(m_grid.GetFocusCell(), (CellId{5, 4}));
}

TEST_F(GridInputTest, TypingCutAndPasteWorkOnlyOnAnEditableTable) {
    Fill(m_grid, 5, 4);
    m_grid.SetEditable(false);
    ClickCell(m_grid, 2, 1);
    m_notes.clear();
    Type(m_grid, "abc1");
    Key(m_grid, Qt::Key_F2);
    Key(m_grid, Qt::Key_Delete);
    EXPECT_EQ(FindWindowEx(m_grid.GetHwnd(), nullptr, "EDIT", nullptr), nullptr);
    EXPECT_EQ(m_grid.GetItemText(2, 1), "2,1");
    EXPECT_TRUE(m_notes.empty());
    m_grid.SetItemText(1, 1, "ab");
    m_grid.SetItemText(1, 2, "cd");
    ClickCell(m_grid, 1, 1);
    ClickCell(m_grid, 1, 2, Qt::ShiftModifier);
    Key(m_grid, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(m_grid.GetItemText(1, 1), "ab") << "nothing cut";
    EXPECT_FALSE(m_grid.CanCut());
    m_grid.SetEditable(true);
    Key(m_grid, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(ClipboardText(), "ab\tcd");
    EXPECT_EQ(m_grid.GetItemText(1, 1), "");
    EXPECT_EQ(m_grid.GetItemText(1, 2), "");
    ClickCell(m_grid, 3, 2);
    EXPECT_TRUE(m_grid.CanPaste());
    Key(m_grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(m_grid.GetItemText(3, 2), "ab");
    EXPECT_EQ(m_grid.GetItemText(3, 3), "cd");
    EXPECT_EQ(m_grid.GetItemText(4, 2), "4,2");
}

TEST_F(GridInputTest, ClicksBelowTheLastRowSelectNothingAHeaderItsColumnAndRightClicksTell) {
    Fill(m_grid, 6, 4);
    Click(m_grid, 60, 150);
    EXPECT_TRUE(Selected().empty());
    EXPECT_TRUE(m_notes.empty());
    m_grid.SetFocusCell(2, 2);
    ClickCell(m_grid, 0, 3);
    EXPECT_EQ(Selected(), (std::vector<CellId>{{1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}}));
    EXPECT_FALSE(m_grid.IsValid(m_grid.GetFocusCell()));
    ClickCell(m_grid, 2, 0);
    EXPECT_EQ(SelectedRows(), std::vector<int>{2}) << "a fixed-column click selects its row";
    EXPECT_EQ(Selected().size(), 3u);
    ClickCell(m_grid, 0, 0);
    EXPECT_EQ(Selected().size(), 15u) << "the corner selects every scrolling cell";

    // Right clicks move the focus into the scrolling area and tell the parent.
    m_notes.clear();
    QTest::mouseClick(Widget(m_grid), Qt::RightButton, Qt::NoModifier, Centre(m_grid, 0, 2));
    Pump();
    EXPECT_EQ(m_grid.GetFocusCell(), (CellId{1, 2}));
    QTest::mouseClick(Widget(m_grid), Qt::RightButton, Qt::NoModifier, QPoint(300, 150));
    Pump();
    EXPECT_EQ(m_notes, (std::vector<Notified>{{GridNotifyCode::RClick, 0, 2},
                                              {GridNotifyCode::RClick, -1, -1}}));
}

TEST_F(GridInputTest, DoubleClickOnADividerAndCtrlKeypadPlusSizeToTheTextsInTheWindowsFont) {
    Fill(m_grid, 4, 4);
    m_grid.SetItemText(2, 3, "a much longer text than fits");
    m_grid.SetColumnWidth(2, 0);
    const int divider = Rect(0, 3).left + 1; // right of column 1, column 2 hidden
    Click(m_grid, divider, 6);
    Click(m_grid, divider, 6);
    const int narrow = m_grid.GetColumnWidth(1);
    EXPECT_GT(narrow, 10);
    EXPECT_LT(narrow, 50) << "three characters need less than 50 pixels";
    EXPECT_EQ(m_grid.GetColumnWidth(2), 0);
    ClickCell(m_grid, 1, 1);
    Key(m_grid, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_GT(m_grid.GetColumnWidth(3), 100) << "widened to its long text";
    EXPECT_EQ(m_grid.GetColumnWidth(1), narrow);
    ClickCell(m_grid, 2, 0);
    ClickCell(m_grid, 2, 0);
    EXPECT_EQ(m_notes.back(), (Notified{GridNotifyCode::DblClick, 2, 0}));

    // A font given to the window becomes every area's font.
    HFONT font = CreateFont(-21, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Courier New");
    SendMessage(m_grid.GetHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    for (bool fixedRow : {false, true}) {
        for (bool fixedCol : {false, true}) {
            const LOGFONT* area = m_grid.GetDefaultCell(fixedRow, fixedCol)->GetFont();
            EXPECT_STREQ(area->lfFaceName, "Courier New");
            EXPECT_EQ(area->lfHeight, -21);
            EXPECT_EQ(area->lfWeight, FW_BOLD);
        }
    }
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessage(m_grid.GetHwnd(), WM_GETFONT, 0, 0)),
              m_grid.GetDefaultCell(false, false)->GetFontObject());
    m_grid.SetRowHeight(2, 0);
    const int below = Rect(3, 0).top + 1; // under row 1, row 2 hidden
    Click(m_grid, 20, below);
    Click(m_grid, 20, below);
    EXPECT_GT(m_grid.GetRowHeight(1), 21) << "sized to the larger font";
    EXPECT_EQ(m_grid.GetRowHeight(2), 0);
    DeleteObject(font);
}

TEST_F(GridInputTest, DraggingASelectionBelowTheTableScrollsAndExtendsIt) {
    Fill(m_grid, 60, 3);
    const QPoint start = Centre(m_grid, 2, 1);
    QTest::mousePress(Widget(m_grid), Qt::LeftButton, Qt::NoModifier, start);
    Pump();
    RECT client{};
    m_grid.GetClientRect(&client);
    QTest::mouseMove(Widget(m_grid), QPoint(start.x(), client.bottom - 3));
    Pump();
    const int lastVisible = m_grid.GetVisibleNonFixedCellRange().maxRow;
    EXPECT_EQ(m_grid.GetFocusCell(), (CellId{lastVisible, 1})) << "the focus follows the drag";
    POINT below{start.x(), client.bottom + 15};
    ClientToScreen(m_grid.GetHwnd(), &below);
    SetCursorPos(below.x, below.y);
    for (int tick = 0; tick < 4; ++tick) {
        SendMessage(m_grid.GetHwnd(), WM_TIMER, CGridCtrl::DragTimerId, 0);
    }
    EXPECT_GT(m_grid.GetTopLeftNonFixedCell().row, 1) << "scrolled down";
    const CellRange selected = m_grid.GetSelectedRange();
    EXPECT_EQ(selected.minRow, 2);
    EXPECT_EQ(selected.maxRow, m_grid.GetVisibleNonFixedCellRange().maxRow);
    EXPECT_EQ(selected.minCol, 1);
    EXPECT_EQ(selected.maxCol, 1);
    QTest::mouseRelease(Widget(m_grid), Qt::LeftButton, Qt::NoModifier, start);
    Pump();
}
