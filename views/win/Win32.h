#pragma once

// The one header the rest of Kalmora includes for the windowing layer: the
// Win32 names, numeric values and operations the program is written against.
// Toolkit-free; the Qt backend (views/win/qt) plugs in beneath it.

#include "views/win/api/WinAccessibility.h"
#include "views/win/api/WinCommDlg.h"
#include "views/win/api/WinDialog.h"
#include "views/win/api/WinGdi.h"
#include "views/win/api/WinGdiConsts.h"
#include "views/win/api/WinKernel.h"
#include "views/win/api/WinMenu.h"
#include "views/win/api/WinMessages.h"
#include "views/win/api/WinOle.h"
#include "views/win/api/WinStyles.h"
#include "views/win/api/WinTypes.h"
#include "views/win/api/WinUser.h"
