#include "app/CUIStateTable.h"

#include "app/CommandIds.h"

CUIStateTable::CUIStateTable()
    : m_commands{CommandState{ID_GAME_UNDO}, CommandState{ID_GAME_REDO},
                 CommandState{ID_GAME_AUTOCHECK}, CommandState{ID_GAME_CHECK}} {}

CUIStateTable::CommandState* CUIStateTable::FindCommand(UINT id) {
    for (auto& command : m_commands) {
        if (command.id == id) {
            return &command;
        }
    }
    return nullptr;
}

const CUIStateTable::CommandState* CUIStateTable::Find(UINT id) const {
    for (const auto& command : m_commands) {
        if (command.id == id) {
            return &command;
        }
    }
    return nullptr;
}

void CUIStateTable::SetEnabled(UINT id, bool enabled) {
    if (CommandState* command = FindCommand(id); command != nullptr) {
        command->changed = command->changed || command->enabled != enabled;
        command->enabled = enabled;
    }
}

void CUIStateTable::SetChecked(UINT id, bool checked) {
    if (CommandState* command = FindCommand(id); command != nullptr) {
        command->changed = command->changed || command->checked != checked;
        command->checked = checked;
    }
}

void CUIStateTable::SetPaneText(std::size_t pane, const std::string& text) {
    if (pane >= PaneCount) {
        return;
    }
    m_panes[pane].changed = m_panes[pane].changed || m_panes[pane].text != text;
    m_panes[pane].text = text;
}
