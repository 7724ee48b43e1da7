#include "session/FixedName.h"
#include "session/PlayTimeText.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(PlayTimeText, WritesEachPartWithAtLeastTwoDigits) {
    EXPECT_EQ(FormatPlayTime(0), "00:00:00");
    EXPECT_EQ(FormatPlayTime(59), "00:00:59");
    EXPECT_EQ(FormatPlayTime(3725), "01:02:05");
    EXPECT_EQ(FormatPlayTime(86399), "23:59:59");
    EXPECT_EQ(FormatPlayTime(360000), "100:00:00");
}

TEST(PlayTimeText, KeepsTheSignOfANegativeTime) {
    EXPECT_EQ(FormatPlayTime(-5), "-00:00:05");
    EXPECT_EQ(FormatPlayTime(std::numeric_limits<std::int64_t>::min()), "-2562047788015215:30:08");
}

TEST(FixedName, PadsShortNamesWithZerosAndCutsLongOnesToTheField) {
    const auto shortName = ToFixedName<8>("abc");
    EXPECT_EQ(std::string(shortName.data(), 8), std::string("abc\0\0\0\0\0", 8));
    const auto longName = ToFixedName<4>("abcdef");
    EXPECT_EQ(std::string(longName.data(), 4), "abcd");
    EXPECT_EQ(FromFixedName(longName), "abcd");
    EXPECT_EQ(FromFixedName(shortName), "abc");
}

TEST(FixedName, NeverEndsInsideAUtf8Character) {
    // "aé€😀": 1, 2, 3 and 4 bytes.
    const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
    const std::size_t cuts[][2] = {{1, 1}, {2, 1}, {3, 3}, {4, 3},  {5, 3},
                                   {6, 6}, {7, 6}, {9, 6}, {10, 10}};
    for (const auto& [room, length] : cuts) {
        EXPECT_EQ(Utf8PrefixLength(text, room), length) << room;
    }
    EXPECT_EQ(FromFixedName(ToFixedName<5>(text)), "a\xC3\xA9");
}

TEST(FixedName, CutsBytesThatAreNoUtf8WhereTheyFall) {
    const std::string stray(6, '\x80');
    EXPECT_EQ(Utf8PrefixLength(stray, 4), 4u);
    EXPECT_EQ(Utf8PrefixLength("ab\xFF\xFE", 3), 3u);
}

TEST(FixedName, StopsAtAnEmbeddedZero) {
    EXPECT_EQ(FromFixedName(ToFixedName<8>(std::string_view("ab\0cd", 5))), "ab");
}

} // namespace
