// Game files through the real files on disk: round trips, refused files and
// the safe write.

#include "StorageSamples.h"
#include "StorageTestSupport.h"

#include "storage/ArchiveFile.h"
#include "storage/GameFile.h"
#include "storage/SessionFile.h"
#include "storage/WinnersFile.h"

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

#include <csignal>
#include <iterator>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = boost::filesystem;

namespace {

class GameFileTest : public testing::Test {
protected:
    fs::path File(const char* name) const { return m_root.Path() / name; }
    std::string ArchiveOf(const CGameFieldFileData& game) {
        GameFile::Write(File("source.sdk"), game);
        return Gunzip(ReadFileBytes(File("source.sdk")));
    }
    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_root.Path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    ScopedDataRoot m_root;
};

std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "no exception";
}

TEST_F(GameFileTest, RoundTripKeepsBoardSnapshotsClockLevelAndHelp) {
    const CGameFieldFileData game = SampleGame();
    GameFile::Write(File("game.sdk"), game);
    const CGameFieldFileData loaded = GameFile::Read(File("game.sdk"));
    EXPECT_EQ(loaded, game);
    EXPECT_EQ(loaded.field.cells[1].flags, 0x2203); // carried bits 9 and 13 survive
    EXPECT_EQ(std::string(loaded.snapShots[1].name.data(), 20), "ABCDEFGHIJKLMNOPQRST");
}

TEST_F(GameFileTest, NoSnapshotsAndTwentySnapshotsLoad) {
    CGameFieldFileData game = SampleGame();
    game.snapShots.clear();
    GameFile::Write(File("none.sdk"), game);
    EXPECT_TRUE(GameFile::Read(File("none.sdk")).snapShots.empty());

    for (int i = 0; i < 20; ++i) {
        CSnapShot snapshot;
        snapshot.field.cells[i] = {static_cast<std::uint8_t>(i % 9 + 1), 0};
        snapshot.name = SnapshotName("shot " + std::to_string(i));
        snapshot.elapsed = i * 60;
        game.snapShots.push_back(snapshot);
    }
    GameFile::Write(File("twenty.sdk"), game);
    EXPECT_EQ(GameFile::Read(File("twenty.sdk")), game);
}

TEST_F(GameFileTest, MoreThanTwentySnapshotsAreRefused) {
    CGameFieldFileData game;
    game.snapShots.resize(21);
    GameFile::Write(File("many.sdk"), game);
    EXPECT_EQ(MessageOf([&] { GameFile::Read(File("many.sdk")); }), "Too many snapshots");
}

// How a read was refused: the message of an exception that is not a stream
// failure, "stream failure", or "read" when nothing was thrown.
std::string RefusalOf(const fs::path& path) {
    try {
        GameFile::Read(path);
    } catch (const std::ios_base::failure&) {
        return "stream failure";
    } catch (const std::exception& error) {
        return error.what();
    }
    return "read";
}

