// Bounded random mutation of every file reader: damaged archives (gzipped
// again, so they pass the checksum and reach the archive layer) and damaged
// gzip data. Every read either succeeds or fails with a std::exception, and a
// failed load leaves the live data as it was. Fixed seeds keep runs repeatable.

#include "StorageTestSupport.h"

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

#include <functional>

namespace fs = boost::filesystem;

namespace {

constexpr int MutationsPerReader = 1500;

// Feeds mutated versions of the file at `path` to `read`.
void Fuzz(const fs::path& path, std::uint32_t seed, const std::function<void()>& read) {
    SCOPED_TRACE(path.filename().string());
    const std::string file = ReadFileBytes(path);
    const std::string archive = Gunzip(file);
    Mutator mutator(seed);
    for (int i = 0; i < MutationsPerReader; ++i) {
        const bool damageArchive = !mutator.OneIn(4);
        WriteFileBytes(path, damageArchive ? Gzip(mutator.Mutate(archive)) : mutator.Mutate(file));
        SCOPED_TRACE("mutation " + std::to_string(i));
        read();
        if (testing::Test::HasFatalFailure()) {
            return;
        }
    }
}

// The autosave, with snapshots as well, and the winners file are loaded
// over live data, which a refused file must leave alone.
TEST(FileFuzzTest, EveryReaderFailsCleanlyAndKeepsTheLiveData) {
    const ScopedDataRoot root;
    CGameFieldSerialData session = SampleSession();
    session.snapShots = SampleGame().snapShots;
    ASSERT_TRUE(SessionFile::Save(session, {0, 0, 640, 480}, true));
    ASSERT_TRUE(WinnersFile::Save(SampleWinners()));
    const fs::path folder = root.Path() / "Kalmora";
    GameFile::Write(folder / "game.sdk", SampleGame());

    int gamesLoaded = 0;
    Fuzz(folder / "game.sdk", 1, [&] {
        try {
            GameFile::Read(folder / "game.sdk");
            ++gamesLoaded;
        } catch (const std::exception&) {
        }
    });
    EXPECT_LT(gamesLoaded, MutationsPerReader);
    Fuzz(folder / "default.dat", 2, [] { ASSERT_NE(LoadSession(), "changed"); });
    Fuzz(folder / "top.dat", 3, [] { ASSERT_NE(LoadWinners(), "changed"); });
}

} // namespace
