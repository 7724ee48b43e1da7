#include "StorageTestSupport.h"

#include "tools/PuzzleText.h"
#include "tools/ToolErrors.h"

#include <gtest/gtest.h>

TEST(PuzzleText, SeparatorsAndWhiteSpaceAreIgnored) {
    PuzzleDigits expected{};
    expected[0] = 1;
    expected[2] = 3;
    EXPECT_EQ(ParsePuzzleText("1.3|000|00-+ \t\r\n\f\v" + std::string(73, '0')), expected);
}

// Mutated puzzles never crash the reader: each either reads as 81 digits 0-9
// or is refused with an InputError that says why.
TEST(PuzzleText, MutatedInputIsReadOrRefusedCleanly) {
    const std::string base = FormatPuzzleText(PuzzleDigits{});
    Mutator mutator(99);
    for (int round = 0; round < 20000; ++round) {
        const std::string text = mutator.Mutate(base);
        try {
            for (std::uint8_t digit : ParsePuzzleText(text)) {
                ASSERT_LE(digit, 9);
            }
        } catch (const InputError& error) {
            ASSERT_STRNE(error.what(), "");
        }
    }
}
