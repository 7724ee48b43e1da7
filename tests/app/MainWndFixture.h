#pragma once

// A real main window on the headless Qt backend, driven by real keys and
// clicks: each test gets a fresh window over an empty data folder.

#include "app/AppResources.h"
#include "app/CMainWnd.h"
#include "engine/PuzzleDigits.h"
#include "views/win/framework/CAppModule.h"
#include "views/win/framework/CMessageLoop.h"
#include "views/win/Win32.h"
#include "views/win/qt/QtBackend.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace apptest {

// A complete, valid board: row r (0-based) is 1-9 shifted by 3 * (r mod 3) + r div 3.
inline int SolutionDigit(int column, int row) {
    const int r = row - 1;
    const int c = column - 1;
    return (r % 3 * 3 + r / 3 + c) % 9 + 1;
}

// The solved board with the listed cells (column, row) left empty.
inline PuzzleDigits SolvedBoardWithHoles(std::initializer_list<std::pair<int, int>> holes) {
    PuzzleDigits digits{};
    for (int row = 1; row <= 9; ++row) {
        for (int column = 1; column <= 9; ++column) {
            digits[static_cast<std::size_t>((row - 1) * 9 + column - 1)] =
                static_cast<std::uint8_t>(SolutionDigit(column, row));
        }
    }
    for (const auto& [column, row] : holes) {
        digits[static_cast<std::size_t>((row - 1) * 9 + column - 1)] = 0;
    }
    return digits;
}

class MainWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dataDir = std::filesystem::temp_directory_path() /
                    ("kalmora-mainwnd-" + std::to_string(::getpid()));
        std::filesystem::remove_all(m_dataDir);
        std::filesystem::create_directories(m_dataDir);
        ::setenv("LOCALAPPDATA", m_dataDir.c_str(), 1);
        kwin::qt::InstallQtBackend();
        RegisterAppResources();
        m_module.Init(nullptr);
        m_module.AddMessageLoop(&m_loop);
        m_main = std::make_unique<CMainWnd>();
        ASSERT_NE(m_main->CreateMainWindow(), nullptr);
        m_main->ShowWindow(SW_SHOW);
        m_widget = kwin::qt::WidgetOf(m_main->GetHwnd());
        ASSERT_NE(m_widget, nullptr);
        Pump();
    }

    void TearDown() override {
        ReleaseCapture();
        m_main.reset();
        Pump();
        m_module.RemoveMessageLoop();
        m_module.Term();
        std::filesystem::remove_all(m_dataDir);
    }

    // Handles every pending event and message; a quit is remembered, not kept.
    void Pump() {
        for (int round = 0; round < 3; ++round) {
            QApplication::processEvents();
            MSG msg;
            while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT) {
                    m_quitSeen = true;
                    continue;
                }
                // As the program's loop does: accelerators first.
                if (m_loop.PreTranslateMessage(&msg)) {
                    continue;
                }
                TranslateMessage(&msg);
                DispatchMessage(&msg);
            }
        }
    }

    HWND Main() const { return m_main->GetHwnd(); }
    CGameFieldView& Field() { return m_main->GetFieldView(); }
    CHintCtrl& Strip() { return m_main->GetHintStrip(); }

    // A point of the main window's client area in the toolkit window's coordinates.
    QPoint ToWindow(int x, int y) const {
        return m_widget->contentsRect().topLeft() + QPoint(x, y);
    }
    QWindow* Window() const { return m_widget->windowHandle(); }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(m_widget, key, modifiers);
        Pump();
    }
    void Click(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(Window(), button, Qt::NoModifier, ToWindow(x, y));
        Pump();
    }
    // The centre of a cell of the default 376 x 376 board at (12, 12), in the
    // main window's client coordinates.
    static QPoint CellCentre(int column, int row) {
        return QPoint(12 + (column - 1) * 375 / 9 + 20, 12 + (row - 1) * 375 / 9 + 20);
    }
    void ClickCell(int column, int row, Qt::MouseButton button = Qt::LeftButton) {
        const QPoint p = CellCentre(column, row);
        Click(p.x(), p.y(), button);
    }

    // A pixel of a child window as it was last painted.
    static COLORREF PixelOf(HWND hwnd, int x, int y) {
        HDC dc = GetDC(hwnd);
        const COLORREF color = GetPixel(dc, x, y);
        ReleaseDC(hwnd, dc);
        return color;
    }

    // Level 0 by default: winning such a game asks for no winner's name.
    void StartGame(const PuzzleDigits& digits, int level = 0) {
        Field().StartPuzzle(digits, level);
        Pump();
    }

    CellPos Selection() { return Field().GetSelection(); }

    std::filesystem::path m_dataDir;
    CAppModule m_module;
    CMessageLoop m_loop;
    std::unique_ptr<CMainWnd> m_main;
    QWidget* m_widget = nullptr;
    bool m_quitSeen = false;
};

} // namespace apptest
