#pragma once

#include "views/win/api/WinTypes.h"

namespace kwin {

// WM_SETFONT as every control takes it: the font in wParam becomes the
// control's, and the control redraws at once when lParam's low word asks.
HFONT AcceptControlFont(HWND hwnd, WPARAM wParam, LPARAM lParam);

} // namespace kwin
