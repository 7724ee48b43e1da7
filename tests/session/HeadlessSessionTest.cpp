#include "tests/session/SessionFixture.h"

#include <chrono>
#include <ctime>
#include <vector>

namespace {

// Without a clock of its own a session reads the calendar in whole seconds.
// The autosave reads into a session that is never made a window.
TEST(HeadlessSession, TheCalendarClockAndAfterLoadEmptyingTheHistoryAndDetectingAWin) {
    CGameFieldCtrl session;
    session.SetClock(nullptr);
    using std::chrono::system_clock;
    const std::time_t before = system_clock::to_time_t(system_clock::now());
    session.NewBlankGame();
    const std::time_t after = system_clock::to_time_t(system_clock::now());
    EXPECT_GE(session.startTime, before);
    EXPECT_LE(session.startTime, after);

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

} // namespace
