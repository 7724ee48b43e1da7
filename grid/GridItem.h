#pragma once

#include "views/win/Win32.h"

#include <string>

// What a cell carries, as one record for CGridCtrl::SetItem; the mask says
// which fields to apply.
struct GridItem {
    int row = 0;
    int col = 0;
    UINT mask = 0;
    UINT state = 0;
    UINT format = 0;
    int image = -1;
    COLORREF backClr = CLR_DEFAULT;
    COLORREF textClr = CLR_DEFAULT;
    LPARAM data = 0;
    LOGFONT font{};
    UINT margin = 0;
    WORD inputMask = 0;
    std::string text;
};

namespace GridItemMask {
constexpr UINT Text = 0x001;
constexpr UINT Image = 0x002;
constexpr UINT Data = 0x004;
constexpr UINT State = 0x008;
constexpr UINT BackClr = 0x010;
constexpr UINT TextClr = 0x020;
constexpr UINT Format = 0x040;
constexpr UINT Font = 0x080;
constexpr UINT Margin = 0x100;
constexpr UINT InputMask = 0x200;
} // namespace GridItemMask

// The state bits every cell keeps.
namespace GridCellState {
constexpr UINT Focused = 0x01;
constexpr UINT Selected = 0x02;
constexpr UINT DropHighlighted = 0x04;
constexpr UINT ReadOnly = 0x08;
constexpr UINT Fixed = 0x10;
constexpr UINT FixedRow = 0x20;
constexpr UINT FixedCol = 0x40;
constexpr UINT Modified = 0x80;
} // namespace GridCellState

// Character classes of a cell's input mask (those of <cctype>).
namespace GridInputClass {
constexpr WORD Upper = 0x001;
constexpr WORD Lower = 0x002;
constexpr WORD Digit = 0x004;
constexpr WORD Space = 0x008;
constexpr WORD Punct = 0x010;
constexpr WORD Control = 0x020;
constexpr WORD Blank = 0x040;
constexpr WORD HexDigit = 0x080;
constexpr WORD Alpha = 0x100;
constexpr WORD All = 0x1FF;
} // namespace GridInputClass
