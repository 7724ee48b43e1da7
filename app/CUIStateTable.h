#pragma once

#include "views/win/Win32.h"

#include <array>
#include <string>

// The enabled and checked states of the menu commands that change while a
// game is played (Undo, Redo, Auto-Check, Check), applied whenever a popup
// opens, and the pending texts of the four status-bar panes, each with a mark
// of whether it changed since it was last pushed to the status bar.
class CUIStateTable {
public:
    static constexpr UINT UndoCommand = 57643;
    static constexpr UINT RedoCommand = 57644;
    static constexpr UINT AutoCheckCommand = 32802;
    static constexpr UINT CheckCommand = 32792;
    static constexpr int PaneCount = 4;

    void SetStatusBar(HWND statusBar) { m_statusBar = statusBar; }

    void EnableUndo(bool enabled) { Set(UndoItem, enabled); }
    void EnableRedo(bool enabled) { Set(RedoItem, enabled); }
    void CheckAutoCheck(bool checked) { Set(AutoCheckItem, checked); }
    void EnableCheck(bool enabled) { Set(CheckItem, enabled); }

    // Gives every listed command found in the popup its state.
    void ApplyToMenu(HMENU popup);

    void SetPaneText(int pane, const std::string& text);
    // SB_SETTEXT for each pane whose text changed; true when any did.
    bool PushPanes();

private:
    enum MenuItem { UndoItem, RedoItem, AutoCheckItem, CheckItem, MenuItemCount };
    struct PaneState {
        std::string text;
        bool changed = false;
    };

    void Set(MenuItem item, bool on);

    std::array<bool, MenuItemCount> m_menu{};
    std::array<PaneState, PaneCount> m_panes{};
    HWND m_statusBar = nullptr;
};
