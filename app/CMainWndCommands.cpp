// The main window's commands and menu states, and the end of a game.

#include "app/CMainWnd.h"

#include "app/CAboutDlg.h"
#include "app/CMakeSnapShotDlg.h"
#include "app/CommandIds.h"
#include "app/FileErrorReport.h"
#include "app/GameOverFlow.h"
#include "app/ResourceIds.h"
#include "app/ResourceText.h"
#include "app/VersionLine.h"
#include "grid/CShowWinnersDlg.h"
#include "session/PlayTimeText.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <vector>

namespace {

constexpr const char* GameOverText = "Game over";

std::string Trimmed(const std::string& text) {
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    const auto first = std::find_if_not(text.begin(), text.end(), blank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
    return first < last ? std::string(first, last) : std::string();
}

} // namespace

LRESULT CMainWnd::OnCommand(WORD, WORD id, HWND) {
    switch (id) {
    case ID_NEW_BLANK:
        OnNewGame(0);
        break;
    case ID_NEW_EASY:
        OnNewGame(1);
        break;
    case ID_NEW_NORMAL:
        OnNewGame(2);
        break;
    case ID_NEW_HARD:
        OnNewGame(3);
        break;
    case ID_NEW_INSANE:
        OnNewGame(4);
        break;
    case ID_FILE_LOAD:
        OnLoad();
        break;
    case ID_FILE_SAVE:
        OnSave();
        break;
    case ID_FILE_SAVE_AS:
        OnSaveAs();
        break;
    case ID_APP_EXIT:
        DestroyWindow();
        break;
    case ID_GAME_UNDO:
        m_field.Undo();
        break;
    case ID_GAME_REDO:
        m_field.Redo();
        break;
    case ID_GAME_AUTOCHECK:
        OnToggleAutoCheck();
        break;
    case ID_GAME_MAKE_SNAPSHOT:
        OnMakeSnapshot();
        break;
    case ID_GAME_RESET:
        m_field.ResetGame();
        break;
    case ID_GAME_HINT:
        m_field.Hint();
        break;
    case ID_GAME_CHECK:
        OnCheck();
        break;
    case ID_GAME_TRY_SOLVE:
        m_field.TrySolve();
        break;
    case ID_TOP_WINNERS_EASY:
    case ID_TOP_WINNERS_NORMAL:
    case ID_TOP_WINNERS_HARD:
    case ID_TOP_WINNERS_INSANE:
        OnShowWinners(static_cast<int>(id - ID_TOP_WINNERS_EASY) + 1);
        break;
    case ID_APP_ABOUT:
        OnAbout();
        break;
    default:
        // The snapshot items; every other id (Ctrl+N, Ctrl+C, F6...) is ignored.
        if (CSnapshotMenu::IsSnapshotCommand(id)) {
            m_field.LoadSnapshot(id - ID_SNAPSHOT_FIRST);
        }
        break;
    }
    return 0;
}

void CMainWnd::OnNewGame(int level) {
    m_snapshots.Clear();
    if (level == 0) {
        m_field.NewBlankGame();
    } else {
        m_field.NewGame(level);
    }
    m_fileDialog.ClearFileName();
}

// The current file name changes only once the file has been read, so a
// later Save never writes over a file that failed to load.
void CMainWnd::OnLoad() {
    std::string path;
    if (!m_fileDialog.ChooseToOpen(GetHwnd(), path)) {
        return;
    }
    try {
        m_field.LoadFromFile(path.c_str());
        std::vector<std::string> labels;
        m_field.GetSnapshotLabels(labels);
        m_snapshots.Rebuild(labels);
        m_fileDialog.SetFileName(path);
    } catch (const std::exception& error) {
        ReportFileError(GetHwnd(), error, IDS_FILE_OPEN_ERROR);
    }
}

void CMainWnd::OnSave() {
    if (m_fileDialog.FileName().empty()) {
        OnSaveAs();
        return;
    }
    SaveGameTo(m_fileDialog.FileName());
}

void CMainWnd::OnSaveAs() {
    std::string path;
    if (!m_fileDialog.ChooseToSave(GetHwnd(), path)) {
        return;
    }
    m_fileDialog.SetFileName(path);
    SaveGameTo(path);
}

void CMainWnd::SaveGameTo(const std::string& path) {
    try {
        m_field.SaveToFile(path.c_str());
    } catch (const std::exception& error) {
        ReportFileError(GetHwnd(), error, IDS_FILE_SAVE_ERROR);
    }
}

// The conflict found is shown at once, as Ctrl+K shows it.
void CMainWnd::OnToggleAutoCheck() {
    m_autoCheck = !m_field.IsAutoCheck();
    m_uiState.SetChecked(ID_GAME_AUTOCHECK, m_autoCheck);
    m_uiState.SetEnabled(ID_GAME_CHECK, !m_autoCheck);
    m_field.SetAutoCheck(m_autoCheck);
    m_field.Repaint();
}

void CMainWnd::OnCheck() {
    m_field.Check();
    m_field.Repaint();
}

void CMainWnd::OnMakeSnapshot() {
    CMakeSnapShotDlg dialog;
    if (dialog.DoModal(DialogOwner()) != IDOK) {
        return;
    }
    const std::string name = Trimmed(dialog.name);
    if (name.empty()) {
        return;
    }
    const std::int64_t elapsed = m_field.GetElapsed();
    if (!m_field.MakeSnapshot(name.c_str(), elapsed)) {
        const std::string text = LoadText(IDS_TOO_MANY_SNAPSHOTS);
        const std::string caption = LoadText(IDS_INVALID_OPERATION);
        MessageBox(GetHwnd(), text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
        return;
    }
    m_snapshots.Append(name + " (" + FormatPlayTime(elapsed) + ")");
}

// The winners table of level 1-4 (Easy, Normal, Hard, Insane): a modal
// view of m_winners[level - 1], which it only reads.
void CMainWnd::OnShowWinners(int level) {
    CShowWinnersDlg dialog(&m_winners[static_cast<std::size_t>(level - 1)]);
    dialog.DoModal(DialogOwner());
}

void CMainWnd::OnAbout() {
    CAboutDlg dialog;
    dialog.text = VersionLine();
    dialog.DoModal(DialogOwner());
}

HWND CMainWnd::DialogOwner() const {
    const HWND active = GetActiveWindow();
    return active != nullptr ? active : GetHwnd();
}

LRESULT CMainWnd::OnInitMenuPopup(HMENU popup, UINT, BOOL) {
    SyncSnapshotMenu();
    for (CUIStateTable::CommandState& command : m_uiState.Commands()) {
        if (GetMenuState(popup, command.id, MF_BYCOMMAND) == static_cast<UINT>(-1)) {
            continue;
        }
        EnableMenuItem(popup, command.id,
                       MF_BYCOMMAND | (command.enabled ? MF_ENABLED : MF_GRAYED));
        CheckMenuItem(popup, command.id,
                      MF_BYCOMMAND | (command.checked ? MF_CHECKED : MF_UNCHECKED));
        command.changed = false;
    }
    return 0;
}

LRESULT CMainWnd::OnUndoState(LPARAM lParam) {
    m_uiState.SetEnabled(ID_GAME_UNDO, lParam != 0);
    return 0;
}

LRESULT CMainWnd::OnRedoState(LPARAM lParam) {
    m_uiState.SetEnabled(ID_GAME_REDO, lParam != 0);
    return 0;
}

LRESULT CMainWnd::OnGameWon(WPARAM level, LPARAM helpUsed) {
    OnGameOver(static_cast<int>(level), helpUsed != 0);
    return 0;
}

// The session's own help-used flag decides, not the one announced: the flow
// sets it once it has handled a game.
void CMainWnd::OnGameOver(int level, bool) {
    if (RunGameOverFlow(m_winners, m_field, level, DialogOwner())) {
        m_panes.ShowInMessagePane(GameOverText);
    }
}

void CMainWnd::InitSnapshotMenu() {
    m_snapshots.Initialize(GetMenu(GetHwnd()));
}

// Reset (the command or Ctrl+R on the board) empties the session's snapshots
// without a word to the window; items left behind would load the wrong
// snapshot or none, so the submenu follows the session before it is shown.
void CMainWnd::SyncSnapshotMenu() {
    if (m_snapshots.Count() == m_field.snapShots.size()) {
        return;
    }
    std::vector<std::string> labels;
    m_field.GetSnapshotLabels(labels);
    m_snapshots.Rebuild(labels);
}
