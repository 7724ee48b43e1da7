// The autosave and the data folder it lives in, through LOCALAPPDATA and the
// other environment variables the folder lookup reads.

#include "StorageSamples.h"
#include "StorageTestSupport.h"

#include "storage/DataFolder.h"
#include "storage/SessionFile.h"

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace fs = boost::filesystem;

namespace {

// Sets or clears an environment variable for one test.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::optional<std::string>& value) : m_name(name) {
        if (const char* previous = std::getenv(name)) {
            m_previous = previous;
        }
        Set(value);
    }
    ~ScopedEnvironment() { Set(m_previous); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    void Set(const std::optional<std::string>& value) {
        if (value) {
            ::setenv(m_name, value->c_str(), 1);
        } else {
            ::unsetenv(m_name);
        }
    }

    const char* m_name;
    std::optional<std::string> m_previous;
};

class SessionFileTest : public testing::Test {
protected:
    fs::path DataFolderPath() const { return m_root.Path() / "Kalmora"; }
    fs::path SessionPath() const { return DataFolderPath() / "default.dat"; }

    // A live session that a failed load must leave alone.
    CGameFieldSerialData LiveSession() const {
        CGameFieldSerialData live;
        live.field.cells[10] = {4, 0};
        live.level = 1;
        live.undo = {{{0, 0}, 2, 2}};
        return live;
    }

    std::string SampleArchive() {
        EXPECT_TRUE(SessionFile::Save(SampleSession(), m_window, true));
        return Gunzip(ReadFileBytes(SessionPath()));
    }

    void ExpectLoadRefusedAndNothingChanged() {
        CGameFieldSerialData live = LiveSession();
        StoredWindowRect window{1, 2, 3, 4};
        bool autoCheck = true;
        EXPECT_FALSE(SessionFile::Load(live, window, autoCheck));
        EXPECT_EQ(live, LiveSession());
        EXPECT_EQ(window, (StoredWindowRect{1, 2, 3, 4}));
        EXPECT_TRUE(autoCheck);
    }

    ScopedDataRoot m_root;
    const StoredWindowRect m_window{-8, 30, 1016, 798};
};

TEST_F(SessionFileTest, FirstStartFindsNothingThenExitCreatesFolderAndFile) {
    ExpectLoadRefusedAndNothingChanged();
    EXPECT_FALSE(fs::exists(DataFolderPath()));

    EXPECT_TRUE(SessionFile::Save(SampleSession(), m_window, false));

    EXPECT_TRUE(fs::is_directory(DataFolderPath()));
    EXPECT_TRUE(fs::is_regular_file(SessionPath()));
}

TEST_F(SessionFileTest, RestartRestoresSessionWindowAndAutoCheck) {
    ASSERT_TRUE(SessionFile::Save(SampleSession(), m_window, true));

    CGameFieldSerialData live;
    StoredWindowRect window;
    bool autoCheck = false;
    ASSERT_TRUE(SessionFile::Load(live, window, autoCheck));

    EXPECT_EQ(live, SampleSession());
    EXPECT_EQ(live.finalTime, 754); // a finished game keeps its frozen time
    EXPECT_EQ(window, m_window);
    EXPECT_TRUE(autoCheck);
}

TEST_F(SessionFileTest, LoadReplacesOnlyTheStoredPartOfALargerObject) {
    struct LiveControl : CGameFieldSerialData {
        int transient = 17;
    } live;
    ASSERT_TRUE(SessionFile::Save(SampleSession(), m_window, false));
    StoredWindowRect window;
    bool autoCheck = true;
    ASSERT_TRUE(SessionFile::Load(live, window, autoCheck));
    EXPECT_EQ(static_cast<CGameFieldSerialData&>(live), SampleSession());
    EXPECT_EQ(live.transient, 17);
    EXPECT_FALSE(autoCheck);
}

TEST_F(SessionFileTest, FileWithoutAutoCheckByteRestoresNothing) {
    const std::string archive = SampleArchive();
    WriteFileBytes(SessionPath(), Gzip(archive.substr(0, archive.size() - 1)));
    ExpectLoadRefusedAndNothingChanged();
}

TEST_F(SessionFileTest, AutoCheckByteOtherThanZeroOrOneRestoresNothing) {
    std::string archive = SampleArchive();
    archive.back() = 2;
    WriteFileBytes(SessionPath(), Gzip(archive));
    ExpectLoadRefusedAndNothingChanged();
}

TEST_F(SessionFileTest, RectangleWhoseEdgesDoNotFitRestoresNothing) {
    ASSERT_TRUE(SessionFile::Save(SampleSession(), {2147483000, 0, 2147483600, 400}, false));
    std::string archive = Gunzip(ReadFileBytes(SessionPath()));
    // Width, from 600 to 1000: left + width no longer fits 32 bits.
    const std::size_t widthAt = archive.size() - 9;
    archive[widthAt] = static_cast<char>(1000 & 0xFF);
    archive[widthAt + 1] = static_cast<char>(1000 >> 8);
    WriteFileBytes(SessionPath(), Gzip(archive));
    ExpectLoadRefusedAndNothingChanged();
}

