#pragma once

#include "engine/CellPos.h"
#include "engine/PuzzleDigits.h"

#include <cstdint>
#include <initializer_list>

// A complete, valid board: row r (0-based) holds the digits 1-9 shifted by
// 3 * (r mod 3) + r div 3, so every row, column and box has each digit once.
std::uint8_t SolutionDigit(CellPos pos);

// That board in row-major order.
PuzzleDigits SolvedDigits();

// That board with the given cells left empty.
PuzzleDigits SolutionWithHoles(std::initializer_list<CellPos> holes);
