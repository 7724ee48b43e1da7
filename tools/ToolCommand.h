#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// One sub-command of kalmora-tool. `Run` gets the arguments after the command's
// name and gives the exit code; it throws UsageError or InputError on failure.
struct ToolCommand {
    const char* name;
    const char* usage;
    int (*Run)(const std::vector<std::string>& args, std::istream& in, std::ostream& out);
};

// Every command the tool knows, in the order the help lists them.
const std::vector<ToolCommand>& ToolCommands();
