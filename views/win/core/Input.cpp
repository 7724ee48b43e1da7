// Keyboard focus, activation, mouse capture, cursors, and the input the
// backend delivers: routed to its window and posted as messages.

#include "views/win/api/WinAccessibility.h"
#include "views/win/api/WinKernel.h"
#include "views/win/api/WinUser.h"
#include "views/win/backend/internal/InstalledBackend.h"
#include "views/win/core/internal/InputState.h"
#include "views/win/core/internal/MessageQueue.h"
#include "views/win/core/internal/WindowTable.h"
#include "views/win/resources/Resources.h"

#include <cstdlib>
#include <optional>
#include <utility>

using namespace kwin;

namespace {

struct InputState {
    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    HCURSOR cursor = nullptr;
    std::optional<RECT> clip;
    HWND sizing = nullptr; // the window between WM_ENTERSIZEMOVE and WM_EXITSIZEMOVE
    WPARAM sizingEdge = 0; // the edge being dragged; one drag moves one edge
    // The last button press, for double clicks.
    UINT lastDownMessage = 0;
    HWND lastDownWindow = nullptr;
    DWORD lastDownTime = 0;
    POINT lastDownPoint{};
};

InputState& S() {
    static InputState state;
    return state;
}

LPARAM PointParam(POINT p) {
    return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(p.x)),
                      static_cast<WORD>(static_cast<SHORT>(p.y)));
}

WPARAM MouseKeys(unsigned modifiers, unsigned buttons) {
    WPARAM keys = buttons & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON);
    if (modifiers & ModShift) {
        keys |= MK_SHIFT;
    }
    if (modifiers & ModControl) {
        keys |= MK_CONTROL;
    }
    return keys;
}

bool InTree(HWND root, HWND hwnd) {
    return hwnd != nullptr && (hwnd == root || IsChild(root, hwnd));
}

// The deepest visible, enabled window under a screen point inside topLevel
// that does not answer WM_NCHITTEST with HTTRANSPARENT, and its hit code.
HWND HitTestWindow(HWND topLevel, POINT screen, LRESULT& hit) {
    HWND current = topLevel;
    std::vector<HWND> path{topLevel};
    for (;;) {
        const auto w = FindWindowObject(current);
        if (!w) {
            break;
        }
        POINT local = screen;
        ScreenToClient(current, &local);
        HWND next = nullptr;
        for (HWND child : w->children) {
            const auto c = FindWindowObject(child);
            if (c && (c->style & WS_VISIBLE) && PtInRect(&c->rect, local)) {
                next = child;
                break;
            }
        }
        if (next == nullptr) {
            break;
        }
        path.push_back(next);
        current = next;
    }
    const LPARAM lp = PointParam(screen);
    for (auto it = path.rbegin(); it != path.rend(); ++it) {
        if (!IsWindow(*it)) {
            continue;
        }
        hit = SendMessage(*it, WM_NCHITTEST, 0, lp);
        if (hit != HTTRANSPARENT) {
            return *it;
        }
    }
    hit = HTNOWHERE;
    return nullptr;
}

void Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, unsigned modifiers,
          char32_t ch = 0) {
    PostInput(MSG{hwnd, message, wParam, lParam, GetTickCount(), LastCursorPos()},
              InputInfo{true, modifiers, ch});
}

UINT ButtonMessage(MouseAction action) {
    switch (action) {
    case MouseAction::Move:
        return WM_MOUSEMOVE;
    case MouseAction::LeftDown:
        return WM_LBUTTONDOWN;
    case MouseAction::LeftUp:
        return WM_LBUTTONUP;
    case MouseAction::RightDown:
        return WM_RBUTTONDOWN;
    case MouseAction::RightUp:
        return WM_RBUTTONUP;
    case MouseAction::MiddleDown:
        return WM_MBUTTONDOWN;
    case MouseAction::MiddleUp:
        return WM_MBUTTONUP;
    case MouseAction::Wheel:
        return WM_MOUSEWHEEL;
    }
    return WM_MOUSEMOVE;
}

bool IsDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

