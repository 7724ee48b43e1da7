#include "session/FixedName.h"
#include "session/PlayTimeText.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

namespace {

// Each part has at least two digits, and a negative time keeps its sign.
TEST(PlayTimeText, WritesEachPartWithAtLeastTwoDigitsAndKeepsTheSign) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "00:00:00"},
        {59, "00:00:59"},
        {3725, "01:02:05"},
        {86399, "23:59:59"},
        {360000, "100:00:00"},
        {-5, "-00:00:05"},
        {std::numeric_limits<std::int64_t>::min(), "-2562047788015215:30:08"}};
    for (const auto& [seconds, text] : cases) {
        EXPECT_EQ(FormatPlayTime(seconds), text);
    }
}

TEST(FixedName, PadsWithZerosCutsToTheFieldNeverInsideAUtf8CharacterAndStopsAtAZero) {
    const auto shortName = ToFixedName<8>("abc");
    EXPECT_EQ(std::string(shortName.data(), 8), std::string("abc\0\0\0\0\0", 8));
    const auto longName = ToFixedName<4>("abcdef");
    EXPECT_EQ(std::string(longName.data(), 4), "abcd");
    EXPECT_EQ(FromFixedName(longName), "abcd");
    EXPECT_EQ(FromFixedName(shortName), "abc");

    // "aé€😀": 1, 2, 3 and 4 bytes.
    const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
    const std::size_t cuts[][2] = {{1, 1}, {2, 1}, {3, 3}, {4, 3},  {5, 3},
                                   {6, 6}, {7, 6}, {9, 6}, {10, 10}};
    for (const auto& [room, length] : cuts) {
        EXPECT_EQ(Utf8PrefixLength(text, room), length) << room;
    }
    EXPECT_EQ(FromFixedName(ToFixedName<5>(text)), "a\xC3\xA9");
    // Bytes that are no UTF-8 are cut where they fall.
    EXPECT_EQ(Utf8PrefixLength(std::string(6, '\x80'), 4), 4u);
    EXPECT_EQ(Utf8PrefixLength("ab\xFF\xFE", 3), 3u);
    // An embedded zero ends the name.
    EXPECT_EQ(FromFixedName(ToFixedName<8>(std::string_view("ab\0cd", 5))), "ab");
}

} // namespace
