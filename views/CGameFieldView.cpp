#include "views/CGameFieldView.h"

#include "session/FieldMessages.h"

bool CGameFieldView::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    bool handled = false;
    switch (message) {
    case WM_KEYDOWN:
        handled = OnKeyDown(static_cast<UINT>(wParam));
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        handled = OnButtonDown(lParam, message == WM_LBUTTONDOWN);
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        handled = OnButtonUp(lParam, message == WM_LBUTTONUP);
        break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
        handled = OnDoubleClick(lParam);
        break;
    case WM_MOUSEMOVE:
        handled = OnMouseMove(lParam);
        break;
    case WM_PAINT:
        OnPaint();
        handled = true;
        break;
    case WM_FIELD_ENTERDIGIT:
        EnterFromHintStrip(static_cast<int>(lParam & 0xFF));
        handled = true;
        break;
    default:
        break;
    }
    if (handled) {
        result = 0;
    }
    return handled;
}

LRESULT CGameFieldView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CAPTURECHANGED) {
        OnCaptureLost();
    }
    if (message == WM_GETOBJECT) {
        return OnGetObject(lParam);
    }
    // Mouse messages addressed to this window (it holds the capture) carry
    // its own coordinates; those the main window passes on carry the
    // main window's, even when the capture was taken after they were queued.
    LRESULT result = 0;
    const bool outer = m_ownPoints;
    m_ownPoints = true;
    const bool handled = ProcessMessage(message, wParam, lParam, result);
    m_ownPoints = outer;
    if (handled) {
        return result;
    }
    return CGameFieldCtrl::WindowProc(message, wParam, lParam);
}

LRESULT CGameFieldView::OnGetObject(LPARAM objectId) {
    if (static_cast<LONG>(objectId) != OBJID_CLIENT) {
        return 0;
    }
    m_announcer.Begin();
    return LresultFromObject(&m_accessible);
}

void CGameFieldView::ShownStateChanged() {
    m_announcer.Announce();
}
