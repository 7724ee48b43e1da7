// The main window's commands, menu states, status-bar panes, the files it
// keeps (autosave and winners) and the end of a game.

#include "app/CMainWnd.h"

#include "app/CommandIds.h"

LRESULT CMainWnd::OnCommand(WORD, WORD, HWND) {
    return 0;
}

LRESULT CMainWnd::OnInitMenuPopup(HMENU, UINT, BOOL) {
    return 0;
}

void CMainWnd::OnTimer(UINT_PTR) {}

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

void CMainWnd::InitSnapshotMenu() {}

void CMainWnd::SetStatusPanes() {}

void CMainWnd::UpdateStatusPanes() {}

bool CMainWnd::LoadSession(RECT& windowRect) {
    windowRect = RECT{0, 0, 0, 0};
    return false;
}

void CMainWnd::SaveSession() {}

void CMainWnd::LoadWinners() {}

void CMainWnd::SaveWinners() {}

void CMainWnd::OnGameOver(int, bool) {}
