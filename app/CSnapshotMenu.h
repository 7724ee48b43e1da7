#pragma once

#include "app/CommandIds.h"
#include "views/win/Win32.h"

#include <string>
#include <vector>

// The "Load snapshot" submenu of the Game menu: one item per snapshot, item n
// with command id ID_SNAPSHOT_FIRST + n. The item that holds it is grayed and has
// no submenu while there are no snapshots.
class CSnapshotMenu {
public:
    CSnapshotMenu() = default;
    CSnapshotMenu(const CSnapshotMenu&) = delete;
    CSnapshotMenu& operator=(const CSnapshotMenu&) = delete;
    ~CSnapshotMenu();

    // Finds the Game menu (the second of the bar) and grays the holder item.
    void Initialize(HMENU menuBar);
    void Append(const std::string& label);
    void Clear();
    // Clear, then one item per label in order.
    void Rebuild(const std::vector<std::string>& labels);

    UINT Count() const { return m_count; }
    HMENU Popup() const { return m_popup; }
    static bool IsSnapshotCommand(UINT id) {
        return id >= ID_SNAPSHOT_FIRST && id < ID_SNAPSHOT_FIRST + SnapshotCommandCount;
    }

private:
    void AttachPopup(HMENU popup, bool enabled);

    HMENU m_gameMenu = nullptr;
    HMENU m_popup = nullptr;
    UINT m_count = 0;
};
