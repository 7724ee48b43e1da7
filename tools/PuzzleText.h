#pragma once

#include "engine/PuzzleDigits.h"

#include <string_view>

// Reads a puzzle written as text: 81 cells, digits 1-9 and 0 or '.' for an
// empty cell; white space and the separators '|', '-' and '+' are ignored.
// Throws InputError naming the first thing that is wrong.
PuzzleDigits ParsePuzzleText(std::string_view text);

// Nine lines of nine digits, 0 for an empty cell.
std::string FormatPuzzleText(const PuzzleDigits& digits);
