#pragma once

// Internal: the thread's posted-message queue, its timers and key state.

#include "views/win/api/WinTypes.h"

namespace kwin {

// Extra facts about a posted input message that MSG cannot carry: the
// modifier keys when it was posted (GetKeyState follows them when the message
// is retrieved) and the character a key produced (for TranslateMessage).
struct InputInfo {
    bool input = false;
    unsigned modifiers = 0;
    char32_t ch = 0;
};

void PostInput(const MSG& msg, const InputInfo& info);
// Drops everything queued for a window and its timers (it is being destroyed).
void ForgetWindowMessages(HWND hwnd);
void WakeQueue();
// Key state kept by message retrieval.
void SetAsyncKeyDown(UINT vk, bool down);
// The key (or mouse button) of the latest press retrieved: Alt or F10
// released right after its own press opens the menu bar.
UINT LastPressRetrieved();
POINT LastCursorPos();
void SetLastCursorPos(POINT p);

} // namespace kwin
