// The winners lists: who enters, where, under which name, and the file that
// keeps them between runs.

#include "StorageSamples.h"
#include "StorageTestSupport.h"

#include "storage/WinnersFile.h"
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

std::vector<std::string> Names(const WinnersList& list) {
    std::vector<std::string> names;
    for (const HiScoreEntry& entry : list) {
        names.push_back(WinnersRules::NameText(entry));
    }
    return names;
}

// Any time enters while the list is short of ten; a full list takes only a
// strictly faster time, and grows. Equal times stay in the order of winning.
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
                                     {"third", 120}}) {
        WinnersRules::Insert(list, Winner(name, time));
    }
    EXPECT_EQ(Names(list),
              (std::vector<std::string>{"fastest", "first", "second", "third", "slow"}));
}

TEST(WinnersRulesTest, TimesCompareAsSignedNumbers) {
    WinnersList list;
    WinnersRules::Insert(list, Winner("positive", 3));
    WinnersRules::Insert(list, Winner("negative", -2));
    EXPECT_EQ(list.front().time, -2);
}

// The cut itself is checked with the fixed-name helpers; here, that a
// winner's name goes through it: 39 ASCII bytes, then a two-byte character
// that byte 40 would split.
TEST(WinnersRulesTest, NameIsCutBeforeACharacterItWouldSplit) {
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

class WinnersFileTest : public testing::Test {
protected:
    fs::path WinnersPath() const { return m_root.Path() / "Kalmora" / "top.dat"; }

    ScopedDataRoot m_root;
};

TEST_F(WinnersFileTest, MissingFileOrFewerThanFourListsAreRefused) {
    WinnersLists lists = SampleWinners();
    EXPECT_FALSE(WinnersFile::Load(lists));
    ByteWriter bytes;
    bytes.ArchiveHeader().ClassInfo(0).SequenceStart(0).SequenceStart(0).SequenceStart(0);
    fs::create_directory(m_root.Path() / "Kalmora");
    WriteFileBytes(WinnersPath(), Gzip(bytes.Bytes()));
    EXPECT_FALSE(WinnersFile::Load(lists));
    EXPECT_EQ(lists, SampleWinners());

    bytes.SequenceStart(0);
    WriteFileBytes(WinnersPath(), Gzip(bytes.Bytes()));
    EXPECT_TRUE(WinnersFile::Load(lists));
    EXPECT_EQ(lists, WinnersLists{});
}

} // namespace
