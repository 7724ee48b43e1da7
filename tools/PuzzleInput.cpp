#include "tools/PuzzleInput.h"

#include "tools/PuzzleText.h"
#include "tools/ToolErrors.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

std::string ReadInputBytes(const std::string& source, std::istream& in) {
    if (source.empty() || source == "-") {
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    std::error_code error;
    if (std::filesystem::is_directory(source, error)) {
        throw InputError("'" + source + "' is a folder, not a file");
    }
    std::ifstream file(source, std::ios::binary);
    if (!file) {
        throw InputError("cannot open '" + source + "'");
    }
    std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) {
        throw InputError("cannot read '" + source + "'");
    }
    return bytes;
}

PuzzleDigits ReadPuzzleInput(const std::string& source, std::istream& in) {
    return ParsePuzzleText(ReadInputBytes(source, in));
}
