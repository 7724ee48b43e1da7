// The message loop: filters that swallow messages, the order filters are
// asked in, and which messages begin an idle period.

#include "TestWindows.h"
#include "tests/support/LoopWatchdog.h"

#include "views/win/framework/CAppModule.h"
#include "views/win/framework/CMessageLoop.h"

#include <string>

using namespace wintest;

namespace {

std::vector<std::string>& Events() {
    static std::vector<std::string> events;
    return events;
}

LRESULT RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER || message == WM_MOUSEMOVE || message == WM_SYSTIMER ||
        message == WM_CHAR) {
        Events().push_back("dispatch " + std::to_string(message));
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

// Notes the user messages it is asked about and swallows one of them.
struct SwallowingFilter : CMessageFilter {
    SwallowingFilter(std::string filterName, UINT swallowed)
        : name(std::move(filterName)), swallow(swallowed) {}
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message >= WM_USER) {
            Events().push_back(name + " " + std::to_string(msg->message));
        }
        return msg->message == swallow;
    }
    std::string name;
    UINT swallow;
};

// Posts a mouse move, a system timer and a user message the first time it is
// called, and quits with 5 the second time.
struct ScriptedIdle : CIdleHandler {
    explicit ScriptedIdle(HWND window) : hwnd(window) {}
    BOOL OnIdle() override {
        Events().push_back("idle");
        ++calls;
        if (calls == 1) {
            PostMessage(hwnd, WM_MOUSEMOVE, 0, 0);
            PostMessage(hwnd, WM_SYSTIMER, 0, 0);
            PostMessage(hwnd, WM_USER + 2, 0, 0);
        } else {
            PostQuitMessage(5);
        }
        return FALSE;
    }
    HWND hwnd;
    int calls = 0;
};

} // namespace

// Filters are asked newest first and may swallow; removed filters and idle
// handlers are not called; idle handlers run once the queue empties after a
// message that begins an idle period.
TEST(MessageLoopTest, FiltersSwallowNewestFirstAndIdleHandlersRunWhenTheQueueEmptiesUntilRemoved) {
    const LoopWatchdog watchdog;
    // A message-only window recording what is dispatched to it.
    Events().clear();
    HWND hwnd = CreateWindowEx(0, TestClass("LoopRecorder", RecordingProc), "", 0, 0, 0, 0, 0,
                               HWND_MESSAGE, nullptr, nullptr, nullptr);
    CMessageLoop loop;
    SwallowingFilter older("older", WM_USER + 1);
    SwallowingFilter newer("newer", 0);
    loop.AddMessageFilter(&older);
    loop.AddMessageFilter(&newer);
    PostMessage(hwnd, WM_USER + 1, 0, 0);
    PostMessage(hwnd, WM_USER + 3, 0, 0);
    PostQuitMessage(9);
    EXPECT_EQ(loop.Run(), 9);
    const std::vector<std::string> expected{
        "newer 1025", "older 1025",                  // swallowed: never dispatched
        "newer 1027", "older 1027", "dispatch 1027", // offered to both, then dispatched
    };
    EXPECT_EQ(Events(), expected);

    // Once removed, neither a filter nor an idle handler is called.
    Events().clear();
    ScriptedIdle idle(hwnd);
    loop.AddIdleHandler(&idle);
    EXPECT_TRUE(loop.RemoveMessageFilter(&older));
    EXPECT_TRUE(loop.RemoveMessageFilter(&newer));
    EXPECT_TRUE(loop.RemoveIdleHandler(&idle));
    EXPECT_FALSE(loop.RemoveIdleHandler(&idle));
    PostMessage(hwnd, WM_USER + 1, 0, 0);
    PostQuitMessage(1);
    EXPECT_EQ(loop.Run(), 1);
    EXPECT_EQ(Events(), std::vector<std::string>{"dispatch 1025"});

    // Idle handlers run once when the queue empties after an idle message.
    Events().clear();
    loop.AddIdleHandler(&idle);
    PostMessage(hwnd, WM_USER + 1, 0, 0);
    PostMessage(hwnd, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(loop.Run(), 5);
    const std::vector<std::string> idling{
        "dispatch 1025",                 // waiting at the start: no idle pass before it
        "dispatch 512",                  // mouse moves begin no idle period
        "idle",                          // the queue is empty after an idle message
        "dispatch 512",  "dispatch 280", // neither a move nor the system timer begins one
        "dispatch 1026",                 // a user message does
        "idle",
    };
    EXPECT_EQ(Events(), idling);
    DestroyWindow(hwnd);
}

TEST(MessageLoopTest, TheModuleKeepsTheThreadsLoop) {
    CAppModule module;
    module.Init(nullptr);
    EXPECT_EQ(CAppModule::Current(), &module);
    EXPECT_EQ(module.GetModuleInstance(), GetModuleHandle(nullptr));
    CMessageLoop loop;
    EXPECT_TRUE(module.AddMessageLoop(&loop));
    EXPECT_EQ(module.GetMessageLoop(), &loop);
    EXPECT_TRUE(module.RemoveMessageLoop());
    EXPECT_EQ(module.GetMessageLoop(), nullptr);
    module.Term();
    EXPECT_EQ(CAppModule::Current(), nullptr);
}
