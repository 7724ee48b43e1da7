#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// kalmora-tool check [FILE|-]: prints "ok" (exit 0) or the first unit that
// repeats a digit (exit 1).
int RunCheckCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out);
