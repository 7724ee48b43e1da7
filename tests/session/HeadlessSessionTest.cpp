#include "tests/session/SessionFixture.h"

#include <chrono>
#include <vector>

namespace {

// The autosave reads into a session that is never made a window.
TEST(HeadlessSession, AfterLoadEmptiesTheHistoryDropsTheSelectionAndDetectsAWin) {
    CGameFieldCtrl session;
    session.SetClock([] { return std::int64_t{500}; });
    session.NewBlankGame();
    session.SelectCell({3, 3});
    session.SetDigit(3);
    CGameFieldSerialData loaded;
    loaded.field.LoadPuzzle(SolutionWithHoles({}));
    loaded.startTime = 400;
    loaded.level = 3;
    loaded.undo.push_back({{1, 0}, 1, 1});

    static_cast<CGameFieldSerialData&>(session) = loaded;
    session.AfterLoad();

    EXPECT_TRUE(session.undo.empty());
    EXPECT_TRUE(session.redo.empty());
    EXPECT_EQ(session.GetSelection(), CellPos{});
    EXPECT_TRUE(session.IsGameOver());
    EXPECT_EQ(session.finalTime, 100);
}

TEST(HeadlessSession, TheSystemClockIsTheCalendarInWholeSeconds) {
    CGameFieldCtrl session;
    session.SetClock(nullptr);
    const auto before = std::chrono::duration_cast<std::chrono::seconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
    session.NewBlankGame();
    const auto after = std::chrono::duration_cast<std::chrono::seconds>(
                           std::chrono::system_clock::now().time_since_epoch())
                           .count();
    EXPECT_GE(session.startTime, before);
    EXPECT_LE(session.startTime, after);
}

} // namespace
