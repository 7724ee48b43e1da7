#pragma once

#include "session/CGameFieldCtrl.h"
#include "views/win/Win32.h"

// Colours of the board.
namespace FieldColors {
constexpr COLORREF GameOver = RGB(240, 255, 240);
constexpr COLORREF Cell = RGB(255, 255, 240);
constexpr COLORREF CellInConflict = RGB(255, 64, 64);
constexpr COLORREF Selected = RGB(200, 220, 235);
constexpr COLORREF SelectedInConflict = RGB(255, 64, 127);
constexpr COLORREF SameLine = RGB(220, 240, 255);
constexpr COLORREF SameLineInConflict = RGB(255, 64, 255);
constexpr COLORREF FrameDigitMode = RGB(0, 0, 240);
constexpr COLORREF FrameMarkMode = RGB(240, 0, 0);
constexpr COLORREF GivenDigit = RGB(0, 0, 0);
constexpr COLORREF EnteredDigit = RGB(0, 0, 240);
constexpr COLORREF Mark = RGB(240, 64, 64);
constexpr COLORREF ThinLine = RGB(127, 127, 127);
constexpr COLORREF ThickLine = RGB(0, 0, 0);
} // namespace FieldColors

// Draws the whole board of `session` for a client rectangle of `client`'s
// size: composed off screen and copied to `target` in one block. Reads the
// session only. Every drawing object is made and freed within the call.
void PaintField(HDC target, const RECT& client, const CGameFieldCtrl& session);
