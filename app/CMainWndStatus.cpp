// The main window's status bar: its panes, the idle refresh and the clock.

#include "app/CMainWnd.h"

void CMainWnd::SetStatusPanes() {
    m_panes.Attach(m_statusBar.GetHwnd());
}

void CMainWnd::UpdateStatusPanes() {
    m_panes.FollowWidth();
    m_panes.RefreshIdle(m_field.GetSelection(), m_field.helpUsed, m_field.GetStats(),
                        m_messageText);
}

void CMainWnd::OnTimer(UINT_PTR id) {
    if (id == ClockTimer) {
        m_panes.ShowElapsed(m_field.GetElapsed());
    }
}
