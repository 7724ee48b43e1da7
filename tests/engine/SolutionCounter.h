#pragma once

#include "engine/PuzzleDigits.h"

#include <cstddef>

// Counts the solutions of a puzzle by exhaustive search, stopping at `limit`.
// Used only to check the stored puzzles; the game itself never guesses.
std::size_t CountSolutions(const PuzzleDigits& puzzle, std::size_t limit);
