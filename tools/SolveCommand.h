#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// kalmora-tool solve [FILE|-]: runs "Try to Solve" on the puzzle and prints the
// board, the number of undo records the solver left and the board's status.
int RunSolveCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out);
