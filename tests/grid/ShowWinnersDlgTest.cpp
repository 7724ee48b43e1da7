// The winners dialog, opened modally and worked headless: its table's rows,
// texts, fonts and widths, clicks and keys in the read-only table, what a
// screen reader reads of it, and how it closes.

#include "GridFixture.h"

#include "tests/views/win/AccessibleRecorder.h"
#include "tests/views/win/ModalScript.h"

#include "grid/CShowWinnersDlg.h"
#include "storage/WinnersRules.h"

using namespace gridtest;
using kwin::ModalStart;
using wintest::ModalScript;
using wintest::PressKey;

namespace {

WinnersList MakeList(int count) {
    static const char* names[] = {"Ada",     "Grace",   "Edsger", "Barbara",  "Donald", "Ken",
                                  "Niklaus", "Frances", "John",   "Margaret", "Alan",   "Tony"};
    WinnersList list;
    for (int i = 0; i < count; ++i) {
        list.push_back(WinnersRules::MakeEntry(names[i % 12], 60 + 7 * i));
    }
    return list;
}

class ShowWinnersDlgTest : public GridFixture {
protected:
    // Opens the dialog over the test's window; the step works it while open.
    INT_PTR Open(CShowWinnersDlg& dialog, std::function<void(HWND dialog, CGridCtrl& grid)> step) {
        ModalScript script;
        script.Then([&](const ModalStart& start) {
            Pump();
            step(start.window, dialog.Grid());
        });
        Pump();
        const INT_PTR result = dialog.DoModal(m_parent);
        Pump();
        EXPECT_EQ(script.Started(), 1);
        return result;
    }
    static std::vector<std::string> Column(CGridCtrl& grid, int col) {
        std::vector<std::string> texts;
        for (int row = 0; row < grid.GetRowCount(); ++row) {
            texts.push_back(grid.GetItemText(row, col));
        }
        return texts;
    }
};

} // namespace

