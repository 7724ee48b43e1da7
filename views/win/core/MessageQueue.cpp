// SendMessage, the posted-message queue, WM_PAINT and WM_TIMER generation,
// GetMessage/PeekMessage, TranslateMessage, DispatchMessage and key state.
// Retrieval follows the platform's order: posted messages, then the quit
// message, then WM_PAINT for a visible window with something to update, then
// due timers.

#include "views/win/core/internal/MessageQueue.h"
#include "views/win/backend/internal/InstalledBackend.h"

#include "views/win/api/WinKernel.h"
#include "views/win/api/WinUser.h"
#include "views/win/backend/Backend.h"
#include "views/win/core/Clock.h"
#include "views/win/core/internal/WindowTable.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

using namespace kwin;

namespace {

struct Queued {
    MSG msg;
    InputInfo info;
};

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT elapse;
    TIMERPROC proc;
    Clock::time_point due;
};

struct QueueState {
    std::mutex mutex;
    std::condition_variable posted;
    std::deque<Queued> queue; // posted messages
    std::deque<Queued> input; // keyboard and mouse, retrieved after the posted ones
    bool quit = false;
    int quitCode = 0;
    std::vector<Timer> timers;
    UINT_PTR nextThreadTimer = 0x7F00;
    std::array<BYTE, 256> keys{};      // as of the last retrieved message
    std::array<BYTE, 256> asyncKeys{}; // as the backend last saw them
    UINT lastPress = 0;                // key or button of the last press retrieved
    MSG lastRetrieved{};
    InputInfo lastInfo{};
    POINT cursor{0, 0};
    int sendDepth = 0;
    std::thread::id uiThread = std::this_thread::get_id();
};

QueueState& Q() {
    static QueueState state;
    return state;
}

DWORD NowTicks() {
    return GetTickCount();
}

bool InRange(UINT message, UINT lo, UINT hi) {
    if (lo == 0 && hi == 0) {
        return true;
    }
    return message >= lo && message <= hi;
}

bool MatchesWindow(HWND msgWindow, HWND filter) {
    if (filter == nullptr) {
        return true;
    }
    if (filter == reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1))) {
        return msgWindow == nullptr;
    }
    return msgWindow == filter || IsChild(filter, msgWindow);
}

bool IsButtonPress(UINT m) {
    switch (m) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

void UpdateKeyStateFrom(const Queued& q) {
    auto& keys = Q().keys;
    auto set = [&keys](UINT vk, bool down) {
        if (down) {
            if (!(keys[vk] & 0x80)) {
                keys[vk] ^= 0x01; // toggle on each press
            }
            keys[vk] |= 0x80;
        } else {
            keys[vk] &= static_cast<BYTE>(~0x80);
        }
    };
    const UINT m = q.msg.message;
    if (m == WM_KEYDOWN || m == WM_SYSKEYDOWN || m == WM_KEYUP || m == WM_SYSKEYUP) {
        const UINT vk = static_cast<UINT>(q.msg.wParam) & 0xFF;
        set(vk, m == WM_KEYDOWN || m == WM_SYSKEYDOWN);
        if (m == WM_KEYDOWN || m == WM_SYSKEYDOWN) {
            Q().lastPress = vk;
        }
    }
    if (IsButtonPress(m)) {
        Q().lastPress = VK_LBUTTON;
    }
    if (q.info.input) {
        set(VK_SHIFT, (q.info.modifiers & ModShift) != 0);
        set(VK_CONTROL, (q.info.modifiers & ModControl) != 0);
        set(VK_MENU, (q.info.modifiers & ModAlt) != 0);
    }
    if (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST && m != WM_MOUSEWHEEL && m != WM_MOUSEHWHEEL) {
        set(VK_LBUTTON, (q.msg.wParam & MK_LBUTTON) != 0);
        set(VK_RBUTTON, (q.msg.wParam & MK_RBUTTON) != 0);
        set(VK_MBUTTON, (q.msg.wParam & MK_MBUTTON) != 0);
    }
}

// A visible window with a pending update, parents before children.
HWND FindPaintWindow(HWND filter) {
    for (HWND hwnd : AllWindows()) {
        const auto w = FindWindowObject(hwnd);
        if (!w || !w->drawable || !w->created || w->destroying) {
            continue;
        }
        const bool pending = !IsRectEmpty(&w->update) || w->internalPaint;
        if (pending && IsVisibleChain(hwnd) && MatchesWindow(hwnd, filter)) {
            return hwnd;
        }
    }
    return nullptr;
}

Timer* FindDueTimer(HWND filter, Clock::time_point now) {
    for (auto& t : Q().timers) {
        if (t.due <= now && MatchesWindow(t.hwnd, filter)) {
            return &t;
        }
    }
    return nullptr;
}

// Takes the first matching message of a queue; the caller holds the lock.
bool TakeFrom(std::deque<Queued>& queue, MSG* out, HWND filter, UINT lo, UINT hi, bool remove,
              std::unique_lock<std::mutex>& lock) {
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (MatchesWindow(it->msg.hwnd, filter) && InRange(it->msg.message, lo, hi)) {
            const Queued found = *it;
            if (remove) {
                queue.erase(it);
            }
            lock.unlock();
            *out = found.msg;
            if (remove) {
                UpdateKeyStateFrom(found);
                Q().lastRetrieved = found.msg;
                Q().lastInfo = found.info;
            }
            return true;
        }
    }
    return false;
}

