#include "ToolRunner.h"

#include "StorageTestSupport.h"

#include <cstdlib>
#include <sys/wait.h>

ToolResult RunTool(const std::string& arguments, const std::string& input) {
    // The three streams go through files in a folder of their own.
    const ScopedDataRoot folder;
    const auto quoted = [&](const char* name) {
        return "'" + (folder.Path() / name).string() + "'";
    };
    WriteFileBytes(folder.Path() / "in", input);
    const std::string command = std::string("'") + KALMORA_TOOL + "' " + arguments + " < " +
                                quoted("in") + " > " + quoted("out") + " 2> " + quoted("err");
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
            ReadFileBytes(folder.Path() / "out"), ReadFileBytes(folder.Path() / "err")};
}
