#include "tools/PuzzleInput.h"

#include "storage/ArchiveFile.h"
#include "storage/GameFile.h"
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

namespace {

// A game file stands for the board it holds: every digit in it, given or not.
PuzzleDigits GameFileDigits(const std::string& bytes) {
    CGameFieldFileData game;
    try {
        game = GameFile::ReadBytes(bytes);
    } catch (const std::exception& error) {
        throw InputError(std::string("not a usable game file: ") + error.what());
    }
    PuzzleDigits digits{};
    for (std::size_t i = 0; i < digits.size(); ++i) {
        digits[i] = game.field.cells[i].value;
        if (digits[i] > 9) {
            throw InputError("the game file holds a cell value above 9");
        }
    }
    return digits;
}

} // namespace

PuzzleDigits ReadPuzzleInput(const std::string& source, std::istream& in) {
    const std::string bytes = ReadInputBytes(source, in);
    if (ArchiveFile::LooksLikeGzip(bytes)) {
        return GameFileDigits(bytes);
    }
    return ParsePuzzleText(bytes);
}
