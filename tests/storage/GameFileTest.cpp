// Game files through the real files on disk: refused files, and saves that
// cannot be made or must keep what stands there.

#include "StorageTestSupport.h"

#include "storage/ArchiveFile.h"

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace fs = boost::filesystem;

namespace {

class GameFileTest : public testing::Test {
protected:
    fs::path File(const char* name) const { return m_root.Path() / name; }

    ScopedDataRoot m_root;
};

// How an action failed: the message of an exception that is not a stream
// failure, "stream failure", or "done" when nothing was thrown.
std::string Outcome(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::ios_base::failure&) {
        return "stream failure";
    } catch (const std::exception& error) {
        return error.what();
    }
    return "done";
}

// The damages that matter, each refused: files that are no gzip member, a
// damaged member, archives of another kind (signature, a library version
// this build cannot read or one older than any this program wrote, type
// sizes, byte order, a signature length that would ask for huge memory), a
// foreign game header, more snapshots than a game holds, and data after the
// game.
TEST_F(GameFileTest, DamagedFilesAreRefused) {
    GameFile::Write(File("game.sdk"), SampleGame());
    const std::string file = ReadFileBytes(File("game.sdk"));
    const std::string archive = Gunzip(file);
    const auto changed = [&](std::size_t at, char value) {
        std::string bytes = archive;
        bytes[at] = value;
        return Gzip(bytes);
    };
    CGameFieldFileData tooMany;
    tooMany.snapShots.resize(21);
    GameFile::Write(File("many.sdk"), tooMany);
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
        {"empty", "", AnyRefusal},
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
        {"21 snapshots", ReadFileBytes(File("many.sdk")), "Too many snapshots"},
        {"data after the game", Gzip(archive + "x"), AnyRefusal},
        {"data after the member", file + "garbage", AnyRefusal},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(File("damaged.sdk"), c.bytes);
        const std::string refusal = Outcome([&] { GameFile::Read(File("damaged.sdk")); });
        EXPECT_NE(refusal, "done");
        if (c.refusal != AnyRefusal) {
            EXPECT_EQ(refusal, c.refusal);
        }
    }
    WriteFileBytes(File("older.sdk"), changed(30, 18));
    EXPECT_EQ(Outcome([&] { GameFile::Read(File("older.sdk")); }), "done")
        << "an older library version of the same layout";
}

// A save through a link replaces the linked file and keeps its permissions.
// The content is made in full before any file is: content that fails on the
// way leaves the previous file and no temporary. A folder is never read as a
// game nor replaced by one.
TEST_F(GameFileTest, SavesKeepWhatStandsThereAndFolders) {
    GameFile::Write(File("game.sdk"), {});
    fs::permissions(File("game.sdk"), fs::owner_read | fs::owner_write);
    fs::create_symlink(File("game.sdk"), File("link.sdk"));

    GameFile::Write(File("link.sdk"), SampleGame());
    EXPECT_TRUE(fs::is_symlink(File("link.sdk")));
    EXPECT_EQ(GameFile::Read(File("game.sdk")), SampleGame());
    EXPECT_EQ(fs::status(File("game.sdk")).permissions(), fs::owner_read | fs::owner_write);

    const std::string before = ReadFileBytes(File("game.sdk"));
    EXPECT_THROW(ArchiveFile::Write(File("game.sdk"),
                                    [](boost::archive::binary_oarchive& archive) {
                                        archive << std::int32_t{1};
                                        throw std::runtime_error("disk trouble");
                                    }),
                 std::runtime_error);
    EXPECT_EQ(ReadFileBytes(File("game.sdk")), before);
    EXPECT_EQ(FileNames(m_root.Path()), (std::vector<std::string>{"game.sdk", "link.sdk"}));

    EXPECT_EQ(Outcome([&] { GameFile::Read(m_root.Path()); }), "Can't read from file");
    EXPECT_EQ(Outcome([&] { GameFile::Write(m_root.Path(), {}); }), "Can't store to file");
}

} // namespace