// Looks for the next message without waiting: posted messages, the quit
// message, input, then painting and timers, as the platform orders them.
bool TryRetrieve(MSG* out, HWND filter, UINT lo, UINT hi, bool remove) {
    auto& q = Q();
    {
        std::unique_lock lock(q.mutex);
        if (TakeFrom(q.queue, out, filter, lo, hi, remove, lock)) {
            return true;
        }
        if (q.quit && (filter == nullptr) && InRange(WM_QUIT, lo, hi)) {
            *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0, NowTicks(), q.cursor};
            if (remove) {
                q.quit = false;
            }
            return true;
        }
        if (TakeFrom(q.input, out, filter, lo, hi, remove, lock)) {
            return true;
        }
    }
    if (InRange(WM_PAINT, lo, hi)) {
        if (HWND hwnd = FindPaintWindow(filter)) {
            *out = MSG{hwnd, WM_PAINT, 0, 0, NowTicks(), q.cursor};
            return true;
        }
    }
    if (InRange(WM_TIMER, lo, hi)) {
        const auto now = kwin::Now();
        if (Timer* t = FindDueTimer(filter, now)) {
            *out = MSG{t->hwnd,    WM_TIMER, t->id, reinterpret_cast<LPARAM>(t->proc),
                       NowTicks(), q.cursor};
            if (remove) {
                const auto period = std::chrono::milliseconds(t->elapse);
                t->due += period;
                if (t->due <= now) {
                    t->due = now + period;
                }
            }
            return true;
        }
    }
    return false;
}

// Milliseconds until the next timer is due, or -1 for none.
int NextTimerTimeout() {
    const auto& timers = Q().timers;
    if (timers.empty()) {
        return -1;
    }
    const auto now = kwin::Now();
    auto next = timers.front().due;
    for (const auto& t : timers) {
        next = std::min(next, t.due);
    }
    if (next <= now) {
        return 0;
    }
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(next - now).count());
}

void WaitForInput() {
    const int timeout = NextTimerTimeout();
    if (IBackend* backend = GetBackend()) {
        backend->WaitForEvents(timeout);
        return;
    }
    auto& q = Q();
    std::unique_lock lock(q.mutex);
    auto ready = [&q] { return !q.queue.empty() || !q.input.empty() || q.quit; };
    if (timeout < 0) {
        q.posted.wait(lock, ready);
    } else {
        q.posted.wait_for(lock, std::chrono::milliseconds(timeout), ready);
    }
}

void Enqueue(const Queued& item) {
    auto& q = Q();
    {
        std::lock_guard lock(q.mutex);
        auto& queue = item.info.input ? q.input : q.queue;
        // Mouse moves are coalesced, as on the platform.
        if (item.info.input && item.msg.message == WM_MOUSEMOVE && !queue.empty() &&
            queue.back().msg.message == WM_MOUSEMOVE && queue.back().msg.hwnd == item.msg.hwnd) {
            queue.back() = item;
        } else {
            queue.push_back(item);
        }
    }
    WakeQueue();
}

} // namespace

