#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// kalmora-tool new FILE (--level L [--seed N] | --puzzle TEXTFILE): writes a
// game file holding a new game of a generated or a given puzzle.
int RunNewCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out);
