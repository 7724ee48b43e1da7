#pragma once

#include "engine/PuzzleDigits.h"

#include <cstddef>

// The stored puzzles: eight per level, levels 1 Easy, 2 Normal, 3 Hard, 4 Insane.
namespace PuzzleTable {

constexpr int LevelCount = 4;
constexpr int PuzzlesPerLevel = 8;

// Stored puzzle `number` (0-7) of `level` (1-4).
const PuzzleDigits& Get(int level, int number);

} // namespace PuzzleTable
