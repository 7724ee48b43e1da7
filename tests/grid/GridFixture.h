#pragma once

// A grid control inside a visible parent window on the headless Qt backend.
// The parent records every notification the grid sends it and answers the
// editing ones as the test says; input goes through the grid's widget.

#include "tests/support/MessageLog.h"

#include "grid/CGridCtrl.h"
#include "views/win/Win32.h"
#include "views/win/qt/QtBackend.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gridtest {

struct Notified {
    UINT code;
    int row;
    int col;
    friend bool operator==(const Notified&, const Notified&) = default;
};

struct ParentState {
    std::vector<Notified> notes;
    std::vector<WPARAM> commands;
    LRESULT endEditReply = 1;
    LRESULT beginEditReply = 0;
};

inline ParentState& Parent() {
    static ParentState state;
    return state;
}

inline LRESULT ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        const auto* note = reinterpret_cast<const GridNotify*>(lParam);
        Parent().notes.push_back({note->hdr.code, note->row, note->col});
        if (note->hdr.code == GridNotifyCode::EndLabelEdit) {
            return Parent().endEditReply;
        }
        if (note->hdr.code == GridNotifyCode::BeginLabelEdit) {
            return Parent().beginEditReply;
        }
        return 0;
    }
    if (message == WM_COMMAND) {
        Parent().commands.push_back(wParam);
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

inline LPCSTR ParentClass() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSEX wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = ParentProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_BTNFACE + 1));
        wc.lpszClassName = "GridTestParent";
        RegisterClassEx(&wc);
        registered = true;
    }
    return "GridTestParent";
}

// The backend is in place before any test's grid is constructed, so every
// grid measures its fonts with the toolkit's text engine.
class QtBackendEnvironment : public ::testing::Environment {
public:
    void SetUp() override { kwin::qt::InstallQtBackend(); }
};
inline ::testing::Environment* const QtBackendForGrids =
    ::testing::AddGlobalTestEnvironment(new QtBackendEnvironment);

inline void Pump() {
    QApplication::processEvents();
    wintest::PumpMessages();
    QApplication::processEvents();
    wintest::PumpMessages();
}

// The clipboard's text; empty when it holds none.
inline std::string ClipboardText() {
    std::string text;
    if (OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            text = static_cast<const char*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return text;
}

class GridFixture : public ::testing::Test {
protected:
    static constexpr UINT GridId = 77;

    void SetUp() override {
        kwin::qt::InstallQtBackend();
        Parent() = ParentState{};
        m_parent = CreateWindowEx(0, ParentClass(), "grid parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  40, 40, 700, 500, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_parent, nullptr);
        Pump();
    }
    void TearDown() override {
        ReleaseCapture();
        DestroyWindow(m_parent);
        Pump();
    }

    // Creates the grid window (client size asked for, border included)
    // and lets its first paint give it its frame.
    void CreateGrid(CGridCtrl& grid, int width, int height) {
        ASSERT_TRUE(grid.Create(m_parent, RECT{10, 10, 10 + width, 10 + height}, GridId,
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP));
        Pump();
        SetFocus(grid.GetHwnd());
        Pump();
        Parent().notes.clear();
        Parent().commands.clear();
    }

    // A table of rows x cols, one fixed row and column, every cell's text
    // "r,c", each row 20 pixels high and each column 50 wide.
    static void Fill(CGridCtrl& grid, int rows, int cols, int fixedRows = 1, int fixedCols = 1) {
        grid.SetRowCount(rows);
        grid.SetColumnCount(cols);
        grid.SetFixedRowCount(fixedRows);
        grid.SetFixedColumnCount(fixedCols);
        for (int r = 0; r < rows; ++r) {
            grid.SetRowHeight(r, 20);
            for (int c = 0; c < cols; ++c) {
                grid.SetItemText(r, c, std::to_string(r) + "," + std::to_string(c));
            }
        }
        for (int c = 0; c < cols; ++c) {
            grid.SetColumnWidth(c, 50);
        }
    }

    static QWidget* Widget(const CGridCtrl& grid) { return kwin::qt::WidgetOf(grid.GetHwnd()); }

    static void Click(const CGridCtrl& grid, int x, int y,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(Widget(grid), Qt::LeftButton, modifiers, QPoint(x, y));
        Pump();
    }
    static void Key(const CGridCtrl& grid, Qt::Key key,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(Widget(grid), key, modifiers);
        Pump();
    }
    static void Type(const CGridCtrl& grid, const char* text) {
        QTest::keyClicks(Widget(grid), text);
        Pump();
    }
    // The centre of a cell as it is now placed.
    static QPoint Centre(CGridCtrl& grid, int row, int col) {
        RECT rect{};
        EXPECT_TRUE(grid.GetCellRect(row, col, &rect));
        return QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    static void ClickCell(CGridCtrl& grid, int row, int col,
                          Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QPoint at = Centre(grid, row, col);
        Click(grid, at.x(), at.y(), modifiers);
    }
    // Paints the grid now and reads its window's pixel.
    static COLORREF PaintedPixel(const CGridCtrl& grid, int x, int y) {
        UpdateWindow(grid.GetHwnd());
        HDC dc = GetDC(grid.GetHwnd());
        const COLORREF color = GetPixel(dc, x, y);
        ReleaseDC(grid.GetHwnd(), dc);
        return color;
    }
    static std::vector<UINT> Codes() {
        std::vector<UINT> codes;
        for (const Notified& n : Parent().notes) {
            codes.push_back(n.code);
        }
        return codes;
    }

    HWND m_parent = nullptr;
};

} // namespace gridtest
