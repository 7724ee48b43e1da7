// Bounded random mutation of every file reader: damaged archives (gzipped
// again, so they pass the checksum and reach the archive layer) and damaged
// gzip data. Every read either succeeds or fails with a std::exception, and a
// failed load leaves the live data as it was. Fixed seeds keep runs repeatable.

#include "StorageSamples.h"
#include "StorageTestSupport.h"

#include "storage/GameFile.h"
#include "storage/SessionFile.h"
#include "storage/WinnersFile.h"

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

#include <functional>

namespace fs = boost::filesystem;

namespace {

constexpr int MutationsPerReader = 1500;

class FileFuzzTest : public testing::Test {
protected:
    fs::path Folder() const { return m_root.Path() / "Kalmora"; }

    // Feeds mutated versions of the file at `path` to `read`.
    void Fuzz(const fs::path& path, std::uint32_t seed, const std::function<void()>& read) {
        const std::string file = ReadFileBytes(path);
        const std::string archive = Gunzip(file);
        Mutator mutator(seed);
        for (int i = 0; i < MutationsPerReader; ++i) {
            const bool damageArchive = !mutator.OneIn(4);
            WriteFileBytes(path,
                           damageArchive ? Gzip(mutator.Mutate(archive)) : mutator.Mutate(file));
            SCOPED_TRACE("mutation " + std::to_string(i));
            read();
            if (HasFatalFailure()) {
                return;
            }
        }
    }

    ScopedDataRoot m_root;
};

TEST_F(FileFuzzTest, GameFileReaderFailsCleanly) {
    fs::create_directory(Folder());
    const fs::path path = Folder() / "game.sdk";
    GameFile::Write(path, SampleGame());
    int loaded = 0;
    Fuzz(path, 1, [&] {
        try {
            GameFile::Read(path);
            ++loaded;
        } catch (const std::exception&) {
        }
    });
    EXPECT_LT(loaded, MutationsPerReader);
}

TEST_F(FileFuzzTest, SessionReaderFailsCleanlyAndKeepsTheLiveSession) {
    CGameFieldSerialData sample = SampleSession();
    sample.snapShots = SampleGame().snapShots;
    ASSERT_TRUE(SessionFile::Save(sample, {0, 0, 640, 480}, true));
    const CGameFieldSerialData before;
    Fuzz(Folder() / "default.dat", 2, [&] {
        CGameFieldSerialData live = before;
        StoredWindowRect window{9, 9, 9, 9};
        bool autoCheck = false;
        if (!SessionFile::Load(live, window, autoCheck)) {
            ASSERT_EQ(live, before);
            ASSERT_EQ(window, (StoredWindowRect{9, 9, 9, 9}));
            ASSERT_FALSE(autoCheck);
        }
    });
}

TEST_F(FileFuzzTest, WinnersReaderFailsCleanlyAndKeepsTheLists) {
    ASSERT_TRUE(WinnersFile::Save(SampleWinners()));
    WinnersLists before;
    before[1] = {Winner("kept", 5)};
    Fuzz(Folder() / "top.dat", 3, [&] {
        WinnersLists lists = before;
        if (!WinnersFile::Load(lists)) {
            ASSERT_EQ(lists, before);
        }
    });
}

} // namespace
