#include "tests/session/SpyWindow.h"

#include "session/FieldMessages.h"

#include <gtest/gtest.h>

#include <utility>

std::ostream& operator<<(std::ostream& out, const SentMessage& sent) {
    out << "{" << sent.to << ", WM_USER+" << (sent.message - WM_USER) << ", wParam "
        << static_cast<long long>(sent.wParam) << ", lParam "
        << static_cast<long long>(sent.lParam);
    if (!sent.text.empty()) {
        out << ", \"" << sent.text << "\"";
    }
    return out << "}";
}

SpyWindow::SpyWindow(std::string name, MessageLog& log) : m_name(std::move(name)), m_log(log) {}

SpyWindow::~SpyWindow() = default;

LRESULT SpyWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message < WM_USER || message > WM_USER + 0x100) {
        return CWindow::WindowProc(message, wParam, lParam);
    }
    SentMessage sent{m_name, message, wParam, lParam, {}};
    if (message == WM_FIELD_STATUSTEXT) {
        // The address means nothing after the call; the text is what counts.
        sent.text = reinterpret_cast<const char*>(lParam);
        sent.lParam = 0;
    }
    m_log.push_back(sent);
    if (m_onMessage) {
        m_onMessage(sent);
    }
    if (message == WM_GET_HINTSTRIP) {
        return reinterpret_cast<LRESULT>(m_hintStrip);
    }
    return 0;
}

void CreateHeadlessWindow(CWindow& window, HWND parent) {
    ASSERT_NE(window.Create(parent != nullptr ? parent : HWND_MESSAGE), nullptr);
}
