#pragma once

#include "views/win/Win32.h"

// Private messages between the field view, the hint strip and the main window.
// All are sent synchronously.

// Field view -> hint strip. wParam: the selected cell's value in bits 0-15 and
// the input mode in bits 16-31; lParam: the cell's flags. Both all bits set
// when no valid cell is selected.
inline constexpr UINT WM_HINT_CELLSTATE = WM_USER + 1;
// Hint strip -> field view. lParam: a digit 1-9 in its low 8 bits.
inline constexpr UINT WM_FIELD_ENTERDIGIT = WM_USER + 2;
// Field view -> main window. lParam: 1 when the undo list is not empty, else 0.
inline constexpr UINT WM_FIELD_UNDOSTATE = WM_USER + 3;
// Field view -> main window. lParam: 1 when the redo list is not empty, else 0.
inline constexpr UINT WM_FIELD_REDOSTATE = WM_USER + 4;
// Field view -> main window. lParam: a zero-terminated status text, valid
// during the call.
inline constexpr UINT WM_FIELD_STATUSTEXT = WM_USER + 5;
// Field view -> main window: the game was just won. wParam: level 0-4;
// lParam: help-used flag 0 or 1.
inline constexpr UINT WM_FIELD_GAMEWON = WM_USER + 6;
// Hint strip -> main window. Result: the field view's window handle.
inline constexpr UINT WM_GET_FIELDVIEW = WM_USER + 7;
// Field view -> main window. Result: the hint strip's window handle.
inline constexpr UINT WM_GET_HINTSTRIP = WM_USER + 8;
