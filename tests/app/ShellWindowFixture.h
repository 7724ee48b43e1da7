#pragma once

// The real main window on the headless Qt backend, played as a player plays
// it: keys, menu choices through the menu bar, modal dialogs answered through
// the modal hook. Each test gets its own data folder (LOCALAPPDATA), and the
// window can be closed and opened again over it.

#include "ShellTestSupport.h"

#include "app/CMainWnd.h"
#include "engine/PuzzleDigits.h"
#include "views/win/CAppModule.h"
#include "views/win/CMessageLoop.h"

#include <QMenu>
#include <QMenuBar>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace shelltest {

// A solved board: row r (0-based) is 1-9 shifted by 3 * (r mod 3) + r div 3.
int SolvedDigit(int column, int row);
// That board with the listed cells (column, row) left empty.
PuzzleDigits SolvedWithHoles(std::initializer_list<std::pair<int, int>> holes);

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
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Type(const std::string& text);
    // Opens the menus along the path of item texts and chooses the last.
    void Choose(std::initializer_list<const char*> path);
    // The state a popup of the bar shows once opened: its items' enabled and
    // checked marks, by text. The popup is closed again.
    struct ItemState {
        bool enabled = false;
        bool checked = false;
    };
    ItemState MenuItemState(const char* popup, const char* item);
    // The item texts of the "Load snapshot" submenu.
    std::vector<std::string> SnapshotItems() const;

    std::string Pane(int pane) const;
    // Waits for the clock (timer 1) to show the pane 3 text asked for.
    bool WaitForClock(const std::string& text);

    HWND Main() const { return m_main->GetHwnd(); }
    CGameFieldView& Field() { return m_main->GetFieldView(); }
    void StartGame(const PuzzleDigits& digits, int level) {
        Field().StartPuzzle(digits, level);
        Pump();
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

private:
    QAction* OpenPopup(QMenuBar* bar, const char* text);
};

// Answers for the modal script.
wintest::ModalStep ChooseFile(const std::string& path);
wintest::ModalStep PressEnter(std::string* text = nullptr, std::string* caption = nullptr);
wintest::ModalStep TypeThenEnter(const std::string& typed);

} // namespace shelltest
