#pragma once

// A grid control inside a visible parent window on the headless Qt backend.
// The parent records every notification the grid sends it and answers the
// editing ones as the test says; input goes through the grid's widget.

#include "tests/support/SpyWindow.h"

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

    // The parent keeps each notification and command, answers every
    // notification with 1 until a test sets another reply, then gets a
    // 330 x 230 grid (border included) that has had its first paint and the focus.
    void SetUp() override {
        m_parentSpy.RecordOnly(WM_NOTIFY, WM_COMMAND);
        m_parentSpy.SetReply(WM_NOTIFY, 1);
        m_parentSpy.SetOnMessage([this](const wintest::Recorded& r) {
            if (r.message == WM_NOTIFY) {
                const auto* note = reinterpret_cast<const GridNotify*>(r.lParam);
                m_notes.push_back({note->hdr.code, note->row, note->col});
            } else if (r.message == WM_COMMAND) {
                m_commands.push_back(r.wParam);
            }
        });
        m_parent = m_parentSpy.Create(nullptr, RECT{40, 40, 740, 540}, "grid parent",
                                      WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        ASSERT_NE(m_parent, nullptr);
        ASSERT_TRUE(m_grid.Create(m_parent, RECT{10, 10, 340, 240}, GridId,
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP));
        Pump();
        SetFocus(m_grid.GetHwnd());
        Pump();
        m_notes.clear();
        m_commands.clear();
    }
    void TearDown() override {
        ReleaseCapture();
        DestroyWindow(m_parent);
        Pump();
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
    // Where a cell is now placed.
    static RECT Rect(CGridCtrl& grid, int row, int col) {
        RECT rect{};
        EXPECT_TRUE(grid.GetCellRect(row, col, &rect)) << row << "," << col;
        return rect;
    }
    RECT Rect(int row, int col) { return Rect(m_grid, row, col); }
    static QPoint Centre(CGridCtrl& grid, int row, int col) {
        const RECT rect = Rect(grid, row, col);
        return QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    static void ClickCell(CGridCtrl& grid, int row, int col,
                          Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QPoint at = Centre(grid, row, col);
        Click(grid, at.x(), at.y(), modifiers);
    }
    // Paints the grid now and reads its window's pixel.
    COLORREF At(int x, int y) const {
        UpdateWindow(m_grid.GetHwnd());
        HDC dc = GetDC(m_grid.GetHwnd());
        const COLORREF color = GetPixel(dc, x, y);
        ReleaseDC(m_grid.GetHwnd(), dc);
        return color;
    }

    wintest::MessageLog m_parentLog;
    wintest::SpyWindow m_parentSpy{m_parentLog};
    std::vector<Notified> m_notes;
    std::vector<WPARAM> m_commands;
    HWND m_parent = nullptr;
    CGridCtrl m_grid;
};

} // namespace gridtest