// With an empty list or none at all: Esc cancels, Enter is OK.
TEST_F(ShowWinnersDlgTest, AnEmptyListOrNoneShowsTheHeaderAloneAndClicksSelectNothing) {
    WinnersList empty;
    CShowWinnersDlg emptyList(&empty);
    CShowWinnersDlg noList;
    for (CShowWinnersDlg* dialog : {&emptyList, &noList}) {
        const bool cancel = dialog == &emptyList;
        const INT_PTR result = Open(*dialog, [cancel](HWND window, CGridCtrl& grid) {
            EXPECT_EQ(wintest::TextOf(window), "Dialog");
            EXPECT_EQ(grid.GetRowCount(), 1);
            EXPECT_EQ(grid.GetColumnCount(), 3);
            EXPECT_EQ(grid.GetFixedRowCount(), 1);
            EXPECT_EQ(grid.GetFixedColumnCount(), 0);
            EXPECT_EQ(Column(grid, 0), std::vector<std::string>{"N"});
            EXPECT_EQ(grid.GetItemText(0, 1), "Name");
            EXPECT_EQ(grid.GetItemText(0, 2), "Time");
            EXPECT_EQ(grid.GetCell(0, 1)->GetFormat(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            Click(grid, 100, 120);
            // Neither a right click nor a drag on the headers leaves the focus there.
            QWidget* widget = Widget(grid);
            QTest::mouseClick(widget, Qt::RightButton, Qt::NoModifier, QPoint(100, 5));
            Pump();
            EXPECT_FALSE(grid.IsValid(grid.GetFocusCell()));
            QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
            QTest::mouseMove(widget, QPoint(100, 5));
            QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, QPoint(100, 5));
            Pump();
            Key(grid, Qt::Key_Right);
            EXPECT_EQ(grid.GetSelectedCount(), 0);
            EXPECT_FALSE(grid.IsValid(grid.GetFocusCell()));
            PressKey(window, cancel ? Qt::Key_Escape : Qt::Key_Return);
        });
        EXPECT_EQ(result, cancel ? IDCANCEL : IDOK);
    }
}

// Ten entries, then a name filling its whole field and a time of 100 hours,
// each a row ranked in list order and shown whole. The table is set up for
// reading and is the first tab stop: clicks select rows, Ctrl+C copies them,
// Tab stays inside it and Enter closes with OK.
TEST_F(ShowWinnersDlgTest, EveryEntryIsARowRankedInListOrderAndTheTableIsForReading) {
    WinnersList list = MakeList(10);
    const std::string forty = "0123456789abcdefghijABCDEFGHIJ0123456789";
    HiScoreEntry full;
    std::copy(forty.begin(), forty.end(), full.name.begin());
    full.time = 3725;
    list.push_back(full);
    list.push_back(WinnersRules::MakeEntry("Slow", 360000));
    CShowWinnersDlg dialog(&list);
    const INT_PTR result = Open(dialog, [&](HWND window, CGridCtrl& grid) {
        EXPECT_EQ(Column(grid, 0), (std::vector<std::string>{"N", "1", "2", "3", "4", "5", "6", "7",
                                                             "8", "9", "10", "11", "12"}));
        EXPECT_EQ(grid.GetItemText(2, 1), "Grace");
        EXPECT_EQ(grid.GetItemText(10, 1), "Margaret");
        EXPECT_EQ(grid.GetItemText(11, 1), forty);
        EXPECT_EQ(Column(grid, 2)[1], "00:01:00");
        EXPECT_EQ(Column(grid, 2)[2], "00:01:07");
        EXPECT_EQ(Column(grid, 2)[11], "01:02:05");
        EXPECT_EQ(Column(grid, 2)[12], "100:00:00");
        EXPECT_EQ(GetDlgCtrlID(grid.GetHwnd()), 1015);
        const CGridDefaultCell* data = grid.GetDefaultCell(false, false);
        const CGridDefaultCell* header = grid.GetDefaultCell(true, false);
        EXPECT_STREQ(data->GetFont()->lfFaceName, "Courier New");
        EXPECT_LT(data->GetFont()->lfHeight, 0);
        EXPECT_EQ(header->GetFont()->lfWeight, FW_BOLD);
        EXPECT_EQ(header->GetMargin(), 3u);
        EXPECT_EQ(data->GetMargin(), 2u);
        EXPECT_TRUE(grid.GetListMode());
        EXPECT_FALSE(grid.IsEditable());
        EXPECT_FALSE(grid.GetRowResize());
        EXPECT_FALSE(grid.GetColumnResize());
        for (int row = 0; row < grid.GetRowCount(); ++row) {
            EXPECT_EQ(grid.GetRowHeight(row), data->GetHeight()) << row;
        }
        RECT client{};
        grid.GetClientRect(&client);
        const std::array<int, 3> widths = CShowWinnersDlg::ColumnWidths(client.right);
        for (int col = 0; col < 3; ++col) {
            EXPECT_EQ(grid.GetColumnWidth(col), widths[static_cast<std::size_t>(col)]);
        }
        EXPECT_FALSE(GetWindowLong(grid.GetHwnd(), GWL_STYLE) & WS_HSCROLL);

        EXPECT_EQ(GetFocus(), grid.GetHwnd());
        ClickCell(grid, 2, 1);
        ClickCell(grid, 3, 0, Qt::ShiftModifier);
        EXPECT_EQ(grid.GetSelectedRange(), (CellRange{2, 0, 3, 2}));
        EXPECT_TRUE(grid.CanCopy());
        Key(grid, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(ClipboardText(), "2\tGrace\t00:01:07\r\n3\tEdsger\t00:01:14");
        Key(grid, Qt::Key_Tab);
        EXPECT_EQ(grid.GetFocusCell(), (CellId{3, 1}));
        EXPECT_EQ(GetFocus(), grid.GetHwnd()) << "Tab stays in the table";
        PressKey(window, Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);

    // The column shares of a width are rounded and the last gives way.
    const struct {
        int width;
        std::array<int, 3> columns;
    } cases[] = {{110, {6, 83, 21}}, {100, {5, 75, 20}}, {30, {2, 23, 5}}, {10, {1, 8, 1}}};
    for (const auto& c : cases) {
        EXPECT_EQ(CShowWinnersDlg::ColumnWidths(c.width), c.columns) << c.width;
    }
}

// The table a screen reader reads: headers, rows, and the focus cell and
// selection that clicks and keys move.
TEST_F(ShowWinnersDlgTest, AScreenReaderReadsTheHeadersRowsFocusCellAndSelection) {
    const WinnersList list = MakeList(3);
    CShowWinnersDlg dialog(&list);
    wintest::AccessibleRecorder recorder;
    Open(dialog, [&recorder](HWND window, CGridCtrl& grid) {
        QAccessibleInterface* top = wintest::AccessibleOf(window);
        QAccessibleInterface* table = wintest::FindAccessible(top, QAccessible::Table);
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(wintest::NameOf(table), "Top winners");
        EXPECT_EQ(wintest::DeepestFocus(top), table) << "no focus cell yet";
        QAccessibleTableInterface* rows = table->tableInterface();
        ASSERT_EQ(rows->rowCount(), 3);
        ASSERT_EQ(rows->columnCount(), 3);
        const char* headers[] = {"N", "Name", "Time"};
        const char* texts[][3] = {
            {"1", "Ada", "00:01:00"}, {"2", "Grace", "00:01:07"}, {"3", "Edsger", "00:01:14"}};
        for (int col = 0; col < 3; ++col) {
            EXPECT_EQ(rows->columnDescription(col).toStdString(), headers[col]);
            EXPECT_EQ(table->child(col)->role(), QAccessible::ColumnHeader);
            for (int row = 0; row < 3; ++row) {
                QAccessibleInterface* cell = rows->cellAt(row, col);
                EXPECT_EQ(wintest::NameOf(cell), texts[row][col]);
                EXPECT_EQ(cell->role(), QAccessible::Cell);
                EXPECT_TRUE(cell->state().readOnly);
                const auto header = cell->tableCellInterface()->columnHeaderCells();
                ASSERT_EQ(header.size(), 1);
                EXPECT_EQ(wintest::NameOf(header[0]), headers[col]);
            }
        }
        recorder.Clear();
        ClickCell(grid, 2, 1);
        EXPECT_EQ(recorder.Names(QAccessible::Focus), std::vector<std::string>{"Grace"});
        EXPECT_EQ(rows->selectedRows(), QList<int>{1});
        EXPECT_EQ(rows->selectedCellCount(), 3);
        Key(grid, Qt::Key_Down);
        EXPECT_EQ(wintest::NameOf(wintest::DeepestFocus(top)), "Edsger");
        EXPECT_TRUE(wintest::DeepestFocus(top)->state().focused);
        EXPECT_EQ(rows->selectedRows(), QList<int>{2});
        PressKey(window, Qt::Key_Return);
    });
}
