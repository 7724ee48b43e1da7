#include "ToolRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

namespace {

// Easy puzzle 0 of the stored table, solved by singles alone.
const char* const EasyPuzzle = "000 307 426\n024 000 000\n600 009 000\n"
                               "060 035 070\n005 020 031\n931 070 060\n"
                               "300 000 007\n042 000 000\n000 562 309\n";
// Insane puzzle 0, which singles leave open.
const char* const InsanePuzzle = "000004050 900508002 100300048 000016090 294000000"
                                 "007009000 000005180 836000000 070000060";

struct SolveOutput {
    std::vector<std::string> board;
    std::string changes;
    std::string status;
};

SolveOutput Parse(const std::string& out) {
    std::istringstream lines(out);
    SolveOutput parsed;
    std::string line;
    for (int i = 0; i < 9 && std::getline(lines, line); ++i) {
        parsed.board.push_back(line);
    }
    std::getline(lines, parsed.changes);
    std::getline(lines, parsed.status);
    EXPECT_FALSE(std::getline(lines, line)) << "unexpected line: " << line;
    return parsed;
}

std::string Digits(const std::string& text) {
    std::string digits;
    std::copy_if(text.begin(), text.end(), std::back_inserter(digits),
                 [](char c) { return c >= '0' && c <= '9'; });
    return digits;
}

std::string Joined(const std::vector<std::string>& board) {
    std::string all;
    for (const std::string& line : board) {
        all += line + "\n";
    }
    return all;
}

TEST(SolveCommand, SolvesAnEasyPuzzleKeepingItsGivens) {
    const ToolResult result = RunTool("solve", EasyPuzzle);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const SolveOutput solved = Parse(result.out);
    ASSERT_EQ(solved.board.size(), 9u);
    const std::string board = Digits(Joined(solved.board));
    const std::string givens = Digits(EasyPuzzle);
    for (std::size_t i = 0; i < 81; ++i) {
        if (givens[i] != '0') {
            EXPECT_EQ(board[i], givens[i]) << "cell " << i;
        }
    }
    EXPECT_EQ(board.find('0'), std::string::npos);
    EXPECT_EQ(RunTool("check", Joined(solved.board)).out, "ok\n");
    EXPECT_EQ(solved.status, "status: solved");
    // Each of the 50 open cells gets its marks once and its digit once, and
    // some cells have their marks narrowed on the way.
    const int changes = std::stoi(solved.changes.substr(std::string("changes: ").size()));
    EXPECT_GE(changes, 100);
}

TEST(SolveCommand, LeavesAnInsanePuzzleOpenAndCountsTheEmptyCells) {
    const std::string folder = TemporaryFolder();
    const std::string file = WriteTextFile(folder, "insane.txt", InsanePuzzle);
    const ToolResult result = RunTool("solve '" + file + "'");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const SolveOutput open = Parse(result.out);
    const std::string board = Digits(Joined(open.board));
    const auto empty = std::count(board.begin(), board.end(), '0');
    EXPECT_GT(empty, 0);
    EXPECT_LE(empty, 81 - 26);
    EXPECT_EQ(open.status, "status: open " + std::to_string(empty));
    EXPECT_EQ(RunTool("check", Joined(open.board)).out, "ok\n");
}

TEST(SolveCommand, ABlankBoardGetsMarksOnly) {
    const ToolResult result = RunTool("solve -", std::string(81, '.'));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const SolveOutput blank = Parse(result.out);
    EXPECT_EQ(Joined(blank.board), std::string(9, '0') + "\n" + std::string(9, '0') + "\n" +
                                       std::string(9, '0') + "\n" + std::string(9, '0') + "\n" +
                                       std::string(9, '0') + "\n" + std::string(9, '0') + "\n" +
                                       std::string(9, '0') + "\n" + std::string(9, '0') + "\n" +
                                       std::string(9, '0') + "\n");
    EXPECT_EQ(blank.changes, "changes: 81");
    EXPECT_EQ(blank.status, "status: open 81");
}

TEST(SolveCommand, ABoardThatRepeatsADigitIsLeftAsItIs) {
    std::string puzzle = Digits(EasyPuzzle);
    puzzle[0] = '4'; // a second 4 in row 1
    const ToolResult result = RunTool("solve", puzzle);
    EXPECT_EQ(result.exitCode, 1);
    const SolveOutput conflict = Parse(result.out);
    EXPECT_EQ(Digits(Joined(conflict.board)), puzzle);
    EXPECT_EQ(conflict.changes, "changes: 0");
    EXPECT_EQ(conflict.status, "status: conflict row 1");
}

TEST(SolveCommand, BadInputAndBadUsageAreReported) {
    ToolResult result = RunTool("solve", "12345");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("5 cells"), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");

    result = RunTool("solve a b");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("usage: kalmora-tool solve"), std::string::npos);
}

} // namespace
