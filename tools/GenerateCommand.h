#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// kalmora-tool generate LEVEL [--seed N]: prints a new puzzle of the level.
int RunGenerateCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out);
