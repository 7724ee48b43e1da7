// A default.dat or top.dat that cannot be used gives a fresh start without a
// word, and the next save keeps it beside the new file as "<name>.bad".

#include "ChildProcess.h"
#include "StorageSamples.h"
#include "StorageTestSupport.h"

#include "storage/SessionFile.h"
#include "storage/WinnersFile.h"

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace fs = boost::filesystem;

namespace {

// One of the two files read at start, with content told apart by a number.
struct StoredFile {
    const char* fileName;
    std::function<bool(int variant)> save;
    // True when loading refuses the file and leaves the live data alone.
    std::function<bool()> loadIsRefused;
    // The variant the file on disk holds; throws when it cannot be read.
    std::function<int(const fs::path&)> variantOf;
};

CGameFieldSerialData SessionVariant(int variant) {
    CGameFieldSerialData session = SampleSession();
    session.startTime = 1000 + variant;
    return session;
}

const StoredFile Session{
    "default.dat",
    [](int variant) {
        return SessionFile::Save(SessionVariant(variant), {10, 20, 30, 40}, true);
    },
    [] {
        CGameFieldSerialData live = SessionVariant(77);
        StoredWindowRect window{1, 2, 3, 4};
        bool autoCheck = true;
        const bool loaded = SessionFile::Load(live, window, autoCheck);
        return !loaded && live == SessionVariant(77) && window == StoredWindowRect{1, 2, 3, 4} &&
               autoCheck;
    },
    [](const fs::path& path) {
        return static_cast<int>(SessionFile::Read(path).session.startTime - 1000);
    }};

WinnersLists WinnersVariant(int variant) {
    WinnersLists lists = SampleWinners();
    lists[3].push_back(Winner("variant", variant));
    return lists;
}

const StoredFile Winners{
    "top.dat", [](int variant) { return WinnersFile::Save(WinnersVariant(variant)); },
    [] {
        WinnersLists live = WinnersVariant(77);
        return !WinnersFile::Load(live) && live == WinnersVariant(77);
    },
    [](const fs::path& path) { return static_cast<int>(WinnersFile::Read(path)[3].back().time); }};

// Puts a spoiled copy of a sound file in its place.
struct Spoil {
    const char* name;
    std::function<void(const fs::path& file)> apply;
};

std::string Damaged(std::string bytes) {
    for (std::size_t i = bytes.size() / 3; i < 2 * bytes.size() / 3; ++i) {
        bytes[i] = static_cast<char>(bytes[i] ^ 0x55);
    }
    return bytes;
}

// Library version 20 where the archive header says 19: written by a newer Boost.
std::string FromFutureVersion(const std::string& bytes) {
    std::string archive = Gunzip(bytes);
    const std::size_t versionOffset = 8 + std::string("serialization::archive").size();
    archive[versionOffset] = 20;
    return Gzip(archive);
}

const Spoil Spoils[] = {
    {"damaged", [](const fs::path& f) { WriteFileBytes(f, Damaged(ReadFileBytes(f))); }},
    {"truncated",
     [](const fs::path& f) {
         const std::string bytes = ReadFileBytes(f);
         WriteFileBytes(f, bytes.substr(0, bytes.size() / 2));
     }},
    {"future version",
     [](const fs::path& f) { WriteFileBytes(f, FromFutureVersion(ReadFileBytes(f))); }},
    {"empty", [](const fs::path& f) { WriteFileBytes(f, ""); }},
    {"unreadable", [](const fs::path& f) { fs::permissions(f, fs::no_perms); }},
    {"folder",
     [](const fs::path& f) {
         fs::remove(f);
         fs::create_directory(f);
         WriteFileBytes(f / "inside", "kept");
     }},
};

class RefusedFileTest : public testing::TestWithParam<const StoredFile*> {
protected:
    fs::path Folder() const { return m_root.Path() / "Kalmora"; }
    fs::path Target() const { return Folder() / GetParam()->fileName; }
    fs::path Aside() const { return Folder() / (std::string(GetParam()->fileName) + ".bad"); }

    // Start and exit of a player's run: the refused file is not taken, the
    // new file is written. The run is a child process of another user so
    // that an unreadable file is unreadable even to a root test.
    void PlayerRun(int variant) {
        const StoredFile* file = GetParam();
        const int code = RunAsPlayer({m_root.Path(), Folder()}, [&] {
            if (!file->loadIsRefused()) {
                return 1;
            }
            return file->save(variant) ? 0 : 2;
        });
        ASSERT_EQ(code, 0) << "1: the file was taken, 2: the save failed";
    }

    ScopedDataRoot m_root;
};

TEST_P(RefusedFileTest, EachRefusedFileIsKeptBesideTheNewOne) {
    const StoredFile* file = GetParam();
    for (const Spoil& spoil : Spoils) {
        SCOPED_TRACE(spoil.name);
        ASSERT_TRUE(file->save(1));
        spoil.apply(Target());
        const bool isFolder = fs::is_directory(Target());
        const std::string spoiled = isFolder ? "" : ReadFileBytes(Target());

        PlayerRun(2);

        EXPECT_EQ(file->variantOf(Target()), 2);
        if (isFolder) {
            EXPECT_EQ(ReadFileBytes(Aside() / "inside"), "kept");
        } else {
            EXPECT_EQ(ReadFileBytes(Aside()), spoiled);
        }
        fs::remove(Target());
    }
    // Only the latest refused file is kept, and no temporary is left over.
    std::vector<fs::path> left;
    for (const fs::directory_entry& entry : fs::directory_iterator(Folder())) {
        left.push_back(entry.path());
    }
    EXPECT_EQ(left, std::vector<fs::path>{Aside()});
}

TEST_P(RefusedFileTest, SoundFileIsReplacedWithoutCopy) {
    const StoredFile* file = GetParam();
    ASSERT_TRUE(file->save(1));
    ASSERT_TRUE(file->save(2));
    EXPECT_EQ(file->variantOf(Target()), 2);
    EXPECT_FALSE(fs::exists(Aside()));
}

// Refused at start, but another copy of the game wrote a sound file before
// this one exits: the last to exit wins, and the refused file stays aside
// instead of the sound one.
TEST_P(RefusedFileTest, SoundFileOfAnotherCopyIsNotMovedAside) {
    const StoredFile* file = GetParam();
    fs::create_directory(Folder());
    WriteFileBytes(Target(), "not a gzip file");
    ASSERT_TRUE(file->loadIsRefused());
    ASSERT_TRUE(file->save(3)); // the other copy exits first
    ASSERT_TRUE(file->save(4)); // then this one
    EXPECT_EQ(file->variantOf(Target()), 4);
    EXPECT_EQ(ReadFileBytes(Aside()), "not a gzip file");
}

INSTANTIATE_TEST_SUITE_P(BothFiles, RefusedFileTest, testing::Values(&Session, &Winners),
                         [](const auto& info) {
                             return std::string(info.param == &Session ? "Session" : "Winners");
                         });

} // namespace
