#pragma once

#include "app/CGameFileDialog.h"
#include "app/CMainStatusBar.h"
#include "app/CSnapshotMenu.h"
#include "app/CStatusPanes.h"
#include "app/CUIStateTable.h"
#include "storage/WinnersLists.h"
#include "views/CGameFieldView.h"
#include "views/CHintCtrl.h"
#include "views/win/accessibility/CWindowAccessible.h"
#include "views/win/framework/CIdleHandler.h"
#include "views/win/framework/CMessageFilter.h"
#include "views/win/framework/CWindow.h"

#include <cstdint>
#include <memory>
#include <string>

// The main frame window: owns the field view (and with it the game session),
// the hint strip and the status bar; keeps the keyboard focus and offers
// every message it does not handle itself to the field view, then to the
// hint strip, then to the status bar. It is also the loop's accelerator
// filter and the idle handler that brings the status bar up to date.
class CMainWnd : public CWindow, public CMessageFilter, public CIdleHandler {
public:
    static constexpr const char* ClassName = "KalmoraWndClass";
    static constexpr const char* Title = "Kalmora";
    static constexpr DWORD Style = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
    static constexpr DWORD ExStyle = WS_EX_WINDOWEDGE;
    static constexpr int DefaultWidth = 416;
    static constexpr int DefaultHeight = 540;
    static constexpr UINT_PTR ClockTimer = 1;
    static constexpr UINT ClockPeriod = 100;

    CMainWnd();
    ~CMainWnd() override;

    ClassInfo GetWndClassInfo() const override;
    // Registers the class and creates the window at its default rectangle.
    HWND CreateMainWindow();

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnIdle() override;

    CGameFieldView& GetFieldView() { return m_field; }
    CHintCtrl& GetHintStrip() { return m_hintStrip; }
    HWND GetStatusBar() const { return m_statusBar.GetHwnd(); }
    const CUIStateTable& GetUIState() const { return m_uiState; }
    const std::string& GetMessageText() const { return m_messageText; }
    bool IsAutoCheck() const { return m_autoCheck; }
    const std::string& GetFileName() const { return m_fileDialog.FileName(); }
    const WinnersLists& GetWinners() const { return m_winners; }
    int GetSizingDirection() const { return m_sizingDirection; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // CMainWnd.cpp: the window's own messages and the routing to the children.
    LRESULT RouteToChildren(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy();
    LRESULT OnClose();
    LRESULT OnEndSession(WPARAM ending);
    LRESULT OnPaint(WPARAM wParam);
    LRESULT OnStatusText(LPARAM lParam);
    LRESULT OnGetObject(LPARAM objectId);

    // CMainWndCreate.cpp: the creation sequence.
    LRESULT OnCreate();
    void LoadIcons();
    void RegisterWithLoop();
    void UnregisterFromLoop();
    void AttachMenu();
    void PlaceWindow(const RECT& restored);
    void CreateFieldView(int clientWidth);
    void CreateHintStrip(int clientWidth);
    void CreateStatusBar();
    void InitCommandStates();

    // CMainWndSizing.cpp: proportional sizing.
    LRESULT OnSizing(WPARAM edge, RECT* proposed);
    LRESULT OnExitSizeMove();
    void LatchSizingDirection(int dW, int dH);
    void LayoutChildren(int outerWidth, RECT& field, RECT& hint) const;
    RECT ChildRect(HWND child) const;

    // CMainWndCommands.cpp: commands, menu states and the end of a game;
    // CMainWndStatus.cpp: the status panes and the clock; CMainWndFiles.cpp:
    // the autosave and the winners file.
    LRESULT OnCommand(WORD code, WORD id, HWND control);
    void OnNewGame(int level);
    void OnLoad();
    void OnSave();
    void OnSaveAs();
    void SaveGameTo(const std::string& path);
    void OnToggleAutoCheck();
    void OnMakeSnapshot();
    void OnCheck();
    void OnShowWinners(int level);
    void OnAbout();
    HWND DialogOwner() const;
    LRESULT OnInitMenuPopup(HMENU popup, UINT index, BOOL systemMenu);
    void OnTimer(UINT_PTR id);
    LRESULT OnUndoState(LPARAM lParam);
    LRESULT OnRedoState(LPARAM lParam);
    LRESULT OnGameWon(WPARAM level, LPARAM helpUsed);
    void InitSnapshotMenu();
    void SyncSnapshotMenu();
    void SetStatusPanes();
    void UpdateStatusPanes();
    // True when the autosave was read; fills the rectangle it held (all zeros
    // when none was stored).
    bool LoadSession(RECT& windowRect);
    void SaveSession();
    void LoadWinners();
    void SaveWinners();
    void OnGameOver(int level, bool helpUsed);

    CUIStateTable m_uiState;
    HICON m_largeIcon = nullptr;
    HICON m_smallIcon = nullptr;
    HACCEL m_accelerators = nullptr;
    CSnapshotMenu m_snapshots;
    CGameFieldView m_field;
    CHintCtrl m_hintStrip;
    CMainStatusBar m_statusBar;
    CGameFileDialog m_fileDialog;
    CStatusPanes m_panes{m_uiState};
    std::string m_messageText;
    bool m_autoCheck = false;
    WinnersLists m_winners;
    int m_sizingDirection = 0;
    // What accessibility clients read of the window: the keys it takes go
    // to the board, so its focus is the board's.
    std::unique_ptr<kwin::CWindowAccessible> m_accessible;
};
