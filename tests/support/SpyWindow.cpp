#include "tests/support/SpyWindow.h"

namespace wintest {

bool SpyWindow::CreateHeadless(HWND parent) {
    return Create(parent != nullptr ? parent : HWND_MESSAGE) != nullptr;
}

LRESULT SpyWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message < m_first || message > m_last) {
        return CWindow::WindowProc(message, wParam, lParam);
    }
    const std::size_t before = m_log.Entries().size();
    m_log.Add(GetHwnd(), message, wParam, lParam);
    if (m_onMessage && m_log.Entries().size() > before) {
        m_onMessage(m_log.Entries().back());
    }
    const auto reply = m_replies.find(message);
    if (reply != m_replies.end()) {
        return reply->second;
    }
    return CWindow::WindowProc(message, wParam, lParam);
}

} // namespace wintest