namespace kwin {

void PostInput(const MSG& msg, const InputInfo& info) {
    Enqueue(Queued{msg, info});
}

void ForgetWindowMessages(HWND hwnd) {
    auto& q = Q();
    {
        std::lock_guard lock(q.mutex);
        for (auto* queue : {&q.queue, &q.input}) {
            queue->erase(std::remove_if(queue->begin(), queue->end(),
                                        [hwnd](const Queued& m) { return m.msg.hwnd == hwnd; }),
                         queue->end());
        }
    }
    q.timers.erase(std::remove_if(q.timers.begin(), q.timers.end(),
                                  [hwnd](const Timer& t) { return t.hwnd == hwnd; }),
                   q.timers.end());
}

void WakeQueue() {
    Q().posted.notify_all();
    if (IBackend* backend = GetBackend()) {
        backend->WakeUp();
    }
}

void SetAsyncKeyDown(UINT vk, bool down) {
    auto& k = Q().asyncKeys[vk & 0xFF];
    k = down ? static_cast<BYTE>(k | 0x80) : static_cast<BYTE>(k & ~0x80);
}

UINT LastPressRetrieved() {
    return Q().lastPress;
}

POINT LastCursorPos() {
    return Q().cursor;
}
void SetLastCursorPos(POINT p) {
    Q().cursor = p;
}

} // namespace kwin

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto w = FindWindowObject(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    auto& q = Q();
    ++q.sendDepth;
    const LRESULT result = w->proc(hwnd, message, wParam, lParam);
    --q.sendDepth;
    return result;
}

BOOL InSendMessage() {
    return FALSE;
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd != nullptr && std::this_thread::get_id() == Q().uiThread && !IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    Enqueue(Queued{MSG{hwnd, message, wParam, lParam, NowTicks(), Q().cursor}, InputInfo{}});
    return TRUE;
}

BOOL PostThreadMessage(DWORD, UINT message, WPARAM wParam, LPARAM lParam) {
    Enqueue(Queued{MSG{nullptr, message, wParam, lParam, NowTicks(), Q().cursor}, InputInfo{}});
    return TRUE;
}

DWORD GetCurrentThreadId() {
    return 1;
}

void PostQuitMessage(int exitCode) {
    auto& q = Q();
    {
        std::lock_guard lock(q.mutex);
        q.quit = true;
        q.quitCode = exitCode;
    }
    WakeQueue();
}

BOOL GetMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    if (msg == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    if (hwnd != nullptr && hwnd != reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)) &&
        !IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return -1;
    }
    while (!TryRetrieve(msg, hwnd, filterMin, filterMax, true)) {
        WaitForInput();
    }
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL PeekMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
    if (msg == nullptr) {
        return FALSE;
    }
    if (IBackend* backend = GetBackend()) {
        backend->WaitForEvents(0); // let pending toolkit input turn into messages
    }
    return TryRetrieve(msg, hwnd, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0) ? TRUE
                                                                                        : FALSE;
}

BOOL WaitMessage() {
    MSG probe;
    if (!TryRetrieve(&probe, nullptr, 0, 0, false)) {
        WaitForInput();
    }
    return TRUE;
}

DWORD GetMessageTime() {
    return Q().lastRetrieved.time;
}

DWORD GetMessagePos() {
    const POINT p = Q().lastRetrieved.pt;
    return MAKELONG(static_cast<WORD>(static_cast<SHORT>(p.x)),
                    static_cast<WORD>(static_cast<SHORT>(p.y)));
}

DWORD GetQueueStatus(UINT) {
    std::lock_guard lock(Q().mutex);
    return Q().queue.empty() && Q().input.empty() ? 0 : 1;
}

