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

// A fresh temporary folder for files that the tests hand to the tool.
std::string TemporaryFolder();
std::string WriteTextFile(const std::string& folder, const std::string& name,
                          const std::string& content);
