#pragma once

#include "engine/PuzzleDigits.h"

#include <iosfwd>
#include <string>

// Reads the puzzle named on the command line: a file, or standard input for
// "-" or no name; puzzle text or a game file. Throws InputError when it cannot
// be read or used.
PuzzleDigits ReadPuzzleInput(const std::string& source, std::istream& in);

// The whole content of a file or, for "-", of `in`. Throws InputError.
std::string ReadInputBytes(const std::string& source, std::istream& in);
