// The winners lists: who enters, where, under which name, and the file that
// keeps them between runs.

#include "StorageTestSupport.h"

#include "storage/WinnersRules.h"

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace fs = boost::filesystem;
using WinnersRules::GameOverOutcome;

namespace {

WinnersList TenWinnersUpTo300() {
    WinnersList list;
    for (int i = 0; i < 10; ++i) {
        list.push_back(Winner("P" + std::to_string(i), 210 + 10 * i));
    }
    return list;
}

// Any time enters while the list is short of ten; a full list takes only a
// strictly faster time, and grows. Equal times stay in the order of winning,
// and times compare as signed numbers.
TEST(WinnersRulesTest, TenAlwaysQualifyThenOnlyStrictlyFasterTimesInWinningOrder) {
    WinnersList list;
    for (int i = 0; i < 10; ++i) {
        EXPECT_TRUE(WinnersRules::Qualifies(list, 1000000)) << i << " entries";
        WinnersRules::Insert(list, Winner("x", 1000000));
    }
    EXPECT_FALSE(WinnersRules::Qualifies(list, 1000000));

    list = TenWinnersUpTo300();
    EXPECT_FALSE(WinnersRules::Qualifies(list, 300));
    ASSERT_TRUE(WinnersRules::Qualifies(list, 299));
    WinnersRules::Insert(list, WinnersRules::MakeEntry("Quick", 299));
    ASSERT_EQ(list.size(), 11u);
    EXPECT_EQ(WinnersRules::NameText(*std::next(list.begin(), 9)), "Quick");
    EXPECT_EQ(list.back().time, 300);

    list.clear();
    for (const auto& [name, time] : {std::pair{"first", 120},
                                     {"slow", 400},
                                     {"second", 120},
                                     {"fastest", 5},
                                     {"third", 120},
                                     {"negative", -2}}) {
        WinnersRules::Insert(list, Winner(name, time));
    }
    std::vector<std::string> names;
    for (const HiScoreEntry& entry : list) {
        names.push_back(WinnersRules::NameText(entry));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"negative", "fastest", "first", "second", "third",
                                               "slow"}));
}

// The cut itself is checked with the fixed-name helpers; here, that a
// winner's name goes through it at 40 bytes: 45 ASCII bytes fill the field
// without a terminating zero, and 39 ASCII bytes with a two-byte character
// that byte 40 would split keep 39.
TEST(WinnersRulesTest, NameIsCutAtFortyBytesBeforeACharacterItWouldSplit) {
    const HiScoreEntry full = WinnersRules::MakeEntry(std::string(45, 'b'), 1);
    EXPECT_EQ(std::string(full.name.data(), 40), std::string(40, 'b'));
    const HiScoreEntry cut = WinnersRules::MakeEntry(std::string(39, 'a') + "\xC3\xA9", 77);
    EXPECT_EQ(std::string(cut.name.data(), 40), std::string(39, 'a') + '\0');
    EXPECT_EQ(cut.time, 77);
}

TEST(WinnersRulesTest, OnlyLevelGamesWithoutHelpAreJudged) {
    WinnersLists lists;
    lists[1] = TenWinnersUpTo300();
    EXPECT_EQ(WinnersRules::Judge(lists, 0, false, 10), GameOverOutcome::Ignored);
    EXPECT_EQ(WinnersRules::Judge(lists, 5, false, 10), GameOverOutcome::Ignored);
    EXPECT_EQ(WinnersRules::Judge(lists, 1, true, 10), GameOverOutcome::Ignored);
    EXPECT_EQ(WinnersRules::Judge(lists, 1, false, 99999), GameOverOutcome::NewWinner);
    EXPECT_EQ(WinnersRules::Judge(lists, 2, false, 300), GameOverOutcome::GameOver);
    EXPECT_EQ(WinnersRules::Judge(lists, 2, false, 299), GameOverOutcome::NewWinner);
    EXPECT_EQ(WinnersRules::ListIndex(1), 0u);
    EXPECT_EQ(WinnersRules::ListIndex(4), 3u);
    EXPECT_EQ(WinnersRules::ListIndex(-1), std::nullopt);
}

TEST(WinnersFileTest, MissingFileOrFewerThanFourListsAreRefused) {
    const ScopedDataRoot root;
    EXPECT_EQ(LoadWinners(), "refused");
    ByteWriter bytes;
    bytes.ArchiveHeader().ClassInfo(0).SequenceStart(0).SequenceStart(0).SequenceStart(0);
    fs::create_directory(root.Path() / "Kalmora");
    WriteFileBytes(root.Path() / "Kalmora/top.dat", Gzip(bytes.Bytes()));
    EXPECT_EQ(LoadWinners(), "refused");

    bytes.SequenceStart(0);
    WriteFileBytes(root.Path() / "Kalmora/top.dat", Gzip(bytes.Bytes()));
    WinnersLists lists = SampleWinners();
    EXPECT_TRUE(WinnersFile::Load(lists));
    EXPECT_EQ(lists, WinnersLists{});
}

} // namespace
