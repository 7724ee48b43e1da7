#pragma once

#include <string>

// Runs the built kalmora-tool binary as a separate process.
struct ToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// `arguments` is a shell word list (quote it yourself); `input` is fed to the
// tool's standard input.
ToolResult RunTool(const std::string& arguments, const std::string& input = "");
