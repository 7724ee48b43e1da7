#pragma once

#include "engine/PuzzleDigits.h"

#include <cstdint>
#include <functional>

// Gives one 32-bit output of the random engine per call.
using RandomOutputs = std::function<std::uint32_t()>;

// Copies a stored puzzle of `level` (1-4) into `digits` and disguises it with
// random symmetry transformations; gives the number (0-7) of the stored puzzle.
// For a level outside 1-4 nothing is copied and the given digits are merely
// shuffled. Every call takes exactly 11 random outputs.
int GeneratePuzzle(PuzzleDigits& digits, int level);
int GeneratePuzzle(PuzzleDigits& digits, int level, std::uint32_t seed);
int GeneratePuzzle(PuzzleDigits& digits, int level, const RandomOutputs& next);
