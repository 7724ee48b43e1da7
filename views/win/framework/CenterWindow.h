#pragma once

#include "views/win/Win32.h"

// Centres a top-level window over its reference window (by default its
// owner; a hidden or minimised one is ignored), or over the work area of the
// nearest monitor, and a child window inside its parent's client area, keeping
// it inside that area. Returns the result of the move, or FALSE when there is
// no monitor information.
BOOL CenterWindow(HWND hwnd, HWND reference = nullptr);
