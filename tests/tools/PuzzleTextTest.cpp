#include "tools/PuzzleText.h"
#include "tools/ToolErrors.h"

#include <gtest/gtest.h>

#include <random>

TEST(PuzzleText, SeparatorsAndWhiteSpaceAreIgnored) {
    std::string text = "1.3|000|00-+\t\r\n";
    text += std::string(73, '0');
    const PuzzleDigits digits = ParsePuzzleText(text);
    EXPECT_EQ(digits[0], 1);
    EXPECT_EQ(digits[1], 0);
    EXPECT_EQ(digits[2], 3);
    EXPECT_EQ(digits[80], 0);
}

TEST(PuzzleText, FormatWritesNineLinesThatReadBackTheSame) {
    PuzzleDigits digits{};
    for (std::size_t i = 0; i < digits.size(); ++i) {
        digits[i] = static_cast<std::uint8_t>(i % 10);
    }
    const std::string text = FormatPuzzleText(digits);
    EXPECT_EQ(text.substr(0, 10), "012345678\n");
    EXPECT_EQ(ParsePuzzleText(text), digits);
}

// Random bytes and mutated puzzles never crash the reader: each either reads
// as 81 digits 0-9 or is refused with an InputError.
TEST(PuzzleText, MutatedInputIsReadOrRefusedCleanly) {
    const std::string base = FormatPuzzleText(PuzzleDigits{});
    std::mt19937 random(99);
    for (int round = 0; round < 20000; ++round) {
        std::string text = base;
        const int edits = 1 + static_cast<int>(random() % 6);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = text.empty() ? 0 : random() % text.size();
            const char byte = static_cast<char>(random() % 256);
            switch (random() % 3) {
            case 0:
                if (!text.empty()) {
                    text[at] = byte;
                }
                break;
            case 1:
                text.insert(text.begin() + static_cast<std::ptrdiff_t>(at), byte);
                break;
            default:
                if (!text.empty()) {
                    text.erase(at, 1 + random() % 4);
                }
                break;
            }
        }
        try {
            const PuzzleDigits digits = ParsePuzzleText(text);
            for (std::uint8_t d : digits) {
                ASSERT_LE(d, 9);
            }
        } catch (const InputError& error) {
            ASSERT_STRNE(error.what(), "");
        }
    }
}