// The damages that matter, each refused: files that are no gzip member, a
// damaged member, archives of another kind (signature, a library version
// this build cannot read or one older than any this program wrote, type
// sizes, byte order, a signature length that would ask for huge memory), a
// foreign game header, and data after the game.
TEST_F(GameFileTest, DamagedFilesAreRefused) {
    GameFile::Write(File("game.sdk"), SampleGame());
    const std::string file = ReadFileBytes(File("game.sdk"));
    const std::string archive = ArchiveOf(SampleGame());
    const auto changed = [&](std::size_t at, char value) {
        std::string bytes = archive;
        bytes[at] = value;
        return Gzip(bytes);
    };
    std::string badChecksum = file;
    badChecksum[file.size() - 8] ^= 0x40;
    // The magic follows the archive header and two class informations; then fieldSize.
    const std::size_t magicAt = 40 + 5 + 5;
    ASSERT_EQ(archive[magicAt + 4], static_cast<char>(324 & 0xFF));
    constexpr const char* AnyRefusal = nullptr;
    const struct {
        const char* name;
        std::string bytes;
        const char* refusal;
    } cases[] = {
        {"plain archive", archive, "stream failure"},
        {"text", "530070000\n600195000\n", "stream failure"},
        {"empty", "", AnyRefusal},
        {"gzipped words", Gzip("not an archive at all, just words"), AnyRefusal},
        {"bad checksum", badChecksum, "stream failure"},
        {"cut member", file.substr(0, file.size() - 3), "stream failure"},
        {"signature", changed(8, 'S'), AnyRefusal},
        {"library version 20", changed(30, 20), AnyRefusal},
        {"library version 3", changed(30, 3), AnyRefusal},
        {"sizeof(int)", changed(32, 8), AnyRefusal},
        {"sizeof(long)", changed(33, 4), AnyRefusal},
        {"byte-order marker", changed(36, 0), AnyRefusal},
        {"signature length 2^48 + 22", changed(6, 0x10), AnyRefusal},
        {"magic", changed(magicAt, static_cast<char>(archive[magicAt] ^ 0x01)), "Unknown header"},
        {"field size 325", changed(magicAt + 4, static_cast<char>(325 & 0xFF)), "Unknown header"},
        {"data after the game", Gzip(archive + "x"), AnyRefusal},
        {"data after the member", file + "garbage", AnyRefusal},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(File("damaged.sdk"), c.bytes);
        const std::string refusal = RefusalOf(File("damaged.sdk"));
        EXPECT_NE(refusal, "read");
        if (c.refusal != AnyRefusal) {
            EXPECT_EQ(refusal, c.refusal);
        }
    }
    WriteFileBytes(File("older.sdk"), changed(30, 18));
    EXPECT_EQ(RefusalOf(File("older.sdk")), "read")
        << "an older library version of the same layout";
}

TEST_F(GameFileTest, MissingFileOrFolderCannotBeRead) {
    EXPECT_EQ(MessageOf([&] { GameFile::Read(File("missing.sdk")); }), "Can't read from file");
    EXPECT_EQ(MessageOf([&] { GameFile::Read(m_root.Path()); }), "Can't read from file");
}

TEST_F(GameFileTest, SaveReplacesTheFileAndLeavesNoTemporaryBehind) {
    CGameFieldFileData first = SampleGame();
    GameFile::Write(File("game.sdk"), first);
    CGameFieldFileData second = first;
    second.level = 3;
    GameFile::Write(File("game.sdk"), second);
    EXPECT_EQ(GameFile::Read(File("game.sdk")), second);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"game.sdk"});
}

TEST_F(GameFileTest, FailedSaveLeavesThePreviousFileWhole) {
    GameFile::Write(File("game.sdk"), SampleGame());
    const std::string before = ReadFileBytes(File("game.sdk"));

    EXPECT_THROW(ArchiveFile::Write(File("game.sdk"),
                                    [](boost::archive::binary_oarchive& archive) {
                                        archive << std::int32_t{1};
                                        throw std::runtime_error("disk trouble");
                                    }),
                 std::runtime_error);

    EXPECT_EQ(ReadFileBytes(File("game.sdk")), before);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"game.sdk"});
}

// Lowers this process's file-size limit for one scope, so that a write past
// it fails (EFBIG; SIGXFSZ is ignored meanwhile instead of ending the process).
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t bytes) : m_handler(std::signal(SIGXFSZ, SIG_IGN)) {
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~ScopedFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_handler);
    }
    ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

private:
    void (*m_handler)(int);
    rlimit m_previous{};
};

