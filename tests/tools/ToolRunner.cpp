#include "ToolRunner.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace

std::string TemporaryFolder() {
    std::string pattern = (fs::temp_directory_path() / "kalmora-tool-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    return pattern;
}

std::string WriteTextFile(const std::string& folder, const std::string& name,
                          const std::string& content) {
    const fs::path path = fs::path(folder) / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
}

ToolResult RunTool(const std::string& arguments, const std::string& input) {
    const fs::path folder = TemporaryFolder();
    const fs::path in = folder / "stdin";
    const fs::path out = folder / "stdout";
    const fs::path err = folder / "stderr";
    std::ofstream(in, std::ios::binary) << input;
    const std::string command = std::string("'") + KALMORA_TOOL + "' " + arguments + " < '" +
                                in.string() + "' > '" + out.string() + "' 2> '" + err.string() +
                                "'";
    const int status = std::system(command.c_str());
    ToolResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = ReadFile(out);
    result.err = ReadFile(err);
    fs::remove_all(folder);
    return result;
}
