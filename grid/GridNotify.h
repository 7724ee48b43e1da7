#pragma once

#include "views/win/Win32.h"

// The record a grid sends its parent with WM_NOTIFY.
struct GridNotify {
    NMHDR hdr;
    int row;
    int col;
};

namespace GridNotifyCode {
constexpr UINT SelChanging = static_cast<UINT>(-100);
constexpr UINT SelChanged = static_cast<UINT>(-101);
constexpr UINT BeginLabelEdit = static_cast<UINT>(-105);
constexpr UINT EndLabelEdit = static_cast<UINT>(-106);
constexpr UINT Click = NM_CLICK;
constexpr UINT DblClick = NM_DBLCLK;
constexpr UINT RClick = NM_RCLICK;
} // namespace GridNotifyCode

// The standard edit commands the grid answers.
namespace GridCommand {
constexpr WORD Copy = 57634;
constexpr WORD Cut = 57635;
constexpr WORD Paste = 57637;
constexpr WORD SelectAll = 57642;
} // namespace GridCommand
