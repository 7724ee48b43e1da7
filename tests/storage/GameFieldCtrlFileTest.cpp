// The field control's Save and Load commands, and the control itself in the
// autosave's archive form.

#include "StorageTestSupport.h"

#include "session/CGameFieldCtrl.h"
#include "storage/CGameFieldCtrlArchive.h"
#include "tests/support/SolvedGrid.h"

#include <boost/archive/binary_oarchive.hpp>
#include <gtest/gtest.h>

#include <sstream>

namespace fs = boost::filesystem;

namespace {

constexpr std::int64_t Now = 1700000500;

class GameFieldCtrlFileTest : public testing::Test {
protected:
    GameFieldCtrlFileTest() {
        m_session.SetClock([] { return Now; });
        m_other.SetClock([] { return Now; });
    }

    std::string Path(const char* name) const { return (m_root.Path() / name).string(); }

    // A game in progress with a selection, history and snapshots.
    void PlaySomething(CGameFieldCtrl& session) {
        static_cast<CGameFieldFileData&>(session) = SampleGame();
        session.undo = SampleSession().undo;
        session.redo = SampleSession().redo;
        session.SelectCell({3, 1});
    }

    ScopedDataRoot m_root;
    CGameFieldCtrl m_session;
    CGameFieldCtrl m_other;
};

// A failed save keeps the selection, a save clears it. A load that fails on
// the way (cut in the snapshots, after the board was read) leaves the session
// exactly as it was; a good one restores the game without history.
TEST_F(GameFieldCtrlFileTest, SaveThenLoadRestoresTheGameWithoutHistory) {
    PlaySomething(m_session);
    EXPECT_THROW(m_session.SaveToFile(Path("nowhere/game.sdk").c_str()), std::runtime_error);
    EXPECT_EQ(m_session.GetSelection(), (CellPos{3, 1}));
    m_session.SaveToFile(Path("game.sdk").c_str());
    EXPECT_EQ(m_session.GetSelection(), CellPos{});
    const std::string archive = Gunzip(ReadFileBytes(Path("game.sdk")));
    WriteFileBytes(Path("cut.sdk"), Gzip(archive.substr(0, 500)));

    PlaySomething(m_other);
    m_other.field.cells[20] = {8, 0};
    const CGameFieldSerialData before = m_other;
    EXPECT_THROW(m_other.LoadFromFile(Path("cut.sdk").c_str()), std::exception);
    EXPECT_EQ(static_cast<const CGameFieldSerialData&>(m_other), before);
    EXPECT_EQ(m_other.GetSelection(), (CellPos{3, 1}));

    m_other.LoadFromFile(Path("game.sdk").c_str());
    EXPECT_EQ(static_cast<const CGameFieldFileData&>(m_other), SampleGame());
    EXPECT_TRUE(m_other.undo.empty());
    EXPECT_TRUE(m_other.redo.empty());
    EXPECT_EQ(m_other.GetSelection(), CellPos{});
    EXPECT_EQ(m_other.GetStats().filled, 3u); // refreshed: recounted
    // Saved yesterday, loaded now: the time in between counts as play time.
    EXPECT_EQ(m_other.GetElapsed(), Now - SampleGame().startTime);
}

TEST_F(GameFieldCtrlFileTest, LoadedCompletedGameShowsItsFrozenTime) {
    CGameFieldFileData won;
    const PuzzleDigits solved = SolvedDigits();
    for (std::size_t i = 0; i < 81; ++i) {
        won.field.cells[i].value = solved[i];
    }
    won.startTime = 1000;
    won.finalTime = 10809;
    won.level = 1;
    GameFile::Write(Path("won.sdk"), won);

    m_other.LoadFromFile(Path("won.sdk").c_str());

    EXPECT_TRUE(m_other.IsGameOver());
    EXPECT_EQ(m_other.GetElapsed(), 10809);
}

// The control's own archive form is byte for byte the one the autosave writes
// for its session data. Loaded back into a control, the autosave replaces
// only the stored part: the control's selection stays.
TEST_F(GameFieldCtrlFileTest, ControlArchivesLikeTheAutosaveAndLoadsItBack) {
    PlaySomething(m_session);
    std::ostringstream direct;
    {
        boost::archive::binary_oarchive archive(direct, 0);
        archive << static_cast<const CGameFieldCtrl&>(m_session);
    }
    ASSERT_TRUE(SessionFile::Save(m_session, {5, 6, 700, 800}, false));
    const std::string autosave = Gunzip(ReadFileBytes(Path("Kalmora/default.dat")));
    const std::size_t windowAndFlag = 4 * 4 + 1;
    EXPECT_EQ(direct.str(), autosave.substr(0, autosave.size() - windowAndFlag));

    m_other.SelectCell({4, 7});
    StoredWindowRect window;
    bool autoCheck = true;
    ASSERT_TRUE(SessionFile::Load(m_other, window, autoCheck));
    EXPECT_EQ(static_cast<const CGameFieldSerialData&>(m_other),
              static_cast<const CGameFieldSerialData&>(m_session));
    EXPECT_EQ(m_other.GetSelection(), (CellPos{4, 7}));
    EXPECT_EQ(window, (StoredWindowRect{5, 6, 700, 800}));
    EXPECT_FALSE(autoCheck);
}

} // namespace
