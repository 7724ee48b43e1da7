#pragma once

#include <array>
#include <cstdint>

// 81 digits of a puzzle in row-major order, 0 for an empty cell.
using PuzzleDigits = std::array<std::uint8_t, 81>;
