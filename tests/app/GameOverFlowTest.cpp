// The game-over flow over real winners lists: the winner dialog answered
// with real keys, its message, and where the entry goes.

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

class GameOverFlowTest : public OwnerWindowTest {
protected:
    void SetUp() override {
        OwnerWindowTest::SetUp();
        m_session.SetClock([] { return Now; });
    }
    // A game of `level` running for `seconds`.
    void Played(int level, std::int64_t seconds) {
        m_session.level = level;
        m_session.startTime = Now - seconds;
        m_session.helpUsed = false;
    }
    bool Won(int level) { return RunGameOverFlow(m_lists, m_session, level, m_owner); }

    CGameFieldCtrl m_session;
    WinnersLists m_lists;
};

} // namespace

// Which list and when a winner is asked for are the winners rules' own
// matter (their tests in storage); here the flow around them.
TEST_F(GameOverFlowTest, AFasterTimeIsAskedForAndEnteredInItsLevelsListUnlessCancelled) {
    for (int i = 1; i <= 10; ++i) {
        m_lists[1].push_back(WinnersRules::MakeEntry("p" + std::to_string(i), 200 + 10 * i));
    }
    ModalScript script; // no dialog expected for 300 s
    Played(2, 300);
    EXPECT_TRUE(Won(2)) << "Game over is still shown";
    EXPECT_EQ(script.Started(), 0);
    EXPECT_TRUE(m_session.helpUsed) << "marked as handled";

    std::string message;
    script.Then(AnswerWinner("Fast", &message));
    Played(2, 299);
    EXPECT_TRUE(Won(2));
    EXPECT_EQ(message, "You're a winner! You won in 'Normal game' in 00:04:59");
    ASSERT_EQ(m_lists[1].size(), 11u);
    EXPECT_EQ(WinnersRules::NameText(*std::next(m_lists[1].begin(), 9)), "Fast");
    EXPECT_EQ(m_lists[1].back().time, 300);
    EXPECT_TRUE(m_lists[0].empty() && m_lists[2].empty() && m_lists[3].empty());

    // Cancel adds nothing, but it is still Game over.
    script.Then(AnswerWinner("never", &message, Qt::Key_Escape));
    Played(4, 59);
    EXPECT_TRUE(Won(4));
    EXPECT_EQ(message, "You're a winner! You won in 'Insane game' in 00:00:59");
    EXPECT_TRUE(m_lists[3].empty());
    EXPECT_TRUE(m_session.helpUsed);
}
