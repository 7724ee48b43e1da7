#include "views/win/framework/CWindow.h"

#include <string>
#include <unordered_map>
#include <unordered_set>

namespace {

std::unordered_map<HWND, CWindow*>& Objects() {
    static std::unordered_map<HWND, CWindow*> objects;
    return objects;
}

std::unordered_set<std::string>& RegisteredClasses() {
    static std::unordered_set<std::string> names;
    return names;
}

// The object whose Create call is running: its window's first message
// attaches it.
thread_local CWindow* creating = nullptr;

} // namespace

CWindow::~CWindow() {
    if (m_hWnd == nullptr) {
        return;
    }
    if (m_created) {
        ::DestroyWindow(m_hWnd);
    } else {
        UnsubclassWindow();
    }
    Detach();
}

CWindow::ClassInfo CWindow::GetWndClassInfo() const {
    return {"KalmoraWindow", CS_DBLCLKS,
            reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_WINDOW + 1)), IDC_ARROW};
}

CWindow* CWindow::FromHandle(HWND hwnd) {
    const auto it = Objects().find(hwnd);
    return it == Objects().end() ? nullptr : it->second;
}

void CWindow::Attach(HWND hwnd) {
    m_hWnd = hwnd;
    Objects()[hwnd] = this;
}

void CWindow::Detach() {
    if (m_hWnd != nullptr) {
        Objects().erase(m_hWnd);
    }
    m_hWnd = nullptr;
    m_previousProc = nullptr;
    m_created = false;
}

HWND CWindow::Create(HWND parent, const RECT& rect, LPCSTR windowName, DWORD style, DWORD exStyle,
                     UINT_PTR idOrMenu, LPVOID createParam) {
    if (m_hWnd != nullptr) {
        return nullptr;
    }
    const ClassInfo info = GetWndClassInfo();
    if (RegisteredClasses().count(info.name) == 0) {
        WNDCLASSEX wc{};
        wc.cbSize = sizeof(wc);
        wc.style = info.style;
        wc.lpfnWndProc = StartWindowProc;
        wc.hInstance = GetModuleHandle(nullptr);
        wc.hCursor = info.cursor != nullptr ? LoadCursor(nullptr, info.cursor) : nullptr;
        wc.hbrBackground = info.background;
        wc.lpszClassName = info.name;
        if (RegisterClassEx(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
            return nullptr;
        }
        RegisteredClasses().insert(info.name);
    }
    if (parent != nullptr && parent != HWND_MESSAGE && !(style & WS_POPUP)) {
        style |= WS_CHILD;
    }
    m_created = true;
    creating = this;
    HWND hwnd =
        CreateWindowEx(exStyle, info.name, windowName, style, rect.left, rect.top,
                       rect.right - rect.left, rect.bottom - rect.top, parent,
                       reinterpret_cast<HMENU>(idOrMenu), GetModuleHandle(nullptr), createParam);
    creating = nullptr;
    if (hwnd == nullptr) {
        m_created = false;
    }
    return hwnd;
}

BOOL CWindow::DestroyWindow() {
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    return ::DestroyWindow(m_hWnd);
}

BOOL CWindow::SubclassWindow(HWND hwnd) {
    if (m_hWnd != nullptr || !::IsWindow(hwnd) || FromHandle(hwnd) != nullptr) {
        return FALSE;
    }
    Attach(hwnd);
    m_created = false;
    m_previousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ThunkWindowProc)));
    return TRUE;
}

HWND CWindow::UnsubclassWindow() {
    if (m_hWnd == nullptr || m_previousProc == nullptr) {
        return nullptr;
    }
    HWND hwnd = m_hWnd;
    SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
    Detach();
    return hwnd;
}

LRESULT CWindow::StartWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWindow* self = creating;
    if (self == nullptr) {
        return ::DefWindowProc(hwnd, message, wParam, lParam);
    }
    creating = nullptr;
    self->Attach(hwnd);
    SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ThunkWindowProc));
    return ThunkWindowProc(hwnd, message, wParam, lParam);
}

LRESULT CWindow::ThunkWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWindow* self = FromHandle(hwnd);
    if (self == nullptr) {
        return ::DefWindowProc(hwnd, message, wParam, lParam);
    }
    const LRESULT result = self->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The object may have been let go of inside WindowProc; look again.
        if (CWindow* still = FromHandle(hwnd); still == self) {
            self->Detach();
            self->OnFinalMessage(hwnd);
        }
    }
    return result;
}

LRESULT CWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWindow::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_previousProc != nullptr) {
        return CallWindowProc(m_previousProc, m_hWnd, message, wParam, lParam);
    }
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

void CWindow::OnFinalMessage(HWND) {}
