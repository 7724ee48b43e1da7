// The winners lists: who enters, where, under which name, and the file that
// keeps them between runs.

#include "StorageSamples.h"
#include "StorageTestSupport.h"

#include "session/PlayTimeText.h"
#include "storage/WinnersFile.h"
#include "storage/WinnersRules.h"

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

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

TEST(WinnersRulesTest, FirstTenWinnersAlwaysQualify) {
    WinnersList list;
    for (int i = 0; i < 10; ++i) {
        EXPECT_TRUE(WinnersRules::Qualifies(list, 1000000)) << i << " entries";
        WinnersRules::Insert(list, Winner("x", 1000000));
    }
    EXPECT_FALSE(WinnersRules::Qualifies(list, 1000000));
}

TEST(WinnersRulesTest, FullListTakesOnlyStrictlyFasterTimes) {
    WinnersList list = TenWinnersUpTo300();
    EXPECT_FALSE(WinnersRules::Qualifies(list, 300));
    EXPECT_FALSE(WinnersRules::Qualifies(list, 5000));
    ASSERT_TRUE(WinnersRules::Qualifies(list, 299));

    WinnersRules::Insert(list, WinnersRules::MakeEntry("Quick", 299));

    ASSERT_EQ(list.size(), 11u); // the list only grows
    EXPECT_EQ(std::next(list.begin(), 9)->time, 299);
    EXPECT_EQ(WinnersRules::NameText(*std::next(list.begin(), 9)), "Quick");
    EXPECT_EQ(list.back().time, 300);
}

TEST(WinnersRulesTest, EqualTimesStayInTheOrderOfWinning) {
    WinnersList list;
    WinnersRules::Insert(list, Winner("first", 120));
    WinnersRules::Insert(list, Winner("slow", 400));
    WinnersRules::Insert(list, Winner("second", 120));
    WinnersRules::Insert(list, Winner("fastest", 5));
    WinnersRules::Insert(list, Winner("third", 120));
    EXPECT_EQ(Names(list),
              (std::vector<std::string>{"fastest", "first", "second", "third", "slow"}));
}

TEST(WinnersRulesTest, TimesCompareAsSignedNumbers) {
    WinnersList list;
    WinnersRules::Insert(list, Winner("positive", 3));
    WinnersRules::Insert(list, Winner("negative", -2));
    EXPECT_EQ(Names(list), (std::vector<std::string>{"negative", "positive"}));
}

// The cut itself is checked with the fixed-name helpers; here, that a winner's
// name goes through it into its 40-byte, zero-padded field.
TEST(WinnersRulesTest, NameFillsFortyBytesPaddedWithZerosAndNeverSplitsACharacter) {
    const HiScoreEntry entry = WinnersRules::MakeEntry("Eve", 77);
    EXPECT_EQ(std::string(entry.name.data(), 40), std::string("Eve") + std::string(37, '\0'));
    EXPECT_EQ(entry.time, 77);
    const std::string name45 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrs";
    EXPECT_EQ(std::string(WinnersRules::MakeEntry(name45, 1).name.data(), 40),
              name45.substr(0, 40));
    // 39 ASCII bytes, then a two-byte character that byte 40 would split.
    const HiScoreEntry cut = WinnersRules::MakeEntry(std::string(39, 'a') + "\xC3\xA9", 1);
    EXPECT_EQ(WinnersRules::NameText(cut), std::string(39, 'a'));
    EXPECT_EQ(cut.name[39], '\0');
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

TEST_F(WinnersFileTest, ListsSurviveARestartInOrderAndUnsorted) {
    WinnersLists lists = SampleWinners();
    // Stored order is kept even when it is not sorted.
    lists[3] = {Winner("late", 900), Winner("early", 100)};
    ASSERT_TRUE(WinnersFile::Save(lists));

    WinnersLists loaded;
    ASSERT_TRUE(WinnersFile::Load(loaded));
    EXPECT_EQ(loaded, lists);
}

TEST_F(WinnersFileTest, MissingOrDamagedFileLeavesListsAsTheyWere) {
    const WinnersLists before = SampleWinners();
    WinnersLists lists = before;
    EXPECT_FALSE(WinnersFile::Load(lists));
    EXPECT_EQ(lists, before);

    ASSERT_TRUE(WinnersFile::Save({}));
    const std::string file = ReadFileBytes(WinnersPath());
    WriteFileBytes(WinnersPath(), file.substr(0, file.size() / 2));
    EXPECT_FALSE(WinnersFile::Load(lists));
    EXPECT_EQ(lists, before);
}

TEST_F(WinnersFileTest, FileWithFewerThanFourListsIsRefused) {
    ByteWriter bytes;
    bytes.ArchiveHeader().ClassInfo(0).SequenceStart(0).SequenceStart(0).SequenceStart(0);
    fs::create_directory(m_root.Path() / "Kalmora");
    WriteFileBytes(WinnersPath(), Gzip(bytes.Bytes()));
    WinnersLists lists = SampleWinners();
    EXPECT_FALSE(WinnersFile::Load(lists));
    EXPECT_EQ(lists, SampleWinners());

    bytes.SequenceStart(0);
    WriteFileBytes(WinnersPath(), Gzip(bytes.Bytes()));
    EXPECT_TRUE(WinnersFile::Load(lists));
    EXPECT_EQ(lists, WinnersLists{});
}

} // namespace
