#pragma once

#include "views/win/Win32.h"

#include <array>
#include <cstddef>
#include <string>

// The states of the menu commands that change while the program runs (Undo,
// Redo, Check enabled; Auto-Check checked) and the texts waiting for the
// status bar's four panes, each with a mark telling whether it changed since
// it was last applied.
class CUIStateTable {
public:
    static constexpr std::size_t PaneCount = 4;

    struct CommandState {
        UINT id;
        bool enabled = true;
        bool checked = false;
        bool changed = false;
    };
    struct PaneState {
        std::string text;
        bool changed = false;
    };

    CUIStateTable();

    void SetEnabled(UINT id, bool enabled);
    void SetChecked(UINT id, bool checked);
    // nullptr for an id that is not in the table.
    const CommandState* Find(UINT id) const;
    std::array<CommandState, 4>& Commands() { return m_commands; }

    void SetPaneText(std::size_t pane, const std::string& text);
    std::array<PaneState, PaneCount>& Panes() { return m_panes; }

    void SetStatusBar(HWND statusBar) { m_statusBar = statusBar; }
    HWND GetStatusBar() const { return m_statusBar; }

private:
    CommandState* FindCommand(UINT id);

    std::array<CommandState, 4> m_commands;
    std::array<PaneState, PaneCount> m_panes{};
    HWND m_statusBar = nullptr;
};
