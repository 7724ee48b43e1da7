// The main window's procedure: its own messages first, then the children's
// handlers in turn.

#include "app/CMainWnd.h"

#include "session/FieldMessages.h"
#include "views/win/framework/CAppModule.h"

CMainWnd::CMainWnd() = default;

CMainWnd::~CMainWnd() {
    // While the whole object still exists, so WM_DESTROY keeps the game.
    if (IsWindow()) {
        DestroyWindow();
    }
    if (m_largeIcon != nullptr) {
        DestroyIcon(m_largeIcon);
    }
    if (m_smallIcon != nullptr) {
        DestroyIcon(m_smallIcon);
    }
    if (m_accelerators != nullptr) {
        DestroyAcceleratorTable(m_accelerators);
    }
}

CWindow::ClassInfo CMainWnd::GetWndClassInfo() const {
    return {ClassName, 0, reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_BTNFACE + 1)),
            IDC_ARROW};
}

HWND CMainWnd::CreateMainWindow() {
    return Create(nullptr, RECT{0, 0, DefaultWidth, DefaultHeight}, Title, Style, ExStyle);
}

LRESULT CMainWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate();
    case WM_DESTROY:
        return OnDestroy();
    case WM_CLOSE:
        return OnClose();
    case WM_ENDSESSION:
        return OnEndSession(wParam);
    case WM_SIZING:
        return OnSizing(wParam, reinterpret_cast<RECT*>(lParam));
    case WM_EXITSIZEMOVE:
        return OnExitSizeMove();
    case WM_PAINT:
        return OnPaint(wParam);
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_COMMAND:
        return OnCommand(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_FIELD_UNDOSTATE:
        return OnUndoState(lParam);
    case WM_FIELD_REDOSTATE:
        return OnRedoState(lParam);
    case WM_FIELD_STATUSTEXT:
        return OnStatusText(lParam);
    case WM_FIELD_GAMEWON:
        return OnGameWon(wParam, lParam);
    case WM_GET_FIELDVIEW:
        return reinterpret_cast<LRESULT>(m_field.GetHwnd());
    case WM_GET_HINTSTRIP:
        return reinterpret_cast<LRESULT>(m_hintStrip.GetHwnd());
    case WM_INITMENUPOPUP:
        return OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam), HIWORD(lParam));
    case WM_GETOBJECT:
        return OnGetObject(lParam);
    default:
        return RouteToChildren(message, wParam, lParam);
    }
}

LRESULT CMainWnd::RouteToChildren(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (m_field.ProcessMessage(message, wParam, lParam, result)) {
        return result;
    }
    if (m_hintStrip.ProcessMessage(message, wParam, lParam, result)) {
        return result;
    }
    if (m_statusBar.ProcessMessage(message, wParam, lParam, result)) {
        return result;
    }
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CMainWnd::OnDestroy() {
    SaveSession();
    SaveWinners();
    m_statusBar.Destroy();
    UnregisterFromLoop();
    PostQuitMessage(0);
    return 0;
}

LRESULT CMainWnd::OnClose() {
    DestroyWindow();
    return 0;
}

LRESULT CMainWnd::OnEndSession(WPARAM ending) {
    // The desktop is going away: close as on WM_CLOSE, so the game is kept.
    if (ending) {
        DestroyWindow();
    }
    return 0;
}

LRESULT CMainWnd::OnPaint(WPARAM wParam) {
    // The class brush is the background and the children paint themselves.
    if (wParam == 0) {
        PAINTSTRUCT ps;
        BeginPaint(GetHwnd(), &ps);
        EndPaint(GetHwnd(), &ps);
    }
    return 0;
}

LRESULT CMainWnd::OnStatusText(LPARAM lParam) {
    const auto* text = reinterpret_cast<const char*>(lParam);
    m_messageText = text != nullptr ? text : "";
    return 0;
}

LRESULT CMainWnd::OnGetObject(LPARAM objectId) {
    if (static_cast<LONG>(objectId) != OBJID_CLIENT) {
        return 0;
    }
    if (!m_accessible) {
        m_accessible = std::make_unique<kwin::CWindowAccessible>(GetHwnd());
        m_accessible->SetFocusDelegate(m_field.GetHwnd());
    }
    return LresultFromObject(m_accessible.get());
}

BOOL CMainWnd::PreTranslateMessage(MSG* msg) {
    if (m_accelerators == nullptr || !IsWindow()) {
        return FALSE;
    }
    return TranslateAccelerator(GetHwnd(), m_accelerators, msg) != 0;
}

BOOL CMainWnd::OnIdle() {
    UpdateStatusPanes();
    return FALSE;
}
