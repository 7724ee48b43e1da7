#include "views/win/framework/CMessageLoop.h"

#include <algorithm>

namespace {

template <typename T> BOOL RemoveFrom(std::vector<T*>& list, T* item) {
    const auto it = std::find(list.begin(), list.end(), item);
    if (it == list.end()) {
        return FALSE;
    }
    list.erase(it);
    return TRUE;
}

} // namespace

BOOL CMessageLoop::AddMessageFilter(CMessageFilter* filter) {
    if (filter == nullptr) {
        return FALSE;
    }
    m_filters.push_back(filter);
    return TRUE;
}

BOOL CMessageLoop::RemoveMessageFilter(CMessageFilter* filter) {
    return RemoveFrom(m_filters, filter);
}

BOOL CMessageLoop::AddIdleHandler(CIdleHandler* handler) {
    if (handler == nullptr) {
        return FALSE;
    }
    m_idleHandlers.push_back(handler);
    return TRUE;
}

BOOL CMessageLoop::RemoveIdleHandler(CIdleHandler* handler) {
    return RemoveFrom(m_idleHandlers, handler);
}

BOOL CMessageLoop::IsIdleMessage(const MSG* msg) {
    switch (msg->message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_PAINT:
    case WM_SYSTIMER:
        return FALSE;
    default:
        return TRUE;
    }
}

BOOL CMessageLoop::PreTranslateMessage(MSG* msg) {
    // A filter may remove itself or others while it runs; walk a copy.
    const std::vector<CMessageFilter*> filters = m_filters;
    for (auto it = filters.rbegin(); it != filters.rend(); ++it) {
        if (std::find(m_filters.begin(), m_filters.end(), *it) == m_filters.end()) {
            continue;
        }
        if ((*it)->PreTranslateMessage(msg)) {
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CMessageLoop::OnIdle(int) {
    const std::vector<CIdleHandler*> handlers = m_idleHandlers;
    for (CIdleHandler* handler : handlers) {
        if (std::find(m_idleHandlers.begin(), m_idleHandlers.end(), handler) !=
            m_idleHandlers.end()) {
            handler->OnIdle();
        }
    }
    return FALSE;
}

int CMessageLoop::Run() {
    bool idle = true;
    int idleCount = 0;
    for (;;) {
        while (idle && !PeekMessage(&m_msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++)) {
                idle = false;
            }
        }
        const BOOL result = GetMessage(&m_msg, nullptr, 0, 0);
        if (result == -1) {
            continue;
        }
        if (!result) {
            break;
        }
        if (!PreTranslateMessage(&m_msg)) {
            TranslateMessage(&m_msg);
            DispatchMessage(&m_msg);
        }
        if (IsIdleMessage(&m_msg)) {
            idle = true;
            idleCount = 0;
        }
    }
    return static_cast<int>(m_msg.wParam);
}