TEST_F(SessionFileTest, DamagedFilesRestoreNothing) {
    const std::string archive = SampleArchive();
    const std::string file = ReadFileBytes(SessionPath());
    for (std::size_t length = 0; length < archive.size(); length += 7) {
        WriteFileBytes(SessionPath(), Gzip(archive.substr(0, length)));
        ExpectLoadRefusedAndNothingChanged();
    }
    WriteFileBytes(SessionPath(), file.substr(0, file.size() - 1));
    ExpectLoadRefusedAndNothingChanged();
    WriteFileBytes(SessionPath(), "not a session");
    ExpectLoadRefusedAndNothingChanged();
}

TEST_F(SessionFileTest, SaveLeavesNoTemporaryFilesBeside) {
    ASSERT_TRUE(SessionFile::Save(SampleSession(), m_window, false));
    ASSERT_TRUE(SessionFile::Save(LiveSession(), m_window, false));
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(DataFolderPath())) {
        names.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(names, std::vector<std::string>{"default.dat"});
}

TEST_F(SessionFileTest, UnsetLocalAppDataFallsBackToXdgDataHome) {
    const fs::path xdg = m_root.Path() / "xdg";
    fs::create_directory(xdg);
    ScopedEnvironment noLocal("LOCALAPPDATA", std::nullopt);
    ScopedEnvironment dataHome("XDG_DATA_HOME", xdg.string());

    EXPECT_EQ(DataFolder::BaseFolder(), xdg);
    EXPECT_TRUE(SessionFile::Save(SampleSession(), m_window, false));
    EXPECT_TRUE(fs::is_regular_file(xdg / "Kalmora" / "default.dat"));
}

TEST_F(SessionFileTest, WithoutXdgDataHomeTheHomeFolderIsUsed) {
    ScopedEnvironment noLocal("LOCALAPPDATA", std::nullopt);
    ScopedEnvironment relative("XDG_DATA_HOME", std::string("relative/path"));
    ScopedEnvironment home("HOME", m_root.Path().string());

    EXPECT_EQ(DataFolder::BaseFolder(), m_root.Path() / ".local" / "share");
    // Only the last folder level is ever created: ~/.local/share must exist.
    EXPECT_FALSE(SessionFile::Save(SampleSession(), m_window, false));
    EXPECT_FALSE(fs::exists(m_root.Path() / ".local"));

    fs::create_directories(m_root.Path() / ".local" / "share");
    EXPECT_TRUE(SessionFile::Save(SampleSession(), m_window, false));
    EXPECT_TRUE(fs::is_regular_file(m_root.Path() / ".local/share/Kalmora/default.dat"));
}

TEST_F(SessionFileTest, NoBaseFolderMeansNothingReadOrWritten) {
    ScopedEnvironment noLocal("LOCALAPPDATA", std::nullopt);
    ScopedEnvironment noXdg("XDG_DATA_HOME", std::nullopt);
    ScopedEnvironment noHome("HOME", std::nullopt);

    EXPECT_EQ(DataFolder::BaseFolder(), std::nullopt);
    EXPECT_FALSE(SessionFile::Save(SampleSession(), m_window, false));
    ExpectLoadRefusedAndNothingChanged();
}

TEST_F(SessionFileTest, MissingLocalAppDataFolderIsNotCreated) {
    const fs::path missing = m_root.Path() / "gone";
    ScopedEnvironment local("LOCALAPPDATA", missing.string());

    EXPECT_FALSE(SessionFile::Save(SampleSession(), m_window, false));
    EXPECT_FALSE(fs::exists(missing));
    ExpectLoadRefusedAndNothingChanged();
}

TEST_F(SessionFileTest, InternalNameNamesTheFolder) {
    EXPECT_TRUE(SessionFile::Save(SampleSession(), m_window, false, "Other"));
    EXPECT_TRUE(fs::is_regular_file(m_root.Path() / "Other" / "default.dat"));
    // A version block without an internal name gives no folder at all.
    EXPECT_FALSE(SessionFile::Save(SampleSession(), m_window, false, ""));
    EXPECT_EQ(DataFolder::Find(""), std::nullopt);
}

TEST_F(SessionFileTest, DataFolderThatIsAFileRefusesBoth) {
    WriteFileBytes(DataFolderPath(), "in the way");
    EXPECT_FALSE(SessionFile::Save(SampleSession(), m_window, false));
    ExpectLoadRefusedAndNothingChanged();
    EXPECT_EQ(ReadFileBytes(DataFolderPath()), "in the way");
}

} // namespace