// A press that follows the last one on the same window and button within the
// double-click time and distance becomes a double click, if the class asks.
UINT MaybeDoubleClick(UINT message, HWND target, POINT screen) {
    auto& s = S();
    const DWORD now = GetTickCount();
    const bool again =
        s.lastDownMessage == message && s.lastDownWindow == target &&
        now - s.lastDownTime <= GetDoubleClickTime() &&
        std::abs(screen.x - s.lastDownPoint.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
        std::abs(screen.y - s.lastDownPoint.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    if (again) {
        s.lastDownMessage = 0;
        const auto w = FindWindowObject(target);
        if (w && (w->cls->style & CS_DBLCLKS)) {
            return message + 2; // WM_xBUTTONDOWN + 2 = WM_xBUTTONDBLCLK
        }
        return message;
    }
    s.lastDownMessage = message;
    s.lastDownWindow = target;
    s.lastDownTime = now;
    s.lastDownPoint = screen;
    return message;
}

} // namespace

namespace kwin {

void ForgetInputWindow(HWND hwnd) {
    auto& s = S();
    if (InTree(hwnd, s.capture)) {
        s.capture = nullptr;
    }
    if (InTree(hwnd, s.focus)) {
        s.focus = nullptr;
    }
    if (s.active == hwnd) {
        s.active = nullptr;
    }
    if (s.sizing == hwnd) {
        s.sizing = nullptr;
    }
    if (s.lastDownWindow == hwnd) {
        s.lastDownMessage = 0;
        s.lastDownWindow = nullptr;
    }
}

void DeliverMouse(HWND topLevel, MouseAction action, POINT client, unsigned modifiers,
                  unsigned buttons, int wheelDelta) {
    if (!IsWindow(topLevel)) {
        return;
    }
    POINT screen = client;
    ClientToScreen(topLevel, &screen);
    SetLastCursorPos(screen);
    SetAsyncKeyDown(VK_LBUTTON, (buttons & MK_LBUTTON) != 0);
    SetAsyncKeyDown(VK_RBUTTON, (buttons & MK_RBUTTON) != 0);
    SetAsyncKeyDown(VK_MBUTTON, (buttons & MK_MBUTTON) != 0);
    const WPARAM keys = MouseKeys(modifiers, buttons);
    UINT message = ButtonMessage(action);

    if (action == MouseAction::Wheel) {
        HWND target = InTree(topLevel, S().focus) ? S().focus : topLevel;
        Post(
            target, WM_MOUSEWHEEL,
            MAKEWPARAM(static_cast<DWORD>(keys), static_cast<WORD>(static_cast<SHORT>(wheelDelta))),
            PointParam(screen), modifiers);
        return;
    }

    if (HWND capture = S().capture; capture != nullptr && IsWindow(capture)) {
        POINT local = screen;
        ScreenToClient(capture, &local);
        if (IsDown(message)) {
            message = MaybeDoubleClick(message, capture, screen);
        }
        Post(capture, message, keys, PointParam(local), modifiers);
        return;
    }

    LRESULT hit = HTNOWHERE;
    HWND target = HitTestWindow(topLevel, screen, hit);
    if (target == nullptr || !IsWindowEnabled(target)) {
        return;
    }
    SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
                MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(hit)), static_cast<WORD>(message)));
    if (!IsWindow(target)) {
        return;
    }
    if (IsDown(message)) {
        message = MaybeDoubleClick(message, target, screen);
    }
    if (hit == HTCLIENT) {
        POINT local = screen;
        ScreenToClient(target, &local);
        Post(target, message, keys, PointParam(local), modifiers);
    } else {
        // Non-client mouse messages sit 0x160 below their client forms.
        Post(target, message - 0x160, static_cast<WPARAM>(hit), PointParam(screen), modifiers);
    }
}

void DeliverKey(HWND topLevel, bool down, UINT virtualKey, UINT scanCode, bool extended,
                bool autoRepeat, unsigned modifiers, char32_t ch) {
    if (!IsWindow(topLevel)) {
        return;
    }
    SetAsyncKeyDown(virtualKey, down);
    HWND target = InTree(topLevel, S().focus) ? S().focus : topLevel;
    const bool alt = (modifiers & ModAlt) != 0 && !(modifiers & ModControl);
    const bool system = alt || virtualKey == VK_F10 || virtualKey == VK_MENU;
    UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    WORD flags = static_cast<WORD>(scanCode & 0xFF);
    if (extended) {
        flags |= KF_EXTENDED;
    }
    if (alt) {
        flags |= KF_ALTDOWN;
    }
    if (autoRepeat || !down) {
        flags |= KF_REPEAT;
    }
    if (!down) {
        flags |= KF_UP;
    }
    const LPARAM lParam = static_cast<LPARAM>(MAKELONG(1, flags));
    Post(target, message, virtualKey, lParam, modifiers, ch);
}

