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
#include <random>

namespace fs = boost::filesystem;

namespace {

constexpr int MutationsPerReader = 1500;

class Mutator {
public:
    explicit Mutator(std::uint32_t seed) : m_random(seed) {}

    std::string Mutate(std::string bytes) {
        const int rounds = Pick(1, 3);
        for (int i = 0; i < rounds; ++i) {
            MutateOnce(bytes);
        }
        return bytes;
    }

    bool OneIn(int n) { return Pick(0, n - 1) == 0; }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    std::size_t Offset(const std::string& bytes) {
        return bytes.empty() ? 0 : static_cast<std::size_t>(Pick(0, int(bytes.size()) - 1));
    }

    // Counts and sizes are where a reader is most easily misled.
    std::uint64_t InterestingNumber() {
        static const std::uint64_t numbers[] = {
            0,          1,          2,          19,         20,         21,   22,
            81,         324,        325,        0x7F,       0x80,       0xFF, 0xFFFF,
            0x7FFFFFFF, 0xFFFFFFFF, 1ull << 32, 1ull << 40, 1ull << 62, ~0ull};
        return numbers[Pick(0, std::size(numbers) - 1)];
    }

    void MutateOnce(std::string& bytes) {
        if (bytes.empty()) {
            bytes.push_back(static_cast<char>(Pick(0, 255)));
            return;
        }
        const std::size_t at = Offset(bytes);
        switch (Pick(0, 6)) {
        case 0:
            bytes[at] = static_cast<char>(bytes[at] ^ (1 << Pick(0, 7)));
            break;
        case 1:
            bytes[at] = static_cast<char>(Pick(0, 255));
            break;
        case 2: {
            const std::uint64_t number = InterestingNumber();
            const std::size_t width = std::size_t{1} << Pick(0, 3);
            for (std::size_t i = 0; i < width && at + i < bytes.size(); ++i) {
                bytes[at + i] = static_cast<char>(number >> (8 * i));
            }
            break;
        }
        case 3:
            bytes.resize(at);
            break;
        case 4:
            bytes.erase(at, static_cast<std::size_t>(Pick(1, 16)));
            break;
        case 5:
            bytes.insert(at, static_cast<std::size_t>(Pick(1, 16)),
                         static_cast<char>(Pick(0, 255)));
            break;
        default: {
            const std::size_t from = Offset(bytes);
            bytes.insert(at, bytes.substr(from, static_cast<std::size_t>(Pick(1, 64))));
            break;
        }
        }
    }

    std::mt19937 m_random;
};

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
