// The files kept at the main window: the autosave of the session with the
// window's rectangle and the Auto-Check flag, and the winners lists. Both
// fail silently; a failed read changes nothing.

#include "app/CMainWnd.h"

#include "app/VersionLine.h"
#include "storage/SessionFile.h"
#include "storage/WinnersFile.h"

#include <vector>

namespace {

// A rectangle that meets no monitor's work area would put the window where
// nobody can reach it; it is then taken as no rectangle at all.
bool IsReachable(const RECT& rect) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) {
        return false;
    }
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfo(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info)) {
        return false;
    }
    RECT overlap{};
    return IntersectRect(&overlap, &rect, &info.rcWork) != FALSE;
}

} // namespace

bool CMainWnd::LoadSession(RECT& windowRect) {
    windowRect = RECT{0, 0, 0, 0};
    const auto internalName = InternalName();
    if (!internalName) {
        return false;
    }
    StoredWindowRect stored;
    bool autoCheck = false;
    if (!SessionFile::Load(m_field, stored, autoCheck, *internalName)) {
        return false;
    }
    m_field.ClearSelection();
    const RECT restored{stored.left, stored.top, stored.right, stored.bottom};
    if (IsReachable(restored)) {
        windowRect = restored;
    }
    m_autoCheck = autoCheck;
    std::vector<std::string> labels;
    m_field.GetSnapshotLabels(labels);
    m_snapshots.Rebuild(labels);
    return true;
}

void CMainWnd::SaveSession() {
    const auto internalName = InternalName();
    if (!internalName) {
        return;
    }
    RECT rect{};
    GetWindowRect(&rect);
    SessionFile::Save(m_field, StoredWindowRect{rect.left, rect.top, rect.right, rect.bottom},
                      m_autoCheck, *internalName);
}

void CMainWnd::LoadWinners() {
    if (const auto internalName = InternalName()) {
        WinnersFile::Load(m_winners, *internalName);
    }
}

void CMainWnd::SaveWinners() {
    if (const auto internalName = InternalName()) {
        WinnersFile::Save(m_winners, *internalName);
    }
}
