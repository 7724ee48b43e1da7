// Game files given wherever a puzzle is expected.

#include "ToolRunner.h"

#include "storage/GameFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

// Row 1 of a board: given 1 2 3, the player's 4, the rest empty with marks.
CGameFieldFileData GameWithFirstRow() {
    CGameFieldFileData game;
    for (std::uint8_t column = 0; column < 3; ++column) {
        game.field.cells[column] = {static_cast<std::uint8_t>(column + 1), 0x8000};
    }
    game.field.cells[3] = {4, 0};
    game.field.cells[4] = {0, 0x01F0};
    game.level = 1;
    return game;
}

std::string SaveGame(const std::string& folder, const char* name, const CGameFieldFileData& game) {
    const std::string path = folder + "/" + name;
    GameFile::Write(path, game);
    return path;
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(GameFileInput, CheckLooksAtEveryDigitOfTheBoard) {
    const std::string folder = TemporaryFolder();
    CGameFieldFileData game = GameWithFirstRow();
    ToolResult result = RunTool("check '" + SaveGame(folder, "ok.sdk", game) + "'");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "ok\n");

    // The player's own digit repeats a given one in row 1.
    game.field.cells[8] = {2, 0};
    result = RunTool("check '" + SaveGame(folder, "bad.sdk", game) + "'");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "conflict: row 1\n");
}

TEST(GameFileInput, GameFileOnStandardInput) {
    const std::string folder = TemporaryFolder();
    const std::string bytes = FileBytes(SaveGame(folder, "ok.sdk", GameWithFirstRow()));
    const ToolResult result = RunTool("check -", bytes);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "ok\n");
}

TEST(GameFileInput, DamagedGameFileIsAnUnusableInput) {
    const std::string folder = TemporaryFolder();
    const std::string bytes = FileBytes(SaveGame(folder, "ok.sdk", GameWithFirstRow()));
    const std::string cut = WriteTextFile(folder, "cut.sdk", bytes.substr(0, bytes.size() - 4));
    ToolResult result = RunTool("check '" + cut + "'");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("not a usable game file"), std::string::npos) << result.err;

    CGameFieldFileData game = GameWithFirstRow();
    game.field.cells[80] = {12, 0};
    result = RunTool("check '" + SaveGame(folder, "twelve.sdk", game) + "'");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("above 9"), std::string::npos) << result.err;
}

} // namespace