namespace {

// The character a key makes on a US layout, for keys the backend gave none.
char32_t CharForKey(UINT vk, bool shift, bool control) {
    if (vk >= 'A' && vk <= 'Z') {
        if (control) {
            return static_cast<char32_t>(vk - 'A' + 1);
        }
        return shift ? vk : vk + ('a' - 'A');
    }
    if (control) {
        return 0;
    }
    if (vk >= '0' && vk <= '9' && !shift) {
        return vk;
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) {
        return '0' + (vk - VK_NUMPAD0);
    }
    switch (vk) {
    case VK_SPACE:
        return ' ';
    case VK_RETURN:
        return '\r';
    case VK_BACK:
        return '\b';
    case VK_TAB:
        return '\t';
    case VK_ESCAPE:
        return 0x1B;
    case VK_MULTIPLY:
        return '*';
    case VK_ADD:
        return '+';
    case VK_SUBTRACT:
        return '-';
    case VK_DIVIDE:
        return '/';
    case VK_DECIMAL:
        return '.';
    default:
        return 0;
    }
}

} // namespace

BOOL TranslateMessage(const MSG* msg) {
    if (msg == nullptr || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) {
        return FALSE;
    }
    auto& q = Q();
    char32_t ch = 0;
    const MSG& last = q.lastRetrieved;
    if (last.hwnd == msg->hwnd && last.message == msg->message && last.wParam == msg->wParam &&
        last.lParam == msg->lParam && q.lastInfo.input) {
        ch = q.lastInfo.ch;
    }
    if (ch == 0) {
        ch = CharForKey(static_cast<UINT>(msg->wParam), (GetKeyState(VK_SHIFT) & 0x8000) != 0,
                        (GetKeyState(VK_CONTROL) & 0x8000) != 0);
    }
    if (ch == 0) {
        return TRUE;
    }
    const UINT charMessage = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    Enqueue(Queued{
        MSG{msg->hwnd, charMessage, static_cast<WPARAM>(ch), msg->lParam, msg->time, msg->pt},
        InputInfo{}});
    return TRUE;
}

LRESULT DispatchMessage(const MSG* msg) {
    if (msg == nullptr || msg->hwnd == nullptr) {
        return 0;
    }
    if (msg->message == WM_TIMER && msg->lParam != 0) {
        reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    const auto w = FindWindowObject(msg->hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (msg->message == WM_PAINT) {
        // A window whose procedure does not validate would be asked forever;
        // the platform validates after dispatch too.
        const LRESULT result = w->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
        if (const auto again = FindWindowObject(msg->hwnd)) {
            again->internalPaint = false;
        }
        return result;
    }
    return w->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (proc == nullptr) {
        return 0;
    }
    return proc(hwnd, message, wParam, lParam);
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    if (hwnd != nullptr && !IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    elapse = std::clamp<UINT>(elapse, 10, 0x7FFFFFFF);
    auto& timers = Q().timers;
    if (hwnd == nullptr) {
        const bool known = std::any_of(timers.begin(), timers.end(), [id](const Timer& t) {
            return t.hwnd == nullptr && t.id == id;
        });
        if (!known || id == 0) {
            id = ++Q().nextThreadTimer;
        }
    }
    timers.erase(
        std::remove_if(timers.begin(), timers.end(),
                       [hwnd, id](const Timer& t) { return t.hwnd == hwnd && t.id == id; }),
        timers.end());
    timers.push_back(
        Timer{hwnd, id, elapse, proc, kwin::Now() + std::chrono::milliseconds(elapse)});
    WakeQueue();
    return id != 0 ? id : 1;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    auto& timers = Q().timers;
    const auto before = timers.size();
    timers.erase(
        std::remove_if(timers.begin(), timers.end(),
                       [hwnd, id](const Timer& t) { return t.hwnd == hwnd && t.id == id; }),
        timers.end());
    // A WM_TIMER already queued is not taken back; timers are never queued here.
    return timers.size() != before ? TRUE : FALSE;
}

SHORT GetKeyState(int virtualKey) {
    const BYTE k = Q().keys[static_cast<std::size_t>(virtualKey) & 0xFF];
    return static_cast<SHORT>(((k & 0x80) ? 0x8000 : 0) | (k & 0x01));
}

SHORT GetAsyncKeyState(int virtualKey) {
    const BYTE k = Q().asyncKeys[static_cast<std::size_t>(virtualKey) & 0xFF];
    return static_cast<SHORT>((k & 0x80) ? 0x8000 : 0);
}
