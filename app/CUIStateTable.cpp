#include "app/CUIStateTable.h"

namespace {

constexpr std::array<UINT, 4> MenuCommands = {
    CUIStateTable::UndoCommand,
    CUIStateTable::RedoCommand,
    CUIStateTable::AutoCheckCommand,
    CUIStateTable::CheckCommand,
};

bool HasCommand(HMENU popup, UINT id) {
    return GetMenuState(popup, id, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

} // namespace

void CUIStateTable::Set(MenuItem item, bool on) {
    m_menu[item] = on;
}

void CUIStateTable::ApplyToMenu(HMENU popup) {
    for (std::size_t i = 0; i < MenuCommands.size(); ++i) {
        const UINT id = MenuCommands[i];
        if (!HasCommand(popup, id)) {
            continue;
        }
        const bool on = m_menu[i];
        if (i == AutoCheckItem) {
            CheckMenuItem(popup, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
        } else {
            EnableMenuItem(popup, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
        }
    }
}

void CUIStateTable::SetPaneText(int pane, const std::string& text) {
    if (pane < 0 || pane >= PaneCount) {
        return;
    }
    PaneState& state = m_panes[static_cast<std::size_t>(pane)];
    if (state.text != text) {
        state.text = text;
        state.changed = true;
    }
}

bool CUIStateTable::PushPanes() {
    bool any = false;
    for (std::size_t pane = 0; pane < m_panes.size(); ++pane) {
        PaneState& state = m_panes[pane];
        if (!state.changed) {
            continue;
        }
        state.changed = false;
        any = true;
        if (m_statusBar != nullptr) {
            SendMessage(m_statusBar, SB_SETTEXT, pane,
                        reinterpret_cast<LPARAM>(state.text.c_str()));
        }
    }
    return any;
}
