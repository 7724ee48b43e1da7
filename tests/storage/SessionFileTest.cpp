// The autosave and the data folder it lives in, through LOCALAPPDATA and the
// other environment variables the folder lookup reads.

#include "StorageTestSupport.h"

#include "storage/DataFolder.h"

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace fs = boost::filesystem;

namespace {

class SessionFileTest : public testing::Test {
protected:
    fs::path DataFolderPath() const { return m_root.Path() / "Kalmora"; }

    ScopedDataRoot m_root;
    const StoredWindowRect m_window{-8, 30, 1016, 798};
};

// The end of the file: an auto-check byte that is neither 0 nor 1, and a
// window width that puts the right edge past 32 bits (600 made 1000 with the
// left edge at 2147483000).
TEST_F(SessionFileTest, DamagedWindowOrAutoCheckRestoresNothing) {
    ASSERT_TRUE(SessionFile::Save(SampleSession(), {2147483000, 0, 2147483600, 400}, true));
    const std::string archive = Gunzip(ReadFileBytes(DataFolderPath() / "default.dat"));
    std::string two = archive;
    two.back() = 2;
    std::string wide = archive;
    wide[archive.size() - 9] = static_cast<char>(1000 & 0xFF);
    wide[archive.size() - 8] = static_cast<char>(1000 >> 8);
    for (const std::string& damaged : {two, wide}) {
        WriteFileBytes(DataFolderPath() / "default.dat", Gzip(damaged));
        EXPECT_EQ(LoadSession(), "refused");
    }
}

// LOCALAPPDATA first, then an absolute XDG_DATA_HOME, then ~/.local/share.
TEST_F(SessionFileTest, TheBaseFolderFallsBackFromLocalAppDataToXdgToHome) {
    using Env = std::optional<std::string>;
    const struct {
        Env local, xdg, home;
        std::optional<fs::path> base;
    } cases[] = {
        {"/l", "/x", "/h", fs::path("/l")},
        {std::nullopt, "/x", "/h", fs::path("/x")},
        {"", "", "/h", fs::path("/h/.local/share")},
        {std::nullopt, "relative/path", "/h", fs::path("/h/.local/share")},
        {std::nullopt, std::nullopt, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        ScopedEnvironment env;
        env.Set("LOCALAPPDATA", c.local);
        env.Set("XDG_DATA_HOME", c.xdg);
        env.Set("HOME", c.home);
        EXPECT_EQ(DataFolder::BaseFolder(), c.base)
            << c.local.value_or("-") << " " << c.xdg.value_or("-");
    }
}

// ~/.local/share must exist already; the data folder in it is made by the
// first save, not by a load.
TEST_F(SessionFileTest, OnlyTheLastFolderLevelIsCreatedAndOnlyBySaving) {
    ScopedEnvironment env("LOCALAPPDATA", std::nullopt);
    env.Set("XDG_DATA_HOME", std::nullopt);
    env.Set("HOME", m_root.Path().string());
    EXPECT_FALSE(SessionFile::Save(SampleSession(), m_window, false));
    EXPECT_FALSE(fs::exists(m_root.Path() / ".local"));

    fs::create_directories(m_root.Path() / ".local" / "share");
    EXPECT_EQ(LoadSession(), "refused");
    EXPECT_FALSE(fs::exists(m_root.Path() / ".local/share/Kalmora"));
    EXPECT_TRUE(SessionFile::Save(SampleSession(), m_window, false));
    EXPECT_TRUE(fs::is_regular_file(m_root.Path() / ".local/share/Kalmora/default.dat"));
}

// The internal name names the data folder. Without one, with no base folder
// at all, or with a file where the data folder belongs, nothing is read or
// written and what stands there is left alone.
TEST_F(SessionFileTest, TheInternalNameNamesTheFolderAndWithoutAUsableOneNothingIsReadOrWritten) {
    EXPECT_TRUE(SessionFile::Save(SampleSession(), m_window, false, "Other"));
    EXPECT_TRUE(fs::is_regular_file(m_root.Path() / "Other" / "default.dat"));
    // A version block without an internal name gives no folder at all.
    EXPECT_FALSE(SessionFile::Save(SampleSession(), m_window, false, ""));
    EXPECT_EQ(DataFolder::Find(""), std::nullopt);
    {
        ScopedEnvironment env("LOCALAPPDATA", std::nullopt);
        env.Set("XDG_DATA_HOME", std::nullopt);
        env.Set("HOME", std::nullopt);
        EXPECT_FALSE(SessionFile::Save(SampleSession(), m_window, false));
        EXPECT_EQ(LoadSession(), "refused");
    }
    WriteFileBytes(DataFolderPath(), "in the way");
    EXPECT_FALSE(SessionFile::Save(SampleSession(), m_window, false));
    EXPECT_EQ(LoadSession(), "refused");
    EXPECT_EQ(ReadFileBytes(DataFolderPath()), "in the way");
}

} // namespace