void DeliverGeometry(HWND topLevel, const RECT& client) {
    const auto w = FindWindowObject(topLevel);
    if (!w) {
        return;
    }
    const RECT in = NonClientInsets(*w);
    const RECT outer{client.left - in.left, client.top - in.top, client.right + in.right,
                     client.bottom + in.bottom};
    if (EqualRect(&outer, &w->rect)) {
        return;
    }
    SetWindowPos(topLevel, nullptr, outer.left, outer.top, outer.right - outer.left,
                 outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

// Which edge or corner moved from the current outer rectangle to the proposed one.
WPARAM DraggedEdge(const RECT& now, const RECT& proposed) {
    const bool left = proposed.left != now.left && proposed.right == now.right;
    const bool top = proposed.top != now.top && proposed.bottom == now.bottom;
    const bool right = proposed.right != now.right && !left;
    const bool bottom = proposed.bottom != now.bottom && !top;
    if (top) {
        return left ? WMSZ_TOPLEFT : right ? WMSZ_TOPRIGHT : WMSZ_TOP;
    }
    if (bottom) {
        return left ? WMSZ_BOTTOMLEFT : right ? WMSZ_BOTTOMRIGHT : WMSZ_BOTTOM;
    }
    return left ? WMSZ_LEFT : WMSZ_RIGHT;
}

} // namespace

void DeliverSizing(HWND topLevel, const RECT& client) {
    const auto w = FindWindowObject(topLevel);
    if (!w) {
        return;
    }
    const RECT in = NonClientInsets(*w);
    RECT outer{client.left - in.left, client.top - in.top, client.right + in.right,
               client.bottom + in.bottom};
    if (EqualRect(&outer, &w->rect)) {
        return;
    }
    if (S().sizing != topLevel) {
        S().sizing = topLevel;
        // The window may have changed the other sides since; the edge stays the first one seen.
        S().sizingEdge = DraggedEdge(w->rect, outer);
        SendMessage(topLevel, WM_ENTERSIZEMOVE, 0, 0);
    }
    SendMessage(topLevel, WM_SIZING, S().sizingEdge, reinterpret_cast<LPARAM>(&outer));
    if (IsWindow(topLevel)) {
        SetWindowPos(topLevel, nullptr, outer.left, outer.top, outer.right - outer.left,
                     outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void DeliverSizingEnd(HWND topLevel) {
    if (S().sizing != topLevel) {
        return;
    }
    S().sizing = nullptr;
    if (IsWindow(topLevel)) {
        SendMessage(topLevel, WM_EXITSIZEMOVE, 0, 0);
    }
}

void DeliverClose(HWND topLevel) {
    // The request joins the input: a key or click the desktop delivered before
    // it is handled first (a posted message would overtake it, and a digit
    // typed just before the close would miss the save).
    unsigned modifiers = 0;
    for (const auto& [vk, bit] : {std::pair{VK_SHIFT, ModShift}, std::pair{VK_CONTROL, ModControl},
                                  std::pair{VK_MENU, ModAlt}}) {
        if (GetAsyncKeyState(vk) & 0x8000) {
            modifiers |= bit;
        }
    }
    Post(topLevel, WM_SYSCOMMAND, SC_CLOSE, 0, modifiers);
}

void DeliverActivation(HWND topLevel, bool active) {
    if (!active || !IsWindow(topLevel)) {
        return;
    }
    // A window disabled under a modal box does not take the activation back from
    // it: doing so would make the toolkit activate the box again, then the owner
    // again, without end. The desktop activated it all the same (a click on it),
    // so the box, still the active window, asks for the activation again and
    // comes forward.
    if (!IsWindowEnabled(topLevel)) {
        const HWND box = S().active;
        if (box != nullptr && box != topLevel) {
            if (const auto w = FindWindowObject(box); w && w->peer) {
                w->peer->Activate();
            }
        }
        return;
    }
    if (S().active != topLevel) {
        SetActiveWindow(topLevel);
    }
}

} // namespace kwin

HWND SetFocus(HWND hwnd) {
    auto& s = S();
    if (hwnd != nullptr && !IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    const HWND old = s.focus;
    if (old == hwnd) {
        return old;
    }
    if (hwnd != nullptr) {
        const HWND root = RootOf(hwnd);
        if (root != s.active && !FindWindowObject(root)->messageOnly) {
            SetActiveWindow(root);
            if (s.focus == hwnd) {
                return old;
            }
        }
    }
    s.focus = hwnd;
    if (old != nullptr && IsWindow(old)) {
        SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    }
    if (hwnd != nullptr && IsWindow(hwnd) && s.focus == hwnd) {
        SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
        if (s.focus == hwnd) {
            NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd, OBJID_CLIENT, CHILDID_SELF);
        }
    }
    return old;
}

HWND GetFocus() {
    return S().focus;
}
HWND GetActiveWindow() {
    return S().active;
}
HWND GetForegroundWindow() {
    return S().active;
}

HWND SetActiveWindow(HWND hwnd) {
    auto& s = S();
    if (hwnd != nullptr) {
        hwnd = RootOf(hwnd);
    }
    const HWND old = s.active;
    if (old == hwnd) {
        return old;
    }
    s.active = hwnd;
    if (old != nullptr && IsWindow(old)) {
        SendMessage(old, WM_NCACTIVATE, FALSE, 0);
        SendMessage(old, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(hwnd));
        if (InTree(old, s.focus)) {
            const HWND lost = s.focus;
            s.focus = nullptr;
            if (IsWindow(lost)) {
                SendMessage(lost, WM_KILLFOCUS, 0, 0);
            }
        }
    }
    if (hwnd != nullptr && IsWindow(hwnd)) {
        if (const auto w = FindWindowObject(hwnd); w->peer) {
            w->peer->Activate();
        }
        SendMessage(hwnd, WM_NCACTIVATE, TRUE, 0);
        SendMessage(hwnd, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(old));
    }
    return old;
}

BOOL SetForegroundWindow(HWND hwnd) {
    return SetActiveWindow(hwnd), TRUE;
}

HWND SetCapture(HWND hwnd) {
    auto& s = S();
    const HWND old = s.capture;
    if (old == hwnd) {
        return old;
    }
    s.capture = hwnd;
    if (old != nullptr && IsWindow(old)) {
        SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    }
    return old;
}

BOOL ReleaseCapture() {
    auto& s = S();
    const HWND old = s.capture;
    s.capture = nullptr;
    if (old != nullptr && IsWindow(old)) {
        SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    }
    return TRUE;
}

HWND GetCapture() {
    return S().capture;
}

BOOL ClipCursor(const RECT* rect) {
    auto& s = S();
    if (rect == nullptr) {
        s.clip.reset();
    } else {
        s.clip = *rect;
    }
    if (IBackend* backend = GetBackend()) {
        backend->ApplyClipCursor(rect);
    }
    return TRUE;
}

BOOL GetClipCursor(LPRECT rect) {
    if (rect == nullptr) {
        return FALSE;
    }
    if (S().clip) {
        *rect = *S().clip;
    } else {
        *rect = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                 GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                 GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    }
    return TRUE;
}

BOOL GetCursorPos(LPPOINT point) {
    if (point == nullptr) {
        return FALSE;
    }
    *point = LastCursorPos();
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    SetLastCursorPos({x, y});
    return TRUE;
}

HCURSOR SetCursor(HCURSOR cursor) {
    auto& s = S();
    const HCURSOR old = s.cursor;
    s.cursor = cursor;
    if (old != cursor) {
        if (IBackend* backend = GetBackend()) {
            backend->ApplyCursor(cursor, SystemCursorId(cursor));
        }
    }
    return old;
}

HCURSOR GetCursor() {
    return S().cursor;
}

UINT GetDoubleClickTime() {
    return 500;
}

BOOL MessageBeep(UINT) {
    return TRUE;
}
