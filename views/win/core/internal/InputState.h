#pragma once

// Internal: focus, activation and capture bookkeeping shared with windows.

#include "views/win/api/WinTypes.h"

namespace kwin {

// A window is going away: capture, focus and activation forget it.
void ForgetInputWindow(HWND hwnd);

} // namespace kwin
