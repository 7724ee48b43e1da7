#pragma once

// The real main window on the headless Qt backend, played as a player plays
// it: keys, clicks, menu choices through the menu bar, modal dialogs answered
// through the modal hook. Each test gets its own data folder (LOCALAPPDATA),
// and the window can be closed and opened again over it.

#include "ShellTestSupport.h"

#include "app/CMainWnd.h"
#include "engine/PuzzleDigits.h"
#include "tests/support/SolvedGrid.h"
#include "views/win/framework/CAppModule.h"
#include "views/win/framework/CMessageLoop.h"

#include <QMenu>
#include <QMenuBar>
#include <QWindow>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace shelltest {

// The menu bar's item with this text, the bar holding a top-level menu (the
// main bar or the one in its corner with the right-justified "Help"), and an
// item chosen in an open popup: clicked, or a submenu opened by the keyboard.
QAction* ActionNamed(const QWidget* widget, const QString& text);
QMenuBar* BarHolding(QWidget* window, const QString& text);
void ActivateMenuItem(QMenu* menu, QAction* item);

inline int SolvedDigit(int column, int row) {
    return SolutionDigit({static_cast<std::uint32_t>(column), static_cast<std::uint32_t>(row)});
}

class ShellWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // settle: run what creation left queued (the first paint among it).
    void OpenWindow(bool settle = true);
    // As the player closes it: the session and the winners are written.
    void CloseWindow();
    void Reopen() {
        CloseWindow();
        OpenWindow();
    }

    // Every pending event and message, accelerators first, then one idle pass
    // as the program's loop makes it.
    void Pump();
    // A key as the desktop gives it: to the open popup, else to the focus.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool pump = true);
    void Type(const std::string& text);
    void Click(int x, int y, Qt::MouseButton button = Qt::LeftButton);
    // The centre of a cell of the board as it is now, whatever the window's
    // size, in the main window's client coordinates (inside the board's frame).
    QPoint CellCentre(int column, int row) const {
        const RECT board = ChildRect(m_main->GetFieldView().GetHwnd());
        return QPoint(board.left + 1 + (2 * column - 1) * (board.right - board.left - 2) / 18,
                      board.top + 1 + (2 * row - 1) * (board.bottom - board.top - 2) / 18);
    }
    void ClickCell(int column, int row, Qt::MouseButton button = Qt::LeftButton) {
        const QPoint p = CellCentre(column, row);
        Click(p.x(), p.y(), button);
    }
    // A point of the main window's client area in the toolkit window's coordinates.
    QPoint ToWindow(int x, int y) const {
        return m_widget->contentsRect().topLeft() + QPoint(x, y);
    }
    QWindow* Window() const { return m_widget->windowHandle(); }
    // A child's window rectangle in the main window's client coordinates.
    RECT ChildRect(HWND child) const {
        RECT r = WindowRect(child);
        MapWindowPoints(nullptr, Main(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    // Opens the menus along the path of item texts and chooses the last.
    void Choose(std::initializer_list<const char*> path);
    // The state a popup of the bar shows once opened: its items' enabled and
    // checked marks, by text. The popup is closed again.
    struct ItemState {
        bool enabled = false;
        bool checked = false;
    };
    ItemState MenuItemState(const char* popup, const char* item);
    // From now on, the ids of the WM_COMMAND messages the main window's
    // procedure gets: menu choices and accelerators.
    void RecordCommands();
    // The item texts of the "Load snapshot" submenu.
    std::vector<std::string> SnapshotItems() const;

    // The window has the default 416 x 540 size, centred on its monitor's work area.
    void ExpectCentredDefaultWindow() const;
    std::string Pane(int pane) const;

    HWND Main() const { return m_main->GetHwnd(); }
    CGameFieldView& Field() { return m_main->GetFieldView(); }
    CHintCtrl& Strip() { return m_main->GetHintStrip(); }
    CellPos Selection() { return Field().GetSelection(); }
    const CCell& At(int column, int row) {
        return Field().field.At(
            CellPos{static_cast<std::uint32_t>(column), static_cast<std::uint32_t>(row)});
    }
    void StartGame(const PuzzleDigits& digits, int level = 1) {
        Field().StartPuzzle(digits, level);
        Pump();
    }
    // A game whose clock reads m_now, which starts at StartTime.
    void StartTimedGame(const PuzzleDigits& digits, int level) {
        m_now = StartTime;
        Field().SetClock([this] { return m_now; });
        StartGame(digits, level);
    }
    // Selects the cell and types its solved digit.
    void Fill(int column, int row) {
        SelectCell(column, row);
        Type(std::to_string(SolvedDigit(column, row)));
    }
    void SelectCell(int column, int row) {
        Field().SelectCell(
            CellPos{static_cast<std::uint32_t>(column), static_cast<std::uint32_t>(row)});
        Pump();
    }
    std::string Path(const std::string& name) const { return (m_dataDir / name).string(); }

    std::filesystem::path m_dataDir;
    CAppModule m_module;
    CMessageLoop m_loop;
    std::unique_ptr<CMainWnd> m_main;
    QWidget* m_widget = nullptr;
    // Whether Pump met a quit (which it drops).
    bool m_quitSeen = false;
    static constexpr std::int64_t StartTime = 1'800'000'000;
    std::int64_t m_now = StartTime;
    std::vector<UINT> m_commands;

private:
    QAction* OpenPopup(QMenuBar* bar, const char* text);
};

// Answers for the modal script.
wintest::ModalStep ChooseFile(const std::string& path);
wintest::ModalStep PressEnter(std::string* text = nullptr, std::string* caption = nullptr);
wintest::ModalStep TypeThenEnter(const std::string& typed);

} // namespace shelltest
