#pragma once

#include "views/win/Win32.h"

// Icon 128: a small Sudoku board with a selected cell and a blue digit,
// drawn at whatever size is asked for.
void PaintAppIcon(HDC hdc, int size);
