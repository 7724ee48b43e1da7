// The field control's Save and Load commands, and the control itself in the
// autosave's archive form.

#include "StorageSamples.h"
#include "StorageTestSupport.h"

#include "session/CGameFieldCtrl.h"
#include "storage/CGameFieldCtrlArchive.h"
#include "storage/SessionFile.h"
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

TEST_F(GameFieldCtrlFileTest, SaveThenLoadRestoresTheGameWithoutHistory) {
    PlaySomething(m_session);
    m_session.SaveToFile(Path("game.sdk").c_str());
    EXPECT_EQ(m_session.GetSelection(), CellPos{}); // no cell selected after a save

    PlaySomething(m_other);
    m_other.field.cells[20] = {8, 0};
    m_other.LoadFromFile(Path("game.sdk").c_str());

    EXPECT_EQ(static_cast<const CGameFieldFileData&>(m_other), SampleGame());
    EXPECT_TRUE(m_other.undo.empty());
    EXPECT_TRUE(m_other.redo.empty());
    EXPECT_EQ(m_other.GetSelection(), CellPos{});
    EXPECT_EQ(m_other.GetStats().filled, 3u); // refreshed: recounted
    // Saved yesterday, loaded now: the time in between counts as play time.
    EXPECT_EQ(m_other.GetElapsed(), Now - SampleGame().startTime);
}

TEST_F(GameFieldCtrlFileTest, FailedLoadLeavesTheSessionExactlyAsItWas) {
    PlaySomething(m_session);
    m_session.SaveToFile(Path("game.sdk").c_str());
    const std::string file = ReadFileBytes(Path("game.sdk"));
    PlaySomething(m_other);
    const CGameFieldSerialData before = m_other;
    const CellPos selection = m_other.GetSelection();

    // Cut in the snapshots, after the board was read; an unknown header
    // (field size 325); no file at all: each is reported with its message.
    const std::string archive = Gunzip(file);
    std::string header = archive;
    header[40 + 5 + 5 + 4] = static_cast<char>(325 & 0xFF);
    WriteFileBytes(Path("snapshots.sdk"), Gzip(archive.substr(0, 500)));
    WriteFileBytes(Path("325.sdk"), Gzip(header));
    const struct {
        const char* name;
        const char* message;
    } cases[] = {{"snapshots.sdk", nullptr},
                 {"325.sdk", "Unknown header"},
                 {"missing.sdk", "Can't read from file"}};
    for (const auto& c : cases) {
        try {
            m_other.LoadFromFile(Path(c.name).c_str());
            ADD_FAILURE() << "loaded " << c.name;
        } catch (const std::exception& error) {
            if (c.message != nullptr) {
                EXPECT_STREQ(error.what(), c.message);
            }
        }
        EXPECT_EQ(static_cast<const CGameFieldSerialData&>(m_other), before) << c.name;
        EXPECT_EQ(m_other.GetSelection(), selection) << c.name;
    }
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
    static_cast<CGameFieldFileData&>(m_session) = won;
    m_session.SaveToFile(Path("won.sdk").c_str());

    m_other.LoadFromFile(Path("won.sdk").c_str());

    EXPECT_TRUE(m_other.IsGameOver());
    EXPECT_EQ(m_other.GetElapsed(), 10809);
}

TEST_F(GameFieldCtrlFileTest, FailedSaveKeepsTheSelection) {
    m_session.SelectCell({2, 2});
    EXPECT_THROW(m_session.SaveToFile((m_root.Path() / "nowhere" / "game.sdk").c_str()),
                 std::runtime_error);
    EXPECT_EQ(m_session.GetSelection(), (CellPos{2, 2}));
}

// The control's own archive form is byte for byte the one the autosave writes
// for its session data.
TEST_F(GameFieldCtrlFileTest, ControlArchivesLikeTheAutosaveSession) {
    PlaySomething(m_session);
    std::ostringstream direct;
    {
        boost::archive::binary_oarchive archive(direct, 0);
        archive << static_cast<const CGameFieldCtrl&>(m_session);
    }
    SessionFile::Write(m_root.Path() / "default.dat", m_session, {0, 0, 10, 10}, false);
    const std::string autosave = Gunzip(ReadFileBytes(m_root.Path() / "default.dat"));
    const std::size_t windowAndFlag = 4 * 4 + 1;
    EXPECT_EQ(direct.str(), autosave.substr(0, autosave.size() - windowAndFlag));
}

// Only the stored part of the control is replaced: its selection stays.
TEST_F(GameFieldCtrlFileTest, AutosaveRestoresIntoAFieldControl) {
    ASSERT_TRUE(SessionFile::Save(SampleSession(), {5, 6, 700, 800}, false));
    m_other.SelectCell({4, 7});
    StoredWindowRect window;
    bool autoCheck = true;
    ASSERT_TRUE(SessionFile::Load(m_other, window, autoCheck));
    EXPECT_EQ(static_cast<const CGameFieldSerialData&>(m_other), SampleSession());
    EXPECT_EQ(m_other.GetSelection(), (CellPos{4, 7}));
    EXPECT_EQ(window, (StoredWindowRect{5, 6, 700, 800}));
    EXPECT_FALSE(autoCheck);
}

} // namespace