// Every writer puts the new bytes into a temporary file and renames it over
// the target only when complete: when the write itself fails, the target and
// every hard link to it keep the old bytes, the failure is reported, and no
// temporary is left behind.
TEST_F(GameFileTest, WriteStoppedByTheFileSizeLimitLeavesTheOldFileAndItsHardLinks) {
    const fs::path data = m_root.Path() / "Kalmora";
    fs::create_directory(data);
    CGameFieldSerialData small;
    small.level = 2;
    const struct {
        const char* name;
        fs::path path;
        std::function<void()> writeOld;
        std::function<bool()> writeNew;
    } writers[] = {
        {"game file", data / "game.sdk", [&] { GameFile::Write(data / "game.sdk", small); },
         [&] {
             try {
                 GameFile::Write(data / "game.sdk", SampleGame());
             } catch (const std::exception&) {
                 return false;
             }
             return true;
         }},
        {"session file", data / "default.dat", [&] { SessionFile::Save(small, {}, false); },
         [&] {
             return SessionFile::Save(SampleSession(), {1, 2, 3, 4}, true);
         }},
        {"winners file", data / "top.dat", [&] { WinnersFile::Save({}); },
         [&] { return WinnersFile::Save(SampleWinners()); }},
    };
    for (const auto& writer : writers) {
        SCOPED_TRACE(writer.name);
        writer.writeOld();
        const std::string before = ReadFileBytes(writer.path);
        const fs::path link = m_root.Path() / "link";
        fs::create_hard_link(writer.path, link);
        bool written = true;
        {
            const ScopedFileSizeLimit limit(20);
            written = writer.writeNew();
        }
        EXPECT_FALSE(written) << "a failed write was reported as done";
        EXPECT_EQ(ReadFileBytes(link), before);
        EXPECT_EQ(ReadFileBytes(writer.path), before);
        EXPECT_EQ(std::distance(fs::directory_iterator(data), fs::directory_iterator()), 1);
        fs::remove(link);
        fs::remove(writer.path);
    }
}

TEST_F(GameFileTest, SaveIntoMissingFolderCannotStore) {
    EXPECT_EQ(MessageOf([&] { GameFile::Write(File("no-such-folder") / "game.sdk", {}); }),
              "Can't store to file");
    EXPECT_EQ(MessageOf([&] { GameFile::Write(m_root.Path(), {}); }), "Can't store to file");
}

TEST_F(GameFileTest, ReadOnlyFileIsNotReplaced) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "the superuser may write any file";
    }
    GameFile::Write(File("game.sdk"), SampleGame());
    fs::permissions(File("game.sdk"), fs::owner_read);
    EXPECT_EQ(MessageOf([&] { GameFile::Write(File("game.sdk"), {}); }), "Can't store to file");
    EXPECT_EQ(GameFile::Read(File("game.sdk")), SampleGame());
}

TEST_F(GameFileTest, SaveKeepsPermissionsAndLinks) {
    GameFile::Write(File("game.sdk"), {});
    fs::permissions(File("game.sdk"), fs::owner_read | fs::owner_write);
    fs::create_symlink(File("game.sdk"), File("link.sdk"));

    GameFile::Write(File("link.sdk"), SampleGame());

    EXPECT_TRUE(fs::is_symlink(File("link.sdk")));
    EXPECT_EQ(GameFile::Read(File("game.sdk")), SampleGame());
    EXPECT_EQ(fs::status(File("game.sdk")).permissions(), fs::owner_read | fs::owner_write);
}

} // namespace

namespace {

TEST(StoredFileBytesTest, BytesInMemoryReadLikeTheFiles) {
    ScopedDataRoot root;
    GameFile::Write(root.Path() / "game.sdk", SampleGame());
    const std::string game = ReadFileBytes(root.Path() / "game.sdk");
    EXPECT_EQ(GameFile::ReadBytes(game), SampleGame());
    EXPECT_TRUE(ArchiveFile::LooksLikeGzip(game));
    EXPECT_FALSE(ArchiveFile::LooksLikeGzip("530070000"));
    EXPECT_THROW(GameFile::ReadBytes(game.substr(0, game.size() / 2)), std::exception);
    EXPECT_THROW(GameFile::ReadBytes("530070000"), std::exception);

    SessionFile::Write(root.Path() / "default.dat", SampleSession(), {1, 2, 3, 4}, true);
    const SessionFileContent session =
        SessionFile::ReadBytes(ReadFileBytes(root.Path() / "default.dat"));
    EXPECT_EQ(session.session, SampleSession());
    EXPECT_EQ(session.window, (StoredWindowRect{1, 2, 3, 4}));
    EXPECT_THROW(SessionFile::ReadBytes(game), std::exception);

    WinnersFile::Write(root.Path() / "top.dat", SampleWinners());
    EXPECT_EQ(WinnersFile::ReadBytes(ReadFileBytes(root.Path() / "top.dat")), SampleWinners());
    EXPECT_THROW(WinnersFile::ReadBytes(game), std::exception);
}

} // namespace
