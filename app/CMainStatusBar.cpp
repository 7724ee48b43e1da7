#include "app/CMainStatusBar.h"

HWND CMainStatusBar::Create(HWND parent, LPCSTR text, UINT id) {
    m_hWnd =
        CreateWindowEx(0, STATUSCLASSNAME, text,
                       WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | SBARS_SIZEGRIP,
                       0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                       GetModuleHandle(nullptr), nullptr);
    return m_hWnd;
}

void CMainStatusBar::Destroy() {
    if (IsWindow(m_hWnd)) {
        DestroyWindow(m_hWnd);
    }
    m_hWnd = nullptr;
}

bool CMainStatusBar::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_SIZE || !IsWindow(m_hWnd)) {
        return false;
    }
    SendMessage(m_hWnd, WM_SIZE, wParam, lParam);
    result = 0;
    return true;
}
