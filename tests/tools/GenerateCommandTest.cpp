#include "ToolRunner.h"

#include "engine/CGameField.h"
#include "tools/PuzzleText.h"

#include <gtest/gtest.h>

#include <regex>

TEST(GenerateCommand, PrintsNineLinesOfNineDigitsForEveryLevelName) {
    const std::regex nineByNine("([0-9]{9}\n){9}");
    for (const char* level : {"1", "2", "3", "4", "easy", "Normal", "HARD", "insane"}) {
        const ToolResult result = RunTool(std::string("generate ") + level + " --seed 7");
        EXPECT_EQ(result.exitCode, 0) << level << ": " << result.err;
        EXPECT_TRUE(std::regex_match(result.out, nineByNine)) << level << ": " << result.out;
        EXPECT_EQ(result.err, "");
    }
}

TEST(GenerateCommand, TheSameSeedGivesTheSamePuzzleAndNamesMatchNumbers) {
    const ToolResult first = RunTool("generate 3 --seed 42");
    EXPECT_EQ(first.exitCode, 0);
    EXPECT_EQ(RunTool("generate hard --seed 42").out, first.out);
    EXPECT_EQ(RunTool("generate --seed=42 3").out, first.out);
    EXPECT_NE(RunTool("generate 3 --seed 43").out, first.out);
}

TEST(GenerateCommand, AGeneratedPuzzleIsValidAndKeepsAGivensCountOfItsLevel) {
    for (std::uint32_t seed = 0; seed < 5; ++seed) {
        const ToolResult result = RunTool("generate 4 --seed " + std::to_string(seed));
        ASSERT_EQ(result.exitCode, 0);
        CGameField field;
        field.LoadPuzzle(ParsePuzzleText(result.out));
        ConflictRegion region;
        EXPECT_TRUE(field.CheckAll(region));
        const std::uint32_t givens = field.CountDigits().givens;
        EXPECT_GE(givens, 26u);
        EXPECT_LE(givens, 31u);
    }
}

TEST(GenerateCommand, WithoutASeedItStillWorks) {
    const ToolResult result = RunTool("generate easy");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out.size(), 90u);
}

TEST(GenerateCommand, WrongUsageExitsWithTwoAndSaysWhy) {
    struct Case {
        const char* arguments;
        const char* mentions;
    };
    for (const Case& c :
         {Case{"generate", "level"}, Case{"generate 5", "unknown level '5'"},
          Case{"generate easy --seed", "seed"}, Case{"generate easy --seed -1", "seed must be"},
          Case{"generate easy --seed 4294967296", "seed must be"},
          Case{"generate easy --seed 12x", "seed must be"}, Case{"generate easy hard", "too many"},
          Case{"generate easy --colour red", "colour"}, Case{"", "usage"},
          Case{"frobnicate", "unknown command 'frobnicate'"}}) {
        const ToolResult result = RunTool(c.arguments);
        EXPECT_EQ(result.exitCode, 2) << c.arguments;
        EXPECT_NE(result.err.find(c.mentions), std::string::npos)
            << c.arguments << ": " << result.err;
        EXPECT_EQ(result.out, "") << c.arguments;
    }
}

TEST(GenerateCommand, TheLargestSeedIsAccepted) {
    EXPECT_EQ(RunTool("generate 1 --seed 4294967295").exitCode, 0);
}

TEST(ToolHelp, ListsEveryCommand) {
    const ToolResult result = RunTool("--help");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("generate LEVEL"), std::string::npos);
    EXPECT_NE(result.out.find("check [FILE|-]"), std::string::npos);
}
