#include "ToolRunner.h"

#include <gtest/gtest.h>

namespace {

// Easy puzzle 0 of the stored table, in the separated layout a player might type.
const char* const EasyPuzzle = "000 | 307 | 426\n"
                               "024 | 000 | 000\n"
                               "600 | 009 | 000\n"
                               "----+-----+----\n"
                               "060 | 035 | 070\n"
                               "005 | 020 | 031\n"
                               "931 | 070 | 060\n"
                               "----+-----+----\n"
                               "300 | 000 | 007\n"
                               "042 | 000 | 000\n"
                               "000 | 562 | 309\n";

std::string WithCell(std::string puzzle, std::size_t index, char digit) {
    std::size_t seen = 0;
    for (char& c : puzzle) {
        if ((c >= '0' && c <= '9') || c == '.') {
            if (seen++ == index) {
                c = digit;
                break;
            }
        }
    }
    return puzzle;
}

} // namespace

TEST(CheckCommand, AValidPuzzleIsOkFromStandardInputAndFromAFile) {
    ToolResult result = RunTool("check", EasyPuzzle);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "ok\n");
    EXPECT_EQ(RunTool("check -", EasyPuzzle).out, "ok\n");

    const std::string folder = TemporaryFolder();
    const std::string file = WriteTextFile(folder, "easy.txt", EasyPuzzle);
    result = RunTool("check '" + file + "'");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "ok\n");
}

TEST(CheckCommand, DotsAndZerosBothMeanEmpty) {
    std::string dotted(81, '.');
    EXPECT_EQ(RunTool("check", dotted).out, "ok\n");
}

TEST(CheckCommand, ReportsTheFirstRepeatingUnitInScanOrderAndExitsWithOne) {
    // Row 1 gets a second 4 in column 1, which is also the box of (1, 1).
    ToolResult result = RunTool("check", WithCell(EasyPuzzle, 0, '4'));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "conflict: row 1\n");

    // A second 6 in column 1 at row 9; row 9 and box 7 hold no other 6.
    result = RunTool("check", WithCell(EasyPuzzle, 72, '6'));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "conflict: column 1\n");

    // A 2 at row 3, column 3 repeats only in box 1.
    result = RunTool("check", WithCell(EasyPuzzle, 20, '2'));
    EXPECT_EQ(result.out, "conflict: box 1\n");
}

TEST(CheckCommand, UnusableInputExitsWithOneAndAClearMessage) {
    struct Case {
        std::string input;
        const char* mentions;
    };
    for (const Case& c : {Case{"", "0 cells"}, Case{std::string(80, '0'), "80 cells"},
                          Case{std::string(82, '0'), "more than 81"},
                          Case{std::string(40, '0') + "x" + std::string(40, '0'), "'x'"},
                          Case{"\n\n" + std::string(10, '0') + "\x01", "line 3"}}) {
        const ToolResult result = RunTool("check", c.input);
        EXPECT_EQ(result.exitCode, 1) << c.input;
        EXPECT_NE(result.err.find(c.mentions), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
}

TEST(CheckCommand, MissingFilesAndFoldersAreInputErrors) {
    ToolResult result = RunTool("check /no/such/puzzle.txt");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("cannot open '/no/such/puzzle.txt'"), std::string::npos);

    const std::string folder = TemporaryFolder();
    result = RunTool("check '" + folder + "'");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("is a folder"), std::string::npos) << result.err;
}

TEST(CheckCommand, ExtraArgumentsAreUsageErrors) {
    const ToolResult result = RunTool("check a b");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("usage: kalmora-tool check"), std::string::npos);
}
