#pragma once

#include "views/win/Win32.h"

// A C++ object behind a window: it owns an HWND and receives that window's
// messages through the virtual WindowProc. A derived class either creates its
// own window (Create) or takes over an existing one (SubclassWindow), as the
// field view does with its "STATIC" child. WindowProc hands unhandled
// messages to DefWindowProc, which calls the window's previous procedure
// (subclassed) or the platform's default.
class CWindow {
public:
    CWindow() = default;
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;
    // Destroys a window it created; gives a subclassed window back its procedure.
    virtual ~CWindow();

    // The class a Create call registers (once per name) and uses.
    struct ClassInfo {
        const char* name;
        UINT style;
        HBRUSH background;
        LPCSTR cursor; // a system cursor id such as IDC_ARROW, or nullptr
    };
    virtual ClassInfo GetWndClassInfo() const;

    // parent may be HWND_MESSAGE for a message-only window. A child gets
    // WS_CHILD added when parent is a real window and no WS_POPUP is given.
    HWND Create(HWND parent, const RECT& rect = RECT{0, 0, 0, 0}, LPCSTR windowName = nullptr,
                DWORD style = 0, DWORD exStyle = 0, UINT_PTR idOrMenu = 0,
                LPVOID createParam = nullptr);
    BOOL DestroyWindow();
    BOOL SubclassWindow(HWND hwnd);
    HWND UnsubclassWindow();

    HWND GetHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    static CWindow* FromHandle(HWND hwnd);

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the window's last message (WM_NCDESTROY); m_hWnd is null then.
    virtual void OnFinalMessage(HWND hwnd);

    // Conveniences over the window's handle.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessage(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessage(m_hWnd, message, wParam, lParam);
    }
    BOOL IsWindow() const { return ::IsWindow(m_hWnd); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    BOOL Invalidate(BOOL erase = TRUE) const { return ::InvalidateRect(m_hWnd, nullptr, erase); }
    BOOL InvalidateRect(const RECT* rect, BOOL erase = TRUE) const {
        return ::InvalidateRect(m_hWnd, rect, erase);
    }
    BOOL UpdateWindow() const { return ::UpdateWindow(m_hWnd); }
    BOOL GetClientRect(LPRECT rect) const { return ::GetClientRect(m_hWnd, rect); }
    BOOL GetWindowRect(LPRECT rect) const { return ::GetWindowRect(m_hWnd, rect); }
    BOOL ShowWindow(int command) const { return ::ShowWindow(m_hWnd, command); }
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) const {
        return ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr) const {
        return ::SetTimer(m_hWnd, id, elapse, proc);
    }
    BOOL KillTimer(UINT_PTR id) const { return ::KillTimer(m_hWnd, id); }

    HWND m_hWnd = nullptr;

private:
    static LRESULT StartWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT ThunkWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(HWND hwnd);
    void Detach();

    WNDPROC m_previousProc = nullptr; // the procedure a subclassed window had
    bool m_created = false;
};
