#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// kalmora-tool dump FILE|-: prints a game file, a session file or a winners file
// as one JSON object.
int RunDumpCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out);
