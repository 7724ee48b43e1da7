#pragma once

// The one header the rest of Kalmora includes for the windowing layer: the
// Win32 names, numeric values and operations the program is written against.
// Toolkit-free; the Qt backend (views/win/qt) plugs in beneath it.

#include "views/win/WinCommDlg.h"
#include "views/win/WinDialog.h"
#include "views/win/WinGdi.h"
#include "views/win/WinGdiConsts.h"
#include "views/win/WinKernel.h"
#include "views/win/WinMenu.h"
#include "views/win/WinMessages.h"
#include "views/win/WinOle.h"
#include "views/win/WinStyles.h"
#include "views/win/WinTypes.h"
#include "views/win/WinUser.h"
