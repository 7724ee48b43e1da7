#pragma once

#include "views/win/api/WinTypes.h"

// The program's resource ids; the icon, menu and accelerators share 128.
constexpr UINT IDR_MAINFRAME = 128;
