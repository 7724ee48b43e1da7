// kalmora-tool new, run as a process; the game files it writes are read back
// with the game's own reader.

#include "ToolRunner.h"

#include "storage/GameFile.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>

namespace {

// The digits of puzzle text as the tool prints it: 9 lines of 9 digits.
std::vector<int> Digits(const std::string& text) {
    std::vector<int> digits;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digits.push_back(c - '0');
        }
    }
    return digits;
}

std::vector<int> BoardDigits(const CGameFieldFileData& game) {
    std::vector<int> digits;
    for (const CCell& cell : game.field.cells) {
        digits.push_back(cell.value);
    }
    return digits;
}

void ExpectNewGameOf(const CGameFieldFileData& game, const std::vector<int>& digits) {
    EXPECT_EQ(BoardDigits(game), digits);
    for (const CCell& cell : game.field.cells) {
        EXPECT_EQ(cell.flags, cell.value != 0 ? CCell::GivenBit : 0);
    }
    EXPECT_TRUE(game.snapShots.empty());
    EXPECT_EQ(game.finalTime, 0);
    EXPECT_FALSE(game.helpUsed);
}

class NewCommand : public testing::Test {
protected:
    std::string Path(const char* name) const { return m_folder + "/" + name; }

    const std::string m_folder = TemporaryFolder();
};

TEST_F(NewCommand, GeneratedGameHasTheLevelThePuzzleAndAStartTime) {
    const std::int64_t before = std::time(nullptr);
    const ToolResult result = RunTool("new '" + Path("easy.sdk") + "' --level easy --seed 7");
    const std::int64_t after = std::time(nullptr);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "");

    const CGameFieldFileData game = GameFile::Read(Path("easy.sdk"));
    EXPECT_EQ(game.level, 1);
    ExpectNewGameOf(game, Digits(RunTool("generate easy --seed 7").out));
    EXPECT_GE(game.startTime, before);
    EXPECT_LE(game.startTime, after);
}

TEST_F(NewCommand, GivenPuzzleMakesAGameWithoutLevel) {
    const std::string text = RunTool("generate insane --seed 99").out;
    const std::string puzzle = WriteTextFile(m_folder, "puzzle.txt", text);

    ASSERT_EQ(RunTool("new '" + Path("own.sdk") + "' --puzzle '" + puzzle + "'").exitCode, 0);
    CGameFieldFileData game = GameFile::Read(Path("own.sdk"));
    EXPECT_EQ(game.level, 0);
    ExpectNewGameOf(game, Digits(text));

    ASSERT_EQ(RunTool("new '" + Path("stdin.sdk") + "' --puzzle -", text).exitCode, 0);
    EXPECT_EQ(BoardDigits(GameFile::Read(Path("stdin.sdk"))), Digits(text));
}

TEST_F(NewCommand, ExistingFileIsReplacedWhole) {
    ASSERT_EQ(RunTool("new '" + Path("game.sdk") + "' --level 4 --seed 1").exitCode, 0);
    ASSERT_EQ(RunTool("new '" + Path("game.sdk") + "' --level 2 --seed 1").exitCode, 0);
    EXPECT_EQ(GameFile::Read(Path("game.sdk")).level, 2);
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(m_folder)) {
        ++files;
    }
    EXPECT_EQ(files, 1u);
}

TEST_F(NewCommand, WrongUsageExitsWithTwoAndWritesNothing) {
    const std::string puzzle = WriteTextFile(m_folder, "p.txt", std::string(81, '0'));
    const std::string file = "'" + Path("x.sdk") + "'";
    for (const std::string& arguments :
         {file, file + " --level 1 --puzzle '" + puzzle + "'",
          file + " --puzzle '" + puzzle + "' --seed 3", std::string("--level 1"),
          file + " --level 9", file + " --level 1 --seed -4", file + " --level 1 extra"}) {
        const ToolResult result = RunTool("new " + arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments;
        EXPECT_NE(result.err.find("usage: kalmora-tool new"), std::string::npos) << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(Path("x.sdk")));
}

TEST_F(NewCommand, UnusablePuzzleOrPlaceExitsWithOne) {
    const std::string bad = WriteTextFile(m_folder, "bad.txt", "12345");
    ToolResult result = RunTool("new '" + Path("x.sdk") + "' --puzzle '" + bad + "'");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(Path("x.sdk")));

    result = RunTool("new '" + Path("missing/x.sdk") + "' --level 1");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("Can't store to file"), std::string::npos) << result.err;
}

} // namespace
