// The game-over flow over real winners lists: who qualifies, the winner
// dialog answered with real keys, where the entry goes, and what is ignored.

#include "ShellTestSupport.h"

#include "app/DialogTemplates.h"
#include "app/GameOverFlow.h"
#include "session/CGameFieldCtrl.h"
#include "storage/WinnersRules.h"

using namespace wintest;
using namespace shelltest;
using kwin::ModalStart;

namespace {

constexpr std::int64_t Now = 1'800'000'000;

HiScoreEntry Entry(const std::string& name, std::int64_t time) {
    return WinnersRules::MakeEntry(name, time);
}

std::vector<std::string> Names(const WinnersList& list) {
    std::vector<std::string> names;
    for (const HiScoreEntry& entry : list) {
        names.push_back(WinnersRules::NameText(entry));
    }
    return names;
}

std::vector<std::int64_t> Times(const WinnersList& list) {
    std::vector<std::int64_t> times;
    for (const HiScoreEntry& entry : list) {
        times.push_back(entry.time);
    }
    return times;
}

// Ten Easy winners of 210, 220, ..., 300 seconds.
WinnersLists TenEasyWinners() {
    WinnersLists lists;
    for (int i = 1; i <= 10; ++i) {
        lists[0].push_back(Entry("p" + std::to_string(i), 200 + 10 * i));
    }
    return lists;
}

class GameOverFlowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { PrepareShell(); }
    void SetUp() override {
        m_owner = CreateWindowEx(0, SpyClass(0), "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                                 100, 500, 400, nullptr, nullptr, nullptr, nullptr);
        m_session.SetClock([] { return Now; });
        Settle();
    }
    void TearDown() override {
        DestroyWindow(m_owner);
        Settle();
    }
    // A game of `level` running for `seconds`.
    void Played(int level, std::int64_t seconds, bool helpUsed = false) {
        m_session.level = level;
        m_session.startTime = Now - seconds;
        m_session.helpUsed = helpUsed;
    }
    bool Won(int level) { return RunGameOverFlow(m_lists, m_session, level, m_owner); }

    HWND m_owner = nullptr;
    CGameFieldCtrl m_session;
    WinnersLists m_lists;
};

// Types the name and presses Enter in the winner dialog; notes its message.
ModalStep Answer(const std::string& name, std::string* message = nullptr) {
    return [name, message](const ModalStart& start) {
        if (message != nullptr) {
            *message = ItemText(start.window, IDC_MESSAGE_EDIT);
        }
        TypeInto(start.window, name);
        PressKey(start.window, Qt::Key_Return);
    };
}

} // namespace

TEST_F(GameOverFlowTest, TheFirstTenQualifyWhateverTheirTime) {
    ModalScript script;
    for (int i = 0; i < 10; ++i) {
        script.Then(Answer("w" + std::to_string(i)));
    }
    for (int i = 0; i < 10; ++i) {
        Played(2, 5000 - 100 * i);
        EXPECT_TRUE(Won(2));
        EXPECT_TRUE(m_session.helpUsed) << "marked as handled";
    }
    EXPECT_EQ(script.Started(), 10);
    EXPECT_EQ(m_lists[1].size(), 10u);
    EXPECT_EQ(m_lists[1].front().time, 4100);
    EXPECT_EQ(m_lists[1].back().time, 5000);
    EXPECT_TRUE(m_lists[0].empty() && m_lists[2].empty() && m_lists[3].empty());
}

TEST_F(GameOverFlowTest, AFullListTakesOnlyAStrictlyFasterTime) {
    m_lists = TenEasyWinners();
    ModalScript script; // no dialog expected for 300 s
    Played(1, 300);
    EXPECT_TRUE(Won(1)) << "Game over is still shown";
    EXPECT_EQ(script.Started(), 0);
    EXPECT_EQ(m_lists[0].size(), 10u);

    std::string message;
    script.Then(Answer("Fast", &message));
    Played(1, 299);
    EXPECT_TRUE(Won(1));
    EXPECT_EQ(message, "You're a winner! You won in 'Easy game' in 00:04:59");
    ASSERT_EQ(m_lists[0].size(), 11u) << "nobody is pushed out";
    EXPECT_EQ(Times(m_lists[0]).back(), 300);
    EXPECT_EQ(Names(m_lists[0])[9], "Fast");
}

TEST_F(GameOverFlowTest, EqualTimesStayInWinningOrderAndCancelAddsNothing) {
    m_lists[3].push_back(Entry("first", 425));
    ModalScript script;
    script.Then(Answer("second")).Then(Answer("quick")).Then([](const ModalStart& start) {
        TypeInto(start.window, "never");
        PressKey(start.window, Qt::Key_Escape);
    });
    for (std::int64_t time : {425, 7, 1}) {
        Played(4, time);
        EXPECT_TRUE(Won(4)) << "Game over after OK and after Cancel";
    }
    EXPECT_EQ(Names(m_lists[3]), (std::vector<std::string>{"quick", "first", "second"}));
}

TEST_F(GameOverFlowTest, LevelNamesAndTimesInTheMessage) {
    const std::pair<int, std::int64_t> games[] = {{1, 425}, {2, 10809}, {3, 360000}, {4, 59}};
    const char* expected[] = {
        "You're a winner! You won in 'Easy game' in 00:07:05",
        "You're a winner! You won in 'Normal game' in 03:00:09",
        "You're a winner! You won in 'Hard game' in 100:00:00",
        "You're a winner! You won in 'Insane game' in 00:00:59",
    };
    for (std::size_t i = 0; i < std::size(games); ++i) {
        EXPECT_EQ(WinnerMessage(games[i].first, games[i].second), expected[i]);
    }
}

TEST_F(GameOverFlowTest, ALongNameKeepsItsFirstFortyBytes) {
    const std::string name = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrs"; // 45
    ModalScript script;
    script.Then(Answer(name));
    Played(1, 100);
    EXPECT_TRUE(Won(1));
    ASSERT_EQ(m_lists[0].size(), 1u);
    const HiScoreEntry& entry = m_lists[0].front();
    EXPECT_EQ(std::string(entry.name.begin(), entry.name.end()), name.substr(0, 40))
        << "all 40 bytes used, no terminating zero";
    EXPECT_EQ(entry.time, 100);
}

TEST_F(GameOverFlowTest, BlankGamesHintedGamesAndRepeatedAnnouncementsShowNothing) {
    ModalScript script; // any dialog fails the test
    Played(0, 100);
    EXPECT_FALSE(Won(0));
    Played(3, 100, true);
    EXPECT_FALSE(Won(3));
    EXPECT_FALSE(Won(7));
    EXPECT_EQ(script.Started(), 0);

    m_lists = TenEasyWinners();
    Played(1, 900);
    EXPECT_TRUE(Won(1));
    EXPECT_FALSE(Won(1)) << "the same game announced again after undo and redo";
    for (const WinnersList& list : {m_lists[1], m_lists[2], m_lists[3]}) {
        EXPECT_TRUE(list.empty());
    }
}
