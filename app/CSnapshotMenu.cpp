#include "app/CSnapshotMenu.h"

namespace {

constexpr int GameMenuPosition = 1;

} // namespace

CSnapshotMenu::~CSnapshotMenu() {
    // Attached to the menu bar, the popup goes with the window's menu; this
    // only catches one that is still alive, for a window destroyed later.
    if (m_popup != nullptr && IsMenu(m_popup) && (m_gameMenu == nullptr || !IsMenu(m_gameMenu))) {
        DestroyMenu(m_popup);
    }
}

void CSnapshotMenu::Initialize(HMENU menuBar) {
    m_gameMenu = GetSubMenu(menuBar, GameMenuPosition);
    m_popup = nullptr;
    m_count = 0;
    AttachPopup(nullptr, false);
}

void CSnapshotMenu::Append(const std::string& label) {
    if (m_popup == nullptr) {
        m_popup = CreatePopupMenu();
    }
    AppendMenu(m_popup, MF_STRING, ID_SNAPSHOT_FIRST + m_count, label.c_str());
    if (m_count == 0) {
        AttachPopup(m_popup, true);
    }
    ++m_count;
}

void CSnapshotMenu::Clear() {
    if (m_count == 0) {
        return;
    }
    AttachPopup(nullptr, false);
    if (DestroyMenu(m_popup)) {
        m_popup = nullptr;
    }
    m_count = 0;
}

void CSnapshotMenu::Rebuild(const std::vector<std::string>& labels) {
    Clear();
    for (const std::string& label : labels) {
        Append(label);
    }
}

void CSnapshotMenu::AttachPopup(HMENU popup, bool enabled) {
    if (m_gameMenu == nullptr) {
        return;
    }
    MENUITEMINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_SUBMENU | MIIM_STATE;
    info.hSubMenu = popup;
    info.fState = enabled ? MFS_ENABLED : MFS_GRAYED;
    SetMenuItemInfo(m_gameMenu, ID_GAME_LOAD_SNAPSHOT, FALSE, &info);
}
